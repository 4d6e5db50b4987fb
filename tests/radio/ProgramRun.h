#pragma once
// The real TrebanixRadio.exe run as a child process from a copy in a temporary folder (so its
// station cache lives there), found and driven through its windows from the outside: found by
// class and process (Wine's hidden application window carries the main window's title), and
// clicked with real input at screen points. Every wait is a bounded poll.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "classlib/system/Types.h"
#include "radio/directory/TestSupport.h"

namespace program_test {

// How long any one thing may take before the test gives up on it.
constexpr DWORD kPatienceMs = 15000;

// The built program, which every run copies.
std::string ProgramSource();

// Polls Done every few milliseconds until it holds or MaxMs pass; true when it held.
bool PollUntil(const std::function<bool()>& Done, DWORD MaxMs = kPatienceMs);

class TProgramRun {
public:
    // Copies the program into Folder (once per folder); the splash does not wait.
    explicit TProgramRun(const TTempFolder& Folder);
    // Ends a program the test left running, so that nothing outlives the test.
    ~TProgramRun();
    TProgramRun(const TProgramRun&) = delete;
    TProgramRun& operator=(const TProgramRun&) = delete;

    void Start();
    DWORD ProcessId() const { return pid_; }
    bool Running() const;
    // Waits (bounded) for the process to end; its exit code, or STILL_ACTIVE when it did not.
    DWORD WaitForExit(DWORD MaxMs = kPatienceMs);

    // The process's top-level window of this class (visible ones first), or null.
    HWND FindWindowOfClass(const char* ClassName) const;
    // Waits (bounded) until a window of the class is visible; null when none came.
    HWND WaitForVisibleWindow(const char* ClassName, DWORD MaxMs = kPatienceMs) const;
    // Every top-level window the process has, visible or not.
    std::vector<HWND> Windows() const;

private:
    std::string exe_;
    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
};

// The first child (at any depth) of Parent with this class and window text, or null.
HWND FindChild(HWND Parent, const char* ClassName, const std::string& Text = "");
std::string WindowText(HWND Window);
// A real left click (press and release) at a point of the window's client area.
void ClickAt(HWND Window, int X, int Y);
// A key pressed and released on the window, as posted input.
void PressKey(HWND Window, WORD Key);
// Clicks Window at (X, Y) again and again until Effect holds (the program may still be busy
// with its start-up); true when it held within the bound.
bool ClickUntil(HWND Window, int X, int Y, const std::function<bool()>& Effect);
cl::TRect ScreenRect(HWND Window);
// Visible and not iconic.
bool Shown(HWND Window);

// The main window's tool bar holds buttons 100 pixels wide, side by side from its left edge:
// "Exit", "Small", "Change skin", "Reload", "Options", "About Us", ...
constexpr int kToolButtonWidth = 100;
constexpr int kExitButton = 0;
constexpr int kSmallButton = 1;
constexpr int kReloadButton = 3;
constexpr int kOptionsButton = 4;
constexpr int kAboutButton = 5;
// "Full" on the compact window: 50 by 25 at 156,48 of its client area.
constexpr int kFullX = 156 + 25, kFullY = 48 + 12;

// Clicks one of the main window's tool buttons until Effect holds.
bool ClickToolButton(HWND Main, int Index, const std::function<bool()>& Effect);

// The settings the program reads, cleared before and after each test.
void ClearProgramSettings();
// An account known to the local directory service and stored as the program's own.
void UseKnownAccount();
// An account the service does not know, stored as the program's own.
void UseUnknownAccount();

// A station cache as the program itself writes it, with a few stations, or with the station
// elements given.
std::string StationCacheBytes(const std::string& Stations = "");
// Puts Bytes where the program in Folder reads its station cache.
void PlaceStationCache(const TTempFolder& Folder, const std::string& Bytes);
std::string StationCacheOf(const TTempFolder& Folder);

// A test of the whole program: skipped without the directory service, which it resets, and
// starting and ending with no stored settings.
class TProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_DIRECTORY_SERVICE();
        service::Reset();
        ClearProgramSettings();
    }
    void TearDown() override { ClearProgramSettings(); }
};

}  // namespace program_test
