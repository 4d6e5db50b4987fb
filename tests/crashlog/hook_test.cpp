#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include <windows.h>

#include "crashlog/EErrors.h"
#include "crashlog/EHook.h"
#include "crashlog/import_table_call.h"

using namespace crashlog;

namespace {

// Register convention: a, b, c arrive in eax, edx, ecx; d and e on the stack.
__attribute__((noinline, regparm(3))) std::uint64_t Target(int a, int b, int c, int d, int e)
{
    asm volatile("" ::: "memory");
    return (static_cast<std::uint64_t>(a * 1000 + b * 100 + c * 10 + d) << 32) | static_cast<unsigned>(e);
}
typedef std::uint64_t (__attribute__((regparm(3))) * TTarget)(int, int, int, int, int);

TTarget targetStub = nullptr;
int hookCalls = 0;

__attribute__((noinline, regparm(3))) std::uint64_t TargetHook(int a, int b, int c, int d, int e)
{
    ++hookCalls;
    // Calls the procedure's own code through the stub, with the arguments it was given.
    return targetStub(a, b, c, d, e) + 1;
}

__attribute__((noinline, stdcall)) int StdTarget(int x, int y)
{
    asm volatile("" ::: "memory");
    return x - y;
}
using TStdTarget = int(__stdcall*)(int, int);
TStdTarget stdStub = nullptr;
__attribute__((noinline, stdcall)) int StdHook(int x, int y)
{
    return stdStub(x, y) * 10;
}

DWORD WINAPI FortyTwo()
{
    return 42;
}

}  // namespace

// A hand-written import thunk as linkers of other languages emit them: "jmp [slot]" and a filler.
extern "C" void* crashlog_test_slot;
extern "C" DWORD __stdcall crashlog_test_thunk();
asm(R"(
    .data
    .globl _crashlog_test_slot
    .p2align 2
_crashlog_test_slot:
    .long 0
    .text
    .globl _crashlog_test_thunk@0
_crashlog_test_thunk@0:
    jmp *_crashlog_test_slot
    nop
    nop
)");

TEST(EntryHook, PassesRegistersStackArgumentsAndResultsThrough)
{
    std::uint8_t before[5];
    std::memcpy(before, reinterpret_cast<void*>(&Target), 5);
    void* stub = HookProcedure(reinterpret_cast<void*>(&Target), reinterpret_cast<void*>(&TargetHook), "Target");
    targetStub = reinterpret_cast<TTarget>(stub);
    EXPECT_EQ(reinterpret_cast<std::uint8_t*>(&Target)[0], 0xE9);

    volatile TTarget call = &Target;
    hookCalls = 0;
    const std::uint64_t expected = ((std::uint64_t(1234) << 32) | 5u) + 1;
    EXPECT_EQ(call(1, 2, 3, 4, 5), expected);
    // The entry is patched again after the call through the stub.
    EXPECT_EQ(call(1, 2, 3, 4, 5), expected);
    EXPECT_EQ(hookCalls, 2);
    EXPECT_EQ(reinterpret_cast<std::uint8_t*>(&Target)[0], 0xE9);

    void* stdStubRaw = HookProcedure(reinterpret_cast<void*>(&StdTarget), reinterpret_cast<void*>(&StdHook), "StdTarget");
    stdStub = reinterpret_cast<TStdTarget>(stdStubRaw);
    volatile TStdTarget callStd = &StdTarget;
    EXPECT_EQ(callStd(9, 4), 50);

    EXPECT_TRUE(UnhookProcedure(stub));
    EXPECT_EQ(std::memcmp(before, reinterpret_cast<void*>(&Target), 5), 0);
    EXPECT_EQ(call(1, 2, 3, 4, 5), expected - 1);
    EXPECT_FALSE(UnhookProcedure(stub));
    DoneHooks();  // takes the stdcall hook away too
    EXPECT_EQ(callStd(9, 4), 5);
}

TEST(EntryHook, NullProcedureIsRefusedByName)
{
    try {
        HookProcedure(nullptr, reinterpret_cast<void*>(&TargetHook), "Forms.TApplication.HandleException");
        FAIL() << "no error";
    } catch (const EProcNull& e) {
        EXPECT_STREQ(e.what(), "Cannot hook a null procedure (\"Forms.TApplication.HandleException\").");
    }
}

TEST(ImportHook, ThunkIsFollowedAndItsSlotRewritten)
{
    void* tick = reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetTickCount"));
    crashlog_test_slot = tick;
    EXPECT_EQ(ResolveImportThunk(reinterpret_cast<void*>(&crashlog_test_thunk)), tick);
    EXPECT_EQ(ResolveImportThunk(reinterpret_cast<void*>(&FortyTwo)), reinterpret_cast<void*>(&FortyTwo));

    void* imported = nullptr;
    EXPECT_TRUE(HookImportedProcedure({""}, "kernel32.dll", false, imported,
                                      reinterpret_cast<void*>(&FortyTwo), "GetTickCount"));
    EXPECT_EQ(imported, tick);
    EXPECT_EQ(crashlog_test_slot, reinterpret_cast<void*>(&FortyTwo));
    EXPECT_EQ(crashlog_test_thunk(), 42u);
    // The program's own calls go through its import address table, rewritten as well.
    EXPECT_EQ(TickThroughImportTable(), 42u);

    DoneHooks();
    EXPECT_EQ(crashlog_test_slot, tick);
    EXPECT_NE(TickThroughImportTable(), 42u);
}

namespace {
__attribute__((noinline)) DWORD WINAPI Seven()
{
    asm volatile("" ::: "memory");
    return 7;
}
DWORD WINAPI Eight()
{
    return 8;
}
}  // namespace

TEST(EntryHook, HookingAnImportThunkHooksTheProcedureItJumpsTo)
{
    crashlog_test_slot = reinterpret_cast<void*>(&Seven);
    void* stub = HookProcedure(reinterpret_cast<void*>(&crashlog_test_thunk), reinterpret_cast<void*>(&Eight), "thunk");
    volatile auto seven = &Seven;
    EXPECT_EQ(seven(), 8u);
    EXPECT_EQ(crashlog_test_thunk(), 8u);
    EXPECT_EQ(reinterpret_cast<DWORD(WINAPI*)()>(stub)(), 7u);
    EXPECT_TRUE(UnhookProcedure(stub));
    EXPECT_EQ(seven(), 7u);
    crashlog_test_slot = nullptr;
}

TEST(ImportHook, NoSlotGivesFalseOrTheErrorByName)
{
    void* imported = nullptr;
    // Nothing of this module holds the address of a procedure it never imports.
    EXPECT_FALSE(HookImportedProcedure({""}, "kernel32.dll", true, imported,
                                       reinterpret_cast<void*>(&FortyTwo), "GetCurrentProcessorNumber"));
    try {
        HookImportedProcedure({""}, "kernel32.dll", false, imported, reinterpret_cast<void*>(&FortyTwo),
                              "GetCurrentProcessorNumber");
        FAIL() << "no error";
    } catch (const EHookingError& e) {
        EXPECT_STREQ(e.what(), "Cannot hook the procedure \"kernel32.dll.GetCurrentProcessorNumber\".");
    }
    EXPECT_THROW(HookImportedProcedure({""}, "kernel32.dll", true, imported, reinterpret_cast<void*>(&FortyTwo),
                                       "NoSuchProcedureAnywhere"),
                 EProcNull);
    // Modules that are not loaded are skipped.
    EXPECT_FALSE(HookImportedProcedure({"nosuchmodule.dll"}, "kernel32.dll", false, imported,
                                       reinterpret_cast<void*>(&FortyTwo), "GetTickCount"));
}

TEST(Readability, UnmappedAndGuardedMemoryIsNotReadable)
{
    EXPECT_FALSE(IsReadable(nullptr, 4));
    EXPECT_FALSE(IsReadable(reinterpret_cast<void*>(0x10), 4));
    int local = 0;
    EXPECT_TRUE(IsReadable(&local, sizeof local));
    void* page = VirtualAlloc(nullptr, 8192, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    DWORD old;
    VirtualProtect(static_cast<char*>(page) + 4096, 4096, PAGE_NOACCESS, &old);
    EXPECT_TRUE(IsReadable(page, 4096));
    EXPECT_FALSE(IsReadable(static_cast<char*>(page) + 4000, 200));
    VirtualFree(page, 0, MEM_RELEASE);
}
