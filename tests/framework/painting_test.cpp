// Painting: back-to-front order by pixels, coalesced invalidation, immediate repaint, the
// non-client border, painting into another canvas, and a failing paint reported once.
#include <gtest/gtest.h>

#include "framework/core/sysutils.h"
#include "framework/graphics/color.h"
#include "tests/framework/control_tree_fixture.h"

namespace {

class TEdgeBox : public TProbeBox {
public:
    using TProbeBox::TProbeBox;

protected:
    void CreateParams(TCreateParams& p) override {
        TProbeBox::CreateParams(p);
        p.ExStyle |= WS_EX_CLIENTEDGE;
    }
};

class TFailingBox : public TProbeBox {
public:
    using TProbeBox::TProbeBox;

protected:
    void Paint() override { throw Exception("Canvas does not allow drawing"); }
};

// Declares that it paints its whole area.
class TOpaqueBox : public TProbeBox {
public:
    explicit TOpaqueBox(TComponent* owner, TColor fill) : TProbeBox(owner, fill) { FControlStyle.Include(csOpaque); }
};

}  // namespace

using Painting = ControlTreeTest;

TEST_F(Painting, WindowedAboveWindowlessAndLaterAboveEarlier) {
    TProbeBox* a = Box("A", Form, Rect(10, 10, 60, 40), clRed);
    Box("B", Form, Rect(30, 20, 80, 50), clLime);
    TProbeGlyph* g1 = Glyph("G1", Form, Rect(100, 10, 130, 40), clBlue);
    Glyph("G2", Form, Rect(110, 20, 140, 50), clYellow);
    Glyph("Under", Form, Rect(50, 30, 70, 45), clFuchsia);  // below the windowed B
    ShowForm();
    EXPECT_EQ(ScreenPixel(5, 5), clWhite);
    EXPECT_EQ(ScreenPixel(15, 15), clRed);
    EXPECT_EQ(ScreenPixel(40, 30), clLime);
    EXPECT_EQ(ScreenPixel(65, 35), clLime);  // a windowed control lies above every windowless one
    EXPECT_EQ(ScreenPixel(69, 44), clLime);
    EXPECT_EQ(ScreenPixel(105, 15), clBlue);
    EXPECT_EQ(ScreenPixel(120, 30), clYellow);
    g1->BringToFront();
    App->ProcessMessages();
    EXPECT_EQ(ScreenPixel(120, 30), clBlue);
    EXPECT_EQ(ScreenPixel(135, 45), clYellow);
    // Windowed controls change places among themselves; the windowless ones stay below.
    a->BringToFront();
    App->ProcessMessages();
    EXPECT_EQ(ScreenPixel(40, 30), clRed);
    EXPECT_EQ(ScreenPixel(65, 35), clLime);
    a->SendToBack();
    App->ProcessMessages();
    EXPECT_EQ(ScreenPixel(40, 30), clLime);
    EXPECT_EQ(ScreenPixel(15, 15), clRed);
}

TEST_F(Painting, ChildrenAreClippedToTheirParentsClientArea) {
    TProbeBox* outer = Box("Outer", Form, Rect(10, 10, 50, 50), clGray);
    Box("Inner", outer, Rect(20, 20, 80, 80), clNavy);
    TProbeGlyph* g = Glyph("G", outer, Rect(-5, 0, 10, 10), clYellow);
    ShowForm();
    EXPECT_EQ(ScreenPixel(35, 35), clNavy);  // inner at outer (20, 20)
    EXPECT_EQ(ScreenPixel(49, 49), clNavy);
    EXPECT_EQ(ScreenPixel(50, 50), clWhite);  // outside outer: cut off
    EXPECT_EQ(ScreenPixel(10, 10), clYellow);
    EXPECT_EQ(ScreenPixel(9, 10), clWhite);  // the glyph's part left of its parent
    EXPECT_EQ(g->Paints, 1);
}

// The first picture is in the window as it is shown, not a loop turn later: the desktop's
// first expose shows it, instead of an empty window and then the picture.
TEST_F(Painting, TheFirstPictureIsPresentedAsTheWindowIsShown) {
    TProbeBox* a = Box("A", Form, Rect(10, 10, 60, 40), clRed);
    TProbeGlyph* g = Glyph("G", Form, Rect(100, 10, 130, 40), clBlue);
    Form->Show();
    EXPECT_EQ(ScreenPixel(15, 15), clRed);
    EXPECT_EQ(ScreenPixel(105, 15), clBlue);
    EXPECT_EQ(ScreenPixel(5, 5), clWhite);
    App->ProcessMessages();
    EXPECT_EQ(a->Paints, 1);  // and nothing is painted a second time
    EXPECT_EQ(g->Paints, 1);
}

TEST_F(Painting, InvalidationsAreCoalescedAndRepaintIsImmediate) {
    TProbeBox* a = Box("A", Form, Rect(10, 10, 60, 40));
    ShowForm();
    ASSERT_EQ(a->Paints, 1);
    a->Invalidate();
    a->Invalidate();
    a->InvalidateRect(nullptr, false);
    EXPECT_EQ(a->Paints, 1);  // deferred
    App->ProcessMessages();
    EXPECT_EQ(a->Paints, 2);  // three requests, one paint
    a->Fill = clGreen;
    a->Repaint();
    EXPECT_EQ(a->Paints, 3);
    EXPECT_EQ(ColorFromPixel(Form->BackBuffer()->ScanLine(20)[20]), clGreen);
    EXPECT_EQ(ScreenPixel(20, 20), clGreen);  // presented at once as well
    // Changing a property to its current value asks for nothing.
    a->SetColor(a->Color());
    App->ProcessMessages();
    EXPECT_EQ(a->Paints, 3);
}

TEST_F(Painting, ParentRepaintRepaintsTheChildrenItCovered) {
    TProbeBox* a = Box("A", Form, Rect(10, 10, 60, 40), clRed);
    ShowForm();
    Form->Invalidate();
    App->ProcessMessages();
    EXPECT_EQ(a->Paints, 2);
    EXPECT_EQ(ScreenPixel(20, 20), clRed);
    // Invalidating a part of the form away from A leaves A alone.
    const TRect far = Rect(150, 50, 190, 90);
    Form->InvalidateRect(&far, true);
    App->ProcessMessages();
    EXPECT_EQ(a->Paints, 2);
}

// A parent's repaint paints the windowed children it covers again: erased first, except a
// child that paints its whole area itself, whose erase would only be painted over.
TEST_F(Painting, AParentRepaintErasesTheChildrenItCoversUnlessTheyAreOpaque) {
    TProbeBox* plain = Box("Plain", Form, Rect(10, 10, 60, 40), clRed);
    auto* opaque = new TOpaqueBox(Form, clBlue);
    opaque->SetName("Opaque");
    opaque->SetBoundsRect(Rect(80, 10, 130, 40));
    opaque->SetParent(Form);
    auto* inner = new TOpaqueBox(Form, clLime);  // an opaque child of an opaque parent
    inner->SetName("Inner");
    inner->SetBoundsRect(Rect(5, 5, 25, 25));
    inner->SetParent(opaque);
    ShowForm();
    const int plainErases = plain->Erases, opaqueErases = opaque->Erases, innerErases = inner->Erases;
    const int opaquePaints = opaque->Paints, innerPaints = inner->Paints;
    Form->Invalidate();
    App->ProcessMessages();
    EXPECT_EQ(plain->Erases, plainErases + 1);
    EXPECT_EQ(opaque->Erases, opaqueErases);
    EXPECT_EQ(inner->Erases, innerErases);
    EXPECT_EQ(opaque->Paints, opaquePaints + 1);
    EXPECT_EQ(inner->Paints, innerPaints + 1);
    EXPECT_EQ(ScreenPixel(20, 20), clRed);
    EXPECT_EQ(ScreenPixel(82, 12), clBlue);
    EXPECT_EQ(ScreenPixel(90, 20), clLime);
    // An erase the control asks for itself is still made.
    opaque->InvalidateRect(nullptr, true);
    App->ProcessMessages();
    EXPECT_EQ(opaque->Erases, opaqueErases + 1);
}

TEST_F(Painting, ClientEdgeIsTheSunkenTwoPixelBorder) {
    auto* e = new TEdgeBox(Form, clYellow);
    e->SetName("E");
    e->SetBounds(10, 10, 30, 20);
    e->SetParent(Form);
    TProbeGlyph* inside = Glyph("In", e, Rect(0, 0, 5, 5), clNavy);
    ShowForm();
    EXPECT_EQ(e->ClientRect(), Rect(0, 0, 26, 16));
    EXPECT_EQ(e->ClientOrigin(), (TPoint{12, 12}));
    EXPECT_EQ(ScreenPixel(10, 10), ColorToRGB(clBtnShadow));
    EXPECT_EQ(ScreenPixel(38, 10), ColorToRGB(clBtnShadow));
    EXPECT_EQ(ScreenPixel(39, 10), ColorToRGB(clBtnHighlight));  // right and bottom win the corners
    EXPECT_EQ(ScreenPixel(10, 29), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(ScreenPixel(11, 11), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(ScreenPixel(38, 28), ColorToRGB(cl3DLight));
    EXPECT_EQ(ScreenPixel(12, 12), clNavy);
    EXPECT_EQ(ScreenPixel(20, 20), clYellow);
    EXPECT_EQ(inside->ClientOrigin(), (TPoint{12, 12}));
}

TEST_F(Painting, PaintControlToErasesPaintsAndDrawsWindowlessChildren) {
    TProbeBox* a = Box("A", Form, Rect(10, 10, 60, 40), clRed);
    a->SetColor(clMaroon);
    Glyph("G", a, Rect(5, 5, 10, 10), clBlue);
    a->Fill = clNone;  // paints nothing itself: the erase shows
    TBitmap target(100, 100);
    target.Canvas()->Brush()->SetColor(clWhite);
    target.Canvas()->FillRect(Rect(0, 0, 100, 100));
    PaintControlTo(a, target.Canvas(), {20, 30});
    auto px = [&](int x, int y) { return ColorFromPixel(target.ScanLine(y)[x]); };
    EXPECT_EQ(px(19, 29), clWhite);
    EXPECT_EQ(px(20, 30), clMaroon);
    EXPECT_EQ(px(69, 59), clMaroon);
    EXPECT_EQ(px(70, 60), clWhite);  // clipped to the client area
    EXPECT_EQ(px(25, 35), clBlue);
    EXPECT_EQ(px(29, 39), clBlue);
    EXPECT_EQ(target.Canvas()->ViewportOrigin(), (TPoint{0, 0}));  // state kept
}

TEST_F(Painting, AFailingPaintIsReportedOnceAndNotRepainted) {
    auto* f = new TFailingBox(Form);
    f->SetName("F");
    f->SetParent(Form);
    ShowForm();
    ASSERT_EQ(Desk->MessageBoxes().size(), 1u);
    EXPECT_EQ(Desk->MessageBoxes()[0].Text, "Canvas does not allow drawing.");
    EXPECT_EQ(Desk->MessageBoxes()[0].Caption, "Verbolt Editor v1.0");
    App->ProcessMessages();
    App->ProcessMessages();
    EXPECT_EQ(Desk->MessageBoxes().size(), 1u);
}

TEST_F(Painting, MovingAControlUncoversItsParent) {
    TProbeBox* a = Box("A", Form, Rect(10, 10, 60, 40), clRed);
    ShowForm();
    a->SetBounds(100, 50, 50, 30);
    App->ProcessMessages();
    EXPECT_EQ(ScreenPixel(20, 20), clWhite);
    EXPECT_EQ(ScreenPixel(110, 60), clRed);
    a->Hide();
    App->ProcessMessages();
    EXPECT_EQ(ScreenPixel(110, 60), clWhite);
}

// Drawing on a control's canvas outside painting goes to the screen every time, at the
// control's current place, not only the first time.
TEST_F(Painting, DrawingOutsidePaintReachesTheScreenEveryTime) {
    TProbeGlyph* g = Glyph("G", Form, Rect(10, 10, 30, 30), clBlue);
    ShowForm();
    auto draw = [&](TColor c) {
        g->Canvas()->Brush()->SetColor(c);
        g->Canvas()->FillRect(Rect(0, 0, 20, 20));
        App->ProcessMessages();
    };
    draw(clRed);
    EXPECT_EQ(ScreenPixel(15, 15), clRed);
    draw(clLime);
    EXPECT_EQ(ScreenPixel(15, 15), clLime);
    g->Fill = clLime;  // so that the move's repaint keeps the colour
    g->SetBounds(50, 10, 20, 20);
    App->ProcessMessages();
    draw(clYellow);
    EXPECT_EQ(ScreenPixel(55, 15), clYellow);
    EXPECT_NE(ScreenPixel(15, 15), clYellow);
}
