// The exception dialog of a crash program, driven from the test with real clicks and the keys a
// user presses, and read from the screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include <windows.h>
#include <commctrl.h>

#include "classlib/graphics/GdiHandles.h"
#include "crashlog/ELogFile.h"
#include "support/LoopbackSocket.h"
#include "support/RealInput.h"

namespace fs = std::filesystem;

namespace {

constexpr int OkButton = 2, ThirdButton = 3, DetailsButton = 4, TextStatic = 101, Tabs = 1000, PageContent = 103;

// A windowed crash program (or another windowed program of the tests) that shows its dialogs
// while the test clicks them.
class TDialogProgram {
public:
    // The argument, when given, is the program's fourth.
    explicit TDialogProgram(const std::string& scenario, const std::string& argument = {},
                            const char* name = "crashlog_crash_gui.exe")
    {
        char self[MAX_PATH];
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        const fs::path program = fs::path(self).parent_path() / name;
        dir_ = fs::temp_directory_path() / ("crashlog-dialog-" + scenario + "-" + std::to_string(GetCurrentProcessId()));
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
        fs::create_directories(dir_);
        std::string command = "\"" + program.string() + "\" " + scenario + " \"" + (dir_ / "crash.elf").string() +
                              "\" \"" + (dir_ / "debug.txt").string() + "\"" +
                              (argument.empty() ? "" : " " + argument);
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
    std::string Debug() const
    {
        std::ifstream in(dir_ / "debug.txt", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
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

std::vector<COLORREF> SettledPicture(HWND window);

// The dialog once it is on the screen, where a click reaches it. A bound only against a dialog
// that never comes.
HWND WaitForDialog()
{
    for (int i = 0; i < 6000; ++i) {
        HWND dialog = FindWindowA("#32770", "Error.");
        if (dialog && IsWindowVisible(dialog)) {
            SettledPicture(dialog);
            return dialog;
        }
        Sleep(10);
    }
    return nullptr;
}

// The next step would otherwise find this dialog again and take it for the next one.
void WaitGone(HWND dialog)
{
    for (int i = 0; i < 6000 && IsWindow(dialog); ++i)
        Sleep(10);
    if (IsWindow(dialog))
        ADD_FAILURE() << "the dialog stayed";
}

// Polls until the condition holds; a bound only against a program that never gets there.
template <typename F>
bool Eventually(F condition)
{
    for (int i = 0; i < 3000; ++i) {
        if (condition())
            return true;
        Sleep(10);
    }
    return condition();
}

// A real click on a button of the dialog.
void Click(HWND dialog, int id)
{
    test_support::ClickWindow(GetDlgItem(dialog, id));
}

bool Visible(HWND dialog, int id);

// Waits until the dialog's thread is back in its message loop: it takes a sent message only
// between the messages it handles, so the answer comes once the handler that was running has
// finished whatever it began (a switch shows the tabs before it has moved the buttons).
void WaitHandled(HWND dialog)
{
    SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_BLOCK, 60000, nullptr);
}

// A real click on the Details switch, and the wait until the form has changed and is laid out
// whole, so that the next click's point is read from where the button now is.
void ClickDetails(HWND dialog)
{
    const bool wasFull = Visible(dialog, Tabs);
    Click(dialog, DetailsButton);
    if (!Eventually([&] { return Visible(dialog, Tabs) != wasFull; }))
        ADD_FAILURE() << "the Details switch changed nothing";
    WaitHandled(dialog);
}

// A key pressed and released as a user does, to the window that has the keyboard focus (the
// dialog, once a click has made it active), and the wait until the dialog has handled it.
void PressKey(HWND dialog, WORD key)
{
    INPUT input[2]{};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
    for (int i = 0; i < 200 && GetAsyncKeyState(key) < 0; ++i)
        Sleep(1);
    WaitHandled(dialog);
}

HWND FocusOf(DWORD thread)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

// Tab, pressed until the control has the keyboard focus; false when it never comes to it. Each
// press is taken before the next: the focus moves with it.
bool TabTo(HWND dialog, HWND control)
{
    const DWORD thread = GetWindowThreadProcessId(dialog, nullptr);
    HWND focus = FocusOf(thread);
    for (int i = 0; i < 8 && focus != control; ++i) {
        const HWND before = focus;
        PressKey(dialog, VK_TAB);
        Eventually([&] { return (focus = FocusOf(thread)) != before; });
    }
    return focus == control;
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

RECT WindowRect(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

// What the screen shows in a rectangle, row by row, as colour values (0x00BBGGRR).
std::vector<COLORREF> ScreenPicture(const RECT& r)
{
    const int width = r.right - r.left, height = r.bottom - r.top;
    std::vector<COLORREF> pixels(static_cast<std::size_t>(width) * height);
    cl::TWindowDC screen(nullptr);
    cl::TMemoryDC memory(screen.Handle());
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    cl::TOwnedBitmap picture(CreateDIBSection(screen.Handle(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!picture || !bits)
        return pixels;
    cl::TSelectedObject selected(memory.Handle(), picture.Handle());
    BitBlt(memory.Handle(), 0, 0, width, height, screen.Handle(), r.left, r.top, SRCCOPY);
    GdiFlush();
    const auto* row = static_cast<const std::uint32_t*>(bits);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = RGB(row[i] >> 16 & 0xFF, row[i] >> 8 & 0xFF, row[i] & 0xFF);
    return pixels;
}

// The picture of the window once the screen has stopped changing (the program draws on its
// own time); a bound only against a window that never settles.
std::vector<COLORREF> SettledPicture(HWND window)
{
    std::vector<COLORREF> last = ScreenPicture(WindowRect(window));
    for (int i = 0; i < 100; ++i) {
        Sleep(100);
        std::vector<COLORREF> now = ScreenPicture(WindowRect(window));
        if (now == last)
            return now;
        last = std::move(now);
    }
    return last;
}

// What the window shows against what it draws when all of it is drawn anew: the pixels that
// differ are what a step left drawn wrong.
long WrongPixels(HWND window)
{
    const std::vector<COLORREF> shown = SettledPicture(window);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    const std::vector<COLORREF> whole = SettledPicture(window);
    if (shown.size() != whole.size())
        return -1;
    long wrong = 0;
    for (std::size_t i = 0; i < shown.size(); ++i)
        wrong += shown[i] != whole[i];
    return wrong;
}

// How many bands of rows in a rectangle of the screen hold pixels of the colour: lines of text.
int Bands(const RECT& r, COLORREF colour)
{
    const std::vector<COLORREF> pixels = ScreenPicture(r);
    const int width = r.right - r.left;
    int bands = 0;
    bool inBand = false;
    for (int y = 0; y < r.bottom - r.top; ++y) {
        bool found = false;
        for (int x = 0; x < width && !found; ++x)
            found = pixels[static_cast<std::size_t>(y) * width + x] == colour;
        bands += found && !inBand;
        inBand = found;
    }
    return bands;
}

long Count(const std::vector<COLORREF>& pixels, COLORREF colour)
{
    return std::count(pixels.begin(), pixels.end(), colour);
}

// A message box of the program, once it shows; a bound only against one that never comes.
HWND WaitForBox(const char* caption)
{
    HWND box = nullptr;
    Eventually([&] {
        box = FindWindowA("#32770", caption);
        return box && IsWindowVisible(box);
    });
    return box;
}

// The texts of a box's static controls, one after the other.
std::string BoxText(HWND box)
{
    std::string text;
    for (HWND item = FindWindowExA(box, nullptr, "Static", nullptr); item;
         item = FindWindowExA(box, item, "Static", nullptr))
        text += ItemText(item);
    return text;
}

// A key of the test's own under the current user, where the crash program looks; deleted at the end.
class TMailKeys {
public:
    TMailKeys(const std::string& mapiLibrary, const std::string& mailtoCommand)
    {
        Set("Software\\TrebanixTests\\CrashMail", nullptr, "Gone");
        Set("Software\\TrebanixTests\\CrashMail\\Gone", "DLLPath", mapiLibrary);
        Set("Software\\TrebanixTests\\CrashMailto", nullptr, mailtoCommand);
    }
    ~TMailKeys()
    {
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\TrebanixTests\\CrashMail\\Gone");
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\TrebanixTests\\CrashMail");
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\TrebanixTests\\CrashMailto");
    }
    TMailKeys(const TMailKeys&) = delete;
    TMailKeys& operator=(const TMailKeys&) = delete;

private:
    static void Set(const char* path, const char* name, const std::string& value)
    {
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
        RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
        RegCloseKey(key);
    }
};

std::string TestFolder()
{
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    return fs::path(self).parent_path().string();
}

// Where the full form is to be: written to the settings file that the dialog reads; a width of
// 0 leaves no file, as before the dialog's first run.
void WritePlacement(int left, int top, int width, int height)
{
    char windows[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string file = std::string(windows) + "\\VozozoRez.ini";
    if (width == 0) {
        DeleteFileA(file.c_str());
        return;
    }
    for (const auto& [key, value] : {std::pair{"Left", left}, {"Top", top}, {"Width", width}, {"Height", height},
                                     {"WindowsState", 1}})
        WritePrivateProfileStringA("Coordinates", key, std::to_string(value).c_str(), file.c_str());
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

TEST(Dialog, TerminateWritesTheReportOfAWorkerThatFaultedWhileTheDialogWasOpen)
{
    TDialogProgram program("dialog-terminate-worker");
    HWND dialog = WaitForDialog();
    ASSERT_NE(dialog, nullptr);
    Click(dialog, ThirdButton);
    EXPECT_EQ(program.Wait(), 1u);
    EXPECT_EQ(program.Blocks().size(), 2u);
    EXPECT_EQ(program.Debug().find("output again"), std::string::npos) << program.Debug();
}

TEST(Dialog, DetailsShowTheTabsAndTheListAndARowTellsTheMailslot)
{
    HANDLE slot = CreateMailslotA("\\\\.\\mailslot\\VozozoRez", 0, 0, nullptr);
    ASSERT_NE(slot, INVALID_HANDLE_VALUE);
    TDialogProgram program("dialog-details");
    HWND dialog = WaitForDialog();
    ASSERT_NE(dialog, nullptr);
    ClickDetails(dialog);
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
    // Our own pictures: the dialog's monitor with its red sign, and on the list a page of
    // source on the rows with a line.
    SettledPicture(dialog);
    RECT picture = WindowRect(dialog);
    picture.bottom = WindowRect(GetDlgItem(dialog, Tabs)).top;
    picture.right = WindowRect(GetDlgItem(dialog, TextStatic)).left;
    EXPECT_GT(Count(ScreenPicture(picture), RGB(210, 30, 30)), 100);
    const std::vector<COLORREF> rows = ScreenPicture(WindowRect(list));
    EXPECT_GT(Count(rows, RGB(0x21, 0x5E, 0xA8)), 20);
    // The list is reached by Tab; its first row is the throw, with a line: Enter on it writes
    // one record, and the dialog stays.
    ASSERT_TRUE(TabTo(dialog, list));
    PressKey(dialog, VK_HOME);
    ASSERT_TRUE(Eventually([&] { return SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED) == 0; }));
    PressKey(dialog, VK_RETURN);
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
    ASSERT_TRUE(IsWindowVisible(dialog));
    // Hiding the details again writes where the full form was.
    ClickDetails(dialog);
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

TEST(Dialog, EachFormIsDrawnWholeAfterTheSwitchAndTheGeneralPageOpensAtTheTop)
{
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    WritePlacement((screenWidth - 640) / 2, (screenHeight - 385) / 2, 640, 385);
    TDialogProgram program("dialog-terminate");
    HWND dialog = WaitForDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(WrongPixels(dialog), 0) << "compact";
    ClickDetails(dialog);
    ASSERT_TRUE(Visible(dialog, Tabs));
    EXPECT_EQ(WrongPixels(dialog), 0) << "full";
    // Both lines of the header are shown, above the tabs.
    RECT header = WindowRect(GetDlgItem(dialog, TextStatic));
    header.bottom = WindowRect(GetDlgItem(dialog, Tabs)).top;
    EXPECT_EQ(Bands(header, GetSysColor(COLOR_WINDOWTEXT)), 2);
    HWND page = FindWindowExA(dialog, nullptr, "#32770", nullptr);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(SendMessageA(GetDlgItem(page, PageContent), EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    // The page's text is reached by Tab as well.
    EXPECT_TRUE(TabTo(dialog, GetDlgItem(page, PageContent)));
    ClickDetails(dialog);
    ASSERT_FALSE(Visible(dialog, Tabs));
    EXPECT_EQ(WrongPixels(dialog), 0) << "compact again";
    Click(dialog, OkButton);
    EXPECT_EQ(program.Wait(), 56u);
}

// The compact form fits the message: at least 250 wide and at most 640, a line too wide for it
// wrapped into further lines, and taller only for text past 39 pixels; the text sits in the form
// with the frame's share beside it.
TEST(Dialog, TheCompactFormFitsTheMessage)
{
    const int frameWidth = (GetSystemMetrics(SM_CXFRAME) - 1) * 2 + 60;
    const int plainHeight = (GetSystemMetrics(SM_CYFRAME) - 1) * 2 + 88 + GetSystemMetrics(SM_CYSMCAPTION);
    struct TCase {
        std::string Message;
        int Width;  // 0: between the least and the most
        int Lines;  // 0: more than one, wrapped
    };
    int lineHeight = 0;  // of one line, from the first case
    for (const TCase& c : {TCase{"x", 250, 1}, TCase{"one|two|three", 250, 3}, TCase{"1|2|3|4|5|6", 250, 6},
                           TCase{"a line of some words that fits", 0, 1}, TCase{std::string(300, 'W'), 640, 0}}) {
        TDialogProgram program("dialog-message", "\"" + c.Message + "\"");
        HWND dialog = WaitForDialog();
        ASSERT_NE(dialog, nullptr) << c.Message;
        const RECT form = WindowRect(dialog), text = WindowRect(GetDlgItem(dialog, TextStatic));
        const int width = form.right - form.left, height = form.bottom - form.top;
        const int textWidth = text.right - text.left, textHeight = text.bottom - text.top;
        if (!lineHeight)
            lineHeight = textHeight;
        if (c.Width)
            EXPECT_EQ(width, c.Width) << c.Message;
        else
            EXPECT_TRUE(width > 250 && width < 640) << c.Message << ": " << width;
        EXPECT_EQ(textWidth, width - frameWidth) << c.Message;
        if (c.Lines)
            EXPECT_EQ(textHeight, c.Lines * lineHeight) << c.Message;
        else
            EXPECT_GT(textHeight, lineHeight) << c.Message;
        EXPECT_EQ(height, plainHeight + std::max(textHeight - 39, 0)) << c.Message;
        Click(dialog, OkButton);
        EXPECT_EQ(program.Wait(), 58u) << c.Message;
    }
}

// The full form comes back where it was, but never past an edge of the screen; one larger than
// the screen keeps its size and shows its top left corner. With nothing stored it is 640 x 385,
// in the middle of the screen.
TEST(Dialog, TheFullFormStaysOnTheScreenAtItsEdges)
{
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    // The largest window the system makes, a little larger than the screen.
    const int wide = GetSystemMetrics(SM_CXMAXTRACK), high = GetSystemMetrics(SM_CYMAXTRACK);
    ASSERT_GT(wide, screenWidth);
    ASSERT_GT(high, screenHeight);
    struct TCase {
        int Left, Top, Width, Height, ExpectedLeft, ExpectedTop;
    };
    for (const TCase& c : {TCase{5000, 5000, 600, 400, screenWidth - 600, screenHeight - 400},
                           TCase{-300, -50, 600, 400, 0, 0}, TCase{40, 30, 600, 400, 40, 30},
                           TCase{40, 30, wide, 400, 0, 30}, TCase{40, 30, 600, high, 40, 0},
                           TCase{-300, 5000, wide, high, 0, 0},
                           TCase{0, 0, 0, 0, (screenWidth - 640) / 2, (screenHeight - 385) / 2}}) {
        WritePlacement(c.Left, c.Top, c.Width, c.Height);
        TDialogProgram program("dialog-terminate");
        HWND dialog = WaitForDialog();
        ASSERT_NE(dialog, nullptr);
        ClickDetails(dialog);
        const RECT r = WindowRect(dialog);
        EXPECT_EQ(r.left, c.ExpectedLeft) << c.Left << "," << c.Top << " " << c.Width << "x" << c.Height;
        EXPECT_EQ(r.top, c.ExpectedTop) << c.Left << "," << c.Top << " " << c.Width << "x" << c.Height;
        EXPECT_EQ(r.right - r.left, c.Width ? c.Width : 640);
        EXPECT_EQ(r.bottom - r.top, c.Height ? c.Height : 385);
        Click(dialog, OkButton);
        EXPECT_EQ(program.Wait(), 56u);
    }
}

// Whichever way the report was to go, the user learns that it did not, and closes the box.
TEST(Dialog, AReportThatCannotBeMailedIsToldToTheUser)
{
    // A port that was just free: the mail server refuses the connection.
    int port;
    {
        test_support::TLoopbackSocket gone(1);
        port = gone.Port();
    }
    {
        TDialogProgram program("mail-refused", std::to_string(port));
        HWND box = WaitForBox("E-mail not sent");
        ASSERT_NE(box, nullptr);
        EXPECT_NE(BoxText(box).find("Connection error: "), std::string::npos) << BoxText(box);
        Click(box, IDOK);
        EXPECT_EQ(program.Wait(), 70u);
    }
    // No Simple MAPI library, and a mail program that cannot be started.
    TMailKeys keys(TestFolder() + "\\no-such-mapi.dll", "\"" + TestFolder() + "\\no-such-mailer.exe\" %1");
    TDialogProgram program("mail-shell");
    HWND box = WaitForBox("E-mail not sent");
    ASSERT_NE(box, nullptr);
    EXPECT_NE(BoxText(box).find("Cannot open the MAPI dll."), std::string::npos) << BoxText(box);
    Click(box, IDOK);
    EXPECT_EQ(program.Wait(), 70u);
}

// A report too long for a command line still opens the mail program, its body cut and saying so.
TEST(Dialog, ALongReportOpensTheMailProgramWithItsBodyCut)
{
    const fs::path record = fs::temp_directory_path() / ("crashlog-mailto-long-" + std::to_string(GetCurrentProcessId()));
    std::error_code ignored;
    fs::remove(record, ignored);
    const std::string command =
        "\"" + TestFolder() + "\\crashlog_crash.exe\" record-argument nolog \"" + record.string() + "\" %1";
    TMailKeys keys(TestFolder() + "\\no-such-mapi.dll", command);
    TDialogProgram program("mail-shell");
    EXPECT_EQ(program.Wait(), 70u);
    std::string url;
    // The mail program runs on its own; a bound only against it never writing.
    Eventually([&] {
        std::ifstream in(record, std::ios::binary);
        url.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        return !url.empty() && url.back() == '\n';
    });
    fs::remove(record, ignored);
    ASSERT_FALSE(url.empty());
    url.pop_back();
    EXPECT_EQ(url.rfind("mailto:a@example.org?Subject=Crash%20report&Body=A%20line%20of%20what", 0), 0u);
    EXPECT_LE(command.size() - 2 + url.size(), 32766u);
    EXPECT_GT(command.size() - 2 + url.size(), 32000u);
    const std::string note = "%5BThe%20report%20is%20cut%20here";
    EXPECT_NE(url.find(note), std::string::npos);
    EXPECT_EQ(FindWindowA("#32770", "E-mail not sent"), nullptr);
}

TEST(Dialog, APlugInsFaultShowsThePlugInsOwnDialogInAWindowedHost)
{
    // The host has no dialog of its own: the templates and pictures are the plug-in's.
    TDialogProgram program("plugin", "guard load:crashlog_plugin.dll command:fault free:0", "crashlog_plugin_host.exe");
    HWND dialog = WaitForDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ItemText(GetDlgItem(dialog, DetailsButton)), "&Details >>");
    EXPECT_EQ(ItemText(GetDlgItem(dialog, TextStatic)).rfind("Access violation at address ", 0), 0u);
    Click(dialog, OkButton);
    WaitGone(dialog);
    // The fault went on to the host's own guard, which kept the host going.
    EXPECT_EQ(program.Wait(), 0u);
    EXPECT_EQ(program.Blocks().size(), 1u);
    EXPECT_NE(program.Debug().find("[host guard]\n[command done]\n[unloaded]\n"), std::string::npos) << program.Debug();
}
