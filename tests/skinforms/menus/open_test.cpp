// Opening, choosing and closing skinned popup menus on real windows.
#include "skinforms/menus/support.h"

namespace {

using namespace menutest;

TEST(SkinMenuOpen, AtAPointWithoutActivationAndWithTheFirstRowActive)
{
    TMenuScene scene;
    scene.AddItems(3);
    const HWND foreground = GetForegroundWindow();
    scene.popup->Popup(100, 120);
    ASSERT_EQ(scene.Levels(), 1);
    TskSkinPopupWindow* level = scene.Level(0);
    EXPECT_TRUE(scene.Menu()->Visible);
    EXPECT_TRUE(scene.frame->InMenuMode());
    RECT r{};
    GetWindowRect(level->Handle(), &r);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 120);
    // Three rows of 20 in a 2-pixel frame.
    EXPECT_EQ(r.bottom - r.top, 64);
    const LONG_PTR ex = GetWindowLongPtrA(level->Handle(), GWL_EXSTYLE);
    EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(ex & WS_EX_TOPMOST);
    EXPECT_TRUE(GetWindowLongPtrA(level->Handle(), GWL_STYLE) & WS_POPUP);
    EXPECT_EQ(SendMessageA(level->Handle(), WM_MOUSEACTIVATE, 0, 0), MA_NOACTIVATE);
    Application->ProcessMessages();
    EXPECT_EQ(GetForegroundWindow(), foreground);
    EXPECT_EQ(level->ActiveItem, 0);
    EXPECT_TRUE(level->Items(0)->AutoActive);
    EXPECT_EQ(ShownMenuWindows().size(), 1u);
    EXPECT_EQ(scene.popup->PopupPoint(), (TPoint{100, 120}));
}

TEST(SkinMenuOpen, NothingShowsWithoutFrameOrChildren)
{
    TMenuScene scene;
    // A root without children opens nothing.
    scene.popup->Popup(10, 10);
    EXPECT_EQ(scene.Levels(), 0);
    EXPECT_FALSE(scene.Menu()->Visible);

    // A menu on a form without a frame shows nothing at all.
    skctrltest::TTestForm bare;
    auto* popup = new TskSkinPopupMenu(bare.Form);
    auto* item = new TMenuItem(popup);
    item->SetCaption("x");
    popup->Items()->Add(item);
    popup->Popup(10, 10);
    EXPECT_TRUE(ShownMenuWindows().empty());

    // PopupForControl waits for a skin.
    scene.AddItems(2);
    scene.popup->PopupForControl(scene.form.Form, 10, 10);
    EXPECT_EQ(scene.Levels(), 0);
}

TEST(SkinMenuOpen, AllChildrenInvisibleOpensAnEmptyLevelOfMinimumSize)
{
    TMenuScene scene;
    scene.Add("a")->SetVisible(false);
    scene.popup->Popup(50, 50);
    ASSERT_EQ(scene.Levels(), 1);
    EXPECT_EQ(scene.Level(0)->ItemCount(), 0);
    EXPECT_EQ(scene.Level(0)->Height(), 4);
    EXPECT_EQ(scene.Level(0)->ActiveItem, -1);
    scene.Key(VK_DOWN);
    EXPECT_EQ(scene.Level(0)->ActiveItem, -1);
}

TEST(SkinMenuChoose, EnterRunsTheCommandOnceAfterEverythingClosed)
{
    TMenuScene scene;
    std::vector<std::string>& log = scene.log;
    auto* client = new TMenuClient(scene.form.Form, &log);
    client->SetParent(scene.form.Form);
    client->SetBounds(0, 0, 50, 50);
    skctrltest::TTestSkin skin;
    scene.frame->Skin = skin.Data;
    scene.AddItems(3);
    scene.popup->PopupForControl(client, 100, 100);
    ASSERT_EQ(scene.Levels(), 1);
    scene.Log();
    // The command sees no menu windows any more.
    scene.popup->Items()->Items(1)->OnClick = [&](TObject*) {
        log.push_back("click item1 windows=" + std::to_string(ShownMenuWindows().size()));
    };
    scene.Key(VK_DOWN);
    EXPECT_EQ(scene.Level(0)->ActiveItem, 1);
    scene.Key(VK_RETURN);
    EXPECT_EQ(scene.Log(), "control 1228; menu close; form 1228; mode off; click item1 windows=0; control 1229");
    EXPECT_EQ(scene.Levels(), 0);
    EXPECT_FALSE(scene.Menu()->Visible);
    EXPECT_FALSE(scene.frame->InMenuMode());
    // Nothing more arrives later.
    Application->ProcessMessages();
    EXPECT_EQ(scene.Log(), "");
}

TEST(SkinMenuChoose, MouseReleaseOnARowChoosesItButNotSeparatorsOrDisabledRows)
{
    TMenuScene scene;
    scene.Add("a");
    scene.Add("-");
    scene.Add("b")->SetEnabled(false);
    scene.Add("c");
    scene.popup->Popup(100, 100);
    scene.Log();
    scene.ClickRow(0, 1);
    scene.ClickRow(0, 2);
    EXPECT_EQ(scene.Levels(), 1);
    EXPECT_EQ(scene.Log(), "");
    scene.ClickRow(0, 3);
    EXPECT_EQ(scene.Log(), "menu close; form 1228; mode off; click c");
    EXPECT_EQ(scene.Levels(), 0);
}

TEST(SkinMenuChoose, KeysSkipSeparatorsAndDisabledRowsAndWrap)
{
    TMenuScene scene;
    scene.Add("a");
    scene.Add("-");
    scene.Add("b")->SetEnabled(false);
    scene.Add("c");
    scene.popup->Popup(100, 100);
    TskSkinPopupWindow* level = scene.Level(0);
    EXPECT_EQ(level->ActiveItem, 0);
    scene.Key(VK_DOWN);
    EXPECT_EQ(level->ActiveItem, 3);
    EXPECT_TRUE(level->Items(3)->Active);
    EXPECT_FALSE(level->Items(0)->Active);
    scene.Key(VK_DOWN);
    EXPECT_EQ(level->ActiveItem, 0);
    scene.Key(VK_UP);
    EXPECT_EQ(level->ActiveItem, 3);
    scene.Key(VK_UP);
    EXPECT_EQ(level->ActiveItem, 0);
}

TEST(SkinMenuChoose, NoSelectableRowLeavesNoneActiveAndKeysEnd)
{
    TMenuScene scene;
    scene.Add("-");
    scene.Add("x")->SetEnabled(false);
    scene.popup->Popup(100, 100);
    TskSkinPopupWindow* level = scene.Level(0);
    EXPECT_EQ(level->ActiveItem, -1);
    scene.Key(VK_DOWN);
    scene.Key(VK_UP);
    scene.Key(VK_RETURN);
    EXPECT_EQ(level->ActiveItem, -1);
    EXPECT_EQ(scene.Levels(), 1);
}

TEST(SkinMenuChoose, MnemonicChoosesAndADisabledLevelIgnoresIt)
{
    TMenuScene scene;
    scene.Add("&Open");
    scene.Add("&Save");
    scene.popup->Popup(100, 100);
    scene.Log();
    EnableWindow(scene.Level(0)->Handle(), FALSE);
    scene.Key('S');
    EXPECT_EQ(scene.Levels(), 1);
    EnableWindow(scene.Level(0)->Handle(), TRUE);
    scene.Key('S');
    EXPECT_EQ(scene.Log(), "menu close; form 1228; mode off; click &Save");
}

TEST(SkinMenuClose, EveryClosingMessageOfTheFormClosesTheMenu)
{
    const UINT closing[] = {WM_MOVE,          WM_SIZE,          WM_ACTIVATE,      WM_KILLFOCUS,   WM_CANCELMODE,
                            WM_MOUSEACTIVATE, WM_NCLBUTTONDOWN, WM_NCRBUTTONDOWN, WM_NCMBUTTONDOWN, WM_LBUTTONDOWN,
                            WM_RBUTTONDOWN,   WM_MBUTTONDOWN,   WM_PARENTNOTIFY};
    TMenuScene scene;
    scene.AddItems(2);
    for (UINT msg : closing) {
        scene.popup->Popup(100, 100);
        ASSERT_EQ(scene.Levels(), 1);
        scene.Log();
        // Parameters that make the form itself do nothing visible.
        WPARAM wp = msg == WM_ACTIVATE ? WA_ACTIVE : 0;
        LPARAM lp = msg == WM_MOUSEACTIVATE ? MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN) : 0;
        SendMessageA(scene.form.Form->Handle(), msg, wp, lp);
        EXPECT_EQ(scene.Levels(), 0) << "message " << msg;
        EXPECT_TRUE(ShownMenuWindows().empty()) << "message " << msg;
        EXPECT_EQ(scene.Log(), "menu close; form 1228; mode off") << "message " << msg;
        EXPECT_FALSE(scene.frame->InMenuMode());
    }
    // Other messages leave it open.
    scene.popup->Popup(100, 100);
    SendMessageA(scene.form.Form->Handle(), WM_MOUSEMOVE, 0, 0);
    SendMessageA(scene.form.Form->Handle(), WM_SETCURSOR, 0, 0);
    EXPECT_EQ(scene.Levels(), 1);
}

TEST(SkinMenuClose, EscapeTheAppLosingActivationAndASkinChangeClose)
{
    TMenuScene scene;
    scene.AddItems(2);
    scene.popup->Popup(100, 100);
    scene.Log();
    scene.Key(VK_ESCAPE);
    EXPECT_EQ(scene.Levels(), 0);
    EXPECT_EQ(scene.Log(), "menu close; form 1228; mode off");

    scene.popup->Popup(100, 100);
    scene.Log();
    SendMessageA(scene.form.Form->Handle(), WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_EQ(scene.Levels(), 0);
    EXPECT_EQ(scene.Log(), "menu close; form 1228; mode off");

    scene.popup->Popup(100, 100);
    SendMessageA(scene.form.Form->Handle(), WM_BEFORECHANGESKINDATA, 0, SkinMessageLParam);
    EXPECT_EQ(scene.Levels(), 0);
}

TEST(SkinMenuClose, MenuModeTakesKeysAndWheelAndGivesTheHookBack)
{
    TMenuScene scene;
    int seen = 0;
    Application->OnMessage = [&](MSG& Msg, bool&) {
        if (Msg.message == WM_KEYDOWN || Msg.message == WM_MOUSEWHEEL)
            ++seen;
    };
    scene.AddItems(2);
    scene.popup->Popup(100, 100);
    scene.Key(VK_DOWN);
    PostMessageA(scene.form.Form->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    Application->ProcessMessages();
    EXPECT_EQ(seen, 0);
    scene.Key(VK_ESCAPE);
    scene.Key(VK_DOWN);
    EXPECT_EQ(seen, 1);
    Application->OnMessage = nullptr;
}

TEST(SkinMenuClose, OpeningAnotherMenuClosesTheFirstOnce)
{
    TMenuScene scene;
    scene.AddItems(2);
    scene.popup->Popup(100, 100);
    scene.Log();
    scene.popup->Popup(200, 200);
    EXPECT_EQ(scene.Levels(), 1);
    EXPECT_EQ(ShownMenuWindows().size(), 1u);
    // The first opening's close event fired once; the second opening armed it again.
    EXPECT_EQ(scene.Log(), "mode off; mode on; menu close");
    scene.Key(VK_ESCAPE);
    EXPECT_EQ(scene.Log(), "menu close; form 1228; mode off");
}

}  // namespace
