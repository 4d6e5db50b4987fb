#pragma once
// Owners of the system's handles that are not pictures: kernel handles (a process, thread,
// file, event, job...), registry keys and loaded modules. Each is given back exactly once, on
// every path.
#include <windows.h>

#include <memory>
#include <type_traits>

namespace cl {

// Both "no handle" values count as none: functions that open files give INVALID_HANDLE_VALUE,
// most others null.
struct TKernelHandleCloser {
    void operator()(HANDLE Handle) const
    {
        if (Handle && Handle != INVALID_HANDLE_VALUE)
            CloseHandle(Handle);
    }
};
using TOwnedHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, TKernelHandleCloser>;

// A key the program opened or created (never one of the predefined roots).
struct TRegKeyCloser {
    void operator()(HKEY Key) const { RegCloseKey(Key); }
};
using TOwnedRegKey = std::unique_ptr<std::remove_pointer_t<HKEY>, TRegKeyCloser>;

// A module the program loaded with LoadLibrary, freed once it is no longer called.
struct TModuleFreer {
    void operator()(HMODULE Module) const { FreeLibrary(Module); }
};
using TOwnedModule = std::unique_ptr<std::remove_pointer_t<HMODULE>, TModuleFreer>;

}  // namespace cl
