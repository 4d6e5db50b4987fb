// The caption-area objects on a real framed form: the mouse reaching them through non-client
// messages, the morph and animation timing tick by tick on the fake clock, the default
// buttons' look and commands, and the system menu.
#include "skinforms/frame/support.h"

#include <cmath>
#include <string>
#include <vector>

#include "classlib/controls/support.h"
#include "support/LiveHandles.h"

using namespace cl;
using namespace sk;
using namespace frametest;

namespace {

constexpr int W = 300;
constexpr int H = 200;

// The platform tracks a right press on the caption until the release: the release is queued
// first.
void NCButton(TFramedForm& F, UINT Msg, WPARAM Hit, int X, int Y)
{
    if (Msg == WM_NCRBUTTONDOWN && Hit == HTCAPTION)
        PostMessageA(F.Wnd(), WM_RBUTTONUP, 0, 0);
    const TPoint p = ScreenOf(F, X, Y);
    SendMessageA(F.Wnd(), Msg, Hit, MAKELPARAM(p.X, p.Y));
}

// A skin whose close button morphs between a red normal and a blue active image.
void AddMorphingClose(TFrameSkin& Skin)
{
    TBitmap* pic = Skin.Data->ActivePictures.Items(0);
    pic->SetSize(40, 20);
    pic->Canvas()->Brush()->SetColor(0x0000FF);
    pic->Canvas()->FillRect(Rect(0, 0, 20, 20));
    pic->Canvas()->Brush()->SetColor(0xFF0000);
    pic->Canvas()->FillRect(Rect(20, 0, 40, 20));
    auto d = std::make_unique<TskDataSkinStdButton>("close");
    d->Command = cmClose;
    d->SkinRectInAPicture = true;
    d->ActivePictureIndex = 0;
    d->SkinRect = Rect(0, 0, 16, 14);
    d->ActiveSkinRect = Rect(20, 0, 36, 14);
    d->Morphing = true;
    Skin.Data->ButtonsRect = Rect(60, 3, 96, 17);
    Skin.Data->ObjectList.Add(std::move(d));
}

TskActiveSkinObject* Find(TskSkinFrame* Frame, const std::string& Name)
{
    for (int i = 0; i < Frame->ObjectCount(); ++i)
        if (Frame->Objects(i)->IDName == Name)
            return Frame->Objects(i);
    return nullptr;
}

}  // namespace

TEST(FrameObjects, AMorphTakesFiveTicksEachWayAndThenStops)
{
    visual_test::TClockScope clock;
    TFrameSkin skin;
    AddMorphingClose(skin);
    TFramedForm form(skin.Data, W, H);
    form.Frame->AlwaysActive = true;
    form.Show();
    TskActiveSkinObject* close = Find(form.Frame, "close");
    ASSERT_NE(close, nullptr);
    // Right to left from the buttons rectangle's right edge, moved with the width.
    EXPECT_EQ(close->ObjectRect, Rect(96 + W - 100 - 16, 3, 96 + W - 100, 17));

    PointerAt(form, close->ObjectRect.Left + 5, 8);
    form.Frame->HoverTimer()->SetEnabled(true);
    clock.clock.Advance(50);  // the hover poll finds the button
    ASSERT_TRUE(close->Active);
    ASSERT_TRUE(form.Frame->MorphTimer()->Running());
    // A fifth per tick, every 25 ms.
    visual_test::ExpectStepsAt(clock.clock, [close] { return static_cast<int>(std::lround(close->MorphKf * 5)); },
                               {25, 50, 75, 100, 125});
    EXPECT_EQ(close->MorphKf, 1.0);
    clock.clock.Advance(25);
    EXPECT_FALSE(form.Frame->MorphTimer()->Running()) << "nothing left to morph";

    PointerAt(form, 150, 100);
    clock.clock.Advance(50);  // the hover poll sees it leave
    ASSERT_FALSE(close->Active);
    for (int tick = 1; tick <= 5; ++tick) {
        clock.clock.Advance(25);
        EXPECT_NEAR(close->MorphKf, 1.0 - tick * 0.2, 1e-12) << "tick " << tick;
    }
    EXPECT_EQ(close->MorphKf, 0.0) << "the end is taken exactly";
    clock.clock.Advance(25);
    EXPECT_FALSE(form.Frame->MorphTimer()->Running()) << "no sixth step";
    // Half-way pixels: the morph mixes the two images.
    close->MorphKf = 0.4;
    close->Active = true;
    auto b = form.Paint();
    const TColor mixed = b->Pixels(close->ObjectRect.Left + 2, close->ObjectRect.Top + 2);
    EXPECT_NE(mixed, TColor(0x0000FF));
    EXPECT_NE(mixed, TColor(0xFF0000));
}

TEST(FrameObjects, DefaultCloseButtonClosesOnReleaseOverItAfterItsMouseUpEvent)
{
    TFramedForm form(nullptr, W, H);
    form.Frame->AlwaysActive = true;
    form.Show();
    form.Paint();
    TskActiveSkinObject* close = Find(form.Frame, "closebutton");
    ASSERT_NE(close, nullptr);
    const TRect r = close->ObjectRect;
    std::vector<std::string> log;
    form.Frame->OnMouseUpEvent = [&](const std::string& Name, int, int, const TRect&, TMouseButton) {
        log.push_back("up " + Name);
    };
    form.Form->OnClose = [&](TObject*, TCloseAction& Action) {
        log.push_back("close");
        Action = caNone;
    };

    // Released away from the button: nothing runs, the button comes up.
    PointerAt(form, r.Left + 5, r.Top + 5);
    NCButton(form, WM_NCMOUSEMOVE, HTOBJECT, r.Left + 5, r.Top + 5);
    NCButton(form, WM_NCLBUTTONDOWN, HTOBJECT, r.Left + 5, r.Top + 5);
    auto* button = static_cast<TskSkinStdButtonObject*>(close);
    EXPECT_TRUE(button->Down);
    EXPECT_EQ(GetCapture(), form.Wnd());
    PointerAt(form, 150, 100);
    SendMessageA(form.Wnd(), WM_LBUTTONUP, 0, MAKELPARAM(140, 80));
    EXPECT_FALSE(button->Down);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(GetCapture(), nullptr);

    // Released over it: the mouse-up event, then the close.
    PointerAt(form, r.Left + 5, r.Top + 5);
    NCButton(form, WM_NCMOUSEMOVE, HTOBJECT, r.Left + 5, r.Top + 5);
    NCButton(form, WM_NCLBUTTONDOWN, HTOBJECT, r.Left + 5, r.Top + 5);
    SendMessageA(form.Wnd(), WM_LBUTTONUP, 0, MAKELPARAM(-1, -1));
    EXPECT_EQ(log, (std::vector<std::string>{"up closebutton", "close"}));
}

TEST(FrameObjects, DefaultButtonsShowTheHotAndPressedFills)
{
    TFramedForm form(nullptr, W, H);
    form.Frame->AlwaysActive = true;
    form.Paint();
    auto* max = static_cast<TskSkinStdButtonObject*>(Find(form.Frame, "maxbutton"));
    ASSERT_NE(max, nullptr);
    const TRect r = max->ObjectRect;
    max->MouseIn = true;
    auto hot = form.Paint();
    EXPECT_EQ(hot->Pixels(r.Left, r.Top), Rgb(clNavy));
    EXPECT_EQ(hot->Pixels(r.Left + 1, r.Top + 1), TColor(0xD2BDB6));
    max->Down = true;
    auto pressed = form.Paint();
    EXPECT_EQ(pressed->Pixels(r.Left + 1, r.Top + 1), TColor(0xB59385));
    // The glyph moves one pixel right and down when pressed.
    int hotFirst = -1;
    int pressedFirst = -1;
    for (int y = r.Top + 1; y < r.Bottom - 1 && (hotFirst < 0 || pressedFirst < 0); ++y)
        for (int x = r.Left + 1; x < r.Right - 1; ++x) {
            if (hotFirst < 0 && hot->Pixels(x, y) == Rgb(clBtnText))
                hotFirst = y * 1000 + x;
            if (pressedFirst < 0 && pressed->Pixels(x, y) == Rgb(clBtnText))
                pressedFirst = y * 1000 + x;
        }
    ASSERT_GE(hotFirst, 0);
    EXPECT_EQ(pressedFirst, hotFirst + 1001);
}

TEST(FrameObjects, DisabledAndHiddenButtonsAreNeverHit)
{
    TFramedForm form(nullptr, W, H);
    form.Frame->AlwaysActive = true;
    form.Paint();
    TskActiveSkinObject* close = Find(form.Frame, "closebutton");
    const TRect r = close->ObjectRect;
    close->Enabled = false;
    form.Frame->TestActive(r.Left + 3, r.Top + 3, true);
    EXPECT_EQ(form.Frame->ActiveObject, -1);
    close->Enabled = true;
    form.Frame->TestActive(r.Left + 3, r.Top + 3, true);
    EXPECT_NE(form.Frame->ActiveObject, -1);
    form.Frame->TestActive(-1, -1, true);
    // Hidden caption buttons: the close button too.
    form.Frame->SetHideCaptionButtons(true);
    for (int i = 0; i < form.Frame->ObjectCount(); ++i) {
        EXPECT_FALSE(form.Frame->Objects(i)->Enabled);
        EXPECT_FALSE(form.Frame->Objects(i)->Visible) << "default buttons draw themselves";
    }
    form.Frame->TestActive(r.Left + 3, r.Top + 3, true);
    EXPECT_EQ(form.Frame->ActiveObject, -1);
    // Border icons choose the buttons; close always stays.
    form.Frame->SetHideCaptionButtons(false);
    form.Frame->SetBorderIcons({biMinimizeToTray});
    std::vector<std::string> visible;
    for (int i = 0; i < form.Frame->ObjectCount(); ++i)
        if (form.Frame->Objects(i)->Visible)
            visible.push_back(form.Frame->Objects(i)->IDName);
    EXPECT_EQ(visible, (std::vector<std::string>{"closebutton", "traybutton"}));
}

TEST(FrameObjects, AnAnimationStepsOneFramePerIntervalAndRunsBackOnLeave)
{
    visual_test::TClockScope clock;
    TFrameSkin skin;
    skin.Data->ActivePictures.Items(0)->SetSize(80, 20);
    auto d = std::make_unique<TskDataSkinAnimate>("anim");
    d->SkinRectInAPicture = true;
    d->ActivePictureIndex = 0;
    d->SkinRect = Rect(0, 0, 10, 10);
    d->ActiveSkinRect = Rect(0, 0, 40, 10);
    d->CountFrames = 4;
    d->TimerInterval = 10;  // raised to the 25 ms tick
    d->ButtonStyle = true;
    d->Command = cmDefault;
    skin.Data->ObjectList.Add(std::move(d));
    TFramedForm form(skin.Data, W, H);
    form.Frame->AlwaysActive = true;
    form.Frame->OnActivateCustomObject = [](const std::string&, bool& Visible) { Visible = true; };
    form.Frame->SetSkinData(skin.Data);
    auto* anim = dynamic_cast<TskSkinAnimateObject*>(Find(form.Frame, "anim"));
    ASSERT_NE(anim, nullptr);
    EXPECT_EQ(anim->Interval, 25);
    ASSERT_TRUE(anim->Visible) << "a custom object shows when the application says so";
    anim->MouseEnter();
    std::vector<int> frames;
    for (int i = 0; i < 5; ++i) {
        clock.clock.Advance(25);
        frames.push_back(anim->Frame);
    }
    EXPECT_EQ(frames, (std::vector<int>{2, 3, 4, 4, 4})) << "stops at the last frame without Cycle";
    EXPECT_FALSE(anim->Active);
    anim->MouseIn = true;
    anim->MouseLeave();
    frames.clear();
    for (int i = 0; i < 4; ++i) {
        clock.clock.Advance(25);
        frames.push_back(anim->Frame);
    }
    EXPECT_EQ(frames, (std::vector<int>{3, 2, 1, 1}));
}

TEST(FrameObjects, ACaptionAnimationWithoutFramesIsNoAnimation)
{
    TFrameSkin skin;
    auto d = std::make_unique<TskDataSkinCaption>("caption");
    d->SkinRect = Rect(5, 5, 95, 18);
    d->TextRect = Rect(2, 0, 88, 13);
    d->ActivePictureIndex = 0;
    d->AnimateSkinRect = Rect(0, 0, 40, 13);
    d->FrameCount = 0;
    skin.Data->ObjectList.Add(std::move(d));
    TFramedForm form(skin.Data, W, H);
    auto* caption = form.Frame->CaptionObject();
    ASSERT_NE(caption, nullptr);
    EXPECT_FALSE(caption->HasAnimation());
    form.Frame->AlwaysActive = true;
    form.Frame->UpdateActiveState(true);
    form.Paint();
    EXPECT_FALSE(caption->StepAnimation());
}

TEST(FrameObjects, ARightClickOnTheCaptionOpensOneSystemMenuAndItsCloseItemClosesOnce)
{
    TFramedForm form(nullptr, W, H);
    form.Frame->AlwaysActive = true;
    form.Show();
    form.Paint();
    int closes = 0;
    form.Form->OnClose = [&](TObject*, TCloseAction& Action) {
        ++closes;
        Action = caNone;
    };
    NCButton(form, WM_NCRBUTTONDOWN, HTCAPTION, 100, 10);
    TskSkinMenu* menu = form.Frame->SkinMenu();
    ASSERT_TRUE(menu->Visible);
    EXPECT_EQ(menu->LevelCount(), 1);
    EXPECT_TRUE(form.Frame->InSkinMenu());
    // Minimize, maximize, roll-up, a line and close, for a normal window.
    TMenuItem* items = form.Frame->DefaultSystemMenu()->Items();
    std::vector<std::string> names;
    for (int i = 0; i < items->Count(); ++i)
        names.push_back(items->Items(i)->Caption() == "-" ? "-" : items->Items(i)->Name());
    EXPECT_EQ(names, (std::vector<std::string>{"BSF_MINITEM", "BSF_MAXITEM", "BSF_ROLLUP", "-", "BSF_CLOSE"}));
    // A second right click replaces the menu: still one level.
    NCButton(form, WM_NCRBUTTONDOWN, HTCAPTION, 120, 10);
    EXPECT_EQ(menu->LevelCount(), 1);
    TskSkinPopupWindow* level = menu->Levels(0);
    ASSERT_NE(level, nullptr);
    items = form.Frame->DefaultSystemMenu()->Items();
    TMenuItem* close = items->Items(items->Count() - 1);
    close->Click();
    EXPECT_EQ(closes, 1);
    menu->CloseAll();
    EXPECT_FALSE(menu->Visible);
    EXPECT_FALSE(form.Frame->InSkinMenu());
}

TEST(FrameObjects, MenuModeEndsWithTheFrameAndGivesTheMessageHookBack)
{
    bool called = false;
    Application->OnMessage = [&](MSG&, bool&) { called = true; };
    {
        TFramedForm form(nullptr, W, H);
        form.Frame->AlwaysActive = true;
        form.Show();
        NCButton(form, WM_NCRBUTTONDOWN, HTCAPTION, 100, 10);
        ASSERT_TRUE(form.Frame->InSkinMenu());
    }
    PostMessageA(nullptr, WM_NULL, 0, 0);
    Application->ProcessMessages();
    EXPECT_TRUE(called) << "the previous handler is back";
    Application->OnMessage = nullptr;
}

TEST(FrameObjects, AMoveLoopStartedByCodeLeavesTheNextButtonPressAlone)
{
    TFramedForm form(nullptr, W, H);
    form.Frame->AlwaysActive = true;
    form.Show();
    form.Paint();
    auto* max = static_cast<TskSkinStdButtonObject*>(Find(form.Frame, "maxbutton"));
    const TRect r = max->ObjectRect;
    // A move loop without a press, as SC_MOVE sent by code starts one.
    SendMessageA(form.Wnd(), WM_ENTERSIZEMOVE, 0, 0);
    SendMessageA(form.Wnd(), WM_EXITSIZEMOVE, 0, 0);
    EXPECT_FALSE(form.Frame->InSizeMove());
    PointerAt(form, r.Left + 5, r.Top + 5);
    NCButton(form, WM_NCMOUSEMOVE, HTOBJECT, r.Left + 5, r.Top + 5);
    EXPECT_EQ(form.HitAt(r.Left + 5, r.Top + 5), HTOBJECT);
    NCButton(form, WM_NCLBUTTONDOWN, HTOBJECT, r.Left + 5, r.Top + 5);
    EXPECT_TRUE(max->Down) << "the first press after the loop works";
    SendMessageA(form.Wnd(), WM_CANCELMODE, 0, 0);
    PointerAt(form, 150, 100);
    SendMessageA(form.Wnd(), WM_LBUTTONUP, 0, MAKELPARAM(140, 80));
    EXPECT_FALSE(max->Down);
}

TEST(FrameObjects, AltSpaceOpensTheSkinnedSystemMenuAndTheKeysGoToIt)
{
    TFramedForm form(nullptr, W, H);
    form.Show();
    form.Form->SetFocus();
    Application->ProcessMessages();
    PostMessageA(form.Wnd(), WM_SYSKEYDOWN, VK_SPACE, 1 << 29);
    Application->ProcessMessages();
    TskSkinMenu* menu = form.Frame->SkinMenu();
    ASSERT_TRUE(menu->Visible) << "the key is not left to the platform, whose menu key would close it";
    EXPECT_TRUE(form.Frame->InSkinMenu());
    PostMessageA(form.Wnd(), WM_KEYDOWN, VK_ESCAPE, 0);
    Application->ProcessMessages();
    EXPECT_FALSE(menu->Visible);
    EXPECT_FALSE(form.Frame->InSkinMenu());
}

TEST(FrameObjects, ASkinChangeClosesAnOpenMenuFirst)
{
    TFrameSkin skin;
    TFramedForm form(skin.Data, W, H);
    form.Frame->AlwaysActive = true;
    form.Show();
    int closes = 0;
    form.Frame->OnSkinMenuClose = [&](TObject*) { ++closes; };
    form.Frame->OpenSystemMenu(Rect(100, 100, 100, 100));
    ASSERT_TRUE(form.Frame->SkinMenu()->Visible);
    // Closed before the load clears the skin the menu draws from.
    skin.Data->Empty = true;
    skin.Data->BroadcastSkinMessage(WM_BEFORECHANGESKINDATA);
    EXPECT_FALSE(form.Frame->SkinMenu()->Visible);
    EXPECT_FALSE(form.Frame->InSkinMenu());
    EXPECT_EQ(closes, 1);
    skin.Data->Picture = TFrameSkin::MakePicture(InactiveTopColor);
    skin.Data->Empty = false;
    skin.Data->BroadcastSkinMessage(WM_CHANGESKINDATA);
    skin.Data->BroadcastSkinMessage(WM_AFTERCHANGESKINDATA);
    // The menu opens again from the new skin.
    form.Frame->OpenSystemMenu(Rect(100, 100, 100, 100));
    EXPECT_TRUE(form.Frame->SkinMenu()->Visible);
    form.Frame->SkinMenu()->CloseAll();
}

// The system-menu button draws a copy of the form's icon at the small icon size, made by the
// frame for itself and given back with it.
TEST(FrameObjects, TheSystemMenuButtonsIconGoesBackWithTheFrame)
{
    TFrameSkin skin;
    auto d = std::make_unique<TskDataSkinStdButton>("sysmenu");
    d->Command = cmSysMenu;
    d->SkinRectInAPicture = true;
    d->ActivePictureIndex = 0;
    d->SkinRect = Rect(0, 0, 16, 14);
    skin.Data->ButtonsRect = Rect(60, 3, 96, 17);
    skin.Data->ObjectList.Add(std::move(d));
    const auto before = test_support::CountLiveHandles();
    {
        TFramedForm form(skin.Data, 300, 200);
        form.Frame->SetShowIcon(true);
        form.Show();
        form.Paint();
        EXPECT_GE((test_support::CountLiveHandles() - before).User, 2) << "the window and its icon copy";
    }
    Application->ProcessMessages();
    const auto leaked = test_support::CountLiveHandles() - before;
    EXPECT_EQ(leaked.User, 0) << leaked;
}
