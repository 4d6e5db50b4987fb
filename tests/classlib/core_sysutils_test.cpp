// SysUtils: conversions, Format, strings, paths, dates, rounding, exceptions.
#include <gtest/gtest.h>

#include "classlib/SysUtils.h"

using namespace cl;

TEST(CoreSysUtils, FormatBasics)
{
    EXPECT_EQ(Format("%s=%d", "a", 12), "a=12");
    EXPECT_EQ(Format("%x", 255), "FF");
    EXPECT_EQ(Format("%.8x", 0x1A2B), "00001A2B");
    EXPECT_EQ(Format("%.8x", -1), "FFFFFFFF");
    EXPECT_EQ(Format("100%%"), "100%");
    EXPECT_THROW(Format("%d", "text"), EConvertError);
    EXPECT_THROW(Format("%s %s", "one"), EConvertError);
}

TEST(CoreSysUtils, StrToIntRejectsJunk)
{
    EXPECT_EQ(StrToInt("42"), 42);
    EXPECT_EQ(StrToInt("$FF"), 255);
    EXPECT_EQ(StrToInt("0x10"), 16);
    EXPECT_EQ(StrToInt("-7"), -7);
    try {
        StrToInt("12a");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'12a' is not a valid integer value");
    }
    EXPECT_EQ(StrToIntDef("junk", 5), 5);
    EXPECT_EQ(StrToIntDef("99999999999", 5), 5);
}

TEST(CoreSysUtils, RoundHalfToEven)
{
    EXPECT_EQ(Round(0.5), 0);
    EXPECT_EQ(Round(1.5), 2);
    EXPECT_EQ(Round(2.5), 2);
    EXPECT_EQ(Round(-0.5), 0);
    EXPECT_EQ(Round(-1.5), -2);
    EXPECT_EQ(Round(2.6), 3);
}

TEST(CoreSysUtils, ExceptionAncestryByName)
{
    EReadError e("Stream read error");
    EXPECT_EQ(e.ClassName(), "EReadError");
    EXPECT_TRUE(e.InheritsFrom("EStreamError"));
    EXPECT_TRUE(e.InheritsFrom("exception"));
    EXPECT_TRUE(e.InheritsFrom("TObject"));
    EXPECT_FALSE(e.InheritsFrom("EConvertError"));
    EXPECT_STREQ(e.what(), "Stream read error");
}
