#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "crashlog/EOSName.h"
#include "crashlog/ESymbols.h"
#include "own_temp_folder.h"

using namespace crashlog;

TEST(SymbolNames, DemangledAndUndecoratedIntoQualifierAndProcedure)
{
    std::string q, p;
    SplitSymbolName("__ZN8crashlog8TLogFile10SaveToFileEv", q, p);
    EXPECT_EQ(q, "crashlog::TLogFile");
    EXPECT_EQ(p, "SaveToFile");
    SplitSymbolName("_main", q, p);
    EXPECT_EQ(q, "");
    EXPECT_EQ(p, "main");
    SplitSymbolName("_CrashHere@8", q, p);
    EXPECT_EQ(p, "CrashHere");
    SplitSymbolName("__ZN12_GLOBAL__N_19StdTargetEii@8", q, p);
    EXPECT_EQ(q, "(anonymous namespace)");
    EXPECT_EQ(p, "StdTarget");
    // The parts and copies an optimising compiler makes of a procedure carry its name.
    SplitSymbolName("__ZN12_GLOBAL__N_112ThrowingProcEP6HWND__jjl@16.cold", q, p);
    EXPECT_EQ(q, "(anonymous namespace)");
    EXPECT_EQ(p, "ThrowingProc");
    SplitSymbolName("__ZN8crashlog8TLogFile10SaveToFileEv.part.0", q, p);
    EXPECT_EQ(q, "crashlog::TLogFile");
    EXPECT_EQ(p, "SaveToFile");
    SplitSymbolName("_CrashHere.constprop.0", q, p);
    EXPECT_EQ(p, "CrashHere");
    // Template arguments hold "::" and parentheses of their own.
    SplitSymbolName("__ZNSt6vectorIPFvvESaIS1_EE9push_backERKS1_", q, p);
    EXPECT_EQ(q, "std::vector<void (*)(), std::allocator<void (*)()> >");
    EXPECT_EQ(p, "push_back");
    // A template function's return type is no part of its qualifier.
    SplitSymbolName("__ZSt10destroy_atINSt7__cxx1112basic_stringIcSt11char_traitsIcESaIcEEEEvPT_", q, p);
    EXPECT_EQ(q, "std");
    EXPECT_EQ(p, "destroy_at<std::__cxx11::basic_string<char, std::char_traits<char>, std::allocator<char> > >");
    SplitSymbolName("__ZNSt6thread8_InvokerISt5tupleIJPFvvEEEEclEv", q, p);
    EXPECT_EQ(q, "std::thread::_Invoker<std::tuple<void (*)()> >");
    EXPECT_EQ(p, "operator()");
}

TEST(SymbolNames, MissingOrForeignFileGivesAnEmptyList)
{
    TVozozoFunctionsList list;
    EXPECT_FALSE(list.LoadFromImageFile("no such file.exe"));
    EXPECT_TRUE(list.Empty());
    EXPECT_EQ(list.Find(0x1000), nullptr);
    EXPECT_EQ(list.FindByName("x.y"), 0u);
}

TEST(OperatingSystemName, TableOfNamedSystems)
{
    EXPECT_EQ(OperatingSystemName(TPlatform::NT, 5, 1, "Service Pack 2"), "Microsoft Windows XP");
    EXPECT_EQ(OperatingSystemName(TPlatform::NT, 5, 0, ""), "Microsoft Windows 2000");
    EXPECT_EQ(OperatingSystemName(TPlatform::NT, 5, 2, ""), "Microsoft Windows 2003");
    EXPECT_EQ(OperatingSystemName(TPlatform::NT, 4, 0, ""), "Microsoft Windows NT 4.0");
    EXPECT_EQ(OperatingSystemName(TPlatform::NT, 6, 1, ""), "");
    EXPECT_EQ(OperatingSystemName(TPlatform::NT, 10, 0, ""), "");
    EXPECT_EQ(OperatingSystemName(TPlatform::Win9x, 4, 0, " B "), "Microsoft Windows 95 OSR 2");
    EXPECT_EQ(OperatingSystemName(TPlatform::Win9x, 4, 0, ""), "Microsoft Windows 95");
    EXPECT_EQ(OperatingSystemName(TPlatform::Win9x, 4, 10, "A"), "Microsoft Windows 98 SE");
    EXPECT_EQ(OperatingSystemName(TPlatform::Win9x, 4, 10, ""), "Microsoft Windows 98");
    EXPECT_EQ(OperatingSystemName(TPlatform::Win9x, 4, 90, ""), "Microsoft Winsows ME");
}

TEST(SymbolNames, DamagedImageFilesGiveAnEmptyListAndNoStrayRead)
{
    const std::filesystem::path folder = OwnTempFolder("crashlog-damaged");
    const std::filesystem::path file = folder / "damaged.exe";
    auto write = [&](const std::vector<char>& bytes) {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    };
    // "MZ", a header offset, "PE", 3 sections and a symbol table far past the end of the file.
    std::vector<char> image(0x200, 0);
    image[0] = 'M';
    image[1] = 'Z';
    image[0x3C] = 0x40;
    std::memcpy(&image[0x40], "PE\0\0", 4);
    image[0x46] = 3;
    const std::uint32_t symbols = 0x7FFFFFF0, count = 5;
    std::memcpy(&image[0x4C], &symbols, 4);
    std::memcpy(&image[0x50], &count, 4);
    image[0x54] = static_cast<char>(0xE0);
    image[0x58] = 0x0B;  // a 32-bit optional header
    image[0x59] = 0x01;
    TVozozoFunctionsList list;
    for (std::size_t cut : {std::size_t(0), std::size_t(2), std::size_t(0x44), std::size_t(0x60), image.size()}) {
        write(std::vector<char>(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(cut)));
        EXPECT_FALSE(list.LoadFromImageFile(file.string())) << cut;
        EXPECT_TRUE(list.Empty());
    }
    std::filesystem::remove_all(folder);
}
