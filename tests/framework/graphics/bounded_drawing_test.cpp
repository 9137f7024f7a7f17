// Drawing whose work is bounded by what is visible: lines cut against the clip box, regions
// built over the clipped rows only, shapes of any size up to the integer limits. The pixels
// must be exactly those of drawing the whole shape step by step, which a plain reference
// walk here computes for comparison.
#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "framework/graphics/canvas.h"

namespace {

constexpr int kW = 37, kH = 23;

// The pixels one segment covers, every step walked: step k at round(k * d / steps), halves
// away from the start, the end point left out. Dash phase counts every step.
template <class F>
void WalkSegment(int64_t ax, int64_t ay, int64_t bx, int64_t by, int64_t phase, F visit) {
    const int64_t dx = bx - ax, dy = by - ay;
    const int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy, steps = std::max(adx, ady);
    for (int64_t k = 0; k < steps; ++k) {
        const int64_t ox = (steps + 2 * k * adx) / (2 * steps), oy = (steps + 2 * k * ady) / (2 * steps);
        visit(ax + (dx < 0 ? -ox : ox), ay + (dy < 0 ? -oy : oy), phase + k);
    }
}

bool DotOn(int64_t phase) { return phase % 6 < 3; }  // psDot: 3 on, 3 off

TColor InvertedWhite(TColor c) { return RGB(255 - GetRValue(c), 255 - GetGValue(c), 255 - GetBValue(c)); }

constexpr TColor kPen = RGB(255, 255, 0), kBrush = RGB(0, 255, 255);

// The expected picture of a polyline on a white kW x kH surface at the given viewport origin:
// kPen on the pen's pixels, kBrush on the gaps of a dotted pen (both xor white in pmXor).
std::vector<TColor> Reference(const std::vector<TPoint>& pts, TPoint origin, int width, bool dotted, bool xorMode) {
    std::vector<TColor> px(kW * kH, clWhite);
    std::set<std::pair<int64_t, int64_t>> on, gaps;
    int64_t phase = 0;
    for (std::size_t i = 0; i + 1 < pts.size(); ++i) {
        const int half = width / 2;
        WalkSegment(int64_t{pts[i].X} + origin.X, int64_t{pts[i].Y} + origin.Y, int64_t{pts[i + 1].X} + origin.X,
                    int64_t{pts[i + 1].Y} + origin.Y, phase, [&](int64_t px0, int64_t py0, int64_t ph) {
                        if (px0 < -half || py0 < -half || px0 > kW + half || py0 > kH + half) return;
                        const bool isOn = !dotted || DotOn(ph);
                        for (int64_t y = py0 - half; y < py0 - half + width; ++y)
                            for (int64_t x = px0 - half; x < px0 - half + width; ++x)
                                if (x >= 0 && y >= 0 && x < kW && y < kH) (isOn ? on : gaps).insert({x, y});
                    });
        phase += std::max(std::abs(int64_t{pts[i + 1].X} - pts[i].X), std::abs(int64_t{pts[i + 1].Y} - pts[i].Y));
    }
    for (const auto& [x, y] : gaps)
        if (!on.count({x, y})) px[y * kW + x] = xorMode ? InvertedWhite(kBrush) : kBrush;
    for (const auto& [x, y] : on) px[y * kW + x] = xorMode ? InvertedWhite(kPen) : kPen;
    return px;
}

std::vector<TColor> Picture(TBitmap& b) {
    std::vector<TColor> px;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) px.push_back(ColorFromPixel(b.ScanLine(y)[x]));
    return px;
}

}  // namespace

// Random polylines whose points lie far outside the surface, in every pen kind: the cut
// walk gives exactly the pixels of the full walk.
TEST(BoundedDrawing, LinesCutAgainstTheClipKeepEveryPixel) {
    std::mt19937 random(14);
    std::uniform_int_distribution<int> near(-400, 400), far(-300000, 300000);
    for (int round = 0; round < 600; ++round) {
        std::vector<TPoint> pts;
        const int n = 2 + round % 3;
        for (int i = 0; i < n; ++i) {
            const bool wide = round % 5 == 0;
            pts.push_back({wide ? far(random) : near(random), wide ? far(random) : near(random)});
        }
        const int width = round % 4 == 3 ? 1 + round % 7 : 1;
        const bool dotted = width == 1 && round % 2 == 1;
        const bool xorMode = round % 8 == 7;
        const TPoint origin{round % 3 - 1, (round % 5) - 2};

        TBitmap b(kW, kH);
        TCanvas* c = b.Canvas();
        c->SetViewportOrigin(origin);
        c->Pen()->SetColor(kPen);
        c->Pen()->SetWidth(width);
        c->Pen()->SetStyle(dotted ? psDot : psSolid);
        c->Pen()->SetMode(xorMode ? pmXor : pmCopy);
        c->Brush()->SetColor(kBrush);
        c->Polyline(pts);
        ASSERT_EQ(Picture(b), Reference(pts, origin, width, dotted, xorMode))
            << "round " << round << " from " << pts[0].X << "," << pts[0].Y << " to " << pts[1].X << "," << pts[1].Y;
    }
}

// Lines of any length, up to the integer limits and beyond them through the viewport origin,
// draw what crosses the surface and nothing else.
TEST(BoundedDrawing, LinesAtTheIntegerLimits) {
    TBitmap b(kW, kH);
    TCanvas* c = b.Canvas();
    c->Pen()->SetColor(clRed);
    c->MoveTo(INT_MIN, 5);
    c->LineTo(INT_MAX, 5);  // a horizontal line right across
    for (int x = 0; x < kW; ++x) EXPECT_EQ(ColorFromPixel(b.ScanLine(5)[x]), clRed) << x;
    c->MoveTo(INT_MIN, INT_MIN);
    c->LineTo(INT_MAX, INT_MAX);  // 2^32 - 1 steps of exactly one pixel on each axis
    for (int i = 0; i < kH; ++i) EXPECT_EQ(ColorFromPixel(b.ScanLine(i)[i]), clRed) << i;

    // Nothing near the limits wraps onto the surface.
    TBitmap clean(kW, kH);
    TCanvas* d = clean.Canvas();
    d->Pen()->SetColor(clRed);
    d->SetViewportOrigin({INT_MAX, INT_MAX});
    d->MoveTo(INT_MAX, INT_MAX);
    d->LineTo(INT_MAX - 5, INT_MAX - 9);
    d->SetViewportOrigin({INT_MIN, 0});
    d->MoveTo(INT_MIN, 3);
    d->LineTo(INT_MIN + 100, 3);
    for (TColor px : Picture(clean)) ASSERT_EQ(px, clWhite);
}

TEST(BoundedDrawing, HugeRectanglesFramesAndFocusRectanglesDrawTheirVisibleEdges) {
    TBitmap b(kW, kH);
    TCanvas* c = b.Canvas();
    c->Brush()->SetColor(clBlue);
    c->FrameRect({-1000000000, 4, 1000000000, 9});  // its top and bottom rows cross the surface
    for (int x = 0; x < kW; ++x) {
        EXPECT_EQ(ColorFromPixel(b.ScanLine(4)[x]), clBlue);
        EXPECT_EQ(ColorFromPixel(b.ScanLine(8)[x]), clBlue);
        EXPECT_EQ(ColorFromPixel(b.ScanLine(6)[x]), clWhite);
    }
    c->Brush()->SetColor(clGreen);
    c->FrameRect({INT_MIN, INT_MIN, INT_MAX, INT_MAX});  // all of it outside
    c->FillRect({INT_MIN, 20, INT_MAX, INT_MAX});
    for (int x = 0; x < kW; ++x) EXPECT_EQ(ColorFromPixel(b.ScanLine(22)[x]), clGreen);
    EXPECT_EQ(ColorFromPixel(b.ScanLine(19)[0]), clWhite);

    // The focus rectangle's checker counts from its own corner, far away.
    TBitmap f(kW, kH);
    TCanvas* fc = f.Canvas();
    fc->DrawFocusRect({-1000000001, 2, 1000000000, 1 << 30});
    for (int x = 0; x < kW; ++x) EXPECT_EQ(ColorFromPixel(f.ScanLine(2)[x]), x % 2 == 0 ? clWhite : clBlack) << x;
    for (int y = 3; y < kH; ++y)
        for (int x = 0; x < kW; ++x) ASSERT_EQ(ColorFromPixel(f.ScanLine(y)[x]), clWhite);
    fc->DrawFocusRect({-1000000001, 2, 1000000000, 1 << 30});
    for (TColor px : Picture(f)) ASSERT_EQ(px, clWhite);
    fc->DrawFocusRect({INT_MIN, INT_MIN, INT_MAX, INT_MAX});
    fc->DrawFocusRect({3, INT_MIN, 4, INT_MAX});  // one column: the left side alone
    for (int y = 0; y < kH; ++y) EXPECT_EQ(ColorFromPixel(f.ScanLine(y)[3]), y % 2 == 0 ? clBlack : clWhite) << y;

    TBitmap r(kW, kH);
    r.Canvas()->Rectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX);  // the fill covers the surface
    for (TColor px : Picture(r)) ASSERT_EQ(px, clWhite);
    r.Canvas()->Brush()->SetColor(clRed);
    r.Canvas()->Rectangle(-5, INT_MIN, INT_MAX, 10);
    EXPECT_EQ(ColorFromPixel(r.ScanLine(9)[5]), clBlack);  // the bottom edge
    EXPECT_EQ(ColorFromPixel(r.ScanLine(8)[5]), clRed);
}

// Polygons and regions of any height keep one band per change, not one row per pixel.
TEST(BoundedDrawing, TallPolygonsAndRegionsFillOnlyTheClippedRows) {
    const HRGN tall = CreateRectRgn(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    EXPECT_EQ(tall->Bands().size(), 1u);
    EXPECT_TRUE(PtInRegion(tall, 0, 0));
    EXPECT_TRUE(PtInRegion(tall, INT_MAX - 1, INT_MIN));
    EXPECT_FALSE(PtInRegion(tall, INT_MAX, 0));

    TBitmap b(kW, kH);
    TCanvas* c = b.Canvas();
    c->Brush()->SetColor(clNavy);
    c->FillRegion(*tall);
    for (TColor px : Picture(b)) ASSERT_EQ(px, clNavy);

    // A triangle a billion pixels tall: the visible rows match the same triangle's region.
    const TPoint tri[] = {{-1000000000, -1000000000}, {1000000000, 1000000000}, {-1000000000, 1000000000}};
    TBitmap p(kW, kH);
    p.Canvas()->Brush()->SetColor(clRed);
    p.Canvas()->Pen()->SetStyle(psClear);
    p.Canvas()->Polygon(tri, 3);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            ASSERT_EQ(ColorFromPixel(p.ScanLine(y)[x]), x < y ? clRed : clWhite) << x << "," << y;

    // The clipped builder agrees with building the whole and cutting it, for any polygon.
    std::mt19937 random(7);
    std::uniform_int_distribution<int> coord(-60, 60);
    for (int round = 0; round < 300; ++round) {
        std::vector<TPoint> pts(3 + round % 5);
        for (TPoint& q : pts) q = {coord(random), coord(random)};
        const int left = coord(random) / 2, top = coord(random) / 2;
        const TRect box{left, top, left + 1 + round % 40, top + 1 + round % 30};
        ASSERT_EQ(TRegion::FromPolygon(pts.data(), static_cast<int>(pts.size()), box),
                  TRegion::FromPolygon(pts).Intersect(box))
            << round;
    }
}

TEST(BoundedDrawing, RegionsOfTouchingEqualRowsAreOneBand) {
    const TRegion a = TRegion::FromRect({0, 0, 5, 3}).Union(TRegion::FromRect({0, 3, 5, 9}));
    EXPECT_EQ(a.Bands().size(), 1u);
    EXPECT_EQ(a, TRegion::FromRect({0, 0, 5, 9}));
    // A frame: top band, the two sides, bottom band.
    const TRegion frame = TRegion::FromRect({0, 0, 5, 1000000}).Subtract(TRegion::FromRect({1, 1, 4, 999999}));
    EXPECT_EQ(frame.Bands().size(), 3u);
    EXPECT_EQ(frame.RowSpans(500000).size(), 2u);
    EXPECT_EQ(frame.Bounds(), (TRect{0, 0, 5, 1000000}));
    // Moving past the integer limits stops there instead of wrapping.
    const TRegion moved = TRegion::FromRect({INT_MAX - 10, 0, INT_MAX, 5}).Offset(100, 0);
    EXPECT_TRUE(moved.Empty());
    EXPECT_EQ(TRegion::FromRows(INT_MAX - 1, {{{0, 2}}, {{0, 2}}}).Bounds(), (TRect{0, INT_MAX - 1, 2, INT_MAX}));
}
