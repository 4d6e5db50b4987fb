#include "crashlog/EEntries.h"

#include <algorithm>
#include <cstdio>
#include <exception>

#include <windows.h>

#include "classlib/ExceptionHooks.h"
#include "crashlog/EErrors.h"
#include "crashlog/EHook.h"
#include "crashlog/ELogText.h"
#include "crashlog/EModules.h"
#include "crashlog/EStack.h"
#include "crashlog/EThreads.h"
#include "crashlog/EThrow.h"
#include "crashlog/ExceptionLog.h"

namespace crashlog {

namespace {

using TRaiseException = void(WINAPI*)(DWORD, DWORD, DWORD, const ULONG_PTR*);
using TUnhandledFilter = LONG(WINAPI*)(EXCEPTION_POINTERS*);

TRaiseException kernelRaiseException = nullptr;
TUnhandledFilter kernelUnhandledFilter = nullptr;
LPTOP_LEVEL_EXCEPTION_FILTER previousFilter = nullptr;
std::terminate_handler previousTerminate = nullptr;
bool (*previousHook)(std::exception_ptr, cl::TObject*, cl::TCatchPoint) = nullptr;

thread_local const void* lastReported = nullptr;

// A context for a C++ object, with the throw's address and stack when this thread threw it.
TExceptionContext LanguageContext(std::exception_ptr object)
{
    TExceptionContext context;
    context.Object = object;
    context.Description = DescribeException(object);
    // Faults come as EExternal objects; everything else was raised by the program.
    context.Language = std::find(context.Description.Ancestry.begin(), context.Description.Ancestry.end(),
                                 "EExternal") == context.Description.Ancestry.end();
    const void* address = ExceptionObjectAddress(object);
    const TThrowRecord* thrown = LastThrow();
    if (thrown && address && thrown->Object == address) {
        context.Address = thrown->ReturnAddress;
        context.StackPointer = thrown->StackPointer;
        context.StackTop = thrown->StackPointer + thrown->CopySize;
        context.StackCopy = thrown->CopySize ? thrown->Copy : nullptr;
        if (!context.StackCopy)
            context.StackPointer = context.StackTop = 0;
    }
    return context;
}

// Ends what an unhandled exception leaves: the program on the main thread, else the thread.
[[noreturn]] void EndAfterUnhandled()
{
    if (GetCurrentThreadId() == MainThreadId())
        TerminateProcess(GetCurrentProcess(), 1);
    ExitThread(1);
}

bool HookedHandleException(std::exception_ptr error, cl::TObject* sender, cl::TCatchPoint where)
{
    try {
        // A call that failed on the main thread was reported there; its re-raise is not new.
        if (where == cl::TCatchPoint::Synchronize)
            return false;
        TExceptionContext context = LanguageContext(error);
        lastReported = ExceptionObjectAddress(error);
        return !ExceptionManager(std::move(context));
    } catch (...) {
        InternalError("HandleException");
        return false;
    }
}

void TerminateHandler()
{
    static thread_local bool inside = false;
    if (inside)
        TerminateProcess(GetCurrentProcess(), 3);
    inside = true;
    try {
        std::exception_ptr current = std::current_exception();
        if (!current)
            current = std::make_exception_ptr(
                EAbnormalTermination("The program was terminated without an active exception."));
        if (IsProcessingThread()) {
            RescueProcessing("std::terminate");
            if (GetCurrentThreadId() != MainThreadId())
                LeaveProcessing();
        } else if (ExceptionObjectAddress(current) != lastReported) {
            TExceptionContext context = LanguageContext(current);
            if (!context.Description.IsAbort && EnterProcessing()) {
                ExceptNotify(context);
                LeaveProcessing();
            }
        }
    } catch (...) {
        InternalError("std::terminate");
    }
    EndAfterUnhandled();
}

std::string FaultMessage(const EXCEPTION_RECORD& r, const char* text)
{
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, "%s at address %08lX.", text,
                  static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(r.ExceptionAddress)));
    return buffer;
}

std::exception_ptr FaultObject(const EXCEPTION_RECORD& r)
{
    switch (r.ExceptionCode) {
    case EXCEPTION_ACCESS_VIOLATION: {
        const char* kind = r.NumberParameters >= 2 && r.ExceptionInformation[0] == 1   ? "Write"
                           : r.NumberParameters >= 2 && r.ExceptionInformation[0] == 8 ? "Execution"
                                                                                      : "Read";
        char buffer[256];
        std::snprintf(buffer, sizeof buffer, "Access violation at address %08lX. %s of address %08lX",
                      static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(r.ExceptionAddress)), kind,
                      static_cast<unsigned long>(r.NumberParameters >= 2 ? r.ExceptionInformation[1] : 0));
        return std::make_exception_ptr(cl::EAccessViolation(buffer));
    }
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
        return std::make_exception_ptr(cl::EDivByZero(FaultMessage(r, "Division by zero")));
    case EXCEPTION_INT_OVERFLOW:
        return std::make_exception_ptr(cl::EIntOverflow(FaultMessage(r, "Integer overflow")));
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
        return std::make_exception_ptr(cl::ERangeError(FaultMessage(r, "Range check error")));
    case EXCEPTION_FLT_DIVIDE_BY_ZERO:
        return std::make_exception_ptr(cl::EZeroDivide(FaultMessage(r, "Floating point division by zero")));
    case EXCEPTION_FLT_OVERFLOW:
        return std::make_exception_ptr(cl::EOverflow(FaultMessage(r, "Floating point overflow")));
    case EXCEPTION_FLT_UNDERFLOW:
        return std::make_exception_ptr(cl::EMathError(FaultMessage(r, "Floating point underflow")));
    case EXCEPTION_FLT_INVALID_OPERATION:
    case EXCEPTION_FLT_DENORMAL_OPERAND:
    case EXCEPTION_FLT_INEXACT_RESULT:
    case EXCEPTION_FLT_STACK_CHECK:
        return std::make_exception_ptr(cl::EInvalidOp(FaultMessage(r, "Invalid floating point operation")));
    case EXCEPTION_STACK_OVERFLOW:
        return std::make_exception_ptr(cl::EStackOverflow(FaultMessage(r, "Stack overflow")));
    case EXCEPTION_PRIV_INSTRUCTION:
    case EXCEPTION_ILLEGAL_INSTRUCTION:
        return std::make_exception_ptr(cl::EPrivilege(FaultMessage(r, "Privileged instruction")));
    default: {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "External exception %08lX", static_cast<unsigned long>(r.ExceptionCode));
        return std::make_exception_ptr(cl::EExternalException(buffer));
    }
    }
}

// Notices the debugger and the thread-naming convention send; they are not faults.
bool IsNotice(DWORD code)
{
    return code == 0x40010006 || code == 0x4001000A || code == 0x406D1388 || code == EXCEPTION_BREAKPOINT ||
           code == EXCEPTION_SINGLE_STEP;
}

std::uint32_t overflowStackTop = 0;  // the overflowed thread's own stack top
void* volatile spareRescueStack = nullptr;
constexpr std::size_t RescueStackSize = 256 * 1024;

__attribute__((noinline)) LONG FilterBody(EXCEPTION_POINTERS* pointers, bool lowStack)
{
    const EXCEPTION_RECORD& record = *pointers->ExceptionRecord;
    if (IsNotice(record.ExceptionCode))
        return previousFilter ? previousFilter(pointers) : EXCEPTION_CONTINUE_SEARCH;
    try {
        if (IsProcessingThread()) {
            // A fault of the logger itself: never processed again, never a deadlock.
            RescueProcessing("UnhandledExceptionFilter");
            if (GetCurrentThreadId() != MainThreadId())
                LeaveProcessing();
            EndAfterUnhandled();
        }
        TExceptionContext context;
        context.Object = FaultObject(record);
        context.Description = DescribeException(context.Object);
        context.Address = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(record.ExceptionAddress));
        context.StackPointer = pointers->ContextRecord->Esp;
        context.StackTop = lowStack ? overflowStackTop : CurrentStackTop();
        context.LowStack = lowStack;
        context.InDispatch = true;
        if (EnterProcessing()) {
            ExceptNotify(context);
            LeaveProcessing();
        }
    } catch (...) {
        InternalError("UnhandledExceptionFilter");
    }
    EndAfterUnhandled();
}

[[noreturn]] void __attribute__((stdcall, noinline)) OverflowBody(EXCEPTION_POINTERS* pointers, char* stackBase)
{
    // From here on this thread lives on the rescue stack; the system's checks must agree.
    auto* tib = reinterpret_cast<NT_TIB*>(NtCurrentTeb());
    tib->StackLimit = stackBase;
    tib->StackBase = stackBase + RescueStackSize;
    FilterBody(pointers, true);
    EndAfterUnhandled();
}

// A stack overflow leaves its filter a few hundred bytes: the report runs on a stack of its own.
[[noreturn]] __attribute__((noinline)) void SwitchToRescueStack(EXCEPTION_POINTERS* pointers)
{
    auto* stack = static_cast<char*>(InterlockedExchangePointer(&spareRescueStack, nullptr));
    if (!stack)
        stack = static_cast<char*>(VirtualAlloc(nullptr, RescueStackSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    if (!stack)
        TerminateProcess(GetCurrentProcess(), 1);
    overflowStackTop = CurrentStackTop();
    char* top = stack + RescueStackSize - 16;
    asm volatile(
        "movl %0, %%esp\n\t"
        "pushl %1\n\t"
        "pushl %2\n\t"
        "call *%3\n\t"
        :
        : "r"(top), "r"(stack), "r"(pointers), "r"(&OverflowBody)
        : "memory");
    __builtin_unreachable();
}

LONG WINAPI TopLevelFilter(EXCEPTION_POINTERS* pointers)
{
    if (pointers->ExceptionRecord->ExceptionCode == EXCEPTION_STACK_OVERFLOW)
        SwitchToRescueStack(pointers);
    return FilterBody(pointers, false);
}

void WINAPI HookedRaiseException(DWORD code, DWORD flags, DWORD count, const ULONG_PTR* arguments)
{
    // C++ exceptions of this toolchain never come this way; the call only passes.
    kernelRaiseException(code, flags, count, arguments);
}

LONG WINAPI HookedUnhandledExceptionFilter(EXCEPTION_POINTERS* pointers)
{
    return kernelUnhandledFilter(pointers);
}

}  // namespace

void InstallExceptionEntries()
{
    previousHook = cl::ExceptionHooks().OnException;
    cl::ExceptionHooks().OnException = HookedHandleException;
    previousTerminate = std::set_terminate(TerminateHandler);
    if (!spareRescueStack)
        spareRescueStack = VirtualAlloc(nullptr, RescueStackSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    previousFilter = SetUnhandledExceptionFilter(TopLevelFilter);
    void* imported = nullptr;
    // Failures are ignored: a program that never imports a procedure just has nothing to hook.
    HookImportedProcedure({""}, "kernel32.dll", true, imported,
                          reinterpret_cast<void*>(&HookedUnhandledExceptionFilter), "UnhandledExceptionFilter");
    kernelUnhandledFilter = reinterpret_cast<TUnhandledFilter>(imported);
    HookImportedProcedure({""}, "kernel32.dll", true, imported, reinterpret_cast<void*>(&HookedRaiseException),
                          "RaiseException");
    kernelRaiseException = reinterpret_cast<TRaiseException>(imported);
    HookThreadImports();
}

void RemoveExceptionEntries()
{
    cl::ExceptionHooks().OnException = previousHook;
    std::set_terminate(previousTerminate);
    SetUnhandledExceptionFilter(previousFilter);
    DoneHooks();
    FreeThreadsList();
}

}  // namespace crashlog
