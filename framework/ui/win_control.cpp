// Windowed controls. Sections:
//   1. TWinControl: children, focus and tab order, the platform window, non-client area,
//      alignment, painting, dispatch, default notification handlers
//   2. TCustomControl
//   3. class tables: TWinControl, TCustomControl
// Docking sites live in dragdock.cpp.
#include <algorithm>

#include "framework/core/scope_guards.h"
#include "framework/core/typinfo.h"
#include "framework/ui/control_tree_internal.h"
#include "framework/ui/controls.h"
#include "framework/ui/forms.h"
#include "framework/ui/timers.h"

// ---------------------------------------------------------------- 1. TWinControl

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
    TWinControl* const windowed = control->AsWinControl();
    if (windowed) {
        FWinControls.push_back(windowed);
        FTabList.push_back(windowed);
    } else {
        FControls.push_back(control);
    }
    if (!control->ComponentState().Contains(csReading)) {
        if (control->FParentColor) control->Perform(CM_PARENTCOLORCHANGED);
        if (control->FParentFont) control->Perform(CM_PARENTFONTCHANGED);
        if (windowed && windowed->FParentCtl3D) windowed->Perform(CM_PARENTCTL3DCHANGED);
    }
    Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(control), 1);
    if (windowed) {
        if (windowed->FTabOrderRequest >= 0 && !windowed->ComponentState().Contains(csLoading)) {
            const int order = windowed->FTabOrderRequest;
            windowed->FTabOrderRequest = -1;
            windowed->SetTabOrder(order);
        }
        windowed->UpdateShowing();
    } else control->Invalidate();
    if (control->FAlign != alNone) Realign();
}

void TWinControl::RemoveControl(TControl* control) {
    if (TCustomForm* form = GetParentForm(this)) form->ControlRemoving(control);
    if (control->FParent == this) ForgetCaptureInside(control);
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
    if (!Change(FCtl3D, v)) return;
    FParentCtl3D = false;
    Perform(CM_CTL3DCHANGED);
}

void TWinControl::SetParentCtl3D(bool v) {
    if (!Change(FParentCtl3D, v)) return;
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
    TScopeExit destroyed([this] {
        FControlState.Exclude(csDestroyingHandle);
        FHandleAllocated = false;
    });
    DestroyWnd();
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
    TRestore<bool> aligning(FAligning, true);
    TRect r = ClientRect();
    AlignControls(nullptr, r);
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
                default: c->SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height()); break;
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
        TCanvasBinding binding(own);
        BindCanvasTo(own, canvas, b.TopLeft(), Rect(0, 0, b.Width(), b.Height()));
        g->Perform(WM_PAINT, reinterpret_cast<WPARAM>(own));
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
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: Typed<TWMKey>(m, [this](TWMKey& v) { WMKeyDown(v); }); break;
        case WM_KEYUP:
        case WM_SYSKEYUP: Typed<TWMKey>(m, [this](TWMKey& v) { WMKeyUp(v); }); break;
        case WM_CHAR:
        case WM_SYSCHAR: Typed<TWMKey>(m, [this](TWMKey& v) { WMChar(v); }); break;
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

void TWinControl::CMWinIniChange(TMessage& m) {
    TControl::CMWinIniChange(m);
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

// ---------------------------------------------------------------- 2. TCustomControl

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
    TCanvasBinding binding(FCanvas.get(), !FCanvas->NeedsScreenBinding());
    const TRect ci = ClientInWindow();
    BindCanvasTo(FCanvas.get(), canvas, {0, 0}, Rect(0, 0, ci.Width(), ci.Height()));
    Paint();
}

// ---------------------------------------------------------------- 3. class tables

void TWinControl::RegisterClassInfo() {
    RegisterClass<TWinControl>("TWinControl", "TControl", [](TClassBuilder<TWinControl>& b) {
        b.Integer("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder).NoDefault().Stored([](TWinControl& w) {
            return w.Parent() != nullptr;
        });
        b.Boolean("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default();
        b.Boolean("Ctl3D", &TWinControl::Ctl3D, &TWinControl::SetCtl3D).NoDefault().Stored([](TWinControl& w) {
            return !w.ParentCtl3D();
        });
        b.Boolean("ParentCtl3D", &TWinControl::ParentCtl3D, &TWinControl::SetParentCtl3D).Default();
        b.Event("OnEnter", &TWinControl::OnEnter);
        b.Event("OnExit", &TWinControl::OnExit);
        b.Event("OnKeyDown", &TWinControl::OnKeyDown);
        b.Event("OnKeyUp", &TWinControl::OnKeyUp);
        b.Event("OnKeyPress", &TWinControl::OnKeyPress);
        b.Boolean("DockSite", &TWinControl::DockSite, &TWinControl::SetDockSite).Default();
        b.Boolean("UseDockManager", &TWinControl::UseDockManager, &TWinControl::SetUseDockManager).Default();
        b.Event("OnDockOver", &TWinControl::OnDockOver);
        b.Event("OnDockDrop", &TWinControl::OnDockDrop);
        b.Event("OnUnDock", &TWinControl::OnUnDock);
        b.Event("OnGetSiteInfo", &TWinControl::OnGetSiteInfo);
    });
}

void TCustomControl::RegisterClassInfo() { RegisterClass<TCustomControl>("TCustomControl", "TWinControl"); }
