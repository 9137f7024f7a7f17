// Focus: the order of platform focus, focus-exit, focus-enter and focus-changed; tab order
// with Tab and Shift+Tab; activation without enter/exit; giving up a disabled control;
// tab orders from a stored description.
#include <gtest/gtest.h>

#include "framework/core/streaming.h"
#include "tests/framework/control_tree_fixture.h"

using Focus = ControlTreeTest;
using Lines = std::vector<std::string>;

TEST_F(Focus, MovingTheFocusSendsPlatformFocusThenExitEnterThenFocusChanged) {
    TProbeBox* a = Box("A", Form, Rect(0, 0, 40, 30));
    TProbeBox* panel = Box("P", Form, Rect(50, 0, 100, 60));
    panel->SetTabStop(false);
    TProbeBox* c = Box("C", panel, Rect(5, 5, 40, 30));
    ShowForm();
    ASSERT_EQ(Form->ActiveControl(), a);  // the first tab stop takes the focus when shown
    ASSERT_TRUE(a->Focused());
    std::vector<std::string> order;
    a->OnExit = [&](TObject*) { order.push_back(std::string("A exit, C focused ") + (c->Focused() ? "yes" : "no")); };
    c->OnEnter = [&](TObject*) { order.push_back("C enter"); };
    c->SetFocus();
    EXPECT_EQ(EventLog(), (Lines{"A:WM_KILLFOCUS", "C:WM_SETFOCUS", "A:CM_EXIT", "P:CM_ENTER", "C:CM_ENTER",
                                 "A:CM_FOCUSCHANGED C", "P:CM_FOCUSCHANGED C", "C:CM_FOCUSCHANGED C"}));
    EXPECT_EQ(order, (Lines{"A exit, C focused yes", "C enter"}));
    EXPECT_EQ(Form->ActiveControl(), c);
    EXPECT_TRUE(c->Focused());
    EXPECT_FALSE(a->Focused());
    // Back out of the panel: the panel is exited too.
    EventLog().clear();
    a->SetFocus();
    EXPECT_EQ(EventLog(), (Lines{"C:WM_KILLFOCUS", "A:WM_SETFOCUS", "C:CM_EXIT", "P:CM_EXIT", "A:CM_ENTER",
                                 "A:CM_FOCUSCHANGED A", "P:CM_FOCUSCHANGED A", "C:CM_FOCUSCHANGED A"}));
}

TEST_F(Focus, DeactivationMovesOnlyThePlatformFocus) {
    TProbeBox* a = Box("A", Form, Rect(0, 0, 40, 30));
    ShowForm();
    TPlatformEvent e;
    e.Window = Window();
    e.Type = TPlatformEvent::Deactivate;
    Desk->Inject(e);
    App->ProcessMessages();
    EXPECT_EQ(EventLog(), (Lines{"A:WM_KILLFOCUS"}));
    EXPECT_FALSE(a->Focused());
    EXPECT_EQ(Form->ActiveControl(), a);
    EventLog().clear();
    e.Type = TPlatformEvent::Activate;
    Desk->Inject(e);
    App->ProcessMessages();
    EXPECT_EQ(EventLog(), (Lines{"A:WM_SETFOCUS"}));
    EXPECT_TRUE(a->Focused());
}

TEST_F(Focus, TabAndShiftTabFollowTheTabOrderAndSkipWhatCannotTakeTheFocus) {
    TProbeBox* a = Box("A", Form, Rect(0, 0, 20, 20));
    TProbeBox* b = Box("B", Form, Rect(20, 0, 40, 20));
    TProbeBox* c = Box("C", Form, Rect(40, 0, 60, 20));
    TProbeBox* d = Box("D", Form, Rect(60, 0, 80, 20));
    TProbeBox* off = Box("Off", Form, Rect(80, 0, 100, 20));
    c->SetTabOrder(0);  // C, A, B, D, Off
    off->SetEnabled(false);
    d->SetTabStop(false);
    for (TProbeBox* x : {a, b, c, d, off}) x->LogFocus = false;
    ShowForm();
    EXPECT_EQ(c->TabOrder(), 0);
    EXPECT_EQ(a->TabOrder(), 1);
    ASSERT_EQ(Form->ActiveControl(), c);
    auto tab = [&](TShiftState shift = {}) {
        Stroke(VK_TAB, shift);
        return Form->ActiveControl();
    };
    EXPECT_EQ(tab(), a);
    EXPECT_EQ(tab(), b);
    EXPECT_EQ(tab(), c);  // D has no tab stop, Off is disabled: round again
    EXPECT_EQ(tab({ssShift}), b);
    EXPECT_EQ(tab({ssShift}), a);
    b->SetVisible(false);
    EXPECT_EQ(tab(), c);
}

TEST_F(Focus, DisablingOrHidingTheFocusedControlLeavesTheFormFocused) {
    TProbeBox* a = Box("A", Form, Rect(0, 0, 20, 20));
    Box("B", Form, Rect(20, 0, 40, 20));
    ShowForm();
    a->SetEnabled(false);
    EXPECT_EQ(Form->ActiveControl(), nullptr);
    EXPECT_EQ(Form->FocusHandle(), Form);
    EXPECT_EQ(EventLog(), (Lines{"A:WM_KILLFOCUS", "A:CM_EXIT", "A:CM_FOCUSCHANGED Form", "B:CM_FOCUSCHANGED Form"}));
    EXPECT_THROW(a->SetFocus(), EInvalidOperation);
}

TEST_F(Focus, TabOrdersOfAStoredDescriptionApplyAfterLoading) {
    ReadComponentText(Form, R"(object Form: TForm
  object First: TCustomControl
    Left = 0
    TabOrder = 2
    TabStop = True
  end
  object Second: TCustomControl
    Left = 10
    TabOrder = 0
    TabStop = True
  end
  object Third: TCustomControl
    Left = 20
    TabOrder = 1
    TabStop = True
  end
end
)");
    auto* first = dynamic_cast<TWinControl*>(Form->FindComponent("First"));
    auto* second = dynamic_cast<TWinControl*>(Form->FindComponent("Second"));
    auto* third = dynamic_cast<TWinControl*>(Form->FindComponent("Third"));
    ASSERT_TRUE(first && second && third);
    EXPECT_EQ(second->TabOrder(), 0);
    EXPECT_EQ(third->TabOrder(), 1);
    EXPECT_EQ(first->TabOrder(), 2);
    EXPECT_EQ(first->Parent(), Form);
    ShowForm();
    EXPECT_EQ(Form->ActiveControl(), second);
}
