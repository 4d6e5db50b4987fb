// A frame painted again after its size, its state, its caption or its skin changed paints what
// a frame made afresh in that condition paints: nothing of an earlier paint stays behind.
#include "skinforms/frame/support.h"

#include <string>
#include <utility>
#include <vector>

#include "skin/data/Stream.h"
#include "skinforms/frame/WorkArea.h"
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
    // A copy of Stored whose form section gives each key the value here instead of its own.
    TskCompressedStoredSkin* Altered(TskCompressedStoredSkin* Stored,
                                     const std::vector<std::pair<std::string, std::string>>& Keys)
    {
        const std::string packed = Stored->CompressedStream().DataString();
        TMemoryStream inflated;
        InflateSkinData(packed.data(), packed.size(), inflated);
        std::string bytes = inflated.DataString();
        const std::size_t section = bytes.find("[FORMINFO]");
        for (const auto& [key, value] : Keys) {
            const std::size_t at = bytes.find("\n" + key + "=", section) + 1;
            EXPECT_GT(at, section) << key;
            bytes.replace(at, bytes.find_first_of("\r\n", at) - at, key + "=" + value);
        }
        TMemoryStream deflated;
        DeflateSkinData(bytes.data(), bytes.size(), deflated);
        auto* altered = new TskCompressedStoredSkin(&owner);
        altered->CompressedStream().SetData(deflated.DataString());
        return altered;
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

// Sizes from a skin file reach no further than the work area, and a client rectangle upside down
// holds nothing, which leaves the default frame: the form stays drawn where it can be seen, and
// the next sound skin is drawn as on a fresh frame.
TEST_F(FrameRepaint, AHostileSkinsSizesKeepTheFormDrawnOnTheWorkArea)
{
    const std::vector<std::pair<std::string, std::string>> hostile[] = {
        {{"formminwidth", "2147483647"}},
        {{"clientrect", "3,30000,38,28"}},
        {{"clientrect", "3,30,2000000000,31"}},
        {{"formminwidth", "2147483647"}, {"clientrect", "3,30000,38,28"}},
    };
    std::vector<std::string> errors;
    Application->OnException = [&](TObject*, const std::exception& E) { errors.push_back(E.what()); };
    for (const auto& keys : hostile) {
        const std::string what = keys.front().first + (keys.size() > 1 ? " and more" : "");
        TFramedForm form(nullptr, 400, 300);
        form.Form->SetCaption("Trebanix Web Radio");
        form.Frame->AlwaysActive = true;
        form.Frame->SetSkinData(skin);
        form.Show();
        skin->SetCompressedStoredSkin(Altered(skins[12], keys));
        RedrawWindow(form.Wnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
        Application->ProcessMessages();
        const TRect work = GetFrameMonitorAreas(form.Wnd()).WorkArea;
        RECT r{};
        GetWindowRect(form.Wnd(), &r);
        EXPECT_TRUE(r.left >= work.Left && r.top >= work.Top && r.right <= work.Right && r.bottom <= work.Bottom)
            << what << ": " << r.left << "," << r.top << "," << r.right << "," << r.bottom;
        TBitmap unpainted;
        unpainted.SetSize(form.Form->Width(), form.Form->Height());
        unpainted.Fill(0xFF00FF);
        EXPECT_GT(Differences(*form.Paint(), unpainted), 0) << what << ": the frame is drawn";

        skin->SetCompressedStoredSkin(skins[12]);
        Application->ProcessMessages();
        EXPECT_EQ(Differences(*form.Paint(),
                              *Fresh(skin, form.Form->Width(), form.Form->Height(), "Trebanix Web Radio", true)),
                  0)
            << what << ": a sound skin after it";
    }
    Application->OnException = nullptr;
    EXPECT_TRUE(errors.empty()) << errors.front();
}
