// SysUtils: conversions, Format, strings, paths, dates, rounding, random numbers, exceptions.
#include <gtest/gtest.h>

#include <cmath>

#include "classlib/system/SysUtils.h"

using namespace cl;

TEST(CoreSysUtils, FormatBasics)
{
    EXPECT_EQ(Format("%s=%d", "a", 12), "a=12");
    EXPECT_EQ(Format("%s", std::string("std")), "std");
    EXPECT_EQ(Format("%x", 255), "FF");
    EXPECT_EQ(Format("%.8x", 0x1A2B), "00001A2B");
    EXPECT_EQ(Format("%.8x", -1), "FFFFFFFF");
    EXPECT_EQ(Format("%x", std::int64_t(-1)), "FFFFFFFFFFFFFFFF");
    EXPECT_EQ(Format("100%%"), "100%");
    EXPECT_EQ(Format("%d", -42), "-42");
    EXPECT_EQ(Format("%.3d", 7), "007");
    EXPECT_EQ(Format("%.3d", -7), "-007");
    EXPECT_EQ(Format("%u", 4000000000u), "4000000000");
    EXPECT_EQ(Format("[%5s][%-5s]", "ab", "cd"), "[   ab][cd   ]");
    EXPECT_EQ(Format("%*d", 4, 3), "   3");
    EXPECT_EQ(Format("%1:s %0:s", "world", "hello"), "hello world");
    EXPECT_EQ(Format("%s", 'c'), "c");
    EXPECT_EQ(Format("%.2s", "abcdef"), "ab");
    EXPECT_EQ(Format("%.2f", 3.14159), "3.14");
    EXPECT_EQ(Format("%n", 1234567.891), "1,234,567.89");
    EXPECT_EQ(Format("%g", 0.5), "0.5");
    EXPECT_EQ(Format("%e", 12345.0), "1.23450000000000E+004");
    EXPECT_EQ(Format("%X", 0xabc), "ABC");
}

TEST(CoreSysUtils, FormatRejectsWrongArguments)
{
    EXPECT_THROW(Format("%d", "text"), EConvertError);
    EXPECT_THROW(Format("%s", 5), EConvertError);
    EXPECT_THROW(Format("%f", 5), EConvertError);
    EXPECT_THROW(Format("%s %s", "one"), EConvertError);
    EXPECT_THROW(Format("%"), EConvertError);
    EXPECT_THROW(Format("%y", 1), EConvertError);
    try {
        Format("%d", "x");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Format '%d' invalid or incompatible with argument");
    }
}

TEST(CoreSysUtils, IntegerConversions)
{
    EXPECT_EQ(IntToStr(-2147483647 - 1), "-2147483648");
    EXPECT_EQ(IntToStr(std::int64_t(1) << 40), "1099511627776");
    EXPECT_EQ(IntToHex(255, 4), "00FF");
    EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFF");
    EXPECT_EQ(IntToHex(0x1234, 2), "1234");
    EXPECT_EQ(StrToInt("42"), 42);
    EXPECT_EQ(StrToInt(" 42"), 42);
    EXPECT_EQ(StrToInt("+42"), 42);
    EXPECT_EQ(StrToInt("$FF"), 255);
    EXPECT_EQ(StrToInt("0x10"), 16);
    EXPECT_EQ(StrToInt("0X1f"), 31);
    EXPECT_EQ(StrToInt("-7"), -7);
    EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
    EXPECT_EQ(StrToInt("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(StrToInt64("9223372036854775807"), INT64_MAX);
}

TEST(CoreSysUtils, StrToIntRejectsJunk)
{
    for (const char* junk : {"12a", "", " ", "-", "$", "0x", "1 2", "42 ", "2147483648", "-2147483649", "abc", "1.5"}) {
        try {
            StrToInt(junk);
            ADD_FAILURE() << junk;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), Format("'%s' is not a valid integer value", junk));
        }
    }
    EXPECT_EQ(StrToIntDef("junk", 5), 5);
    EXPECT_EQ(StrToIntDef("99999999999", 5), 5);
    int v = 3;
    EXPECT_FALSE(TryStrToInt("x", v));
    EXPECT_EQ(v, 3);
}

TEST(CoreSysUtils, FloatsAndBooleans)
{
    EXPECT_DOUBLE_EQ(StrToFloat("1.5"), 1.5);
    EXPECT_DOUBLE_EQ(StrToFloat(" -2e3 "), -2000);
    EXPECT_THROW(StrToFloat("1,5"), EConvertError);
    EXPECT_THROW(StrToFloat("inf"), EConvertError);
    EXPECT_DOUBLE_EQ(StrToFloatDef("junk", 2.5), 2.5);
    EXPECT_EQ(FloatToStr(1.5), "1.5");
    EXPECT_EQ(FloatToStr(100), "100");
    EXPECT_EQ(FloatToStr(0.1), "0.1");
    EXPECT_TRUE(StrToBool("true"));
    EXPECT_FALSE(StrToBool("0"));
    EXPECT_THROW(StrToBool("maybe"), EConvertError);
    EXPECT_EQ(BoolToStr(true, true), "True");
    EXPECT_EQ(BoolToStr(true), "-1");
}

TEST(CoreSysUtils, FormatFloatPatterns)
{
    EXPECT_EQ(FormatFloat("0.##", 1.5), "1.5");
    EXPECT_EQ(FormatFloat("0.##", 2), "2");
    EXPECT_EQ(FormatFloat("0.##", 2.345), "2.35");  // 2.345 is stored a little above .345
    EXPECT_EQ(FormatFloat("0.00", 2), "2.00");
    EXPECT_EQ(FormatFloat("#,##0", 1234567), "1,234,567");
    EXPECT_EQ(FormatFloat("000", 7), "007");
    EXPECT_EQ(FormatFloat("0.##", -1.5), "-1.5");
    EXPECT_EQ(FormatFloat("0.#", -0.01), "0");
    EXPECT_EQ(FormatFloat("0.0 \"kbit/s\"", 128), "128.0 kbit/s");
    EXPECT_EQ(FormatFloat("0;(0);zero", -5), "(5)");
    EXPECT_EQ(FormatFloat("0;(0);zero", 0), "zero");
    EXPECT_EQ(FormatFloat("#.##", 0.5), ".5");
}

TEST(CoreSysUtils, StringHelpers)
{
    EXPECT_EQ(Trim("  \t a b \r\n"), "a b");
    EXPECT_EQ(TrimLeft("  a "), "a ");
    EXPECT_EQ(TrimRight("  a "), "  a");
    EXPECT_EQ(Trim(std::string("\0x\0", 3)), "x");
    EXPECT_EQ(UpperCase("abc\xe9"), "ABC\xe9");
    EXPECT_EQ(LowerCase("ABC"), "abc");
    EXPECT_EQ(AnsiUpperCase("abc\xe9"), "ABC\xc9");
    EXPECT_EQ(AnsiLowerCase("\xc9"), "\xe9");
    EXPECT_TRUE(SameText("Hello", "hELLO"));
    EXPECT_FALSE(SameText("Hello", "Hell"));
    EXPECT_LT(CompareText("a", "B"), 0);
    EXPECT_TRUE(AnsiSameText("\xe9t\xe9", "\xc9T\xc9"));
    EXPECT_EQ(Pos("lo", "hello"), 4);
    EXPECT_EQ(Pos("x", "hello"), 0);
    EXPECT_EQ(Copy("hello", 2, 3), "ell");
    EXPECT_EQ(Copy("hello", 4, 100), "lo");
    EXPECT_EQ(Copy("hello", 9, 1), "");
    EXPECT_EQ(StringReplace("a-b-c", "-", "+", {}), "a+b-c");
    EXPECT_EQ(StringReplace("a-b-c", "-", "+", {rfReplaceAll}), "a+b+c");
    EXPECT_EQ(StringReplace("aXbx", "x", "_", {rfReplaceAll, rfIgnoreCase}), "a_b_");
    EXPECT_EQ(QuotedStr("it's"), "'it''s'");
    EXPECT_EQ(StringOfChar('-', 3), "---");
}

TEST(CoreSysUtils, WideConversions)
{
    EXPECT_EQ(StringToWide("abc"), L"abc");
    EXPECT_EQ(WideToString(L"abc"), "abc");
    // Windows-1252: e-acute and the euro sign.
    EXPECT_EQ(StringToWide("\xe9\x80"), std::wstring(L"\u00e9\u20ac"));
    EXPECT_EQ(WideToString(std::wstring(L"\u00e9\u20ac")), "\xe9\x80");
    EXPECT_EQ(WideToUtf8(L"\u00e9"), "\xc3\xa9");
    EXPECT_EQ(Utf8ToWide("\xc3\xa9"), std::wstring(L"\u00e9"));
    EXPECT_EQ(AnsiToUtf8("\xe9"), "\xc3\xa9");
    EXPECT_EQ(Utf8ToAnsi("\xc3\xa9"), "\xe9");
    // Broken UTF-8 never reads past the end.
    EXPECT_EQ(Utf8ToWide("\xc3").size(), 1u);
    EXPECT_EQ(Utf8ToWide("a\xe2\x82").size(), 3u);
}

TEST(CoreSysUtils, Paths)
{
    EXPECT_EQ(ExtractFileName("C:\\skins\\Sirius.ini"), "Sirius.ini");
    EXPECT_EQ(ExtractFilePath("C:\\skins\\Sirius.ini"), "C:\\skins\\");
    EXPECT_EQ(ExtractFileName("C:Sirius.ini"), "Sirius.ini");
    EXPECT_EQ(ExtractFilePath("C:Sirius.ini"), "C:");
    EXPECT_EQ(ExtractFileName("plain.txt"), "plain.txt");
    EXPECT_EQ(ExtractFilePath("plain.txt"), "");
    EXPECT_EQ(ExtractFileDir("C:\\a\\b.txt"), "C:\\a");
    EXPECT_EQ(ExtractFileDir("C:\\b.txt"), "C:\\");
    EXPECT_EQ(ExtractFileExt("C:\\a.b\\c"), "");
    EXPECT_EQ(ExtractFileExt("c.tar.gz"), ".gz");
    EXPECT_EQ(ChangeFileExt("C:\\a.b\\c", ".log"), "C:\\a.b\\c.log");
    EXPECT_EQ(ChangeFileExt("x.exe", ".ini"), "x.ini");
    EXPECT_EQ(ChangeFileExt("x.exe", ""), "x");
    EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\a"), "C:\\a\\");
    EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\a\\"), "C:\\a\\");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("C:\\a\\"), "C:\\a");
    EXPECT_FALSE(ExeName().empty());
    EXPECT_TRUE(FileExists(ExeName()));
    EXPECT_FALSE(FileExists(ExeFolder()));
    EXPECT_TRUE(DirectoryExists(ExeFolder()));
    EXPECT_EQ(ExtractFilePath(ExeName()), ExeFolder());
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(FileExists(ExeFolder() + "no-such-file.xyz"));
    EXPECT_EQ(ParamStr(0), ExeName());
}

TEST(CoreSysUtils, DatesEncodeDecode)
{
    EXPECT_DOUBLE_EQ(EncodeDate(1899, 12, 30), 0);
    EXPECT_DOUBLE_EQ(EncodeDate(1900, 1, 1), 2);
    EXPECT_DOUBLE_EQ(EncodeDate(2000, 1, 1), 36526);
    EXPECT_THROW(EncodeDate(2001, 2, 29), EConvertError);
    EXPECT_NO_THROW(EncodeDate(2000, 2, 29));
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
    int y, m, d;
    DecodeDate(36526.75, y, m, d);
    EXPECT_EQ(y, 2000);
    EXPECT_EQ(m, 1);
    EXPECT_EQ(d, 1);
    DecodeDate(EncodeDate(2024, 12, 31), y, m, d);
    EXPECT_EQ(y * 10000 + m * 100 + d, 20241231);
    int h, n, s, z;
    DecodeTime(EncodeTime(13, 5, 9, 250), h, n, s, z);
    EXPECT_EQ(h * 10000000 + n * 100000 + s * 1000 + z, 130509250);
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 1, 1)), 2);  // a Monday
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_FALSE(IsLeapYear(1900));
    TDateTime now = Now();
    EXPECT_GT(now, EncodeDate(2020, 1, 1));
    EXPECT_DOUBLE_EQ(Date(), std::trunc(Date()));
}

TEST(CoreSysUtils, FormatDateTimeSpecifiers)
{
    TDateTime t = EncodeDate(2007, 3, 4) + EncodeTime(15, 6, 7, 8);
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn:ss.zzz", t), "2007-03-04 15:06:07.008");
    EXPECT_EQ(FormatDateTime("dd/mm/yy", t), "04/03/07");
    EXPECT_EQ(FormatDateTime("d.m.yyyy", t), "4.3.2007");
    EXPECT_EQ(FormatDateTime("hh:mm", t), "15:06");         // m after h = minutes
    EXPECT_EQ(FormatDateTime("ddd, d mmm yyyy", t), "Sun, 4 Mar 2007");
    EXPECT_EQ(FormatDateTime("dddd mmmm", t), "Sunday March");
    EXPECT_EQ(FormatDateTime("h:nn am/pm", t), "3:06 pm");
    EXPECT_EQ(FormatDateTime("hh:nn AMPM", t), "03:06 PM");
    EXPECT_EQ(FormatDateTime("yyyy\"-\"mm'-'dd", t), "2007-03-04");
    EXPECT_EQ(FormatDateTime("\"Time: \"tt", t), "Time: 15:06:07");
    EXPECT_EQ(FormatDateTime("c", t), "3/4/2007 15:06:07");
    EXPECT_EQ(FormatDateTime("c", EncodeDate(2007, 3, 4)), "3/4/2007");
}

TEST(CoreSysUtils, RoundHalfToEven)
{
    EXPECT_EQ(Round(0.5), 0);
    EXPECT_EQ(Round(1.5), 2);
    EXPECT_EQ(Round(2.5), 2);
    EXPECT_EQ(Round(3.5), 4);
    EXPECT_EQ(Round(-0.5), 0);
    EXPECT_EQ(Round(-1.5), -2);
    EXPECT_EQ(Round(-2.5), -2);
    EXPECT_EQ(Round(2.6), 3);
    EXPECT_EQ(Round(-2.6), -3);
    EXPECT_EQ(Round(2.4999), 2);
    EXPECT_EQ(Round64(4503599627370497.0), 4503599627370497LL);
    EXPECT_EQ(Trunc(-2.7), -2);
    // Out of range saturates (no undefined conversion).
    EXPECT_EQ(Round(1e12), 2147483647);
    EXPECT_EQ(Round(-1e12), -2147483647 - 1);
    EXPECT_EQ(Round(std::nan("")), 0);
}

TEST(CoreSysUtils, RandomIsDelphisGenerator)
{
    RandSeed = 0;
    // RandSeed = RandSeed * 0x08088405 + 1: 1, 0x08088406, ...
    EXPECT_EQ(Random(100), 0);  // (1 * 100) >> 32
    EXPECT_EQ(RandSeed, 1u);
    EXPECT_EQ(Random(1 << 16), int((0x08088406ull << 16) >> 32));
    RandSeed = 12345;
    for (int i = 0; i < 1000; ++i) {
        int r = Random(7);
        ASSERT_GE(r, 0);
        ASSERT_LT(r, 7);
        double f = Random();
        ASSERT_GE(f, 0.0);
        ASSERT_LT(f, 1.0);
    }
    EXPECT_EQ(Random(0), 0);
    Randomize();
}

TEST(CoreSysUtils, ExceptionAncestryByName)
{
    EReadError e("Stream read error");
    EXPECT_EQ(e.ClassName(), "EReadError");
    EXPECT_TRUE(e.ClassNameIs("ereaderror"));
    EXPECT_TRUE(e.InheritsFrom("EStreamError"));
    EXPECT_TRUE(e.InheritsFrom("EFilerError"));
    EXPECT_TRUE(e.InheritsFrom("exception"));
    EXPECT_TRUE(e.InheritsFrom("TObject"));
    EXPECT_FALSE(e.InheritsFrom("EConvertError"));
    EXPECT_STREQ(e.what(), "Stream read error");
    std::vector<std::string> chain = e.ClassAncestry();
    std::vector<std::string> expected{"EReadError", "EFilerError", "EStreamError", "Exception", "TObject"};
    EXPECT_EQ(chain, expected);
    EOleException ole("Boom", -2147467259, "MSXML");
    EXPECT_TRUE(ole.InheritsFrom("EOleSysError"));
    EXPECT_EQ(ole.ErrorCode(), -2147467259);
    EXPECT_EQ(ole.Source(), "MSXML");
    // Caught as the standard exception, too.
    try {
        throw EConvertError("x");
    } catch (const std::exception& caught) {
        EXPECT_STREQ(caught.what(), "x");
    }
}

TEST(CoreSysUtils, AbortAssertAndCasts)
{
    try {
        Abort();
        FAIL();
    } catch (const EAbort& e) {
        EXPECT_EQ(e.Message(), "Operation aborted");
    }
    try {
        Assert(false, "", "RadioChannelCategory.pas", 139);
        FAIL();
    } catch (const EAssertionFailed& e) {
        EXPECT_EQ(e.Message(), "Assertion failed (RadioChannelCategory.pas, line 139)");
    }
    try {
        Assert(false, "No name", "u.pas", 2);
        FAIL();
    } catch (const EAssertionFailed& e) {
        EXPECT_EQ(e.Message(), "No name (u.pas, line 2)");
    }
    EXPECT_NO_THROW(Assert(true));
    Exception base("m");
    TObject* object = &base;
    EXPECT_EQ(As<Exception>(object), &base);
    EXPECT_THROW(As<EAbort>(object), EInvalidCast);
    EXPECT_EQ(As<EAbort>(static_cast<TObject*>(nullptr)), nullptr);
    try {
        RaiseLastOSError(2);
        FAIL();
    } catch (const EOSError& e) {
        EXPECT_EQ(e.ErrorCode(), 2u);
        EXPECT_EQ(e.Message().rfind("System Error.  Code: 2.", 0), 0u);
    }
}

TEST(CoreSysUtils, SetsBehaveLikeDelphiSets)
{
    TReplaceFlags flags{rfReplaceAll};
    EXPECT_TRUE(flags.Contains(rfReplaceAll));
    EXPECT_FALSE(flags.Contains(rfIgnoreCase));
    flags += rfIgnoreCase;
    EXPECT_TRUE(flags.Contains(rfIgnoreCase));
    flags -= rfReplaceAll;
    EXPECT_EQ(flags, TReplaceFlags{rfIgnoreCase});
    EXPECT_TRUE(TReplaceFlags{} <= flags);
    EXPECT_TRUE(TReplaceFlags().Empty());
}
