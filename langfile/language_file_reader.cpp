#include "langfile/language_file_reader.h"

#include <map>

#include "langfile/catalogue.h"

namespace langfile {

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t'; }
bool IsNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// One assignment line: `$name = "body";`, with the body still escaped.
struct Assignment {
    std::string_view variable;  // with its "$"
    std::string_view body;
};

bool ParseAssignment(std::string_view line, Assignment& out) {
    std::size_t i = 0;
    while (i < line.size() && IsSpace(line[i])) ++i;
    if (i >= line.size() || line[i] != '$') return false;
    const std::size_t nameStart = i++;
    while (i < line.size() && IsNameChar(line[i])) ++i;
    if (i == nameStart + 1) return false;
    out.variable = line.substr(nameStart, i - nameStart);
    while (i < line.size() && IsSpace(line[i])) ++i;
    if (i >= line.size() || line[i] != '=') return false;
    ++i;
    while (i < line.size() && IsSpace(line[i])) ++i;
    // Only a string assignment: "==" or an unquoted value is something else.
    if (i >= line.size() || line[i] != '"') return false;
    const std::size_t open = i;
    const std::size_t close = line.rfind("\";");
    if (close == std::string_view::npos || close <= open) return false;
    out.body = line.substr(open + 1, close - open - 1);
    return true;
}

// The popup section runs from its banner to the next banner; its lines are the fixed
// reference values, one of which ($svkillcam) shares its name with a phrase.
bool IsBanner(std::string_view line) { return !line.empty() && line[0] == '#'; }
bool IsPopupBanner(std::string_view line) {
    return IsBanner(line) && line.find("Extra Information Popups") != std::string_view::npos;
}

const PhraseEntry* PhraseByVariable(std::string_view variable) {
    static const std::map<std::string_view, const PhraseEntry*, std::less<>> index = [] {
        std::map<std::string_view, const PhraseEntry*, std::less<>> m;
        for (const PhraseEntry& e : Phrases()) m.emplace(e.variable, &e);
        return m;
    }();
    auto it = index.find(variable);
    return it == index.end() ? nullptr : it->second;
}

bool IsPopupVariable(std::string_view variable) {
    for (const PopupEntry& p : Popups())
        if (p.variable == variable) return true;
    return false;
}

}  // namespace

std::string DecodePhpDoubleQuotedBody(std::string_view body) {
    std::string out;
    out.reserve(body.size());
    for (std::size_t i = 0; i < body.size(); ++i) {
        const char c = body[i];
        if (c == '\\' && i + 1 < body.size()) {
            const char next = body[i + 1];
            if (next == '\\' || next == '"' || next == '$') {
                out += next;
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

std::string DecodePhpCommentBody(std::string_view body) {
    std::string out;
    out.reserve(body.size());
    for (std::size_t i = 0; i < body.size(); ++i) {
        out += body[i];
        if (body[i] == '*' && i + 2 < body.size() && body[i + 1] == ' ' && body[i + 2] == '/') ++i;
    }
    return out;
}

ReadLanguageFileResult ReadLanguageFile(std::string_view bytes) {
    ReadLanguageFileResult result;
    bool inPopups = false;
    bool afterForumId = false;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find('\n', pos);
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view line = bytes.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

        const bool commentMayFollow = afterForumId;
        afterForumId = false;
        if (IsBanner(line)) {
            inPopups = IsPopupBanner(line);
            continue;
        }
        if (commentMayFollow && line.size() >= 4 && line.substr(0, 2) == "/*" && line.substr(line.size() - 2) == "*/") {
            result.comment = DecodePhpCommentBody(line.substr(2, line.size() - 4));
            continue;
        }
        Assignment a;
        if (!ParseAssignment(line, a)) continue;
        const PhraseEntry* phrase = PhraseByVariable(a.variable);
        if (inPopups || (phrase == nullptr && IsPopupVariable(a.variable))) {
            if (IsPopupVariable(a.variable)) ++result.recognisedLines;
            continue;
        }
        if (phrase == nullptr) continue;
        ++result.recognisedLines;
        result.texts[std::string(phrase->field)] = DecodePhpDoubleQuotedBody(a.body);
        afterForumId = phrase->order == 2;
    }
    for (const PhraseEntry& e : Phrases())
        if (result.texts.find(e.field) == result.texts.end()) result.missingFields.push_back(e.field);
    return result;
}

}  // namespace langfile
