// The skin the main window wears from its start: the chosen one is the only skin read, and the
// start skin ("Sirius") stays when nothing chosen yields a skin.
#include <gtest/gtest.h>

#include <string>

#include "classlib/platform/Registry.h"
#include "radio/forms/MainWindowTestSupport.h"
#include "radio/directory/RegistryManager.h"
#include "skin/data/SkinData.h"

using namespace mainwin_test;

namespace {

constexpr int SiriusIndex = 33;
const char* const GeneralKey = "\\Software\\Lumra\\Trebanix\\4.0\\General\\";
constexpr int ProgressiveGreenIndex = 12;

// A hidden form that counts the completed skin loads announced to every form.
class TSkinLoadWitness : public cl::TForm {
public:
    TSkinLoadWitness() : cl::TForm(nullptr) { HandleNeeded(); }
    int Loads = 0;

protected:
    void Dispatch(cl::TMessage& Message) override
    {
        if (Message.Msg == sk::WM_CHANGESKINDATA)
            ++Loads;
        cl::TForm::Dispatch(Message);
    }
};

// The setting "Skin" (a packed skin file), taken away again when the scope ends.
class TSkinFileSetting {
public:
    explicit TSkinFileSetting(const std::string& File)
    {
        cl::TRegistry reg;
        reg.SetRootKey(HKEY_CURRENT_USER);
        if (reg.OpenKey(GeneralKey, true))
            reg.WriteString("Skin", File);
    }
    ~TSkinFileSetting()
    {
        cl::TRegistry reg;
        reg.SetRootKey(HKEY_CURRENT_USER);
        if (reg.OpenKey(GeneralKey, false))
            reg.DeleteValue("Skin");
    }
};

}  // namespace

TEST(MainWindowStartSkin, OnlyTheChosenSkinIsReadWhileTheWindowIsMade)
{
    for (int chosen : {ProgressiveGreenIndex, 3}) {
        TSkinLoadWitness* witness = new TSkinLoadWitness;
        {
            TMainWindowScene scene;
            TRegManager reg;
            reg.SetStoreRadioSkin(chosen != ProgressiveGreenIndex);
            reg.SetRadioSkin(chosen);
            scene.Create();
            EXPECT_EQ(scene.form->skSkinData1->CompressedStoredSkin(), scene.form->SkinList[chosen]);
            EXPECT_FALSE(scene.form->skSkinData1->Empty);
            EXPECT_EQ(witness->Loads, 1) << chosen;
            // The controls hold their descriptions of that skin.
            EXPECT_NE(scene.form->skSkinSpeedButton1->DescriptionIndex(), -1);
        }
        witness->Free();
    }
}

TEST(MainWindowStartSkin, ASkinFileThatYieldsNoSkinLeavesTheStartSkin)
{
    TMainWindowScene scene;
    // A packed skin of a later version than this program reads: no skin, and no error.
    const std::string later("\xFF\xFF\xFF\x7F\x04\x00\x00\x00" "abcd", 12);
    scene.folder.WriteFile("later.skn", later);
    TSkinFileSetting setting(scene.folder.Path() + "later.skn");
    scene.Create();
    EXPECT_EQ(scene.form->skSkinData1->CompressedStoredSkin(), scene.form->SkinList[SiriusIndex]);
    EXPECT_FALSE(scene.form->skSkinData1->Empty);
    EXPECT_NE(scene.form->skSkinSpeedButton1->DescriptionIndex(), -1);
    EXPECT_TRUE(scene.messages.empty());
}
