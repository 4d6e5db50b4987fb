// Switching among the program's stored skins on a form with a frame: its scroll bar and
// category buttons take the new skin's sizes and are painted anew, as controls given the skin
// from the start are.
#include "skinforms/frame/support.h"

#include <vector>

#include "skin/controls/ScrollBar.h"
#include "skins/StoredSkins.h"
#include "support/LiveHandles.h"
#include "skinforms/categorybuttons/Control.h"

using namespace cl;
using namespace sk;
using namespace frametest;

namespace {

// A form holding a scroll bar and category buttons, all bound to Skin.
struct TControlsForm {
    TFramedForm framed;
    TskSkinScrollBar* bar;
    TskSkinCategoryButtons* buttons;
    explicit TControlsForm(TskSkinData* Skin, int X) : framed(nullptr, 320, 260)
    {
        framed.Form->SetBounds(X, 20, 320, 260);
        bar = new TskSkinScrollBar(framed.Form);
        bar->SetParent(framed.Form);
        bar->SetBounds(10, 10, 200, 19);
        bar->SetSkinData(Skin);
        buttons = new TskSkinCategoryButtons(framed.Form);
        buttons->SetParent(framed.Form);
        buttons->SetBounds(10, 50, 200, 150);
        // Compared by their looks alone: neither form's list shows a focus mark.
        buttons->SetTabStop(false);
        TskButtonCategory* c = buttons->Categories()->Add();
        c->SetCaption("Stations");
        for (int i = 0; i < 12; ++i)
            c->Items()->Add()->SetCaption("Station");
        buttons->SetSkinData(Skin);
        framed.Frame->SetSkinData(Skin);
        framed.Show();
    }
};

// What is on the screen for the control's window now.
std::unique_ptr<TBitmap> OnScreen(TWinControl* Control)
{
    auto b = std::make_unique<TBitmap>();
    b->SetSize(Control->Width(), Control->Height());
    TWindowDC dc(Control->Handle());
    BitBlt(b->Canvas()->Handle(), 0, 0, Control->Width(), Control->Height(), dc.Handle(), 0, 0, SRCCOPY);
    GdiFlush();
    return b;
}

}  // namespace

TEST(FrameSkinSwitch, ScrollBarAndCategoryButtonsShowTheNewStoredSkinLikeFreshOnes)
{
    TComponent owner(nullptr);
    std::vector<TskCompressedStoredSkin*> skins = trebanix::CreateStoredSkins(&owner);
    ASSERT_GE(skins.size(), 34u);
    auto* data = new TskSkinData(&owner);
    data->SetCompressedStoredSkin(skins[12]);
    TControlsForm form(data, 20);
    auto barBefore = OnScreen(form.bar);
    auto buttonsBefore = OnScreen(form.buttons);

    // The switch reaches the controls only through the frame's window procedure.
    data->SetCompressedStoredSkin(skins[33]);
    Application->ProcessMessages();

    TskSkinData fresh(nullptr);
    fresh.SetCompressedStoredSkin(skins[33]);
    TControlsForm reference(&fresh, 400);
    auto expectedBar = OnScreen(reference.bar);
    auto expectedButtons = OnScreen(reference.buttons);
    ASSERT_GT(Differences(*barBefore, *expectedBar), 0) << "the two skins must look different";
    ASSERT_GT(Differences(*buttonsBefore, *expectedButtons), 0);
    EXPECT_EQ(form.bar->DescriptionIndex(), reference.bar->DescriptionIndex());
    EXPECT_EQ(form.buttons->TextHeight(), reference.buttons->TextHeight());
    EXPECT_EQ(Differences(*OnScreen(form.bar), *expectedBar), 0) << "the scroll bar shows the new skin";
    EXPECT_EQ(Differences(*OnScreen(form.buttons), *expectedButtons), 0) << "the category buttons show the new skin";
}

TEST(FrameSkinSwitch, AScrollBarTakesTheHeightOfTheNewDescription)
{
    TFrameSkin skin;
    TFramedForm form(skin.Data);
    auto* bar = new TskSkinScrollBar(form.Form);
    bar->SetParent(form.Form);
    bar->SetBounds(10, 10, 200, 19);
    bar->SetSkinData(skin.Data);
    form.Show();
    ASSERT_EQ(bar->DescriptionIndex(), -1);
    skin.Reload([&] {
        auto d = std::make_unique<TskDataSkinScrollBarControl>("hscrollbar");
        d->PictureIndex = 0;
        d->SkinRect = Rect(0, 0, 60, 25);
        d->LTPoint = {10, 0};
        d->RTPoint = {50, 0};
        d->ClRect = Rect(10, 0, 50, 25);
        skin.Data->ActivePictures.Items(0)->SetSize(60, 25);
        skin.Data->CtrlList.Add(std::move(d));
    });
    EXPECT_EQ(bar->DescriptionIndex(), 0);
    EXPECT_EQ(bar->Height(), 25);
    EXPECT_EQ(bar->Width(), 200);
    skin.Reload([&] { skin.Data->CtrlList.Clear(); });
    EXPECT_EQ(bar->DescriptionIndex(), -1);
}

TEST(FrameSkinSwitch, AHundredSwitchesOfAFormWithTwentyControlsLeaveTheCountsOfOne)
{
    test_support::CountLiveHandles();
    TComponent owner(nullptr);
    std::vector<TskCompressedStoredSkin*> skins = trebanix::CreateStoredSkins(&owner);
    auto* data = new TskSkinData(&owner);
    data->SetCompressedStoredSkin(skins[12]);
    TFramedForm form(nullptr, 640, 480);
    for (int i = 0; i < 19; ++i) {
        auto* bar = new TskSkinScrollBar(form.Form);
        bar->SetParent(form.Form);
        if (i % 2)
            bar->SetKind(sbVertical);
        bar->SetBounds(10 + (i % 10) * 60, 10 + (i / 10) * 200, i % 2 ? 19 : 50, i % 2 ? 150 : 19);
        bar->SetSkinData(data);
    }
    auto* buttons = new TskSkinCategoryButtons(form.Form);
    buttons->SetParent(form.Form);
    buttons->SetBounds(10, 400, 300, 60);
    buttons->Categories()->Add()->SetCaption("Stations");
    buttons->SetSkinData(data);
    form.Frame->SetSkinData(data);
    form.Show();
    const int pair[] = {33, 12};
    auto switchOnce = [&](int I) {
        data->SetCompressedStoredSkin(skins[pair[I % 2]]);
        Application->ProcessMessages();
    };
    switchOnce(0);
    switchOnce(1);
    const auto afterOne = test_support::CountLiveHandles();
    for (int i = 0; i < 100; ++i)
        switchOnce(i);
    const auto leaked = test_support::CountLiveHandles() - afterOne;
    EXPECT_EQ(leaked, test_support::TLiveHandles{}) << leaked;
}
