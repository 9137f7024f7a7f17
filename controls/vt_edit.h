// The control set's edit and memo: the framework's single-line and multi-line edits with a
// background that follows the control's state (Color, FocusColor, DisabledColor), an optional
// custom frame painted over the platform's border with a hot look while the pointer is over
// the control or it holds the focus, pointer events, Enter as Tab and a frame-controller link.
// The memo adds one-line wheel steps and the caret's line and column.
//
// TVtFramedEdit holds what the two share, on either framework base; TVtCustomEdit / TVtEdit and
// TVtMemo add what is theirs.
//
// Sections: vocabulary · TVtFramedEdit · TVtCustomEdit, TVtEdit · TVtMemo
#pragma once

#include <functional>
#include <memory>
#include <type_traits>

#include "controls/vt_blink.h"
#include "controls/vt_draw.h"
#include "framework/stdctrls/edits.h"
#include "framework/stdctrls/memo.h"

// ---------------------------------------------------------------- vocabulary

// The two halves of the hot state.
enum THotFlagKind { hfFocus, hfPointer };

using TLineColChangeEvent = std::function<void(TObject* Sender, int Line, int Column)>;
using TClipboardChangeEvent = std::function<void(TObject* Sender, bool HasSelection, bool HasText)>;

// ---------------------------------------------------------------- TVtFramedEdit

// Base is TCustomMaskEdit (the edit) or TMemo (the memo).
template <class Base>
class TVtFramedEdit : public Base {
public:
    // The memo keeps no focus flag: it asks whether it is focused.
    static constexpr bool kMultiLine = std::is_base_of_v<TCustomMemo, Base>;

    // Published defaults: the fields start from them, the class table names them.
    struct Defaults {
        static constexpr TColor Color = clWindow;
        static constexpr TColor FocusColor = clWindow;
        static constexpr TColor DisabledColor = clBtnFace;
        static constexpr bool FrameVisible = false;
        static constexpr TFrameStyle FrameStyle = fsFlat;
        static constexpr TColor FrameColor = clBtnShadow;
        static constexpr bool FrameHotTrack = false;
        static constexpr TFrameStyle FrameHotStyle = fsFlatBold;
        static constexpr TColor FrameHotColor = clBtnShadow;
        static constexpr TSides FrameSides = AllSides;
        static constexpr TFramingPreference FramingPreference = fpXPThemes;
        static constexpr bool TabOnEnter = false;
    };

    explicit TVtFramedEdit(TComponent* owner);
    ~TVtFramedEdit() override;

    // ---- published
    // Unchanged values return at once; outside the colour-state logic the value also
    // becomes NormalColor (and FocusColor while it equalled NormalColor).
    void SetColor(TColor v) override;
    TColor FocusColor() const { return FFocusColor; }
    virtual void SetFocusColor(TColor v);
    TColor DisabledColor() const { return FDisabledColor; }
    virtual void SetDisabledColor(TColor v);
    bool FrameVisible() const { return FFrameVisible; }
    virtual void SetFrameVisible(bool v);
    TFrameStyle FrameStyle() const { return FFrameStyle; }
    virtual void SetFrameStyle(TFrameStyle v) {
        if (Change(FFrameStyle, v)) RedrawFrame();
    }
    TColor FrameColor() const { return FFrameColor; }
    virtual void SetFrameColor(TColor v) {
        if (Change(FFrameColor, v)) RedrawFrame();
    }
    bool FrameHotTrack() const { return FFrameHotTrack; }
    virtual void SetFrameHotTrack(bool v);
    TFrameStyle FrameHotStyle() const { return FFrameHotStyle; }
    virtual void SetFrameHotStyle(TFrameStyle v) {
        if (Change(FFrameHotStyle, v)) RedrawFrame();
    }
    TColor FrameHotColor() const { return FFrameHotColor; }
    virtual void SetFrameHotColor(TColor v) {
        if (Change(FFrameHotColor, v)) RedrawFrame();
    }
    TSides FrameSides() const { return FFrameSides; }
    virtual void SetFrameSides(TSides v) {
        if (Change(FFrameSides, v)) RedrawFrame();
    }
    TFramingPreference FramingPreference() const { return FFramingPreference; }
    virtual void SetFramingPreference(TFramingPreference v);
    TVtFrameController* FrameController() const { return FFrameController; }
    virtual void SetFrameController(TVtFrameController* v);
    bool TabOnEnter() const { return FTabOnEnter; }
    void SetTabOnEnter(bool v) { FTabOnEnter = v; }

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    // ---- state besides the properties
    TColor NormalColor() const { return FNormalColor; }
    bool ColorUpdating() const { return FColorUpdating; }
    bool FocusHot() const { return FFocusHot; }
    bool PointerHot() const { return FPointerHot; }
    TCanvas* FrameCanvas() const { return FFrameCanvas.get(); }
    // Hot tracking is on and the focus half or the pointer half holds.
    bool FrameIsHot() const;

    // Gives Color the value of the current state (nothing while loading).
    virtual void ApplyStateColor();
    // Records one half of the hot state, redraws a hot-tracking frame, applies the colour.
    virtual void SetHotFlag(THotFlagKind kind, bool value);
    // The non-client frame, repainted at once.
    virtual void RedrawFrame();
    // Themed borders only when asked for and the platform's visual styles are on (never here).
    virtual bool ThemedFramingActive() const;

    // The older names: FrameFlat sets FrameHotTrack without its side effects.
    void ReadFrameFlat(bool flat);
    void ReadFrameFocusStyle(const std::string& name);

protected:
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    void KeyPress(char& key) override;
    void CMEnter(TMessage& message) override;
    void CMExit(TMessage& message) override;
    void CMMouseEnter(TMessage& message) override;
    void CMMouseLeave(TMessage& message) override;
    void CMEnabledChanged(TMessage& message) override;
    void CMParentColorChanged(TMessage& message) override;
    void WMSize(TWMSize& message) override;
    void WMNCPaint(TWMNCPaint& message) override;

    bool CustomFrameShown() const { return FFrameVisible && !ThemedFramingActive(); }

    TColor FFocusColor = Defaults::FocusColor;
    TColor FDisabledColor = Defaults::DisabledColor;
    bool FFrameVisible = Defaults::FrameVisible;
    TFrameStyle FFrameStyle = Defaults::FrameStyle;
    TColor FFrameColor = Defaults::FrameColor;
    bool FFrameHotTrack = Defaults::FrameHotTrack;
    TFrameStyle FFrameHotStyle = Defaults::FrameHotStyle;
    TColor FFrameHotColor = Defaults::FrameHotColor;
    TSides FFrameSides = Defaults::FrameSides;
    TFramingPreference FFramingPreference = Defaults::FramingPreference;
    TVtFrameController* FFrameController = nullptr;
    bool FTabOnEnter = Defaults::TabOnEnter;

    // The colour of the normal state; the framework edit starts in the same colour.
    TColor FNormalColor = Defaults::Color;
    bool FColorUpdating = false;
    bool FFocusHot = false;  // the edit only
    bool FPointerHot = false;
    std::unique_ptr<TControlCanvas> FFrameCanvas;
};

extern template class TVtFramedEdit<TCustomMaskEdit>;
extern template class TVtFramedEdit<TMemo>;

// ---------------------------------------------------------------- TVtCustomEdit, TVtEdit

class TVtCustomEdit : public TVtFramedEdit<TCustomMaskEdit> {
public:
    explicit TVtCustomEdit(TComponent* owner);
    ~TVtCustomEdit() override;

    // Left or right; the platform window is made again with the new alignment.
    TLeftRight Alignment() const { return TCustomEdit::Alignment(); }
    virtual void SetAlignment(TLeftRight v);

    static void RegisterClassInfo();
};

// Publishes the properties; no behaviour of its own.
class TVtEdit : public TVtCustomEdit {
public:
    explicit TVtEdit(TComponent* owner) : TVtCustomEdit(owner) {}
    static void RegisterClassInfo();
};

// ---------------------------------------------------------------- TVtMemo

class TVtMemo : public TVtFramedEdit<TMemo> {
public:
    explicit TVtMemo(TComponent* owner);
    ~TVtMemo() override;

    // The caret's line and column, counted from 1.
    virtual int CaretColumnNumber();
    // Beyond the end of the current line plus one: ignored.
    virtual void SetCaretColumnNumber(int column);
    virtual int CaretLineNumber();
    // Beyond the last line: neither scrolls nor notifies.
    virtual void SetCaretLineNumber(int line);

    TLineColChangeEvent OnLineColChange;
    TClipboardChangeEvent OnClipboardChange;

    static void RegisterClassInfo();

protected:
    // OnLineColChange, then the clipboard notification.
    void NotifyLineCol();
    // OnClipboardChange with whether text is selected and the clipboard holds text.
    void NotifyClipboard();

    void Change() override;
    void Click() override;
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyUp(Word& key, TShiftState shift) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    bool DoMouseWheelDown(TShiftState shift, TPoint mousePos) override;
    bool DoMouseWheelUp(TShiftState shift, TPoint mousePos) override;
    void CreateWnd() override;

private:
    // Lines a notch scrolls: 1, or the platform's setting with Ctrl down.
    int WheelLines(TShiftState shift) const;
};
