#pragma once
// What each C++ throw leaves behind for the logger: the object, the throw address and a copy of
// the thrower's stack, taken before unwinding destroys it. One record per thread, overwritten by
// the next throw.
#include <cstdint>
#include <typeinfo>

namespace crashlog {

struct TThrowRecord {
    const void* Object = nullptr;
    const std::type_info* Type = nullptr;
    std::uint32_t ReturnAddress = 0;  // after the call that threw
    std::uint32_t StackPointer = 0;   // the thrower's stack at the throw
    std::uint32_t StackTop = 0;
    std::uint8_t* Copy = nullptr;     // the words from StackPointer up, CopySize bytes
    std::uint32_t CopySize = 0;
    std::uint32_t Capacity = 0;
    // Counts the thread's throws: an exception object's address is reused once it is freed,
    // the number of its throw never is.
    std::uint32_t Serial = 0;
};

// The calling thread's last throw, or nullptr when it never threw.
const TThrowRecord* LastThrow();

// The most of a stack copied at a throw.
inline constexpr std::uint32_t MaxThrowStackCopy = 64 * 1024;

}  // namespace crashlog
