#pragma once
// Call stacks found by scanning a thread's stack for return addresses.
#include <cstdint>

#include <windows.h>

#include "crashlog/ELogText.h"

namespace crashlog {

// Scans the words from `stackPointer` up to `stackTop`. When `copy` is given, the words are read
// from it instead (a snapshot of that same range taken earlier); code is always read live.
// The exception address, when not 0, is the first entry. `maxEntries` (0: no limit) ends the
// scan early.
TVozozoStackList BuildCallStack(std::uint32_t address, std::uint32_t stackPointer,
                                std::uint32_t stackTop, const void* copy = nullptr,
                                std::size_t maxEntries = 0);

// The current thread's stack top (its base in the thread information block).
std::uint32_t CurrentStackTop();

// The stack top of another thread of the process, 0 when it cannot be read.
std::uint32_t ThreadStackTop(HANDLE thread);

// The call stack of another thread: it is stopped only while its stack words are copied, so
// that the walk itself never waits for a lock the stopped thread holds. The first entry is the
// thread's current instruction. Empty when the thread cannot be stopped or read.
TVozozoStackList BuildThreadCallStack(HANDLE thread, std::uint32_t stackTop = 0, std::size_t maxEntries = 0);

}  // namespace crashlog
