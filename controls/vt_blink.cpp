// The blink list, the frame controller and the settings storage. Sections:
//   1. TVtBlinkingControlsList
//   2. TVtFrameController: properties, linked controls, pushing, loading and assigning
//   3. TVtRegIniFile
//   4. class tables
#include "controls/vt_blink.h"

#include <algorithm>

#include "framework/core/typinfo.h"
#include "framework/ui/controls.h"
#include "framework/ui/timers.h"

// ---------------------------------------------------------------- 1. TVtBlinkingControlsList

namespace {
TVtBlinkingControlsList* gBlinkList = nullptr;
}  // namespace

TVtBlinkingControlsList* TVtBlinkingControlsList::Obtain() {
    if (!gBlinkList) gBlinkList = new TVtBlinkingControlsList();
    return gBlinkList;
}

TVtBlinkingControlsList* TVtBlinkingControlsList::Instance() { return gBlinkList; }

void TVtBlinkingControlsList::ReleaseIfEmpty() {
    if (gBlinkList && gBlinkList->Count() == 0) {
        delete gBlinkList;
        gBlinkList = nullptr;
    }
}

TVtBlinkingControlsList::TVtBlinkingControlsList() : FTimer(std::make_unique<TTimer>(nullptr)) {
    // The list starts in the on phase, silently; the first tick begins an off phase.
    FTimer->SetInterval(FIntervalOff);
    FTimer->SetOnTimer([this](TObject*) { Tick(); });
}

TVtBlinkingControlsList::~TVtBlinkingControlsList() {
    if (gBlinkList == this) gBlinkList = nullptr;
}

void TVtBlinkingControlsList::Register(TControl* control) { FControls.push_back(control); }

void TVtBlinkingControlsList::Unregister(TControl* control) {
    FControls.erase(std::remove(FControls.begin(), FControls.end(), control), FControls.end());
}

void TVtBlinkingControlsList::Tick() {
    if (FPhase == 0) {
        FPhase = 1;
        FTimer->SetInterval(FIntervalOn);
    } else {
        FPhase = 0;
        FTimer->SetInterval(FIntervalOff);
    }
    // A control may leave the list while it repaints: only those still registered hear.
    const std::vector<TControl*> controls = FControls;
    for (TControl* c : controls) {
        if (std::find(FControls.begin(), FControls.end(), c) == FControls.end()) continue;
        if (c->Perform(BlinkQueryMessage, 0, 0) == 1) c->Perform(BlinkStateMessage, FPhase, 0);
    }
}

// ---------------------------------------------------------------- 2. TVtFrameController

TVtFrameController::TVtFrameController(TComponent* owner) : TComponent(owner) {}

// The controls hear of it through their free notification and forget the link.
TVtFrameController::~TVtFrameController() = default;

// ---- properties

void TVtFrameController::SetColor(TColor v) {
    if (FColor == v) return;
    // A focus colour that matched the colour keeps matching it.
    if (FFocusColor == FColor) FFocusColor = v;
    FColor = v;
    FParentColor = false;
    PushSetting(fcColor);
}

void TVtFrameController::SetFrameHotTrack(bool v) {
    if (!Change(FFrameHotTrack, v)) return;
    PushSetting(fcFrameHotTrack);
    if (!v) return;
    // Hot tracking shows on a visible frame, and on all of it unless a description says
    // otherwise.
    SetFrameVisible(true);
    if (!ComponentState().Contains(csLoading)) SetFrameSides(AllSides);
}

void TVtFrameController::SetParentColor(bool v) {
    if (!Change(FParentColor, v)) return;
    PushSetting(fcParentColor);
    if (!v) PushSetting(fcColor);
}

void TVtFrameController::SetRegIniFile(TVtRegIniFile* v) {
    if (FRegIniFile == v) return;
    if (FRegIniFile) FRegIniFile->RemoveFreeNotification(this);
    FRegIniFile = v;
    if (v) v->FreeNotification(this);
}

void TVtFrameController::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == FRegIniFile) FRegIniFile = nullptr;
    if (FControls) {
        auto& list = *FControls;
        list.erase(std::remove_if(list.begin(), list.end(),
                                  [component](TControl* c) { return static_cast<TComponent*>(c) == component; }),
                   list.end());
        if (list.empty()) FControls.reset();
    }
}

// ---- linked controls

void TVtFrameController::RegisterControl(TControl* control) {
    if (!control) return;
    if (!FControls) FControls = std::make_unique<std::vector<TControl*>>();
    if (std::find(FControls->begin(), FControls->end(), control) != FControls->end()) return;
    FControls->push_back(control);
    if (FUpdateCount == 0) PushAllTo(control);
}

void TVtFrameController::UnregisterControl(TControl* control) {
    if (!FControls) return;
    auto& list = *FControls;
    list.erase(std::remove(list.begin(), list.end(), control), list.end());
    if (list.empty()) FControls.reset();
}

void LinkFrameController(TControl* control, TVtFrameController*& link, TVtFrameController* controller) {
    // Even the controller already linked is left and taken again: registering pushes all its
    // settings, so re-assigning it undoes frame settings changed on the control since.
    if (link) {
        link->UnregisterControl(control);
        link->RemoveFreeNotification(control);
    }
    link = controller;
    if (controller) {
        controller->RegisterControl(control);
        controller->FreeNotification(control);
    }
}

void TVtFrameController::EndUpdate() {
    --FUpdateCount;
    if (FUpdateCount > 0) return;
    FUpdateCount = 0;
    PushAllSettings();
}

// ---- pushing

void TVtFrameController::PushTo(TControl* control, TVtFrameSetting setting) {
    if (auto* client = dynamic_cast<IVtFrameControllerClient*>(control)) {
        client->ApplyFrameController(this);
        return;
    }
    // A property the control lacks is skipped: SetOrdProp answers false.
    switch (setting) {
        case fcParentColor: SetOrdProp(control, "ParentColor", FParentColor); break;
        case fcColor:
            if (!FParentColor) SetOrdProp(control, "Color", FColor);
            break;
        case fcDisabledColor: SetOrdProp(control, "DisabledColor", FDisabledColor); break;
        case fcFocusColor: SetOrdProp(control, "FocusColor", FFocusColor); break;
        case fcFlatButtonColor: SetOrdProp(control, "FlatButtonColor", FFlatButtonColor); break;
        case fcFlatButtons: SetOrdProp(control, "FlatButtons", FFlatButtons); break;
        case fcFrameColor: SetOrdProp(control, "FrameColor", FFrameColor); break;
        case fcFrameHotColor: SetOrdProp(control, "FrameHotColor", FFrameHotColor); break;
        case fcFrameHotTrack: SetOrdProp(control, "FrameHotTrack", FFrameHotTrack); break;
        case fcFrameHotStyle: SetOrdProp(control, "FrameHotStyle", FFrameHotStyle); break;
        case fcFrameSides: SetOrdProp(control, "FrameSides", FFrameSides.Bits()); break;
        case fcFrameStyle: SetOrdProp(control, "FrameStyle", FFrameStyle); break;
        case fcFrameVisible: SetOrdProp(control, "FrameVisible", FFrameVisible); break;
        case fcFramingPreference: SetOrdProp(control, "FramingPreference", FFramingPreference); break;
    }
}

void TVtFrameController::PushAllTo(TControl* control) {
    if (auto* client = dynamic_cast<IVtFrameControllerClient*>(control)) {
        client->ApplyFrameController(this);
        return;
    }
    static constexpr TVtFrameSetting kOrder[] = {
        fcParentColor, fcColor,      fcDisabledColor, fcFocusColor,       fcFlatButtonColor,
        fcFlatButtons, fcFrameColor, fcFrameHotColor, fcFrameHotTrack,    fcFrameHotStyle,
        fcFrameSides,  fcFrameStyle, fcFrameVisible,  fcFramingPreference};
    for (TVtFrameSetting s : kOrder) PushTo(control, s);
}

void TVtFrameController::PushSetting(TVtFrameSetting setting) {
    if (FUpdateCount != 0 || !FControls) return;
    // A setter on a control may unlink it: work on a copy, skip those that left.
    const std::vector<TControl*> controls = *FControls;
    for (TControl* c : controls) {
        if (!FControls || std::find(FControls->begin(), FControls->end(), c) == FControls->end()) continue;
        PushTo(c, setting);
    }
}

void TVtFrameController::PushAllSettings() {
    if (FUpdateCount != 0 || !FControls) return;
    const std::vector<TControl*> controls = *FControls;
    for (TControl* c : controls) {
        if (!FControls || std::find(FControls->begin(), FControls->end(), c) == FControls->end()) continue;
        PushAllTo(c);
    }
}

// ---- loading and assigning

void TVtFrameController::Loaded() {
    TComponent::Loaded();
    PushAllSettings();
}

void TVtFrameController::Assign(const TPersistent* source) {
    const auto* other = dynamic_cast<const TVtFrameController*>(source);
    if (!other) {
        TComponent::Assign(source);
        return;
    }
    BeginUpdate();
    FColor = other->FColor;
    FDisabledColor = other->FDisabledColor;
    FFlatButtonColor = other->FFlatButtonColor;
    FFlatButtons = other->FFlatButtons;
    FFocusColor = other->FFocusColor;
    FFrameColor = other->FFrameColor;
    FFrameHotColor = other->FFrameHotColor;
    FFrameHotStyle = other->FFrameHotStyle;
    FFrameHotTrack = other->FFrameHotTrack;
    FFrameSides = other->FFrameSides;
    FFrameStyle = other->FFrameStyle;
    FFrameVisible = other->FFrameVisible;
    FFramingPreference = other->FFramingPreference;
    FParentColor = other->FParentColor;
    EndUpdate();
}

// ---------------------------------------------------------------- 3. TVtRegIniFile

TVtRegIniFile::TVtRegIniFile(TComponent* owner) : TComponent(owner) {}

TVtRegIniFile::~TVtRegIniFile() = default;

// ---------------------------------------------------------------- 4. class tables

const TEnumInfo& PathTypeInfo() {
    static const TEnumInfo info = MakeEnumInfo("TVtPathType", {"ptIniFile", "ptRegistry"});
    return info;
}
const TEnumInfo& RegKeyInfo() {
    static const TEnumInfo info =
        MakeEnumInfo("TVtRegKey", {"hkeyClassesRoot", "hkeyCurrentUser", "hkeyLocalMachine", "hkeyUsers",
                                   "hkeyPerformanceData", "hkeyCurrentConfig", "hkeyDynData"});
    return info;
}
const TEnumInfo& RegAccessInfo() {
    static const TEnumInfo info = MakeEnumInfo(
        "TVtRegAccessKind", {"keyQueryValue", "keySetValue", "keyCreateSubKey", "keyEnumerateSubKeys", "keyNotify",
                             "keyCreateLink", "keyRead", "keyWrite", "keyExecute", "keyAllAccess"});
    return info;
}

void TVtFrameController::RegisterClassInfo() {
    RegisterClass<TVtFrameController>("TVtFrameController", "TComponent", [](TClassBuilder<TVtFrameController>& b) {
        using C = TVtFrameController;
        using D = TVtFrameController::Defaults;
        b.Color("Color", &C::Color, &C::SetColor).Default(D::Color).Stored([](C& c) { return !c.ParentColor(); });
        b.Color("DisabledColor", &C::DisabledColor, &C::SetDisabledColor).Default(D::DisabledColor);
        b.Color("FlatButtonColor", &C::FlatButtonColor, &C::SetFlatButtonColor).Default(D::FlatButtonColor);
        b.Boolean("FlatButtons", &C::FlatButtons, &C::SetFlatButtons).Default(D::FlatButtons);
        b.Color("FocusColor", &C::FocusColor, &C::SetFocusColor).Default(D::FocusColor);
        b.Color("FrameColor", &C::FrameColor, &C::SetFrameColor).Default(D::FrameColor);
        b.Color("FrameHotColor", &C::FrameHotColor, &C::SetFrameHotColor).Default(D::FrameHotColor);
        b.Enumeration("FrameHotStyle", FrameStyleInfo(), &C::FrameHotStyle, &C::SetFrameHotStyle)
            .Default(D::FrameHotStyle);
        b.Boolean("FrameHotTrack", &C::FrameHotTrack, &C::SetFrameHotTrack).Default(D::FrameHotTrack);
        b.SetOf("FrameSides", SidesInfo(), &C::FrameSides, &C::SetFrameSides).Default(D::FrameSides);
        b.Enumeration("FrameStyle", FrameStyleInfo(), &C::FrameStyle, &C::SetFrameStyle).Default(D::FrameStyle);
        b.Boolean("FrameVisible", &C::FrameVisible, &C::SetFrameVisible).Default(D::FrameVisible);
        b.Enumeration("FramingPreference", FramingPreferenceInfo(), &C::FramingPreference, &C::SetFramingPreference)
            .Default(D::FramingPreference);
        b.Boolean("ParentColor", &C::ParentColor, &C::SetParentColor).Default(D::ParentColor);
        b.Component("RegIniFile", &C::RegIniFile, &C::SetRegIniFile);
        // Older descriptions: a flat frame was hot tracking with status and lowered styles.
        b.Obsolete("FrameFlat", [](C& c, const TValue& v) {
            const bool flat = v.AsBoolean();
            c.SetFrameHotTrack(flat);
            if (flat) {
                c.SetFrameStyle(fsStatus);
                c.SetFrameHotStyle(fsLowered);
            }
        });
        b.Obsolete("FrameFocusStyle", [](C& c, const TValue& v) {
            int64_t style = 0;
            if (FrameStyleInfo().ValueOf(v.AsIdent(), style)) c.SetFrameHotStyle(static_cast<TFrameStyle>(style));
        });
        b.Discard("FrameFlatStyle");
    });
}

void TVtRegIniFile::RegisterClassInfo() {
    RegisterClass<TVtRegIniFile>("TVtRegIniFile", "TComponent", [](TClassBuilder<TVtRegIniFile>& b) {
        using R = TVtRegIniFile;
        using D = TVtRegIniFile::Defaults;
        b.String("Path", &R::Path, &R::SetPath);
        b.Enumeration("PathType", PathTypeInfo(), &R::PathType, &R::SetPathType).Default(D::PathType);
        b.Enumeration("RegKey", RegKeyInfo(), &R::RegKey, &R::SetRegKey).Default(D::RegKey);
        b.SetOf("RegAccess", RegAccessInfo(), &R::RegAccess, &R::SetRegAccess).Default(D::RegAccess);
    });
}
