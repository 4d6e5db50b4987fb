#pragma once
// TTimer: OnTimer every Interval milliseconds while Enabled. Switching it off and on again (or
// changing the interval) starts the interval afresh.
#include "classlib/classes/Classes.h"

namespace cl {

class TTimer;

// What measures time for timers: the platform's timers normally; tests put a clock of their
// own in its place and fire the timers themselves.
class TTimerClock {
public:
    virtual ~TTimerClock() = default;
    virtual void Start(TTimer* Timer, unsigned Interval) = 0;
    virtual void Stop(TTimer* Timer) = 0;

protected:
    // Runs the timer's event; an exception goes to the application, as from any entry.
    static void Fire(TTimer* Timer);
};

// Installs a clock (nullptr: the platform's) and answers the previous one. Timers running at
// the time keep the clock they started on until they stop.
TTimerClock* SetTimerClock(TTimerClock* Clock);
TTimerClock* TimerClock();

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool Value);
    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned Value);
    // Running: enabled with a non-zero interval.
    bool Running() const { return clock_ != nullptr; }

    TNotifyEvent OnTimer;

protected:
    void BeforeDestruction() override;
    void Loaded() override;
    virtual void Timer();

private:
    friend class TTimerClock;
    void UpdateTimer();
    void StopTimer();

    bool enabled_ = true;
    unsigned interval_ = 1000;
    TTimerClock* clock_ = nullptr;
};

}  // namespace cl
