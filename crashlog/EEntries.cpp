#include "crashlog/EEntries.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <malloc.h>

#include <cxxabi.h>

#include <windows.h>

#include "classlib/system/ExceptionHooks.h"
#include "crashlog/EErrors.h"
#include "crashlog/EGuard.h"
#include "crashlog/EHook.h"
#include "crashlog/ELogText.h"
#include "crashlog/EModules.h"
#include "crashlog/EStack.h"
#include "crashlog/EThreads.h"
#include "crashlog/EThrow.h"
#include "crashlog/EWebPage.h"
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
bool hookedHandlers = false;

// The exception this thread last reported at a catch point: the object and the number of the
// throw that raised it. A re-raise of it (which throws nothing new) reaching terminate is not new.
struct TReportedException {
    const void* Object = nullptr;
    std::uint32_t Serial = 0;
};

thread_local TReportedException lastReported;

std::uint32_t ThrowSerial()
{
    const TThrowRecord* thrown = LastThrow();
    return thrown ? thrown->Serial : 0;
}

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
// The caller's own report, if any, is finished.
[[noreturn]] void EndAfterUnhandled()
{
    if (GetCurrentThreadId() == MainThreadId() || ProcessMustEnd())
        EndProcessAfterReports();
    ExitThread(1);
}

// Counts a report from the logger's entry until its end, also when the entry ends the process
// or the thread (which runs no destructor): `Done` ends the count once.
class TReportUnderway {
public:
    TReportUnderway() { BeginReport(); }
    ~TReportUnderway() { Done(); }
    void Done()
    {
        if (!done_)
            EndReport();
        done_ = true;
    }
    TReportUnderway(const TReportUnderway&) = delete;
    TReportUnderway& operator=(const TReportUnderway&) = delete;

private:
    bool done_ = false;
};

// Reports an exception that reached one of the logger's catch points; true when the catch
// point's own handling should run too.
bool ReportCaught(std::exception_ptr error)
{
    TReportUnderway underway;
    TExceptionContext context = LanguageContext(error);
    lastReported = {ExceptionObjectAddress(error), ThrowSerial()};
    return ExceptionManager(std::move(context));
}

bool HookedHandleException(std::exception_ptr error, cl::TObject* sender, cl::TCatchPoint where)
{
    try {
        // A call that failed on the main thread was reported there; its re-raise is not new.
        if (where == cl::TCatchPoint::Synchronize)
            return false;
        return !ReportCaught(error);
    } catch (...) {
        InternalError("HandleException");
        return false;
    }
}

// Gives up the exceptions this thread's abandoned frames were handling: the runtime would
// otherwise keep them as the thread's current ones, and the thread's next call would see them.
void DropCaughtExceptions()
{
    for (int i = 0; i < 64 && abi::__cxa_current_exception_type(); ++i)
        __cxxabiv1::__cxa_end_catch();
}

void TerminateHandler()
{
    static thread_local bool inside = false;
    if (inside)
        TerminateProcess(GetCurrentProcess(), 3);
    inside = true;
    TReportUnderway underway;
    try {
        std::exception_ptr current = std::current_exception();
        if (!current)
            current = std::make_exception_ptr(
                EAbnormalTermination("The program was terminated without an active exception."));
        if (IsProcessingThread()) {
            RescueProcessing("std::terminate");
            if (GetCurrentThreadId() != MainThreadId())
                LeaveProcessing();
        } else if (ExceptionObjectAddress(current) != lastReported.Object || ThrowSerial() != lastReported.Serial) {
            TExceptionContext context = LanguageContext(current);
            if (!context.Description.IsAbort && EnterProcessing()) {
                ExceptNotify(context);
                LeaveProcessing();
            }
        }
    } catch (...) {
        InternalError("std::terminate");
    }
    underway.Done();
    if (LoggerInLibrary()) {
        inside = false;
        // A library's guarded entry answers for what fails inside it; anything else is the
        // runtime's, as it would be without the logger.
        if (InsideGuardedCall()) {
            DropCaughtExceptions();
            AbandonToGuard();
        }
        if (previousTerminate)
            previousTerminate();
        std::abort();
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

bool HoldsLoaderLock()
{
    // The process environment block's loader lock (offset 0xA0 on 32-bit x86).
    const auto peb = static_cast<std::uintptr_t>(__readfsdword(0x30));
    const auto* lock = *reinterpret_cast<RTL_CRITICAL_SECTION* const*>(peb + 0xA0);
    return lock && static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(lock->OwningThread)) == GetCurrentThreadId();
}

// Notices the debugger and the thread-naming convention send; they are not faults.
bool IsNotice(DWORD code)
{
    return code == 0x40010006 || code == 0x4001000A || code == 0x406D1388 || code == EXCEPTION_BREAKPOINT ||
           code == EXCEPTION_SINGLE_STEP;
}

// Reports a fault from the context the system gives its handlers, on the faulting thread;
// `calledBack` tells a fault in a window procedure that the system called back.
void ReportFault(EXCEPTION_POINTERS* pointers, std::uint32_t overflowTop, bool calledBack = false)
{
    try {
        const EXCEPTION_RECORD& record = *pointers->ExceptionRecord;
        TExceptionContext context;
        context.Object = FaultObject(record);
        context.Description = DescribeException(context.Object);
        context.Address = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(record.ExceptionAddress));
        context.StackPointer = pointers->ContextRecord->Esp;
        const bool lowStack = overflowTop != 0;
        context.StackTop = lowStack ? overflowTop : CurrentStackTop();
        context.LowStack = lowStack;
        // A thread that holds the loader lock (a fault in a thread-exit destructor or a library's
        // entry) would wait for ever for a reporting thread, which cannot start without that
        // lock: it reports itself.
        context.InDispatch = !HoldsLoaderLock();
        context.CalledBack = calledBack;
        if (PaintsForExceptionThread()) {
            ReportAfterExceptionThread(context);
        } else if (EnterProcessing()) {
            ExceptNotify(context);
            LeaveProcessing();
        }
    } catch (...) {
        InternalError("UnhandledExceptionFilter");
    }
}

void* volatile spareRescueStack = nullptr;
constexpr std::size_t RescueStackSize = 256 * 1024;

// The spare stack made at installation, or a new one when another thread has it.
char* TakeRescueStack()
{
    if (void* spare = InterlockedExchangePointer(&spareRescueStack, nullptr))
        return static_cast<char*>(spare);
    return static_cast<char*>(VirtualAlloc(nullptr, RescueStackSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
}

// `overflowTop` is the stack top of a thread that overflowed its stack and now runs on a rescue
// stack (0 otherwise).
// With `endProcess` the process ends after the report whichever thread faulted.
__attribute__((noinline)) LONG FilterBody(EXCEPTION_POINTERS* pointers, std::uint32_t overflowTop,
                                          bool endProcess = false, bool calledBack = false)
{
    const EXCEPTION_RECORD& record = *pointers->ExceptionRecord;
    if (IsNotice(record.ExceptionCode))
        return previousFilter ? previousFilter(pointers) : EXCEPTION_CONTINUE_SEARCH;
    TReportUnderway underway;
    if (IsProcessingThread() && !PaintsForExceptionThread()) {
        // A fault of the logger itself: never processed again, never a deadlock.
        RescueProcessing("UnhandledExceptionFilter");
        if (GetCurrentThreadId() != MainThreadId())
            LeaveProcessing();
        underway.Done();
        EndAfterUnhandled();
    }
    ReportFault(pointers, overflowTop, calledBack);
    underway.Done();
    if (endProcess)
        EndProcessAfterReports();
    EndAfterUnhandled();
}

[[noreturn]] void __attribute__((stdcall, noinline)) OverflowBody(EXCEPTION_POINTERS* pointers, char* stackBase,
                                                                   std::uint32_t overflowTop)
{
    // From here on this thread lives on the rescue stack; the system's checks must agree.
    auto* tib = reinterpret_cast<NT_TIB*>(NtCurrentTeb());
    tib->StackLimit = stackBase;
    tib->StackBase = stackBase + RescueStackSize;
    FilterBody(pointers, overflowTop);
    EndAfterUnhandled();
}

// A stack overflow leaves its filter a few hundred bytes: the report runs on a stack of its own.
[[noreturn]] __attribute__((noinline)) void SwitchToRescueStack(EXCEPTION_POINTERS* pointers)
{
    char* stack = TakeRescueStack();
    if (!stack)
        TerminateProcess(GetCurrentProcess(), 1);
    // Two threads may overflow at once: the stack top travels as an argument, never through
    // shared memory.
    const std::uint32_t overflowTop = CurrentStackTop();
    char* top = stack + RescueStackSize - 16;
    asm volatile(
        "movl %0, %%esp\n\t"
        "pushl %1\n\t"
        "pushl %2\n\t"
        "pushl %3\n\t"
        "call *%4\n\t"
        :
        : "r"(top), "r"(overflowTop), "r"(stack), "r"(pointers), "r"(&OverflowBody)
        : "memory");
    __builtin_unreachable();
}

LONG WINAPI TopLevelFilter(EXCEPTION_POINTERS* pointers)
{
    if (pointers->ExceptionRecord->ExceptionCode == EXCEPTION_STACK_OVERFLOW)
        SwitchToRescueStack(pointers);
    return FilterBody(pointers, 0);
}

bool IsFault(DWORD code)
{
    switch (code) {
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_INT_OVERFLOW:
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
    case EXCEPTION_FLT_DIVIDE_BY_ZERO:
    case EXCEPTION_FLT_OVERFLOW:
    case EXCEPTION_FLT_UNDERFLOW:
    case EXCEPTION_FLT_INVALID_OPERATION:
    case EXCEPTION_FLT_DENORMAL_OPERAND:
    case EXCEPTION_FLT_INEXACT_RESULT:
    case EXCEPTION_FLT_STACK_CHECK:
    case EXCEPTION_PRIV_INSTRUCTION:
    case EXCEPTION_ILLEGAL_INSTRUCTION:
        return true;
    default:
        return false;
    }
}

// The system was told to pass faults in the window procedures it calls back on (below).
bool callbackFaultsPassed = false;

// Whether the code at `address` belongs to a module of the system's own folder.
bool InSystemModule(const void* address)
{
    HMODULE module = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            static_cast<const char*>(address), &module))
        return false;
    char path[MAX_PATH], system[MAX_PATH];
    const DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
    const UINT systemLength = GetSystemDirectoryA(system, MAX_PATH);
    return length > systemLength && systemLength > 0 && systemLength < MAX_PATH && path[systemLength] == '\\' &&
           CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, path, static_cast<int>(systemLength), system,
                          static_cast<int>(systemLength)) == CSTR_EQUAL;
}

// Whether the system will drop a fault before any handler of the program or the unhandled-
// exception filter sees it: it calls some window procedures back (a paint, a WM_SIZE sent by
// SetWindowPos) through a dispatcher whose own handler catches and drops every exception. Such a
// handler is one of the system's that is not the thread's outermost (the one that calls the
// unhandled-exception filter) and comes before any handler of the program.
bool DroppedBySystem()
{
    if (callbackFaultsPassed)
        return false;
    const auto* tib = reinterpret_cast<const NT_TIB*>(NtCurrentTeb());
    const auto low = reinterpret_cast<std::uintptr_t>(tib->StackLimit);
    const auto high = reinterpret_cast<std::uintptr_t>(tib->StackBase);
    const auto valid = [&](const EXCEPTION_REGISTRATION_RECORD* r) {
        const auto at = reinterpret_cast<std::uintptr_t>(r);
        return at >= low && at + sizeof *r <= high && at % 4 == 0;
    };
    const EXCEPTION_REGISTRATION_RECORD* first = tib->ExceptionList;
    if (!valid(first))
        return false;
    return InSystemModule(reinterpret_cast<const void*>(first->Handler)) && valid(first->Next);
}

// A fault of the program's code that nobody of the program would see is reported where it
// happens: one that the system drops (above), and one while its thread holds the loader lock
// (a thread-exit destructor, a library's entry): the system's loader catches that silently and
// unwinds past the runtime, which keeps its own lock for ever, so the program hangs at its end
// without a report; after such a fault the process ends, since its runtime can no longer be
// trusted.
LONG WINAPI UnseenFaultHandler(EXCEPTION_POINTERS* pointers)
{
    const EXCEPTION_RECORD& record = *pointers->ExceptionRecord;
    if (!IsFault(record.ExceptionCode))
        return EXCEPTION_CONTINUE_SEARCH;
    // Only the program's own code: the system probes memory under its own handlers.
    TVozozoModuleInfo* info = ModulesList().ModuleInfoOfAddress(record.ExceptionAddress);
    if (!info || !info->Options)
        return EXCEPTION_CONTINUE_SEARCH;
    // Its report is under way from here, not only once the unhandled-exception filter has it.
    CountFault();
    const bool loaderLock = HoldsLoaderLock();
    const bool dropped = !loaderLock && DroppedBySystem();
    if (!loaderLock && !dropped)
        return EXCEPTION_CONTINUE_SEARCH;
    FilterBody(pointers, 0, loaderLock, dropped);
    return EXCEPTION_CONTINUE_SEARCH;
}

// Where the system offers it (a process-wide policy, looked up by name since older systems lack
// it), a fault in a window procedure it calls back is passed on like any other instead of being
// dropped. Only for the program's own process: a library leaves its host's policy alone.
using TGetExceptionPolicy = BOOL(WINAPI*)(LPDWORD);
using TSetExceptionPolicy = BOOL(WINAPI*)(DWORD);
constexpr DWORD CallbackFilterEnabled = 0x1;
DWORD savedExceptionPolicy = 0;

void PassCallbackFaults()
{
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    const auto get = reinterpret_cast<TGetExceptionPolicy>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "GetProcessUserModeExceptionPolicy")));
    const auto set = reinterpret_cast<TSetExceptionPolicy>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "SetProcessUserModeExceptionPolicy")));
    DWORD flags = 0;
    if (!get || !set || !get(&flags))
        return;
    savedExceptionPolicy = flags;
    callbackFaultsPassed = set(flags & ~CallbackFilterEnabled) != FALSE;
}

void RestoreCallbackFaults()
{
    if (!callbackFaultsPassed)
        return;
    const auto set = reinterpret_cast<TSetExceptionPolicy>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetProcessUserModeExceptionPolicy")));
    if (set)
        set(savedExceptionPolicy);
    callbackFaultsPassed = false;
}

bool InLoggerModule(const void* address)
{
    const auto base = reinterpret_cast<std::uintptr_t>(LoggerModule());
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + dos->e_lfanew);
    const auto at = reinterpret_cast<std::uintptr_t>(address);
    return at >= base && at - base < nt->OptionalHeader.SizeOfImage;
}

// A fault of the library's own code, which the library reports; every other fault, also one
// that the host's code makes inside a call of the library (a server's callback), is the host's.
bool IsOwnFault(const EXCEPTION_RECORD& record)
{
    return (IsFault(record.ExceptionCode) || record.ExceptionCode == EXCEPTION_STACK_OVERFLOW) &&
           InLoggerModule(record.ExceptionAddress);
}

void ReportOwnFaultHere(EXCEPTION_POINTERS* pointers, std::uint32_t overflowTop, const char* section)
{
    TReportUnderway underway;
    if (IsProcessingThread()) {
        RescueProcessing(section);
        // The host may handle the fault and keep the thread: its report is over either way, and a
        // flag left owned by a living thread would hold every later report for ever.
        LeaveProcessing();
    } else {
        ReportFault(pointers, overflowTop);
    }
}

struct TRescueCall {
    EXCEPTION_POINTERS* Pointers;
    std::uint32_t OverflowTop;
    const char* Section;
};

void __attribute__((cdecl, noinline)) RescueCallBody(TRescueCall* call)
{
    ReportOwnFaultHere(call->Pointers, call->OverflowTop, call->Section);
}

// A library's thread that overflowed its stack reports on the rescue stack and then comes back,
// so that the guard around it can unwind and the host's thread goes on.
__attribute__((noinline)) void ReportOverflowOnRescueStack(EXCEPTION_POINTERS* pointers, const char* section)
{
    char* stack = TakeRescueStack();
    if (!stack)
        return;
    TRescueCall call{pointers, CurrentStackTop(), section};
    auto* tib = reinterpret_cast<NT_TIB*>(NtCurrentTeb());
    void* const limit = tib->StackLimit;
    void* const base = tib->StackBase;
    tib->StackLimit = stack;
    tib->StackBase = stack + RescueStackSize;
    char* top = stack + RescueStackSize - 16;
    asm volatile(
        "movl %%esp, %%esi\n\t"
        "movl %[top], %%esp\n\t"
        "pushl %[call]\n\t"
        "call %P[body]\n\t"
        "movl %%esi, %%esp\n\t"
        :
        : [top] "b"(top), [call] "D"(&call), [body] "i"(&RescueCallBody)
        : "eax", "ecx", "edx", "esi", "memory", "cc");
    tib->StackLimit = limit;
    tib->StackBase = base;
    if (InterlockedCompareExchangePointer(&spareRescueStack, stack, nullptr) != nullptr)
        VirtualFree(stack, 0, MEM_RELEASE);
}

void ReportOwnFault(EXCEPTION_POINTERS* pointers, const char* section)
{
    if (pointers->ExceptionRecord->ExceptionCode == EXCEPTION_STACK_OVERFLOW)
        ReportOverflowOnRescueStack(pointers, section);
    else
        ReportOwnFaultHere(pointers, 0, section);
}

// A library's only process-wide entry: it sees every fault of the process first, reports those
// of the library's own code that no guarded entry of the library will take, and passes every
// one on unchanged. Unlike the process's one unhandled-exception filter, which each library
// would chain to the one before it, it can be removed in any order.
LONG WINAPI LibraryFaultHandler(EXCEPTION_POINTERS* pointers)
{
    if (IsOwnFault(*pointers->ExceptionRecord) && !InsideGuardedCall())
        ReportOwnFault(pointers, "VectoredHandler");
    return EXCEPTION_CONTINUE_SEARCH;
}

// What every guarded entry of the library keeps of its call.
struct TGuardedRun {
    bool Failed = false;      // a throw out of the body, reported
    bool Overflowed = false;  // the guard took a stack overflow
    // Someone further out took an exception and unwound past the entry.
    void Abandoned() {}
};

// What a guarded entry of the library takes: a fault of the library's own code, reported here.
// What is not a fault, or not the library's, is not the entry's to judge: it goes on to the host.
bool TakeFault(EXCEPTION_POINTERS* pointers, void* run)
{
    if (!ExceptionLogActive() || !IsOwnFault(*pointers->ExceptionRecord))
        return false;
    ReportOwnFault(pointers, "GuardedEntry");
    static_cast<TGuardedRun*>(run)->Overflowed =
        pointers->ExceptionRecord->ExceptionCode == EXCEPTION_STACK_OVERFLOW;
    return true;
}

// Runs a guarded entry's body; a throw out of it is reported and marks the call failed.
template <class TCall>
void RunCaught(TCall& call)
{
    try {
        call.Run();
    } catch (...) {
        call.Failed = true;
        try {
            ReportCaught(std::current_exception());
        } catch (...) {
            InternalError("GuardedEntry");
        }
    }
}

template <class TCall>
bool RunGuarded(TCall& call)
{
    TGuardedRun& run = call;
    if (GuardedCall([](void* data) { RunCaught(*static_cast<TCall*>(data)); }, &call, TakeFault, &run,
                    [](void* data) { static_cast<TCall*>(static_cast<TGuardedRun*>(data))->Abandoned(); }))
        return !call.Failed;
    // An overflow used up the guard page at the stack's end: without it the thread's next
    // overflow would end the process unreported.
    if (call.Overflowed)
        _resetstkoflw();
    return false;
}

struct TServerCall : TGuardedRun {
    TServerEntry Entry;
    EXTENSION_CONTROL_BLOCK* Block;
    DWORD Status = HSE_STATUS_ERROR;
    void Run() { Status = Entry(Block); }
    // The server took a fault of its own inside the request and went on past it: the request
    // is over on this thread, and a later report of the thread answers no request.
    void Abandoned() { SetThreadServerECB(nullptr); }
};

// A thread that the library started: what fails in the library's code ends this thread only.
struct TThreadCall : TGuardedRun {
    LPTHREAD_START_ROUTINE Start;
    LPVOID Parameter;
    DWORD Result = 1;
    void Run() { Result = Start(Parameter); }
};

DWORD GuardedThread(LPTHREAD_START_ROUTINE start, LPVOID parameter)
{
    TThreadCall call{{}, start, parameter};
    return RunGuarded(call) ? call.Result : 1;
}

struct TLibraryCall : TGuardedRun {
    TLibraryEntry Entry;
    HINSTANCE Instance;
    DWORD Reason;
    LPVOID Reserved;
    BOOL Result = FALSE;
    void Run() { Result = Entry(Instance, Reason, Reserved); }
};

// The library's start failed: nothing of its runtime runs again, not even its finalization,
// which would meet a start that never ended.
bool libraryStartFailed = false;

PVOID faultHandler = nullptr;

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

DWORD GuardedServerCall(TServerEntry entry, EXTENSION_CONTROL_BLOCK* ecb)
{
    TServerCall call{{}, entry, ecb};
    return RunGuarded(call) ? call.Status : HSE_STATUS_ERROR;
}

BOOL GuardedLibraryEntry(TLibraryEntry entry, HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    if (libraryStartFailed)
        return FALSE;
    if (reason == DLL_PROCESS_DETACH)
        SetModuleFinalizing(true);
    TLibraryCall call{{}, entry, instance, reason, reserved};
    const bool ran = RunGuarded(call);
    if (reason == DLL_PROCESS_ATTACH)
        SetModuleInitializing(false);
    if (ran)
        return call.Result;
    // Reported; the rest of the start or the end is given up. Nothing of the logger may stay
    // in the process once the library is gone, which follows a failed start at once.
    if (reason == DLL_PROCESS_ATTACH || reason == DLL_PROCESS_DETACH) {
        libraryStartFailed = reason == DLL_PROCESS_ATTACH;
        try {
            DoneExceptionLog();
        } catch (...) {
            InternalError("GuardedLibraryEntry");
        }
    }
    return reason == DLL_PROCESS_ATTACH ? FALSE : TRUE;
}

void InstallExceptionEntries()
{
    const bool inLibrary = LoggerInLibrary();
    hookedHandlers = !inLibrary;
    if (hookedHandlers) {
        previousHook = cl::ExceptionHooks().OnException;
        cl::ExceptionHooks().OnException = HookedHandleException;
    }
    previousTerminate = std::set_terminate(TerminateHandler);
    if (!spareRescueStack)
        spareRescueStack = VirtualAlloc(nullptr, RescueStackSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (inLibrary) {
        faultHandler = AddVectoredExceptionHandler(1, LibraryFaultHandler);
    } else {
        previousFilter = SetUnhandledExceptionFilter(TopLevelFilter);
        PassCallbackFaults();
        faultHandler = AddVectoredExceptionHandler(1, UnseenFaultHandler);
    }
    void* imported = nullptr;
    const std::string module = inLibrary ? ModuleFileName(LoggerModule()) : "";
    HookServerEntry(LoggerModule());
    // Failures are ignored: a program that never imports a procedure just has nothing to hook.
    HookImportedProcedure({module}, "kernel32.dll", true, imported,
                          reinterpret_cast<void*>(&HookedUnhandledExceptionFilter), "UnhandledExceptionFilter");
    kernelUnhandledFilter = reinterpret_cast<TUnhandledFilter>(imported);
    HookImportedProcedure({module}, "kernel32.dll", true, imported, reinterpret_cast<void*>(&HookedRaiseException),
                          "RaiseException");
    kernelRaiseException = reinterpret_cast<TRaiseException>(imported);
    HookThreadImports(module, inLibrary ? GuardedThread : nullptr);
}

void RemoveExceptionEntries()
{
    if (hookedHandlers)
        cl::ExceptionHooks().OnException = previousHook;
    std::set_terminate(previousTerminate);
    if (!LoggerInLibrary())
        SetUnhandledExceptionFilter(previousFilter);
    if (faultHandler)
        RemoveVectoredExceptionHandler(faultHandler);
    faultHandler = nullptr;
    // A library's rescue stack goes with it: a host may load and unload it many times.
    if (LoggerInLibrary())
        if (void* stack = InterlockedExchangePointer(&spareRescueStack, nullptr))
            VirtualFree(stack, 0, MEM_RELEASE);
    RestoreCallbackFaults();
    DoneHooks();
    FreeThreadsList();
}

}  // namespace crashlog
