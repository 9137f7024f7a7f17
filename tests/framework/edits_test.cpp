// The single-line edit through the real form: typed keys and characters, selection by keys,
// mouse and double click, the platform clipboard, undo, ReadOnly, MaxLength, AutoSelect on
// Tab against a click, the automatic height, the two borders' pixels, the caret's blink,
// horizontal scrolling, ANSI refusal and creation from a stored description.
#include <gtest/gtest.h>

#include "framework/core/streaming.h"
#include "framework/stdctrls/edits.h"
#include "tests/framework/control_tree_fixture.h"

namespace {

class EditTest : public ControlTreeTest {
protected:
    TEdit* MakeEdit(const std::string& name, int left, int top, bool ctl3d = false) {
        auto* e = new TEdit(Form);
        e->SetName(name);
        e->SetParent(Form);
        e->Font()->SetName("Tahoma");
        e->Font()->SetHeight(-11);
        e->SetCtl3D(ctl3d);
        e->SetBounds(left, top, 80, e->Height());
        e->SetText("");
        return e;
    }
    // Screen point of a client point of a control.
    TPoint At(TControl* c, int x, int y) { return c->ClientToScreen({x, y}); }
};

}  // namespace

TEST_F(EditTest, TypingAndTheEditingKeys) {
    TEdit* e = MakeEdit("E", 10, 10);
    int changes = 0;
    e->OnChange = [&](TObject*) { ++changes; };
    ShowForm();
    e->SetFocus();
    Type("hello wrld");
    EXPECT_EQ(e->Text(), "hello wrld");
    EXPECT_EQ(changes, 10);
    EXPECT_TRUE(e->Modified());
    for (int i = 0; i < 3; ++i) Stroke(VK_LEFT);
    Type("o");
    EXPECT_EQ(e->Text(), "hello world");
    Stroke(VK_HOME);
    Stroke(VK_DELETE);
    Type("H");
    Stroke(VK_RIGHT, {ssCtrl});  // to "world"
    EXPECT_EQ(e->SelStart(), 6);
    Stroke(VK_END);
    Stroke(VK_BACK);
    EXPECT_EQ(e->Text(), "Hello worl");
    Stroke(VK_BACK, {ssCtrl});  // the word before the caret
    EXPECT_EQ(e->Text(), "Hello ");
    Stroke(VK_LEFT, {ssCtrl});
    EXPECT_EQ(e->SelStart(), 0);
    // Enter is no character of a single line: refused with a beep.
    const int beeps = Desk->Beeps();
    Stroke(VK_RETURN);
    EXPECT_EQ(Desk->Beeps(), beeps + 1);
    EXPECT_EQ(e->Text(), "Hello ");
}

TEST_F(EditTest, SelectionByShiftKeysAndCtrlA) {
    TEdit* e = MakeEdit("E", 10, 10);
    ShowForm();
    e->SetFocus();
    Type("one two three");
    Stroke(VK_HOME);
    Stroke(VK_RIGHT, {ssShift, ssCtrl});
    EXPECT_EQ(e->SelText(), "one ");
    Stroke(VK_RIGHT, {ssShift});
    EXPECT_EQ(e->SelText(), "one t");
    Stroke(VK_END, {ssShift});
    EXPECT_EQ(e->SelText(), "one two three");
    // Left without Shift collapses to the selection's start.
    Stroke(VK_LEFT);
    EXPECT_EQ(e->SelLength(), 0);
    EXPECT_EQ(e->SelStart(), 0);
    Stroke('A', {ssCtrl});
    EXPECT_EQ(e->SelStart(), 0);
    EXPECT_EQ(e->SelLength(), 13);
    Type("x");  // typing replaces the selection
    EXPECT_EQ(e->Text(), "x");
}

TEST_F(EditTest, ClipboardKeysGoThroughThePlatformClipboard) {
    TEdit* e = MakeEdit("E", 10, 10);
    ShowForm();
    e->SetFocus();
    Type("alpha beta");
    Stroke(VK_LEFT, {ssShift, ssCtrl});
    Stroke('C', {ssCtrl});
    EXPECT_EQ(Desk->ClipboardText(), "beta");
    Stroke(VK_HOME);
    Stroke('V', {ssCtrl});
    EXPECT_EQ(e->Text(), "betaalpha beta");
    Stroke(VK_RIGHT, {ssShift, ssCtrl});
    Stroke('X', {ssCtrl});
    EXPECT_EQ(Desk->ClipboardText(), "alpha ");
    EXPECT_EQ(e->Text(), "betabeta");
    Stroke(VK_END, {ssShift});
    Stroke(VK_INSERT, {ssCtrl});
    EXPECT_EQ(Desk->ClipboardText(), "beta");
    Stroke(VK_DELETE, {ssShift});
    EXPECT_EQ(e->Text(), "beta");
    Stroke(VK_INSERT, {ssShift});
    EXPECT_EQ(e->Text(), "betabeta");
    // A paste stops at the first line break; "?" stands for what the code page lacked.
    Desk->SetClipboardText("line ?ne\r\nline two");
    Stroke('V', {ssCtrl});
    EXPECT_EQ(e->Text(), "betabetaline ?ne");
}

TEST_F(EditTest, CtrlZUndoesTheLastChangeAndRedoesIt) {
    TEdit* e = MakeEdit("E", 10, 10);
    ShowForm();
    e->SetFocus();
    Type("abc");
    Stroke(VK_LEFT);
    Type("XY");
    EXPECT_EQ(e->Text(), "abXYc");
    Stroke('Z', {ssCtrl});
    EXPECT_EQ(e->Text(), "abc");
    EXPECT_TRUE(e->CanUndo());
    Stroke('Z', {ssCtrl});
    EXPECT_EQ(e->Text(), "abXYc");
    // A paste is one step of its own.
    Desk->SetClipboardText("123");
    Stroke(VK_END);
    Stroke(VK_INSERT, {ssShift});
    Stroke('Z', {ssCtrl});
    EXPECT_EQ(e->Text(), "abXYc");
}

TEST_F(EditTest, ReadOnlyIsFocusableSelectableCopyableButRefusesEdits) {
    TEdit* e = MakeEdit("E", 10, 10);
    e->SetText("fixed");
    e->SetReadOnly(true);
    ShowForm();
    e->SetFocus();
    EXPECT_TRUE(e->Focused());
    EXPECT_EQ(e->SelLength(), 5);  // AutoSelect
    Stroke('C', {ssCtrl});
    EXPECT_EQ(Desk->ClipboardText(), "fixed");
    const int beeps = Desk->Beeps();
    Type("x");
    Stroke(VK_BACK);
    Stroke(VK_DELETE);
    Stroke('X', {ssCtrl});
    Stroke('V', {ssCtrl});
    Stroke('Z', {ssCtrl});
    EXPECT_EQ(e->Text(), "fixed");
    EXPECT_EQ(Desk->Beeps(), beeps + 6);
    Stroke(VK_END);
    Stroke(VK_HOME, {ssShift});
    EXPECT_EQ(e->SelStart(), 0);
    EXPECT_EQ(e->SelLength(), 5);
    // The program may still change it.
    e->SetText("changed");
    EXPECT_EQ(e->Text(), "changed");
}

TEST_F(EditTest, MaxLengthStopsTypingAndCutsPastes) {
    TEdit* e = MakeEdit("E", 10, 10);
    e->SetMaxLength(4);
    ShowForm();
    e->SetFocus();
    const int beeps = Desk->Beeps();
    Type("abcdef");
    EXPECT_EQ(e->Text(), "abcd");
    EXPECT_EQ(Desk->Beeps(), beeps + 2);
    Stroke(VK_HOME);
    Stroke(VK_RIGHT, {ssShift});
    Desk->SetClipboardText("XYZ");
    Stroke('V', {ssCtrl});
    EXPECT_EQ(e->Text(), "Xbcd");
}

TEST_F(EditTest, AutoSelectOnTabButNotOnAClick) {
    TEdit* a = MakeEdit("A", 10, 10);
    TEdit* b = MakeEdit("B", 10, 40);
    a->SetText("first field");
    b->SetText("second field");
    ShowForm();
    a->SetFocus();
    Stroke(VK_TAB);
    EXPECT_TRUE(b->Focused());
    EXPECT_EQ(b->SelStart(), 0);
    EXPECT_EQ(b->SelLength(), 12);
    // A click focuses and places the caret without selecting.
    const TPoint p = At(a, 1 + a->PosFromChar(5).X, 5);
    ClickAt(p);
    EXPECT_TRUE(a->Focused());
    EXPECT_EQ(a->SelLength(), 0);
    EXPECT_EQ(a->SelStart(), 5);
    Stroke(VK_TAB, {ssShift});  // back to B… wraps: there are only two
    EXPECT_TRUE(b->Focused());
    EXPECT_EQ(b->SelLength(), 12);
    a->SetAutoSelect(false);
    Stroke(VK_TAB);
    EXPECT_EQ(a->SelLength(), 0);
}

TEST_F(EditTest, MouseDragAndDoubleClickSelect) {
    TEdit* e = MakeEdit("E", 10, 10);
    e->SetText("drag the words");
    ShowForm();
    // Queued without settling: a double click's presses follow each other at once.
    auto at = [&](int pos) { return At(e, e->PosFromChar(pos).X, 6); };
    input::MouseDown(*Desk, Window(), at(5));
    input::MouseMove(*Desk, Window(), at(8), {ssLeft});
    input::MouseUp(*Desk, Window(), at(8));
    App->ProcessMessages();
    EXPECT_TRUE(e->Focused());
    EXPECT_EQ(e->SelText(), "the");
    input::MouseDown(*Desk, Window(), at(10));
    input::MouseUp(*Desk, Window(), at(10));
    input::MouseDown(*Desk, Window(), at(10), mbLeft, {ssLeft, ssDouble});
    input::MouseUp(*Desk, Window(), at(10));
    App->ProcessMessages();
    EXPECT_EQ(e->SelText(), "words");
    // Shift+click extends from the anchor.
    input::MouseDown(*Desk, Window(), at(0), mbLeft, {ssLeft, ssShift});
    input::MouseUp(*Desk, Window(), at(0), mbLeft, {ssShift});
    App->ProcessMessages();
    EXPECT_EQ(e->SelText(), "drag the ");
}

TEST_F(EditTest, AutoSizeHeightFollowsFontAndCtl3D) {
    TEdit* e = MakeEdit("E", 10, 10, false);
    EXPECT_EQ(e->Height(), 19);  // cell 13 + 6 × 1
    e->SetCtl3D(true);
    EXPECT_EQ(e->Height(), 21);  // cell 13 + 8 × 1
    e->SetAutoSize(false);
    e->SetHeight(40);
    e->Font()->SetHeight(-20);
    EXPECT_EQ(e->Height(), 40);
    // From a description: the height comes from the font once loading is done.
    ReadComponentText(Form,
                      "object Form: TForm\n"
                      "  object edAuthor: TEdit\n"
                      "    Left = 136\n    Top = 13\n    Width = 161\n    Height = 30\n"
                      "    Ctl3D = False\n    ParentCtl3D = False\n"
                      "    Font.Name = 'Tahoma'\n    Font.Height = -11\n    ParentFont = False\n"
                      "    ReadOnly = True\n    MaxLength = 7\n    TabOrder = 0\n"
                      "    Text = 'Verbolt'\n"
                      "  end\n"
                      "end\n");
    auto* loaded = dynamic_cast<TEdit*>(Form->FindComponent("edAuthor"));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->Height(), 19);
    EXPECT_EQ(loaded->Text(), "Verbolt");
    EXPECT_TRUE(loaded->ReadOnly());
    EXPECT_EQ(loaded->MaxLength(), 7);
    EXPECT_FALSE(loaded->Ctl3D());
    EXPECT_TRUE(loaded->TabStop());
    EXPECT_EQ(loaded->Cursor(), crIBeam);
}

TEST_F(EditTest, BorderPixelsForBothCtl3DValues) {
    Form->SetColor(clBtnFace);
    TEdit* sunken = MakeEdit("S", 10, 10, true);
    TEdit* flat = MakeEdit("F", 10, 50, false);
    ShowForm();
    ASSERT_EQ(sunken->Height(), 21);
    const TColor shadow = ColorToRGB(clBtnShadow), light = ColorToRGB(clBtnHighlight);
    const TColor dark = ColorToRGB(cl3DDkShadow), light3d = ColorToRGB(cl3DLight);
    // Outer ring: shadow left and top, highlight right and bottom (which take the corners).
    EXPECT_EQ(ScreenPixel(10, 10), shadow);
    EXPECT_EQ(ScreenPixel(50, 10), shadow);
    EXPECT_EQ(ScreenPixel(10, 20), shadow);
    EXPECT_EQ(ScreenPixel(89, 10), light);
    EXPECT_EQ(ScreenPixel(10, 30), light);
    EXPECT_EQ(ScreenPixel(89, 30), light);
    // Inner ring: dark shadow left and top, 3-D light right and bottom.
    EXPECT_EQ(ScreenPixel(11, 11), dark);
    EXPECT_EQ(ScreenPixel(50, 11), dark);
    EXPECT_EQ(ScreenPixel(88, 11), light3d);
    EXPECT_EQ(ScreenPixel(11, 29), light3d);
    EXPECT_EQ(ScreenPixel(12, 12), ColorToRGB(clWindow));
    EXPECT_EQ(ScreenPixel(9, 9), ColorToRGB(clBtnFace));
    // Flat: one pixel in the window-frame colour all round.
    ASSERT_EQ(flat->Height(), 19);
    const TColor frame = ColorToRGB(clWindowFrame);
    for (TPoint p : {TPoint{10, 50}, TPoint{89, 50}, TPoint{10, 68}, TPoint{89, 68}, TPoint{40, 68}})
        EXPECT_EQ(ScreenPixel(p.X, p.Y), frame) << p.X << "," << p.Y;
    EXPECT_EQ(ScreenPixel(11, 51), ColorToRGB(clWindow));
    EXPECT_EQ(ScreenPixel(88, 67), ColorToRGB(clWindow));
}

TEST_F(EditTest, TheCaretBlinksAndTheSelectionShowsOnlyWhileFocused) {
    TEdit* e = MakeEdit("E", 10, 10);
    TEdit* other = MakeEdit("O", 10, 40);
    ShowForm();
    e->SetFocus();
    App->ProcessMessages();
    // Empty flat edit: client (11, 11), caret at client x 1 from y 1, 13 pixels tall.
    const TColor white = ColorToRGB(clWindow);
    EXPECT_EQ(ScreenPixel(12, 12), clBlack);
    EXPECT_EQ(ScreenPixel(12, 24), clBlack);
    EXPECT_EQ(ScreenPixel(12, 25), white);
    Desk->AdvanceTime(kCaretBlinkMs);
    App->ProcessMessages();
    EXPECT_EQ(ScreenPixel(12, 12), white);
    Desk->AdvanceTime(kCaretBlinkMs);
    App->ProcessMessages();
    EXPECT_EQ(ScreenPixel(12, 12), clBlack);
    // Selected text stands on the highlight colour (its cell's last row has no ink).
    Type("abc");
    Stroke('A', {ssCtrl});
    const TPoint sel = At(e, e->PosFromChar(1).X, 1 + 12);
    EXPECT_EQ(ScreenPixel(sel.X, sel.Y), ColorToRGB(clHighlight));
    other->SetFocus();
    App->ProcessMessages();
    EXPECT_EQ(ScreenPixel(sel.X, sel.Y), white);
    EXPECT_EQ(ScreenPixel(12, 12), white);  // no caret without the focus
}

TEST_F(EditTest, LongTextScrollsToKeepTheCaretInView) {
    TEdit* e = MakeEdit("E", 10, 10);
    ShowForm();
    e->SetFocus();
    Type(std::string(60, 'W'));
    const int w = e->ClientWidth();
    EXPECT_GT(e->CaretPixel().X, 0);
    EXPECT_LT(e->CaretPixel().X, w);
    EXPECT_GT(e->CharFromPos({1, 5}), 0);  // the start is scrolled out
    Stroke(VK_HOME);
    EXPECT_EQ(e->CaretPixel().X, kEditMarginX);
    EXPECT_EQ(e->CharFromPos({1, 5}), 0);
    Stroke(VK_END);
    EXPECT_LT(e->CaretPixel().X, w);
    // Deleting everything brings the text back to the left edge.
    Stroke(VK_HOME, {ssShift});
    Stroke(VK_DELETE);
    EXPECT_EQ(e->CaretPixel().X, kEditMarginX);
}

TEST_F(EditTest, ACharacterTheCodePageCannotHoldIsRefusedWithABeep) {
    TEdit* e = MakeEdit("E", 10, 10);
    ShowForm();
    e->SetFocus();
    Type("a");
    const int beeps = Desk->Beeps();
    input::TypeCodePoint(*Desk, Window(), 0x4E2D);  // U+4E2D arrives without an ANSI byte
    App->ProcessMessages();
    EXPECT_EQ(Desk->Beeps(), beeps + 1);
    EXPECT_EQ(e->Text(), "a");
    // An OnKeyPress handler may take a character away.
    e->OnKeyPress = [](TObject*, char& key) {
        if (key == 'q') key = 0;
    };
    Type("qb");
    EXPECT_EQ(e->Text(), "ab");
}

TEST_F(EditTest, AMaskEditWithoutAMaskPassesTextUnchanged) {
    auto* m = new TMaskEdit(Form);
    m->SetParent(Form);
    m->SetText("  spaced\tand #13 bytes\xE9 ");
    EXPECT_EQ(m->Text(), "  spaced\tand #13 bytes\xE9 ");
    EXPECT_FALSE(m->IsMasked());
    EXPECT_NE(FindClass("TMaskEdit"), nullptr);
    EXPECT_NE(FindClass("TCustomMaskEdit"), nullptr);
}
