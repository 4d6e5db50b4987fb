#pragma once
// Call stacks found by scanning a thread's stack for return addresses.
#include <cstdint>

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

}  // namespace crashlog
