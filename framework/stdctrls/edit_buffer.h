// The text-editing core the edit and the memo share: the text, the caret and the selection,
// a one-step undo that the next undo takes back again, word boundaries and, for several
// lines, an index of where each line starts. It knows nothing of drawing or of keys.
//
// Positions are byte offsets into the text (0 … Length). A multi-line buffer keeps every line
// break as CR LF and counts it as two positions, but never lets the caret or either end of
// the selection sit between the two bytes; steps over a break move by both at once.
//
// Sections: change records · TEditBuffer (text, selection, editing, undo, navigation, lines)
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// ---------------------------------------------------------------- change records

// One change of the text: at Pos, Removed bytes were replaced by Inserted bytes.
struct TEditChange {
    int Pos = 0;
    int Removed = 0;
    int Inserted = 0;
};

// How an edit joins the one before it into a single undo step: typed characters that follow
// each other, and deletions that continue where the last one ended, undo together.
enum TEditKind { ekOther, ekTyping, ekDeleting };

// What an insertion did. Truncated: MaxLength (or, single-line, a line break) cut the text.
struct TEditResult {
    bool Changed = false;
    bool Truncated = false;
};

// ---------------------------------------------------------------- TEditBuffer

class TEditBuffer {
public:
    explicit TEditBuffer(bool multiLine = false);

    bool MultiLine() const { return FMultiLine; }
    const std::string& Text() const { return FText; }
    int Length() const { return static_cast<int>(FText.size()); }
    // Replaces everything: caret and anchor at 0, the undo step forgotten. A multi-line
    // buffer turns lone CR and LF into CR LF; a single-line one keeps the bytes as given.
    // MaxLength does not apply.
    void SetText(std::string_view text);

    // 0: no limit. Only typing and pasting respect it.
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int v) { FMaxLength = v < 0 ? 0 : v; }

    // ---- caret and selection: the anchor stays, the caret is the end that moves
    int Caret() const { return FCaret; }
    int Anchor() const { return FAnchor; }
    int SelStart() const { return FCaret < FAnchor ? FCaret : FAnchor; }
    int SelEnd() const { return FCaret < FAnchor ? FAnchor : FCaret; }
    int SelLength() const { return SelEnd() - SelStart(); }
    bool HasSelection() const { return FCaret != FAnchor; }
    std::string SelText() const;
    // Clamped to the text and moved off the middle of a line break.
    void SetSelection(int anchor, int caret);
    // extend: keep the anchor (Shift held); otherwise the selection collapses at pos.
    void MoveCaret(int pos, bool extend);
    void SelectAll() { SetSelection(0, Length()); }

    // ---- editing
    // Replaces the selection by s; the caret ends after the inserted text. A single-line
    // buffer takes s up to its first line break; a multi-line one normalises breaks. The
    // text is cut to what MaxLength leaves room for.
    TEditResult ReplaceSelection(std::string_view s, TEditKind kind = ekOther);
    // Backspace and Delete: the selection when there is one, else one character (a line
    // break counts as one) or, with word, up to the previous / next word boundary.
    bool DeleteBackward(bool word = false);
    bool DeleteForward(bool word = false);

    // ---- undo: one step; undoing it makes a step that redoes it
    bool CanUndo() const { return FUndo.Valid; }
    bool Undo();
    void ClearUndo() { FUndo = {}; }
    // Ends the current typing or deleting run: the next edit starts a new undo step.
    void BreakUndoRun() { FUndo.Open = false; }

    // ---- navigation (positions, nothing moves; from outside the text, onto its nearest end)
    int NextPos(int p) const;  // one character right (over CR LF as one)
    int PrevPos(int p) const;
    // Ctrl+Right: past the current word and the blanks after it; at a line break, to the
    // first word of the next line.
    int WordRight(int p) const;
    // Ctrl+Left: to the start of the word before p (across one line break).
    int WordLeft(int p) const;
    // Double click: the run of word characters, of blanks or of punctuation at p.
    void WordAt(int p, int& start, int& end) const;

    // ---- lines (a single-line buffer is one line, whatever it holds)
    int LineCount() const { return static_cast<int>(FLineStarts.size()); }
    // -1 when there is no such line.
    int LineStart(int line) const;
    // The position of the line's break (or the text's end for the last line).
    int LineEnd(int line) const;
    int LineLength(int line) const { return LineEnd(line) - LineStart(line); }
    std::string_view LineText(int line) const;
    int LineFromPos(int p) const;

    // After every change of the text (SetText included), before the caller hears of it.
    std::function<void(const TEditChange&)> OnChange;
    // Counts changes of the text; layouts compare it to know they are stale.
    uint64_t Version() const { return FVersion; }

private:
    struct UndoStep {
        bool Valid = false;
        bool Open = false;  // a typing or deleting run may still be added to it
        TEditKind Kind = ekOther;
        int Pos = 0;
        std::string Removed;   // what the edit took away
        std::string Inserted;  // what it put there
    };
    // Replaces [pos, pos + removed) by s (already normalised), keeps the line index and
    // records the undo step; the selection collapses after the new text.
    void Apply(int pos, int removed, std::string_view s, TEditKind kind);
    void Record(int pos, int removed, std::string_view s, TEditKind kind);
    bool DeleteRange(int from, int to, TEditKind kind);
    int Snap(int p) const;
    int CharClass(int p) const;
    void RebuildLines();
    void UpdateLines(int pos, int removed, std::string_view inserted);

    bool FMultiLine;
    std::string FText;
    int FCaret = 0;
    int FAnchor = 0;
    int FMaxLength = 0;
    UndoStep FUndo;
    std::vector<int> FLineStarts{0};
    uint64_t FVersion = 0;
};

// Normalises line breaks to CR LF (lone CR, lone LF and CR LF all become one CR LF).
std::string NormaliseLineBreaks(std::string_view s);
