// TVtLine on a real headless form: the editor's separator pixel by pixel and its hit area,
// the margin rule of ArrowLength, the odd widths under arrows, a vertical upward line with
// its outward arrow heads, the minimum size and pointer events that fall through.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../framework/control_tree_fixture.h"
#include "controls/vt_line.h"

namespace {

constexpr TColor kPanelColor = 6173981;

class VtLineTest : public ControlTreeTest {
protected:
    void SetUp() override {
        ControlTreeTest::SetUp();
        Form->SetColor(kPanelColor);
        Form->SetClientWidth(660);
        Form->SetClientHeight(200);
    }
    TVtLine* Line(TRect bounds) {
        auto* l = new TVtLine(Form);
        l->SetName("VtLine1");
        l->SetBoundsRect(bounds);
        l->SetParent(Form);
        return l;
    }
    TColor At(const TControl* c, int x, int y) { return ScreenPixel(c->Left() + x, c->Top() + y); }
    // Does the form's hit test find the line at this point of the line?
    bool Hits(TVtLine* l, int x, int y) { return Form->ControlAtPoint({l->Left() + x, l->Top() + y}, false) == l; }
};

TEST_F(VtLineTest, TheEditorsSeparatorAndItsHitArea) {
    TVtLine* l = Line(Bounds(16, 120, 609, 20));
    l->SetLineColor(clWindow);
    EXPECT_EQ(l->StartPoint(), (TPoint{10, 10}));
    EXPECT_EQ(l->EndPoint(), (TPoint{599, 10}));
    ShowForm();
    for (int x = 0; x < 609; ++x) {
        ASSERT_EQ(At(l, x, 10), (x >= 10 && x <= 598) ? clWhite : kPanelColor) << x;
        ASSERT_EQ(At(l, x, 9), kPanelColor) << x;
        ASSERT_EQ(At(l, x, 11), kPanelColor) << x;
    }
    // k = 4, m = 10: the test rectangle is (6, 6, 603, 14).
    EXPECT_TRUE(Hits(l, 300, 6));
    EXPECT_TRUE(Hits(l, 300, 13));
    EXPECT_FALSE(Hits(l, 300, 5));
    EXPECT_FALSE(Hits(l, 300, 14));
    EXPECT_TRUE(Hits(l, 6, 10));
    EXPECT_FALSE(Hits(l, 5, 10));
    EXPECT_FALSE(Hits(l, 603, 10));
}

TEST_F(VtLineTest, DefaultsAndTheMarginOfArrowLength) {
    TVtLine fresh(nullptr);
    EXPECT_EQ(fresh.LineColor(), clWindowText);
    EXPECT_EQ(fresh.LineWidth(), 1);
    EXPECT_EQ(fresh.LineStyle(), psSolid);
    EXPECT_EQ(fresh.LineSlope(), lsDown);
    EXPECT_EQ(fresh.ShowArrows(), saNone);
    EXPECT_EQ(fresh.ArrowLength(), 10);
    EXPECT_EQ(fresh.Margin(), 10);

    TVtLine* l = Line(Bounds(16, 120, 609, 20));
    l->SetArrowLength(10);  // unchanged: the margin stays
    EXPECT_EQ(l->Margin(), 10);
    l->SetArrowLength(12);
    l->SetArrowLength(10);
    EXPECT_EQ(l->Margin(), 5);
    EXPECT_EQ(l->StartPoint(), (TPoint{5, 5}));
    EXPECT_EQ(l->EndPoint(), (TPoint{604, 15}));
    // A larger margin grows the control to twice it.
    l->SetArrowLength(30);
    EXPECT_EQ(l->Height(), 30);
    EXPECT_EQ(l->EndPoint(), (TPoint{594, 15}));
}

TEST_F(VtLineTest, WidthsUnderArrowsAreOdd) {
    TVtLine* l = Line(Bounds(0, 0, 100, 20));
    l->SetLineWidth(2);
    EXPECT_EQ(l->LineWidth(), 2);  // no arrows: as given
    l->SetLineWidth(1);
    l->SetShowArrows(saBoth);
    l->SetLineWidth(2);
    EXPECT_EQ(l->LineWidth(), 3);
    l->SetLineWidth(2);
    EXPECT_EQ(l->LineWidth(), 1);
    l->SetLineWidth(6);
    EXPECT_EQ(l->LineWidth(), 7);
}

TEST_F(VtLineTest, AVerticalUpwardLineWithOutwardArrowHeads) {
    TVtLine* l = Line(Bounds(40, 40, 20, 100));
    l->SetLineSlope(lsUp);
    l->SetLineColor(clWhite);
    EXPECT_EQ(l->StartPoint(), (TPoint{10, 90}));
    EXPECT_EQ(l->EndPoint(), (TPoint{10, 10}));
    ShowForm();
    for (int y = 0; y < 100; ++y) ASSERT_EQ(At(l, 10, y), (y >= 11 && y <= 90) ? clWhite : kPanelColor) << y;
    // |x - 10| <= 4, inside the test rectangle (6, 6, 14, 94).
    EXPECT_TRUE(Hits(l, 6, 50));
    EXPECT_TRUE(Hits(l, 13, 50));
    EXPECT_FALSE(Hits(l, 5, 50));
    EXPECT_FALSE(Hits(l, 14, 50));

    l->SetShowArrows(saBoth);
    App->ProcessMessages();
    // Start head: tip (10, 90), base corners (14, 81) and (6, 81); end head: tip (10, 10),
    // corners (6, 19) and (14, 19). Both open towards the middle.
    EXPECT_EQ(At(l, 10, 87), clWhite);
    EXPECT_EQ(At(l, 8, 83), clWhite);
    EXPECT_EQ(At(l, 12, 83), clWhite);
    EXPECT_EQ(At(l, 10, 92), kPanelColor);
    EXPECT_EQ(At(l, 10, 13), clWhite);
    EXPECT_EQ(At(l, 8, 17), clWhite);
    EXPECT_EQ(At(l, 12, 17), clWhite);
    EXPECT_EQ(At(l, 10, 8), kPanelColor);
    EXPECT_EQ(At(l, 8, 30), kPanelColor);
    EXPECT_EQ(At(l, 10, 50), clWhite);  // the shaft between the heads
}

TEST_F(VtLineTest, HorizontalArrowHeadsPointAwayFromTheLine) {
    TVtLine* l = Line(Bounds(20, 20, 100, 20));
    l->SetLineColor(clWhite);
    l->SetShowArrows(saEnd);
    ShowForm();
    // End tip (90, 10); corners (81, 6) and (81, 14): the head closes towards the tip.
    EXPECT_EQ(At(l, 87, 10), clWhite);
    EXPECT_EQ(At(l, 83, 8), clWhite);
    EXPECT_EQ(At(l, 83, 12), clWhite);
    EXPECT_EQ(At(l, 89, 7), kPanelColor);
    // The start has no head.
    EXPECT_EQ(At(l, 10, 10), clWhite);
    EXPECT_EQ(At(l, 12, 8), kPanelColor);
}

TEST_F(VtLineTest, ResizingBelowTwiceTheMarginGrows) {
    TVtLine* l = Line(Bounds(0, 0, 100, 40));
    l->SetBounds(0, 0, 5, 5);
    EXPECT_EQ(l->Width(), 20);
    EXPECT_EQ(l->Height(), 20);
    EXPECT_EQ(l->EndPoint(), (TPoint{10, 10}));
}

TEST_F(VtLineTest, PointerEventsOnlyOnTheLine) {
    TVtLine* l = Line(Bounds(16, 120, 609, 20));
    std::vector<std::string> seen;
    l->OnMouseEnter = [&seen](TObject*) { seen.push_back("enter"); };
    l->OnMouseLeave = [&seen](TObject*) { seen.push_back("leave"); };
    ShowForm();
    Desk->MoveMouse(Window(), {316, 125});  // (300, 5) of the line: falls through
    App->ProcessMessages();
    EXPECT_TRUE(seen.empty());
    MoveTo({316, 130});
    Desk->MoveMouse(Window(), {316, 134});  // (300, 14)
    App->ProcessMessages();
    EXPECT_EQ(seen, (std::vector<std::string>{"enter", "leave"}));
}

}  // namespace
