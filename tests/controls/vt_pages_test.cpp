// TVtPageControl on a real headless form, set up as the editor's VtPageControl1: the pixels
// of the strip, the tabs, the card frame with its gap and its soft shadow; switching pages
// by click, keys, ActivePage and Ctrl+Tab; refusal; hot tracking on the virtual clock;
// page colours, tab visibility and page order; the stored description.
//
// Sections: fixture · the editor's pixels · switching pages · hot tracking · pages and
//           colours · descriptions
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "../framework/control_tree_fixture.h"
#include "controls/vt_draw.h"
#include "controls/vt_pages.h"
#include "framework/core/streaming.h"
#include "framework/core/sysutils.h"
#include "framework/core/typinfo.h"
#include "framework/graphics/bitmap.h"
#include "framework/stdctrls/extctrls.h"

namespace {

// ---------------------------------------------------------------- fixture

constexpr TColor kFormColor = 15395562;  // RGB(234, 234, 234)
// The card's shadow: black over the form's colour, 30 and 15 of 255.
constexpr TColor kShadowStrong = RGB(206, 206, 206), kShadowSoft = RGB(220, 220, 220);
// The hot bar: clHighlight's opposite hue at lightness 140.
constexpr TColor kHotBar = RGB(255, 176, 43);
constexpr TColor kStripColor = 15000804;  // RGB(228, 228, 228)
constexpr TColor kBtnShadow = RGB(172, 168, 153);
constexpr TColor kBtnFace = RGB(236, 233, 216);
constexpr TColor kHighlight = RGB(49, 106, 197);
const char* const kCaptions[] = {"Language Information", "Messages and Categories", "Main Information",
                                 "Extra Information",    "Extra Information 2",     "File"};

// A focusable field on a page, a phrase field's stand-in.
class TField : public TCustomControl {
public:
    explicit TField(TComponent* owner) : TCustomControl(owner) {
        SetTabStop(true);
        SetBounds(16, 16, 100, 19);
    }
};

class VtPagesTest : public ControlTreeTest {
protected:
    void SetUp() override {
        ControlTreeTest::SetUp();
        Form->SetColor(kFormColor);
        Form->SetClientWidth(689);
        Form->SetClientHeight(427);
        Form->Font()->SetName("Tahoma");
        Form->Font()->SetHeight(-11);
    }

    // VtPageControl1 with its six white pages, each holding one field.
    TVtPageControl* EditorPages() {
        auto* pc = new TVtPageControl(Form);
        pc->SetName("VtPageControl1");
        pc->SetBounds(8, 80, 676, 321);
        pc->SetBackgroundColor(kStripColor);
        pc->SetUseColoredTabs(true);
        pc->SetParent(Form);
        for (int i = 0; i < 6; ++i) {
            auto* page = new TVtTabSheet(Form);
            page->SetName("TabSheet" + std::to_string(i + 1));
            page->SetCaption(kCaptions[i]);
            page->SetPageControl(pc);
            page->SetColor(clWhite);
            auto* field = new TField(Form);
            field->SetName("Field" + std::to_string(i + 1));
            field->SetColor(clNavy);
            field->SetParent(page);
            Pages.push_back(page);
            Fields.push_back(field);
        }
        pc->SetActivePage(Pages[0]);
        pc->OnChanging = [this](TObject*, int index, bool& allow) {
            Events.push_back("changing " + std::to_string(index));
            allow = Allow;
        };
        pc->OnChange = [this, pc](TObject*) { Events.push_back("change " + std::to_string(pc->TabIndex())); };
        pc->OnTabClick = [this](TObject*) { Events.push_back("click"); };
        return pc;
    }
    TColor At(TControl* c, int x, int y) { return ScreenPixel(c->Left() + x, c->Top() + y); }
    // At a point of a control, in its own coordinates.
    void Click(TControl* c, int x, int y) { ClickAt({c->Left() + x, c->Top() + y}); }
    void MoveTo(TControl* c, int x, int y) { HeadlessFixture::MoveTo({c->Left() + x, c->Top() + y}); }
    // Tab i's left edge along the strip and its right edge.
    // Row y of an unselected tab: white at the outer edge to clBtnFace at the card, in the
    // fixed-point steps of the end gradient (19 rows).
    static TColor GradientRow(int y) {
        static const TColor rows[19] = {RGB(254, 253, 252), RGB(253, 252, 250), RGB(252, 251, 248), RGB(251, 250, 246),
                                        RGB(250, 249, 244), RGB(249, 248, 242), RGB(248, 246, 240), RGB(247, 245, 238),
                                        RGB(246, 244, 236), RGB(245, 243, 234), RGB(244, 242, 232), RGB(243, 241, 230),
                                        RGB(242, 239, 228), RGB(241, 238, 226), RGB(240, 237, 224), RGB(239, 236, 222),
                                        RGB(238, 235, 220), RGB(237, 234, 218), RGB(236, 233, 216)};
        return rows[y];
    }
    static int L(TVtPageControl* pc, int i) { return pc->Tabs()[i]->StripRect.Left; }
    static int R(TVtPageControl* pc, int i) { return pc->Tabs()[i]->StripRect.Right; }

    std::vector<TVtTabSheet*> Pages;
    std::vector<TField*> Fields;
    std::vector<std::string> Events;
    bool Allow = true;
};

// ---------------------------------------------------------------- the editor's pixels

TEST_F(VtPagesTest, EditorGeometryStripCardAndPages) {
    TVtPageControl* pc = EditorPages();
    ShowForm();
    EXPECT_EQ(pc->FixedDimension(), 19);
    EXPECT_EQ(pc->TabStripRect(), Rect(0, 0, 673, 19));
    EXPECT_EQ(pc->StripLength(), 673);
    EXPECT_EQ(pc->CardRect(0), Rect(0, 19, 675, 320));
    EXPECT_EQ(pc->DisplayRect(), Rect(1, 20, 673, 318));
    EXPECT_EQ(pc->ButtonSize(), 17);
    EXPECT_FALSE(pc->ScrollingNeeded());
    // Pages are aligned when shown.
    EXPECT_EQ(Pages[0]->BoundsRect(), Bounds(1, 20, 672, 298));
    pc->SetActivePage(Pages[4]);
    EXPECT_EQ(Pages[4]->BoundsRect(), Bounds(1, 20, 672, 298));
    // Each tab is its caption's width + 26 long and overlaps the next by 8 pixels.
    TFont font;
    font.SetName("Tahoma");
    font.SetHeight(-11);
    for (int i = 0; i < 6; ++i) {
        const int width = font.Handle()->TextWidth(kCaptions[i]);
        EXPECT_EQ(R(pc, i) - L(pc, i), width + 26) << kCaptions[i];
        EXPECT_EQ(pc->Tabs()[i]->StripRect.Top, 0);
        EXPECT_EQ(pc->Tabs()[i]->StripRect.Bottom, 19);
        if (i > 0) {
            EXPECT_EQ(L(pc, i), R(pc, i - 1) - 8);
        }
    }
    EXPECT_EQ(L(pc, 0), 0);
    EXPECT_LT(R(pc, 5), 637);
}

TEST_F(VtPagesTest, SelectedTabCaptionBarAndFocusRectangle) {
    TVtPageControl* pc = EditorPages();
    ShowForm();
    Fields[0]->SetFocus();
    Settle();
    const int r0 = R(pc, 0);
    // The highlight bar fills rows 0 to 3 inside the tab's region; the outline then covers
    // row 0 from the chamfer to the start of the slant.
    EXPECT_EQ(At(pc, 0, 0), kStripColor);  // cut off by the chamfer
    EXPECT_EQ(At(pc, 1, 0), kHighlight);
    EXPECT_EQ(At(pc, 0, 1), kHighlight);
    EXPECT_EQ(At(pc, 1, 1), kBtnShadow);  // the chamfer's outline
    EXPECT_EQ(At(pc, 2, 0), kBtnShadow);
    EXPECT_EQ(At(pc, r0 - 20, 0), kBtnShadow);
    for (int y = 1; y <= 3; ++y) {
        if (y > 1) {
            EXPECT_EQ(At(pc, 1, y), kHighlight) << y;
        }
        EXPECT_EQ(At(pc, 60, y), kHighlight) << y;
        EXPECT_EQ(At(pc, r0 - 20 + y / 2, y), kHighlight) << y;  // up to the slanted side
    }
    EXPECT_EQ(At(pc, 60, 4), clWhite);
    EXPECT_EQ(At(pc, r0 - 18, 1), kBtnShadow);   // the slanted side
    EXPECT_EQ(At(pc, r0 - 16, 1), kStripColor);  // beyond it
    // The caption: black pixels only inside its box from (L + 6, 4), 13 rows high.
    int minX = 1000, maxX = -1, minY = 1000, maxY = -1;
    for (int y = 0; y < 19; ++y)
        for (int x = 0; x < r0 - 19; ++x)  // the next tab's caption starts at R − 2
            if (At(pc, x, y) == RGB(0, 0, 0)) {
                minX = std::min(minX, x), maxX = std::max(maxX, x);
                minY = std::min(minY, y), maxY = std::max(maxY, y);
            }
    TFont font;
    font.SetName("Tahoma");
    font.SetHeight(-11);
    EXPECT_GE(minX, 6);
    EXPECT_LE(minX, 7);  // "L" has its stem at the start of its cell
    EXPECT_LT(maxX, 6 + font.Handle()->TextWidth(kCaptions[0]));
    EXPECT_GE(minY, 4);
    EXPECT_LT(maxY, 17);
    // Focus rectangle (L + 4, 4) to (R − 18, 17) only while the page control has the focus.
    auto blackInColumn = [&](int x) {
        int n = 0;
        for (int y = 0; y < 19; ++y) n += At(pc, x, y) == RGB(0, 0, 0);
        return n;
    };
    EXPECT_EQ(blackInColumn(4), 0);
    EXPECT_EQ(blackInColumn(r0 - 19), 0);
    pc->SetFocus();
    Settle();
    EXPECT_TRUE(pc->Focused());
    EXPECT_EQ(At(pc, 4, 4), RGB(0, 0, 0));
    EXPECT_EQ(At(pc, 4, 5), clWhite);
    EXPECT_EQ(At(pc, 4, 6), RGB(0, 0, 0));
    EXPECT_EQ(At(pc, 5, 4), clWhite);
    EXPECT_EQ(blackInColumn(4), 7);  // rows 4, 6, … 16
    EXPECT_EQ(blackInColumn(r0 - 19), 6 + ((r0 - 23) % 2 == 0));
    EXPECT_EQ(blackInColumn(r0 - 18), 0);
    EXPECT_EQ(At(pc, 3, 4), clWhite);
    EXPECT_EQ(At(pc, 6 + 1, 17), clWhite);  // row 17 is outside
}

TEST_F(VtPagesTest, UnselectedTabsShadeFromWhiteToButtonFace) {
    TVtPageControl* pc = EditorPages();
    ShowForm();
    // Tab 2 is unselected: row by row from one step short of white down to clBtnFace.
    const int x = L(pc, 2) + 40;
    EXPECT_EQ(At(pc, x, 18), kBtnFace);
    for (int y = 1; y <= 18; ++y) EXPECT_EQ(At(pc, x, y), GradientRow(y)) << y;
    // Its top outline, and the strip background beyond the last tab.
    EXPECT_EQ(At(pc, x, 0), kBtnShadow);
    EXPECT_EQ(At(pc, 660, 5), kStripColor);
    // The slanted side of tab 1 lies over tab 2's start: tab 2 begins 8 pixels before it ends.
    EXPECT_EQ(At(pc, R(pc, 1) - 1, 18), kBtnShadow);
    EXPECT_EQ(At(pc, R(pc, 1) + 1, 18), kBtnFace);
}

TEST_F(VtPagesTest, CardFrameGapAndSoftShadow) {
    TVtPageControl* pc = EditorPages();
    ShowForm();
    const int r0 = R(pc, 0);
    // Frame: x 0, y 19 (except under the selected tab), x 673, y 318.
    for (int y = 19; y <= 318; ++y) EXPECT_EQ(At(pc, 0, y), kBtnShadow) << y;
    for (int y = 19; y <= 318; ++y) EXPECT_EQ(At(pc, 673, y), kBtnShadow) << y;
    for (int x = 0; x <= 673; ++x) EXPECT_EQ(At(pc, x, 318), kBtnShadow) << x;
    for (int x = 1; x < r0; ++x) EXPECT_EQ(At(pc, x, 19), clWhite) << x;
    for (int x = r0; x <= 673; ++x) EXPECT_EQ(At(pc, x, 19), kBtnShadow) << x;
    // Inside the frame, outside the page: the white card.
    EXPECT_EQ(At(pc, 672, 317), clWhite);
    // The shadow darkens what lies behind: the form's colour.
    const TColor strong = kShadowStrong, soft = kShadowSoft;
    for (int y = 20; y <= 319; ++y) EXPECT_EQ(At(pc, 674, y), strong) << y;
    for (int y = 19; y <= 320; ++y) EXPECT_EQ(At(pc, 675, y), soft) << y;
    for (int x = 1; x <= 674; ++x) EXPECT_EQ(At(pc, x, 319), strong) << x;
    for (int x = 0; x <= 675; ++x) EXPECT_EQ(At(pc, x, 320), soft) << x;
    EXPECT_EQ(At(pc, 674, 19), soft);
    EXPECT_EQ(At(pc, 0, 319), soft);
    // Above the card, beside the strip: the background.
    EXPECT_EQ(At(pc, 674, 10), kStripColor);
    EXPECT_EQ(At(pc, 675, 18), kStripColor);
}

// Behind the shadow lies whatever the form shows there, here a picture of its own colour at
// every pixel: each shadow pixel darkens exactly the pixel behind it.
TEST_F(VtPagesTest, TheShadowDarkensWhatLiesBehindEachPixel) {
    auto* picture = new TImage(Form);
    picture->SetBounds(0, 0, 689, 427);
    TBitmap* bitmap = picture->Picture()->Bitmap();
    bitmap->SetSize(689, 427);
    auto behind = [](int x, int y) { return RGB(x * 7 % 256, y * 5 % 256, (x + y) * 3 % 256); };
    for (int y = 0; y < 427; ++y)
        for (int x = 0; x < 689; ++x) bitmap->ScanLine(y)[x] = PixelFromColor(behind(x, y));
    picture->SetParent(Form);
    TVtPageControl* pc = EditorPages();
    ShowForm();
    auto darkened = [&](int x, int y, uint8_t strength) {
        return MixColors(clBlack, behind(pc->Left() + x, pc->Top() + y), strength);
    };
    for (int y = 20; y <= 319; ++y) EXPECT_EQ(At(pc, 674, y), darkened(674, y, 30)) << y;
    for (int y = 19; y <= 320; ++y) EXPECT_EQ(At(pc, 675, y), darkened(675, y, 15)) << y;
    for (int x = 1; x <= 674; ++x) EXPECT_EQ(At(pc, x, 319), darkened(x, 319, 30)) << x;
    for (int x = 0; x <= 675; ++x) EXPECT_EQ(At(pc, x, 320), darkened(x, 320, 15)) << x;
    // Hovering over a tab repaints the strip alone; the card's shadow keeps its pixels.
    MoveTo(pc, L(pc, 2) + 20, 10);
    Settle();
    for (int y = 20; y <= 319; ++y) EXPECT_EQ(At(pc, 674, y), darkened(674, y, 30)) << y;
}

// ---------------------------------------------------------------- switching pages

TEST_F(VtPagesTest, ClickingATabSwitchesPagesAndTheFocusFollows) {
    TVtPageControl* pc = EditorPages();
    ShowForm();
    Fields[0]->SetFocus();
    Settle();
    Click(pc, L(pc, 3) + 30, 10);
    EXPECT_EQ(pc->TabIndex(), 3);
    EXPECT_EQ(pc->ActivePage(), Pages[3]);
    EXPECT_EQ(Events, (std::vector<std::string>{"changing 3", "change 3", "click"}));
    EXPECT_TRUE(Pages[3]->Visible());
    EXPECT_FALSE(Pages[0]->Visible());
    // The focus was in the old page: it moves to the first field of the new one.
    EXPECT_TRUE(Fields[3]->Focused());
    // The new tab is white with the hot bar (the pointer is on it); the old one is shaded again.
    EXPECT_EQ(At(pc, L(pc, 3) + 30, 2), kHotBar);
    EXPECT_EQ(At(pc, L(pc, 3) + 30, 18), clWhite);
    EXPECT_EQ(At(pc, 40, 18), kBtnFace);
    EXPECT_EQ(At(pc, L(pc, 3) + 30, 19), clWhite);
    // Clicking the selected tab focuses the page control: no change, one click.
    Events.clear();
    Click(pc, L(pc, 3) + 30, 10);
    EXPECT_TRUE(pc->Focused());
    EXPECT_EQ(Events, (std::vector<std::string>{"click"}));
}

TEST_F(VtPagesTest, RefusedChangeKeepsPageTabAndFocus) {
    TVtPageControl* pc = EditorPages();
    ShowForm();
    Fields[0]->SetFocus();
    Settle();
    Allow = false;
    Click(pc, L(pc, 2) + 30, 10);
    EXPECT_EQ(pc->TabIndex(), 0);
    EXPECT_EQ(pc->ActivePage(), Pages[0]);
    EXPECT_TRUE(Fields[0]->Focused());
    EXPECT_EQ(Events, (std::vector<std::string>{"changing 2"}));
    // A keyboard search goes on past refused candidates, and ends with nothing.
    pc->SetFocus();
    Settle();
    Events.clear();
    Stroke(VK_RIGHT);
    EXPECT_EQ(pc->TabIndex(), 0);
    EXPECT_EQ(Events, (std::vector<std::string>{"changing 1", "changing 2", "changing 3", "changing 4", "changing 5"}));
}

TEST_F(VtPagesTest, RefusedPageIsShownBehindTheActivePage) {
    TVtPageControl* pc = EditorPages();
    Fields[2]->SetBounds(300, 150, 100, 19);
    Fields[2]->SetColor(clGreen);
    ShowForm();
    // A field's pixel in the page control: pages start at (1, 20).
    auto fieldPixel = [&](TField* f) { return At(pc, 1 + f->Left() + 5, 20 + f->Top() + 5); };
    EXPECT_EQ(fieldPixel(Fields[0]), clNavy);
    EXPECT_EQ(fieldPixel(Fields[2]), clWhite);
    Allow = false;
    pc->SetActivePage(Pages[2]);
    Settle();
    EXPECT_EQ(Events, (std::vector<std::string>{"changing 2"}));
    EXPECT_EQ(pc->ActivePage(), Pages[0]);
    EXPECT_EQ(pc->TabIndex(), 0);
    // The refused page was made visible before the question, but behind: the card still
    // shows the active page and its field, under the selected tab's highlight bar.
    EXPECT_TRUE(Pages[2]->Visible());
    EXPECT_TRUE(Pages[0]->Visible());
    EXPECT_EQ(fieldPixel(Fields[0]), clNavy);
    EXPECT_EQ(fieldPixel(Fields[2]), clWhite);
    EXPECT_EQ(At(pc, 60, 2), kHighlight);
    // Allowed, the page comes to the front and the old one is hidden; refusing the way back
    // leaves it in front as well.
    Allow = true;
    pc->SetActivePage(Pages[2]);
    Settle();
    EXPECT_FALSE(Pages[0]->Visible());
    EXPECT_EQ(fieldPixel(Fields[2]), clGreen);
    Allow = false;
    pc->SetActivePage(Pages[0]);
    Settle();
    EXPECT_EQ(pc->ActivePage(), Pages[2]);
    EXPECT_TRUE(Pages[0]->Visible());
    EXPECT_EQ(fieldPixel(Fields[2]), clGreen);
    EXPECT_EQ(fieldPixel(Fields[0]), clWhite);
}

TEST_F(VtPagesTest, KeysWalkTheTabsWithWrapAround) {
    TVtPageControl* pc = EditorPages();
    ShowForm();
    pc->SetFocus();
    Settle();
    Stroke(VK_LEFT);  // from the first to the last
    EXPECT_EQ(pc->TabIndex(), 5);
    EXPECT_EQ(pc->ActivePage(), Pages[5]);
    Stroke(VK_RIGHT);  // and back round to the first
    EXPECT_EQ(pc->TabIndex(), 0);
    Stroke(VK_END);
    EXPECT_EQ(pc->TabIndex(), 5);
    Stroke(VK_HOME);
    EXPECT_EQ(pc->TabIndex(), 0);
    Pages[1]->SetTabEnabled(false);
    Stroke(VK_DOWN);  // a disabled tab is passed over
    EXPECT_EQ(pc->TabIndex(), 1 + 1);
    EXPECT_TRUE(pc->Focused());
}

TEST_F(VtPagesTest, AssigningActivePageAndCtrlTab) {
    TVtPageControl* pc = EditorPages();
    ShowForm();
    pc->SetActivePage(Pages[5]);
    Settle();
    EXPECT_EQ(pc->TabIndex(), 5);
    EXPECT_TRUE(Pages[5]->Visible());
    EXPECT_FALSE(Pages[0]->Visible());
    EXPECT_EQ(Events, (std::vector<std::string>{"changing 5", "change 5"}));
    EXPECT_EQ(At(pc, L(pc, 5) + 10, 2), kHighlight);
    // Ctrl+Tab from inside wraps to the first page; Ctrl+Shift+Tab goes back.
    Fields[5]->SetFocus();
    Settle();
    Stroke(VK_TAB, {ssCtrl});
    EXPECT_EQ(pc->ActivePage(), Pages[0]);
    Stroke(VK_TAB, {ssCtrl, ssShift});
    EXPECT_EQ(pc->ActivePage(), Pages[5]);
    // No page: the card takes the page control's colour, no tab is selected.
    pc->SetActivePage(nullptr);
    Settle();
    EXPECT_EQ(pc->TabIndex(), -1);
    EXPECT_FALSE(Pages[5]->Visible());
    EXPECT_EQ(At(pc, 300, 200), kFormColor);  // the page control follows the form's colour
    EXPECT_EQ(At(pc, 300, 19), kBtnShadow);   // no gap
}

TEST_F(VtPagesTest, ShowingAControlOnAPageActivatesIt) {
    TVtPageControl* pc = EditorPages();
    ShowForm();
    Fields[4]->SetFocus();
    Settle();
    EXPECT_EQ(pc->ActivePage(), Pages[4]);
    EXPECT_EQ(pc->TabIndex(), 4);
    EXPECT_TRUE(Fields[4]->Focused());
}

// ---------------------------------------------------------------- hot tracking

TEST_F(VtPagesTest, HotTrackingOnTheVirtualClock) {
    TVtPageControl* pc = EditorPages();
    ShowForm();
    const TColor hot = kHotBar;
    MoveTo(pc, L(pc, 2) + 30, 10);
    EXPECT_EQ(pc->HotTab(), 2);
    EXPECT_EQ(At(pc, L(pc, 2) + 30, 2), hot);
    // Over the selected tab the hot bar replaces the highlight bar.
    MoveTo(pc, 20, 10);
    EXPECT_EQ(pc->HotTab(), 0);
    EXPECT_EQ(At(pc, 20, 2), hot);
    EXPECT_EQ(At(pc, L(pc, 2) + 30, 2), GradientRow(2));  // back to the gradient
    // The pointer leaves onto the page: within one tick the highlight bar is back.
    Desk->MoveMouse(Window(), {pc->Left() + 300, pc->Top() + 200});
    Desk->AdvanceTime(60);
    Settle();
    EXPECT_EQ(pc->HotTab(), -1);
    EXPECT_EQ(At(pc, 20, 2), kHighlight);
    // The shadow is intact after the strip-only repaints.
    EXPECT_EQ(At(pc, 674, 200), kShadowStrong);
}

// ---------------------------------------------------------------- pages and colours

TEST_F(VtPagesTest, TabIndexesFollowVisibleTabsAndPageOrder) {
    TVtPageControl* pc = EditorPages();
    ShowForm();
    Pages[2]->SetTabVisible(false);
    EXPECT_EQ(Pages[2]->TabIndex(), -1);
    EXPECT_EQ(Pages[3]->TabIndex(), 2);
    EXPECT_EQ(Pages[5]->TabIndex(), 4);
    EXPECT_EQ(pc->Tabs().Count(), 5);
    Pages[5]->SetPageIndex(0);
    EXPECT_EQ(pc->Pages(0), Pages[5]);
    EXPECT_EQ(pc->Tabs()[0]->Caption, "File");
    try {
        Pages[0]->SetPageIndex(6);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "6 is an invalid PageIndex value. PageIndex must be between 0 and 5");
    }
    try {
        Pages[0]->SetVisible(true);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "You cannot change the Visible property of a page");
    }
    // Destroying the active page leaves none.
    delete Pages[0];
    EXPECT_EQ(pc->ActivePage(), nullptr);
    EXPECT_EQ(pc->TabIndex(), -1);
}

TEST_F(VtPagesTest, PageColoursAndColouredTabs) {
    auto* pc = new TVtPageControl(Form);
    pc->SetParent(Form);
    auto* a = new TVtTabSheet(Form);
    a->SetPageControl(pc);
    auto* b = new TVtTabSheet(Form);
    b->SetPageControl(pc);
    EXPECT_FALSE(pc->UseColoredTabs());
    a->SetColor(clRed);  // another colour than the page control's turns coloured tabs on
    EXPECT_TRUE(pc->UseColoredTabs());
    EXPECT_EQ(a->Color(), clRed);
    EXPECT_EQ(pc->Tabs()[0]->Color, clRed);
    pc->SetUseColoredTabs(false);  // and off again: every page takes the page control's colour
    EXPECT_EQ(a->Color(), pc->Color());
    EXPECT_EQ(b->Color(), pc->Color());
}

// ---------------------------------------------------------------- descriptions

TEST_F(VtPagesTest, StoredDescriptionRestoresTheActivePage) {
    const char* text =
        "object Form: TForm\n"
        "  object VtPageControl1: TVtPageControl\n"
        "    Left = 8\n    Top = 80\n    Width = 676\n    Height = 321\n"
        "    ActivePage = TabSheet2\n"
        "    BackgroundColor = 15000804\n    ParentBackgroundColor = False\n"
        "    UseColoredTabs = True\n    TabIndex = 1\n    FixedDimension = 19\n"
        "    object TabSheet1: TVtTabSheet\n      Caption = 'Language Information'\n      Color = clWhite\n    end\n"
        "    object TabSheet2: TVtTabSheet\n      Caption = 'File'\n      Color = clWhite\n    end\n"
        "  end\n"
        "end\n";
    // The reader creates the page control with the form as owner; the events are set after.
    ReadComponentText(Form, text);
    auto* pc = dynamic_cast<TVtPageControl*>(Form->FindComponent("VtPageControl1"));
    ASSERT_NE(pc, nullptr);
    EXPECT_EQ(pc->PageCount(), 2);
    EXPECT_EQ(pc->ActivePage()->Name(), "TabSheet2");
    EXPECT_EQ(pc->TabIndex(), 1);
    EXPECT_FALSE(pc->Pages(0)->Visible());
    EXPECT_TRUE(pc->Pages(1)->Visible());
    EXPECT_EQ(pc->Pages(1)->BoundsRect(), Bounds(1, 20, 672, 298));
    const std::string written = WriteComponentText(pc);
    EXPECT_NE(written.find("FixedDimension = 19"), std::string::npos) << written;
    EXPECT_NE(written.find("BackgroundColor = 15000804"), std::string::npos) << written;
    EXPECT_EQ(written.find("PageIndex"), std::string::npos) << written;
    EXPECT_EQ(written.find("Visible"), std::string::npos) << written;
}

// A window whose description binds the page control's events to its own handlers, as a
// form's description does: they are in place while the description is applied.
class TEventForm : public TForm {
public:
    explicit TEventForm(TComponent* owner, std::vector<std::string>& events) : TForm(owner) {
        FMethods.Add<TVtTabChangingEvent>("PagesChanging", [&events](TObject*, int index, bool&) {
            events.push_back("changing " + std::to_string(index));
        });
        FMethods.Add<TNotifyEvent>("PagesChange", [&events](TObject*) { events.push_back("change"); });
    }
    const TMethodTable* MethodTable() const override { return &FMethods; }

private:
    TMethodTable FMethods;
};

TEST_F(VtPagesTest, LoadingRaisesNoChangeEvents) {
    auto description = [](const std::string& selection) {
        return "object EventForm: TForm\n"
               "  Font.Name = 'Tahoma'\n  Font.Height = -11\n"
               "  object VtPageControl1: TVtPageControl\n"
               "    Left = 8\n    Top = 80\n    Width = 676\n    Height = 321\n" +
               selection +
               "    UseColoredTabs = True\n"
               "    OnChanging = PagesChanging\n    OnChange = PagesChange\n"
               "    object TabSheet1: TVtTabSheet\n      Caption = 'Language Information'\n    end\n"
               "    object TabSheet2: TVtTabSheet\n      Caption = 'Messages and Categories'\n    end\n"
               "    object TabSheet3: TVtTabSheet\n      Caption = 'File'\n    end\n"
               "  end\n"
               "end\n";
    };
    struct Case {
        const char* selection;
        int page;
    };
    // As a writer stores it, the active page alone, the index alone (which plays no part:
    // without a stored page no page is active), the first page.
    for (const Case& c :
         {Case{"    ActivePage = TabSheet3\n    TabIndex = 2\n", 2}, Case{"    ActivePage = TabSheet2\n", 1},
          Case{"    TabIndex = 1\n", -1}, Case{"    ActivePage = TabSheet1\n    TabIndex = 0\n", 0}}) {
        std::vector<std::string> events;
        auto* form = new TEventForm(App, events);
        ReadComponentText(form, description(c.selection));
        auto* pc = dynamic_cast<TVtPageControl*>(form->FindComponent("VtPageControl1"));
        ASSERT_NE(pc, nullptr);
        EXPECT_EQ(events, std::vector<std::string>{}) << c.selection;
        EXPECT_EQ(pc->ActivePage(), c.page < 0 ? nullptr : pc->Pages(c.page)) << c.selection;
        EXPECT_EQ(pc->TabIndex(), c.page) << c.selection;
        for (int i = 0; i < pc->PageCount(); ++i) EXPECT_EQ(pc->Pages(i)->Visible(), i == c.page) << c.selection;
        // Once loaded, the events are raised again.
        const int next = c.page == 1 ? 0 : 1;
        pc->SetActivePage(pc->Pages(next));
        EXPECT_EQ(events, (std::vector<std::string>{"changing " + std::to_string(next), "change"})) << c.selection;
        delete form;
    }
}

}  // namespace
