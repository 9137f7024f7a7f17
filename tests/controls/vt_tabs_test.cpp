// TVtCustomTabControl on a real headless form, with a tab list filled by the test: caption
// text rules, the region cache, tab sizes per style, the strip, card and display rectangle
// without tabs, selection edge cases (beyond the end, disabled tabs, refusal), keys and
// accelerators, scrolling with the scroller, multi-line rows, frame couplings, text colour
// queries and the stored "FixedDimension".
//
// Sections: fixture · caption text and region cache · layout · selection and keys ·
//           scrolling and rows · painting hooks · descriptions
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "../framework/control_tree_fixture.h"
#include "controls/vt_draw.h"
#include "controls/vt_tabs.h"
#include "framework/core/streaming.h"
#include "framework/core/sysutils.h"

namespace {

// ---------------------------------------------------------------- fixture

// The tab control with its list filled directly, as a page control would fill it.
class TTestTabs : public TVtCustomTabControl {
public:
    explicit TTestTabs(TComponent* owner) : TVtCustomTabControl(owner) {}
    void SetCaptions(const std::vector<std::string>& captions) {
        TabList().Clear();
        for (const std::string& c : captions) TabList().Add()->Caption = c;
        LayoutChanged();
        EnsureLayout();
    }
    TVtTabData* Tab(int i) { return TabList()[i]; }
    void Relayout() {
        LayoutChanged();
        EnsureLayout();
    }
    int Closes = 0;
    int MovedTo = -1;

protected:
    void CloseActiveTab() override { ++Closes; }
    void MoveActiveTab(int index) override { MovedTo = index; }
};

class VtTabsTest : public ControlTreeTest {
protected:
    void SetUp() override {
        ControlTreeTest::SetUp();
        Form->SetClientWidth(689);
        Form->SetClientHeight(427);
        Form->Font()->SetName("Tahoma");
        Form->Font()->SetHeight(-11);
        Tabs = new TTestTabs(Form);
        Tabs->SetName("Tabs");
        Tabs->SetBounds(8, 80, 676, 321);
        Tabs->SetParent(Form);
        Tabs->OnChanging = [this](TObject*, int i, bool& allow) {
            Events.push_back("changing " + std::to_string(i));
            allow = Allow;
        };
        Tabs->OnChange = [this](TObject*) { Events.push_back("change " + std::to_string(Tabs->TabIndex())); };
        Tabs->OnTabClick = [this](TObject*) { Events.push_back("click"); };
    }
    int TextWidth(const std::string& s) {
        TFont font;
        font.SetName("Tahoma");
        font.SetHeight(-11);
        return font.Handle()->TextWidth(s);
    }
    int Length(int i) { return Tabs->Tab(i)->StripRect.Right - Tabs->Tab(i)->StripRect.Left; }
    TColor At(int x, int y) { return ScreenPixel(Tabs->Left() + x, Tabs->Top() + y); }

    TTestTabs* Tabs = nullptr;
    std::vector<std::string> Events;
    bool Allow = true;
};

// ---------------------------------------------------------------- caption text and region cache

TEST(VtTabText, LinesAndAccelerators) {
    EXPECT_EQ(SplitCaptionLines(""), std::vector<std::string>{});
    EXPECT_EQ(SplitCaptionLines("One\r\nTwo\r\n"), (std::vector<std::string>{"One", "Two"}));
    EXPECT_EQ(StripAccelerator("&Main"), "Main");
    EXPECT_EQ(StripAccelerator("Salt && Pepper"), "Salt & Pepper");
    EXPECT_EQ(StripAccelerator("End&"), "End&");
    const TAccelParts p = SplitAccelerator("E&xtra");
    EXPECT_TRUE(p.HasAccel);
    EXPECT_EQ(p.Before, "E");
    EXPECT_EQ(p.Accel, 'x');
    EXPECT_EQ(p.After, "tra");
    EXPECT_FALSE(SplitAccelerator("A && B").HasAccel);
}

TEST(VtTabRegionCache, MostRecentlyUsedWithCapacity) {
    TVtTabRegionCache cache;
    EXPECT_EQ(cache.Capacity(), 1);
    int made = 0;
    auto make = [&made] {
        ++made;
        return CreateRectRgn(0, 0, 1, 1);
    };
    cache.Find(Rect(0, 0, 10, 10), make);
    cache.Find(Rect(0, 0, 10, 10), make);
    EXPECT_EQ(made, 1);
    cache.Find(Rect(5, 0, 10, 10), make);  // capacity 1: the first one goes
    EXPECT_EQ(cache.Count(), 1);
    cache.Find(Rect(0, 0, 10, 10), make);
    EXPECT_EQ(made, 3);
    cache.SetCapacity(-1);
    cache.Find(Rect(1, 0, 10, 10), make);
    cache.Find(Rect(2, 0, 10, 10), make);
    EXPECT_EQ(cache.Count(), 3);
    EXPECT_EQ(cache.Items().front().Key, Rect(2, 0, 10, 10));
    for (int bad : {0, -2}) {
        try {
            cache.SetCapacity(bad);
            FAIL();
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), "Capacity must be -1 (to cache all regions) or > 0");
        }
    }
    EXPECT_EQ(cache.Capacity(), -1);
}

// ---------------------------------------------------------------- layout

TEST_F(VtTabsTest, TabSizesPerStyle) {
    Tabs->SetCaptions({"Main Information", "File"});
    const int w0 = TextWidth("Main Information"), w1 = TextWidth("File");
    // Single slant: caption + 26, 19 deep, 8 pixels of overlap.
    EXPECT_EQ(Length(0), w0 + 26);
    EXPECT_EQ(Tabs->FixedDimension(), 19);
    EXPECT_EQ(Tabs->Tab(1)->StripRect.Left, w0 + 26 - 8);
    Tabs->SetTabStyle(tsDoubleSlant);
    Tabs->EnsureLayout();
    EXPECT_EQ(Length(0), w0 + 2 + 2 * 13 + 10);
    EXPECT_EQ(Tabs->Tab(1)->StripRect.Left, Length(0) - 19 + 1);
    Tabs->SetTabStyle(tsCutCorner);
    Tabs->EnsureLayout();
    EXPECT_EQ(Length(1), w1 + 2 + 8 + 12);
    EXPECT_EQ(Tabs->FixedDimension(), 20);
    EXPECT_EQ(Tabs->Tab(1)->StripRect.Left, Length(0) + 2);  // two pixels apart
    Tabs->SetTabStyle(tsRoundCorners);
    Tabs->EnsureLayout();
    EXPECT_EQ(Length(1), std::max(w1 + 2, TextWidth("AAA")) + 16);  // at least "AAA" wide
    EXPECT_EQ(Tabs->TabAreaDepth(), 19 + 3);
    // Fixed sizes and a bold current tab.
    Tabs->SetTabStyle(tsSingleSlant);
    Tabs->SetTabWidth(80);
    Tabs->SetTabHeight(24);
    Tabs->EnsureLayout();
    EXPECT_EQ(Length(0), 80);
    EXPECT_EQ(Tabs->FixedDimension(), 24);
    EXPECT_EQ(Tabs->ButtonSize(), 22);  // at least D - 2 with a fixed height
}

TEST_F(VtTabsTest, NoTabsMeansOneCardOverTheWholeControl) {
    ShowForm();
    EXPECT_EQ(Tabs->TabIndex(), -1);
    EXPECT_EQ(Tabs->CardRect(0), Rect(0, 0, 675, 320));
    // Filled with Color, framed without a gap, the shadow outside the frame.
    EXPECT_EQ(At(300, 10), ColorToRGB(Tabs->Color()));
    EXPECT_EQ(At(300, 0), RGB(172, 168, 153));
    EXPECT_EQ(At(673, 100), RGB(172, 168, 153));
    EXPECT_EQ(At(674, 100), RGB(225, 225, 225));  // black over white, 30 of 255
}

TEST_F(VtTabsTest, FrameAndShadowSwitchEachOther) {
    Tabs->SetShowFullFrame(false);
    EXPECT_FALSE(Tabs->ShowShadow());
    Tabs->SetShowShadow(true);
    EXPECT_TRUE(Tabs->ShowFullFrame());
    Tabs->SetShowShadow(false);
    Tabs->SetCaptions({"A"});
    EXPECT_EQ(Tabs->TabStripRect(), Rect(0, 0, 675, 19));
    EXPECT_EQ(Tabs->DisplayRect(), Rect(1, 20, 675, 320));
    Tabs->SetShowCardFrame(false);
    EXPECT_EQ(Tabs->DisplayRect(), Rect(0, 19, 676, 321));
    // Negative sizes are ignored.
    Tabs->SetMargin(-3);
    Tabs->SetTabHeight(-1);
    EXPECT_EQ(Tabs->Margin(), 0);
    EXPECT_EQ(Tabs->TabHeight(), 0);
}

// ---------------------------------------------------------------- selection and keys

TEST_F(VtTabsTest, SelectionOutsideTheListAndDisabledTabs) {
    Tabs->SetCaptions({"One", "Two", "Three"});
    ShowForm();
    Tabs->SetTabIndex(1);
    EXPECT_EQ(Events, (std::vector<std::string>{"changing 1", "change 1"}));
    Events.clear();
    Tabs->SetTabIndex(7);  // beyond the end: nothing selected, nothing asked or told
    EXPECT_EQ(Tabs->TabIndex(), -1);
    EXPECT_TRUE(Events.empty());
    for (int i = 0; i < 3; ++i) Tabs->Tab(i)->Enabled = false;
    Tabs->SetTabIndex(0);
    EXPECT_EQ(Tabs->TabIndex(), -1);
    Tabs->SetFocus();
    Settle();
    Desk->PressKey(Window(), VK_RIGHT);
    Desk->PressKey(Window(), VK_HOME);
    Settle();
    EXPECT_EQ(Tabs->TabIndex(), -1);
    ClickAt({Tabs->Left() + 10, Tabs->Top() + 10});
    EXPECT_EQ(Tabs->TabIndex(), -1);
    EXPECT_TRUE(Events.empty());
}

TEST_F(VtTabsTest, LayoutRepairsTheSelection) {
    Tabs->SetCaptions({"One", "Two", "Three"});
    Tabs->SetTabIndex(2);
    Events.clear();
    Tabs->Tab(2)->Enabled = false;
    Tabs->Relayout();  // nothing selectable from 2 on: the nearest one backwards
    EXPECT_EQ(Tabs->TabIndex(), 1);
    EXPECT_EQ(Events, (std::vector<std::string>{"changing 1", "change 1"}));
    Tabs->Tab(0)->Enabled = Tabs->Tab(1)->Enabled = false;
    Tabs->Relayout();
    EXPECT_EQ(Tabs->TabIndex(), -1);
}

TEST_F(VtTabsTest, ReverseSequenceAndLeftTabsTurnTheKeys) {
    Tabs->SetCaptions({"One", "Two", "Three"});
    ShowForm();
    Tabs->SetFocus();
    Settle();
    Tabs->SetTabIndex(0);
    Tabs->SetTabOrientation(toLeft);
    Desk->PressKey(Window(), VK_UP);  // left tabs: up is the next tab
    Settle();
    EXPECT_EQ(Tabs->TabIndex(), 1);
    Tabs->SetTabSequence(tsReverse);
    Stroke(VK_UP);
    EXPECT_EQ(Tabs->TabIndex(), 0);
    Desk->PressKey(Window(), VK_HOME);  // left tabs in reverse: Home searches forward
    Settle();
    EXPECT_EQ(Tabs->TabIndex(), 0);
    Stroke(VK_END);
    EXPECT_EQ(Tabs->TabIndex(), 2);
}

TEST_F(VtTabsTest, AcceleratorFocusesAndSelects) {
    Tabs->SetCaptions({"One", "&Two", "Three"});
    ShowForm();
    EXPECT_EQ(Length(1), TextWidth("Two") + 26);
    auto* sink = Box("Sink", Form, Bounds(0, 0, 20, 20));
    sink->SetFocus();
    Settle();
    Events.clear();
    EXPECT_EQ(Tabs->Perform(CM_DIALOGCHAR, 't'), 1);
    EXPECT_TRUE(Tabs->Focused());
    EXPECT_EQ(Tabs->TabIndex(), 1);
    EXPECT_EQ(Events, (std::vector<std::string>{"changing 1", "change 1", "click"}));
    EXPECT_EQ(Tabs->Perform(CM_DIALOGCHAR, 'q'), 0);
}

// ---------------------------------------------------------------- scrolling and rows

TEST_F(VtTabsTest, TabsThatDoNotFitScroll) {
    std::vector<std::string> captions;
    for (int i = 0; i < 12; ++i) captions.push_back("Extra Information " + std::to_string(i));
    Tabs->SetCaptions(captions);
    ShowForm();
    ASSERT_TRUE(Tabs->ScrollingNeeded());
    ASSERT_NE(Tabs->Scroller(), nullptr);
    EXPECT_EQ(Tabs->Scroller()->BoundsRect(), Bounds(639, 0, 33, 17));
    EXPECT_EQ(Tabs->FirstVisibleTab(), 0);
    // The right half scrolls towards the end; the left one cannot scroll yet.
    TVtTabScroller* s = Tabs->Scroller();
    ClickAt({Tabs->Left() + 639 + 3, Tabs->Top() + 8});
    EXPECT_EQ(Tabs->FirstVisibleTab(), 0);
    ClickAt({Tabs->Left() + 639 + 30, Tabs->Top() + 8});
    EXPECT_EQ(Tabs->FirstVisibleTab(), 1);
    EXPECT_FALSE(s->Captured());
    // Selecting a tab out of view scrolls it in.
    Tabs->SetTabIndex(11);
    EXPECT_TRUE(Tabs->TabFullyInView(11));
    Tabs->SetTabIndex(0);
    EXPECT_EQ(Tabs->FirstVisibleTab(), 0);
    // Without scrolling the scroller leaves the view.
    Tabs->SetCaptions({"One"});
    EXPECT_FALSE(Tabs->ScrollingNeeded());
    EXPECT_EQ(Tabs->Scroller()->BoundsRect(), Bounds(-34, -18, 33, 17));
}

TEST_F(VtTabsTest, MultiLineRowsAndRotation) {
    Tabs->SetWidth(200);
    Tabs->SetMultiLine(true);
    Tabs->SetCaptions({"Language Information", "Messages", "Main Information", "File"});
    EXPECT_GT(Tabs->RowCount(), 1);
    EXPECT_EQ(Tabs->Tab(0)->Row, 0);
    EXPECT_EQ(Tabs->TabAreaDepth(), 19 + 14 * (Tabs->RowCount() - 1));
    Tabs->SetTabIndex(3);
    EXPECT_EQ(Tabs->Tab(3)->Row, 0);  // the selected tab's row touches the card
    EXPECT_EQ(Tabs->Tab(3)->StripRect.Bottom, Tabs->TabAreaDepth());
}

// ---------------------------------------------------------------- painting hooks

TEST_F(VtTabsTest, TextColourQueryAndCloseButton) {
    Tabs->SetCaptions({"One", "Two"});
    Tabs->SetTabIndex(0);
    std::vector<int> asked;
    Tabs->OnGetTextColor = [&](TObject*, int index, TVtTextStyle style, TColor& color, bool& handled) {
        asked.push_back(index * 10 + style);
        if (index == 1) {
            color = clRed;
            handled = true;
        }
    };
    ShowForm();
    EXPECT_NE(std::find(asked.begin(), asked.end(), 0 * 10 + tsSelected), asked.end());
    EXPECT_NE(std::find(asked.begin(), asked.end(), 1 * 10 + tsUnselected), asked.end());
    bool red = false;
    for (int x = Tabs->Tab(1)->StripRect.Left; x < Tabs->Tab(1)->StripRect.Right; ++x)
        for (int y = 4; y < 17; ++y) red = red || At(x, y) == clRed;
    EXPECT_TRUE(red);
    // The close button: without OnClose nothing closes; AllowClose closes the active tab.
    Tabs->SetShowCloseButton(true);
    Settle();
    ASSERT_NE(Tabs->CloseButton(), nullptr);
    const TRect b = Tabs->CloseButton()->BoundsRect();
    EXPECT_EQ(b, Bounds(673 - 17 - 1, 0, 17, 17));
    ClickAt({Tabs->Left() + b.Left + 5, Tabs->Top() + b.Top + 5});
    EXPECT_EQ(Tabs->Closes, 0);
    Tabs->OnClose = [](TObject*, bool& allow) { allow = true; };
    ClickAt({Tabs->Left() + b.Left + 5, Tabs->Top() + b.Top + 5});
    EXPECT_EQ(Tabs->Closes, 1);
}

TEST_F(VtTabsTest, DraggingTheSelectedTabOntoAnother) {
    Tabs->SetCaptions({"One", "Two", "Three"});
    Tabs->SetTabIndex(0);
    Tabs->SetAllowTabDragging(true);
    ShowForm();
    const TPoint from{Tabs->Left() + 10, Tabs->Top() + 10};
    const TPoint to{Tabs->Left() + Tabs->Tab(2)->StripRect.Left + 15, Tabs->Top() + 10};
    input::MouseDown(*Desk, Window(), from);
    for (int dx : {2, 8, 40}) input::MouseMove(*Desk, Window(), {from.X + dx, from.Y}, {ssLeft});
    input::MouseMove(*Desk, Window(), to, {ssLeft});
    input::MouseUp(*Desk, Window(), to);
    Settle();
    EXPECT_EQ(Tabs->MovedTo, 2);
    EXPECT_EQ(Tabs->TabIndex(), 0);
}

// ---------------------------------------------------------------- descriptions

TEST_F(VtTabsTest, FixedDimensionIsStoredAndRead) {
    Tabs->SetCaptions({"One"});
    const std::string text = WriteComponentText(Tabs);
    EXPECT_NE(text.find("FixedDimension = 19"), std::string::npos) << text;
    Tabs->SetTabHeight(30);
    Tabs->EnsureLayout();
    EXPECT_NE(WriteComponentText(Tabs).find("FixedDimension = 30"), std::string::npos);
    EXPECT_TRUE(SetPropText(Tabs, "TabStyle", "tsCutCorner"));
    EXPECT_EQ(Tabs->TabStyle(), tsCutCorner);
}

}  // namespace
