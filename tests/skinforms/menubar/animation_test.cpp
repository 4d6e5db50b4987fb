// The main menu bar's items in motion: the skin's frames played while an item is hot and back
// when it cools, the blend between its normal and hot faces, on the fake clock.
#include "skinforms/menubar/support.h"

namespace {

using namespace menubartest;

constexpr TColor Normal = 0x00A000;
constexpr TColor Hot = 0xA00000;
constexpr TColor Pressed = 0x0000A0;
const std::vector<TColor> Frames = {0x101010, 0x202020, 0x303030, 0x404040};

// A bar and an item description cut from one picture of flat zones: the item's normal, hot and
// pressed faces (40 by 18), and a strip of four 10-pixel frames side by side at (0, 80) and
// stacked at (60, 0).
struct TAnimatedBar {
    skctrltest::TTestSkin skin;
    TskDataSkinMainMenuBarItem* item = nullptr;
    TMenuBarScene scene;

    TAnimatedBar()
    {
        TBitmap* picture = skin.Picture();
        picture->SetSize(100, 120);
        picture->Fill(0x302010);
        skctrltest::FillZone(picture, Normal, 0, 30, 40, 48);
        skctrltest::FillZone(picture, Hot, 0, 48, 40, 66);
        skctrltest::FillZone(picture, Pressed, 0, 100, 40, 118);
        for (int i = 0; i < 4; ++i) {
            skctrltest::FillZone(picture, Frames[i], 10 * i, 80, 10 * i + 10, 98);
            skctrltest::FillZone(picture, Frames[i], 60, 18 * i, 100, 18 * i + 18);
        }
        auto* bar = skin.Add<TskDataSkinMainMenuBar>("mainmenubar");
        bar->PictureIndex = 0;
        bar->SkinRect = cl::Rect(0, 0, 50, 26);
        bar->ItemsRect = cl::Rect(4, 4, 46, 22);
        bar->MenuBarItem = "baritem";
        auto owned = std::make_unique<TskDataSkinMainMenuBarItem>("baritem");
        item = owned.get();
        item->ActivePictureIndex = 0;
        item->SkinRect = cl::Rect(0, 30, 40, 48);
        item->ActiveSkinRect = cl::Rect(0, 48, 40, 66);
        item->DownRect = cl::Rect(0, 100, 40, 118);
        item->TextRect = cl::Rect(5, 2, 35, 16);
        item->AnimateSkinRect = cl::Rect(0, 80, 40, 98);
        item->FrameCount = 4;
        item->AnimateInterval = 40;
        skin.Data->ObjectList.Add(std::move(owned));
        scene.AddStandardItems();
    }
    // Keyboard mode left and the pointer off the bar, so the next test starts where this began.
    ~TAnimatedBar()
    {
        if (scene.frame->InMainMenuBar())
            scene.ToggleKeyboardMode();
        SetCursorPos(0, 0);
    }
    // Takes the description as the test has set it.
    void Show()
    {
        scene.bar->SetSkinData(skin.Data);
        scene.Show();
    }
    bool Animating() { return scene.bar->AnimateTimer()->Enabled(); }
};

TEST(MenuBarFrames, AHotItemPlaysTheFramesUpHoldsItsHotFaceAndTheTimerStops)
{
    TAnimatedBar t;
    t.Show();
    EXPECT_EQ(t.scene.Face(0), Normal);
    EXPECT_FALSE(t.Animating());
    t.scene.ToggleKeyboardMode();
    EXPECT_TRUE(t.Animating());
    EXPECT_EQ(t.scene.bar->AnimateTimer()->Interval(), 40u);
    // The skin's pace: nothing moves before the interval is over.
    t.scene.Advance(39);
    EXPECT_EQ(t.scene.Item(0)->FrameIndex, 0);
    EXPECT_EQ(t.scene.FacesStepByStep(0, 5, 40),
              (std::vector<TColor>{Frames[0], Frames[1], Frames[2], Frames[3], Hot}));
    EXPECT_EQ(t.scene.Item(0)->FrameIndex, 5);
    // A tick that changes nothing ends the timer.
    EXPECT_TRUE(t.Animating());
    t.scene.Advance(40);
    EXPECT_FALSE(t.Animating());
    EXPECT_EQ(t.scene.Face(0), Hot);
    // The neighbours never moved.
    EXPECT_EQ(t.scene.Face(1), Normal);
    EXPECT_EQ(t.scene.Item(1)->FrameIndex, 0);

    // Without the skin's leave animation a cooled item is at rest at once.
    t.scene.Key(VK_RIGHT);
    EXPECT_EQ(t.scene.Face(0), Normal);
    t.scene.Advance(40);
    EXPECT_EQ(t.scene.Item(0)->FrameIndex, 0);
    EXPECT_EQ(t.scene.Face(0), Normal);
    EXPECT_EQ(t.scene.Face(1), Frames[0]);
    t.scene.ToggleKeyboardMode();
    for (int i = 0; i < 10 && t.Animating(); ++i)
        t.scene.Advance(40);
    EXPECT_FALSE(t.Animating());
    EXPECT_EQ(t.scene.Face(1), Normal);
}

TEST(MenuBarFrames, WithTheLeaveAnimationACooledItemPlaysTheFramesBack)
{
    TAnimatedBar t;
    t.item->InactiveAnimation = true;
    t.Show();
    t.scene.ToggleKeyboardMode();
    t.scene.Advance(6 * 40);
    ASSERT_EQ(t.scene.Face(0), Hot);
    t.scene.ToggleKeyboardMode();
    EXPECT_EQ(t.scene.Face(0), Normal);
    EXPECT_EQ(t.scene.FacesStepByStep(0, 5, 40),
              (std::vector<TColor>{Frames[3], Frames[2], Frames[1], Frames[0], Normal}));
    t.scene.Advance(40);
    EXPECT_FALSE(t.Animating());
    // Hot again half-way back: the frames start again from the first.
    t.scene.ToggleKeyboardMode();
    t.scene.Advance(40);
    t.scene.ToggleKeyboardMode();
    t.scene.Advance(40);
    t.scene.ToggleKeyboardMode();
    EXPECT_EQ(t.scene.Item(0)->FrameIndex, 0);
    t.scene.Advance(40);
    EXPECT_EQ(t.scene.Face(0), Frames[0]);
}

TEST(MenuBarFrames, AStripTallerThanTheFaceHoldsItsFramesOneBelowTheOther)
{
    TAnimatedBar t;
    t.item->AnimateSkinRect = cl::Rect(60, 0, 100, 72);
    t.Show();
    t.scene.ToggleKeyboardMode();
    EXPECT_EQ(t.scene.FacesStepByStep(0, 4, 40), Frames);
}

TEST(MenuBarFrames, TheMousePlaysTheFramesAndAnOpenDropDownShowsThePressedFace)
{
    TAnimatedBar t;
    t.Show();
    t.scene.PointAt(t.scene.Item(1));
    EXPECT_TRUE(t.scene.Item(1)->Active);
    EXPECT_TRUE(t.Animating());
    t.scene.Press(t.scene.Item(1));
    EXPECT_TRUE(t.scene.Item(1)->Down);
    EXPECT_EQ(t.scene.FacesStepByStep(1, 6, 40), std::vector<TColor>(6, Pressed));
    t.scene.Key(VK_ESCAPE);
    t.scene.Key(VK_ESCAPE);
    t.scene.ToggleKeyboardMode();
}

// Skins that give no usable frames show the hot face at once and start no timer.
TEST(MenuBarFrames, NoFramesZeroOrTooManyForTheStripOrEffectsOffShowTheHotFaceAtOnce)
{
    struct TCase {
        const char* What;
        int Count;
        int Interval;
        bool Effects;
    };
    const TCase cases[] = {{"zero frames", 0, 40, true},
                           {"fewer pixels than frames", 41, 40, true},
                           {"a negative frame count", -3, 40, true},
                           {"effects off", 4, 40, false}};
    for (const TCase& c : cases) {
        TAnimatedBar t;
        t.item->FrameCount = c.Count;
        t.item->AnimateInterval = c.Interval;
        t.skin.Data->EnableSkinEffects = c.Effects;
        t.Show();
        t.scene.ToggleKeyboardMode();
        EXPECT_FALSE(t.Animating()) << c.What;
        EXPECT_EQ(t.scene.Face(0), Hot) << c.What;
        t.scene.Advance(200);
        EXPECT_EQ(t.scene.Face(0), Hot) << c.What;
        EXPECT_EQ(t.scene.Item(0)->FrameIndex, 0) << c.What;
    }
    // A negative pace plays no frames: the item shows its hot face and the timer stays off.
    TAnimatedBar t;
    t.item->AnimateInterval = -1;
    t.Show();
    t.scene.ToggleKeyboardMode();
    EXPECT_FALSE(t.Animating());
    EXPECT_EQ(t.scene.Face(0), Hot);
}

TEST(MenuBarMorph, AMorphingItemBlendsToItsHotFaceInFiveStepsAndBackAndPlaysNoFrames)
{
    TAnimatedBar t;
    t.item->Morphing = true;
    t.Show();
    t.scene.ToggleKeyboardMode();
    EXPECT_FALSE(t.Animating());
    EXPECT_TRUE(t.scene.bar->MorphTimer()->Enabled());
    EXPECT_EQ(t.scene.Face(0), Normal);
    t.scene.Advance(25);
    const TColor between = t.scene.Face(0);
    EXPECT_NE(between, Normal);
    EXPECT_NE(between, Hot);
    // Part of the way from green toward blue.
    EXPECT_GT(GetGValue(between), 0);
    EXPECT_LT(GetGValue(between), 0xA0);
    t.scene.Advance(4 * 25);
    EXPECT_EQ(t.scene.Face(0), Hot);
    t.scene.Advance(25);
    EXPECT_FALSE(t.scene.bar->MorphTimer()->Enabled());
    EXPECT_FALSE(t.Animating());
    t.scene.ToggleKeyboardMode();
    EXPECT_TRUE(t.scene.bar->MorphTimer()->Enabled());
    t.scene.Advance(25);
    EXPECT_NE(t.scene.Face(0), Hot);
    EXPECT_NE(t.scene.Face(0), Normal);
    t.scene.Advance(4 * 25);
    EXPECT_EQ(t.scene.Face(0), Normal);
}

TEST(MenuBarFrames, ASkinChangeStopsTheFramesAndTheDefaultLookDrawsWithoutThem)
{
    TAnimatedBar t;
    t.Show();
    t.scene.ToggleKeyboardMode();
    t.scene.Advance(80);
    ASSERT_TRUE(t.Animating());
    // What the frame tells its controls before their skin changes.
    t.scene.bar->BeforeChangeSkinData();
    EXPECT_FALSE(t.Animating());
    t.skin.Remove();
    t.scene.Advance(200);
    EXPECT_FALSE(t.Animating());
    auto b = skctrltest::Snapshot(t.scene.bar);
    const TRect r = t.scene.Item(0)->ObjectRect;
    EXPECT_EQ(b->Canvas()->Pixels(r.Left, r.Top), 0x800000);
    EXPECT_EQ(t.scene.Item(0)->Data, nullptr);
}

// Its items must not read the descriptions of a skin that went without a change announced.
TEST(MenuBarFrames, ASkinFreedUnderTheBarLeavesItsItemsNothingToReadAndStopsTheFrames)
{
    TAnimatedBar t;
    t.Show();
    t.scene.ToggleKeyboardMode();
    t.scene.Advance(80);
    ASSERT_TRUE(t.Animating());
    ASSERT_NE(t.scene.Item(0)->Data, nullptr);
    t.skin.Remove();
    EXPECT_FALSE(t.Animating());
    for (int i = 0; i < t.scene.bar->ObjectCount(); ++i)
        EXPECT_EQ(t.scene.bar->Objects(i)->Picture, nullptr) << i;
    EXPECT_EQ(t.scene.Item(0)->Data, nullptr);
    t.scene.Advance(200);
    auto b = skctrltest::Snapshot(t.scene.bar);
    const TRect r = t.scene.Item(0)->ObjectRect;
    EXPECT_EQ(b->Canvas()->Pixels(r.Left, r.Top), 0x800000);
}

}  // namespace
