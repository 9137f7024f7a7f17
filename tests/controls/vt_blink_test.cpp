// The blink list on the virtual clock (phase timing, who hears, shared lifetime) and the
// frame controller: pushing one and all settings by published name or through
// ApplyFrameController, suspended updates, the setters that do more, loading from a stored
// description with the older names, Assign, links that outlive one side; TVtRegIniFile.
//
// Sections: fixture and probes · blink list · frame controller · descriptions · storage
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "controls/vt_blink.h"
#include "controls/vt_edit.h"
#include "controls/vt_panel.h"
#include "framework/core/streaming.h"
#include "framework/core/typinfo.h"
#include "framework/platform/headless/headless_platform.h"
#include "framework/ui/forms.h"
#include "framework/ui/timers.h"
#include "tests/support/headless_fixture.h"

namespace {

// ---------------------------------------------------------------- fixture and probes

// A blink-capable control as labels and status panes are: registers while it lives.
class TBlinker : public TGraphicControl {
public:
    TBlinker(TComponent* owner, bool blinking) : TGraphicControl(owner), Blinking(blinking) {
        TVtBlinkingControlsList::Obtain()->Register(this);
    }
    ~TBlinker() override {
        TVtBlinkingControlsList::Obtain()->Unregister(this);
        TVtBlinkingControlsList::ReleaseIfEmpty();
    }
    bool Blinking;
    int Queries = 0;
    std::vector<std::pair<int64_t, int>> Phases;  // (virtual time, phase)

protected:
    void Dispatch(TMessage& m) override {
        if (m.Msg == BlinkQueryMessage) {
            ++Queries;
            m.Result = Blinking ? 1 : 0;
        } else if (m.Msg == BlinkStateMessage) {
            Phases.push_back({Platform().NowMs(), static_cast<int>(m.WParam)});
        } else {
            TGraphicControl::Dispatch(m);
        }
    }
};

// A control that takes settings by name: it publishes most of what a controller pushes (not
// FlatButtons nor FlatButtonColor) and logs every assignment.
class TFrameProbe : public TGraphicControl {
public:
    explicit TFrameProbe(TComponent* owner) : TGraphicControl(owner) { RegisterProbe(); }
    ~TFrameProbe() override {
        if (FController) FController->UnregisterControl(this);
    }
    TVtFrameController* FrameController() const { return FController; }
    void SetFrameController(TVtFrameController* c) { LinkFrameController(this, FController, c); }

    std::map<std::string, int64_t> Values;
    std::vector<std::string> Log;

    static void RegisterProbe() {
        RegisterClass<TFrameProbe>("TFrameProbe", "TGraphicControl", [](TClassBuilder<TFrameProbe>& b) {
            auto prop = [&b](const char* name, TPropKind kind) {
                std::string n = name;
                auto get = [n](TFrameProbe& p) { return p.Values[n]; };
                auto set = [n](TFrameProbe& p, int64_t v) {
                    p.Values[n] = v;
                    p.Log.push_back(n);
                };
                if (kind == TPropKind::Color) b.Color(name, get, set);
                else if (kind == TPropKind::Set) b.SetOf(name, SidesInfo(), get, set);
                else if (kind == TPropKind::Enumeration) b.Enumeration(name, FrameStyleInfo(), get, set);
                else b.Boolean(name, get, set);
            };
            prop("ParentColor", TPropKind::Boolean);
            prop("Color", TPropKind::Color);
            prop("DisabledColor", TPropKind::Color);
            prop("FocusColor", TPropKind::Color);
            prop("FrameColor", TPropKind::Color);
            prop("FrameHotColor", TPropKind::Color);
            prop("FrameHotTrack", TPropKind::Boolean);
            prop("FrameHotStyle", TPropKind::Enumeration);
            prop("FrameSides", TPropKind::Set);
            prop("FrameStyle", TPropKind::Enumeration);
            prop("FrameVisible", TPropKind::Boolean);
            prop("FramingPreference", TPropKind::Boolean);
            b.Component("FrameController", &TFrameProbe::FrameController, &TFrameProbe::SetFrameController);
        });
    }

protected:
    void Notification(TComponent* component, TOperation operation) override {
        TGraphicControl::Notification(component, operation);
        if (operation == opRemove && component == FController) FController = nullptr;
    }

private:
    TVtFrameController* FController = nullptr;
};

// A control that takes the settings as a whole.
class TClientProbe : public TGraphicControl, public IVtFrameControllerClient {
public:
    explicit TClientProbe(TComponent* owner) : TGraphicControl(owner) {}
    ~TClientProbe() override {
        if (FController) FController->UnregisterControl(this);
    }
    void SetFrameController(TVtFrameController* c) { LinkFrameController(this, FController, c); }
    TVtFrameController* FrameController() const { return FController; }
    void ApplyFrameController(TVtFrameController* c) override {
        ++Applied;
        SeenFrameColor = c->FrameColor();
    }
    int Applied = 0;
    TColor SeenFrameColor = clNone;

protected:
    void Notification(TComponent* component, TOperation operation) override {
        TGraphicControl::Notification(component, operation);
        if (operation == opRemove && component == FController) FController = nullptr;
    }

private:
    TVtFrameController* FController = nullptr;
};

const std::vector<std::string> kPushAllOrder = {"ParentColor", "Color",         "DisabledColor", "FocusColor",
                                                "FrameColor",  "FrameHotColor", "FrameHotTrack", "FrameHotStyle",
                                                "FrameSides",  "FrameStyle",    "FrameVisible",  "FramingPreference"};

class VtBlinkTest : public HeadlessFixture<> {
public:
    void SetUp() override {
        HeadlessFixture::SetUp();
        Form->SetName("Form");
        Form->SetClientWidth(200);
        Form->SetClientHeight(100);
    }
};

// ---------------------------------------------------------------- blink list

TEST_F(VtBlinkTest, PhasesFollowTheIntervalsOnTheVirtualClock) {
    ASSERT_EQ(TVtBlinkingControlsList::Instance(), nullptr);
    auto* quiet = new TBlinker(Form, false);
    auto* blinker = new TBlinker(Form, true);
    TVtBlinkingControlsList* list = TVtBlinkingControlsList::Instance();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Phase(), 1);
    EXPECT_EQ(list->IntervalOn(), 500);
    EXPECT_EQ(list->IntervalOff(), 500);
    // Set right after creation: the pending 500 ms tick keeps its time.
    list->SetIntervalOn(300);
    list->SetIntervalOff(700);
    while (blinker->Phases.size() < 4) App->HandleMessage();
    const std::vector<std::pair<int64_t, int>> want = {{500, 0}, {1200, 1}, {1500, 0}, {2200, 1}};
    EXPECT_EQ(blinker->Phases, want);
    // The quiet control is asked every tick and never told a phase.
    EXPECT_EQ(quiet->Queries, 4);
    EXPECT_TRUE(quiet->Phases.empty());
}

TEST_F(VtBlinkTest, TheListLivesFromTheFirstBlinkCapableControlToTheLast) {
    const int timersBefore = ActiveTimerCount();
    auto* a = new TBlinker(Form, false);
    TVtBlinkingControlsList* list = TVtBlinkingControlsList::Instance();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(ActiveTimerCount(), timersBefore + 1);  // running although nothing blinks
    auto* b = new TBlinker(Form, false);
    EXPECT_EQ(TVtBlinkingControlsList::Instance(), list);
    EXPECT_EQ(list->Count(), 2);
    // Registration does not check for duplicates; removal is by identity.
    list->Register(a);
    EXPECT_EQ(list->Count(), 3);
    list->Unregister(a);
    EXPECT_EQ(list->Count(), 1);
    list->Register(a);
    delete a;
    EXPECT_EQ(TVtBlinkingControlsList::Instance(), list);
    delete b;
    EXPECT_EQ(TVtBlinkingControlsList::Instance(), nullptr);
    EXPECT_EQ(ActiveTimerCount(), timersBefore);
}

// ---------------------------------------------------------------- frame controller

TEST_F(VtBlinkTest, LinkingPushesEverySettingTheControlHasInOrder) {
    auto* fc = new TVtFrameController(Form);
    fc->SetFrameColor(clNavy);
    EXPECT_FALSE(fc->HasControlList());
    auto* p = new TFrameProbe(Form);
    p->SetFrameController(fc);
    EXPECT_TRUE(fc->HasControlList());
    EXPECT_EQ(fc->ControlCount(), 1);
    // FlatButtons and FlatButtonColor are skipped: the probe lacks them.
    EXPECT_EQ(p->Log, kPushAllOrder);
    EXPECT_EQ(p->Values["FrameColor"], static_cast<int64_t>(clNavy));
    EXPECT_EQ(p->Values["FrameSides"], static_cast<int64_t>(AllSides.Bits()));
    EXPECT_EQ(p->Values["FrameHotStyle"], fsFlatBold);
    EXPECT_EQ(p->Values["FramingPreference"], fpXPThemes);
    // Linking twice registers once.
    fc->RegisterControl(p);
    EXPECT_EQ(fc->ControlCount(), 1);

    // A setter pushes its one setting, to every control in order; an unchanged value nothing.
    auto* q = new TFrameProbe(Form);
    q->SetFrameController(fc);
    p->Log.clear();
    q->Log.clear();
    fc->SetFrameStyle(fsBump);
    fc->SetFrameStyle(fsBump);
    EXPECT_EQ(p->Log, std::vector<std::string>{"FrameStyle"});
    EXPECT_EQ(q->Log, std::vector<std::string>{"FrameStyle"});
    EXPECT_EQ(q->Values["FrameStyle"], fsBump);
    p->Log.clear();
    fc->SetFlatButtons(false);  // nobody has it
    EXPECT_TRUE(p->Log.empty());
}

TEST_F(VtBlinkTest, ClientsTakeTheSettingsThroughApplyFrameController) {
    auto* fc = new TVtFrameController(Form);
    auto* c = new TClientProbe(Form);
    c->SetFrameController(fc);
    EXPECT_EQ(c->Applied, 1);  // once for all settings
    fc->SetFrameColor(clMaroon);
    EXPECT_EQ(c->Applied, 2);
    EXPECT_EQ(c->SeenFrameColor, clMaroon);
    fc->PushAllSettings();
    EXPECT_EQ(c->Applied, 3);
}

TEST_F(VtBlinkTest, SuspendedUpdatesPushEverythingWhenResumed) {
    auto* fc = new TVtFrameController(Form);
    auto* p = new TFrameProbe(Form);
    p->SetFrameController(fc);
    p->Log.clear();
    fc->BeginUpdate();
    fc->BeginUpdate();
    fc->SetFrameColor(clGreen);
    fc->SetFrameVisible(true);
    fc->EndUpdate();
    EXPECT_TRUE(p->Log.empty());
    EXPECT_EQ(fc->UpdateCount(), 1);
    fc->EndUpdate();
    EXPECT_EQ(p->Log, kPushAllOrder);
    EXPECT_EQ(p->Values["FrameColor"], static_cast<int64_t>(clGreen));
    // Resuming once too often leaves the counter at 0.
    p->Log.clear();
    fc->EndUpdate();
    EXPECT_EQ(fc->UpdateCount(), 0);
    EXPECT_EQ(p->Log, kPushAllOrder);
}

TEST_F(VtBlinkTest, ColorParentColorAndHotTrackSettersDoMore) {
    auto* fc = new TVtFrameController(Form);
    auto* p = new TFrameProbe(Form);
    p->SetFrameController(fc);

    // FocusColor equalled Color: it follows; ParentColor is switched off; only Color goes out.
    fc->SetParentColor(true);
    p->Log.clear();
    fc->SetColor(clNavy);
    EXPECT_EQ(fc->FocusColor(), clNavy);
    EXPECT_FALSE(fc->ParentColor());
    EXPECT_EQ(p->Log, std::vector<std::string>{"Color"});
    // A focus colour of its own stays.
    fc->SetFocusColor(clMaroon);
    fc->SetColor(clGreen);
    EXPECT_EQ(fc->FocusColor(), clMaroon);

    // ParentColor: pushed; Color only while it is off, and again when it turns off.
    p->Log.clear();
    fc->SetParentColor(true);
    EXPECT_EQ(p->Log, std::vector<std::string>{"ParentColor"});
    p->Log.clear();
    fc->SetFrameColor(clRed);
    fc->PushSetting(fcColor);
    EXPECT_EQ(p->Log, std::vector<std::string>{"FrameColor"});
    p->Log.clear();
    fc->SetParentColor(false);
    EXPECT_EQ(p->Log, (std::vector<std::string>{"ParentColor", "Color"}));

    // Hot tracking switches the frame on and resets its sides.
    fc->SetFrameSides(TSides{sdTop});
    p->Log.clear();
    fc->SetFrameHotTrack(true);
    EXPECT_TRUE(fc->FrameVisible());
    EXPECT_EQ(fc->FrameSides(), AllSides);
    EXPECT_EQ(p->Log, (std::vector<std::string>{"FrameHotTrack", "FrameVisible", "FrameSides"}));
    p->Log.clear();
    fc->SetFrameHotTrack(false);
    EXPECT_TRUE(fc->FrameVisible());
    EXPECT_EQ(p->Log, std::vector<std::string>{"FrameHotTrack"});
}

TEST_F(VtBlinkTest, AssignCopiesTheFourteenSettingsAndPushesOnce) {
    auto* src = new TVtFrameController(Form);
    auto* storage = new TVtRegIniFile(Form);
    src->SetRegIniFile(storage);
    src->SetColor(clNavy);
    src->SetFocusColor(clMaroon);
    src->SetDisabledColor(clGray);
    src->SetFlatButtonColor(clGreen);
    src->SetFlatButtons(false);
    src->SetFrameColor(clRed);
    src->SetFrameHotColor(clBlue);
    src->SetFrameHotStyle(fsGroove);
    src->SetFrameHotTrack(true);
    src->SetFrameSides(TSides{sdLeft, sdBottom});
    src->SetFrameStyle(fsBump);
    src->SetFramingPreference(fpCustomFraming);

    auto* dst = new TVtFrameController(Form);
    auto* p = new TFrameProbe(Form);
    p->SetFrameController(dst);
    p->Log.clear();
    dst->Assign(src);
    EXPECT_EQ(p->Log, kPushAllOrder);
    EXPECT_EQ(dst->Color(), clNavy);
    EXPECT_EQ(dst->FocusColor(), clMaroon);
    EXPECT_EQ(dst->DisabledColor(), clGray);
    EXPECT_EQ(dst->FlatButtonColor(), clGreen);
    EXPECT_FALSE(dst->FlatButtons());
    EXPECT_EQ(dst->FrameColor(), clRed);
    EXPECT_EQ(dst->FrameHotColor(), clBlue);
    EXPECT_EQ(dst->FrameHotStyle(), fsGroove);
    EXPECT_TRUE(dst->FrameHotTrack());
    EXPECT_EQ(dst->FrameSides(), (TSides{sdLeft, sdBottom}));
    EXPECT_EQ(dst->FrameStyle(), fsBump);
    EXPECT_TRUE(dst->FrameVisible());
    EXPECT_EQ(dst->FramingPreference(), fpCustomFraming);
    EXPECT_FALSE(dst->ParentColor());
    EXPECT_EQ(dst->RegIniFile(), nullptr);
    EXPECT_EQ(p->Values["FrameSides"], static_cast<int64_t>((TSides{sdLeft, sdBottom}).Bits()));
}

TEST_F(VtBlinkTest, LinksEndWithEitherSide) {
    auto* fc = new TVtFrameController(Form);
    auto* p = new TFrameProbe(Form);
    auto* q = new TFrameProbe(Form);
    p->SetFrameController(fc);
    q->SetFrameController(fc);
    delete p;
    EXPECT_EQ(fc->ControlCount(), 1);
    q->SetFrameController(nullptr);
    EXPECT_FALSE(fc->HasControlList());
    q->SetFrameController(fc);
    q->Values["FrameColor"] = 7;
    delete fc;
    EXPECT_EQ(q->FrameController(), nullptr);
    EXPECT_EQ(q->Values["FrameColor"], 7);  // the settings stay

    auto* other = new TVtFrameController(Form);
    auto* storage = new TVtRegIniFile(Form);
    other->SetRegIniFile(storage);
    delete storage;
    EXPECT_EQ(other->RegIniFile(), nullptr);
}

TEST_F(VtBlinkTest, AssigningTheLinkedControllerAgainPushesItsSettingsAgain) {
    auto* fc = new TVtFrameController(Form);
    fc->SetFrameVisible(true);
    fc->SetFrameStyle(fsBump);
    fc->SetFrameColor(clNavy);
    auto* p = new TFrameProbe(Form);
    auto* q = new TFrameProbe(Form);
    p->SetFrameController(fc);
    q->SetFrameController(fc);
    // The control leaves, takes the same controller again and is pushed everything; the
    // other control hears nothing.
    p->Values["FrameColor"] = clRed;
    p->Log.clear();
    q->Log.clear();
    p->SetFrameController(fc);
    EXPECT_EQ(p->Log, kPushAllOrder);
    EXPECT_TRUE(q->Log.empty());
    EXPECT_EQ(p->Values["FrameColor"], static_cast<int64_t>(clNavy));
    EXPECT_EQ(fc->ControlCount(), 2);

    // The real controls: a panel through ApplyFrameController, an edit by property name.
    auto* panel = new TVtPanel(Form);
    panel->SetParent(Form);
    panel->SetFrameController(fc);
    EXPECT_EQ(panel->BorderOuter(), fsBump);
    panel->SetBorderOuter(fsLowered);
    panel->SetFrameController(fc);
    EXPECT_EQ(panel->BorderOuter(), fsBump);
    auto* edit = new TVtEdit(Form);
    edit->SetParent(Form);
    edit->SetFrameController(fc);
    edit->SetFrameColor(clRed);
    edit->SetFrameController(fc);
    EXPECT_EQ(edit->FrameColor(), clNavy);
    // The links still end with the controller.
    delete fc;
    EXPECT_EQ(p->FrameController(), nullptr);
    EXPECT_EQ(panel->FrameController(), nullptr);
    EXPECT_EQ(edit->FrameController(), nullptr);
}

// ---------------------------------------------------------------- descriptions

TEST_F(VtBlinkTest, LoadingPushesOnceAndReadsTheOlderNames) {
    TFrameProbe::RegisterProbe();
    ReadComponentText(Form,
                      "object Form: TForm\n"
                      "  object Frames: TVtFrameController\n"
                      "    FrameColor = clNavy\n"
                      "    FrameSides = [sdLeft, sdTop]\n"
                      "    FrameFlat = True\n"
                      "    FrameFlatStyle = fsFlat\n"
                      "    RegIniFile = Storage\n"
                      "  end\n"
                      "  object Storage: TVtRegIniFile\n"
                      "    Path = 'Software\\Verbolt'\n"
                      "    PathType = ptRegistry\n"
                      "  end\n"
                      "  object Probe: TFrameProbe\n"
                      "    FrameController = Frames\n"
                      "  end\n"
                      "end\n");
    auto* fc = dynamic_cast<TVtFrameController*>(Form->FindComponent("Frames"));
    auto* probe = dynamic_cast<TFrameProbe*>(Form->FindComponent("Probe"));
    auto* storage = dynamic_cast<TVtRegIniFile*>(Form->FindComponent("Storage"));
    ASSERT_TRUE(fc && probe && storage);
    // FrameFlat: hot tracking (with the frame on) in the status and lowered styles; the
    // loaded sides stay.
    EXPECT_TRUE(fc->FrameHotTrack());
    EXPECT_TRUE(fc->FrameVisible());
    EXPECT_EQ(fc->FrameStyle(), fsStatus);
    EXPECT_EQ(fc->FrameHotStyle(), fsLowered);
    EXPECT_EQ(fc->FrameSides(), (TSides{sdLeft, sdTop}));
    EXPECT_EQ(fc->RegIniFile(), storage);
    EXPECT_EQ(storage->PathType(), ptRegistry);
    // Linking pushed everything, and loading pushed everything once more.
    std::vector<std::string> twice = kPushAllOrder;
    twice.insert(twice.end(), kPushAllOrder.begin(), kPushAllOrder.end());
    EXPECT_EQ(probe->Log, twice);
    EXPECT_EQ(probe->Values["FrameColor"], static_cast<int64_t>(clNavy));
    EXPECT_EQ(probe->Values["FrameStyle"], fsStatus);

    const std::string text = WriteComponentText(Form);
    EXPECT_EQ(text.find("FrameFlat"), std::string::npos) << text;
    EXPECT_NE(text.find("FrameHotTrack = True"), std::string::npos) << text;
    EXPECT_NE(text.find("RegIniFile = Storage"), std::string::npos) << text;
    // Color is not written while ParentColor is set.
    fc->SetColor(clGreen);
    EXPECT_TRUE(IsStoredProp(FindPropPath(fc, "Color")));
    fc->SetParentColor(true);
    EXPECT_FALSE(IsStoredProp(FindPropPath(fc, "Color")));
}

TEST_F(VtBlinkTest, FrameFocusStyleNamesTheHotStyle) {
    ReadComponentText(Form,
                      "object Form: TForm\n"
                      "  object A: TVtFrameController\n"
                      "    FrameFocusStyle = fsGroove\n"
                      "  end\n"
                      "  object B: TVtFrameController\n"
                      "    FrameFocusStyle = fsNoSuchStyle\n"
                      "    FrameFlat = False\n"
                      "  end\n"
                      "end\n");
    auto* a = dynamic_cast<TVtFrameController*>(Form->FindComponent("A"));
    auto* b = dynamic_cast<TVtFrameController*>(Form->FindComponent("B"));
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->FrameHotStyle(), fsGroove);
    EXPECT_EQ(b->FrameHotStyle(), fsFlatBold);  // an unknown name is ignored
    EXPECT_FALSE(b->FrameHotTrack());
    EXPECT_EQ(b->FrameStyle(), fsFlat);
}

// ---------------------------------------------------------------- storage

TEST_F(VtBlinkTest, RegIniFileHoldsItsPropertiesAndMarksReopening) {
    TVtRegIniFile storage(nullptr);
    EXPECT_EQ(storage.Path(), "");
    EXPECT_EQ(storage.PathType(), ptIniFile);
    EXPECT_EQ(storage.RegKey(), hkeyCurrentUser);
    EXPECT_EQ(storage.RegAccess(), TVtRegAccess{keyAllAccess});
    EXPECT_FALSE(storage.NeedsReopen());
    storage.SetRegKey(hkeyCurrentUser);
    EXPECT_FALSE(storage.NeedsReopen());
    storage.SetRegAccess(TVtRegAccess{keyRead, keyWrite});
    EXPECT_TRUE(storage.NeedsReopen());
    EXPECT_TRUE(SetPropText(&storage, "RegKey", "hkeyLocalMachine"));
    EXPECT_EQ(storage.RegKey(), hkeyLocalMachine);
    const TClassInfo* info = FindClass("TVtRegIniFile");
    ASSERT_NE(info, nullptr);
    EXPECT_NE(info->FindProp("RegAccess"), nullptr);
}

}  // namespace
