#include "crashlog/EGuard.h"

#include <cstdint>
#include <cstdlib>

namespace crashlog {

namespace {

struct TGuardFrame;

using THandler = EXCEPTION_DISPOSITION(__cdecl*)(EXCEPTION_RECORD*, void*, CONTEXT*, void*);

// The system's record comes first: the thread's chain of frames points at it.
struct TGuardFrame {
    TGuardFrame* Next;
    THandler Handler;
    void* Resume[5];  // where GuardedCall comes back as failed
    TGuardFilter Filter;
    void* FilterData;
    void (*Unwound)(void*);
};

constexpr std::uintptr_t ChainEnd = 0xFFFFFFFF;

TGuardFrame* ChainHead()
{
    return reinterpret_cast<TGuardFrame*>(__readfsdword(0));
}

void SetChainHead(TGuardFrame* frame)
{
    __writefsdword(0, static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(frame)));
}

// Leaves every frame inside `frame` (their handlers see the unwind) and comes back to the frame's
// GuardedCall, which returns false.
[[noreturn]] void UnwindTo(TGuardFrame* frame, EXCEPTION_RECORD* record)
{
    RtlUnwind(frame, nullptr, record, nullptr);
    __builtin_longjmp(frame->Resume, 1);
}

EXCEPTION_DISPOSITION __cdecl GuardHandler(EXCEPTION_RECORD* record, void* establisher, CONTEXT* context, void*)
{
    auto* frame = static_cast<TGuardFrame*>(establisher);
    if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND)) {
        if (frame->Unwound)
            frame->Unwound(frame->FilterData);
        return ExceptionContinueSearch;
    }
    EXCEPTION_POINTERS pointers{record, context};
    if (!frame->Filter(&pointers, frame->FilterData))
        return ExceptionContinueSearch;
    UnwindTo(frame, record);
}

TGuardFrame* InnermostGuard()
{
    auto* tib = reinterpret_cast<const NT_TIB*>(NtCurrentTeb());
    const auto low = reinterpret_cast<std::uintptr_t>(tib->StackLimit);
    const auto high = reinterpret_cast<std::uintptr_t>(tib->StackBase);
    // Bounded: a chain that leaves the stack or loops is not followed.
    TGuardFrame* frame = ChainHead();
    for (int i = 0; i < 4096; ++i) {
        const auto at = reinterpret_cast<std::uintptr_t>(frame);
        if (at == ChainEnd || at < low || at + sizeof(void*) * 2 > high)
            return nullptr;
        if (frame->Handler == GuardHandler)
            return frame;
        frame = frame->Next;
    }
    return nullptr;
}

}  // namespace

__attribute__((noinline)) bool GuardedCall(void (*body)(void*), void* data, TGuardFilter filter, void* filterData,
                                           void (*unwound)(void*))
{
    TGuardFrame frame{};
    frame.Handler = GuardHandler;
    frame.Filter = filter;
    frame.FilterData = filterData;
    frame.Unwound = unwound;
    frame.Next = ChainHead();
    if (__builtin_setjmp(frame.Resume)) {
        // Back from an unwind: the frame is the thread's innermost one again.
        SetChainHead(frame.Next);
        return false;
    }
    SetChainHead(&frame);
    body(data);
    SetChainHead(frame.Next);
    return true;
}

bool InsideGuardedCall()
{
    return InnermostGuard() != nullptr;
}

void AbandonToGuard()
{
    TGuardFrame* frame = InnermostGuard();
    if (!frame)
        std::abort();
    UnwindTo(frame, nullptr);
}

}  // namespace crashlog
