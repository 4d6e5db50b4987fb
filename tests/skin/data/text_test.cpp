// The value encodings of the skin description text and the text rules of its reader.
#include <gtest/gtest.h>

#include <climits>

#include "classlib/system/SysUtils.h"
#include "skin/data/Text.h"
#include "skin/data/helpers.h"

using namespace sk;
using sktest::IniOf;

namespace {

TEST(SkinTextValues, IntegersAreDecimalOrHexAndJunkGivesTheDefault)
{
    EXPECT_EQ(skStrToIntDef("42", 7), 42);
    EXPECT_EQ(skStrToIntDef("-42", 7), -42);
    EXPECT_EQ(skStrToIntDef("+42", 7), 42);
    EXPECT_EQ(skStrToIntDef("$1F", 7), 31);
    EXPECT_EQ(skStrToIntDef("0x1F", 7), 31);
    EXPECT_EQ(skStrToIntDef("0X1f", 7), 31);
    // Hexadecimal wraps at 32 bits; more digits than that is no number.
    EXPECT_EQ(skStrToIntDef("$FFFFFFFF", 7), -1);
    EXPECT_EQ(skStrToIntDef("$100000000", 7), 7);
    // "0x" alone is too short to be hexadecimal and is no decimal either.
    EXPECT_EQ(skStrToIntDef("0x", 7), 7);
    EXPECT_EQ(skStrToIntDef("$", 7), 7);
    EXPECT_EQ(skStrToIntDef("abc", 7), 7);
    EXPECT_EQ(skStrToIntDef("", 7), 7);
    EXPECT_EQ(skStrToIntDef("12 3", 7), 7);
    EXPECT_EQ(skStrToIntDef("-", 7), 7);
    EXPECT_EQ(skStrToIntDef("2147483647", 7), INT_MAX);
    EXPECT_EQ(skStrToIntDef("-2147483648", 7), INT_MIN);
    EXPECT_EQ(skStrToIntDef("2147483648", 7), 7);
    EXPECT_EQ(skStrToIntDef("99999999999999999999999", 7), 7);
}

TEST(SkinTextValues, PointsAndRectanglesKeepOnlyDigits)
{
    EXPECT_EQ(skStrToRect("8,27,208,156"), (TRect{8, 27, 208, 156}));
    EXPECT_EQ(skStrToRect(" 8 , 27 ,208, 156 "), (TRect{8, 27, 208, 156}));
    EXPECT_EQ(skStrToPoint("-5,10"), (TPoint{5, 10}));
    EXPECT_EQ(skStrToPoint("1.5,2"), (TPoint{15, 2}));
    // Numbers beyond the second or fourth are ignored, never stored.
    EXPECT_EQ(skStrToPoint("1,2,3,4,5"), (TPoint{1, 2}));
    EXPECT_EQ(skStrToRect("1,2,3,4,5,6"), (TRect{1, 2, 3, 4}));
    // Upside down on either axis it is empty; flat it stays where it is.
    EXPECT_EQ(skStrToRect("3,30000,38,28"), TRect{});
    EXPECT_EQ(skStrToRect("38,3,3,28"), TRect{});
    EXPECT_EQ(skStrToRect("3,28,3,28"), (TRect{3, 28, 3, 28}));
}

TEST(SkinTextValues, AnEmptyOrOverlongNumberRaisesTheConversionError)
{
    for (const char* bad : {"5", "5,", ",5", "", "a,b", "99999999999,1"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(skStrToPoint(bad), cl::EConvertError);
    }
    EXPECT_THROW(skStrToRect("1,2,3"), cl::EConvertError);
    EXPECT_THROW(skStrToRect("1,2,,4"), cl::EConvertError);
    try {
        skStrToPoint("5,");
        FAIL();
    } catch (const cl::EConvertError& e) {
        EXPECT_EQ(e.Message(), "'' is not a valid integer value");
    }
}

TEST(SkinTextValues, WordsMatchExactlyAndUnknownWordsHaveTheirOwnFallbacks)
{
    EXPECT_EQ(skStrToFontStyles("fsbold,fsitalic"), (cl::TFontStyles{cl::fsBold, cl::fsItalic}));
    EXPECT_TRUE(skStrToFontStyles("FSBOLD").Empty());
    EXPECT_EQ(skStrToFontStyles("xxfsboldyy"), (cl::TFontStyles{cl::fsBold}));
    EXPECT_EQ(skStrToFontStyles("fsstrikeout,fsunderline"), (cl::TFontStyles{cl::fsUnderline, cl::fsStrikeOut}));

    EXPECT_EQ(skStrToAlignment("tacenter"), taCenter);
    EXPECT_EQ(skStrToAlignment("taleftjustify"), taLeftJustify);
    EXPECT_EQ(skStrToAlignment("center"), taRightJustify);
    EXPECT_EQ(skStrToAlignment("TACENTER"), taRightJustify);

    EXPECT_EQ(skStrToMorphKind("mkpush"), mkPush);
    EXPECT_EQ(skStrToMorphKind("mkPush"), mkDefault);
    EXPECT_EQ(skStrToInactiveEffect("ieinvert"), ieInvert);
    EXPECT_EQ(skStrToInactiveEffect("iefancy"), ieGrayScale);
    EXPECT_EQ(skStrToCommand("cmrollup"), cmRollUp);
    EXPECT_EQ(skStrToCommand("cmminimizetotray"), cmMinimizeToTray);
    EXPECT_EQ(skStrToCommand("cmclsoe"), cmMinimizeToTray);
    EXPECT_EQ(skCommandToStr(skStrToCommand("cmclsoe")), "cmminimizetotray");
}

TEST(SkinTextReader, MissingKeysGiveDefaultsAndPresentEmptyPointsRaise)
{
    auto ini = IniOf(sktest::Lines({"[S]", "flag2=2", "flag01=01", "flagtrue=true", "emptypoint=", "bad=xyz",
                                    "effect=iefancy", "align=center"}));
    EXPECT_EQ(skReadInteger(*ini, "S", "missing", -1), -1);
    EXPECT_EQ(skReadInteger(*ini, "S", "bad", -1), -1);
    EXPECT_FALSE(skReadBoolean(*ini, "S", "flag2"));
    EXPECT_TRUE(skReadBoolean(*ini, "S", "flag01"));
    EXPECT_FALSE(skReadBoolean(*ini, "S", "flagtrue"));
    EXPECT_FALSE(skReadBoolean(*ini, "S", "missing"));
    EXPECT_EQ(skReadPoint(*ini, "S", "missing"), (TPoint{0, 0}));
    EXPECT_EQ(skReadRect(*ini, "S", "missing"), (TRect{}));
    EXPECT_THROW(skReadPoint(*ini, "S", "emptypoint"), cl::EConvertError);
    EXPECT_THROW(skReadRect(*ini, "S", "emptypoint"), cl::EConvertError);
    EXPECT_EQ(skReadAlignment(*ini, "S", "missing"), taCenter);
    EXPECT_EQ(skReadAlignment(*ini, "S", "align"), taRightJustify);
    EXPECT_EQ(skReadInactiveEffect(*ini, "S", "missing"), ieBrightness);
    EXPECT_EQ(skReadInactiveEffect(*ini, "S", "effect"), ieGrayScale);
    EXPECT_EQ(skReadCommand(*ini, "S", "missing"), cmDefault);
    EXPECT_EQ(skReadMorphKind(*ini, "S", "missing"), mkDefault);
    EXPECT_EQ(skReadString(*ini, "S", "missing", "Arial"), "Arial");
}

TEST(SkinTextReader, TextRulesTrimSplitAtTheFirstEqualsAndIgnoreCaseOfNames)
{
    // LF and CR LF line ends, blanks, comments, names in any case, a value holding "=".
    const std::string text =
        "  [Forminfo]  \n; clientrect=1,1,1,1\r\n\r\n  ClientRect = 1,2,3,4  \r\nhint = a=b \nempty\n";
    auto ini = IniOf(text);
    EXPECT_EQ(skReadRect(*ini, "FORMINFO", "clientrect"), (TRect{1, 2, 3, 4}));
    EXPECT_EQ(skReadString(*ini, "forminfo", "HINT"), "a=b");
}

TEST(SkinTextReader, ListsReadTheirCountAndNumberedKeys)
{
    auto ini = IniOf(sktest::Lines({"[PICTURES]", "activepicturescount=3", "0=a.bmp", "1=b.bmp", "2=c.bmp",
                                    "[ZERO]", "activepicturescount=0", "0=a.bmp", "[NEG]", "activepicturescount=-4",
                                    "0=a.bmp", "[HUGE]", "activepicturescount=2147483647", "0=a.bmp", "1=b.bmp"}));
    cl::TStringList names;
    names.Add("kept");
    skReadList(*ini, "PICTURES", "activepictures", names);
    ASSERT_EQ(names.Count(), 4);
    EXPECT_EQ(names[0], "kept");
    EXPECT_EQ(names[3], "c.bmp");

    cl::TStringList none;
    skReadList(*ini, "ZERO", "activepictures", none);
    skReadList(*ini, "NEG", "activepictures", none);
    skReadList(*ini, "MISSING", "activepictures", none);
    EXPECT_EQ(none.Count(), 0);

    // A count far beyond the keys costs only the keys that are there.
    cl::TStringList huge;
    skReadList(*ini, "HUGE", "activepictures", huge);
    ASSERT_EQ(huge.Count(), 2);
    EXPECT_EQ(huge[1], "b.bmp");
}

}  // namespace
