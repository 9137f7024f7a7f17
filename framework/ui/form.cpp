// Forms and the application. Sections:
//   1. TCustomForm: construction, window, showing and closing
//   2. focus: active control, focus-enter / focus-exit / focus-changed
//   3. the paint schedule: jobs, back-to-front painting, presenting
//   4. input routing: mouse (capture, hit test, cursor, wheel notches) and keyboard
//      (dialog keys, accelerators, characters)
//   5. TApplication: the loop, idle, exceptions
//   6. class tables
#include "framework/ui/forms.h"

#include <algorithm>
#include <cctype>
#include <csignal>
#include <cstdlib>

#include "framework/ui/accessibility.h"
#include "framework/core/sysutils.h"
#include "framework/ui/timers.h"
#include "framework/core/typinfo.h"

TApplication* Application = nullptr;

namespace {

std::vector<TCustomForm*>& AllForms() {
    static std::vector<TCustomForm*> forms;
    return forms;
}

}  // namespace

// ---------------------------------------------------------------- 1. TCustomForm

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {
    FVisible = false;
    FColor = clBtnFace;
    FParentColor = false;
    FParentFont = false;
    FStoresClientSize = true;
    FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    const TRect f = FrameInsets();
    UpdateBoundsFields(0, 0, 320 + f.Left + f.Right, 240 + f.Top + f.Bottom);
    AllForms().push_back(this);
}

TCustomForm::~TCustomForm() {
    Destroying();
    if (OnDestroy) {
        if (Application) Application->Guard([this] { OnDestroy(this); });
        else OnDestroy(this);
    }
    DestroyComponents();
    // The children that someone else owns go with the form too.
    while (ControlCount() > 0) delete Controls(ControlCount() - 1);
    FJobs.clear();
    FActiveControl = FFocusedControl = FFocusHandle = nullptr;
    if (FWindow && PlatformInstalled()) Platform().DestroyWindow(FWindow);
    FWindow = 0;
    FHandleAllocated = false;
    auto& forms = AllForms();
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
    if (Application) {
        auto& list = Application->FForms;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
        if (Application->FMainForm == this) Application->FMainForm = nullptr;
    }
}

void TCustomForm::AfterConstruction() { DoCreate(); }

void TCustomForm::DoCreate() {
    if (OnCreate) OnCreate(this);
}

TRect TCustomForm::FrameInsets() const {
    int border = 3;
    int caption = 19;
    switch (FBorderStyle) {
        case bsNone: border = 0; caption = 0; break;
        case bsSizeable: border = 4; break;
        case bsSizeToolWin: border = 4; caption = 16; break;
        case bsToolWindow: caption = 16; break;
        default: break;
    }
    return Rect(border, border + caption, border, border);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle v) {
    if (FBorderStyle == v) return;
    // The client size stays; the frame around it changes.
    const TRect ci = ClientInWindow();
    FBorderStyle = v;
    FClientValid = false;
    const TRect f = FrameInsets();
    SetBounds(FLeft, FTop, ci.Width() + f.Left + f.Right, ci.Height() + f.Top + f.Bottom);
    UpdateClientInWindow();
}

void TCustomForm::SetBorderIcons(TBorderIcons v) { FBorderIcons = v; }

void TCustomForm::WMNCCalcSize(TWMNCCalcSize& m) {
    if (!m.Rect) return;
    const TRect f = FrameInsets();
    *m.Rect = Rect(m.Rect->Left + f.Left, m.Rect->Top + f.Top, m.Rect->Right - f.Right, m.Rect->Bottom - f.Bottom);
}

// The platform draws the title bar and the frame.
void TCustomForm::WMNCPaint(TWMNCPaint&) {}

void TCustomForm::SetTextValue(const std::string& s) {
    TWinControl::SetTextValue(s);
    if (FWindow) Platform().SetWindowTitle(FWindow, s);
}

void TCustomForm::CreateWnd() {
    TWinControl::CreateWnd();
    TWindowParams p;
    p.Title = GetText();
    const TRect ci = ClientInWindow();
    p.ClientWidth = ci.Width();
    p.ClientHeight = ci.Height();
    p.Position = {FLeft, FTop};
    p.PositionGiven = FPosition == poDesigned || FPosition == poDefaultSizeOnly;
    p.Resizable = FBorderStyle == bsSizeable || FBorderStyle == bsSizeToolWin;
    p.CloseBox = FBorderIcons.Contains(biSystemMenu);
    p.MinimizeBox = p.CloseBox && FBorderIcons.Contains(biMinimize);
    p.MaximizeBox = p.CloseBox && FBorderIcons.Contains(biMaximize) && p.Resizable;
    if (!FAccessibleTree) FAccessibleTree = CreateAccessibleTree(this);
    p.Accessible = FAccessibleTree.get();
    FWindow = Platform().CreateWindow(p);
    FBackBuffer.SetSize(ci.Width(), ci.Height());
    if (!FIcon.Empty()) Platform().SetWindowIcon(FWindow, FIcon);
    FCreated = true;
    InvalidateWindow(this, Rect(0, 0, ci.Width(), ci.Height()), true, false);
}

void TCustomForm::DestroyWnd() {
    if (FWindow) Platform().DestroyWindow(FWindow);
    FWindow = 0;
    FJobs.clear();
    TWinControl::DestroyWnd();
}

void TCustomForm::WMSize(TWMSize& m) {
    const TRect ci = ClientInWindow();
    // Before the window exists (a description being read sets the size piece by piece)
    // there is nothing to paint: the buffer is made once, with the window.
    if (FCreated && (FBackBuffer.Width() != ci.Width() || FBackBuffer.Height() != ci.Height())) {
        FBackBuffer.SetSize(ci.Width(), ci.Height());
        InvalidateWindow(this, Rect(0, 0, ci.Width(), ci.Height()), true, false);
    }
    TWinControl::WMSize(m);
}

void TCustomForm::Show() {
    SetVisible(true);
    if (FWindow) {
        Platform().ShowWindow(FWindow, true);
        Platform().FocusWindow(FWindow);
    }
}

void TCustomForm::Hide() { SetVisible(false); }

void TCustomForm::CMVisibleChanged(TMessage&) {
    if (FVisible) {
        FTopLevelShown = true;
        UpdateShowing();
        if (FWindow) Platform().ShowWindow(FWindow, true);
        if (OnShow) OnShow(this);
        Activate(true);
    } else {
        Activate(false);
        if (FWindow) Platform().ShowWindow(FWindow, false);
        FTopLevelShown = false;
        UpdateShowing();
        if (OnHide) OnHide(this);
    }
}

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::Close() {
    if (!CloseQuery()) return;
    TCloseAction action = (Application && Application->MainForm() == this) ? caFree : caHide;
    if (OnClose) OnClose(this, action);
    if (action == caNone) return;
    if (Application && Application->MainForm() == this) {
        Application->Terminate();
        return;
    }
    if (action == caHide || action == caMinimize) Hide();
    else if (action == caFree) Hide();
}

void TCustomForm::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
    // Owned non-visual components first, then the child controls.
    for (int i = 0; i < ComponentCount(); ++i) {
        TComponent* c = Components(i);
        if (!c->HasParent()) proc(c);
    }
    TWinControl::GetChildren(proc, root);
}

bool TCustomForm::CanFocus() const { return FVisible && FEnabled; }

void TCustomForm::SetFocus() {
    if (PlatformInstalled() && FWindow) Platform().FocusWindow(FWindow);
    if (!FActive) Activate(true);
}

void TCustomForm::Dispatch(TMessage& m) {
    switch (m.Msg) {
        case WM_CLOSE: Close(); break;
        default: TWinControl::Dispatch(m); break;
    }
}

// ---------------------------------------------------------------- 2. focus

void TCustomForm::Activate(bool active) {
    if (FActive == active) return;
    if (active) {
        FActive = true;
        if (!FActiveControl) FActiveControl = FindNextControl(nullptr, true, true, false);
        // Activation gives the platform focus back without focus-enter / focus-exit.
        TWinControl* target = FActiveControl && FActiveControl->CanFocus() ? FActiveControl : this;
        TWinControl* old = FFocusHandle;
        FFocusHandle = target;
        target->Perform(WM_SETFOCUS, reinterpret_cast<WPARAM>(old));
        if (OnActivate) OnActivate(this);
    } else {
        TWinControl* old = FFocusHandle;
        if (old) old->Perform(WM_KILLFOCUS, 0);
        FActive = false;
        if (OnDeactivate) OnDeactivate(this);
    }
}

void TCustomForm::SetWindowFocus() {
    TWinControl* target = FActiveControl && FActiveControl->CanFocus() ? FActiveControl : this;
    if (!FActive) {
        FFocusHandle = target;
        return;
    }
    if (FFocusHandle == target) return;
    TWinControl* old = FFocusHandle;
    FFocusHandle = target;
    if (old) old->Perform(WM_KILLFOCUS, reinterpret_cast<WPARAM>(target));
    // A kill-focus handler may move the focus again.
    if (FFocusHandle != target) return;
    target->Perform(WM_SETFOCUS, reinterpret_cast<WPARAM>(old));
}

void TCustomForm::SetActiveControl(TWinControl* control) {
    if (FActiveControl == control) {
        if (control && FActive && FFocusHandle != control) SetWindowFocus();
        return;
    }
    if (control && (!control->CanFocus() || GetParentForm(control) != this))
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    FActiveControl = control;
    if (!ComponentState().Contains(csLoading)) SetWindowFocus();
}

void TCustomForm::FocusControl(TWinControl* control) {
    if (control && control != this && control->Parent()) control->Parent()->ShowControl(control);
    if (control == this) control = nullptr;
    SetActiveControl(control);
}

void TCustomForm::DefocusControl(TWinControl* control, bool removing) {
    if (removing && FFocusedControl && control->ContainsControl(FFocusedControl))
        FFocusedControl = control->Parent();
    if (FActiveControl && control->ContainsControl(FActiveControl)) SetActiveControl(nullptr);
}

bool TCustomForm::SetFocusedControl(TWinControl* control) {
    if (ComponentState().Contains(csDestroying)) return false;
    if (control != this) FActiveControl = control;
    if (FFocusedControl == control) return true;
    TWinControl* old = FFocusedControl;
    FFocusedControl = control;
    // focus-exit from the old control up to the first parent that holds the new one.
    for (TWinControl* x = old; x && x != this && !x->ContainsControl(control); x = x->Parent()) {
        x->Perform(CM_EXIT);
        if (FFocusedControl != control) return false;
    }
    // focus-enter from below that common parent down to the new control.
    std::vector<TWinControl*> chain;
    for (TWinControl* x = control; x && x != this && !(old && x->ContainsControl(old)); x = x->Parent())
        chain.push_back(x);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        (*it)->Perform(CM_ENTER);
        if (FFocusedControl != control) return false;
    }
    Perform(CM_FOCUSCHANGED, 0, PtrToLParam(control));
    return true;
}

void TCustomForm::ControlRemoving(TControl* control) {
    auto* w = dynamic_cast<TWinControl*>(control);
    auto inside = [control](const TControl* c) {
        for (; c; c = c->Parent())
            if (c == control) return true;
        return false;
    };
    FJobs.erase(std::remove_if(FJobs.begin(), FJobs.end(), [&](const Job& j) { return inside(j.Control); }),
                FJobs.end());
    if (!w) return;
    if (inside(FActiveControl)) FActiveControl = nullptr;
    if (inside(FFocusedControl)) FFocusedControl = control->Parent() && control->Parent() != control ? control->Parent() : this;
    if (inside(FFocusHandle)) FFocusHandle = this;
    if (inside(FFocusedControl)) FFocusedControl = this;
}

// ---------------------------------------------------------------- 3. the paint schedule

void TCustomForm::InvalidateWindow(TWinControl* w, const TRect& clientRect, bool erase, bool frame) {
    if (ComponentState().Contains(csDestroying) || !FCreated) return;
    if (clientRect.IsEmpty() && !frame) return;
    for (Job& j : FJobs) {
        if (j.Control != w) continue;
        j.Client = UnionRect(j.Client, clientRect);
        j.Erase = j.Erase || erase;
        j.Frame = j.Frame || frame;
        return;
    }
    FJobs.push_back({w, clientRect, erase, frame});
    if (PlatformInstalled()) Platform().Wake();
}

void TCustomForm::MarkPresent(const TRect& r) { FPresentDirty = UnionRect(FPresentDirty, r); }

void TCustomForm::PresentNow() {
    if (FPresentDirty.IsEmpty() || !FWindow) return;
    const TRect r = FPresentDirty;
    FPresentDirty = {};
    Platform().Present(FWindow, FBackBuffer, r);
}

namespace {

// Where a windowed control lies in the form's client coordinates.
TRect WindowRectInForm(const TWinControl* w) {
    const TRect ci = w->ClientInWindow();
    const TPoint co = w->ClientOrigin();
    return Bounds(co.X - ci.Left, co.Y - ci.Top, w->Width(), w->Height());
}
TRect ClientRectInForm(const TWinControl* w) {
    const TRect ci = w->ClientInWindow();
    const TPoint co = w->ClientOrigin();
    return Bounds(co.X, co.Y, ci.Width(), ci.Height());
}

}  // namespace

void TCustomForm::PaintPending(TWinControl* only) {
    if (!FCreated || !FShowing || FBackBuffer.Empty()) return;
    std::vector<Job> jobs;
    if (only) {
        auto it = std::stable_partition(FJobs.begin(), FJobs.end(), [only](const Job& j) { return j.Control != only; });
        jobs.assign(it, FJobs.end());
        FJobs.erase(it, FJobs.end());
    } else {
        jobs.swap(FJobs);
    }
    if (jobs.empty()) return;

    // Back to front: a control's own jobs, plus whatever lies under a part already painted
    // over it (those were overwritten and are painted again, erased).
    std::vector<TRect> painted;
    std::exception_ptr failure;
    std::function<void(TWinControl*, const TRect&)> visit = [&](TWinControl* w, const TRect& parentClip) {
        if (!w->Showing() || !w->HandleAllocated()) return;
        const TRect win = IntersectRect(WindowRectInForm(w), parentClip);
        if (win.IsEmpty()) return;
        const TRect client = IntersectRect(ClientRectInForm(w), parentClip);
        const TPoint co = w->ClientOrigin();
        TRect part;
        bool erase = false;
        bool frame = false;
        for (const Job& j : jobs) {
            if (j.Control != w) continue;
            part = UnionRect(part, IntersectRect(OffsetRect(j.Client, co.X, co.Y), client));
            erase = erase || j.Erase;
            frame = frame || j.Frame;
        }
        for (const TRect& p : painted) {
            const TRect over = IntersectRect(p, win);
            if (over.IsEmpty()) continue;
            const TRect inClient = IntersectRect(over, client);
            if (!(inClient == over)) frame = true;
            if (!inClient.IsEmpty()) {
                part = UnionRect(part, inClient);
                erase = true;
            }
        }
        if (frame) {
            PaintFrame(w, failure);
            const TRect ring[4] = {Rect(win.Left, win.Top, win.Right, client.Top),
                                   Rect(win.Left, client.Bottom, win.Right, win.Bottom),
                                   Rect(win.Left, client.Top, client.Left, client.Bottom),
                                   Rect(client.Right, client.Top, win.Right, client.Bottom)};
            for (const TRect& r : ring)
                if (!r.IsEmpty()) painted.push_back(r);
        }
        if (!part.IsEmpty()) {
            PaintWindowPart(w, part, erase, failure);
            painted.push_back(part);
        }
        for (size_t i = 0; i < w->FWinControls.size(); ++i) visit(w->FWinControls[i], client);
    };
    visit(this, Rect(0, 0, FBackBuffer.Width(), FBackBuffer.Height()));
    PresentNow();
    // A failing paint is reported once; its area is not scheduled again.
    if (failure) {
        if (Application) {
            try {
                std::rethrow_exception(failure);
            } catch (...) {
                Application->HandleCurrentException();
            }
        }
    }
}

void TCustomForm::PaintWindowPart(TWinControl* w, const TRect& formRect, bool erase, std::exception_ptr& failure) {
    TCanvas scratch;
    TCanvas* canvas = &scratch;
    auto* custom = dynamic_cast<TCustomControl*>(w);
    if (custom) canvas = custom->FCanvas.get();
    canvas->Bind(&FBackBuffer, w->ClientOrigin(), formRect);
    // Windows clip their children: whatever the windowed children cover is painted by them
    // (they are painted after, wherever this part overlaps them), so the parent leaves it.
    const TPoint co = w->ClientOrigin();
    for (TWinControl* child : w->FWinControls)
        if (child->Showing() && child->HandleAllocated()) {
            const TRect r = IntersectRect(WindowRectInForm(child), formRect);
            if (!r.IsEmpty()) canvas->ExcludeClipRect(OffsetRect(r, -co.X, -co.Y));
        }
    try {
        if (erase) w->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas));
        w->Perform(WM_PAINT, reinterpret_cast<WPARAM>(canvas));
    } catch (...) {
        if (!failure) failure = std::current_exception();
    }
    canvas->Unbind();
    MarkPresent(formRect);
}

void TCustomForm::PaintFrame(TWinControl* w, std::exception_ptr& failure) {
    try {
        w->Perform(WM_NCPAINT, 1);
    } catch (...) {
        if (!failure) failure = std::current_exception();
    }
    MarkPresent(IntersectRect(WindowRectInForm(w), Rect(0, 0, FBackBuffer.Width(), FBackBuffer.Height())));
}

// ---------------------------------------------------------------- 4. input routing

TWinControl* TCustomForm::InputTarget() const {
    if (FFocusHandle) return FFocusHandle;
    return const_cast<TCustomForm*>(this);
}

TControl* TCustomForm::ControlUnderPointer() {
    if (!FWindow || !FShowing) return nullptr;
    const TPoint p = Platform().CursorPos(FWindow);
    if (!Rect(0, 0, FBackBuffer.Width(), FBackBuffer.Height()).Contains(p)) return nullptr;
    return ControlAtPoint(p, true);
}

void TCustomForm::HandlePlatformEvent(const TPlatformEvent& e) {
    switch (e.Type) {
        case TPlatformEvent::MouseDown:
        case TPlatformEvent::MouseUp:
        case TPlatformEvent::MouseMove:
            SetLastInputShift(e.Shift - TShiftState{ssDouble});
            RouteMouse(e);
            break;
        case TPlatformEvent::MouseWheel: {
            SetLastInputShift(e.Shift);
            // A platform may report any amount; more than a screenful of notches at once is
            // taken as that many, which keeps the sum and the loop below in bounds.
            FWheelAccumulator += std::clamp(e.WheelDelta, -kMaxWheelDeltaPerEvent, kMaxWheelDeltaPerEvent);
            // One notch at a time, to the focused control.
            while (std::abs(FWheelAccumulator) >= 120) {
                const int notch = FWheelAccumulator > 0 ? 120 : -120;
                FWheelAccumulator -= notch;
                InputTarget()->Perform(WM_MOUSEWHEEL, MakeWheelWParam(e.Shift, notch), PointToLParam(e.Pos));
            }
            break;
        }
        case TPlatformEvent::MouseLeave:
            break;
        case TPlatformEvent::KeyDown:
            SetLastInputShift(e.Shift);
            RouteKeyDown(InputTarget(), e.Key, e.Shift, e.AutoRepeat ? 0x40000000 : 0);
            break;
        case TPlatformEvent::KeyUp:
            SetLastInputShift(e.Shift);
            RouteKeyUp(InputTarget(), e.Key, e.Shift, static_cast<LPARAM>(0xC0000000u));
            break;
        case TPlatformEvent::Char:
            if (e.Text) {
                RouteChar(InputTarget(), e.Text, GetShiftState());
            } else if (e.CodePoint != 0) {
                // Typed, but the code page has no byte for it: the focused control hears of
                // it as character 0 (an edit refuses it with a beep); it is no accelerator.
                TWinControl* target = InputTarget();
                (target ? target : this)->Perform(WM_CHAR, 0, 0);
            }
            break;
        case TPlatformEvent::Activate: Activate(true); break;
        case TPlatformEvent::Deactivate:
            CancelDrag();
            Activate(false);
            break;
        case TPlatformEvent::CloseRequest: Close(); break;
        case TPlatformEvent::Expose:
            MarkPresent(Rect(0, 0, FBackBuffer.Width(), FBackBuffer.Height()));
            break;
        case TPlatformEvent::FilesDropped:
            if (OnDropFiles && !e.Files.empty()) OnDropFiles(this, e.Files);
            break;
    }
    PresentNow();
}

void TCustomForm::RouteMouse(const TPlatformEvent& e) {
    // A drag takes the mouse while it lasts.
    {
        unsigned dragMsg = WM_MOUSEMOVE;
        if (e.Type == TPlatformEvent::MouseDown)
            dragMsg = e.Button == mbLeft ? WM_LBUTTONDOWN : e.Button == mbRight ? WM_RBUTTONDOWN : WM_MBUTTONDOWN;
        else if (e.Type == TPlatformEvent::MouseUp)
            dragMsg = e.Button == mbLeft ? WM_LBUTTONUP : e.Button == mbRight ? WM_RBUTTONUP : WM_MBUTTONUP;
        if (DragMouseInput(this, dragMsg, e.Pos, e.Shift - TShiftState{ssDouble})) return;
    }
    TControl* target = GetCaptureControl();
    if (target && GetParentForm(target) != this) target = nullptr;
    if (!target) target = ControlAtPoint(e.Pos, false);
    const TPoint p = target->ScreenToClient(e.Pos);
    TShiftState shift = e.Shift - TShiftState{ssDouble};
    unsigned msg = WM_MOUSEMOVE;
    if (e.Type == TPlatformEvent::MouseDown || e.Type == TPlatformEvent::MouseUp) {
        const bool down = e.Type == TPlatformEvent::MouseDown;
        // The second press of a double click is a double click only for controls that ask.
        const bool dbl = down && e.Shift.Contains(ssDouble) && target->ControlStyle().Contains(csDoubleClicks);
        switch (e.Button) {
            case mbLeft: msg = down ? (dbl ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN) : WM_LBUTTONUP; break;
            case mbRight: msg = down ? (dbl ? WM_RBUTTONDBLCLK : WM_RBUTTONDOWN) : WM_RBUTTONUP; break;
            case mbMiddle: msg = down ? (dbl ? WM_MBUTTONDBLCLK : WM_MBUTTONDOWN) : WM_MBUTTONUP; break;
        }
    }
    target->Perform(msg, shift.Bits(), PointToLParam(p));
    if (e.Type == TPlatformEvent::MouseUp && GetCaptureControl() && !shift.Contains(ssLeft) &&
        !shift.Contains(ssRight) && !shift.Contains(ssMiddle))
        SetCaptureControl(nullptr);
    if (e.Type == TPlatformEvent::MouseMove) UpdatePointerCursor(e.Pos);
}

void TCustomForm::SetPointerCursor(TCursor cursor) {
    if (cursor == FShownCursor) return;
    FShownCursor = cursor;
    if (FWindow && PlatformInstalled()) Platform().SetCursor(FWindow, cursor);
}

void TCustomForm::UpdatePointerCursor(TPoint pos) {
    TCursor cursor = crDefault;
    for (TControl* c = GetCaptureControl() ? GetCaptureControl() : ControlAtPoint(pos, true); c; c = c->Parent())
        if (c->Cursor() != crDefault) {
            cursor = c->Cursor();
            break;
        }
    SetPointerCursor(cursor);
}

namespace {

// The characters the platform leaves to the keyboard path: Enter, Backspace, Escape, Tab
// and Ctrl with a letter.
char ControlCharOf(Word key, TShiftState shift) {
    if (shift.Contains(ssAlt)) return 0;
    switch (key) {
        case VK_RETURN: return '\r';
        case VK_BACK: return '\b';
        case VK_ESCAPE: return 27;
        case VK_TAB: return '\t';
        default: break;
    }
    if (shift.Contains(ssCtrl) && key >= 'A' && key <= 'Z') return static_cast<char>(key - 'A' + 1);
    return 0;
}

}  // namespace

void TCustomForm::RouteKeyDown(TWinControl* target, Word key, TShiftState shift, LPARAM keyData) {
    if (!target) target = this;
    if (DragKeyDown(key)) return;  // Escape ends a drag
    if (OnShortCut) {
        bool handled = false;
        OnShortCut(this, key, shift, handled);
        if (handled) return;
    }
    unsigned mask = 0;
    switch (key) {
        case VK_TAB: mask = DLGC_WANTTAB; break;
        case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: mask = DLGC_WANTARROWS; break;
        case VK_RETURN: case VK_ESCAPE: mask = DLGC_WANTALLKEYS; break;
        default: break;
    }
    // Dialog keys the focused control does not want go to every control of the window.
    if (mask != 0 && target->Perform(CM_WANTSPECIALKEY, key) == 0 &&
        (target->Perform(WM_GETDLGCODE) & mask) == 0 && Perform(CM_DIALOGKEY, key, keyData) != 0)
        return;
    target->Perform(shift.Contains(ssAlt) ? WM_SYSKEYDOWN : WM_KEYDOWN, key, keyData);
    if (shift.Contains(ssAlt) && !shift.Contains(ssCtrl)) {
        // Alt with a letter or digit: an accelerator.
        if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
            Perform(CM_DIALOGCHAR, static_cast<WPARAM>(std::tolower(key)), keyData);
        return;
    }
    if (const char ch = ControlCharOf(key, shift)) RouteChar(target, ch, shift);
}

void TCustomForm::RouteKeyUp(TWinControl* target, Word key, TShiftState shift, LPARAM keyData) {
    if (!target) target = this;
    target->Perform(shift.Contains(ssAlt) ? WM_SYSKEYUP : WM_KEYUP, key, keyData);
}

void TCustomForm::RouteChar(TWinControl* target, char ch, TShiftState) {
    if (!target) target = this;
    // A character the focused control does not take is offered as an accelerator.
    if ((target->Perform(WM_GETDLGCODE) & DLGC_WANTCHARS) == 0 &&
        Perform(CM_DIALOGCHAR, static_cast<uint8_t>(ch), 0) != 0)
        return;
    target->Perform(WM_CHAR, static_cast<uint8_t>(ch), 0);
}

void TCustomForm::CMDialogKey(TCMDialogKey& m) {
    TWinControl::CMDialogKey(m);
    if (m.Result != 0) return;
    const TShiftState shift = GetShiftState();
    if (shift.Contains(ssAlt)) return;
    switch (m.CharCode) {
        case VK_TAB:
            if (shift.Contains(ssCtrl)) return;
            SelectNext(FActiveControl, !shift.Contains(ssShift), true);
            m.Result = 1;
            break;
        case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
            if (FActiveControl && FActiveControl->Parent()) {
                FActiveControl->Parent()->SelectNext(FActiveControl,
                                                     m.CharCode == VK_RIGHT || m.CharCode == VK_DOWN, false);
                m.Result = 1;
            }
            break;
        default: break;
    }
}

// ---------------------------------------------------------------- 5. TApplication

TApplication::TApplication(TComponent* owner) : TComponent(owner) {}

TApplication::~TApplication() {
    Destroying();
    DestroyComponents();
    if (PlatformInstalled() && FInitialized) {
        Platform().OnEvent = nullptr;
        Platform().OnService = nullptr;
    }
    if (Application == this) Application = nullptr;
}

TApplication* CreateApplication() {
    if (!Application) Application = new TApplication(nullptr);
    return Application;
}

void DestroyApplication() {
    delete Application;
    Application = nullptr;
}

void TApplication::Initialize() {
    if (!Application) Application = this;
    FInitialized = true;
    // A file-size limit (ulimit -f, a quota) would otherwise end the program in the middle
    // of a save; ignored, the write fails with EFBIG and the save reports it in words.
    signal(SIGXFSZ, SIG_IGN);
    Platform().OnEvent = [this](const TPlatformEvent& e) { DispatchPlatformEvent(e); };
    Platform().OnService = [this] { return Service(); };
}

void TApplication::SetTitle(const std::string& title) {
    FTitle = title;
    if (PlatformInstalled()) Platform().SetApplicationTitle(title);
}

void TApplication::AdoptForm(TCustomForm* form) {
    FForms.push_back(form);
    if (!FMainForm) FMainForm = form;
    form->AfterConstruction();
}

TCustomForm* TApplication::ActiveForm() const {
    for (TCustomForm* f : FForms)
        if (f->Active()) return f;
    return FMainForm;
}

TCustomForm* TApplication::FormOfWindow(TWindowId id) const {
    for (TCustomForm* f : AllForms())
        if (f->WindowId() == id) return f;
    return nullptr;
}

void TApplication::DispatchPlatformEvent(const TPlatformEvent& e) {
    ++FEventsDelivered;
    TCustomForm* form = FormOfWindow(e.Window);
    if (!form) return;
    Guard([&] { form->HandlePlatformEvent(e); });
}

bool TApplication::DeliverPending() {
    if (!FInitialized) Initialize();
    const int before = FEventsDelivered;
    Platform().ProcessEvents(false, -1);
    bool any = FEventsDelivered != before;
    any = DeliverPostedMessages() || any;
    any = FireDueTimers() || any;
    return any;
}

void TApplication::ProcessMessages() {
    for (int round = 0; round < 1000 && DeliverPending(); ++round) {
    }
    Idle();
    PaintAll();
}

void TApplication::HandleMessage() {
    if (DeliverPending()) return;
    Idle();
    PaintAll();
    if (FTerminated || HasPostedMessages()) return;
    for (TCustomForm* f : AllForms())
        if (f->PaintPendingAny()) return;
    Platform().ProcessEvents(true, NextTimerDeadline());
}

void TApplication::Run() {
    if (!FInitialized) Initialize();
    if (FMainForm) FMainForm->Show();
    while (!FTerminated) HandleMessage();
}

void TApplication::Idle() {
    // Mouse-enter / mouse-leave: the control under the pointer now against the last one.
    TControl* now = nullptr;
    for (TCustomForm* f : AllForms()) {
        if ((now = f->ControlUnderPointer())) break;
    }
    if (now != FMouseControl) {
        TControl* old = FMouseControl;
        FMouseControl = now;
        if (old) Guard([old] { old->Perform(CM_MOUSELEAVE); });
        if (FMouseControl == now && now) Guard([now] { now->Perform(CM_MOUSEENTER); });
    }
    if (OnIdle) Guard([this] { OnIdle(this); });
}

void TApplication::PaintAll() {
    for (TCustomForm* f : std::vector<TCustomForm*>(AllForms())) {
        Guard([f] { f->PaintPending(); });
        f->PresentNow();
    }
}

int64_t TApplication::Service() {
    FireDueTimers();
    DeliverPostedMessages();
    PaintAll();
    return NextTimerDeadline();
}

void TApplication::ShowException(const std::exception& e) {
    const auto* ex = dynamic_cast<const Exception*>(&e);
    const std::string message = ex ? ex->Message() : std::string(e.what());
    Platform().MessageBox(FTitle, ExceptionDisplayText(message), miError, mbOKOnly);
}

void TApplication::HandleException(const std::exception& e) {
    if (dynamic_cast<const EAbort*>(&e)) return;
    if (OnException) OnException(this, e);
    else ShowException(e);
}

void TApplication::HandleCurrentException() {
    try {
        throw;
    } catch (const std::exception& e) {
        HandleException(e);
    } catch (...) {
        HandleException(Exception("Unknown exception"));
    }
}

void TApplication::Guard(const std::function<void()>& f) {
    try {
        f();
    } catch (...) {
        HandleCurrentException();
    }
}

// ---------------------------------------------------------------- 6. class tables

namespace {
const TEnumInfo& BorderStyleInfo() {
    static const TEnumInfo info = MakeEnumInfo(
        "TFormBorderStyle", {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"});
    return info;
}
const TEnumInfo& BorderIconsInfo() {
    static const TEnumInfo info = MakeEnumInfo("TBorderIcon", {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"});
    return info;
}
const TEnumInfo& PositionInfo() {
    static const TEnumInfo info =
        MakeEnumInfo("TPosition", {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly",
                                   "poScreenCenter", "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"});
    return info;
}
}  // namespace

void TCustomForm::RegisterClassInfo() {
    RegisterClass<TCustomForm>("TCustomForm", "TWinControl", [](TClassBuilder<TCustomForm>& b) {
        b.Enumeration("BorderStyle", BorderStyleInfo(), &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle)
            .Default(bsSizeable);
        b.SetOf("BorderIcons", BorderIconsInfo(), &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons)
            .Default(TBorderIcons{biSystemMenu, biMinimize, biMaximize});
        b.Enumeration("Position", PositionInfo(), &TCustomForm::Position, &TCustomForm::SetPosition)
            .Default(poDefaultPosOnly);
        b.Integer("ClientWidth", &TCustomForm::ClientWidth, &TCustomForm::SetClientWidth).NoDefault();
        b.Integer("ClientHeight", &TCustomForm::ClientHeight, &TCustomForm::SetClientHeight).NoDefault();
        b.Boolean("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview).Default(false);
        b.Event("OnCreate", &TCustomForm::OnCreate);
        b.Event("OnDestroy", &TCustomForm::OnDestroy);
        b.Event("OnShow", &TCustomForm::OnShow);
        b.Event("OnHide", &TCustomForm::OnHide);
        b.Event("OnActivate", &TCustomForm::OnActivate);
        b.Event("OnDeactivate", &TCustomForm::OnDeactivate);
        b.Event("OnClose", &TCustomForm::OnClose);
        b.Event("OnCloseQuery", &TCustomForm::OnCloseQuery);
    });
}

void TForm::RegisterClassInfo() { RegisterClass<TForm>("TForm", "TCustomForm"); }
