// A program that crashes on purpose, in the way its first argument names, with the logger
// installed: crashlog_crash <scenario> <log file> <debug-output file>.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <thread>

#include <windows.h>

#include "classlib/system/ExceptionHooks.h"
#include "classlib/system/SysUtils.h"
#include "crashlog/ECore.h"
#include "crashlog/EExceptInfo.h"
#include "crashlog/EMail.h"
#include "crashlog/ExceptionLog.h"

using namespace crashlog;

namespace {

std::string debugFile;
std::string extraArgument;  // the fourth argument, when given

void AppendDebug(const char* line)
{
    if (FILE* f = std::fopen(debugFile.c_str(), "ab")) {
        std::fprintf(f, "%s\n", line);
        std::fclose(f);
    }
}

int CountStarts()
{
    int count = 0;
    if (FILE* f = std::fopen(debugFile.c_str(), "rb")) {
        char line[256];
        while (std::fgets(line, sizeof line, f))
            count += std::strncmp(line, "started", 7) == 0;
        std::fclose(f);
    }
    return count;
}

volatile int zero = 0;
int* volatile nowhere = nullptr;

__attribute__((noinline)) void CrashAccessViolation()
{
    *nowhere = 1;
}

__attribute__((noinline)) int CrashDivide()
{
    return 100 / zero;
}

DWORD WINAPI DivideWorker(void*)
{
    return static_cast<DWORD>(CrashDivide());
}

__attribute__((noinline)) void ThrowUncaught()
{
    throw std::runtime_error("nobody catches this");
}

// An exception that the class library's catch point of the application takes, as the message
// loop does.
void ThrowAndCatchAtTheLayer()
{
    try {
        ThrowUncaught();
    } catch (...) {
        cl::ExceptionHooks().OnException(std::current_exception(), nullptr, cl::TCatchPoint::Application);
    }
}

__attribute__((noinline)) void ThrowFromWindowProcedure()
{
    throw cl::EConvertError("'x' is not a valid integer value");
}

LRESULT CALLBACK ThrowingProc(HWND window, UINT message, WPARAM w, LPARAM l)
{
    // Deliberately without the catch-all every real window procedure has.
    if (message == WM_USER + 1)
        ThrowFromWindowProcedure();
    return DefWindowProcA(window, message, w, l);
}

__attribute__((noinline)) void WorkerGivesUp()
{
    throw std::logic_error("worker gave up");
}

__attribute__((noinline)) int Recurse(int depth)
{
    volatile char pad[256];
    pad[0] = static_cast<char>(depth);
    if (zero > 1)
        return pad[0];
    return Recurse(depth + 1) + pad[0];
}

// Frames so wide that a thread overflows its stack within the table's bound of entries: the
// report then reaches the thread's own procedure.
__attribute__((noinline)) int RecurseWide(int depth)
{
    volatile char pad[64 * 1024];
    pad[0] = static_cast<char>(depth);
    if (zero > 1)
        return pad[0];
    return RecurseWide(depth + 1) + pad[0];
}

// A destructor that runs when its thread ends, while the threading runtime holds its locks.
struct TFaultsAtThreadExit {
    int Value = 0;
    ~TFaultsAtThreadExit() { *nowhere = Value; }
};

thread_local TFaultsAtThreadExit faultsAtExit;

DWORD WINAPI FaultAtThreadExit(void*)
{
    faultsAtExit.Value = 5;
    return 0;
}

// The same fault in a thread of the standard library, whose threading runtime runs it while
// holding a lock of its own.
struct TFaultsAtStdThreadExit {
    int Value = 0;
    ~TFaultsAtStdThreadExit() { *nowhere = Value; }
};

// Local to a function: the threads of the other scenarios never build it.
TFaultsAtStdThreadExit& FaultsAtStdExit()
{
    thread_local TFaultsAtStdThreadExit object;
    return object;
}

__attribute__((noinline)) void CallNowhere()
{
    reinterpret_cast<void (*)()>(const_cast<int*>(nowhere))();
}

HANDLE bothReady = nullptr;
HANDLE workerProcessing = nullptr;
volatile LONG ready = 0;

DWORD WINAPI FaultTogether(void*)
{
    if (InterlockedIncrement(&ready) == 2)
        SetEvent(bothReady);
    WaitForSingleObject(bothReady, 10000);
    CrashAccessViolation();
    return 0;
}

// The main thread and a worker fault at the same moment.
HANDLE faultNow = nullptr;
HANDLE workerFaulted = nullptr;
HANDLE faultingWorker = nullptr;

DWORD WINAPI FaultWhenTold(void*)
{
    WaitForSingleObject(faultNow, 10000);
    CrashAccessViolation();
    return 0;
}

// Starts a worker that faults once `faultNow` is set; `workerFaulted` is set when its fault is
// being dispatched, before the logger sees it.
void StartWorkerFaultingWhenTold()
{
    faultNow = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    workerFaulted = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    faultingWorker = CreateThread(nullptr, 0, FaultWhenTold, nullptr, 0, nullptr);
    AddVectoredExceptionHandler(0, [](EXCEPTION_POINTERS*) -> LONG WINAPI {
        if (GetThreadId(faultingWorker) == GetCurrentThreadId()) {
            SetEvent(workerFaulted);
            // A loaded machine: the fault takes its time from here to the unhandled-exception
            // filter, while the other report goes on.
            Sleep(300);
        }
        return EXCEPTION_CONTINUE_SEARCH;
    });
}

// Lets the worker fault at the given stage of the first report, which goes on once the worker's
// fault is being dispatched.
TNotifyStage faultAtStage = TNotifyStage::LogThis;

void FaultWorkerDuringReport(TNotifyStage stage, bool&)
{
    if (stage == faultAtStage && WaitForSingleObject(faultNow, 0) != WAIT_OBJECT_0) {
        SetEvent(faultNow);
        WaitForSingleObject(workerFaulted, 10000);
    } else if (stage == TNotifyStage::BeforeOutput) {
        AppendDebug("output again");
    }
}

// A report that holds the processing flag as long as a dialog nobody answers.
HANDLE reportHeld = nullptr;

DWORD WINAPI ReportAndHold(void*)
{
    ExceptionNotify = [](TNotifyStage stage, bool&) {
        if (stage == TNotifyStage::LogThis) {
            SetEvent(reportHeld);
            Sleep(INFINITE);
        }
    };
    ThrowAndCatchAtTheLayer();
    return 0;
}

HANDLE overflowStart = nullptr;
volatile LONG overflowReady = 0;

DWORD WINAPI OverflowTogether(void*)
{
    if (InterlockedIncrement(&overflowReady) == 2)
        SetEvent(overflowStart);
    WaitForSingleObject(overflowStart, 10000);
    return static_cast<DWORD>(RecurseWide(0));
}

int WINAPI RecordBoxAnswerYes(HWND, const char* text, const char* caption, UINT)
{
    AppendDebug((std::string(caption) + ": " + text).c_str());
    return IDYES;
}

void RecordSwitch(bool run)
{
    AppendDebug(run ? "freeze on" : "freeze off");
}

// Whether every slot of the program's import table that the logger hooks holds the kernel's own
// procedure again.
bool KernelSlotsHoldOriginals()
{
    auto* base = reinterpret_cast<std::uint8_t*>(GetModuleHandleA(nullptr));
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS32*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    const char* hooked[] = {"UnhandledExceptionFilter", "RaiseException", "CreateThread", "ResumeThread", "ExitThread"};
    int found = 0;
    for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress); d->Name; ++d) {
        if (lstrcmpiA(reinterpret_cast<char*>(base + d->Name), "kernel32.dll") != 0)
            continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA32*>(base + d->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA32*>(base + d->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (names->u1.Ordinal & IMAGE_ORDINAL_FLAG32)
                continue;
            const char* name = reinterpret_cast<char*>(
                reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name);
            for (const char* h : hooked)
                if (std::strcmp(name, h) == 0) {
                    ++found;
                    if (slots->u1.Function !=
                        reinterpret_cast<DWORD>(reinterpret_cast<void*>(GetProcAddress(kernel, name))))
                        return false;
                }
        }
    }
    return found > 0;
}

HANDLE reportSaved = nullptr;

// A static object whose destructor faults once armed; made before main, so destroyed after
// everything made later (the logger's own caches among them).
struct TFaultsWhenDestroyed {
    volatile bool Armed = false;
    ~TFaultsWhenDestroyed()
    {
        if (Armed)
            *nowhere = 8;
    }
};

TFaultsWhenDestroyed faultsWhenDestroyed;

// Stands in for the dialog of a report: it stays open until the program's window, drawn while
// the report is made, has faulted in its paint.
HWND paintedWindow = nullptr;
HANDLE paintFaulted = nullptr;

void OpenDialogUntilThePaintFaults()
{
    InvalidateRect(paintedWindow, nullptr, TRUE);
    WaitForSingleObject(paintFaulted, 30000);
}

// Stands in for the dialog of a worker's report, which nobody closes.
HANDLE dialogOpen = nullptr;

// The hang watcher's polls: those that came while the window was stopped are all answered at
// once when it runs again; one that comes well after the one before was sent while the window
// was running, and so was answered in time.
volatile DWORD lastPoll = 0;
volatile bool polledWhileRunning = false;

LRESULT CALLBACK NotesAnswers(HWND window, UINT message, WPARAM w, LPARAM l)
{
    if (message == WM_NULL) {
        const DWORD now = GetTickCount();
        if (now - lastPoll >= 100)
            polledWhileRunning = true;
        lastPoll = now;
        return 0;
    }
    return DefWindowProcA(window, message, w, l);
}

// Runs the window until the watcher has had an answer; false when it never polls.
bool AnswerTheWatcher()
{
    polledWhileRunning = false;
    lastPoll = GetTickCount();
    const DWORD start = GetTickCount();
    while (!polledWhileRunning) {
        if (GetTickCount() - start > 10000)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }
    return true;
}

DWORD WaitWorker(HANDLE thread)
{
    WaitForSingleObject(thread, INFINITE);
    DWORD code = 0;
    GetExitCodeThread(thread, &code);
    CloseHandle(thread);
    return code;
}

// A worker that faults while the program ends, in one of its end handlers.
void FaultInAWorkerAtExit()
{
    HANDLE worker = CreateThread(nullptr, 0, DivideWorker, nullptr, 0, nullptr);
    const bool ended = WaitForSingleObject(worker, 60000) == WAIT_OBJECT_0;
    AppendDebug(ended ? ("worker " + std::to_string(WaitWorker(worker))).c_str() : "worker still running");
}

// A shown window of a class of its own, in the foreground, its first messages handled.
HWND ShowWindowOfClass(const char* className, const char* title, WNDPROC procedure)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = className;
    RegisterClassA(&wc);
    HWND window = CreateWindowA(className, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                                wc.hInstance, nullptr);
    SetForegroundWindow(window);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
    return window;
}

// A window whose procedure faults in one message that the system calls it back for (a paint,
// a WM_SIZE sent by SetWindowPos), and whose faults the system drops there.
UINT faultingMessage = WM_NULL;

__attribute__((noinline)) void FaultInCallback()
{
    if (paintFaulted)
        SetEvent(paintFaulted);
    *nowhere = 4;
}

LRESULT CALLBACK FaultingProc(HWND window, UINT message, WPARAM w, LPARAM l)
{
    if (message == faultingMessage)
        FaultInCallback();
    return DefWindowProcA(window, message, w, l);
}

int FaultCalledBack(UINT message)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = FaultingProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "CrashlogCalledBack";
    RegisterClassA(&wc);
    HWND window = CreateWindowA("CrashlogCalledBack", "Called back", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                nullptr, wc.hInstance, nullptr);
    faultingMessage = message;
    if (message == WM_SIZE)
        SetWindowPos(window, nullptr, 0, 0, 300, 200, SWP_NOZORDER | SWP_NOMOVE);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
    // Reached only when the fault was dropped.
    faultingMessage = WM_NULL;
    DestroyWindow(window);
    return 95;
}

// Threads that throw, catch and end: each leaves the logger's record of its last throw behind.
DWORD WINAPI ThrowCatchAndEnd(void*)
{
    for (int i = 0; i < 2; ++i) {
        try {
            ThrowUncaught();
        } catch (const std::exception&) {
        }
    }
    return 0;
}

int ThreadsThatThrowAndEnd()
{
    constexpr int Rounds = 50, EachKind = 4;
    for (int round = 0; round < Rounds; ++round) {
        HANDLE threads[EachKind];
        for (HANDLE& t : threads)
            t = CreateThread(nullptr, 0, ThrowCatchAndEnd, nullptr, 0, nullptr);
        std::thread standard[EachKind];
        for (std::thread& t : standard)
            t = std::thread([] { ThrowCatchAndEnd(nullptr); });
        for (std::thread& t : standard)
            t.join();
        for (HANDLE t : threads)
            if (t && WaitWorker(t) != 0)
                return 31;
    }
    return 30;
}

// The report of one handled exception goes out by mail in a way that the test chose.
int RunMailScenario(const std::string& scenario)
{
    TVozozoModuleOptionsEx* o = MainModuleOptions();
    o->EmailAddresses = "a@example.org";
    o->EmailSubject = "Crash report";
    o->EmailMessage = "See the log.";
    o->EmailSendMode = 2;
    o->EmailConfirmation = 2;
    if (scenario == "mail-refused") {
        // The fourth argument is a port where nothing listens.
        o->SMTPHost = "127.0.0.1";
        MailSettings().SmtpPort = static_cast<unsigned short>(std::atoi(extraArgument.c_str()));
    } else {
        // No Simple MAPI library; the mailto handler the test registered, with a long message.
        MailSettings().MailClientsRoot = HKEY_CURRENT_USER;
        MailSettings().MailClientsKey = "Software\\TrebanixTests\\CrashMail";
        MailSettings().MailtoRoot = HKEY_CURRENT_USER;
        MailSettings().MailtoKey = "Software\\TrebanixTests\\CrashMailto";
        o->EmailMessage.clear();
        for (int i = 0; i < 1000; ++i)
            o->EmailMessage += "A line of what the user did.\r\n";
    }
    ThrowAndCatchAtTheLayer();
    return 70;
}

__attribute__((noinline)) int RunScenario(const std::string& scenario)
{
    if (scenario == "mail-refused" || scenario == "mail-shell")
        return RunMailScenario(scenario);
    if (scenario == "av-main") {
        CrashAccessViolation();
    } else if (scenario == "div-worker") {
        return 10 + static_cast<int>(WaitWorker(CreateThread(nullptr, 0, DivideWorker, nullptr, 0, nullptr)));
    } else if (scenario == "throw-uncaught") {
        ThrowUncaught();
    } else if (scenario == "throw-wndproc") {
        WNDCLASSA wc{};
        wc.lpfnWndProc = ThrowingProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "CrashlogThrowing";
        RegisterClassA(&wc);
        HWND window = CreateWindowA("CrashlogThrowing", "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                    wc.hInstance, nullptr);
        SendMessageA(window, WM_USER + 1, 0, 0);
    } else if (scenario == "terminate-worker") {
        std::thread worker(WorkerGivesUp);
        worker.join();
        return 20;
    } else if (scenario == "stack-overflow") {
        return Recurse(0);
    } else if (scenario == "overflow-worker") {
        HANDLE worker = CreateThread(nullptr, 0, [](void*) -> DWORD WINAPI { return static_cast<DWORD>(Recurse(0)); },
                                     nullptr, 0, nullptr);
        return 70 + static_cast<int>(WaitWorker(worker));
    } else if (scenario == "two-threads") {
        bothReady = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        HANDLE a = CreateThread(nullptr, 0, FaultTogether, nullptr, 0, nullptr);
        HANDLE b = CreateThread(nullptr, 0, FaultTogether, nullptr, 0, nullptr);
        const DWORD codes = WaitWorker(a) + WaitWorker(b);
        CloseHandle(bothReady);
        return 30 + static_cast<int>(codes);
    } else if (scenario == "handled-then-fatal") {
        // The first exception is handled and freed; the second is new, wherever it is allocated.
        ThrowAndCatchAtTheLayer();
        ThrowUncaught();
    } else if (scenario == "fault-at-thread-exit") {
        return 10 + static_cast<int>(WaitWorker(CreateThread(nullptr, 0, FaultAtThreadExit, nullptr, 0, nullptr)));
    } else if (scenario == "fault-at-std-thread-exit") {
        std::thread worker([] { FaultsAtStdExit().Value = 6; });
        worker.join();
        return 12;
    } else if (scenario == "main-and-worker") {
        // The worker faults while the main thread's report is being made, and that report
        // goes on only once the worker's fault is being dispatched.
        StartWorkerFaultingWhenTold();
        ExceptionNotify = FaultWorkerDuringReport;
        CrashAccessViolation();
    } else if (scenario == "two-overflows") {
        // The two threads of each round overflow at the same moment; each report must walk its
        // own thread's stack.
        int codes = 0;
        for (int round = 0; round < 8; ++round) {
            overflowReady = 0;
            overflowStart = CreateEventA(nullptr, TRUE, FALSE, nullptr);
            HANDLE a = CreateThread(nullptr, 0, OverflowTogether, nullptr, 0, nullptr);
            HANDLE b = CreateThread(nullptr, 0, OverflowTogether, nullptr, 0, nullptr);
            codes += static_cast<int>(WaitWorker(a) + WaitWorker(b));
            CloseHandle(overflowStart);
        }
        return 100 + codes;
    } else if (scenario == "fault-through-nosym") {
        HMODULE library = LoadLibraryA("crashlog_nosym.dll");
        auto callThrough = reinterpret_cast<int (*)(void (*)())>(
            reinterpret_cast<void*>(GetProcAddress(library, "CallThrough")));
        if (!callThrough)
            return 96;
        return callThrough(CrashAccessViolation);
    } else if (scenario == "call-nowhere") {
        CallNowhere();
    } else if (scenario == "worker-fault-ui-blocked") {
        // The user-interface thread does not take messages while it waits for the worker.
        HWND window = ShowWindowOfClass("CrashlogBlocked", "Blocked Window", DefWindowProcA);
        const DWORD code = WaitWorker(CreateThread(nullptr, 0, DivideWorker, nullptr, 0, nullptr));
        DestroyWindow(window);
        return 10 + static_cast<int>(code);
    } else if (scenario == "module-options-switch") {
        // Only the current options start and stop hang detection.
        TVozozoModuleOptionsEx::FreezeSwitch = RecordSwitch;
        CurrentOptions().SetFreezeActivate(true);
        MainModuleOptions()->SetFreezeActivate(true);
        MainModuleOptions()->SetActive(false);
        TVozozoModuleOptionsEx other("other.dll");
        other.SetFreezeActivate(false);
        CurrentOptions().SetFreezeActivate(false);
        TVozozoModuleOptionsEx::FreezeSwitch = nullptr;
        return 80;
    } else if (scenario == "pending-mail-at-crash") {
        // Mail kept for the program's end goes out when a crash ends the program.
        MainModuleOptions()->EmailSendMode = 1;
        SendExceptionMail = [] {
            AppendDebug("mail");
            return true;
        };
        CrashAccessViolation();
    } else if (scenario == "action-keeps-alive") {
        MainModuleOptions()->TerminateBtnOperation = 0;
        ExceptionNotify = [](TNotifyStage stage, bool&) {
            if (stage == TNotifyStage::AfterLog)
                SetTerminateFlag(true);
        };
        ExceptionActionNotify = [] {
            AppendDebug("action");
            SetTerminateFlag(false);
        };
        ThrowAndCatchAtTheLayer();
        return 51;
    } else if (scenario == "mail-after-each") {
        // The mail routine tells the notify hook itself; the pipeline must not tell it twice.
        MainModuleOptions()->EmailSendMode = 2;
        SendExceptionMail = [] {
            AppendDebug("mail");
            return true;
        };
        ExceptionNotify = [](TNotifyStage stage, bool&) {
            if (stage == TNotifyStage::BeforeMail || stage == TNotifyStage::AfterMail)
                AppendDebug("mail hook");
        };
        ThrowAndCatchAtTheLayer();
        return 52;
    } else if (scenario == "fault-in-atexit") {
        std::atexit([] { CrashAccessViolation(); });
        return 21;
    } else if (scenario == "fault-in-static-destructor") {
        // The logger's caches are made now, after this object: they are gone when it faults.
        DescribeException(std::make_exception_ptr(cl::Exception("made now")));
        faultsWhenDestroyed.Armed = true;
        return 22;
    } else if (scenario == "worker-fault-in-atexit") {
        std::atexit(FaultInAWorkerAtExit);
        return 23;
    } else if (scenario == "fault-in-paint-during-dialog") {
        // The program's window faults in a paint while the report of a handled exception shows
        // its dialog.
        MainModuleOptions()->NoOutput = false;
        paintFaulted = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        ShowExceptionDialog = OpenDialogUntilThePaintFaults;
        paintedWindow = ShowWindowOfClass("CrashlogPainted", "Painted", FaultingProc);
        faultingMessage = WM_PAINT;
        ThrowAndCatchAtTheLayer();
        return 24;
    } else if (scenario == "worker-dialog-at-end") {
        // The program ends while the dialog of a worker's report is open.
        MainModuleOptions()->NoOutput = false;
        dialogOpen = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        ShowExceptionDialog = [] {
            SetEvent(dialogOpen);
            Sleep(INFINITE);
        };
        CloseHandle(CreateThread(nullptr, 0, DivideWorker, nullptr, 0, nullptr));
        return WaitForSingleObject(dialogOpen, 30000) == WAIT_OBJECT_0 ? 25 : 26;
    } else if (scenario == "fault-in-paint") {
        return FaultCalledBack(WM_PAINT);
    } else if (scenario == "fault-in-size") {
        return FaultCalledBack(WM_SIZE);
    } else if (scenario == "threads-throw-and-end") {
        return ThreadsThatThrowAndEnd();
    } else if (scenario == "normal-end") {
        return 0;
    } else if (scenario == "vanish") {
        // Ends without any shut-down step: only what was written already is left.
        ThrowAndCatchAtTheLayer();
        TerminateProcess(GetCurrentProcess(), 0);
    } else if (scenario == "imports-restored") {
        AppendDebug(KernelSlotsHoldOriginals() ? "originals" : "hooked");
        DoneExceptionLog();
        AppendDebug(KernelSlotsHoldOriginals() ? "originals" : "hooked");
        return 0;
    } else if (scenario == "hang" || scenario == "hang-after-answers" || scenario == "hang-during-report") {
        // The main window stops answering until the hang has been reported: no fixed wait.
        reportSaved = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        ExceptionNotify = [](TNotifyStage stage, bool&) {
            if (stage == TNotifyStage::AfterLog)
                SetEvent(reportSaved);
        };
        MainModuleOptions()->FreezeTimeout = 1;
        MainModuleOptions()->FreezeActivate = true;
        CurrentOptions().Assign(MainModuleOptions());
        HWND window = ShowWindowOfClass("CrashlogHanging", "Hanging", NotesAnswers);
        if (scenario == "hang-during-report") {
            // Another thread's report holds the flag when the window stops answering; the
            // watcher, waiting for the flag, must not keep the logger from shutting down.
            reportHeld = CreateEventA(nullptr, TRUE, FALSE, nullptr);
            CloseHandle(CreateThread(nullptr, 0, ReportAndHold, nullptr, 0, nullptr));
            if (WaitForSingleObject(reportHeld, 10000) != WAIT_OBJECT_0)
                return 91;
            Sleep(3000);
            DoneExceptionLog();
            AppendDebug("shut down");
            return 94;
        }
        if (scenario == "hang-after-answers") {
            // Six stops of 600 ms, each under the one-second bound but together far over it,
            // with the window answering the watcher between them. A report still under way at
            // the end is finished when the logger shuts down.
            for (int round = 0; round < 6; ++round) {
                Sleep(600);
                if (!AnswerTheWatcher())
                    return 92;
            }
            DestroyWindow(window);
            return 93;
        }
        // A bound only against a hang detection that never reports; reaching the end at all
        // shows that the main thread was not left suspended.
        const bool reported = WaitForSingleObject(reportSaved, 60000) == WAIT_OBJECT_0;
        DestroyWindow(window);
        CloseHandle(reportSaved);
        return reported ? 90 : 91;
    } else if (scenario == "dialog-four") {
        // Four exceptions, each shown in the dialog; the test closes each with OK.
        MainModuleOptions()->NoOutput = false;
        for (int i = 0; i < 4; ++i) {
            ThrowAndCatchAtTheLayer();
        }
        return 55;
    } else if (scenario == "dialog-terminate" || scenario == "dialog-terminate-worker") {
        MainModuleOptions()->NoOutput = false;
        MainModuleOptions()->TerminateBtnThreshold = 0;
        MainModuleOptions()->TerminateBtnOperation = 0;
        if (scenario == "dialog-terminate-worker") {
            // A worker faults just before the dialog opens: its report waits for the dialog's.
            StartWorkerFaultingWhenTold();
            faultAtStage = TNotifyStage::BeforeOutput;
            ExceptionNotify = FaultWorkerDuringReport;
        }
        ThrowAndCatchAtTheLayer();
        return 56;
    } else if (scenario == "dialog-message") {
        // The dialog for an exception whose message is the fourth argument, "|" a line break.
        MainModuleOptions()->NoOutput = false;
        std::string message = extraArgument;
        for (char& c : message)
            if (c == '|')
                c = '\n';
        try {
            throw cl::Exception(message);
        } catch (...) {
            cl::ExceptionHooks().OnException(std::current_exception(), nullptr, cl::TCatchPoint::Application);
        }
        return 58;
    } else if (scenario == "dialog-details") {
        MainModuleOptions()->NoOutput = false;
        MainModuleOptions()->OpenOnGeneralTab = false;
        ThrowAndCatchAtTheLayer();
        return 57;
    } else if (scenario == "throw-html") {
        MainModuleOptions()->NoOutput = false;
        throw std::runtime_error("<script>alert(1)</script> & more");
    } else if (scenario == "mail-smtp") {
        // The report goes to the test's mail server, whose port is the fourth argument.
        TVozozoModuleOptionsEx* o = MainModuleOptions();
        o->SMTPHost = "127.0.0.1";
        o->EmailAddresses = "a@example.org";
        o->EmailSubject = "Crash report";
        o->EmailMessage = "See the log.";
        o->EmailSendMode = 2;
        o->EmailConfirmation = 2;
        MailSettings().SmtpPort = static_cast<unsigned short>(std::atoi(extraArgument.c_str()));
        ExceptionNotify = [](TNotifyStage stage, bool&) {
            if (stage == TNotifyStage::BeforeMail)
                AppendDebug("before mail");
            if (stage == TNotifyStage::AfterMail)
                AppendDebug("after mail");
        };
        CrashAccessViolation();
    } else if (scenario == "options-without-logger") {
        AppendDebug(&CurrentVozozoRezOptions() == MainModuleOptions() ? "options" : "other options");
        DoneExceptionLog();
        try {
            CurrentVozozoRezOptions();
        } catch (const cl::EAssertionFailed& e) {
            AppendDebug(e.Message().c_str());
        }
        return 0;
    } else if (scenario == "internal-bug") {
        // A fault inside the logger while the trace runs: the user is asked, and here answers
        // Yes; no mail client can be opened, so the user is told where the trace is.
        ShowMessageBox = RecordBoxAnswerYes;
        MailSettings().MailClientsRoot = HKEY_CURRENT_USER;
        MailSettings().MailClientsKey = "Software\\TrebanixTests\\NoMailClient";
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\TrebanixTests\\NoMailClient\\Gone", 0, nullptr, 0, KEY_WRITE,
                        nullptr, &key, nullptr);
        RegSetValueExA(key, "DLLPath", 0, REG_SZ, reinterpret_cast<const BYTE*>("no-such-mapi.dll"), 17);
        RegCloseKey(key);
        RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\TrebanixTests\\NoMailClient", 0, KEY_WRITE, &key);
        RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>("Gone"), 5);
        RegCloseKey(key);
        ExceptionNotify = [](TNotifyStage stage, bool&) {
            if (stage == TNotifyStage::BeforeLog)
                throw std::runtime_error("the hook failed");
        };
        ThrowAndCatchAtTheLayer();
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\TrebanixTests\\NoMailClient\\Gone");
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\TrebanixTests\\NoMailClient");
        return 0;
    } else if (scenario == "record-argument") {
        // Stands in for a mail program: writes what it was started with.
        AppendDebug(extraArgument.c_str());
        return 0;
    } else if (scenario == "terminate-button" || scenario == "restart-button") {
        // What the dialog's third button does: the report is made, then the program ends.
        AppendDebug("started");
        if (scenario == "restart-button" && CountStarts() > 1)
            return 0;
        MainModuleOptions()->TerminateBtnOperation = scenario == "restart-button" ? 1 : 0;
        ExceptionNotify = [](TNotifyStage stage, bool&) {
            if (stage == TNotifyStage::AfterLog)
                SetTerminateFlag(true);
        };
        ThrowAndCatchAtTheLayer();
        return 50;
    } else if (scenario == "console-output") {
        MainModuleOptions()->NoOutput = false;
        CrashAccessViolation();
    } else if (scenario == "main-waits-for-worker") {
        // The main thread waits for the flag while the worker's report asks its window for text.
        HWND window = ShowWindowOfClass("CrashlogForeground", "Foreground", DefWindowProcA);
        workerProcessing = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        TVozozoModuleOptionsEx::FreezeSwitch = [](bool) {
            if (GetCurrentThreadId() != MainThreadId() && workerProcessing) {
                SetEvent(workerProcessing);
                Sleep(300);  // long enough for the main thread to be waiting
            }
        };
        HANDLE worker = CreateThread(nullptr, 0, DivideWorker, nullptr, 0, nullptr);
        WaitForSingleObject(workerProcessing, 10000);
        ThrowAndCatchAtTheLayer();
        const DWORD code = WaitWorker(worker);
        CloseHandle(workerProcessing);
        DestroyWindow(window);
        return 60 + static_cast<int>(code);
    } else if (scenario == "logger-fault-main") {
        ExceptionNotify = [](TNotifyStage stage, bool&) {
            if (stage == TNotifyStage::BeforeLog)
                *nowhere = 3;
        };
        CrashAccessViolation();
    } else if (scenario == "logger-fault") {
        ExceptionNotify = [](TNotifyStage stage, bool&) {
            if (stage == TNotifyStage::BeforeLog)
                *nowhere = 2;  // the logger's own hook fails while the report is saved
        };
        return 40 + static_cast<int>(WaitWorker(CreateThread(nullptr, 0, DivideWorker, nullptr, 0, nullptr)));
    }
    return 99;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4)
        return 98;
    debugFile = argv[3];
    if (argc > 4)
        extraArgument = argv[4];
    DebugOutput = AppendDebug;
    if (!InitExceptionLog())
        return 97;
    TVozozoModuleOptionsEx* options = MainModuleOptions();
    options->OutputPath = argv[2];
    options->NoOutput = true;
    return RunScenario(argv[1]);
}
