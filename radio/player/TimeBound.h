#pragma once
// A bound on a stretch of waiting as a whole: however the bytes come, one at a time or faster
// than they are read, the stretch ends at it with its status. A bound may lie within a longer
// one (the session's wait for sound, say); it then ends with whichever ends first.
#include <windows.h>

#include <string>

namespace radio {

class TTimeBound {
public:
    TTimeBound(DWORD limitMs, std::string status, const TTimeBound* within = nullptr);

    DWORD LeftMs() const;
    // The status of the bound that ends first.
    const std::string& Status() const;
    // Throws EStreamPlayerError with that status once the bound has passed.
    void Check() const;

    // From now on, limitMs with this status.
    void Restart(DWORD limitMs, std::string status);
    void SetStatus(std::string status) { status_ = std::move(status); }

private:
    DWORD OwnLeftMs() const;

    DWORD start_;
    DWORD limitMs_;
    std::string status_;
    const TTimeBound* within_;
};

}  // namespace radio
