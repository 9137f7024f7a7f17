// TVtEdit and TVtMemo on a real headless form, built from a stored description the way the
// editor window describes its phrase fields and its text view: the colour states (focus,
// read-only, disabled, the order of Color and FocusColor), the order of the hot flags around
// OnEnter / OnExit and the pointer events, Enter as Tab, the custom frame's pixels and its hot
// look, the memo's wheel and caret line and column with their two events, the frame
// controller link, the stored rules and the older property names.
//
// Sections: fixture · colour states · hot state · Enter as Tab · custom frame · memo ·
//           frame controller · descriptions
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/vt_blink.h"
#include "controls/vt_edit.h"
#include "framework/core/streaming.h"
#include "framework/core/typinfo.h"
#include "framework/graphics/bitmap.h"
#include "framework/platform/headless/headless_platform.h"
#include "framework/ui/forms.h"
#include "tests/support/headless_fixture.h"

namespace {

// ---------------------------------------------------------------- fixture

constexpr TColor kFieldColor = 6176812;  // RGB(44, 64, 94)
constexpr TColor kViewColor = 13828090;  // RGB(250, 255, 210)

// Two phrase fields (the second read-only) and the text view, as the window describes them.
const char* const kWindow =
    "object Form: TForm\n"
    "  object edA: TVtEdit\n"
    "    Left = 10\n"
    "    Top = 10\n"
    "    Width = 100\n"
    "    Height = 19\n"
    "    Color = 6176812\n"
    "    Ctl3D = False\n"
    "    Font.Color = clWhite\n"
    "    Font.Height = -11\n"
    "    Font.Name = 'Tahoma'\n"
    "    Font.Style = []\n"
    "    FocusColor = clMaroon\n"
    "    FrameHotStyle = fsFlat\n"
    "    ParentCtl3D = False\n"
    "    ParentFont = False\n"
    "    TabOrder = 0\n"
    "    Text = 'first'\n"
    "  end\n"
    "  object edB: TVtEdit\n"
    "    Left = 10\n"
    "    Top = 40\n"
    "    Width = 100\n"
    "    Height = 19\n"
    "    Color = 6176812\n"
    "    Ctl3D = False\n"
    "    Font.Color = clWhite\n"
    "    Font.Height = -11\n"
    "    Font.Name = 'Tahoma'\n"
    "    FocusColor = clMaroon\n"
    "    ParentCtl3D = False\n"
    "    ParentFont = False\n"
    "    ReadOnly = True\n"
    "    TabOrder = 1\n"
    "    Text = 'second'\n"
    "  end\n"
    "  object Editor: TVtMemo\n"
    "    Left = 10\n"
    "    Top = 70\n"
    "    Width = 200\n"
    "    Height = 100\n"
    "    Color = 13828090\n"
    "    Font.Height = -11\n"
    "    Font.Name = 'Lucida Console'\n"
    "    FrameColor = clAppWorkSpace\n"
    "    FrameHotStyle = fsFlat\n"
    "    FrameStyle = fsBump\n"
    "    Lines.Strings = (\n"
    "      'Verbolt Editor v1.0'\n"
    "      'Fill all spaces in all tab pages and click create.')\n"
    "    ParentFont = False\n"
    "    ReadOnly = True\n"
    "    ScrollBars = ssBoth\n"
    "    TabOrder = 2\n"
    "    WordWrap = False\n"
    "  end\n"
    "end\n";

class VtEditTest : public HeadlessFixture<> {
public:
    void SetUp() override {
        HeadlessFixture::SetUp();
        Form->SetName("Form");
        Form->SetBorderStyle(bsSingle);
        Form->SetClientWidth(300);
        Form->SetClientHeight(240);
    }
    void LoadWindow() {
        ReadComponentText(Form, kWindow);
        A = Find<TVtEdit>("edA");
        B = Find<TVtEdit>("edB");
        Memo = Find<TVtMemo>("Editor");
    }
    template <class T>
    T* Find(const std::string& name) {
        auto* c = dynamic_cast<T*>(Form->FindComponent(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    TVtEdit* NewEdit(const std::string& name, int top) {
        auto* e = new TVtEdit(Form);
        e->SetName(name);
        e->SetBounds(150, top, 100, 21);
        e->SetParent(Form);
        return e;
    }
    void Show() {
        Form->Show();
        Settle();
    }
    // A pixel of a control's whole window (border included).
    TColor WindowPixel(TControl* c, int x, int y) { return ScreenPixel(c->Left() + x, c->Top() + y); }
    // The wheel over the memo.
    void Wheel(int delta, TShiftState shift = {}) { WheelAt({Memo->Left() + 50, Memo->Top() + 30}, delta, shift); }

    TVtEdit* A = nullptr;
    TVtEdit* B = nullptr;
    TVtMemo* Memo = nullptr;
};

// ---------------------------------------------------------------- colour states

TEST_F(VtEditTest, PhraseFieldTurnsMaroonWhileFocusedAlsoWhenReadOnly) {
    LoadWindow();
    // Color came first and carried FocusColor along; then FocusColor got its own value.
    EXPECT_EQ(A->Color(), kFieldColor);
    EXPECT_EQ(A->NormalColor(), kFieldColor);
    EXPECT_EQ(A->FocusColor(), clMaroon);
    EXPECT_EQ(A->Height(), 19);  // cell 13 + 6 border widths
    Show();
    A->SetFocus();
    Settle();
    EXPECT_EQ(A->Color(), clMaroon);
    EXPECT_EQ(WindowPixel(A, 96, 15), clMaroon);
    // The platform's one-pixel border in the window-frame colour.
    EXPECT_EQ(WindowPixel(A, 0, 0), RGB(0, 0, 0));
    EXPECT_EQ(WindowPixel(A, 99, 18), RGB(0, 0, 0));

    B->SetFocus();
    Settle();
    EXPECT_EQ(B->Color(), clMaroon);  // read-only changes nothing
    EXPECT_EQ(WindowPixel(B, 96, 15), clMaroon);
    EXPECT_EQ(A->Color(), kFieldColor);
    EXPECT_EQ(WindowPixel(A, 96, 15), RGB(44, 64, 94));

    // The text view's FocusColor took its Color: no change when focused.
    EXPECT_EQ(Memo->FocusColor(), kViewColor);
    Memo->SetFocus();
    Settle();
    EXPECT_EQ(Memo->Color(), kViewColor);
    EXPECT_EQ(B->Color(), kFieldColor);
    // The platform's sunken edge, then the view's colour.
    EXPECT_EQ(WindowPixel(Memo, 0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(WindowPixel(Memo, 1, 1), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(WindowPixel(Memo, 150, 60), RGB(250, 255, 210));
}

TEST_F(VtEditTest, FocusColorFollowsColorUntilItHasItsOwnValue) {
    TVtEdit* e = NewEdit("E", 10);
    Show();
    EXPECT_EQ(e->NormalColor(), clWindow);
    e->SetColor(clNavy);
    EXPECT_EQ(e->FocusColor(), clNavy);
    EXPECT_EQ(e->NormalColor(), clNavy);
    e->SetFocusColor(clMaroon);
    e->SetColor(clGreen);
    EXPECT_EQ(e->FocusColor(), clMaroon);
    EXPECT_EQ(e->NormalColor(), clGreen);
    // The same value again changes nothing.
    e->SetColor(clGreen);
    EXPECT_EQ(e->FocusColor(), clMaroon);
    EXPECT_FALSE(e->ColorUpdating());
    // Equal again: it follows once more.
    e->SetFocusColor(clGreen);
    e->SetColor(clTeal);
    EXPECT_EQ(e->FocusColor(), clTeal);
    // Stored values are compared unresolved: clWhite does not equal clWindow.
    e->SetFocusColor(clWhite);
    e->SetColor(clWindow);
    e->SetColor(clNavy);
    EXPECT_EQ(e->FocusColor(), clWhite);
}

TEST_F(VtEditTest, DisabledShowsDisabledColorAndEnablingReturns) {
    LoadWindow();
    Show();
    A->SetFocus();
    Settle();
    A->SetEnabled(false);
    Settle();
    EXPECT_EQ(A->Color(), clBtnFace);
    EXPECT_EQ(A->NormalColor(), kFieldColor);
    EXPECT_EQ(WindowPixel(A, 96, 15), ColorToRGB(clBtnFace));
    A->SetDisabledColor(clGray);
    EXPECT_EQ(A->Color(), clGray);
    A->SetEnabled(true);
    Settle();
    EXPECT_EQ(A->Color(), A->Focused() ? clMaroon : kFieldColor);
    A->SetFocus();
    Settle();
    EXPECT_EQ(A->Color(), clMaroon);
    // A focus colour given while focused shows at once.
    A->SetFocusColor(clPurple);
    EXPECT_EQ(A->Color(), clPurple);
}

// ---------------------------------------------------------------- hot state

TEST_F(VtEditTest, HotFlagsAroundEnterExitAndThePointer) {
    LoadWindow();
    Show();
    std::vector<std::string> log;
    A->OnEnter = [&](TObject*) {
        log.push_back(std::string("enter hot=") + (A->FocusHot() ? "1" : "0") +
                      (A->Color() == clMaroon ? " maroon" : " normal") + " sel=" + std::to_string(A->SelLength()));
    };
    A->OnExit = [&](TObject*) {
        log.push_back(std::string("exit hot=") + (A->FocusHot() ? "1" : "0") +
                      (A->Color() == clMaroon ? " maroon" : " normal"));
    };
    A->OnMouseEnter = [&](TObject*) { log.push_back(std::string("mouse-enter ptr=") + (A->PointerHot() ? "1" : "0")); };
    A->OnMouseLeave = [&](TObject*) { log.push_back(std::string("mouse-leave ptr=") + (A->PointerHot() ? "1" : "0")); };

    B->SetFocus();
    Settle();
    log.clear();                // the window gave edA the focus first
    Stroke(VK_TAB, {ssShift});  // tabbing in selects all of "first"
    EXPECT_TRUE(A->Focused());
    Stroke(VK_TAB);
    EXPECT_FALSE(A->FocusHot());
    EXPECT_EQ(A->Color(), kFieldColor);

    // Without FrameHotTrack the pointer changes nothing on screen, but the events fire.
    const TColor before = WindowPixel(A, 0, 0);
    MoveTo({A->Left() + 50, A->Top() + 8});
    EXPECT_EQ(WindowPixel(A, 0, 0), before);
    MoveTo({280, 220});
    EXPECT_FALSE(A->PointerHot());
    const std::vector<std::string> want = {"enter hot=1 maroon sel=5", "exit hot=1 maroon", "mouse-enter ptr=1",
                                           "mouse-leave ptr=0"};
    EXPECT_EQ(log, want);

    // The memo keeps no focus half: it asks whether it is focused.
    Memo->SetFocus();
    Settle();
    EXPECT_FALSE(Memo->FocusHot());
}

// ---------------------------------------------------------------- Enter as Tab

TEST_F(VtEditTest, EnterMovesTheFocusWithTabOnEnter) {
    LoadWindow();
    A->SetTabOnEnter(true);
    B->SetTabOnEnter(true);
    Memo->SetTabOnEnter(true);
    Memo->SetReadOnly(false);
    Show();
    A->SetFocus();
    Settle();
    const int beeps = Desk->Beeps();
    Stroke(VK_RETURN);
    EXPECT_TRUE(B->Focused());
    Stroke(VK_RETURN, {ssShift});
    EXPECT_TRUE(A->Focused());
    EXPECT_EQ(A->Text(), "first");
    EXPECT_EQ(Desk->Beeps(), beeps);
    // In the memo Enter never starts a line.
    Memo->SetFocus();
    Settle();
    const std::string text = Memo->Text();
    Stroke(VK_RETURN);
    EXPECT_EQ(Memo->Text(), text);
    EXPECT_TRUE(A->Focused());  // the memo is last in tab order
    // Without it, a single-line field refuses Enter with a beep and keeps the focus.
    A->SetTabOnEnter(false);
    Stroke(VK_RETURN);
    EXPECT_TRUE(A->Focused());
    EXPECT_EQ(Desk->Beeps(), beeps + 1);
}

// ---------------------------------------------------------------- custom frame

TEST_F(VtEditTest, CustomFramePaintsOverTheClientEdgeAndTurnsHot) {
    TVtEdit* e = NewEdit("E", 10);
    TVtEdit* other = NewEdit("Other", 60);
    const TColor base = RGB(40, 60, 90);
    e->SetColor(base);
    e->SetFrameColor(clRed);
    e->SetFrameHotColor(clBlue);
    e->SetCtl3D(false);
    e->SetFrameVisible(true);
    EXPECT_TRUE(e->Ctl3D());
    Show();
    other->SetFocus();
    Settle();
    const int w = e->Width(), h = e->Height();
    EXPECT_EQ(h, 13 + 8);  // the automatic height with the client edge
    // fsFlat: the outer ring in FrameColor, the ring inside it erased in Color.
    EXPECT_EQ(WindowPixel(e, 0, 0), clRed);
    EXPECT_EQ(WindowPixel(e, w - 1, h - 1), clRed);
    EXPECT_EQ(WindowPixel(e, 30, 0), clRed);
    EXPECT_EQ(WindowPixel(e, 1, 1), base);
    EXPECT_EQ(WindowPixel(e, w - 2, 5), base);
    EXPECT_EQ(WindowPixel(e, w - 5, h - 4), base);

    // FrameHotTrack on a loaded control: all sides again, and the hot look follows the
    // pointer and the focus (fsFlatBold: two rings in FrameHotColor).
    e->SetFrameSides(TSides{sdTop});
    e->SetFrameHotTrack(true);
    EXPECT_EQ(e->FrameSides(), AllSides);
    Settle();
    EXPECT_EQ(WindowPixel(e, 0, 5), clRed);
    MoveTo({e->Left() + 50, e->Top() + 8});
    EXPECT_TRUE(e->PointerHot());
    EXPECT_EQ(WindowPixel(e, 0, 5), clBlue);
    EXPECT_EQ(WindowPixel(e, 1, 5), clBlue);
    EXPECT_EQ(WindowPixel(e, w - 2, h - 2), clBlue);
    e->SetFocus();
    Settle();
    MoveTo({280, 220});
    EXPECT_EQ(WindowPixel(e, 1, 5), clBlue);  // the focus still holds it
    other->SetFocus();
    Settle();
    EXPECT_EQ(WindowPixel(e, 0, 5), clRed);
    EXPECT_EQ(WindowPixel(e, 1, 5), base);

    // The base colour follows the state colour.
    e->SetFocusColor(clMaroon);
    e->SetFocus();
    Settle();
    MoveTo({280, 200});
    EXPECT_EQ(WindowPixel(e, 2, 5), clMaroon);
}

TEST_F(VtEditTest, MemoFrameVisibleRecreatesTheWindow) {
    LoadWindow();
    Show();
    int lineCol = 0, clipboard = 0;
    Memo->OnLineColChange = [&](TObject*, int, int) { ++lineCol; };
    Memo->OnClipboardChange = [&](TObject*, bool, bool) { ++clipboard; };
    Memo->SetFrameVisible(true);
    Settle();
    // The new window reports the caret once and the clipboard twice.
    EXPECT_EQ(lineCol, 1);
    EXPECT_EQ(clipboard, 2);
    // fsBump in clAppWorkSpace's shades of the view's colour over the sunken edge.
    EXPECT_EQ(WindowPixel(Memo, 0, 50), RGB(255, 255, 255));  // the view's colour lightened by 100
    EXPECT_EQ(WindowPixel(Memo, 1, 50), RGB(239, 255, 104));  // ... darkened by 50

    // The edit's Alignment also makes the window again; the text stays.
    A->SetAlignment(taRightJustify);
    EXPECT_EQ(A->Alignment(), taRightJustify);
    EXPECT_EQ(A->Text(), "first");
}

// ---------------------------------------------------------------- memo

TEST_F(VtEditTest, MemoScrollsOneLinePerNotch) {
    LoadWindow();
    Memo->Lines()->Clear();
    for (int i = 0; i < 40; ++i) Memo->Lines()->Add("line " + std::to_string(i));
    Show();
    Memo->SetFocus();
    Memo->SetSelStart(0);
    Settle();
    int topSeenByEvent = -1;
    Memo->OnMouseWheelDown = [&](TObject*, TShiftState, TPoint, bool&) { topSeenByEvent = Memo->TopRow(); };
    EXPECT_EQ(Memo->TopRow(), 0);
    Wheel(-120);
    EXPECT_EQ(topSeenByEvent, 0);  // the event runs before the scroll
    EXPECT_EQ(Memo->TopRow(), 1);
    Wheel(-240);
    EXPECT_EQ(Memo->TopRow(), 3);
    Wheel(120);
    EXPECT_EQ(Memo->TopRow(), 2);
    Wheel(-120, {ssCtrl});
    EXPECT_EQ(Memo->TopRow(), 2 + Desk->WheelScrollLines());
}

TEST_F(VtEditTest, MemoCaretLineAndColumnReadAndWrite) {
    LoadWindow();
    Memo->Lines()->Clear();
    Memo->Lines()->Add("abc");
    Memo->Lines()->Add("hello");
    Memo->Lines()->Add("");
    Memo->Lines()->Add("last");
    for (int i = 0; i < 30; ++i) Memo->Lines()->Add("more");
    Show();
    std::vector<std::string> events;
    Memo->OnLineColChange = [&](TObject* s, int line, int col) {
        EXPECT_EQ(s, Memo);
        events.push_back("lc " + std::to_string(line) + "," + std::to_string(col));
    };
    Memo->OnClipboardChange = [&](TObject*, bool sel, bool text) {
        events.push_back(std::string("cb ") + (sel ? "sel" : "-") + (text ? " text" : " -"));
    };
    Memo->SetSelStart(5 + 2);  // line 2, after "he"
    EXPECT_EQ(Memo->CaretLineNumber(), 2);
    EXPECT_EQ(Memo->CaretColumnNumber(), 3);
    Memo->SetCaretColumnNumber(6);  // len + 1: after the last character
    EXPECT_EQ(Memo->SelStart(), 5 + 5);
    EXPECT_EQ(Memo->CaretColumnNumber(), 6);
    Memo->SetCaretColumnNumber(7);  // len + 2: ignored
    EXPECT_EQ(Memo->SelStart(), 10);
    Desk->SetClipboardText("x");
    Memo->SetCaretLineNumber(4);
    EXPECT_EQ(Memo->CaretLineNumber(), 4);
    EXPECT_EQ(Memo->CaretColumnNumber(), 1);
    EXPECT_EQ(Memo->FirstVisibleLine(), 3);
    Memo->SetCaretLineNumber(99);  // beyond the last line
    const std::vector<std::string> want = {"lc 2,6", "cb - -", "lc 4,1", "cb - text"};
    EXPECT_EQ(events, want);

    // A selection: the line of the caret's end.
    Memo->SetSelection(1, 12);
    EXPECT_EQ(Memo->CaretLineNumber(), 3);
    // Typing reports after OnChange; a mouse release reports the clipboard only.
    Memo->SetReadOnly(false);
    Memo->SetFocus();
    Memo->SetSelStart(0);
    Settle();
    events.clear();
    Memo->OnChange = [&](TObject*) { events.push_back("change"); };
    Type("z");
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(events[0], "change");
    EXPECT_EQ(events[1], "lc 1,2");
    events.clear();
    Release({Memo->Left() + 40, Memo->Top() + 5}, mbRight);
    EXPECT_EQ(events, std::vector<std::string>{"cb - text"});
}

// ---------------------------------------------------------------- frame controller

TEST_F(VtEditTest, FrameControllerPushesThroughThePublishedSetters) {
    TVtEdit* e = NewEdit("E", 10);
    auto* fc = new TVtFrameController(Form);
    fc->SetColor(clNavy);
    fc->SetFocusColor(clMaroon);
    fc->SetFrameColor(clRed);
    fc->SetFrameSides(TSides{sdLeft, sdBottom});
    e->SetFrameController(fc);
    EXPECT_EQ(e->Color(), clNavy);
    EXPECT_EQ(e->NormalColor(), clNavy);
    EXPECT_EQ(e->FocusColor(), clMaroon);
    EXPECT_EQ(e->FrameColor(), clRed);
    EXPECT_EQ(e->FrameSides(), (TSides{sdLeft, sdBottom}));
    EXPECT_FALSE(e->FrameVisible());
    fc->SetFrameVisible(true);
    EXPECT_TRUE(e->FrameVisible());
    EXPECT_TRUE(e->Ctl3D());
    // Nothing a controller supplies is stored while it is linked.
    TPropTarget frameColor = FindPropPath(e, "FrameColor");
    EXPECT_FALSE(IsStoredProp(frameColor));
    EXPECT_FALSE(IsStoredProp(FindPropPath(e, "Color")));
    delete fc;
    EXPECT_EQ(e->FrameController(), nullptr);
    EXPECT_EQ(e->FrameColor(), clRed);
    EXPECT_TRUE(IsStoredProp(frameColor));
}

// ---------------------------------------------------------------- descriptions

TEST_F(VtEditTest, StoredRulesAndOlderNames) {
    LoadWindow();
    // FocusColor is written when it looks different from Color; Color while enabled.
    std::string text = WriteComponentText(Form);
    EXPECT_NE(text.find("FocusColor = clMaroon"), std::string::npos) << text;
    EXPECT_EQ(text.find("FocusColor = 13828090"), std::string::npos) << text;
    B->SetEnabled(false);
    EXPECT_FALSE(IsStoredProp(FindPropPath(B, "Color")));
    EXPECT_TRUE(IsStoredProp(FindPropPath(A, "Color")));

    ReadComponentText(Form,
                      "object Form: TForm\n"
                      "  object Old: TVtEdit\n"
                      "    Left = 10\n"
                      "    Top = 200\n"
                      "    FrameSides = [sdLeft]\n"
                      "    FrameFlat = True\n"
                      "    FrameFlatStyle = fsBump\n"
                      "  end\n"
                      "  object Older: TVtMemo\n"
                      "    FrameFocusStyle = fsGroove\n"
                      "    FrameHotTrack = True\n"
                      "    FrameSides = [sdTop]\n"
                      "  end\n"
                      "end\n");
    auto* old = Find<TVtEdit>("Old");
    auto* older = Find<TVtMemo>("Older");
    ASSERT_TRUE(old && older);
    // FrameFlat: hot tracking without its side effects.
    EXPECT_TRUE(old->FrameHotTrack());
    EXPECT_FALSE(old->FrameVisible());
    EXPECT_EQ(old->FrameStyle(), fsStatus);
    EXPECT_EQ(old->FrameHotStyle(), fsLowered);
    EXPECT_EQ(old->FrameSides(), TSides{sdLeft});
    EXPECT_EQ(older->FrameHotStyle(), fsGroove);
    // FrameHotTrack while loading keeps the loaded sides.
    EXPECT_TRUE(older->FrameVisible());
    EXPECT_EQ(older->FrameSides(), TSides{sdTop});
    text = WriteComponentText(Form);
    EXPECT_EQ(text.find("FrameFlat"), std::string::npos);
    EXPECT_EQ(text.find("FrameFocusStyle"), std::string::npos);
}

}  // namespace
