#include "crashlog/ETlsSlots.h"

#include "crashlog/EHook.h"

namespace crashlog {

namespace {

using TTlsAlloc = DWORD(WINAPI*)();
using TTlsFree = BOOL(WINAPI*)(DWORD);

TTlsAlloc kernelTlsAlloc = nullptr;
TTlsFree kernelTlsFree = nullptr;

// A runtime takes one or two; a slot that finds no room is only not given back at the end.
constexpr int MaxHeld = 16;
constexpr LONG NoSlot = static_cast<LONG>(TLS_OUT_OF_INDEXES);
volatile LONG held[MaxHeld];

DWORD WINAPI HeldTlsAlloc()
{
    const DWORD index = kernelTlsAlloc();
    if (index != TLS_OUT_OF_INDEXES)
        for (volatile LONG& slot : held)
            if (InterlockedCompareExchange(&slot, static_cast<LONG>(index), NoSlot) == NoSlot)
                break;
    return index;
}

BOOL WINAPI HeldTlsFree(DWORD index)
{
    for (volatile LONG& slot : held)
        InterlockedCompareExchange(&slot, NoSlot, static_cast<LONG>(index));
    return kernelTlsFree(index);
}

}  // namespace

void WatchTlsSlots(HMODULE library)
{
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    kernelTlsAlloc = reinterpret_cast<TTlsAlloc>(reinterpret_cast<void*>(GetProcAddress(kernel, "TlsAlloc")));
    kernelTlsFree = reinterpret_cast<TTlsFree>(reinterpret_cast<void*>(GetProcAddress(kernel, "TlsFree")));
    if (!kernelTlsAlloc || !kernelTlsFree)
        return;
    for (volatile LONG& slot : held)
        slot = NoSlot;
    // Without a hook's record: the logger's own shut-down, which takes its hooks away, runs
    // before the library's last use of its slots.
    RewriteImportAddressTable(library, reinterpret_cast<void*>(kernelTlsAlloc), reinterpret_cast<void*>(&HeldTlsAlloc));
    RewriteImportAddressTable(library, reinterpret_cast<void*>(kernelTlsFree), reinterpret_cast<void*>(&HeldTlsFree));
}

void FreeHeldTlsSlots()
{
    if (!kernelTlsFree)
        return;
    for (volatile LONG& slot : held) {
        const LONG index = InterlockedExchange(&slot, NoSlot);
        if (index != NoSlot)
            kernelTlsFree(static_cast<DWORD>(index));
    }
}

}  // namespace crashlog
