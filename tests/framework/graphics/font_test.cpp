// Fonts: TFont's description and change signals, and the realised fonts' GDI metrics,
// advances, substitution, fallback and glyph rendering modes.
#include "framework/graphics/font.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>

#include "framework/graphics/codepage.h"
#include "framework/graphics/realised_font.h"

namespace {

HFONT Make(const std::string& face, int height, int weight = FW_NORMAL, bool italic = false, int escapement = 0) {
    TLogFont lf;
    lf.FaceName = face;
    lf.Height = height;
    lf.Weight = weight;
    lf.Italic = italic;
    lf.Escapement = escapement;
    return CreateFontIndirect(lf);
}

bool HasGreyCoverage(const TGlyphImage& g) {
    return std::any_of(g.Coverage.begin(), g.Coverage.end(), [](uint8_t c) { return c != 0 && c != 255; });
}
bool HasInk(const TGlyphImage& g) {
    return std::any_of(g.Coverage.begin(), g.Coverage.end(), [](uint8_t c) { return c != 0; });
}

TEST(TFont, DefaultsAndChangeSignals) {
    TFont font;
    EXPECT_EQ(font.Name(), "Tahoma");
    EXPECT_EQ(font.Height(), -11);
    EXPECT_EQ(font.Size(), 8);
    EXPECT_EQ(font.Color(), clWindowText);
    EXPECT_EQ(font.Charset(), DEFAULT_CHARSET);
    int changes = 0;
    font.OnChange = [&] { ++changes; };
    font.SetHeight(-11);
    font.SetName("Tahoma");
    font.SetStyle({});
    EXPECT_EQ(changes, 0) << "setting the value it holds is no change";
    font.SetStyle({fsBold});
    font.SetColor(clRed);
    font.SetSize(20);
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(font.Height(), -27);
    EXPECT_EQ(font.Size(), 20);

    TFont other;
    other.Assign(font);
    EXPECT_TRUE(other.SameAs(font));
    EXPECT_EQ(changes, 3) << "Assign signals the target only";
    other.SetName("Lucida Console");
    EXPECT_FALSE(other.SameAs(font));
}

TEST(TFont, HandleFollowsDescription) {
    TFont font;
    const HFONT first = font.Handle();
    EXPECT_EQ(font.Handle(), first);
    font.SetColor(clRed);
    EXPECT_EQ(font.Handle(), first) << "the colour is not part of the realised font";
    font.SetStyle({fsBold});
    EXPECT_NE(font.Handle(), first);
    EXPECT_EQ(font.Handle()->LogFont().Weight, FW_BOLD);

    // An adopted angled font: the description follows it and text uses that very handle.
    TLogFont lf = LogFontOf(font);
    lf.Escapement = 90;
    lf.Italic = true;
    lf.Height = -27;
    const HFONT angled = CreateFontIndirect(lf);
    int changes = 0;
    font.OnChange = [&] { ++changes; };
    font.SetHandle(angled);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(font.Handle(), angled);
    EXPECT_EQ(font.Height(), -27);
    EXPECT_TRUE(font.Style().Contains(fsItalic));
    EXPECT_TRUE(font.Style().Contains(fsBold));
    TFont copy;
    copy.Assign(font);
    EXPECT_EQ(copy.Handle(), angled) << "Assign keeps the adopted handle";
    font.SetHeight(-11);
    EXPECT_NE(font.Handle(), angled);
    EXPECT_EQ(font.Handle()->LogFont().Escapement, 0);
}

TEST(RealisedFont, CacheSharesEqualDescriptions) {
    EXPECT_EQ(Make("Tahoma", -11), Make("Tahoma", -11));
    EXPECT_NE(Make("Tahoma", -11), Make("Tahoma", -11, FW_NORMAL, false, 90));
    EXPECT_NE(Make("Tahoma", -11), Make("Tahoma", -11, FW_BOLD));
}

TEST(RealisedFont, TahomaMetrics) {
    const HFONT f = Make("Tahoma", -11);
    EXPECT_EQ(f->RealisedFamily(), "Tahoma");
    const TTextMetric& tm = f->Metrics();
    EXPECT_EQ(tm.tmHeight, 13);
    EXPECT_EQ(tm.tmAscent, 11);
    EXPECT_EQ(tm.tmDescent, 2);
    EXPECT_EQ(tm.tmInternalLeading, 2);
    EXPECT_EQ(tm.tmExternalLeading, 0);
    EXPECT_EQ(tm.tmAveCharWidth, 5) << "letter-weighted, as the classic face states it";
    EXPECT_EQ(tm.tmWeight, FW_NORMAL);
    EXPECT_TRUE(tm.tmPitchAndFamily & TMPF_TRUETYPE);
    EXPECT_TRUE(tm.tmPitchAndFamily & TMPF_FIXED_PITCH) << "GDI's bit for a variable-pitch face";

    // A positive height is the cell: 13 realises the same size.
    const TTextMetric& cell = Make("Tahoma", 13)->Metrics();
    EXPECT_EQ(cell.tmHeight, 13);
    EXPECT_EQ(cell.tmAscent, 11);

    const TTextMetric& big = Make("Tahoma", -27, FW_BOLD, true)->Metrics();
    EXPECT_EQ(big.tmAscent, 27);
    EXPECT_EQ(big.tmDescent, 6);
    EXPECT_EQ(big.tmHeight, 33);
    EXPECT_EQ(big.tmItalic, 1);
    EXPECT_EQ(big.tmWeight, FW_BOLD);
}

TEST(RealisedFont, AdvancesArePinnedIntegers) {
    const HFONT regular = Make("Tahoma", -11);
    const HFONT bold = Make("Tahoma", -11, FW_BOLD);
    EXPECT_EQ(regular->TextWidth("Create"), 33);
    EXPECT_EQ(bold->TextWidth("Create"), 39);
    EXPECT_EQ(regular->TextWidth("Exit Program"), 61);
    EXPECT_EQ(regular->CharAdvance(' '), 3);
    EXPECT_EQ(regular->TextWidth(""), 0);
    for (const char* s : {"Save File", "Clear File", "ReCreate", "Verbolt Editor v1.0", "iiiWWW"}) {
        int sum = 0;
        for (const char* p = s; *p; ++p) sum += regular->CharAdvance(static_cast<uint8_t>(*p));
        EXPECT_EQ(regular->TextWidth(s), sum) << "no kerning: " << s;
        EXPECT_GE(bold->TextWidth(s), regular->TextWidth(s)) << s;
    }
    // Escapement does not change the advances.
    EXPECT_EQ(Make("Tahoma", -11, FW_NORMAL, false, 900)->TextWidth("Create"), 33);
}

// An upright glyph rasterised before it is measured brings its advance along: every byte's
// advance is then what measuring alone gives (here, a turned font of the same description:
// turning does not change advances, and it is only measured).
TEST(RealisedFont, AdvancesTakenWhileRasterisingAreTheMeasuredOnes) {
    struct TCase {
        const char* Face;
        int Height, Weight;
        bool Italic;
    };
    for (const TCase& c : {TCase{"Tahoma", -11, FW_NORMAL, false}, TCase{"Tahoma", -11, FW_BOLD, false},
                           TCase{"Tahoma", -17, FW_NORMAL, false}, TCase{"Tahoma", -27, FW_BOLD, false},
                           TCase{"Tahoma", -13, FW_NORMAL, true}, TCase{"DejaVu Sans", -11, FW_NORMAL, false},
                           TCase{"DejaVu Sans", -20, FW_BOLD, true},
                           TCase{"DejaVu Math TeX Gyre", -15, FW_BOLD, false}}) {  // bold made up, wider
        const HFONT upright = Make(c.Face, c.Height, c.Weight, c.Italic);
        const HFONT turned = Make(c.Face, c.Height, c.Weight, c.Italic, 900);
        for (int b = 0; b < 256; ++b) Realised(upright).Glyph(static_cast<uint8_t>(b));
        for (int b = 0; b < 256; ++b)
            ASSERT_EQ(upright->CharAdvance(static_cast<uint8_t>(b)), turned->CharAdvance(static_cast<uint8_t>(b)))
                << c.Face << " " << c.Height << " weight " << c.Weight << (c.Italic ? " italic" : "") << ", byte " << b;
    }
}

// Fonts realised from one file share its face, each scaled through a size of its own: the
// uses of two sizes interleaved, glyph by glyph, give what either gives alone.
TEST(RealisedFont, FontsOfOneFileKeepTheirOwnSize) {
    // A full turn is upright text under a description of its own, so these are new fonts.
    const HFONT small = Make("Tahoma", -11, FW_NORMAL, false, 3600);
    const HFONT large = Make("Tahoma", -31, FW_NORMAL, false, 3600);
    const HFONT reference = Make("Tahoma", -11);
    ASSERT_NE(small, reference);
    const std::string text = "Verbolt Editor v1.0 WWmmgq";
    int smallWidth = 0, largeWidth = 0;
    for (char c : text) {
        smallWidth += small->CharAdvance(static_cast<uint8_t>(c));
        largeWidth += large->CharAdvance(static_cast<uint8_t>(c));
    }
    EXPECT_EQ(smallWidth, reference->TextWidth(text));
    EXPECT_GT(largeWidth, smallWidth * 5 / 2);
    for (char c : {'e', 'W', 'g'}) {
        const TGlyphImage& big = Realised(large).Glyph(static_cast<uint8_t>(c));
        const TGlyphImage& mine = Realised(small).Glyph(static_cast<uint8_t>(c));
        const TGlyphImage& alone = Realised(reference).Glyph(static_cast<uint8_t>(c));
        EXPECT_GT(big.Rows, mine.Rows * 2) << c;
        EXPECT_EQ(mine.Width, alone.Width) << c;
        EXPECT_EQ(mine.Rows, alone.Rows) << c;
        EXPECT_EQ(mine.Left, alone.Left) << c;
        EXPECT_EQ(mine.Top, alone.Top) << c;
        EXPECT_EQ(mine.Coverage, alone.Coverage) << c;
    }
    EXPECT_EQ(small->Metrics().tmAscent, 11);
    EXPECT_EQ(large->Metrics().tmAscent, 31);
}

TEST(RealisedFont, FontFilesAreReadNotMapped) {
    // Glyphs of three faces (upright, bold italic, and a substitute's) rasterised and measured.
    for (const HFONT& font :
         {Make("Tahoma", -11), Make("Tahoma", -27, FW_BOLD, true, 90), Make("Lucida Console", -13)}) {
        EXPECT_GT(font->TextWidth("Verbolt Editor v1.0"), 0);
        EXPECT_TRUE(HasInk(Realised(font).Glyph('W')));
    }
    // A mapped font file would hold its pages near every table read in resident memory.
    std::ifstream maps("/proc/self/maps");
    ASSERT_TRUE(maps.good());
    for (std::string line; std::getline(maps, line);) {
        EXPECT_EQ(line.find(".ttf"), std::string::npos) << line;
        EXPECT_EQ(line.find(".otf"), std::string::npos) << line;
    }
}

TEST(RealisedFont, SubstitutesAndFallback) {
    const HFONT console = Make("Lucida Console", -11);
    EXPECT_EQ(console->RealisedFamily(), "DejaVu Sans Mono");
    EXPECT_FALSE(console->Metrics().tmPitchAndFamily & TMPF_FIXED_PITCH) << "fixed pitch";
    EXPECT_EQ(console->CharAdvance('i'), console->CharAdvance('W'));
    EXPECT_EQ(Make("Lucida Sans Unicode", -27, FW_NORMAL, true)->RealisedFamily(), "DejaVu Sans");
    EXPECT_EQ(Make("MS Sans Serif", -11)->RealisedFamily(), "Tahoma");
    // Family names are compared without case and blanks, as fontconfig compares them.
    EXPECT_EQ(Make("dejavu  SANS mono", -11)->RealisedFamily(), "DejaVu Sans Mono");
    const std::string verdana = Make("Verdana", -11)->RealisedFamily();
    EXPECT_TRUE(verdana == "Verdana" || verdana == "DejaVu Sans") << verdana;

    // A face nobody has still gives a usable font.
    const HFONT missing = Make("No Such Face Anywhere", -11);
    EXPECT_EQ(missing->RealisedFamily(), "DejaVu Sans");
    EXPECT_GT(missing->Metrics().tmHeight, 10);
    EXPECT_GT(missing->TextWidth("Create"), 20);
    EXPECT_TRUE(HasInk(Realised(missing).Glyph('C')));
    EXPECT_EQ(Make("", -11)->RealisedFamily(), "DejaVu Sans");
    // A symbol face answers bytes through its symbol map: Marlett's "r" is the close cross.
    const HFONT marlett = Make("Marlett", -11);
    EXPECT_EQ(marlett->RealisedFamily(), "Marlett");
    EXPECT_TRUE(HasInk(Realised(marlett).Glyph('r')));
}

TEST(RealisedFont, RenderingModes) {
    // Tahoma's own 1-bit strikes for upright text of 8 to 16 pixels…
    for (int ppem : {8, 11, 16}) {
        const auto& g = Realised(Make("Tahoma", -ppem)).Glyph('e');
        EXPECT_TRUE(HasInk(g)) << ppem;
        EXPECT_FALSE(HasGreyCoverage(g)) << ppem;
    }
    EXPECT_FALSE(HasGreyCoverage(Realised(Make("Tahoma", -11, FW_BOLD)).Glyph('e')));
    // …grey outlines above that, and always when rotated.
    EXPECT_TRUE(HasGreyCoverage(Realised(Make("Tahoma", -17)).Glyph('e')));
    EXPECT_TRUE(HasGreyCoverage(Realised(Make("Tahoma", -11, FW_NORMAL, false, 90)).Glyph('e')));
    EXPECT_TRUE(HasGreyCoverage(Realised(Make("DejaVu Sans", -11)).Glyph('e')));
}

TEST(RealisedFont, SyntheticStylesShow) {
    // Tahoma's bold outline is no heavier than the regular one: bold is made up at 27 px.
    auto ink = [](const TGlyphImage& g) {
        int sum = 0;
        for (uint8_t c : g.Coverage) sum += c;
        return sum;
    };
    const auto& regular = Realised(Make("Tahoma", -27)).Glyph('l');
    const auto& bold = Realised(Make("Tahoma", -27, FW_BOLD)).Glyph('l');
    EXPECT_GT(ink(bold), ink(regular) * 5 / 4);
    // No italic face: the slant moves the top of an 'l' to the right of its foot.
    const auto& italic = Realised(Make("Tahoma", -27, FW_NORMAL, true)).Glyph('l');
    auto firstInkColumn = [](const TGlyphImage& g, int row) {
        for (int x = 0; x < g.Width; ++x)
            if (g.Coverage[row * g.Width + x] > 128) return x;
        return -1;
    };
    EXPECT_GT(firstInkColumn(italic, 1), firstInkColumn(italic, italic.Rows - 2) + 2);
    EXPECT_EQ(firstInkColumn(regular, 1), firstInkColumn(regular, regular.Rows - 2));
}

TEST(RealisedFont, BytesMapThroughTheCodePage) {
    SetAnsiCodePage(1252);
    const HFONT western = Make("Tahoma", -11);
    EXPECT_TRUE(HasInk(Realised(western).Glyph(0x80))) << "the euro sign";
    EXPECT_EQ(western->Metrics().tmCharSet, ANSI_CHARSET);
    SetAnsiCodePage(1251);
    const HFONT cyrillic = Make("Tahoma", -11);
    EXPECT_NE(cyrillic, western) << "fonts are realised per code page";
    EXPECT_EQ(cyrillic->Metrics().tmCharSet, RUSSIAN_CHARSET);
    // 0xC6 is Ж in 1251 and Æ in 1252: both exist in Tahoma with different shapes.
    EXPECT_NE(Realised(cyrillic).Glyph(0xC6).Coverage, Realised(western).Glyph(0xC6).Coverage);
    SetAnsiCodePage(0);
}

}  // namespace
