// Realised fonts kept in a file between starts: a kept font is the font it was, glyph for
// glyph; a file that is damaged, or was written under other folders, is not used.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "framework/graphics/font.h"
#include "framework/graphics/font_cache_file.h"
#include "framework/graphics/realised_font.h"

namespace fs = std::filesystem;

namespace {

TLogFont Described(const std::string& face, int height, int weight = FW_NORMAL, int escapement = 0) {
    TLogFont lf;
    lf.FaceName = face;
    lf.Height = height;
    lf.Weight = weight;
    lf.Escapement = escapement;
    return lf;
}

// Upright and bold faces, a symbol face, a substituted and a missing one, and turned text.
std::vector<TLogFont> Descriptions() {
    return {Described("Tahoma", -11),        Described("Tahoma", -11, FW_BOLD), Described("Marlett", -11),
            Described("MS Sans Serif", -11), Described("No Such Face", 13),     Described("Tahoma", -16, FW_BOLD, 900)};
}

class FontCacheTest : public ::testing::Test {
protected:
    void SetUp() override {
        char dir[] = "/tmp/verbolt-font-cache-XXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        Dir = dir;
        File = Dir + "/cache/fonts";
        SetFontCacheFile(File);
        ForgetRealisedFonts();
    }
    void TearDown() override {
        SetFontCacheFile("");
        ForgetRealisedFonts();
        fs::remove_all(Dir);
    }
    // Fonts as a start realises them, with the glyphs and advances of a few words.
    std::vector<HFONT> RealiseAndUse() {
        std::vector<HFONT> fonts;
        for (const TLogFont& lf : Descriptions()) {
            HFONT font = CreateFontIndirect(lf);
            for (char c : std::string("Register 01")) {
                Realised(font).Glyph(static_cast<uint8_t>(c), 1, 2);
                font->CharAdvance(static_cast<uint8_t>(c));
            }
            fonts.push_back(font);
        }
        return fonts;
    }
    // As the next start: nothing realised, the file read again.
    void NextStart() {
        ForgetRealisedFonts();
        SetFontCacheFile(File);
    }
    std::string Dir, File;
};

void ExpectSameFont(const HFONT& kept, const HFONT& fresh) {
    const TTextMetric& a = kept->Metrics();
    const TTextMetric& b = fresh->Metrics();
    const std::string what = fresh->LogFont().FaceName + " " + std::to_string(fresh->LogFont().Height);
    EXPECT_EQ(std::tie(a.tmHeight, a.tmAscent, a.tmDescent, a.tmInternalLeading, a.tmExternalLeading, a.tmAveCharWidth,
                       a.tmMaxCharWidth, a.tmWeight, a.tmItalic, a.tmUnderlined, a.tmStruckOut, a.tmPitchAndFamily,
                       a.tmCharSet),
              std::tie(b.tmHeight, b.tmAscent, b.tmDescent, b.tmInternalLeading, b.tmExternalLeading, b.tmAveCharWidth,
                       b.tmMaxCharWidth, b.tmWeight, b.tmItalic, b.tmUnderlined, b.tmStruckOut, b.tmPitchAndFamily,
                       b.tmCharSet))
        << what;
    EXPECT_EQ(kept->RealisedFamily(), fresh->RealisedFamily()) << what;
    const TDecorationMetrics& d = Realised(kept).Decorations();
    const TDecorationMetrics& e = Realised(fresh).Decorations();
    EXPECT_EQ(std::tie(d.UnderlineOffset, d.UnderlineThickness, d.StrikeOutOffset, d.StrikeOutThickness),
              std::tie(e.UnderlineOffset, e.UnderlineThickness, e.StrikeOutOffset, e.StrikeOutThickness))
        << what;
    for (int ch = 0; ch < 256; ++ch) {
        const auto byte = static_cast<uint8_t>(ch);
        ASSERT_EQ(kept->CharAdvance(byte), fresh->CharAdvance(byte)) << what << " byte " << ch;
        // Kept glyphs at the phase they were kept at, the others rasterised from the face
        // the kept font opens when it first needs it.
        for (int phase : {2, 0}) {
            const TGlyphImage& g = Realised(kept).Glyph(byte, 1, phase);
            const TGlyphImage& h = Realised(fresh).Glyph(byte, 1, phase);
            ASSERT_EQ(std::tie(g.Left, g.Top, g.Width, g.Rows, g.Coverage),
                      std::tie(h.Left, h.Top, h.Width, h.Rows, h.Coverage))
                << what << " byte " << ch << " phase " << phase;
        }
    }
}

TEST_F(FontCacheTest, AKeptFontIsTheFontItWasAndRasterisesNothingItKept) {
    const std::vector<HFONT> fresh = RealiseAndUse();
    ASSERT_TRUE(SaveRealisedFonts());
    ASSERT_TRUE(fs::exists(File));
    // Nothing new: the file is not written again.
    const auto written = fs::last_write_time(File);
    EXPECT_TRUE(SaveRealisedFonts());
    EXPECT_EQ(fs::last_write_time(File), written);

    NextStart();
    const std::size_t before = GlyphsRasterised();
    std::vector<HFONT> kept;
    for (const TLogFont& lf : Descriptions()) {
        kept.push_back(CreateFontIndirect(lf));
        for (char c : std::string("Register 01")) Realised(kept.back()).Glyph(static_cast<uint8_t>(c), 1, 2);
    }
    EXPECT_EQ(GlyphsRasterised(), before) << "the kept glyphs are not rasterised again";
    for (std::size_t i = 0; i < kept.size(); ++i) {
        EXPECT_NE(kept[i], fresh[i]) << "realised anew, not the font of the first start";
        ExpectSameFont(kept[i], fresh[i]);
    }
    // What the second start rasterised is kept too, beside what it did not ask for.
    ASSERT_TRUE(SaveRealisedFonts());
    NextStart();
    const std::size_t third = GlyphsRasterised();
    Realised(CreateFontIndirect(Descriptions()[0])).Glyph('Z');
    Realised(CreateFontIndirect(Descriptions()[5])).Glyph('R', 1, 2);
    EXPECT_EQ(GlyphsRasterised(), third);
}

TEST_F(FontCacheTest, ADamagedFileOrOneWrittenForAnotherHomeIsNotUsed) {
    const std::vector<HFONT> fresh = RealiseAndUse();
    ASSERT_TRUE(SaveRealisedFonts());
    std::string bytes;
    {
        std::ifstream in(File, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    ASSERT_GT(bytes.size(), 100u);
    const auto rewrite = [&](const std::string& content) {
        std::ofstream(File, std::ios::binary | std::ios::trunc) << content;
    };
    const auto used = [&] {
        NextStart();
        const std::size_t before = GlyphsRasterised();
        HFONT font = CreateFontIndirect(Descriptions()[0]);
        Realised(font).Glyph('R');
        const bool kept = GlyphsRasterised() == before;
        ExpectSameFont(font, fresh[0]);
        return kept;
    };
    EXPECT_TRUE(used());
    rewrite(bytes);
    std::string flipped = bytes;
    flipped[flipped.size() / 2] ^= 0x20;
    for (const std::string& damaged :
         {bytes.substr(0, bytes.size() - 1), bytes.substr(0, 10), flipped, std::string(), bytes + "x"}) {
        rewrite(damaged);
        EXPECT_FALSE(used()) << damaged.size() << " bytes";
    }
    rewrite(bytes);
    EXPECT_TRUE(used());

    // The user's own font folders are part of what the fonts were found in.
    const char* home = std::getenv("HOME");
    const std::string saved = home ? home : "";
    setenv("HOME", Dir.c_str(), 1);
    EXPECT_FALSE(used());
    if (home) setenv("HOME", saved.c_str(), 1);
    else unsetenv("HOME");
}

TEST_F(FontCacheTest, AFileThatCannotBeWrittenIsNoFault) {
    RealiseAndUse();
    std::ofstream(Dir + "/plain") << "a file, not a folder";
    SetFontCacheFile(Dir + "/plain/fonts");
    Realised(CreateFontIndirect(Descriptions()[0])).Glyph('q');
    EXPECT_FALSE(SaveRealisedFonts());
    SetFontCacheFile("");
    EXPECT_FALSE(SaveRealisedFonts());
    EXPECT_TRUE(fs::is_regular_file(Dir + "/plain"));
}

// A stamp tells a file that appeared, changed or went from one that stayed as it was.
TEST(FileStamp, SeesAFileAppearChangeAndGo) {
    char dir[] = "/tmp/verbolt-stamp-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string path = std::string(dir) + "/fonts.conf";
    const TFileStamp absent = TFileStamp::Take(path);
    EXPECT_FALSE(absent.Exists);
    EXPECT_TRUE(absent.StillHolds());
    std::ofstream(path) << "<fontconfig/>";
    EXPECT_FALSE(absent.StillHolds());
    const TFileStamp present = TFileStamp::Take(path);
    EXPECT_TRUE(present.StillHolds());
    std::ofstream(path, std::ios::app) << " ";
    EXPECT_FALSE(present.StillHolds());
    // The same size and time of change, but another file in its place.
    const TFileStamp grown = TFileStamp::Take(path);
    fs::copy_file(path, path + ".new");
    fs::last_write_time(path + ".new", fs::last_write_time(path));
    fs::rename(path + ".new", path);
    EXPECT_FALSE(grown.StillHolds());
    fs::remove(path);
    EXPECT_FALSE(TFileStamp::Take(path).Exists);

    // A folder tree: a font folder made below one stamped shows as a change of its parent.
    fs::create_directories(std::string(dir) + "/a/b");
    std::vector<TFileStamp> tree;
    StampFolderTree(dir, tree);
    EXPECT_EQ(tree.size(), 3u);
    fs::create_directory(std::string(dir) + "/a/b/c");
    EXPECT_FALSE(std::all_of(tree.begin(), tree.end(), [](const TFileStamp& s) { return s.StillHolds(); }));
    fs::remove_all(dir);
}

// The bytes come back in the order written; a reader that runs out, or finds a truth value
// that is neither, fails and yields zeros.
TEST(ByteReader, TakesBackWhatWasWrittenAndFailsPastTheEnd) {
    TByteWriter out;
    out(int32_t{-7});
    out(true);
    out(std::string("Tahoma"));
    out(uint64_t{1} << 40);
    TByteReader in(out.Result());
    int32_t i = 0;
    bool b = false;
    std::string s;
    uint64_t u = 0;
    in(i), in(b), in(s), in(u);
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(std::tie(i, b, s, u), std::make_tuple(-7, true, std::string("Tahoma"), uint64_t{1} << 40));

    const std::string cut = out.Result().substr(0, 8);
    TByteReader short_(cut);
    in = short_;
    in(i), in(b), in(s);
    EXPECT_TRUE(in.Failed());
    EXPECT_EQ(s, "");
    in(u);
    EXPECT_EQ(u, 0u);

    const std::string two = "\x02";
    TByteReader notABool(two);
    notABool(b);
    EXPECT_TRUE(notABool.Failed());
    EXPECT_FALSE(b);
}

}  // namespace
