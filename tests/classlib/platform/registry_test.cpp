// TRegistry against the real registry of the test prefix.
#include <gtest/gtest.h>

#include "classlib/platform/Registry.h"

using namespace cl;

namespace {

const char* const kTestKey = "\\Software\\TrebanixTests\\Registry";

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { Wipe(); }
    void TearDown() override { Wipe(); }
    static void Wipe()
    {
        TRegistry reg;
        reg.DeleteKey("\\Software\\TrebanixTests");
    }
};

}  // namespace

TEST_F(RegistryTest, ValuesRoundTripWithTheirTypes)
{
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(kTestKey, true));
        reg.WriteString("Text", "caf\xe9 & <\"'>");
        reg.WriteString("Empty", "");
        reg.WriteInteger("Negative", -1);
        reg.WriteBool("Flag", true);
    }
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(kTestKey, false));
    EXPECT_EQ(reg.ReadString("Text"), "caf\xe9 & <\"'>");
    EXPECT_TRUE(reg.ValueExists("Empty"));
    EXPECT_EQ(reg.ReadString("Empty"), "");
    EXPECT_EQ(reg.ReadInteger("Negative"), -1);
    EXPECT_TRUE(reg.ReadBool("Flag"));
    // Names are not case-sensitive in the registry.
    EXPECT_TRUE(reg.ValueExists("FLAG"));
}

TEST_F(RegistryTest, WrongTypeAndMissingValuesRaise)
{
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(kTestKey, true));
    reg.WriteString("Number", "5");
    reg.WriteInteger("Text", 7);
    try {
        reg.ReadInteger("Number");
        FAIL() << "no error";
    } catch (const ERegistryException& e) {
        EXPECT_STREQ(e.what(), "Invalid data type for 'Number'");
    }
    try {
        reg.ReadString("Text");
        FAIL() << "no error";
    } catch (const ERegistryException& e) {
        EXPECT_STREQ(e.what(), "Invalid data type for 'Text'");
    }
    EXPECT_THROW(reg.ReadBool("Number"), ERegistryException);
    EXPECT_FALSE(reg.ValueExists("Missing"));
    EXPECT_EQ(reg.ReadString("Missing"), "");
    EXPECT_THROW(reg.ReadInteger("Missing"), ERegistryException);
}

TEST_F(RegistryTest, BinaryOfFourBytesIsNotAnInteger)
{
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(kTestKey, true));
    DWORD raw = 3;
    ASSERT_EQ(RegSetValueExA(reg.CurrentKey(), "Bin", 0, REG_BINARY, reinterpret_cast<BYTE*>(&raw), 4), ERROR_SUCCESS);
    EXPECT_THROW(reg.ReadInteger("Bin"), ERegistryException);
}

TEST_F(RegistryTest, StringsWithoutTerminatorAreReadWhole)
{
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(kTestKey, true));
    ASSERT_EQ(RegSetValueExA(reg.CurrentKey(), "Raw", 0, REG_SZ, reinterpret_cast<const BYTE*>("abc"), 3),
              ERROR_SUCCESS);
    EXPECT_EQ(reg.ReadString("Raw"), "abc");
}

TEST_F(RegistryTest, KeysOpenAbsoluteOrRelativeAndFailWithoutCreate)
{
    TRegistry reg;
    EXPECT_FALSE(reg.OpenKey(kTestKey, false));
    EXPECT_EQ(reg.CurrentKey(), nullptr);
    ASSERT_TRUE(reg.OpenKey(std::string(kTestKey) + "\\", true));
    EXPECT_EQ(reg.CurrentPath(), "Software\\TrebanixTests\\Registry");
    // Relative to the open key.
    ASSERT_TRUE(reg.OpenKey("Child\\", true));
    EXPECT_EQ(reg.CurrentPath(), "Software\\TrebanixTests\\Registry\\Child");
    // A failed open keeps the key that was open.
    EXPECT_FALSE(reg.OpenKey("Nowhere", false));
    EXPECT_EQ(reg.CurrentPath(), "Software\\TrebanixTests\\Registry\\Child");
    EXPECT_TRUE(reg.KeyExists("\\Software\\TrebanixTests\\Registry\\Child"));
    reg.CloseKey();
    EXPECT_THROW(reg.WriteInteger("x", 1), ERegistryException);
    EXPECT_FALSE(reg.ValueExists("x"));
}
