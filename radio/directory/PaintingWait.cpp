#include "radio/directory/PaintingWait.h"

#include <windows.h>

#include <exception>
#include <memory>

#include "classlib/classes/Threads.h"
#include "radio/forms/BusyCursor.h"

namespace radio {

namespace {

// The thread catches all of the work's failures itself: they belong to the caller, who gets
// them raised again, not to the exception logger's report of a failed thread.
class TPaintingWaitThread : public cl::TThread {
public:
    explicit TPaintingWaitThread(const std::function<void()>& Work) : TThread(false), work_(Work) {}
    std::exception_ptr Failure() const { return failure_; }

protected:
    void Execute() override
    {
        try {
            work_();
        } catch (...) {
            failure_ = std::current_exception();
        }
    }

private:
    const std::function<void()>& work_;
    std::exception_ptr failure_;
};

bool Ended(HANDLE thread)
{
    return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0;
}

// A window whose paint handler leaves its update region valid would be offered again at once:
// the work's end is checked after every message, so such a window cannot hold the caller.
void PaintPendingWindows(HANDLE thread)
{
    MSG message;
    while (!Ended(thread) && PeekMessageA(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
        DispatchMessageA(&message);
}

}  // namespace

void RunWhilePainting(const std::function<void()>& Work)
{
    TBusyCursor busy;
    std::unique_ptr<TPaintingWaitThread> thread(cl::NewThread<TPaintingWaitThread>(Work));
    HANDLE handle = static_cast<HANDLE>(thread->Handle());
    for (;;) {
        PaintPendingWindows(handle);
        // Wakes for the work's end, a new paint request or a message sent from another thread
        // (the next look at the queue answers that one); posted messages and input stay queued.
        const DWORD woken = MsgWaitForMultipleObjects(1, &handle, FALSE, INFINITE, QS_PAINT | QS_SENDMESSAGE);
        if (woken == WAIT_OBJECT_0 || woken == WAIT_FAILED)
            break;
    }
    thread->WaitFor();
    if (thread->Failure())
        std::rethrow_exception(thread->Failure());
}

}  // namespace radio
