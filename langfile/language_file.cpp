#include "langfile/language_file.h"

#include <stdexcept>

#include "langfile/catalogue.h"

namespace langfile {

namespace {

// The "=" of every aligned phrase and popup line is its 21st character.
constexpr std::size_t kAlignedNameWidth = 20;

// One step of the fixed layout.
struct LayoutItem {
    enum Kind { Fixed, Phrase, Popup, Comment } kind;
    std::string_view text = {};  // Fixed: the literal line ("" = empty line)
    int number = 0;              // Phrase: order 1..55; Popup: 1..10
};

constexpr LayoutItem Line(std::string_view text) { return {LayoutItem::Fixed, text}; }
constexpr LayoutItem Empty() { return {LayoutItem::Fixed, ""}; }
constexpr LayoutItem Phrase(int n) { return {LayoutItem::Phrase, {}, n}; }
constexpr LayoutItem Popup(int n) { return {LayoutItem::Popup, {}, n}; }

constexpr std::string_view kRule = "################################################################################";
constexpr std::string_view kMainBanner =
    "############################# Main Information #################################";
constexpr std::string_view kPopupsBanner =
    "########################## Extra Information Popups ############################";
constexpr std::string_view kExtraBanner =
    "############################ Extra Information #################################";

const LayoutItem kLayout[] = {
    Line("<?php"),
    Empty(),
    Line("//Language file Info"),
    Phrase(1),
    Phrase(2),
    {LayoutItem::Comment},
    Empty(),
    Line(kRule),
    Empty(),
    Line("//Server Offline messages"),
    Phrase(3),
    Phrase(4),
    Empty(),
    Line("//Site Offline messages"),
    Phrase(5),
    Phrase(6),
    Empty(),
    Line("//Titles"),
    Phrase(7),
    Phrase(8),
    Phrase(9),
    Empty(),
    Empty(),
    Empty(),
    Line(kMainBanner),
    Empty(),
    Phrase(10),
    Phrase(11),
    Phrase(12),
    Phrase(13),
    Phrase(14),
    Phrase(15),
    Phrase(16),
    Phrase(17),
    Phrase(18),
    Phrase(19),
    Phrase(20),
    Phrase(21),
    Phrase(22),
    Phrase(23),
    Phrase(24),
    Phrase(25),
    Phrase(26),
    Empty(),
    Empty(),
    Empty(),
    Line(kPopupsBanner),
    Empty(),
    Popup(1),
    Popup(2),
    Popup(3),
    Popup(4),
    Popup(5),
    Popup(6),
    Popup(7),
    Popup(8),
    Popup(9),
    Popup(10),
    Empty(),
    Empty(),
    Empty(),
    Line(kExtraBanner),
    Empty(),
    Line("//Server pure or not"),
    Phrase(27),
    Phrase(28),
    Phrase(29),
    Phrase(30),
    Line("//Minimum Ping"),
    Phrase(31),
    Line("//Maximum Ping"),
    Phrase(32),
    Line("//Maximum Rate"),
    Phrase(33),
    Phrase(34),
    Line("//Password"),
    Phrase(35),
    Phrase(36),
    Phrase(37),
    Phrase(38),
    Line("//Version"),
    Phrase(39),
    Phrase(40),
    Line("//Friendly Fire"),
    Phrase(41),
    Phrase(42),
    Phrase(43),
    Phrase(44),
    Phrase(45),
    Line("//Local"),
    Phrase(46),
    Line("//Killcam"),
    Phrase(47),
    Phrase(48),
    Phrase(49),
    Line("//Antilag"),
    Phrase(50),
    Phrase(51),
    Phrase(52),
    Line("//Voice"),
    Phrase(53),
    Phrase(54),
    Phrase(55),
    Empty(),
    Empty(),
    Line("// Korvane System v4 statistics language file, made with Verbolt Editor v1.0"),
    Line("// Korvane System home: http://www.korvane.com"),
    Line("?>"),
};

// `$name = "value";` with the name padded so that "=" is the 21st character; the two
// "Language file Info" lines are not aligned and keep a single space.
std::string AssignmentLine(std::string_view variable, std::string_view value, bool aligned) {
    std::string line(variable);
    std::size_t spaces = 1;
    if (aligned && variable.size() < kAlignedNameWidth) spaces = kAlignedNameWidth - variable.size();
    line.append(spaces, ' ');
    line += "= \"";
    line += PhpDoubleQuotedBody(value);
    line += "\";";
    return line;
}

}  // namespace

std::string PhpDoubleQuotedBody(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '\\' || c == '"' || c == '$') out += '\\';
        out += c;
    }
    return out;
}

std::string PhpCommentBody(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        out += text[i];
        if (text[i] == '*' && i + 1 < text.size() && text[i + 1] == '/') out += ' ';
    }
    return out;
}

PhraseTexts DefaultPhraseTexts() {
    PhraseTexts texts;
    for (const PhraseEntry& e : Phrases()) texts.emplace(e.field, e.defaultText);
    return texts;
}

std::vector<std::string> BuildLanguageFile(const PhraseTexts& textsByField, const std::string& comment) {
    const auto& phrases = Phrases();
    const auto& popups = Popups();
    std::vector<std::string> lines;
    lines.reserve(std::size(kLayout));
    for (const LayoutItem& item : kLayout) {
        switch (item.kind) {
            case LayoutItem::Fixed: lines.emplace_back(item.text); break;
            case LayoutItem::Phrase: {
                const PhraseEntry& e = phrases[item.number - 1];
                auto it = textsByField.find(e.field);
                if (it == textsByField.end())
                    throw std::invalid_argument("no text for phrase field " + std::string(e.field));
                lines.push_back(AssignmentLine(e.variable, it->second, item.number > 2));
                break;
            }
            case LayoutItem::Popup: {
                const PopupEntry& p = popups[item.number - 1];
                lines.push_back(AssignmentLine(p.variable, p.value, true));
                break;
            }
            case LayoutItem::Comment:
                // A comment of spaces still counts: only an empty text leaves the line out.
                if (!comment.empty()) lines.push_back("/*" + PhpCommentBody(comment) + "*/");
                break;
        }
    }
    return lines;
}

std::string ByteForm(const std::vector<std::string>& lines) {
    std::size_t size = 0;
    for (const std::string& l : lines) size += l.size() + 2;
    std::string bytes;
    bytes.reserve(size);
    for (const std::string& l : lines) {
        bytes += l;
        bytes += "\r\n";
    }
    return bytes;
}

}  // namespace langfile
