// The editor without a mouse: Tab reaches every button, the page control and every field of
// the page shown, and whatever has the focus shows it on the screen — a phrase field turns
// maroon, a button draws its focus rings and dotted frame, the selected tab its dotted
// rectangle, the text view its caret — and stops showing it when the focus moves on.
#include <set>

#include "tests/support/editor_fixture.h"

namespace {

const TColor kFieldColor = 6176812;
const TColor kButtonFocusRing = RGB(214, 223, 253);

class KeyboardFocus : public Editor {
protected:
    // A pixel of a control's window, on the screen.
    TColor Pixel(const TControl* c, int x, int y) {
        const TPoint o = c->Parent()->ClientOrigin();
        return ColorFromPixel(Desk->Screen(Form1->WindowId())->ScanLine(o.Y + c->Top() + y)[o.X + c->Left() + x]);
    }
    void Tab() { Stroke(VK_TAB); }
    // What each kind of control shows while it has the focus, and not without it.
    void ExpectFocusShown(TWinControl* c, bool shown) {
        SCOPED_TRACE(c->Name() + (shown ? " focused" : " after the focus left"));
        if (auto* edit = dynamic_cast<TVtEdit*>(c)) {
            // Below the text, inside the border.
            EXPECT_EQ(Pixel(edit, edit->Width() / 2, edit->Height() - 3), shown ? clMaroon : kFieldColor);
        } else if (auto* button = dynamic_cast<TVtButton*>(c)) {
            EXPECT_EQ(Pixel(button, 3, 4) == clBlack, shown);  // the dotted frame
            EXPECT_EQ(Pixel(button, 2, 10) == kButtonFocusRing, shown);
        } else if (auto* pages = dynamic_cast<TVtPageControl*>(c)) {
            // The dotted rectangle starts 4 pixels into the selected tab.
            const TRect tab = pages->TabBoundsRect(pages->TabIndex());
            EXPECT_EQ(Pixel(pages, tab.Left + 4, 4) == clBlack, shown);
            EXPECT_EQ(Pixel(pages, tab.Left + 4, 6) == clBlack, shown);
        } else if (auto* memo = dynamic_cast<TVtMemo*>(c)) {
            EXPECT_EQ(memo->CaretShown(), shown);
        } else {
            ADD_FAILURE() << "no focus look known for " << c->Name();
        }
    }
    // The controls of a page that take the focus from the keyboard.
    std::set<TWinControl*> FocusableOn(TVtTabSheet* page) {
        std::set<TWinControl*> out;
        for (int i = 0; i < Form1->ComponentCount(); ++i)
            if (auto* w = dynamic_cast<TWinControl*>(Form1->Components(i));
                w && w->TabStop() && page->ContainsControl(w))
                out.insert(w);
        return out;
    }
};

}  // namespace

TEST_F(KeyboardFocus, TabReachesEveryControlOfEachPageAndEachShowsItHasTheFocus) {
    Form1->btnCreateClick(Form1);  // Save File takes part once it is enabled
    App->ProcessMessages();
    TVtPageControl* pages = Form1->VtPageControl1;
    for (int p = 0; p < pages->PageCount(); ++p) {
        SCOPED_TRACE(pages->Pages(p)->Caption());
        pages->SetActivePage(pages->Pages(p));
        Form1->btnCreate->SetFocus();
        App->ProcessMessages();
        std::set<TWinControl*> fields;
        std::vector<TWinControl*> order;
        TWinControl* previous = nullptr;
        for (int step = 0; step < 100; ++step) {
            TWinControl* now = Form1->ActiveControl();
            ASSERT_NE(now, nullptr);
            if (step > 0 && now == Form1->btnCreate) break;
            ExpectFocusShown(now, true);
            if (previous) ExpectFocusShown(previous, false);
            if (pages->Pages(p)->ContainsControl(now)) fields.insert(now);
            order.push_back(now);
            previous = now;
            Tab();
        }
        // The header in its order, then the pages, then every field of the page shown.
        ASSERT_GE(order.size(), 5u);
        EXPECT_EQ(order[0], Form1->btnCreate);
        EXPECT_EQ(order[1], Form1->btnSave);
        EXPECT_EQ(order[2], Form1->btnRecreate);
        EXPECT_EQ(order[3], Form1->btnExit);
        EXPECT_EQ(order[4], pages);
        EXPECT_EQ(fields, FocusableOn(pages->Pages(p)));
        EXPECT_EQ(order.size(), 5 + fields.size());
    }
}

TEST_F(KeyboardFocus, AReadOnlyReferenceFieldShowsTheFocusToo) {
    TVtEdit* reference = Field("VtEdit1");
    reference->SetFocus();
    App->ProcessMessages();
    EXPECT_EQ(Form1->VtPageControl1->ActivePageIndex(), 4);
    ExpectFocusShown(reference, true);
    Tab();
    ExpectFocusShown(reference, false);
    ExpectFocusShown(Field("VtEdit2"), true);
}
