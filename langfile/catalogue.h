// The phrase catalogue: every translatable phrase of the Korvane System v4 language file with
// its PHP variable, the editor field that holds it, where that field stands in the window and
// the English text it starts with; the ten fixed popup entries; the comment field.
// Read-only data; nothing here knows about windows.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace langfile {

struct PhraseEntry {
    int order;                     // 1..55, position among the phrase lines of the file
    std::string_view variable;     // PHP variable with its leading "$"
    std::string_view field;        // name of the edit field in the editor window
    std::string_view page;         // caption of the page the field stands on
    std::string_view panel;        // which framed panel of that page holds the field
    std::string_view label;        // caption of the label left of the field
    std::string_view defaultText;  // text the field holds when the window is created
};

struct PopupEntry {
    std::string_view variable;        // PHP variable with its leading "$"
    std::string_view value;           // fixed server-variable name written as its value
    std::string_view referenceLabel;  // label of the read-only reference field on "Extra Information 2"
    std::string_view referenceField;  // name of that reference field (VtEdit1..VtEdit10)
};

inline constexpr std::size_t kPhraseCount = 55;
inline constexpr std::size_t kPopupCount = 10;

// The 55 phrase entries in output order.
const std::array<PhraseEntry, kPhraseCount>& Phrases();

// The 10 popup entries in output order (also their on-screen order).
const std::array<PopupEntry, kPopupCount>& Popups();

// The optional comment: its field, page, panel and label. Its default text is empty.
inline constexpr std::string_view kCommentField = "edComment";
inline constexpr std::string_view kCommentPage = "Language Information";
inline constexpr std::string_view kCommentPanel = "top left";
inline constexpr std::string_view kCommentLabel = "Leave Comment?:";

// The seventeen fields of the Main Information page carry the tags 0..16 in output order,
// equal to their tab order. Returns -1 for any other field.
int MainInformationTag(std::string_view field);

// The entry for a field name, or nullptr when no phrase uses that field.
const PhraseEntry* FindPhraseByField(std::string_view field);

}  // namespace langfile
