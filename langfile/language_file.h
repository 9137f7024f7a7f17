// The language-file writer: the 55 phrase texts and the comment become the exact lines of the
// PHP script the Korvane System includes, and those lines become the bytes that are saved.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace langfile {

// Phrase texts by field name ("edAuthor" → "Your Name"), single-byte ANSI text.
using PhraseTexts = std::map<std::string, std::string, std::less<>>;

// Every field at its default text.
PhraseTexts DefaultPhraseTexts();

// The file as lines without terminators: 107 lines, 108 when the comment is not empty.
// Every one of the 55 fields must be present in textsByField; a missing one throws
// std::invalid_argument naming it. Extra keys are ignored.
std::vector<std::string> BuildLanguageFile(const PhraseTexts& textsByField, const std::string& comment);

// Each line followed by CR LF, concatenated; no byte-order mark, no conversion.
std::string ByteForm(const std::vector<std::string>& lines);

// The text as it stands between the double quotes of a phrase line: "\", '"' and "$" are
// escaped so that PHP's value of the variable is byte for byte the typed text and nothing in
// it is evaluated. Every other byte is kept.
std::string PhpDoubleQuotedBody(std::string_view text);

// The comment text as it stands between "/*" and "*/": each "*/" is written "* /" so the
// comment cannot end early and turn the rest of the line into code.
std::string PhpCommentBody(std::string_view text);

}  // namespace langfile
