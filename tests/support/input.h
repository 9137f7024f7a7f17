// Input as a user gives it, at client points of one window of the headless desktop. Each
// helper only queues the events; the caller lets the loop deliver them (one at a time, or
// several in a row, as the test needs).
//
// The desktop's own verbs are used where it has them (a click, a key stroke, typed text, the
// pointer moving with the keys the keyboard holds); what it has no verb for — a bare press or
// release with the buttons and keys held, a move with a given state, a wheel notch, a key
// going down or up alone, an auto-repeat — is made here, in Post, and nowhere else.
#pragma once

#include <string>

#include "framework/platform/headless/headless_platform.h"

namespace input {

// The one place a test makes a raw event of its own.
inline void Post(THeadlessPlatform& desk, TWindowId window, TPlatformEvent e) {
    e.Window = window;
    desk.Inject(e);
}

// ---- mouse

// The pointer moves with the keys the keyboard holds and no button down.
inline void MouseMove(THeadlessPlatform& desk, TWindowId window, TPoint p) { desk.MoveMouse(window, p); }
// The pointer moves with exactly this state held (buttons and keys).
inline void MouseMove(THeadlessPlatform& desk, TWindowId window, TPoint p, TShiftState held) {
    TPlatformEvent e;
    e.Type = TPlatformEvent::MouseMove;
    e.Pos = p;
    e.Shift = held;
    Post(desk, window, e);
}
// A press; held is the state during it (the pressed button included, as the desktop reports).
inline void MouseDown(THeadlessPlatform& desk, TWindowId window, TPoint p, TMouseButton button = mbLeft,
                      TShiftState held = {ssLeft}) {
    TPlatformEvent e;
    e.Type = TPlatformEvent::MouseDown;
    e.Pos = p;
    e.Button = button;
    e.Shift = held;
    Post(desk, window, e);
}
// A release; held is what is still held after it.
inline void MouseUp(THeadlessPlatform& desk, TWindowId window, TPoint p, TMouseButton button = mbLeft,
                    TShiftState held = {}) {
    TPlatformEvent e;
    e.Type = TPlatformEvent::MouseUp;
    e.Pos = p;
    e.Button = button;
    e.Shift = held;
    Post(desk, window, e);
}
// Move there, press and release.
inline void Click(THeadlessPlatform& desk, TWindowId window, TPoint p, TMouseButton button = mbLeft,
                  TShiftState shift = {}) {
    desk.Click(window, p, button, shift);
}
// Wheel turns in the classic units: 120 a notch, positive away from the user.
inline void Wheel(THeadlessPlatform& desk, TWindowId window, TPoint p, int delta, TShiftState shift = {}) {
    TPlatformEvent e;
    e.Type = TPlatformEvent::MouseWheel;
    e.Pos = p;
    e.WheelDelta = delta;
    e.Shift = shift;
    Post(desk, window, e);
}

// ---- keyboard

// A key goes down; autoRepeat marks the repeats the keyboard sends while it is held.
inline void KeyDown(THeadlessPlatform& desk, TWindowId window, Word key, TShiftState shift = {},
                    bool autoRepeat = false) {
    TPlatformEvent e;
    e.Type = TPlatformEvent::KeyDown;
    e.Key = key;
    e.Shift = shift;
    e.AutoRepeat = autoRepeat;
    Post(desk, window, e);
}
inline void KeyUp(THeadlessPlatform& desk, TWindowId window, Word key, TShiftState shift = {}) {
    TPlatformEvent e;
    e.Type = TPlatformEvent::KeyUp;
    e.Key = key;
    e.Shift = shift;
    Post(desk, window, e);
}
// Down and up.
inline void PressKey(THeadlessPlatform& desk, TWindowId window, Word key, TShiftState shift = {}) {
    desk.PressKey(window, key, shift);
}
// One character per byte, in the window's code page.
inline void Type(THeadlessPlatform& desk, TWindowId window, const std::string& ansi) { desk.TypeText(window, ansi); }
// A character the desktop delivers by its code point alone: one the code page cannot hold.
inline void TypeCodePoint(THeadlessPlatform& desk, TWindowId window, char32_t codePoint) {
    TPlatformEvent e;
    e.Type = TPlatformEvent::Char;
    e.CodePoint = codePoint;
    Post(desk, window, e);
}

}  // namespace input
