#include "crashlog/EThrow.h"

#include <cstdlib>
#include <cstring>

#include <windows.h>

#include "classlib/system/ThreadStore.h"

namespace crashlog {

namespace {

// The buffer is allocated at the thread's first throw and kept until the thread has ended,
// after its thread-exit destructors, which may throw too: later throws allocate nothing.
struct TThreadThrow {
    TThrowRecord Record;
    TThreadThrow() = default;
    ~TThreadThrow() { std::free(Record.Copy); }
    TThreadThrow(const TThreadThrow&) = delete;
    TThreadThrow& operator=(const TThreadThrow&) = delete;
};

constinit cl::TThreadStore<TThreadThrow> threadThrow;

}  // namespace

const TThrowRecord* LastThrow()
{
    const TThreadThrow* thrown = threadThrow.Find();
    return thrown && thrown->Record.Object ? &thrown->Record : nullptr;
}

}  // namespace crashlog

extern "C" [[noreturn]] void __real___cxa_throw(void* object, std::type_info* type, void (*destructor)(void*));

// Every throw of the program comes here first (the link wraps __cxa_throw).
extern "C" [[noreturn]] __attribute__((noinline)) void __wrap___cxa_throw(void* object, std::type_info* type,
                                                                        void (*destructor)(void*))
{
    crashlog::TThreadThrow* thrown = crashlog::threadThrow.TryGet();
    if (!thrown)
        __real___cxa_throw(object, type, destructor);
    crashlog::TThrowRecord& r = thrown->Record;
    // The thrower's stack starts right above this frame's saved frame pointer and return address.
    const auto frame = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
    const auto top = reinterpret_cast<std::uintptr_t>(reinterpret_cast<NT_TIB*>(NtCurrentTeb())->StackBase);
    r.Object = object;
    r.Type = type;
    ++r.Serial;
    r.ReturnAddress = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(__builtin_return_address(0)));
    r.StackPointer = static_cast<std::uint32_t>(frame + 8);
    r.StackTop = static_cast<std::uint32_t>(top);
    r.CopySize = 0;
    if (top > frame + 8) {
        std::uint32_t size = static_cast<std::uint32_t>(top - (frame + 8));
        if (size > crashlog::MaxThrowStackCopy)
            size = crashlog::MaxThrowStackCopy;
        if (!r.Copy) {
            r.Copy = static_cast<std::uint8_t*>(std::malloc(crashlog::MaxThrowStackCopy));
            r.Capacity = r.Copy ? crashlog::MaxThrowStackCopy : 0;
        }
        if (r.Copy && size <= r.Capacity) {
            std::memcpy(r.Copy, reinterpret_cast<const void*>(frame + 8), size);
            r.CopySize = size;
        }
    }
    __real___cxa_throw(object, type, destructor);
}
