// TVtPanel on a real headless form: the editor's page-panel look pixel by pixel (black ring,
// lightened flat ring, fill, the child area inside), other frame combinations, the grid,
// caption placement, transparency, children's enabled states, the frame controller, the
// bottom-aligned resize, pointer events and the editor's stored description.
//
// Sections: fixture · the editor's look · other frames · grid and caption · behaviour ·
//           descriptions
#include <gtest/gtest.h>

#include <string>

#include "../framework/control_tree_fixture.h"
#include "controls/vt_blink.h"
#include "controls/vt_classes.h"
#include "controls/vt_draw.h"
#include "controls/vt_line.h"
#include "controls/vt_panel.h"
#include "framework/core/streaming.h"
#include "framework/core/typinfo.h"

namespace {

// ---------------------------------------------------------------- fixture

constexpr TColor kPanelColor = 6173981;            // RGB(29, 53, 94)
constexpr TColor kLightFlat = RGB(201, 198, 188);  // clBtnShadow (172, 168, 153) lightened by 30
constexpr TColor kDarkFlat = RGB(144, 139, 118);   // ... darkened by 30

class VtPanelTest : public ControlTreeTest {
protected:
    void SetUp() override {
        ControlTreeTest::SetUp();
        Form->SetClientWidth(360);
        Form->SetClientHeight(140);
    }
    // A panel set up as the editor's nine page panels.
    TVtPanel* PagePanel(TRect bounds) {
        auto* p = new TVtPanel(Form);
        p->SetName("VtPanel1");
        p->SetBoundsRect(bounds);
        p->SetBorderOuter(fsNone);
        p->SetBorderInner(fsFlat);
        p->SetBorderWidth(1);
        p->SetBorderColor(clBlack);
        p->SetBorderHighlight(13209);
        p->SetBorderShadow(clGreen);
        p->SetColor(kPanelColor);
        p->SetParent(Form);
        return p;
    }
    // A pixel of the panel in its own coordinates.
    TColor At(const TControl* p, int x, int y) { return ScreenPixel(p->Left() + x, p->Top() + y); }
};

// ---------------------------------------------------------------- the editor's look

TEST_F(VtPanelTest, TheEditorsPagePanelRingByRing) {
    EXPECT_EQ(LightenColor(clBtnShadow, 30), kLightFlat);
    TVtPanel* p = PagePanel(Bounds(16, 16, 313, 89));
    ShowForm();
    const int W = 313, H = 89;
    for (int x = 0; x < W; ++x) {
        ASSERT_EQ(At(p, x, 0), clBlack) << x;
        ASSERT_EQ(At(p, x, H - 1), clBlack) << x;
        if (x >= 1 && x <= W - 2) {
            ASSERT_EQ(At(p, x, 1), kLightFlat) << x;
            ASSERT_EQ(At(p, x, H - 2), kLightFlat) << x;
        }
    }
    for (int y = 0; y < H; ++y) {
        ASSERT_EQ(At(p, 0, y), clBlack) << y;
        ASSERT_EQ(At(p, W - 1, y), clBlack) << y;
        if (y >= 1 && y <= H - 2) {
            ASSERT_EQ(At(p, 1, y), kLightFlat) << y;
            ASSERT_EQ(At(p, W - 2, y), kLightFlat) << y;
        }
    }
    EXPECT_EQ(At(p, 2, 2), kPanelColor);
    EXPECT_EQ(At(p, 310, 86), kPanelColor);
    EXPECT_EQ(At(p, 150, 40), kPanelColor);
    EXPECT_EQ(ScreenPixel(15, 15), clWhite);  // nothing outside the bounds

    // The whole client area is the fill.
    TProbeBox* child = Box("Child", p, Rect(0, 0, 10, 10));
    child->SetAlign(alClient);
    EXPECT_EQ(child->BoundsRect(), Rect(2, 2, 311, 87));
    App->ProcessMessages();
    EXPECT_EQ(At(p, 2, 2), clRed);
    EXPECT_EQ(At(p, 310, 86), clRed);
    EXPECT_EQ(At(p, 1, 1), kLightFlat);
    EXPECT_EQ(At(p, 311, 87), kLightFlat);
}

TEST_F(VtPanelTest, DefaultsAndConstruction) {
    TVtPanel p(nullptr);
    EXPECT_EQ(p.BorderOuter(), fsRaised);
    EXPECT_EQ(p.BorderInner(), fsNone);
    EXPECT_EQ(p.BorderSides(), AllSides);
    EXPECT_EQ(p.BorderWidth(), 0);
    EXPECT_EQ(p.BorderColor(), clBtnFace);
    EXPECT_EQ(p.FlatColor(), clBtnShadow);
    EXPECT_EQ(p.FlatColorAdjustment(), 30);
    EXPECT_EQ(p.Color(), clBtnFace);
    EXPECT_EQ(p.GridXSize(), 8);
    EXPECT_EQ(p.GradientDirection(), gdHorizontalEnd);
    EXPECT_TRUE(p.UseDockManager());
    EXPECT_EQ(p.BevelOuter(), bvNone);  // the framework's bevels are off
    EXPECT_TRUE(p.ControlStyle().Contains(csOpaque));
    EXPECT_FALSE(p.ControlStyle().Contains(csSetCaption));
    p.SetName("Named");
    EXPECT_EQ(p.Caption(), "");
}

// ---------------------------------------------------------------- other frames

TEST_F(VtPanelTest, OnlyTheTopSideFramedFillsTheFullWidth) {
    TVtPanel* p = PagePanel(Bounds(10, 10, 100, 40));
    p->SetBorderSides(TSides{sdTop});
    TProbeBox* child = Box("Child", p, Rect(0, 0, 5, 5));
    child->SetAlign(alClient);
    child->SetVisible(false);
    ShowForm();
    for (int x : {0, 50, 99}) {
        EXPECT_EQ(At(p, x, 0), clBlack) << x;
        EXPECT_EQ(At(p, x, 1), kLightFlat) << x;
        EXPECT_EQ(At(p, x, 2), kPanelColor) << x;
        EXPECT_EQ(At(p, x, 39), kPanelColor) << x;
    }
    // The border width still counts on every side; the frames only on the top.
    child->SetVisible(true);
    EXPECT_EQ(child->BoundsRect(), Rect(1, 2, 99, 39));
}

TEST_F(VtPanelTest, FlatColorAdjustmentShiftsTheFlatFrame) {
    TVtPanel* p = PagePanel(Bounds(10, 10, 60, 30));
    p->SetFlatColorAdjustment(0);
    ShowForm();
    EXPECT_EQ(At(p, 1, 1), ColorToRGB(clBtnShadow));
    p->SetFlatColorAdjustment(-30);
    App->ProcessMessages();
    EXPECT_EQ(At(p, 1, 1), kDarkFlat);
    EXPECT_EQ(At(p, 58, 28), kDarkFlat);
    p->SetFlatColor(clRed);
    p->SetFlatColorAdjustment(0);
    App->ProcessMessages();
    EXPECT_EQ(At(p, 30, 28), clRed);
}

TEST_F(VtPanelTest, RaisedOuterBandAndStatusInnerWithBevelWidth) {
    auto* p = new TVtPanel(Form);
    p->SetBounds(10, 10, 80, 50);
    p->SetBorderWidth(2);
    p->SetBorderColor(clRed);
    p->SetBorderInner(fsStatus);
    p->SetBevelWidth(2);
    p->SetBorderHighlight(clYellow);
    p->SetBorderShadow(clNavy);
    p->SetColor(clLime);
    p->SetParent(Form);
    TProbeBox* child = Box("Child", p, Rect(0, 0, 5, 5), clBlue);
    child->SetAlign(alClient);
    // 2 (raised) + 2 (border) + 2 (status, two lines) on every side.
    EXPECT_EQ(child->BoundsRect(), Rect(6, 6, 74, 44));
    child->SetVisible(false);
    ShowForm();
    EXPECT_EQ(At(p, 0, 0), ColorToRGB(cl3DLight));
    EXPECT_EQ(At(p, 79, 49), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(At(p, 1, 1), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(At(p, 78, 48), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(p, 2, 20), clRed);
    EXPECT_EQ(At(p, 3, 20), clRed);
    EXPECT_EQ(At(p, 4, 20), clNavy);  // status: shadow on the upper left
    EXPECT_EQ(At(p, 5, 20), clNavy);
    EXPECT_EQ(At(p, 75, 20), clYellow);  // highlight on the lower right
    EXPECT_EQ(At(p, 74, 20), clYellow);
    EXPECT_EQ(At(p, 6, 6), clLime);
    // Switching the outer frame off re-aligns the child at once.
    child->SetVisible(true);
    p->SetBorderOuter(fsNone);
    EXPECT_EQ(child->BoundsRect(), Rect(4, 4, 76, 46));
}

TEST_F(VtPanelTest, DockSiteReportsTheClientRectangleInsideTheFrames) {
    TVtPanel* p = PagePanel(Bounds(10, 10, 100, 40));
    EXPECT_EQ(p->ClientRect(), Rect(1, 1, 99, 39));
    p->SetDockSite(true);
    EXPECT_EQ(p->ClientRect(), Rect(2, 2, 98, 38));
}

TEST_F(VtPanelTest, FramesWiderThanThePanelFillNothing) {
    TVtPanel* p = PagePanel(Bounds(10, 10, 6, 6));
    p->SetBorderWidth(4);
    int paints = 0;
    p->OnPaint = [&paints](TObject*) { ++paints; };
    ShowForm();
    EXPECT_GE(paints, 1);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) ASSERT_NE(At(p, x, y), kPanelColor) << x << "," << y;
}

TEST_F(VtPanelTest, TransparentShowsTheParentInsideTheFrames) {
    Glyph("Behind", Form, Rect(20, 20, 60, 40), clBlue);
    TVtPanel* p = PagePanel(Bounds(10, 10, 100, 50));
    p->SetTransparent(true);
    EXPECT_FALSE(p->ControlStyle().Contains(csOpaque));
    ShowForm();
    EXPECT_EQ(At(p, 0, 0), clBlack);
    EXPECT_EQ(At(p, 1, 10), kLightFlat);
    EXPECT_EQ(At(p, 20, 15), clBlue);   // (30, 25) on the form: the glyph
    EXPECT_EQ(At(p, 80, 40), clWhite);  // the form's own colour
    p->SetTransparent(false);
    EXPECT_TRUE(p->ControlStyle().Contains(csOpaque));
    App->ProcessMessages();
    EXPECT_EQ(At(p, 20, 15), kPanelColor);
}

// ---------------------------------------------------------------- grid and caption

TEST_F(VtPanelTest, GridStylesInTheFill) {
    auto* p = new TVtPanel(Form);
    p->SetBounds(10, 10, 20, 14);
    p->SetBorderOuter(fsNone);
    p->SetColor(clWhite);
    p->SetShowGrid(true);
    p->SetGridColor(clRed);
    p->SetGridXSize(4);
    p->SetGridYSize(5);
    p->SetParent(Form);
    ShowForm();
    // Dots at (4i - 1, 5j - 1): nx = 5, ny = 2.
    EXPECT_EQ(At(p, 3, 4), clRed);
    EXPECT_EQ(At(p, 19, 9), clRed);
    EXPECT_EQ(At(p, 3, 5), clWhite);
    EXPECT_EQ(At(p, 3, 13), clWhite);  // no third row: 14 div 5 = 2
    EXPECT_EQ(At(p, 4, 4), clWhite);

    p->SetGridStyle(gsSolidLines);
    App->ProcessMessages();
    for (int y = 0; y < 14; ++y) EXPECT_EQ(At(p, 7, y), clRed) << y;
    for (int x = 0; x < 20; ++x) EXPECT_EQ(At(p, x, 9), clRed) << x;
    EXPECT_EQ(At(p, 8, 0), clWhite);

    p->SetGridStyle(gsDottedLines);
    App->ProcessMessages();
    EXPECT_EQ(At(p, 7, 0), clWhite);  // every second pixel from one after the start
    EXPECT_EQ(At(p, 7, 1), clRed);
    EXPECT_EQ(At(p, 7, 2), clWhite);
    EXPECT_EQ(At(p, 0, 4), clWhite);
    EXPECT_EQ(At(p, 1, 4), clRed);

    p->SetGridXSize(0);  // no vertical lines at all
    App->ProcessMessages();
    EXPECT_EQ(At(p, 7, 1), clWhite);
    EXPECT_EQ(At(p, 1, 4), clRed);
}

TEST_F(VtPanelTest, CaptionFollowsTheVerticalAlignment) {
    auto* p = new TVtPanel(Form);
    p->SetBounds(10, 10, 120, 60);
    p->SetBorderOuter(fsNone);
    p->SetColor(clWhite);
    p->Font()->SetName("Tahoma");
    p->Font()->SetHeight(-11);
    p->Font()->SetColor(clBlack);
    p->SetCaption("Caption");
    p->SetParent(Form);
    // The first and last rows of the panel that hold caption ink.
    auto inkRows = [&](int& first, int& last) {
        first = -1;
        last = -1;
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 120; ++x)
                if (At(p, x, y) != clWhite) {
                    if (first < 0) first = y;
                    last = y;
                    break;
                }
    };
    int first = 0, last = 0;
    p->SetAlignmentVertical(avTop);
    ShowForm();
    inkRows(first, last);
    EXPECT_GE(first, 0);
    EXPECT_LT(last, 14);  // within the first text line
    p->SetAlignmentVertical(avBottom);
    App->ProcessMessages();
    inkRows(first, last);
    EXPECT_GT(first, 44);
    EXPECT_LE(last, 58);  // one pixel above the bottom
    p->SetAlignmentVertical(avCenter);
    App->ProcessMessages();
    inkRows(first, last);
    EXPECT_GT(first, 20);
    EXPECT_LT(last, 40);
}

// ---------------------------------------------------------------- behaviour

TEST_F(VtPanelTest, DisablingRemembersWhichChildrenWereAlreadyDisabled) {
    TVtPanel* p = PagePanel(Bounds(10, 10, 200, 60));
    TProbeBox* a = Box("A", p, Rect(5, 5, 20, 20));
    TProbeBox* b = Box("B", p, Rect(25, 5, 40, 20));
    TProbeGlyph* c = Glyph("C", p, Rect(45, 5, 60, 20));
    b->SetEnabled(false);
    ShowForm();
    p->SetEnabled(false);
    EXPECT_FALSE(a->Enabled());
    EXPECT_FALSE(b->Enabled());
    EXPECT_FALSE(c->Enabled());
    p->SetEnabled(true);
    EXPECT_TRUE(a->Enabled());
    EXPECT_FALSE(b->Enabled());
    EXPECT_TRUE(c->Enabled());
    // A child added while the panel was disabled is not in the list and is enabled.
    p->SetEnabled(false);
    TProbeBox* d = Box("D", p, Rect(65, 5, 80, 20));
    d->SetEnabled(false);
    p->SetEnabled(true);
    EXPECT_TRUE(d->Enabled());
    EXPECT_FALSE(b->Enabled());
}

TEST_F(VtPanelTest, BottomAlignedPanelKeepsItsBottomEdge) {
    TVtPanel* p = PagePanel(Bounds(0, 0, 100, 30));
    p->SetAlign(alBottom);
    EXPECT_EQ(p->BoundsRect(), Rect(0, 110, 360, 140));
    p->SetHeight(50);
    EXPECT_EQ(p->BoundsRect(), Rect(0, 90, 360, 140));
    auto* r = new TVtPanel(Form);
    r->SetParent(Form);
    r->SetAlign(alRight);
    const int right = r->BoundsRect().Right;
    r->SetWidth(r->Width() + 20);
    EXPECT_EQ(r->BoundsRect().Right, right);
}

TEST_F(VtPanelTest, WithoutFullRepaintTheOldFrameStripIsRedrawn) {
    TVtPanel* p = PagePanel(Bounds(10, 10, 100, 40));
    p->SetFullRepaint(false);
    ShowForm();
    // One edge at a time; the picture must come out whole at the old and the new edge.
    p->SetWidth(120);
    App->ProcessMessages();
    // The old right frame (x 98, 99) is fill now; the new one stands at the new edge.
    EXPECT_EQ(At(p, 98, 20), kPanelColor);
    EXPECT_EQ(At(p, 99, 20), kPanelColor);
    EXPECT_EQ(At(p, 118, 20), kLightFlat);
    EXPECT_EQ(At(p, 119, 20), clBlack);
    p->SetHeight(60);
    App->ProcessMessages();
    EXPECT_EQ(At(p, 50, 38), kPanelColor);
    EXPECT_EQ(At(p, 50, 39), kPanelColor);
    EXPECT_EQ(At(p, 50, 58), kLightFlat);
    EXPECT_EQ(At(p, 50, 59), clBlack);
}

TEST_F(VtPanelTest, PointerEnterAndLeaveEvents) {
    TVtPanel* p = PagePanel(Bounds(10, 10, 100, 50));
    std::vector<std::string> seen;
    p->OnMouseEnter = [&seen](TObject*) { seen.push_back("enter"); };
    p->OnMouseLeave = [&seen](TObject*) { seen.push_back("leave"); };
    ShowForm();
    MoveTo({50, 30});
    MoveTo({200, 100});
    EXPECT_EQ(seen, (std::vector<std::string>{"enter", "leave"}));
}

TEST_F(VtPanelTest, FrameControllerPushesItsFrameAndIsForgottenWhenFreed) {
    TVtPanel* p = PagePanel(Bounds(10, 10, 100, 50));
    auto* fc = new TVtFrameController(Form);
    fc->SetFrameStyle(fsStatus);
    fc->SetFrameColor(clRed);
    fc->SetColor(clYellow);
    p->SetFrameController(fc);
    EXPECT_EQ(p->BorderOuter(), fsNone);  // FrameVisible is off: nothing is taken
    fc->SetFrameVisible(true);
    EXPECT_EQ(p->BorderOuter(), fsStatus);
    EXPECT_EQ(p->FlatColor(), clRed);
    EXPECT_EQ(p->FlatColorAdjustment(), 0);
    EXPECT_EQ(p->Color(), clYellow);
    EXPECT_EQ(p->BorderHighlight(), RGB(255, 255, 212));  // clYellow lightened by 100
    EXPECT_EQ(p->BorderShadow(), RGB(148, 149, 0));       // ... darkened by 50
    fc->SetFrameSides(TSides{sdLeft});
    EXPECT_EQ(p->BorderSides(), TSides{sdLeft});
    delete fc;
    EXPECT_EQ(p->FrameController(), nullptr);
}

// ---------------------------------------------------------------- descriptions

TEST_F(VtPanelTest, TheEditorsPanelFromItsStoredDescription) {
    RegisterControlSetClasses();
    ReadComponentText(Form,
                      "object Form: TForm\n"
                      "  object VtPanel2: TVtPanel\n"
                      "    Left = 16\n"
                      "    Top = 16\n"
                      "    Width = 313\n"
                      "    Height = 89\n"
                      "    BorderOuter = fsNone\n"
                      "    BorderInner = fsFlat\n"
                      "    BorderWidth = 1\n"
                      "    BorderColor = clBlack\n"
                      "    BorderHighlight = 13209\n"
                      "    BorderShadow = clGreen\n"
                      "    Color = 6173981\n"
                      "    FrameSides = [sdLeft, sdTop]\n"
                      "    TabOrder = 0\n"
                      "    object VtLine1: TVtLine\n"
                      "      Left = 16\n"
                      "      Top = 40\n"
                      "      Width = 280\n"
                      "      Height = 20\n"
                      "      LineColor = clWindow\n"
                      "    end\n"
                      "  end\n"
                      "end\n");
    auto* p = dynamic_cast<TVtPanel*>(Form->FindComponent("VtPanel2"));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->BorderOuter(), fsNone);
    EXPECT_EQ(p->BorderInner(), fsFlat);
    EXPECT_EQ(p->BorderSides(), AllSides);  // the older FrameSides is read and dropped
    EXPECT_EQ(p->BorderHighlight(), RGB(153, 51, 0));
    EXPECT_EQ(p->Color(), kPanelColor);
    EXPECT_EQ(p->Caption(), "");
    auto* line = dynamic_cast<TVtLine*>(Form->FindComponent("VtLine1"));
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->Parent(), p);
    EXPECT_EQ(line->EndPoint(), (TPoint{270, 10}));

    ShowForm();
    EXPECT_EQ(At(p, 312, 88), clBlack);
    EXPECT_EQ(At(p, 311, 87), kLightFlat);
    EXPECT_EQ(At(p, 100, 30), kPanelColor);
    EXPECT_EQ(At(p, 16 + 10, 40 + 10), clWhite);  // the line's first pixel
    EXPECT_EQ(At(p, 16 + 269, 40 + 10), clWhite);
    EXPECT_EQ(At(p, 16 + 270, 40 + 10), kPanelColor);

    // Written back: the frame properties, nothing of the framework's bevels or old names.
    const std::string text = WriteComponentText(Form);
    EXPECT_NE(text.find("BorderOuter = fsNone"), std::string::npos) << text;
    EXPECT_NE(text.find("BorderHighlight = 13209"), std::string::npos) << text;
    EXPECT_NE(text.find("BorderShadow = clGreen"), std::string::npos) << text;
    EXPECT_NE(text.find("LineColor = clWindow"), std::string::npos) << text;
    EXPECT_EQ(text.find("Bevel"), std::string::npos) << text;
    EXPECT_EQ(text.find("FrameSides"), std::string::npos) << text;
    EXPECT_EQ(text.find("FlatColor"), std::string::npos) << text;
    EXPECT_EQ(text.find("ArrowLength"), std::string::npos) << text;
}

// Widths beyond any surface are taken at the limit when a description sets them, so the
// frame paints (what shows of it) at once and layout sums stay integers.
TEST_F(VtPanelTest, AStoredBorderWidthOfTwoBillionPaintsLikeAnyTooWideOne) {
    RegisterControlSetClasses();
    auto panel = [](const char* name, int left, const char* width) {
        return std::string("  object ") + name + ": TVtPanel\n    Left = " + std::to_string(left) +
               "\n    Top = 10\n    Width = 40\n    Height = 30\n    BorderWidth = " + width +
               "\n    BevelWidth = " + width + "\n    BorderInner = fsStatus\n    Color = 6173981\n  end\n";
    };
    ReadComponentText(Form,
                      "object Form: TForm\n" + panel("Wide", 10, "2147483647") + panel("Narrow", 60, "50") + "end\n");
    auto* wide = dynamic_cast<TVtPanel*>(Form->FindComponent("Wide"));
    auto* narrow = dynamic_cast<TVtPanel*>(Form->FindComponent("Narrow"));
    ASSERT_NE(wide, nullptr);
    ASSERT_NE(narrow, nullptr);
    EXPECT_EQ(wide->BorderWidth(), kMaxBorderWidth);
    EXPECT_EQ(wide->BevelWidth(), kMaxBorderWidth);
    ShowForm();
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) ASSERT_EQ(At(wide, x, y), At(narrow, x, y)) << x << "," << y;
}

}  // namespace

TEST_F(VtPanelTest, TheFrameworksDockingSeesThePanelAsASite) {
    auto* p = new TVtPanel(Form);
    p->SetParent(Form);
    TWinControl* asWindow = p;
    EXPECT_TRUE(asWindow->UseDockManager());  // the panel's default, kept by the framework
    EXPECT_FALSE(asWindow->DockSite());
    p->SetDockSite(true);
    EXPECT_TRUE(asWindow->DockSite());
}
