// The application: the loop (events, posted messages, timers, idle, painting) and the
// report of an exception that escaped a handler.
#include <csignal>

#include "framework/core/sysutils.h"
#include "framework/ui/control_tree_internal.h"
#include "framework/ui/forms.h"
#include "framework/ui/timers.h"

TApplication* Application = nullptr;

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
