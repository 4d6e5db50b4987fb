#pragma once
// One station being played: a thread of its own that fetches, decodes and plays one address
// until it is told to stop. Destroying the session stops the thread and waits for it a
// moment; every wait of the thread watches the stop signal (a secure connection's too), so
// that is enough. A thread stuck in a system call that watches nothing (a name look-up) is
// left to end by itself: it owns everything it uses, so the main thread never hangs on it and
// nothing it holds outlives it. A thread that has a sound device, though, is waited for to its
// end: two stations must never sound at once, and such a thread only waits on what the stop
// signal ends.
#include <windows.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>

#include "radio/player/StopSignal.h"
#include "classlib/system/KernelHandles.h"
#include "classlib/system/SocketHandles.h"

namespace radio {

// What a session needs of its player; called on the session's thread. It may outlive the
// player, which then tells it to drop what it hears.
class TStreamSessionHost {
public:
    virtual ~TStreamSessionHost() = default;
    virtual void ReportStatus(const std::string& status) = 0;
    // 0 (silent) to 65536 (unchanged), read for every block of samples.
    virtual int Gain() const = 0;
};

class TStreamSession {
public:
    TStreamSession(std::string url, UINT waveDevice, std::shared_ptr<TStreamSessionHost> host);
    ~TStreamSession();
    TStreamSession(const TStreamSession&) = delete;
    TStreamSession& operator=(const TStreamSession&) = delete;

    // The longest wait for sound: from the start to the first sound, whatever comes between
    // (the connection, redirections, playlists, the server's header, the first frames); then
    // from each frame to the next.
    static DWORD AudioWaitMs;
    // Sessions whose thread has not ended yet, stopped ones included.
    static int RunningThreads() { return runningThreads_; }

    // What the thread owns, shared with the session until one of them ends.
    struct TState {
        TState(std::string url, UINT waveDevice, std::shared_ptr<TStreamSessionHost> host);
        // Before the thread opens a sound device: throws TStopRequested once the session is
        // stopped, so that a stopped session never starts to sound.
        void StartSound();
        // Whether the thread may hold a sound device; the session must then wait for its end.
        bool Sounding();

        std::string Url;
        UINT WaveDevice;
        std::shared_ptr<TStreamSessionHost> Host;
        TStopSignal Stop;

    private:
        std::mutex soundLock_;
        bool sounding_ = false;
    };

private:
    static DWORD WINAPI ThreadEntry(void* state);
    static std::atomic<int> runningThreads_;

    std::shared_ptr<TState> state_;
    cl::TOwnedHandle thread_;
};

}  // namespace radio
