// Top-level windows and the application object.
//
// TCustomForm owns the platform window, its back buffer and the per-form paint schedule
// (invalidations coalesced per windowed control, painted back to front when the queue is
// empty, the dirty rectangle presented), routes the raw input of its window (capture, hit
// test, focus, dialog keys, accelerators, wheel notches) and keeps the focus state
// (ActiveControl, focus-enter/exit, focus-changed).
// TApplication runs the loop: events, posted messages, timers, idle (mouse-enter/leave),
// painting, and reports escaped exceptions in a message box.
//
// Sections: form vocabulary · TCustomForm · TForm · TApplication
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/platform/platform.h"
#include "framework/ui/controls.h"

// ---------------------------------------------------------------- form vocabulary

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = Set<TBorderIcon>;
enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
enum TCloseAction { caNone, caHide, caFree, caMinimize };

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;
// A key pressed anywhere in the form, heard before the focused control; Handled stops it.
using TShortCutEvent = std::function<void(TObject* Sender, Word Key, TShiftState Shift, bool& Handled)>;
// Files dropped onto the form from another program (paths in the file system's bytes).
using TDropFilesEvent = std::function<void(TObject* Sender, const std::vector<std::string>& Files)>;

// ---------------------------------------------------------------- TCustomForm

class TCustomForm : public TWinControl {
public:
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;
    TCustomForm* AsCustomForm() const override { return const_cast<TCustomForm*>(this); }

    // Runs OnCreate; TApplication::CreateForm calls it once the form's description is read.
    virtual void AfterConstruction();

    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle v);
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons v);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition v) { FPosition = v; }
    // The picture shown in the title bar and task bar.
    TBitmap* Icon() { return &FIcon; }
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult v) { FModalResult = v; }
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool v) { FKeyPreview = v; }

    void Show();
    void Hide();
    // Asks OnCloseQuery and OnClose; closing the main form ends the application.
    void Close();
    // The window is the active one (has the platform focus).
    bool Active() const { return FActive; }
    TWindowId WindowId() const { return FWindow; }
    TBitmap* BackBuffer() { return &FBackBuffer; }
    // The frame of the platform window around the client area.
    TRect FrameInsets() const;

    // ---- focus
    TWinControl* ActiveControl() const { return FActiveControl; }
    // EInvalidOperation "Cannot focus a disabled or invisible window" when it cannot.
    void SetActiveControl(TWinControl* control);
    void FocusControl(TWinControl* control);
    // Gives up control (and what it contains) as the active control; the focus goes to
    // the form itself. removing: control is leaving the form.
    void DefocusControl(TWinControl* control, bool removing);
    // The control that last received the platform focus in this form.
    TWinControl* FocusedControl() const { return FFocusedControl; }
    // Where the platform focus is inside the form (the form itself when on no control).
    TWinControl* FocusHandle() const { return FFocusHandle; }
    // The move of the keyboard focus within the form: focus-exit, focus-enter,
    // focus-changed. Called from WM_SETFOCUS of the control that got it.
    bool SetFocusedControl(TWinControl* control);
    bool CanFocus() const override;
    void SetFocus() override;

    // ---- painting schedule
    // Records an invalidation of w's client rectangle (w's client coordinates), with or
    // without erase, with or without its non-client frame.
    void InvalidateWindow(TWinControl* w, const TRect& clientRect, bool erase, bool frame);
    // Paints what is pending: everything, or only what belongs to w (then everything
    // lying above it there), into the back buffer, and presents it.
    void PaintPending(TWinControl* only = nullptr);
    bool PaintPendingAny() const { return !FJobs.empty(); }
    // Marks a back-buffer rectangle (form client coordinates) for presenting.
    void MarkPresent(const TRect& r);
    void PresentNow();
    // A control is leaving: drop its jobs and every pointer to it or its children.
    void ControlRemoving(TControl* control);

    // ---- input (the platform's raw events of this window)
    void HandlePlatformEvent(const TPlatformEvent& event);
    // The keyboard path of one key-down / character, from the platform or posted.
    void RouteKeyDown(TWinControl* target, Word key, TShiftState shift, LPARAM keyData);
    void RouteKeyUp(TWinControl* target, Word key, TShiftState shift, LPARAM keyData);
    void RouteChar(TWinControl* target, char ch, TShiftState shift);
    // Mouse-enter / mouse-leave: the control under the pointer now.
    TControl* ControlUnderPointer();
    // The pointer's shape over the window (a drag shows its own).
    void SetPointerCursor(TCursor cursor);
    // The shape the controls ask for at a point: the capture control's, else the one
    // under the point, else the first parent that names one.
    void UpdatePointerCursor(TPoint pos);

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TShortCutEvent OnShortCut;
    TDropFilesEvent OnDropFiles;

    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
    // The window, named by its caption; its tree goes to the platform with the window.
    TAccessibleRole AccessibleRole(int part) const override;
    void GetAccessibleInfo(int part, TAccessibleInfo& info) override;
    static void RegisterClassInfo();

protected:
    void Dispatch(TMessage& message) override;
    void SetTextValue(const std::string& s) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void CMDialogKey(TCMDialogKey& message) override;
    void WMNCCalcSize(TWMNCCalcSize& message) override;
    void WMNCPaint(TWMNCPaint& message) override;
    void WMSize(TWMSize& message) override;
    void CMVisibleChanged(TMessage& message) override;
    virtual void DoCreate();
    virtual bool CloseQuery();
    void SetWindowFocus();
    void Activate(bool active);

private:
    friend class TApplication;
    struct Job {
        TWinControl* Control;
        TRect Client;  // client coordinates
        bool Erase;
        bool Frame;
    };
    void PaintWindowPart(TWinControl* w, const TRect& formRect, bool erase, std::exception_ptr& failure);
    void PaintFrame(TWinControl* w, std::exception_ptr& failure);
    TWinControl* InputTarget() const;
    void RouteMouse(const TPlatformEvent& e);

    TFormBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
    TPosition FPosition = poDefaultPosOnly;
    TBitmap FIcon;
    TModalResult FModalResult = mrNone;
    bool FKeyPreview = false;
    TWindowId FWindow = 0;
    TBitmap FBackBuffer;
    bool FActive = false;
    TWinControl* FActiveControl = nullptr;
    TWinControl* FFocusedControl = nullptr;  // last to get WM_SETFOCUS
    TWinControl* FFocusHandle = nullptr;     // where the platform focus is inside the form
    std::vector<Job> FJobs;
    TRect FPresentDirty;
    int FWheelAccumulator = 0;
    static constexpr int kMaxWheelDeltaPerEvent = 120 * 100;
    TCursor FShownCursor = crDefault;
    bool FCreated = false;
    std::unique_ptr<TAccessibleTree> FAccessibleTree;
};

// ---------------------------------------------------------------- TForm

class TForm : public TCustomForm {
public:
    explicit TForm(TComponent* owner) : TCustomForm(owner) {}
    static void RegisterClassInfo();
};

// ---------------------------------------------------------------- TApplication

using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;

class TApplication : public TComponent {
public:
    explicit TApplication(TComponent* owner);
    ~TApplication() override;

    // Hooks the platform's events and services up to this application, and makes a
    // file-size limit fail a save instead of ending the program (SIGXFSZ ignored).
    void Initialize();
    const std::string& Title() const { return FTitle; }
    // Also the taskbar text of the program's windows.
    void SetTitle(const std::string& title);

    // Creates a form owned by the application, runs its OnCreate and stores it in ref;
    // the first form created becomes the main form.
    template <class T>
    void CreateForm(T*& ref) {
        T* form = new T(this);
        ref = form;
        AdoptForm(form);
    }
    // The same for a form made without owner before the application and its desktop existed
    // (read on another thread while the desktop connected): it is told the desktop's settings
    // have come (CM_WININICHANGE), then owned and created like any other.
    template <class T>
    void TakeForm(T*& ref, std::unique_ptr<T> form) {
        ref = form.release();
        InsertComponent(ref);
        ref->Perform(CM_WININICHANGE);
        AdoptForm(ref);
    }
    TCustomForm* MainForm() const { return FMainForm; }

    // Shows the main form and processes events until Terminate; then the main form is
    // destroyed with its controls.
    void Run();
    void Terminate() { FTerminated = true; }
    bool Terminated() const { return FTerminated; }
    // Delivers everything pending (events, posted messages, due timers) until the queue
    // is empty, then runs the idle pass and paints.
    void ProcessMessages();
    // One turn of the loop: like ProcessMessages, and when nothing was pending it waits
    // for the next event or timer.
    void HandleMessage();
    // Mouse-enter / mouse-leave for the control under the pointer.
    void Idle();
    // Controls cancel the pointer's hint when they start tracking it. No hint window is
    // ever shown here (nothing in the system turns ShowHint on), so there is none to hide.
    void CancelHint() {}
    // Paints every form's pending invalidations.
    void PaintAll();

    // The message box of an escaped exception (EAbort: nothing).
    void HandleException(const std::exception& e);
    void HandleCurrentException();
    void ShowException(const std::exception& e);
    // Runs f; an escaping exception is handled here.
    void Guard(const std::function<void()>& f);

    TExceptionEvent OnException;
    TNotifyEvent OnIdle;

    // Forms that exist, in creation order.
    const std::vector<TCustomForm*>& Forms() const { return FForms; }
    TCustomForm* ActiveForm() const;
    TCustomForm* FormOfWindow(TWindowId id) const;

private:
    friend class TCustomForm;
    void AdoptForm(TCustomForm* form);
    // Events, posted messages and due timers; true when anything was delivered.
    bool DeliverPending();
    void DispatchPlatformEvent(const TPlatformEvent& e);
    int64_t Service();

    std::string FTitle;
    TCustomForm* FMainForm = nullptr;
    std::vector<TCustomForm*> FForms;
    bool FTerminated = false;
    bool FInitialized = false;
    int FEventsDelivered = 0;
    TControl* FMouseControl = nullptr;
    friend TControl* GetMouseControl();
    friend void ForgetMouseControl(TControl* control);
};

// The application object; created by the first use of it.
extern TApplication* Application;
TApplication* CreateApplication();
void DestroyApplication();
