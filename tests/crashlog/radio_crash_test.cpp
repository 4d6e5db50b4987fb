// The radio program carries the logger from its first moment: a fault injected into the
// running program (a thread of it started at address 0 from outside) gives one report.
#include <gtest/gtest.h>

#include <filesystem>

#include <windows.h>

#include "crashlog/ELogFile.h"

namespace fs = std::filesystem;

namespace {

// Closes a kernel handle exactly once.
struct THandleOwner {
    HANDLE Handle = nullptr;
    ~THandleOwner()
    {
        if (Handle)
            CloseHandle(Handle);
    }
};

BOOL CALLBACK VisibleWindowOf(HWND window, LPARAM data)
{
    auto* found = reinterpret_cast<std::pair<DWORD, HWND>*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == found->first && IsWindowVisible(window)) {
        found->second = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

TEST(RadioCrash, AFaultInTheRunningRadioProgramGivesOneReport)
{
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const fs::path built = fs::path(self).parent_path().parent_path() / "radio" / "TrebanixRadio.exe";
    ASSERT_TRUE(fs::exists(built)) << built;
    // A copy of its own, so that its log lands in the test's folder.
    const fs::path dir = fs::temp_directory_path() / ("crashlog-radio-" + std::to_string(GetCurrentProcessId()));
    std::error_code ignored;
    fs::remove_all(dir, ignored);
    fs::create_directories(dir);
    const fs::path program = dir / "TrebanixRadio.exe", log = dir / "TrebanixRadio.elf";
    fs::copy_file(built, program);

    std::string command = "\"" + program.string() + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.string().c_str(),
                               &startup, &info));
    THandleOwner process{info.hProcess}, mainThread{info.hThread};
    // Bounded waits only against a program that never comes up or never reports.
    std::pair<DWORD, HWND> window{info.dwProcessId, nullptr};
    for (int i = 0; i < 3000 && !window.second; ++i) {
        EnumWindows(VisibleWindowOf, reinterpret_cast<LPARAM>(&window));
        if (!window.second)
            Sleep(10);
    }
    ASSERT_NE(window.second, nullptr) << "the radio program showed no window";
    THandleOwner injected{CreateRemoteThread(process.Handle, nullptr, 0, nullptr, nullptr, 0, nullptr)};
    ASSERT_NE(injected.Handle, nullptr);
    // The report is shown in the logger's dialog; the user closes it.
    HWND dialog = nullptr;
    for (int i = 0; i < 6000 && !dialog; ++i) {
        dialog = FindWindowA("#32770", "Error.");
        if (!dialog)
            Sleep(10);
    }
    ASSERT_NE(dialog, nullptr) << "no exception dialog";
    SendMessageTimeoutA(dialog, WM_COMMAND, MAKEWPARAM(2, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, 2)),
                        SMTO_BLOCK, 10000, nullptr);
    EXPECT_EQ(WaitForSingleObject(injected.Handle, 60000), WAIT_OBJECT_0);
    DWORD threadCode = 0;
    GetExitCodeThread(injected.Handle, &threadCode);
    EXPECT_EQ(threadCode, 1u);  // the faulting thread ends with 1; the program goes on
    DWORD processCode = 0;
    GetExitCodeProcess(process.Handle, &processCode);
    EXPECT_EQ(processCode, STILL_ACTIVE);
    PostMessageA(window.second, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.Handle, 30000) != WAIT_OBJECT_0)
        TerminateProcess(process.Handle, 255);
    ASSERT_TRUE(fs::exists(log));
    crashlog::TLogFile file(log.string());
    ASSERT_EQ(file.Items.size(), 1u);
    EXPECT_NE(file.Items[0].find("  Type   : EAccessViolation\r\n"), std::string::npos) << file.Items[0];
    EXPECT_NE(file.Items[0].find("Name/Description: "), std::string::npos);
    EXPECT_NE(file.Items[0].find("  Version Number  : 4.1.0.0\r\n"), std::string::npos) << file.Items[0];
    fs::remove_all(dir, ignored);
}
