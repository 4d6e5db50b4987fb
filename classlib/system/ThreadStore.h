#pragma once
// Per-thread objects that live until their thread ends. On this toolchain a `thread_local`
// object with a destructor is destroyed after the emulated storage that holds it has been freed,
// so its destructor reads freed memory: objects with destructors live here instead, in a slot of
// the system's own thread storage, and are destroyed when their thread ends, after every
// `thread_local` destructor of that thread (which may still need them) has run.
// A store is constant-initialized and never destroyed, so it serves static constructors and
// destructors and threads that end after the program's static objects are gone.
#include <atomic>
#include <memory>
#include <new>
#include <utility>

namespace cl {

class TThreadSlot {
public:
    using TDestroy = void (*)(void*);
    constexpr explicit TThreadSlot(TDestroy destroy) noexcept : destroy_(destroy) {}

    // The calling thread's object, or nullptr.
    void* Find() const noexcept;
    // Keeps `object` as the calling thread's until the thread ends; false when the system has
    // no slot or no memory left, and then the object is not kept.
    bool Keep(void* object) noexcept;

private:
    struct TRegistry;
    friend struct TRegistry;
    bool Open() noexcept;

    TDestroy destroy_;
    std::atomic<unsigned long> key_{0};  // the system's slot number plus one; 0 before the first use
    TThreadSlot* next_ = nullptr;        // the slots that were opened, newest first
};

template <class T>
class TThreadStore {
public:
    constexpr TThreadStore() noexcept : slot_(&Destroy) {}

    T* Find() const noexcept { return static_cast<T*>(slot_.Find()); }

    // The calling thread's object, made from `args` on the thread's first call (later calls
    // ignore them). Raises std::bad_alloc when it cannot be made or kept.
    template <class... A>
    T& Get(A&&... args)
    {
        if (T* found = Find())
            return *found;
        auto made = std::make_unique<T>(std::forward<A>(args)...);
        if (!slot_.Keep(made.get()))
            throw std::bad_alloc();
        return *made.release();
    }

    // The same for code that must not raise (the path of a throw itself): nullptr on failure.
    T* TryGet() noexcept
    {
        if (T* found = Find())
            return found;
        T* made = new (std::nothrow) T();
        if (made && !slot_.Keep(made)) {
            delete made;
            made = nullptr;
        }
        return made;
    }

private:
    static void Destroy(void* object) { delete static_cast<T*>(object); }

    TThreadSlot slot_;
};

}  // namespace cl
