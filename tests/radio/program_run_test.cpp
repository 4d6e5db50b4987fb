// The whole program under Wine: the real TrebanixRadio.exe started as a child process against
// the local directory service, driven through its windows, and judged by what it leaves
// behind: its exit, its station cache and its settings.
#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include <vector>

#include "classlib/ole/ComObj.h"
#include "classlib/controls/Forms.h"
#include "classlib/system/KernelHandles.h"
#include "classlib/platform/Registry.h"
#include "radio/directory/RadioChannelManager.h"
#include "radio/directory/RegistryManager.h"
#include "ProgramRun.h"
#include "radio/player/StreamTestServer.h"
#include "support/RealInput.h"

using namespace program_test;

namespace {

// Adds the window's text and a line break to the std::string at Text.
BOOL CALLBACK AppendWindowText(HWND Window, LPARAM Text)
{
    reinterpret_cast<std::string*>(Text)->append(WindowText(Window) + "\n");
    return TRUE;
}

// A point of a window's client area on the screen.
POINT PointOf(HWND Window, int X, int Y)
{
    POINT p{X, Y};
    ClientToScreen(Window, &p);
    return p;
}

// What the screen shows of a check box's mark (the square left of its caption, where no focus
// frame reaches), once two looks a little apart agree: a box fades between its looks.
std::vector<COLORREF> SettledMark(HWND Box)
{
    RECT r{};
    GetClientRect(Box, &r);
    const POINT at = PointOf(Box, 0, 0);
    auto look = [&] {
        std::vector<COLORREF> pixels;
        HDC screen = GetDC(nullptr);
        for (int y = 0; y < r.bottom; ++y)
            for (int x = 0; x < 16; ++x)
                pixels.push_back(GetPixel(screen, at.x + x, at.y + y));
        ReleaseDC(nullptr, screen);
        return pixels;
    };
    std::vector<COLORREF> last = look();
    for (int i = 0; i < 50; ++i) {
        PollUntil([] { return false; }, 100);
        std::vector<COLORREF> now = look();
        if (now == last)
            return now;
        last = std::move(now);
    }
    return last;
}

class ProgramRunTest : public TProgramTest {
protected:
    static int StoredWindowPos()
    {
        TRegManager settings;
        return settings.GetRadioWindowPos();
    }
    static bool StoredLastSkin()
    {
        TRegManager settings;
        return settings.GetStoreRadioSkin();
    }

    // Clicks one of the main window's tool buttons until a window of the class shows; that
    // window, or null when none came.
    static HWND OpenWithToolButton(TProgramRun& Run, HWND Main, int Index, const char* ClassName)
    {
        HWND opened = nullptr;
        ClickToolButton(Main, Index, [&] {
            opened = Run.FindWindowOfClass(ClassName);
            return Shown(opened);
        });
        return Shown(opened) ? opened : nullptr;
    }

    // Clicks the skinned button of Window with this caption until Window closes; false when there
    // is no such button or the dialog stayed.
    static bool ClickButton(HWND Window, const std::string& Caption)
    {
        HWND button = FindChild(Window, "TskSkinButton", Caption);
        if (!button)
            return false;
        RECT r{};
        GetClientRect(button, &r);
        // Each of these buttons closes its dialog; a click that the still busy program lost is
        // given again, as a user would.
        return ClickUntil(button, r.right / 2, r.bottom / 2, [&] { return !IsWindow(Window) || !IsWindowVisible(Window); });
    }

    // Waits (bounded) until the dialog is gone or hidden.
    static bool Closed(HWND Dialog)
    {
        return PollUntil([&] { return !IsWindow(Dialog) || !IsWindowVisible(Dialog); });
    }

    // Closes the window as its close box would and waits for the program's exit code.
    static DWORD CloseAndWait(TProgramRun& Run, HWND Window)
    {
        PostMessageA(Window, WM_CLOSE, 0, 0);
        return Run.WaitForExit();
    }

    // A program that has started with a valid account and its stations, showing its main window.
    HWND StartListening(TProgramRun& Run)
    {
        Run.Start();
        return Run.WaitForVisibleWindow("TfrmRadioMain");
    }

    cl::TComApartment apartment_;
    TTempFolder folder_;
};

TEST_F(ProgramRunTest, ASecondInstanceEndsAtOnceShowingNothingWhileTheFirstGoesOn)
{
    UseKnownAccount();
    const std::string cache = StationCacheBytes();
    PlaceStationCache(folder_, cache);
    TProgramRun first(folder_);
    HWND main = StartListening(first);
    ASSERT_TRUE(main) << "the first instance showed no main window";

    TProgramRun second(folder_);
    second.Start();
    bool secondShowedWindow = false;
    EXPECT_TRUE(PollUntil([&] {
        for (HWND window : second.Windows())
            secondShowedWindow = secondShowedWindow || IsWindowVisible(window);
        return !second.Running();
    })) << "the second instance is still running";
    EXPECT_EQ(second.WaitForExit(), 0u);
    EXPECT_FALSE(secondShowedWindow);
    EXPECT_TRUE(first.Running());
    EXPECT_TRUE(Shown(main));

    EXPECT_EQ(CloseAndWait(first, main), 0u);
    // The stations came from the cache and go back to it as they were.
    EXPECT_EQ(StationCacheOf(folder_), cache);
}

// Whether the process has loaded the library (by its file name, in any case).
static bool HasLoaded(DWORD ProcessId, const char* Library)
{
    const HANDLE taken = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, ProcessId);
    if (taken == INVALID_HANDLE_VALUE)
        return false;
    const cl::TOwnedHandle snapshot(taken);
    MODULEENTRY32 module{};
    module.dwSize = sizeof module;
    bool found = false;
    for (BOOL more = Module32First(taken, &module); more && !found; more = Module32Next(taken, &module))
        found = lstrcmpiA(module.szModule, Library) == 0;
    return found;
}

TEST_F(ProgramRunTest, TheSecurityProviderLoadsOnlyWithTheFirstSecureConnection)
{
    UseKnownAccount();
    PlaceStationCache(folder_, StationCacheBytes());
    TProgramRun run(folder_);
    HWND main = StartListening(run);
    ASSERT_TRUE(main) << "no main window";
    EXPECT_FALSE(HasLoaded(run.ProcessId(), "secur32.dll"));
    EXPECT_TRUE(HasLoaded(run.ProcessId(), "user32.dll")) << "the module list is read";
    EXPECT_EQ(CloseAndWait(run, main), 0u);
}

TEST_F(ProgramRunTest, AnUnknownAccountShowsTheAccountDialogWhoseExitEndsTheProgramWithTheCacheAsItWas)
{
    UseUnknownAccount();
    const std::string cache = StationCacheBytes();
    PlaceStationCache(folder_, cache);
    TProgramRun run(folder_);
    run.Start();

    HWND dialog = run.WaitForVisibleWindow("TfrmLumraAccount");
    ASSERT_TRUE(dialog) << "no account dialog";
    // The main window is up behind it.
    EXPECT_TRUE(Shown(run.FindWindowOfClass("TfrmRadioMain")));
    ASSERT_TRUE(ClickButton(dialog, "Exit"));

    EXPECT_EQ(run.WaitForExit(), 0u) << "the program did not end on Exit";
    EXPECT_EQ(StationCacheOf(folder_), cache);
    // Only the cache is in the data folder: no temporary file left behind.
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder_.Path() + "data\\*").c_str(), &found);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    std::vector<std::string> names;
    do {
        if (std::string(found.cFileName) != "." && std::string(found.cFileName) != "..")
            names.push_back(found.cFileName);
    } while (FindNextFileA(find, &found));
    FindClose(find);
    EXPECT_EQ(names, std::vector<std::string>{"qsRadioChannels.xml"});
}

TEST_F(ProgramRunTest, AServiceFailingAtTheAccountCheckIsSaidOnceAndTheStoredAccountAndStationsStay)
{
    UseKnownAccount();
    const std::string user = TRegManager().GetUserName(), password = TRegManager().GetPassword();
    const std::string cache = StationCacheBytes();
    PlaceStationCache(folder_, cache);
    struct {
        int status;
        const wchar_t* body;
        const char* said;
    } failures[] = {{500, L"1", "status 500"},
                    {404, L"not found", "status 404"},
                    {200, L"<html><body><form action='/login'>Sign in to the network</form></body></html>", "a page"}};
    for (const auto& failure : failures) {
        SCOPED_TRACE(failure.said);
        service::Reply("/files/video/recserver20.html", failure.body, failure.status);
        TProgramRun run(folder_);
        run.Start();
        HWND box = run.WaitForVisibleWindow("#32770");
        ASSERT_TRUE(box) << "nothing was said";
        EXPECT_FALSE(Shown(run.FindWindowOfClass("TfrmLumraAccount")));
        std::string text;
        EnumChildWindows(box, &AppendWindowText, reinterpret_cast<LPARAM>(&text));
        EXPECT_NE(text.find(failure.said), std::string::npos) << text;
        const std::string service = "directory service";
        EXPECT_EQ(text.find(service, text.find(service) + 1), std::string::npos) << text;

        HWND ok = FindChild(box, "Button", "OK");
        ASSERT_TRUE(ok);
        ClickAt(ok, 5, 5);
        HWND main = run.WaitForVisibleWindow("TfrmRadioMain");
        ASSERT_TRUE(main);
        EXPECT_TRUE(Closed(box));
        EXPECT_EQ(CloseAndWait(run, main), 0u);
        EXPECT_EQ(TRegManager().GetUserName(), user);
        EXPECT_EQ(TRegManager().GetPassword(), password);
        EXPECT_EQ(StationCacheOf(folder_), cache);
    }
}

// "0" is the service's list for an account it does not know as well as for one without
// stations: only the account check tells them apart.
TEST_F(ProgramRunTest, AnEmptyListOnReloadEmptiesTheStationsOnlyForAnAcceptedAccount)
{
    const std::string cache = StationCacheBytes();
    std::string emptied;
    {
        TTempFolder other;
        {
            TRadioChannelManager directory(other.Path());
            directory.LoadFromXmlString("<Stations/>");
        }
        emptied = StationCacheOf(other);
    }
    struct {
        const char* account;
        bool refused;
        const std::string& stored;  // the cache once the program has ended
    } cases[] = {{"mistyped", true, cache}, {"accepted", false, emptied}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.account);
        service::Reset();
        UseKnownAccount();
        service::Scenario("empty");
        PlaceStationCache(folder_, cache);
        TProgramRun run(folder_);
        HWND main = StartListening(run);
        ASSERT_TRUE(main);
        // Changed in the options while the program runs.
        if (c.refused)
            UseUnknownAccount();
        HWND dialog = nullptr;
        ASSERT_TRUE(ClickToolButton(main, kReloadButton, [&] {
            dialog = run.FindWindowOfClass("TfrmLumraAccount");
            return c.refused ? Shown(dialog) : !service::Requests().empty();
        })) << "\"Reload\" did nothing";
        if (c.refused) {
            ASSERT_TRUE(ClickButton(dialog, "Exit"));
            EXPECT_TRUE(Shown(main));
        } else {
            EXPECT_FALSE(Shown(dialog));
        }
        ASSERT_TRUE(ClickToolButton(main, kExitButton, [&] { return !run.Running(); }));
        EXPECT_EQ(run.WaitForExit(), 0u);
        EXPECT_EQ(StationCacheOf(folder_), c.stored);
    }
}

TEST_F(ProgramRunTest, OneClickOnExitWhileTheAccountIsCheckedEndsTheProgram)
{
    UseKnownAccount();
    const std::string cache = StationCacheBytes();
    PlaceStationCache(folder_, cache);
    // A service that answers late, and one that never answers (the program waits up to its bound).
    for (const int delayMs : {2500, 30000}) {
        SCOPED_TRACE(delayMs);
        service::Reply("/files/video/recserver20.html", L"1", 200, delayMs);
        TProgramRun run(folder_);
        run.Start();
        HWND main = run.WaitForVisibleWindow("TfrmRadioMain");
        ASSERT_TRUE(main);
        HWND toolbar = FindChild(main, "TskSkinToolBar");
        ASSERT_TRUE(toolbar);
        RECT client{};
        GetClientRect(toolbar, &client);
        ClickAt(toolbar, kExitButton * kToolButtonWidth + kToolButtonWidth / 2, client.bottom / 2);
        EXPECT_EQ(run.WaitForExit(), 0u) << "the click was lost";
        EXPECT_EQ(StationCacheOf(folder_), cache);
    }
}

TEST_F(ProgramRunTest, SmallPlacesTheCompactWindowByTheStoredCornerFullBringsTheMainWindowBackAndClosingItEnds)
{
    UseKnownAccount();
    PlaceStationCache(folder_, StationCacheBytes());
    {
        // A value that names no corner: the upper right one, stored again as such.
        TRegManager settings;
        settings.SetRadioWindowPos(7);
    }
    TProgramRun run(folder_);
    HWND main = StartListening(run);
    ASSERT_TRUE(main);

    HWND compact = OpenWithToolButton(run, main, kSmallButton, "TfrmRadioSmallForm");
    ASSERT_TRUE(compact) << "\"Small\" showed no compact window";
    EXPECT_TRUE(PollUntil([&] { return !IsWindowVisible(main); })) << "the main window stayed";
    const cl::TRect area = cl::Screen->WorkAreaRect();
    const cl::TRect placed = ScreenRect(compact);
    EXPECT_EQ(placed.Right, area.Right);
    EXPECT_EQ(placed.Top, area.Top);
    EXPECT_EQ(StoredWindowPos(), 0);
    EXPECT_TRUE(GetWindowLongA(compact, GWL_EXSTYLE) & WS_EX_TOPMOST);

    ASSERT_TRUE(ClickUntil(compact, kFullX, kFullY, [&] { return Shown(main); }))
        << "\"Full\" did not bring the main window back";
    EXPECT_TRUE(PollUntil([&] { return !IsWindowVisible(compact); }));

    // Twice, so that the way back is known to work more than once.
    ASSERT_TRUE(ClickToolButton(main, kSmallButton, [&] { return Shown(compact) && !IsWindowVisible(main); }));
    ASSERT_TRUE(ClickUntil(compact, kFullX, kFullY, [&] { return Shown(main) && !IsWindowVisible(compact); }));

    // Closing the compact window ends the whole program.
    ASSERT_TRUE(ClickToolButton(main, kSmallButton, [&] { return Shown(compact); }));
    EXPECT_EQ(CloseAndWait(run, compact), 0u);
    EXPECT_EQ(StoredWindowPos(), 0);
}

// Each switch ends the player's thread of the station before: one that threw on its way out (the
// first two stations refuse the connection) or one that plays (the third), whose connection
// the switch closes. Run again by a test of its own under Wine's heap check, which fails on a
// free of freed memory.
TEST_F(ProgramRunTest, StationSwitchesEndThePlayersThreadsCleanly)
{
    UseKnownAccount();
    player_test::TStreamTestServer server;
    const std::string streams[] = {"http://127.0.0.1:1/one.mp3", "http://127.0.0.1:1/two.mp3",
                                   server.Url("/tone.mp3")};
    std::string stations;
    for (int i = 0; i < 3; ++i)
        stations += "<Station Name=\"Station " + std::to_string(i) + "\" StreamURL=\"" + streams[i] +
                    "\" Category=\"Tones\" FavoriteOrder=\"" + std::to_string(i) + "\"/>";
    PlaceStationCache(folder_, StationCacheBytes(stations));
    TProgramRun run(folder_);
    HWND main = StartListening(run);
    ASSERT_TRUE(main) << "the program did not start";
    HWND list = FindChild(main, "TskSkinCategoryButtons");
    ASSERT_TRUE(list);
    // The favourites are the first buttons, 20 pixels high, under the caption of their open group.
    constexpr int FirstMiddle = 38, ButtonHeight = 20;
    for (int round = 0; round < 5; ++round) {
        for (int i = 0; i < 3; ++i)
            ASSERT_TRUE(ClickUntil(list, 40, FirstMiddle + i * ButtonHeight,
                                   [&] { return TRegManager().GetLastRadioURL() == streams[i]; }))
                << "round " << round << ", station " << i;
        const std::uint64_t sent = server.BytesSent();
        EXPECT_TRUE(PollUntil([&] { return server.BytesSent() > sent; })) << "round " << round << ": nothing plays";
        ASSERT_TRUE(ClickUntil(list, 40, FirstMiddle, [&] { return TRegManager().GetLastRadioURL() == streams[0]; }));
        EXPECT_TRUE(PollUntil([&] { return server.Open() == 0; })) << "round " << round << ": the stream stayed open";
    }
    EXPECT_EQ(CloseAndWait(run, main), 0u);
}

TEST_F(ProgramRunTest, SettingsStoredWithAnotherTypeNeitherStopTheStartNorSmall)
{
    UseKnownAccount();
    PlaceStationCache(folder_, StationCacheBytes());
    {
        cl::TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(TRegManager::KeyPath(rkGeneral), true));
        reg.WriteString("Radio Skin", "3");
        reg.WriteString("Store Radio Skin", "1");
        reg.WriteInteger("Last Radio URL", 3);
        reg.WriteString("Radio Window Pos", "2");
    }
    TProgramRun run(folder_);
    HWND main = StartListening(run);
    ASSERT_TRUE(main) << "the program did not start";

    // Read as the upper right corner.
    HWND compact = OpenWithToolButton(run, main, kSmallButton, "TfrmRadioSmallForm");
    ASSERT_TRUE(compact) << "\"Small\" showed no compact window";
    const cl::TRect area = cl::Screen->WorkAreaRect();
    const cl::TRect placed = ScreenRect(compact);
    EXPECT_EQ(placed.Right, area.Right);
    EXPECT_EQ(placed.Top, area.Top);
    EXPECT_EQ(CloseAndWait(run, compact), 0u);
}

TEST_F(ProgramRunTest, OptionsChosenInTheDialogSurviveARestart)
{
    UseKnownAccount();
    PlaceStationCache(folder_, StationCacheBytes());
    {
        TProgramRun run(folder_);
        HWND main = StartListening(run);
        ASSERT_TRUE(main);
        HWND options = OpenWithToolButton(run, main, kOptionsButton, "TfrmOptions");
        ASSERT_TRUE(options) << "\"Options\" opened no dialog";

        // "Bottom left", the last of the corners, chosen with the arrow key in their combo box.
        HWND corners = FindChild(options, "TskSkinComboBox");
        ASSERT_TRUE(corners);
        for (int i = 0; i < 5; ++i)
            PressKey(corners, VK_DOWN);
        ASSERT_TRUE(PollUntil([&] { return WindowText(corners) == "Bottom left"; })) << WindowText(corners);
        // " Save last used skin" on.
        HWND lastSkin = FindChild(options, "TskSkinCheckRadioBox");
        ASSERT_TRUE(lastSkin);
        // The box takes the focus before it turns, which a window not yet active cannot give.
        ASSERT_TRUE(PollUntil([&] { return GetForegroundWindow() == options; })) << "the options never became active";
        // OK is pressed only once the box's mark shows it turned: a mark unlike the box's plain
        // one and its hovered one (the pointer stays over it after the click).
        const std::vector<COLORREF> plain = SettledMark(lastSkin);
        const POINT mark = PointOf(lastSkin, 10, 10);
        test_support::PointerAtScreen(mark.x, mark.y);
        PollUntil([&] { return SettledMark(lastSkin) != plain; }, 3000);
        const std::vector<COLORREF> hovered = SettledMark(lastSkin);
        ClickAt(lastSkin, 10, 10);
        ASSERT_TRUE(PollUntil([&] {
            const std::vector<COLORREF> now = SettledMark(lastSkin);
            return now != plain && now != hovered;
        })) << "the box did not turn";

        ASSERT_TRUE(ClickButton(options, "OK"));
        ASSERT_TRUE(Closed(options)) << "\"OK\" did not close the options";
        EXPECT_EQ(StoredWindowPos(), 3);
        EXPECT_TRUE(StoredLastSkin());

        ASSERT_EQ(CloseAndWait(run, main), 0u);
    }
    // The shut-down wrote nothing over them.
    EXPECT_EQ(StoredWindowPos(), 3);
    EXPECT_TRUE(StoredLastSkin());

    TProgramRun run(folder_);
    HWND main = StartListening(run);
    ASSERT_TRUE(main);
    HWND compact = OpenWithToolButton(run, main, kSmallButton, "TfrmRadioSmallForm");
    ASSERT_TRUE(compact);
    const cl::TRect area = cl::Screen->WorkAreaRect();
    const cl::TRect placed = ScreenRect(compact);
    EXPECT_EQ(placed.Left, area.Left);
    EXPECT_EQ(placed.Bottom, area.Bottom);

    // The dialog opens with them again.
    ASSERT_TRUE(ClickUntil(compact, kFullX, kFullY, [&] { return Shown(main); }));
    HWND options = OpenWithToolButton(run, main, kOptionsButton, "TfrmOptions");
    ASSERT_TRUE(options);
    HWND corners = FindChild(options, "TskSkinComboBox");
    ASSERT_TRUE(corners);
    EXPECT_EQ(WindowText(corners), "Bottom left");
    ASSERT_TRUE(ClickButton(options, "Cancel"));
    ASSERT_TRUE(Closed(options));
    EXPECT_EQ(CloseAndWait(run, main), 0u);
    EXPECT_EQ(StoredWindowPos(), 3);
}

}  // namespace
