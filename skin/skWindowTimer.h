#pragma once
// A control's window timer: WM_TIMER with the control's own id, the message that both the
// platform and the tests deliver for a repeat. It runs only while the control has a window.
#include <windows.h>

#include "classlib/Controls.h"

namespace sk {

class TskWindowTimer {
public:
    TskWindowTimer(cl::TWinControl* Control, UINT_PTR Id) : control_(Control), id_(Id) {}
    TskWindowTimer(const TskWindowTimer&) = delete;
    TskWindowTimer& operator=(const TskWindowTimer&) = delete;

    UINT_PTR Id() const { return id_; }
    bool Running() const { return running_; }
    // (Re)starts at Interval; nothing while the control has no window.
    void Start(UINT Interval)
    {
        if (!control_->HandleAllocated())
            return;
        SetTimer(control_->Handle(), id_, Interval, nullptr);
        running_ = true;
    }
    void Stop()
    {
        if (running_ && control_->HandleAllocated())
            KillTimer(control_->Handle(), id_);
        running_ = false;
    }
    // A tick of this timer while it runs (a late tick after Stop is not).
    bool IsTick(const cl::TMessage& Message) const
    {
        return running_ && Message.Msg == WM_TIMER && Message.WParam == id_;
    }

private:
    cl::TWinControl* control_;
    UINT_PTR id_;
    bool running_ = false;
};

}  // namespace sk
