// Programs that really crash, run as child processes: each must end as documented and leave
// one report per fault in its log file.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <windows.h>

#include "classlib/system/KernelHandles.h"
#include "crashlog/ELogFile.h"
#include "smtp_server.h"

using namespace crashlog;
namespace fs = std::filesystem;

namespace {

struct TCrash {
    DWORD ExitCode = 0;
    bool Ended = false;
    std::vector<std::string> Blocks;
    std::string Debug;
    std::string Output;
    std::string Trace;  // the program's internal trace file, when it was run from a copy
    bool ShowedWindow = false;
    SYSTEMTIME Before{}, After{};  // local times just before the start and after the end
};

// How a crash program is started beyond its scenario.
struct TRunOptions {
    const char* Program = "crashlog_crash.exe";
    std::string ExtraArguments;  // after the program's own three
    bool FromCopy = false;       // run a copy in the run's folder, where its trace file lands
    bool Windowless = false;     // a window of the program's ends the run: it must open none
};

std::string ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Polls Done every 10 ms until it holds or MaxMs pass; true when it held.
template <class F>
bool PollUntil(F&& Done, DWORD MaxMs)
{
    const DWORD start = GetTickCount();
    while (!Done()) {
        if (GetTickCount() - start > MaxMs)
            return false;
        Sleep(10);
    }
    return true;
}

int CountStarts(const std::string& debug)
{
    int starts = 0;
    for (std::size_t at = 0; (at = debug.find("started", at)) != std::string::npos; ++at)
        ++starts;
    return starts;
}

// No process of the job is left: a program and all that it started have ended.
bool AllEnded(HANDLE job)
{
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION info{};
    return QueryInformationJobObject(job, JobObjectBasicAccountingInformation, &info, sizeof info, nullptr) &&
           info.ActiveProcesses == 0;
}

bool ShowsWindow(DWORD process)
{
    struct TSearch {
        DWORD Process;
        bool Found;
    } search{process, false};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL CALLBACK {
            auto* s = reinterpret_cast<TSearch*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            s->Found = owner == s->Process && IsWindowVisible(window);
            return !s->Found;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

TCrash RunCrash(const std::string& scenario, int expectedStarts = 1, const TRunOptions& run = {})
{
    static int runs = 0;
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    fs::path program = fs::path(self).parent_path() / run.Program;
    // A folder of its own for each run: a program that just ended, or one it started, may still
    // hold its files for a moment.
    const fs::path dir = fs::temp_directory_path() /
                         ("crashlog-crash-" + scenario + "-" + std::to_string(GetCurrentProcessId()) + "-" +
                          std::to_string(++runs));
    std::error_code ignored;
    fs::remove_all(dir, ignored);
    fs::create_directories(dir);
    if (run.FromCopy) {
        fs::copy_file(program, dir / run.Program);
        program = dir / run.Program;
    }
    // Not "debug": the program's last argument switches its trace when it holds that word.
    const fs::path log = dir / "crash.elf", debug = dir / "notes.txt";
    std::string command = "\"" + program.string() + "\" " + scenario + " \"" + log.string() + "\" \"" +
                          debug.string() + "\"" + (run.ExtraArguments.empty() ? "" : " " + run.ExtraArguments);
    const fs::path output = dir / "output.txt";
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    cl::TOwnedHandle outputFile(CreateFileA(output.string().c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = outputFile.get();
    startup.hStdError = outputFile.get();
    // The program and every program it starts (a restart, a mail program) are one job, so
    // that the run can wait for all of them to end.
    cl::TOwnedHandle job(CreateJobObjectA(nullptr, nullptr));
    PROCESS_INFORMATION started{};
    TCrash crash;
    GetLocalTime(&crash.Before);
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_SUSPENDED, nullptr, nullptr,
                        &startup, &started))
        return crash;
    const cl::TOwnedHandle process(started.hProcess), thread(started.hThread);
    outputFile.reset();
    AssignProcessToJobObject(job.get(), process.get());
    ResumeThread(thread.get());
    // A bound only against a hang, which is itself a failure; so is a window of a program that
    // must open none, which would wait for a user.
    crash.Ended = PollUntil(
        [&] {
            crash.ShowedWindow = run.Windowless && ShowsWindow(started.dwProcessId);
            return crash.ShowedWindow || WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0;
        },
        120000) && !crash.ShowedWindow;
    if (!crash.Ended)
        TerminateProcess(process.get(), 255);
    GetExitCodeProcess(process.get(), &crash.ExitCode);
    GetLocalTime(&crash.After);
    // A restarted program is a new process of its own: wait for it to have started and ended.
    if (expectedStarts > 1) {
        PollUntil([&] { return CountStarts(ReadAll(debug)) >= expectedStarts; }, 30000);
        PollUntil([&] { return AllEnded(job.get()); }, 30000);
    }
    crash.Debug = ReadAll(debug);
    if (fs::exists(log))
        crash.Blocks = TLogFile(log.string()).Items;
    crash.Output = ReadAll(output);
    crash.Trace = ReadAll(fs::path(program).replace_extension(".log"));
    fs::remove_all(dir, ignored);
    return crash;
}

// The program ended by itself, not stopped at the bound, and with Code; else what it wrote, which
// tells more of what went wrong than the code alone.
testing::AssertionResult EndedWith(const TCrash& crash, DWORD code)
{
    if (!crash.Ended)
        return testing::AssertionFailure() << "the program did not end in time; it wrote:\n" << crash.Output;
    if (crash.ExitCode != code)
        return testing::AssertionFailure() << "the program ended with " << crash.ExitCode << ", not " << code
                                           << "; it wrote:\n" << crash.Output << crash.Debug;
    return testing::AssertionSuccess();
}

std::string Field(const std::string& block, const std::string& caption)
{
    std::size_t at = block.find("\r\n  " + caption);
    if (at == std::string::npos)
        return "<missing>";
    std::size_t colon = block.find(": ", at);
    return block.substr(colon + 2, block.find("\r\n", colon) - colon - 2);
}

// The line column of the first row.
std::string FirstLine(const std::string& block)
{
    std::size_t at = block.find("\r\n|", block.find("|Address") + 1);
    std::size_t end = block.find("\r\n", at + 2);
    std::string row = block.substr(at + 2, end - at - 2);
    row.pop_back();  // the closing bar
    std::string line = row.substr(row.rfind('|') + 1);
    line.erase(line.find_last_not_of(' ') + 1);
    return line;
}

// The procedure column of the table's rows, in order.
std::vector<std::string> Procedures(const std::string& block)
{
    std::vector<std::string> names;
    std::size_t at = block.find("|Address");
    while ((at = block.find("\r\n|", at + 1)) != std::string::npos) {
        std::vector<std::string> cells;
        std::size_t cell = at + 3;
        for (int i = 0; i < 6; ++i) {
            std::size_t end = block.find('|', cell);
            cells.push_back(block.substr(cell, end - cell));
            cell = end + 1;
        }
        std::string& p = cells[4];
        p.erase(p.find_last_not_of(' ') + 1);
        names.push_back(p);
    }
    return names;
}

std::string FirstAddressCell(const std::string& block)
{
    std::size_t at = block.find("\r\n|", block.find("|Address") + 1);
    return block.substr(at + 3, 8);
}

// The report names the faulting procedure in its first row, at the exception's address.
void ExpectReport(const std::string& block, const std::string& type, const std::string& message,
                  const std::string& procedure)
{
    EXPECT_EQ(Field(block, "Type"), type) << block;
    EXPECT_EQ(Field(block, "Message").rfind(message, 0), 0u) << Field(block, "Message");
    EXPECT_EQ(Field(block, "Module"), "crashlog_crash.exe");
    EXPECT_EQ(Field(block, "Address").size(), 8u);
    EXPECT_EQ(FirstAddressCell(block), Field(block, "Address"));
    std::vector<std::string> procedures = Procedures(block);
    ASSERT_FALSE(procedures.empty()) << block;
    EXPECT_EQ(procedures[0], procedure) << block;
}

// The report's type, and the procedure of its first row.
void ExpectFault(const std::string& block, const std::string& type, const std::string& procedure)
{
    EXPECT_EQ(Field(block, "Type"), type) << block;
    const std::vector<std::string> procedures = Procedures(block);
    ASSERT_FALSE(procedures.empty()) << block;
    EXPECT_EQ(procedures[0], procedure) << block;
}

// Seconds of a local time, or of a report's date "mm/dd/yyyy hh:nn:ss" (-1 when it is not one).
long long Seconds(const SYSTEMTIME& t)
{
    SYSTEMTIME whole = t;
    whole.wMilliseconds = 0;
    FILETIME f{};
    SystemTimeToFileTime(&whole, &f);
    return static_cast<long long>((static_cast<unsigned long long>(f.dwHighDateTime) << 32 | f.dwLowDateTime) /
                                  10000000ull);
}

long long Seconds(const std::string& date)
{
    SYSTEMTIME t{};
    char end = 0;
    if (date.size() != 19 || std::sscanf(date.c_str(), "%2hu/%2hu/%4hu %2hu:%2hu:%2hu%c", &t.wMonth, &t.wDay, &t.wYear,
                                         &t.wHour, &t.wMinute, &t.wSecond, &end) != 6)
        return -1;
    FILETIME f{};
    if (!SystemTimeToFileTime(&t, &f))
        return -1;
    return Seconds(t);
}

// The number before the unit of an amount ("512 Mb", "7.25 Gb"), or -1.
double Amount(const std::string& text, const std::string& unit)
{
    double value = -1;
    char rest[8] = "";
    if (std::sscanf(text.c_str(), "%lf %7s", &value, rest) != 2 || unit != rest)
        return -1;
    return value;
}

constexpr double MiB = 1048576.0, GiB = 1073741824.0;

// Every field of the report of a fault in crashlog_crash.exe, against what this machine tells
// this test, as it told the program, and the times around the program's run.
void ExpectEveryField(const TCrash& crash, const std::string& block)
{
    const long long before = Seconds(crash.Before), after = Seconds(crash.After);
    const long long started = Seconds(Field(block, "Start Date")), faulted = Seconds(Field(block, "Date   "));
    char computer[MAX_COMPUTERNAME_LENGTH + 1] = "";
    DWORD size = sizeof computer;
    GetComputerNameA(computer, &size);
    MEMORYSTATUS memory{sizeof memory};
    GlobalMemoryStatus(&memory);
    char program[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    ULARGE_INTEGER available{}, total{}, free{};
    GetDiskFreeSpaceExA(fs::path(program).root_path().string().c_str(), &available, &total, &free);
    OSVERSIONINFOA version{sizeof version};
    GetVersionExA(&version);
    char language[128] = "";
    GetLocaleInfoA(MAKELCID(GetSystemDefaultLangID(), SORT_DEFAULT), LOCALE_SLANGUAGE, language, sizeof language);
    const double totalMb = Amount(Field(block, "Total Memory"), "Mb");
    const double totalGb = Amount(Field(block, "Total Disk"), "Gb");
    const double freeMb = Amount(Field(block, "Free Memory"), "Mb");
    const double freeGb = Amount(Field(block, "Free Disk"), "Gb");
    struct TCheck {
        const char* Caption;
        bool Holds;
    };
    const TCheck checks[] = {
        {"Start Date", before <= started && started <= after},
        {"Name/Description", Field(block, "Name/Description") == "crashlog_crash.exe"},
        {"Version Number", Field(block, "Version Number") == ""},  // the program carries no version
        {"Date   ", started <= faulted && faulted <= after},
        {"Address", Field(block, "Address").size() == 8 && FirstAddressCell(block) == Field(block, "Address")},
        {"Module", Field(block, "Module") == "crashlog_crash.exe"},
        {"Type", Field(block, "Type") == "EAccessViolation"},
        {"Message", Field(block, "Message") ==
                        "Access violation at address " + Field(block, "Address") + ". Write of address 00000000."},
        {"Name  ", Field(block, "Name  ") == computer},
        {"Total Memory", totalMb == std::floor(memory.dwTotalPhys / MiB + 0.5)},
        {"Free Memory", freeMb >= 0 && freeMb <= totalMb},
        {"Total Disk", std::fabs(totalGb - total.QuadPart / GiB) <= 0.005},
        {"Free Disk", freeGb >= 0 && freeGb <= totalGb},
        // Wine reports a later Windows than any the logger names.
        {"Type    ", Field(block, "Type    ") == (version.dwMajorVersion < 6 ? Field(block, "Type    ") : "")},
        {"Build #", Field(block, "Build #") == std::to_string(version.dwBuildNumber)},
        {"Language", Field(block, "Language") == language},
    };
    for (const TCheck& check : checks)
        EXPECT_TRUE(check.Holds) << check.Caption << ": " << Field(block, check.Caption) << "\n" << block;
}

bool Contains(const std::vector<std::string>& names, const std::string& name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

TEST(Crash, AccessViolationOnTheMainThreadEndsTheProgramWithOne)
{
    TCrash crash = RunCrash("av-main");
    ASSERT_TRUE(EndedWith(crash, 1u));
    ASSERT_EQ(crash.Blocks.size(), 1u);
    ExpectReport(crash.Blocks[0], "EAccessViolation", "Access violation at address ", "CrashAccessViolation");
    ExpectEveryField(crash, crash.Blocks[0]);
    EXPECT_FALSE(FirstLine(crash.Blocks[0]).empty()) << crash.Blocks[0];
    std::vector<std::string> procedures = Procedures(crash.Blocks[0]);
    EXPECT_TRUE(Contains(procedures, "RunScenario"));
    EXPECT_TRUE(Contains(procedures, "main"));
}

TEST(Crash, DivisionByZeroOnAWorkerEndsOnlyThatThreadAndShowsItsCreator)
{
    TCrash crash = RunCrash("div-worker");
    ASSERT_TRUE(EndedWith(crash, 11u));  // the program went on; the worker ended with 1
    ASSERT_EQ(crash.Blocks.size(), 1u);
    ExpectReport(crash.Blocks[0], "EDivByZero", "Division by zero at address ", "CrashDivide");
    std::vector<std::string> procedures = Procedures(crash.Blocks[0]);
    EXPECT_TRUE(Contains(procedures, "DivideWorker"));
    // Then the stack of the code that started the thread.
    EXPECT_TRUE(Contains(procedures, "RunScenario"));
}

TEST(Crash, UncaughtThrowIsReportedAtItsThrowSite)
{
    TCrash crash = RunCrash("throw-uncaught");
    ASSERT_TRUE(EndedWith(crash, 1u));
    ASSERT_EQ(crash.Blocks.size(), 1u);
    ExpectReport(crash.Blocks[0], "std::runtime_error", "nobody catches this.", "ThrowUncaught");
}

TEST(Crash, ThrowOutOfAWindowProcedure)
{
    TCrash crash = RunCrash("throw-wndproc");
    ASSERT_TRUE(EndedWith(crash, 1u));
    ASSERT_EQ(crash.Blocks.size(), 1u);
    ExpectReport(crash.Blocks[0], "EConvertError", "'x' is not a valid integer value.", "ThrowFromWindowProcedure");
    EXPECT_TRUE(Contains(Procedures(crash.Blocks[0]), "ThrowingProc"));
}

TEST(Crash, TerminateOnAWorkerEndsOnlyThatThread)
{
    TCrash crash = RunCrash("terminate-worker");
    ASSERT_TRUE(EndedWith(crash, 20u));
    ASSERT_EQ(crash.Blocks.size(), 1u);
    ExpectReport(crash.Blocks[0], "std::logic_error", "worker gave up.", "WorkerGivesUp");
}

TEST(Crash, StackOverflowIsReportedFromAStackOfItsOwn)
{
    TCrash crash = RunCrash("stack-overflow");
    ASSERT_TRUE(EndedWith(crash, 1u));
    ASSERT_EQ(crash.Blocks.size(), 1u);
    ExpectReport(crash.Blocks[0], "EStackOverflow", "Stack overflow at address ", "Recurse");
    // A runaway recursion gives a bounded table.
    EXPECT_LE(Procedures(crash.Blocks[0]).size(), 200u);
}

TEST(Crash, StackOverflowOnAWorkerEndsOnlyThatThread)
{
    TCrash crash = RunCrash("overflow-worker");
    ASSERT_TRUE(EndedWith(crash, 71u));
    ASSERT_EQ(crash.Blocks.size(), 1u);
    ExpectReport(crash.Blocks[0], "EStackOverflow", "Stack overflow at address ", "Recurse");
}

TEST(Crash, TwoThreadsFaultingTogetherGiveTwoReports)
{
    TCrash crash = RunCrash("two-threads");
    ASSERT_TRUE(EndedWith(crash, 32u));  // both workers ended with 1
    ASSERT_EQ(crash.Blocks.size(), 2u);
    for (const std::string& block : crash.Blocks)
        ExpectReport(block, "EAccessViolation", "Access violation at address ", "CrashAccessViolation");
}

TEST(Crash, FaultInsideTheLoggerIsToldOnTheDebugChannelAndTheReportKept)
{
    TCrash crash = RunCrash("logger-fault");
    ASSERT_TRUE(EndedWith(crash, 41u));
    ASSERT_EQ(crash.Blocks.size(), 1u);
    ExpectReport(crash.Blocks[0], "EDivByZero", "Division by zero", "CrashDivide");
    EXPECT_NE(crash.Debug.find("[ERROR] - Section: UnhandledExceptionFilter - Message: \"General internal error.\""),
              std::string::npos)
        << crash.Debug;
}

TEST(Crash, TerminateFlagEndsTheProgramAfterTheReport)
{
    TCrash crash = RunCrash("terminate-button");
    ASSERT_TRUE(EndedWith(crash, 1u));
    ASSERT_EQ(crash.Blocks.size(), 1u);
    ExpectReport(crash.Blocks[0], "std::runtime_error", "nobody catches this.", "ThrowUncaught");
}

TEST(Crash, RestartStartsTheProgramAgainWithItsCommandLine)
{
    TCrash crash = RunCrash("restart-button", 2);
    ASSERT_TRUE(EndedWith(crash, 1u));
    EXPECT_EQ(crash.Debug, "started\nstarted\n");
    EXPECT_EQ(crash.Blocks.size(), 1u);
}

TEST(Crash, ConsoleProgramWritesTheReportToItsOutput)
{
    TCrash crash = RunCrash("console-output");
    ASSERT_TRUE(EndedWith(crash, 1u));
    ASSERT_EQ(crash.Blocks.size(), 1u);
    const std::string header =
        "An error has occurred during program execution.\r\n"
        "Please read the following information for further details.\r\n\r\nApplication...\r\n";
    EXPECT_EQ(crash.Output.substr(0, header.size()), header) << crash.Output;
    EXPECT_NE(crash.Output.find("  Type   : EAccessViolation\r\n"), std::string::npos);
    // A console program has no active controls to report.
    EXPECT_EQ(crash.Output.find("Active Controls"), std::string::npos);
}

TEST(Crash, FaultInsideTheLoggerDuringAMainThreadReportKeepsTheReport)
{
    TCrash crash = RunCrash("logger-fault-main");
    ASSERT_TRUE(EndedWith(crash, 1u));
    ASSERT_EQ(crash.Blocks.size(), 1u);
    ExpectReport(crash.Blocks[0], "EAccessViolation", "Access violation at address ", "CrashAccessViolation");
    EXPECT_NE(crash.Debug.find("[ERROR] - Section: UnhandledExceptionFilter"), std::string::npos) << crash.Debug;
}

TEST(Crash, MainThreadWaitingForTheFlagDoesNotBlockAWorkersReport)
{
    TCrash crash = RunCrash("main-waits-for-worker");
    ASSERT_TRUE(EndedWith(crash, 61u));
    ASSERT_EQ(crash.Blocks.size(), 2u);
    EXPECT_EQ(Field(crash.Blocks[0], "Type"), "EDivByZero");
    EXPECT_EQ(Field(crash.Blocks[1], "Type"), "std::runtime_error");
}

TEST(Crash, AFatalThrowAfterAHandledOneOfTheSameClassIsReportedToo)
{
    TCrash crash = RunCrash("handled-then-fatal");
    ASSERT_TRUE(EndedWith(crash, 1u));
    ASSERT_EQ(crash.Blocks.size(), 2u);
    for (const std::string& block : crash.Blocks)
        ExpectReport(block, "std::runtime_error", "nobody catches this.", "ThrowUncaught");
}

TEST(Crash, AFaultAtThreadExitEndsInOneReportAndNoHang)
{
    // Under Wine the loader swallows a fault of a thread-exit destructor and the runtime's lock
    // stays taken: without the logger's own handling the program hangs at its end, unreported.
    TCrash crash = RunCrash("fault-at-thread-exit");
    ASSERT_TRUE(EndedWith(crash, 1u));
    ASSERT_EQ(crash.Blocks.size(), 1u) << crash.Debug;
    ExpectReport(crash.Blocks[0], "EAccessViolation", "Access violation at address ", "~TFaultsAtThreadExit");
}

TEST(Crash, AFaultAtTheExitOfAStandardThreadEndsInOneReportAndNoHang)
{
    // The threading runtime holds a lock of its own while the destructor runs, which a thread
    // reporting in the faulting thread's place may need.
    TCrash crash = RunCrash("fault-at-std-thread-exit");
    ASSERT_TRUE(EndedWith(crash, 1u));
    ASSERT_EQ(crash.Blocks.size(), 1u) << crash.Debug;
    ExpectReport(crash.Blocks[0], "EAccessViolation", "Access violation at address ", "~TFaultsAtStdThreadExit");
}

// Each thread leaves the logger's record of its last throw, freed when the thread ends. Run
// again by a test of its own under Wine's heap check, which fails on a free of freed memory.
TEST(Crash, ThreadsThatThrowAndEndLeaveTheHeapSound)
{
    TCrash crash = RunCrash("threads-throw-and-end");
    ASSERT_TRUE(EndedWith(crash, 30u));
    EXPECT_TRUE(crash.Blocks.empty());
}

// The system calls these window procedures back and drops a fault there after the vectored
// handlers have seen it: the program would go on unpainted, or broken, unreported.
TEST(Crash, AFaultInAWindowProcedureTheSystemCallsBackIsReportedOnce)
{
    for (const char* scenario : {"fault-in-paint", "fault-in-size"}) {
        SCOPED_TRACE(scenario);
        TCrash crash = RunCrash(scenario);
        EXPECT_TRUE(EndedWith(crash, 1u));
        ASSERT_EQ(crash.Blocks.size(), 1u) << crash.Debug;
        ExpectReport(crash.Blocks[0], "EAccessViolation", "Access violation at address ", "FaultInCallback");
    }
}

// The runtime holds its exit lock while the program ends: nothing on the reporting path may wait
// for it, nor use what the end has destroyed already.
TEST(Crash, AFaultWhileTheProgramEndsGivesOneReportAndTheProcessEnds)
{
    struct TCase {
        const char* Scenario;
        DWORD Code;
        const char* Type;
        const char* Procedure;
        const char* Debug;
    };
    for (const TCase& c : {TCase{"fault-in-atexit", 1, "EAccessViolation", "CrashAccessViolation", ""},
                           TCase{"fault-in-static-destructor", 1, "EAccessViolation", "~TFaultsWhenDestroyed", ""},
                           TCase{"worker-fault-in-atexit", 23, "EDivByZero", "CrashDivide", "worker 1\n"}}) {
        SCOPED_TRACE(c.Scenario);
        TCrash crash = RunCrash(c.Scenario);
        EXPECT_TRUE(EndedWith(crash, c.Code));
        ASSERT_EQ(crash.Blocks.size(), 1u) << crash.Debug;
        ExpectFault(crash.Blocks[0], c.Type, c.Procedure);
        EXPECT_EQ(crash.Debug, c.Debug);
    }
}

// Reports in a windowed program whose output (a dialog) is open: a fault of the program's paint
// meanwhile is its own report, after the first; a worker's report is written when the program
// ends before its dialog is closed.
TEST(Crash, AReportWhoseDialogIsOpenIsWrittenOnceAndWhatFaultsMeanwhileAfterIt)
{
    TRunOptions windowed;
    windowed.Program = "crashlog_crash_gui.exe";
    TCrash paint = RunCrash("fault-in-paint-during-dialog", 1, windowed);
    EXPECT_TRUE(EndedWith(paint, 1u));
    ASSERT_EQ(paint.Blocks.size(), 2u) << paint.Debug;
    EXPECT_EQ(Field(paint.Blocks[0], "Type"), "std::runtime_error");
    ExpectFault(paint.Blocks[1], "EAccessViolation", "FaultInCallback");
    EXPECT_EQ(paint.Debug.find("[ERROR]"), std::string::npos) << paint.Debug;

    TCrash worker = RunCrash("worker-dialog-at-end", 1, windowed);
    EXPECT_TRUE(EndedWith(worker, 25u));
    ASSERT_EQ(worker.Blocks.size(), 1u) << worker.Debug;
    ExpectFault(worker.Blocks[0], "EDivByZero", "CrashDivide");
}

TEST(Crash, TheMainThreadAndAWorkerFaultingTogetherGiveTwoReports)
{
    TCrash crash = RunCrash("main-and-worker");
    ASSERT_TRUE(EndedWith(crash, 1u));
    ASSERT_EQ(crash.Blocks.size(), 2u) << crash.Debug;
    for (const std::string& block : crash.Blocks)
        ExpectReport(block, "EAccessViolation", "Access violation at address ", "CrashAccessViolation");
}

TEST(Crash, ThreadsOverflowingTogetherEachWalkTheirOwnStack)
{
    // Eight rounds of two threads at once: a stack top shared between them shows within a few.
    TCrash crash = RunCrash("two-overflows");
    ASSERT_TRUE(EndedWith(crash, 116u));  // every worker ended with 1
    ASSERT_EQ(crash.Blocks.size(), 16u);
    for (const std::string& block : crash.Blocks) {
        // The overflow comes in the stack probe of a wide frame, a helper without a name of its own.
        EXPECT_EQ(Field(block, "Type"), "EStackOverflow");
        const std::vector<std::string> procedures = Procedures(block);
        EXPECT_TRUE(Contains(procedures, "RecurseWide")) << block;
        EXPECT_TRUE(Contains(procedures, "OverflowTogether")) << block;
    }
}

TEST(Crash, AFaultAtAddressZeroNamesNoModule)
{
    TCrash crash = RunCrash("call-nowhere");
    ASSERT_TRUE(EndedWith(crash, 1u));
    ASSERT_EQ(crash.Blocks.size(), 1u);
    EXPECT_EQ(Field(crash.Blocks[0], "Type"), "EAccessViolation");
    EXPECT_EQ(Field(crash.Blocks[0], "Address"), "");
    EXPECT_EQ(Field(crash.Blocks[0], "Module"), "");
    EXPECT_TRUE(Contains(Procedures(crash.Blocks[0]), "RunScenario")) << crash.Blocks[0];
}

TEST(Crash, AWorkersReportReadsTheTextOfABlockedForegroundWindow)
{
    TRunOptions windowed;
    windowed.Program = "crashlog_crash_gui.exe";
    TCrash crash = RunCrash("worker-fault-ui-blocked", 1, windowed);
    ASSERT_TRUE(EndedWith(crash, 11u));
    ASSERT_EQ(crash.Blocks.size(), 1u);
    EXPECT_EQ(Field(crash.Blocks[0], "Form Class"), "CrashlogBlocked");
    EXPECT_EQ(Field(crash.Blocks[0], "Form Text"), "Blocked Window");
}

TEST(Crash, TheStackTableTakesOnlyEntriesWithDebugInformation)
{
    // The fault's callers include a library linked without symbols.
    TCrash crash = RunCrash("fault-through-nosym");
    ASSERT_TRUE(EndedWith(crash, 1u));
    ASSERT_EQ(crash.Blocks.size(), 1u);
    ExpectReport(crash.Blocks[0], "EAccessViolation", "Access violation at address ", "CrashAccessViolation");
    EXPECT_EQ(crash.Blocks[0].find("crashlog_nosym.dll"), std::string::npos) << crash.Blocks[0];
    EXPECT_TRUE(Contains(Procedures(crash.Blocks[0]), "RunScenario"));
}

TEST(Crash, OnlyTheCurrentOptionsSwitchHangDetection)
{
    TCrash crash = RunCrash("module-options-switch");
    ASSERT_TRUE(EndedWith(crash, 80u));
    EXPECT_EQ(crash.Debug, "freeze on\nfreeze off\n");
}

TEST(Crash, MailKeptForTheEndGoesOutWhenACrashEndsTheProgram)
{
    TCrash crash = RunCrash("pending-mail-at-crash");
    ASSERT_TRUE(EndedWith(crash, 1u));
    EXPECT_EQ(crash.Blocks.size(), 1u);
    EXPECT_EQ(crash.Debug, "mail\n");
}

TEST(Crash, TheActionHookKeepsTheProgramAliveByClearingTheTerminateFlag)
{
    TCrash crash = RunCrash("action-keeps-alive");
    ASSERT_TRUE(EndedWith(crash, 51u));
    EXPECT_EQ(crash.Blocks.size(), 1u);
    EXPECT_EQ(crash.Debug, "action\n");
}

TEST(Crash, MailAfterEachErrorLeavesTheNotifyHookToTheMailRoutine)
{
    TCrash crash = RunCrash("mail-after-each");
    ASSERT_TRUE(EndedWith(crash, 52u));
    EXPECT_EQ(crash.Debug, "mail\n");
}

namespace {

TCrash RunWithLastArguments(const std::string& scenario, const std::string& arguments)
{
    TRunOptions run;
    run.FromCopy = true;
    run.ExtraArguments = arguments;
    return RunCrash(scenario, 1, run);
}

}  // namespace

TEST(Install, TheLastArgumentSwitchesTheInternalTrace)
{
    TCrash on = RunWithLastArguments("normal-end", "x debug");
    ASSERT_TRUE(EndedWith(on, 0u));
    // "dd/mm/yy hh:nn:ss", two blanks, the indentation, the name.
    EXPECT_NE(on.Trace.find("  InitExceptionLog()\r\n"), std::string::npos) << on.Trace;
    EXPECT_NE(on.Trace.find("  InitExceptionLog=True\r\n"), std::string::npos) << on.Trace;
    EXPECT_NE(on.Trace.find("  DoneExceptionLog()\r\n"), std::string::npos) << on.Trace;
    ASSERT_GE(on.Trace.size(), 19u);
    EXPECT_EQ(on.Trace[2], '/');
    EXPECT_EQ(on.Trace[8], ' ');
    EXPECT_EQ(on.Trace.substr(17, 2), "  ");

    TCrash notLast = RunWithLastArguments("normal-end", "debug x");
    ASSERT_TRUE(notLast.Ended);
    EXPECT_EQ(notLast.Trace, "");

    TCrash none = RunWithLastArguments("normal-end", "");
    ASSERT_TRUE(none.Ended);
    EXPECT_EQ(none.Trace, "");
}

TEST(Install, SaveInTheLastArgumentWritesTheTraceAfterEveryLine)
{
    // A program that vanishes without shut-down leaves its trace only when it was saved as it grew.
    TCrash saving = RunWithLastArguments("vanish", "DebugSave");
    ASSERT_TRUE(saving.Ended);
    EXPECT_NE(saving.Trace.find("  ExceptionManager(std::runtime_error)"), std::string::npos) << saving.Trace;
    EXPECT_EQ(saving.Blocks.size(), 1u);

    TCrash kept = RunWithLastArguments("vanish", "debug");
    ASSERT_TRUE(kept.Ended);
    EXPECT_EQ(kept.Trace, "");
}

TEST(Install, ACrashThatEndsTheProgramSavesTheTrace)
{
    TCrash crash = RunWithLastArguments("av-main", "debug");
    ASSERT_TRUE(EndedWith(crash, 1u));
    EXPECT_NE(crash.Trace.find("ExceptNotify(EAccessViolation, $"), std::string::npos) << crash.Trace;
}

TEST(Install, AfterShutDownEveryHookedImportSlotHoldsItsOriginal)
{
    TCrash crash = RunCrash("imports-restored");
    ASSERT_TRUE(EndedWith(crash, 0u));
    EXPECT_EQ(crash.Debug, "hooked\noriginals\n");
}

TEST(Freeze, AMainWindowThatStopsAnsweringIsReportedOnceAndTheProgramGoesOn)
{
    TCrash crash = RunCrash("hang");
    ASSERT_TRUE(EndedWith(crash, 90u));
    ASSERT_EQ(crash.Blocks.size(), 1u);
    EXPECT_EQ(Field(crash.Blocks[0], "Type"), "EFrozenApplication");
    EXPECT_EQ(Field(crash.Blocks[0], "Message"), "The application seems to be frozen.");
    EXPECT_EQ(Field(crash.Blocks[0], "Address").size(), 8u);
    // The walk of the frozen main thread's stack.
    EXPECT_TRUE(Contains(Procedures(crash.Blocks[0]), "RunScenario")) << crash.Blocks[0];
}

TEST(Freeze, AnAnswerOfTheWindowStartsTheCountAgain)
{
    // Stops that together pass the bound, with answers between them, are no hang.
    TCrash crash = RunCrash("hang-after-answers");
    ASSERT_TRUE(EndedWith(crash, 93u));
    EXPECT_TRUE(crash.Blocks.empty());
}

TEST(Freeze, AWatcherWaitingForAnotherReportDoesNotHoldTheShutDown)
{
    TCrash crash = RunCrash("hang-during-report");
    ASSERT_TRUE(EndedWith(crash, 94u)) << crash.Debug;
    EXPECT_NE(crash.Debug.find("shut down"), std::string::npos) << crash.Debug;
}

TEST(WebPage, ACgiProgramAnswersWithAnEscapedErrorPage)
{
    SetEnvironmentVariableA("REQUEST_METHOD", "GET");
    TCrash crash = RunCrash("throw-html");
    SetEnvironmentVariableA("REQUEST_METHOD", nullptr);
    ASSERT_TRUE(EndedWith(crash, 1u));
    EXPECT_EQ(crash.Blocks.size(), 1u);
    const std::string start = "Status: 500 Error\r\nContent-Type: text/html\r\nContent-Length: ";
    ASSERT_EQ(crash.Output.substr(0, start.size()), start) << crash.Output;
    const std::size_t page = crash.Output.find("Content:\r\n\r\n") + 12;
    EXPECT_EQ(std::to_string(crash.Output.size() - page),
              crash.Output.substr(start.size(), crash.Output.find("\r\n", start.size()) - start.size()));
    EXPECT_EQ(crash.Output.substr(page, 19), "<html><head><title>");
    EXPECT_NE(crash.Output.find("&lt;script&gt;alert(1)&lt;/script&gt;&nbsp;&amp;&nbsp;more"), std::string::npos)
        << crash.Output;
    EXPECT_EQ(crash.Output.find("<script>"), std::string::npos);
}

TEST(Mail, AfterEachErrorTheReportIsMailedWithItsLogAttached)
{
    TFakeSmtpServer server({});
    TRunOptions run;
    run.ExtraArguments = std::to_string(server.Port());
    TCrash crash = RunCrash("mail-smtp", 1, run);
    ASSERT_TRUE(EndedWith(crash, 1u));
    ASSERT_EQ(crash.Blocks.size(), 1u);
    EXPECT_EQ(crash.Debug, "before mail\nafter mail\n");
    const std::vector<TReceivedMail> mails = server.Mails();
    ASSERT_EQ(mails.size(), 1u);
    EXPECT_EQ(mails[0].To, "a@example.org");
    EXPECT_NE(mails[0].Data.find("Subject: Crash report\r\n"), std::string::npos);
    EXPECT_NE(mails[0].Data.find("\r\nSee the log.\r\n"), std::string::npos);
    EXPECT_NE(mails[0].Data.find("filename=\"crash.elf\""), std::string::npos) << mails[0].Data;
    EXPECT_NE(mails[0].Data.find("  Type   : EAccessViolation\r\n"), std::string::npos);
}

TEST(Install, TheProgramsOptionsNeedAnActiveLogger)
{
    TCrash crash = RunCrash("options-without-logger");
    ASSERT_TRUE(EndedWith(crash, 0u));
    EXPECT_EQ(crash.Debug.rfind("options\nCannot use 'CurrentVozozoRezOptions' function without VozozoRez activate. "
                                "(ExceptionLog, line ",
                                0),
              0u)
        << crash.Debug;
}

TEST(Install, AnInternalErrorWhileTracingIsOfferedForSending)
{
    TRunOptions run;
    run.FromCopy = true;
    run.ExtraArguments = "debug";
    TCrash crash = RunCrash("internal-bug", 1, run);
    ASSERT_TRUE(EndedWith(crash, 0u));
    EXPECT_NE(crash.Debug.find("Probably internal bug: Error: 'the hook failed'\r\n\r\nThis is an internal VozozoRez "
                               "bug.\r\nDo you want to send the bug information to VozozoRez author?\n"),
              std::string::npos)
        << crash.Debug;
    EXPECT_NE(crash.Debug.find("Information: The bug information could not be sent.\r\nPlease send the file \""),
              std::string::npos)
        << crash.Debug;
    EXPECT_NE(crash.Trace.find(" - Message: \"the hook failed\""), std::string::npos) << crash.Trace;
}

namespace {

// A request handed by the test host to the extension that carries the logger.
TCrash RunRequest(const std::string& query)
{
    TRunOptions server;
    server.Program = "crashlog_server_host.exe";
    return RunCrash(query, 1, server);
}

}  // namespace

TEST(Server, AFailedRequestIsAnsweredWithTheErrorPageAndTheServerGoesOn)
{
    for (const char* query : {"throw", "fault"}) {
        SCOPED_TRACE(query);
        TCrash crash = RunRequest(query);
        ASSERT_TRUE(EndedWith(crash, 0u));
        ASSERT_EQ(crash.Blocks.size(), 1u) << crash.Debug;
        EXPECT_EQ(Field(crash.Blocks[0], "Module"), "crashlog_server.dll");
        EXPECT_EQ(Field(crash.Blocks[0], "Type"), query == std::string("throw") ? "std::runtime_error" : "EAccessViolation");
        // The header through the server's support function, then the page through WriteClient.
        const std::string header = "[support 3] 500 Error\nContent-Type: text/html\r\nContent-Length: ";
        const std::size_t at = crash.Debug.find(header);
        ASSERT_NE(at, std::string::npos) << crash.Debug;
        const std::size_t length = std::stoul(crash.Debug.substr(at + header.size()));
        const std::string between = "\r\nContent:\r\n\r\n[end]\n[write]\n";
        const std::size_t page = crash.Debug.find(between, at);
        ASSERT_NE(page, std::string::npos) << crash.Debug;
        const std::string body = crash.Debug.substr(page + between.size(), length + 6);
        EXPECT_EQ(body.substr(0, 19), "<html><head><title>");
        EXPECT_EQ(body.substr(length - 7), "</html>[end]\n") << body;
        EXPECT_NE(crash.Debug.find("Type&nbsp;&nbsp;&nbsp;:&nbsp;"), std::string::npos);
        // The entry answered the failure itself; the server's thread went on.
        EXPECT_NE(crash.Debug.find("[status 500] [thread 4]\n"), std::string::npos) << crash.Debug;
    }
}

TEST(Server, OfTwoRequestsAtOnceTheFaultingOneGetsTheErrorPageAndTheOtherItsOwnAnswer)
{
    // Whichever of the two entered the library first.
    for (const char* query : {"fault-first", "fault-second"}) {
        SCOPED_TRACE(query);
        TCrash crash = RunRequest(query);
        ASSERT_TRUE(EndedWith(crash, 0u));
        ASSERT_EQ(crash.Blocks.size(), 1u) << crash.Debug;
        const std::vector<std::string> procedures = Procedures(crash.Blocks[0]);
        ASSERT_FALSE(procedures.empty());
        EXPECT_EQ(procedures[0], "FaultInTheRequest");
        // The page went to the faulting request's connection, and only there.
        const std::size_t header = crash.Debug.find("[support 2 3] 500 Error\n");
        ASSERT_NE(header, std::string::npos) << crash.Debug;
        EXPECT_NE(crash.Debug.find("[end]\n[write 2]\n<html><head><title>", header), std::string::npos);
        EXPECT_EQ(crash.Debug.find("500 Error", header + 20), std::string::npos) << crash.Debug;
        EXPECT_NE(crash.Debug.find("[status 2 500] [thread 4]\n"), std::string::npos) << crash.Debug;
        // The other request was answered after the fault, by itself; then the server unloaded the library.
        const std::size_t fine = crash.Debug.find("[write]\nfine[end]\n[status 0] [thread 1]\n[unloaded]\n");
        EXPECT_NE(fine, std::string::npos) << crash.Debug;
        EXPECT_GT(fine, header);
    }
}

TEST(Server, ALoggerInstalledAgainStillAnswersAFailedRequestWithTheErrorPage)
{
    TCrash crash = RunRequest("again");
    ASSERT_TRUE(EndedWith(crash, 0u));
    const std::size_t first = crash.Debug.find("[write]\nfine[end]\n[status 0] [thread 1]\n");
    ASSERT_NE(first, std::string::npos) << crash.Debug;
    EXPECT_NE(crash.Debug.find("500 Error\nContent-Type: text/html\r\n", first), std::string::npos) << crash.Debug;
    // The request's own failure, not one of the logger's making.
    EXPECT_NE(crash.Debug.find("Type&nbsp;&nbsp;&nbsp;:&nbsp;std::runtime_error<br>", first), std::string::npos);
    EXPECT_NE(crash.Debug.find("[status 500] [thread 4]\n[unloaded]\n", first), std::string::npos) << crash.Debug;
}

TEST(Server, WhatTheLibraryHandlesAtItsOwnCatchPointIsNotReported)
{
    TCrash crash = RunRequest("caught");
    ASSERT_TRUE(EndedWith(crash, 0u));
    EXPECT_TRUE(crash.Blocks.empty());
    EXPECT_EQ(crash.Debug, "[write]\nfine[end]\n[status 0] [thread 1]\n[unloaded]\n");
}

namespace {

// A host of our own runs the steps (server_host.cpp), as a console server or a windowed program.
TCrash RunHost(const std::string& steps, const char* program = "crashlog_server_host.exe")
{
    TRunOptions run;
    run.Program = program;
    run.ExtraArguments = steps;
    run.Windowless = true;
    return RunCrash("host", 1, run);
}

// The last `size` characters of what the host noted, or all of it when it noted less.
std::string NotesEnding(const TCrash& crash, std::size_t size)
{
    return crash.Debug.substr(crash.Debug.size() - std::min(crash.Debug.size(), size));
}

}  // namespace

TEST(Server, AFailedRequestOnAnyThreadIsAnsweredByTheEntryAndTheServerServesTheNextOne)
{
    // The thread that loaded the library or a pool thread; with the server's own guard around
    // its calls or without one. Each fails twice, so that what the first failure used up (the
    // stack's guard page after an overflow) is seen to be back. A throw that nothing may let out
    // ends in the runtime's terminate; the thread's next request finds nothing of it.
    struct TQuery {
        const char* Query;
        const char* Type;
    };
    for (const char* thread : {"here", "pool"}) {
        for (const char* guard : {"", "guard "}) {
            for (const TQuery& q : {TQuery{"throw", "std::runtime_error"}, TQuery{"fault", "EAccessViolation"},
                                    TQuery{"overflow", "EStackOverflow"}, TQuery{"noexcept", "std::runtime_error"}}) {
                const std::string failing = std::string(thread) + ":" + q.Query + " ";
                const std::string steps =
                    std::string(guard) + "load:crashlog_server.dll " + failing + failing + thread + ":next free:0";
                SCOPED_TRACE(steps);
                TCrash crash = RunHost(steps);
                ASSERT_TRUE(EndedWith(crash, 0u));
                ASSERT_EQ(crash.Blocks.size(), 2u) << crash.Debug;
                EXPECT_EQ(Field(crash.Blocks[1], "Type"), q.Type);
                EXPECT_NE(crash.Debug.find("[end]\n[write]\n<html><head><title>"), std::string::npos) << crash.Debug;
                EXPECT_NE(crash.Debug.find("[status 500] [thread 4]\n[write]\nfine[end]\n[status 0] [thread 1]\n"
                                           "[unloaded]\n"),
                          std::string::npos)
                    << crash.Debug;
                EXPECT_EQ(crash.Debug.find("[host guard]"), std::string::npos) << crash.Debug;
                EXPECT_EQ(crash.Debug.find("[exception still current]"), std::string::npos) << crash.Debug;
            }
        }
    }
}

TEST(Server, AFaultWhileALibraryLoadsUnloadsOrRunsAThreadOfItsOwnIsReportedAndFailsOnlyThat)
{
    // In a windowed host too, where a web-server library opens no window. The host's own fault
    // afterwards reaches the host's own filter: nothing of the library is left in the process,
    // and a thread the library started ended alone. A request that the host gave up (its own
    // callback faulted) is over: a later report on that thread answers no request.
    struct TCase {
        const char* Program;
        const char* Steps;
        const char* Procedure;
        const char* Notes;
    };
    for (const char* program : {"crashlog_server_host.exe", "crashlog_plugin_host.exe"}) {
        for (const TCase& c : {TCase{program, "filter fault-on-load load:crashlog_server.dll host-fault",
                                     "FaultWhileLoading", "[load failed]\n[host filter C0000005]\n"},
                               TCase{program, "filter fault-on-unload load:crashlog_server.dll free:0 host-fault",
                                     "FaultWhileUnloading", "[unloaded]\n[host filter C0000005]\n"},
                               TCase{program,
                                     "filter guard load:crashlog_server.dll write-fault here:next fault-on-version version "
                                     "free:0 host-fault",
                                     "FaultInTheRequest",
                                     "[host guard]\n[status 0] [thread 0]\n[host guard]\n[unloaded]\n"
                                     "[host filter C0000005]\n"},
                               TCase{program, "filter load:crashlog_server.dll pool:thread-fault host-fault",
                                     "FaultOnItsThread",
                                     "[library thread 1]\n[write]\nfine[end]\n[status 0] [thread 1]\n"
                                     "[host filter C0000005]\n"}}) {
            SCOPED_TRACE(std::string(c.Program) + " " + c.Steps);
            TCrash crash = RunHost(c.Steps, c.Program);
            EXPECT_FALSE(crash.ShowedWindow);
            ASSERT_TRUE(EndedWith(crash, 7u));
            ASSERT_EQ(crash.Blocks.size(), 1u) << crash.Debug;
            const std::vector<std::string> procedures = Procedures(crash.Blocks[0]);
            ASSERT_FALSE(procedures.empty());
            EXPECT_EQ(procedures[0], c.Procedure);
            EXPECT_NE(crash.Debug.find(c.Notes), std::string::npos) << crash.Debug;
            EXPECT_EQ(crash.Debug.find("[ERROR]"), std::string::npos) << crash.Debug;
        }
    }
}

TEST(Server, TheHostsOwnFaultsReachTheHostWithLibrariesLoadedUnloadedOrInsideARequest)
{
    // Two libraries unloaded in either order; a fault of the server's own callback inside a
    // request goes to the server's own guard, or without one to its filter, unreported.
    struct TCase {
        std::string Steps;
        const char* Ending;
    };
    std::vector<TCase> cases;
    for (const char* unload : {"", "free:0 free:1 ", "free:1 free:0 "})
        cases.push_back({std::string("filter load:crashlog_server.dll copy:crashlog_server.dll ") + unload + "host-fault",
                         "[host filter C0000005]\n"});
    for (const char* thread : {"here", "pool"})
        cases.push_back({std::string("filter load:crashlog_server.dll write-fault ") + thread + ":next",
                         "[host filter C0000005]\n"});
    cases.push_back({"filter guard load:crashlog_server.dll write-fault pool:next host-fault",
                     "[host guard]\n[status 0] [thread 0]\n[host filter C0000005]\n"});
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Steps);
        TCrash crash = RunHost(c.Steps);
        EXPECT_TRUE(EndedWith(crash, 7u));
        EXPECT_TRUE(crash.Blocks.empty()) << crash.Debug;
        EXPECT_EQ(NotesEnding(crash, std::strlen(c.Ending)), c.Ending) << crash.Debug;
    }
}

TEST(Server, ALibraryThatAHostLoadsAndUnloadsAgainAndAgainLeavesTheHostItsThreadSlots)
{
    TCrash crash = RunHost("cycles:200");
    ASSERT_TRUE(EndedWith(crash, 0u));
    EXPECT_EQ(crash.Debug, "[tls slot]\n");
}

TEST(Server, ALibraryOpensNoWindowNorMailProgramAndWritesNothingIntoItsHostsOutput)
{
    // The host ends the run as failed at the first window it shows: a web-server library's
    // message box for a filtered class, a mail client's logon dialog. A plug-in in a console
    // host, also one that runs as a CGI program, leaves the host's output to the host.
    struct TCase {
        const char* Steps;
        std::size_t Reports;
        const char* Ending;
    };
    for (const TCase& c : {TCase{"load:crashlog_server.dll pool:filtered free:0", 0, "[unloaded]\n"},
                           TCase{"mail:mapi load:crashlog_server.dll pool:throw free:0", 1, "[unloaded]\n"},
                           TCase{"guard load:crashlog_plugin.dll command:fault free:0", 1,
                                 "[host guard]\n[command done]\n[unloaded]\n"},
                           TCase{"env:REQUEST_METHOD=GET guard load:crashlog_plugin.dll command:fault free:0", 1,
                                 "[host guard]\n[command done]\n[unloaded]\n"}}) {
        SCOPED_TRACE(c.Steps);
        TCrash crash = RunHost(c.Steps);
        ASSERT_TRUE(EndedWith(crash, 0u));
        EXPECT_EQ(crash.Blocks.size(), c.Reports) << crash.Debug;
        EXPECT_EQ(crash.Output, "");
        EXPECT_EQ(NotesEnding(crash, std::strlen(c.Ending)), c.Ending) << crash.Debug;
    }
}

TEST(Server, AWebServerLibraryMailsBySmtpWhenSetTo)
{
    TFakeSmtpServer server({});
    TCrash crash = RunHost("mail:" + std::to_string(server.Port()) + " load:crashlog_server.dll pool:throw free:0");
    ASSERT_TRUE(EndedWith(crash, 0u));
    ASSERT_EQ(crash.Blocks.size(), 1u) << crash.Debug;
    const std::vector<TReceivedMail> mails = server.Mails();
    ASSERT_EQ(mails.size(), 1u);
    EXPECT_NE(mails[0].Data.find("  Type   : std::runtime_error\r\n"), std::string::npos) << mails[0].Data;
}
