// Resources as streams and resource strings.
#include <gtest/gtest.h>

#include "classlib/classes/Classes.h"

using namespace cl;

TEST(CoreResources, RegisteredResourcesReadAsStreams)
{
    RegisterResource("SKIN_TEST", rtRCData, std::string("ab\0c", 4));
    {
        TResourceStream s("skin_test");  // names ignore case
        EXPECT_EQ(s.Size(), 4);
        EXPECT_EQ(s.ReadString(4), std::string("ab\0c", 4));
        char c;
        EXPECT_THROW(s.ReadBuffer(&c, 1), EReadError);
        // Read-only.
        EXPECT_THROW(s.WriteBuffer("x", 1), EWriteError);
        // Replacing the registration does not pull the bytes from under a live stream.
        RegisterResource("SKIN_TEST", rtRCData, "new");
        s.SetPosition(0);
        EXPECT_EQ(s.ReadString(2), "ab");
    }
    EXPECT_EQ(ResourceBytes("SKIN_TEST"), "new");
    EXPECT_TRUE(ResourceExists("SKIN_TEST"));
    EXPECT_FALSE(ResourceExists("SKIN_TEST", "OTHERTYPE"));
    UnregisterResource("SKIN_TEST", rtRCData);
    EXPECT_FALSE(ResourceExists("SKIN_TEST"));
    try {
        TResourceStream missing("NO_SUCH_SKIN");
        FAIL();
    } catch (const EResNotFound& e) {
        EXPECT_EQ(e.Message(), "Resource NO_SUCH_SKIN not found");
    }
    EXPECT_THROW(TResourceStream(4711), EResNotFound);
    RegisterResource(7, rtRCData, "by id");
    EXPECT_EQ(ResourceBytes(7), "by id");
    UnregisterResource(7, rtRCData);
}

TEST(CoreResources, ResourceStrings)
{
    EXPECT_EQ(LoadStr(65263), "");
    RegisterResourceString(65263, "Registered");
    EXPECT_EQ(LoadStr(65263), "Registered");
    UnregisterResourceString(65263);
    EXPECT_EQ(LoadStr(65263), "");
}

#ifdef _WIN32
TEST(CoreResources, ProgramRcDataAndStringTable)
{
    const std::string expected("Trebanix RCDATA\r\n\0\x01\x02", 20);
    TResourceStream s("CORE_TEST_RCDATA");
    EXPECT_EQ(s.Size(), std::int64_t(expected.size()));
    EXPECT_EQ(s.ReadString(s.Size()), expected);
    EXPECT_EQ(ResourceBytes(4242), expected);
    EXPECT_EQ(LoadStr(65200), "Resource string 65200");
}
#endif
