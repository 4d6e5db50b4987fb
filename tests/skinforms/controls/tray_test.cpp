// The tray icon: what the shell is told, mouse notifications and their timing, its popup menu,
// icon cycling, the restarted shell and minimizing to the tray.
#include "skinforms/menus/support.h"

#include <string>
#include <vector>

#include "skinforms/controls/TrayIcon.h"

namespace {

using namespace menutest;

// Records what would go to the shell instead of telling it.
struct TShellCalls {
    struct TCall {
        DWORD Message;
        NOTIFYICONDATAA Data;
    };
    std::vector<TCall> Calls;
    TShellCalls()
    {
        SetNotifyIconCall([this](DWORD Message, const NOTIFYICONDATAA& Data) {
            Calls.push_back({Message, Data});
            return true;
        });
    }
    ~TShellCalls() { SetNotifyIconCall(nullptr); }
    std::string Messages()
    {
        std::string s;
        for (const auto& c : Calls)
            s += c.Message == NIM_ADD ? "add " : c.Message == NIM_DELETE ? "delete " : "modify ";
        Calls.clear();
        return s;
    }
};

struct TTrayScene : TMenuScene {
    TShellCalls shell;
    TskTrayIcon* tray = new TskTrayIcon(form.Form);
    std::vector<std::string> events;
    TTrayScene()
    {
        tray->OnClick = [this](TObject*) { events.push_back("click"); };
        tray->OnDblClick = [this](TObject*) { events.push_back("dblclick"); };
        tray->OnMouseDown = [this](TObject*, TMouseButton B, TShiftState, int, int) {
            events.push_back("down " + std::to_string(B));
        };
        tray->OnMouseUp = [this](TObject*, TMouseButton B, TShiftState, int, int) {
            events.push_back("up " + std::to_string(B));
        };
        tray->OnBalloonHintClick = [this](TObject*) { events.push_back("balloon"); };
    }
    ~TTrayScene()
    {
        if (tray)
            tray->Free();
    }
    void Mouse(UINT Msg) { SendMessageA(tray->Handle(), WM_TRAYICONNOTIFY, 1, Msg); }
    std::string Events() { return visual_test::TakeLog(events); }
};

TEST(TrayIcon, TheRecordTheShellIsGiven)
{
    TTrayScene scene;
    EXPECT_EQ(scene.shell.Messages(), "");
    scene.tray->SetIconVisible(true);
    ASSERT_EQ(scene.shell.Calls.size(), 1u);
    const NOTIFYICONDATAA& d = scene.shell.Calls[0].Data;
    EXPECT_EQ(scene.shell.Calls[0].Message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(d.cbSize, 488u);
    EXPECT_EQ(d.hWnd, scene.tray->Handle());
    EXPECT_EQ(d.uID, 1u);
    EXPECT_EQ(d.uFlags, 7u);
    EXPECT_EQ(d.uCallbackMessage, 0x800u);
    EXPECT_EQ(d.hIcon, scene.tray->Icon()->Handle());
    EXPECT_EQ(d.szTip[0], 0);
    scene.shell.Messages();
    scene.tray->SetHint(std::string(200, 'h'));
    ASSERT_EQ(scene.shell.Calls.size(), 1u);
    EXPECT_EQ(scene.shell.Calls[0].Message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(std::string(scene.shell.Calls[0].Data.szTip), std::string(127, 'h'));
    scene.shell.Messages();
    scene.tray->SetShowHint(false);
    EXPECT_EQ(scene.shell.Calls[0].Data.szTip[0], 0);
    scene.shell.Messages();
    scene.tray->SetIconVisible(false);
    EXPECT_EQ(scene.shell.Messages(), "delete ");
    EXPECT_FALSE(scene.tray->IconVisible());
}

TEST(TrayIcon, ASingleClickFiresOnceAfterTheDoubleClickTimeADoubleClickNever)
{
    TTrayScene scene;
    const unsigned wait = GetDoubleClickTime();
    scene.Mouse(WM_LBUTTONDOWN);
    scene.Mouse(WM_LBUTTONUP);
    EXPECT_EQ(scene.Events(), "down 0; up 0");
    scene.time.clock.Advance(wait - 1);
    EXPECT_EQ(scene.Events(), "");
    scene.time.clock.Advance(1);
    EXPECT_EQ(scene.Events(), "click");
    scene.time.clock.Advance(wait * 3);
    EXPECT_EQ(scene.Events(), "");

    scene.Mouse(WM_LBUTTONDOWN);
    scene.Mouse(WM_LBUTTONUP);
    scene.Mouse(WM_LBUTTONDBLCLK);
    scene.Mouse(WM_LBUTTONUP);
    scene.time.clock.Advance(wait * 3);
    EXPECT_EQ(scene.Events(), "down 0; up 0; dblclick; up 0");

    // A release after the double-click time clicks at once.
    scene.Mouse(WM_LBUTTONDOWN);
    scene.time.clock.Advance(wait);
    scene.Mouse(WM_LBUTTONUP);
    EXPECT_EQ(scene.Events(), "down 0; click; up 0");

    // Switched off, the icon hears nothing.
    scene.tray->Enabled = false;
    scene.Mouse(WM_LBUTTONDOWN);
    scene.Mouse(TrayBalloonClick);
    EXPECT_EQ(scene.Events(), "");
    scene.tray->Enabled = true;
    scene.Mouse(TrayBalloonClick);
    scene.Mouse(WM_MBUTTONDOWN);
    EXPECT_EQ(scene.Events(), "balloon; down 2");
}

TEST(TrayIcon, RightButtonOpensTheMenuAtTheCursorAndADoubleClickRunsTheDefaultItem)
{
    TTrayScene scene;
    scene.Add("open")->SetDefault(true);
    scene.Add("quit");
    scene.tray->SetPopupMenu(scene.popup);
    scene.Log();
    scene.Mouse(WM_RBUTTONDOWN);
    ASSERT_EQ(scene.Levels(), 1);
    POINT cursor{};
    GetCursorPos(&cursor);
    EXPECT_EQ(scene.Level(0)->Left(), std::min<int>(cursor.x, GetSystemMetrics(SM_CXSCREEN) - scene.Level(0)->Width()));
    EXPECT_EQ(scene.popup->PopupComponent(), scene.tray);
    scene.Key(VK_ESCAPE);
    scene.Log();

    scene.Mouse(WM_LBUTTONDBLCLK);
    EXPECT_EQ(scene.Log(), "click open");
    scene.tray->PopupByLeftButton = true;
    scene.Mouse(WM_LBUTTONDBLCLK);
    EXPECT_EQ(scene.Log(), "");
    // With the left button the menu opens on the press.
    scene.Mouse(WM_LBUTTONDOWN);
    EXPECT_EQ(scene.Levels(), 1);
    scene.Key(VK_ESCAPE);

    // Without AutoPopup nothing opens.
    scene.popup->SetAutoPopup(false);
    scene.Mouse(WM_RBUTTONDOWN);
    EXPECT_EQ(scene.Levels(), 0);
}

TEST(TrayIcon, RemovedWhileItsMenuIsOpen)
{
    TTrayScene scene;
    scene.AddItems(2);
    scene.tray->SetPopupMenu(scene.popup);
    scene.tray->SetIconVisible(true);
    scene.Mouse(WM_RBUTTONDOWN);
    ASSERT_EQ(scene.Levels(), 1);
    scene.shell.Messages();
    scene.tray->Free();
    scene.tray = nullptr;
    // The icon left the tray; the menu stays usable and forgets the icon.
    EXPECT_EQ(scene.shell.Messages(), "delete ");
    EXPECT_EQ(scene.popup->PopupComponent(), nullptr);
    scene.Log();
    scene.Key(VK_RETURN);
    EXPECT_EQ(scene.Log(), "menu close; form 1228; mode off; click item0");
}

TEST(TrayIcon, AnIndexBeyondTheListIsClampedAndCyclingSteps)
{
    TTrayScene scene;
    auto* list = new TImageList(scene.form.Form);
    list->SetWidth(16);
    list->SetHeight(16);
    TBitmap strip;
    strip.SetSize(64, 16);
    strip.Fill(clRed);
    list->Add(&strip, nullptr);
    ASSERT_EQ(list->Count(), 4);
    scene.tray->SetIconList(list);
    EXPECT_EQ(scene.tray->IconIndex(), 0);
    scene.tray->SetIconIndex(99);
    EXPECT_EQ(scene.tray->IconIndex(), 3);
    EXPECT_FALSE(scene.tray->Icon()->Empty());

    std::vector<int> next;
    scene.tray->OnCycle = [&](TObject*, int NextIndex) { next.push_back(NextIndex); };
    scene.tray->SetAnimateTimerInterval(100);
    scene.tray->SetCycleIcons(true);
    scene.shell.Messages();
    scene.time.clock.Advance(500);
    EXPECT_EQ(next, (std::vector<int>{1, 2, 3, 0, 1}));
    EXPECT_EQ(scene.shell.Messages(), "modify modify modify modify modify ");
    scene.tray->SetCycleIcons(false);
    scene.time.clock.Advance(500);
    EXPECT_EQ(next.size(), 5u);
    // The list going away leaves the icon as it is.
    list->Free();
    EXPECT_EQ(scene.tray->IconList(), nullptr);
    scene.tray->SetIconIndex(2);
    EXPECT_EQ(scene.tray->IconIndex(), 0);
}

TEST(TrayIcon, ARestartedShellGetsAVisibleIconBackAndMinimizingShowsIt)
{
    TTrayScene scene;
    const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    scene.tray->SetIconVisible(false);
    scene.shell.Messages();
    SendMessageA(Application->Handle(), taskbarCreated, 0, 0);
    EXPECT_EQ(scene.shell.Messages(), "");
    scene.tray->SetIconVisible(true);
    scene.shell.Messages();
    SendMessageA(Application->Handle(), taskbarCreated, 0, 0);
    EXPECT_EQ(scene.shell.Messages(), "add ");

    scene.tray->SetIconVisible(false);
    scene.shell.Messages();
    SendMessageA(Application->Handle(), WM_SIZE, SIZE_MINIMIZED, 0);
    EXPECT_EQ(scene.shell.Messages(), "add ");
    EXPECT_TRUE(scene.tray->IconVisible());
    scene.tray->MinimizeToTray = false;
    scene.tray->SetIconVisible(false);
    scene.shell.Messages();
    SendMessageA(Application->Handle(), WM_SIZE, SIZE_MINIMIZED, 0);
    EXPECT_EQ(scene.shell.Messages(), "");
}

TEST(TrayIcon, TheCallbackWindowRefusesToCloseAndTheProceduresGoBack)
{
    TShellCalls shell;
    skctrltest::TTestForm form;
    form.Form->HandleNeeded();
    int appMessages = 0;
    const TWndMethod appBefore = Application->WindowProc;
    Application->WindowProc = [&](TMessage& Message) {
        if (Message.Msg == WM_APP)
            ++appMessages;
        appBefore(Message);
    };
    {
        TskTrayIcon* tray = new TskTrayIcon(form.Form);
        EXPECT_EQ(SendMessageA(tray->Handle(), WM_CLOSE, 0, 0), 1);
        EXPECT_EQ(SendMessageA(tray->Handle(), WM_QUERYENDSESSION, 0, 0), 1);
        EXPECT_TRUE(IsWindow(tray->Handle()));
        SendMessageA(Application->Handle(), WM_APP, 0, 0);
        EXPECT_EQ(appMessages, 1);
        tray->Free();
    }
    // Messages still reach the procedure that was there before.
    SendMessageA(Application->Handle(), WM_APP, 0, 0);
    EXPECT_EQ(appMessages, 2);
    Application->WindowProc = appBefore;
}

}  // namespace
