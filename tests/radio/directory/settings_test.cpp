// The settings store over the registry of the test prefix.
#include <gtest/gtest.h>

#include "radio/directory/RegistryManager.h"

namespace {

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override { Wipe(); }
    void TearDown() override { Wipe(); }
    static void Wipe()
    {
        cl::TRegistry reg;
        reg.DeleteKey("\\Software\\Lumra");
    }
    static cl::TRegistry& Open(cl::TRegistry& reg, const char* key)
    {
        EXPECT_TRUE(reg.OpenKey(std::string("\\Software\\Lumra\\Trebanix\\4.0\\") + key, true));
        return reg;
    }
};

}  // namespace

TEST_F(SettingsTest, AFreshHiveGivesEveryDefaultAndLeavesTheKeysBehind)
{
    TRegManager settings;
    EXPECT_EQ(settings.GetSkin(), "");
    EXPECT_EQ(settings.GetRadioSkin(), -1);
    EXPECT_EQ(settings.GetLastRadioURL(), "");
    EXPECT_EQ(settings.GetRadioWindowPos(), 0);
    EXPECT_FALSE(settings.GetStoreRadioSkin());
    EXPECT_EQ(settings.GetUserName(), "");
    EXPECT_EQ(settings.GetPassword(), "");
    EXPECT_FALSE(settings.GetIsEncrypted());
    cl::TRegistry reg;
    EXPECT_TRUE(reg.KeyExists("\\Software\\Lumra\\Trebanix\\4.0\\General"));
    EXPECT_TRUE(reg.KeyExists("\\Software\\Lumra\\Trebanix\\4.0\\Communication"));
    EXPECT_FALSE(reg.KeyExists("\\Software\\Lumra\\Trebanix\\4.0\\Hardware"));
}

TEST_F(SettingsTest, ValuesRoundTripWithTheirRegistryTypes)
{
    {
        TRegManager settings;
        settings.SetRadioSkin(12);
        settings.SetLastRadioURL("http://127.0.0.1/a?b=1&c=2");
        settings.SetRadioWindowPos(7);
        settings.SetStoreRadioSkin(true);
    }
    TRegManager settings;
    EXPECT_EQ(settings.GetRadioSkin(), 12);
    EXPECT_EQ(settings.GetLastRadioURL(), "http://127.0.0.1/a?b=1&c=2");
    // Out of range is returned as stored; the compact window resets it.
    EXPECT_EQ(settings.GetRadioWindowPos(), 7);
    EXPECT_TRUE(settings.GetStoreRadioSkin());
    cl::TRegistry reg;
    Open(reg, "General");
    EXPECT_EQ(reg.ReadInteger("Store Radio Skin"), 1);
    EXPECT_EQ(reg.ReadInteger("Radio Skin"), 12);
}

TEST_F(SettingsTest, CredentialsAreStoredLetterMirrored)
{
    const std::string name = "abcXYZ 09-_.\xe9\xfc";
    {
        TRegManager settings;
        settings.SetUserName(name);
        settings.SetPassword("ABC");
    }
    cl::TRegistry reg;
    Open(reg, "Communication");
    EXPECT_EQ(reg.ReadString("UserName"), "zyxCBA 09-_.\xe9\xfc");
    EXPECT_EQ(reg.ReadString("Password"), "ZYX");
    EXPECT_EQ(reg.ReadInteger("Is Encrypted"), 1);
    TRegManager settings;
    EXPECT_EQ(settings.GetUserName(), name);
    EXPECT_EQ(settings.GetPassword(), "ABC");
    EXPECT_EQ(TRegManager::EncodeText(""), "");
    EXPECT_EQ(TRegManager::DecodeText(TRegManager::EncodeText(name)), name);
}

TEST_F(SettingsTest, CredentialsWithoutTheFlagAreReadAsStored)
{
    cl::TRegistry reg;
    Open(reg, "Communication");
    reg.WriteString("UserName", "plain");
    reg.WriteString("Password", "secret");
    TRegManager settings;
    EXPECT_EQ(settings.GetUserName(), "plain");
    EXPECT_EQ(settings.GetPassword(), "secret");
    reg.WriteInteger("Is Encrypted", 0);
    EXPECT_EQ(settings.GetUserName(), "plain");
}

TEST_F(SettingsTest, AValueOfAnotherTypeReadsAsItsDefaultAndTheNextWriteStoresItsOwnType)
{
    cl::TRegistry reg;
    Open(reg, "General");
    reg.WriteInteger("Skin", 4);
    reg.WriteString("Radio Skin", "3");
    reg.WriteInteger("Last Radio URL", 3);
    reg.WriteString("Radio Window Pos", "2");
    reg.WriteString("Store Radio Skin", "1");
    Open(reg, "Communication");
    reg.WriteInteger("UserName", 5);
    reg.WriteString("Password", "ZYX");
    reg.WriteString("Is Encrypted", "1");
    {
        TRegManager settings;
        EXPECT_EQ(settings.GetSkin(), "");
        EXPECT_EQ(settings.GetRadioSkin(), -1);
        EXPECT_EQ(settings.GetLastRadioURL(), "");
        EXPECT_EQ(settings.GetRadioWindowPos(), 0);
        EXPECT_FALSE(settings.GetStoreRadioSkin());
        EXPECT_EQ(settings.GetUserName(), "");
        // "Is Encrypted" reads False, so the password is taken as stored.
        EXPECT_EQ(settings.GetPassword(), "ZYX");

        settings.SetRadioSkin(3);
        settings.SetLastRadioURL("http://127.0.0.1/s");
        settings.SetRadioWindowPos(2);
        settings.SetStoreRadioSkin(true);
        settings.SetUserName("abc");
    }
    TRegManager settings;
    EXPECT_EQ(settings.GetRadioSkin(), 3);
    EXPECT_EQ(settings.GetLastRadioURL(), "http://127.0.0.1/s");
    EXPECT_EQ(settings.GetRadioWindowPos(), 2);
    EXPECT_TRUE(settings.GetStoreRadioSkin());
    EXPECT_EQ(settings.GetUserName(), "abc");
    EXPECT_EQ(reg.ReadInteger("Is Encrypted"), 1);
    Open(reg, "General");
    EXPECT_EQ(reg.ReadInteger("Radio Window Pos"), 2);
    EXPECT_EQ(reg.ReadString("Last Radio URL"), "http://127.0.0.1/s");
}
