#pragma once
// A call made under a structured exception frame of its own, as a server guards the entries of
// its extensions: a fault that no frame inside takes is offered to a filter while the faulting
// stack is still there; when the filter takes it, the frames inside are unwound and the call
// comes back as failed, on the same thread, which goes on.
#include <windows.h>

namespace crashlog {

// True: the frame takes the exception; false: the search goes on past the frame, unchanged.
using TGuardFilter = bool (*)(EXCEPTION_POINTERS* pointers, void* data);

// Runs body(data); false when the filter took an exception or the call was abandoned to its
// frame. The body must let no C++ exception out: this toolchain's unwinding knows nothing of
// the frame. When a handler further out takes an exception and unwinds past the frame, the call
// never comes back: `unwound(filterData)` is then called, when given, on the way out.
bool GuardedCall(void (*body)(void*), void* data, TGuardFilter filter, void* filterData,
                 void (*unwound)(void*) = nullptr);

// This thread runs inside a GuardedCall of this module.
bool InsideGuardedCall();
// Gives up everything the thread does inside its innermost GuardedCall of this module, which
// then comes back as failed. Only inside one. What the given-up frames held stays as it was: no
// destructor runs, a lock they held stays held, and an exception they were handling or unwinding
// stays the C++ runtime's current one on this thread.
[[noreturn]] void AbandonToGuard();

}  // namespace crashlog
