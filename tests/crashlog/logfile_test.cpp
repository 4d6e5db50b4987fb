#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "crashlog/EErrors.h"
#include "crashlog/ELogFile.h"
#include "crashlog/ELogText.h"
#include "crashlog/EOptions.h"
#include "own_temp_folder.h"

using namespace crashlog;
namespace fs = std::filesystem;

namespace {

class LogFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = OwnTempFolder("crashlog-logfile-" +
                             std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        options_.ModuleName = (dir_ / "prog.exe").string();
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Report(const std::string& message, const std::string& version = "1.0.0.0",
                       std::uint32_t address = 0x401000)
    {
        TLogData d;
        d.Values[2] = version;
        d.Values[4] = AddressText(address);
        d.Values[5] = "prog.exe";
        d.Values[6] = "EFoo";
        d.Values[7] = message;
        return BuildLogText(options_, d);
    }
    int Blocks() { return TLogFile(options_.OutputLogFile()).Count(); }
    std::string FileText()
    {
        std::ifstream in(options_.OutputLogFile(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    fs::path dir_;
    TVozozoModuleOptions options_;
};

}  // namespace

TEST_F(LogFileTest, BlocksAreFollowedByThreeEmptyLinesAndLoadSaveIsIdempotent)
{
    SaveLogText(options_, Report("one"), "1.0.0.0");
    SaveLogText(options_, Report("two"), "1.0.0.0");
    const std::string first = FileText();
    EXPECT_EQ(first.substr(first.size() - 9), "-\r\n\r\n\r\n\r\n");
    TLogFile log(options_.OutputLogFile());
    ASSERT_EQ(log.Count(), 2);
    EXPECT_NE(log.Items[1].find("Message: two"), std::string::npos);
    log.SaveToFile();
    EXPECT_EQ(FileText(), first);
}

TEST_F(LogFileTest, BlocksSeparatedByTwoEmptyLinesReadAsOne)
{
    TLogFile log("unused");
    log.LoadFromText("a\r\nb\r\n\r\n\r\nc\r\n\r\n\r\n\r\n");
    ASSERT_EQ(log.Count(), 1);
    log.LoadFromText("a\r\n\r\n\r\n\r\nc\nd");  // bare LF and an unterminated last block
    ASSERT_EQ(log.Count(), 2);
    EXPECT_EQ(log.Items[1], "c\r\nd");
}

TEST_F(LogFileTest, LimitKeepsTheNewestBlocks)
{
    options_.ErrorsNumberToSave = 3;
    for (int i = 0; i < 5; ++i)
        SaveLogText(options_, Report("error " + std::to_string(i)), "1.0.0.0");
    TLogFile log(options_.OutputLogFile());
    ASSERT_EQ(log.Count(), 3);
    EXPECT_NE(log.Items[0].find("error 2"), std::string::npos);
    EXPECT_NE(log.Items[2].find("error 4"), std::string::npos);
}

TEST_F(LogFileTest, DefaultLimitOf32StaysAt32)
{
    for (int i = 0; i < 33; ++i)
        SaveLogText(options_, Report("e" + std::to_string(i)), "1.0.0.0");
    TLogFile log(options_.OutputLogFile());
    ASSERT_EQ(log.Count(), 32);
    EXPECT_NE(log.Items[31].find("e32"), std::string::npos);
}

TEST_F(LogFileTest, LimitZeroEmptiesTheLog)
{
    SaveLogText(options_, Report("kept"), "1.0.0.0");
    options_.ErrorsNumberToSave = 0;
    SaveLogText(options_, Report("dropped"), "1.0.0.0");
    EXPECT_EQ(Blocks(), 0);
    EXPECT_TRUE(fs::exists(options_.OutputLogFile()));
}

TEST_F(LogFileTest, NoDuplicatesComparesAddressModuleTypeAndMessage)
{
    options_.LogOptions = loNoDuplicates;
    SaveLogText(options_, Report("same"), "1.0.0.0");
    SaveLogText(options_, Report("same"), "1.0.0.0");
    EXPECT_EQ(Blocks(), 1);
    SaveLogText(options_, Report("other"), "1.0.0.0");
    SaveLogText(options_, Report("same", "1.0.0.0", 0x402000), "1.0.0.0");
    EXPECT_EQ(Blocks(), 3);
}

TEST_F(LogFileTest, VersionChangeClearsTheLogAndNoLimitKeepsAll)
{
    options_.LogOptions = loClearOnVersionChange;
    options_.ErrorsNumberToSave = 1;  // no count limit in this mode
    SaveLogText(options_, Report("a", "1.0.0.0"), "1.0.0.0");
    SaveLogText(options_, Report("b", "1.0.0.0"), "1.0.0.0");
    EXPECT_EQ(Blocks(), 2);
    SaveLogText(options_, Report("c", "1.1.0.0"), "1.1.0.0");
    EXPECT_EQ(Blocks(), 1);
    EXPECT_EQ(TLogFile(options_.OutputLogFile()).LastVersion(), "1.1.0.0");

    options_.LogOptions = loNoLimit;
    for (int i = 0; i < 40; ++i)
        SaveLogText(options_, Report("n" + std::to_string(i)), "1.1.0.0");
    EXPECT_EQ(Blocks(), 41);
}

TEST_F(LogFileTest, SaveLogFileOffWritesNothing)
{
    options_.SaveLogFile = false;
    SaveLogText(options_, Report("x"), "1.0.0.0");
    EXPECT_EQ(Blocks(), 0);
}

TEST_F(LogFileTest, UnwritableLogRaisesAndKeepsTheOldFile)
{
    SaveLogText(options_, Report("precious"), "1.0.0.0");
    const std::string before = FileText();
    // A folder where the temporary file would go makes the write fail.
    fs::create_directories(options_.OutputLogFile() + ".tmp");
    EXPECT_THROW(SaveLogText(options_, Report("new"), "1.0.0.0"), EVozozoError);
    EXPECT_EQ(FileText(), before);
    // A log path that is a folder cannot be read.
    options_.OutputPath = (dir_ / "folder.elf").string();
    fs::create_directories(options_.OutputPath);
    EXPECT_THROW(SaveLogText(options_, Report("x"), "1.0.0.0"), EVozozoError);
}

TEST_F(LogFileTest, CorruptLogIsKeptAndTheNewReportAdded)
{
    static const char bytes[] = "\x00\xFF\r\r\n\n\n\n\x01" "binary\x00" "tail";
    const std::string garbage(bytes, sizeof bytes - 1);
    {
        std::ofstream out(options_.OutputLogFile(), std::ios::binary);
        out.write(garbage.data(), static_cast<std::streamsize>(garbage.size()));
    }
    SaveLogText(options_, Report("after garbage"), "1.0.0.0");
    TLogFile log(options_.OutputLogFile());
    ASSERT_GE(log.Count(), 2);
    EXPECT_NE(log.Items.back().find("after garbage"), std::string::npos);
}
