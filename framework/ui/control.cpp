// The control tree: what every control is and does. Sections:
//   1. shared input state: capture, shift state, the pointer, the control under it
//   2. TControl: construction, geometry, state setters, painting requests, dispatch,
//      default notification handlers, mouse
//   3. TGraphicControl
//   4. class tables: TControl, TGraphicControl
// Windowed controls live in win_control.cpp, device contexts in device_context.cpp, the
// posted-message queue in posted_messages.cpp, drag and drop and docking in dragdock.cpp.
#include "framework/ui/controls.h"

#include <algorithm>
#include <cctype>

#include "framework/core/scope_guards.h"
#include "framework/core/typinfo.h"
#include "framework/ui/accessibility.h"
#include "framework/ui/control_tree_internal.h"
#include "framework/ui/forms.h"

// ---------------------------------------------------------------- 1. shared input state

namespace {

TControl* gCaptureControl = nullptr;
TShiftState gLastInputShift;

constexpr TShiftState kModifierAndButtons{ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle};

bool IsInputMessage(unsigned msg) {
    return (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) || (msg >= WM_KEYFIRST && msg <= WM_KEYLAST);
}

TMouseButton ButtonOf(unsigned msg) {
    switch (msg) {
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK: return mbRight;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MBUTTONDBLCLK: return mbMiddle;
        default: return mbLeft;
    }
}

}  // namespace

void DropCanvasBindings(TControl* control) {
    control->UnbindCanvas();
    if (TWinControl* w = control->AsWinControl()) {
        for (int i = 0; i < w->ControlCount(); ++i) DropCanvasBindings(w->Controls(i));
    }
}

TControl* GetCaptureControl() { return gCaptureControl; }

void SetCaptureControl(TControl* control) {
    if (gCaptureControl == control) return;
    TControl* old = gCaptureControl;
    gCaptureControl = control;
    if (old) old->Perform(WM_CAPTURECHANGED, 0, PtrToLParam(control));
    DragCaptureChanged(control);
}

TShiftState GetShiftState() {
    TShiftState s = gLastInputShift * kModifierAndButtons;
    if (PlatformInstalled()) s = s + (Platform().KeyboardState() * kModifierAndButtons);
    return s;
}

void SetLastInputShift(TShiftState shift) { gLastInputShift = shift; }

TPoint GetCursorPos() {
    if (!Application || !PlatformInstalled()) return {};
    TCustomForm* f = Application->ActiveForm();
    if (!f || !f->WindowId()) return {};
    return Platform().CursorPos(f->WindowId());
}

void ForgetCaptureInside(TControl* control) {
    for (TControl* c = gCaptureControl; c; c = c->Parent())
        if (c == control) {
            gCaptureControl = nullptr;
            return;
        }
}

TControl* GetMouseControl() { return Application ? Application->FMouseControl : nullptr; }

void ForgetMouseControl(TControl* control) {
    if (!Application) return;
    TControl*& m = Application->FMouseControl;
    if (!m) return;
    for (TControl* c = m; c; c = c->Parent())
        if (c == control) {
            m = nullptr;
            return;
        }
}

TCustomForm* GetParentForm(const TControl* control) {
    for (const TControl* c = control; c; c = c->Parent())
        if (TCustomForm* f = c->AsCustomForm()) return f;
    return nullptr;
}

bool IsAccel(char ch, const std::string& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        return std::toupper(static_cast<unsigned char>(caption[i + 1])) == std::toupper(static_cast<unsigned char>(ch));
    }
    return false;
}

// ---------------------------------------------------------------- 2. TControl

TControl::TControl(TComponent* owner) : TComponent(owner), FFont(std::make_unique<TFont>()) {
    FFont->OnChange = [this] { FontChanged(); };
}

TControl::~TControl() {
    ForgetAccessibleControl(this);
    DragDockControlDestroyed(this);
    if (gCaptureControl == this) gCaptureControl = nullptr;
    ForgetMouseControl(this);
    RemovePostedMessages(this);
    if (FParent) FParent->RemoveControl(this);
    FFont->OnChange = nullptr;
}

void TControl::SetBounds(int left, int top, int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
    TWindowPos pos{left, top, width, height, 0};
    Perform(WM_WINDOWPOSCHANGED, 0, PtrToLParam(&pos));
}

void TControl::UpdateBoundsFields(int left, int top, int width, int height) {
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
}

TRect TControl::ClientRect() const { return Rect(0, 0, FWidth, FHeight); }

void TControl::SetClientWidth(int v) { SetWidth(v); }
void TControl::SetClientHeight(int v) { SetHeight(v); }

TPoint TControl::ClientOrigin() const {
    if (!FParent) return {FLeft, FTop};
    const TPoint p = FParent->ClientOrigin();
    return {p.X + FLeft, p.Y + FTop};
}

TPoint TControl::ClientToScreen(TPoint p) const {
    const TPoint o = ClientOrigin();
    return {p.X + o.X, p.Y + o.Y};
}

TPoint TControl::ScreenToClient(TPoint p) const {
    const TPoint o = ClientOrigin();
    return {p.X - o.X, p.Y - o.Y};
}

bool TControl::PtInControl(TPoint p) const { return Rect(0, 0, FWidth, FHeight).Contains(p); }

void TControl::SetParent(TWinControl* parent) {
    if (parent == FParent) return;
    if (parent == this) throw EInvalidOperation("A control cannot have itself as its parent");
    if (FParent) FParent->RemoveControl(this);
    if (parent) parent->InsertControl(this);
}

void TControl::SetParentComponent(TComponent* parent) {
    if (auto* w = dynamic_cast<TWinControl*>(parent)) SetParent(w);
}

TComponent* TControl::GetParentComponent() const { return FParent; }

void TControl::SetVisible(bool v) {
    if (!Change(FVisible, v)) return;
    Perform(CM_VISIBLECHANGED, v ? 1 : 0);
    SendDockNotification(CM_VISIBLECHANGED, v ? 1 : 0, 0);
    RequestAlign();
}

void TControl::Show() {
    if (FParent) FParent->ShowControl(this);
    SetVisible(true);
}

bool TControl::Showing() const { return FVisible && FParent && FParent->Showing(); }

void TControl::SetColor(TColor c) {
    if (!Change(FColor, c)) return;
    FParentColor = false;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool v) {
    if (!Change(FParentColor, v)) return;
    if (v && FParent && !ComponentState().Contains(csReading)) Perform(CM_PARENTCOLORCHANGED);
}

void TControl::FontChanged() {
    FParentFont = false;
    Perform(CM_FONTCHANGED);
}

void TControl::SetParentFont(bool v) {
    if (!Change(FParentFont, v)) return;
    if (v && FParent && !ComponentState().Contains(csReading)) Perform(CM_PARENTFONTCHANGED);
}

void TControl::SetText(const std::string& s) {
    if (GetText() == s) return;
    SetTextValue(s);
    Perform(CM_TEXTCHANGED);
    SendDockNotification(CM_TEXTCHANGED, 0, 0);
}

void TControl::RequestAlign() {
    if (FParent) FParent->Realign();
}

void TControl::ReadingDone() {
    TComponent::ReadingDone();
    if (!FParent) return;
    if (FParentColor) Perform(CM_PARENTCOLORCHANGED);
    if (FParentFont) Perform(CM_PARENTFONTCHANGED);
}

void TControl::Loaded() {
    TComponent::Loaded();
    RequestAlign();
}

void TControl::Invalidate() {
    if (!FParent || !FVisible) return;
    const TRect r = BoundsRect();
    FParent->InvalidateRect(&r, !FControlStyle.Contains(csOpaque));
}

void TControl::Repaint() {
    if (!FParent || !FVisible) return;
    Invalidate();
    FParent->Update();
}

void TControl::Update() {
    if (FParent) FParent->Update();
}

bool TControl::MoveAmongSiblings(bool toFront) {
    auto move = [toFront](auto& list, auto* item) {
        auto it = std::find(list.begin(), list.end(), item);
        if (it == list.end() || (toFront ? it + 1 == list.end() : it == list.begin())) return false;
        if (toFront) std::rotate(it, it + 1, list.end());
        else std::rotate(list.begin(), it, it + 1);
        return true;
    };
    if (!FParent) return false;
    if (auto* self = dynamic_cast<TWinControl*>(this)) return move(FParent->FWinControls, self);
    return move(FParent->FControls, this);
}

void TControl::BringToFront() {
    if (MoveAmongSiblings(true)) Invalidate();
}

void TControl::SendToBack() {
    if (MoveAmongSiblings(false)) Invalidate();
}

LRESULT TControl::Perform(unsigned msg, WPARAM wParam, LPARAM lParam) {
    TMessage m{msg, wParam, lParam, 0};
    WndProc(m);
    return m.Result;
}

void TControl::WndProc(TMessage& message) {
    // The one place where a disabled control's input is dropped.
    if (!FEnabled && IsInputMessage(message.Msg)) return;
    Dispatch(message);
    NoteAccessibleNotification(this, message.Msg);
}

void TControl::DefaultHandler(TMessage&) {}

bool TControl::MouseCapture() const { return gCaptureControl == this; }

void TControl::SetMouseCapture(bool v) {
    if (v) SetCaptureControl(this);
    else if (gCaptureControl == this) SetCaptureControl(nullptr);
}

void TControl::Dispatch(TMessage& m) {
    switch (m.Msg) {
        case CM_MOUSEENTER: CMMouseEnter(m); break;
        case CM_MOUSELEAVE: CMMouseLeave(m); break;
        case CM_ENABLEDCHANGED: CMEnabledChanged(m); break;
        case CM_COLORCHANGED: CMColorChanged(m); break;
        case CM_FONTCHANGED: CMFontChanged(m); break;
        case CM_TEXTCHANGED: CMTextChanged(m); break;
        case CM_VISIBLECHANGED: CMVisibleChanged(m); break;
        case CM_PARENTCOLORCHANGED: CMParentColorChanged(m); break;
        case CM_PARENTFONTCHANGED: CMParentFontChanged(m); break;
        case CM_SYSCOLORCHANGE: CMSysColorChange(m); break;
        case CM_WININICHANGE: CMWinIniChange(m); break;
        case CM_CURSORCHANGED: CMCursorChanged(m); break;
        case CM_HITTEST: Typed<TCMHitTest>(m, [this](TCMHitTest& v) { CMHitTest(v); }); break;
        case CM_DIALOGKEY: Typed<TCMDialogKey>(m, [this](TCMDialogKey& v) { CMDialogKey(v); }); break;
        case CM_DIALOGCHAR: Typed<TCMDialogChar>(m, [this](TCMDialogChar& v) { CMDialogChar(v); }); break;
        case CM_FOCUSCHANGED: Typed<TCMFocusChanged>(m, [this](TCMFocusChanged& v) { CMFocusChanged(v); }); break;
        case CM_DRAG: Typed<TCMDrag>(m, [this](TCMDrag& v) { CMDrag(v); }); break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK: Typed<TWMMouse>(m, [this](TWMMouse& v) { WMMouseDown(v); }); break;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: Typed<TWMMouse>(m, [this](TWMMouse& v) { WMMouseUp(v); }); break;
        case WM_MOUSEMOVE: Typed<TWMMouse>(m, [this](TWMMouse& v) { WMMouseMove(v); }); break;
        case WM_MOUSEWHEEL: Typed<TWMMouseWheel>(m, [this](TWMMouseWheel& v) { WMMouseWheel(v); }); break;
        case WM_WINDOWPOSCHANGED:
            Typed<TWMWindowPosChanged>(m, [this](TWMWindowPosChanged& v) { WMWindowPosChanged(v); });
            break;
        case WM_SIZE: Typed<TWMSize>(m, [this](TWMSize& v) { WMSize(v); }); break;
        case WM_PAINT: Typed<TWMPaint>(m, [this](TWMPaint& v) { WMPaint(v); }); break;
        case CM_ACCESSIBLEACTION:
            m.Result = DoAccessibleAction(static_cast<int>(m.LParam), static_cast<TAccessibleAction>(m.WParam));
            break;
        default: DefaultHandler(m); break;
    }
}

void TControl::CMMouseEnter(TMessage&) {}
void TControl::CMMouseLeave(TMessage&) {}
void TControl::CMEnabledChanged(TMessage&) { Invalidate(); }
void TControl::CMColorChanged(TMessage&) { Invalidate(); }
void TControl::CMFontChanged(TMessage&) { Invalidate(); }
void TControl::CMTextChanged(TMessage&) {}
void TControl::CMSysColorChange(TMessage&) { Invalidate(); }
void TControl::CMWinIniChange(TMessage&) {}
void TControl::CMCursorChanged(TMessage&) {}
void TControl::CMHitTest(TCMHitTest& m) { m.Result = HTCLIENT; }
void TControl::CMDialogKey(TCMDialogKey&) {}
void TControl::CMDialogChar(TCMDialogChar&) {}
void TControl::CMFocusChanged(TCMFocusChanged&) {}

void TControl::CMVisibleChanged(TMessage&) {
    // A windowless control shows or uncovers its part of the parent.
    if (!FParent) return;
    const TRect r = BoundsRect();
    FParent->InvalidateRect(&r, true);
}

void TControl::CMParentColorChanged(TMessage&) {
    if (!FParentColor || !FParent) return;
    SetColor(FParent->Color());
    FParentColor = true;
}

void TControl::CMParentFontChanged(TMessage&) {
    if (!FParentFont || !FParent) return;
    FFont->Assign(*FParent->Font());
    FParentFont = true;
}

void TControl::WMMouseDown(TWMMouse& m) {
    const TMouseButton button = ButtonOf(m.Msg);
    const bool dbl = m.Msg == WM_LBUTTONDBLCLK || m.Msg == WM_RBUTTONDBLCLK || m.Msg == WM_MBUTTONDBLCLK;
    if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
    if (button == mbLeft && FControlStyle.Contains(csClickEvents)) FControlState.Include(csClicked);
    TShiftState shift = m.Keys;
    if (dbl) {
        shift.Include(ssDouble);
        if (button == mbLeft) DblClick();
    }
    MouseDown(button, shift, m.XPos, m.YPos);
    // An automatic drag waits for the threshold, so a plain click stays a click.
    if (button == mbLeft && FDragMode == dmAutomatic && !Dragging()) BeginDrag(false);
}

void TControl::WMMouseUp(TWMMouse& m) {
    const TMouseButton button = ButtonOf(m.Msg);
    if (MouseCapture() && !m.Keys.Contains(ssLeft) && !m.Keys.Contains(ssRight) && !m.Keys.Contains(ssMiddle))
        SetMouseCapture(false);
    if (button == mbLeft && FControlState.Contains(csClicked)) {
        FControlState.Exclude(csClicked);
        if (ClientRect().Contains(m.Pos()) || Rect(0, 0, FWidth, FHeight).Contains(m.Pos())) Click();
    }
    MouseUp(button, m.Keys, m.XPos, m.YPos);
}

void TControl::WMMouseMove(TWMMouse& m) { MouseMove(m.Keys, m.XPos, m.YPos); }

void TControl::WMMouseWheel(TWMMouseWheel& m) {
    if (DoMouseWheel(m.Keys, m.WheelDelta, {m.XPos, m.YPos})) {
        m.Result = 1;
        return;
    }
    TMessage raw{m.Msg, MakeWheelWParam(m.Keys, m.WheelDelta), PointToLParam({m.XPos, m.YPos}), 0};
    DefaultHandler(raw);
    m.Result = raw.Result;
}

void TControl::WMWindowPosChanged(TWMWindowPosChanged& m) {
    const TWindowPos& p = *m.WindowPos;
    const TRect old = BoundsRect();
    const bool sized = p.CX != FWidth || p.CY != FHeight;
    UpdateBoundsFields(p.X, p.Y, p.CX, p.CY);
    DropCanvasBindings(this);
    if (FParent && FVisible) {
        FParent->InvalidateRect(&old, true);
        const TRect now = BoundsRect();
        FParent->InvalidateRect(&now, !FControlStyle.Contains(csOpaque));
    }
    if (sized) Perform(WM_SIZE, SIZE_RESTORED, (FWidth & 0xFFFF) | ((FHeight & 0xFFFF) << 16));
    if (FAlign != alNone) RequestAlign();
}

void TControl::WMSize(TWMSize&) { Resize(); }

void TControl::WMPaint(TWMPaint&) {}

void TControl::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == FAccessibleLabel) FAccessibleLabel = nullptr;
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}
void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}
void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}
void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
}
void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}
bool TControl::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
    bool handled = false;
    if (OnMouseWheel) OnMouseWheel(this, shift, wheelDelta, mousePos, handled);
    if (!handled) {
        if (wheelDelta < 0) handled = DoMouseWheelDown(shift, mousePos);
        else if (wheelDelta > 0) handled = DoMouseWheelUp(shift, mousePos);
    }
    return handled;
}
bool TControl::DoMouseWheelDown(TShiftState shift, TPoint mousePos) {
    bool handled = false;
    if (OnMouseWheelDown) OnMouseWheelDown(this, shift, mousePos, handled);
    return handled;
}
bool TControl::DoMouseWheelUp(TShiftState shift, TPoint mousePos) {
    bool handled = false;
    if (OnMouseWheelUp) OnMouseWheelUp(this, shift, mousePos, handled);
    return handled;
}
void TControl::Resize() {
    if (OnResize) OnResize(this);
}

// ---------------------------------------------------------------- 3. TGraphicControl

TGraphicControl::TGraphicControl(TComponent* owner)
    : TControl(owner), FCanvas(std::make_unique<TControlCanvas>(this)) {}

TGraphicControl::~TGraphicControl() = default;

TCanvas* TGraphicControl::Canvas() {
    if (FCanvas->NeedsScreenBinding() && FParent) {
        TDeviceContext dc = GetDC(FParent);
        if (dc.Valid()) {
            const TPoint o{dc.Origin.X + FLeft, dc.Origin.Y + FTop};
            const TRect clip = IntersectRect(dc.Clip, Bounds(o.X, o.Y, FWidth, FHeight));
            FCanvas->Bind(dc.Surface, o, clip);
            FCanvas->NoteScreenBinding();
            // The drawing that follows reaches the screen with the next presentation.
            dc.Clip = clip;
            ReleaseDC(FParent, dc);
        } else {
            FCanvas->Unbind();
        }
    }
    return FCanvas.get();
}

void TGraphicControl::WMPaint(TWMPaint& m) {
    if (!m.Canvas) return;
    if (m.Canvas == FCanvas.get()) {
        Paint();
        return;
    }
    // Someone else's canvas (a parent's background drawn into a child): draw there.
    TCanvasBinding binding(FCanvas.get());
    BindCanvasTo(FCanvas.get(), m.Canvas, {0, 0}, Rect(0, 0, FWidth, FHeight));
    Paint();
}

// ---------------------------------------------------------------- 4. class tables

const TEnumInfo& AlignInfo() {
    static const TEnumInfo info =
        MakeEnumInfo("TAlign", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom"});
    return info;
}
const TEnumInfo& AlignmentInfo() {
    static const TEnumInfo info = MakeEnumInfo("TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"});
    return info;
}
const TEnumInfo& DragModeInfo() {
    static const TEnumInfo info = MakeEnumInfo("TDragMode", {"dmManual", "dmAutomatic"});
    return info;
}
const TEnumInfo& DragKindInfo() {
    static const TEnumInfo info = MakeEnumInfo("TDragKind", {"dkDrag", "dkDock"});
    return info;
}
const TEnumInfo& AnchorsInfo() {
    static const TEnumInfo info = MakeEnumInfo("TAnchorKind", {"akLeft", "akTop", "akRight", "akBottom"});
    return info;
}

void TControl::RegisterClassInfo() {
    RegisterClass<TControl>("TControl", "TComponent", [](TClassBuilder<TControl>& b) {
        auto boundsStored = [](TControl& c) { return !c.StoresClientSize(); };
        b.Integer("Left", &TControl::Left, &TControl::SetLeft).NoDefault();
        b.Integer("Top", &TControl::Top, &TControl::SetTop).NoDefault();
        b.Integer("Width", &TControl::Width, &TControl::SetWidth).NoDefault().Stored(boundsStored);
        b.Integer("Height", &TControl::Height, &TControl::SetHeight).NoDefault().Stored(boundsStored);
        b.Enumeration("Align", AlignInfo(), &TControl::Align, &TControl::SetAlign).Default();
        b.SetOf("Anchors", AnchorsInfo(), &TControl::Anchors, &TControl::SetAnchors).Default();
        b.String("Caption", &TControl::Caption, &TControl::SetCaption).Stored([](TControl& c) {
            return !c.StoresText();
        });
        b.String("Text", &TControl::Text, &TControl::SetText).Stored([](TControl& c) { return c.StoresText(); });
        b.Color("Color", &TControl::Color, &TControl::SetColor).NoDefault().Stored([](TControl& c) {
            return !c.ParentColor();
        });
        b.Integer("Cursor", &TControl::Cursor, &TControl::SetCursor).Default();
        b.Boolean("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default();
        b.Object("Font", "TFont", &TControl::Font).Stored([](TControl& c) { return !c.ParentFont(); });
        b.String("Hint", &TControl::Hint, &TControl::SetHint);
        b.Boolean("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).NoDefault();
        b.Boolean("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).Default();
        b.Boolean("ShowHint", &TControl::ShowHint, &TControl::SetShowHint).Default();
        b.Boolean("Visible", &TControl::Visible, &TControl::SetVisible).Default();
        b.Event("OnClick", &TControl::OnClick);
        b.Event("OnDblClick", &TControl::OnDblClick);
        b.Event("OnMouseDown", &TControl::OnMouseDown);
        b.Event("OnMouseMove", &TControl::OnMouseMove);
        b.Event("OnMouseUp", &TControl::OnMouseUp);
        b.Event("OnMouseWheel", &TControl::OnMouseWheel);
        b.Event("OnMouseWheelDown", &TControl::OnMouseWheelDown);
        b.Event("OnMouseWheelUp", &TControl::OnMouseWheelUp);
        b.Event("OnResize", &TControl::OnResize);
        b.Enumeration("DragMode", DragModeInfo(), &TControl::DragMode, &TControl::SetDragMode).Default();
        b.Enumeration("DragKind", DragKindInfo(), &TControl::DragKind, &TControl::SetDragKind).Default();
        b.Integer("DragCursor", &TControl::DragCursor, &TControl::SetDragCursor).Default();
        b.Event("OnStartDrag", &TControl::OnStartDrag);
        b.Event("OnDragOver", &TControl::OnDragOver);
        b.Event("OnDragDrop", &TControl::OnDragDrop);
        b.Event("OnEndDrag", &TControl::OnEndDrag);
        b.Event("OnStartDock", &TControl::OnStartDock);
        b.Event("OnEndDock", &TControl::OnEndDock);
    });
}

void TGraphicControl::RegisterClassInfo() { RegisterClass<TGraphicControl>("TGraphicControl", "TControl"); }
