// The up-down on a real window: position rules, the press-and-hold repeat driven by its timer
// messages, releases on and off a button, and both looks painted per state.
#include "skin/bases/support.h"

#include "classlib/controls/support.h"
#include "skinforms/controls/UpDown.h"

using namespace cl;
using namespace sk;
using namespace skctrltest;

namespace {

struct UpDown : ::testing::Test {
    visual_test::TClockScope clock;
    TTestForm form;
    TskSkinUpDown* ud = nullptr;
    int changes = 0;
    int ups = 0;
    int downs = 0;
    void SetUp() override
    {
        ud = new TskSkinUpDown(form.Form);
        ud->SetParent(form.Form);
        ud->SetBounds(0, 0, 50, 25);
        ud->OnChange = [this](TObject*) { ++changes; };
        ud->OnUpButtonClick = [this](TObject*) { ++ups; };
        ud->OnDownButtonClick = [this](TObject*) { ++downs; };
        ud->HandleNeeded();
    }
    HWND Wnd() { return ud->Handle(); }
    void Press(int X, int Y) { SendMessageA(Wnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(X, Y)); }
    void Move(int X, int Y) { SendMessageA(Wnd(), WM_MOUSEMOVE, MK_LBUTTON, At(X, Y)); }
    void Release(int X, int Y) { SendMessageA(Wnd(), WM_LBUTTONUP, 0, At(X, Y)); }
    void Tick() { SendMessageA(Wnd(), WM_TIMER, TskSkinUpDown::RepeatTimerId, 0); }
};

}  // namespace

TEST_F(UpDown, PositionOutsideTheRangeIsIgnoredAndTheBoundsPullItInSilently)
{
    EXPECT_EQ(ud->Min(), 0);
    EXPECT_EQ(ud->Max(), 100);
    ud->SetPosition(101);
    ud->SetPosition(-1);
    EXPECT_EQ(ud->Position(), 0);
    EXPECT_EQ(changes, 0);
    ud->SetPosition(0);
    EXPECT_EQ(changes, 1) << "an unchanged value still fires";
    ud->SetPosition(80);
    ud->SetMax(50);
    EXPECT_EQ(ud->Position(), 50);
    ud->SetMin(60);
    EXPECT_EQ(ud->Position(), 60);
    EXPECT_EQ(changes, 2);
}

TEST_F(UpDown, TheRightHalfOfAHorizontalControlIsTheUpButtonAndTheTopHalfOfAVerticalOne)
{
    EXPECT_EQ(ud->ButtonRect(TskSkinUpDown::UpButton), (TRect{25, 0, 50, 25}));
    EXPECT_EQ(ud->ButtonRect(TskSkinUpDown::DownButton), (TRect{0, 0, 25, 25}));
    ud->SetPosition(10);
    Press(40, 10);
    Release(40, 10);
    EXPECT_EQ(ud->Position(), 11);
    EXPECT_EQ(ups, 1);
    Press(5, 10);
    Release(5, 10);
    EXPECT_EQ(ud->Position(), 10);
    EXPECT_EQ(downs, 1);

    ud->SetOrientation(udVertical);
    ud->SetBounds(0, 0, 20, 40);
    EXPECT_EQ(ud->ButtonRect(TskSkinUpDown::UpButton), (TRect{0, 0, 20, 20}));
    EXPECT_EQ(ud->ButtonRect(TskSkinUpDown::DownButton), (TRect{0, 20, 20, 40}));
    Press(10, 5);
    Release(10, 5);
    EXPECT_EQ(ud->Position(), 11);
}

TEST_F(UpDown, HoldingWaitsHalfASecondThenStepsEvery100MsAndOnceMoreOnRelease)
{
    ud->SetMax(5);
    Press(40, 10);
    EXPECT_EQ(ud->RepeatMode(), TskSkinUpDown::RepeatUp);
    EXPECT_TRUE(ud->TimerRunning());
    EXPECT_EQ(ud->Position(), 0) << "a press alone steps nothing";
    clock.clock.Advance(500);  // the first delay: only re-armed
    EXPECT_EQ(ud->Position(), 0);
    visual_test::ExpectStepsAt(clock.clock, [this] { return ud->Position(); }, {100, 200});
    Release(40, 10);
    EXPECT_EQ(ud->Position(), 3) << "the release steps once more";
    EXPECT_FALSE(ud->TimerRunning());
    Tick();
    EXPECT_EQ(ud->Position(), 3) << "a late tick after the release does nothing";
    // At the end of the range the repeat goes on ticking without passing Max.
    Press(40, 10);
    for (int i = 0; i < 10; ++i)
        Tick();
    Release(40, 10);
    EXPECT_EQ(ud->Position(), 5);
}

TEST_F(UpDown, OffTheButtonTheRepeatPausesAndAReleaseThereNeitherStepsNorClicks)
{
    ud->SetPosition(50);
    changes = 0;
    Press(5, 10);
    Tick();
    Tick();
    EXPECT_EQ(ud->Position(), 49);
    Move(40, 10);  // onto the other button: it does not light up while this one is held
    EXPECT_EQ(ud->HotButton(), -1);
    EXPECT_FALSE(ud->ButtonMouseIn(TskSkinUpDown::UpButton));
    EXPECT_FALSE(ud->TimerRunning());
    Move(5, 10);  // back: the repeat resumes, sooner than its pace
    EXPECT_TRUE(ud->TimerRunning());
    visual_test::ExpectStepsAt(clock.clock, [this] { return -ud->Position(); }, {50});
    EXPECT_EQ(ud->Position(), 48);
    Move(40, 10);
    Release(40, 10);
    EXPECT_EQ(ud->Position(), 48);
    EXPECT_EQ(downs, 0);
    EXPECT_EQ(ud->CapturedButton(), -1);
    EXPECT_FALSE(ud->ButtonDown(TskSkinUpDown::DownButton));
}

TEST_F(UpDown, AZeroIncrementNeverRepeatsOrMovesButStillClicks)
{
    ud->SetIncrement(0);
    ud->SetPosition(7);
    changes = 0;
    Press(40, 10);
    EXPECT_FALSE(ud->TimerRunning());
    Tick();
    Tick();
    Release(40, 10);
    EXPECT_EQ(ud->Position(), 7);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(ups, 1);
}

TEST_F(UpDown, AnIncrementSetToZeroWhileHeldStillEndsTheRepeatOnRelease)
{
    ud->SetPosition(7);
    Press(40, 10);
    ud->SetIncrement(0);
    changes = 0;
    Release(40, 10);
    EXPECT_FALSE(ud->TimerRunning()) << "no repeat outlives the press";
    Tick();
    EXPECT_EQ(changes, 0);
}

TEST_F(UpDown, ACancelledPressLetsGoWithoutAStep)
{
    Press(40, 10);
    SendMessageA(Wnd(), WM_CANCELMODE, 0, 0);
    EXPECT_FALSE(ud->TimerRunning());
    Release(40, 10);
    EXPECT_EQ(ud->Position(), 0);
    EXPECT_EQ(ups, 0);
}

TEST_F(UpDown, AHandlerThatFreesTheControlEndsItsHandling)
{
    ud->OnUpButtonClick = [this](TObject*) {
        // The handler lives in the control it frees: nothing of it is read after the Free.
        auto* const fixture = this;
        fixture->ud->Free();
        fixture->ud = nullptr;
    };
    Press(40, 10);
    Release(40, 10);
    EXPECT_EQ(ud, nullptr);
}

TEST_F(UpDown, DefaultLookShowsNormalHotAndPressedButtonsWithTheirArrows)
{
    auto shot = Snapshot(ud);
    EXPECT_EQ(shot->Pixels(25, 0), Rgb(clBtnShadow)) << "the up button's frame";
    EXPECT_EQ(shot->Pixels(27, 3), Rgb(clBtnFace));
    int black = 0;
    for (int x = 25; x < 50; ++x)
        black += shot->Pixels(x, 12) == clBlack;
    EXPECT_GT(black, 0) << "the up button's arrow";
    SendMessageA(Wnd(), WM_MOUSEMOVE, 0, At(40, 10));
    EXPECT_EQ(ud->HotButton(), TskSkinUpDown::UpButton);
    shot = Snapshot(ud);
    EXPECT_EQ(shot->Pixels(25, 0), 0x800000);
    EXPECT_EQ(shot->Pixels(27, 3), 0xD2BDB6);
    EXPECT_EQ(shot->Pixels(2, 3), Rgb(clBtnFace)) << "the other button stays normal";
    Press(40, 10);
    shot = Snapshot(ud);
    EXPECT_EQ(shot->Pixels(27, 3), 0xB59385);
    Release(40, 10);
    ud->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(Snapshot(ud)->Pixels(27, 3), Rgb(clBtnFace));
}

TEST_F(UpDown, SkinnedLookTakesThePictureSizeAndItsActiveAndPressedButtonPieces)
{
    TTestSkin skin;
    TBitmap* p = skin.Picture();
    p->SetSize(100, 40);
    p->Fill(0x404040);  // the control: (0, 0, 36, 18)
    auto paint = [&](int X0, int Y0, TColor C) {
        for (int y = Y0; y < Y0 + 18; ++y)
            for (int x = X0; x < X0 + 18; ++x)
                p->SetPixels(x, y, C);
    };
    paint(40, 0, 0x0000C0);  // up button under the mouse
    paint(60, 0, 0xC00000);  // up button held
    paint(40, 20, 0x00C000);  // down button under the mouse, no held piece: falls back to it
    auto* d = skin.Add<TskDataSkinUpDownControl>("hupdown");
    d->PictureIndex = 0;
    d->SkinRect = {0, 0, 36, 18};
    d->DownButtonRect = {0, 0, 18, 18};
    d->UpButtonRect = {18, 0, 36, 18};
    d->ActiveUpButtonRect = {40, 0, 58, 18};
    d->DownUpButtonRect = {60, 0, 78, 18};
    d->ActiveDownButtonRect = {40, 20, 58, 38};
    ud->SetSkinData(skin.Data);
    ASSERT_NE(ud->DescriptionIndex(), -1);
    EXPECT_EQ(ud->Width(), 36);
    EXPECT_EQ(ud->Height(), 18);
    EXPECT_EQ(Snapshot(ud)->Pixels(27, 9), 0x404040);
    SendMessageA(Wnd(), WM_MOUSEMOVE, 0, At(27, 9));
    EXPECT_EQ(Snapshot(ud)->Pixels(27, 9), 0x0000C0);
    Press(27, 9);
    EXPECT_EQ(Snapshot(ud)->Pixels(27, 9), 0xC00000);
    Release(27, 9);
    SendMessageA(Wnd(), WM_MOUSEMOVE, 0, At(5, 9));
    Press(5, 9);
    auto shot = Snapshot(ud);
    EXPECT_EQ(shot->Pixels(5, 9), 0x00C000) << "the held down button falls back to its active piece";
    EXPECT_EQ(shot->Pixels(27, 9), 0x404040);
    Release(5, 9);
}

TEST_F(UpDown, WithoutTheSkinSizeEachHalfIsASkinnedButton)
{
    TTestSkin skin;
    TBitmap* p = skin.Picture();
    p->SetSize(60, 20);
    p->Fill(0x00A0A0);
    for (int y = 0; y < 20; ++y)
        for (int x = 20; x < 40; ++x)
            p->SetPixels(x, y, 0xA000A0);  // the hot button piece
    auto* up = skin.Add<TskDataSkinUpDownControl>("hupdown");
    up->PictureIndex = 0;
    up->SkinRect = {0, 0, 10, 10};
    auto* b = skin.Add<TskDataSkinButtonControl>("resizebutton");
    b->PictureIndex = 0;
    b->SkinRect = {0, 0, 20, 20};
    b->ActiveSkinRect = {20, 0, 40, 20};
    b->LTPoint = {3, 3};
    b->RTPoint = {17, 3};
    b->LBPoint = {3, 17};
    b->RBPoint = {17, 17};
    b->ClRect = {3, 3, 17, 17};
    ud->SetUseSkinSize(false);
    ud->SetSkinData(skin.Data);
    EXPECT_EQ(ud->Width(), 50) << "the control keeps its size";
    EXPECT_EQ(ud->ButtonRect(TskSkinUpDown::UpButton), (TRect{25, 0, 50, 25}));
    auto shot = Snapshot(ud);
    EXPECT_EQ(shot->Pixels(1, 1), 0x00A0A0);
    EXPECT_EQ(shot->Pixels(26, 1), 0x00A0A0);
    SendMessageA(Wnd(), WM_MOUSEMOVE, 0, At(40, 10));
    shot = Snapshot(ud);
    EXPECT_EQ(shot->Pixels(26, 1), 0xA000A0);
    EXPECT_EQ(shot->Pixels(1, 1), 0x00A0A0);
}
