// The 35 stored skins as the program carries them: each loads through the skin data, describes
// everything the program's windows ask for with the expected kinds, keeps its images inside
// its pictures, uses the transparent key colour only in images drawn transparently, and the
// lot fits the size budget.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/data/SkinData.h"
#include "skin/data/stored_skins_source.h"
#include "skins/StoredSkinResources.h"
#include "skins/StoredSkins.h"

namespace {

using namespace sk;
using cl::TRect;

const char* const ExpectedOrder[] = {
    "XSystem", "BYStyle", "Effective", "DigiMix", "PowerForm Blue", "Corner", "Chrome", "Circuit", "WAX",
    "Animate", "NextGen Red", "Gel Revisited", "Progressive Green", "Media Zone", "Energy Green", "Mac X2",
    "Media Mix", "Blue Morph", "Modern", "Vista", "Futurist Orange", "Techno", "Hi Tech", "XFactor Premium",
    "VIP Zone", "Autumn", "Smart Green", "Exclusive XP", "Lagoon", "VX Premium", "BlueLight", "Color Expert",
    "SkyFi", "Sirius", "Top Level"};

constexpr cl::TColor KeyColour = 0xFF00FF;

class StoredSkins : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        sktest::ProvideStoredSkinResources();
        owner_ = new cl::TComponent(nullptr);
        skins_ = trebanix::CreateStoredSkins(owner_);
    }
    static void TearDownTestSuite()
    {
        delete owner_;
        owner_ = nullptr;
        skins_.clear();
    }

    static cl::TComponent* owner_;
    static std::vector<TskCompressedStoredSkin*> skins_;
};

cl::TComponent* StoredSkins::owner_ = nullptr;
std::vector<TskCompressedStoredSkin*> StoredSkins::skins_;

bool inside(const TRect& r, const cl::TBitmap& picture)
{
    return r.Left >= 0 && r.Top >= 0 && r.Right <= picture.Width() && r.Bottom <= picture.Height() &&
           r.Right > r.Left && r.Bottom > r.Top;
}

bool sameSize(const TRect& a, const TRect& b) { return a.Width() == b.Width() && a.Height() == b.Height(); }

template <class T>
T* control(const TskSkinData& data, const std::string& name)
{
    const int i = data.IndexOfControl(name);
    return i < 0 ? nullptr : dynamic_cast<T*>(data.CtrlList[i]);
}

template <class T>
T* object(const TskSkinData& data, const std::string& name)
{
    const int i = data.IndexOfObject(name);
    return i < 0 ? nullptr : dynamic_cast<T*>(data.ObjectList[i]);
}

const cl::TBitmap* picture(const TskSkinData& data, int index)
{
    return index >= 0 && index < data.ActivePictures.Count() ? data.ActivePictures[index] : nullptr;
}

// Checks that every named control and object exists with its kind, and its images lie in its
// picture with every state the size of the normal image. Collects the images drawn with the
// key colour transparent.
void CheckDescriptions(const TskSkinData& data, std::vector<TRect>& keyed)
{
    for (const char* name : {"button", "toolbutton", "resizebutton"}) {
        auto* b = control<TskDataSkinButtonControl>(data, name);
        ASSERT_NE(b, nullptr) << name;
        const cl::TBitmap* p = picture(data, b->PictureIndex);
        ASSERT_NE(p, nullptr) << name;
        EXPECT_TRUE(inside(b->SkinRect, *p)) << name;
        for (const TRect& state : {b->ActiveSkinRect, b->DownSkinRect, b->DisabledSkinRect}) {
            EXPECT_TRUE(inside(state, *p)) << name;
            EXPECT_TRUE(sameSize(state, b->SkinRect)) << name;
        }
        if (b->FrameCount > 0) {
            EXPECT_EQ(b->AnimateSkinRect.Width(), b->FrameCount * b->SkinRect.Width()) << name;
            EXPECT_TRUE(inside(b->AnimateSkinRect, *p)) << name;
        }
    }
    for (const char* name : {"panel", "toolpanel", "statusbar"}) {
        auto* c = control<TskDataSkinPanelControl>(data, name);
        ASSERT_NE(c, nullptr) << name;
        const cl::TBitmap* p = picture(data, c->PictureIndex);
        ASSERT_NE(p, nullptr) << name;
        EXPECT_TRUE(inside(c->SkinRect, *p)) << name;
        if (c->GripperTransparent) {
            EXPECT_EQ(c->GripperTransparentColor, KeyColour) << name;
            keyed.push_back(c->GripperRect);
        }
    }
    auto* ex = control<TskDataSkinExPanelControl>(data, "expanel");
    ASSERT_NE(ex, nullptr);
    {
        const cl::TBitmap* p = picture(data, ex->PictureIndex);
        ASSERT_NE(p, nullptr);
        for (const TRect& r : {ex->SkinRect, ex->RollHSkinRect, ex->RollVSkinRect, ex->CloseButtonRect,
                               ex->CloseButtonActiveRect, ex->CloseButtonDownRect, ex->VRollButtonRect,
                               ex->VRestoreButtonRect, ex->HRollButtonRect, ex->HRestoreButtonRect})
            EXPECT_TRUE(inside(r, *p));
        EXPECT_TRUE(sameSize(ex->CloseButtonRect, ex->CloseButtonDownRect));
    }
    for (const char* name : {"checkbox", "radiobox"}) {
        auto* c = control<TskDataSkinCheckRadioControl>(data, name);
        ASSERT_NE(c, nullptr) << name;
        const cl::TBitmap* p = picture(data, c->PictureIndex);
        ASSERT_NE(p, nullptr) << name;
        EXPECT_TRUE(inside(c->SkinRect, *p) && inside(c->ActiveSkinRect, *p)) << name;
        for (const TRect& r : {c->CheckImageRect, c->UnCheckImageRect, c->ActiveCheckImageRect,
                               c->ActiveUnCheckImageRect, c->UnEnabledCheckImageRect, c->UnEnabledUnCheckImageRect}) {
            EXPECT_TRUE(inside(r, *p)) << name;
            EXPECT_TRUE(sameSize(r, c->CheckImageArea)) << name;
            // Drawn transparently in the colour of its bottom-left pixel.
            EXPECT_EQ(p->Pixels(r.Left, r.Bottom - 1), KeyColour) << name;
            keyed.push_back(r);
        }
    }
    for (const char* name : {"htrackbar", "trackbar"}) {
        auto* t = control<TskDataSkinTrackBarControl>(data, name);
        ASSERT_NE(t, nullptr) << name;
        const cl::TBitmap* p = picture(data, t->PictureIndex);
        ASSERT_NE(p, nullptr) << name;
        EXPECT_TRUE(inside(t->SkinRect, *p) && inside(t->ButtonRect, *p) && inside(t->ActiveButtonRect, *p)) << name;
        EXPECT_EQ(t->Vertical, std::string(name) == "trackbar");
        if (t->ButtonTransparent) {
            EXPECT_EQ(t->ButtonTransparentColor, KeyColour) << name;
            keyed.push_back(t->ButtonRect);
            keyed.push_back(t->ActiveButtonRect);
        }
    }
    for (const char* name : {"hscrollbar", "vscrollbar", "bothhscrollbar"}) {
        auto* s = control<TskDataSkinScrollBarControl>(data, name);
        ASSERT_NE(s, nullptr) << name;
        const cl::TBitmap* p = picture(data, s->PictureIndex);
        ASSERT_NE(p, nullptr) << name;
        EXPECT_TRUE(inside(s->SkinRect, *p)) << name;
        for (const TRect& r : {s->ThumbRect, s->ActiveThumbRect, s->DownThumbRect}) {
            EXPECT_TRUE(inside(r, *p)) << name;
            EXPECT_TRUE(sameSize(r, s->ThumbRect)) << name;
        }
        for (const TRect& r : {s->ActiveUpButtonRect, s->DownUpButtonRect}) EXPECT_TRUE(sameSize(r, s->UpButtonRect)) << name;
        for (const TRect& r : {s->ActiveDownButtonRect, s->DownDownButtonRect}) EXPECT_TRUE(sameSize(r, s->DownButtonRect)) << name;
    }
    auto* updown = control<TskDataSkinUpDownControl>(data, "hupdown");
    ASSERT_NE(updown, nullptr);
    EXPECT_TRUE(sameSize(updown->ActiveUpButtonRect, updown->UpButtonRect));
    auto* tab = control<TskDataSkinTabControl>(data, "tab");
    ASSERT_NE(tab, nullptr);
    EXPECT_EQ(tab->UpDown, "hupdown");
    for (const TRect& r : {tab->ActiveTabRect, tab->FocusTabRect, tab->MouseInTabRect}) EXPECT_TRUE(sameSize(r, tab->TabRect));
    auto* edit = control<TskDataSkinEditControl>(data, "edit");
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(sameSize(edit->ActiveSkinRect, edit->SkinRect));
    auto* combo = control<TskDataSkinComboBox>(data, "combobox");
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->ListBoxName, "listbox");
    EXPECT_TRUE(sameSize(combo->ActiveItemRect, combo->ItemRect));
    auto* list = control<TskDataSkinListBox>(data, "listbox");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->VScrollBarName, "vscrollbar");
    EXPECT_NE(control<TskDataSkinStdLabelControl>(data, "stdlabel"), nullptr);

    auto* caption = object<TskDataSkinCaption>(data, "caption");
    ASSERT_NE(caption, nullptr);
    EXPECT_TRUE(inside(caption->SkinRect, *data.Picture));
    for (const char* name : {"closebutton", "maxbutton", "minbutton", "rollupbutton", "traybutton", "sysmenubutton"}) {
        auto* b = object<TskDataSkinStdButton>(data, name);
        ASSERT_NE(b, nullptr) << name;
        const cl::TBitmap* p = picture(data, b->ActivePictureIndex);
        ASSERT_NE(p, nullptr) << name;
        EXPECT_TRUE(b->SkinRectInAPicture) << name;
        for (const TRect& r : {b->SkinRect, b->ActiveSkinRect, b->DownRect, b->InactiveSkinRect}) {
            EXPECT_TRUE(inside(r, *p)) << name;
            EXPECT_TRUE(sameSize(r, b->SkinRect)) << name;
        }
        if (b->RestoreRect.Width() > 0) {
            for (const TRect& r : {b->RestoreActiveRect, b->RestoreDownRect, b->RestoreInactiveRect})
                EXPECT_TRUE(sameSize(r, b->RestoreRect)) << name;
        }
    }
    EXPECT_EQ(object<TskDataSkinStdButton>(data, "closebutton")->Command, cmClose);
    EXPECT_EQ(object<TskDataSkinStdButton>(data, "traybutton")->Command, cmMinimizeToTray);
    auto* menu = object<TskDataSkinMenuItem>(data, "menuitem");
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(sameSize(menu->ActiveSkinRect, menu->SkinRect));
}

bool inAny(const std::vector<TRect>& rects, int x, int y)
{
    for (const TRect& r : rects)
        if (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom) return true;
    return false;
}

// The first pixel of the key colour outside the allowed rectangles, as "x,y", or "".
std::string StrayKey(const cl::TBitmap& p, const std::vector<TRect>& allowed)
{
    for (int y = 0; y < p.Height(); ++y) {
        const std::uint8_t* row = p.ScanLine(y);
        for (int x = 0; x < p.Width(); ++x)
            if (row[3 * x] == 0xFF && row[3 * x + 1] == 0 && row[3 * x + 2] == 0xFF && !inAny(allowed, x, y))
                return std::to_string(x) + "," + std::to_string(y);
    }
    return "";
}

}  // namespace

TEST_F(StoredSkins, AreTheProgramsThirtyFiveInTheirOrder)
{
    ASSERT_EQ(skins_.size(), static_cast<std::size_t>(trebanix::StoredSkinCount));
    ASSERT_EQ(std::size(ExpectedOrder), skins_.size());
    for (std::size_t i = 0; i < skins_.size(); ++i) {
        EXPECT_EQ(skins_[i]->Description, ExpectedOrder[i]);
        EXPECT_EQ(skins_[i]->Owner(), owner_);
        EXPECT_FALSE(skins_[i]->FileName().empty());
        EXPECT_NE(skins_[i]->CompressedFileName().find(".skn"), std::string::npos);
    }
}

TEST_F(StoredSkins, AreZlibStreamsAtBestCompressionWithinTheBudget)
{
    std::int64_t total = 0;
    for (TskCompressedStoredSkin* s : skins_) {
        const std::string bytes = s->CompressedStream().DataString();
        ASSERT_GE(bytes.size(), 2u);
        EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0x78) << s->Description;
        EXPECT_EQ(static_cast<unsigned char>(bytes[1]), 0xDA) << s->Description;
        total += static_cast<std::int64_t>(bytes.size());
    }
    EXPECT_LE(total, 8 * 1024 * 1024);
}

TEST_F(StoredSkins, EachLoadsAndDescribesEverythingTheWindowsAskFor)
{
    for (TskCompressedStoredSkin* stored : skins_) {
        SCOPED_TRACE(stored->Description);
        TskSkinData data(nullptr);
        ASSERT_NO_THROW(data.LoadCompressedStoredSkin(stored));
        ASSERT_FALSE(data.Empty);
        EXPECT_EQ(data.SkinName, stored->Description);

        // The frame and its companions.
        ASSERT_FALSE(data.Picture->Empty());
        EXPECT_EQ(data.Mask->Width(), data.Picture->Width());
        EXPECT_EQ(data.Mask->Height(), data.Picture->Height());
        if (data.InactivePicture->Empty()) {
            EXPECT_TRUE(data.AutoRenderingInactiveImage);
        } else {
            EXPECT_EQ(data.InactivePicture->Width(), data.Picture->Width());
            EXPECT_EQ(data.InactivePicture->Height(), data.Picture->Height());
        }
        EXPECT_TRUE(inside(data.ClRect, *data.Picture));
        EXPECT_NE(picture(data, data.PopupWindow->WindowPictureIndex), nullptr);
        EXPECT_NE(picture(data, data.HintWindow->WindowPictureIndex), nullptr);
        EXPECT_NE(picture(data, data.BGPictureIndex), nullptr);

        std::vector<TRect> keyed;
        CheckDescriptions(data, keyed);
        EXPECT_EQ(StrayKey(*data.ActivePictures[0], keyed), "");
        for (int i = 1; i < data.ActivePictures.Count(); ++i) EXPECT_EQ(StrayKey(*data.ActivePictures[i], {}), "") << i;
        EXPECT_EQ(StrayKey(*data.Picture, {}), "");
        if (!data.InactivePicture->Empty()) {
            EXPECT_EQ(StrayKey(*data.InactivePicture, {}), "");
        }
    }
}
