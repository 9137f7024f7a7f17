// Components: ownership and the order things die in, free notification, names, Loaded,
// the exception display rule and Format.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/classes.h"
#include "framework/core/streaming.h"
#include "framework/core/sysutils.h"
#include "framework/core/typinfo.h"

namespace {

std::vector<std::string>* gLog = nullptr;

// Logs its death and every notification it hears.
class TLogged : public TComponent {
public:
    using TComponent::TComponent;
    TLogged(TComponent* owner, const std::string& name) : TComponent(owner) { SetName(name); }
    ~TLogged() override {
        if (gLog) gLog->push_back("free " + Name());
    }
    TComponent* Watched = nullptr;
    bool WasLoading = true;
    int LoadedCount = 0;

protected:
    void Notification(TComponent* c, TOperation op) override {
        TComponent::Notification(c, op);
        if (op == opRemove && c == Watched) Watched = nullptr;
        if (gLog) gLog->push_back(Name() + (op == opInsert ? " +" : " -") + (c == this ? "self" : "other"));
    }
    void Loaded() override {
        TComponent::Loaded();
        WasLoading = ComponentState().Contains(csLoading);
        ++LoadedCount;
    }
};

class ComponentTest : public ::testing::Test {
protected:
    void SetUp() override { gLog = &log; }
    void TearDown() override { gLog = nullptr; }
    std::vector<std::string> log;
};

TEST_F(ComponentTest, OwnerFreesWhatItOwnsLastToFirst) {
    auto* owner = new TLogged(nullptr, "Owner");
    new TLogged(owner, "A");
    auto* b = new TLogged(owner, "B");
    new TLogged(owner, "C");
    new TLogged(b, "B1");
    ASSERT_EQ(owner->ComponentCount(), 3);
    EXPECT_EQ(owner->Components(1), b);
    EXPECT_EQ(b->ComponentIndex(), 1);
    EXPECT_EQ(b->Owner(), owner);
    log.clear();
    delete owner;
    // Each owned component goes without telling the dying owner again.
    EXPECT_EQ(log, (std::vector<std::string>{"free Owner", "free C", "free B", "free B1", "free A"}));
}

TEST_F(ComponentTest, FreedChildLeavesItsOwnerAndSiblingsHear) {
    TLogged owner(nullptr, "Owner");
    auto* a = new TLogged(&owner, "A");
    auto* b = new TLogged(&owner, "B");
    a->Watched = b;
    log.clear();
    delete b;
    EXPECT_EQ(owner.ComponentCount(), 1);
    EXPECT_EQ(owner.Components(0), a);
    EXPECT_EQ(a->Watched, nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"free B", "A -other", "Owner -other"}));
    EXPECT_THROW(owner.Components(1), EListError);
}

TEST_F(ComponentTest, FreeNotificationWorksBothWaysAndAcrossOwners) {
    TLogged formA(nullptr, "FormA"), formB(nullptr, "FormB");
    auto* watcher = new TLogged(&formA, "Watcher");
    auto* target = new TLogged(&formB, "Target");
    watcher->Watched = target;
    watcher->FreeNotification(target);
    EXPECT_TRUE(watcher->ComponentState().Contains(csFreeNotification));
    delete target;
    EXPECT_EQ(watcher->Watched, nullptr);

    // The link goes both ways: the target hears when the watcher goes first.
    auto* target2 = new TLogged(&formB, "Target2");
    auto* watcher2 = new TLogged(&formA, "Watcher2");
    watcher2->FreeNotification(target2);
    target2->Watched = watcher2;
    delete watcher2;
    EXPECT_EQ(target2->Watched, nullptr);

    // Removed links are silent.
    auto* t3 = new TLogged(&formB, "T3");
    watcher->Watched = t3;
    watcher->FreeNotification(t3);
    watcher->RemoveFreeNotification(t3);
    delete t3;
    EXPECT_EQ(watcher->Watched, t3);  // not told: still the stale pointer
}

TEST_F(ComponentTest, NamesAreValidUniqueAndFoundCaseInsensitively) {
    TComponent owner(nullptr);
    auto* a = new TComponent(&owner);
    a->SetName("btnCreate");
    auto* b = new TComponent(&owner);
    EXPECT_EQ(owner.FindComponent("BTNCREATE"), a);
    EXPECT_EQ(owner.FindComponent(""), nullptr);
    EXPECT_EQ(owner.FindComponent("missing"), nullptr);
    try {
        b->SetName("BtnCreate");
        FAIL();
    } catch (const EComponentError& e) {
        EXPECT_EQ(e.Message(), "A component named BtnCreate already exists");
    }
    try {
        b->SetName("1abc");
        FAIL();
    } catch (const EComponentError& e) {
        EXPECT_EQ(e.Message(), "'1abc' is not a valid component name");
    }
    b->SetName("btnSave");
    EXPECT_EQ(b->Name(), "btnSave");
    // Changing owners moves it; a clash in the new owner is refused.
    TComponent other(nullptr);
    auto* c = new TComponent(&other);
    c->SetName("btnSave");
    EXPECT_THROW(owner.InsertComponent(c), EComponentError);
    other.RemoveComponent(c);
    EXPECT_EQ(c->Owner(), nullptr);
    c->SetName("btnExit");
    owner.InsertComponent(c);
    EXPECT_EQ(c->Owner(), &owner);
    EXPECT_EQ(owner.ComponentCount(), 3);
    EXPECT_EQ(owner.FindComponent("BTNEXIT"), c);
    EXPECT_EQ(other.FindComponent("btnSave"), nullptr);
    // A name given up, by renaming, leaving or dying, is free and no longer found.
    b->SetName("btnRecreate");
    EXPECT_EQ(owner.FindComponent("btnSave"), nullptr);
    EXPECT_EQ(owner.FindComponent("BtnReCreate"), b);
    c->SetName("btnSave");
    EXPECT_EQ(owner.FindComponent("btnsave"), c);
    b->SetName("");
    EXPECT_EQ(owner.FindComponent("btnRecreate"), nullptr);
    a->SetName("BTNCREATE");  // only the case changes
    EXPECT_EQ(owner.FindComponent("btnCreate"), a);
    owner.RemoveComponent(c);
    EXPECT_EQ(owner.FindComponent("btnSave"), nullptr);
    other.InsertComponent(c);
    EXPECT_EQ(other.FindComponent("btnSave"), c);
    delete a;
    EXPECT_EQ(owner.FindComponent("btnCreate"), nullptr);
    b->SetName("btnCreate");
    EXPECT_EQ(owner.FindComponent("btnCreate"), b);
}

TEST_F(ComponentTest, StateFlagsDesigningAndDestroying) {
    TLogged owner(nullptr, "Owner");
    auto* a = new TLogged(&owner, "A");
    EXPECT_TRUE(owner.ComponentState().Empty());
    owner.SetDesigning(true);
    EXPECT_TRUE(a->ComponentState().Contains(csDesigning));
    owner.SetDesigning(false);
    EXPECT_FALSE(a->ComponentState().Contains(csDesigning));
    owner.Destroying();
    EXPECT_TRUE(owner.ComponentState().Contains(csDestroying));
    EXPECT_TRUE(a->ComponentState().Contains(csDestroying));
}

TEST_F(ComponentTest, LoadedArrivesOnceWithLoadingCleared) {
    RegisterClass<TLogged>("TLoggedComponent", "TComponent");
    TLogged root(nullptr, "Root");
    ReadComponentText(&root,
                      "object Root: TLoggedComponent\n"
                      "  Tag = 7\n"
                      "  object Child: TLoggedComponent\n"
                      "  end\n"
                      "end\n");
    auto* child = dynamic_cast<TLogged*>(root.FindComponent("Child"));
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(root.Tag(), 7);
    EXPECT_EQ(root.LoadedCount, 1);
    EXPECT_EQ(child->LoadedCount, 1);
    EXPECT_FALSE(root.WasLoading);
    EXPECT_FALSE(child->WasLoading);
    EXPECT_TRUE(child->ComponentState().Empty());
    EXPECT_EQ(root.ClassName(), "TLoggedComponent");
}

TEST(ExceptionText, PeriodAppendedWhenLastCharacterSortsAboveIt) {
    EXPECT_EQ(ExceptionDisplayText("Stream write error"), "Stream write error.");
    EXPECT_EQ(ExceptionDisplayText("Cannot create file \"/x\". Permission denied"),
              "Cannot create file \"/x\". Permission denied.");
    EXPECT_EQ(ExceptionDisplayText("Done."), "Done.");
    EXPECT_EQ(ExceptionDisplayText("Really?"), "Really?.");
    EXPECT_EQ(ExceptionDisplayText("(x)"), "(x)");       // ")" sorts below "."
    EXPECT_EQ(ExceptionDisplayText("a,"), "a,");         // "," too
    EXPECT_EQ(ExceptionDisplayText("path/"), "path/.");  // "/" sorts above
    EXPECT_EQ(ExceptionDisplayText(""), "");
    EXPECT_EQ(ExceptionDisplayText("\xE9"), "\xE9.");  // bytes above 127 compare unsigned
}

TEST(FormatText, DirectivesOfTheSystemMessages) {
    EXPECT_EQ(Format("Cannot create file \"%s\". %s", std::string("/tmp/a b"), "No such file or directory"),
              "Cannot create file \"/tmp/a b\". No such file or directory");
    EXPECT_EQ(Format("List index out of bounds (%d)", -1), "List index out of bounds (-1)");
    EXPECT_EQ(Format("%5d|%-5d|%.3d|%x|%u", 42, 42, 7, 255, 3u), "   42|42   |007|FF|3");
    EXPECT_EQ(Format("%1:s %0:s %s", "a", "b"), "b a b");
    EXPECT_EQ(Format("%*d", 4, 9), "   9");
    EXPECT_EQ(Format("%.2f %g %%", 1.005, 0.5), "1.00 0.5 %");
    EXPECT_EQ(Format("%.3s", "abcdef"), "abc");
    EXPECT_THROW(Format("%d", "text"), EConvertError);
    EXPECT_THROW(Format("%s %s", "one"), EConvertError);
    EXPECT_THROW(Format("%q", 1), EConvertError);
}

TEST(FileNames, ExpandedTextuallyAndErrorTextsTrimmed) {
    EXPECT_EQ(ExpandFileName("/a/./b//c/../d.php"), "/a/b/d.php");
    EXPECT_EQ(ExpandFileName("/.."), "/");
    std::string rel = ExpandFileName("x/y.php");
    EXPECT_EQ(rel.front(), '/');
    EXPECT_EQ(rel.substr(rel.size() - 8), "/x/y.php");
    EXPECT_EQ(SysErrorMessage(ENOENT), "No such file or directory");
    EXPECT_EQ(SysErrorMessage(EACCES), "Permission denied");
    EXPECT_EQ(StrToInt("-12"), -12);
    EXPECT_EQ(StrToInt("$FF"), 255);
    EXPECT_THROW(StrToInt("12a"), EConvertError);
}

}  // namespace
