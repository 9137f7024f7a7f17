// A transparent control's background: the parent's erase and paint, drawn where the control
// stands, and nothing outside the parent's client area.
#include <gtest/gtest.h>

#include "../framework/control_tree_fixture.h"
#include "controls/vt_draw.h"

namespace {

class ParentBackground : public ControlTreeTest {};

TColor At(const TBitmap& b, int x, int y) { return ColorFromPixel(b.ScanLine(y)[x]); }

}  // namespace

TEST_F(ParentBackground, DrawsTheParentAndItsEarlierChildrenBehindTheControl) {
    TProbeBox* parent = Box("P", Form, Rect(10, 10, 60, 40), clRed);
    Glyph("Under", parent, Rect(12, 6, 16, 10), clBlue);  // windowless: part of the parent's paint
    TProbeBox* control = Box("C", parent, Rect(10, 5, 30, 20), clLime);

    TBitmap target(control->Width(), control->Height());
    target.Canvas()->Brush()->SetColor(clWhite);
    target.Canvas()->FillRect(Rect(0, 0, target.Width(), target.Height()));
    PaintParentBackground(control, target.Canvas(), false);

    EXPECT_EQ(At(target, 0, 0), clRed);
    EXPECT_EQ(At(target, 2, 1), clBlue);  // (12, 6) in the parent
    EXPECT_EQ(At(target, 5, 4), clBlue);
    EXPECT_EQ(At(target, 6, 5), clRed);
    EXPECT_EQ(At(target, 19, 14), clRed);
    EXPECT_EQ(target.Canvas()->ViewportOrigin(), (TPoint{0, 0}));  // the state came back
}

TEST_F(ParentBackground, StopsAtTheParentsClientArea) {
    TProbeBox* parent = Box("P", Form, Rect(10, 10, 30, 30), clRed);
    TProbeBox* control = Box("C", parent, Rect(15, 15, 25, 25), clLime);  // sticks out by 5
    TBitmap target(10, 10);
    target.Canvas()->Brush()->SetColor(clWhite);
    target.Canvas()->FillRect(Rect(0, 0, 10, 10));
    PaintParentBackground(control, target.Canvas(), false);
    EXPECT_EQ(At(target, 4, 4), clRed);
    EXPECT_EQ(At(target, 5, 4), clWhite);
    EXPECT_EQ(At(target, 4, 5), clWhite);
}

// A windowless control is part of its parent's paint; asking for its background from inside
// its own paint must not recurse.
class TSeeThroughGlyph : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    int Paints = 0;

protected:
    void Paint() override {
        ++Paints;
        PaintParentBackground(this, Canvas(), false);
    }
};

TEST_F(ParentBackground, AWindowlessControlAskingFromItsOwnPaintDoesNotRecurse) {
    TProbeBox* parent = Box("P", Form, Rect(10, 10, 60, 40), clRed);
    auto* glyph = new TSeeThroughGlyph(Form);
    glyph->SetBoundsRect(Rect(5, 5, 15, 15));
    glyph->SetParent(parent);
    ShowForm();
    EXPECT_EQ(ScreenPixel(20, 20), clRed);
    EXPECT_LE(glyph->Paints, 4);
}

TEST_F(ParentBackground, WithoutAParentNothingIsDrawn) {
    auto* loose = new TProbeGlyph(Form, clLime);
    TBitmap target(4, 4);
    target.Canvas()->Brush()->SetColor(clWhite);
    target.Canvas()->FillRect(Rect(0, 0, 4, 4));
    PaintParentBackground(loose, target.Canvas(), true);
    EXPECT_EQ(At(target, 0, 0), clWhite);
}
