#pragma once
// The threads started through the kernel hooks, each with the stack of the code that started
// it, so that a report of a thread also shows where the thread came from.
#include <string>

#include <windows.h>

#include "crashlog/ELogText.h"

namespace crashlog {

// The kernel's own procedures; the hooks replace them in the program's import slots.
HANDLE CreateThreadDirect(LPSECURITY_ATTRIBUTES security, SIZE_T stackSize, LPTHREAD_START_ROUTINE start,
                          LPVOID parameter, DWORD flags, LPDWORD threadId);

HANDLE WINAPI HookedCreateThread(LPSECURITY_ATTRIBUTES security, SIZE_T stackSize, LPTHREAD_START_ROUTINE start,
                                 LPVOID parameter, DWORD flags, LPDWORD threadId);
DWORD WINAPI HookedResumeThread(HANDLE thread);
void WINAPI HookedExitThread(DWORD exitCode);

// Runs a hooked thread's start procedure with its parameter; answers the thread's exit code.
using TThreadRun = DWORD (*)(LPTHREAD_START_ROUTINE start, LPVOID parameter);

// Installs the three thread hooks in the imports of the named module ("" for the program); the
// threads it starts run through `run` when one is given.
void HookThreadImports(const std::string& moduleName, TThreadRun run = nullptr);
void FreeThreadsList();

// The call stack of the code that started the thread, empty when unknown.
TVozozoStackList CreatorStackOf(DWORD threadId);

// The thread whose exception is being processed.
void SetFaultingThread(DWORD threadId);
DWORD GetCurrentFaultingThread();

}  // namespace crashlog
