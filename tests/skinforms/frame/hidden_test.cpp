// A frame whose form is still hidden draws nothing; the first show brings the borders of the
// skin the form has by then.
#include "skinforms/frame/support.h"

#include <vector>

#include "skins/StoredSkins.h"

using namespace cl;
using namespace sk;
using namespace frametest;

TEST(FrameHidden, SkinChangedWhileHiddenShowsOnTheFirstShow)
{
    TComponent owner{nullptr};
    std::vector<TskCompressedStoredSkin*> skins = trebanix::CreateStoredSkins(&owner);
    ASSERT_GE(skins.size(), 34u);
    auto* skin = new TskSkinData(&owner);
    auto* other = new TskSkinData(&owner);
    skin->SetCompressedStoredSkin(skins[12]);
    other->SetCompressedStoredSkin(skins[33]);

    TFramedForm form(skin, 400, 300);
    form.Frame->AlwaysActive = true;
    form.Form->HandleNeeded();
    form.Frame->SetSkinData(other);
    form.Frame->UpdateActiveState(false);
    ASSERT_FALSE(IsWindowVisible(form.Wnd()));
    form.Show();
    auto expected = form.Paint();
    // Points on the top, left and bottom borders.
    for (const TPoint p : {TPoint{200, 3}, TPoint{2, 150}, TPoint{200, 297}})
        EXPECT_TRUE(ScreenShows(ScreenOf(form, p.X, p.Y), expected->Pixels(p.X, p.Y))) << p.X << "," << p.Y;
}
