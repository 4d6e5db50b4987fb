#pragma once
// The threads this process has now, from a Toolhelp snapshot: the system's own count, which
// Wine keeps (unlike its handle counters).
#include <windows.h>
#include <tlhelp32.h>

namespace test_support {

inline int CountProcessThreads()
{
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return -1;
    int count = 0;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL ok = Thread32First(snapshot, &entry); ok; ok = Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == GetCurrentProcessId())
            ++count;
    CloseHandle(snapshot);
    return count;
}

}  // namespace test_support
