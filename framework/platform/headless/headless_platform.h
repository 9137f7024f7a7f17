// The in-memory desktop: deterministic and fully scriptable. Time is virtual and moves only
// when a test advances it (or the loop waits for a timer); input is injected; the save
// dialog answers from a script; message boxes are recorded; every presented pixel can be read;
// each window's accessible tree can be read, and what it announces is recorded while a test
// plays the listening assistive tool.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/platform/platform.h"

class THeadlessPlatform : public TPlatform {
public:
    struct Window {
        TWindowParams Params;
        bool Visible = false;
        bool Destroyed = false;
        TCursor Cursor = 0;
        std::unique_ptr<TBitmap> Screen;  // what has been presented so far
        std::vector<TRect> Presented;     // every dirty rectangle, in order
        int IconWidth = 0;
    };
    struct RecordedMessageBox {
        std::string Caption;
        std::string Text;
        TMessageIcon Icon;
        TMessageButtons Buttons;
    };

    THeadlessPlatform();
    ~THeadlessPlatform() override;
    const char* Name() const override { return "headless"; }

    // ---- TPlatform
    TWindowId CreateWindow(const TWindowParams& params) override;
    void DestroyWindow(TWindowId window) override;
    void ShowWindow(TWindowId window, bool visible) override;
    void SetWindowTitle(TWindowId window, const std::string& title) override;
    void SetWindowIcon(TWindowId window, const TBitmap& icon) override;
    void Present(TWindowId window, const TBitmap& backBuffer, const TRect& dirty) override;
    void SetCursor(TWindowId window, TCursor cursor) override;
    void FocusWindow(TWindowId window) override;
    void SetApplicationTitle(const std::string& title) override { FApplicationTitle = title; }
    void ProcessEvents(bool wait, int64_t deadlineMs) override;
    void Wake() override { FWoken = true; }
    int64_t NowMs() override { return FNow; }
    TLocalDateTime LocalNow() override;
    TLocaleFormats LocaleFormats() override { return FLocale; }
    TPoint CursorPos(TWindowId window) override;
    TShiftState KeyboardState() override { return FKeyState; }
    std::string ClipboardText() override { return FClipboard; }
    void SetClipboardText(const std::string& ansi) override { FClipboard = ansi; }
    void Beep() override { ++FBeeps; }
    bool ExecuteSaveDialog(TFileDialogRequest& request) override;
    bool ExecuteOpenDialog(TFileDialogRequest& request) override;
    TMessageResult MessageBox(const std::string& caption, const std::string& text, TMessageIcon icon,
                              TMessageButtons buttons) override;
    bool AccessibilityActive() override { return FAccessibilityActive; }
    void AccessibleEvent(TWindowId window, TAccessibleId id, TAccessibleEvent event) override;

    // ---- scripting
    // Queues an event; it is delivered by the next ProcessEvents.
    void Inject(const TPlatformEvent& event);
    // Convenience: pointer move, press and release at a client point of the window.
    void MoveMouse(TWindowId window, TPoint p);
    void Click(TWindowId window, TPoint p, TMouseButton button = mbLeft, TShiftState shift = {});
    void PressKey(TWindowId window, Word key, TShiftState shift = {});  // down + up
    void TypeText(TWindowId window, const std::string& ansi);           // one Char per byte
    // Files dragged from another program and dropped at a client point of the window.
    void DropFiles(TWindowId window, const std::vector<std::string>& paths, TPoint p = {10, 10});
    bool HasPendingEvents() const { return !FQueue.empty(); }

    // Virtual time: the clock moves only through these (and through waiting for a deadline).
    void AdvanceTime(int64_t ms) { FNow += ms; }
    // The local date-time at virtual time 0; LocalNow adds the elapsed virtual time.
    void SetLocalTimeAtStart(const TLocalDateTime& t) { FLocalStart = t; }
    void SetLocaleFormats(const TLocaleFormats& f) { FLocale = f; }
    void SetKeyboardState(TShiftState s) { FKeyState = s; }

    // Answers for the coming save dialogs, in order: a path confirms, nullopt cancels. A
    // function answer runs while the dialog is "open". With no answer left the dialog cancels.
    using SaveAnswer = std::function<std::optional<std::string>(const TSaveDialogRequest&)>;
    void AnswerSaveDialog(std::optional<std::string> path);
    void AnswerSaveDialog(SaveAnswer answer);
    const std::vector<TSaveDialogRequest>& SaveDialogs() const { return FSaveDialogs; }
    // The same for the open dialogs; a path is taken as it is, without a default extension.
    void AnswerOpenDialog(std::optional<std::string> path);
    void AnswerOpenDialog(SaveAnswer answer);
    const std::vector<TFileDialogRequest>& OpenDialogs() const { return FOpenDialogs; }

    // Message boxes shown so far; each returns the next scripted result (default OK).
    const std::vector<RecordedMessageBox>& MessageBoxes() const { return FMessageBoxes; }
    void ClearMessageBoxes() { FMessageBoxes.clear(); }
    void AnswerMessageBox(TMessageResult r) { FMessageAnswers.push_back(r); }

    // Called when the loop would block with no deadline and no event: a test can inject
    // input or terminate the application here. Without it such a wait is an error.
    std::function<void()> OnIdleWait;

    // Assistive tools: none listens until a test says so. Every announcement that reaches
    // the driver is recorded (the framework sends only aeGone while none listens).
    struct RecordedAccessibleEvent {
        TWindowId Window;
        TAccessibleId Id;
        TAccessibleEvent Event;
    };
    void SetAccessibilityActive(bool v) { FAccessibilityActive = v; }
    const std::vector<RecordedAccessibleEvent>& AccessibleEvents() const { return FAccessibleEvents; }
    void ClearAccessibleEvents() { FAccessibleEvents.clear(); }
    // The tree a window presents; nullptr when it has none or is destroyed.
    TAccessibleTree* AccessibleTree(TWindowId window);

    int Beeps() const { return FBeeps; }
    const std::string& ApplicationTitle() const { return FApplicationTitle; }
    Window* FindWindow(TWindowId id);
    // The last window created and not destroyed (the usual single form), or nullptr.
    TWindowId LastWindow() const;
    // The presented pixels of a window.
    const TBitmap* Screen(TWindowId window);

private:
    std::map<TWindowId, Window> FWindows;
    TWindowId FNextId = 1;
    std::deque<TPlatformEvent> FQueue;
    int64_t FNow = 0;
    bool FWoken = false;
    TLocalDateTime FLocalStart{2026, 12, 8, 14, 30, 15, 0};
    TLocaleFormats FLocale{"dd/mm/yyyy", '/', ':', false, false, true, "AM", "PM"};
    TShiftState FKeyState;
    std::map<TWindowId, TPoint> FCursor;
    std::string FClipboard;
    int FBeeps = 0;
    std::string FApplicationTitle;
    std::deque<SaveAnswer> FSaveAnswers;
    std::vector<TSaveDialogRequest> FSaveDialogs;
    std::deque<SaveAnswer> FOpenAnswers;
    std::vector<TFileDialogRequest> FOpenDialogs;
    std::vector<RecordedMessageBox> FMessageBoxes;
    std::deque<TMessageResult> FMessageAnswers;
    bool FAccessibilityActive = false;
    std::vector<RecordedAccessibleEvent> FAccessibleEvents;
};

// A whole accessible tree as it stands at one moment, for tests to read.
struct TAccessibleSnapshot {
    TAccessibleId Id;
    TAccessibleInfo Info;
    std::vector<TAccessibleSnapshot> Children;

    // Every object, depth first, that satisfies pred.
    std::vector<const TAccessibleSnapshot*> FindAll(const std::function<bool(const TAccessibleSnapshot&)>& pred) const;
    // The first object with this role and name, or nullptr.
    const TAccessibleSnapshot* Find(TAccessibleRole role, const std::string& name) const;
};
TAccessibleSnapshot SnapshotAccessibleTree(TAccessibleTree& tree);

// Installs a fresh headless platform as the framework's driver and returns it.
THeadlessPlatform& InstallHeadlessPlatform();
