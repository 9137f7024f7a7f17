// The canvas's pixel rules, pinned on small bitmaps: lines, pens, shapes, clipping and
// origins, copies, pattern brushes and the saved device-context state.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "framework/graphics/canvas.h"

namespace {

class CanvasTest : public ::testing::Test {
protected:
    TBitmap Bmp{40, 40};
    TCanvas* C = Bmp.Canvas();

    TColor Px(int x, int y) const { return ColorFromPixel(Bmp.ScanLine(y)[x]); }
    // Row y over [x0, x1): '#' where the pixel is `ink`, '.' elsewhere.
    std::string Row(int y, int x0, int x1, TColor ink = clBlack) const {
        std::string s;
        for (int x = x0; x < x1; ++x) s += Px(x, y) == ink ? '#' : '.';
        return s;
    }
    std::string Column(int x, int y0, int y1, TColor ink = clBlack) const {
        std::string s;
        for (int y = y0; y < y1; ++y) s += Px(x, y) == ink ? '#' : '.';
        return s;
    }
    int Count(TColor ink) const {
        int n = 0;
        for (int y = 0; y < Bmp.Height(); ++y)
            for (int x = 0; x < Bmp.Width(); ++x) n += Px(x, y) == ink;
        return n;
    }
    void Fill(TColor c) {
        for (int y = 0; y < Bmp.Height(); ++y)
            for (int x = 0; x < Bmp.Width(); ++x) Bmp.ScanLine(y)[x] = PixelFromColor(c);
    }
};

}  // namespace

// ---------------------------------------------------------------- lines

TEST_F(CanvasTest, LineToLeavesOutItsEndPointInAllEightDirections) {
    const TPoint ends[] = {{25, 20}, {25, 25}, {20, 25}, {15, 25}, {15, 20}, {15, 15}, {20, 15}, {25, 15}};
    for (const TPoint e : ends) {
        Fill(clWhite);
        C->MoveTo(20, 20);
        C->LineTo(e.X, e.Y);
        const int sx = e.X > 20 ? 1 : e.X < 20 ? -1 : 0, sy = e.Y > 20 ? 1 : e.Y < 20 ? -1 : 0;
        EXPECT_EQ(Px(20, 20), clBlack) << e.X << "," << e.Y;
        EXPECT_EQ(Px(e.X - sx, e.Y - sy), clBlack) << e.X << "," << e.Y;
        EXPECT_EQ(Px(e.X, e.Y), clWhite) << e.X << "," << e.Y;
        EXPECT_EQ(Count(clBlack), 5) << e.X << "," << e.Y;
        EXPECT_EQ(C->PenPos(), e);
    }
}

TEST_F(CanvasTest, ShallowLineStepsToTheNearestRow) {
    C->MoveTo(0, 0);
    C->LineTo(6, 2);
    EXPECT_EQ(Row(0, 0, 7), "##.....");
    EXPECT_EQ(Row(1, 0, 7), "..###..");
    EXPECT_EQ(Row(2, 0, 7), ".....#.");
    Fill(clWhite);
    C->MoveTo(3, 3);
    C->LineTo(3, 3);  // a zero-length line draws nothing
    EXPECT_EQ(Count(clBlack), 0);
}

TEST_F(CanvasTest, WidePenDrawsASquareOnEachPoint) {
    C->Pen()->SetWidth(3);
    C->MoveTo(5, 5);
    C->LineTo(10, 5);
    EXPECT_EQ(Row(3, 2, 13), "...........");
    EXPECT_EQ(Row(4, 2, 13), "..#######..");  // squares on x = 5..9 cover 4..10
    EXPECT_EQ(Row(5, 2, 13), "..#######..");
    EXPECT_EQ(Row(6, 2, 13), "..#######..");
    EXPECT_EQ(Row(7, 2, 13), "...........");
}

TEST_F(CanvasTest, ClearPenAndNoneColourDrawNothing) {
    C->Pen()->SetStyle(psClear);
    C->MoveTo(0, 0);
    C->LineTo(10, 10);
    C->Pen()->SetStyle(psSolid);
    C->Pen()->SetColor(clNone);
    C->LineTo(20, 10);
    EXPECT_EQ(Count(clWhite), 40 * 40);
    EXPECT_EQ(C->PenPos(), (TPoint{20, 10}));
}

TEST_F(CanvasTest, PenModes) {
    Fill(clRed);
    C->Pen()->SetColor(clWhite);
    C->Pen()->SetMode(pmXor);
    C->MoveTo(0, 0);
    C->LineTo(4, 0);
    EXPECT_EQ(Px(0, 0), clAqua);  // red xor white
    C->Pen()->SetMode(pmNot);
    C->MoveTo(0, 1);
    C->LineTo(4, 1);
    EXPECT_EQ(Px(1, 1), clAqua);
    C->MoveTo(0, 1);
    C->LineTo(4, 1);
    EXPECT_EQ(Px(1, 1), clRed);  // inverting twice restores
    C->Pen()->SetMode(pmNotXor);
    C->Pen()->SetColor(clBlue);
    C->MoveTo(0, 2);
    C->LineTo(4, 2);
    EXPECT_EQ(Px(2, 2), clLime);  // not (red xor blue)

    // A wide xor pen touches every pixel once, though its squares overlap.
    Fill(clBlack);
    C->Pen()->SetMode(pmXor);
    C->Pen()->SetColor(clWhite);
    C->Pen()->SetWidth(3);
    C->MoveTo(10, 10);
    C->LineTo(20, 10);
    EXPECT_EQ(Row(10, 8, 23, clWhite), ".############..");  // squares on 10..19 cover 9..20
}

TEST(CanvasDash, PatternLengths) {
    struct Case {
        TPenStyle Style;
        std::string Pattern;
    } cases[] = {
        {psDash, "##################......##################......"},
        {psDot, "###...###...###...###...###...###...###...###..."},
        {psDashDot, "#########......###......#########......###......"},
        {psDashDotDot, "#########...###...###...#########...###...###..."},
    };
    for (const Case& c : cases) {
        TBitmap b(48, 1);
        TCanvas* canvas = b.Canvas();
        canvas->Brush()->SetStyle(bsClear);  // gaps stay transparent
        canvas->Pen()->SetStyle(c.Style);
        canvas->MoveTo(0, 0);
        canvas->LineTo(48, 0);
        std::string got;
        for (int x = 0; x < 48; ++x) got += ColorFromPixel(b.ScanLine(0)[x]) == clBlack ? '#' : '.';
        EXPECT_EQ(got, c.Pattern) << c.Style;
    }
}

TEST_F(CanvasTest, DashPatternRunsOnAcrossPolylineCornersAndGapsTakeTheBrush) {
    C->Pen()->SetStyle(psDash);
    C->Brush()->SetStyle(bsClear);
    const TPoint path[] = {{0, 0}, {10, 0}, {10, 20}};
    C->Polyline(path, 3);
    EXPECT_EQ(Row(0, 0, 12), "###########.");              // (10, 0) starts the second segment
    EXPECT_EQ(Column(10, 0, 20), "########......######");  // phase 10..17 on, 18..23 off

    Fill(clWhite);
    C->Pen()->SetStyle(psDot);
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(clRed);
    C->MoveTo(0, 5);
    C->LineTo(9, 5);
    EXPECT_EQ(Row(5, 0, 10, clBlack), "###...###.");
    EXPECT_EQ(Row(5, 0, 10, clRed), "...###....");
}

// ---------------------------------------------------------------- shapes

TEST_F(CanvasTest, FillRectAndFrameRectExcludeRightAndBottom) {
    C->Brush()->SetColor(clRed);
    C->FillRect({2, 3, 6, 7});
    EXPECT_EQ(Row(2, 0, 8, clRed), "........");
    EXPECT_EQ(Row(3, 0, 8, clRed), "..####..");
    EXPECT_EQ(Row(6, 0, 8, clRed), "..####..");
    EXPECT_EQ(Row(7, 0, 8, clRed), "........");

    Fill(clWhite);
    C->Brush()->SetColor(clBlue);
    C->FrameRect({2, 3, 7, 7});
    EXPECT_EQ(Row(3, 0, 8, clBlue), "..#####.");
    EXPECT_EQ(Row(4, 0, 8, clBlue), "..#...#.");
    EXPECT_EQ(Row(6, 0, 8, clBlue), "..#####.");
    EXPECT_EQ(Row(7, 0, 8, clBlue), "........");

    Fill(clWhite);
    C->Brush()->SetStyle(bsClear);
    C->FillRect({0, 0, 10, 10});
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(clNone);
    C->FillRect({0, 0, 10, 10});
    C->Brush()->SetColor(clBtnFace);  // system colours resolve when drawn
    C->FillRect({0, 0, 3, 3});
    EXPECT_EQ(Px(0, 0), RGB(236, 233, 216));
    EXPECT_EQ(Px(3, 3), clWhite);
}

TEST_F(CanvasTest, RectangleOutlinesTheOuterPixelsAndFillsInside) {
    C->Brush()->SetColor(clRed);
    C->Rectangle(2, 2, 8, 6);
    EXPECT_EQ(Row(2, 0, 9), "..######.");
    EXPECT_EQ(Row(3, 0, 9, clRed), "...####..");
    EXPECT_EQ(Px(2, 3), clBlack);
    EXPECT_EQ(Px(7, 3), clBlack);
    EXPECT_EQ(Row(5, 0, 9), "..######.");
    EXPECT_EQ(Row(6, 0, 9), ".........");

    // Without a pen the fill stops one pixel short on the right and bottom.
    Fill(clWhite);
    C->Pen()->SetStyle(psClear);
    C->Rectangle(2, 2, 8, 6);
    EXPECT_EQ(Row(2, 0, 9, clRed), "..#####..");
    EXPECT_EQ(Row(4, 0, 9, clRed), "..#####..");
    EXPECT_EQ(Row(5, 0, 9, clRed), ".........");

    // A clear brush leaves the inside alone.
    Fill(clWhite);
    C->Pen()->SetStyle(psSolid);
    C->Brush()->SetStyle(bsClear);
    C->Rectangle(2, 2, 8, 6);
    EXPECT_EQ(Row(3, 0, 9), "..#....#.");
}

TEST_F(CanvasTest, PolygonFillsAlternateAndOutlinesWithTheClosingSegment) {
    C->Brush()->SetColor(clRed);
    const TPoint tri[] = {{2, 2}, {12, 2}, {2, 12}};
    C->Polygon(tri, 3);
    EXPECT_EQ(Column(2, 2, 14), "###########.");  // the closing segment (2,12) → (2,2)
    EXPECT_EQ(Row(2, 2, 14), "###########.");
    EXPECT_EQ(Px(3, 3), clRed);
    EXPECT_EQ(Px(9, 9), clWhite);

    // A self-intersecting star: the inner pentagon is outside under the alternate rule.
    Fill(clWhite);
    C->Pen()->SetStyle(psClear);
    std::vector<TPoint> star;
    for (int i = 0; i < 5; ++i) {
        const double a = -M_PI / 2 + (i * 2 % 5) * 2 * M_PI / 5;
        star.push_back({static_cast<int>(std::lround(20 + 18 * std::cos(a))),
                        static_cast<int>(std::lround(20 + 18 * std::sin(a)))});
    }
    C->Polygon(star);
    EXPECT_EQ(Px(20, 20), clWhite);
    EXPECT_EQ(Px(20, 6), clRed);
    EXPECT_EQ(Px(6, 15), clRed);
}

TEST_F(CanvasTest, DrawFocusRectInvertsEveryOtherPixelAndTwiceRestores) {
    Fill(clRed);
    C->DrawFocusRect({2, 2, 8, 6});
    EXPECT_EQ(Row(2, 0, 9, clAqua), "..#.#.#..");
    EXPECT_EQ(Row(2, 0, 9, clRed), "##.#.#.##");
    EXPECT_EQ(Column(2, 2, 7, clAqua), "#.#..");
    EXPECT_EQ(Column(7, 2, 7, clAqua), ".#.#.");
    EXPECT_EQ(Px(4, 4), clRed);  // inside untouched
    C->DrawFocusRect({2, 2, 8, 6});
    EXPECT_EQ(Count(clRed), 40 * 40);
}

TEST_F(CanvasTest, PatternBrushTilesFromDeviceOrigin) {
    TBitmap pattern(2, 2);
    pattern.ScanLine(0)[0] = PixelFromColor(clBlack);
    pattern.ScanLine(1)[1] = PixelFromColor(clBlack);
    C->Brush()->SetStyle(bsClear);
    C->Brush()->SetBitmap(&pattern);
    EXPECT_EQ(C->Brush()->Style(), bsSolid);
    C->SetViewportOrigin({1, 0});  // moving the origin does not move the pattern
    C->FillRect({0, 0, 6, 2});
    EXPECT_EQ(Row(0, 0, 8), "..#.#.#.");  // black where device x and y are both even…
    EXPECT_EQ(Row(1, 0, 8), ".#.#.#..");  // …or both odd

    // A canvas bound inside a larger surface aligns the pattern to its own device (0, 0).
    Fill(clWhite);
    TCanvas inner;
    inner.Bind(&Bmp, {3, 3}, {3, 3, 20, 20});
    inner.Brush()->SetBitmap(&pattern);
    inner.FillRect({0, 0, 4, 1});
    EXPECT_EQ(Row(3, 0, 8), "...#.#..");
}

// ---------------------------------------------------------------- pixels, clip and origin

TEST_F(CanvasTest, PixelsUseLogicalCoordinatesAndClipOnWrite) {
    C->SetViewportOrigin({5, 5});
    C->SetPixels(1, 1, clRed);
    EXPECT_EQ(Px(6, 6), clRed);
    EXPECT_EQ(C->Pixels(1, 1), clRed);
    EXPECT_EQ(C->Pixels(-6, 0), clNone);  // outside the surface
    C->IntersectClipRect({0, 0, 2, 2});
    C->SetPixels(3, 3, clRed);
    EXPECT_EQ(Px(8, 8), clWhite);
    C->SetPixels(1, 0, clBtnShadow);
    EXPECT_EQ(Px(6, 5), RGB(172, 168, 153));
    C->SetPixels(0, 0, clNone);
    EXPECT_EQ(Px(5, 5), clWhite);
}

TEST_F(CanvasTest, ClipIsTheBindingAndRegionAndViewportOriginShiftsDrawing) {
    TCanvas c;
    c.Bind(&Bmp, {5, 5}, {5, 5, 15, 15});
    c.SetViewportOrigin({2, 2});
    EXPECT_EQ(c.ClipRect(), (TRect{-2, -2, 8, 8}));
    c.Brush()->SetColor(clRed);
    c.FillRect({-100, -100, 100, 100});
    EXPECT_EQ(Row(7, 4, 16, clRed), ".##########.");
    EXPECT_EQ(Px(5, 4), clWhite);
    EXPECT_EQ(Px(15, 15), clWhite);
    EXPECT_EQ(Count(clRed), 100);

    // A selected region (device coordinates) narrows it further.
    Fill(clWhite);
    const HRGN rgn = CreateRectRgn(1, 1, 3, 4);
    c.SelectClipRgn(rgn);
    EXPECT_EQ(c.ClipRect(), (TRect{-1, -1, 1, 2}));
    c.FillRect({-100, -100, 100, 100});
    EXPECT_EQ(Count(clRed), 6);
    EXPECT_EQ(Px(6, 6), clRed);  // device (1, 1) = surface (6, 6)
    c.SelectClipRgn(nullptr);
    EXPECT_EQ(c.ClipRect(), (TRect{-2, -2, 8, 8}));
}

TEST_F(CanvasTest, IntersectClipRectConvertsAtTheTimeOfTheCall) {
    C->OffsetViewportOrigin(10, 10);
    C->IntersectClipRect({0, 0, 5, 5});  // device (10, 10, 15, 15)
    C->SetViewportOrigin({0, 0});
    EXPECT_EQ(C->ClipRect(), (TRect{10, 10, 15, 15}));
    C->Brush()->SetColor(clRed);
    C->FillRect({0, 0, 40, 40});
    EXPECT_EQ(Count(clRed), 25);
    EXPECT_EQ(Px(10, 10), clRed);
    EXPECT_EQ(Px(15, 15), clWhite);

    C->ExcludeClipRect({11, 11, 14, 14});
    C->Brush()->SetColor(clBlue);
    C->FillRect({0, 0, 40, 40});
    EXPECT_EQ(Count(clBlue), 16);
    EXPECT_EQ(Px(12, 12), clRed);

    // Lines and pixels obey the same clip.
    C->MoveTo(0, 10);
    C->LineTo(40, 10);
    EXPECT_EQ(Row(10, 8, 17), "..#####..");
}

TEST_F(CanvasTest, ExcludeClipRectWithoutRegionStartsFromTheBinding) {
    C->ExcludeClipRect({0, 0, 39, 40});
    C->Brush()->SetColor(clRed);
    C->FillRect({0, 0, 40, 40});
    EXPECT_EQ(Count(clRed), 40);
    EXPECT_EQ(C->ClipRect(), (TRect{39, 0, 40, 40}));
}

TEST_F(CanvasTest, SaveDCAndRestoreDCNest) {
    C->Pen()->SetColor(clRed);
    EXPECT_EQ(C->SaveDC(), 1);
    C->Pen()->SetColor(clLime);
    C->Brush()->SetStyle(bsClear);
    C->SetViewportOrigin({3, 4});
    C->SetTextAlign(TA_RIGHT | TA_BASELINE);
    C->MoveTo(7, 8);
    EXPECT_EQ(C->SaveDC(), 2);
    C->Pen()->SetColor(clBlue);
    C->IntersectClipRect({0, 0, 1, 1});
    C->SetCopyMode(cmSrcInvert);
    C->Font()->SetHeight(-20);
    EXPECT_EQ(C->SaveDC(), 3);
    C->Pen()->SetWidth(5);

    EXPECT_TRUE(C->RestoreDC(-1));  // back to what was saved as 3
    EXPECT_EQ(C->Pen()->Width(), 1);
    EXPECT_EQ(C->Pen()->Color(), clBlue);
    EXPECT_EQ(C->Font()->Height(), -20);

    EXPECT_TRUE(C->RestoreDC(2));
    EXPECT_EQ(C->Pen()->Color(), clLime);
    EXPECT_EQ(C->ViewportOrigin(), (TPoint{3, 4}));
    EXPECT_EQ(C->ClipRect(), (TRect{-3, -4, 37, 36}));
    EXPECT_EQ(C->CopyMode(), cmSrcCopy);
    EXPECT_EQ(C->PenPos(), (TPoint{7, 8}));
    EXPECT_EQ(C->TextAlign(), TA_RIGHT | TA_BASELINE);
    EXPECT_FALSE(C->RestoreDC(2));  // consumed

    EXPECT_EQ(C->SaveDC(), 2);
    EXPECT_TRUE(C->RestoreDC(1));  // restoring 1 drops 2 as well
    EXPECT_EQ(C->Pen()->Color(), clRed);
    EXPECT_EQ(C->Brush()->Style(), bsSolid);
    EXPECT_EQ(C->ViewportOrigin(), (TPoint{0, 0}));
    EXPECT_EQ(C->TextAlign(), TA_LEFT | TA_TOP);
    EXPECT_FALSE(C->RestoreDC(-1));
    EXPECT_FALSE(C->RestoreDC(0));

    {
        TCanvasStateSaver saver(C);
        C->SetViewportOrigin({9, 9});
    }
    EXPECT_EQ(C->ViewportOrigin(), (TPoint{0, 0}));
}

// ---------------------------------------------------------------- copies

TEST_F(CanvasTest, CopyRectPlainInvertAndStretch) {
    TBitmap src(4, 4);
    src.Canvas()->Brush()->SetColor(clBlue);
    src.Canvas()->FillRect({0, 0, 2, 2});
    src.Canvas()->Brush()->SetColor(clRed);
    src.Canvas()->FillRect({2, 2, 4, 4});

    Fill(clLime);
    C->CopyRect({10, 10, 14, 14}, src.Canvas(), {0, 0, 4, 4});
    EXPECT_EQ(Px(10, 10), clBlue);
    EXPECT_EQ(Px(13, 13), clRed);
    EXPECT_EQ(Px(12, 10), clWhite);
    EXPECT_EQ(Px(14, 14), clLime);

    // An inverting copy drawn twice leaves the picture as it was.
    C->SetCopyMode(cmSrcInvert);
    C->CopyRect({0, 0, 4, 4}, src.Canvas(), {0, 0, 4, 4});
    EXPECT_EQ(Px(0, 0), clAqua);     // lime xor blue
    EXPECT_EQ(Px(3, 0), clFuchsia);  // lime xor white
    C->CopyRect({0, 0, 4, 4}, src.Canvas(), {0, 0, 4, 4});
    EXPECT_EQ(Count(clLime), 40 * 40 - 16);

    // Nearest-neighbour stretching: each source pixel becomes a 2 x 2 block, or every
    // second one is sampled.
    C->SetCopyMode(cmSrcCopy);
    C->CopyRect({20, 20, 28, 28}, src.Canvas(), {0, 0, 4, 4});
    EXPECT_EQ(Row(20, 20, 28, clBlue), "####....");
    EXPECT_EQ(Row(27, 20, 28, clRed), "....####");
    Fill(clLime);
    C->CopyRect({0, 0, 2, 2}, src.Canvas(), {0, 0, 4, 4});
    EXPECT_EQ(Px(0, 0), clBlue);
    EXPECT_EQ(Px(1, 1), clRed);
    EXPECT_EQ(Px(1, 0), clWhite);
}

TEST_F(CanvasTest, CopyRectWithinOneSurfaceReadsBeforeWriting) {
    for (int x = 0; x < 6; ++x) Bmp.ScanLine(0)[x] = PixelFromColor(RGB(x, 0, 0));
    C->CopyRect({1, 0, 7, 1}, C, {0, 0, 6, 1});
    for (int x = 1; x < 7; ++x) EXPECT_EQ(Px(x, 0), RGB(x - 1, 0, 0)) << x;
}

TEST_F(CanvasTest, DrawAndStretchDrawRespectTransparency) {
    TBitmap pic(3, 2);
    pic.Canvas()->Brush()->SetColor(clBlue);
    pic.Canvas()->FillRect({0, 0, 3, 2});
    pic.Canvas()->SetPixels(0, 1, clRed);  // bottom-left: the automatic transparent colour
    pic.Canvas()->SetPixels(2, 0, clRed);
    Fill(clLime);
    C->Draw(5, 5, &pic);
    EXPECT_EQ(Px(5, 6), clRed);

    pic.Transparent = true;
    Fill(clLime);
    C->Draw(5, 5, &pic);
    EXPECT_EQ(Row(5, 4, 9, clBlue), ".##..");
    EXPECT_EQ(Px(7, 5), clLime);
    EXPECT_EQ(Px(5, 6), clLime);

    pic.TransparentColor = clBlue;
    Fill(clLime);
    C->StretchDraw({0, 0, 6, 4}, &pic);
    EXPECT_EQ(Row(0, 0, 7, clRed), "....##.");
    EXPECT_EQ(Row(3, 0, 7, clRed), "##.....");
    EXPECT_EQ(Count(clRed), 8);
}

TEST_F(CanvasTest, BlendSurfacePixelMixesByCoverage) {
    C->BlendSurfacePixel(1, 1, clBlack, 128);
    EXPECT_EQ(Px(1, 1), RGB(127, 127, 127));
    C->BlendSurfacePixel(2, 2, clBtnText, 255);
    EXPECT_EQ(Px(2, 2), clBlack);
    C->IntersectClipRect({0, 0, 3, 3});
    EXPECT_FALSE(C->SurfaceVisible(3, 3));
    C->BlendSurfacePixel(3, 3, clBlack, 255);
    EXPECT_EQ(Px(3, 3), clWhite);
}
