// Import hooking leaves the program's own pointer variables alone: only a thunk (a jump
// through a slot followed by its filler) has its slot rewritten, not an ordinary jump through a
// variable that happens to hold the imported procedure.
#include <gtest/gtest.h>

#include <windows.h>

#include "crashlog/EHook.h"
#include "crashlog/import_table_call.h"

using namespace crashlog;

// What an optimising compiler makes of "return saved(...)" when saved holds the original
// procedure: a jump through the variable, followed by more code, not by a thunk's filler.
extern "C" void* crashlog_test_saved;
extern "C" DWORD __stdcall crashlog_test_tail();
asm(R"(
    .data
    .globl _crashlog_test_saved
    .p2align 2
_crashlog_test_saved:
    .long 0
    .text
    .globl _crashlog_test_tail@0
_crashlog_test_tail@0:
    jmp *_crashlog_test_saved
    movl %eax, %eax
    ret
)");

namespace {

DWORD WINAPI Hooked()
{
    return 42;
}

}  // namespace

TEST(ImportHook, AJumpThroughAVariableThatIsNoThunkKeepsTheOriginalProcedure)
{
    void* tick = reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetTickCount"));
    crashlog_test_saved = tick;
    void* imported = nullptr;
    EXPECT_TRUE(HookImportedProcedure({""}, "kernel32.dll", false, imported, reinterpret_cast<void*>(&Hooked),
                                      "GetTickCount"));
    // The import address table is rewritten; the variable still reaches the system's procedure.
    EXPECT_EQ(TickThroughImportTable(), 42u);
    EXPECT_EQ(crashlog_test_saved, tick);
    EXPECT_NE(crashlog_test_tail(), 42u);
    DoneHooks();
    EXPECT_NE(TickThroughImportTable(), 42u);
    crashlog_test_saved = nullptr;
}
