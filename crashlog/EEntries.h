#pragma once
// The logger's entry points into the program's exception paths (installed by InitExceptionLog).
#include <windows.h>
#include <httpext.h>

namespace crashlog {

// In a library the class library's handlers stay as they are, and the library's own imports and
// its web-server entry (when it exports one) are hooked.
void InstallExceptionEntries();
void RemoveExceptionEntries();

using TServerEntry = DWORD(WINAPI*)(EXTENSION_CONTROL_BLOCK*);
using TLibraryEntry = BOOL(WINAPI*)(HINSTANCE, DWORD, LPVOID);

// Hands one request to a web-server library's entry. A throw or fault inside it is reported
// (which answers the request with the error page) and the request ends with HSE_STATUS_ERROR;
// the server's thread goes on, whichever thread it is and whatever the server guards.
DWORD GuardedServerCall(TServerEntry entry, EXTENSION_CONTROL_BLOCK* ecb);

// Runs a library's entry for the loader. A throw or fault while the library starts is reported
// and fails the load; while it ends, it is reported and the rest of the end is given up. Either
// way the logger is taken out of the process first, and the host goes on.
BOOL GuardedLibraryEntry(TLibraryEntry entry, HINSTANCE instance, DWORD reason, LPVOID reserved);

}  // namespace crashlog
