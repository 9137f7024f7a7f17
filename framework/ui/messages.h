// Every message the control tree speaks, in one place: the TMessage record, the message ids
// (platform-style WM_ ones and the framework's own CM_ notifications), the flags some of
// them carry, and the typed views the per-notification handlers receive.
//
// A control has one dispatch: WndProc → Dispatch by id → one protected virtual per
// notification. A typed view is decoded from the TMessage before its handler runs and the
// fields a handler may change (Result, a cleared key) are written back afterwards.
//
// Device contexts: WM_ERASEBKGND and WM_PAINT carry the canvas to draw on in WParam
// (TCanvas*), already translated and clipped to the receiver's client area.
//
// Sections: the record · ids · flags · typed views · drag and dock views
#pragma once

#include <cstdint>

#include "framework/base/types.h"
#include "framework/platform/input.h"

class TCanvas;
class TControl;
class TWinControl;
class TDragObject;
class TDragDockObject;

// ---------------------------------------------------------------- the record

using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;

struct TMessage {
    unsigned Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

// Points travel as two signed 16-bit halves of an LPARAM, x low.
constexpr LPARAM PointToLParam(TPoint p) {
    return static_cast<LPARAM>((static_cast<uint32_t>(static_cast<uint16_t>(p.Y)) << 16) | static_cast<uint16_t>(p.X));
}
constexpr TPoint LParamToPoint(LPARAM l) {
    return {static_cast<int16_t>(l & 0xFFFF), static_cast<int16_t>((l >> 16) & 0xFFFF)};
}
template <class T>
LPARAM PtrToLParam(T* p) {
    return reinterpret_cast<LPARAM>(p);
}
template <class T>
T* LParamToPtr(LPARAM l) {
    return reinterpret_cast<T*>(l);
}

// ---------------------------------------------------------------- ids

// Window messages.
constexpr unsigned WM_NULL = 0x0000;
constexpr unsigned WM_CREATE = 0x0001;
constexpr unsigned WM_DESTROY = 0x0002;
constexpr unsigned WM_MOVE = 0x0003;
constexpr unsigned WM_SIZE = 0x0005;  // WParam: SIZE_ kind, LParam: width | height << 16
constexpr unsigned WM_ACTIVATE = 0x0006;
constexpr unsigned WM_SETFOCUS = 0x0007;   // WParam: TWinControl* losing the focus (may be 0)
constexpr unsigned WM_KILLFOCUS = 0x0008;  // WParam: TWinControl* getting it (may be 0)
constexpr unsigned WM_ENABLE = 0x000A;
constexpr unsigned WM_SETTEXT = 0x000C;
constexpr unsigned WM_PAINT = 0x000F;  // WParam: TCanvas*, or 0 to paint now
constexpr unsigned WM_CLOSE = 0x0010;
constexpr unsigned WM_ERASEBKGND = 0x0014;  // WParam: TCanvas*; Result 1 = erased
constexpr unsigned WM_SYSCOLORCHANGE = 0x0015;
constexpr unsigned WM_SHOWWINDOW = 0x0018;
constexpr unsigned WM_SETCURSOR = 0x0020;
constexpr unsigned WM_WINDOWPOSCHANGED = 0x0047;  // LParam: TWindowPos*
constexpr unsigned WM_NCCALCSIZE = 0x0083;        // LParam: TRect* window rect in, client rect out
constexpr unsigned WM_NCHITTEST = 0x0084;
constexpr unsigned WM_NCPAINT = 0x0085;
constexpr unsigned WM_GETDLGCODE = 0x0087;  // Result: DLGC_ flags
constexpr unsigned WM_KEYDOWN = 0x0100;     // WParam: virtual key, LParam: key data
constexpr unsigned WM_KEYUP = 0x0101;
constexpr unsigned WM_CHAR = 0x0102;  // WParam: the ANSI character
constexpr unsigned WM_SYSKEYDOWN = 0x0104;
constexpr unsigned WM_SYSKEYUP = 0x0105;
constexpr unsigned WM_SYSCHAR = 0x0106;
constexpr unsigned WM_TIMER = 0x0113;  // WParam: timer id
constexpr unsigned WM_HSCROLL = 0x0114;
constexpr unsigned WM_VSCROLL = 0x0115;
constexpr unsigned WM_MOUSEMOVE = 0x0200;  // WParam: TShiftState bits, LParam: client point
constexpr unsigned WM_LBUTTONDOWN = 0x0201;
constexpr unsigned WM_LBUTTONUP = 0x0202;
constexpr unsigned WM_LBUTTONDBLCLK = 0x0203;
constexpr unsigned WM_RBUTTONDOWN = 0x0204;
constexpr unsigned WM_RBUTTONUP = 0x0205;
constexpr unsigned WM_RBUTTONDBLCLK = 0x0206;
constexpr unsigned WM_MBUTTONDOWN = 0x0207;
constexpr unsigned WM_MBUTTONUP = 0x0208;
constexpr unsigned WM_MBUTTONDBLCLK = 0x0209;
constexpr unsigned WM_MOUSEWHEEL = 0x020A;  // WParam: TShiftState bits | delta << 16, LParam: client point
constexpr unsigned WM_CAPTURECHANGED = 0x0215;
constexpr unsigned WM_CUT = 0x0300;
constexpr unsigned WM_COPY = 0x0301;
constexpr unsigned WM_PASTE = 0x0302;
constexpr unsigned WM_CLEAR = 0x0303;
constexpr unsigned WM_UNDO = 0x0304;
constexpr unsigned WM_USER = 0x0400;

constexpr unsigned WM_MOUSEFIRST = WM_MOUSEMOVE;
constexpr unsigned WM_MOUSELAST = WM_MOUSEWHEEL;
constexpr unsigned WM_KEYFIRST = WM_KEYDOWN;
constexpr unsigned WM_KEYLAST = 0x0108;

// The framework's notifications.
constexpr unsigned CM_BASE = 0xB000;
constexpr unsigned CM_ACTIVATE = CM_BASE + 0;
constexpr unsigned CM_DEACTIVATE = CM_BASE + 1;
constexpr unsigned CM_DIALOGKEY = CM_BASE + 5;     // WParam: key; Result 1 = handled
constexpr unsigned CM_DIALOGCHAR = CM_BASE + 6;    // WParam: character; Result 1 = handled
constexpr unsigned CM_FOCUSCHANGED = CM_BASE + 7;  // LParam: the newly focused TWinControl*
constexpr unsigned CM_PARENTFONTCHANGED = CM_BASE + 8;
constexpr unsigned CM_PARENTCOLORCHANGED = CM_BASE + 9;
constexpr unsigned CM_HITTEST = CM_BASE + 10;         // LParam: client point; Result 0 = not mine
constexpr unsigned CM_VISIBLECHANGED = CM_BASE + 11;  // WParam: new Visible
constexpr unsigned CM_ENABLEDCHANGED = CM_BASE + 12;
constexpr unsigned CM_COLORCHANGED = CM_BASE + 13;
constexpr unsigned CM_FONTCHANGED = CM_BASE + 14;
constexpr unsigned CM_CURSORCHANGED = CM_BASE + 15;
constexpr unsigned CM_CTL3DCHANGED = CM_BASE + 16;
constexpr unsigned CM_PARENTCTL3DCHANGED = CM_BASE + 17;
constexpr unsigned CM_TEXTCHANGED = CM_BASE + 18;
constexpr unsigned CM_MOUSEENTER = CM_BASE + 19;
constexpr unsigned CM_MOUSELEAVE = CM_BASE + 20;
constexpr unsigned CM_SHOWINGCHANGED = CM_BASE + 25;  // a windowed control's Showing flipped
constexpr unsigned CM_ENTER = CM_BASE + 26;           // focus-enter
constexpr unsigned CM_EXIT = CM_BASE + 27;            // focus-exit
constexpr unsigned CM_WANTSPECIALKEY = CM_BASE + 30;  // WParam: key; Result 1 = give it to me
// The desktop's locale settings changed, or the desktop came after the window was read:
// what shows a date, a time or a number formats it again. Windowed controls pass it on.
constexpr unsigned CM_WININICHANGE = CM_BASE + 35;
constexpr unsigned CM_SYSCOLORCHANGE = CM_BASE + 36;
constexpr unsigned CM_TABSTOPCHANGED = CM_BASE + 40;
constexpr unsigned CM_DRAG = CM_BASE + 41;               // WParam: TDragMessage, LParam: TDragRec*; Result 1 = accepted
constexpr unsigned CM_CONTROLLISTCHANGE = CM_BASE + 44;  // WParam: TControl*, LParam: inserting
constexpr unsigned CM_CHILDKEY = CM_BASE + 46;
constexpr unsigned CM_RECREATEWND = CM_BASE + 51;
constexpr unsigned CM_CONTROLCHANGE = CM_BASE + 54;  // WParam: TControl*, LParam: inserting
constexpr unsigned CM_BORDERCHANGED = CM_BASE + 59;
constexpr unsigned CM_DOCKCLIENT = CM_BASE + 62;    // WParam: TDragDockObject*, LParam: point in the site
constexpr unsigned CM_UNDOCKCLIENT = CM_BASE + 63;  // WParam: new TWinControl* site (0: none), LParam: TControl* client
constexpr unsigned CM_DOCKNOTIFICATION = CM_BASE + 66;  // WParam: TControl* client, LParam: TDockNotifyRec*
constexpr unsigned CM_CANCELHINT = CM_BASE + 70;
constexpr unsigned CM_ACCESSIBLEACTION = CM_BASE + 90;  // WParam: TAccessibleAction, LParam: part

// Private messages: the protocols the program's own controls speak among themselves, listed
// with the rest so that no number is taken twice. The numbers are fixed by those protocols:
// the blink messages lie in a range of their own above the framework's notifications, the
// group press in the range the platform leaves to programs (from WM_USER on).
constexpr unsigned CM_PRIVATE_BASE = CM_BASE + 1000;
constexpr unsigned CM_BLINKQUERY = CM_PRIVATE_BASE + 0;  // 46056; Result 1: the control blinks now
constexpr unsigned CM_BLINKSTATE = CM_PRIVATE_BASE + 1;  // 46057; WParam: the new blink phase
constexpr unsigned WM_GROUPPRESS = WM_USER + 8225;       // 9249; WParam: GroupIndex, LParam: the sending button

// ---------------------------------------------------------------- flags

// WM_GETDLGCODE answers: which keys the control keeps from focus movement.
constexpr unsigned DLGC_WANTARROWS = 0x0001;
constexpr unsigned DLGC_WANTTAB = 0x0002;
constexpr unsigned DLGC_WANTALLKEYS = 0x0004;  // Enter and Escape
constexpr unsigned DLGC_WANTMESSAGE = 0x0004;
constexpr unsigned DLGC_HASSETSEL = 0x0008;
constexpr unsigned DLGC_WANTCHARS = 0x0080;  // plain characters are not accelerators here
constexpr unsigned DLGC_BUTTON = 0x2000;

// Window styles of TCreateParams.
constexpr uint32_t WS_BORDER = 0x00800000;  // one pixel in clWindowFrame
constexpr uint32_t WS_CLIPCHILDREN = 0x02000000;
constexpr uint32_t WS_CLIPSIBLINGS = 0x04000000;
constexpr uint32_t WS_TABSTOP = 0x00010000;
constexpr uint32_t WS_VSCROLL = 0x00200000;
constexpr uint32_t WS_HSCROLL = 0x00100000;
constexpr uint32_t WS_EX_CLIENTEDGE = 0x00000200;  // the sunken two-pixel edge
// Class styles: repaint everything when the width / height changes.
constexpr uint32_t CS_VREDRAW = 0x0001;
constexpr uint32_t CS_HREDRAW = 0x0002;
constexpr uint32_t CS_DBLCLKS = 0x0008;

// RedrawWindow.
constexpr unsigned RDW_INVALIDATE = 0x0001;
constexpr unsigned RDW_ERASE = 0x0004;
constexpr unsigned RDW_FRAME = 0x0400;
constexpr unsigned RDW_NOERASE = 0x0020;
constexpr unsigned RDW_UPDATENOW = 0x0100;
constexpr unsigned RDW_ALLCHILDREN = 0x0080;

// WM_SIZE kinds.
constexpr WPARAM SIZE_RESTORED = 0;

// CM_HITTEST answers.
constexpr LRESULT HTNOWHERE = 0;
constexpr LRESULT HTCLIENT = 1;

// ---------------------------------------------------------------- typed views

// Mouse buttons and moves: shift state (buttons included) and the client point.
struct TWMMouse {
    unsigned Msg = 0;
    TShiftState Keys;
    int XPos = 0;
    int YPos = 0;
    LRESULT Result = 0;
    static TWMMouse From(const TMessage& m) {
        const TPoint p = LParamToPoint(m.LParam);
        return {m.Msg, TShiftState::FromBits(static_cast<uint32_t>(m.WParam & 0xFFFF)), p.X, p.Y, 0};
    }
    void StoreTo(TMessage& m) const { m.Result = Result; }
    TPoint Pos() const { return {XPos, YPos}; }
};

// One wheel notch (or several units): WheelDelta is +120 away from the user.
struct TWMMouseWheel {
    unsigned Msg = 0;
    TShiftState Keys;
    int WheelDelta = 0;
    int XPos = 0;
    int YPos = 0;
    LRESULT Result = 0;  // 1: handled, the platform's own wheel handling does not run
    static TWMMouseWheel From(const TMessage& m) {
        const TPoint p = LParamToPoint(m.LParam);
        return {m.Msg,
                TShiftState::FromBits(static_cast<uint32_t>(m.WParam & 0xFFFF)),
                static_cast<int16_t>((m.WParam >> 16) & 0xFFFF),
                p.X,
                p.Y,
                0};
    }
    void StoreTo(TMessage& m) const { m.Result = Result; }
};
constexpr WPARAM MakeWheelWParam(TShiftState shift, int delta) {
    return (static_cast<WPARAM>(static_cast<uint16_t>(delta)) << 16) | (shift.Bits() & 0xFFFF);
}

// Keys and characters (also CM_DIALOGKEY, CM_DIALOGCHAR). A handler may clear CharCode.
struct TWMKey {
    unsigned Msg = 0;
    Word CharCode = 0;
    LPARAM KeyData = 0;
    LRESULT Result = 0;
    static TWMKey From(const TMessage& m) { return {m.Msg, static_cast<Word>(m.WParam), m.LParam, m.Result}; }
    void StoreTo(TMessage& m) const {
        m.WParam = CharCode;
        m.Result = Result;
    }
};
using TCMDialogKey = TWMKey;
using TCMDialogChar = TWMKey;

// Focus gained / lost: the other party.
struct TWMFocus {
    unsigned Msg = 0;
    TWinControl* Other = nullptr;
    LRESULT Result = 0;
    static TWMFocus From(const TMessage& m) { return {m.Msg, reinterpret_cast<TWinControl*>(m.WParam), 0}; }
    void StoreTo(TMessage& m) const { m.Result = Result; }
};
using TWMSetFocus = TWMFocus;
using TWMKillFocus = TWMFocus;

// Painting on a given canvas (the receiver's client area at its logical (0, 0)).
struct TWMPaint {
    unsigned Msg = 0;
    TCanvas* Canvas = nullptr;
    LRESULT Result = 0;
    static TWMPaint From(const TMessage& m) { return {m.Msg, reinterpret_cast<TCanvas*>(m.WParam), 0}; }
    void StoreTo(TMessage& m) const { m.Result = Result; }
};
using TWMEraseBkgnd = TWMPaint;

// Non-client size: Rect comes in as the window rectangle (0, 0, Width, Height) and goes
// out as the client rectangle inside it.
struct TWMNCCalcSize {
    unsigned Msg = 0;
    TRect* Rect = nullptr;
    LRESULT Result = 0;
    static TWMNCCalcSize From(const TMessage& m) { return {m.Msg, reinterpret_cast<TRect*>(m.LParam), 0}; }
    void StoreTo(TMessage& m) const { m.Result = Result; }
};

// Non-client painting. The framework's own border painting runs in the default handling;
// a control paints over the whole window through GetWindowDC afterwards.
struct TWMNCPaint {
    unsigned Msg = 0;
    LRESULT Result = 0;
    static TWMNCPaint From(const TMessage& m) { return {m.Msg, 0}; }
    void StoreTo(TMessage& m) const { m.Result = Result; }
};

// The new bounds in the parent's client coordinates; the control still holds the old
// ones until the framework's handling has run.
struct TWindowPos {
    int X = 0;
    int Y = 0;
    int CX = 0;
    int CY = 0;
    unsigned Flags = 0;
};
constexpr unsigned SWP_FRAMECHANGED = 0x0020;
struct TWMWindowPosChanged {
    unsigned Msg = 0;
    TWindowPos* WindowPos = nullptr;
    LRESULT Result = 0;
    static TWMWindowPosChanged From(const TMessage& m) { return {m.Msg, reinterpret_cast<TWindowPos*>(m.LParam), 0}; }
    void StoreTo(TMessage& m) const { m.Result = Result; }
};

struct TWMSize {
    unsigned Msg = 0;
    WPARAM SizeType = SIZE_RESTORED;
    int Width = 0;
    int Height = 0;
    LRESULT Result = 0;
    static TWMSize From(const TMessage& m) {
        return {m.Msg, m.WParam, static_cast<int>(m.LParam & 0xFFFF), static_cast<int>((m.LParam >> 16) & 0xFFFF), 0};
    }
    void StoreTo(TMessage& m) const { m.Result = Result; }
};

struct TWMTimer {
    unsigned Msg = 0;
    uintptr_t TimerID = 0;
    LRESULT Result = 0;
    static TWMTimer From(const TMessage& m) { return {m.Msg, m.WParam, 0}; }
    void StoreTo(TMessage& m) const { m.Result = Result; }
};

// CM_HITTEST: a point in the windowless control's client coordinates.
struct TCMHitTest {
    unsigned Msg = 0;
    int XPos = 0;
    int YPos = 0;
    LRESULT Result = 0;
    static TCMHitTest From(const TMessage& m) {
        const TPoint p = LParamToPoint(m.LParam);
        return {m.Msg, p.X, p.Y, m.Result};
    }
    void StoreTo(TMessage& m) const { m.Result = Result; }
};

// CM_FOCUSCHANGED: the control that now holds the focus.
struct TCMFocusChanged {
    unsigned Msg = 0;
    TWinControl* Sender = nullptr;
    LRESULT Result = 0;
    static TCMFocusChanged From(const TMessage& m) {
        return {m.Msg, reinterpret_cast<TWinControl*>(m.LParam), m.Result};
    }
    void StoreTo(TMessage& m) const { m.Result = Result; }
};

// ---------------------------------------------------------------- drag and dock views

// What a CM_DRAG tells its receiver; the first three are the TDragState values the
// receiver's DragOver / DockOver hear (dsDragEnter, dsDragLeave, dsDragMove).
enum TDragMessage { dmDragEnter, dmDragLeave, dmDragMove, dmDragDrop };

struct TDragRec {
    TPoint Pos;  // the pointer in the form's client coordinates
    TDragObject* Source = nullptr;
    TControl* Target = nullptr;  // the receiver
    bool Docking = false;        // Source is a TDragDockObject and Target a dock site
};

struct TCMDrag {
    unsigned Msg = 0;
    TDragMessage DragMessage = dmDragMove;
    TDragRec* DragRec = nullptr;
    LRESULT Result = 0;  // enter / move / leave: 1 = the receiver accepts a drop here
    static TCMDrag From(const TMessage& m) {
        return {m.Msg, static_cast<TDragMessage>(m.WParam), reinterpret_cast<TDragRec*>(m.LParam), m.Result};
    }
    void StoreTo(TMessage& m) const { m.Result = Result; }
};

// CM_DOCKCLIENT: make DockSource's control a client of the receiving site.
struct TCMDockClient {
    unsigned Msg = 0;
    TDragDockObject* DockSource = nullptr;
    TPoint MousePos;  // in the site's client coordinates
    LRESULT Result = 0;
    static TCMDockClient From(const TMessage& m) {
        return {m.Msg, reinterpret_cast<TDragDockObject*>(m.WParam), LParamToPoint(m.LParam), m.Result};
    }
    void StoreTo(TMessage& m) const { m.Result = Result; }
};

// CM_UNDOCKCLIENT: Client is leaving the receiving site for NewTarget (nullptr: back to
// where it was before it was docked). Sent after the site's unDock query allowed it.
struct TCMUnDockClient {
    unsigned Msg = 0;
    TWinControl* NewTarget = nullptr;
    TControl* Client = nullptr;
    LRESULT Result = 0;
    static TCMUnDockClient From(const TMessage& m) {
        return {m.Msg, reinterpret_cast<TWinControl*>(m.WParam), reinterpret_cast<TControl*>(m.LParam), m.Result};
    }
    void StoreTo(TMessage& m) const { m.Result = Result; }
};

// CM_DOCKNOTIFICATION: a docked client tells its site of a notification it received
// (CM_TEXTCHANGED after a caption change, CM_VISIBLECHANGED with the new Visible).
struct TDockNotifyRec {
    unsigned ClientMsg = 0;
    WPARAM MsgWParam = 0;
    LPARAM MsgLParam = 0;
    LRESULT Result = 0;
};
struct TCMDockNotification {
    unsigned Msg = 0;
    TControl* Client = nullptr;
    TDockNotifyRec* NotifyRec = nullptr;
    LRESULT Result = 0;
    static TCMDockNotification From(const TMessage& m) {
        return {m.Msg, reinterpret_cast<TControl*>(m.WParam), reinterpret_cast<TDockNotifyRec*>(m.LParam), m.Result};
    }
    void StoreTo(TMessage& m) const { m.Result = Result; }
};
