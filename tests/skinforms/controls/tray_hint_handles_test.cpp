// Handles held by the tray icon and the skinned hint after many uses, and a tray icon that
// starts minimized.
#include "skinforms/menus/support.h"

#include "skinforms/controls/Hint.h"
#include "skinforms/controls/TrayIcon.h"
#include "support/LiveHandles.h"

namespace {

using namespace menutest;

struct TQuietShell {
    int Adds = 0;
    TQuietShell()
    {
        SetNotifyIconCall([this](DWORD Message, const NOTIFYICONDATAA&) {
            Adds += Message == NIM_ADD ? 1 : 0;
            return true;
        });
    }
    ~TQuietShell() { SetNotifyIconCall(nullptr); }
};

TEST(TrayAndHintHandles, CyclingIconsAHundredTimesHoldsNoMoreThanOnce)
{
    TQuietShell shell;
    visual_test::TClockScope time;
    skctrltest::TTestForm form;
    auto* tray = new TskTrayIcon(form.Form);
    auto* list = new TImageList(form.Form);
    list->SetWidth(16);
    list->SetHeight(16);
    TBitmap strip;
    strip.SetSize(48, 16);
    strip.Fill(clBlue);
    list->Add(&strip, nullptr);
    tray->SetIconList(list);
    tray->SetAnimateTimerInterval(10);
    tray->SetCycleIcons(true);
    test_support::CountLiveHandles();
    time.clock.Advance(10);
    const auto before = test_support::CountLiveHandles();
    time.clock.Advance(1000);
    const auto leaked = test_support::CountLiveHandles() - before;
    EXPECT_EQ(leaked, test_support::TLiveHandles{}) << leaked;
    tray->Free();
}

TEST(TrayAndHintHandles, AHundredHintsHoldNoMoreThanOne)
{
    ASSERT_EQ(Application->MainForm(), nullptr);
    TForm* main = nullptr;
    Application->CreateForm(main);
    skctrltest::TTestSkin skin;
    TBitmap* picture = skin.Picture();
    picture->SetSize(40, 20);
    picture->Fill(clRed);
    auto* mask = skin.Data->ActivePictures.Add(std::make_unique<TBitmap>());
    mask->SetSize(40, 20);
    mask->Fill(clBlack);
    TskDataSkinHintWindow& d = *skin.Data->HintWindow;
    d.WindowPictureIndex = 0;
    d.MaskPictureIndex = 1;
    d.LTPoint = {3, 3};
    d.RTPoint = {37, 3};
    d.LBPoint = {3, 17};
    d.RBPoint = {37, 17};
    d.ClRect = {3, 3, 37, 17};
    auto* hint = new TskSkinHint(main);
    hint->SetSkinData(skin.Data);
    TskSkinHintWindow* window = hint->HintWindow();
    auto show = [&](int i) {
        window->ActivateHint({100, 100, 100, 100}, "hint " + std::to_string(i));
        skctrltest::Snapshot(window);
        hint->HideHint();
    };
    test_support::CountLiveHandles();
    show(0);
    const auto before = test_support::CountLiveHandles();
    for (int i = 1; i <= 100; ++i)
        show(i);
    const auto leaked = test_support::CountLiveHandles() - before;
    EXPECT_EQ(leaked, test_support::TLiveHandles{}) << leaked;
    main->Free();
    Application->ProcessMessages();
}

TEST(TrayIcon, MinimizedOnStartHidesTheApplicationAndShowsTheIcon)
{
    TQuietShell shell;
    skctrltest::TTestForm form;
    auto* tray = new TskTrayIcon(form.Form);
    tray->MinimizedOnStart = true;
    tray->MinimizeToTray = false;
    const bool showMain = Application->ShowMainForm();
    tray->Loaded();
    EXPECT_EQ(shell.Adds, 1);
    EXPECT_TRUE(tray->IconVisible());
    EXPECT_TRUE(tray->MinimizeToTray);
    EXPECT_FALSE(Application->ShowMainForm());
    EXPECT_FALSE(IsWindowVisible(Application->Handle()));
    Application->SetShowMainForm(showMain);
    tray->Free();
}

}  // namespace
