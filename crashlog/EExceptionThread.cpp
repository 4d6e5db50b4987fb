// The exception thread: the report of a thread that must not make it itself, made while that
// thread waits, keeps its windows drawn and runs the calls parked for it.
#include "crashlog/ExceptionLog.h"

#include <mutex>

#include <pthread.h>

#include "classlib/system/KernelHandles.h"
#include "crashlog/ELoggerState.h"
#include "crashlog/EThreads.h"

namespace crashlog {

namespace {

// What the report needs of the threading runtime (this thread's own data, a lock), tried before
// an exception thread takes the report on: a faulting thread that holds the runtime's lock
// itself (a thread-local destructor at its thread's end) keeps the exception thread here, and
// then makes the report itself.
void ProbeThreadingRuntime()
{
    // The runtime makes its record of a thread that it did not start at the thread's first call.
    pthread_self();
    std::lock_guard<std::mutex> guard(State().MainCallLock);
}

// The exception thread: does the work of an exception of the main thread (or of a thread
// without stack left) while that thread waits.
// The faulting thread waits this long for the exception thread to start; one that cannot start
// (it waits for a lock the faulting thread holds) leaves the report to the faulting thread.
constexpr DWORD ExceptionThreadStartBound = 10000;
// An exception thread that has used no processor time for this long before it takes the report
// on waits for a lock that the faulting thread holds: the faulting thread makes the report.
constexpr DWORD ExceptionThreadStallBound = 2000;
// Once it has taken the report on, the exception thread does its part outside the program's own
// code (hooks, dialog, mail) within this bound, or it is stopped and the faulting thread makes
// the report.
constexpr DWORD ExceptionThreadWorkBound = 60000;

}  // namespace

struct TExceptionThread {
    TExceptionContext* Context;
    volatile LONG Running = 1;
    bool Result = false;
    DWORD FaultingThread;
    // 1: the exception thread makes the report; 2: the faulting thread took it back.
    volatile LONG Claim = 0;

    static DWORD WINAPI Execute(void* parameter)
    {
        auto* self = static_cast<TExceptionThread*>(parameter);
        ProbeThreadingRuntime();
        if (InterlockedCompareExchange(&self->Claim, 1, 0) != 0)
            return 0;  // too late: the report is made without this thread, whose data is gone
        try {
            SetFaultingThread(self->FaultingThread);
            self->Result = InternalExceptNotify(*self->Context);
        } catch (...) {
            InternalError("TExceptionThread.Execute");
        }
        InterlockedExchange(&self->Running, 0);
        return 0;
    }
};

namespace {

// Watches the exception thread: Stuck when it has used no processor time for the stall bound,
// WorkBoundPassed when it has spent the work bound outside the program's own code.
class TStallWatch {
public:
    explicit TStallWatch(HANDLE thread) : thread_(thread), since_(GetTickCount()), used_(UsedTime()) {}

    bool Stuck()
    {
        const DWORD now = GetTickCount();
        if (State().ProgramCalls != 0) {
            since_ = now;
            working_ = 0;
            return false;
        }
        working_ += now - last_;
        last_ = now;
        const ULONGLONG used = UsedTime();
        if (used != used_ || used == NoTime) {
            used_ = used;
            since_ = now;
        }
        return used != NoTime && now - since_ >= ExceptionThreadStallBound;
    }

    bool WorkBoundPassed() const { return working_ >= ExceptionThreadWorkBound; }

private:
    static constexpr ULONGLONG NoTime = ~0ull;

    ULONGLONG UsedTime() const
    {
        FILETIME created, exited, kernel, user;
        if (!GetThreadTimes(thread_, &created, &exited, &kernel, &user))
            return NoTime;
        return (ULARGE_INTEGER{{kernel.dwLowDateTime, kernel.dwHighDateTime}}.QuadPart) +
               (ULARGE_INTEGER{{user.dwLowDateTime, user.dwHighDateTime}}.QuadPart);
    }

    HANDLE thread_;
    DWORD since_;
    DWORD last_ = GetTickCount();
    DWORD working_ = 0;
    ULONGLONG used_;
};

// Paint messages only: the windows stay drawn, but take no input while the report is made.
void PumpPaintMessages(bool& quitSeen, WPARAM& quitCode)
{
    MSG msg;
    for (int i = 0; i < 11 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
        switch (msg.message) {
        case WM_PAINT:
            TranslateMessage(&msg);
            InterlockedExchange(&State().PaintingThread, static_cast<LONG>(GetCurrentThreadId()));
            DispatchMessageA(&msg);
            InterlockedExchange(&State().PaintingThread, 0);
            break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_CHAR:
            MessageBeep(0);
            break;
        case WM_QUIT:
            quitSeen = true;
            quitCode = msg.wParam;
            break;
        default:
            break;
        }
    }
}

void RunParkedCall()
{
    TLoggerState& s = State();
    void (*call)(void*);
    void* data;
    {
        std::lock_guard<std::mutex> guard(s.MainCallLock);
        call = s.MainCall;
        data = s.MainCallData;
    }
    if (!call)
        return;
    try {
        call(data);
    } catch (...) {
        InternalError("CallInMainThread");
    }
    std::lock_guard<std::mutex> guard(s.MainCallLock);
    s.MainCall = nullptr;
    s.MainCallData = nullptr;
}

// Waits for the exception thread to make the report, keeping this thread's windows drawn and its
// parked calls served. True when the thread is given up: it never started, or it stalls while
// the report is not saved.
bool WaitForExceptionThread(TExceptionThread* work, HANDLE thread, bool pump, bool parkCalls, bool& quitSeen,
                            WPARAM& quitCode)
{
    TLoggerState& s = State();
    const DWORD started = GetTickCount();
    TStallWatch watch(thread);
    while (work->Running) {
        if (pump)
            PumpPaintMessages(quitSeen, quitCode);
        if (parkCalls)
            RunParkedCall();
        // Also ends when the thread died without clearing its flag.
        if (WaitForSingleObject(thread, 10) == WAIT_OBJECT_0)
            return false;
        const bool stuck = watch.Stuck();
        if (work->Claim == 0 && (stuck || GetTickCount() - started >= ExceptionThreadStartBound) &&
            InterlockedCompareExchange(&work->Claim, 2, 0) == 0)
            return true;
        if (work->Claim == 1 && !s.LogSaved && watch.WorkBoundPassed() && work->Running &&
            SuspendThread(thread) != static_cast<DWORD>(-1)) {
            // Stopped where it waits, so that the report is made once; it never goes on.
            if (work->Running)
                return true;
            ResumeThread(thread);
        }
    }
    return false;
}

}  // namespace

void CallInMainThread(void (*procedure)(void*), void* data)
{
    TLoggerState& s = State();
    const LONG waiting = s.MainCallThread;
    if (s.ExceptionThread != 0 && waiting != 0 && static_cast<LONG>(GetCurrentThreadId()) != waiting) {
        {
            std::lock_guard<std::mutex> guard(s.MainCallLock);
            s.MainCallData = data;
            s.MainCall = procedure;
        }
        for (;;) {
            Sleep(10);
            std::lock_guard<std::mutex> guard(s.MainCallLock);
            if (s.MainCall == nullptr)
                return;
            // The main thread no longer runs parked calls (it gave the report up): the call is
            // taken back and made here rather than waited for without end.
            if (s.MainCallThread != waiting) {
                s.MainCall = nullptr;
                break;
            }
        }
    }
    procedure(data);
}

bool NotifyOnExceptionThread(TExceptionContext& context, DWORD me)
{
    TLoggerState& s = State();
    // Shared with the thread, which may start after this function has given it up.
    auto* work = new TExceptionThread{&context, 1, false, me};
    DWORD id = 0;
    const cl::TOwnedHandle thread(CreateThreadDirect(nullptr, 0, &TExceptionThread::Execute, work, 0, &id));
    if (!thread) {
        delete work;
        InternalError("ExceptNotify");
        return InternalExceptNotify(context);
    }
    const bool pump = me == s.MainThread && !context.LowStack && !context.CalledBack;
    // Inside the system's exception dispatch a fault of a parked call could not be caught:
    // the calls then run on the exception thread, where a fault is an exception of its own.
    const bool parkCalls = pump && !context.InDispatch;
    InterlockedExchange(&s.MainCallThread, parkCalls ? static_cast<LONG>(me) : 0);
    InterlockedExchange(&s.ExceptionThread, static_cast<LONG>(id));
    bool quitSeen = false;
    WPARAM quitCode = 0;
    s.WaitedThread = thread.get();
    s.Waited = work;
    const bool abandoned = WaitForExceptionThread(work, thread.get(), pump, parkCalls, quitSeen, quitCode);
    s.Waited = nullptr;
    InterlockedExchange(&s.ExceptionThread, 0);
    InterlockedExchange(&s.MainCallThread, 0);
    bool result = false;
    if (abandoned) {
        // A thread that never started finds the report taken when it does; its record stays
        // allocated, a few bytes against a lost report. What held it up is held by this
        // thread, and may never be given back: the process ends after the report.
        InterlockedExchange(&s.ProcessMustEnd, 1);
        InternalError("ExceptNotify");
        result = InternalExceptNotify(context);
    } else {
        // The thread touches its record no more once it has cleared its flag: its own end
        // (which the threading runtime may hold up) is not waited for.
        result = work->Result;
        delete work;
    }
    if (quitSeen)
        PostQuitMessage(static_cast<int>(quitCode));
    return result;
}

bool PaintsForExceptionThread()
{
    return State().PaintingThread == static_cast<LONG>(GetCurrentThreadId());
}

void ReportAfterExceptionThread(TExceptionContext& context)
{
    TLoggerState& s = State();
    // This thread runs the exception thread's calls no more: it makes them itself.
    InterlockedExchange(&s.MainCallThread, 0);
    InterlockedExchange(&s.PaintingThread, 0);
    // Not drawn meanwhile: the window that failed would fail again.
    if (TExceptionThread* work = s.Waited)
        while (work->Running && WaitForSingleObject(s.WaitedThread, 10) != WAIT_OBJECT_0) {
        }
    s.Waited = nullptr;
    InterlockedExchange(&s.ExceptionThread, 0);
    StartReport(s);
    context.CalledBack = true;
    ExceptNotify(context);
}

}  // namespace crashlog
