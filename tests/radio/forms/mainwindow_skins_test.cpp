// The main window's skins, layout and rolling: the stored skins in order, the skin chosen at
// start, "Change skin" through the selection dialog, and the "More..." panel.
#include <gtest/gtest.h>

#include <vector>

#include "radio/forms/MainWindowTestSupport.h"
#include "radio/directory/RegistryManager.h"

using namespace mainwin_test;

namespace {

const char* const SkinOrder[] = {"XSystem", "BYStyle", "Effective", "DigiMix", "PowerForm Blue", "Corner", "Chrome",
                                 "Circuit", "WAX", "Animate", "NextGen Red", "Gel Revisited", "Progressive Green",
                                 "Media Zone", "Energy Green", "Mac X2", "Media Mix", "Blue Morph", "Modern", "Vista",
                                 "Futurist Orange", "Techno", "Hi Tech", "XFactor Premium", "VIP Zone", "Autumn",
                                 "Smart Green", "Exclusive XP", "Lagoon", "VX Premium", "BlueLight", "Color Expert",
                                 "SkyFi", "Sirius", "Top Level"};

// Answers the selection dialog with item Index and OK, by clicking the list and the button.
void AnswerDialog(TfrmRadioMain* form, int Index, bool Ok = true)
{
    form->dlgSelectSkin->OnShowDialog = [form, Index, Ok](cl::TObject*) {
        sk::TskSelectSkinDlgForm* dlg = form->dlgSelectSkin->Form();
        HWND list = dlg->ListBox->ListBox()->Handle();
        SendMessageA(list, LB_SETTOPINDEX, Index, 0);
        RECT r{};
        SendMessageA(list, LB_GETITEMRECT, Index, reinterpret_cast<LPARAM>(&r));
        const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(list, WM_LBUTTONUP, 0, at);
        sk::TskSkinButton* button = Ok ? dlg->OKButton : dlg->CancelButton;
        SendMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageA(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    };
}

// Reads as the skin did not load anything.
sk::TskCompressedStoredSkin* DamagedSkin(cl::TComponent* Owner)
{
    auto* skin = new sk::TskCompressedStoredSkin(Owner);
    skin->Description = "Damaged";
    static const char garbage[] = "this is not a zlib stream at all";
    skin->CompressedStream().Write(garbage, sizeof garbage);
    return skin;
}

}  // namespace

TEST(MainWindowSkins, TheStoredSkinsStandInTheirOrderAndTheDefaultIsProgressiveGreen)
{
    TMainWindowScene scene;
    scene.Create();
    ASSERT_EQ(scene.form->SkinList.size(), std::size(SkinOrder));
    for (std::size_t i = 0; i < std::size(SkinOrder); ++i) {
        EXPECT_EQ(scene.form->SkinList[i]->Description, SkinOrder[i]);
        EXPECT_EQ(scene.form->FindStoredSkinIndex(SkinOrder[i]), static_cast<int>(i));
    }
    EXPECT_EQ(scene.form->FindStoredSkinIndex("progressive green"), -1);
    EXPECT_EQ(scene.form->skSkinData1->CompressedStoredSkin(), scene.form->SkinList[12]);
    EXPECT_FALSE(scene.form->skSkinData1->Empty);
}

TEST(MainWindowSkins, ASavedSkinIsAppliedOnlyWhenStoringIsOnAndTheIndexIsValid)
{
    struct Case {
        bool store;
        int index;
        int expected;
    };
    std::vector<Case> cases{Case{false, 3, 12}, Case{true, 35, 12}, Case{true, -2, 12}};
    // Every stored skin comes back, the first and the last included.
    for (int i = 0; i < static_cast<int>(std::size(SkinOrder)); ++i)
        cases.push_back(Case{true, i, i});
    for (Case c : cases) {
        TMainWindowScene scene;
        TRegManager reg;
        reg.SetRadioSkin(c.index);
        reg.SetStoreRadioSkin(c.store);
        scene.Create();
        EXPECT_EQ(scene.form->skSkinData1->CompressedStoredSkin(), scene.form->SkinList[c.expected])
            << c.store << " " << c.index;
    }
}

TEST(MainWindowSkins, ChangeSkinAppliesEachStoredSkinAndStoresItsIndex)
{
    TMainWindowScene scene;
    scene.Create();
    for (int i = 0; i < static_cast<int>(std::size(SkinOrder)); ++i) {
        AnswerDialog(scene.form, i);
        scene.form->skSkinSpeedButton3->Click();
        ASSERT_EQ(scene.form->skSkinData1->CompressedStoredSkin(), scene.form->SkinList[i]) << SkinOrder[i];
        EXPECT_FALSE(scene.form->skSkinData1->Empty);
        EXPECT_EQ(TRegManager().GetRadioSkin(), i);
        // The controls read the new skin: the tool buttons found their description.
        EXPECT_NE(scene.form->skSkinSpeedButton1->DescriptionIndex(), -1) << SkinOrder[i];
        EXPECT_EQ(scene.form->dlgSelectSkin->Form(), nullptr);
    }
    EXPECT_TRUE(scene.messages.empty());
    // "Store Radio Skin" is left alone.
    EXPECT_FALSE(TRegManager().GetStoreRadioSkin());
}

TEST(MainWindowSkins, CancelLeavesTheSkinAndTheSetting)
{
    TMainWindowScene scene;
    TRegManager().SetRadioSkin(-1);
    scene.Create();
    AnswerDialog(scene.form, 4, false);
    scene.form->skSkinSpeedButton3->Click();
    EXPECT_EQ(scene.form->skSkinData1->CompressedStoredSkin(), scene.form->SkinList[12]);
    EXPECT_EQ(TRegManager().GetRadioSkin(), -1);
}

TEST(MainWindowSkins, ADamagedSkinIsRefusedInTheDialogAndThePreviousSkinStays)
{
    TMainWindowScene scene;
    scene.Create();
    DamagedSkin(scene.form);
    scene.form->CollectStoredSkins();
    const int damaged = static_cast<int>(scene.form->SkinList.size()) - 1;
    bool okEnabled = true;
    std::string preview;
    scene.form->dlgSelectSkin->OnShowDialog = [&](cl::TObject*) {
        sk::TskSelectSkinDlgForm* dlg = scene.form->dlgSelectSkin->Form();
        dlg->ListBox->SetItemIndex(damaged);
        dlg->PreviewItem(damaged);
        okEnabled = dlg->OKButton->Enabled();
        preview = dlg->PreviewForm->Caption();
        dlg->SetModalResult(cl::mrOk);
    };
    scene.form->skSkinSpeedButton3->Click();
    EXPECT_FALSE(okEnabled);
    EXPECT_EQ(preview, "This skin cannot be read");
    EXPECT_EQ(scene.form->skSkinData1->CompressedStoredSkin(), scene.form->SkinList[12]);
    EXPECT_FALSE(scene.form->skSkinData1->Empty);
}

TEST(MainWindowSkins, ADamagedSavedSkinIsReportedAndTheSkinBeforeItStays)
{
    TMainWindowScene scene;
    scene.Create();
    DamagedSkin(scene.form);
    scene.form->CollectStoredSkins();
    TRegManager reg;
    reg.SetStoreRadioSkin(true);
    reg.SetRadioSkin(static_cast<int>(scene.form->SkinList.size()) - 1);
    scene.form->ApplySavedSkin();
    EXPECT_EQ(scene.messages.size(), 1u);
    EXPECT_EQ(scene.form->skSkinData1->CompressedStoredSkin(), scene.form->SkinList[12]);
    EXPECT_FALSE(scene.form->skSkinData1->Empty);
    EXPECT_NE(scene.form->skSkinSpeedButton1->DescriptionIndex(), -1);
}

TEST(MainWindowSkins, RollingMoreNarrowsTheWindowTo205AndWidensItTo1040)
{
    TMainWindowScene scene;
    scene.Create();
    scene.form->SetWidth(900);
    scene.form->panBrowser->SetRollState(true);
    EXPECT_TRUE(scene.form->panBrowser->RollState());
    EXPECT_EQ(scene.form->Width(), 205);
    EXPECT_FALSE(scene.form->panAdditional->Visible());
    scene.form->panBrowser->SetRollState(false);
    EXPECT_EQ(scene.form->Width(), 1040);
    EXPECT_TRUE(scene.form->panAdditional->Visible());
}

TEST(MainWindowSkins, TheLayoutFollowsTheWindowSize)
{
    TMainWindowScene scene;
    scene.Create();
    TfrmRadioMain* f = scene.form;
    f->SetBounds(0, 0, 1000, 700);
    const int tb = f->tbToolbar->Height();
    EXPECT_EQ(tb, 25);
    EXPECT_EQ(f->panBrowser->Height(), 700 - 35 - f->PanTabs->Height() - 18 - tb);
    EXPECT_EQ(f->panBrowser->Width(), 1000 - 15 - f->panStations->Width() - 18);
    EXPECT_EQ(f->panStations->Left(), 5);
    EXPECT_EQ(f->panStations->Top(), tb + 5);
    EXPECT_EQ(f->panStations->Height(), f->panBrowser->Height());
    EXPECT_EQ(f->panVolume->Top(), tb + f->panStations->Height() + 13);
    EXPECT_EQ(f->panBrowser->Left(), 5 + f->panStations->Width() + 8);
    EXPECT_EQ(f->panBrowser->Top(), f->panStations->Top());
    EXPECT_EQ(f->PanTabs->Left(), f->panBrowser->Left());
    EXPECT_EQ(f->PanTabs->Top(), f->panVolume->Top());
    EXPECT_EQ(f->PanTabs->Width(), f->panBrowser->Width());
}
