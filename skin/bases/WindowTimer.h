#pragma once
// A control's window timer: WM_TIMER with the control's own id, the message that both the
// clock and the tests deliver for a repeat. It keeps time on the class library's timer clock
// (cl::SetTimerClock), so a test clock sets its first delay and its pace. It runs only while
// the control has a window.
#include <windows.h>

#include "classlib/controls/Controls.h"
#include "skin/bases/ControlTimer.h"

namespace sk {

class TskWindowTimer {
public:
    TskWindowTimer(cl::TWinControl* Control, UINT_PTR Id)
        : control_(Control), id_(Id), timer_([this] { Tick(); })
    {
    }
    TskWindowTimer(const TskWindowTimer&) = delete;
    TskWindowTimer& operator=(const TskWindowTimer&) = delete;

    UINT_PTR Id() const { return id_; }
    bool Running() const { return timer_.Running(); }
    // (Re)starts at Interval: the next tick comes one interval from now. Nothing while the
    // control has no window.
    void Start(UINT Interval)
    {
        if (control_->HandleAllocated())
            timer_.Start(Interval);
    }
    void Stop() { timer_.Stop(); }
    // A tick of this timer while it runs (a late tick after Stop is not).
    bool IsTick(const cl::TMessage& Message) const
    {
        return Running() && Message.Msg == WM_TIMER && Message.WParam == id_;
    }

private:
    // The window's handler may stop the timer or free the control; a window gone stops it.
    void Tick()
    {
        if (control_->HandleAllocated())
            SendMessageA(control_->Handle(), WM_TIMER, id_, 0);
        else
            timer_.Stop();
    }

    cl::TWinControl* control_;
    UINT_PTR id_;
    TskControlTimer timer_;
};

}  // namespace sk
