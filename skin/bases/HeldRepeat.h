#pragma once
// The repeat of a held arrow or button on its control's window timer: a longer first delay
// after the press, then a steady pace. The tick that ends the first delay sets the pace; whether
// it also steps is the control's choice.
#include "skin/bases/WindowTimer.h"

namespace sk {

class TskHeldRepeat {
public:
    TskHeldRepeat(cl::TWinControl* Control, UINT_PTR Id, UINT FirstDelay, UINT Pace)
        : timer_(Control, Id), firstDelay_(FirstDelay), pace_(Pace)
    {
    }

    bool Running() const { return timer_.Running(); }
    bool IsTick(const cl::TMessage& Message) const { return timer_.IsTick(Message); }
    // The first delay has not ended yet.
    bool AwaitingFirstTick() const { return awaitingFirst_; }

    // The press: the first delay starts.
    void Start()
    {
        awaitingFirst_ = true;
        timer_.Start(firstDelay_);
    }
    // Running again at Interval after a pause; a first delay not yet ended is still awaited.
    void Resume(UINT Interval) { timer_.Start(Interval); }
    // The timer stops; a first delay not yet ended is still awaited (a pause, or the window going).
    void Stop() { timer_.Stop(); }
    // The press is over.
    void End()
    {
        awaitingFirst_ = false;
        timer_.Stop();
    }
    // Takes a tick: true when it ended the first delay, and from then on the pace runs.
    bool EndFirstDelay()
    {
        if (!awaitingFirst_)
            return false;
        awaitingFirst_ = false;
        timer_.Start(pace_);
        return true;
    }

private:
    TskWindowTimer timer_;
    UINT firstDelay_;
    UINT pace_;
    bool awaitingFirst_ = false;
};

}  // namespace sk
