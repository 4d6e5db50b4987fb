#include "classlib/system/ThreadStore.h"

#ifdef _WIN32

#include <windows.h>

namespace cl {

// Each kept object: the thread's slot holds this record, and every record of every thread is in
// one list, so that a library's unload reaches the objects of threads that go on.
struct TThreadSlot::TRegistry {
    struct TKept {
        TKept* Prev;
        TKept* Next;
        TThreadSlot* Slot;
        void* Object;
    };

    // Held for a few instructions at a thread's first use of a slot and at its end; constant-
    // initialized, so it works before any static constructor has run.
    class TLock {
    public:
        TLock() noexcept
        {
            while (busy.exchange(true, std::memory_order_acquire))
                Sleep(0);
        }
        ~TLock() { busy.store(false, std::memory_order_release); }
        TLock(const TLock&) = delete;
        TLock& operator=(const TLock&) = delete;
    };

    static inline std::atomic<bool> busy{false};
    static inline TThreadSlot* slots = nullptr;  // every opened slot
    static inline TKept* kept = nullptr;          // every kept object

    static void Link(TKept* k) noexcept
    {
        k->Prev = nullptr;
        k->Next = kept;
        if (kept)
            kept->Prev = k;
        kept = k;
    }

    static void Unlink(TKept* k) noexcept
    {
        (k->Prev ? k->Prev->Next : kept) = k->Next;
        if (k->Next)
            k->Next->Prev = k->Prev;
    }

    // Destroys a chain of records linked by Next, outside the lock: a destructor may use a slot.
    static void DestroyAll(TKept* chain) noexcept
    {
        while (chain) {
            TKept* k = chain;
            chain = k->Next;
            k->Slot->destroy_(k->Object);
            delete k;
        }
    }

    static void EndThread() noexcept
    {
        // A destructor may leave a new object behind (a throw records itself): a few rounds.
        for (int round = 0; round < 4; ++round) {
            TKept* mine = nullptr;
            {
                TLock lock;
                for (TThreadSlot* slot = slots; slot; slot = slot->next_) {
                    const DWORD index = static_cast<DWORD>(slot->key_.load(std::memory_order_relaxed) - 1);
                    auto* k = static_cast<TKept*>(TlsGetValue(index));
                    if (!k)
                        continue;
                    TlsSetValue(index, nullptr);
                    Unlink(k);
                    k->Next = mine;
                    mine = k;
                }
            }
            if (!mine)
                return;
            DestroyAll(mine);
        }
    }

    static void EndAll() noexcept
    {
        TKept* all = nullptr;
        {
            TLock lock;
            all = kept;
            kept = nullptr;
            for (TThreadSlot* slot = slots; slot;) {
                TThreadSlot* next = slot->next_;
                TlsFree(static_cast<DWORD>(slot->key_.load(std::memory_order_relaxed) - 1));
                slot->key_.store(0, std::memory_order_release);
                slot->next_ = nullptr;
                slot = next;
            }
            slots = nullptr;
        }
        DestroyAll(all);
    }

    static void NTAPI AtThreadCallback(PVOID, DWORD reason, PVOID reserved)
    {
        if (reason == DLL_THREAD_DETACH)
            EndThread();
        else if (reason == DLL_PROCESS_DETACH && !reserved)  // unloaded, not the process's end
            EndAll();
    }
    static PIMAGE_TLS_CALLBACK callback;
};

void* TThreadSlot::Find() const noexcept
{
    const unsigned long key = key_.load(std::memory_order_acquire);
    if (!key)
        return nullptr;
    // Reading a slot clears the thread's last error, which a caller may be about to report.
    const DWORD error = GetLastError();
    auto* k = static_cast<TRegistry::TKept*>(TlsGetValue(static_cast<DWORD>(key - 1)));
    SetLastError(error);
    return k ? k->Object : nullptr;
}

bool TThreadSlot::Open() noexcept
{
    if (key_.load(std::memory_order_relaxed))
        return true;
    const DWORD index = TlsAlloc();
    if (index == TLS_OUT_OF_INDEXES)
        return false;
    next_ = TRegistry::slots;
    TRegistry::slots = this;
    key_.store(index + 1, std::memory_order_release);
    return true;
}

bool TThreadSlot::Keep(void* object) noexcept
{
    auto* k = new (std::nothrow) TRegistry::TKept{nullptr, nullptr, this, object};
    if (!k)
        return false;
    const DWORD error = GetLastError();
    bool kept = false;
    {
        TRegistry::TLock lock;
        if (Open() && TlsSetValue(static_cast<DWORD>(key_.load(std::memory_order_relaxed) - 1), k)) {
            TRegistry::Link(k);
            kept = true;
        }
    }
    if (!kept)
        delete k;
    SetLastError(error);
    return kept;
}

// The last of the module's thread callbacks (they run in the order of their section names):
// the runtime's own, which destroy the thread's thread_local objects, run before it.
__attribute__((section(".CRT$XLY"), used)) PIMAGE_TLS_CALLBACK TThreadSlot::TRegistry::callback =
    TThreadSlot::TRegistry::AtThreadCallback;

}  // namespace cl

#else

#include <pthread.h>

namespace cl {

// The system's thread keys destroy each thread's objects at its end themselves.
void* TThreadSlot::Find() const noexcept
{
    const unsigned long key = key_.load(std::memory_order_acquire);
    return key ? pthread_getspecific(static_cast<pthread_key_t>(key - 1)) : nullptr;
}

bool TThreadSlot::Open() noexcept
{
    if (key_.load(std::memory_order_acquire))
        return true;
    pthread_key_t key;
    if (pthread_key_create(&key, destroy_) != 0)
        return false;
    unsigned long expected = 0;
    if (!key_.compare_exchange_strong(expected, static_cast<unsigned long>(key) + 1))
        pthread_key_delete(key);
    return true;
}

bool TThreadSlot::Keep(void* object) noexcept
{
    return Open() && pthread_setspecific(static_cast<pthread_key_t>(key_.load() - 1), object) == 0;
}

}  // namespace cl

#endif
