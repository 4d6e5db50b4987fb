// The captions of a skinned menu's rows stand on the row's picture.
#include "skinforms/menus/skin.h"

namespace {

using namespace menutest;

TEST(SkinMenuText, ACaptionLeavesTheRowsPictureBehindItsLetters)
{
    TSkinnedMenuScene scene;
    scene.Add("Play the station");
    scene.Add("Stop")->SetShortCut(ShortCut('S', scCtrl));
    scene.popup->Popup(100, 100);
    ASSERT_EQ(scene.Levels(), 1);
    auto b = Snapshot(scene.Level(0));
    for (int row = 0; row < 2; ++row) {
        const TRect r = scene.Level(0)->Items(row)->ObjectRect;
        int white = 0;
        int dark = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x) {
                const TColor c = b->Canvas()->Pixels(x, y);
                white += c == 0xFFFFFF;
                dark += c == 0;
            }
        EXPECT_EQ(white, 0) << row;
        // The letters are there, in the row's font colour.
        EXPECT_GT(dark, 10) << row;
    }
}

}  // namespace
