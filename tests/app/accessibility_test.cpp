// The editor as a screen reader meets it: the accessible tree of the real Form1 on the
// headless desktop (roles, names, values, states), its announcements, and its actions.
#include <algorithm>

#include "controls/vt_status.h"
#include "framework/ui/accessibility.h"
#include "langfile/catalogue.h"
#include "tests/support/editor_fixture.h"

namespace {

class EditorAccessibility : public Editor {
protected:
    void SetUp() override {
        Editor::SetUp();
        Desk->SetAccessibilityActive(true);
        Tree = Desk->AccessibleTree(Form1->WindowId());
        ASSERT_NE(Tree, nullptr);
    }
    TAccessibleInfo Info(TAccessibleId id) {
        TAccessibleInfo info;
        EXPECT_TRUE(Tree->Describe(id, info));
        return info;
    }
    TAccessibleInfo Info(TControl* c, int part = -1) { return Info(AccessibleIdOf(c, part)); }
    // Runs an action as a tool asks for it: queued, then the loop runs it.
    bool Act(TAccessibleId id, TAccessibleAction action) {
        const bool offered = Tree->DoAction(id, action);
        App->ProcessMessages();
        return offered;
    }
    bool Act(TControl* c, TAccessibleAction action) { return Act(AccessibleIdOf(c), action); }
    bool Announced(TControl* c, TAccessibleEvent event, int part = -1) {
        const TAccessibleId id = AccessibleIdOf(c, part);
        const auto& events = Desk->AccessibleEvents();
        return std::any_of(events.begin(), events.end(), [&](const auto& e) { return e.Id == id && e.Event == event; });
    }
    std::string Joined(const std::vector<std::string>& lines) {
        std::string s;
        for (size_t i = 0; i < lines.size(); ++i) s += (i ? "\n" : "") + lines[i];
        return s;
    }
    TAccessibleTree* Tree = nullptr;
};

std::vector<std::string> Names(const TAccessibleSnapshot& node) {
    std::vector<std::string> out;
    for (const TAccessibleSnapshot& c : node.Children) out.push_back(c.Info.Name);
    return out;
}

}  // namespace

TEST_F(EditorAccessibility, TheWindowPresentsItsHeaderPagesAndFooterInReadingOrder) {
    const TAccessibleSnapshot root = SnapshotAccessibleTree(*Tree);
    EXPECT_EQ(root.Info.Role, arWindow);
    EXPECT_EQ(root.Info.Name, "Verbolt Editor v1.0 | For Korvane System 4");
    EXPECT_EQ(root.Info.Bounds, Rect(0, 0, 689, 427));
    // The header picture and the title are decoration: the clock, the four buttons row by
    // row, the pages, the footer.
    std::vector<TAccessibleRole> roles;
    for (const auto& c : root.Children) roles.push_back(c.Info.Role);
    EXPECT_EQ(roles, (std::vector<TAccessibleRole>{arStatusBar, arPushButton, arPushButton, arPushButton, arPushButton,
                                                   arPageTabList, arPanel}));
    auto* clock = dynamic_cast<TVtClockStatus*>(Form1->FindComponent("VtClockStatus1"));
    ASSERT_NE(clock, nullptr);
    ASSERT_FALSE(clock->ClockText().empty());
    EXPECT_EQ(root.Children[0].Info.Name, clock->ClockText());
    EXPECT_TRUE(root.Children[0].Info.HasText);
    EXPECT_EQ(root.Children[0].Info.Text, clock->ClockText());
    EXPECT_EQ(Names(root)[1], "Create");
    EXPECT_EQ(Names(root)[2], "Save File");
    EXPECT_EQ(Names(root)[3], "Clear File");
    EXPECT_EQ(Names(root)[4], "Exit Program");
    EXPECT_EQ(root.Children[1].Info.Bounds, Rect(8, 8, 83, 33));
    // The footer's picture is left out, its notice is read.
    const TAccessibleSnapshot& footer = root.Children[6];
    ASSERT_EQ(footer.Children.size(), 1u);
    EXPECT_EQ(footer.Children[0].Info.Role, arStaticText);
    EXPECT_EQ(footer.Children[0].Info.Name.rfind("Verbolt Editor v1.0", 0), 0u);
    // Nothing unpresented, nothing unnamed that should be named.
    EXPECT_TRUE(root.FindAll([](const TAccessibleSnapshot& n) { return n.Info.Role == arNone; }).empty());
    EXPECT_TRUE(root.FindAll([](const TAccessibleSnapshot& n) {
                        return n.Info.Has(asInvisible) || (n.Info.Name.empty() && n.Info.Role != arPanel &&
                                                           n.Info.Role != arPageTabList && n.Info.Role != arSeparator);
                    })
                    .empty());
    // Every object's parent is the one that lists it.
    for (const TAccessibleSnapshot* n : root.FindAll([](const auto&) { return true; }))
        for (const TAccessibleSnapshot& c : n->Children) EXPECT_EQ(c.Info.Parent, n->Id);
}

TEST_F(EditorAccessibility, ThePagesAreTabsOfAPageTabListAndOnlyTheShownOneHoldsItsPage) {
    const TAccessibleSnapshot root = SnapshotAccessibleTree(*Tree);
    const TAccessibleSnapshot& tabs = root.Children[5];
    EXPECT_EQ(tabs.Id, AccessibleIdOf(Form1->VtPageControl1));
    EXPECT_EQ(Names(tabs),
              (std::vector<std::string>{"Language Information", "Messages and Categories", "Main Information",
                                        "Extra Information", "Extra Information 2", "File"}));
    for (size_t i = 0; i < tabs.Children.size(); ++i) {
        const TAccessibleSnapshot& tab = tabs.Children[i];
        EXPECT_EQ(tab.Info.Role, arPageTab);
        EXPECT_EQ(tab.Info.Has(asSelected), i == 0) << i;
        EXPECT_TRUE(tab.Info.Has(asSelectable));
        EXPECT_TRUE(tab.Info.Offers(aaSelect));
        EXPECT_FALSE(tab.Info.Bounds.IsEmpty());
        EXPECT_EQ(tab.Children.size(), i == 0 ? 1u : 0u) << i;
    }
    // The first page: its three panels, the fields named by their labels.
    const TAccessibleSnapshot& page = tabs.Children[0].Children[0];
    EXPECT_EQ(page.Id, AccessibleIdOf(Form1->TabSheet1));
    ASSERT_EQ(page.Children.size(), 3u);
    const TAccessibleSnapshot& top = page.Children[0];
    EXPECT_EQ(Names(top), (std::vector<std::string>{"Author:", "Author:", "Forum Member ID:", "Forum Member ID:",
                                                    "Leave Comment?:", "Leave Comment?:"}));
    EXPECT_EQ(top.Children[0].Info.Role, arStaticText);
    EXPECT_EQ(top.Children[1].Info.Role, arEditableText);
    EXPECT_EQ(top.Children[1].Info.LabelledBy, top.Children[0].Id);
    // Row by row: the right-hand panel starts above the lower left one. Its emblem is
    // decoration; the program's name and its notes are text.
    EXPECT_EQ(page.Children[1].Id, AccessibleIdOf(dynamic_cast<TControl*>(Form1->FindComponent("VtPanel7"))));
    EXPECT_EQ(
        Names(page.Children[1]),
        (std::vector<std::string>{"Verbolt Editor v1.0", "With this program you may create language file for korvane",
                                  "versions 4 only! Just fill all the text boxes with the phrases and",
                                  "click create! Default english phrases are in the fields.", "KV4"}));
    EXPECT_EQ(Names(page.Children[2])[0], "Register in the forum if you don't have a forum member id.");
}

TEST_F(EditorAccessibility, EveryFieldIsNamedByItsLabelAndHoldsItsTextAsValue) {
    const auto defaults = langfile::DefaultPhraseTexts();
    for (const langfile::PhraseEntry& e : langfile::Phrases()) {
        const TAccessibleInfo info = Info(Field(e.field));
        EXPECT_EQ(info.Role, arEditableText) << e.field;
        EXPECT_EQ(info.Name, e.label) << e.field;
        EXPECT_EQ(info.Text, defaults.at(std::string(e.field))) << e.field;
        EXPECT_FALSE(info.Has(asReadOnly)) << e.field;
        EXPECT_TRUE(info.Has(asFocusable)) << e.field;
        EXPECT_EQ(info.Has(asInvisible), Field(e.field)->Parent()->Parent() != Form1->TabSheet1) << e.field;
    }
    EXPECT_EQ(Info(Field("edComment")).Name, "Leave Comment?:");
    EXPECT_EQ(Info(Field("edComment")).Text, "");
    for (const langfile::PopupEntry& p : langfile::Popups()) {
        const TAccessibleInfo info = Info(Field(p.referenceField));
        EXPECT_EQ(info.Name, p.referenceLabel) << p.referenceField;
        EXPECT_EQ(info.Text, p.value) << p.referenceField;
        EXPECT_TRUE(info.Has(asReadOnly)) << p.referenceField;
    }
    // One label names a row of fields: "Password 1:" the three of its row, "or" none.
    EXPECT_EQ(Info(Field("edPw2")).Name, "Password 1:");
    EXPECT_EQ(Info(Field("edPw3")).Name, "Password 1:");
    EXPECT_EQ(Info(Field("edFF4")).Name, "Friendlyfire 3:");
}

TEST_F(EditorAccessibility, ValuesCaretAndSelectionFollowTyping) {
    TVtEdit* author = Field("edAuthor");
    const TAccessibleId id = AccessibleIdOf(author);
    EXPECT_TRUE(Act(author, aaFocus));
    EXPECT_TRUE(author->Focused());
    EXPECT_EQ(Tree->Focus(), id);
    TAccessibleInfo info = Info(id);
    EXPECT_TRUE(info.Has(asFocused));
    // Tabbing in, or focusing from a tool, selects everything.
    EXPECT_EQ(info.Text, "Your Name");
    EXPECT_EQ(info.SelStart, 0);
    EXPECT_EQ(info.SelEnd, 9);
    EXPECT_TRUE(Announced(author, aeFocus));

    Desk->ClearAccessibleEvents();
    Type("Ann");
    info = Info(id);
    EXPECT_EQ(info.Text, "Ann");
    EXPECT_EQ(info.Caret, 3);
    EXPECT_EQ(info.SelStart, info.SelEnd);
    EXPECT_TRUE(Announced(author, aeChanged));
    EXPECT_TRUE(Announced(author, aeCaretMoved));

    // A tool moves the caret and selects.
    EXPECT_TRUE(Tree->SetTextSelection(id, 1, 3));
    EXPECT_EQ(author->SelStart(), 1);
    EXPECT_EQ(author->SelLength(), 2);
    EXPECT_EQ(Info(id).Caret, 3);
}

TEST_F(EditorAccessibility, StatesFollowEnablingAndTheFocus) {
    EXPECT_TRUE(Info(Form1->btnSave).Has(asDisabled));
    EXPECT_FALSE(Info(Form1->btnCreate).Has(asDisabled));
    // The focus starts on Create; Tab moves it, and the tree with it.
    EXPECT_EQ(Tree->Focus(), AccessibleIdOf(Form1->btnCreate));
    EXPECT_TRUE(Info(Form1->btnCreate).Has(asFocused));
    Stroke(VK_TAB);
    EXPECT_FALSE(Info(Form1->btnCreate).Has(asFocused));
    EXPECT_TRUE(Info(Form1->btnRecreate).Has(asFocused));
    EXPECT_TRUE(Announced(Form1->btnRecreate, aeFocus));

    Desk->ClearAccessibleEvents();
    Form1->btnSave->SetEnabled(true);
    EXPECT_FALSE(Info(Form1->btnSave).Has(asDisabled));
    EXPECT_TRUE(Announced(Form1->btnSave, aeChanged));

    // On the page control the focus is on the selected tab; the arrows move both.
    Form1->VtPageControl1->SetFocus();
    App->ProcessMessages();
    EXPECT_EQ(Tree->Focus(), AccessibleIdOf(Form1->VtPageControl1, 0));
    EXPECT_TRUE(Info(Form1->VtPageControl1, 0).Has(asFocused));
    EXPECT_FALSE(Info(Form1->VtPageControl1).Has(asFocused));
    Desk->ClearAccessibleEvents();
    Stroke(VK_RIGHT);
    EXPECT_EQ(Form1->VtPageControl1->TabIndex(), 1);
    EXPECT_TRUE(Info(Form1->VtPageControl1, 1).Has(asFocused));
    EXPECT_TRUE(Info(Form1->VtPageControl1, 1).Has(asSelected));
    EXPECT_FALSE(Info(Form1->VtPageControl1, 0).Has(asSelected));
    EXPECT_TRUE(Announced(Form1->VtPageControl1, aeFocus, 1));
    EXPECT_TRUE(Announced(Form1->VtPageControl1, aeChildrenChanged));
}

TEST_F(EditorAccessibility, TheSelectActionSwitchesPages) {
    TVtPageControl* pages = Form1->VtPageControl1;
    const TAccessibleId file = AccessibleIdOf(pages, 5);
    // Queued like input: nothing happens until the loop runs.
    EXPECT_TRUE(Tree->DoAction(file, aaSelect));
    EXPECT_EQ(pages->ActivePage(), Form1->TabSheet1);
    App->ProcessMessages();
    EXPECT_EQ(pages->ActivePage(), Form1->TabSheet6);
    EXPECT_TRUE(Info(file).Has(asSelected));
    EXPECT_TRUE(Info(pages, 0).Children.empty());
    ASSERT_EQ(Info(file).Children, std::vector<TAccessibleId>{AccessibleIdOf(Form1->TabSheet6)});
    // The File page holds the text view: a multi-line, read-only text of its lines.
    const TAccessibleInfo view = Info(Form1->Editor);
    EXPECT_EQ(view.Role, arEditableText);
    EXPECT_TRUE(view.Has(asMultiLine));
    EXPECT_TRUE(view.Has(asReadOnly));
    EXPECT_FALSE(view.Has(asInvisible));
    // Each line ends with its line break, the last one too.
    EXPECT_EQ(view.Text, "Verbolt Editor v1.0\nFill all spaces in all tab pages and click create.\n");
    EXPECT_EQ(Info(Field("edAuthor")).Has(asInvisible), true);
    // Tool offsets count one "\n" between lines; the caret lands on the second line.
    EXPECT_TRUE(Tree->SetTextSelection(AccessibleIdOf(Form1->Editor), 20, 20));
    EXPECT_EQ(Form1->Editor->CaretPos(), (TPoint{0, 1}));
    EXPECT_EQ(Info(Form1->Editor).Caret, 20);
}

TEST_F(EditorAccessibility, ThePressActionClicksAndADisabledButtonRefusesIt) {
    EXPECT_TRUE(Info(Form1->btnSave).Offers(aaPress));
    EXPECT_FALSE(Act(Form1->btnSave, aaPress));
    EXPECT_TRUE(Desk->SaveDialogs().empty());

    EXPECT_TRUE(Act(Form1->btnCreate, aaPress));
    EXPECT_EQ(Info(Form1->btnCreate).Name, "ReCreate");
    EXPECT_FALSE(Info(Form1->btnSave).Has(asDisabled));
    EXPECT_TRUE(Info(Form1->VtPageControl1, 5).Has(asSelected));
    EXPECT_EQ(Info(Form1->Editor).Text, Joined(langfile::BuildLanguageFile(langfile::DefaultPhraseTexts(), "")) + "\n");
    EXPECT_TRUE(Announced(Form1->btnCreate, aeChanged));
    EXPECT_TRUE(Announced(Form1->Editor, aeChanged));
    // A press does not move the focus, as with a tool it should not.
    EXPECT_EQ(Tree->Focus(), AccessibleIdOf(Form1->btnCreate));

    Desk->AnswerSaveDialog(std::optional<std::string>());
    EXPECT_TRUE(Act(Form1->btnSave, aaPress));
    EXPECT_EQ(Desk->SaveDialogs().size(), 1u);
}

TEST_F(EditorAccessibility, NothingIsAnnouncedWhileNoToolListens) {
    Desk->SetAccessibilityActive(false);
    Desk->ClearAccessibleEvents();
    Field("edAuthor")->SetFocus();
    Desk->TypeText(Form1->WindowId(), "x");
    Click(Form1->btnCreate);
    EXPECT_TRUE(Desk->AccessibleEvents().empty());
}
