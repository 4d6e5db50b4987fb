// A frame painted again after its size, its state, its caption or its skin changed paints what
// a frame made afresh in that condition paints: nothing of an earlier paint stays behind.
#include "skinforms/frame/support.h"

#include <vector>

#include "skins/StoredSkins.h"

using namespace cl;
using namespace sk;
using namespace frametest;

namespace {

struct FrameRepaint : ::testing::Test {
    TComponent owner{nullptr};
    std::vector<TskCompressedStoredSkin*> skins = trebanix::CreateStoredSkins(&owner);
    TskSkinData* skin = new TskSkinData(&owner);
    TskSkinData* other = new TskSkinData(&owner);
    void SetUp() override
    {
        ASSERT_GE(skins.size(), 34u);
        skin->SetCompressedStoredSkin(skins[12]);
        other->SetCompressedStoredSkin(skins[33]);
    }
    // What a frame made now, with this skin, size, caption and state, paints.
    std::unique_ptr<TBitmap> Fresh(TskSkinData* Skin, int W, int H, const char* Caption, bool Active)
    {
        TFramedForm f(nullptr, W, H);
        f.Form->SetCaption(Caption);
        f.Frame->AlwaysActive = Active;
        f.Frame->SetSkinData(Skin);
        f.Frame->UpdateActiveState(false);
        return f.Paint();
    }
};

}  // namespace

TEST_F(FrameRepaint, ARepaintShowsTheNewSizeStateCaptionAndSkinLikeAFreshFrame)
{
    TFramedForm form(nullptr, 400, 300);
    form.Form->SetCaption("Trebanix Web Radio");
    form.Frame->AlwaysActive = true;
    form.Frame->SetSkinData(skin);
    form.Frame->UpdateActiveState(false);
    auto first = form.Paint();
    EXPECT_EQ(Differences(*form.Paint(), *first), 0) << "a repaint with nothing changed";
    EXPECT_EQ(Differences(*first, *Fresh(skin, 400, 300, "Trebanix Web Radio", true)), 0);

    form.Form->SetBounds(40, 40, 520, 340);
    EXPECT_EQ(Differences(*form.Paint(), *Fresh(skin, 520, 340, "Trebanix Web Radio", true)), 0) << "new size";
    form.Form->SetBounds(40, 40, 400, 300);
    EXPECT_EQ(Differences(*form.Paint(), *first), 0) << "the first size again";

    form.Form->SetCaption("Another station with a much longer name than the first one had");
    EXPECT_EQ(Differences(*form.Paint(),
                          *Fresh(skin, 400, 300, "Another station with a much longer name than the first one had",
                                 true)),
              0)
        << "new caption";
    // The long caption is cut to the room it has: more room, more of it shows.
    form.Form->SetBounds(40, 40, 520, 340);
    EXPECT_EQ(Differences(*form.Paint(),
                          *Fresh(skin, 520, 340, "Another station with a much longer name than the first one had",
                                 true)),
              0)
        << "new caption at a new size";

    form.Frame->AlwaysActive = false;
    form.Frame->UpdateActiveState(false);
    auto inactive = form.Paint();
    EXPECT_EQ(Differences(*inactive,
                          *Fresh(skin, 520, 340, "Another station with a much longer name than the first one had",
                                 false)),
              0)
        << "inactive";

    skin->SetCompressedStoredSkin(skins[33]);
    Application->ProcessMessages();
    auto switched = form.Paint();
    ASSERT_GT(Differences(*switched, *inactive), 0) << "the two skins must look different";
    EXPECT_EQ(Differences(*switched, *Fresh(other, form.Form->Width(), form.Form->Height(),
                                            "Another station with a much longer name than the first one had", false)),
              0)
        << "new skin";
}
