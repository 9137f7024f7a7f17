// The control tree: parent-following colour and font, notifications after changes,
// alignment, ownership and destruction, recreating a window, stored properties.
#include <gtest/gtest.h>

#include "framework/core/streaming.h"
#include "framework/core/typinfo.h"
#include "tests/framework/control_tree_fixture.h"

using Controls = ControlTreeTest;
using Lines = std::vector<std::string>;

namespace {
class TNotified : public TProbeBox {
public:
    using TProbeBox::TProbeBox;
    int Created = 0;
    Lines Seen;

protected:
    void CreateWnd() override {
        TProbeBox::CreateWnd();
        ++Created;
    }
    void WndProc(TMessage& m) override {
        switch (m.Msg) {
            case CM_COLORCHANGED: Seen.push_back("color"); break;
            case CM_FONTCHANGED: Seen.push_back("font"); break;
            case CM_TEXTCHANGED: Seen.push_back("text"); break;
            case CM_ENABLEDCHANGED: Seen.push_back("enabled"); break;
            case CM_VISIBLECHANGED: Seen.push_back("visible"); break;
            case CM_PARENTCOLORCHANGED: Seen.push_back("parentcolor"); break;
            case CM_PARENTFONTCHANGED: Seen.push_back("parentfont"); break;
            case WM_SIZE: Seen.push_back("size"); break;
            default: break;
        }
        TProbeBox::WndProc(m);
    }
};
// Writes down which notifications reach it while a description is applied, and whether
// the whole window still counts as loading then.
class TLoadWatch : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    static inline Lines* Log = nullptr;

protected:
    void WndProc(TMessage& m) override {
        const char* what = m.Msg == CM_PARENTCOLORCHANGED   ? "parentcolor"
                           : m.Msg == CM_PARENTFONTCHANGED  ? "parentfont"
                           : m.Msg == CM_PARENTCTL3DCHANGED ? "parentctl3d"
                                                            : nullptr;
        if (what) Note(what);
        TCustomControl::WndProc(m);
    }
    void Loaded() override {
        TCustomControl::Loaded();
        Note("loaded");
    }

private:
    // "loading" when every component of the window carries csLoading, "partly" when only
    // some do, "running" when none does.
    void Note(const std::string& what) {
        TComponent* root = Owner();
        int loading = root->ComponentState().Contains(csLoading) ? 1 : 0;
        for (int i = 0; i < root->ComponentCount(); ++i)
            loading += root->Components(i)->ComponentState().Contains(csLoading) ? 1 : 0;
        const int all = root->ComponentCount() + 1;
        Log->push_back(Name() + " " + what + " " + (loading == all ? "loading" : loading == 0 ? "running" : "partly"));
    }
};
}  // namespace

// Taking the parent's colour, font and 3-D look is part of applying the description: it
// happens while the whole window is loading, before any control is told it is loaded.
TEST_F(Controls, ParentSettingsAreAppliedWhileTheWholeDescriptionIsLoading) {
    RegisterClass<TLoadWatch>("TLoadWatch", "TCustomControl");
    Lines log;
    TLoadWatch::Log = &log;
    ReadComponentText(Form, R"(object Form: TForm
  Color = clNavy
  Font.Name = 'Tahoma'
  Font.Height = -11
  object Outer: TLoadWatch
    ParentColor = True
    object Inner: TLoadWatch
      ParentColor = True
    end
  end
end
)");
    TLoadWatch::Log = nullptr;
    auto* outer = dynamic_cast<TLoadWatch*>(Form->FindComponent("Outer"));
    auto* inner = dynamic_cast<TLoadWatch*>(Form->FindComponent("Inner"));
    ASSERT_TRUE(outer && inner);
    EXPECT_EQ(outer->Color(), clNavy);
    EXPECT_EQ(inner->Color(), clNavy);
    EXPECT_EQ(inner->Font()->Name(), "Tahoma");
    EXPECT_EQ(inner->Font()->Height(), -11);
    // Outer passes a new colour or font on to Inner at once (its 3-D look stays); then
    // Inner's own turn; Loaded comes last, each control no longer loading when it arrives.
    EXPECT_EQ(log, (Lines{"Outer parentcolor loading", "Inner parentcolor loading", "Outer parentfont loading",
                          "Inner parentfont loading", "Outer parentctl3d loading", "Inner parentcolor loading",
                          "Inner parentfont loading", "Inner parentctl3d loading", "Outer loaded partly",
                          "Inner loaded running"}));
}

TEST_F(Controls, ColourAndFontFollowTheParentUntilSetOwnValues) {
    auto* n = new TNotified(Form);
    n->SetParentColor(true);
    n->SetParent(Form);
    EXPECT_EQ(n->Color(), clWhite);
    EXPECT_TRUE(n->ParentColor());
    n->Seen.clear();
    Form->SetColor(clNavy);
    EXPECT_EQ(n->Color(), clNavy);
    EXPECT_TRUE(n->ParentColor());
    EXPECT_EQ(n->Seen, (Lines{"parentcolor", "color"}));
    n->SetColor(clRed);
    EXPECT_FALSE(n->ParentColor());
    Form->SetColor(clGreen);
    EXPECT_EQ(n->Color(), clRed);
    n->Seen.clear();
    Form->Font()->SetName("Tahoma");
    EXPECT_EQ(n->Font()->Name(), "Tahoma");
    EXPECT_TRUE(n->ParentFont());
    n->Font()->SetHeight(-20);
    EXPECT_FALSE(n->ParentFont());
    Form->Font()->SetHeight(-9);
    EXPECT_EQ(n->Font()->Height(), -20);
    n->Seen.clear();
    n->SetCaption("x");
    n->SetCaption("x");
    n->SetEnabled(false);
    n->SetEnabled(false);
    n->SetVisible(false);
    EXPECT_EQ(n->Seen, (Lines{"text", "enabled", "visible"}));
}

TEST_F(Controls, ChildrenAlignTopBottomLeftRightThenClient) {
    TProbeBox* top = Box("Top", Form, Rect(0, 0, 10, 20));
    TProbeBox* bottom = Box("Bottom", Form, Rect(0, 0, 10, 15));
    TProbeBox* left = Box("Left", Form, Rect(0, 0, 30, 10));
    TProbeBox* client = Box("Client", Form, Rect(0, 0, 10, 10));
    client->SetAlign(alClient);
    left->SetAlign(alLeft);
    bottom->SetAlign(alBottom);
    top->SetAlign(alTop);
    EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 200, 20));
    EXPECT_EQ(bottom->BoundsRect(), Rect(0, 85, 200, 100));
    EXPECT_EQ(left->BoundsRect(), Rect(0, 20, 30, 85));
    EXPECT_EQ(client->BoundsRect(), Rect(30, 20, 200, 85));
    Form->SetClientHeight(120);
    EXPECT_EQ(bottom->BoundsRect(), Rect(0, 105, 200, 120));
    EXPECT_EQ(client->BoundsRect(), Rect(30, 20, 200, 105));
}

TEST_F(Controls, AParentFreesItsChildrenAndAChildLeavesItsParent) {
    TProbeBox* outer = Box("Outer", Form, Rect(0, 0, 100, 100));
    TProbeBox* inner = Box("Inner", outer, Rect(0, 0, 10, 10));
    Glyph("G", outer, Rect(0, 0, 5, 5));
    ShowForm();
    inner->SetFocus();
    EXPECT_EQ(outer->ControlCount(), 2);
    delete inner;
    EXPECT_EQ(outer->ControlCount(), 1);
    EXPECT_EQ(Form->ActiveControl(), nullptr);
    EXPECT_EQ(Form->FindComponent("Inner"), nullptr);
    delete outer;  // takes the glyph along
    EXPECT_EQ(Form->FindComponent("G"), nullptr);
    EXPECT_EQ(Form->ControlCount(), 0);
    App->ProcessMessages();
}

// A control's form is the nearest form above it, itself if it is one; windowed children
// are kept apart from graphic ones, whichever way they arrive.
TEST_F(Controls, AControlsFormIsTheNearestFormAboveItAndWindowedChildrenAreKeptApart) {
    TProbeBox* outer = Box("Outer", Form, Rect(0, 0, 100, 100));
    auto* inner = new TForm(Form);
    inner->SetParent(outer);
    TProbeBox* deep = Box("Deep", inner, Rect(0, 0, 10, 10));
    TProbeGlyph* glyph = Glyph("G", deep, Rect(0, 0, 5, 5));
    EXPECT_EQ(GetParentForm(outer), Form);
    EXPECT_EQ(GetParentForm(inner), inner);
    EXPECT_EQ(GetParentForm(deep), inner);
    EXPECT_EQ(GetParentForm(glyph), inner);
    EXPECT_EQ(GetParentForm(nullptr), nullptr);
    EXPECT_EQ(glyph->AsWinControl(), nullptr);
    EXPECT_EQ(deep->AsWinControl(), deep);
    EXPECT_EQ(deep->AsCustomForm(), nullptr);
    EXPECT_EQ(inner->AsCustomForm(), inner);
    // A parent lists its graphic children before its windowed ones, in the order each came.
    TProbeGlyph* later = Glyph("H", outer, Rect(0, 0, 5, 5));
    ASSERT_EQ(outer->ControlCount(), 2);
    EXPECT_EQ(outer->Controls(0), later);
    EXPECT_EQ(outer->Controls(1), inner);
    // A box taken off its form has none; moved under the outer box, it is the outer form's.
    deep->SetParent(nullptr);
    EXPECT_EQ(GetParentForm(glyph), nullptr);
    deep->SetParent(outer);
    EXPECT_EQ(GetParentForm(glyph), Form);
    ASSERT_EQ(outer->ControlCount(), 3);
    EXPECT_EQ(outer->Controls(0), later);
    EXPECT_EQ(outer->Controls(2), deep);
}

TEST_F(Controls, RecreatingTheWindowKeepsTextAndPropertiesAndAnnouncesTheNewWindow) {
    auto* n = new TNotified(Form);
    n->SetParent(Form);
    n->SetCaption("kept");
    n->SetColor(clMaroon);
    EXPECT_EQ(n->Created, 0);  // no window before the form is shown
    ShowForm();
    EXPECT_EQ(n->Created, 1);
    EXPECT_TRUE(n->HandleAllocated());
    n->RecreateWnd();
    EXPECT_EQ(n->Created, 2);
    EXPECT_EQ(n->Caption(), "kept");
    EXPECT_EQ(n->Color(), clMaroon);
    n->SetCtl3D(false);  // a style bit: the window is made again
    EXPECT_EQ(n->Created, 3);
    n->SetBounds(0, 0, 50, 50);
    EXPECT_EQ(n->Seen.back(), "size");
}

TEST_F(Controls, ThePublishedTablesCarryTheCommonProperties) {
    TProbeBox* a = Box("A", Form, Rect(1, 2, 3, 4));
    EXPECT_TRUE(SetOrdProp(a, "Left", 7));
    EXPECT_EQ(a->Left(), 7);
    EXPECT_TRUE(SetEnumProp(a, "Align", "alClient"));
    EXPECT_EQ(a->Align(), alClient);
    EXPECT_TRUE(SetOrdProp(a, "Color", clMaroon));
    EXPECT_TRUE(SetStrProp(a, "Caption", "Create"));
    EXPECT_EQ(a->Caption(), "Create");
    EXPECT_TRUE(SetOrdProp(a, "TabOrder", 0));
    EXPECT_TRUE(IsPublishedProp(a, "Ctl3D"));
    EXPECT_TRUE(IsPublishedProp(Form, "ClientWidth"));
    EXPECT_TRUE(IsPublishedProp(Form, "BorderIcons"));
    EXPECT_TRUE(SetPropText(a, "Font.Name", "'Lucida Console'"));
    EXPECT_EQ(a->Font()->Name(), "Lucida Console");
    EXPECT_FALSE(a->ParentFont());
    ReadComponentText(Form, R"(object Form: TForm
  BorderStyle = bsSingle
  BorderIcons = [biSystemMenu, biMinimize]
  ClientHeight = 427
  ClientWidth = 689
  Caption = 'Verbolt Editor v1.0 | For Korvane System 4'
end
)");
    EXPECT_EQ(Form->ClientWidth(), 689);
    EXPECT_EQ(Form->ClientHeight(), 427);
    EXPECT_EQ(Form->BorderIcons(), (TBorderIcons{biSystemMenu, biMinimize}));
    const std::string text = WriteComponentText(Form);
    EXPECT_NE(text.find("ClientWidth = 689"), std::string::npos);
    EXPECT_EQ(text.find("\n  Width ="), std::string::npos);
}

// The private protocols' numbers are fixed; a clash with a framework message would send one
// notification to the other's handler.
TEST(Messages, PrivateMessagesKeepTheirNumbersAndClashWithNoOther) {
    EXPECT_EQ(CM_BLINKQUERY, 46056u);
    EXPECT_EQ(CM_BLINKSTATE, 46057u);
    EXPECT_EQ(WM_GROUPPRESS, 9249u);
    for (unsigned framework :
         {CM_ACTIVATE, CM_DIALOGKEY, CM_FOCUSCHANGED, CM_MOUSEENTER, CM_MOUSELEAVE, CM_ACCESSIBLEACTION, WM_USER})
        for (unsigned own : {CM_BLINKQUERY, CM_BLINKSTATE, WM_GROUPPRESS}) EXPECT_NE(framework, own);
}
