#pragma once
// TThread (Delphi's): a thread created with kernel32 CreateThread on Windows (the exception
// logger hooks CreateThread/ResumeThread/ExitThread and must see these), std::thread natively.
//
//  - Execute() runs in the new thread inside a catch-all: an exception ends the thread, is kept
//    as FatalException() and is handed to ExceptionHooks().OnException (TCatchPoint::Thread).
//  - Then DoTerminate() runs OnTerminate through Synchronize (in the main thread), Finished()
//    becomes true and, with FreeOnTerminate, the thread object frees itself.
//  - Synchronize(method) runs method in the main thread (directly when called from it) and
//    waits; an exception of method is re-raised in the calling thread (after
//    ExceptionHooks().OnException with TCatchPoint::Synchronize).
//  - The main thread runs queued calls in CheckSynchronize(); the application calls it from its
//    loop and idle work, and WakeMainThread() tells it there is work (the application sets it to
//    post itself a message). WaitFor() from the main thread serves those calls while it waits.
//  - The destructor of a running thread: Terminate, start it if it never started, WaitFor.
//  - A thread created not suspended starts only once its whole object is built (the class
//    library's AfterConstruction): the base constructor runs before the derived class's members
//    and vtable exist, so Execute must not run from it. Make such threads with NewThread<T>,
//    which calls AfterConstruction; a plain `new T(false)` stays unstarted until Start().
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>

#include "classlib/classes/Classes.h"

namespace cl {

class TThread : public TObject {
public:
    explicit TThread(bool CreateSuspended);
    ~TThread() override;
    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;

    // Starts a thread created suspended (Delphi 7's Resume; Start in later versions). Once.
    void Start();
    // Called once the whole object is built: starts the thread unless it was created suspended.
    void AfterConstruction();
    void Resume() { Start(); }
    void Terminate() { terminated_ = true; }
    bool Terminated() const { return terminated_; }
    bool Suspended() const { return !started_; }
    bool Finished() const { return finished_; }
    // Waits for the end of the thread (serving synchronized calls when called from the main
    // thread); answers ReturnValue. Raises EThread when called from the thread itself.
    std::uint32_t WaitFor();

    bool FreeOnTerminate() const { return freeOnTerminate_; }
    void SetFreeOnTerminate(bool Value) { freeOnTerminate_ = Value; }
    std::uint32_t ThreadID() const { return threadId_; }
    // The kernel32 thread handle (Windows), nullptr natively.
    void* Handle() const { return handle_; }
    int ReturnValue() const { return returnValue_; }
    std::exception_ptr FatalException() const { return fatalException_; }

    TNotifyEvent OnTerminate;

    // Runs Method in the main thread and waits for it (see above). Thread may be nullptr.
    static void Synchronize(TThread* Thread, const std::function<void()>& Method);

protected:
    virtual void Execute() = 0;
    // Calls OnTerminate in the main thread (through Synchronize).
    virtual void DoTerminate();
    void Synchronize(const std::function<void()>& Method) { Synchronize(this, Method); }
    void SetReturnValue(int Value) { returnValue_ = Value; }

private:
    static int Run(TThread* self);  // the body; answers the exit code
#ifdef _WIN32
    static unsigned long __stdcall ThreadProc(void* parameter);
#endif

    bool createSuspended_ = true;
    std::atomic<bool> terminated_{false};
    std::atomic<bool> started_{false};
    std::atomic<bool> finished_{false};
    bool freeOnTerminate_ = false;
    int returnValue_ = 0;
    std::exception_ptr fatalException_;
    std::uint32_t threadId_ = 0;
    void* handle_ = nullptr;
#ifndef _WIN32
    std::thread thread_;
    std::mutex gateLock_;
    std::condition_variable gate_;
    bool open_ = false;
#endif
};

// Makes a thread of class T from Args and starts it once it is built, unless it was created
// suspended.
template <class T, class... TArgs>
T* NewThread(TArgs&&... Args)
{
    T* thread = new T(std::forward<TArgs>(Args)...);
    thread->AfterConstruction();
    return thread;
}

// Runs the queued synchronized calls (main thread only; elsewhere it does nothing). Waits up to
// Timeout ms for a call when none is queued. True when it ran at least one.
bool CheckSynchronize(int Timeout = 0);
// Called (from the queuing thread) whenever a synchronized call is queued. Empty by default.
extern std::function<void()> WakeMainThread;
// The thread that runs synchronized calls: the one that first used this unit (normally main());
// SetMainThread makes the calling thread the main thread.
bool IsMainThread();
void SetMainThread();

// Where the exception logger learns about the layer's threads (Decision 5/6: it records the
// creator's stack itself). Called in the creating thread / at the end of the thread's body.
struct TThreadHooks {
    void (*OnCreate)(TThread* Thread) = nullptr;
    void (*OnExit)(TThread* Thread) = nullptr;
};
TThreadHooks& ThreadHooks();

}  // namespace cl
