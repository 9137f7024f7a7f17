#include "langfile/language_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "langfile/catalogue.h"

using namespace langfile;

namespace {

std::string ReadGolden(const std::string& name) {
    std::ifstream in(std::string(VERBOLT_TEST_DATA_DIR) + "/" + name, std::ios::binary);
    EXPECT_TRUE(in.good()) << name;
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool IsAssignment(const std::string& line) { return !line.empty() && line[0] == '$'; }

}  // namespace

TEST(LanguageFile, DefaultFileMatchesTheLayoutByteForByte) {
    const auto lines = BuildLanguageFile(DefaultPhraseTexts(), "");
    ASSERT_EQ(lines.size(), 107u);
    EXPECT_EQ(lines[13], "$lang_siteoffnotice = \"Korvane notice!\";");
    EXPECT_EQ(lines[106], "?>");
    const std::string bytes = ByteForm(lines);
    EXPECT_EQ(bytes, ReadGolden("default.golden"));
    EXPECT_EQ(bytes.substr(bytes.size() - 4), "?>\r\n");
    EXPECT_NE(bytes.substr(0, 3), "\xEF\xBB\xBF");
}

TEST(LanguageFile, CommentLineFollowsTheForumIdLine) {
    const auto lines = BuildLanguageFile(DefaultPhraseTexts(), "x");
    ASSERT_EQ(lines.size(), 108u);
    EXPECT_EQ(lines[5], "/*x*/");
    EXPECT_EQ(lines[6], "");
    EXPECT_EQ(lines[107], "?>");
    EXPECT_EQ(ByteForm(lines), ReadGolden("comment_x.golden"));

    // Spaces are a comment too; only an empty text leaves the line out.
    const auto spaced = BuildLanguageFile(DefaultPhraseTexts(), "  ");
    ASSERT_EQ(spaced.size(), 108u);
    EXPECT_EQ(spaced[5], "/*  */");
}

TEST(LanguageFile, EqualsSignIsTheTwentyFirstCharacterButInTheFirstTwoLines) {
    const auto lines = BuildLanguageFile(DefaultPhraseTexts(), "");
    int assignments = 0;
    for (const std::string& line : lines) {
        if (!IsAssignment(line)) continue;
        ++assignments;
        if (assignments <= 2) {
            EXPECT_EQ(line.find(" = \""), line.find(' ')) << line;
        } else {
            EXPECT_EQ(line.find('='), 20u) << line;
            EXPECT_EQ(line.substr(20, 3), "= \"") << line;
        }
    }
    EXPECT_EQ(assignments, 65);
}

TEST(LanguageFile, EmptiedPhraseKeepsItsAlignment) {
    auto texts = DefaultPhraseTexts();
    texts["edSvname"] = "";
    texts["edAuthor"] = "";
    const auto lines = BuildLanguageFile(texts, "");
    EXPECT_EQ(lines[25], "$svname             = \"\";");
    EXPECT_EQ(lines[3], "$language_author = \"\";");
}

TEST(LanguageFile, HighBytesAndMarkupPassUnchanged) {
    auto texts = DefaultPhraseTexts();
    texts["edSvname"] = "Nom \xE9t\xE9 <i>\xFF\x80";
    const auto lines = BuildLanguageFile(texts,
                                         "Fran\xE7"
                                         "ais");
    EXPECT_EQ(lines[26], "$svname             = \"Nom \xE9t\xE9 <i>\xFF\x80\";");
    EXPECT_EQ(lines[5],
              "/*Fran\xE7"
              "ais*/");
    EXPECT_NE(lines[10].find("<b>The Server"), std::string::npos);
}

TEST(LanguageFile, QuotesBackslashesAndDollarsAreEscaped) {
    EXPECT_EQ(PhpDoubleQuotedBody(R"(say "hi")"), R"(say \"hi\")");
    EXPECT_EQ(PhpDoubleQuotedBody("ends with \\"), "ends with \\\\");
    EXPECT_EQ(PhpDoubleQuotedBody("$x {${phpinfo()}}"), "\\$x {\\${phpinfo()}}");
    EXPECT_EQ(PhpDoubleQuotedBody("\\n stays two chars"), "\\\\n stays two chars");
    EXPECT_EQ(PhpDoubleQuotedBody("' ?> <?php \xE9"), "' ?> <?php \xE9");
}

TEST(LanguageFile, CommentCannotCloseItself) {
    EXPECT_EQ(PhpCommentBody("a */ b"), "a * / b");
    EXPECT_EQ(PhpCommentBody("**/*/"), "** /* /");
    EXPECT_EQ(PhpCommentBody("/* * / ok"), "/* * / ok");
    const auto lines = BuildLanguageFile(DefaultPhraseTexts(), "*/ echo 1; /*");
    EXPECT_EQ(lines[5], "/** / echo 1; /**/");
}

TEST(LanguageFile, MissingFieldIsAnErrorNotAnEmptyPhrase) {
    auto texts = DefaultPhraseTexts();
    texts.erase("edVoice3");
    try {
        BuildLanguageFile(texts, "");
        FAIL() << "expected an exception";
    } catch (const std::invalid_argument& e) {
        EXPECT_NE(std::string(e.what()).find("edVoice3"), std::string::npos);
    }
}

TEST(LanguageFile, ByteFormEndsEveryLineWithCrLf) {
    EXPECT_EQ(ByteForm({}), "");
    EXPECT_EQ(ByteForm({"", "a", ""}), "\r\na\r\n\r\n");
}
