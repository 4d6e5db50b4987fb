// The track bar on a real form: clamping and OnChange, mirrored sliders, thumb placement, drag,
// jump on click, keys, the vertical run, an empty range and the skinned thumb.
#include "skin/controls/support.h"

#include "skin/controls/TrackBar.h"

using namespace controltest;

namespace {

constexpr TColor Groove = 0x406080;
constexpr TColor Thumb = 0x2020E0;
constexpr TColor ThumbActive = 0xE02020;

struct TrackBar : ::testing::Test {
    skctrltest::TTestForm form;
    TControlSkin skin;
    TskSkinTrackBar* bar = nullptr;
    int changes = 0;
    int lastChanges = 0;
    void SetUp() override
    {
        bar = new TskSkinTrackBar(form.Form);
        bar->SetParent(form.Form);
        bar->SetBounds(10, 10, 100, 20);
        bar->OnChange = [this](TObject*) { ++changes; };
        bar->OnLastChange = [this](TObject*) { ++lastChanges; };
    }
    // A 100 by 20 horizontal strip with its track from 8 to 92 and a 10 by 20 thumb.
    TskDataSkinTrackBarControl* AddSkin()
    {
        TBitmap* p = skin.Picture();
        PaintArea(p, Rect(0, 60, 100, 80), Edge, Groove);
        PaintArea(p, Rect(100, 60, 110, 80), Thumb, Thumb);
        PaintArea(p, Rect(110, 60, 120, 80), ThumbActive, ThumbActive);
        auto* d = skin.Add<TskDataSkinTrackBarControl>("htrackbar");
        d->PictureIndex = 0;
        d->SkinRect = Rect(0, 60, 100, 80);
        d->LTPoint = {8, 0};
        d->RTPoint = {92, 0};
        d->ClRect = Rect(8, 0, 92, 20);
        d->TrackArea = Rect(8, 8, 92, 12);
        d->ButtonRect = Rect(100, 60, 110, 80);
        d->ActiveButtonRect = Rect(110, 60, 120, 80);
        return d;
    }
    void Click(int X, int Y)
    {
        SendMessageA(bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(X, Y));
        SendMessageA(bar->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(X, Y));
    }
};

}  // namespace

TEST_F(TrackBar, ValueIsClampedAndOnlyARealChangeIsReported)
{
    bar->SetValue(150);
    EXPECT_EQ(bar->Value(), 100);
    EXPECT_EQ(changes, 1);
    bar->SetValue(100);
    EXPECT_EQ(changes, 1);
    bar->SetMaxValue(60);
    EXPECT_EQ(bar->Value(), 60) << "moved to the new maximum";
    bar->SetMinValue(70);
    EXPECT_EQ(bar->Value(), 70);
    EXPECT_EQ(changes, 1) << "range changes move the value silently";
    // Crossed bounds: the minimum wins.
    bar->SetValue(0);
    EXPECT_EQ(bar->Value(), 70);
}

TEST_F(TrackBar, TwoMirroredSlidersStopAfterOneExchange)
{
    auto* other = new TskSkinTrackBar(form.Form);
    other->SetParent(form.Form);
    int calls = 0;
    bar->OnChange = [&](TObject*) { ++calls; other->SetValue(bar->Value()); };
    other->OnChange = [&](TObject*) { ++calls; bar->SetValue(other->Value()); };
    bar->SetValue(30);
    EXPECT_EQ(other->Value(), 30);
    EXPECT_EQ(calls, 2);
}

TEST_F(TrackBar, TheDefaultThumbIsEightBySixteenAndSitsByTheValue)
{
    bar->SetValue(0);
    EXPECT_EQ(bar->ThumbRect(), Rect(2, 2, 10, 18)) << "8 wide, 16 high, at the track's start";
    bar->SetValue(100);
    EXPECT_EQ(bar->ThumbRect(), Rect(90, 2, 98, 18));
    bar->SetValue(50);
    EXPECT_EQ(bar->ThumbRect().Left, 46);
    auto shot = skctrltest::Snapshot(bar);
    EXPECT_EQ(shot->Pixels(0, 0), skctrltest::Rgb(clBtnShadow));
    EXPECT_EQ(shot->Pixels(46, 2), skctrltest::Rgb(clBtnShadow)) << "the thumb's frame";
    EXPECT_EQ(shot->Pixels(50, 10), skctrltest::Rgb(clBtnFace));
}

TEST_F(TrackBar, DraggingTheThumbMovesTheValueAndEndsWithOneLastChange)
{
    int starts = 0;
    bar->OnStartDragButton = [&](TObject*) { ++starts; };
    SendMessageA(bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 10));
    EXPECT_TRUE(bar->Dragging());
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(skctrltest::Snapshot(bar)->Pixels(50, 10), 0xB59285) << "the slider's own pressed fill";
    SendMessageA(bar->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(72, 10));
    EXPECT_EQ(bar->Value(), 75);
    SendMessageA(bar->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(300, 10));
    EXPECT_EQ(bar->Value(), 100);
    SendMessageA(bar->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(300, 10));
    EXPECT_FALSE(bar->Dragging());
    EXPECT_EQ(lastChanges, 1);
    // Without mouse support nothing moves.
    bar->SetMouseSupport(false);
    SendMessageA(bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(94, 10));
    SendMessageA(bar->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageA(bar->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(bar->Value(), 100);
}

TEST_F(TrackBar, AClickJumpsWhenAskedTo)
{
    Click(10, 10);
    EXPECT_EQ(bar->Value(), 50);
    bar->SetJumpWhenClick(true);
    Click(10, 10);
    EXPECT_EQ(bar->Value(), 5) << "offset 4 of a travel of 88, rounded";
    Click(94, 10);
    EXPECT_EQ(bar->Value(), 100);
    Click(-20, 10);
    EXPECT_EQ(bar->Value(), 0);
}

TEST_F(TrackBar, AVerticalSliderRunsUpwards)
{
    bar->SetVertical(true);
    bar->SetBounds(10, 10, 20, 100);
    bar->SetValue(0);
    EXPECT_EQ(bar->ThumbRect(), Rect(2, 90, 18, 98)) << "the minimum at the bottom";
    SendMessageA(bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 94));
    SendMessageA(bar->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 50));
    SendMessageA(bar->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 50));
    EXPECT_EQ(bar->Value(), 50);
}

TEST_F(TrackBar, AnEmptyRangeKeepsTheThumbAtTheStart)
{
    bar->SetMinValue(7);
    bar->SetMaxValue(7);
    EXPECT_EQ(bar->Value(), 7);
    EXPECT_EQ(bar->ThumbRect().Left, 2);
    bar->SetJumpWhenClick(true);
    Click(80, 10);
    EXPECT_EQ(bar->Value(), 7);
    skctrltest::Snapshot(bar);
}

TEST_F(TrackBar, ArrowKeysAndTheWheelStepOnlyWhenFocusable)
{
    form.Form->Show();
    SendMessageA(bar->Handle(), WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(bar->Value(), 50);
    bar->SetCanFocused(true);
    EXPECT_TRUE(bar->TabStop());
    EXPECT_EQ(SendMessageA(bar->Handle(), WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
    SendMessageA(bar->Handle(), WM_KEYDOWN, VK_RIGHT, 0);
    SendMessageA(bar->Handle(), WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(bar->Value(), 52);
    SendMessageA(bar->Handle(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(bar->Value(), 51);
    EXPECT_EQ(lastChanges, 3);
    SendMessageA(bar->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_EQ(bar->Value(), 52) << "towards the user moves a horizontal slider right";
}

TEST_F(TrackBar, TheSkinnedTrackGrowsWithTheSliderAndTheThumbLightsWhileDragged)
{
    AddSkin();
    bar->SetSkinData(skin.Data);
    ASSERT_EQ(bar->DescriptionIndex(), 0);
    bar->SetBounds(10, 10, 200, 50);
    EXPECT_EQ(bar->Height(), 20) << "a horizontal strip keeps its height";
    bar->SetValue(100);
    EXPECT_EQ(bar->ThumbRect(), Rect(182, 0, 192, 20)) << "the track ends 8 from the right";
    auto shot = skctrltest::Snapshot(bar);
    EXPECT_EQ(shot->Pixels(100, 10), Groove);
    EXPECT_EQ(shot->Pixels(187, 10), Thumb);
    SendMessageA(bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(187, 10));
    EXPECT_EQ(skctrltest::Snapshot(bar)->Pixels(187, 10), ThumbActive);
    SendMessageA(bar->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(187, 10));
    // A description of another kind: the default look at the default size.
    skin.Add<TskDataSkinPanelControl>("panelonly");
    bar->SetSkinDataName("panelonly");
    bar->ChangeSkinData();
    EXPECT_EQ(bar->DescriptionIndex(), -1);
    EXPECT_EQ(bar->Height(), 20);
    EXPECT_EQ(skctrltest::Snapshot(bar)->Pixels(0, 0), skctrltest::Rgb(clBtnShadow));
}
