#include "crashlog/EThreads.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

#include "crashlog/EHook.h"
#include "crashlog/EStack.h"

namespace crashlog {

namespace {

using TCreateThread = HANDLE(WINAPI*)(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE, LPVOID, DWORD, LPDWORD);
using TResumeThread = DWORD(WINAPI*)(HANDLE);
using TExitThread = void(WINAPI*)(DWORD);

TCreateThread kernelCreateThread = nullptr;
TResumeThread kernelResumeThread = nullptr;
TExitThread kernelExitThread = nullptr;

struct TThreadRecord {
    DWORD ThreadId = 0;
    HANDLE Handle = nullptr;  // the creator's handle: not owned
    LPTHREAD_START_ROUTINE Start = nullptr;
    LPVOID Parameter = nullptr;
    std::vector<std::uint8_t> StackCopy;
};

struct TThreadsList {
    std::mutex Lock;
    std::vector<std::unique_ptr<TThreadRecord>> Items;
};

TThreadsList& Threads()
{
    static auto* list = new TThreadsList;
    return *list;
}

volatile LONG faultingThread = 0;
TThreadRun threadRun = nullptr;

void ResolveKernel()
{
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    if (!kernelCreateThread)
        kernelCreateThread = reinterpret_cast<TCreateThread>(reinterpret_cast<void*>(GetProcAddress(kernel, "CreateThread")));
    if (!kernelResumeThread)
        kernelResumeThread = reinterpret_cast<TResumeThread>(reinterpret_cast<void*>(GetProcAddress(kernel, "ResumeThread")));
    if (!kernelExitThread)
        kernelExitThread = reinterpret_cast<TExitThread>(reinterpret_cast<void*>(GetProcAddress(kernel, "ExitThread")));
}

void RemoveRecord(DWORD threadId)
{
    TThreadsList& list = Threads();
    std::lock_guard<std::mutex> guard(list.Lock);
    for (auto it = list.Items.begin(); it != list.Items.end(); ++it)
        if ((*it)->ThreadId == threadId) {
            list.Items.erase(it);
            return;
        }
}

// Runs the thread's own start procedure; the record leaves the list with the thread.
DWORD WINAPI HookedThreadProc(LPVOID parameter)
{
    auto* record = static_cast<TThreadRecord*>(parameter);
    LPTHREAD_START_ROUTINE start;
    LPVOID startParameter;
    {
        std::lock_guard<std::mutex> guard(Threads().Lock);
        start = record->Start;
        startParameter = record->Parameter;
    }
    const DWORD result = threadRun ? threadRun(start, startParameter) : start(startParameter);
    RemoveRecord(GetCurrentThreadId());
    return result;
}

}  // namespace

HANDLE CreateThreadDirect(LPSECURITY_ATTRIBUTES security, SIZE_T stackSize, LPTHREAD_START_ROUTINE start,
                          LPVOID parameter, DWORD flags, LPDWORD threadId)
{
    ResolveKernel();
    return kernelCreateThread(security, stackSize, start, parameter, flags, threadId);
}

HANDLE WINAPI HookedCreateThread(LPSECURITY_ATTRIBUTES security, SIZE_T stackSize, LPTHREAD_START_ROUTINE start,
                                 LPVOID parameter, DWORD flags, LPDWORD threadId)
{
    TThreadRecord* record = nullptr;
    try {
        auto owned = std::make_unique<TThreadRecord>();
        owned->Start = start;
        owned->Parameter = parameter;
        record = owned.get();
        std::lock_guard<std::mutex> guard(Threads().Lock);
        Threads().Items.push_back(std::move(owned));
    } catch (...) {
        return CreateThreadDirect(security, stackSize, start, parameter, flags, threadId);
    }
    DWORD id = 0;
    HANDLE thread = CreateThreadDirect(security, stackSize, HookedThreadProc, record, flags | CREATE_SUSPENDED, &id);
    {
        std::lock_guard<std::mutex> guard(Threads().Lock);
        record->ThreadId = id;
        record->Handle = thread;
    }
    if (!thread) {
        std::lock_guard<std::mutex> guard(Threads().Lock);
        auto& items = Threads().Items;
        for (auto it = items.begin(); it != items.end(); ++it)
            if (it->get() == record) {
                items.erase(it);
                break;
            }
        return nullptr;
    }
    if (threadId)
        *threadId = id;
    if (!(flags & CREATE_SUSPENDED))
        HookedResumeThread(thread);
    return thread;
}

DWORD WINAPI HookedResumeThread(HANDLE thread)
{
    ResolveKernel();
    try {
        const DWORD id = GetThreadId(thread);
        std::uint32_t esp;
        asm volatile("movl %%esp, %0" : "=r"(esp));
        const std::uint32_t top = CurrentStackTop();
        std::lock_guard<std::mutex> guard(Threads().Lock);
        for (auto& r : Threads().Items)
            if (r->ThreadId == id) {
                r->StackCopy.clear();
                // The nearest callers are what matters; a deep creator is cut at 64 KB.
                const std::uint32_t size = top > esp ? std::min<std::uint32_t>(top - esp, 64 * 1024) : 0;
                if (size && IsReadable(reinterpret_cast<const void*>(esp), size)) {
                    const auto* from = reinterpret_cast<const std::uint8_t*>(esp);
                    r->StackCopy.assign(from, from + size);
                }
            }
    } catch (...) {
    }
    return kernelResumeThread(thread);
}

void WINAPI HookedExitThread(DWORD exitCode)
{
    ResolveKernel();
    RemoveRecord(GetCurrentThreadId());
    kernelExitThread(exitCode);
}

void HookThreadImports(const std::string& moduleName, TThreadRun run)
{
    ResolveKernel();
    threadRun = run;
    void* imported = nullptr;
    HookImportedProcedure({moduleName}, "kernel32.dll", true, imported, reinterpret_cast<void*>(&HookedCreateThread),
                          "CreateThread");
    HookImportedProcedure({moduleName}, "kernel32.dll", true, imported, reinterpret_cast<void*>(&HookedResumeThread),
                          "ResumeThread");
    HookImportedProcedure({moduleName}, "kernel32.dll", true, imported, reinterpret_cast<void*>(&HookedExitThread),
                          "ExitThread");
}

void FreeThreadsList()
{
    std::lock_guard<std::mutex> guard(Threads().Lock);
    Threads().Items.clear();
}

TVozozoStackList CreatorStackOf(DWORD threadId)
{
    std::vector<std::uint8_t> copy;
    {
        std::lock_guard<std::mutex> guard(Threads().Lock);
        for (auto& r : Threads().Items)
            if (r->ThreadId == threadId)
                copy = r->StackCopy;
    }
    if (copy.size() < 4)
        return {};
    // Only the words matter: any base address will do for a copy.
    const std::uint32_t base = 0x10000;
    return BuildCallStack(0, base, base + static_cast<std::uint32_t>(copy.size() & ~3u), copy.data());
}

void SetFaultingThread(DWORD threadId)
{
    InterlockedExchange(&faultingThread, static_cast<LONG>(threadId));
}

DWORD GetCurrentFaultingThread()
{
    return static_cast<DWORD>(faultingThread);
}

}  // namespace crashlog
