#pragma once
// One station being played: a thread of its own that fetches, decodes and plays one address
// until it is told to stop. Destroying the session stops the thread and waits for it; every
// wait of the thread watches the stop event, so that takes a moment only.
#include <windows.h>

#include <string>

#include "radio/StreamPlayerHandles.h"

namespace radio {

// What the session needs of its player; called on the session's thread.
class TStreamSessionHost {
public:
    virtual void ReportStatus(const std::string& status) = 0;
    // 0 (silent) to 65536 (unchanged), read for every block of samples.
    virtual int Gain() const = 0;

protected:
    ~TStreamSessionHost() = default;
};

class TStreamSession {
public:
    TStreamSession(std::string url, UINT waveDevice, TStreamSessionHost& host);
    ~TStreamSession();
    TStreamSession(const TStreamSession&) = delete;
    TStreamSession& operator=(const TStreamSession&) = delete;

private:
    static DWORD WINAPI ThreadEntry(void* session);
    void Run() noexcept;
    void Play();
    void Report(const std::string& status);

    std::string url_;
    UINT waveDevice_;
    TStreamSessionHost& host_;
    TUniqueHandle stopEvent_;
    TUniqueHandle thread_;
};

}  // namespace radio
