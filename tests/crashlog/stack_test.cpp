#include <gtest/gtest.h>

#include <windows.h>

#include "crashlog/EModules.h"
#include "crashlog/EStack.h"
#include "crashlog/ESysInfo.h"

using namespace crashlog;

// A call through eax, and the address right after it.
extern "C" void crashlog_test_call_eax();
extern "C" char crashlog_test_after_call_eax[];
asm(R"(
    .text
    .globl _crashlog_test_call_eax
    .def _crashlog_test_call_eax; .scl 2; .type 32; .endef
_crashlog_test_call_eax:
    call *%eax
    .globl _crashlog_test_after_call_eax
_crashlog_test_after_call_eax:
    ret
)");

namespace {

std::uint32_t U32(const void* p)
{
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(p));
}

TVozozoStackList walked;

__attribute__((noinline)) void WalkHere()
{
    std::uint32_t esp;
    asm volatile("movl %%esp, %0" : "=r"(esp));
    walked = BuildCallStack(0, esp, CurrentStackTop());
}
int walkCallLine = 0;
__attribute__((noinline)) void StackMiddle()
{
    walkCallLine = __LINE__ + 1;
    WalkHere();
    asm volatile("" ::: "memory");
}
__attribute__((noinline)) void StackOuter()
{
    StackMiddle();
    asm volatile("" ::: "memory");
}

int IndexOf(const TVozozoStackList& list, const std::string& procedure)
{
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i].ProcedureName == procedure)
            return static_cast<int>(i);
    return -1;
}

}  // namespace

TEST(CallStack, WordAfterACallThroughARegisterCountsAndDataDoesNot)
{
    static const int data = 1234;
    std::uint32_t fakeStack[3] = {U32(&data), U32(crashlog_test_after_call_eax), 0x00000010};
    TVozozoStackList list = BuildCallStack(0, U32(fakeStack), U32(fakeStack + 3));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].Address, U32(crashlog_test_after_call_eax) - 2);
    EXPECT_EQ(list[0].ModuleName, "crashlog_tests.exe");
    EXPECT_EQ(list[0].ProcedureName, "crashlog_test_call_eax");

    // An unaligned stack pointer starts at the next whole word.
    EXPECT_EQ(BuildCallStack(0, U32(fakeStack) - 2, U32(fakeStack + 3)).size(), 1u);

    // The same words read from a copy, as taken when an exception is thrown.
    std::uint32_t copy[3] = {fakeStack[0], fakeStack[1], fakeStack[2]};
    TVozozoStackList fromCopy = BuildCallStack(0, 0x00120000, 0x0012000C, copy);
    ASSERT_EQ(fromCopy.size(), 1u);
    EXPECT_EQ(fromCopy[0].Address, list[0].Address);
}

TEST(CallStack, PointerAboveTheTopGivesOnlyTheAddress)
{
    TVozozoStackList list = BuildCallStack(U32(reinterpret_cast<void*>(&StackOuter)), 0x00130010, 0x00130000);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].ProcedureName, "StackOuter");
    EXPECT_EQ(list[0].ClassName, "(anonymous namespace)");
    EXPECT_EQ(list[0].UnitName, "stack_test");
    // Unmapped stack memory is skipped, never read.
    TVozozoStackList none = BuildCallStack(0, 0x00001000, 0x00003000);
    EXPECT_TRUE(none.empty());
}

TEST(CallStack, LiveStackNamesTheCallersInOrder)
{
    StackOuter();
    const int inner = IndexOf(walked, "WalkHere");
    const int middle = IndexOf(walked, "StackMiddle");
    const int outer = IndexOf(walked, "StackOuter");
    ASSERT_GE(inner, 0);
    ASSERT_GT(middle, inner);
    ASSERT_GT(outer, middle);
    // Resolved down to the line of the call.
    EXPECT_EQ(walked[middle].Kind, 4);
    EXPECT_EQ(walked[middle].LineNumber, static_cast<std::uint32_t>(walkCallLine));
    EXPECT_EQ(walked[middle].ModuleName, "crashlog_tests.exe");
}

namespace {
HANDLE releaseWorker = nullptr;
HANDLE workerInside = nullptr;
__attribute__((noinline)) DWORD BlockedWorkerWaits()
{
    SetEvent(workerInside);
    WaitForSingleObject(releaseWorker, INFINITE);
    asm volatile("" ::: "memory");
    return 5;
}
DWORD WINAPI BlockedWorker(void*)
{
    return BlockedWorkerWaits();
}
}  // namespace

TEST(CallStack, AnotherThreadIsWalkedFromItsOwnContext)
{
    releaseWorker = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    workerInside = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    DWORD id = 0;
    HANDLE worker = CreateThread(nullptr, 0, BlockedWorker, nullptr, 0, &id);
    ASSERT_NE(worker, nullptr);
    WaitForSingleObject(workerInside, INFINITE);
    EXPECT_NE(ThreadStackTop(worker), 0u);
    EXPECT_NE(ThreadStackTop(worker), CurrentStackTop());
    TVozozoStackList list = BuildThreadCallStack(worker);
    SetEvent(releaseWorker);
    WaitForSingleObject(worker, INFINITE);
    CloseHandle(worker);
    CloseHandle(releaseWorker);
    CloseHandle(workerInside);
    ASSERT_FALSE(list.empty());
    EXPECT_GE(IndexOf(list, "BlockedWorkerWaits"), 0);
    EXPECT_GT(IndexOf(list, "BlockedWorker"), IndexOf(list, "BlockedWorkerWaits"));
    // A thread that no longer exists gives nothing.
    EXPECT_TRUE(BuildThreadCallStack(nullptr).empty());
}

TEST(Modules, RecordsAreBuiltOnceAndSystemModulesHaveNoLoggerData)
{
    TVozozoModuleInfo* main = ModulesList().GetModuleInfo(GetModuleHandleA(nullptr));
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main, ModulesList().ModuleInfoOfAddress(reinterpret_cast<void*>(&StackOuter)));
    EXPECT_EQ(main->Kind, mkProgram);
    EXPECT_EQ(ExtractFileName(main->FileName), "crashlog_tests.exe");
    TVozozoModuleInfo* kernel = ModulesList().GetModuleInfo(GetModuleHandleA("kernel32.dll"));
    ASSERT_NE(kernel, nullptr);
    EXPECT_EQ(kernel->Kind, mkLibrary);
    EXPECT_FALSE(kernel->DataFound);
    EXPECT_EQ(kernel->Options, nullptr);
    EXPECT_EQ(ModulesList().GetModuleInfo(nullptr), nullptr);
    EXPECT_EQ(FindProcedureByName("stack_test.(anonymous namespace).StackMiddle"),
              reinterpret_cast<void*>(&StackMiddle));
    EXPECT_EQ(FindProcedureByName("stack_test.nothing"), nullptr);
}

TEST(SystemInfo, FieldsAreFilled)
{
    char file[MAX_PATH];
    GetModuleFileNameA(nullptr, file, MAX_PATH);
    TSystemInfo info = GetSystemInfoFields(file);
    EXPECT_FALSE(info.ComputerName.empty());
    EXPECT_NE(info.TotalMemory.find(" Mb"), std::string::npos);
    EXPECT_NE(info.TotalDisk.find(" Gb"), std::string::npos);
    EXPECT_FALSE(info.OSBuild.empty());
    EXPECT_FALSE(info.OSLanguage.empty());
    EXPECT_EQ(GetFileVersionText("no such file.exe"), "");
}
