// The memo through the real form: Lines shown live, the multi-line keys, WantReturns and
// WantTabs, scrolling by keys, wheel and scroll-bar clicks (arrows, page areas, the thumb,
// repeat while held), the bars' classic pixels, word wrap, the caret and line queries and
// creation from a stored description.
#include <gtest/gtest.h>

#include "framework/core/streaming.h"
#include "framework/stdctrls/memo.h"
#include "tests/framework/control_tree_fixture.h"

namespace {

class MemoTest : public ControlTreeTest {
protected:
    void SetUp() override {
        ControlTreeTest::SetUp();
        Form->SetClientWidth(400);
        Form->SetClientHeight(300);
    }
    TMemo* MakeMemo(TScrollStyle bars = ssNone, int lines = 0) {
        auto* m = new TMemo(Form);
        m->SetName("M");
        m->SetParent(Form);
        m->Font()->SetName("Lucida Console");
        m->Font()->SetHeight(-11);
        m->SetBounds(10, 10, 200, 150);
        m->SetScrollBars(bars);
        m->SetWordWrap(false);
        m->Lines()->BeginUpdate();
        for (int i = 0; i < lines; ++i) m->Lines()->Add("line " + std::to_string(i));
        m->Lines()->EndUpdate();
        m->SetSelStart(0);
        return m;
    }
    // A click at a point of the memo's whole window (border and bars included).
    void ClickWindow(TMemo* m, int x, int y) { ClickAt({m->Left() + x, m->Top() + y}); }
    void Wheel(int delta, TShiftState shift = {}) { WheelAt({50, 50}, delta, shift); }
};

}  // namespace

TEST_F(MemoTest, LinesAreALiveViewOfTheText) {
    TMemo* m = MakeMemo();
    int changes = 0;
    m->OnChange = [&](TObject*) { ++changes; };
    TStrings* lines = m->Lines();
    EXPECT_EQ(lines->Count(), 0);
    lines->Add("Verbolt Editor v1.0");
    lines->Add("Fill all spaces");
    EXPECT_EQ(m->Text(), "Verbolt Editor v1.0\r\nFill all spaces\r\n");
    EXPECT_EQ(lines->Count(), 2);
    EXPECT_EQ(changes, 2);
    lines->Insert(1, "middle");
    lines->Put(0, "first");
    EXPECT_EQ(lines->Text(), "first\r\nmiddle\r\nFill all spaces\r\n");
    lines->Delete(1);
    EXPECT_EQ(m->Text(), "first\r\nFill all spaces\r\n");
    // Without a final break, a new line is joined by one.
    m->SetText("a\nb");
    EXPECT_EQ(m->Text(), "a\r\nb");
    lines->Add("c");
    EXPECT_EQ(m->Text(), "a\r\nb\r\nc");
    EXPECT_EQ(lines->Get(2), "c");
    EXPECT_THROW(lines->Get(3), Exception);
    lines->Clear();
    EXPECT_EQ(m->Text(), "");
    // What the list holds is on the screen at the next paint (unfocused: no caret).
    m->SetTabStop(false);
    ShowForm();
    const TPoint origin = m->ClientToScreen({0, 0});
    auto inkInRow = [&](int row) {
        const int cell = m->Font()->Handle()->Metrics().tmHeight;
        for (int y = row * cell; y < (row + 1) * cell; ++y)
            for (int x = 0; x < 60; ++x)
                if (ScreenPixel(origin.X + x, origin.Y + y) == clBlack) return true;
        return false;
    };
    EXPECT_FALSE(inkInRow(1));
    lines->Add("shown");
    lines->Add("at once");
    App->ProcessMessages();
    EXPECT_TRUE(inkInRow(1));
    lines->Delete(1);
    App->ProcessMessages();
    EXPECT_FALSE(inkInRow(1));
}

TEST_F(MemoTest, MultiLineKeysReturnsAndTabs) {
    TMemo* m = MakeMemo();
    ShowForm();
    m->SetFocus();
    Type("first");
    Stroke(VK_RETURN);
    Type("second line");
    EXPECT_EQ(m->Text(), "first\r\nsecond line");
    Stroke(VK_UP);  // the column is kept as far as the line allows
    EXPECT_EQ(m->CaretPos(), (TPoint{5, 0}));
    Stroke(VK_DOWN);
    EXPECT_EQ(m->CaretPos(), (TPoint{11, 1}));  // back where the move began
    Stroke(VK_HOME, {ssCtrl});
    EXPECT_EQ(m->SelStart(), 0);
    Stroke(VK_END, {ssCtrl, ssShift});
    EXPECT_EQ(m->SelLength(), m->Buffer().Length());
    Stroke(VK_RIGHT);
    Stroke(VK_HOME);
    EXPECT_EQ(m->CaretPos(), (TPoint{0, 1}));
    Stroke(VK_BACK);  // joins the lines
    EXPECT_EQ(m->Text(), "firstsecond line");
    // Tab is left to focus movement unless WantTabs; Enter kept unless not WantReturns.
    EXPECT_EQ(m->Perform(WM_GETDLGCODE) & (DLGC_WANTTAB | DLGC_WANTALLKEYS), DLGC_WANTALLKEYS);
    m->SetWantTabs(true);
    Stroke(VK_TAB);
    EXPECT_EQ(m->Text(), "first\tsecond line");
    m->SetWantReturns(false);
    const int beeps = Desk->Beeps();
    Stroke(VK_RETURN);
    EXPECT_EQ(m->Text(), "first\tsecond line");
    EXPECT_EQ(Desk->Beeps(), beeps);
    // A paste keeps its lines.
    Desk->SetClipboardText("x\ny");
    Stroke('V', {ssCtrl});
    EXPECT_EQ(m->Lines()->Count(), 2);
}

TEST_F(MemoTest, KeysScrollTheViewToTheCaret) {
    TMemo* m = MakeMemo(ssVertical, 100);
    ShowForm();
    m->SetFocus();
    const int visible = m->VisibleRows();
    ASSERT_GT(visible, 3);
    ASSERT_LT(visible, 100);
    EXPECT_EQ(m->RowCount(), 101);  // the final break starts an empty row
    Stroke(VK_END, {ssCtrl});
    EXPECT_EQ(m->TopRow(), 101 - visible);
    Stroke(VK_HOME, {ssCtrl});
    EXPECT_EQ(m->TopRow(), 0);
    Stroke(VK_NEXT);
    EXPECT_EQ(m->CaretPos().Y, visible);
    EXPECT_EQ(m->TopRow(), visible);
    Stroke(VK_PRIOR);
    EXPECT_EQ(m->CaretPos().Y, 0);
    EXPECT_EQ(m->TopRow(), 0);
    for (int i = 0; i < visible; ++i) Stroke(VK_DOWN);
    EXPECT_EQ(m->TopRow(), 1);  // the caret's row has just come into view
    EXPECT_EQ(m->FirstVisibleLine(), 1);
}

TEST_F(MemoTest, TheWheelScrollsThePlatformsLinesPerNotchUnlessHandled) {
    TMemo* m = MakeMemo(ssVertical, 100);
    ShowForm();
    m->SetFocus();
    Wheel(-120);
    EXPECT_EQ(m->TopRow(), 3);
    Wheel(-240);
    EXPECT_EQ(m->TopRow(), 9);
    Wheel(120);
    EXPECT_EQ(m->TopRow(), 6);
    Wheel(1000);
    EXPECT_EQ(m->TopRow(), 0);
    m->OnMouseWheelDown = [](TObject*, TShiftState, TPoint, bool& handled) { handled = true; };
    Wheel(-120);
    EXPECT_EQ(m->TopRow(), 0);
}

TEST_F(MemoTest, ScrollBarArrowsPagesAndThumb) {
    TMemo* m = MakeMemo(ssVertical, 100);
    ShowForm();
    TClassicScrollBar* bar = m->VerticalScrollBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(m->HorizontalScrollBar(), nullptr);
    // Sunken edge of 2, bar 16 wide at the right of the client area.
    EXPECT_EQ(m->ClientWidth(), 200 - 4 - kScrollBarSize);
    EXPECT_EQ(bar->Bounds(), Rect(182, 2, 198, 148));
    const int visible = m->VisibleRows();
    ClickWindow(m, 190, 140);  // the down arrow
    EXPECT_EQ(m->TopRow(), 1);
    ClickWindow(m, 190, 8);  // the up arrow
    EXPECT_EQ(m->TopRow(), 0);
    ClickWindow(m, 190, 120);  // below the thumb: a page
    EXPECT_EQ(m->TopRow(), visible);
    const TRect thumb = m->VerticalScrollBar()->ThumbRect();
    ASSERT_FALSE(thumb.IsEmpty());
    ClickWindow(m, 190, thumb.Top - 1);  // above it: a page back
    EXPECT_EQ(m->TopRow(), 0);
    // The caret stays where it was: scrolling moves only the view.
    EXPECT_EQ(m->SelStart(), 0);
    // A point on the vertical bar, at a height of the memo's whole window.
    auto onBar = [&](int wy) { return TPoint{m->Left() + 190, m->Top() + wy}; };
    // Drag the thumb to the bottom of the track.
    const TRect t = m->VerticalScrollBar()->ThumbRect();
    Press(onBar(t.Top + 2));
    MoveTo(onBar(t.Top + 40), {ssLeft});
    const int midway = m->TopRow();
    EXPECT_GT(midway, 0);
    MoveTo(onBar(200), {ssLeft});
    Release(onBar(200));
    EXPECT_EQ(m->TopRow(), 101 - visible);
    // Holding an arrow repeats: after the first delay, at every interval.
    Press(onBar(8));
    const int held = m->TopRow();
    Desk->AdvanceTime(kScrollRepeatDelay);
    App->ProcessMessages();
    EXPECT_EQ(m->TopRow(), held - 1);
    for (int i = 0; i < 4; ++i) {
        Desk->AdvanceTime(kScrollRepeatInterval);
        App->ProcessMessages();
    }
    EXPECT_EQ(m->TopRow(), held - 5);
    Release(onBar(8));
    Desk->AdvanceTime(1000);
    App->ProcessMessages();
    EXPECT_EQ(m->TopRow(), held - 5);
}

TEST_F(MemoTest, TheBarsAreDrawnInTheClassicColours) {
    TMemo* m = MakeMemo(ssBoth, 100);
    ShowForm();
    const TPoint o{m->Left(), m->Top()};
    // Up arrow of the vertical bar at window (182, 2)-(198, 18): a raised button.
    EXPECT_EQ(ScreenPixel(o.X + 182, o.Y + 2), ColorToRGB(cl3DLight));
    EXPECT_EQ(ScreenPixel(o.X + 183, o.Y + 3), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(ScreenPixel(o.X + 197, o.Y + 17), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(ScreenPixel(o.X + 196, o.Y + 16), ColorToRGB(clBtnShadow));
    EXPECT_EQ(ScreenPixel(o.X + 185, o.Y + 12), ColorToRGB(clBtnFace));
    // Its glyph: a black triangle, tip up, base 7 pixels wide.
    EXPECT_EQ(ScreenPixel(o.X + 189, o.Y + 8), clBlack);
    EXPECT_EQ(ScreenPixel(o.X + 186, o.Y + 11), clBlack);
    EXPECT_EQ(ScreenPixel(o.X + 192, o.Y + 11), clBlack);
    EXPECT_EQ(ScreenPixel(o.X + 185, o.Y + 11), ColorToRGB(clBtnFace));
    // The track below the thumb, and the corner where the bars meet.
    const TRect thumb = m->VerticalScrollBar()->ThumbRect();
    EXPECT_EQ(ScreenPixel(o.X + 190, o.Y + thumb.Bottom + 2), ColorToRGB(clScrollBar));
    EXPECT_EQ(ScreenPixel(o.X + 190, o.Y + 140), ColorToRGB(clBtnFace));
    // Nothing to scroll sideways: the horizontal bar's glyphs are embossed grey, no thumb.
    ASSERT_FALSE(m->HorizontalScrollBar()->Enabled());
    const TRect left = m->HorizontalScrollBar()->ArrowRect(true);
    bool grey = false;
    for (int y = left.Top; y < left.Bottom; ++y)
        for (int x = left.Left; x < left.Right; ++x) {
            EXPECT_NE(ScreenPixel(o.X + x, o.Y + y), clBlack);
            grey = grey || ScreenPixel(o.X + x, o.Y + y) == ColorToRGB(clBtnShadow);
        }
    EXPECT_TRUE(grey);
}

TEST_F(MemoTest, CaretAndLineQueries) {
    TMemo* m = MakeMemo(ssNone, 0);
    m->SetText("alpha\r\nbe\r\n\r\ngamma ray");
    EXPECT_EQ(m->LineCount(), 4);
    EXPECT_EQ(m->LineIndex(3), 13);
    EXPECT_EQ(m->LineIndex(4), -1);
    EXPECT_EQ(m->LineLength(1), 2);
    EXPECT_EQ(m->LineLength(2), 0);
    EXPECT_EQ(m->LineFromChar(8), 1);
    EXPECT_EQ(m->LineFromChar(11), 2);
    m->SetSelStart(16);
    EXPECT_EQ(m->CaretPos(), (TPoint{3, 3}));
    EXPECT_EQ(m->CharFromPos(m->CaretPixel()), 16);
    EXPECT_EQ(m->CharFromPos(m->PosFromChar(7)), 7);
    const int cell = m->Font()->Handle()->Metrics().tmHeight;
    EXPECT_EQ(m->PosFromChar(13).Y, 3 * cell);
    EXPECT_EQ(m->CharFromPos({500, 1}), 5);  // right of a line: its end
    m->SetCaretPos({9, 1});                  // beyond the line's end: its end
    EXPECT_EQ(m->SelStart(), 9);
    m->SetText("");
    EXPECT_EQ(m->CharFromPos({0, 0}), -1);
    // Scrolling to a line, as far as the text allows.
    for (int i = 0; i < 50; ++i) m->Lines()->Add(std::to_string(i));
    m->ScrollToLine(10);
    EXPECT_EQ(m->FirstVisibleLine(), 10);
    m->ScrollToLine(49);
    EXPECT_EQ(m->TopRow(), m->RowCount() - m->VisibleRows());
    m->LineScroll(-1000);
    EXPECT_EQ(m->TopRow(), 0);
}

TEST_F(MemoTest, WordWrapBreaksAfterBlanksAndHomeEndStayInTheRow) {
    TMemo* m = MakeMemo();
    m->SetWordWrap(true);
    m->SetWidth(80);
    const std::string text = "wrap these words into rows";
    m->SetText(text);
    ASSERT_GT(m->RowCount(), 1);
    EXPECT_EQ(m->LineCount(), 1);
    EXPECT_EQ(m->Lines()->Count(), 1);
    // Every row ends after a blank (or at the end) and fits the width.
    int covered = 0;
    for (int r = 0; r < m->RowCount(); ++r) {
        const int start = m->CharFromPos({0, r * m->Font()->Handle()->Metrics().tmHeight});
        EXPECT_EQ(start, covered);
        EXPECT_TRUE(start == 0 || text[start - 1] == ' ') << r;
        covered = r + 1 < m->RowCount() ? m->CharFromPos({0, (r + 1) * m->Font()->Handle()->Metrics().tmHeight})
                                        : int(text.size());
    }
    ShowForm();
    m->SetFocus();
    m->SetSelStart(0);
    Stroke(VK_END);
    EXPECT_EQ(m->CaretPos().Y, 0);
    EXPECT_LT(m->SelStart(), int(text.size()));
    EXPECT_EQ(m->CaretPixel().Y, 0);
    Stroke(VK_DOWN);
    EXPECT_EQ(m->CaretPixel().Y, m->Font()->Handle()->Metrics().tmHeight);
}

TEST_F(MemoTest, WrappedRowsFollowEditsAsAFreshLayoutWould) {
    TMemo* edited = MakeMemo();
    edited->SetWordWrap(true);
    edited->SetWidth(90);
    edited->SetText("one two three four\r\nfive six seven eight nine\r\n\r\nten");
    ASSERT_GT(edited->RowCount(), 4);  // laid out before the edits
    ShowForm();
    edited->SetFocus();
    edited->SetSelStart(8);
    Type("inserted words here ");
    edited->SetSelection(20, 40);
    Stroke(VK_DELETE);
    Stroke(VK_RETURN);
    edited->Lines()->Add("a last line that wraps as well");
    edited->Lines()->Delete(0);
    TMemo* fresh = new TMemo(Form);
    fresh->SetParent(Form);
    fresh->Font()->Assign(*edited->Font());
    fresh->SetBounds(edited->Left(), 200, edited->Width(), edited->Height());
    fresh->SetText(edited->Text());
    ASSERT_EQ(edited->RowCount(), fresh->RowCount());
    edited->LineScroll(-100);
    const int cell = edited->Font()->Handle()->Metrics().tmHeight;
    for (int r = 0; r < std::min(edited->RowCount(), edited->VisibleRows()); ++r)
        EXPECT_EQ(edited->CharFromPos({0, r * cell}), fresh->CharFromPos({0, r * cell})) << r;
}

TEST_F(MemoTest, CreatedFromADescription) {
    ReadComponentText(Form,
                      "object Form: TForm\n"
                      "  object Editor: TMemo\n"
                      "    Left = 16\n    Top = 16\n    Width = 641\n    Height = 265\n"
                      "    Color = 13828090\n"
                      "    Font.Name = 'Lucida Console'\n    Font.Height = -11\n    ParentFont = False\n"
                      "    Lines.Strings = (\n"
                      "      'Verbolt Editor v1.0'\n"
                      "      'Fill all spaces in all tab pages and click create.')\n"
                      "    ReadOnly = True\n    ScrollBars = ssBoth\n    WordWrap = False\n"
                      "    TabOrder = 0\n"
                      "  end\n"
                      "end\n");
    auto* m = dynamic_cast<TMemo*>(Form->FindComponent("Editor"));
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->Lines()->Count(), 2);
    EXPECT_EQ(m->Lines()->Get(1), "Fill all spaces in all tab pages and click create.");
    EXPECT_EQ(m->ScrollBars(), ssBoth);
    EXPECT_FALSE(m->WordWrap());
    EXPECT_TRUE(m->ReadOnly());
    EXPECT_EQ(m->Height(), 265);  // no automatic height
    EXPECT_EQ(m->Color(), TColor(13828090));
    // Written back: the lines, not the text.
    const std::string written = WriteComponentText(Form);
    EXPECT_NE(written.find("Lines.Strings = ("), std::string::npos);
    EXPECT_EQ(written.find("Text = "), std::string::npos);
    EXPECT_NE(written.find("ScrollBars = ssBoth"), std::string::npos);
}
