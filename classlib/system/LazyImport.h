#pragma once
// Import slots filled on the first call. Every call of a procedure that a system header
// declares as imported goes through its slot, "__imp__<name>@<bytes>" on this platform. A slot
// defined with CL_LAZY_IMPORT, in place of the library's import library, first holds a stub that
// loads the library (from the system's folder), puts the procedure in the slot for every later
// call, and makes this call: the library is loaded when first needed rather than before the
// program's first line. A file that defines slots must not call those procedures by name: the
// compiler would then name the same slot for the import library's.
#include <windows.h>

#include "classlib/system/LibraryProc.h"

namespace cl::lazy_import {

using TWord = UINT_PTR;

template <typename... TArgs>
constexpr int kArgumentBytes = (0 + ... + int(sizeof(TArgs)));

template <const char* Library, const char* Name, void** Slot, typename... TArgs>
TWord WINAPI FirstCall(TArgs... Args)
{
    FARPROC procedure = nullptr;
    try {
        procedure = LibraryProcAddress(Library, Name);
    } catch (...) {
        // The loader would not have started a program that imports it: neither can this one
        // go on.
        FatalAppExitA(0, Name);
    }
    auto typed = reinterpret_cast<TWord(WINAPI*)(TArgs...)>(reinterpret_cast<void*>(procedure));
    *Slot = reinterpret_cast<void*>(typed);
    return typed(Args...);
}

}  // namespace cl::lazy_import

// The slot of Name in Library (a constexpr char array); Bytes is the size of its arguments,
// part of its name on this platform, and the arguments follow as one TWord each. The slot is
// also reachable as lazySlot_<Name>.
#define CL_LAZY_IMPORT(Library, Name, Bytes, ...)                                                       \
    namespace {                                                                                        \
    constexpr char kLazyName_##Name[] = #Name;                                                         \
    static_assert(::cl::lazy_import::kArgumentBytes<__VA_ARGS__> == Bytes);                            \
    }                                                                                                  \
    extern "C" void* lazySlot_##Name asm("__imp__" #Name "@" #Bytes);                                  \
    void* lazySlot_##Name = reinterpret_cast<void*>(                                                   \
        &::cl::lazy_import::FirstCall<Library, kLazyName_##Name, &lazySlot_##Name __VA_OPT__(, ) __VA_ARGS__>);
