// Linked into a library that carries logger data of its own (with the link option of its
// target), this unit installs the logger while the library's static objects are built, and
// becomes the library's entry: the runtime's own entry (which builds and destroys the static
// objects and calls the library's DllMain) runs guarded inside it, under the system's loader
// lock, so that a fault while the library starts or ends fails only that, and tells the logger
// when the start is over and the end begins.
#include <windows.h>

#include "crashlog/EEntries.h"
#include "crashlog/EInstallation.h"
#include "crashlog/ETlsSlots.h"

extern "C" BOOL WINAPI DllMainCRTStartup(HINSTANCE instance, DWORD reason, LPVOID reserved);

extern "C" BOOL WINAPI LoggerLibraryEntry(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH)
        crashlog::WatchTlsSlots(instance);
    const BOOL result = crashlog::GuardedLibraryEntry(DllMainCRTStartup, instance, reason, reserved);
    // Unloaded while the process goes on (at the process's end the slots go with it).
    if (reason == DLL_PROCESS_DETACH && !reserved)
        crashlog::FreeHeldTlsSlots();
    return result;
}

namespace {

// The first of the library's static objects built, so the last destroyed.
crashlog::TLoggerInstallation installation __attribute__((init_priority(101)));

}  // namespace
