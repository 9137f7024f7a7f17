// The plain panel on a real form: client rectangle and child alignment inside bevels and
// border width, the bevel pixels, the single border, and a panel from a description.
#include <gtest/gtest.h>

#include "framework/core/streaming.h"
#include "framework/stdctrls/extctrls.h"
#include "framework/stdctrls/stdctrls_classes.h"
#include "tests/framework/control_tree_fixture.h"

namespace {

class Panel : public ControlTreeTest {
protected:
    TPanel* MakePanel(TRect bounds) {
        auto* p = new TPanel(Form);
        p->SetBoundsRect(bounds);
        p->SetParent(Form);
        return p;
    }
    TProbeBox* ClientChild(TWinControl* parent, TAlign align = alClient) {
        TProbeBox* b = Box("Child", parent, Rect(0, 0, 10, 10), clRed);
        b->SetAlign(align);
        return b;
    }
};

}  // namespace

TEST_F(Panel, DefaultsAndTheClientRectangleInsideBevelsAndBorderWidth) {
    TPanel* p = MakePanel(Rect(0, 0, 185, 41));
    EXPECT_EQ(p->BevelOuter(), bvRaised);
    EXPECT_EQ(p->BevelInner(), bvNone);
    EXPECT_EQ(p->BevelWidth(), 1);
    EXPECT_EQ(p->BorderWidth(), 0);
    EXPECT_EQ(p->Color(), clBtnFace);
    EXPECT_FALSE(p->ParentColor());
    EXPECT_EQ(p->Alignment(), taCenter);
    EXPECT_TRUE(p->FullRepaint());
    TPanel fresh(nullptr);
    EXPECT_EQ(fresh.Width(), 185);
    EXPECT_EQ(fresh.Height(), 41);

    TProbeBox* child = ClientChild(p);
    EXPECT_EQ(child->BoundsRect(), Rect(1, 1, 184, 40));  // inside the one-pixel bevel

    p->SetBounds(0, 0, 100, 60);
    p->SetBorderWidth(3);
    EXPECT_EQ(p->ClientRect(), Rect(3, 3, 97, 57));
    EXPECT_EQ(p->ClientWidth(), 94);
    p->SetClientWidth(90);
    EXPECT_EQ(p->Width(), 96);
    p->SetClientWidth(94);
    EXPECT_EQ(child->BoundsRect(), Rect(4, 4, 96, 56));
    p->SetBevelInner(bvLowered);
    p->SetBevelWidth(2);
    EXPECT_EQ(child->BoundsRect(), Rect(7, 7, 93, 53));
    p->SetBevelOuter(bvNone);
    p->SetBevelInner(bvNone);
    EXPECT_EQ(child->BoundsRect(), Rect(3, 3, 97, 57));

    // Children aligned to a side take their strip first; the client child fills the rest.
    p->SetBorderWidth(0);
    TProbeBox* top = Box("Top", p, Rect(0, 0, 10, 12), clLime);
    top->SetAlign(alTop);
    EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 100, 12));
    EXPECT_EQ(child->BoundsRect(), Rect(0, 12, 100, 60));
}

TEST_F(Panel, DefaultRaisedBevelPixels) {
    TPanel* p = MakePanel(Rect(10, 10, 60, 40));  // 50 × 30
    ShowForm();
    const TColor hi = ColorToRGB(clBtnHighlight);
    const TColor sh = ColorToRGB(clBtnShadow);
    const TColor face = ColorToRGB(clBtnFace);
    for (int x = 10; x < 59; ++x) EXPECT_EQ(ScreenPixel(x, 10), hi) << x;  // top row
    for (int y = 10; y < 39; ++y) EXPECT_EQ(ScreenPixel(10, y), hi) << y;  // left column
    for (int y = 10; y < 40; ++y) EXPECT_EQ(ScreenPixel(59, y), sh) << y;  // right, top-right too
    for (int x = 10; x < 60; ++x) EXPECT_EQ(ScreenPixel(x, 39), sh) << x;  // bottom, bottom-left too
    EXPECT_EQ(ScreenPixel(11, 11), face);
    EXPECT_EQ(ScreenPixel(58, 38), face);
    EXPECT_EQ(ScreenPixel(60, 40), clWhite);  // the form beyond

    // Lowered outer, a band of border width in Color, a raised inner bevel.
    p->SetColor(clYellow);
    p->SetBevelOuter(bvLowered);
    p->SetBorderWidth(2);
    p->SetBevelInner(bvRaised);
    App->ProcessMessages();
    EXPECT_EQ(ScreenPixel(10, 10), sh);
    EXPECT_EQ(ScreenPixel(59, 10), hi);
    EXPECT_EQ(ScreenPixel(10, 39), hi);
    EXPECT_EQ(ScreenPixel(11, 11), clYellow);
    EXPECT_EQ(ScreenPixel(12, 12), clYellow);
    EXPECT_EQ(ScreenPixel(13, 13), hi);
    EXPECT_EQ(ScreenPixel(56, 36), sh);
    EXPECT_EQ(ScreenPixel(14, 14), clYellow);
    // bvSpace takes room without relief.
    p->SetBevelOuter(bvSpace);
    App->ProcessMessages();
    EXPECT_EQ(ScreenPixel(10, 10), clYellow);
    EXPECT_EQ(ScreenPixel(59, 39), clYellow);
}

TEST_F(Panel, CaptionAndSingleBorder) {
    TPanel* p = MakePanel(Rect(10, 10, 110, 40));
    p->Font()->SetName("Tahoma");
    p->Font()->SetHeight(-11);
    p->Font()->SetColor(clBlack);
    p->SetCaption("Mid");
    ShowForm();
    // The caption is centred: text pixels both sides of the middle, none near the ends.
    int left = 1000, right = -1;
    for (int y = 11; y < 39; ++y)
        for (int x = 11; x < 109; ++x)
            if (ScreenPixel(x, y) == clBlack) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    ASSERT_LT(left, right);
    EXPECT_LE(std::abs((left + right + 1) / 2 - 60), 2);

    p->SetCaption("");
    p->SetCtl3D(false);
    p->SetBorderStyle(bsSingle);
    App->ProcessMessages();
    EXPECT_EQ(p->ClientInWindow(), Rect(1, 1, 99, 29));
    EXPECT_EQ(ScreenPixel(10, 10), ColorToRGB(clWindowFrame));
    EXPECT_EQ(ScreenPixel(11, 11), ColorToRGB(clBtnHighlight));  // the bevel inside the border
    EXPECT_EQ(ScreenPixel(108, 38), ColorToRGB(clBtnShadow));
}

TEST_F(Panel, ReadFromADescription) {
    RegisterStdCtrlsClasses();
    TComponent* c = CreateComponentFromText(
        "object Panel1: TPanel\n"
        "  Left = 9\n"
        "  Top = 399\n"
        "  Width = 673\n"
        "  Height = 18\n"
        "  BevelInner = bvLowered\n"
        "  BorderWidth = 2\n"
        "  BorderStyle = bsSingle\n"
        "  Color = 14737632\n"
        "  FullRepaint = False\n"
        "  Locked = True\n"
        "  TabOrder = 5\n"
        "end\n");
    std::unique_ptr<TComponent> owned(c);
    auto* p = dynamic_cast<TPanel*>(c);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->BoundsRect(), Bounds(9, 399, 673, 18));
    EXPECT_EQ(p->BevelInner(), bvLowered);
    EXPECT_EQ(p->BorderWidth(), 2);
    EXPECT_EQ(p->BorderStyle(), bsSingle);
    EXPECT_EQ(p->Color(), TColor{14737632});
    EXPECT_FALSE(p->FullRepaint());
    EXPECT_EQ(p->WindowParams().WindowClassStyle & (CS_HREDRAW | CS_VREDRAW), 0u);
    EXPECT_TRUE(p->Locked());
    // Only what differs from the defaults is written back.
    const std::string text = WriteComponentText(p);
    EXPECT_NE(text.find("BevelInner = bvLowered"), std::string::npos);
    EXPECT_EQ(text.find("BevelOuter"), std::string::npos);
    EXPECT_EQ(text.find("BevelWidth"), std::string::npos);
}
