#include "skin/bases/ControlTimer.h"

namespace sk {

TskControlTimer::TskControlTimer(std::function<void()> OnTick) : onTick_(std::move(OnTick)) {}

TskControlTimer::~TskControlTimer() { *alive_ = false; }

void TskControlTimer::Start(unsigned Interval)
{
    Stop();
    auto timer = std::make_unique<cl::TTimer>(nullptr);
    timer->SetEnabled(false);
    timer->SetInterval(Interval);
    timer->OnTimer = [this](cl::TObject*) { Tick(); };
    timer->SetEnabled(true);
    timer_ = std::move(timer);
}

void TskControlTimer::Stop()
{
    if (!timer_)
        return;
    timer_->SetEnabled(false);
    if (ticking_)
        retired_ = std::move(timer_);
    else
        timer_.reset();
}

void TskControlTimer::Tick()
{
    const std::shared_ptr<bool> alive = alive_;
    ticking_ = true;
    try {
        onTick_();
    } catch (...) {
        if (*alive)
            ticking_ = false;
        throw;
    }
    if (!*alive)
        return;
    ticking_ = false;
    retired_.reset();
}

}  // namespace sk
