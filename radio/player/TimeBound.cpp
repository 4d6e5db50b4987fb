#include "radio/player/TimeBound.h"

#include <algorithm>

#include "radio/player/Errors.h"

namespace radio {

TTimeBound::TTimeBound(DWORD limitMs, std::string status, const TTimeBound* within)
    : start_(GetTickCount()), limitMs_(limitMs), status_(std::move(status)), within_(within)
{
}

DWORD TTimeBound::OwnLeftMs() const
{
    const DWORD spent = GetTickCount() - start_;
    return spent >= limitMs_ ? 0 : limitMs_ - spent;
}

DWORD TTimeBound::LeftMs() const
{
    return within_ ? std::min(OwnLeftMs(), within_->LeftMs()) : OwnLeftMs();
}

const std::string& TTimeBound::Status() const
{
    if (within_ && within_->LeftMs() < OwnLeftMs())
        return within_->Status();
    return status_;
}

void TTimeBound::Check() const
{
    if (LeftMs() == 0)
        throw EStreamPlayerError(Status());
}

void TTimeBound::Restart(DWORD limitMs, std::string status)
{
    start_ = GetTickCount();
    limitMs_ = limitMs;
    status_ = std::move(status);
}

}  // namespace radio
