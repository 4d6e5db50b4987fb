#include "crashlog/EFreeze.h"

#include "classlib/system/KernelHandles.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <vector>

#include "crashlog/EExceptInfo.h"
#include "crashlog/EStack.h"
#include "crashlog/ESysInfo.h"
#include "crashlog/EThreads.h"
#include "crashlog/ETrace.h"
#include "crashlog/ExceptionLog.h"

namespace crashlog {

namespace {

constexpr DWORD PollInterval = 50;
// How long stopping the watcher waits for it to end.
constexpr DWORD FreezeStopBound = 5000;
constexpr int AnsweredPauses = 5;
// The most of the frozen thread's stack that is copied for its walk.
constexpr std::uint32_t MaxFrozenStackCopy = 256 * 1024;

struct TFreezeThread {
    volatile LONG Terminated = 0;
    DWORD Id = 0;
    cl::TOwnedHandle Thread;
    cl::TOwnedHandle MainThread;  // suspend, resume and context rights
    std::uint32_t MainStackTop = 0;
    // Allocated before any hang: a frozen thread may hold the heap's lock.
    std::vector<std::uint8_t> StackCopy;
};

// Shut-down stops the thread after the program's static objects are gone: this state is never
// destroyed.
struct TFreezeState {
    std::mutex Lock;
    std::shared_ptr<TFreezeThread> Running;
};

TFreezeState& Freeze()
{
    static auto* state = new TFreezeState;
    return *state;
}

bool Terminated(const TFreezeThread& self)
{
    return self.Terminated != 0;
}

bool Responds(HWND window)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_BLOCK, PollInterval, &result) != 0 || !IsWindow(window);
}

// Stops the main thread only while its registers and stack words are copied: the report itself
// runs while the thread goes on, so a lock it holds (heap, loader, drawing) cannot block it.
void ReportFreeze(TFreezeThread& self)
{
    CONTEXT context{};
    context.ContextFlags = CONTEXT_CONTROL | CONTEXT_INTEGER | CONTEXT_SEGMENTS;
    SIZE_T copied = 0;
    if (SuspendThread(self.MainThread.get()) == static_cast<DWORD>(-1))
        return;
    const bool read = GetThreadContext(self.MainThread.get(), &context) != 0;
    if (read && context.Esp && context.Esp < self.MainStackTop) {
        const std::uint32_t size = std::min<std::uint32_t>(self.MainStackTop - context.Esp, MaxFrozenStackCopy);
        if (!ReadProcessMemory(GetCurrentProcess(), reinterpret_cast<const void*>(context.Esp), self.StackCopy.data(),
                               size, &copied))
            copied = 0;
    }
    ResumeThread(self.MainThread.get());
    if (!read || !context.Eip || !context.Esp)
        return;
    BeginReport();
    // Another report (an open dialog) may hold the flag for as long as nobody answers it: the
    // watcher stops waiting for it once it is told to stop.
    if (!EnterProcessing(&self.Terminated)) {
        EndReport();
        return;
    }
    try {
        TExceptionContext report;
        report.Object = std::make_exception_ptr(EFrozenApplication(CurrentOptions().FreezeMessage));
        report.Description = DescribeException(report.Object);
        report.Address = context.Eip;
        report.Language = false;
        report.StackPointer = context.Esp;
        report.StackTop = context.Esp + (static_cast<std::uint32_t>(copied) & ~3u);
        report.StackCopy = copied ? self.StackCopy.data() : nullptr;
        if (!copied)
            report.StackTop = context.Esp;
        ExceptNotify(report);
    } catch (...) {
        InternalError("TFreezeThread.Execute");
    }
    LeaveProcessing();
    EndReport();
}

void Watch(TFreezeThread& self)
{
    HWND window = nullptr;
    while (!Terminated(self)) {
        if (!window || !IsWindow(window)) {
            // The main window is the first visible one; a closed one ends its count.
            window = FindProcessMainWindow(GetCurrentProcessId());
            if (!window) {
                Sleep(PollInterval);
                continue;
            }
        }
        const std::int32_t timeout = CurrentOptions().FreezeTimeout;
        // A time-out of zero or less would report every poll: detection is off then.
        if (timeout <= 0) {
            Sleep(PollInterval);
            continue;
        }
        const std::int64_t limit = static_cast<std::int64_t>(timeout) * 1000;
        std::int64_t counter = 0;
        while (!Terminated(self) && counter < limit && IsWindow(window)) {
            if (Responds(window)) {
                for (int i = 0; i < AnsweredPauses && !Terminated(self); ++i)
                    Sleep(PollInterval);
                counter = 0;
            } else {
                counter += PollInterval;
            }
        }
        if (!Terminated(self) && counter >= limit)
            ReportFreeze(self);
    }
}

DWORD WINAPI FreezeThreadProc(void* parameter)
{
    // The thread keeps its own share: a stop that does not wait leaves the object to it.
    std::unique_ptr<std::shared_ptr<TFreezeThread>> self(static_cast<std::shared_ptr<TFreezeThread>*>(parameter));
    try {
        Watch(**self);
    } catch (...) {
        InternalError("TFreezeThread.Execute");
    }
    return 0;
}

}  // namespace

void StartFreezeThread()
{
    TTraceScope trace("StartFreezeThread");
    const TVozozoModuleOptionsEx& options = CurrentOptions();
    if (!ExceptionLogActive() || !options.Active || !options.FreezeActivate)
        return;
    // A library has no main window of its own to watch, nor a main thread (MainThreadId is 0
    // there): nothing starts.
    if (MainThreadId() == 0)
        return;
    std::lock_guard<std::mutex> guard(Freeze().Lock);
    if (Freeze().Running)
        return;
    auto thread = std::make_shared<TFreezeThread>();
    thread->MainThread.reset(
        OpenThread(THREAD_SUSPEND_RESUME | THREAD_GET_CONTEXT | THREAD_QUERY_INFORMATION, FALSE, MainThreadId()));
    thread->MainStackTop = MainStackTop();
    thread->StackCopy.resize(MaxFrozenStackCopy);
    if (!thread->MainThread.get())
        return;
    auto* share = new std::shared_ptr<TFreezeThread>(thread);
    thread->Thread.reset(CreateThreadDirect(nullptr, 0, FreezeThreadProc, share, CREATE_SUSPENDED, &thread->Id));
    if (!thread->Thread.get()) {
        delete share;
        return;
    }
    SetThreadPriority(thread->Thread.get(), THREAD_PRIORITY_NORMAL);
    Freeze().Running = thread;
    ResumeThread(thread->Thread.get());
}

void StopFreezeThread()
{
    TTraceScope trace("StopFreezeThread");
    std::shared_ptr<TFreezeThread> thread;
    {
        std::lock_guard<std::mutex> guard(Freeze().Lock);
        thread.swap(Freeze().Running);
    }
    if (!thread)
        return;
    InterlockedExchange(&thread->Terminated, 1);
    // The freeze thread may be waiting for the processing flag that this thread holds, or be
    // this thread: it is not waited for then.
    if (GetCurrentThreadId() == thread->Id || IsProcessingThread())
        return;
    // It ends at its next poll, or gives up waiting for the flag. At the bound (a report of its
    // own under way, with a dialog nobody answers) it is left to end by itself: it holds its own
    // share of what it uses.
    WaitForSingleObject(thread->Thread.get(), FreezeStopBound);
}

void ApplyFreezeSwitch(bool run)
{
    if (run)
        StartFreezeThread();
    else
        StopFreezeThread();
}

}  // namespace crashlog
