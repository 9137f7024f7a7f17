// Geometry, text and fonts at the integer limits: values near INT_MIN and INT_MAX saturate
// instead of wrapping round (which the clang UBSan build of these tests would stop on), and
// what they place lies outside every surface.
#include <gtest/gtest.h>

#include <climits>

#include "framework/graphics/canvas.h"
#include "framework/graphics/font.h"

TEST(IntegerLimits, RectangleArithmeticSaturates) {
    EXPECT_EQ(OffsetRect({0, 0, 10, 10}, INT_MAX, INT_MIN), (TRect{INT_MAX, INT_MIN, INT_MAX, INT_MIN + 10}));
    EXPECT_EQ(OffsetRect({-5, 1, 5, 2}, 3, -1), (TRect{-2, 0, 8, 1}));
    EXPECT_EQ(InflateRect({INT_MIN, 0, INT_MAX, 0}, 1, 1), (TRect{INT_MIN, -1, INT_MAX, 1}));
    EXPECT_EQ(Bounds(INT_MAX - 1, 0, 10, 10), (TRect{INT_MAX - 1, 0, INT_MAX, 10}));
    const TRect all{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    EXPECT_EQ(all.Width(), INT_MAX);
    EXPECT_EQ(all.Height(), INT_MAX);
    EXPECT_EQ((TRect{INT_MAX, 0, INT_MIN, 0}).Width(), INT_MIN);
}

TEST(IntegerLimits, FontSizesOfHugeHeights) {
    TFont f;
    f.SetHeight(INT_MIN);
    EXPECT_EQ(f.Size(), 1610612735);  // (2^31 - 1) * 72 / 96: the height's negation saturates
    f.SetHeight(INT_MAX);
    EXPECT_EQ(f.Size(), -1610612735);
    f.SetSize(INT_MAX);
    EXPECT_EQ(f.Height(), -INT_MAX);
    f.SetSize(INT_MIN);
    EXPECT_EQ(f.Height(), INT_MAX);
    f.SetSize(8);
    EXPECT_EQ(f.Height(), -11);
    EXPECT_EQ(f.Size(), 8);
    // Realised at the largest size a face is made at.
    f.SetHeight(INT_MIN);
    EXPECT_GT(f.Handle()->Metrics().tmHeight, 1000);
}

// Text placed near the limits, in every alignment, upright and turned, with the cell filled
// and decorations on: nothing shows and nothing overflows.
TEST(IntegerLimits, TextNearTheLimitsDrawsNothing) {
    TBitmap b(30, 20);
    TCanvas* c = b.Canvas();
    c->Font()->SetName("Tahoma");
    c->Font()->SetHeight(-11);
    c->Font()->SetStyle({fsUnderline, fsStrikeOut});
    c->Brush()->SetColor(clRed);
    for (int escapement : {0, 900, 450}) {
        TFont turned;
        turned.Assign(*c->Font());
        TLogFont lf = turned.Handle()->LogFont();
        lf.Escapement = escapement;
        c->Font()->SetHandle(CreateFontIndirect(lf));
        for (unsigned align : {TA_LEFT | TA_TOP, TA_CENTER | TA_BASELINE, TA_RIGHT | TA_BOTTOM})
            for (TPoint p : {TPoint{INT_MAX, INT_MAX}, TPoint{INT_MIN, INT_MIN}, TPoint{INT_MAX, INT_MIN},
                             TPoint{INT_MIN + 3, 5}}) {
                c->SetTextAlign(align);
                c->TextOut(p.X, p.Y, "Wide text WWW");
                c->TextRect({p.X, p.Y, SaturatingAdd(p.X, 10), SaturatingAdd(p.Y, 10)}, p.X, p.Y, "Wide");
            }
        TRect r{INT_MAX - 5, INT_MIN, INT_MAX, INT_MAX};
        c->DrawText("centred\nlines", r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        r = {INT_MIN, INT_MIN, INT_MIN + 4, INT_MAX};
        c->DrawText("right", r, DT_RIGHT | DT_WORDBREAK);
        TRect calc{INT_MAX - 2, INT_MAX - 2, INT_MAX, INT_MAX};
        c->DrawText("measured", calc, DT_CALCRECT);
        EXPECT_EQ(calc.Right, INT_MAX);
        EXPECT_EQ(calc.Bottom, INT_MAX);
    }
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) ASSERT_EQ(ColorFromPixel(b.ScanLine(y)[x]), clWhite) << x << "," << y;

    // A viewport origin near the limits moves nothing onto the surface either.
    c->SetViewportOrigin({INT_MAX, INT_MIN});
    c->SetTextAlign(TA_LEFT | TA_TOP);
    c->TextOut(INT_MAX, INT_MAX, "x");
    c->FillRect({INT_MIN, INT_MIN, INT_MAX, INT_MAX});
    EXPECT_TRUE(c->ClipRect().IsEmpty() || c->ClipRect().Left >= 0);
    c->SetViewportOrigin({});
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) ASSERT_EQ(ColorFromPixel(b.ScanLine(y)[x]), clWhite) << x << "," << y;
}
