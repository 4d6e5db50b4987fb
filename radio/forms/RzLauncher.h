#pragma once
// A non-visual component that starts a document, program or address through the shell and can
// wait for the started process to end, reporting the end, a time-out or an error through its
// events: on the calling thread (a full stop, or handling messages meanwhile) or on a thread
// of its own whose events come to the main thread. Destroying the launcher during a background
// wait stops the thread and waits for it to end, serving its synchronized calls meanwhile; no
// event fires once the destruction has begun.
#include <windows.h>

#include <atomic>
#include <memory>
#include <functional>
#include <string>

#include "classlib/classes/Classes.h"
#include "classlib/system/KernelHandles.h"
#include "classlib/classes/Threads.h"

enum TShowMode { smNormal, smMaximized, smMinimized, smHide };
enum TRzWaitType { wtFullStop, wtProcessMessages };
using TRzLaunchErrorEvent = cl::TEvent<void(cl::TObject* Sender, DWORD ErrorCode)>;

class TRzLauncher;

// Runs a launch and its wait in the background; the launcher owns it, starts it and joins it.
class TRzLaunchThread : public cl::TThread {
public:
    explicit TRzLaunchThread(TRzLauncher* launcher);

protected:
    void Execute() override;

private:
    TRzLauncher* launcher_;
};

class TRzLauncher : public cl::TComponent {
public:
    explicit TRzLauncher(cl::TComponent* AOwner);
    ~TRzLauncher() override;

    // Published, in this order.
    const std::string& About() const { return about_; }
    void SetAbout(const std::string&) {}
    const std::string& Action() const { return action_; }
    void SetAction(const std::string& Value) { action_ = Value; }
    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& Value) { fileName_ = Value; }
    const std::string& Parameters() const { return parameters_; }
    void SetParameters(const std::string& Value) { parameters_ = Value; }
    TShowMode ShowMode() const { return showMode_; }
    void SetShowMode(TShowMode Value) { showMode_ = Value; }
    const std::string& StartDir() const { return startDir_; }
    void SetStartDir(const std::string& Value) { startDir_ = Value; }
    // Milliseconds; -1 (compared as unsigned, so never reached) waits without limit.
    int Timeout() const { return timeout_; }
    void SetTimeout(int Value) { timeout_ = Value; }
    TRzWaitType WaitType() const { return waitType_; }
    void SetWaitType(TRzWaitType Value) { waitType_ = Value; }
    bool WaitUntilFinished() const { return waitUntilFinished_; }
    void SetWaitUntilFinished(bool Value) { waitUntilFinished_ = Value; }
    cl::TNotifyEvent OnFinished;
    TRzLaunchErrorEvent OnError;
    cl::TNotifyEvent OnTimeout;

    // Starts FileName when nothing runs: waiting on the calling thread when WaitUntilFinished,
    // else on a background thread, returning once the process runs (or the start failed).
    void Launch();
    // Starts FileName when nothing runs, without waiting: 0, or the shell's error result.
    int LaunchNoWait();

    bool Running() const { return running_; }
    HINSTANCE HInstance() const { return instance_; }
    DWORD ExitCode() const { return exitCode_; }
    DWORD ErrorCode() const { return errorCode_; }
    // The show command ShowMode stands for.
    static int ShowCommand(TShowMode Mode);

private:
    friend class TRzLaunchThread;
    // Starts the process; false (with the error code set and OnError fired) when it failed.
    bool Start();
    void StartAndWait(bool background);
    void WaitInBackground(TRzLaunchThread* thread);
    void WaitProcessingMessages();
    void WaitFullStop();
    void Finished();
    void TimedOut();
    void Failed(DWORD error);
    void CloseProcess();
    // Fires an event on the main thread: through the thread's synchronization when it runs in
    // the background, directly otherwise; never once the launcher is being destroyed.
    void Fire(const std::function<void()>& event);
    void EndBackgroundThread();

    std::string about_;
    std::string action_ = "Open";
    std::string fileName_;
    std::string parameters_;
    TShowMode showMode_ = smNormal;
    std::string startDir_;
    int timeout_ = -1;
    TRzWaitType waitType_ = wtFullStop;
    bool waitUntilFinished_ = false;

    HINSTANCE instance_ = nullptr;
    cl::TOwnedHandle process_;
    std::atomic<DWORD> exitCode_{0};
    std::atomic<DWORD> errorCode_{0};
    std::atomic<bool> running_{false};
    // Set by the background thread once its start has succeeded or failed.
    std::atomic<bool> attempted_{false};
    std::atomic<bool> destroying_{false};
    // Signalled when the launcher is destroyed: a background wait ends at once.
    cl::TOwnedHandle stop_;
    std::unique_ptr<TRzLaunchThread> thread_;
};
