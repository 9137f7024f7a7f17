// Timers on the one GUI thread. A TTimer fires OnTimer every Interval milliseconds while
// enabled; a window timer (SetTimer on a windowed control) sends it WM_TIMER. Nothing runs
// concurrently: the event loop asks when the next one is due, waits until then, and fires
// what is due (FireDueTimers). On the headless desktop time is virtual.
#pragma once

#include <cstdint>

#include "framework/core/classes.h"

class TControl;
class TWinControl;

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    // Milliseconds; 0 stops the timer. Setting it starts the period afresh.
    unsigned Interval() const { return FInterval; }
    void SetInterval(unsigned ms) {
        if (Change(FInterval, ms)) UpdateTimer();
    }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v) {
        if (Change(FEnabled, v)) UpdateTimer();
    }
    // Runs every period while enabled (the period runs even while no handler is set).
    TNotifyEvent OnTimer;
    void SetOnTimer(TNotifyEvent handler);

    static void RegisterClassInfo();

protected:
    virtual void Timer();
    void Loaded() override;

private:
    friend bool FireDueTimers();
    void UpdateTimer();
    unsigned FInterval = 1000;
    bool FEnabled = true;
};

// Window timers: WM_TIMER with the id every ms milliseconds; setting an existing id restarts
// it with the new period.
void SetTimer(TWinControl* control, uintptr_t id, unsigned ms);
void KillTimer(TWinControl* control, uintptr_t id);
void KillTimersOf(TControl* control);

// For the event loop: the earliest deadline on the platform's clock (-1: none), and firing
// everything due now (each once); true when anything fired.
int64_t NextTimerDeadline();
bool FireDueTimers();
int ActiveTimerCount();
