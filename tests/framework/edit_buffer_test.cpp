// The editing core: selection, editing with MaxLength and line breaks, undo runs, word moves
// and the line index kept up to date through edits.
#include <gtest/gtest.h>

#include <vector>

#include "framework/stdctrls/edit_buffer.h"

namespace {

// The line starts as a fresh scan of the text finds them.
std::vector<int> ScannedStarts(const std::string& t) {
    std::vector<int> s{0};
    for (size_t i = t.find("\r\n"); i != std::string::npos; i = t.find("\r\n", i + 2)) s.push_back(int(i + 2));
    return s;
}
std::vector<int> IndexedStarts(const TEditBuffer& b) {
    std::vector<int> s;
    for (int i = 0; i < b.LineCount(); ++i) s.push_back(b.LineStart(i));
    return s;
}

}  // namespace

TEST(EditBuffer, TypingReplacesTheSelectionAndLeavesTheCaretAfterIt) {
    TEditBuffer b;
    b.SetText("hello world");
    EXPECT_EQ(b.Caret(), 0);
    b.SetSelection(6, 11);
    EXPECT_EQ(b.SelText(), "world");
    EXPECT_TRUE(b.ReplaceSelection("there", ekTyping).Changed);
    EXPECT_EQ(b.Text(), "hello there");
    EXPECT_EQ(b.Caret(), 11);
    EXPECT_FALSE(b.HasSelection());
    // Selection ends are clamped; the caret is the moving end.
    b.SetSelection(100, -5);
    EXPECT_EQ(b.SelStart(), 0);
    EXPECT_EQ(b.SelLength(), 11);
    EXPECT_EQ(b.Caret(), 0);
    b.MoveCaret(3, true);
    EXPECT_EQ(b.SelText(), "lo there");
}

TEST(EditBuffer, MaxLengthCutsInsertionsButNotSetText) {
    TEditBuffer b;
    b.SetMaxLength(5);
    b.SetText("abcdefg");  // the program may exceed it
    EXPECT_EQ(b.Text(), "abcdefg");
    b.SetText("abc");
    b.MoveCaret(3, false);
    TEditResult r = b.ReplaceSelection("XYZ");
    EXPECT_TRUE(r.Changed);
    EXPECT_TRUE(r.Truncated);
    EXPECT_EQ(b.Text(), "abcXY");
    r = b.ReplaceSelection("Q");
    EXPECT_FALSE(r.Changed);
    EXPECT_TRUE(r.Truncated);
    // Replacing a selection makes room.
    b.SetSelection(0, 2);
    EXPECT_TRUE(b.ReplaceSelection("12345").Truncated);
    EXPECT_EQ(b.Text(), "12cXY");
}

TEST(EditBuffer, ASingleLineTakesTextUpToItsFirstLineBreak) {
    TEditBuffer b;
    b.ReplaceSelection("first\r\nsecond");
    EXPECT_EQ(b.Text(), "first");
    b.ReplaceSelection("\nnothing");
    EXPECT_EQ(b.Text(), "first");
    b.SetText("a\r\nb");  // SetText keeps the bytes
    EXPECT_EQ(b.Text(), "a\r\nb");
    EXPECT_EQ(b.LineCount(), 1);
}

TEST(EditBuffer, MultiLineBreaksAreCrLfAndMoveAsOneCharacter) {
    TEditBuffer b(true);
    b.SetText("a\nb\rc\r\nd");
    EXPECT_EQ(b.Text(), "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(b.LineCount(), 4);
    EXPECT_EQ(b.NextPos(1), 3);
    EXPECT_EQ(b.PrevPos(3), 1);
    // From outside the text, onto its nearest end (found by the edit-buffer fuzzer).
    EXPECT_EQ(b.NextPos(-1), 0);
    EXPECT_EQ(b.PrevPos(b.Length() + 5), b.Length());
    // Never between CR and LF.
    b.SetSelection(2, 2);
    EXPECT_EQ(b.Caret(), 1);
    b.MoveCaret(3, false);
    EXPECT_TRUE(b.DeleteBackward());
    EXPECT_EQ(b.Text(), "ab\r\nc\r\nd");
    EXPECT_TRUE(b.DeleteForward());
    EXPECT_EQ(b.Text(), "a\r\nc\r\nd");
    // MaxLength never leaves half a break behind.
    b.SetText("");
    b.SetMaxLength(2);
    b.ReplaceSelection("x\r\ny");
    EXPECT_EQ(b.Text(), "x");
}

TEST(EditBuffer, TheLineIndexFollowsEveryEdit) {
    TEditBuffer b(true);
    b.SetText("one\r\ntwo\r\nthree\r\n\r\nfive");
    EXPECT_EQ(b.LineCount(), 5);
    EXPECT_EQ(b.LineText(2), "three");
    EXPECT_EQ(b.LineLength(3), 0);
    EXPECT_EQ(b.LineStart(5), -1);
    EXPECT_EQ(b.LineFromPos(0), 0);
    EXPECT_EQ(b.LineFromPos(5), 1);
    EXPECT_EQ(b.LineFromPos(b.Length()), 4);
    struct Edit {
        int From, To;
        const char* Text;
    };
    const Edit edits[] = {{2, 7, "X"},   {0, 0, "new\r\nlines\r\n"}, {5, 5, "\r\n\r\n"}, {0, 9, ""},
                          {3, 3, "mid"}, {1, 6, "\r\na\r\nb"},       {0, 0, "\r\n"}};
    for (const Edit& e : edits) {
        b.SetSelection(e.From, e.To);
        b.ReplaceSelection(e.Text);
        ASSERT_EQ(IndexedStarts(b), ScannedStarts(b.Text())) << b.Text();
    }
    b.SelectAll();
    b.DeleteBackward();
    EXPECT_EQ(IndexedStarts(b), std::vector<int>{0});
}

TEST(EditBuffer, UndoTakesBackARunOfTypingAndUndoAgainRedoesIt) {
    TEditBuffer b;
    b.SetText("ab");
    b.MoveCaret(2, false);
    for (char c : std::string("cde")) b.ReplaceSelection(std::string(1, c), ekTyping);
    EXPECT_EQ(b.Text(), "abcde");
    ASSERT_TRUE(b.Undo());
    EXPECT_EQ(b.Text(), "ab");
    EXPECT_EQ(b.Caret(), 2);
    ASSERT_TRUE(b.Undo());
    EXPECT_EQ(b.Text(), "abcde");
    EXPECT_EQ(b.SelText(), "cde");
    // A caret move ends the run: only the second word undoes.
    b.MoveCaret(5, false);
    b.ReplaceSelection("x", ekTyping);
    b.MoveCaret(0, false);
    b.ReplaceSelection("y", ekTyping);
    b.Undo();
    EXPECT_EQ(b.Text(), "abcdex");
    // Backspaces join; so do Deletes.
    b.MoveCaret(6, false);
    b.DeleteBackward();
    b.DeleteBackward();
    b.DeleteBackward();
    EXPECT_EQ(b.Text(), "abc");
    b.Undo();
    EXPECT_EQ(b.Text(), "abcdex");
    b.MoveCaret(1, false);
    b.DeleteForward();
    b.DeleteForward();
    EXPECT_EQ(b.Text(), "adex");
    b.Undo();
    EXPECT_EQ(b.Text(), "abcdex");
    // Replacing a selection restores it on undo; SetText forgets the step.
    b.SetSelection(0, 3);
    b.ReplaceSelection("Z", ekTyping);
    b.Undo();
    EXPECT_EQ(b.Text(), "abcdex");
    b.SetText("fresh");
    EXPECT_FALSE(b.CanUndo());
    EXPECT_FALSE(b.Undo());
}

TEST(EditBuffer, WordMovesStopAtWordStartsAndLineBreaks) {
    TEditBuffer b(true);
    b.SetText("foo, bar_1  baz\r\n  next\r\n\r\nend");
    //         0123456789012345 6 789012 3 4 5 678
    EXPECT_EQ(b.WordRight(0), 3);    // "foo" → ","
    EXPECT_EQ(b.WordRight(3), 5);    // ", " → "bar_1"
    EXPECT_EQ(b.WordRight(5), 12);   // "bar_1  " → "baz"
    EXPECT_EQ(b.WordRight(12), 15);  // end of the line
    EXPECT_EQ(b.WordRight(15), 19);  // over the break and the indent to "next"
    EXPECT_EQ(b.WordLeft(19), 17);   // a line start stops the move
    EXPECT_EQ(b.WordLeft(17), 12);   // … unless it began there: back to "baz"
    EXPECT_EQ(b.WordLeft(12), 5);
    EXPECT_EQ(b.WordLeft(5), 3);
    EXPECT_EQ(b.WordLeft(3), 0);
    EXPECT_EQ(b.WordLeft(0), 0);
    EXPECT_EQ(b.WordLeft(27), 25);  // "end" → the empty line before it
    EXPECT_EQ(b.WordRight(b.Length()), b.Length());
    int s = 0, e = 0;
    b.WordAt(7, s, e);
    EXPECT_EQ(b.Text().substr(s, e - s), "bar_1");
    b.WordAt(15, s, e);  // at a line's end: the word before
    EXPECT_EQ(b.Text().substr(s, e - s), "baz");
    b.WordAt(10, s, e);
    EXPECT_EQ(b.Text().substr(s, e - s), "  ");
    // Word deletes.
    b.MoveCaret(10, false);
    b.DeleteBackward(true);
    EXPECT_EQ(b.Text().substr(0, 10), "foo,   baz");
}

TEST(EditBuffer, ChangesAreReportedWithTheirRange) {
    TEditBuffer b;
    std::vector<std::tuple<int, int, int>> seen;
    b.OnChange = [&](const TEditChange& c) { seen.emplace_back(c.Pos, c.Removed, c.Inserted); };
    b.SetText("abc");
    b.SetSelection(1, 2);
    b.ReplaceSelection("XY");
    b.DeleteBackward();
    b.Undo();
    EXPECT_EQ(seen, (std::vector<std::tuple<int, int, int>>{{0, 0, 3}, {1, 1, 2}, {2, 1, 0}, {2, 0, 1}}));
}
