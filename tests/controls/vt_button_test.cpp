// TVtButton on a real headless form: the faces of the hot-tracking look pixel by pixel
// against the colour list of the window's buttons, the caption's place, the classic look's
// frame, and the behaviour: press cycle with capture, Space, Enter / Escape, accelerators,
// ActiveDefault, disabling, groups and the stored description.
//
// Sections: fixture and reference faces · hot-tracking faces · caption · classic look ·
//           press cycle · keyboard · default and focus · groups · descriptions
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>

#include "controls/vt_button.h"
#include "controls/vt_draw.h"
#include "framework/core/streaming.h"
#include "framework/core/sysutils.h"
#include "framework/core/typinfo.h"
#include "framework/graphics/bitmap.h"
#include "framework/platform/headless/headless_platform.h"
#include "framework/ui/forms.h"
#include "tests/support/headless_fixture.h"

namespace {

// ---------------------------------------------------------------- fixture and reference faces

constexpr TColor kFormColor = RGB(10, 200, 30);  // shows through the cut corners
constexpr TColor kButtonColor = 15791348;        // RGB(244, 244, 240)
constexpr int W = 75;
constexpr int H = 25;

// A focusable control that wants nothing: a phrase field's stand-in.
class TFocusSink : public TCustomControl {
public:
    explicit TFocusSink(TComponent* owner) : TCustomControl(owner) {
        SetTabStop(true);
        SetColor(clWhite);
    }
};

class VtButtonTest : public HeadlessFixture<> {
public:
    void SetUp() override {
        HeadlessFixture::SetUp();
        Form->SetName("Form");
        Form->SetColor(kFormColor);
        Form->SetBorderStyle(bsSingle);
        Form->SetClientWidth(240);
        Form->SetClientHeight(120);
        Form->Font()->SetName("Tahoma");
        Form->Font()->SetHeight(-11);
        // First in tab order, so the window starts with the focus away from the buttons.
        Sink = new TFocusSink(Form);
        Sink->SetName("Sink");
        Sink->SetBounds(180, 80, 40, 20);
        Sink->SetParent(Form);
    }

    // A button as the window's buttons are set up.
    TVtButton* Button(const std::string& name, int left, int top, TColor color = kButtonColor,
                      const std::string& caption = "Create") {
        auto* b = new TVtButton(Form);
        b->SetName(name);
        b->SetLeft(left);
        b->SetTop(top);
        b->SetHotTrack(true);
        b->SetHighlightColor(16026986);
        b->SetHotTrackColor(3983359);
        if (color != clBtnFace) b->SetColor(color);
        b->SetCaption(caption);
        b->SetParent(Form);
        b->OnClick = [this, b](TObject*) { Clicks.push_back(b->Name()); };
        return b;
    }
    void Show() {
        Form->Show();
        Settle();
    }
    // A point inside the button, in form coordinates.
    static TPoint At(TVtButton* b, int x, int y) { return {b->Left() + x, b->Top() + y}; }

    TFocusSink* Sink = nullptr;
    std::vector<std::string> Clicks;
};

// The expected 75 × 25 face, built from the description's pixel rules with literal colours
// (ranges inclusive, as the rules state them), starting from the form's colour.
class Face {
public:
    Face() : Bitmap(std::make_unique<TBitmap>(W, H)) { Fill(0, 0, W - 1, H - 1, kFormColor); }
    void Set(int x, int y, TColor c) { Bitmap->Canvas()->SetPixels(x, y, c); }
    void Fill(int x1, int y1, int x2, int y2, TColor c) {
        for (int y = y1; y <= y2; ++y)
            for (int x = x1; x <= x2; ++x) Set(x, y, c);
    }
    void Rim(TColor a, TColor z) {
        Fill(0, 2, 0, H - 3, a);
        Fill(2, 0, W - 3, 0, a);
        Fill(W - 1, 2, W - 1, H - 3, z);
        Fill(2, H - 1, W - 3, H - 1, z);
        Set(1, 1, a);
        Set(W - 2, 1, a);
        Set(1, H - 2, a);
        Set(W - 2, H - 2, z);
    }
    void DarkRing(TColor k) {
        Fill(1, 2, 1, H - 3, k);
        Fill(2, 1, W - 3, 1, k);
        Fill(W - 2, 2, W - 2, H - 3, k);
        Fill(2, H - 2, W - 3, H - 2, k);
    }
    // One-pixel ring on (l, t, r, b) exclusive: left/top in u, right/bottom in z (they win
    // the top-right and bottom-left pixels).
    void Ring(int l, int t, int r, int b, TColor u, TColor z) {
        Fill(l, t, l, b - 1, u);
        Fill(l, t, r - 1, t, u);
        Fill(r - 1, t, r - 1, b - 1, z);
        Fill(l, b - 1, r - 1, b - 1, z);
    }
    void TwoRings(TColor u1, TColor z1, TColor u2, TColor z2, TColor fill) {
        Ring(2, 2, W - 2, H - 2, u1, z1);
        Ring(3, 3, W - 3, H - 3, u2, z2);
        Fill(4, 4, W - 5, H - 5, fill);
    }
    // The shaded face on F = (2, 2, 73, 23).
    void Shaded(TColor top0, TColor top1, TColor top2, TColor body, TColor d10, TColor d20, TColor d30) {
        const int l = 2, t = 2, r = W - 2, b = H - 2;
        Fill(l, t, r - 1, t, top0);
        Fill(l, t + 1, r - 1, t + 1, top1);
        Fill(l, t + 2, r - 1, t + 2, top2);
        Fill(l, b - 3, r - 3, b - 3, d10);
        Fill(r - 2, t + 3, r - 2, b - 3, d10);
        Fill(l, b - 2, r - 2, b - 2, d20);
        Fill(r - 1, t + 3, r - 1, b - 2, d20);
        Fill(l, b - 1, r - 1, b - 1, d30);
        Fill(l, t + 3, r - 3, b - 4, body);
    }
    // The caption laid out in the rectangle the description gives for the window's font.
    void Caption(const std::string& text, TColor color, int dx = 0, int dy = 0) {
        TCanvas* c = Bitmap->Canvas();
        c->Font()->SetName("Tahoma");
        c->Font()->SetHeight(-11);
        c->Font()->SetColor(color);
        c->Brush()->SetStyle(bsClear);
        TRect r = Rect(5 + dx, 6 + dy, 70 + dx, 19 + dy);
        c->DrawText(text, r, DT_CENTER | DT_WORDBREAK | DT_EXPANDTABS);
        c->Brush()->SetStyle(bsSolid);
    }
    void FocusDots(int l, int t, int r, int b) {
        for (int y = t + 1; y < b; y += 2) {
            Set(l, y, clBlack);
            Set(r - 1, y, clBlack);
        }
        for (int x = l + 1; x < r; x += 2) {
            Set(x, t, clBlack);
            Set(x, b - 1, clBlack);
        }
    }
    TColor At(int x, int y) { return ColorFromPixel(Bitmap->ScanLine(y)[x]); }
    std::unique_ptr<TBitmap> Bitmap;
};

std::string Rgb(TColor c) {
    c = ColorToRGB(c);
    return "(" + std::to_string(GetRValue(c)) + ", " + std::to_string(GetGValue(c)) + ", " +
           std::to_string(GetBValue(c)) + ")";
}

// Every pixel of the button on the screen against the expected face.
::testing::AssertionResult MatchesFace(VtButtonTest& t, TVtButton* b, Face& face) {
    int bad = 0;
    std::string report;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const TColor got = t.ScreenPixel(b->Left() + x, b->Top() + y);
            const TColor want = ColorToRGB(face.At(x, y));
            if (got == want) continue;
            if (++bad <= 8)
                report += " (" + std::to_string(x) + "," + std::to_string(y) + ") got " + Rgb(got) + " want " +
                          Rgb(want) + ";";
        }
    if (bad == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << bad << " pixels differ:" << report;
}

// The colour list of the window's buttons (Color 15791348, HotTrackColor 3983359,
// HighlightColor 16026986).
const TColor kTop0 = RGB(255, 255, 255), kTop1 = RGB(255, 255, 255), kTop2 = RGB(253, 253, 253);
const TColor kBody = RGB(244, 244, 240);
const TColor kShade1 = RGB(235, 235, 228), kShade2 = RGB(226, 226, 216), kShade3 = RGB(217, 217, 203);
const TColor kDarkRing = RGB(96, 96, 70);
const TColor kHotUL = RGB(128, 161, 255), kHotLR = RGB(64, 109, 255);
const TColor kHotUL2 = RGB(106, 141, 255), kHotLR2 = RGB(85, 121, 255);
const TColor kFocusUL = RGB(214, 223, 253), kFocusLR = RGB(154, 174, 250);
const TColor kFocusUL2 = RGB(194, 206, 252), kFocusLR2 = RGB(174, 188, 251);
const TColor kPressedFace = RGB(235, 235, 228);
const TColor kDisabledRing = RGB(172, 172, 142);
// The rim comes from clBtnFace (236, 233, 216) whatever the button's colour: darkened and
// lightened by 20.
TColor RimA() { return RGB(222, 217, 188); }
TColor RimZ() { return RGB(250, 249, 245); }

Face EnabledFrame(TColor darkRing = kDarkRing) {
    Face f;
    f.Rim(RimA(), RimZ());
    f.DarkRing(darkRing);
    return f;
}

// ---------------------------------------------------------------- hot-tracking faces

TEST_F(VtButtonTest, NormalFaceIsShadedWithRimAndDarkRing) {
    TVtButton* b = Button("btnCreate", 8, 8);
    Show();
    ASSERT_FALSE(b->Focused());
    Face f = EnabledFrame();
    f.Shaded(kTop0, kTop1, kTop2, kBody, kShade1, kShade2, kShade3);
    f.Caption("Create", clBlack);
    EXPECT_TRUE(MatchesFace(*this, b, f));
    // The three pixels of each corner keep the window's colour.
    for (TPoint p : {TPoint{0, 0}, TPoint{1, 0}, TPoint{0, 1}, TPoint{74, 0}, TPoint{73, 0}, TPoint{74, 1},
                     TPoint{0, 24}, TPoint{1, 24}, TPoint{0, 23}, TPoint{74, 24}, TPoint{73, 24}, TPoint{74, 23}})
        EXPECT_EQ(ScreenPixel(8 + p.X, 8 + p.Y), kFormColor) << p.X << "," << p.Y;
}

TEST_F(VtButtonTest, HotFaceHasRingsOppositeToHotTrackColor) {
    TVtButton* b = Button("btnCreate", 8, 8);
    Show();
    MoveTo(At(b, 30, 12));
    EXPECT_TRUE(b->PointerOver());
    Face f = EnabledFrame();
    f.TwoRings(kHotUL, kHotLR, kHotUL2, kHotLR2, kBody);
    f.Caption("Create", clBlack);
    EXPECT_TRUE(MatchesFace(*this, b, f));
    MoveTo({150, 100});
    EXPECT_FALSE(b->PointerOver());
    Face normal = EnabledFrame();
    normal.Shaded(kTop0, kTop1, kTop2, kBody, kShade1, kShade2, kShade3);
    normal.Caption("Create", clBlack);
    EXPECT_TRUE(MatchesFace(*this, b, normal));
}

TEST_F(VtButtonTest, HotRingsWithActualColorType) {
    TVtButton* b = Button("btnCreate", 8, 8);
    b->SetHotTrackColorType(htctActual);
    Show();
    MoveTo(At(b, 30, 12));
    // HotTrackColor (255, 199, 60) lightened and darkened by 30, then those by 10 towards each other.
    const TColor u = RGB(255, 219, 123), r = RGB(251, 183, 0);
    Face f = EnabledFrame();
    f.TwoRings(u, r, RGB(255, 213, 102), RGB(255, 190, 17), kBody);
    f.Caption("Create", clBlack);
    EXPECT_TRUE(MatchesFace(*this, b, f));
}

TEST_F(VtButtonTest, FocusedFaceHasHighlightRingsAndDottedFrame) {
    TVtButton* b = Button("btnCreate", 8, 8);
    Show();
    b->SetFocus();
    Settle();
    ASSERT_TRUE(b->Focused());
    EXPECT_TRUE(b->ActiveDefault());
    Face f = EnabledFrame();
    f.TwoRings(kFocusUL, kFocusLR, kFocusUL2, kFocusLR2, kBody);
    f.Caption("Create", clBlack);
    f.FocusDots(3, 3, W - 3, H - 3);
    EXPECT_TRUE(MatchesFace(*this, b, f));
}

TEST_F(VtButtonTest, PressedFaceIsDarkenedAndCaptionStays) {
    TVtButton* b = Button("btnCreate", 8, 8);
    Show();
    Press(At(b, 30, 12));
    ASSERT_TRUE(b->Pressed());
    Face f = EnabledFrame();
    f.Fill(2, 2, W - 3, H - 3, kPressedFace);
    f.Caption("Create", clBlack);
    f.FocusDots(3, 3, W - 3, H - 3);  // the press took the focus
    EXPECT_TRUE(MatchesFace(*this, b, f));
    Release(At(b, 30, 12));
}

TEST_F(VtButtonTest, DisablingTheFocusedButtonFocusesTheWindowAndEmbossesTheCaption) {
    TVtButton* b = Button("btnSave", 8, 8, kButtonColor, "Save File");
    Show();
    b->SetFocus();
    Settle();
    ASSERT_TRUE(b->Focused());
    b->SetEnabled(false);
    Settle();
    EXPECT_EQ(Form->ActiveControl(), nullptr);
    EXPECT_EQ(Form->FocusHandle(), Form);
    EXPECT_FALSE(b->ActiveDefault());
    Face f;  // the outermost ring and (1, 1) … stay the window's
    f.DarkRing(kDisabledRing);
    f.Fill(2, 2, W - 3, H - 3, kBody);
    f.Caption("Save File", clBtnHighlight, 1, 1);
    f.Caption("Save File", clBtnShadow);
    EXPECT_TRUE(MatchesFace(*this, b, f));

    // Pointer entry is noted and reported, the look stays.
    int entered = 0;
    b->OnMouseEnter = [&](TObject*) { ++entered; };
    MoveTo(At(b, 30, 12));
    EXPECT_TRUE(b->PointerOver());
    EXPECT_EQ(entered, 1);
    EXPECT_TRUE(MatchesFace(*this, b, f));
    // A disabled button takes no press.
    Press(At(b, 30, 12));
    Release(At(b, 30, 12));
    EXPECT_FALSE(b->Tracking());
    EXPECT_TRUE(Clicks.empty());
}

TEST_F(VtButtonTest, ButtonFaceColorUsesSystemShades) {
    TVtButton* exit = Button("btnExit", 8, 8, clBtnFace, "Exit Program");
    Show();
    EXPECT_EQ(exit->Color(), clBtnFace);
    Face f = EnabledFrame(cl3DDkShadow);  // (113, 111, 100): the stored value decides
    // clBtnFace (236, 233, 216) lightened by 20, 15 and 10, itself, then darkened by 10, 20 and 30.
    f.Shaded(RGB(250, 249, 245), RGB(247, 245, 238), RGB(243, 241, 231), clBtnFace, RGB(229, 225, 202),
             RGB(222, 217, 188), RGB(215, 209, 173));
    f.Caption("Exit Program", clBlack);
    EXPECT_TRUE(MatchesFace(*this, exit, f));

    exit->SetEnabled(false);
    Settle();
    Face d;
    d.DarkRing(RGB(201, 198, 188));  // clBtnShadow lightened by 30
    d.Fill(2, 2, W - 3, H - 3, clBtnFace);
    d.Caption("Exit Program", clBtnHighlight, 1, 1);
    d.Caption("Exit Program", clBtnShadow);
    EXPECT_TRUE(MatchesFace(*this, exit, d));
}

TEST_F(VtButtonTest, ColorResolvingLikeButtonFaceStillDarkensItsOwnColor) {
    TVtButton* b = Button("b", 8, 8, RGB(236, 233, 216));
    Show();
    ASSERT_EQ(ColorToRGB(b->Color()), ColorToRGB(clBtnFace));
    EXPECT_EQ(ScreenPixel(8 + 1, 8 + 10), RGB(90, 83, 44));  // its own colour darkened by 150
    EXPECT_NE(ScreenPixel(8 + 1, 8 + 10), ColorToRGB(cl3DDkShadow));
}

// ---------------------------------------------------------------- caption

TEST_F(VtButtonTest, CaptionSitsInItsRectangleAndRepaintsAtOnce) {
    TVtButton* b = Button("btnCreate", 8, 8);
    Show();
    // The window's font: a one-line caption is 13 pixels high, in (5, 6, 70, 19).
    TCanvas* c = b->Canvas();
    c->Font()->Assign(*b->Font());
    EXPECT_EQ(c->TextHeight("Create"), 13);
    int top = H, bottom = -1, left = W, right = -1;
    for (int y = 0; y < H; ++y)
        for (int x = 5; x < 70; ++x)
            if (ScreenPixel(8 + x, 8 + y) == clBlack) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                left = std::min(left, x);
                right = std::max(right, x);
            }
    EXPECT_GE(top, 6);
    EXPECT_LT(bottom, 19);
    EXPECT_LE(std::abs((left + right + 1) - W), 2) << left << ".." << right;  // centred

    // No event-loop turn: the new caption is on the screen at once, centred as before.
    b->SetCaption("ReCreate");
    Face f = EnabledFrame();
    f.Shaded(kTop0, kTop1, kTop2, kBody, kShade1, kShade2, kShade3);
    f.Caption("ReCreate", clBlack);
    EXPECT_TRUE(MatchesFace(*this, b, f));
}

TEST_F(VtButtonTest, CaptionTextStylesDrawTheirPasses) {
    TVtButton* b = Button("b", 8, 8, kButtonColor, "I");
    b->SetTextStyle(tsShadow);
    b->SetTextShadowColor(clRed);
    b->SetTextShadowDepth(2);
    Show();
    Face f = EnabledFrame();
    f.Shaded(kTop0, kTop1, kTop2, kBody, kShade1, kShade2, kShade3);
    f.Caption("I", clRed, 2, 2);
    f.Caption("I", clBlack);
    EXPECT_TRUE(MatchesFace(*this, b, f));

    b->SetTextStyle(tsRaised);
    b->SetTextHighlightColor(clBlue);
    Settle();
    Face raised = EnabledFrame();
    raised.Shaded(kTop0, kTop1, kTop2, kBody, kShade1, kShade2, kShade3);
    raised.Caption("I", clRed, 1, 1);
    raised.Caption("I", clBlue, -1, -1);
    raised.Caption("I", clBlack);
    EXPECT_TRUE(MatchesFace(*this, b, raised));

    b->SetLightTextStyle(true);
    b->SetTextStyle(tsRecessed);
    Settle();
    Face recessed = EnabledFrame();
    recessed.Shaded(kTop0, kTop1, kTop2, kBody, kShade1, kShade2, kShade3);
    recessed.Caption("I", clBlue, 1, 1);
    recessed.Caption("I", clBlack);
    EXPECT_TRUE(MatchesFace(*this, b, recessed));
}

TEST_F(VtButtonTest, LongCaptionWrapsAndStaysCentredAsABlock) {
    Button("b", 8, 8, kButtonColor, "Exit the whole Program");
    Show();
    int top = H, bottom = -1;
    for (int y = 0; y < H; ++y)
        for (int x = 5; x < 70; ++x)
            if (ScreenPixel(8 + x, 8 + y) == clBlack) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    // Two lines of 13 in a 15-pixel rectangle: top (5 + 20 - 26) div 2 = -1 (rounded down).
    ASSERT_LE(top, bottom);
    EXPECT_LT(top, 5);
    EXPECT_GT(bottom, 19);
}

// ---------------------------------------------------------------- classic look

TEST_F(VtButtonTest, ClassicLookFramesTheFocusedButton) {
    TVtButton* b = Button("b", 8, 8, clBtnFace);
    b->SetHotTrack(false);
    EXPECT_FALSE(b->TransparentBackground());
    Show();
    // Unfocused: the button edges start at the outline.
    EXPECT_EQ(ScreenPixel(8, 8), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(ScreenPixel(8 + 74, 8 + 24), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(ScreenPixel(8 + 10, 8 + 3), ColorToRGB(clBtnFace));  // erased in Color
    b->SetFocus();
    Settle();
    EXPECT_EQ(ScreenPixel(8, 8), ColorToRGB(clWindowFrame));
    EXPECT_EQ(ScreenPixel(8 + 74, 8 + 10), ColorToRGB(clWindowFrame));
    EXPECT_EQ(ScreenPixel(8 + 1, 8 + 1), ColorToRGB(clBtnHighlight));
    // The dotted frame four pixels in.
    EXPECT_EQ(ScreenPixel(8 + 4, 8 + 5), clBlack);
    EXPECT_EQ(ScreenPixel(8 + 5, 8 + 4), clBlack);
    EXPECT_EQ(ScreenPixel(8 + 4, 8 + 4), ColorToRGB(clBtnFace));
}

// ---------------------------------------------------------------- press cycle

TEST_F(VtButtonTest, PressClicksOnReleaseInsideOnly) {
    TVtButton* b = Button("btnCreate", 8, 8);
    Show();
    Press(At(b, 10, 10));
    EXPECT_TRUE(b->Focused());
    EXPECT_TRUE(b->Tracking());
    EXPECT_TRUE(b->Pressed());
    EXPECT_TRUE(b->MouseCapture());
    // Out: the face shows unpressed, the press goes on (the capture keeps the moves coming).
    MoveTo({150, 100}, {ssLeft});
    EXPECT_TRUE(b->Tracking());
    EXPECT_FALSE(b->Pressed());
    EXPECT_FALSE(b->PointerOver());
    EXPECT_EQ(ScreenPixel(8 + 10, 8 + 2), kFocusUL);  // focused, no longer pressed
    // Back in: pressed again.
    MoveTo(At(b, 20, 12), {ssLeft});
    EXPECT_TRUE(b->Pressed());
    EXPECT_EQ(ScreenPixel(8 + 10, 8 + 2), kPressedFace);
    Release(At(b, 20, 12));
    EXPECT_EQ(Clicks, std::vector<std::string>{"btnCreate"});
    EXPECT_FALSE(b->Tracking());
    EXPECT_FALSE(b->Pressed());
    EXPECT_FALSE(b->MouseCapture());

    // Press, out, release outside: no click.
    Press(At(b, 10, 10));
    MoveTo({150, 100}, {ssLeft});
    Release({150, 100});
    EXPECT_EQ(Clicks.size(), 1u);
    EXPECT_FALSE(b->Tracking());
}

TEST_F(VtButtonTest, ColumnAndRowPastTheEdgeCountAsOutside) {
    TVtButton* b = Button("btnCreate", 8, 8);
    Show();
    Press(At(b, 74, 24));
    EXPECT_TRUE(b->Pressed());
    MoveTo(At(b, 75, 10), {ssLeft});
    EXPECT_FALSE(b->Pressed());
    MoveTo(At(b, 10, 25), {ssLeft});
    EXPECT_FALSE(b->Pressed());
    MoveTo(At(b, 74, 24), {ssLeft});
    EXPECT_TRUE(b->Pressed());
    Release(At(b, 75, 24));
    EXPECT_TRUE(Clicks.empty());
    Press(At(b, 0, 0));
    Release(At(b, 74, 24));
    EXPECT_EQ(Clicks.size(), 1u);
}

TEST_F(VtButtonTest, RightButtonDoesNothingButEndsALeftPress) {
    TVtButton* b = Button("btnCreate", 8, 8);
    Show();
    Press(At(b, 10, 10), mbRight, {ssRight});
    EXPECT_FALSE(b->Tracking());
    EXPECT_FALSE(b->Focused());
    Release(At(b, 10, 10), mbRight);
    EXPECT_TRUE(Clicks.empty());

    Press(At(b, 10, 10));
    Press(At(b, 10, 10), mbRight, {ssLeft, ssRight});
    Release(At(b, 10, 10), mbRight, {ssLeft});
    EXPECT_FALSE(b->Tracking());
    EXPECT_EQ(Clicks.size(), 1u);
}

TEST_F(VtButtonTest, DoubleClickGivesTwoClicks) {
    TVtButton* b = Button("btnCreate", 8, 8);
    Show();
    Press(At(b, 10, 10));
    Release(At(b, 10, 10));
    Press(At(b, 10, 10), mbLeft, {ssLeft, ssDouble});
    Release(At(b, 10, 10));
    EXPECT_EQ(Clicks.size(), 2u);
}

TEST_F(VtButtonTest, ClickingIsClearedWhenTheHandlerFails) {
    TVtButton* b = Button("btnCreate", 8, 8);
    Show();
    bool sawClicking = false;
    b->OnClick = [&](TObject*) {
        sawClicking = b->Clicking();
        EXPECT_FALSE(b->Tracking());
        EXPECT_FALSE(b->Pressed());
        throw Exception("Boom");
    };
    Press(At(b, 10, 10));
    Release(At(b, 10, 10));
    EXPECT_TRUE(sawClicking);
    EXPECT_FALSE(b->Clicking());
    ASSERT_EQ(Desk->MessageBoxes().size(), 1u);
    EXPECT_EQ(Desk->MessageBoxes()[0].Text, "Boom.");
}

TEST_F(VtButtonTest, EveryClickSetsTheWindowsModalResult) {
    TVtButton* b = Button("btnCreate", 8, 8);
    Show();
    Form->SetModalResult(mrCancel);
    Press(At(b, 10, 10));
    Release(At(b, 10, 10));
    EXPECT_EQ(Form->ModalResult(), mrNone);
    b->SetModalResult(mrOk);
    Stroke(VK_RETURN);
    EXPECT_EQ(Form->ModalResult(), mrOk);
}

// ---------------------------------------------------------------- keyboard

TEST_F(VtButtonTest, SpaceClicksOnKeyUp) {
    TVtButton* b = Button("btnCreate", 8, 8);
    Show();
    b->SetFocus();
    Settle();
    KeyDown(VK_SPACE);
    EXPECT_TRUE(b->Pressed());
    EXPECT_TRUE(b->SpaceArmed());
    EXPECT_EQ(ScreenPixel(8 + 10, 8 + 2), kPressedFace);
    KeyDown(VK_SPACE, {}, true);  // auto-repeat keeps it pressed
    KeyDown(VK_SPACE, {}, true);
    EXPECT_TRUE(Clicks.empty());
    KeyUp(VK_SPACE);
    EXPECT_EQ(Clicks.size(), 1u);
    EXPECT_FALSE(b->Pressed());
    EXPECT_FALSE(b->SpaceArmed());

    // A key-up without its key-down, and Alt+Space, do nothing.
    KeyUp(VK_SPACE);
    KeyDown(VK_SPACE, {ssAlt});
    EXPECT_FALSE(b->Pressed());
    KeyUp(VK_SPACE, {ssAlt});
    EXPECT_EQ(Clicks.size(), 1u);
}

TEST_F(VtButtonTest, EnterClicksTheFocusedButtonOnly) {
    TVtButton* create = Button("btnCreate", 8, 8);
    TVtButton* save = Button("btnSave", 96, 8, kButtonColor, "Save File");
    Show();
    // A phrase field holds the focus and no button is Default: nothing.
    Stroke(VK_RETURN);
    Stroke(VK_ESCAPE);
    EXPECT_TRUE(Clicks.empty());
    save->SetFocus();
    Settle();
    EXPECT_TRUE(save->ActiveDefault());
    EXPECT_FALSE(create->ActiveDefault());
    Stroke(VK_RETURN);
    EXPECT_EQ(Clicks, std::vector<std::string>{"btnSave"});
    EXPECT_FALSE(save->Pressed());  // no pressed look
    Stroke(VK_RETURN, {ssCtrl});
    Stroke(VK_RETURN, {ssShift});
    Stroke(VK_ESCAPE);
    EXPECT_EQ(Clicks.size(), 1u);
}

TEST_F(VtButtonTest, DefaultAndCancelButtons) {
    TVtButton* ok = Button("ok", 8, 8, kButtonColor, "OK");
    TVtButton* cancel = Button("cancel", 96, 8, kButtonColor, "Cancel");
    Show();
    ok->SetDefault(true);
    cancel->SetCancel(true);
    EXPECT_TRUE(ok->ActiveDefault());  // re-evaluated at once
    Stroke(VK_RETURN);
    Stroke(VK_ESCAPE);
    EXPECT_EQ(Clicks, (std::vector<std::string>{"ok", "cancel"}));
    // Another button with the focus takes Enter over.
    cancel->SetFocus();
    Settle();
    EXPECT_FALSE(ok->ActiveDefault());
    EXPECT_TRUE(cancel->ActiveDefault());
    Stroke(VK_RETURN);
    EXPECT_EQ(Clicks.back(), "cancel");
    // Back on the field: the default button is again the one.
    Sink->SetFocus();
    Settle();
    EXPECT_TRUE(ok->ActiveDefault());
    EXPECT_FALSE(cancel->ActiveDefault());
    // A disabled default button cannot take the focus and does not click.
    ok->SetEnabled(false);
    Clicks.clear();
    Stroke(VK_RETURN);
    EXPECT_TRUE(Clicks.empty());
}

TEST_F(VtButtonTest, AcceleratorClicks) {
    Button("btnCreate", 8, 8, kButtonColor, "&Create");
    TVtButton* amp = Button("amp", 96, 8, kButtonColor, "Save && Exit");
    Show();
    Stroke('C', {ssAlt});
    EXPECT_EQ(Clicks, std::vector<std::string>{"btnCreate"});
    Stroke('E', {ssAlt});  // "&&" is a literal "&", no accelerator
    EXPECT_EQ(Clicks.size(), 1u);
    // A plain character the focused control leaves alone is an accelerator too.
    amp->SetFocus();
    Settle();
    Type("c");
    EXPECT_EQ(Clicks.size(), 2u);
}

// ---------------------------------------------------------------- default and focus

TEST_F(VtButtonTest, ActiveDefaultFollowsTheFocusedControl) {
    TVtButton* a = Button("a", 8, 8);
    TVtButton* b = Button("b", 96, 8);
    Show();
    EXPECT_FALSE(a->ActiveDefault());
    EXPECT_FALSE(b->ActiveDefault());
    a->SetFocus();
    Settle();
    EXPECT_TRUE(a->ActiveDefault());
    EXPECT_FALSE(b->ActiveDefault());
    Stroke(VK_TAB);
    EXPECT_TRUE(b->Focused());
    EXPECT_FALSE(a->ActiveDefault());
    EXPECT_TRUE(b->ActiveDefault());
    // The button that lost the focus is shaded again at once.
    EXPECT_EQ(ScreenPixel(8 + 10, 8 + 2), kTop0);
    EXPECT_EQ(ScreenPixel(96 + 10, 8 + 2), kFocusUL);
}

// ---------------------------------------------------------------- groups

TEST_F(VtButtonTest, GroupButtonsLatchExclusively) {
    TVtButton* a = Button("a", 8, 8);
    TVtButton* b = Button("b", 96, 8);
    TVtButton* other = Button("other", 8, 40);
    a->SetGroupIndex(1);
    b->SetGroupIndex(1);
    other->SetGroupIndex(2);
    other->SetDown(true);
    Show();
    a->SetDown(true);
    EXPECT_TRUE(a->Down());
    b->SetDown(true);
    EXPECT_FALSE(a->Down());
    EXPECT_TRUE(b->Down());
    EXPECT_TRUE(other->Down());  // another group
    // Without AllowAllUp the down button stays down, by setter and by click.
    b->SetDown(false);
    EXPECT_TRUE(b->Down());
    Press(At(b, 10, 10));
    Release(At(b, 10, 10));
    EXPECT_TRUE(b->Down());
    EXPECT_EQ(Clicks, std::vector<std::string>{"b"});
    // A click on a toggles it down and b up.
    Press(At(a, 10, 10));
    Release(At(a, 10, 10));
    EXPECT_TRUE(a->Down());
    EXPECT_FALSE(b->Down());
    // GroupIndex 0 never latches.
    TVtButton* plain = Button("plain", 96, 40);
    plain->SetDown(true);
    EXPECT_FALSE(plain->Down());
}

TEST_F(VtButtonTest, AllowAllUpIsSharedByTheGroup) {
    TVtButton* a = Button("a", 8, 8);
    TVtButton* b = Button("b", 96, 8);
    a->SetGroupIndex(1);
    b->SetGroupIndex(1);
    Show();
    a->SetAllowAllUp(true);
    EXPECT_TRUE(b->AllowAllUp());
    b->SetDown(true);
    b->SetDown(false);
    EXPECT_FALSE(b->Down());
    // The message itself: value 9249, the group number and the sender.
    a->SetDown(true);
    b->Perform(GroupPressMessage, 2, PtrToLParam(a));  // another group: ignored
    EXPECT_TRUE(b->AllowAllUp());
    // A button joining the group hands its own AllowAllUp to the others.
    TVtButton* c = Button("c", 8, 40);
    c->SetGroupIndex(1);
    EXPECT_FALSE(a->AllowAllUp());
    EXPECT_FALSE(b->AllowAllUp());
    c->SetAllowAllUp(true);
    EXPECT_TRUE(a->AllowAllUp());
    EXPECT_TRUE(b->AllowAllUp());
    // Both down can only come from outside the rules; the message releases the receiver.
    a->Perform(GroupPressMessage, 1, PtrToLParam(b));
    EXPECT_TRUE(a->Down());  // b is not down: a stays
    b->SetDown(true);
    EXPECT_FALSE(a->Down());
    EXPECT_EQ(GroupPressMessage, 9249u);
}

TEST_F(VtButtonTest, LatchedFaceShowsTheDownPattern) {
    TVtButton* a = Button("a", 8, 8);
    a->SetGroupIndex(1);
    a->SetDown(true);
    Show();
    TBitmap pattern;
    a->MakeDownPattern(&pattern);
    ASSERT_EQ(pattern.Width(), 8);
    ASSERT_EQ(pattern.Height(), 8);
    EXPECT_EQ(pattern.Canvas()->Pixels(0, 0), clSilver);
    EXPECT_EQ(pattern.Canvas()->Pixels(1, 1), clSilver);
    EXPECT_EQ(pattern.Canvas()->Pixels(1, 0), kBody);
    EXPECT_EQ(pattern.Canvas()->Pixels(0, 1), kBody);
    // On the screen the face alternates between silver and Color, the rim stays.
    const TColor p1 = ScreenPixel(8 + 4, 8 + 4);
    const TColor p2 = ScreenPixel(8 + 5, 8 + 4);
    EXPECT_NE(p1, p2);
    EXPECT_TRUE((p1 == clSilver && p2 == kBody) || (p1 == kBody && p2 == clSilver));
    EXPECT_EQ(ScreenPixel(8 + 1, 8 + 10), kDarkRing);

    a->SetColor(clSilver);
    a->MakeDownPattern(&pattern);
    EXPECT_EQ(pattern.Canvas()->Pixels(0, 0), clGray);
    EXPECT_EQ(pattern.Canvas()->Pixels(1, 0), clSilver);
}

// ---------------------------------------------------------------- descriptions

TEST_F(VtButtonTest, PublishedDefaultsAndTheOlderFrameFlat) {
    TVtButton::RegisterClassInfo();
    const TClassInfo* info = FindClass("TVtButton");
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(info->InheritsFrom("TCustomControl"));
    TVtButton b(nullptr);
    EXPECT_EQ(b.Width(), 75);
    EXPECT_EQ(b.Height(), 25);
    EXPECT_TRUE(b.TabStop());
    EXPECT_EQ(b.Color(), clBtnFace);
    EXPECT_EQ(GetOrdProp(&b, "HotTrackColor"), static_cast<int64_t>(clHighlight));
    EXPECT_EQ(GetOrdProp(&b, "TextShadowDepth"), 2);
    EXPECT_EQ(GetOrdProp(&b, "ShowDownPattern"), 1);
    EXPECT_EQ(GetOrdProp(&b, "Alignment"), taCenter);

    ReadComponentText(Form,
                      "object Form: TForm\n"
                      "  object Old: TVtButton\n"
                      "    Left = 8\n"
                      "    Top = 8\n"
                      "    Caption = 'Old'\n"
                      "    FrameFlat = True\n"
                      "    HotTrackColorType = htctActual\n"
                      "    TextStyle = tsRaised\n"
                      "  end\n"
                      "end\n");
    auto* old = dynamic_cast<TVtButton*>(Form->FindComponent("Old"));
    ASSERT_NE(old, nullptr);
    EXPECT_TRUE(old->HotTrack());
    EXPECT_TRUE(old->TransparentBackground());
    EXPECT_EQ(old->HotTrackColorType(), htctActual);
    EXPECT_EQ(old->TextStyle(), tsRaised);
    // Written back, the older name is gone and HotTrack stands in its place.
    const std::string text = WriteComponentText(Form);
    EXPECT_NE(text.find("HotTrack = True"), std::string::npos) << text;
    EXPECT_EQ(text.find("FrameFlat"), std::string::npos);
}

}  // namespace
