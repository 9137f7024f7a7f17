// Frame painters, colour arithmetic, gradients and the arrow glyph, checked pixel by pixel on
// small bitmaps.
#include "controls/vt_draw.h"

#include <gtest/gtest.h>

#include <climits>

#include <functional>
#include <string>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"

namespace {

constexpr TColor kBackground = RGB(1, 2, 3);  // "untouched"
constexpr TColor kRed = RGB(255, 0, 0);
constexpr TColor kBlue = RGB(0, 0, 255);

TColor Rgb(TColor c) { return ColorToRGB(c); }

// A bitmap filled with kBackground.
class Surface {
public:
    Surface(int w, int h) : FBitmap(w, h) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) FBitmap.ScanLine(y)[x] = PixelFromColor(kBackground);
    }
    TCanvas* Canvas() { return FBitmap.Canvas(); }
    TColor At(int x, int y) const { return ColorFromPixel(FBitmap.ScanLine(y)[x]); }

    // Compares every pixel with expected(x, y); reports the first few differences.
    void Expect(const std::function<TColor(int, int)>& expected) const {
        int failures = 0;
        for (int y = 0; y < FBitmap.Height(); ++y)
            for (int x = 0; x < FBitmap.Width(); ++x) {
                const TColor want = Rgb(expected(x, y));
                if (At(x, y) != want && failures++ < 5)
                    ADD_FAILURE() << "pixel (" << x << ", " << y << ") is 0x" << std::hex << At(x, y) << ", expected 0x"
                                  << want;
            }
    }

private:
    TBitmap FBitmap;
};

std::string Str(const TRect& r) {
    return "(" + std::to_string(r.Left) + ", " + std::to_string(r.Top) + ", " + std::to_string(r.Right) + ", " +
           std::to_string(r.Bottom) + ")";
}
#define EXPECT_RECT(r, l, t, ri, b) EXPECT_EQ(Str(r), Str(TRect{l, t, ri, b}))

// The ring of a rectangle at distance d from its outline.
bool OnRing(int x, int y, int w, int h, int d) {
    const bool inside = x >= d && y >= d && x < w - d && y < h - d;
    const bool inner = x >= d + 1 && y >= d + 1 && x < w - d - 1 && y < h - d - 1;
    return inside && !inner;
}

}  // namespace

// ---------------------------------------------------------------- vocabulary

static_assert(TFrameStyleEx(fsFlat) == fsFlat && int(fsFlatRounded) == 11);
static_assert(TFrameStyle(TFrameStyleEx(4)) == fsLowered && TFrameStyle(10) == fsFlatBold);
static_assert(AllSides.Bits() == 15 && TSides{sdLeft, sdBottom}.Bits() == 9);

TEST(FrameThickness, PerStyle) {
    EXPECT_EQ(FrameThickness(fsNone, 5), 0);
    EXPECT_EQ(FrameThickness(fsFlat, 5), 1);
    EXPECT_EQ(FrameThickness(fsStatus, 5), 5);
    EXPECT_EQ(FrameThickness(fsPopup, 3), 3);
    for (TFrameStyleEx s :
         {TFrameStyleEx(fsGroove), TFrameStyleEx(fsBump), TFrameStyleEx(fsLowered), TFrameStyleEx(fsButtonDown),
          TFrameStyleEx(fsRaised), TFrameStyleEx(fsButtonUp), TFrameStyleEx(fsFlatBold), fsFlatRounded})
        EXPECT_EQ(FrameThickness(s, 5), 2) << int(s);
}

// ---------------------------------------------------------------- edge lines and bands

TEST(EdgeLines, LowerRightLinesWinTheirCorners) {
    Surface s(10, 5);
    EXPECT_RECT(PaintEdgeLines(s.Canvas(), {0, 0, 10, 5}, kRed, kBlue, AllSides), 1, 1, 9, 4);
    s.Expect([](int x, int y) {
        if (x == 9 || y == 4) return kBlue;
        if (x == 0 || y == 0) return kRed;
        return kBackground;
    });
}

TEST(EdgeLines, OnlyRequestedSidesDrawAndMove) {
    Surface s(10, 5);
    EXPECT_RECT(PaintEdgeLines(s.Canvas(), {0, 0, 10, 5}, kRed, kBlue, {sdLeft, sdTop}), 1, 1, 10, 5);
    s.Expect([](int x, int y) { return x == 0 || y == 0 ? kRed : kBackground; });

    Surface r(6, 4);
    EXPECT_RECT(PaintEdgeLines(r.Canvas(), {0, 0, 6, 4}, kRed, kBlue, {sdRight}), 0, 0, 5, 4);
    r.Expect([](int x, int) { return x == 5 ? kBlue : kBackground; });
}

TEST(EdgeLines, NoneDrawsNothingButStillMovesIn) {
    Surface s(6, 4);
    EXPECT_RECT(PaintEdgeLines(s.Canvas(), {0, 0, 6, 4}, clNone, kBlue, AllSides), 1, 1, 5, 3);
    s.Expect([](int x, int y) { return x == 5 || y == 3 ? kBlue : kBackground; });
    Surface t(6, 4);
    EXPECT_RECT(PaintEdgeBands(t.Canvas(), {0, 0, 6, 4}, clNone, clNone, 2, AllSides), 2, 2, 4, 2);
    t.Expect([](int, int) { return kBackground; });
}

TEST(EdgeBands, CountsOfZeroOrLessDrawNothing) {
    Surface s(6, 4);
    EXPECT_RECT(PaintEdgeBands(s.Canvas(), {0, 0, 6, 4}, kRed, kBlue, 0, AllSides), 0, 0, 6, 4);
    EXPECT_RECT(PaintEdgeBands(s.Canvas(), {0, 0, 6, 4}, kRed, kBlue, -3, AllSides), 0, 0, 6, 4);
    // fsStatus and fsPopup borders with a bevel width of 0.
    EXPECT_RECT(PaintOuterInnerFrames(s.Canvas(), {0, 0, 6, 4}, fsStatus, fsPopup, 0, AllSides, 0, kRed, kRed, kRed,
                                      kRed, 0, kRed, kRed, false, false),
                0, 0, 6, 4);
    s.Expect([](int, int) { return kBackground; });
}

TEST(EdgeBands, BandsNestAndSetThePenWidth) {
    Surface s(7, 6);
    s.Canvas()->Pen()->SetWidth(3);
    EXPECT_RECT(PaintEdgeBands(s.Canvas(), {0, 0, 7, 6}, kRed, kBlue, 2, AllSides), 2, 2, 5, 4);
    EXPECT_EQ(s.Canvas()->Pen()->Width(), 1);
    s.Expect([](int x, int y) {
        for (int d = 0; d < 2; ++d)
            if (OnRing(x, y, 7, 6, d)) return x == 6 - d || y == 5 - d ? kBlue : kRed;
        return kBackground;
    });
}

TEST(EdgeBands, BoundsTooSmallGiveAnInvertedRectangleAndNoStrayPixels) {
    Surface s(8, 8);
    // Three bands on a 4 × 3 rectangle: the third pass has negative height.
    EXPECT_RECT(PaintEdgeBands(s.Canvas(), {2, 2, 6, 5}, kRed, kRed, 3, AllSides), 5, 5, 3, 2);
    s.Expect([](int x, int y) { return x >= 2 && x < 6 && y >= 2 && y < 5 ? kRed : kBackground; });
    // An inverted rectangle draws nothing at all.
    Surface t(8, 8);
    EXPECT_RECT(PaintEdgeLines(t.Canvas(), {5, 5, 3, 2}, kRed, kBlue, AllSides), 6, 6, 2, 1);
    EXPECT_RECT(PaintFrameStyle(t.Canvas(), {5, 5, 3, 2}, fsRaised), 7, 7, 1, 0);
    t.Expect([](int, int) { return kBackground; });
}

// Any count of bands costs what the clip box can show: two billion bands draw what a
// hundred do, and the rectangle they leave saturates instead of wrapping.
TEST(EdgeBands, HugeCountsDrawWhatShowsAndMoveInAllTheWay) {
    for (TSides sides : {AllSides, TSides{sdLeft}, TSides{sdRight, sdBottom}}) {
        Surface few(12, 9), many(12, 9);
        const TRect a = PaintEdgeBands(few.Canvas(), {-3, 1, 10, 30}, kRed, kBlue, 100, sides);
        const TRect b = PaintEdgeBands(many.Canvas(), {-3, 1, 10, 30}, kRed, kBlue, INT_MAX, sides);
        few.Expect([&](int x, int y) { return many.At(x, y); });
        EXPECT_EQ(a.Left, sides.Contains(sdLeft) ? 97 : -3);
        EXPECT_EQ(b.Left, sides.Contains(sdLeft) ? -3 + INT_MAX : -3);
        EXPECT_EQ(b.Bottom, sides.Contains(sdBottom) ? 30 - INT_MAX : 30);
        EXPECT_EQ(many.Canvas()->Pen()->Color(), kBlue);
    }
    // The first band is drawn even where none shows, so the pen is left as it would be.
    Surface s(4, 4);
    s.Canvas()->Pen()->SetColor(kBackground);
    PaintEdgeBands(s.Canvas(), {100, 100, 120, 120}, kRed, kBlue, INT_MAX, AllSides);
    EXPECT_EQ(s.Canvas()->Pen()->Color(), kBlue);
    s.Expect([](int, int) { return kBackground; });
}

// ---------------------------------------------------------------- system-coloured frames

TEST(FrameStyle, GrooveEtchesTwoOffsetFrames) {
    Surface s(20, 10);
    EXPECT_RECT(PaintFrameStyle(s.Canvas(), {0, 0, 20, 10}, fsGroove, AllSides), 2, 2, 18, 8);
    s.Expect([](int x, int y) -> TColor {
        if (x == 19 || y == 9) return clBtnHighlight;
        if ((x == 0 && y <= 8) || (y == 0 && x <= 18)) return clBtnShadow;
        if ((x == 18 && y <= 8) || (y == 8 && x <= 18)) return clBtnShadow;
        if ((x == 1 && y >= 1 && y <= 7) || (y == 1 && x >= 1 && x <= 17)) return clBtnHighlight;
        return kBackground;
    });
}

TEST(FrameStyle, BumpOnTwoSidesPatchesItsOpenCorners) {
    Surface s(8, 6);
    EXPECT_RECT(PaintFrameStyle(s.Canvas(), {0, 0, 8, 6}, fsBump, {sdLeft, sdTop}), 2, 2, 8, 6);
    // A = highlight on the outer lines, Z = shadow on the inner ones; the open top-right and
    // bottom-left ends end in A.
    s.Expect([](int x, int y) -> TColor {
        if (x == 0 || y == 0) return clBtnHighlight;
        if ((x == 1 && y >= 1) || (y == 1 && x >= 1)) return clBtnShadow;
        return kBackground;
    });
}

struct TwoBandCase {
    TFrameStyle style;
    TColor outerUL, outerLR, innerUL, innerLR;
};

TEST(FrameStyle, EachStyleInItsSystemColours) {
    const TwoBandCase cases[] = {
        {fsLowered, clBtnShadow, clBtnHighlight, cl3DDkShadow, cl3DLight},
        {fsRaised, cl3DLight, cl3DDkShadow, clBtnHighlight, clBtnShadow},
        {fsButtonDown, clBtnText, clBtnText, clBtnShadow, clBtnShadow},
        {fsButtonUp, clBtnHighlight, cl3DDkShadow, cl3DLight, clBtnShadow},
        {fsFlatBold, clBtnShadow, clBtnShadow, clBtnShadow, clBtnShadow},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.style);
        Surface s(6, 6);
        EXPECT_RECT(PaintFrameStyle(s.Canvas(), {0, 0, 6, 6}, c.style), 2, 2, 4, 4);
        EXPECT_EQ(s.At(0, 2), Rgb(c.outerUL));
        EXPECT_EQ(s.At(2, 0), Rgb(c.outerUL));
        EXPECT_EQ(s.At(5, 2), Rgb(c.outerLR));
        EXPECT_EQ(s.At(2, 5), Rgb(c.outerLR));
        EXPECT_EQ(s.At(1, 2), Rgb(c.innerUL));
        EXPECT_EQ(s.At(4, 2), Rgb(c.innerLR));
        EXPECT_EQ(s.At(2, 4), Rgb(c.innerLR));
        EXPECT_EQ(s.At(2, 2), kBackground);
    }
    const TwoBandCase singles[] = {
        {fsFlat, cl3DDkShadow, cl3DDkShadow, 0, 0},
        {fsStatus, clBtnShadow, clBtnHighlight, 0, 0},
        {fsPopup, clBtnHighlight, clBtnShadow, 0, 0},
    };
    for (const auto& c : singles) {
        SCOPED_TRACE(c.style);
        Surface s(6, 6);
        EXPECT_RECT(PaintFrameStyle(s.Canvas(), {0, 0, 6, 6}, c.style), 1, 1, 5, 5);
        EXPECT_EQ(s.At(0, 2), Rgb(c.outerUL));
        EXPECT_EQ(s.At(5, 2), Rgb(c.outerLR));
        EXPECT_EQ(s.At(1, 2), kBackground);
    }
    Surface s(6, 6);
    EXPECT_RECT(PaintFrameStyle(s.Canvas(), {0, 0, 6, 6}, fsNone), 0, 0, 6, 6);
    s.Expect([](int, int) { return kBackground; });
}

TEST(FrameStyle, TintedStylesUseShadesOfTheBase) {
    const TColor c = RGB(244, 244, 240);
    // Its shades: darkened by 50 and by 100; lightened by 40, 50 or 100 it is white.
    const TColor d50 = RGB(199, 199, 179), d100 = RGB(154, 154, 118);
    const TColor l40 = clWhite, l50 = clWhite, l100 = clWhite;
    const TwoBandCase cases[] = {
        {fsLowered, d50, l100, d100, l50},    {fsRaised, l50, d100, l100, d50}, {fsButtonUp, l100, d100, l40, d50},
        {fsButtonDown, d100, d100, d50, d50}, {fsFlatBold, d50, d50, d50, d50},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.style);
        Surface s(6, 6);
        EXPECT_RECT(PaintTintedFrameStyle(s.Canvas(), {0, 0, 6, 6}, c, k.style), 2, 2, 4, 4);
        EXPECT_EQ(s.At(0, 2), k.outerUL);
        EXPECT_EQ(s.At(5, 2), k.outerLR);
        EXPECT_EQ(s.At(1, 2), k.innerUL);
        EXPECT_EQ(s.At(4, 2), k.innerLR);
    }
    Surface g(6, 6);
    EXPECT_RECT(PaintTintedFrameStyle(g.Canvas(), {0, 0, 6, 6}, c, fsGroove), 2, 2, 4, 4);
    EXPECT_EQ(g.At(0, 2), d50);   // A, outer left
    EXPECT_EQ(g.At(1, 2), l100);  // Z, inner left
    EXPECT_EQ(g.At(5, 2), l100);  // Z, outer right
    Surface p(6, 6);
    EXPECT_RECT(PaintTintedFrameStyle(p.Canvas(), {0, 0, 6, 6}, c, fsPopup), 1, 1, 5, 5);
    EXPECT_EQ(p.At(0, 2), l100);
    EXPECT_EQ(p.At(5, 2), d50);
}

// ---------------------------------------------------------------- rounded, outer/inner, edit, focus

TEST(RoundedFlatFrame, LeavesThreePixelsOfEachCorner) {
    Surface s(20, 10);
    EXPECT_RECT(PaintRoundedFlatFrame(s.Canvas(), {0, 0, 20, 10}, kRed, AllSides), 2, 2, 18, 8);
    s.Expect([](int x, int y) {
        const bool line = ((x == 0 || x == 19) && y >= 2 && y <= 7) || ((y == 0 || y == 9) && x >= 2 && x <= 17);
        const bool corner = (x == 1 || x == 18) && (y == 1 || y == 8);
        return line || corner ? kRed : kBackground;
    });
    Surface n(20, 10);
    EXPECT_RECT(PaintRoundedFlatFrame(n.Canvas(), {0, 0, 20, 10}, clNone, {sdTop}), 0, 2, 20, 10);
    n.Expect([](int, int) { return kBackground; });
}

TEST(OuterInnerFrames, EditorPanelBlackBandInsideAFlatFrame) {
    // BorderOuter fsNone, BorderInner fsFlat, BorderWidth 1, BorderColor clBlack,
    // FlatColor clBtnShadow lightened by FlatColorAdjustment 30.
    Surface s(8, 6);
    const TRect r =
        PaintOuterInnerFrames(s.Canvas(), {0, 0, 8, 6}, fsNone, fsFlat, 1, AllSides, 1, clBlack, clBtnHighlight,
                              clBtnShadow, clBtnShadow, 30, clBtnFace, clBtnFace, false, false);
    EXPECT_RECT(r, 2, 2, 6, 4);
    s.Expect([](int x, int y) {
        if (OnRing(x, y, 8, 6, 0)) return clBlack;
        if (OnRing(x, y, 8, 6, 1)) return RGB(201, 198, 188);
        return kBackground;
    });
}

TEST(OuterInnerFrames, BevelsRoundedFramesAndCutCorners) {
    Surface s(10, 10);
    const TColor hi = RGB(9, 9, 9), sh = RGB(8, 8, 8), border = RGB(7, 7, 7), ctl = RGB(6, 6, 6), parent = RGB(5, 5, 5);
    // Outer fsPopup of bevel 2, then an inner rounded frame on a control-coloured ring.
    const TRect r = PaintOuterInnerFrames(s.Canvas(), {0, 0, 10, 10}, fsPopup, fsFlatRounded, 0, AllSides, 2, border,
                                          hi, sh, kRed, 0, ctl, parent, false, false);
    EXPECT_RECT(r, 4, 4, 6, 6);
    EXPECT_EQ(s.At(0, 4), hi);
    EXPECT_EQ(s.At(1, 4), hi);
    EXPECT_EQ(s.At(9, 4), sh);
    EXPECT_EQ(s.At(2, 4), kRed);    // rounded frame line
    EXPECT_EQ(s.At(2, 2), border);  // cut corner shows the border ring
    EXPECT_EQ(s.At(3, 2), border);
    EXPECT_EQ(s.At(3, 3), kRed);  // corner pixel of the rounded frame
    EXPECT_EQ(s.At(4, 4), kBackground);

    // Outer fsFlatRounded, opaque: parent ring, then the border ring under the rounded frame.
    Surface o(10, 10);
    const TRect q = PaintOuterInnerFrames(o.Canvas(), {0, 0, 10, 10}, fsFlatRounded, fsNone, 1, AllSides, 1, border, hi,
                                          sh, kRed, 0, ctl, parent, false, false);
    EXPECT_RECT(q, 3, 3, 7, 7);
    EXPECT_EQ(o.At(0, 0), parent);
    EXPECT_EQ(o.At(1, 0), parent);
    EXPECT_EQ(o.At(0, 1), parent);
    EXPECT_EQ(o.At(0, 2), kRed);
    EXPECT_EQ(o.At(1, 1), kRed);
    EXPECT_EQ(o.At(2, 1), border);  // the ring inside, left as drawn where the frame does not go
    EXPECT_EQ(o.At(2, 2), border);  // the border band
    EXPECT_EQ(o.At(3, 3), kBackground);

    // Inner fsFlat with cut corners: four lines that spare the corner pixels.
    Surface c(6, 5);
    const TRect k = PaintOuterInnerFrames(c.Canvas(), {0, 0, 6, 5}, fsNone, fsFlat, 0, {sdLeft}, 1, border, hi, sh,
                                          kRed, 0, ctl, parent, true, true);
    EXPECT_RECT(k, 1, 1, 5, 4);
    c.Expect([](int x, int y) {
        const bool corner = (x == 0 || x == 5) && (y == 0 || y == 4);
        return OnRing(x, y, 6, 5, 0) && !corner ? kRed : kBackground;
    });
}

TEST(EditFrame, ErasesTwoRingsThenDrawsTheStyle) {
    Surface s(8, 6);
    PaintEditFrame(s.Canvas(), 8, 6, fsFlat, clWindow, clNavy, AllSides, false);
    s.Expect([](int x, int y) -> TColor {
        if (OnRing(x, y, 8, 6, 0)) return clNavy;
        if (OnRing(x, y, 8, 6, 1)) return clWindow;
        return kBackground;
    });
    Surface k(8, 6);
    PaintEditFrame(k.Canvas(), 8, 6, fsFlatBold, clMaroon, clNavy, {sdTop}, true);
    k.Expect([](int, int y) { return y <= 1 ? clNavy : kBackground; });

    Surface w(8, 6);  // clWindow: the system colours
    PaintEditFrame(w.Canvas(), 8, 6, fsLowered, clWindow, clNavy, AllSides, false);
    EXPECT_EQ(w.At(0, 2), Rgb(clBtnShadow));
    EXPECT_EQ(w.At(1, 2), Rgb(cl3DDkShadow));
    Surface t(8, 6);  // any other colour: shades of it
    PaintEditFrame(t.Canvas(), 8, 6, fsLowered, clMaroon, clNavy, AllSides, false);
    EXPECT_EQ(t.At(0, 2), RGB(21, 0, 0));     // clMaroon darkened by 50
    EXPECT_EQ(t.At(7, 2), RGB(255, 85, 85));  // ... lightened by 100
    EXPECT_EQ(t.At(2, 2), kBackground);
}

TEST(DottedFocusFrame, EveryOtherPixelFromTheCorner) {
    Surface s(7, 5);
    EXPECT_RECT(PaintDottedFocusFrame(s.Canvas(), {0, 0, 7, 5}), 1, 1, 6, 4);
    s.Expect([](int x, int y) {
        const bool column = (x == 0 || x == 6) && y % 2 == 1;
        const bool row = (y == 0 || y == 4) && x % 2 == 1;
        return column || row ? clBlack : kBackground;
    });
}

// ---------------------------------------------------------------- colour arithmetic

namespace {
struct Hsl {
    int h, s, l;
    friend bool operator==(const Hsl&, const Hsl&) = default;
};
Hsl Split(TColor c) {
    uint8_t h, s, l;
    SplitColorHsl(c, h, s, l);
    return {h, s, l};
}
std::ostream& operator<<(std::ostream& o, const Hsl& v) { return o << v.h << "," << v.s << "," << v.l; }
}  // namespace

TEST(ColorArithmetic, SplitAndJoin) {
    EXPECT_EQ(Split(RGB(255, 0, 0)), (Hsl{0, 240, 120}));
    EXPECT_EQ(Split(clWhite), (Hsl{0, 0, 240}));
    EXPECT_EQ(Split(RGB(128, 128, 128)), (Hsl{0, 0, 120}));
    EXPECT_EQ(Split(RGB(0, 255, 255)), (Hsl{120, 240, 120}));
    EXPECT_EQ(Split(RGB(244, 244, 240)), (Hsl{40, 37, 228}));
    EXPECT_EQ(Split(clBtnFace), Split(RGB(236, 233, 216)));  // system colours resolve
    EXPECT_EQ(JoinHslColor(0, 240, 120), RGB(255, 0, 0));
    // Hue is read out of 239: the blue that splits to hue 160 comes back with a little red.
    EXPECT_EQ(JoinHslColor(160, 240, 120), RGB(4, 0, 255));
    EXPECT_EQ(JoinHslColor(80, 240, 120), RGB(0, 255, 2));
    // Grey L / 240 × 255 with halves to even: 127.5 → 128, 76.5 → 76, 8.5 → 8.
    for (uint8_t h : {0, 77, 239}) {
        EXPECT_EQ(JoinHslColor(h, 0, 100), RGB(106, 106, 106));
        EXPECT_EQ(JoinHslColor(h, 0, 120), RGB(128, 128, 128));
        EXPECT_EQ(JoinHslColor(h, 0, 72), RGB(76, 76, 76));
        EXPECT_EQ(JoinHslColor(h, 0, 8), RGB(8, 8, 8));
    }
    EXPECT_EQ(JoinHslColor(40, 240, 0), clBlack);
    EXPECT_EQ(HueOfColor(RGB(0, 255, 125)), 100);
}

TEST(ColorArithmetic, DerivedColours) {
    for (TColor c : {clBlack, clWhite, RGB(244, 244, 240), clBtnShadow, RGB(255, 199, 60), clMaroon}) {
        EXPECT_EQ(LightenColor(c, 240), clWhite) << c;
        EXPECT_EQ(DarkenColor(c, 240), clBlack) << c;
    }
    EXPECT_EQ(ShiftColorLightness(clBtnShadow, 0), clBtnShadow);  // unresolved
    EXPECT_EQ(ShiftColorLightness(clBtnShadow, 30), RGB(201, 198, 188));
    EXPECT_EQ(ShiftColorLightness(RGB(244, 244, 240), -10), RGB(235, 235, 228));
    EXPECT_EQ(MixColors(clBlack, clWhite, 255), clBlack);
    EXPECT_EQ(MixColors(clBlack, clWhite, 0), clWhite);
    EXPECT_EQ(MixColors(clBlack, RGB(200, 100, 51), 30), RGB(176, 88, 45));
    EXPECT_TRUE(ColorsLookAlike(RGB(244, 244, 240), RGB(236, 233, 216)));
    EXPECT_FALSE(ColorsLookAlike(RGB(244, 244, 240), RGB(128, 128, 120)));  // lightness 60 apart
    EXPECT_FALSE(ColorsLookAlike(RGB(255, 0, 0), RGB(255, 255, 0)));        // hue 40 apart
    // Hue 100 turns to 220, hue 120 to 0.
    EXPECT_EQ(OppositeHueColor(RGB(0, 255, 125), 120), RGB(255, 0, 122));  // hue 220
    EXPECT_EQ(OppositeHueColor(RGB(0, 255, 255), 120), RGB(255, 0, 0));
    EXPECT_TRUE(DisplayHasManyColors());
}

// The window's buttons: Color 15791348, HotTrackColor 3983359, HighlightColor 16026986.
TEST(ColorArithmetic, ButtonShades) {
    const TColor color = 15791348, hotTrack = 3983359, highlight = 16026986;
    ASSERT_EQ(color, RGB(244, 244, 240));
    // Shaded face, top rows, body, lower-right shades.
    EXPECT_EQ(LightenColor(color, 20), RGB(255, 255, 255));
    EXPECT_EQ(LightenColor(color, 15), RGB(255, 255, 255));
    EXPECT_EQ(LightenColor(color, 10), RGB(253, 253, 253));
    EXPECT_EQ(DarkenColor(color, 10), RGB(235, 235, 228));
    EXPECT_EQ(DarkenColor(color, 20), RGB(226, 226, 216));
    EXPECT_EQ(DarkenColor(color, 30), RGB(217, 217, 203));
    // Dark ring.
    EXPECT_EQ(DarkenColor(color, 150), RGB(96, 96, 70));
    // Hot rings (htctComplement).
    const TColor hotUL = OppositeHueColor(hotTrack, 180), hotLR = DarkenColor(hotUL, 30);
    EXPECT_EQ(hotUL, RGB(128, 161, 255));
    EXPECT_EQ(hotLR, RGB(64, 109, 255));
    EXPECT_EQ(DarkenColor(hotUL, 10), RGB(106, 141, 255));
    EXPECT_EQ(LightenColor(hotLR, 10), RGB(85, 121, 255));
    // Focus rings.
    const TColor focusUL = JoinHslColor(HueOfColor(highlight), 220, 220), focusLR = DarkenColor(focusUL, 30);
    EXPECT_EQ(focusUL, RGB(214, 223, 253));
    EXPECT_EQ(focusLR, RGB(154, 174, 250));
    EXPECT_EQ(DarkenColor(focusUL, 10), RGB(194, 206, 252));
    EXPECT_EQ(LightenColor(focusLR, 10), RGB(174, 188, 251));
    // Pressed face and disabled ring.
    EXPECT_EQ(DarkenColor(color, 10), RGB(235, 235, 228));
    EXPECT_EQ(DarkenColor(color, 80), RGB(172, 172, 142));
}

// ---------------------------------------------------------------- gradient

TEST(Gradient, HorizontalEndRowsInFixedPointSteps) {
    Surface s(22, 9);
    PaintGradient(s.Canvas(), {1, 1, 21, 8}, gdHorizontalEnd, RGB(200, 100, 0), RGB(0, 100, 250), 1);
    // Seven rows: Δ red = 200 × 65536 / 7, Δ blue = −250 × 65536 / 7, truncated.
    const TColor rows[7] = {RGB(171, 100, 35), RGB(142, 100, 71), RGB(114, 100, 107), RGB(85, 100, 142),
                            RGB(57, 100, 178), RGB(28, 100, 214), RGB(0, 100, 250)};
    s.Expect([&](int x, int y) { return x >= 1 && x < 21 && y >= 1 && y < 8 ? rows[y - 1] : kBackground; });
}

TEST(Gradient, VerticalEndColumnsInFixedPointSteps) {
    Surface s(11, 10);
    PaintGradient(s.Canvas(), {0, 0, 11, 10}, gdVerticalEnd, RGB(10, 250, 128), RGB(250, 10, 64), 1);
    for (int y : {0, 7, 9}) {
        EXPECT_EQ(s.At(0, y), RGB(31, 228, 122));
        EXPECT_EQ(s.At(5, y), RGB(140, 119, 93));
        EXPECT_EQ(s.At(10, y), RGB(250, 10, 64));
    }
}

TEST(Gradient, OtherPatterns) {
    // One colour: every pattern is solid.
    for (int d = gdDiagonalUp; d <= gdBigSquareBox; ++d) {
        Surface s(9, 7);
        PaintGradient(s.Canvas(), {0, 0, 9, 7}, TGradientDirection(d), clBtnFace, RGB(236, 233, 216), 1);
        s.Expect([](int, int) { return clBtnFace; });
    }
    const TColor start = RGB(0, 0, 0), stop = RGB(240, 240, 240);
    Surface c(3, 8);  // two runs of four rows; the second one back to the start colour
    PaintGradient(c.Canvas(), {0, 0, 3, 8}, gdHorizontalCenter, start, stop, 1);
    const int grey[8] = {60, 120, 180, 240, 180, 120, 60, 0};
    c.Expect([&](int, int y) { return RGB(grey[y], grey[y], grey[y]); });

    Surface b(9, 7);  // nested bands, mirrored: the edges near the start, the centre the stop
    PaintGradient(b.Canvas(), {0, 0, 9, 7}, gdSquareBox, start, stop, 1);
    EXPECT_EQ(b.At(4, 3), stop);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 9; ++x) {
            EXPECT_EQ(b.At(x, y), b.At(8 - x, y));
            EXPECT_EQ(b.At(x, y), b.At(x, 6 - y));
        }
    EXPECT_LT(GetRValue(b.At(0, 3)), GetRValue(b.At(1, 3)));

    Surface u(4, 3);  // diagonals: the top-left corner next to the start, the bottom-right the stop
    PaintGradient(u.Canvas(), {0, 0, 4, 3}, gdDiagonalUp, start, stop, 1);
    EXPECT_EQ(u.At(3, 2), stop);
    EXPECT_EQ(u.At(0, 0), RGB(40, 40, 40));
    EXPECT_EQ(u.At(2, 0), u.At(1, 1));
    Surface w(4, 3);
    PaintGradient(w.Canvas(), {0, 0, 4, 3}, gdDiagonalDown, start, stop, 1);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(w.At(x, y), u.At(3 - x, y));
}

// ---------------------------------------------------------------- arrow glyph

TEST(ArrowGlyph, TrianglePoints) {
    std::array<TPoint, 3> p;
    // Bounds 10 × 10 at (0, 0): cx = 5, cy = 5 − 1 (even height) = 4.
    ASSERT_TRUE(ArrowGlyphPoints({0, 0, 10, 10}, 0, false, true, p));
    EXPECT_EQ(p, (std::array<TPoint, 3>{{{5, 1}, {9, 6}, {1, 6}}}));
    ASSERT_TRUE(ArrowGlyphPoints({0, 0, 10, 10}, 1, false, true, p));
    EXPECT_EQ(p, (std::array<TPoint, 3>{{{5, 7}, {2, 3}, {9, 3}}}));
    ASSERT_TRUE(ArrowGlyphPoints({0, 0, 10, 10}, 2, true, true, p));  // pressed: one pixel down-right
    EXPECT_EQ(p, (std::array<TPoint, 3>{{{4, 5}, {8, 1}, {8, 9}}}));
    ASSERT_TRUE(ArrowGlyphPoints({10, 20, 21, 31}, 3, true, false, p));  // odd height; disabled: no offset
    EXPECT_EQ(p, (std::array<TPoint, 3>{{{17, 25}, {13, 29}, {13, 21}}}));
    EXPECT_FALSE(ArrowGlyphPoints({0, 0, 10, 10}, 4, false, true, p));
}

TEST(ArrowGlyph, FillsWithoutOutlineAndRestoresThePenAndBrush) {
    Surface s(12, 12);
    s.Canvas()->Brush()->SetColor(kRed);
    PaintArrowGlyph(s.Canvas(), {0, 0, 12, 12}, false, 1, false, false);
    EXPECT_EQ(s.Canvas()->Brush()->Color(), kRed);
    EXPECT_EQ(s.Canvas()->Pen()->Style(), psSolid);
    // Down arrow: (6, 8), (3, 4), (10, 4); its inside is clBtnShadow, the far corners untouched.
    EXPECT_EQ(s.At(6, 5), Rgb(clBtnShadow));
    EXPECT_EQ(s.At(0, 0), kBackground);
    EXPECT_EQ(s.At(11, 11), kBackground);
    Surface n(12, 12);
    PaintArrowGlyph(n.Canvas(), {0, 0, 12, 12}, false, 7, false, true);
    n.Expect([](int, int) { return kBackground; });
}

// ---------------------------------------------------------------- fonts

TEST(AngledFont, DescribesTheFontTurnedByTheAngle) {
    TFont font;
    font.SetName("Tahoma");
    font.SetHeight(-11);
    font.SetStyle({fsBold, fsUnderline});
    font.SetPitch(fpVariable);
    const HFONT handle = MakeAngledFont(&font, 45);
    ASSERT_TRUE(handle);
    const TLogFont& lf = handle->LogFont();
    EXPECT_EQ(lf.Height, -11);
    EXPECT_EQ(lf.Width, 0);
    EXPECT_EQ(lf.Escapement, 450);
    EXPECT_EQ(lf.Orientation, 0);
    EXPECT_EQ(lf.Weight, FW_BOLD);
    EXPECT_FALSE(lf.Italic);
    EXPECT_TRUE(lf.Underline);
    EXPECT_FALSE(lf.StrikeOut);
    EXPECT_EQ(lf.CharSet, DEFAULT_CHARSET);
    EXPECT_EQ(lf.PitchAndFamily, VARIABLE_PITCH);
    EXPECT_EQ(lf.FaceName, "Tahoma");
    EXPECT_TRUE(IsOutlineFont(&font));
}
