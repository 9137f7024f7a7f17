// The routing of a form's raw input: mouse (capture, hit test, cursor, wheel notches) and
// keyboard (dialog keys, accelerators, characters).
#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "framework/ui/forms.h"

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
        case TPlatformEvent::MouseLeave: break;
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
        case TPlatformEvent::Expose: MarkPresent(Rect(0, 0, FBackBuffer.Width(), FBackBuffer.Height())); break;
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
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN: mask = DLGC_WANTARROWS; break;
        case VK_RETURN:
        case VK_ESCAPE: mask = DLGC_WANTALLKEYS; break;
        default: break;
    }
    // Dialog keys the focused control does not want go to every control of the window.
    if (mask != 0 && target->Perform(CM_WANTSPECIALKEY, key) == 0 && (target->Perform(WM_GETDLGCODE) & mask) == 0 &&
        Perform(CM_DIALOGKEY, key, keyData) != 0)
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
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            if (FActiveControl && FActiveControl->Parent()) {
                FActiveControl->Parent()->SelectNext(FActiveControl, m.CharCode == VK_RIGHT || m.CharCode == VK_DOWN,
                                                     false);
                m.Result = 1;
            }
            break;
        default: break;
    }
}
