#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include <windows.h>

#include "classlib/system/ExceptionHooks.h"
#include "classlib/system/SysUtils.h"
#include "crashlog/ELogFile.h"
#include "crashlog/ESysInfo.h"
#include "crashlog/EThreads.h"
#include "crashlog/ExceptionLog.h"

using namespace crashlog;
namespace fs = std::filesystem;

namespace {

__attribute__((noinline)) void ThrowConvert()
{
    throw cl::EConvertError("'abc' is not a valid integer value");
}
__attribute__((noinline)) void CallsThrowConvert()
{
    ThrowConvert();
    asm volatile("" ::: "memory");
}

// What the layer does at its catch points.
bool HandOver(void (*body)(), cl::TCatchPoint where = cl::TCatchPoint::Application)
{
    try {
        body();
    } catch (...) {
        return cl::ExceptionHooks().OnException(std::current_exception(), nullptr, where);
    }
    return false;
}

std::vector<std::string> debugLines;
std::mutex debugLock;
void CaptureDebug(const char* line)
{
    std::lock_guard<std::mutex> guard(debugLock);
    debugLines.push_back(line);
}

class Pipeline : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(InitExceptionLog()); }

    void SetUp() override
    {
        dir_ = fs::temp_directory_path() / "crashlog-pipeline";
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        TVozozoModuleOptionsEx* o = MainModuleOptions();
        ASSERT_NE(o, nullptr);
        o->SetDefaults();
        o->NoOutput = true;
        o->OutputPath = (dir_ / "test.elf").string();
        ExceptionNotify = nullptr;
        ExceptionErrorNotify = nullptr;
        DebugOutput = CaptureDebug;
        debugLines.clear();
    }
    void TearDown() override
    {
        ExceptionNotify = nullptr;
        ExceptionErrorNotify = nullptr;
        ShowMessageBox = MessageBoxA;
        fs::remove_all(dir_);
    }
    TLogFile Log() { return TLogFile(MainModuleOptions()->OutputPath); }

    fs::path dir_;
};

std::string Field(const std::string& block, const std::string& caption)
{
    std::size_t at = block.find("  " + caption);
    if (at == std::string::npos)
        return "<missing>";
    std::size_t colon = block.find(": ", at);
    return block.substr(colon + 2, block.find("\r\n", colon) - colon - 2);
}

}  // namespace

TEST_F(Pipeline, CaughtAtTheLayerIsLoggedWithTheThrowersFrames)
{
    const int before = ErrorsCount();
    EXPECT_TRUE(HandOver(CallsThrowConvert));
    EXPECT_EQ(ErrorsCount(), before + 1);
    TLogFile log = Log();
    ASSERT_EQ(log.Count(), 1);
    const std::string& block = log.Items[0];
    EXPECT_EQ(Field(block, "Type"), "EConvertError");
    EXPECT_EQ(Field(block, "Message"), "'abc' is not a valid integer value.");
    EXPECT_EQ(Field(block, "Module"), "crashlog_tests.exe");
    const std::string address = Field(block, "Address");
    ASSERT_EQ(address.size(), 8u);
    const auto where = std::stoul(address, nullptr, 16);
    const auto begin = reinterpret_cast<std::uintptr_t>(&ThrowConvert);
    EXPECT_GT(where, begin);
    EXPECT_LT(where, begin + 200);
    // The table's first row is the throw itself, the caller follows.
    const std::size_t first = block.find("|ThrowConvert");
    const std::size_t caller = block.find("|CallsThrowConvert");
    ASSERT_NE(first, std::string::npos) << block;
    ASSERT_NE(caller, std::string::npos);
    EXPECT_LT(first, caller);
    // The unit's column is as wide as the longest unit of the table.
    const std::string row = "|" + address + "|crashlog_tests.exe|pipeline_test";
    const std::size_t at = block.find(row);
    ASSERT_NE(at, std::string::npos) << block;
    EXPECT_EQ(block[block.find_first_not_of(' ', at + row.size())], '|') << block;
}

TEST_F(Pipeline, MessageOfAnObjectThatIsNoException)
{
    HandOver([] { throw 42; });
    EXPECT_EQ(LastMessage(), "Exception Object: int.");
    TLogFile log = Log();
    ASSERT_EQ(log.Count(), 1);
    EXPECT_EQ(Field(log.Items[0], "Type"), "int");
    EXPECT_EQ(Field(log.Items[0], "Message"), "");
    HandOver(CallsThrowConvert);
    EXPECT_EQ(LastMessage(), "'abc' is not a valid integer value.");
}

TEST_F(Pipeline, AbortIsNeverLoggedAndTheLayerHandlesIt)
{
    EXPECT_FALSE(HandOver([] { throw cl::EAbort("silent"); }));
    EXPECT_EQ(Log().Count(), 0);
}

TEST_F(Pipeline, FilteredClassWithoutMessageIsNeitherShownNorLogged)
{
    MainModuleOptions()->FilterClasses = {"EStreamError"};
    MainModuleOptions()->FilterMessages = {""};
    static int boxes = 0;
    boxes = 0;
    ShowMessageBox = [](HWND, const char*, const char*, UINT) -> int WINAPI { return ++boxes; };
    EXPECT_FALSE(HandOver([] { throw cl::EReadError("r"); }));
    EXPECT_EQ(boxes, 0);
    EXPECT_EQ(Log().Count(), 0);
    // Filtering off: logged.
    MainModuleOptions()->FilterActive = false;
    EXPECT_TRUE(HandOver([] { throw cl::EReadError("r"); }));
    EXPECT_EQ(Log().Count(), 1);
}

namespace {
std::atomic<int> paints{0};
HWND paintWindow = nullptr;
LRESULT CALLBACK PaintProc(HWND window, UINT message, WPARAM w, LPARAM l)
{
    try {
        if (message == WM_PAINT) {
            PAINTSTRUCT ps;
            BeginPaint(window, &ps);
            EndPaint(window, &ps);
            ++paints;
            return 0;
        }
    } catch (...) {
    }
    return DefWindowProcA(window, message, w, l);
}
struct TBoxSeen {
    DWORD Thread = 0;
    bool Painted = false;
    std::string Text, Caption;
    UINT Style = 0;
} box;
}  // namespace

TEST_F(Pipeline, MainThreadKeepsPaintingWhileAnotherThreadProcesses)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = PaintProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "CrashlogPaintTest";
    RegisterClassA(&wc);
    paintWindow = CreateWindowA("CrashlogPaintTest", "paint", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(paintWindow, nullptr);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
    MainModuleOptions()->FilterClasses = {"EConvertError"};
    MainModuleOptions()->FilterMessages = {"Please type a number."};
    box = {};
    // The filter's message box comes from the processing thread; it asks the main thread to paint.
    ShowMessageBox = [](HWND, const char* text, const char* caption, UINT style) -> int WINAPI {
        box.Thread = GetCurrentThreadId();
        box.Text = text;
        box.Caption = caption;
        box.Style = style;
        const int before = paints;
        InvalidateRect(paintWindow, nullptr, TRUE);
        for (int i = 0; i < 500 && paints == before; ++i)
            Sleep(10);
        box.Painted = paints > before;
        return IDOK;
    };
    EXPECT_FALSE(HandOver(CallsThrowConvert));
    EXPECT_NE(box.Thread, GetCurrentThreadId());
    EXPECT_TRUE(box.Painted);
    EXPECT_EQ(box.Text, "Please type a number.");
    EXPECT_EQ(box.Caption, "Information.");
    EXPECT_EQ(box.Style, UINT(MB_OK | MB_ICONINFORMATION | MB_TASKMODAL | MB_TOPMOST | MB_SERVICE_NOTIFICATION));
    EXPECT_EQ(Log().Count(), 0);
    EXPECT_EQ(FindProcessMainWindow(GetCurrentProcessId()), paintWindow);
    DestroyWindow(paintWindow);
    EXPECT_EQ(FindProcessMainWindow(GetCurrentProcessId()), nullptr);
}

namespace {
std::atomic<int> inside{0}, most{0};
std::vector<DWORD> notifyThreads;
void CountingNotify(TNotifyStage stage, bool&)
{
    if (stage != TNotifyStage::LogThis)
        return;
    notifyThreads.push_back(GetCurrentThreadId());
    const int now = ++inside;
    most = std::max(most.load(), now);
    Sleep(100);
    --inside;
}
}  // namespace

TEST_F(Pipeline, TwoThreadsAreProcessedOneAfterTheOther)
{
    inside = 0;
    most = 0;
    notifyThreads.clear();
    ExceptionNotify = CountingNotify;
    auto body = [] { HandOver([] { throw std::runtime_error("worker failed"); }, cl::TCatchPoint::Thread); };
    std::thread a(body), b(body);
    a.join();
    b.join();
    EXPECT_EQ(most, 1);
    EXPECT_EQ(Log().Count(), 2);
    EXPECT_EQ(Field(Log().Items[0], "Type"), "std::runtime_error");
}

TEST_F(Pipeline, NotifyHookRunsOnTheMainThread)
{
    notifyThreads.clear();
    ExceptionNotify = CountingNotify;
    HandOver(CallsThrowConvert);
    ASSERT_EQ(notifyThreads.size(), 1u);
    EXPECT_EQ(notifyThreads[0], GetCurrentThreadId());
}

TEST_F(Pipeline, ExceptionInsideTheProcessingIsReportedNotProcessedAndTheLogIsKept)
{
    ExceptionNotify = [](TNotifyStage stage, bool&) {
        if (stage != TNotifyStage::LogThis)
            return;
        // A second report from inside the first must neither deadlock nor be processed.
        EXPECT_TRUE(HandOver([] { throw cl::EConvertError("inner"); }));
        throw std::runtime_error("hook failed");
    };
    HandOver(CallsThrowConvert);
    TLogFile log = Log();
    ASSERT_EQ(log.Count(), 1);
    EXPECT_EQ(Field(log.Items[0], "Message"), "'abc' is not a valid integer value.");
    bool reported = false;
    for (const std::string& line : debugLines)
        reported = reported || line.find("[ERROR] - Section: CallInMainThread - Message: \"hook failed\"") == 0;
    EXPECT_TRUE(reported) << (debugLines.empty() ? "" : debugLines[0]);
}

TEST_F(Pipeline, UnwritableLogIsReportedAndRetriedThroughTheErrorHook)
{
    static int calls = 0;
    calls = 0;
    fs::create_directories(MainModuleOptions()->OutputPath);  // a folder where the log should be
    ExceptionErrorNotify = [](TVozozoRezErrorCode code, const std::string& text, bool& retry) {
        EXPECT_EQ(code, eeLogError);
        EXPECT_EQ(text.rfind("[Log] ", 0), 0u) << text;
        if (++calls == 1) {
            fs::remove_all(MainModuleOptions()->OutputPath);
            retry = true;
        }
    };
    HandOver(CallsThrowConvert);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(LastWarningCode(), eeLogError);
    EXPECT_EQ(Log().Count(), 1);
}

TEST_F(Pipeline, QuitMessageSeenWhilePumpingIsPostedAgain)
{
    PostQuitMessage(7);
    HandOver(CallsThrowConvert);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_EQ(Log().Count(), 1);
}

extern "C" void* ImportedCreateThread asm("__imp__CreateThread@24");
extern "C" void* ImportedExitThread asm("__imp__ExitThread@4");

TEST(Installation, KernelImportsAreHookedAndGivenBackAtShutDown)
{
    // From a fresh installation, whatever the tests before left installed or hooked.
    DoneExceptionLog();
    ASSERT_TRUE(InitExceptionLog());
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    EXPECT_EQ(ImportedCreateThread, reinterpret_cast<void*>(&HookedCreateThread));
    EXPECT_EQ(ImportedExitThread, reinterpret_cast<void*>(&HookedExitThread));
    EXPECT_EQ(cl::ExceptionHooks().OnException != nullptr, true);
    DoneExceptionLog();
    EXPECT_EQ(ImportedCreateThread, reinterpret_cast<void*>(GetProcAddress(kernel, "CreateThread")));
    EXPECT_EQ(ImportedExitThread, reinterpret_cast<void*>(GetProcAddress(kernel, "ExitThread")));
    EXPECT_EQ(cl::ExceptionHooks().OnException, nullptr);
    EXPECT_FALSE(ExceptionLogActive());
    ASSERT_TRUE(InitExceptionLog());
}
