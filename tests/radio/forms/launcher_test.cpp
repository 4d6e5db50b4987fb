// The launcher starting a real helper program under Wine: each way to wait, its events, and a
// destruction in the middle of a background wait.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "classlib/classes/Threads.h"
#include "radio/forms/RzLauncher.h"

namespace {

// Upper bound of every wait: a launcher that never reports fails the test instead of hanging.
constexpr DWORD kPatienceMs = 20000;

std::string HelperPath()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of("\\/") + 1) + "launch_helper.exe";
}

// Serves the background thread's synchronized calls until done() or the bound above.
bool ServeUntil(const std::function<bool()>& done)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > kPatienceMs)
            return false;
        cl::CheckSynchronize(10);
    }
    return true;
}

// What a launcher reported, and on which thread.
struct TReports {
    std::vector<std::string> events;
    std::vector<DWORD> threads;
    DWORD errorCode = 0;

    void Watch(TRzLauncher& launcher)
    {
        launcher.OnFinished = [this](cl::TObject*) { Note("finished"); };
        launcher.OnTimeout = [this](cl::TObject*) { Note("timeout"); };
        launcher.OnError = [this](cl::TObject*, DWORD code) {
            errorCode = code;
            Note("error");
        };
    }
    void Note(const char* event)
    {
        events.push_back(event);
        threads.push_back(GetCurrentThreadId());
    }
};

class Launcher : public ::testing::Test {
protected:
    void SetUp() override
    {
        static int counter = 0;
        releaseName_ = "TrebanixLaunchRelease-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
        release_ = CreateEventA(nullptr, TRUE, FALSE, releaseName_.c_str());
        ASSERT_TRUE(release_);
        launcher_.SetFileName(HelperPath());
        reports_.Watch(launcher_);
    }
    void TearDown() override
    {
        // Whatever the test did, no helper stays behind.
        SetEvent(release_);
        CloseHandle(release_);
    }
    // The helper ends with this code once the test releases it.
    void HeldHelper(int exitCode) { launcher_.SetParameters(std::to_string(exitCode) + " " + releaseName_); }
    void Release() { SetEvent(release_); }

    std::string releaseName_;
    HANDLE release_ = nullptr;
    TRzLauncher launcher_{nullptr};
    TReports reports_;
};

// Sets an event when it handles its message: proof that messages were handled.
struct TMessageWindow {
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_APP)
            SetEvent(reinterpret_cast<HANDLE>(lParam));
        return DefWindowProcA(window, message, wParam, lParam);
    }
    TMessageWindow()
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "TrebanixLauncherTestWindow";
        RegisterClassA(&wc);
        window = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    }
    ~TMessageWindow() { DestroyWindow(window); }
    HWND window = nullptr;
};

}  // namespace

TEST_F(Launcher, DefaultsAndShowCommands)
{
    TRzLauncher fresh(nullptr);
    EXPECT_EQ(fresh.Action(), "Open");
    EXPECT_EQ(fresh.ShowMode(), smNormal);
    EXPECT_EQ(fresh.Timeout(), -1);
    EXPECT_EQ(fresh.WaitType(), wtFullStop);
    EXPECT_FALSE(fresh.WaitUntilFinished());
    EXPECT_EQ(TRzLauncher::ShowCommand(smNormal), 1);
    EXPECT_EQ(TRzLauncher::ShowCommand(smMaximized), 3);
    EXPECT_EQ(TRzLauncher::ShowCommand(smMinimized), 2);
    EXPECT_EQ(TRzLauncher::ShowCommand(smHide), 0);
    // Nothing to start: nothing happens.
    fresh.Launch();
    EXPECT_EQ(fresh.LaunchNoWait(), 0);
    EXPECT_FALSE(fresh.Running());
}

TEST_F(Launcher, AFullStopWaitReportsTheExitCode)
{
    launcher_.SetWaitUntilFinished(true);
    launcher_.SetParameters("7");
    launcher_.Launch();
    EXPECT_EQ(reports_.events, std::vector<std::string>{"finished"});
    EXPECT_EQ(launcher_.ExitCode(), 7u);
    EXPECT_FALSE(launcher_.Running());
    // And again: the launcher is free for the next start.
    launcher_.SetParameters("9");
    launcher_.Launch();
    EXPECT_EQ(reports_.events, (std::vector<std::string>{"finished", "finished"}));
    EXPECT_EQ(launcher_.ExitCode(), 9u);
}

TEST_F(Launcher, AWaitThatHandlesMessagesLetsThemReleaseTheProcess)
{
    // The helper ends only when a message posted before the wait has been handled.
    TMessageWindow messages;
    ASSERT_TRUE(messages.window);
    launcher_.SetWaitUntilFinished(true);
    launcher_.SetWaitType(wtProcessMessages);
    HeldHelper(5);
    PostMessageA(messages.window, WM_APP, 0, reinterpret_cast<LPARAM>(release_));
    launcher_.Launch();
    EXPECT_EQ(reports_.events, std::vector<std::string>{"finished"});
    EXPECT_EQ(launcher_.ExitCode(), 5u);
}

TEST_F(Launcher, EachWayToWaitEndsAtItsTimeout)
{
    launcher_.SetTimeout(200);
    HeldHelper(1);
    launcher_.SetWaitUntilFinished(true);
    for (TRzWaitType type : {wtFullStop, wtProcessMessages}) {
        launcher_.SetWaitType(type);
        launcher_.Launch();
        EXPECT_EQ(reports_.events.back(), "timeout") << type;
        EXPECT_FALSE(launcher_.Running());
    }
    launcher_.SetWaitUntilFinished(false);
    launcher_.Launch();
    EXPECT_TRUE(ServeUntil([&] { return reports_.events.size() == 3; }));
    EXPECT_EQ(reports_.events, (std::vector<std::string>{"timeout", "timeout", "timeout"}));
    EXPECT_EQ(reports_.threads.back(), GetCurrentThreadId());
}

TEST_F(Launcher, AFileThatIsNotThereIsAnError)
{
    launcher_.SetFileName(HelperPath() + ".missing.exe");
    launcher_.SetWaitUntilFinished(true);
    launcher_.Launch();
    ASSERT_EQ(reports_.events, std::vector<std::string>{"error"});
    EXPECT_NE(reports_.errorCode, 0u);
    EXPECT_EQ(launcher_.ErrorCode(), reports_.errorCode);
    EXPECT_EQ(launcher_.LaunchNoWait(), static_cast<int>(reports_.errorCode));

    // In the background the error comes to the main thread, and Launch does not wait for ever.
    launcher_.SetWaitUntilFinished(false);
    launcher_.Launch();
    EXPECT_TRUE(ServeUntil([&] { return reports_.events.size() == 3; }));
    EXPECT_EQ(reports_.events, (std::vector<std::string>{"error", "error", "error"}));
    EXPECT_EQ(reports_.threads.back(), GetCurrentThreadId());
}

TEST_F(Launcher, ABackgroundWaitReportsTheEndOnTheMainThread)
{
    HeldHelper(4);
    launcher_.Launch();
    // Launch came back while the process runs.
    EXPECT_TRUE(launcher_.Running());
    EXPECT_TRUE(reports_.events.empty());
    Release();
    EXPECT_TRUE(ServeUntil([&] { return !reports_.events.empty(); }));
    EXPECT_EQ(reports_.events, std::vector<std::string>{"finished"});
    EXPECT_EQ(reports_.threads, std::vector<DWORD>{GetCurrentThreadId()});
    EXPECT_EQ(launcher_.ExitCode(), 4u);
    EXPECT_TRUE(ServeUntil([&] { return !launcher_.Running(); }));
}

namespace {

std::vector<cl::TThread*> g_endedThreads;

void NoteEnd(cl::TThread* thread)
{
    g_endedThreads.push_back(thread);
}

}  // namespace

TEST_F(Launcher, DestroyedDuringABackgroundWaitItJoinsItsThreadAndReportsNothing)
{
    const cl::TThreadHooks saved = cl::ThreadHooks();
    cl::ThreadHooks().OnExit = &NoteEnd;
    g_endedThreads.clear();

    // Waiting for a process that runs on...
    auto* waiting = new TRzLauncher(nullptr);
    TReports waitingReports;
    waitingReports.Watch(*waiting);
    waiting->SetFileName(HelperPath());
    waiting->SetParameters("2 " + releaseName_);
    waiting->Launch();
    ASSERT_TRUE(waiting->Running());
    delete waiting;
    // ... the thread has ended by the time the launcher is gone.
    EXPECT_EQ(g_endedThreads.size(), 1u);

    // ... and one whose process ended, its thread waiting to report it to the main thread.
    auto* reporting = new TRzLauncher(nullptr);
    TReports reportingReports;
    reportingReports.Watch(*reporting);
    reporting->SetFileName(HelperPath());
    reporting->SetParameters("3");
    reporting->Launch();
    // Waited for without serving the thread's calls, so that its report stays pending.
    for (DWORD start = GetTickCount(); reporting->ExitCode() != 3u && GetTickCount() - start < kPatienceMs;)
        Sleep(10);
    ASSERT_EQ(reporting->ExitCode(), 3u);
    delete reporting;
    EXPECT_EQ(g_endedThreads.size(), 2u);

    Release();
    cl::CheckSynchronize(50);
    EXPECT_TRUE(waitingReports.events.empty());
    EXPECT_TRUE(reportingReports.events.empty());
    cl::ThreadHooks() = saved;
}
