#pragma once
// The owner of a kernel handle (a process, thread, file, event, job...), closed with
// CloseHandle exactly once, on every path. Both "no handle" values count as none: functions
// that open files give INVALID_HANDLE_VALUE, most others null.
#include <windows.h>

#include <memory>
#include <type_traits>

namespace cl {

struct TKernelHandleCloser {
    void operator()(HANDLE Handle) const
    {
        if (Handle && Handle != INVALID_HANDLE_VALUE)
            CloseHandle(Handle);
    }
};
using TOwnedHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, TKernelHandleCloser>;

}  // namespace cl
