// The accessible tree of a form: how the framework's own controls present themselves, how
// labels name fields, what leaves the tree, how actions are queued, and that nothing is
// made or announced until an assistive tool asks.
#include <gtest/gtest.h>

#include <algorithm>

#include "framework/stdctrls/edits.h"
#include "framework/stdctrls/extctrls.h"
#include "framework/stdctrls/stdctrls.h"
#include "framework/ui/accessibility.h"
#include "tests/framework/control_tree_fixture.h"

namespace {

class AccessibilityTest : public ControlTreeTest {
protected:
    void SetUp() override {
        ControlTreeTest::SetUp();
        Group = new TPanel(Form);
        Group->SetName("Group");
        Group->SetCaption("&Details");
        Group->SetBounds(10, 10, 180, 80);
        Group->SetParent(Form);
        // A row: a label and its field, the label a little lower, as a window lays them out.
        NameLabel = Label("NameLabel", "&Name:", 4, 13);
        NameField = Edit("NameField", 50, 10);
        NameLabel->SetFocusControl(NameField);
        // A picture across the panel's top: decoration.
        Picture = new TImage(Form);
        Picture->SetName("Picture");
        Picture->SetBounds(0, 0, 180, 8);
        Picture->SetParent(Group);
        OtherLabel = Label("OtherLabel", "Other:", 4, 43);
        OtherField = Edit("OtherField", 50, 40);
        ShowForm();
        Tree = Desk->AccessibleTree(Window());
        ASSERT_NE(Tree, nullptr);
    }
    TLabel* Label(const std::string& name, const std::string& caption, int x, int y) {
        auto* l = new TLabel(Form);
        l->SetName(name);
        l->SetCaption(caption);
        l->SetLeft(x);
        l->SetTop(y);
        l->SetParent(Group);
        return l;
    }
    TEdit* Edit(const std::string& name, int x, int y) {
        auto* e = new TEdit(Form);
        e->SetName(name);
        e->SetBounds(x, y, 100, 21);
        e->SetParent(Group);
        e->SetText(name);
        return e;
    }
    TAccessibleInfo Info(TControl* c) {
        TAccessibleInfo info;
        EXPECT_TRUE(Tree->Describe(AccessibleIdOf(c), info));
        return info;
    }
    bool Announced(TControl* c, TAccessibleEvent event) {
        const TAccessibleId id = AccessibleIdOf(c);
        const auto& events = Desk->AccessibleEvents();
        return std::any_of(events.begin(), events.end(), [&](const auto& e) { return e.Id == id && e.Event == event; });
    }
    TPanel* Group = nullptr;
    TLabel* NameLabel = nullptr;
    TEdit* NameField = nullptr;
    TImage* Picture = nullptr;
    TLabel* OtherLabel = nullptr;
    TEdit* OtherField = nullptr;
    TAccessibleTree* Tree = nullptr;
};

std::vector<TAccessibleId> Ids(std::initializer_list<TControl*> controls) {
    std::vector<TAccessibleId> out;
    for (TControl* c : controls) out.push_back(AccessibleIdOf(c));
    return out;
}

}  // namespace

TEST_F(AccessibilityTest, ControlsPresentThemselvesRowByRowAndPicturesNot) {
    const TAccessibleSnapshot root = SnapshotAccessibleTree(*Tree);
    EXPECT_EQ(root.Id, AccessibleIdOf(Form));
    ASSERT_EQ(root.Children.size(), 1u);
    const TAccessibleSnapshot& group = root.Children[0];
    EXPECT_EQ(group.Info.Role, arPanel);
    EXPECT_EQ(group.Info.Name, "Details");
    EXPECT_EQ(group.Info.Bounds, Rect(10, 10, 190, 90));
    // Each label before its field, the picture nowhere.
    EXPECT_EQ(group.Info.Children, Ids({NameLabel, NameField, OtherLabel, OtherField}));
    const TAccessibleInfo label = group.Children[0].Info;
    EXPECT_EQ(label.Role, arStaticText);
    EXPECT_EQ(label.Name, "Name:");
    const TAccessibleInfo field = group.Children[1].Info;
    EXPECT_EQ(field.Role, arEditableText);
    EXPECT_EQ(field.Name, "Name:");  // through the label's focus control
    EXPECT_EQ(field.LabelledBy, AccessibleIdOf(NameLabel));
    EXPECT_EQ(field.Text, "NameField");
    EXPECT_TRUE(field.Has(asFocusable));
    EXPECT_TRUE(field.Offers(aaFocus));
    // The panel's client origin is inside its one-pixel bevel.
    const TPoint o = Group->ClientOrigin();
    EXPECT_EQ(field.Bounds, Bounds(o.X + 50, o.Y + 10, 100, 21));
    // Nobody names the second field.
    EXPECT_EQ(group.Children[3].Info.Name, "");
    EXPECT_FALSE(group.Children[3].Info.LabelledBy.Valid());
}

TEST_F(AccessibilityTest, AGivenLabelNamesAFieldUntilItIsDestroyed) {
    OtherField->SetAccessibleLabel(OtherLabel);
    EXPECT_EQ(Info(OtherField).Name, "Other:");
    // It wins over a focus-control link, and when it goes that link names the field again.
    NameField->SetAccessibleLabel(OtherLabel);
    EXPECT_EQ(Info(NameField).Name, "Other:");
    delete OtherLabel;
    EXPECT_EQ(NameField->AccessibleLabel(), nullptr);
    EXPECT_EQ(Info(NameField).Name, "Name:");
    EXPECT_EQ(Info(OtherField).Name, "");
}

TEST_F(AccessibilityTest, HiddenAndInvisibleControlsLeaveTheTreeAndTheParentSaysSo) {
    Desk->SetAccessibilityActive(true);
    OtherField->SetVisible(false);
    EXPECT_EQ(Info(Group).Children, Ids({NameLabel, NameField, OtherLabel}));
    EXPECT_TRUE(Info(OtherField).Has(asInvisible));
    EXPECT_FALSE(Info(OtherField).Parent.Valid());
    EXPECT_TRUE(Announced(Group, aeChildrenChanged));

    // Hidden from the tree with everything inside: still described, never reached.
    Group->SetAccessibleHidden(true);
    EXPECT_TRUE(SnapshotAccessibleTree(*Tree).Children.empty());
    EXPECT_TRUE(Info(NameField).Has(asInvisible));
    EXPECT_TRUE(Announced(Form, aeChildrenChanged));
    // An invisible object has no action to run.
    EXPECT_FALSE(Tree->DoAction(AccessibleIdOf(NameField), aaFocus));
}

TEST_F(AccessibilityTest, ADisabledContainerDisablesWhatItHolds) {
    Group->SetEnabled(false);
    EXPECT_TRUE(Info(Group).Has(asDisabled));
    EXPECT_TRUE(Info(NameField).Has(asDisabled));
    EXPECT_TRUE(Info(NameLabel).Has(asDisabled));
    EXPECT_TRUE(Info(NameField).Offers(aaFocus));  // offered, and refused while disabled
    EXPECT_FALSE(Tree->DoAction(AccessibleIdOf(NameField), aaFocus));
    Group->SetEnabled(true);
    EXPECT_FALSE(Info(NameField).Has(asDisabled));
}

TEST_F(AccessibilityTest, ActionsRunFromTheLoopAndTextSelectionAtOnce) {
    const TAccessibleId field = AccessibleIdOf(OtherField);
    ASSERT_TRUE(Tree->DoAction(field, aaFocus));
    EXPECT_FALSE(OtherField->Focused());
    App->ProcessMessages();
    EXPECT_TRUE(OtherField->Focused());
    EXPECT_EQ(Tree->Focus(), field);
    EXPECT_TRUE(Info(OtherField).Has(asFocused));
    // Labels and panels have nothing to run.
    EXPECT_FALSE(Tree->DoAction(AccessibleIdOf(NameLabel), aaPress));
    EXPECT_FALSE(Tree->DoAction(AccessibleIdOf(Group), aaFocus));
    EXPECT_FALSE(Tree->SetTextSelection(AccessibleIdOf(NameLabel), 0, 1));
    // Offsets are clamped to the text as any selection is.
    EXPECT_TRUE(Tree->SetTextSelection(field, 2, 99));
    EXPECT_EQ(OtherField->SelStart(), 2);
    EXPECT_EQ(OtherField->SelLength(), 8);
}

TEST_F(AccessibilityTest, ADestroyedControlIsForgottenAndTheDriverTold) {
    const TAccessibleId id = AccessibleIdOf(OtherField);
    Desk->ClearAccessibleEvents();
    delete OtherField;
    EXPECT_EQ(AccessibleControlOf(id), nullptr);
    EXPECT_FALSE(Tree->Exists(id));
    TAccessibleInfo info;
    EXPECT_FALSE(Tree->Describe(id, info));
    // Told although no tool listens: a driver may still hold what it was told before.
    ASSERT_EQ(Desk->AccessibleEvents().size(), 1u);
    EXPECT_EQ(Desk->AccessibleEvents()[0].Id, id);
    EXPECT_EQ(Desk->AccessibleEvents()[0].Event, aeGone);
    // Ids are not reused.
    auto* again = new TEdit(Form);
    EXPECT_NE(AccessibleIdOf(again), id);
}

TEST_F(AccessibilityTest, WhileNoToolListensNothingIsMadeOrAnnounced) {
    // Typing, focus, moves, hiding, destroying: none of it reaches the driver, since no
    // control was ever named to a tool.
    NameField->SetFocus();
    Desk->TypeText(Window(), "abc");
    OtherField->SetLeft(60);
    OtherLabel->SetVisible(false);
    App->ProcessMessages();
    delete OtherField;
    delete Group;
    EXPECT_TRUE(Desk->AccessibleEvents().empty());
}
