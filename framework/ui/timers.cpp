// Timers. One list holds every running timer, TTimer and window timer alike, with its
// next deadline; the loop fires the due ones in deadline order.
#include "framework/ui/timers.h"

#include <algorithm>
#include <vector>

#include "framework/core/typinfo.h"
#include "framework/platform/platform.h"
#include "framework/ui/controls.h"
#include "framework/ui/forms.h"

namespace {

struct Entry {
    TTimer* Timer = nullptr;         // a TTimer, or
    TWinControl* Control = nullptr;  // a window timer of this control with this id
    uintptr_t Id = 0;
    unsigned Interval = 0;
    int64_t Due = 0;
    uint64_t Serial = 0;  // changes when the entry is restarted
};

std::vector<Entry>& Entries() {
    static std::vector<Entry> entries;
    return entries;
}
uint64_t gSerial = 0;

// Before a desktop is installed (a window read ahead while it connects) the time is 0: the
// desktop's clock starts with it, so those timers count from its start.
int64_t Now() { return PlatformInstalled() ? Platform().NowMs() : 0; }

void Start(TTimer* timer, TWinControl* control, uintptr_t id, unsigned ms) {
    auto& list = Entries();
    auto it = std::find_if(list.begin(), list.end(),
                           [&](const Entry& e) { return e.Timer == timer && e.Control == control && e.Id == id; });
    Entry e{timer, control, id, ms, Now() + ms, ++gSerial};
    if (it != list.end()) *it = e;
    else list.push_back(e);
    if (PlatformInstalled()) Platform().Wake();
}

void Stop(TTimer* timer, TWinControl* control, uintptr_t id) {
    auto& list = Entries();
    list.erase(std::remove_if(list.begin(), list.end(),
                              [&](const Entry& e) { return e.Timer == timer && e.Control == control && e.Id == id; }),
               list.end());
}

}  // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner) {}

TTimer::~TTimer() { Stop(this, nullptr, 0); }

void TTimer::SetOnTimer(TNotifyEvent handler) {
    OnTimer = std::move(handler);
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    Stop(this, nullptr, 0);
    if (FEnabled && FInterval > 0 && !ComponentState().Contains(csLoading)) Start(this, nullptr, 0, FInterval);
}

void TTimer::Loaded() {
    TComponent::Loaded();
    UpdateTimer();
}

void TTimer::Timer() {
    if (OnTimer) OnTimer(this);
}

void TTimer::RegisterClassInfo() {
    RegisterClass<TTimer>("TTimer", "TComponent", [](TClassBuilder<TTimer>& b) {
        b.Boolean("Enabled", &TTimer::Enabled, &TTimer::SetEnabled).Default();
        b.Integer("Interval", &TTimer::Interval, &TTimer::SetInterval).Default();
        b.Event("OnTimer", &TTimer::OnTimer);
    });
}

void SetTimer(TWinControl* control, uintptr_t id, unsigned ms) {
    if (!control) return;
    if (ms == 0) {
        Stop(nullptr, control, id);
        return;
    }
    Start(nullptr, control, id, ms);
}

void KillTimer(TWinControl* control, uintptr_t id) { Stop(nullptr, control, id); }

void KillTimersOf(TControl* control) {
    auto& list = Entries();
    list.erase(
        std::remove_if(list.begin(), list.end(),
                       [&](const Entry& e) { return e.Control && static_cast<TControl*>(e.Control) == control; }),
        list.end());
}

int64_t NextTimerDeadline() {
    int64_t next = -1;
    for (const Entry& e : Entries())
        if (next < 0 || e.Due < next) next = e.Due;
    return next;
}

int ActiveTimerCount() { return static_cast<int>(Entries().size()); }

bool FireDueTimers() {
    const int64_t now = Now();
    std::vector<Entry> due;
    for (const Entry& e : Entries())
        if (e.Due <= now) due.push_back(e);
    if (due.empty()) return false;
    std::stable_sort(due.begin(), due.end(), [](const Entry& a, const Entry& b) { return a.Due < b.Due; });
    for (const Entry& d : due) {
        // A handler may have stopped, restarted or destroyed a timer that is still in the list.
        auto& list = Entries();
        auto it = std::find_if(list.begin(), list.end(), [&](const Entry& e) { return e.Serial == d.Serial; });
        if (it == list.end()) continue;
        it->Due = now + it->Interval;
        TTimer* timer = it->Timer;
        TWinControl* control = it->Control;
        const uintptr_t id = it->Id;
        auto fire = [&] {
            if (timer) timer->Timer();
            else control->Perform(WM_TIMER, id, 0);
        };
        if (Application) Application->Guard(fire);
        else fire();
    }
    return true;
}
