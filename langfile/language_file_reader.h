// The language-file reader: the texts of a file the writer produced (or one written by hand
// in the same layout) come back as phrase texts and a comment. Reading only looks at lines;
// nothing of the file is ever evaluated.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "langfile/language_file.h"

namespace langfile {

struct ReadLanguageFileResult {
    // The phrase texts found, by field name. A field whose line is missing is absent.
    PhraseTexts texts;
    // The fields whose phrase line the file lacks, in catalogue order.
    std::vector<std::string_view> missingFields;
    // The comment text; empty when the file has no comment line after the forum-id line.
    std::string comment;
    // How many lines assigned one of the catalogue's variables (phrases and popups). Zero
    // means the bytes are not a language file at all.
    int recognisedLines = 0;
};

// Reads the bytes of a language file. Lines end in CR LF or LF. A phrase line is
// `$name = "value";` with any spacing around "="; its value runs from the double quote
// after "=" to the last `";` of the line, and the writer's escapes \\, \" and \$ are decoded
// while every other backslash stays as it stands. The popup lines of the popup section, the
// fixed lines and anything else are ignored. Where a phrase is assigned twice the later line
// wins, as it does for PHP.
ReadLanguageFileResult ReadLanguageFile(std::string_view bytes);

// The inverse of PhpDoubleQuotedBody: \\, \" and \$ become the character; any other
// backslash is kept.
std::string DecodePhpDoubleQuotedBody(std::string_view body);

// The inverse of PhpCommentBody: each "* /" becomes "*/" again.
std::string DecodePhpCommentBody(std::string_view body);

}  // namespace langfile
