#pragma once
// Procedures of system libraries that the program loads on their first call. The loader maps
// every imported library, and runs its start-up, before the program's first line; a library
// that only a secure stream, the MP3 decoder, the tray or a crash report needs would make
// every start wait for it.
#include <windows.h>

#include "classlib/system/SysUtils.h"

namespace cl {

// The address of Name in Library, which is loaded on the first call and stays for the life of
// the process. Raises EOSError when the library or the procedure is missing.
inline FARPROC LibraryProcAddress(const char* Library, const char* Name)
{
    // From the system's folder only: by its bare name, a library would be looked for in the
    // program's folder first, where anyone could leave one of that name.
    char path[MAX_PATH];
    const UINT folder = GetSystemDirectoryA(path, MAX_PATH);
    if (folder == 0 || folder + 1 + lstrlenA(Library) >= MAX_PATH)
        RaiseLastOSError();
    path[folder] = '\\';
    lstrcpyA(path + folder + 1, Library);
    const HMODULE module = LoadLibraryA(path);
    if (!module)
        RaiseLastOSError();
    const FARPROC procedure = GetProcAddress(module, Name);
    if (!procedure)
        RaiseLastOSError();
    return procedure;
}

}  // namespace cl

// The procedure Name of Library, typed as the system headers declare it, resolved once per
// place of call: CL_LIBRARY_PROC("crypt32.dll", CertFreeCertificateChain)(chain).
#define CL_LIBRARY_PROC(Library, Name)                                                                  \
    ([]() -> decltype(&Name) {                                                                          \
        static const auto procedure =                                                                   \
            reinterpret_cast<decltype(&Name)>(reinterpret_cast<void*>(::cl::LibraryProcAddress(Library, #Name))); \
        return procedure;                                                                               \
    }())
