// The plain label on a real form: automatic size from the measured caption, layout,
// accelerators that focus FocusControl, embossed disabled text, transparency.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "framework/core/streaming.h"
#include "framework/stdctrls/extctrls.h"
#include "framework/stdctrls/stdctrls.h"
#include "framework/stdctrls/stdctrls_classes.h"
#include "tests/framework/control_tree_fixture.h"

namespace {

void SetTahoma(TFont* f, TFontStyles style = {}) {
    f->SetName("Tahoma");
    f->SetHeight(-11);
    f->SetStyle(style);
    f->SetColor(clBlack);
}

int MeasuredWidth(const std::string& text, TFontStyles style) {
    TBitmap scratch(1, 1);
    SetTahoma(scratch.Canvas()->Font(), style);
    return scratch.Canvas()->TextWidth(text);
}

class Label : public ControlTreeTest {
protected:
    TLabel* MakeLabel(const std::string& caption, TRect bounds = Rect(10, 10, 75, 27)) {
        auto* l = new TLabel(Form);
        l->SetBoundsRect(bounds);
        SetTahoma(l->Font());
        l->SetParent(Form);
        l->SetCaption(caption);
        return l;
    }
    // Screen pixels of colour c inside the label's bounds.
    std::set<std::pair<int, int>> PixelsOf(const TControl* c, TColor color) {
        std::set<std::pair<int, int>> out;
        for (int y = c->Top(); y < c->Top() + c->Height(); ++y)
            for (int x = c->Left(); x < c->Left() + c->Width(); ++x)
                if (ScreenPixel(x, y) == color) out.insert({x, y});
        return out;
    }
};

}  // namespace

TEST_F(Label, AutoSizeFollowsTheMeasuredCaption) {
    TLabel* l = MakeLabel("Author:");
    l->Font()->SetStyle({fsBold});
    EXPECT_EQ(l->Width(), MeasuredWidth("Author:", {fsBold}));
    EXPECT_EQ(l->Height(), 13);  // Tahoma's cell at a character height of 11
    EXPECT_GT(l->Width(), MeasuredWidth("Author:", {}) - 1);

    // The accelerator mark takes no room; without ShowAccelChar it is text.
    l->SetCaption("&Name:");
    EXPECT_EQ(l->Width(), MeasuredWidth("Name:", {fsBold}));
    l->SetShowAccelChar(false);
    EXPECT_EQ(l->Width(), MeasuredWidth("&Name:", {fsBold}));

    // A right-aligned label keeps its right edge; an empty one keeps one line.
    l->SetAlignment(taRightJustify);
    const int right = l->Left() + l->Width();
    l->SetCaption("A much longer caption");
    EXPECT_EQ(l->Left() + l->Width(), right);
    l->SetCaption("");
    EXPECT_EQ(l->Height(), 13);
    EXPECT_EQ(l->Width(), MeasuredWidth(" ", {fsBold}));

    // Word wrap breaks at the current width; without AutoSize nothing moves.
    l->SetAlignment(taLeftJustify);
    l->SetWordWrap(true);
    l->SetWidth(MeasuredWidth("two one", {fsBold}) - 1);
    l->SetCaption("two one");
    EXPECT_EQ(l->Height(), 26);
    EXPECT_LE(l->Width(), MeasuredWidth("two one", {fsBold}) - 1);
    l->SetAutoSize(false);
    l->SetBounds(0, 0, 100, 50);
    l->SetCaption("x");
    EXPECT_EQ(l->Width(), 100);
    EXPECT_EQ(l->Height(), 50);
}

TEST_F(Label, LayoutMovesTheTextDownByTheSpareHeight) {
    TLabel* l = MakeLabel("Wg", Rect(10, 10, 60, 50));
    l->SetAutoSize(false);
    l->SetBounds(10, 10, 50, 40);
    l->SetColor(clYellow);
    ShowForm();
    auto topRow = [&] {
        for (int y = 10; y < 50; ++y)
            for (int x = 10; x < 60; ++x)
                if (ScreenPixel(x, y) == clBlack) return y;
        return -1;
    };
    const int top = topRow();
    ASSERT_GE(top, 10);
    l->SetLayout(tlBottom);
    App->ProcessMessages();
    EXPECT_EQ(topRow(), top + 27);  // 40 − 13
    l->SetLayout(tlCenter);
    App->ProcessMessages();
    EXPECT_EQ(topRow(), top + 13);
}

TEST_F(Label, AcceleratorFocusesFocusControlFromADescription) {
    RegisterStdCtrlsClasses();
    ReadComponentText(Form,
                      "object Form: TForm\n"
                      "  object Panel1: TPanel\n"
                      "    Left = 100\n"
                      "    Top = 8\n"
                      "    Width = 50\n"
                      "    Height = 20\n"
                      "    TabStop = True\n"
                      "    TabOrder = 1\n"
                      "  end\n"
                      "  object Other: TPanel\n"
                      "    Left = 100\n"
                      "    Top = 40\n"
                      "    TabStop = True\n"
                      "    TabOrder = 0\n"
                      "  end\n"
                      "  object lblName: TLabel\n"
                      "    Left = 8\n"
                      "    Top = 8\n"
                      "    Caption = '&Name:'\n"
                      "    FocusControl = Panel1\n"
                      "    Font.Name = 'Tahoma'\n"
                      "    Font.Height = -11\n"
                      "    Font.Style = [fsBold]\n"
                      "  end\n"
                      "end\n");
    auto* label = dynamic_cast<TLabel*>(Form->FindComponent("lblName"));
    auto* panel = dynamic_cast<TPanel*>(Form->FindComponent("Panel1"));
    auto* other = dynamic_cast<TPanel*>(Form->FindComponent("Other"));
    ASSERT_TRUE(label && panel && other);
    EXPECT_EQ(label->FocusControl(), panel);
    EXPECT_EQ(label->Width(), MeasuredWidth("Name:", {fsBold}));  // sized once loaded
    EXPECT_EQ(label->Height(), 13);
    ShowForm();
    other->SetFocus();
    ASSERT_EQ(Form->ActiveControl(), other);

    Stroke('N', {ssAlt});
    EXPECT_EQ(Form->ActiveControl(), panel);

    // Disabled, or without accelerator marks, the label takes no accelerator.
    other->SetFocus();
    label->SetEnabled(false);
    Stroke('N', {ssAlt});
    EXPECT_EQ(Form->ActiveControl(), other);
    label->SetEnabled(true);
    label->SetShowAccelChar(false);
    Stroke('N', {ssAlt});
    EXPECT_EQ(Form->ActiveControl(), other);

    // A destroyed focus control is forgotten.
    delete panel;
    EXPECT_EQ(label->FocusControl(), nullptr);
    label->SetShowAccelChar(true);
    Stroke('N', {ssAlt});
    EXPECT_EQ(Form->ActiveControl(), other);
}

TEST_F(Label, DisabledTextIsEmbossed) {
    TLabel* l = MakeLabel("Il");
    l->SetColor(clYellow);
    ShowForm();
    const auto text = PixelsOf(l, clBlack);
    ASSERT_FALSE(text.empty());

    l->SetEnabled(false);
    App->ProcessMessages();
    const TColor shadow = ColorToRGB(clBtnShadow);
    const TColor highlight = ColorToRGB(clBtnHighlight);
    for (int y = l->Top(); y < l->Top() + l->Height(); ++y)
        for (int x = l->Left(); x < l->Left() + l->Width(); ++x) {
            TColor expected = clYellow;
            if (text.count({x, y})) expected = shadow;
            else if (text.count({x - 1, y - 1})) expected = highlight;
            ASSERT_EQ(ScreenPixel(x, y), expected) << x << "," << y;
        }
}

TEST_F(Label, TransparentLeavesTheParentsPixels) {
    Glyph("Under", Form, Rect(10, 10, 70, 40), clBlue);
    TLabel* l = MakeLabel(".", Rect(10, 10, 70, 40));
    l->SetAutoSize(false);
    l->SetBounds(10, 10, 60, 30);
    l->SetColor(clYellow);
    ShowForm();
    EXPECT_EQ(ScreenPixel(60, 35), clYellow);
    EXPECT_EQ(PixelsOf(l, clBlack).empty(), false);
    l->SetTransparent(true);
    App->ProcessMessages();
    EXPECT_EQ(ScreenPixel(60, 35), clBlue);
    EXPECT_EQ(ScreenPixel(69, 39), clBlue);
    EXPECT_TRUE(PixelsOf(l, clYellow).empty());
    EXPECT_FALSE(PixelsOf(l, clBlack).empty());  // the text is still drawn
}
