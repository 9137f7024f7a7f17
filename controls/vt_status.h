// Status panes: small windowless controls that show one line of text inside a frame.
// TVtCustomStatusPane draws the frame, the text area and the text, fits its width to the
// text and blinks its text colour with the shared blink list; TVtPollingStatus adds PollTick,
// which the one shared polling timer (TVtPollingList) calls twice a second; TVtClockStatus
// shows the current date and time through that hook, redrawing its text area only when the
// formatted text changes.
//
// Sections: TVtCustomStatusPane · TVtPollingList · TVtPollingStatus · TVtClockStatus
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/vt_blink.h"
#include "controls/vt_draw.h"
#include "framework/core/datetime.h"
#include "framework/ui/controls.h"

class TTimer;
class TVtPollingStatus;

// ---------------------------------------------------------------- TVtCustomStatusPane

class TVtCustomStatusPane : public TGraphicControl, public IVtFrameControllerClient {
public:
    // Published defaults: the fields and the constructor start from them, the class table
    // names them.
    struct Defaults {
        static constexpr TAlignment Alignment = taLeftJustify;
        static constexpr bool AutoSize = false;
        static constexpr int DefaultWidth = 40;
        static constexpr bool Blinking = false;
        static constexpr TColor BlinkColor = clHighlight;
        static constexpr int BorderWidth = 1;
        static constexpr int CaptionOffset = 2;
        static constexpr bool ParentFillColor = true;
        static constexpr TColor FlatColor = clBtnShadow;
        static constexpr int FlatColorAdjustment = 30;
        static constexpr TFrameStyle FrameStyle = fsFlat;
    };

    explicit TVtCustomStatusPane(TComponent* owner);
    ~TVtCustomStatusPane() override;

    // ---- published
    virtual TAlignment Alignment() const { return FAlignment; }
    virtual void SetAlignment(TAlignment v) {
        if (Change(FAlignment, v)) Invalidate();
    }
    bool AutoSize() const { return FAutoSize; }
    virtual void SetAutoSize(bool v) {
        if (Change(FAutoSize, v)) FitPaneWidth();
    }
    virtual int DefaultWidth() const { return FDefaultWidth; }
    virtual void SetDefaultWidth(int v) {
        if (Change(FDefaultWidth, v)) FitPaneWidth();
    }
    virtual bool Blinking() const { return FBlinking; }
    virtual void SetBlinking(bool v);
    virtual TColor BlinkColor() const { return FBlinkColor; }
    virtual void SetBlinkColor(TColor v) {
        if (Change(FBlinkColor, v)) Invalidate();
    }
    // The shared blink list's phase lengths: the last value written wins for every control.
    virtual uint16_t BlinkIntervalOff() const;
    virtual void SetBlinkIntervalOff(uint16_t ms);
    virtual uint16_t BlinkIntervalOn() const;
    virtual void SetBlinkIntervalOn(uint16_t ms);
    virtual int BorderWidth() const { return FBorderWidth; }
    virtual void SetBorderWidth(int v) {
        if (Change(FBorderWidth, ClampBorderWidth(v))) Invalidate();
    }
    virtual int CaptionOffset() const { return FCaptionOffset; }
    virtual void SetCaptionOffset(int v);
    // The text area's background; setting it stops it following Color.
    virtual TColor FillColor() const { return FFillColor; }
    virtual void SetFillColor(TColor v);
    virtual bool ParentFillColor() const { return FParentFillColor; }
    virtual void SetParentFillColor(bool v);
    virtual TColor FlatColor() const { return FFlatColor; }
    virtual void SetFlatColor(TColor v) {
        if (Change(FFlatColor, v)) Invalidate();
    }
    virtual int FlatColorAdjustment() const { return FFlatColorAdjustment; }
    virtual void SetFlatColorAdjustment(int v) {
        if (Change(FFlatColorAdjustment, v)) Invalidate();
    }
    virtual TFrameStyle FrameStyle() const { return FFrameStyle; }
    virtual void SetFrameStyle(TFrameStyle v) {
        if (Change(FFrameStyle, v)) Invalidate();
    }
    virtual TVtFrameController* FrameController() const { return FFrameController; }
    virtual void SetFrameController(TVtFrameController* v);

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    // The text is the control's Text (Caption); the colour it is drawn in now.
    TColor NormalTextColor() const { return FNormalTextColor; }
    TColor CurrentTextColor() const { return FCurrentTextColor; }

    // The width that fits the text, measured with canvas's font: DefaultWidth for no text.
    virtual int PaneFitWidth(TCanvas* canvas);
    // The text's rectangle: the bounds less BorderWidth and the frame's allowance.
    virtual TRect PaneTextArea() const;
    // Draws text into the text area, background and all; the frame stays untouched.
    virtual void PaintPaneText(const std::string& text);
    // Color over the whole bounds, then the frame BorderWidth inside.
    virtual void PaintPaneFrame();
    void ApplyFrameController(TVtFrameController* controller) override;
    // Phase 1: BlinkColor; phase 0: the normal text colour; repaints at once.
    virtual void ShowBlinkPhase(int phase);

    // A status bar whose name and text are the text it shows.
    TAccessibleRole AccessibleRole(int part) const override { return part < 0 ? arStatusBar : arNone; }
    void GetAccessibleInfo(int part, TAccessibleInfo& info) override;

    static void RegisterClassInfo();

protected:
    void Paint() override;
    void Loaded() override;
    void Dispatch(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    void CMFontChanged(TMessage& message) override;
    void CMTextChanged(TMessage& message) override;
    void CMColorChanged(TMessage& message) override;
    void CMParentColorChanged(TMessage& message) override;
    void CMMouseEnter(TMessage& message) override;
    void CMMouseLeave(TMessage& message) override;

    // With AutoSize, and not while a description is read: Width := PaneFitWidth.
    void FitPaneWidth();
    // PaintPaneText straight onto the screen, outside the paint cycle.
    void PaintPaneTextNow(const std::string& text);

    TColor FNormalTextColor = clWindowText;
    TColor FCurrentTextColor = clWindowText;

private:
    TAlignment FAlignment = Defaults::Alignment;
    bool FAutoSize = Defaults::AutoSize;
    int FDefaultWidth = Defaults::DefaultWidth;
    bool FBlinking = Defaults::Blinking;
    TColor FBlinkColor = Defaults::BlinkColor;
    int FBorderWidth = Defaults::BorderWidth;
    int FCaptionOffset = Defaults::CaptionOffset;
    TColor FFillColor = clWindow;
    bool FParentFillColor = Defaults::ParentFillColor;
    TColor FFlatColor = Defaults::FlatColor;
    int FFlatColorAdjustment = Defaults::FlatColorAdjustment;
    TFrameStyle FFrameStyle = Defaults::FrameStyle;
    TVtFrameController* FFrameController = nullptr;
};

// ---------------------------------------------------------------- TVtPollingList

// The one timer of all polling panes, and the panes in registration order. The first
// polling pane creates the shared list, the last one to go frees it with its timer.
class TVtPollingList : public TObject {
public:
    // The shared timer's settings when the list is made, published by every polling pane.
    struct Defaults {
        static constexpr bool TimerActive = true;
        static constexpr uint16_t TimerInterval = 500;
    };

    // The shared list, created on the first request with its timer running at 500 ms.
    static TVtPollingList* Obtain();
    static TVtPollingList* Instance();
    // Frees the shared list when no pane is registered any more.
    static void ReleaseIfEmpty();

    ~TVtPollingList() override;

    virtual int Count() const { return static_cast<int>(FPanes.size()); }
    // Writing the running state or the interval touches the timer only when it differs.
    virtual bool TimerActive() const;
    virtual void SetTimerActive(bool v);
    virtual uint16_t TimerInterval() const;
    virtual void SetTimerInterval(uint16_t ms);

    // Appended, without a duplicate check; removed by identity.
    void Register(TVtPollingStatus* pane);
    void Unregister(TVtPollingStatus* pane);

    // One poll: as many positions as there were panes at the start, the visible ones ticked.
    void Poll();

private:
    TVtPollingList();

    std::unique_ptr<TTimer> FTimer;
    std::vector<TVtPollingStatus*> FPanes;
};

// ---------------------------------------------------------------- TVtPollingStatus

class TVtPollingStatus : public TVtCustomStatusPane {
public:
    explicit TVtPollingStatus(TComponent* owner);
    ~TVtPollingStatus() override;

    // ---- published: both act on the one shared timer, so on every polling pane at once.
    virtual bool Active() const;
    virtual void SetActive(bool v);
    // Milliseconds; 0 stops the timer.
    virtual uint16_t Interval() const;
    virtual void SetInterval(uint16_t ms);

    TNotifyEvent OnTimerExpired;

    // Called by the shared timer for a visible pane.
    virtual void PollTick();

    static void RegisterClassInfo();
};

// ---------------------------------------------------------------- TVtClockStatus

using TVtGetDateTimeEvent = std::function<void(TObject* Sender, TDateTime& DateTime)>;

class TVtClockStatus : public TVtPollingStatus {
public:
    explicit TVtClockStatus(TComponent* owner);
    ~TVtClockStatus() override;

    // ---- published
    // A date-time format; empty means the same as "c".
    const std::string& Format() const { return FFormat; }
    virtual void SetFormat(const std::string& v);
    // May change the moment before it is formatted.
    TVtGetDateTimeEvent OnGetDateTime;

    // The text of the last evaluation; empty until the first.
    const std::string& ClockText() const { return FClockText; }

    // Formats the current moment and, when the text changed, shows it at once.
    virtual void RefreshClockText();
    void PollTick() override;

    static void RegisterClassInfo();

protected:
    void Paint() override;
    void Loaded() override;
    // The locale's formats may be others now: the moment is formatted again.
    void CMWinIniChange(TMessage& message) override;

private:
    std::string FFormat;
    std::string FClockText;
};
