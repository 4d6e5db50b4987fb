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
    const HMODULE module = LoadLibraryA(Library);
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
