// Row morphs and frame animations tick by tick, owner-drawn rows, and the two-source levels of
// the menu bar.
#include "skinforms/menus/support.h"

#include "skinforms/menus/skin.h"

namespace {

using namespace menutest;

TEST(SkinMenuEffects, MorphsTakeFiveTicksEachWayAndEndExactly)
{
    TSkinnedMenuScene scene;
    TskDataSkinMenuItem* item = scene.ItemDesc();
    item->Morphing = true;
    scene.AddItems(2);
    scene.popup->Popup(100, 100);
    TskSkinPopupWindow* level = scene.Level(0);
    for (int i = 0; i < 5; ++i)
        scene.time.clock.Advance(MenuAnimInterval);
    EXPECT_EQ(level->Items(0)->MorphKf, 1.0);
    EXPECT_EQ(level->Items(1)->MorphKf, 0.0);
    scene.time.clock.Advance(MenuAnimInterval);
    EXPECT_FALSE(level->AnimTimer->Running());

    scene.Key(VK_DOWN);
    scene.time.clock.Advance(MenuAnimInterval);
    EXPECT_NEAR(level->Items(0)->MorphKf, 0.8, 1e-12);
    EXPECT_NEAR(level->Items(1)->MorphKf, 0.2, 1e-12);
    // Half way the row shows neither image whole.
    Snapshot(level);
    for (int i = 0; i < 4; ++i)
        scene.time.clock.Advance(MenuAnimInterval);
    EXPECT_EQ(level->Items(0)->MorphKf, 0.0);
    EXPECT_EQ(level->Items(1)->MorphKf, 1.0);
    scene.time.clock.Advance(MenuAnimInterval);
    EXPECT_FALSE(level->AnimTimer->Running());

    // Without skin effects nothing morphs.
    scene.Key(VK_ESCAPE);
    scene.skin.Data->EnableSkinEffects = false;
    scene.popup->Popup(100, 100);
    scene.time.clock.Advance(MenuAnimInterval * 5);
    EXPECT_EQ(scene.Level(0)->Items(0)->MorphKf, 0.0);
}

TEST(SkinMenuEffects, FrameAnimationRunsUpWhileActiveAndJumpsBack)
{
    TSkinnedMenuScene scene;
    TskDataSkinMenuItem* item = scene.ItemDesc();
    item->AnimateSkinRect = {0, 0, 40, 20};
    item->FrameCount = 2;
    item->AnimateInterval = 30;
    scene.AddItems(2);
    scene.popup->Popup(100, 100);
    TskSkinPopupWindow* level = scene.Level(0);
    scene.time.clock.Advance(30);
    EXPECT_EQ(level->Items(0)->FrameIndex, 1);
    scene.time.clock.Advance(60);
    EXPECT_EQ(level->Items(0)->FrameIndex, 3);
    scene.time.clock.Advance(30);
    EXPECT_FALSE(level->AnimTimer->Running());
    scene.Key(VK_DOWN);
    scene.time.clock.Advance(30);
    EXPECT_EQ(level->Items(0)->FrameIndex, 0);
    EXPECT_EQ(level->Items(1)->FrameIndex, 1);
    Snapshot(level);

    // With the inactive animation the frames run back one by one.
    item->InactiveAnimation = true;
    scene.time.clock.Advance(120);
    scene.Key(VK_UP);
    scene.time.clock.Advance(30);
    EXPECT_EQ(level->Items(1)->FrameIndex, 2);

    // A frame count of 0 is no animation at all.
    scene.Key(VK_ESCAPE);
    item->FrameCount = 0;
    scene.popup->Popup(100, 100);
    scene.time.clock.Advance(300);
    EXPECT_EQ(scene.Level(0)->Items(0)->FrameIndex, 0);
    Snapshot(scene.Level(0));
}

TEST(SkinMenuEffects, OwnerDrawnRowsInTheSkinnedLookOnly)
{
    int calls = 0;
    int selected = 0;
    TMenuItem* drawn;
    {
        TSkinnedMenuScene scene;
        drawn = scene.Add("drawn");
        drawn->OnDrawItem = [&](TObject*, TCanvas*, TRect, bool Selected) {
            ++calls;
            selected += Selected ? 1 : 0;
        };
        scene.popup->Popup(100, 100);
        calls = selected = 0;
        Snapshot(scene.Level(0));
        EXPECT_EQ(calls, 1);
        EXPECT_EQ(selected, 1);
    }
    TMenuScene plain;
    TMenuItem* item = plain.Add("drawn");
    item->OnDrawItem = [&](TObject*, TCanvas*, TRect, bool) { ++calls; };
    plain.popup->Popup(100, 100);
    calls = 0;
    Snapshot(plain.Level(0));
    EXPECT_EQ(calls, 0);
}

TEST(SkinMenuEffects, TwoSourcesShareTheSizingAndEveryRowIsReachable)
{
    TMenuScene scene;
    TMenuItem* first = new TMenuItem(scene.popup);
    TMenuItem* second = new TMenuItem(scene.popup);
    scene.AddItems(2, first);
    scene.AddItems(3, second);
    const TRect r{100, 100, 160, 120};
    scene.Menu()->Popup2(nullptr, nullptr, false, first, second, r, 0);
    ASSERT_EQ(scene.Levels(), 1);
    EXPECT_EQ(scene.Level(0)->ItemCount(), 5);
    EXPECT_EQ(scene.Level(0)->Height(), 5 * 20 + 4);
    EXPECT_EQ(scene.Level(0)->Top(), 120);
    scene.Menu()->CloseMenu(0);

    // From the second source on.
    scene.Menu()->Popup2(nullptr, nullptr, false, first, second, r, 3);
    EXPECT_EQ(scene.Level(0)->ItemCount(), 2);
    scene.Menu()->CloseMenu(0);

    // With an item limit the rows beyond it scroll into view.
    scene.Menu()->MaxMenuItemsInWindow = 3;
    scene.Menu()->Popup2(nullptr, nullptr, false, first, second, r, 0);
    TskSkinPopupWindow* level = scene.Level(0);
    EXPECT_TRUE(level->Scroll);
    for (int i = 0; i < 4; ++i)
        level->ProcessKey(VK_DOWN);
    EXPECT_EQ(level->ActiveItem, 4);
    EXPECT_TRUE(level->Items(4)->Visible);
    scene.Menu()->CloseMenu(0);

    // A start past both sources opens nothing.
    scene.Menu()->Popup2(nullptr, nullptr, false, first, second, r, 5);
    EXPECT_EQ(scene.Levels(), 0);
}

}  // namespace
