#include "radio/forms/RzLauncher.h"

#include <shellapi.h>

#include "classlib/controls/Forms.h"
#include "classlib/system/LibraryProc.h"

namespace {

// The background wait looks at the process, and at the launcher's stop, this often.
constexpr DWORD kBackgroundStepMs = 100;
// How often Launch looks whether the background thread has started the process.
constexpr DWORD kStartPollMs = 10;

// Timeout as the wait functions take it: -1 becomes INFINITE.
DWORD Limit(int timeout)
{
    return static_cast<DWORD>(timeout);
}

}  // namespace

TRzLaunchThread::TRzLaunchThread(TRzLauncher* launcher) : cl::TThread(true), launcher_(launcher) {}

void TRzLaunchThread::Execute()
{
    launcher_->StartAndWait(true);
}

TRzLauncher::TRzLauncher(cl::TComponent* AOwner)
    : cl::TComponent(AOwner), stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr))
{
}

TRzLauncher::~TRzLauncher()
{
    destroying_ = true;
    if (stop_)
        SetEvent(stop_.get());
    EndBackgroundThread();
}

int TRzLauncher::ShowCommand(TShowMode Mode)
{
    switch (Mode) {
    case smMaximized: return SW_SHOWMAXIMIZED;  // 3
    case smMinimized: return SW_SHOWMINIMIZED;  // 2
    case smHide: return SW_HIDE;                // 0
    case smNormal: break;
    }
    return SW_SHOWNORMAL;  // 1
}

void TRzLauncher::EndBackgroundThread()
{
    if (!thread_)
        return;
    // From the main thread this serves the thread's synchronized calls until it has ended, so
    // a thread waiting on one cannot hold us up, nor outlive the launcher.
    thread_->Terminate();
    thread_->WaitFor();
    thread_.reset();
}

void TRzLauncher::Launch()
{
    if (running_ || fileName_.empty())
        return;
    if (waitUntilFinished_) {
        StartAndWait(false);
        return;
    }
    EndBackgroundThread();  // the previous launch's, which has ended
    attempted_ = false;
    // Started once the launcher holds it: the thread's events ask whether they run on it.
    thread_ = std::make_unique<TRzLaunchThread>(this);
    thread_->Start();
    // Until the process runs or its start failed. A thread that already ended (a process
    // quicker than the first look) ends the wait too.
    while (!attempted_ && !thread_->Finished())
        Sleep(kStartPollMs);
}

int TRzLauncher::LaunchNoWait()
{
    if (running_ || fileName_.empty())
        return 0;
    if (!Start())
        return static_cast<int>(errorCode_);
    // Nobody waits for this process: the launcher is free for the next one at once.
    CloseProcess();
    return 0;
}

bool TRzLauncher::Start()
{
    instance_ = nullptr;
    process_.reset();
    exitCode_ = 0;
    errorCode_ = 0;

    static_assert(sizeof(void*) != 4 || sizeof(SHELLEXECUTEINFOA) == 60);
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_DDEWAIT | SEE_MASK_FLAG_NO_UI;  // 1344
    info.hwnd = nullptr;
    info.lpVerb = action_.c_str();
    info.lpFile = fileName_.c_str();
    info.lpParameters = parameters_.c_str();
    info.lpDirectory = startDir_.c_str();
    info.nShow = ShowCommand(showMode_);
    const BOOL started = CL_LIBRARY_PROC("shell32.dll", ShellExecuteExA)(&info);
    const DWORD lastError = GetLastError();
    instance_ = info.hInstApp;
    if (!started) {
        // The shell's result is the error; a shell that gave none still failed. Launch stops
        // waiting before the error is reported, which from a background thread waits for
        // the main thread.
        const auto result = static_cast<DWORD>(reinterpret_cast<INT_PTR>(info.hInstApp));
        errorCode_ = result ? result : (lastError ? lastError : ERROR_GEN_FAILURE);
        attempted_ = true;
        Failed(errorCode_);
        return false;
    }
    process_.reset(info.hProcess);
    running_ = true;
    attempted_ = true;
    return true;
}

void TRzLauncher::StartAndWait(bool background)
{
    if (!Start())
        return;
    if (background)
        WaitInBackground(thread_.get());
    else if (waitType_ == wtProcessMessages)
        WaitProcessingMessages();
    else
        WaitFullStop();
    CloseProcess();
}

void TRzLauncher::CloseProcess()
{
    process_.reset();
    running_ = false;
}

void TRzLauncher::WaitInBackground(TRzLaunchThread* thread)
{
    const HANDLE handles[2] = {process_.get(), stop_.get()};
    DWORD waited = 0;
    while (!thread->Terminated()) {
        const DWORD result = WaitForMultipleObjects(2, handles, FALSE, kBackgroundStepMs);
        if (result == WAIT_OBJECT_0) {
            Finished();
            return;
        }
        if (result == WAIT_OBJECT_0 + 1)
            return;
        if (result != WAIT_TIMEOUT) {
            Failed(GetLastError());
            return;
        }
        waited += kBackgroundStepMs;
        if (waited >= Limit(timeout_)) {
            TimedOut();
            return;
        }
    }
}

void TRzLauncher::WaitProcessingMessages()
{
    // One limit for the whole wait: messages that keep coming do not postpone the time-out.
    const DWORD limit = Limit(timeout_);
    const DWORD begin = GetTickCount();
    const HANDLE process = process_.get();
    for (;;) {
        DWORD left = INFINITE;
        if (limit != INFINITE) {
            const DWORD elapsed = GetTickCount() - begin;
            left = elapsed >= limit ? 0 : limit - elapsed;
        }
        const DWORD result = MsgWaitForMultipleObjects(1, &process, FALSE, left, QS_POSTMESSAGE | QS_SENDMESSAGE);
        if (result == WAIT_OBJECT_0) {
            Finished();
            return;
        }
        if (result == WAIT_OBJECT_0 + 1) {
            cl::Application->ProcessMessages();
            continue;
        }
        if (result == WAIT_TIMEOUT) {
            TimedOut();
            return;
        }
        Failed(GetLastError());
        return;
    }
}

void TRzLauncher::WaitFullStop()
{
    const DWORD result = WaitForSingleObject(process_.get(), Limit(timeout_));
    if (result == WAIT_OBJECT_0)
        Finished();
    else if (result == WAIT_TIMEOUT)
        TimedOut();
    else
        Failed(GetLastError());
}

void TRzLauncher::Finished()
{
    DWORD code = 0;
    GetExitCodeProcess(process_.get(), &code);
    exitCode_ = code;
    Fire([this] {
        if (OnFinished)
            OnFinished(this);
    });
}

void TRzLauncher::TimedOut()
{
    Fire([this] {
        if (OnTimeout)
            OnTimeout(this);
    });
}

void TRzLauncher::Failed(DWORD error)
{
    errorCode_ = error;
    Fire([this] {
        if (OnError)
            OnError(this, errorCode_);
    });
}

void TRzLauncher::Fire(const std::function<void()>& event)
{
    if (destroying_)
        return;
    if (thread_ && GetCurrentThreadId() == thread_->ThreadID()) {
        cl::TThread::Synchronize(thread_.get(), [this, &event] {
            if (!destroying_)
                event();
        });
        return;
    }
    event();
}
