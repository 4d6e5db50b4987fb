// Linked into a library that carries logger data of its own (with the link option of its
// target), this unit installs the logger while the library's static objects are built, and
// tells it when the library's initialization ends and its finalization starts: the library's
// entry runs inside the system's loader lock, and its static objects are built before that
// entry's attach and destroyed after its detach.
#include <windows.h>

#include "crashlog/EInstallation.h"
#include "crashlog/ExceptionLog.h"

extern "C" BOOL WINAPI __real_DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);

extern "C" BOOL WINAPI __wrap_DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_DETACH)
        crashlog::SetModuleFinalizing(true);
    const BOOL result = __real_DllMain(instance, reason, reserved);
    if (reason == DLL_PROCESS_ATTACH)
        crashlog::SetModuleInitializing(false);
    return result;
}

namespace {

// The first of the library's static objects built, so the last destroyed.
crashlog::TLoggerInstallation installation __attribute__((init_priority(101)));

}  // namespace
