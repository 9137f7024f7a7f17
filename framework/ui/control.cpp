// The control tree. Sections:
//   1. shared state: capture, posted messages, shift state
//   2. TControl: construction, geometry, state setters, painting requests, dispatch,
//      default notification handlers, mouse
//   3. TGraphicControl
//   4. TWinControl: children, focus and tab order, the platform window, non-client area,
//      alignment, painting, dispatch, default notification handlers
//   5. TCustomControl
//   6. device contexts and canvas binding
//   7. class tables
// Drag and drop and docking live in dragdock.cpp.
#include "framework/ui/controls.h"

#include <algorithm>
#include <cctype>
#include <deque>

#include "framework/ui/accessibility.h"
#include "framework/ui/forms.h"
#include "framework/ui/timers.h"
#include "framework/core/typinfo.h"

// ---------------------------------------------------------------- 1. shared state

// dragdock.cpp: a drag ends when the capture is taken from its source; destroyed controls
// are forgotten by the drag and the dock lists.
void DragCaptureChanged(TControl* now);
void DragDockControlDestroyed(TControl* control);
void DockSiteDestroyed(TWinControl* site);

namespace {

TControl* gCaptureControl = nullptr;
TShiftState gLastInputShift;

struct PostedMessage {
    TControl* Control;
    TMessage Message;
};
std::deque<PostedMessage>& PostedQueue() {
    static std::deque<PostedMessage> queue;
    return queue;
}

constexpr TShiftState kModifierAndButtons{ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle};

bool IsInputMessage(unsigned msg) {
    return (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) || (msg >= WM_KEYFIRST && msg <= WM_KEYLAST);
}

TMouseButton ButtonOf(unsigned msg) {
    switch (msg) {
        case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK: return mbRight;
        case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK: return mbMiddle;
        default: return mbLeft;
    }
}

// A canvas that belongs to a control and draws "on the screen" outside painting loses its
// binding when the control or a parent moves, so the next use binds afresh.
void DropCanvasBindings(TControl* control) {
    if (auto* g = dynamic_cast<TGraphicControl*>(control)) g->UnbindCanvas();
    if (auto* c = dynamic_cast<TCustomControl*>(control)) c->UnbindCanvas();
    if (auto* w = dynamic_cast<TWinControl*>(control)) {
        for (int i = 0; i < w->ControlCount(); ++i) DropCanvasBindings(w->Controls(i));
    }
}

}  // namespace

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

void PostMessage(TControl* control, unsigned msg, WPARAM wParam, LPARAM lParam) {
    if (!control) return;
    PostedQueue().push_back({control, TMessage{msg, wParam, lParam, 0}});
    if (PlatformInstalled()) Platform().Wake();
}

bool HasPostedMessages() { return !PostedQueue().empty(); }

bool DeliverPostedMessages() {
    auto& queue = PostedQueue();
    if (queue.empty()) return false;
    // Messages posted while these are delivered wait for the next round.
    size_t count = queue.size();
    while (count-- > 0 && !queue.empty()) {
        PostedMessage p = queue.front();
        queue.pop_front();
        auto deliver = [&] {
            auto* w = dynamic_cast<TWinControl*>(p.Control);
            TCustomForm* form = w ? GetParentForm(w) : nullptr;
            const unsigned m = p.Message.Msg;
            if (form && m == WM_KEYDOWN)
                form->RouteKeyDown(w, static_cast<Word>(p.Message.WParam), GetShiftState(), p.Message.LParam);
            else if (form && m == WM_KEYUP)
                form->RouteKeyUp(w, static_cast<Word>(p.Message.WParam), GetShiftState(), p.Message.LParam);
            else if (form && m == WM_CHAR)
                form->RouteChar(w, static_cast<char>(p.Message.WParam), GetShiftState());
            else
                p.Control->Perform(m, p.Message.WParam, p.Message.LParam);
        };
        if (Application) Application->Guard(deliver);
        else deliver();
    }
    return true;
}

static void RemovePostedMessages(TControl* control) {
    auto& q = PostedQueue();
    q.erase(std::remove_if(q.begin(), q.end(), [control](const PostedMessage& p) { return p.Control == control; }),
            q.end());
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
        if (auto* f = dynamic_cast<const TCustomForm*>(c)) return const_cast<TCustomForm*>(f);
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
    if (FVisible == v) return;
    FVisible = v;
    Perform(CM_VISIBLECHANGED, v ? 1 : 0);
    SendDockNotification(CM_VISIBLECHANGED, v ? 1 : 0, 0);
    RequestAlign();
}

void TControl::Show() {
    if (FParent) FParent->ShowControl(this);
    SetVisible(true);
}

bool TControl::Showing() const { return FVisible && FParent && FParent->Showing(); }

void TControl::SetEnabled(bool v) {
    if (FEnabled == v) return;
    FEnabled = v;
    Perform(CM_ENABLEDCHANGED);
}

void TControl::SetColor(TColor c) {
    if (FColor == c) return;
    FColor = c;
    FParentColor = false;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool v) {
    if (FParentColor == v) return;
    FParentColor = v;
    if (v && FParent && !ComponentState().Contains(csReading)) Perform(CM_PARENTCOLORCHANGED);
}

void TControl::FontChanged() {
    FParentFont = false;
    Perform(CM_FONTCHANGED);
}

void TControl::SetParentFont(bool v) {
    if (FParentFont == v) return;
    FParentFont = v;
    if (v && FParent && !ComponentState().Contains(csReading)) Perform(CM_PARENTFONTCHANGED);
}

void TControl::SetText(const std::string& s) {
    if (GetText() == s) return;
    SetTextValue(s);
    Perform(CM_TEXTCHANGED);
    SendDockNotification(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetCursor(TCursor c) {
    if (FCursor == c) return;
    FCursor = c;
    Perform(CM_CURSORCHANGED);
}

void TControl::SetAlign(TAlign a) {
    if (FAlign == a) return;
    FAlign = a;
    RequestAlign();
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

template <class View, class Handler>
static void Typed(TMessage& m, Handler&& handler) {
    View v = View::From(m);
    handler(v);
    v.StoreTo(m);
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
        case CM_CURSORCHANGED: CMCursorChanged(m); break;
        case CM_HITTEST: Typed<TCMHitTest>(m, [this](TCMHitTest& v) { CMHitTest(v); }); break;
        case CM_DIALOGKEY: Typed<TCMDialogKey>(m, [this](TCMDialogKey& v) { CMDialogKey(v); }); break;
        case CM_DIALOGCHAR: Typed<TCMDialogChar>(m, [this](TCMDialogChar& v) { CMDialogChar(v); }); break;
        case CM_FOCUSCHANGED: Typed<TCMFocusChanged>(m, [this](TCMFocusChanged& v) { CMFocusChanged(v); }); break;
        case CM_DRAG: Typed<TCMDrag>(m, [this](TCMDrag& v) { CMDrag(v); }); break;
        case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
        case WM_LBUTTONDBLCLK: case WM_RBUTTONDBLCLK: case WM_MBUTTONDBLCLK:
            Typed<TWMMouse>(m, [this](TWMMouse& v) { WMMouseDown(v); });
            break;
        case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP:
            Typed<TWMMouse>(m, [this](TWMMouse& v) { WMMouseUp(v); });
            break;
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
    BindCanvasTo(FCanvas.get(), m.Canvas, {0, 0}, Rect(0, 0, FWidth, FHeight));
    try {
        Paint();
    } catch (...) {
        FCanvas->Unbind();
        throw;
    }
    FCanvas->Unbind();
}

// ---------------------------------------------------------------- 4. TWinControl

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    Destroying();
    DockSiteDestroyed(this);
    // A parent frees its children, whoever owns them.
    while (!FWinControls.empty() || !FControls.empty()) {
        TControl* c = !FWinControls.empty() ? static_cast<TControl*>(FWinControls.back()) : FControls.back();
        delete c;
    }
    KillTimersOf(this);
    if (FParent) FParent->RemoveControl(this);
    FHandleAllocated = false;
}

TControl* TWinControl::Controls(int index) const {
    const int n = static_cast<int>(FControls.size());
    if (index < 0 || index >= ControlCount()) throw EListError(Format("List index out of bounds (%d)", index));
    return index < n ? FControls[index] : FWinControls[index - n];
}

bool TWinControl::ContainsControl(const TControl* control) const {
    for (const TControl* c = control; c; c = c->Parent())
        if (c == this) return true;
    return false;
}

void TWinControl::InsertControl(TControl* control) {
    control->FParent = this;
    if (auto* w = dynamic_cast<TWinControl*>(control)) {
        FWinControls.push_back(w);
        FTabList.push_back(w);
    } else {
        FControls.push_back(control);
    }
    if (!control->ComponentState().Contains(csReading)) {
        if (control->FParentColor) control->Perform(CM_PARENTCOLORCHANGED);
        if (control->FParentFont) control->Perform(CM_PARENTFONTCHANGED);
        if (auto* w = dynamic_cast<TWinControl*>(control))
            if (w->FParentCtl3D) w->Perform(CM_PARENTCTL3DCHANGED);
    }
    Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(control), 1);
    if (auto* w = dynamic_cast<TWinControl*>(control)) {
        if (w->FTabOrderRequest >= 0 && !w->ComponentState().Contains(csLoading)) {
            const int order = w->FTabOrderRequest;
            w->FTabOrderRequest = -1;
            w->SetTabOrder(order);
        }
        w->UpdateShowing();
    }
    else control->Invalidate();
    if (control->FAlign != alNone) Realign();
}

void TWinControl::RemoveControl(TControl* control) {
    if (TCustomForm* form = GetParentForm(this)) form->ControlRemoving(control);
    if (gCaptureControl && control->FParent == this) {
        for (TControl* c = gCaptureControl; c; c = c->Parent())
            if (c == control) {
                gCaptureControl = nullptr;
                break;
            }
    }
    ForgetMouseControl(control);
    const bool wasVisible = control->FVisible;
    const TRect bounds = control->BoundsRect();
    if (auto* w = dynamic_cast<TWinControl*>(control)) {
        FWinControls.erase(std::remove(FWinControls.begin(), FWinControls.end(), w), FWinControls.end());
        FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), w), FTabList.end());
        if (!ComponentState().Contains(csDestroying)) w->DestroyHandle();
    } else {
        FControls.erase(std::remove(FControls.begin(), FControls.end(), control), FControls.end());
    }
    control->FParent = nullptr;
    if (!ComponentState().Contains(csDestroying)) {
        if (wasVisible) InvalidateRect(&bounds, true);
        Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(control), 0);
        if (control->FAlign != alNone) Realign();
    }
}

TControl* TWinControl::ControlAtPoint(TPoint p, bool allowDisabled) {
    for (auto it = FWinControls.rbegin(); it != FWinControls.rend(); ++it) {
        TWinControl* w = *it;
        if (!w->FVisible || !w->BoundsRect().Contains(p)) continue;
        if (!allowDisabled && !w->FEnabled) return w;
        const TRect ci = w->ClientInWindow();
        const TPoint inner{p.X - w->FLeft - ci.Left, p.Y - w->FTop - ci.Top};
        if (!Rect(0, 0, ci.Width(), ci.Height()).Contains(inner)) return w;  // its border
        return w->ControlAtPoint(inner, allowDisabled);
    }
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
        TControl* c = *it;
        if (!c->FVisible || !c->BoundsRect().Contains(p)) continue;
        if (c->Perform(CM_HITTEST, 0, PointToLParam({p.X - c->FLeft, p.Y - c->FTop})) != 0) return c;
    }
    return this;
}

void TWinControl::Broadcast(TMessage& message) {
    for (int i = 0; i < ControlCount(); ++i) {
        Controls(i)->WndProc(message);
        if (message.Result != 0) return;
    }
}

void TWinControl::NotifyControls(unsigned msg) {
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->Perform(msg);
}

int TWinControl::TabOrder() const {
    if (!FParent) return -1;
    auto& list = FParent->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int order) {
    if (!FParent || ComponentState().Contains(csLoading)) {
        FTabOrderRequest = order;
        return;
    }
    auto& list = FParent->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end()) return;
    list.erase(it);
    order = std::clamp(order, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + order, this);
}

void TWinControl::SetTabStop(bool v) {
    if (FTabStop == v) return;
    FTabStop = v;
    Perform(CM_TABSTOPCHANGED);
}

bool TWinControl::Focused() const {
    TCustomForm* f = GetParentForm(this);
    return f && f->Active() && f->FocusHandle() == this;
}

bool TWinControl::CanFocus() const {
    TCustomForm* form = GetParentForm(this);
    if (!form) return false;
    for (const TControl* c = this; c != form; c = c->Parent()) {
        if (!c || !c->FVisible || !c->FEnabled) return false;
    }
    return true;
}

void TWinControl::SetFocus() {
    if (TCustomForm* f = GetParentForm(this)) f->FocusControl(this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
    for (TWinControl* c : FTabList) {
        list.push_back(c);
        c->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                          bool checkParent) const {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    const int n = static_cast<int>(list.size());
    if (n == 0) return nullptr;
    auto it = std::find(list.begin(), list.end(), current);
    int start = it != list.end() ? static_cast<int>(it - list.begin()) : (goForward ? n - 1 : 0);
    int i = start;
    do {
        i = goForward ? (i + 1) % n : (i + n - 1) % n;
        TWinControl* c = list[i];
        if (c != current && c->CanFocus() && (!checkTabStop || c->FTabStop) && (!checkParent || c->FParent == this))
            return c;
    } while (i != start);
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop) {
    if (TWinControl* c = FindNextControl(current, goForward, checkTabStop, !checkTabStop)) c->SetFocus();
}

void TWinControl::SelectFirst() {
    if (TWinControl* c = FindNextControl(nullptr, true, true, false)) c->SetFocus();
}

void TWinControl::ShowControl(TControl*) {
    if (FParent) FParent->ShowControl(this);
}

void TWinControl::SetCtl3D(bool v) {
    if (FCtl3D == v) return;
    FCtl3D = v;
    FParentCtl3D = false;
    Perform(CM_CTL3DCHANGED);
}

void TWinControl::SetParentCtl3D(bool v) {
    if (FParentCtl3D == v) return;
    FParentCtl3D = v;
    if (v && FParent && !ComponentState().Contains(csReading)) Perform(CM_PARENTCTL3DCHANGED);
}

// ---- the platform window

const TCreateParams& TWinControl::WindowParams() const {
    if (!FParamsValid) {
        auto* self = const_cast<TWinControl*>(this);
        self->FParams = TCreateParams{};
        self->CreateParams(self->FParams);
        self->FParamsValid = true;
    }
    return FParams;
}

TRect TWinControl::ClientInWindow() const {
    if (!FClientValid) const_cast<TWinControl*>(this)->UpdateClientInWindow();
    return FClientInWindow;
}

void TWinControl::UpdateClientInWindow() {
    TRect r = Rect(0, 0, FWidth, FHeight);
    WindowParams();
    TMessage m{WM_NCCALCSIZE, 0, PtrToLParam(&r), 0};
    FClientValid = true;  // set first: handlers may ask for the client rectangle
    WndProc(m);
    if (r.Right < r.Left) r.Right = r.Left;
    if (r.Bottom < r.Top) r.Bottom = r.Top;
    FClientInWindow = r;
}

void TWinControl::CreateParams(TCreateParams& params) {
    params.Style |= WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    if (FTabStop) params.Style |= WS_TABSTOP;
}

void TWinControl::HandleNeeded() {
    if (!FHandleAllocated) CreateHandle();
}

void TWinControl::CreateHandle() {
    if (FHandleAllocated) return;
    CreateWnd();
}

void TWinControl::CreateWnd() {
    FParams = TCreateParams{};
    CreateParams(FParams);
    FParamsValid = true;
    FHandleAllocated = true;
    UpdateClientInWindow();
    if (TCustomForm* form = GetParentForm(this))
        form->InvalidateWindow(this, Rect(0, 0, FClientInWindow.Width(), FClientInWindow.Height()), true, true);
}

void TWinControl::DestroyWnd() {}

void TWinControl::DestroyHandle() {
    if (!FHandleAllocated) return;
    for (TWinControl* c : FWinControls) c->DestroyHandle();
    FControlState.Include(csDestroyingHandle);
    try {
        DestroyWnd();
    } catch (...) {
        FControlState.Exclude(csDestroyingHandle);
        FHandleAllocated = false;
        throw;
    }
    FControlState.Exclude(csDestroyingHandle);
    FHandleAllocated = false;
}

void TWinControl::RecreateWnd() {
    FParamsValid = false;
    FClientValid = false;
    if (!FHandleAllocated) return;
    DestroyHandle();
    UpdateShowing();
}

bool TWinControl::Showing() const { return FShowing; }

void TWinControl::UpdateShowing() {
    const bool should = FVisible && (FParent ? FParent->FShowing : FTopLevelShown);
    if (should && !FHandleAllocated) CreateHandle();
    if (should != FShowing) {
        FShowing = should;
        Perform(CM_SHOWINGCHANGED);
    }
    for (TWinControl* c : FWinControls) c->UpdateShowing();
}

// ---- non-client area, client area, alignment

TRect TWinControl::ClientRect() const {
    const TRect ci = ClientInWindow();
    return Rect(0, 0, ci.Width(), ci.Height());
}

TPoint TWinControl::ClientOrigin() const {
    if (!FParent) return {0, 0};
    const TRect ci = ClientInWindow();
    const TPoint p = FParent->ClientOrigin();
    return {p.X + FLeft + ci.Left, p.Y + FTop + ci.Top};
}

void TWinControl::SetClientWidth(int v) {
    const TRect ci = ClientInWindow();
    SetWidth(v + FWidth - ci.Width());
}

void TWinControl::SetClientHeight(int v) {
    const TRect ci = ClientInWindow();
    SetHeight(v + FHeight - ci.Height());
}

void TWinControl::Realign() {
    if (FAligning) return;
    if (FAlignLevel > 0 || ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying)) {
        FRealignPending = true;
        return;
    }
    FRealignPending = false;
    AlignChildren();
}

void TWinControl::EnableAlign() {
    if (FAlignLevel > 0) --FAlignLevel;
    if (FAlignLevel == 0 && FRealignPending) Realign();
}

void TWinControl::AlignChildren() {
    bool any = false;
    for (int i = 0; i < ControlCount() && !any; ++i) any = Controls(i)->FAlign != alNone;
    if (!any) return;
    FAligning = true;
    try {
        TRect r = ClientRect();
        AlignControls(nullptr, r);
    } catch (...) {
        FAligning = false;
        throw;
    }
    FAligning = false;
}

void TWinControl::AlignControls(TControl*, TRect& rect) {
    AdjustClientRect(rect);
    for (TAlign kind : {alTop, alBottom, alLeft, alRight, alClient}) {
        std::vector<TControl*> list;
        for (int i = 0; i < ControlCount(); ++i) {
            TControl* c = Controls(i);
            if (c->FAlign == kind && c->FVisible) list.push_back(c);
        }
        // Controls of one side keep the order their positions give them.
        std::stable_sort(list.begin(), list.end(), [kind](TControl* a, TControl* b) {
            switch (kind) {
                case alTop: return a->FTop < b->FTop;
                case alBottom: return a->FTop + a->FHeight > b->FTop + b->FHeight;
                case alLeft: return a->FLeft < b->FLeft;
                case alRight: return a->FLeft + a->FWidth > b->FLeft + b->FWidth;
                default: return false;
            }
        });
        for (TControl* c : list) {
            switch (kind) {
                case alTop:
                    c->SetBounds(rect.Left, rect.Top, rect.Width(), c->FHeight);
                    rect.Top += c->FHeight;
                    break;
                case alBottom:
                    c->SetBounds(rect.Left, rect.Bottom - c->FHeight, rect.Width(), c->FHeight);
                    rect.Bottom -= c->FHeight;
                    break;
                case alLeft:
                    c->SetBounds(rect.Left, rect.Top, c->FWidth, rect.Height());
                    rect.Left += c->FWidth;
                    break;
                case alRight:
                    c->SetBounds(rect.Right - c->FWidth, rect.Top, c->FWidth, rect.Height());
                    rect.Right -= c->FWidth;
                    break;
                default:
                    c->SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
                    break;
            }
        }
    }
}

void TWinControl::SetParent(TWinControl* parent) {
    if (parent == FParent) return;
    TControl::SetParent(parent);
    if (!parent) {
        FShowing = false;
        for (TWinControl* c : FWinControls) c->UpdateShowing();
    }
}

void TWinControl::Loaded() {
    // Tab orders given while loading, applied in one go.
    std::vector<std::pair<int, TWinControl*>> keyed;
    for (size_t i = 0; i < FTabList.size(); ++i) {
        TWinControl* c = FTabList[i];
        keyed.push_back({c->FTabOrderRequest >= 0 ? c->FTabOrderRequest : 1000000 + static_cast<int>(i), c});
        c->FTabOrderRequest = -1;
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t i = 0; i < keyed.size(); ++i) FTabList[i] = keyed[i].second;
    TControl::Loaded();
    Realign();
}

void TWinControl::ReadingDone() {
    TControl::ReadingDone();
    if (FParent && FParentCtl3D) Perform(CM_PARENTCTL3DCHANGED);
}

void TWinControl::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (c->Owner() == root) proc(c);
    }
}

// ---- painting

void TWinControl::InvalidateRect(const TRect* rect, bool erase) {
    if (!FHandleAllocated || !FShowing || ComponentState().Contains(csDestroying)) return;
    TCustomForm* form = GetParentForm(this);
    if (!form) return;
    const TRect ci = ClientInWindow();
    const TRect all = Rect(0, 0, ci.Width(), ci.Height());
    const TRect r = rect ? IntersectRect(*rect, all) : all;
    if (r.IsEmpty()) return;
    form->InvalidateWindow(this, r, erase, false);
}

void TWinControl::Invalidate() { InvalidateRect(nullptr, !FControlStyle.Contains(csOpaque)); }

void TWinControl::Repaint() {
    Invalidate();
    Update();
}

void TWinControl::Update() {
    if (TCustomForm* form = GetParentForm(this)) form->PaintPending(this);
}

void TWinControl::RedrawWindow(const TRect* rect, unsigned flags) {
    if (!FHandleAllocated || !FShowing) return;
    TCustomForm* form = GetParentForm(this);
    if (!form) return;
    if (flags & (RDW_INVALIDATE | RDW_FRAME)) {
        const TRect ci = ClientInWindow();
        const TRect all = Rect(0, 0, ci.Width(), ci.Height());
        const TRect r = (flags & RDW_INVALIDATE) ? (rect ? IntersectRect(*rect, all) : all) : TRect{};
        form->InvalidateWindow(this, r, (flags & RDW_ERASE) != 0, (flags & RDW_FRAME) != 0);
    }
    if (flags & RDW_UPDATENOW) form->PaintPending(this);
}

void TWinControl::PaintHandler(TCanvas* canvas) {
    PaintWindow(canvas);
    PaintControls(canvas);
}

void TWinControl::PaintWindow(TCanvas*) {}

void TWinControl::PaintControls(TCanvas* canvas) {
    const TRect clip = canvas->ClipRect();
    for (size_t i = 0; i < FControls.size(); ++i) {
        TControl* c = FControls[i];
        if (!c->FVisible) continue;
        const TRect b = c->BoundsRect();
        if (IntersectRect(b, clip).IsEmpty()) continue;
        auto* g = dynamic_cast<TGraphicControl*>(c);
        if (!g) continue;
        TCanvas* own = g->FCanvas.get();
        BindCanvasTo(own, canvas, b.TopLeft(), Rect(0, 0, b.Width(), b.Height()));
        try {
            g->Perform(WM_PAINT, reinterpret_cast<WPARAM>(own));
        } catch (...) {
            own->Unbind();
            throw;
        }
        own->Unbind();
    }
}

void TWinControl::PaintDefaultFrame(TCanvas* canvas) {
    const TCreateParams& p = WindowParams();
    TCanvasStateSaver saver(canvas);
    TRect r = Rect(0, 0, FWidth, FHeight);
    auto fill = [canvas](const TRect& band, TColor c) {
        canvas->Brush()->SetColor(c);
        canvas->Brush()->SetStyle(bsSolid);
        canvas->FillRect(band);
    };
    // Left and top in the first colour, right and bottom in the second, drawn last so that
    // they take the top-right and bottom-left pixels.
    auto ring = [&](TColor ul, TColor lr) {
        if (r.IsEmpty()) return;
        fill(Rect(r.Left, r.Top, r.Left + 1, r.Bottom), ul);
        fill(Rect(r.Left, r.Top, r.Right, r.Top + 1), ul);
        fill(Rect(r.Right - 1, r.Top, r.Right, r.Bottom), lr);
        fill(Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom), lr);
        r = InflateRect(r, -1, -1);
    };
    if (p.Style & WS_BORDER) ring(clWindowFrame, clWindowFrame);
    if (p.ExStyle & WS_EX_CLIENTEDGE) {
        ring(clBtnShadow, clBtnHighlight);
        ring(cl3DDkShadow, cl3DLight);
    }
}

// ---- dispatch

void TWinControl::Dispatch(TMessage& m) {
    switch (m.Msg) {
        case WM_SETFOCUS: Typed<TWMSetFocus>(m, [this](TWMSetFocus& v) { WMSetFocus(v); }); break;
        case WM_KILLFOCUS: Typed<TWMKillFocus>(m, [this](TWMKillFocus& v) { WMKillFocus(v); }); break;
        case WM_ERASEBKGND: Typed<TWMEraseBkgnd>(m, [this](TWMEraseBkgnd& v) { WMEraseBkgnd(v); }); break;
        case WM_NCCALCSIZE: Typed<TWMNCCalcSize>(m, [this](TWMNCCalcSize& v) { WMNCCalcSize(v); }); break;
        case WM_NCPAINT: Typed<TWMNCPaint>(m, [this](TWMNCPaint& v) { WMNCPaint(v); }); break;
        case WM_GETDLGCODE: WMGetDlgCode(m); break;
        case WM_KEYDOWN: case WM_SYSKEYDOWN: Typed<TWMKey>(m, [this](TWMKey& v) { WMKeyDown(v); }); break;
        case WM_KEYUP: case WM_SYSKEYUP: Typed<TWMKey>(m, [this](TWMKey& v) { WMKeyUp(v); }); break;
        case WM_CHAR: case WM_SYSCHAR: Typed<TWMKey>(m, [this](TWMKey& v) { WMChar(v); }); break;
        case WM_TIMER: Typed<TWMTimer>(m, [this](TWMTimer& v) { WMTimer(v); }); break;
        case CM_ENTER: CMEnter(m); break;
        case CM_EXIT: CMExit(m); break;
        case CM_SHOWINGCHANGED: CMShowingChanged(m); break;
        case CM_CTL3DCHANGED: CMCtl3DChanged(m); break;
        case CM_PARENTCTL3DCHANGED: CMParentCtl3DChanged(m); break;
        case CM_DOCKCLIENT: Typed<TCMDockClient>(m, [this](TCMDockClient& v) { CMDockClient(v); }); break;
        case CM_UNDOCKCLIENT: Typed<TCMUnDockClient>(m, [this](TCMUnDockClient& v) { CMUnDockClient(v); }); break;
        case CM_DOCKNOTIFICATION:
            Typed<TCMDockNotification>(m, [this](TCMDockNotification& v) { CMDockNotification(v); });
            break;
        default: TControl::Dispatch(m); break;
    }
}

void TWinControl::WMSetFocus(TWMSetFocus&) {
    if (TCustomForm* f = GetParentForm(this)) f->SetFocusedControl(this);
}
void TWinControl::WMKillFocus(TWMKillFocus&) {}

void TWinControl::WMPaint(TWMPaint& m) {
    if (m.Canvas) PaintHandler(m.Canvas);
    else Update();
}

void TWinControl::WMEraseBkgnd(TWMEraseBkgnd& m) {
    if (!m.Canvas) return;
    TCanvasStateSaver saver(m.Canvas);
    m.Canvas->Brush()->SetColor(FColor);
    m.Canvas->Brush()->SetStyle(bsSolid);
    const TRect ci = ClientInWindow();
    m.Canvas->FillRect(Rect(0, 0, ci.Width(), ci.Height()));
    m.Result = 1;
}

void TWinControl::WMNCCalcSize(TWMNCCalcSize& m) {
    if (!m.Rect) return;
    const TCreateParams& p = WindowParams();
    int inset = 0;
    if (p.Style & WS_BORDER) inset += 1;
    if (p.ExStyle & WS_EX_CLIENTEDGE) inset += 2;
    *m.Rect = InflateRect(*m.Rect, -inset, -inset);
}

void TWinControl::WMNCPaint(TWMNCPaint&) {
    const TCreateParams& p = WindowParams();
    if (!(p.Style & WS_BORDER) && !(p.ExStyle & WS_EX_CLIENTEDGE)) return;
    TDeviceContext dc = GetWindowDC(this);
    if (!dc.Valid()) return;
    TCanvas canvas;
    BindCanvas(&canvas, dc);
    PaintDefaultFrame(&canvas);
    ReleaseDC(this, dc);
}

void TWinControl::WMGetDlgCode(TMessage& m) { m.Result = 0; }

void TWinControl::WMKeyDown(TWMKey& m) { KeyDown(m.CharCode, GetShiftState()); }
void TWinControl::WMKeyUp(TWMKey& m) { KeyUp(m.CharCode, GetShiftState()); }
void TWinControl::WMChar(TWMKey& m) {
    char ch = static_cast<char>(m.CharCode);
    KeyPress(ch);
    m.CharCode = static_cast<uint8_t>(ch);
}
void TWinControl::WMTimer(TWMTimer&) {}

void TWinControl::KeyDown(Word& key, TShiftState shift) {
    if (OnKeyDown) OnKeyDown(this, key, shift);
}
void TWinControl::KeyUp(Word& key, TShiftState shift) {
    if (OnKeyUp) OnKeyUp(this, key, shift);
}
void TWinControl::KeyPress(char& key) {
    if (OnKeyPress) OnKeyPress(this, key);
}
void TWinControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}
void TWinControl::DoExit() {
    if (OnExit) OnExit(this);
}

void TWinControl::CMEnter(TMessage&) { DoEnter(); }
void TWinControl::CMExit(TMessage&) { DoExit(); }
void TWinControl::CMShowingChanged(TMessage&) {}

void TWinControl::CMCtl3DChanged(TMessage&) {
    RecreateWnd();
    NotifyControls(CM_PARENTCTL3DCHANGED);
}

void TWinControl::CMParentCtl3DChanged(TMessage&) {
    if (!FParentCtl3D || !FParent) return;
    SetCtl3D(FParent->Ctl3D());
    FParentCtl3D = true;
}

void TWinControl::CMDialogKey(TCMDialogKey& m) {
    TMessage raw{m.Msg, m.CharCode, m.KeyData, 0};
    Broadcast(raw);
    m.Result = raw.Result;
}

void TWinControl::CMDialogChar(TCMDialogChar& m) {
    TMessage raw{m.Msg, m.CharCode, m.KeyData, 0};
    Broadcast(raw);
    m.Result = raw.Result;
}

void TWinControl::CMFocusChanged(TCMFocusChanged& m) {
    TMessage raw{m.Msg, 0, PtrToLParam(m.Sender), 0};
    Broadcast(raw);
}

void TWinControl::CMColorChanged(TMessage& m) {
    TControl::CMColorChanged(m);
    NotifyControls(CM_PARENTCOLORCHANGED);
}

void TWinControl::CMFontChanged(TMessage& m) {
    TControl::CMFontChanged(m);
    NotifyControls(CM_PARENTFONTCHANGED);
}

void TWinControl::CMEnabledChanged(TMessage&) {
    if (!FEnabled && FParent)
        if (TCustomForm* f = GetParentForm(this)) f->DefocusControl(this, false);
    Invalidate();
}

void TWinControl::CMVisibleChanged(TMessage&) {
    if (!FVisible && FParent)
        if (TCustomForm* f = GetParentForm(this)) f->DefocusControl(this, false);
    const bool wasShowing = FShowing;
    UpdateShowing();
    if (wasShowing && !FShowing && FParent) {
        const TRect r = BoundsRect();
        FParent->InvalidateRect(&r, true);
    } else if (FShowing) {
        if (TCustomForm* form = GetParentForm(this)) {
            const TRect ci = ClientInWindow();
            form->InvalidateWindow(this, Rect(0, 0, ci.Width(), ci.Height()), true, true);
        }
    }
}

void TWinControl::CMSysColorChange(TMessage& m) {
    TControl::CMSysColorChange(m);
    Broadcast(m);
}

void TWinControl::WMWindowPosChanged(TWMWindowPosChanged& m) {
    const TWindowPos& p = *m.WindowPos;
    const TRect old = BoundsRect();
    const TRect oldClient = ClientInWindow();
    const bool moved = p.X != FLeft || p.Y != FTop;
    const bool sized = p.CX != FWidth || p.CY != FHeight;
    UpdateBoundsFields(p.X, p.Y, p.CX, p.CY);
    if (sized || (p.Flags & SWP_FRAMECHANGED)) UpdateClientInWindow();
    DropCanvasBindings(this);
    if (FShowing) {
        if (FParent) FParent->InvalidateRect(&old, true);
        TCustomForm* form = GetParentForm(this);
        const TRect ci = ClientInWindow();
        const TRect all = Rect(0, 0, ci.Width(), ci.Height());
        const TCreateParams& params = WindowParams();
        const bool redrawAll = moved || (p.Flags & SWP_FRAMECHANGED) ||
                               (p.CX != old.Width() && (params.WindowClassStyle & CS_HREDRAW)) ||
                               (p.CY != old.Height() && (params.WindowClassStyle & CS_VREDRAW));
        if (form) {
            if (redrawAll) {
                form->InvalidateWindow(this, all, true, true);
            } else if (sized) {
                // Only what the new size uncovers.
                if (ci.Width() > oldClient.Width())
                    form->InvalidateWindow(this, Rect(oldClient.Width(), 0, ci.Width(), ci.Height()), true, true);
                if (ci.Height() > oldClient.Height())
                    form->InvalidateWindow(this, Rect(0, oldClient.Height(), ci.Width(), ci.Height()), true, true);
                form->InvalidateWindow(this, TRect{}, false, true);
            }
        }
    }
    if (sized) Perform(WM_SIZE, SIZE_RESTORED, (FWidth & 0xFFFF) | ((FHeight & 0xFFFF) << 16));
    if (FAlign != alNone) RequestAlign();
}

void TWinControl::WMSize(TWMSize& m) {
    Realign();
    TControl::WMSize(m);
}

// ---------------------------------------------------------------- 5. TCustomControl

TCustomControl::TCustomControl(TComponent* owner)
    : TWinControl(owner), FCanvas(std::make_unique<TControlCanvas>(this)) {}

TCustomControl::~TCustomControl() = default;

TCanvas* TCustomControl::Canvas() {
    if (FCanvas->NeedsScreenBinding()) {
        TDeviceContext dc = GetDC(this);
        BindCanvas(FCanvas.get(), dc);
        if (dc.Valid()) {
            FCanvas->NoteScreenBinding();
            ReleaseDC(this, dc);
        }
    }
    return FCanvas.get();
}

void TCustomControl::PaintWindow(TCanvas* canvas) {
    if (canvas == FCanvas.get()) {
        Paint();
        return;
    }
    // Painting onto another canvas (PaintControlTo, a child's background): the own canvas
    // draws there for the time of Paint and then returns to where it was.
    // A screen binding is simply dropped: the next request makes a fresh one.
    const bool wasBound = FCanvas->Bound() && !FCanvas->NeedsScreenBinding();
    TBitmap* surface = FCanvas->Surface();
    const TPoint origin = FCanvas->DeviceOrigin();
    const TRect clip = FCanvas->DeviceClip();
    const TRect ci = ClientInWindow();
    BindCanvasTo(FCanvas.get(), canvas, {0, 0}, Rect(0, 0, ci.Width(), ci.Height()));
    auto restore = [&] {
        if (wasBound) FCanvas->Bind(surface, origin, clip);
        else FCanvas->Unbind();
    };
    try {
        Paint();
    } catch (...) {
        restore();
        throw;
    }
    restore();
}

// ---------------------------------------------------------------- 6. device contexts

namespace {

// The part of the back buffer w's client area may show: its own client rectangle cut by
// every parent's client rectangle.
TRect VisibleClientClip(const TWinControl* w, TRect r) {
    for (const TWinControl* p = w->Parent(); p; p = p->Parent()) {
        const TPoint o = p->ClientOrigin();
        const TRect ci = p->ClientInWindow();
        r = IntersectRect(r, Rect(o.X, o.Y, o.X + ci.Width(), o.Y + ci.Height()));
        if (r.IsEmpty()) return {};
    }
    return r;
}

}  // namespace

TDeviceContext GetWindowDC(TWinControl* control) {
    TDeviceContext dc;
    TCustomForm* form = GetParentForm(control);
    if (!form || !control->HandleAllocated() || !control->Showing()) return dc;
    const TRect ci = control->ClientInWindow();
    const TPoint co = control->ClientOrigin();
    const TPoint origin{co.X - ci.Left, co.Y - ci.Top};
    TRect r = Bounds(origin.X, origin.Y, control->Width(), control->Height());
    r = VisibleClientClip(control, r);
    r = IntersectRect(r, Rect(0, 0, form->BackBuffer()->Width(), form->BackBuffer()->Height()));
    dc.Surface = form->BackBuffer();
    dc.Origin = origin;
    dc.Clip = r;
    dc.Form = form;
    return dc;
}

TDeviceContext GetDC(TWinControl* control) {
    TDeviceContext dc;
    TCustomForm* form = GetParentForm(control);
    if (!form || !control->HandleAllocated() || !control->Showing()) return dc;
    const TRect ci = control->ClientInWindow();
    const TPoint co = control->ClientOrigin();
    TRect r = Bounds(co.X, co.Y, ci.Width(), ci.Height());
    r = VisibleClientClip(control, r);
    r = IntersectRect(r, Rect(0, 0, form->BackBuffer()->Width(), form->BackBuffer()->Height()));
    dc.Surface = form->BackBuffer();
    dc.Origin = co;
    dc.Clip = r;
    dc.Form = form;
    return dc;
}

void ReleaseDC(TWinControl*, const TDeviceContext& dc) {
    if (dc.Form) dc.Form->MarkPresent(dc.Clip);
}

void BindCanvas(TCanvas* canvas, const TDeviceContext& dc) {
    if (!dc.Valid()) {
        canvas->Unbind();
        return;
    }
    canvas->Bind(dc.Surface, dc.Origin, dc.Clip);
}

void BindCanvasTo(TCanvas* canvas, TCanvas* target, TPoint origin, const TRect& clip) {
    if (!target->Bound()) {
        canvas->Unbind();
        return;
    }
    const TPoint so = target->ToSurface(origin.X, origin.Y);
    const TPoint t0 = target->ToSurface(0, 0);
    TRect r = OffsetRect(target->ClipRect(), t0.X, t0.Y);
    r = IntersectRect(r, target->DeviceClip());
    r = IntersectRect(r, OffsetRect(clip, so.X, so.Y));
    canvas->Bind(target->Surface(), so, r);
}

void PaintControlTo(TWinControl* control, TCanvas* canvas, TPoint origin) {
    TCanvasStateSaver saver(canvas);
    canvas->OffsetViewportOrigin(origin.X, origin.Y);
    const TRect ci = control->ClientInWindow();
    canvas->IntersectClipRect(Rect(0, 0, ci.Width(), ci.Height()));
    control->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas));
    control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(canvas));
}

// ---------------------------------------------------------------- 7. class tables

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
        b.Enumeration("Align", AlignInfo(), &TControl::Align, &TControl::SetAlign).Default(alNone);
        b.SetOf("Anchors", AnchorsInfo(), &TControl::Anchors, &TControl::SetAnchors)
            .Default(TAnchors{akLeft, akTop});
        b.String("Caption", &TControl::Caption, &TControl::SetCaption).Stored([](TControl& c) {
            return !c.StoresText();
        });
        b.String("Text", &TControl::Text, &TControl::SetText).Stored([](TControl& c) { return c.StoresText(); });
        b.Color("Color", &TControl::Color, &TControl::SetColor).NoDefault().Stored([](TControl& c) {
            return !c.ParentColor();
        });
        b.Integer("Cursor", &TControl::Cursor, &TControl::SetCursor).Default(crDefault);
        b.Boolean("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(true);
        b.Object("Font", "TFont", &TControl::Font).Stored([](TControl& c) { return !c.ParentFont(); });
        b.String("Hint", &TControl::Hint, &TControl::SetHint);
        b.Boolean("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).NoDefault();
        b.Boolean("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).Default(true);
        b.Boolean("ShowHint", &TControl::ShowHint, &TControl::SetShowHint).Default(false);
        b.Boolean("Visible", &TControl::Visible, &TControl::SetVisible).Default(true);
        b.Event("OnClick", &TControl::OnClick);
        b.Event("OnDblClick", &TControl::OnDblClick);
        b.Event("OnMouseDown", &TControl::OnMouseDown);
        b.Event("OnMouseMove", &TControl::OnMouseMove);
        b.Event("OnMouseUp", &TControl::OnMouseUp);
        b.Event("OnMouseWheel", &TControl::OnMouseWheel);
        b.Event("OnMouseWheelDown", &TControl::OnMouseWheelDown);
        b.Event("OnMouseWheelUp", &TControl::OnMouseWheelUp);
        b.Event("OnResize", &TControl::OnResize);
        b.Enumeration("DragMode", DragModeInfo(), &TControl::DragMode, &TControl::SetDragMode).Default(dmManual);
        b.Enumeration("DragKind", DragKindInfo(), &TControl::DragKind, &TControl::SetDragKind).Default(dkDrag);
        b.Integer("DragCursor", &TControl::DragCursor, &TControl::SetDragCursor).Default(crDrag);
        b.Event("OnStartDrag", &TControl::OnStartDrag);
        b.Event("OnDragOver", &TControl::OnDragOver);
        b.Event("OnDragDrop", &TControl::OnDragDrop);
        b.Event("OnEndDrag", &TControl::OnEndDrag);
        b.Event("OnStartDock", &TControl::OnStartDock);
        b.Event("OnEndDock", &TControl::OnEndDock);
    });
}

void TGraphicControl::RegisterClassInfo() { RegisterClass<TGraphicControl>("TGraphicControl", "TControl"); }

void TWinControl::RegisterClassInfo() {
    RegisterClass<TWinControl>("TWinControl", "TControl", [](TClassBuilder<TWinControl>& b) {
        b.Integer("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder).NoDefault().Stored([](TWinControl& w) {
            return w.Parent() != nullptr;
        });
        b.Boolean("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(false);
        b.Boolean("Ctl3D", &TWinControl::Ctl3D, &TWinControl::SetCtl3D).NoDefault().Stored([](TWinControl& w) {
            return !w.ParentCtl3D();
        });
        b.Boolean("ParentCtl3D", &TWinControl::ParentCtl3D, &TWinControl::SetParentCtl3D).Default(true);
        b.Event("OnEnter", &TWinControl::OnEnter);
        b.Event("OnExit", &TWinControl::OnExit);
        b.Event("OnKeyDown", &TWinControl::OnKeyDown);
        b.Event("OnKeyUp", &TWinControl::OnKeyUp);
        b.Event("OnKeyPress", &TWinControl::OnKeyPress);
        b.Boolean("DockSite", &TWinControl::DockSite, &TWinControl::SetDockSite).Default(false);
        b.Boolean("UseDockManager", &TWinControl::UseDockManager, &TWinControl::SetUseDockManager).Default(false);
        b.Event("OnDockOver", &TWinControl::OnDockOver);
        b.Event("OnDockDrop", &TWinControl::OnDockDrop);
        b.Event("OnUnDock", &TWinControl::OnUnDock);
        b.Event("OnGetSiteInfo", &TWinControl::OnGetSiteInfo);
    });
}

void TCustomControl::RegisterClassInfo() { RegisterClass<TCustomControl>("TCustomControl", "TWinControl"); }

