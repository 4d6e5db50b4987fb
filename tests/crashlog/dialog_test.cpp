// The exception dialog of a crash program, driven from the test with the messages that a
// user's clicks and keys send.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include <windows.h>
#include <commctrl.h>

#include "crashlog/ELogFile.h"

namespace fs = std::filesystem;

namespace {

constexpr int OkButton = 2, ThirdButton = 3, DetailsButton = 4, TextStatic = 101, Tabs = 1000, PageContent = 103;

// A windowed crash program that shows its dialogs while the test clicks them.
class TDialogProgram {
public:
    explicit TDialogProgram(const std::string& scenario)
    {
        char self[MAX_PATH];
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        const fs::path program = fs::path(self).parent_path() / "crashlog_crash_gui.exe";
        dir_ = fs::temp_directory_path() / ("crashlog-dialog-" + scenario + "-" + std::to_string(GetCurrentProcessId()));
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
        fs::create_directories(dir_);
        std::string command = "\"" + program.string() + "\" " + scenario + " \"" + (dir_ / "crash.elf").string() +
                              "\" \"" + (dir_ / "debug.txt").string() + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
            CloseHandle(info.hThread);
            process_ = info.hProcess;
        }
    }
    ~TDialogProgram()
    {
        if (process_) {
            if (WaitForSingleObject(process_, 0) != WAIT_OBJECT_0)
                TerminateProcess(process_, 255);
            CloseHandle(process_);
        }
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }
    TDialogProgram(const TDialogProgram&) = delete;
    TDialogProgram& operator=(const TDialogProgram&) = delete;

    // The program's exit code; a bound only against a program that never ends.
    DWORD Wait()
    {
        DWORD code = 255;
        if (process_ && WaitForSingleObject(process_, 60000) == WAIT_OBJECT_0)
            GetExitCodeProcess(process_, &code);
        return code;
    }
    std::vector<std::string> Blocks() const
    {
        const fs::path log = dir_ / "crash.elf";
        return fs::exists(log) ? crashlog::TLogFile(log.string()).Items : std::vector<std::string>{};
    }

private:
    HANDLE process_ = nullptr;
    fs::path dir_;
};

// A bound only against a dialog that never comes.
HWND WaitForDialog()
{
    for (int i = 0; i < 6000; ++i) {
        HWND dialog = FindWindowA("#32770", "Error.");
        if (dialog && IsWindowVisible(dialog))
            return dialog;
        Sleep(10);
    }
    return nullptr;
}

void WaitGone(HWND dialog)
{
    for (int i = 0; i < 6000 && IsWindow(dialog); ++i)
        Sleep(10);
}

// What a click on the button sends its dialog.
void Click(HWND dialog, int id)
{
    SendMessageTimeoutA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)),
                        SMTO_BLOCK, 10000, nullptr);
}

// Another process's control: its text comes with the message that copies it.
std::string ItemText(HWND window)
{
    char text[512] = "";
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 5000, nullptr);
    return text;
}

bool Visible(HWND dialog, int id)
{
    return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE;
}

}  // namespace

TEST(Dialog, TheThirdButtonAppearsOnlyAfterTheThresholdOfErrors)
{
    TDialogProgram program("dialog-four");
    std::vector<bool> third;
    for (int i = 0; i < 4; ++i) {
        HWND dialog = WaitForDialog();
        ASSERT_NE(dialog, nullptr) << "dialog " << i;
        third.push_back(Visible(dialog, ThirdButton));
        if (i == 0) {
            EXPECT_EQ(ItemText(GetDlgItem(dialog, TextStatic)), "nobody catches this.");
            EXPECT_EQ(ItemText(GetDlgItem(dialog, OkButton)), "&OK");
            EXPECT_EQ(ItemText(GetDlgItem(dialog, ThirdButton)), "&Restart");
            EXPECT_EQ(ItemText(GetDlgItem(dialog, DetailsButton)), "&Details >>");
            EXPECT_FALSE(Visible(dialog, Tabs));  // it opens compact
        }
        Click(dialog, OkButton);
        WaitGone(dialog);
    }
    EXPECT_EQ(third, (std::vector<bool>{false, false, false, true}));
    EXPECT_EQ(program.Wait(), 55u);
    EXPECT_EQ(program.Blocks().size(), 4u);
}

TEST(Dialog, TerminateEndsTheProgramAfterTheReport)
{
    TDialogProgram program("dialog-terminate");
    HWND dialog = WaitForDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(Visible(dialog, ThirdButton));
    EXPECT_EQ(ItemText(GetDlgItem(dialog, ThirdButton)), "&Terminate");
    Click(dialog, ThirdButton);
    EXPECT_EQ(program.Wait(), 1u);
    EXPECT_EQ(program.Blocks().size(), 1u);
}

TEST(Dialog, DetailsShowTheTabsAndTheListAndARowTellsTheMailslot)
{
    HANDLE slot = CreateMailslotA("\\\\.\\mailslot\\VozozoRez", 0, 0, nullptr);
    ASSERT_NE(slot, INVALID_HANDLE_VALUE);
    TDialogProgram program("dialog-details");
    HWND dialog = WaitForDialog();
    ASSERT_NE(dialog, nullptr);
    Click(dialog, DetailsButton);
    EXPECT_TRUE(Visible(dialog, Tabs));
    EXPECT_EQ(ItemText(GetDlgItem(dialog, DetailsButton)), "<< &Details");
    EXPECT_EQ(ItemText(GetDlgItem(dialog, TextStatic)),
              "An error has occurred during program execution.\r\nPlease read the following information for further "
              "details.");
    // It opened on the details page.
    EXPECT_EQ(SendMessageA(GetDlgItem(dialog, Tabs), TCM_GETCURSEL, 0, 0), 1);
    HWND page = FindWindowExA(dialog, nullptr, "#32770", nullptr);
    ASSERT_NE(page, nullptr);
    HWND list = GetDlgItem(page, PageContent);
    EXPECT_GT(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 2);
    // The first row is the throw, with a line: Enter on it writes one record.
    SendMessageA(list, WM_KEYDOWN, VK_HOME, 0);
    SendMessageA(list, WM_KEYDOWN, VK_RETURN, 0);
    DWORD size = MAILSLOT_NO_MESSAGE;
    for (int i = 0; i < 3000 && size == MAILSLOT_NO_MESSAGE; ++i) {
        GetMailslotInfo(slot, nullptr, &size, nullptr, nullptr);
        if (size == MAILSLOT_NO_MESSAGE)
            Sleep(10);
    }
    ASSERT_EQ(size, 2052u);
    char record[2052] = {};
    DWORD read = 0;
    ReadFile(slot, record, sizeof record, &read, nullptr);
    CloseHandle(slot);
    EXPECT_STREQ(record, "crash_program");
    std::int32_t line = 0;
    std::memcpy(&line, record + 2048, sizeof line);
    EXPECT_GT(line, 0);
    // Hiding the details again writes where the full form was.
    Click(dialog, DetailsButton);
    EXPECT_FALSE(Visible(dialog, Tabs));
    Click(dialog, OkButton);
    EXPECT_EQ(program.Wait(), 57u);
    char windows[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_GT(GetPrivateProfileIntA("Coordinates", "Width", 0, (std::string(windows) + "\\VozozoRez.ini").c_str()), 0);
}

TEST(Dialog, TheStyledLookPaintsItsOwnFrameAndCaption)
{
    TDialogProgram program("dialog-terminate");
    HWND dialog = WaitForDialog();
    ASSERT_NE(dialog, nullptr);
    RECT window;
    GetWindowRect(dialog, &window);
    const int frame = GetSystemMetrics(SM_CXFRAME);
    // Read from the screen: the dialog is top-most there. A bound only against a frame never drawn.
    COLORREF caption = CLR_INVALID, outer = CLR_INVALID;
    for (int i = 0; i < 500; ++i) {
        HDC screen = GetDC(nullptr);
        caption = GetPixel(screen, window.left + frame + 2, window.top + frame + 2);
        outer = GetPixel(screen, window.left, window.top + 30);
        ReleaseDC(nullptr, screen);
        if (caption == 0xC29B82 || caption == 0x979797)
            break;
        Sleep(10);
    }
    EXPECT_TRUE(caption == 0xC29B82 || caption == 0x979797) << std::hex << caption;
    EXPECT_TRUE(outer == 0x404040 || outer == 0x303030) << std::hex << outer;
    Click(dialog, OkButton);
    EXPECT_EQ(program.Wait(), 56u);
}
