#pragma once
// A control's timer that exists only while it runs: created when started, freed when stopped.
// Its handler may stop or restart it, and may free the control that owns it.
#include <functional>
#include <memory>

#include "classlib/controls/ExtCtrls.h"

namespace sk {

class TskControlTimer {
public:
    explicit TskControlTimer(std::function<void()> OnTick);
    ~TskControlTimer();
    TskControlTimer(const TskControlTimer&) = delete;
    TskControlTimer& operator=(const TskControlTimer&) = delete;

    // (Re)starts with the interval; the first tick comes one interval from now.
    void Start(unsigned Interval);
    void Stop();
    bool Running() const { return timer_ != nullptr; }

private:
    void Tick();

    std::function<void()> onTick_;
    std::unique_ptr<cl::TTimer> timer_;
    // A timer stopped by its own handler is freed once the handler has returned.
    std::unique_ptr<cl::TTimer> retired_;
    bool ticking_ = false;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace sk
