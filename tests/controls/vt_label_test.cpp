// TVtLabel on a real headless form: the Angle and Rotation setters and how a stored
// description keeps its angle, the automatic size (shadow room, rotation, frames), where the
// copies of shadowed, raised, recessed and disabled text land (straight and rotated), the
// blink protocol on the virtual clock, hover colours, condensed captions, frame controllers.
//
// Sections: fixture and pixel helpers · setters · descriptions · automatic size ·
//           copies of the text · blinking and hover · condensing, frames, controller
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "../framework/control_tree_fixture.h"
#include "controls/vt_blink.h"
#include "controls/vt_label.h"
#include "framework/core/streaming.h"
#include "framework/core/typinfo.h"
#include "framework/graphics/bitmap.h"

namespace {

// ---------------------------------------------------------------- fixture and pixel helpers

constexpr TColor kGrey = RGB(192, 192, 192);

// The plain size of a caption in a font, measured apart from any label.
TSize PlainTextSize(const std::string& text, const std::string& face, int height, TFontStyles style = {}) {
    TBitmap scratch(1, 1);
    TCanvas canvas(&scratch);
    canvas.Font()->SetName(face);
    canvas.Font()->SetHeight(height);
    canvas.Font()->SetStyle(style);
    return {canvas.TextWidth(text), canvas.TextHeight(text)};
}

class VtLabelTest : public ControlTreeTest {
protected:
    void SetUp() override {
        ControlTreeTest::SetUp();
        Form->SetClientWidth(400);
        Form->SetClientHeight(200);
        Form->Font()->SetName("Tahoma");
        Form->Font()->SetHeight(-11);
    }
    TVtLabel* Label(const std::string& caption, int left = 20, int top = 20) {
        auto* l = new TVtLabel(Form);
        l->SetName("L" + std::to_string(++Count));
        l->SetLeft(left);
        l->SetTop(top);
        l->SetCaption(caption);
        l->SetParent(Form);
        return l;
    }
    // An opaque white label with black text: every ink pixel stands out.
    TVtLabel* InkLabel(const std::string& caption, int left = 20, int top = 20) {
        TVtLabel* l = Label(caption, left, top);
        l->SetColor(clWhite);
        l->Font()->SetColor(clBlack);
        return l;
    }
    void Settle() {
        Form->Show();
        App->ProcessMessages();
    }
    // The bounding box, in the label's coordinates, of the label's pixels that pass test.
    TRect InkBox(TControl* c, const std::function<bool(TColor)>& test) {
        TRect box{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
        for (int y = 0; y < c->Height(); ++y)
            for (int x = 0; x < c->Width(); ++x)
                if (test(ScreenPixel(c->Left() + x, c->Top() + y))) {
                    box.Left = std::min(box.Left, x);
                    box.Top = std::min(box.Top, y);
                    box.Right = std::max(box.Right, x + 1);
                    box.Bottom = std::max(box.Bottom, y + 1);
                }
        return box;
    }
    std::vector<TColor> Image(TControl* c) {
        std::vector<TColor> image;
        for (int y = 0; y < c->Height(); ++y)
            for (int x = 0; x < c->Width(); ++x) image.push_back(ScreenPixel(c->Left() + x, c->Top() + y));
        return image;
    }
    // Does image a show image b moved by (dx, dy)? Compared away from the borders.
    static bool ShowsMoved(const std::vector<TColor>& a, const std::vector<TColor>& b, int w, int h, int dx, int dy) {
        int differing = 0;
        for (int y = 4; y < h - 4; ++y)
            for (int x = 4; x < w - 4; ++x)
                if (a[y * w + x] != b[(y - dy) * w + (x - dx)]) ++differing;
        return differing == 0;
    }
    int Count = 0;
};

auto Is(TColor want) {
    return [want](TColor c) { return c == ColorToRGB(want); };
}

// ---------------------------------------------------------------- setters

TEST_F(VtLabelTest, AngleIsKeptInRangeAndSwitchesTheRotationOn) {
    TVtLabel* l = Label("Popups");
    EXPECT_EQ(l->Rotation(), roNone);
    l->SetAngle(370);
    EXPECT_EQ(l->Angle(), 10);
    EXPECT_EQ(l->Rotation(), roFlat);
    l->SetAngle(-30);
    EXPECT_EQ(l->Angle(), 330);
    l->SetRotation(roNone);
    EXPECT_EQ(l->Angle(), 0);
    l->SetAngle(90);
    EXPECT_EQ(l->Angle(), 90);
    EXPECT_EQ(l->Rotation(), roFlat);
    // Tahoma is an outline face: the font stays.
    EXPECT_EQ(l->Font()->Name(), "Tahoma");
}

TEST_F(VtLabelTest, ChoosingFlatRotationStartsFromAngleZeroAndTheCentre) {
    TVtLabel* l = Label("Curve");
    l->SetRotation(roCurve);
    l->SetAngle(45);
    l->SetCenterPoint(cpUpperLeft);
    EXPECT_EQ(l->Rotation(), roCurve);
    EXPECT_EQ(l->Angle(), 45);
    l->SetRotation(roFlat);
    EXPECT_EQ(l->Angle(), 0);
    EXPECT_EQ(l->CenterPoint(), cpCenter);
    // Already flat: no change, the angle stays.
    l->SetAngle(45);
    l->SetRotation(roFlat);
    EXPECT_EQ(l->Angle(), 45);
}

TEST_F(VtLabelTest, ColourFollowsTheParentUntilSet) {
    TVtLabel* l = new TVtLabel(Form);
    EXPECT_EQ(l->Color(), clBtnFace);
    EXPECT_TRUE(l->ParentColor());
    l->SetParent(Form);
    EXPECT_EQ(l->Color(), clWhite);
    l->SetColor(clNavy);
    EXPECT_FALSE(l->ParentColor());
}

// ---------------------------------------------------------------- descriptions

TEST_F(VtLabelTest, AStoredAngleSurvivesTheRotationThatFollowsIt) {
    ReadComponentText(Form,
                      "object Form: TForm\n"
                      "  object VtLabel2: TVtLabel\n"
                      "    Left = 24\n"
                      "    Top = 0\n"
                      "    Width = 262\n"
                      "    Height = 75\n"
                      "    Caption = 'Verbolt Editor v1.0'\n"
                      "    Font.Color = clWindowText\n"
                      "    Font.Height = -27\n"
                      "    Font.Name = 'Tahoma'\n"
                      "    Font.Style = [fsBold, fsItalic, fsUnderline]\n"
                      "    ParentFont = False\n"
                      "    Transparent = True\n"
                      "    TextStyle = tsShadow\n"
                      "    ShadowDepth = 5\n"
                      "    LightTextStyle = True\n"
                      "    Angle = 9\n"
                      "    Rotation = roFlat\n"
                      "    FrameSides = [sdLeft, sdTop]\n"
                      "  end\n"
                      "end\n");
    auto* title = dynamic_cast<TVtLabel*>(Form->FindComponent("VtLabel2"));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->Angle(), 9);
    EXPECT_EQ(title->Rotation(), roFlat);
    EXPECT_EQ(title->NormalTextColor(), clWindowText);
    EXPECT_EQ(title->CurrentTextColor(), clWindowText);
    // Sized after loading: the measured text plus half the shadow, turned by 9 degrees.
    const TSize text = PlainTextSize("Verbolt Editor v1.0", "Tahoma", -27, {fsBold, fsItalic, fsUnderline});
    const double t = 9 * std::numbers::pi / 180;
    EXPECT_EQ(title->Width(), std::lround(std::cos(t) * (text.cx + 2) + std::sin(t) * (text.cy + 2)));
    EXPECT_EQ(title->Height(), std::lround(std::sin(t) * (text.cx + 2) + std::cos(t) * (text.cy + 2)));

    const std::string all = WriteComponentText(Form);
    const std::string written = all.substr(all.find("object VtLabel2"));
    const auto angle = written.find("Angle = 9"), rotation = written.find("Rotation = roFlat");
    ASSERT_NE(angle, std::string::npos) << written;
    ASSERT_NE(rotation, std::string::npos) << written;
    EXPECT_LT(angle, rotation);
    EXPECT_EQ(written.find("FrameSides"), std::string::npos);
    EXPECT_EQ(written.find("ParentColor"), std::string::npos) << written;  // true, the default
    EXPECT_EQ(written.find(" Color = "), std::string::npos);
}

// ---------------------------------------------------------------- automatic size

TEST_F(VtLabelTest, AutomaticSizeMakesRoomForShadowRotationAndFrames) {
    const TSize text = PlainTextSize("Popups", "Tahoma", -11, {fsBold});
    TVtLabel* l = Label("Popups");
    l->Font()->SetStyle({fsBold});
    EXPECT_EQ(l->Width(), text.cx);
    EXPECT_EQ(l->Height(), text.cy);
    // Straight shadowed text: the full depth both ways (once the size is measured again).
    l->SetTextStyle(tsShadow);
    l->SetShadowDepth(5);
    l->SetCaption("Popups!");
    l->SetCaption("Popups");
    EXPECT_EQ(l->Width(), text.cx + 5);
    EXPECT_EQ(l->Height(), text.cy + 5);
    // Flat at 0 degrees: no room for the shadow.
    l->SetRotation(roFlat);
    l->SetAngle(1);
    l->SetAngle(0);
    EXPECT_EQ(l->Width(), text.cx);
    EXPECT_EQ(l->Height(), text.cy);
    // At 90 degrees width and height swap (with half the shadow depth added first).
    l->SetAngle(90);
    EXPECT_EQ(l->Width(), text.cy + 2);
    EXPECT_EQ(l->Height(), text.cx + 2);

    // The editor's vertical caption: 13 wide, as tall as its text is wide.
    TVtLabel* popups = Label("Popups", 100, 20);
    popups->Font()->SetStyle({fsBold});
    popups->SetAngle(90);
    EXPECT_EQ(popups->Width(), 13);
    EXPECT_EQ(popups->Height(), text.cx);

    // Frames on all sides: outer fsStatus of bevel 2, band 1, inner fsFlat.
    TVtLabel* framed = Label("Popups", 200, 20);
    framed->Font()->SetStyle({fsBold});
    framed->SetBorderOuter(fsStatus);
    framed->SetBevelWidth(2);
    framed->SetBorderWidth(1);
    framed->SetBorderInner(fsFlat);
    EXPECT_EQ(framed->TextArea(), Rect(4, 4, framed->Width() - 4, framed->Height() - 4));
    framed->SetCaption("Popup");
    framed->SetCaption("Popups");
    EXPECT_EQ(framed->Width(), text.cx + 8);
    EXPECT_EQ(framed->Height(), text.cy + 8);
    // A right-aligned label keeps its right edge.
    framed->SetAlignment(taRightJustify);
    const int right = framed->Left() + framed->Width();
    framed->SetCaption("Popups, more");
    EXPECT_EQ(framed->Left() + framed->Width(), right);
}

// ---------------------------------------------------------------- copies of the text

TEST_F(VtLabelTest, StraightShadowLiesShadowDepthRightAndBelow) {
    TVtLabel* l = InkLabel("Shadow");
    l->SetTextStyle(tsShadow);
    l->SetShadowDepth(5);
    l->SetShadowColor(clRed);
    l->SetCaption("Shadow text");
    Settle();
    const TSize text = PlainTextSize("Shadow text", "Tahoma", -11);
    EXPECT_EQ(l->Width(), text.cx + 5);
    const TRect ink = InkBox(l, Is(clBlack));
    const TRect shadow = InkBox(l, Is(clRed));
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_EQ(shadow.Right, ink.Right + 5);
    EXPECT_EQ(shadow.Bottom, ink.Bottom + 5);
    EXPECT_LE(shadow.Left, ink.Left + 5);
}

TEST_F(VtLabelTest, LayoutPlacesStraightTextAndKeepsTheShadowInside) {
    const int h = PlainTextSize("Layout", "Tahoma", -11).cy;
    auto make = [this](int left, TTextLayout layout) {
        TVtLabel* l = InkLabel("Layout", left, 20);
        l->SetAutoSize(false);
        l->SetBounds(left, 20, 60, 40);
        l->SetLayout(layout);
        l->SetTextStyle(tsShadow);
        l->SetShadowDepth(3);
        l->SetShadowColor(clRed);
        return l;
    };
    TVtLabel* top = make(20, tlTop);
    TVtLabel* centre = make(100, tlCenter);
    TVtLabel* bottom = make(180, tlBottom);
    Settle();
    const int inkTop = InkBox(top, Is(clBlack)).Bottom;
    EXPECT_EQ(InkBox(centre, Is(clBlack)).Bottom, inkTop + (40 - h) / 2);
    EXPECT_EQ(InkBox(bottom, Is(clBlack)).Bottom, inkTop + 40 - h - 3);
    EXPECT_EQ(InkBox(bottom, Is(clRed)).Bottom, inkTop + 40 - h);
}

TEST_F(VtLabelTest, CurvedTextDrawsItsCharactersAroundTheCentre) {
    TVtLabel* l = InkLabel("Curve");
    l->SetAutoSize(false);
    l->SetBounds(20, 20, 120, 120);
    l->SetRotation(roCurve);
    l->SetAngle(60);
    Settle();
    // Starting 60 degrees left of the top and walking clockwise over it.
    const TRect ink = InkBox(l, Is(clBlack));
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_LT(ink.Left, 40);
    EXPECT_LT(ink.Bottom, 60);
    // No radius to walk along: nothing but the fill.
    l->SetCenterPoint(cpUpperCenter);
    l->SetBorderWidth(40);
    Settle();
    EXPECT_TRUE(InkBox(l, Is(clBlack)).IsEmpty());
}

TEST_F(VtLabelTest, RotatedShadowCopiesStraddleTheAnchor) {
    // Three labels of one size at 9 degrees: plain, shadow copy only, main copy only.
    auto make = [this](int top, TTextStyle style) {
        TVtLabel* l = InkLabel("Verbolt", 20, top);
        l->SetAutoSize(false);
        l->SetBounds(20, top, 90, 40);
        l->Font()->SetHeight(-20);
        l->SetTextStyle(style);
        l->SetShadowDepth(5);
        l->SetAngle(9);
        return l;
    };
    TVtLabel* plain = make(10, tsNormal);
    TVtLabel* shadowOnly = make(60, tsShadow);
    shadowOnly->Font()->SetColor(clNone);
    shadowOnly->SetShadowColor(clBlack);
    TVtLabel* mainOnly = make(110, tsShadow);
    mainOnly->SetShadowColor(clNone);
    Settle();
    const auto p = Image(plain), s = Image(shadowOnly), m = Image(mainOnly);
    EXPECT_TRUE(ShowsMoved(m, p, 90, 40, -2, -2));  // main copy 2 up and left of the anchor
    EXPECT_TRUE(ShowsMoved(s, p, 90, 40, 2, 2));
    EXPECT_TRUE(ShowsMoved(s, m, 90, 40, 4, 4));  // the copies 2 × half apart
}

TEST_F(VtLabelTest, LightTextStyleDrawsOnlyTheHighlightCopy) {
    auto make = [this](int top, TTextStyle style, bool light) {
        TVtLabel* l = InkLabel("Raised text", 20, top);
        l->SetAutoSize(false);
        l->SetBounds(20, top, 100, 20);
        l->SetAlignment(taCenter);
        l->SetTextStyle(style);
        l->SetLightTextStyle(light);
        l->SetHighlightColor(clRed);
        l->SetShadowColor(clBlue);
        return l;
    };
    TVtLabel* raised = make(10, tsRaised, true);
    TVtLabel* recessed = make(40, tsRecessed, true);
    TVtLabel* both = make(70, tsRaised, false);
    Settle();
    const TRect ink = InkBox(raised, Is(clBlack));
    const TRect up = InkBox(raised, Is(clRed));
    EXPECT_TRUE(InkBox(raised, Is(clBlue)).IsEmpty());
    EXPECT_EQ(up.Left, ink.Left - 1);
    EXPECT_EQ(up.Top, ink.Top - 1);
    const TRect down = InkBox(recessed, Is(clRed));
    EXPECT_TRUE(InkBox(recessed, Is(clBlue)).IsEmpty());
    EXPECT_EQ(down.Right, InkBox(recessed, Is(clBlack)).Right + 1);
    EXPECT_EQ(down.Bottom, InkBox(recessed, Is(clBlack)).Bottom + 1);
    // Without LightTextStyle raised text has its dark copy below right as well.
    EXPECT_EQ(InkBox(both, Is(clBlue)).Right, InkBox(both, Is(clBlack)).Right + 1);
    EXPECT_EQ(InkBox(both, Is(clRed)).Left, InkBox(both, Is(clBlack)).Left - 1);
}

TEST_F(VtLabelTest, DisabledRotatedTextIsEmbossedWhateverItsStyle) {
    // At angle 0 the flat path draws crisp glyphs, so the two copies compare exactly.
    TVtLabel* flat = Label("Read Only", 20, 10);
    flat->SetAutoSize(false);
    flat->SetBounds(20, 10, 100, 20);
    flat->SetAlignment(taCenter);
    flat->SetColor(kGrey);
    flat->SetRotation(roFlat);
    flat->SetTextStyle(tsShadow);
    flat->SetShadowColor(clRed);
    flat->SetEnabled(false);
    TVtLabel* turned = Label("Read Only", 20, 40);
    turned->SetColor(kGrey);
    turned->Font()->SetHeight(-20);
    turned->SetTextStyle(tsRaised);
    turned->SetHighlightColor(clRed);
    turned->SetShadowColor(clRed);
    turned->SetAngle(30);
    turned->SetEnabled(false);
    Settle();
    const TRect highlight = InkBox(flat, Is(clBtnHighlight));
    const TRect shadow = InkBox(flat, Is(clBtnShadow));
    ASSERT_FALSE(shadow.IsEmpty());
    EXPECT_EQ(highlight.Right, shadow.Right + 1);
    EXPECT_EQ(highlight.Bottom, shadow.Bottom + 1);
    EXPECT_TRUE(InkBox(flat, Is(clRed)).IsEmpty());
    auto reddish = [](TColor c) { return GetRValue(c) > GetGValue(c) + 40; };
    EXPECT_TRUE(InkBox(turned, reddish).IsEmpty());
    EXPECT_FALSE(InkBox(turned, Is(clBtnHighlight)).IsEmpty());
}

// ---------------------------------------------------------------- blinking and hover

TEST_F(VtLabelTest, BlinkingAlternatesTheTextColourOnTheBlinkClock) {
    TVtLabel* blinker = InkLabel("Blink", 20, 10);
    blinker->SetBlinking(true);
    blinker->SetBlinkColor(clRed);
    TVtLabel* steady = InkLabel("Steady", 20, 40);
    Settle();
    EXPECT_EQ(blinker->Perform(BlinkQueryMessage), 1);
    EXPECT_EQ(steady->Perform(BlinkQueryMessage), 0);
    TVtBlinkingControlsList* list = TVtBlinkingControlsList::Instance();
    ASSERT_NE(list, nullptr);
    std::vector<std::pair<int64_t, TColor>> seen;
    while (seen.size() < 3) {
        const uint8_t phase = list->Phase();
        App->HandleMessage();
        if (list->Phase() == phase) continue;
        App->ProcessMessages();
        seen.push_back({Platform().NowMs(), blinker->CurrentTextColor()});
        EXPECT_EQ(steady->CurrentTextColor(), clBlack);
        EXPECT_EQ(InkBox(blinker, Is(clRed)).IsEmpty(), blinker->CurrentTextColor() != clRed);
        EXPECT_TRUE(InkBox(steady, Is(clRed)).IsEmpty());
    }
    const std::vector<std::pair<int64_t, TColor>> want = {{500, clBlack}, {1000, clRed}, {1500, clBlack}};
    EXPECT_EQ(seen, want);
    // Switched off in an on phase: the font colour is back at once.
    while (list->Phase() != 1) App->HandleMessage();
    EXPECT_EQ(blinker->CurrentTextColor(), clRed);
    blinker->SetBlinking(false);
    EXPECT_EQ(blinker->CurrentTextColor(), clBlack);
    EXPECT_TRUE(InkBox(blinker, Is(clRed)).IsEmpty());
    // The intervals are the list's, for every label.
    steady->SetBlinkIntervalOn(300);
    EXPECT_EQ(blinker->BlinkIntervalOn(), 300);
    EXPECT_EQ(list->IntervalOn(), 300);
}

TEST_F(VtLabelTest, FlyByColourHoldsWhileThePointerIsOver) {
    TVtLabel* l = InkLabel("Hover me");
    l->SetFlyByEnabled(true);
    l->SetFlyByColor(clRed);
    std::vector<std::string> events;
    l->OnMouseEnter = [&](TObject*) { events.push_back("enter"); };
    l->OnMouseLeave = [&](TObject*) { events.push_back("leave"); };
    Settle();
    MoveTo({l->Left() + 2, l->Top() + 2});
    EXPECT_EQ(l->Font()->Color(), clRed);
    EXPECT_EQ(l->CurrentTextColor(), clRed);
    MoveTo({350, 180});
    EXPECT_EQ(l->Font()->Color(), clBlack);
    EXPECT_EQ(l->CurrentTextColor(), clBlack);
    EXPECT_EQ(events, (std::vector<std::string>{"enter", "leave"}));
    // Switched off during a hover: the saved colour comes back; outside one nothing changes.
    MoveTo({l->Left() + 2, l->Top() + 2});
    l->SetFlyByEnabled(false);
    EXPECT_EQ(l->Font()->Color(), clBlack);
    l->Font()->SetColor(clGreen);
    l->SetFlyByEnabled(true);
    l->SetFlyByEnabled(false);
    EXPECT_EQ(l->Font()->Color(), clGreen);
}

// ---------------------------------------------------------------- condensing, frames, controller

TEST_F(VtLabelTest, CondensedCaptionEndsInAnEllipsis) {
    const std::string caption = "Register in the forum if you don't have an id";
    TVtLabel* l = InkLabel(caption);
    l->SetCondenseCaption(ccAtEnd);
    EXPECT_FALSE(l->AutoSize());
    l->SetWidth(80);
    Settle();
    const TRect ink = InkBox(l, Is(clBlack));
    ASSERT_FALSE(ink.IsEmpty());
    // The last columns with ink hold dots on the baseline only: three runs of them.
    const int baseline = ink.Bottom - 2;  // Tahoma's descent at 11 pixels
    int runs = 0, x = ink.Right - 1;
    for (; x >= ink.Left && runs < 3; --x) {
        bool any = false, high = false;
        for (int y = ink.Top; y < ink.Bottom; ++y)
            if (ScreenPixel(l->Left() + x, l->Top() + y) == ColorToRGB(clBlack)) {
                any = true;
                if (y < baseline - 2) high = true;
            }
        if (!any) continue;
        ASSERT_FALSE(high) << "letter ink at column " << x;
        ++runs;
        while (x > ink.Left && [&] {
            for (int y = ink.Top; y < ink.Bottom; ++y)
                if (ScreenPixel(l->Left() + x - 1, l->Top() + y) == ColorToRGB(clBlack)) return true;
            return false;
        }())
            --x;
    }
    EXPECT_EQ(runs, 3);
}

TEST_F(VtLabelTest, FramesAndFillSurroundTheText) {
    TVtLabel* l = InkLabel("Framed");
    l->SetBorderWidth(1);
    l->SetBorderColor(clNavy);
    l->SetBorderInner(fsFlat);
    l->SetCaption("Framed.");
    Settle();
    const TColor flat = RGB(201, 198, 188);  // clBtnShadow (172, 168, 153) lightened by 30
    EXPECT_EQ(ScreenPixel(l->Left(), l->Top()), ColorToRGB(clNavy));
    EXPECT_EQ(ScreenPixel(l->Left() + 1, l->Top() + 1), flat);
    EXPECT_EQ(ScreenPixel(l->Left() + l->Width() - 2, l->Top() + l->Height() - 2), flat);
    EXPECT_EQ(ScreenPixel(l->Left() + 2, l->Top() + 2), ColorToRGB(clWhite));
    // Text starts inside the frames.
    const TRect ink = InkBox(l, Is(clBlack));
    EXPECT_EQ(ink.Left, 2);
    EXPECT_EQ(l->Width(), PlainTextSize("Framed.", "Tahoma", -11).cx + 4);
}

TEST_F(VtLabelTest, AFrameControllerSetsTheOuterFrameWhenVisible) {
    auto* controller = new TVtFrameController(Form);
    TVtLabel* l = Label("Controlled");
    l->SetFrameController(controller);
    EXPECT_EQ(l->BorderOuter(), fsNone);  // FrameVisible is false
    controller->SetColor(clNavy);
    controller->SetFrameVisible(true);
    EXPECT_EQ(l->BorderOuter(), fsFlat);
    EXPECT_EQ(l->FlatColor(), clBtnShadow);
    EXPECT_EQ(l->FlatColorAdjustment(), 0);
    EXPECT_EQ(l->Color(), clNavy);
    EXPECT_EQ(l->BorderHighlight(), RGB(88, 85, 255));  // clNavy lightened by 100
    EXPECT_EQ(l->BorderShadow(), RGB(0, 0, 21));        // ... darkened by 50
    delete controller;
    EXPECT_EQ(l->FrameController(), nullptr);
}

}  // namespace
