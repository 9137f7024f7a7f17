// The shared text-editing core. Sections: line breaks · text and selection · editing and
// undo · navigation · the line index
#include "framework/stdctrls/edit_buffer.h"

#include <algorithm>
#include <cctype>

// ---------------------------------------------------------------- line breaks

std::string NormaliseLineBreaks(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '\r') {
            out += "\r\n";
            if (i + 1 < s.size() && s[i + 1] == '\n') ++i;
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

// ---------------------------------------------------------------- text and selection

TEditBuffer::TEditBuffer(bool multiLine) : FMultiLine(multiLine) {}

void TEditBuffer::SetText(std::string_view text) {
    const int old = Length();
    FText = FMultiLine ? NormaliseLineBreaks(text) : std::string(text);
    FCaret = FAnchor = 0;
    FUndo = {};
    RebuildLines();
    ++FVersion;
    if (OnChange) OnChange({0, old, Length()});
}

std::string TEditBuffer::SelText() const { return FText.substr(SelStart(), SelLength()); }

int TEditBuffer::Snap(int p) const {
    p = std::clamp(p, 0, Length());
    if (FMultiLine && p > 0 && p < Length() && FText[p - 1] == '\r' && FText[p] == '\n') --p;
    return p;
}

void TEditBuffer::SetSelection(int anchor, int caret) {
    FAnchor = Snap(anchor);
    FCaret = Snap(caret);
    FUndo.Open = false;
}

void TEditBuffer::MoveCaret(int pos, bool extend) { SetSelection(extend ? FAnchor : pos, pos); }

// ---------------------------------------------------------------- editing and undo

TEditResult TEditBuffer::ReplaceSelection(std::string_view s, TEditKind kind) {
    TEditResult result;
    std::string clean;
    if (FMultiLine) {
        clean = NormaliseLineBreaks(s);
    } else {
        const size_t brk = s.find_first_of("\r\n");
        clean = std::string(s.substr(0, brk));
    }
    if (FMaxLength > 0) {
        const int room = std::max(0, FMaxLength - (Length() - SelLength()));
        if (static_cast<int>(clean.size()) > room) {
            result.Truncated = true;
            clean.resize(room);
            // Never keep half a line break.
            if (!clean.empty() && clean.back() == '\r' && FMultiLine) clean.pop_back();
        }
    }
    if (clean.empty() && !HasSelection()) return result;
    const int pos = SelStart();
    const int removed = SelLength();
    Record(pos, removed, clean, kind);
    Apply(pos, removed, clean, kind);
    result.Changed = true;
    return result;
}

bool TEditBuffer::DeleteBackward(bool word) {
    if (HasSelection()) return DeleteRange(SelStart(), SelEnd(), ekOther);
    return DeleteRange(word ? WordLeft(FCaret) : PrevPos(FCaret), FCaret, ekDeleting);
}

bool TEditBuffer::DeleteForward(bool word) {
    if (HasSelection()) return DeleteRange(SelStart(), SelEnd(), ekOther);
    return DeleteRange(FCaret, word ? WordRight(FCaret) : NextPos(FCaret), ekDeleting);
}

bool TEditBuffer::DeleteRange(int from, int to, TEditKind kind) {
    if (from >= to) return false;
    Record(from, to - from, {}, kind);
    Apply(from, to - from, {}, kind);
    return true;
}

void TEditBuffer::Record(int pos, int removed, std::string_view s, TEditKind kind) {
    const std::string_view gone = std::string_view(FText).substr(pos, removed);
    UndoStep& u = FUndo;
    if (u.Valid && u.Open && u.Kind == kind) {
        if (kind == ekTyping && removed == 0 && pos == u.Pos + static_cast<int>(u.Inserted.size())) {
            u.Inserted += s;
            return;
        }
        if (kind == ekDeleting && s.empty() && u.Inserted.empty()) {
            if (pos + removed == u.Pos) {  // Backspace after Backspace
                u.Removed.insert(0, gone);
                u.Pos = pos;
                return;
            }
            if (pos == u.Pos) {  // Delete after Delete
                u.Removed += gone;
                return;
            }
        }
    }
    u.Valid = true;
    u.Open = kind != ekOther;
    u.Kind = kind;
    u.Pos = pos;
    u.Removed = std::string(gone);
    u.Inserted = std::string(s);
}

void TEditBuffer::Apply(int pos, int removed, std::string_view s, TEditKind) {
    FText.replace(pos, removed, s);
    if (FMultiLine) UpdateLines(pos, removed, s);
    FCaret = FAnchor = pos + static_cast<int>(s.size());
    ++FVersion;
    if (OnChange) OnChange({pos, removed, static_cast<int>(s.size())});
}

bool TEditBuffer::Undo() {
    if (!FUndo.Valid) return false;
    UndoStep step = FUndo;
    const int pos = step.Pos;
    const int removed = static_cast<int>(step.Inserted.size());
    // The inverse step: undoing again brings the change back.
    FUndo = {true, false, ekOther, pos, step.Inserted, step.Removed};
    Apply(pos, removed, step.Removed, ekOther);
    FAnchor = pos;
    FCaret = pos + static_cast<int>(step.Removed.size());
    return true;
}

// ---------------------------------------------------------------- navigation

int TEditBuffer::NextPos(int p) const {
    if (p >= Length()) return Length();
    if (p < 0) return 0;
    if (FMultiLine && FText[p] == '\r' && p + 1 < Length() && FText[p + 1] == '\n') return p + 2;
    return p + 1;
}

int TEditBuffer::PrevPos(int p) const {
    if (p <= 0) return 0;
    if (p > Length()) return Length();
    if (FMultiLine && p >= 2 && FText[p - 1] == '\n' && FText[p - 2] == '\r') return p - 2;
    return p - 1;
}

namespace {
enum { kBlank, kBreak, kWord, kPunct };
}

int TEditBuffer::CharClass(int p) const {
    const auto c = static_cast<unsigned char>(FText[p]);
    if (c == ' ' || c == '\t') return kBlank;
    if (c == '\r' || c == '\n') return kBreak;
    if (c >= 0x80 || std::isalnum(c) || c == '_') return kWord;
    return kPunct;
}

int TEditBuffer::WordRight(int p) const {
    const int n = Length();
    p = Snap(p);
    if (p >= n) return n;
    if (CharClass(p) == kBreak) {
        p = NextPos(p);
    } else if (CharClass(p) != kBlank) {
        const int c = CharClass(p);
        while (p < n && CharClass(p) == c) ++p;
    }
    while (p < n && CharClass(p) == kBlank) ++p;
    return p;
}

int TEditBuffer::WordLeft(int p) const {
    const int start = Snap(p);
    int q = start;
    for (;;) {
        while (q > 0 && CharClass(q - 1) == kBlank) --q;
        if (q == 0) return 0;
        if (CharClass(q - 1) == kBreak) {
            // A line start stops the move unless the move began there.
            if (q < start) return q;
            q = PrevPos(q);
            if (q < start && (q == 0 || CharClass(q - 1) == kBreak)) return q;  // an empty line
            continue;
        }
        const int c = CharClass(q - 1);
        while (q > 0 && CharClass(q - 1) == c) --q;
        return q;
    }
}

void TEditBuffer::WordAt(int p, int& start, int& end) const {
    const int n = Length();
    p = Snap(p);
    if (p >= n || CharClass(p) == kBreak) {
        if (p == 0 || CharClass(p - 1) == kBreak) {
            start = end = p;
            return;
        }
        --p;
    }
    const int c = CharClass(p);
    start = p;
    end = p;
    while (start > 0 && CharClass(start - 1) == c) --start;
    while (end < n && CharClass(end) == c) ++end;
}

// ---------------------------------------------------------------- the line index

int TEditBuffer::LineStart(int line) const {
    if (line < 0 || line >= LineCount()) return -1;
    return FLineStarts[line];
}

int TEditBuffer::LineEnd(int line) const {
    if (line < 0 || line >= LineCount()) return -1;
    return line + 1 < LineCount() ? FLineStarts[line + 1] - 2 : Length();
}

std::string_view TEditBuffer::LineText(int line) const {
    const int s = LineStart(line);
    if (s < 0) return {};
    return std::string_view(FText).substr(s, LineEnd(line) - s);
}

int TEditBuffer::LineFromPos(int p) const {
    auto it = std::upper_bound(FLineStarts.begin(), FLineStarts.end(), p);
    return std::max(0, static_cast<int>(it - FLineStarts.begin()) - 1);
}

void TEditBuffer::RebuildLines() {
    FLineStarts.assign(1, 0);
    if (!FMultiLine) return;
    for (size_t i = FText.find("\r\n"); i != std::string::npos; i = FText.find("\r\n", i + 2))
        FLineStarts.push_back(static_cast<int>(i + 2));
}

void TEditBuffer::UpdateLines(int pos, int removed, std::string_view inserted) {
    // Starts inside the replaced range belong to breaks that went away; the rest shift.
    auto first = std::upper_bound(FLineStarts.begin() + 1, FLineStarts.end(), pos);
    auto last = std::upper_bound(first, FLineStarts.end(), pos + removed);
    const int delta = static_cast<int>(inserted.size()) - removed;
    auto at = FLineStarts.erase(first, last);
    for (auto it = at; it != FLineStarts.end(); ++it) *it += delta;
    std::vector<int> added;
    for (size_t i = inserted.find("\r\n"); i != std::string_view::npos; i = inserted.find("\r\n", i + 2))
        added.push_back(pos + static_cast<int>(i) + 2);
    FLineStarts.insert(at, added.begin(), added.end());
}
