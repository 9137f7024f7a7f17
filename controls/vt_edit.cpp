// The edit and the memo. Sections:
//   1. TVtFramedEdit: creation, colour states, frame properties, hot state, notifications,
//      the custom frame
//   2. TVtCustomEdit
//   3. TVtMemo: caret line and column, notifications, wheel
//   4. class tables
#include "controls/vt_edit.h"

#include "framework/core/scope_guards.h"
#include "framework/core/typinfo.h"
#include "framework/platform/platform.h"
#include "framework/ui/forms.h"

// ---------------------------------------------------------------- 1. TVtFramedEdit

template <class Base>
TVtFramedEdit<Base>::TVtFramedEdit(TComponent* owner)
    : Base(owner), FFrameCanvas(std::make_unique<TControlCanvas>(this)) {}

template <class Base>
TVtFramedEdit<Base>::~TVtFramedEdit() {
    if (FFrameController) FFrameController->UnregisterControl(this);
}

// ---- colour states

template <class Base>
void TVtFramedEdit<Base>::ApplyStateColor() {
    if (this->ComponentState().Contains(csLoading)) return;
    const TColor pick = !this->Enabled() ? FDisabledColor : this->Focused() ? FFocusColor : FNormalColor;
    const TRestore updating(FColorUpdating, true);
    SetColor(pick);
}

template <class Base>
void TVtFramedEdit<Base>::SetColor(TColor v) {
    if (v == this->Color()) return;
    Base::SetColor(v);
    if (!FColorUpdating) {
        // The focus colour follows until it is given a value of its own. Stored values are
        // compared as they are: a system colour is not resolved.
        if (FFocusColor == FNormalColor) FFocusColor = v;
        FNormalColor = v;
    }
    if (CustomFrameShown()) RedrawFrame();
}

template <class Base>
void TVtFramedEdit<Base>::SetFocusColor(TColor v) {
    FFocusColor = v;
    if (this->Focused()) ApplyStateColor();
}

template <class Base>
void TVtFramedEdit<Base>::SetDisabledColor(TColor v) {
    FDisabledColor = v;
    if (!this->Enabled()) ApplyStateColor();
}

// ---- frame properties

template <class Base>
void TVtFramedEdit<Base>::SetFrameVisible(bool v) {
    // The frame covers the two-pixel client edge, so it brings that edge along.
    if (v) this->SetCtl3D(true);
    FFrameVisible = v;
    this->RecreateWnd();
}

template <class Base>
void TVtFramedEdit<Base>::SetFrameHotTrack(bool v) {
    FFrameHotTrack = v;
    if (v) {
        SetFrameVisible(true);
        // A description's own sides stay.
        if (!this->ComponentState().Contains(csLoading)) SetFrameSides(AllSides);
    }
    RedrawFrame();
    this->Invalidate();
}

template <class Base>
void TVtFramedEdit<Base>::SetFramingPreference(TFramingPreference v) {
    FFramingPreference = v;
    if (v == fpCustomFraming) RedrawFrame();
}

template <class Base>
void TVtFramedEdit<Base>::SetFrameController(TVtFrameController* v) {
    LinkFrameController(this, FFrameController, v);
}

template <class Base>
bool TVtFramedEdit<Base>::ThemedFramingActive() const {
    return FFramingPreference == fpXPThemes && VisualStylesActive();
}

template <class Base>
void TVtFramedEdit<Base>::ReadFrameFlat(bool flat) {
    FFrameHotTrack = flat;
    if (flat) {
        SetFrameStyle(fsStatus);
        SetFrameHotStyle(fsLowered);
    }
}

template <class Base>
void TVtFramedEdit<Base>::ReadFrameFocusStyle(const std::string& name) {
    // A name that is no frame style is ignored.
    int64_t style = 0;
    if (FrameStyleInfo().ValueOf(name, style)) SetFrameHotStyle(static_cast<TFrameStyle>(style));
}

// ---- hot state

template <class Base>
bool TVtFramedEdit<Base>::FrameIsHot() const {
    if (!FFrameHotTrack) return false;
    const bool focusHalf = kMultiLine ? this->Focused() : FFocusHot;
    return focusHalf || FPointerHot;
}

template <class Base>
void TVtFramedEdit<Base>::SetHotFlag(THotFlagKind kind, bool value) {
    if (kind == hfPointer) FPointerHot = value;
    else if (!kMultiLine) FFocusHot = value;
    if (FFrameHotTrack) RedrawFrame();
    ApplyStateColor();
}

template <class Base>
void TVtFramedEdit<Base>::RedrawFrame() {
    this->RedrawWindow(nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
}

// ---- notifications

template <class Base>
void TVtFramedEdit<Base>::Loaded() {
    Base::Loaded();
    ApplyStateColor();
    SetHotFlag(hfFocus, false);
}

template <class Base>
void TVtFramedEdit<Base>::Notification(TComponent* component, TOperation operation) {
    Base::Notification(component, operation);
    // The settings it pushed stay; only the link goes.
    if (operation == opRemove && component == FFrameController) FFrameController = nullptr;
}

template <class Base>
void TVtFramedEdit<Base>::KeyPress(char& key) {
    if (FTabOnEnter && key == '\r') {
        // Nothing is inserted and nothing beeps; the Tab moves the focus when it is processed.
        key = 0;
        PostMessage(this, WM_KEYDOWN, VK_TAB, 0);
        return;
    }
    Base::KeyPress(key);
}

template <class Base>
void TVtFramedEdit<Base>::CMEnter(TMessage& m) {
    // OnEnter already sees the focus colour.
    SetHotFlag(hfFocus, true);
    Base::CMEnter(m);
}

template <class Base>
void TVtFramedEdit<Base>::CMExit(TMessage& m) {
    // OnExit still sees the focus colour.
    Base::CMExit(m);
    SetHotFlag(hfFocus, false);
}

template <class Base>
void TVtFramedEdit<Base>::CMMouseEnter(TMessage& m) {
    Base::CMMouseEnter(m);
    SetHotFlag(hfPointer, true);
    if (OnMouseEnter) OnMouseEnter(this);
}

template <class Base>
void TVtFramedEdit<Base>::CMMouseLeave(TMessage& m) {
    Base::CMMouseLeave(m);
    SetHotFlag(hfPointer, false);
    if (OnMouseLeave) OnMouseLeave(this);
}

template <class Base>
void TVtFramedEdit<Base>::CMEnabledChanged(TMessage& m) {
    Base::CMEnabledChanged(m);
    if (!kMultiLine && this->HandleAllocated()) this->RedrawWindow(nullptr, RDW_FRAME | RDW_UPDATENOW);
    ApplyStateColor();
}

template <class Base>
void TVtFramedEdit<Base>::CMParentColorChanged(TMessage& m) {
    Base::CMParentColorChanged(m);
    if (this->ParentColor()) {
        if (FFocusColor == FNormalColor) FFocusColor = this->Color();
        FNormalColor = this->Color();
    }
    if (CustomFrameShown()) RedrawFrame();
}

template <class Base>
void TVtFramedEdit<Base>::WMSize(TWMSize& m) {
    Base::WMSize(m);
    if (CustomFrameShown()) RedrawFrame();
}

// ---- the custom frame

template <class Base>
void TVtFramedEdit<Base>::WMNCPaint(TWMNCPaint& m) {
    // The platform's border (and the memo's scroll bars) first; the frame goes over them.
    Base::WMNCPaint(m);
    if (!CustomFrameShown()) return;
    const TDeviceContext dc = GetWindowDC(this);
    if (!dc.Valid()) return;
    TCanvas* canvas = FFrameCanvas.get();
    BindCanvas(canvas, dc);
    {
        TScopeExit release([&] {
            canvas->Unbind();
            ReleaseDC(this, dc);
        });
        const bool hot = FrameIsHot();
        // Erasing first: a two-pixel band in the control's colour over the client edge.
        PaintEditFrame(canvas, this->Width(), this->Height(), hot ? FFrameHotStyle : FFrameStyle, this->Color(),
                       hot ? FFrameHotColor : FFrameColor, FFrameSides, false);
    }
    m.Result = 0;
}

template class TVtFramedEdit<TCustomMaskEdit>;
template class TVtFramedEdit<TMemo>;

// ---------------------------------------------------------------- 2. TVtCustomEdit

TVtCustomEdit::TVtCustomEdit(TComponent* owner) : TVtFramedEdit<TCustomMaskEdit>(owner) {}

TVtCustomEdit::~TVtCustomEdit() = default;

void TVtCustomEdit::SetAlignment(TLeftRight v) {
    if (TCustomEdit::Alignment() == v) return;
    TCustomEdit::SetAlignment(v);
    RecreateWnd();
}

// ---------------------------------------------------------------- 3. TVtMemo

TVtMemo::TVtMemo(TComponent* owner) : TVtFramedEdit<TMemo>(owner) {}

TVtMemo::~TVtMemo() = default;

// ---- caret line and column

int TVtMemo::CaretColumnNumber() {
    const int pos = CharFromPos(CaretPixel());
    if (pos < 0) return 1;
    return pos - LineIndex(LineFromChar(pos)) + 1;
}

int TVtMemo::CaretLineNumber() {
    if (SelLength() == 0) return LineFromChar(SelStart()) + 1;
    // With a selection: the line of the character nearest the caret.
    const int pos = CharFromPos(CaretPixel());
    if (pos < 0) return 1;
    return LineFromChar(pos) + 1;
}

void TVtMemo::SetCaretColumnNumber(int column) {
    const int line = CaretLineNumber() - 1;
    const int start = LineIndex(line);
    if (start < 0) return;
    if (column > LineLength(line) + 1) return;
    SetSelStart(start + column - 1);
    NotifyLineCol();
}

void TVtMemo::SetCaretLineNumber(int line) {
    const int start = LineIndex(line - 1);
    if (start < 0) return;
    SetSelStart(start);
    if (CaretLineNumber() != line) return;
    ScrollToLine(line - 1);
    NotifyLineCol();
}

// ---- notifications

void TVtMemo::NotifyLineCol() {
    if (OnLineColChange) OnLineColChange(this, CaretLineNumber(), CaretColumnNumber());
    NotifyClipboard();
}

void TVtMemo::NotifyClipboard() {
    if (!OnClipboardChange) return;
    const bool hasText = PlatformInstalled() && !Platform().ClipboardText().empty();
    OnClipboardChange(this, SelLength() != 0, hasText);
}

void TVtMemo::Change() {
    TVtFramedEdit<TMemo>::Change();
    NotifyLineCol();
}

void TVtMemo::Click() {
    TVtFramedEdit<TMemo>::Click();
    NotifyLineCol();
}

void TVtMemo::KeyDown(Word& key, TShiftState shift) {
    TVtFramedEdit<TMemo>::KeyDown(key, shift);
    NotifyLineCol();
}

void TVtMemo::KeyUp(Word& key, TShiftState shift) {
    TVtFramedEdit<TMemo>::KeyUp(key, shift);
    NotifyLineCol();
}

void TVtMemo::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TVtFramedEdit<TMemo>::MouseUp(button, shift, x, y);
    NotifyClipboard();
}

void TVtMemo::CreateWnd() {
    TVtFramedEdit<TMemo>::CreateWnd();
    NotifyLineCol();
    NotifyClipboard();
}

// ---- wheel

int TVtMemo::WheelLines(TShiftState) const {
    if (GetShiftState().Contains(ssCtrl)) return PlatformInstalled() ? Platform().WheelScrollLines() : 3;
    return 1;
}

// The events run first; the notch is then always ours, so the platform's scrolling stays out.
bool TVtMemo::DoMouseWheelDown(TShiftState shift, TPoint mousePos) {
    TVtFramedEdit<TMemo>::DoMouseWheelDown(shift, mousePos);
    LineScroll(WheelLines(shift));
    return true;
}

bool TVtMemo::DoMouseWheelUp(TShiftState shift, TPoint mousePos) {
    TVtFramedEdit<TMemo>::DoMouseWheelUp(shift, mousePos);
    LineScroll(-WheelLines(shift));
    return true;
}

// ---------------------------------------------------------------- 4. class tables

namespace {

// What the edit and the memo both publish. While a controller is linked it supplies the
// colours and the frame, so none of them is stored.
template <class T>
void PublishFramedEdit(TClassBuilder<T>& b) {
    using D = typename T::Defaults;
    auto free = [](T& e) { return e.FrameController() == nullptr; };
    // A disabled control's Color holds DisabledColor.
    b.Color("Color", &TControl::Color, &TControl::SetColor).Default(D::Color).Stored([](T& e) {
        return !e.FrameController() && e.Enabled() && !e.ParentColor();
    });
    b.Color("FocusColor", &T::FocusColor, &T::SetFocusColor).Default(D::FocusColor).Stored([](T& e) {
        return !e.FrameController() && ColorToRGB(e.FocusColor()) != ColorToRGB(e.Color());
    });
    b.Color("DisabledColor", &T::DisabledColor, &T::SetDisabledColor).Default(D::DisabledColor).Stored(free);
    b.Color("FrameColor", &T::FrameColor, &T::SetFrameColor).Default(D::FrameColor).Stored(free);
    b.Color("FrameHotColor", &T::FrameHotColor, &T::SetFrameHotColor).Default(D::FrameHotColor).Stored(free);
    b.Boolean("FrameHotTrack", &T::FrameHotTrack, &T::SetFrameHotTrack).Default(D::FrameHotTrack).Stored(free);
    b.Enumeration("FrameHotStyle", FrameStyleInfo(), &T::FrameHotStyle, &T::SetFrameHotStyle)
        .Default(D::FrameHotStyle)
        .Stored(free);
    b.SetOf("FrameSides", SidesInfo(), &T::FrameSides, &T::SetFrameSides).Default(D::FrameSides).Stored(free);
    b.Enumeration("FrameStyle", FrameStyleInfo(), &T::FrameStyle, &T::SetFrameStyle)
        .Default(D::FrameStyle)
        .Stored(free);
    b.Boolean("FrameVisible", &T::FrameVisible, &T::SetFrameVisible).Default(D::FrameVisible).Stored(free);
    b.Enumeration("FramingPreference", FramingPreferenceInfo(), &T::FramingPreference, &T::SetFramingPreference)
        .Default(D::FramingPreference);
    b.Component("FrameController", &T::FrameController, &T::SetFrameController);
    b.Boolean("TabOnEnter", &T::TabOnEnter, &T::SetTabOnEnter).Default(D::TabOnEnter);
    // Inherited members become members of T for the table.
    b.Event("OnMouseEnter", static_cast<TNotifyEvent T::*>(&T::OnMouseEnter));
    b.Event("OnMouseLeave", static_cast<TNotifyEvent T::*>(&T::OnMouseLeave));
    // Names of earlier versions.
    b.Obsolete("FrameFlat", [](T& e, const TValue& v) { e.ReadFrameFlat(v.AsBoolean()); });
    b.Obsolete("FrameFocusStyle", [](T& e, const TValue& v) { e.ReadFrameFocusStyle(v.AsIdent()); });
    b.Discard("FrameFlatStyle");
}

}  // namespace

void TVtCustomEdit::RegisterClassInfo() { RegisterClass<TVtCustomEdit>("TVtCustomEdit", "TCustomMaskEdit"); }

void TVtEdit::RegisterClassInfo() {
    RegisterClass<TVtEdit>("TVtEdit", "TVtCustomEdit", [](TClassBuilder<TVtEdit>& b) {
        PublishFramedEdit(b);
        b.Enumeration("Alignment", AlignmentInfo(), &TVtEdit::Alignment, &TVtEdit::SetAlignment).Default(taLeftJustify);
    });
}

void TVtMemo::RegisterClassInfo() {
    RegisterClass<TVtMemo>("TVtMemo", "TMemo", [](TClassBuilder<TVtMemo>& b) {
        PublishFramedEdit(b);
        b.Event("OnLineColChange", &TVtMemo::OnLineColChange);
        b.Event("OnClipboardChange", &TVtMemo::OnClipboardChange);
    });
}
