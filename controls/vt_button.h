// The control set's push button: a custom-drawn windowed control with two looks (hot-tracking
// rings on a rimmed, cut-corner face, or the classic tinted edges), a caption with text
// effects, a press cycle that clicks on release inside, Space, Enter as default and Escape as
// cancel, accelerators, and latching groups.
//
// TVtCustomButton holds the state machine, pointer tracking and caption drawing; TVtButton
// adds the face, the keyboard, the default/cancel roles, groups and the modal result.
//
// Sections: vocabulary · TVtCustomButton · TVtButton
#pragma once

#include <string>

#include "controls/vt_vocabulary.h"
#include "framework/ui/controls.h"
#include "framework/ui/forms.h"

class TBitmap;
struct TEnumInfo;

// ---------------------------------------------------------------- vocabulary
// TTextStyle, TAlignmentVertical and TVtHotTrackColorType: controls/vt_vocabulary.h.

// Sent to every control of a group button's parent: WParam the GroupIndex, LParam the
// sending TVtButton. Receivers of the same group release themselves and take the sender's
// AllowAllUp.
constexpr unsigned GroupPressMessage = 9249;

// ---------------------------------------------------------------- TVtCustomButton

class TVtCustomButton : public TCustomControl {
public:
    // Published defaults: the fields and the constructor start from them, the class table
    // names them.
    struct Defaults {
        static constexpr TColor Color = clBtnFace;
        static constexpr bool ParentColor = false;
        static constexpr bool TabStop = true;
        static constexpr bool HotTrack = false;
        static constexpr TColor HotTrackColor = clHighlight;
        static constexpr TVtHotTrackColorType HotTrackColorType = htctComplement;
        static constexpr TColor HighlightColor = clHighlight;
        static constexpr TAlignmentVertical AlignmentVertical = avCenter;
        static constexpr TTextStyle TextStyle = tsNormal;
        static constexpr bool LightTextStyle = false;
        static constexpr TColor TextHighlightColor = clBtnHighlight;
        static constexpr TColor TextShadowColor = clBtnShadow;
        static constexpr int TextShadowDepth = 2;
        static constexpr bool ThemeAware = true;
        static constexpr bool DropDownOnEnter = true;
    };

    explicit TVtCustomButton(TComponent* owner);
    ~TVtCustomButton() override;

    // ---- published
    bool HotTrack() const { return FHotTrack; }
    virtual void SetHotTrack(bool v);
    TColor HotTrackColor() const { return FHotTrackColor; }
    void SetHotTrackColor(TColor v) { FHotTrackColor = v; }
    TVtHotTrackColorType HotTrackColorType() const { return FHotTrackColorType; }
    void SetHotTrackColorType(TVtHotTrackColorType v) { FHotTrackColorType = v; }
    TColor HighlightColor() const { return FHighlightColor; }
    virtual void SetHighlightColor(TColor v) {
        if (Change(FHighlightColor, v)) Invalidate();
    }
    TAlignmentVertical AlignmentVertical() const { return FAlignmentVertical; }
    virtual void SetAlignmentVertical(TAlignmentVertical v) {
        if (Change(FAlignmentVertical, v)) Invalidate();
    }
    TTextStyle TextStyle() const { return FTextStyle; }
    virtual void SetTextStyle(TTextStyle v) {
        if (Change(FTextStyle, v)) Invalidate();
    }
    bool LightTextStyle() const { return FLightTextStyle; }
    virtual void SetLightTextStyle(bool v) {
        if (Change(FLightTextStyle, v)) Invalidate();
    }
    TColor TextHighlightColor() const { return FTextHighlightColor; }
    virtual void SetTextHighlightColor(TColor v) {
        if (Change(FTextHighlightColor, v)) Invalidate();
    }
    TColor TextShadowColor() const { return FTextShadowColor; }
    virtual void SetTextShadowColor(TColor v) {
        if (Change(FTextShadowColor, v)) Invalidate();
    }
    int TextShadowDepth() const { return FTextShadowDepth; }
    virtual void SetTextShadowDepth(int v) {
        if (Change(FTextShadowDepth, v)) Invalidate();
    }
    bool ThemeAware() const { return FThemeAware; }
    virtual void SetThemeAware(bool v) {
        if (Change(FThemeAware, v)) Invalidate();
    }
    bool DropDownOnEnter() const { return FDropDownOnEnter; }
    void SetDropDownOnEnter(bool v) { FDropDownOnEnter = v; }

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    // ---- visual state, set by notifications and read by painting
    bool Tracking() const { return FTracking; }
    bool Pressed() const { return FPressed; }
    bool PointerOver() const { return FPointerOver; }
    bool ActiveDefault() const { return FActiveDefault; }
    bool Clicking() const { return FClicking; }
    bool SpaceArmed() const { return FSpaceArmed; }
    bool TransparentBackground() const { return FTransparentBackground; }

    // The area invalidated on pointer entry and exit.
    virtual TRect HotBounds() const;

    // A push button named by its caption; "press" does what a completed press does.
    TAccessibleRole AccessibleRole(int part) const override;
    void GetAccessibleInfo(int part, TAccessibleInfo& info) override;
    bool DoAccessibleAction(int part, TAccessibleAction action) override;

    static void RegisterClassInfo();

protected:
    virtual void NoteStateChange() {}
    virtual void NoteFocusChange();
    // One caption pass set (effects, then the caption) in rect with the DT_ flags given.
    virtual void PaintCaptionText(TCanvas* canvas, const TRect& rect, unsigned flags);
    // What a completed press does.
    virtual void ActivateButton() {}
    virtual void SetTransparentBackground(bool v) {
        if (Change(FTransparentBackground, v)) Invalidate();
    }
    // The button's click, from a completed press, the dialog key or the accelerator.
    void EmitClick() { Click(); }

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void CMMouseEnter(TMessage& message) override;
    void CMMouseLeave(TMessage& message) override;
    void CMTextChanged(TMessage& message) override;
    void WMSetFocus(TWMSetFocus& message) override;
    void WMKillFocus(TWMKillFocus& message) override;
    void WMEraseBkgnd(TWMEraseBkgnd& message) override;

    bool FTracking = false;
    bool FPressed = false;
    bool FPointerOver = false;
    bool FActiveDefault = false;
    bool FClicking = false;
    bool FSpaceArmed = false;
    bool FTransparentBackground = false;

    bool FHotTrack = Defaults::HotTrack;
    TColor FHotTrackColor = Defaults::HotTrackColor;
    TVtHotTrackColorType FHotTrackColorType = Defaults::HotTrackColorType;
    TColor FHighlightColor = Defaults::HighlightColor;
    TAlignmentVertical FAlignmentVertical = Defaults::AlignmentVertical;
    TTextStyle FTextStyle = Defaults::TextStyle;
    bool FLightTextStyle = Defaults::LightTextStyle;
    TColor FTextHighlightColor = Defaults::TextHighlightColor;
    TColor FTextShadowColor = Defaults::TextShadowColor;
    int FTextShadowDepth = Defaults::TextShadowDepth;
    bool FThemeAware = Defaults::ThemeAware;
    bool FDropDownOnEnter = Defaults::DropDownOnEnter;
};

// ---------------------------------------------------------------- TVtButton

class TVtButton : public TVtCustomButton {
public:
    // Published defaults: the fields start from them, the class table names them.
    struct Defaults {
        static constexpr TAlignment Alignment = taCenter;
        static constexpr bool Default = false;
        static constexpr bool Cancel = false;
        static constexpr TModalResult ModalResult = mrNone;
        static constexpr int GroupIndex = 0;
        static constexpr bool AllowAllUp = false;
        static constexpr bool Down = false;
        static constexpr bool ShowDownPattern = true;
        static constexpr bool ShowFocusRect = true;
    };

    explicit TVtButton(TComponent* owner);
    ~TVtButton() override;

    // ---- published
    TAlignment Alignment() const { return FAlignment; }
    virtual void SetAlignment(TAlignment v) {
        if (Change(FAlignment, v)) Invalidate();
    }
    bool Default() const { return FDefault; }
    virtual void SetDefault(bool v);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool v) { FCancel = v; }
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult v) { FModalResult = v; }
    int GroupIndex() const { return FGroupIndex; }
    virtual void SetGroupIndex(int v) {
        if (Change(FGroupIndex, v)) BroadcastGroupPress();
    }
    bool Down() const { return FDown; }
    virtual void SetDown(bool v);
    bool AllowAllUp() const { return FAllowAllUp; }
    virtual void SetAllowAllUp(bool v) {
        if (Change(FAllowAllUp, v)) BroadcastGroupPress();
    }
    bool ShowDownPattern() const { return FShowDownPattern; }
    virtual void SetShowDownPattern(bool v) {
        if (Change(FShowDownPattern, v)) Invalidate();
    }
    bool ShowFocusRect() const { return FShowFocusRect; }
    virtual void SetShowFocusRect(bool v) {
        if (Change(FShowFocusRect, v)) Invalidate();
    }

    // The containing window takes ModalResult (also 0), then OnClick runs.
    void Click() override;

    // The latch pattern: 8 × 8 in Color, pixels whose x and y have equal parity in clSilver
    // (clGray when Color is silver itself).
    virtual void MakeDownPattern(TBitmap* bitmap);

    static void RegisterClassInfo();

protected:
    virtual TRect CaptionBounds() const;
    virtual void PaintCaption();

    void NoteStateChange() override;
    void ActivateButton() override;
    void Paint() override;
    void CreateWnd() override;
    void Dispatch(TMessage& message) override;
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyUp(Word& key, TShiftState shift) override;
    void CMDialogKey(TCMDialogKey& message) override;
    void CMDialogChar(TCMDialogChar& message) override;
    void CMFocusChanged(TCMFocusChanged& message) override;
    // Enabled-changed is the framework's: a disabled button stops being the window's
    // active control (the focus goes to the window) and is invalidated.

private:
    void PaintHotTrackFace();
    void PaintClassicFace(TRect& face);
    void PaintDownPattern(const TRect& face);
    void BroadcastGroupPress();
    void GroupPress(TMessage& message);
    // Down (and the latch) shows for group buttons only.
    bool ShowsLatched() const { return FGroupIndex != 0 && (FDown || FPressed); }

    TAlignment FAlignment = Defaults::Alignment;
    bool FDefault = Defaults::Default;
    bool FCancel = Defaults::Cancel;
    int FGroupIndex = Defaults::GroupIndex;
    bool FDown = Defaults::Down;
    bool FAllowAllUp = Defaults::AllowAllUp;
    bool FShowDownPattern = Defaults::ShowDownPattern;
    bool FShowFocusRect = Defaults::ShowFocusRect;
    TModalResult FModalResult = Defaults::ModalResult;
};
