// Reading a language file back: whatever the writer wrote comes back as the texts it was
// written from, and other files are read only as far as they follow the layout.
#include "langfile/language_file_reader.h"

#include <gtest/gtest.h>

#include <random>

#include "langfile/catalogue.h"

using namespace langfile;

namespace {

// Any byte a single-line field can hold: everything but the line breaks.
char FieldByte(std::mt19937& random) {
    for (;;) {
        const char c = static_cast<char>(std::uniform_int_distribution<int>(1, 255)(random));
        if (c != '\r' && c != '\n') return c;
    }
}

// Texts that lean on what could confuse a reader: quotes, backslashes, dollars, the PHP
// closer, the comment closer, spaces at both ends, empty texts and very long ones.
std::string RandomText(std::mt19937& random) {
    static const char* pieces[] = {"\"", "\\", "$", "?>", "*/", "\";", "\\\"", " ", "=", "/*", "\\$", "\\\\"};
    const int kind = std::uniform_int_distribution<int>(0, 9)(random);
    if (kind == 0) return "";
    const int length = kind == 1 ? 10000 : std::uniform_int_distribution<int>(1, 40)(random);
    std::string text;
    while (static_cast<int>(text.size()) < length) {
        if (std::uniform_int_distribution<int>(0, 2)(random) == 0)
            text += pieces[std::uniform_int_distribution<std::size_t>(0, std::size(pieces) - 1)(random)];
        else text += FieldByte(random);
    }
    if (kind == 2) text = "  " + text + "  ";
    return text;
}

// "* /" in a comment reads back as "*/", which is how the writer stores a typed "*/".
std::string WithoutSpacedCloser(std::string text) {
    for (std::size_t at; (at = text.find("* /")) != std::string::npos;) text.erase(at + 1, 1);
    return text;
}

std::string Replace(std::string s, const std::string& from, const std::string& to) {
    for (std::size_t at = 0; (at = s.find(from, at)) != std::string::npos; at += to.size())
        s.replace(at, from.size(), to);
    return s;
}

}  // namespace

TEST(LanguageFileReader, WhatTheWriterWroteComesBackForRandomTexts) {
    std::mt19937 random(20261208);
    for (int round = 0; round < 300; ++round) {
        PhraseTexts texts;
        for (const PhraseEntry& e : Phrases()) texts[std::string(e.field)] = RandomText(random);
        const std::string comment = WithoutSpacedCloser(RandomText(random));
        const std::string bytes = ByteForm(BuildLanguageFile(texts, comment));
        // Both the writer's CR LF and plain LF line ends.
        const std::string file = round % 2 ? bytes : Replace(bytes, "\r\n", "\n");

        const ReadLanguageFileResult read = ReadLanguageFile(file);
        ASSERT_TRUE(read.missingFields.empty()) << "round " << round;
        ASSERT_EQ(read.texts, texts) << "round " << round;
        ASSERT_EQ(read.comment, comment) << "round " << round;
        EXPECT_EQ(read.recognisedLines, 65);
        // Creating again from what was read writes the same bytes.
        ASSERT_EQ(ByteForm(BuildLanguageFile(read.texts, read.comment)), bytes) << "round " << round;
    }
}

TEST(LanguageFileReader, ACommentWithTheSpacedCloserWritesTheSameBytesAgain) {
    const std::string bytes = ByteForm(BuildLanguageFile(DefaultPhraseTexts(), "a * / b */ c"));
    const ReadLanguageFileResult read = ReadLanguageFile(bytes);
    EXPECT_EQ(read.comment, "a */ b */ c");
    EXPECT_EQ(ByteForm(BuildLanguageFile(read.texts, read.comment)), bytes);
}

TEST(LanguageFileReader, KillcamTakesThePhraseLineNotThePopupLine) {
    PhraseTexts texts = DefaultPhraseTexts();
    texts["edKillcam1"] = "Kamera";
    const ReadLanguageFileResult read = ReadLanguageFile(ByteForm(BuildLanguageFile(texts, "")));
    EXPECT_EQ(read.texts.at("edKillcam1"), "Kamera");
    EXPECT_EQ(read.comment, "");
}

TEST(LanguageFileReader, FilesWrittenWithoutEscapesReadAsTyped) {
    // The layout as it stood before values were escaped: quotes and dollars unescaped.
    const std::string file =
        "<?php\n\n//Language file Info\n$language_author = \"Ann \"the\" $1\";\n"
        "$language_forumid=\"42\"; \n/*made by hand*/\n\n"
        "$svname             = \"C:\\games\\server\";\n"
        "$offstring\t=\t\"a \\n b\";\n?>\n";
    const ReadLanguageFileResult read = ReadLanguageFile(file);
    EXPECT_EQ(read.texts.at("edAuthor"), "Ann \"the\" $1");
    EXPECT_EQ(read.texts.at("edForumID"), "42");
    EXPECT_EQ(read.comment, "made by hand");
    EXPECT_EQ(read.texts.at("edSvname"), "C:\\games\\server");
    EXPECT_EQ(read.texts.at("edSvoff1"), "a \\n b");
    EXPECT_EQ(read.recognisedLines, 4);
    EXPECT_EQ(read.missingFields.size(), kPhraseCount - 4);
    EXPECT_EQ(read.missingFields.front(), "edSvoff2");
}

TEST(LanguageFileReader, OnlyTheLineAfterTheForumIdIsTheComment) {
    const std::string file =
        "/*not this*/\n$language_author = \"A\";\n/*nor this*/\n$language_forumid = \"1\";\n"
        "$svname = \"N\";\n/*too late*/\n";
    EXPECT_EQ(ReadLanguageFile(file).comment, "");
}

TEST(LanguageFileReader, LinesThatAreNotAssignmentsOfTheCatalogueAreIgnored) {
    const std::string file =
        "$svnamex = \"no\";\n"       // another variable
        "$svname == \"no\";\n"       // a comparison
        "  $svip = unquoted;\n"      // no quotes
        "$svmp = \"no end\n"         // no closing quote and semicolon
        "// $svpn = \"comment\";\n"  // inside a comment line
        "$svsc = \"yes\";\n";
    const ReadLanguageFileResult read = ReadLanguageFile(file);
    EXPECT_EQ(read.texts.size(), 1u);
    EXPECT_EQ(read.texts.at("edScore"), "yes");
    EXPECT_EQ(read.texts.count("edSvIP"), 0u);
    EXPECT_EQ(read.texts.count("edMap"), 0u);
}

TEST(LanguageFileReader, JunkHoldsNoVariable) {
    std::mt19937 random(7);
    std::string junk(4096, '\0');
    for (char& c : junk) c = static_cast<char>(random());
    EXPECT_EQ(ReadLanguageFile(junk).recognisedLines, 0);
    EXPECT_EQ(ReadLanguageFile("").recognisedLines, 0);
    EXPECT_EQ(ReadLanguageFile("<?php\necho 'hello';\n?>").recognisedLines, 0);
    EXPECT_EQ(ReadLanguageFile("").missingFields.size(), kPhraseCount);
}

TEST(LanguageFileReader, TheLaterOfTwoAssignmentsWinsAsInPhp) {
    const ReadLanguageFileResult read = ReadLanguageFile("$svname = \"first\";\n$svname = \"second\";\n");
    EXPECT_EQ(read.texts.at("edSvname"), "second");
}

TEST(LanguageFileReader, EscapesDecodeAndOtherBackslashesStay) {
    EXPECT_EQ(DecodePhpDoubleQuotedBody("\\\\ \\\" \\$ \\n \\x41 \\"), "\\ \" $ \\n \\x41 \\");
    EXPECT_EQ(DecodePhpDoubleQuotedBody(PhpDoubleQuotedBody("\\\\\"$\\")), "\\\\\"$\\");
    EXPECT_EQ(DecodePhpCommentBody("** / * /x"), "**/ */x");
}
