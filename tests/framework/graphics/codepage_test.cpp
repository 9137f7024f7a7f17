// The six ANSI code pages: byte ↔ Unicode tables, the locale rule and UTF-8 conversion.
#include "framework/graphics/codepage.h"

#include <gtest/gtest.h>

#include <set>

#include "framework/graphics/font.h"

namespace {

constexpr int kPages[] = {1250, 1251, 1252, 1253, 1254, 1257};

// Pins a code page for one test and returns to the locale's afterwards.
struct TPinnedCodePage {
    explicit TPinnedCodePage(int cp) { SetAnsiCodePage(cp); }
    ~TPinnedCodePage() { SetAnsiCodePage(0); }
};

TEST(CodePage, EveryByteRoundTripsInEveryPage) {
    for (int page : kPages) {
        std::set<char32_t> seen;
        for (int b = 0; b < 256; ++b) {
            const char32_t u = AnsiCharToUnicode(static_cast<uint8_t>(b), page);
            EXPECT_TRUE(seen.insert(u).second) << "page " << page << " byte " << b << " maps twice";
            uint8_t back = 0;
            ASSERT_TRUE(UnicodeToAnsiChar(u, page, back)) << page << " " << b;
            EXPECT_EQ(back, b) << "page " << page;
        }
    }
}

TEST(CodePage, KnownCharacters) {
    EXPECT_EQ(AnsiCharToUnicode(0x80, 1252), U'\u20AC');  // euro sign
    EXPECT_EQ(AnsiCharToUnicode(0xE9, 1252), U'\u00E9');  // é
    EXPECT_EQ(AnsiCharToUnicode(0x9F, 1252), U'\u0178');  // Ÿ
    EXPECT_EQ(AnsiCharToUnicode(0x81, 1252), U'\u0081');  // undefined: the C1 control
    EXPECT_EQ(AnsiCharToUnicode(0x8A, 1250), U'\u0160');  // Š
    EXPECT_EQ(AnsiCharToUnicode(0xB9, 1250), U'\u0105');  // ą
    EXPECT_EQ(AnsiCharToUnicode(0xC0, 1251), U'\u0410');  // А
    EXPECT_EQ(AnsiCharToUnicode(0xFF, 1251), U'\u044F');  // я
    EXPECT_EQ(AnsiCharToUnicode(0xC1, 1253), U'\u0391');  // Α
    EXPECT_EQ(AnsiCharToUnicode(0xF0, 1254), U'\u011F');  // ğ
    EXPECT_EQ(AnsiCharToUnicode(0xDD, 1254), U'\u0130');  // İ
    EXPECT_EQ(AnsiCharToUnicode(0xD0, 1257), U'\u0160');  // Š
    EXPECT_EQ(AnsiCharToUnicode(0xE0, 1257), U'\u0105');  // ą
    EXPECT_EQ(AnsiCharToUnicode('A', 1251), U'A');
    uint8_t b = 0;
    EXPECT_FALSE(UnicodeToAnsiChar(U'\u0410', 1252, b));
    EXPECT_FALSE(UnicodeToAnsiChar(U'\U0001F600', 1252, b));
}

TEST(CodePage, LocaleNames) {
    EXPECT_EQ(CodePageForLocale("C"), 1252);
    EXPECT_EQ(CodePageForLocale("POSIX"), 1252);
    EXPECT_EQ(CodePageForLocale("en_US.UTF-8"), 1252);
    EXPECT_EQ(CodePageForLocale("de_DE@euro"), 1252);
    EXPECT_EQ(CodePageForLocale("cs_CZ.UTF-8"), 1250);
    EXPECT_EQ(CodePageForLocale("pl_PL"), 1250);
    EXPECT_EQ(CodePageForLocale("hu_HU.ISO-8859-2"), 1250);
    EXPECT_EQ(CodePageForLocale("sr_RS@latin"), 1250);
    EXPECT_EQ(CodePageForLocale("sr_RS"), 1251);
    EXPECT_EQ(CodePageForLocale("ru_RU.UTF-8"), 1251);
    EXPECT_EQ(CodePageForLocale("uk_UA"), 1251);
    EXPECT_EQ(CodePageForLocale("bg_BG"), 1251);
    EXPECT_EQ(CodePageForLocale("el_GR.UTF-8"), 1253);
    EXPECT_EQ(CodePageForLocale("tr_TR.UTF-8"), 1254);
    EXPECT_EQ(CodePageForLocale("az_AZ"), 1254);
    EXPECT_EQ(CodePageForLocale("lt_LT"), 1257);
    EXPECT_EQ(CodePageForLocale("lv_LV"), 1257);
    EXPECT_EQ(CodePageForLocale("et_EE.UTF-8"), 1257);
    EXPECT_EQ(CodePageForLocale("fr"), 1252);
}

TEST(CodePage, CharsetsOfPages) {
    EXPECT_EQ(CharsetForCodePage(1252), ANSI_CHARSET);
    EXPECT_EQ(CharsetForCodePage(1250), EASTEUROPE_CHARSET);
    EXPECT_EQ(CharsetForCodePage(1251), RUSSIAN_CHARSET);
    EXPECT_EQ(CharsetForCodePage(1253), GREEK_CHARSET);
    EXPECT_EQ(CharsetForCodePage(1254), TURKISH_CHARSET);
    EXPECT_EQ(CharsetForCodePage(1257), BALTIC_CHARSET);
}

TEST(CodePage, Utf8Conversion) {
    {
        TPinnedCodePage pin(1252);
        EXPECT_EQ(AnsiToUtf8("caf\xE9 \x80"), "caf\xC3\xA9 \xE2\x82\xAC");
        bool all = false;
        EXPECT_EQ(Utf8ToAnsi("caf\xC3\xA9 \xE2\x82\xAC", all), "caf\xE9 \x80");
        EXPECT_TRUE(all);
        // Cyrillic has no byte in 1252; a broken sequence is unmapped as well.
        EXPECT_EQ(Utf8ToAnsi("\xD0\x96x", all), "?x");
        EXPECT_FALSE(all);
        EXPECT_EQ(Utf8ToAnsi("a\xC3", all), "a?");
        EXPECT_FALSE(all);
        EXPECT_EQ(Utf8ToAnsi("\xC0\xAF"), "?");  // an overlong "/" is one unmapped character
    }
    {
        TPinnedCodePage pin(1251);
        EXPECT_EQ(AnsiCodePage(), 1251);
        EXPECT_EQ(Utf8ToAnsi("\xD0\x96"), "\xC6");  // Ж
        EXPECT_EQ(AnsiToUtf8("\xC6"), "\xD0\x96");
    }
    for (int page : kPages) {
        TPinnedCodePage pin(page);
        std::string all;
        for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
        bool mapped = false;
        EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(all), mapped), all) << page;
        EXPECT_TRUE(mapped);
    }
}

}  // namespace
