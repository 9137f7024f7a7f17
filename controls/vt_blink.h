// Shared machinery of the control set: the one blink timer of all blink-capable controls
// (TVtBlinkingControlsList and its two private messages), the frame-settings component
// TVtFrameController that pushes one set of frame and colour settings to every control that
// references it, and the settings-storage component TVtRegIniFile a controller can name.
//
// Sections: blink list · frame controller · settings storage
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "controls/vt_draw.h"
#include "controls/vt_vocabulary.h"
#include "framework/core/classes.h"

class TControl;
class TTimer;
struct TEnumInfo;

// ---------------------------------------------------------------- blink list

// Private messages of the blink protocol. A blink-capable control answers the query with 1
// while it blinks; the state message carries the new phase (1 on, 0 off) in WParam.
constexpr unsigned BlinkQueryMessage = 46056;  // 0xB3E8
constexpr unsigned BlinkStateMessage = 46057;  // 0xB3E9

// One shared instance at most. The first blink-capable control creates it and registers in
// its constructor; each such control unregisters in its destructor and then releases the
// list if it is empty, so the timer runs exactly as long as one of them exists.
class TVtBlinkingControlsList {
public:
    // The phase lengths a new list starts with, published by every blinking control.
    struct Defaults {
        static constexpr uint16_t IntervalOn = 500;
        static constexpr uint16_t IntervalOff = 500;
    };

    // The shared list, created on the first request (phase 1, both intervals 500 ms, the
    // timer running at the off interval).
    static TVtBlinkingControlsList* Obtain();
    // The shared list if it exists.
    static TVtBlinkingControlsList* Instance();
    // Frees the shared list when no control is registered any more.
    static void ReleaseIfEmpty();

    // Appended, without a duplicate check; removed by identity.
    void Register(TControl* control);
    void Unregister(TControl* control);
    int Count() const { return static_cast<int>(FControls.size()); }

    // Phase lengths in milliseconds; a change affects the next tick, not the pending one.
    uint16_t IntervalOn() const { return FIntervalOn; }
    void SetIntervalOn(uint16_t ms) { FIntervalOn = ms; }
    uint16_t IntervalOff() const { return FIntervalOff; }
    void SetIntervalOff(uint16_t ms) { FIntervalOff = ms; }
    uint8_t Phase() const { return FPhase; }

    // One tick: switch the phase, time the next one, tell every control that blinks.
    void Tick();

    ~TVtBlinkingControlsList();

private:
    TVtBlinkingControlsList();

    uint8_t FPhase = 1;
    std::vector<TControl*> FControls;
    std::unique_ptr<TTimer> FTimer;
    uint16_t FIntervalOff = Defaults::IntervalOff;
    uint16_t FIntervalOn = Defaults::IntervalOn;
};

// ---------------------------------------------------------------- frame controller

class TVtFrameController;
class TVtRegIniFile;

// Controls that take a controller's settings as a whole (panel, label, status panes)
// implement this; the controller calls it instead of setting properties by name.
class IVtFrameControllerClient {
public:
    virtual ~IVtFrameControllerClient() = default;
    virtual void ApplyFrameController(TVtFrameController* controller) = 0;
};

// The settings a controller pushes, each to the published property of the same name.
enum TVtFrameSetting {
    fcParentColor,
    fcColor,
    fcDisabledColor,
    fcFocusColor,
    fcFlatButtonColor,
    fcFlatButtons,
    fcFrameColor,
    fcFrameHotColor,
    fcFrameHotTrack,
    fcFrameHotStyle,
    fcFrameSides,
    fcFrameStyle,
    fcFrameVisible,
    fcFramingPreference
};

// The FrameController property of a control: leaves the old controller, links the new one
// (which pushes its settings into the control, also when it is the old one) and asks to hear
// of its destruction. The control clears link itself in Notification when the controller goes.
void LinkFrameController(TControl* control, TVtFrameController*& link, TVtFrameController* controller);

class TVtFrameController : public TComponent {
public:
    // Published defaults: the fields start from them, the class table names them.
    struct Defaults {
        static constexpr TColor Color = clWindow;
        static constexpr TColor DisabledColor = clBtnFace;
        static constexpr TColor FlatButtonColor = clBtnFace;
        static constexpr bool FlatButtons = true;
        static constexpr TColor FocusColor = clWindow;
        static constexpr TColor FrameColor = clBtnShadow;
        static constexpr TColor FrameHotColor = clBtnShadow;
        static constexpr TFrameStyle FrameHotStyle = fsFlatBold;
        static constexpr bool FrameHotTrack = false;
        static constexpr TSides FrameSides = AllSides;
        static constexpr TFrameStyle FrameStyle = fsFlat;
        static constexpr bool FrameVisible = false;
        static constexpr TFramingPreference FramingPreference = fpXPThemes;
        static constexpr bool ParentColor = false;
    };

    explicit TVtFrameController(TComponent* owner);
    ~TVtFrameController() override;

    // ---- published; each change is pushed to the linked controls
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    TColor DisabledColor() const { return FDisabledColor; }
    void SetDisabledColor(TColor v) {
        if (Change(FDisabledColor, v)) PushSetting(fcDisabledColor);
    }
    TColor FlatButtonColor() const { return FFlatButtonColor; }
    void SetFlatButtonColor(TColor v) {
        if (Change(FFlatButtonColor, v)) PushSetting(fcFlatButtonColor);
    }
    bool FlatButtons() const { return FFlatButtons; }
    void SetFlatButtons(bool v) {
        if (Change(FFlatButtons, v)) PushSetting(fcFlatButtons);
    }
    TColor FocusColor() const { return FFocusColor; }
    void SetFocusColor(TColor v) {
        if (Change(FFocusColor, v)) PushSetting(fcFocusColor);
    }
    TColor FrameColor() const { return FFrameColor; }
    void SetFrameColor(TColor v) {
        if (Change(FFrameColor, v)) PushSetting(fcFrameColor);
    }
    TColor FrameHotColor() const { return FFrameHotColor; }
    void SetFrameHotColor(TColor v) {
        if (Change(FFrameHotColor, v)) PushSetting(fcFrameHotColor);
    }
    TFrameStyle FrameHotStyle() const { return FFrameHotStyle; }
    void SetFrameHotStyle(TFrameStyle v) {
        if (Change(FFrameHotStyle, v)) PushSetting(fcFrameHotStyle);
    }
    bool FrameHotTrack() const { return FFrameHotTrack; }
    void SetFrameHotTrack(bool v);
    TSides FrameSides() const { return FFrameSides; }
    void SetFrameSides(TSides v) {
        if (Change(FFrameSides, v)) PushSetting(fcFrameSides);
    }
    TFrameStyle FrameStyle() const { return FFrameStyle; }
    void SetFrameStyle(TFrameStyle v) {
        if (Change(FFrameStyle, v)) PushSetting(fcFrameStyle);
    }
    bool FrameVisible() const { return FFrameVisible; }
    void SetFrameVisible(bool v) {
        if (Change(FFrameVisible, v)) PushSetting(fcFrameVisible);
    }
    TFramingPreference FramingPreference() const { return FFramingPreference; }
    void SetFramingPreference(TFramingPreference v) {
        if (Change(FFramingPreference, v)) PushSetting(fcFramingPreference);
    }
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool v);
    TVtRegIniFile* RegIniFile() const { return FRegIniFile; }
    void SetRegIniFile(TVtRegIniFile* v);

    // ---- linked controls
    // Added once; the new control then receives every setting.
    void RegisterControl(TControl* control);
    void UnregisterControl(TControl* control);
    int ControlCount() const { return FControls ? static_cast<int>(FControls->size()) : 0; }
    // The list exists only while a control is registered.
    bool HasControlList() const { return FControls != nullptr; }

    // Nothing is pushed while updates are suspended; resuming to 0 pushes everything.
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    void PushSetting(TVtFrameSetting setting);
    void PushAllSettings();

    // Copies the fourteen pushed settings of another controller (not RegIniFile).
    void Assign(const TPersistent* source) override;

    static void RegisterClassInfo();

protected:
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    void PushTo(TControl* control, TVtFrameSetting setting);
    void PushAllTo(TControl* control);

    TColor FColor = Defaults::Color;
    TColor FDisabledColor = Defaults::DisabledColor;
    TColor FFlatButtonColor = Defaults::FlatButtonColor;
    bool FFlatButtons = Defaults::FlatButtons;
    TColor FFocusColor = Defaults::FocusColor;
    TColor FFrameColor = Defaults::FrameColor;
    TColor FFrameHotColor = Defaults::FrameHotColor;
    TFrameStyle FFrameHotStyle = Defaults::FrameHotStyle;
    bool FFrameHotTrack = Defaults::FrameHotTrack;
    TSides FFrameSides = Defaults::FrameSides;
    TFrameStyle FFrameStyle = Defaults::FrameStyle;
    bool FFrameVisible = Defaults::FrameVisible;
    TFramingPreference FFramingPreference = Defaults::FramingPreference;
    bool FParentColor = Defaults::ParentColor;
    TVtRegIniFile* FRegIniFile = nullptr;

    int FUpdateCount = 0;
    std::unique_ptr<std::vector<TControl*>> FControls;
};

// ---------------------------------------------------------------- settings storage

enum TVtPathType { ptIniFile, ptRegistry };
enum TVtRegKey {
    hkeyClassesRoot,
    hkeyCurrentUser,
    hkeyLocalMachine,
    hkeyUsers,
    hkeyPerformanceData,
    hkeyCurrentConfig,
    hkeyDynData
};
enum TVtRegAccessKind {
    keyQueryValue,
    keySetValue,
    keyCreateSubKey,
    keyEnumerateSubKeys,
    keyNotify,
    keyCreateLink,
    keyRead,
    keyWrite,
    keyExecute,
    keyAllAccess
};
using TVtRegAccess = Set<TVtRegAccessKind>;

const TEnumInfo& PathTypeInfo();
const TEnumInfo& RegKeyInfo();
const TEnumInfo& RegAccessInfo();

// Where settings would be kept. The system keeps none: the component only holds its four
// properties and marks itself for reopening when one changes; it reads and writes nothing.
class TVtRegIniFile : public TComponent {
public:
    // Published defaults: the fields start from them, the class table names them.
    struct Defaults {
        static constexpr TVtPathType PathType = ptIniFile;
        static constexpr TVtRegKey RegKey = hkeyCurrentUser;
        static constexpr TVtRegAccess RegAccess{keyAllAccess};
    };

    explicit TVtRegIniFile(TComponent* owner);
    ~TVtRegIniFile() override;

    const std::string& Path() const { return FPath; }
    void SetPath(const std::string& v) {
        if (Change(FPath, v)) FNeedsReopen = true;
    }
    TVtPathType PathType() const { return FPathType; }
    void SetPathType(TVtPathType v) {
        if (Change(FPathType, v)) FNeedsReopen = true;
    }
    TVtRegKey RegKey() const { return FRegKey; }
    void SetRegKey(TVtRegKey v) {
        if (Change(FRegKey, v)) FNeedsReopen = true;
    }
    TVtRegAccess RegAccess() const { return FRegAccess; }
    void SetRegAccess(TVtRegAccess v) {
        if (Change(FRegAccess, v)) FNeedsReopen = true;
    }

    // Set by a change of any of the four; the storage would be opened afresh on next use.
    bool NeedsReopen() const { return FNeedsReopen; }

    static void RegisterClassInfo();

private:
    std::string FPath;
    TVtPathType FPathType = Defaults::PathType;
    TVtRegKey FRegKey = Defaults::RegKey;
    TVtRegAccess FRegAccess = Defaults::RegAccess;
    bool FNeedsReopen = false;
};
