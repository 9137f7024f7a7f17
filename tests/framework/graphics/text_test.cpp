// Text on the canvas: TextOut's reference alignment (upright and rotated), the opaque cell,
// TextRect's clip, and DrawText's layout flags and "&" prefixes, checked by extents and by
// where the ink lands.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"

namespace {

struct TInk {
    TRect Box;  // bounding box of all non-background pixels; empty when none
    int Pixels = 0;
};

class TextTest : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }

    void Reset(int w = 300, int h = 200) {
        bmp.SetSize(w, h);
        canvas = bmp.Canvas();
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(clWhite);
        canvas->FillRect({0, 0, w, h});
        canvas->Brush()->SetStyle(bsClear);
        canvas->SetTextAlign(TA_LEFT | TA_TOP);
        canvas->Font()->SetName("Tahoma");
        canvas->Font()->SetHeight(-11);
        canvas->Font()->SetStyle({});
        canvas->Font()->SetColor(clBlack);
    }

    TInk Ink(const TRect& area = {0, 0, 10000, 10000}) const {
        TInk ink;
        const TRect a = IntersectRect(area, {0, 0, bmp.Width(), bmp.Height()});
        for (int y = a.Top; y < a.Bottom; ++y)
            for (int x = a.Left; x < a.Right; ++x)
                if (ColorFromPixel(bmp.ScanLine(y)[x]) != clWhite) {
                    ++ink.Pixels;
                    ink.Box = ink.Pixels == 1 ? TRect{x, y, x + 1, y + 1} : UnionRect(ink.Box, {x, y, x + 1, y + 1});
                }
        return ink;
    }
    TColor At(int x, int y) const { return ColorFromPixel(bmp.ScanLine(y)[x]); }
    bool RowHasInk(int y, int x0, int x1) const {
        for (int x = x0; x < x1; ++x)
            if (At(x, y) != clWhite) return true;
        return false;
    }
    std::vector<TPixel> Snapshot() const { return {bmp.Bits(), bmp.Bits() + bmp.Width() * bmp.Height()}; }

    void SetAngle(int tenths, int height = -11, bool bold = false) {
        TLogFont lf;
        lf.FaceName = "Tahoma";
        lf.Height = height;
        lf.Weight = bold ? FW_BOLD : FW_NORMAL;
        lf.Escapement = tenths;
        canvas->Font()->SetHandle(CreateFontIndirect(lf));
    }

    TBitmap bmp;
    TCanvas* canvas = nullptr;
};

TEST_F(TextTest, MeasuringTahoma) {
    EXPECT_EQ(canvas->TextHeight("Create"), 13);
    EXPECT_EQ(canvas->TextHeight(""), 13);
    EXPECT_EQ(canvas->TextWidth("Create"), 33);
    EXPECT_EQ(canvas->TextExtent("Create"), (TSize{33, 13}));
    EXPECT_EQ(canvas->TextMetrics().tmAscent, 11);
    canvas->Font()->SetStyle({fsBold});
    EXPECT_EQ(canvas->TextWidth("Create"), 39);
    TCanvas unbound;  // measuring needs no surface
    EXPECT_EQ(unbound.TextWidth("Create"), 33);
}

TEST_F(TextTest, TextOutReferenceAlignment) {
    // "Create" has no descenders: its ink ends on the row above the baseline.
    canvas->TextOut(20, 20, "Create");
    TInk top = Ink();
    EXPECT_GE(top.Box.Left, 20);
    EXPECT_LE(top.Box.Right, 20 + 33);
    EXPECT_EQ(top.Box.Bottom, 20 + 11);
    EXPECT_GE(top.Box.Top, 20);
    const auto topPixels = Snapshot();

    Reset();
    canvas->SetTextAlign(TA_LEFT | TA_BASELINE);
    canvas->TextOut(20, 31, "Create");
    EXPECT_EQ(Snapshot(), topPixels) << "baseline reference 11 rows lower is the same text";

    Reset();
    canvas->SetTextAlign(TA_RIGHT | TA_BOTTOM);
    canvas->TextOut(53, 33, "Create");
    EXPECT_EQ(Snapshot(), topPixels);

    Reset();
    canvas->SetTextAlign(TA_CENTER | TA_TOP);
    canvas->TextOut(20 + 33 / 2, 20, "Create");
    EXPECT_EQ(Snapshot(), topPixels);
}

TEST_F(TextTest, OpaqueCellAndClearBrush) {
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(clYellow);
    canvas->TextOut(10, 10, "Create");
    EXPECT_EQ(Ink().Box, (TRect{10, 10, 43, 23})) << "the cell is width × cell height";
    EXPECT_EQ(At(10, 10), clYellow);
    EXPECT_EQ(At(42, 22), clYellow);

    Reset();
    canvas->Brush()->SetColor(clYellow);  // style stays bsClear
    canvas->TextOut(10, 10, "Create");
    EXPECT_NE(At(10, 10), clYellow);
    EXPECT_EQ(Ink().Box.Top, 13) << "a capital's top is the cell's fourth row";
}

TEST_F(TextTest, UnderlineAndStrikeOutFromFaceMetrics) {
    canvas->Font()->SetStyle({fsUnderline});
    canvas->TextOut(10, 10, "Create");
    // One row, one pixel below the baseline, the whole advance wide.
    for (int x = 10; x < 43; ++x) EXPECT_EQ(At(x, 10 + 11 + 1), clBlack) << x;
    EXPECT_FALSE(RowHasInk(10 + 11, 10, 43));
    Reset();
    canvas->Font()->SetStyle({fsStrikeOut});
    canvas->TextOut(10, 10, "iiii");
    for (int x = 10; x < 10 + canvas->TextWidth("iiii"); ++x) EXPECT_EQ(At(x, 10 + 11 - 4), clBlack) << x;
}

TEST_F(TextTest, TextRectClipsAndFills) {
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(clYellow);
    const TRect r{10, 10, 30, 23};
    canvas->TextRect(r, 12, 10, "Create File");
    EXPECT_EQ(Ink().Box, r);
    EXPECT_EQ(At(10, 10), clYellow) << "the whole rectangle is filled";
    // The clip is restored afterwards.
    canvas->Brush()->SetStyle(bsClear);
    canvas->TextOut(100, 50, "x");
    EXPECT_GT(Ink({100, 50, 120, 70}).Pixels, 0);
}

TEST_F(TextTest, DrawTextCalcRect) {
    TRect r{5, 7, 200, 100};
    EXPECT_EQ(canvas->DrawText("Create", r, DT_CALCRECT | DT_SINGLELINE), 13);
    EXPECT_EQ(r, (TRect{5, 7, 38, 20}));
    r = {0, 0, 200, 100};
    EXPECT_EQ(canvas->DrawText("", r, DT_CALCRECT), 0);
    EXPECT_EQ(r, (TRect{0, 0, 0, 0}));
    r = {0, 0, 200, 100};
    EXPECT_EQ(canvas->DrawText("a\r\nbb\nccc\rd", r, DT_CALCRECT), 4 * 13);
    EXPECT_EQ(r.Right, canvas->TextWidth("ccc"));
    r = {0, 0, 200, 100};
    EXPECT_EQ(canvas->DrawText("one line\r\n", r, DT_CALCRECT), 13) << "a final break opens no line";
    EXPECT_EQ(Ink().Pixels, 0) << "calculating draws nothing";
}

TEST_F(TextTest, DrawTextPrefixes) {
    const int create = canvas->TextWidth("Create");
    TRect r{0, 0, 200, 100};
    canvas->DrawText("&Create", r, DT_CALCRECT);
    EXPECT_EQ(r.Right, create);
    r = {0, 0, 200, 100};
    canvas->DrawText("A&&B", r, DT_CALCRECT);
    EXPECT_EQ(r.Right, canvas->TextWidth("A&B"));
    r = {0, 0, 200, 100};
    canvas->DrawText("abc&", r, DT_CALCRECT);
    EXPECT_EQ(r.Right, canvas->TextWidth("abc")) << "a trailing & is dropped";
    r = {0, 0, 200, 100};
    canvas->DrawText("&C", r, DT_CALCRECT | DT_NOPREFIX);
    EXPECT_EQ(r.Right, canvas->TextWidth("&C"));

    // "&x" underlines x alone, in the underline row; the rest matches the plain text.
    r = {10, 10, 200, 100};
    canvas->DrawText("Cr&eate", r, DT_SINGLELINE);
    const int eLeft = 10 + canvas->TextWidth("Cr"), eRight = eLeft + canvas->TextWidth("e");
    for (int x = 10; x < 60; ++x) EXPECT_EQ(At(x, 22) == clBlack, x >= eLeft && x < eRight) << x;
    const TInk prefixed = Ink({0, 0, 300, 22});
    Reset();
    r = {10, 10, 200, 100};
    canvas->DrawText("Create", r, DT_SINGLELINE);
    EXPECT_EQ(Ink({0, 0, 300, 22}).Pixels, prefixed.Pixels);
    EXPECT_FALSE(RowHasInk(22, 0, 300));

    Reset();
    r = {10, 10, 200, 100};
    canvas->DrawText("A&&B", r, DT_SINGLELINE);
    EXPECT_FALSE(RowHasInk(22, 0, 300)) << "&& underlines nothing";
    Reset();
    r = {10, 10, 200, 100};
    canvas->DrawText("&Create", r, DT_SINGLELINE | DT_HIDEPREFIX);
    EXPECT_FALSE(RowHasInk(22, 0, 300));
}

TEST_F(TextTest, DrawTextWordBreak) {
    const std::string text = "the quick brown fox jumps over the lazy dog";
    TRect r{0, 0, 80, 0};
    const int h = canvas->DrawText(text, r, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(h % 13, 0);
    EXPECT_GE(h, 3 * 13);
    EXPECT_LE(r.Right, 80);
    EXPECT_GT(r.Right, 40);
    EXPECT_EQ(r.Bottom, h);
    // Every word stays whole: the lines are exactly what fits before the next word.
    r = {0, 0, canvas->TextWidth("the quick"), 0};
    EXPECT_EQ(canvas->DrawText("the quick brown", r, DT_CALCRECT | DT_WORDBREAK), 2 * 13);
    EXPECT_EQ(r.Right, canvas->TextWidth("the quick"));
    // A word wider than the line is broken between characters.
    r = {0, 0, canvas->TextWidth("WWW"), 0};
    EXPECT_EQ(canvas->DrawText("WWWWWWWWW", r, DT_CALCRECT | DT_WORDBREAK), 3 * 13);
    // Drawn: the second line starts at the left edge one cell lower.
    r = {10, 10, 10 + canvas->TextWidth("the quick"), 100};
    canvas->DrawText("the quick brown", r, DT_WORDBREAK);
    EXPECT_EQ(Ink({0, 23, 300, 36}).Box.Left, 10);
    EXPECT_EQ(Ink({0, 36, 300, 200}).Pixels, 0);
}

TEST_F(TextTest, DrawTextEllipses) {
    // End ellipsis: what fits before "..." is kept, drawn as that text would be.
    const std::string caption = "End ellipsis on a rather long caption";
    const int w = 100;
    std::string expected = caption;
    while (canvas->TextWidth(expected + "...") > w) expected.pop_back();
    expected += "...";
    TRect r{10, 10, 10 + w, 23};
    canvas->DrawText(caption, r, DT_END_ELLIPSIS | DT_SINGLELINE);
    const auto ellipsised = Snapshot();
    Reset();
    canvas->TextOut(10, 10, expected);
    EXPECT_EQ(Snapshot(), ellipsised);
    r = {0, 0, w, 0};
    canvas->DrawText(caption, r, DT_END_ELLIPSIS | DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(r.Right, canvas->TextWidth(expected));

    // Path ellipsis: the last element survives, the middle gives way.
    Reset();
    const std::string path = "C:\\Program Files\\Verbolt\\kv4_lang.php";
    std::string head = "C:\\Program Files\\Verbolt";
    const std::string tail = "\\kv4_lang.php";
    while (canvas->TextWidth(head + "..." + tail) > 120) head.pop_back();
    r = {10, 10, 130, 23};
    canvas->DrawText(path, r, DT_PATH_ELLIPSIS | DT_SINGLELINE);
    const auto pathed = Snapshot();
    Reset();
    canvas->TextOut(10, 10, head + "..." + tail);
    EXPECT_EQ(Snapshot(), pathed);
    EXPECT_FALSE(head.empty());
    // Text that fits is left alone.
    r = {0, 0, 200, 0};
    canvas->DrawText("Create", r, DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(r.Right, 33);
}

TEST_F(TextTest, DrawTextTabsAndPlacement) {
    const int stop = 8 * canvas->TextMetrics().tmAveCharWidth;
    TRect r{0, 0, 300, 0};
    canvas->DrawText("a\tb", r, DT_CALCRECT | DT_EXPANDTABS | DT_SINGLELINE);
    EXPECT_EQ(r.Right, stop + canvas->TextWidth("b"));
    r = {0, 0, 300, 0};
    canvas->DrawText(std::string(9, 'i') + "\tb", r, DT_CALCRECT | DT_EXPANDTABS | DT_SINGLELINE);
    EXPECT_EQ(r.Right, (canvas->TextWidth(std::string(9, 'i')) < stop ? stop : 2 * stop) + canvas->TextWidth("b"));

    // Right, centre, vertical centre and bottom of a 100 × 41 rectangle.
    r = {50, 50, 150, 91};
    canvas->DrawText("Create", r, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE);
    TInk ink = Ink();
    EXPECT_LE(ink.Box.Right, 150);
    EXPECT_GE(ink.Box.Right, 148);
    EXPECT_EQ(ink.Box.Bottom, 91 - 2);  // the descent stays below "Create"
    Reset();
    r = {50, 50, 150, 91};
    canvas->DrawText("Create", r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ink = Ink();
    EXPECT_EQ(ink.Box.Bottom, 50 + (41 - 13) / 2 + 11);
    EXPECT_NEAR((ink.Box.Left + ink.Box.Right) / 2.0, 100, 2);
    // Clipped to the rectangle unless asked not to be.
    Reset();
    r = {50, 50, 60, 63};
    canvas->DrawText("Create", r, DT_SINGLELINE);
    EXPECT_LE(Ink().Box.Right, 60);
    Reset();
    canvas->DrawText("Create", r, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(Ink().Box.Right, 70);
    // Right-to-left reading changes nothing for these left-to-right scripts.
    Reset();
    r = {50, 50, 150, 91};
    canvas->DrawText("Create", r, DT_RIGHT | DT_SINGLELINE);
    const auto ltr = Snapshot();
    Reset();
    canvas->DrawText("Create", r, DT_RIGHT | DT_SINGLELINE | DT_RTLREADING);
    EXPECT_EQ(Snapshot(), ltr);
}

TEST_F(TextTest, RotatedNinetyDegrees) {
    SetAngle(900);
    const int w = canvas->TextWidth("Create");
    EXPECT_EQ(w, 33);
    canvas->SetTextAlign(TA_LEFT | TA_BASELINE);
    canvas->TextOut(100, 150, "Create");
    const TInk ink = Ink();
    // Reading upwards from the reference point, the letters' tops facing left.
    EXPECT_GT(ink.Box.Height(), 2 * ink.Box.Width());
    EXPECT_LE(ink.Box.Bottom, 151);
    EXPECT_GE(ink.Box.Top, 150 - w - 1);
    EXPECT_LE(ink.Box.Top, 150 - w + 3);
    EXPECT_GE(ink.Box.Left, 100 - 11 - 1);
    EXPECT_LE(ink.Box.Right, 100 + 1);

    // Centred along the rotated baseline.
    Reset();
    SetAngle(900);
    canvas->SetTextAlign(TA_CENTER | TA_TOP);
    canvas->TextOut(100, 100, "Create");
    const TInk centred = Ink();
    EXPECT_NEAR((centred.Box.Top + centred.Box.Bottom) / 2.0, 100, 2);
    EXPECT_GE(centred.Box.Left, 100);  // TA_TOP: the cell lies right of the reference
    EXPECT_LE(centred.Box.Right, 100 + 13);
}

TEST_F(TextTest, RotatedNineDegrees) {
    SetAngle(90, -27, true);
    const int w = canvas->TextWidth("Verbolt Editor v1.0");
    canvas->SetTextAlign(TA_CENTER | TA_BASELINE);
    canvas->TextOut(150, 100, "Verbolt Editor v1.0");
    const TInk ink = Ink();
    const double c = std::cos(9 * std::numbers::pi / 180), s = std::sin(9 * std::numbers::pi / 180);
    EXPECT_NEAR(ink.Box.Width(), w * c + 27 * s, 6);
    EXPECT_NEAR(ink.Box.Height(), w * s + 27 * c, 8);
    // The glyphs stand on the baseline, so their middle leans back by half a cap height.
    EXPECT_NEAR((ink.Box.Left + ink.Box.Right) / 2.0, 150 - 10 * s, 3);
    // The text climbs to the right: the right half's ink sits higher than the left half's.
    const TInk left = Ink({0, 0, 150, 200}), right = Ink({150, 0, 300, 200});
    EXPECT_LT(right.Box.Top, left.Box.Top - 5);
    EXPECT_LT(right.Box.Bottom, left.Box.Bottom - 5);
    // Grey anti-aliased edges, as rotated text is drawn from outlines.
    bool grey = false;
    for (int y = ink.Box.Top; y < ink.Box.Bottom && !grey; ++y)
        for (int x = ink.Box.Left; x < ink.Box.Right && !grey; ++x) grey = At(x, y) != clWhite && At(x, y) != clBlack;
    EXPECT_TRUE(grey);
}

// A turned, underlined run painted again (at its place, or with its own clip) shows exactly
// what it showed when first painted, however many others were painted in between; the first
// paintings are made each on a thread of its own, which has measured nothing before.
TEST(TurnedText, UnderlinesRepaintAsTheyWereFirstPainted) {
    struct TCase {
        int X, Y;
        std::optional<TRect> Clip;
    };
    std::vector<TCase> cases;
    for (int i = 0; i < 12; ++i) cases.push_back({40 + i * 3, 90 + (i % 4), std::nullopt});
    cases.push_back({40, 90, TRect{60, 60, 200, 120}});  // the first place again, cut by a rectangle
    cases.push_back({40, 90, TRect{0, 0, 120, 200}});
    auto paint = [](const TCase& c) {
        TBitmap bmp;
        bmp.SetSize(300, 200);
        TCanvas* canvas = bmp.Canvas();
        canvas->Brush()->SetColor(clWhite);
        canvas->FillRect({0, 0, 300, 200});
        canvas->Brush()->SetStyle(bsClear);
        TLogFont lf;
        lf.FaceName = "Tahoma";
        lf.Height = -27;
        lf.Weight = FW_BOLD;
        lf.Italic = true;
        lf.Underline = true;
        lf.Escapement = 90;
        canvas->Font()->SetHandle(CreateFontIndirect(lf));
        canvas->SetTextAlign(TA_LEFT | TA_BASELINE);
        if (c.Clip) canvas->TextRect(*c.Clip, c.X, c.Y, "Verbolt Editor v1.0");
        else canvas->TextOut(c.X, c.Y, "Verbolt Editor v1.0");
        return std::vector<TPixel>(bmp.Bits(), bmp.Bits() + 300 * 200);
    };
    std::vector<std::vector<TPixel>> first;
    for (const TCase& c : cases) std::thread([&] { first.push_back(paint(c)); }).join();
    for (int pass = 0; pass < 2; ++pass)
        for (std::size_t i = 0; i < cases.size(); ++i) EXPECT_EQ(paint(cases[i]), first[i]) << "case " << i;
    EXPECT_NE(first[0], first[1]);
    EXPECT_NE(first[0], first[12]);
}

TEST_F(TextTest, UprightTahomaIsOneBit) {
    canvas->Font()->SetColor(clNavy);
    canvas->TextOut(10, 10, "Create Save File");
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 120; ++x) EXPECT_TRUE(At(x, y) == clWhite || At(x, y) == clNavy) << x << "," << y;
}

}  // namespace
