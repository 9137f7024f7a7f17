// Input routing: capture, hit test through windowless controls, mouse-enter/leave on idle,
// disabled controls, dialog keys, accelerators, characters, wheel notches, posted keys.
#include <gtest/gtest.h>

#include <climits>

#include "tests/framework/control_tree_fixture.h"

using Input = ControlTreeTest;
using Lines = std::vector<std::string>;

TEST_F(Input, APressCapturesTheMouseUntilTheRelease) {
    TProbeBox* a = Box("A", Form, Rect(10, 10, 50, 40));
    TProbeBox* b = Box("B", Form, Rect(100, 10, 140, 40));
    Lines seen;
    a->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int y) {
        seen.push_back("A down " + std::to_string(x) + "," + std::to_string(y));
    };
    a->OnMouseMove = [&](TObject*, TShiftState, int x, int) { seen.push_back("A move " + std::to_string(x)); };
    a->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int x, int) {
        seen.push_back("A up " + std::to_string(x));
    };
    a->OnClick = [&](TObject*) { seen.push_back("A click"); };
    b->OnMouseMove = [&](TObject*, TShiftState, int, int) { seen.push_back("B move"); };
    ShowForm();
    input::MouseDown(*Desk, Window(), {15, 12});
    input::MouseMove(*Desk, Window(), {110, 20}, {ssLeft});
    input::MouseUp(*Desk, Window(), {110, 20});
    input::MouseMove(*Desk, Window(), {111, 20}, {});
    App->ProcessMessages();
    // Released outside: no click; the move after the release goes to B.
    EXPECT_EQ(seen, (Lines{"A down 5,2", "A move 100", "A up 100", "B move"}));
    EXPECT_EQ(GetCaptureControl(), nullptr);
    seen.clear();
    ClickAt({20, 20});
    EXPECT_EQ(seen, (Lines{"A move 10", "A down 10,10", "A click", "A up 10"}));
}

TEST_F(Input, PointsAWindowlessControlDoesNotClaimFallThrough) {
    TProbeGlyph* g = Glyph("G", Form, Rect(10, 10, 50, 30));
    g->LeftHalfOnly = true;
    Lines seen;
    g->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int) { seen.push_back("G " + std::to_string(x)); };
    Form->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int) {
        seen.push_back("Form " + std::to_string(x));
    };
    ShowForm();
    Desk->Click(Window(), {15, 20});
    Desk->Click(Window(), {45, 20});
    App->ProcessMessages();
    EXPECT_EQ(seen, (Lines{"G 5", "Form 45"}));
    EXPECT_EQ(ScreenPixel(29, 20), clBlue);
    EXPECT_EQ(ScreenPixel(30, 20), clWhite);
}

TEST_F(Input, MouseEnterAndLeaveAreComputedWhenTheQueueIsIdle) {
    TProbeBox* a = Box("A", Form, Rect(10, 10, 50, 40));
    Box("B", Form, Rect(100, 10, 140, 40));
    TProbeGlyph* g = Glyph("G", a, Rect(0, 0, 10, 10));
    g->SetEnabled(false);  // disabled controls still hear the pointer
    ShowForm();
    MoveTo({30, 30});
    EXPECT_EQ(EventLog(), (Lines{"A:enter"}));
    // Several moves before the loop is idle: only the net change counts.
    Desk->MoveMouse(Window(), {105, 20});
    Desk->MoveMouse(Window(), {12, 12});
    App->ProcessMessages();
    EXPECT_EQ(EventLog(), (Lines{"A:enter", "A:leave", "G:enter"}));
    EventLog().clear();
    // A captured control still hears that the pointer left it.
    input::MouseDown(*Desk, Window(), {30, 30});
    input::MouseMove(*Desk, Window(), {110, 20}, {ssLeft});
    App->ProcessMessages();
    EXPECT_EQ(GetCaptureControl(), a);
    EXPECT_EQ(EventLog(), (Lines{"G:leave", "B:enter"}));
}

TEST_F(Input, ADisabledControlDropsItsInput) {
    TProbeBox* a = Box("A", Form, Rect(10, 10, 50, 40));
    int downs = 0;
    a->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++downs; };
    ShowForm();
    a->SetEnabled(false);
    ClickAt({20, 20});
    EXPECT_EQ(downs, 0);
    EXPECT_EQ(a->Perform(WM_LBUTTONDOWN, 0, PointToLParam({1, 1})), 0);
    EXPECT_EQ(downs, 0);
    a->SetEnabled(true);
    ClickAt({20, 20});
    EXPECT_EQ(downs, 1);
}

TEST_F(Input, DialogKeysGoToEveryControlUnlessTheFocusedOneWantsThem) {
    TProbeBox* a = Box("A", Form, Rect(0, 0, 20, 20));
    Box("B", Form, Rect(20, 0, 40, 20));
    a->LogFocus = false;
    ShowForm();
    Stroke(VK_RETURN);
    EXPECT_EQ(EventLog(), (Lines{"A:dialogkey 13", "B:dialogkey 13", "A:keydown 13", "A:char 13"}));
    EventLog().clear();
    a->DlgCode = DLGC_WANTALLKEYS | DLGC_WANTARROWS;
    Desk->PressKey(Window(), VK_RETURN);
    Desk->PressKey(Window(), VK_DOWN);
    App->ProcessMessages();
    EXPECT_EQ(EventLog(), (Lines{"A:keydown 13", "A:char 13", "A:keydown 40"}));
    EventLog().clear();
    // Without DLGC_WANTTAB, Tab is a dialog key and moves the focus.
    Stroke(VK_TAB);
    EXPECT_EQ(EventLog()[0], "A:dialogkey 9");
    EXPECT_EQ(Form->ActiveControl()->Name(), "B");
}

TEST_F(Input, AcceleratorsAreOfferedToEveryControl) {
    TProbeBox* a = Box("A", Form, Rect(0, 0, 20, 20));
    TProbeBox* save = Box("Save", Form, Rect(20, 0, 40, 20));
    save->SetCaption("&Save");
    a->LogFocus = false;
    ShowForm();
    Stroke('S', {ssAlt});
    EXPECT_EQ(EventLog().back(), "Save:accel");
    EventLog().clear();
    // A plain character is an accelerator only where the focused control takes no characters.
    Type("s");
    EXPECT_EQ(EventLog(), (Lines{"Save:accel"}));
    EventLog().clear();
    a->DlgCode = DLGC_WANTCHARS;
    Type("s");
    EXPECT_EQ(EventLog(), (Lines{"A:char 115"}));
    EXPECT_TRUE(IsAccel('s', "&Save"));
    EXPECT_FALSE(IsAccel('a', "S&&ave"));
}

TEST_F(Input, TheWheelArrivesInNotchesAtTheFocusedControl) {
    TProbeBox* a = Box("A", Form, Rect(0, 0, 20, 20));
    Lines seen;
    a->OnMouseWheelDown = [&](TObject*, TShiftState, TPoint, bool& handled) {
        seen.push_back("down");
        handled = true;
    };
    a->OnMouseWheelUp = [&](TObject*, TShiftState, TPoint, bool&) { seen.push_back("up"); };
    ShowForm();
    input::Wheel(*Desk, Window(), {100, 50}, 60);
    input::Wheel(*Desk, Window(), {100, 50}, 60);
    input::Wheel(*Desk, Window(), {100, 50}, -240);
    App->ProcessMessages();
    EXPECT_EQ(seen, (Lines{"up", "down", "down"}));
    EXPECT_EQ(a->Perform(WM_MOUSEWHEEL, MakeWheelWParam({}, -120), 0), 1);  // handled
}

// A platform's wheel amount is taken up to a hundred notches an event, so the sum never
// overflows and a wild value costs no more than those notches.
TEST_F(Input, AHugeWheelAmountIsAHundredNotchesAtMost) {
    TProbeBox* a = Box("A", Form, Rect(0, 0, 20, 20));
    int up = 0, down = 0;
    a->OnMouseWheelUp = [&](TObject*, TShiftState, TPoint, bool& handled) { ++up, handled = true; };
    a->OnMouseWheelDown = [&](TObject*, TShiftState, TPoint, bool& handled) { ++down, handled = true; };
    ShowForm();
    input::Wheel(*Desk, Window(), {100, 50}, INT_MAX);
    input::Wheel(*Desk, Window(), {100, 50}, INT_MAX);
    input::Wheel(*Desk, Window(), {100, 50}, INT_MIN);
    input::Wheel(*Desk, Window(), {100, 50}, 119);  // the remainder of a clamped event is none
    App->ProcessMessages();
    EXPECT_EQ(up, 200);
    EXPECT_EQ(down, 100);
}

TEST_F(Input, APostedTabMovesTheFocusWhenTheLoopProcessesIt) {
    TProbeBox* a = Box("A", Form, Rect(0, 0, 20, 20));
    TProbeBox* b = Box("B", Form, Rect(20, 0, 40, 20));
    ShowForm();
    PostMessage(a, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(Form->ActiveControl(), a);
    App->ProcessMessages();
    EXPECT_EQ(Form->ActiveControl(), b);
    Desk->SetKeyboardState({ssShift});
    PostMessage(b, WM_KEYDOWN, VK_TAB, 0);
    App->ProcessMessages();
    EXPECT_EQ(Form->ActiveControl(), a);
}

TEST_F(Input, TheSecondPressOfADoubleClickIsAPressUnlessTheControlAsks) {
    TProbeBox* a = Box("A", Form, Rect(0, 0, 40, 40));
    int clicks = 0, doubles = 0, downs = 0;
    a->OnClick = [&](TObject*) { ++clicks; };
    a->OnDblClick = [&](TObject*) { ++doubles; };
    a->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++downs; };
    ShowForm();
    auto doubleClick = [&] {
        Desk->Click(Window(), {5, 5});
        Desk->Click(Window(), {5, 5}, mbLeft, {ssDouble});
        App->ProcessMessages();
    };
    doubleClick();
    EXPECT_EQ(doubles, 1);
    EXPECT_EQ(downs, 2);
    a->SetControlStyle(a->ControlStyle() - TControlStyle{csDoubleClicks});
    clicks = doubles = downs = 0;
    doubleClick();
    EXPECT_EQ(doubles, 0);
    EXPECT_EQ(clicks, 2);
}
