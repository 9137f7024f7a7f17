// The desktop as the framework sees it: one abstract driver, with the headless driver (tests,
// screenshots) and the Qt 6 driver (the real desktop) as siblings behind it. The framework
// owns exactly one, set at start.
//
// Sections: events · windows · dialogs · the driver · access
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/base/types.h"
#include "framework/graphics/bitmap.h"
#include "framework/platform/accessible.h"
#include "framework/platform/input.h"

// ---------------------------------------------------------------- events

using TWindowId = int;

// A raw event of one top-level window; points are in the window's client coordinates.
struct TPlatformEvent {
    enum Kind {
        MouseDown,  // Button, Shift (ssDouble on the second press of a double click)
        MouseUp,
        MouseMove,
        MouseWheel,  // WheelDelta in the classic units (120 a notch, positive = away)
        MouseLeave,  // the pointer left the window
        KeyDown,     // Key (virtual key), Shift, AutoRepeat
        KeyUp,
        Char,          // Text: one ANSI byte typed (input-method commits arrive byte by byte)
        Activate,      // the window got the platform focus
        Deactivate,    // it lost it
        CloseRequest,  // the user asked to close the window
        Expose,        // the platform lost the window's pixels: present everything again
        FilesDropped,  // Files: files dropped onto the window from another program, at Pos
    };
    Kind Type = MouseMove;
    TWindowId Window = 0;
    TPoint Pos;
    TMouseButton Button = mbLeft;
    TShiftState Shift;
    int WheelDelta = 0;
    Word Key = 0;
    bool AutoRepeat = false;
    char Text = 0;                   // Char: the ANSI byte, 0 when the code page cannot hold it
    char32_t CodePoint = 0;          // Char: the character as typed
    std::vector<std::string> Files;  // FilesDropped: paths in the file system's bytes
};

// ---------------------------------------------------------------- windows

struct TWindowParams {
    std::string Title;
    int ClientWidth = 0;
    int ClientHeight = 0;
    TPoint Position;             // top-left of the frame on screen
    bool PositionGiven = false;  // false: the window system chooses
    bool Resizable = true;
    bool MinimizeBox = true;
    bool MaximizeBox = true;
    bool CloseBox = true;
    // What the window presents to assistive tools; it stays valid until the window is
    // destroyed. nullptr: nothing.
    TAccessibleTree* Accessible = nullptr;
};

// ---------------------------------------------------------------- dialogs

// What the open and the save dialog are asked to show, and what they answer.
struct TFileDialogRequest {
    std::string Title;     // empty: the platform's own
    std::string FileName;  // proposed name, or a path
    std::string InitialDir;
    std::string DefaultExt;  // without the dot; added when the chosen name has no extension
    std::string Filter;      // "Text|*.txt|All|*.*"; empty: no file-type list
    int FilterIndex = 1;
};
using TSaveDialogRequest = TFileDialogRequest;

enum TMessageIcon { miNone, miError, miWarning, miInformation, miQuestion };
enum TMessageButtons { mbOKOnly, mbOKCancel, mbYesNo, mbYesNoCancel };
enum TMessageResult { mrNoneResult, mrOKResult, mrCancelResult, mrYesResult, mrNoResult };

// ---------------------------------------------------------------- the driver

struct TLocalDateTime {
    int Year = 1900, Month = 1, Day = 1, Hour = 0, Minute = 0, Second = 0, Millisecond = 0;
};

// The locale's date and time settings the clock's "c" format is built from.
struct TLocaleFormats {
    std::string ShortDatePattern;  // in d/m/y letters ("dd/mm/yyyy", "m/d/yy"); empty: none given
    char DateSeparator = '/';
    char TimeSeparator = ':';
    bool TwelveHour = false;
    bool AmPmInFront = false;
    bool LeadingZeroHours = true;
    std::string AmString = "AM";
    std::string PmString = "PM";
};

class TPlatform {
public:
    virtual ~TPlatform() = default;
    virtual const char* Name() const = 0;

    // Windows. The framework draws into its own back buffer and presents rectangles of it.
    virtual TWindowId CreateWindow(const TWindowParams& params) = 0;
    virtual void DestroyWindow(TWindowId window) = 0;
    virtual void ShowWindow(TWindowId window, bool visible) = 0;
    virtual void SetWindowTitle(TWindowId window, const std::string& title) = 0;
    virtual void SetWindowIcon(TWindowId window, const TBitmap& icon) = 0;
    virtual void Present(TWindowId window, const TBitmap& backBuffer, const TRect& dirty) = 0;
    virtual void SetCursor(TWindowId window, TCursor cursor) = 0;
    virtual void FocusWindow(TWindowId window) = 0;
    // The application's title: the text a desktop's taskbar and window list show for the
    // program's windows, whatever their captions say.
    virtual void SetApplicationTitle(const std::string& title) { (void)title; }

    // The loop. Events go to the handler; ProcessEvents delivers what is pending and, when
    // wait is true and nothing was pending, blocks until an event arrives or the monotonic
    // clock reaches deadlineMs (-1: no deadline). Wake makes a blocked ProcessEvents return.
    std::function<void(const TPlatformEvent&)> OnEvent;
    virtual void ProcessEvents(bool wait, int64_t deadlineMs) = 0;
    virtual void Wake() = 0;
    // The framework's own pending work (due timers, deferred painting). A driver whose modal
    // dialogs run a loop of their own calls it from there, so timers keep firing and windows
    // keep painting while a dialog is open. Returns the next deadline, -1 for none.
    std::function<int64_t()> OnService;
    // Milliseconds on a clock that never goes back, counted from when the driver was made.
    virtual int64_t NowMs() = 0;

    // The desktop's state and settings.
    virtual TLocalDateTime LocalNow() = 0;
    virtual TLocaleFormats LocaleFormats() = 0;
    virtual TPoint CursorPos(TWindowId window) = 0;  // in that window's client coordinates
    virtual TShiftState KeyboardState() = 0;         // Shift, Ctrl, Alt and mouse buttons down now
    virtual std::string ClipboardText() = 0;         // ANSI; "" when there is none
    virtual void SetClipboardText(const std::string& ansi) = 0;
    virtual void Beep() = 0;
    virtual int BorderWidth() { return 1; }
    virtual int WheelScrollLines() { return 3; }
    virtual int ColorCount() { return -1; }  // -1: more than 256 colours

    // Modal dialogs. Timers keep firing while they are open.
    // True with the chosen full path in FileName; false when the user cancelled. The open
    // dialog offers only existing files.
    virtual bool ExecuteSaveDialog(TFileDialogRequest& request) = 0;
    virtual bool ExecuteOpenDialog(TFileDialogRequest& request) = 0;
    virtual TMessageResult MessageBox(const std::string& caption, const std::string& text, TMessageIcon icon,
                                      TMessageButtons buttons) = 0;

    // Assistive tools. Active: one is listening now, so changes are worth announcing.
    // AccessibleEvent tells the driver that an object of a window's tree changed; aeGone
    // arrives whether or not a tool listens (window may then be 0).
    virtual bool AccessibilityActive() { return false; }
    virtual void AccessibleEvent(TWindowId /*window*/, TAccessibleId /*id*/, TAccessibleEvent /*event*/) {}
};

// ---------------------------------------------------------------- access

// The one driver; throws when none was installed.
TPlatform& Platform();
void InstallPlatform(std::unique_ptr<TPlatform> platform);
bool PlatformInstalled();
