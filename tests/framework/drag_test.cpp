// Drag and drop: the threshold, accepting and refusing with their cursors, the order of a
// drop's events, cancelling (release where nothing accepts, Escape, lost capture),
// immediate drags, dmAutomatic and windowless targets.
#include <gtest/gtest.h>

#include "framework/core/typinfo.h"
#include "tests/framework/control_tree_fixture.h"

namespace {

using Lines = std::vector<std::string>;

std::string Pt(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }
std::string NameOf(TObject* o) {
    auto* c = dynamic_cast<TComponent*>(o);
    return c ? c->Name() : std::string(o ? "?" : "nil");
}
const char* StateName(TDragState s) {
    switch (s) {
        case dsDragEnter: return "enter";
        case dsDragLeave: return "leave";
        default: return "move";
    }
}

class DragTest : public ControlTreeTest {
protected:
    void SetUp() override {
        ControlTreeTest::SetUp();
        A = Box("A", Form, Rect(10, 10, 50, 40));
        B = Box("B", Form, Rect(100, 10, 140, 40), clGreen);
        A->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int x, int y) {
            Seen.push_back("A down " + Pt(x, y));
            if (DragOnPress) A->BeginDrag(false);
        };
        A->OnMouseMove = [this](TObject*, TShiftState, int x, int y) { Seen.push_back("A move " + Pt(x, y)); };
        A->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int x, int y) {
            Seen.push_back("A up " + Pt(x, y));
        };
        A->OnClick = [this](TObject*) { Seen.push_back("A click"); };
        A->OnStartDrag = [this](TObject*, TDragObject*&) { Seen.push_back("A startdrag"); };
        A->OnEndDrag = [this](TObject*, TObject* target, int x, int y) {
            Seen.push_back("A enddrag " + NameOf(target) + " " + Pt(x, y));
        };
        B->OnDragOver = [this](TObject*, TObject* source, int x, int y, TDragState state, bool& accept) {
            Seen.push_back(std::string("B ") + StateName(state) + " " + NameOf(source) + " " + Pt(x, y));
            accept = !BAcceptsLeftHalfOnly || x < 20;
        };
        B->OnDragDrop = [this](TObject*, TObject* source, int x, int y) {
            Seen.push_back("B drop " + NameOf(source) + " " + Pt(x, y));
        };
        ShowForm();
    }
    // The pointer moves with the left button held.
    void Drag(TPoint p) { MoveTo(p, {ssLeft}); }
    TCursor ShownCursor() { return Desk->FindWindow(Window())->Cursor; }

    TProbeBox* A = nullptr;
    TProbeBox* B = nullptr;
    Lines Seen;
    bool DragOnPress = true;
    bool BAcceptsLeftHalfOnly = false;
};

}  // namespace

TEST_F(DragTest, StartsAtTheThresholdAndDropsOnAnAcceptingTarget) {
    Press({15, 12});
    Drag({19, 15});  // 4 pixels: still an ordinary move
    EXPECT_TRUE(A->Dragging());
    EXPECT_EQ(Seen, (Lines{"A down 5,2", "A move 9,5"}));
    Seen.clear();
    Drag({20, 12});  // 5 pixels from the press: the drag starts; A itself does not accept
    EXPECT_EQ(Seen, (Lines{"A startdrag"}));
    EXPECT_EQ(GetCaptureControl(), A);
    EXPECT_EQ(ShownCursor(), crNoDrop);
    Seen.clear();
    Drag({110, 20});
    Drag({112, 21});
    EXPECT_EQ(ShownCursor(), crDrag);
    Release({113, 22});
    // No mouse move or release reaches A while the drag runs, and no click follows.
    EXPECT_EQ(Seen,
              (Lines{"B enter A 10,10", "B move A 12,11", "B move A 13,12", "B drop A 13,12", "A enddrag B 13,12"}));
    EXPECT_FALSE(A->Dragging());
    EXPECT_EQ(DragSource(), nullptr);
    EXPECT_EQ(GetCaptureControl(), nullptr);
    EXPECT_EQ(ShownCursor(), crDefault);
    // The mouse is ordinary again.
    Seen.clear();
    MoveTo({20, 20});
    EXPECT_EQ(Seen, (Lines{"A move 10,10"}));
}

TEST_F(DragTest, AReleaseBeforeTheThresholdIsAnOrdinaryClick) {
    Press({15, 12});
    Drag({17, 14});
    Release({17, 14});
    EXPECT_EQ(Seen, (Lines{"A down 5,2", "A move 7,4", "A click", "A up 7,4"}));
    EXPECT_FALSE(A->Dragging());
    // The forgotten drag does not start on a later move.
    Seen.clear();
    MoveTo({40, 30});
    EXPECT_EQ(Seen, (Lines{"A move 30,20"}));
}

TEST_F(DragTest, RefusalShowsNoDropAndReleasingThereCancels) {
    A->SetDragCursor(crHandPoint);
    BAcceptsLeftHalfOnly = true;
    Press({15, 12});
    Drag({105, 20});  // B at 5,10: accepted
    EXPECT_EQ(ShownCursor(), crHandPoint);
    Drag({130, 20});  // B at 30,10: refused
    EXPECT_EQ(ShownCursor(), crNoDrop);
    Seen.clear();
    Release({130, 20});
    EXPECT_EQ(Seen, (Lines{"B leave A 30,10", "A enddrag nil 0,0"}));
    EXPECT_EQ(GetCaptureControl(), nullptr);
    EXPECT_EQ(ShownCursor(), crDefault);
}

TEST_F(DragTest, LeavingATargetForNothingThatAccepts) {
    Press({15, 12});
    Drag({105, 20});
    Seen.clear();
    Drag({160, 20});  // over the form, which has no drag-over handler
    EXPECT_EQ(Seen, (Lines{"B leave A 60,10"}));
    EXPECT_EQ(ShownCursor(), crNoDrop);
    Seen.clear();
    Release({160, 20});
    EXPECT_EQ(Seen, (Lines{"A enddrag nil 0,0"}));
}

TEST_F(DragTest, EscapeAndALostCaptureCancel) {
    Press({15, 12});
    Drag({105, 20});
    Seen.clear();
    Stroke(VK_ESCAPE);
    EXPECT_EQ(Seen, (Lines{"B leave A 5,10", "A enddrag nil 0,0"}));
    EXPECT_FALSE(A->Dragging());
    EXPECT_EQ(GetCaptureControl(), nullptr);
    // The button still held goes up over B as an ordinary release.
    Seen.clear();
    Release({105, 20});
    EXPECT_EQ(Seen, Lines{});

    Press({15, 12});
    Drag({105, 20});
    Seen.clear();
    SetCaptureControl(B);
    EXPECT_EQ(Seen, (Lines{"B leave A 5,10", "A enddrag nil 0,0"}));
    EXPECT_EQ(DragSource(), nullptr);
}

TEST_F(DragTest, ImmediateDragsStartAtOnceAndEndDragDrops) {
    DragOnPress = false;
    MoveTo({105, 20});
    Seen.clear();
    A->BeginDrag(true);
    EXPECT_EQ(Seen, (Lines{"A startdrag", "B enter A 5,10"}));
    EXPECT_EQ(GetCaptureControl(), A);
    // A second BeginDrag while one is on changes nothing.
    B->BeginDrag(true);
    EXPECT_EQ(DragSource(), A);
    Seen.clear();
    A->EndDrag(true);
    EXPECT_EQ(Seen, (Lines{"B drop A 5,10", "A enddrag B 5,10"}));

    // Started from code, the drag follows the pointer without a button and drops on release.
    A->BeginDrag(true, 50);
    MoveTo({110, 20});
    Seen.clear();
    Release({110, 20});
    EXPECT_EQ(Seen, (Lines{"B drop A 10,10", "A enddrag B 10,10"}));

    A->BeginDrag(true);
    Seen.clear();
    A->EndDrag(false);
    EXPECT_EQ(Seen, (Lines{"B leave A 10,10", "A enddrag nil 0,0"}));
}

TEST_F(DragTest, AThresholdOfTheCallersChoice) {
    A->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) { A->BeginDrag(false, 20); };
    Press({15, 12});
    Drag({34, 12});
    EXPECT_EQ(Seen, (Lines{"A move 24,2"}));
    Drag({15, 32});
    EXPECT_EQ(Seen, (Lines{"A move 24,2", "A startdrag"}));
    A->EndDrag(false);
}

TEST_F(DragTest, AutomaticModeStartsOnALeftPressAndKeepsClicks) {
    DragOnPress = false;
    A->SetDragMode(dmAutomatic);
    ClickAt({20, 20});
    EXPECT_EQ(Seen, (Lines{"A move 10,10", "A down 10,10", "A click", "A up 10,10"}));
    Seen.clear();
    // The right button starts nothing.
    Press({20, 20}, mbRight, {ssRight});
    EXPECT_FALSE(A->Dragging());
    Release({20, 20}, mbRight);
    Seen.clear();
    Press({20, 20});
    Drag({26, 20});
    Drag({120, 20});
    Release({120, 20});
    EXPECT_EQ(Seen, (Lines{"A down 10,10", "A startdrag", "B enter A 20,10", "B drop A 20,10", "A enddrag B 20,10"}));
}

TEST_F(DragTest, WindowlessAndDisabledTargetsFollowTheMouseHitTest) {
    TProbeGlyph* g = Glyph("G", Form, Rect(60, 50, 100, 70));
    g->LeftHalfOnly = true;
    g->OnDragOver = [this](TObject*, TObject*, int x, int y, TDragState state, bool& accept) {
        Seen.push_back(std::string("G ") + StateName(state) + " " + Pt(x, y));
        accept = true;
    };
    Form->OnDragOver = [this](TObject*, TObject*, int x, int y, TDragState state, bool& accept) {
        Seen.push_back(std::string("Form ") + StateName(state) + " " + Pt(x, y));
        accept = false;
    };
    Press({15, 12});
    Drag({65, 55});
    Drag({95, 55});  // the right half is not the glyph's: the form lies below
    Seen.clear();
    B->SetEnabled(false);
    Drag({105, 20});  // a disabled control is no target; the leave carries the pointer now
    EXPECT_EQ(Seen, (Lines{"Form leave 105,20"}));
    EXPECT_EQ(ShownCursor(), crNoDrop);
    Drag({70, 60});
    Seen.clear();
    Release({70, 60});
    EXPECT_EQ(Seen, (Lines{"A enddrag G 10,10"}));
}

TEST_F(DragTest, TheTargetHearsEnterLeaveAndTheSourceMayBeItsOwnTarget) {
    A->OnDragOver = [this](TObject*, TObject* source, int x, int y, TDragState state, bool& accept) {
        Seen.push_back(std::string("A ") + StateName(state) + " " + NameOf(source) + " " + Pt(x, y));
        accept = x > 20;
    };
    A->OnDragDrop = [this](TObject*, TObject*, int x, int y) { Seen.push_back("A drop " + Pt(x, y)); };
    Press({15, 12});
    Drag({20, 12});
    Drag({35, 12});
    EXPECT_EQ(ShownCursor(), crDrag);
    Release({35, 12});
    EXPECT_EQ(Seen, (Lines{"A down 5,2", "A startdrag", "A enter A 10,2", "A move A 25,2", "A drop 25,2",
                           "A enddrag A 25,2"}));
}

TEST_F(DragTest, AStartHandlerMaySupplyItsOwnDragObject) {
    struct Parcel : TDragObject {
        TCursor GetDragCursor(bool accepted, int, int) override { return accepted ? crMultiDrag : crNo; }
    } parcel;
    TObject* seenSource = nullptr;
    A->OnStartDrag = [&](TObject*, TDragObject*& o) { o = &parcel; };
    B->OnDragOver = [&](TObject*, TObject* source, int, int, TDragState, bool& accept) {
        seenSource = source;
        accept = true;
    };
    Press({15, 12});
    Drag({20, 12});
    EXPECT_EQ(ShownCursor(), crNo);
    Drag({110, 20});
    EXPECT_EQ(ShownCursor(), crMultiDrag);
    EXPECT_EQ(seenSource, &parcel);
    EXPECT_EQ(parcel.DragTarget, B);
    Release({110, 20});
    EXPECT_TRUE(parcel.Dropped);
}

TEST_F(DragTest, ATargetDestroyedDuringTheDragIsForgotten) {
    Press({15, 12});
    Drag({105, 20});
    delete B;
    B = nullptr;
    Seen.clear();
    Release({105, 20});
    EXPECT_EQ(Seen, (Lines{"A enddrag nil 0,0"}));
}

TEST_F(DragTest, DragPropertiesArePublishedWithTheirDefaults) {
    EXPECT_EQ(A->DragMode(), dmManual);
    EXPECT_EQ(A->DragKind(), dkDrag);
    EXPECT_EQ(A->DragCursor(), crDrag);
    ASSERT_TRUE(SetEnumProp(A, "DragMode", "dmAutomatic"));
    ASSERT_TRUE(SetEnumProp(A, "DragKind", "dkDock"));
    EXPECT_EQ(A->DragMode(), dmAutomatic);
    EXPECT_EQ(A->DragKind(), dkDock);
}

TEST_F(DragTest, AControlMayStartTheDragOfAnotherFromItsOwnPress) {
    // As a page control drags a docked control from its tab: the press is B's, the drag A's.
    DragOnPress = false;
    B->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) { A->BeginDrag(false); };
    B->OnClick = [this](TObject*) { Seen.push_back("B click"); };
    Press({105, 20});
    EXPECT_EQ(GetCaptureControl(), B);
    Drag({111, 20});
    EXPECT_EQ(GetCaptureControl(), A);
    Release({111, 20});
    EXPECT_EQ(Seen, (Lines{"A startdrag", "B enter A 11,10", "B drop A 11,10", "A enddrag B 11,10"}));
    // The press became a drag, so no click; the next click is an ordinary one.
    Seen.clear();
    B->OnMouseDown = nullptr;
    ClickAt({105, 20});
    EXPECT_EQ(Seen, (Lines{"B click"}));
}
