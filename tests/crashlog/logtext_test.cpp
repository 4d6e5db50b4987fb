#include <gtest/gtest.h>

#include "crashlog/ELogText.h"
#include "crashlog/EOptions.h"

using namespace crashlog;

namespace {
TLogData SampleData()
{
    TLogData d;
    d.Values[0] = "03/14/2007 10:21:05";
    d.Values[1] = "prog.exe";
    d.Values[2] = "4.1.0.0";
    d.Values[3] = "03/14/2007 10:25:40";
    d.Values[4] = "0040A1B2";
    d.Values[5] = "prog.exe";
    d.Values[6] = "EConvertError";
    d.Values[7] = "'x' is not a valid integer value.";
    TVozozoDebugInfo e;
    e.Kind = 3;
    e.Address = 0x0040A1B2;
    e.ModuleName = "prog.exe";
    e.ModuleBase = 0x00400000;
    e.UnitName = "main";
    e.ClassName = "TfrmMain";
    e.ProcedureName = "btnPlayClick";
    e.LineNumber = 120;
    d.Stack.push_back(e);
    TVozozoDebugInfo bare;
    bare.Kind = 1;
    bare.Address = 0x7C801234;
    bare.ModuleName = "kernel32.dll";
    bare.ModuleBase = 0x7C800000;
    d.Stack.push_back(bare);
    TVozozoDebugInfo none;
    none.Address = 0x12345678;
    d.Stack.push_back(none);
    return d;
}
}  // namespace

TEST(LogText, SectionsStartAsDocumented)
{
    TVozozoModuleOptions o("prog.exe");
    const std::string text = BuildLogText(o, SampleData());
    const std::string start =
        "Application...\r\n"
        "  Start Date      : 03/14/2007 10:21:05\r\n"
        "  Name/Description: prog.exe\r\n"
        "  Version Number  : 4.1.0.0\r\n"
        "\r\n"
        "Exception...\r\n"
        "  Date   : 03/14/2007 10:25:40\r\n"
        "  Address: 0040A1B2\r\n";
    EXPECT_EQ(text.substr(0, start.size()), start);
    EXPECT_NE(text.find("\r\nActive Controls...\r\n  Form Class   : \r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nOperating System...\r\n  Type    : \r\n  Build # : \r\n  Language: \r\n"),
              std::string::npos);
}

TEST(LogText, ClearedBitsKeepTheirLinesAndConsoleProgramsLoseActiveControls)
{
    TVozozoModuleOptions o("prog.exe");
    o.LogFields &= ~(1u << 4);
    TLogData d = SampleData();
    d.ActiveControls = false;
    const std::string text = BuildLogText(o, d);
    EXPECT_NE(text.find("  Address: \r\n"), std::string::npos);
    EXPECT_EQ(text.find("Active Controls"), std::string::npos);
    EXPECT_NE(text.find("\r\n\r\nComputer...\r\n"), std::string::npos);
}

TEST(LogText, ValuesKeepPercentOnceAndLoseControlCharacters)
{
    TVozozoModuleOptions o("prog.exe");
    TLogData d = SampleData();
    d.Values[7] = "100% done\r\nsecond line";
    const std::string text = BuildLogText(o, d);
    EXPECT_NE(text.find("  Message: 100% done  second line\r\n"), std::string::npos);
    EXPECT_EQ(text.find("%%"), std::string::npos);
}

TEST(LogText, StackTableIsBoxedWithPaddedColumns)
{
    TVozozoModuleOptions o("prog.exe");
    const std::string table = BuildStackTable(o, SampleData().Stack);
    // Only entries with debug information are rows: the kernel32.dll entry widens nothing.
    // Widths: Address 8, Module 8, Unit 4, Class 8, Procedure 16, Line 4.
    const std::string sep(8 + 8 + 4 + 8 + 16 + 4 + 7, '-');
    const std::string expected =
        sep + "\r\n" +
        "|Address |Module  |Unit|Class   |Procedure/Method|Line|\r\n" + sep + "\r\n" +
        "|0040A1B2|prog.exe|main|TfrmMain|btnPlayClick    |120 |\r\n" + sep;
    EXPECT_EQ(table, expected);
    EXPECT_EQ(table.find("12345678"), std::string::npos);  // no module: not a row
}

TEST(LogText, ValueHelpers)
{
    EXPECT_EQ(AddressText(0), "");
    EXPECT_EQ(AddressText(0x401000), "00401000");
    EXPECT_EQ(WithFinalPoint("Boom"), "Boom.");
    EXPECT_EQ(WithFinalPoint("Boom."), "Boom.");
    EXPECT_EQ(WithFinalPoint(""), "");
    EXPECT_EQ(MegabytesText(512ull * 1048576 + 600000), "513 Mb");
    EXPECT_EQ(GigabytesText(1073741824ull * 3 / 2), "1.5 Gb");
    EXPECT_EQ(GigabytesText(1073741824ull * 2), "2 Gb");
    EXPECT_EQ(GigabytesText(80026361856ull), "74.53 Gb");
    EXPECT_EQ(LogDateText(2007, 3, 14, 9, 5, 0), "03/14/2007 09:05:00");
}
