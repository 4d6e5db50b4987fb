#include "classlib/classes/Threads.h"

#include <chrono>
#include <deque>

#include "classlib/system/ExceptionHooks.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace cl {

std::function<void()> WakeMainThread;

namespace {

std::thread::id& MainThreadId()
{
    static std::thread::id id = std::this_thread::get_id();
    return id;
}
// Captured during static initialisation, i.e. in the main thread.
const bool kMainThreadCaptured = (MainThreadId(), true);

// One queued synchronized call; the caller waits on Done.
struct TSyncCall {
    const std::function<void()>* Method = nullptr;
    std::exception_ptr Error;
    bool Done = false;
};

struct TSyncQueue {
    std::mutex Lock;
    std::condition_variable Queued;  // a call was queued (for CheckSynchronize's wait)
    std::condition_variable Finished;  // a call was run (for the callers)
    std::deque<TSyncCall*> Calls;
};

TSyncQueue& SyncQueue()
{
    static TSyncQueue queue;
    return queue;
}

}  // namespace

TThreadHooks& ThreadHooks()
{
    static TThreadHooks hooks;
    return hooks;
}

bool IsMainThread()
{
    (void)kMainThreadCaptured;
    return std::this_thread::get_id() == MainThreadId();
}

void SetMainThread()
{
    MainThreadId() = std::this_thread::get_id();
}

bool CheckSynchronize(int Timeout)
{
    if (!IsMainThread())
        return false;
    TSyncQueue& q = SyncQueue();
    std::deque<TSyncCall*> calls;
    {
        std::unique_lock<std::mutex> lock(q.Lock);
        if (q.Calls.empty() && Timeout > 0)
            q.Queued.wait_for(lock, std::chrono::milliseconds(Timeout), [&] { return !q.Calls.empty(); });
        calls.swap(q.Calls);
    }
    for (TSyncCall* call : calls) {
        std::exception_ptr error;
        try {
            (*call->Method)();
        } catch (...) {
            error = std::current_exception();
        }
        std::lock_guard<std::mutex> lock(q.Lock);
        call->Error = error;
        call->Done = true;
    }
    if (!calls.empty())
        q.Finished.notify_all();
    return !calls.empty();
}

void TThread::Synchronize(TThread* Thread, const std::function<void()>& Method)
{
    if (IsMainThread()) {
        Method();
        return;
    }
    TSyncQueue& q = SyncQueue();
    TSyncCall call;
    call.Method = &Method;
    {
        std::lock_guard<std::mutex> lock(q.Lock);
        q.Calls.push_back(&call);
    }
    q.Queued.notify_all();
    if (WakeMainThread)
        WakeMainThread();
    {
        std::unique_lock<std::mutex> lock(q.Lock);
        q.Finished.wait(lock, [&] { return call.Done; });
    }
    if (call.Error) {
        if (auto hook = ExceptionHooks().OnException)
            hook(call.Error, Thread, TCatchPoint::Synchronize);
        std::rethrow_exception(call.Error);
    }
}

TThread::TThread(bool CreateSuspended) : createSuspended_(CreateSuspended)
{
    if (auto hook = ThreadHooks().OnCreate)
        hook(this);
#ifdef _WIN32
    DWORD id = 0;
    HANDLE h = ::CreateThread(nullptr, 0, &TThread::ThreadProc, this, CREATE_SUSPENDED, &id);
    if (!h)
        throw EThread(Format(consts::SThreadCreateError, SysErrorMessage(GetLastError())));
    handle_ = h;
    threadId_ = id;
#else
    try {
        thread_ = std::thread([this] {
            {
                std::unique_lock<std::mutex> lock(gateLock_);
                gate_.wait(lock, [this] { return open_; });
            }
            Run(this);
        });
    } catch (const std::exception& e) {
        throw EThread(Format(consts::SThreadCreateError, e.what()));
    }
    threadId_ = std::uint32_t(std::hash<std::thread::id>()(thread_.get_id()));
#endif
}

void TThread::AfterConstruction()
{
    if (!createSuspended_)
        Start();
}

TThread::~TThread()
{
    if (started_ || threadId_) {
        if (!finished_) {
            Terminate();
            if (!started_)
                Start();
            WaitFor();
        }
    }
#ifdef _WIN32
    if (handle_)
        CloseHandle(static_cast<HANDLE>(handle_));
#else
    if (thread_.joinable()) {
        if (thread_.get_id() == std::this_thread::get_id())
            thread_.detach();  // FreeOnTerminate: the thread frees itself
        else
            thread_.join();
    }
#endif
}

void TThread::Start()
{
    bool expected = false;
    if (!started_.compare_exchange_strong(expected, true))
        return;
#ifdef _WIN32
    ::ResumeThread(static_cast<HANDLE>(handle_));
#else
    {
        std::lock_guard<std::mutex> lock(gateLock_);
        open_ = true;
    }
    gate_.notify_all();
#endif
}

std::uint32_t TThread::WaitFor()
{
#ifdef _WIN32
    if (GetCurrentThreadId() == threadId_)
        throw EThread(consts::SThreadWaitSelf);
#else
    if (thread_.get_id() == std::this_thread::get_id())
        throw EThread(consts::SThreadWaitSelf);
#endif
    if (!started_)
        throw EThread(consts::SThreadNotStarted);
    if (IsMainThread()) {
        // Serve synchronized calls while the thread finishes (it may be waiting on one).
        while (!finished_)
            CheckSynchronize(10);
    }
#ifdef _WIN32
    WaitForSingleObject(static_cast<HANDLE>(handle_), INFINITE);
#else
    if (thread_.joinable())
        thread_.join();
#endif
    return std::uint32_t(returnValue_);
}

void TThread::DoTerminate()
{
    if (OnTerminate)
        Synchronize([this] { OnTerminate(this); });
}

int TThread::Run(TThread* self)
{
    try {
        if (!self->terminated_)
            self->Execute();
    } catch (...) {
        self->fatalException_ = std::current_exception();
        if (auto hook = ExceptionHooks().OnException) {
            try {
                hook(self->fatalException_, self, TCatchPoint::Thread);
            } catch (...) {
            }
        }
    }
    bool freeThread = self->freeOnTerminate_;
    try {
        self->DoTerminate();
    } catch (...) {
        if (!self->fatalException_)
            self->fatalException_ = std::current_exception();
    }
    if (auto hook = ThreadHooks().OnExit)
        hook(self);
    int result = self->returnValue_;
    self->finished_ = true;  // from here on, self may be gone unless we free it
    if (freeThread)
        delete self;
    return result;
}

#ifdef _WIN32
unsigned long __stdcall TThread::ThreadProc(void* parameter)
{
    return static_cast<unsigned long>(Run(static_cast<TThread*>(parameter)));
}
#endif

}  // namespace cl
