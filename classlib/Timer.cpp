// TTimer and the platform's clock: one hidden message window whose timer ids are the timers.
#include <windows.h>

#include "classlib/Controls.h"
#include "classlib/ExtCtrls.h"

namespace cl {

namespace {
constexpr char TimerWindowClass[] = "TrebanixTimerWindow";

LRESULT CALLBACK TimerWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);

class TSystemTimerClock : public TTimerClock {
public:
    void Start(TTimer* Timer, unsigned Interval) override
    {
        if (!SetTimer(Window(), reinterpret_cast<UINT_PTR>(Timer), Interval, nullptr))
            throw EOutOfResources("Not enough timers available");
    }
    void Stop(TTimer* Timer) override
    {
        if (wnd_)
            KillTimer(wnd_, reinterpret_cast<UINT_PTR>(Timer));
    }
    void Tick(UINT_PTR Id) { Fire(reinterpret_cast<TTimer*>(Id)); }

private:
    HWND Window()
    {
        if (!wnd_) {
            HINSTANCE instance = GetModuleHandleA(nullptr);
            WNDCLASSA existing{};
            if (!GetClassInfoA(instance, TimerWindowClass, &existing)) {
                WNDCLASSA cls{};
                cls.lpfnWndProc = TimerWndProc;
                cls.hInstance = instance;
                cls.lpszClassName = TimerWindowClass;
                RegisterClassA(&cls);
            }
            wnd_ = CreateWindowExA(0, TimerWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
            if (!wnd_)
                throw EOutOfResources("Not enough timers available");
        }
        return wnd_;
    }
    HWND wnd_ = nullptr;
};

TSystemTimerClock& SystemClock()
{
    static TSystemTimerClock clock;
    return clock;
}

TTimerClock* currentClock = nullptr;

LRESULT CALLBACK TimerWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    if (Msg == WM_TIMER) {
        SystemClock().Tick(WParam);
        return 0;
    }
    return DefWindowProcA(Wnd, Msg, WParam, LParam);
}
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
