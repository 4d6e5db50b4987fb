// TTimer and the platform's clock: one callback window whose timer ids are the timers.
#include <windows.h>

#include "classlib/platform/CallbackWindow.h"
#include "classlib/controls/Controls.h"
#include "classlib/system/CoreConsts.h"
#include "classlib/graphics/Error.h"
#include "classlib/controls/ExtCtrls.h"

namespace cl {

namespace {

class TSystemTimerClock : public TTimerClock {
public:
    void Start(TTimer* Timer, unsigned Interval) override
    {
        if (!SetTimer(Window(), reinterpret_cast<UINT_PTR>(Timer), Interval, nullptr))
            throw EOutOfResources(consts::SNoTimers);
    }
    void Stop(TTimer* Timer) override
    {
        if (wnd_)
            KillTimer(wnd_, reinterpret_cast<UINT_PTR>(Timer));
    }

private:
    // The timer ids of this window are the timers.
    HWND Window()
    {
        if (!wnd_)
            wnd_ = AllocateHWnd([this](TMessage& Message) { WndProc(Message); });
        return wnd_;
    }
    void WndProc(TMessage& Message)
    {
        if (Message.Msg == WM_TIMER)
            Fire(reinterpret_cast<TTimer*>(Message.WParam));
        else
            Message.Result = DefWindowProcA(wnd_, Message.Msg, Message.WParam, Message.LParam);
    }
    HWND wnd_ = nullptr;
};

TSystemTimerClock& SystemClock()
{
    static TSystemTimerClock clock;
    return clock;
}

TTimerClock* currentClock = nullptr;
}  // namespace

TTimerClock* SetTimerClock(TTimerClock* Clock)
{
    TTimerClock* previous = TimerClock();
    currentClock = Clock;
    return previous;
}

TTimerClock* TimerClock() { return currentClock ? currentClock : &SystemClock(); }

void TTimerClock::Fire(TTimer* Timer)
{
    try {
        Timer->Timer();
    } catch (...) {
        HandleEntryException(Timer);
    }
}

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) { UpdateTimer(); }

TTimer::~TTimer() { StopTimer(); }

void TTimer::BeforeDestruction()
{
    StopTimer();
    TComponent::BeforeDestruction();
}

void TTimer::Loaded()
{
    TComponent::Loaded();
    UpdateTimer();
}

void TTimer::StopTimer()
{
    if (clock_) {
        clock_->Stop(this);
        clock_ = nullptr;
    }
}

void TTimer::UpdateTimer()
{
    StopTimer();
    // Values read from a form resource take effect together, once it is loaded.
    if (!enabled_ || interval_ == 0 || ComponentState().Contains(csLoading))
        return;
    TTimerClock* clock = TimerClock();
    clock->Start(this, interval_);
    clock_ = clock;
}

void TTimer::SetEnabled(bool Value)
{
    if (Value == enabled_)
        return;
    enabled_ = Value;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned Value)
{
    if (Value == interval_)
        return;
    interval_ = Value;
    UpdateTimer();
}

void TTimer::Timer()
{
    if (OnTimer)
        OnTimer(this);
}

}  // namespace cl
