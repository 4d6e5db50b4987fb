// Skinned hints: the window's size, place and look with and without a skin, the active
// component, hints on request and what the component leaves behind when it goes.
#include <gtest/gtest.h>

#include "classlib/controls/support.h"
#include "skin/drawing/System.h"
#include "skin/drawing/Utils.h"
#include "skin/bases/support.h"
#include "skinforms/controls/Hint.h"

namespace {

using namespace cl;
using namespace sk;

// A main form (the application's first) with one skinned hint on it.
struct THintScene {
    visual_test::TClockScope time;
    TForm* main = nullptr;
    TskSkinHint* hint = nullptr;
    THintScene()
    {
        EXPECT_EQ(Application->MainForm(), nullptr);
        Application->CreateForm(main);
        hint = new TskSkinHint(main);
    }
    ~THintScene()
    {
        main->Free();
        Application->ProcessMessages();
    }
    // A hint window as the application makes it.
    TskSkinHintWindow* NewWindow()
    {
        THintWindow* w = HintWindowClass(main);
        auto* skinned = dynamic_cast<TskSkinHintWindow*>(w);
        EXPECT_NE(skinned, nullptr);
        return skinned;
    }
};

std::unique_ptr<TBitmap> Snapshot(TWinControl* Control)
{
    return skctrltest::Snapshot(Control);
}

TColor Rgb(TColor C) { return ColorToRGB(C); }

TEST(SkinHint, PlainLookTextSizedAndKeptOnTheScreen)
{
    THintScene scene;
    TskSkinHintWindow* window = scene.NewWindow();
    window->ActivateHint({100, 120, 100, 120}, "Volume");
    ASSERT_TRUE(window->HandleAllocated());
    EXPECT_TRUE(IsWindowVisible(window->Handle()));
    EXPECT_FALSE(GetWindowLongA(window->Handle(), GWL_STYLE) & WS_BORDER);
    TFont font;
    font.Assign(scene.hint->DefaultFont());
    TBitmap probe;
    probe.SetSize(1, 1);
    probe.Canvas()->Font()->Assign(&font);
    const TSize extent = probe.Canvas()->TextExtent("Volume");
    EXPECT_EQ(window->Width(), extent.cx + 4);
    EXPECT_EQ(window->Height(), extent.cy + 4);
    EXPECT_EQ(window->Left(), 100);
    EXPECT_EQ(window->Top(), 120);
    const auto shot = Snapshot(window);
    EXPECT_EQ(shot->Pixels(0, 0), Rgb(clBtnShadow));
    EXPECT_EQ(shot->Pixels(1, 1), Rgb(clInfoBk));

    // Near the bottom-right corner it moves left and up by its size and 2 more.
    const int w = window->Width();
    const int h = window->Height();
    const int x = Screen->Width() - 5;
    const int y = Screen->Height() - 5;
    window->ActivateHint({x, y, x, y}, "Volume");
    EXPECT_EQ(window->Left(), x - w - 2);
    EXPECT_EQ(window->Top(), y - h - 2);
    window->Free();
}

TEST(SkinHint, SkinnedLookIsNeverSmallerThanItsPicture)
{
    THintScene scene;
    skctrltest::TTestSkin skin;
    TBitmap* picture = skin.Picture();
    picture->SetSize(60, 30);
    picture->Fill(clRed);
    picture->Canvas()->Brush()->SetColor(clYellow);
    picture->Canvas()->FillRect({5, 5, 55, 25});
    TskDataSkinHintWindow& d = *skin.Data->HintWindow;
    d.WindowPictureIndex = 0;
    d.LTPoint = {5, 5};
    d.RTPoint = {55, 5};
    d.LBPoint = {5, 25};
    d.RBPoint = {55, 25};
    d.ClRect = {5, 5, 55, 25};
    d.LeftStretch = d.TopStretch = d.RightStretch = d.BottomStretch = true;
    scene.hint->SetSkinData(skin.Data);
    TskSkinHintWindow* window = scene.NewWindow();
    window->ActivateHint({100, 100, 100, 100}, "a");
    EXPECT_EQ(window->Width(), 60);
    EXPECT_EQ(window->Height(), 30);
    auto shot = Snapshot(window);
    EXPECT_EQ(shot->Pixels(1, 1), Rgb(clRed));
    EXPECT_EQ(shot->Pixels(58, 28), Rgb(clRed));
    EXPECT_EQ(shot->Pixels(6, 6), Rgb(clYellow));

    const std::string text(40, 'W');
    window->ActivateHint({100, 100, 100, 100}, text);
    EXPECT_GT(window->Width(), 60);
    EXPECT_EQ(window->ClRect.Right, window->Width() - 5);
    shot = Snapshot(window);
    EXPECT_EQ(shot->Pixels(window->Width() - 2, 1), Rgb(clRed));

    // A font taller than any screen: the hint keeps to the work area, and paints.
    d.FontHeight = 30000;
    window->ActivateHint({100, 100, 100, 100}, text);
    const TRect area = GetDesktopWorkArea(true);
    EXPECT_LE(window->Width(), area.Width());
    EXPECT_LE(window->Height(), area.Height());
    EXPECT_GE(window->Left(), area.Left);
    EXPECT_GE(window->Top(), area.Top);
    shot = Snapshot(window);
    EXPECT_EQ(shot->Pixels(1, 1), Rgb(clRed));

    // The skin going away leaves the plain look.
    skin.Remove();
    EXPECT_EQ(scene.hint->SkinData(), nullptr);
    window->ActivateHint({100, 100, 100, 100}, "a");
    shot = Snapshot(window);
    EXPECT_EQ(shot->Pixels(0, 0), Rgb(clBtnShadow));
    window->Free();
}

TEST(SkinHint, OnlyOneActiveAndNoneShowsNothing)
{
    THintScene scene;
    auto* second = new TskSkinHint(scene.main);
    second->SetActive(true);
    EXPECT_FALSE(scene.hint->Active());
    EXPECT_EQ(ActiveSkinHint(), second);
    scene.hint->SetActive(true);
    EXPECT_FALSE(second->Active());
    scene.hint->SetActive(false);
    EXPECT_EQ(ActiveSkinHint(), nullptr);
    TskSkinHintWindow* window = scene.NewWindow();
    window->ActivateHint({100, 100, 100, 100}, "x");
    EXPECT_FALSE(window->HandleAllocated() && IsWindowVisible(window->Handle()));
    window->Free();
}

TEST(SkinHint, OnRequestAfterThePauseHiddenAfterTheHidePause)
{
    THintScene scene;
    TskSkinHintWindow* window = scene.hint->HintWindow();
    auto shown = [&] { return window->HandleAllocated() && IsWindowVisible(window->Handle()); };
    const unsigned pause = Application->HintPause();
    const unsigned hide = Application->HintHidePause();
    scene.hint->ActivateHintDelayed("first");
    scene.time.clock.Advance(pause - 1);
    EXPECT_FALSE(shown());
    // A second request restarts the pause with its own text.
    scene.hint->ActivateHintDelayed("second");
    scene.time.clock.Advance(pause - 1);
    EXPECT_FALSE(shown());
    scene.time.clock.Advance(1);
    ASSERT_TRUE(shown());
    EXPECT_EQ(window->Caption(), "second");
    // Below the cursor by the cursor's own height.
    POINT p{};
    GetCursorPos(&p);
    EXPECT_EQ(window->Left() + (window->Left() < p.x ? window->Width() + 2 : 0), p.x);
    EXPECT_GE(window->Top() + (window->Top() < p.y ? window->Height() + 2 : 0), p.y);
    scene.time.clock.Advance(hide);
    EXPECT_FALSE(shown());

    scene.hint->ActivateHintDelayed("cancelled");
    scene.time.clock.Advance(pause / 2);
    scene.hint->HideHint();
    scene.time.clock.Advance(pause * 2);
    EXPECT_FALSE(shown());
}

TEST(SkinHint, AlphaOnlyWhereTheVersionAllowsAndZeroByDefault)
{
    THintScene scene;
    scene.hint->AlphaBlend = true;
    TskSkinHintWindow* window = scene.NewWindow();
    window->ActivateHint({100, 100, 100, 100}, "x");
    EXPECT_FALSE(GetWindowLongA(window->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
    SetWindowsVersionSource([]() -> DWORD { return 0x0105; });
    window->ActivateHint({100, 100, 100, 100}, "x");
    SetWindowsVersionSource(nullptr);
    EXPECT_TRUE(GetWindowLongA(window->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
    BYTE alpha = 255;
    ASSERT_TRUE(GetLayeredWindowAttributes(window->Handle(), nullptr, &alpha, nullptr));
    EXPECT_EQ(alpha, 0);
    window->Free();
}

TEST(SkinHint, TheLastOneGoneGivesTheApplicationItsHintsBack)
{
    int forwarded = 0;
    {
        THintScene scene;
        EXPECT_EQ(Application->HintShortPause(), 100);
        scene.hint->OnShowHint = [&](AnsiString&, bool&, THintInfo&) { ++forwarded; };
        AnsiString s = "x";
        bool can = true;
        THintInfo info;
        ASSERT_TRUE(Application->OnShowHint);
        Application->OnShowHint(s, can, info);
        EXPECT_EQ(forwarded, 1);
    }
    EXPECT_FALSE(Application->OnShowHint);
    THintWindow* plain = HintWindowClass(nullptr);
    EXPECT_EQ(dynamic_cast<TskSkinHintWindow*>(plain), nullptr);
    plain->Free();
}

}  // namespace
