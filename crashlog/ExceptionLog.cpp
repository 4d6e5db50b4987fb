#include "crashlog/ExceptionLog.h"

#include "classlib/system/KernelHandles.h"

#include <cstdio>
#include <mutex>

#include <pthread.h>

#include "crashlog/EBugReport.h"
#include "crashlog/EDialog.h"
#include "crashlog/EEntries.h"
#include "crashlog/EFreeze.h"
#include "crashlog/EMail.h"
#include "crashlog/ETrace.h"
#include "crashlog/ELogFile.h"
#include "crashlog/EModules.h"
#include "crashlog/EStack.h"
#include "crashlog/ESysInfo.h"
#include "crashlog/EThreads.h"
#include "crashlog/EWebPage.h"

namespace crashlog {

TExceptionNotify ExceptionNotify = nullptr;
TExceptionActionNotify ExceptionActionNotify = nullptr;
TExceptionErrorNotify ExceptionErrorNotify = nullptr;
void (*ShowExceptionDialog)() = nullptr;
bool (*SendExceptionMail)() = nullptr;
int (WINAPI* ShowMessageBox)(HWND, const char*, const char*, UINT) = MessageBoxA;

int ShowUserMessage(const std::string& text, const std::string& caption, UINT style)
{
    if (!ShowMessageBox || !MayShowWindows())
        return 0;
    return ShowMessageBox(nullptr, text.c_str(), caption.c_str(), style);
}

namespace {

constexpr std::size_t MaxStackEntries = 200;
// How long a crash that ends the process waits for the reports of other threads.
constexpr DWORD OtherReportsBound = 30000;

struct TExceptionThread;

struct TLoggerState {
    bool Installed = false;
    // The logger lives in a library with logger data of its own, not in the program.
    bool InLibrary = false;
    // The logger's module runs its static constructors (and its entry for the attach), or,
    // from the start of its detach, its finalization: a library then holds the system's loader
    // lock, under which no thread can start.
    volatile LONG Initializing = 0;
    volatile LONG Finalizing = 0;
    DWORD MainThread = 0;
    std::uint32_t MainStackTop = 0;
    SYSTEMTIME StartTime{};
    std::unique_ptr<TVozozoModuleOptionsEx> Current;
    volatile LONG ProcessingOwner = 0;
    volatile LONG ExceptionThread = 0;
    volatile LONG MainCallThread = 0;  // the thread that runs parked calls while it waits
    std::mutex MainCallLock;
    void (*volatile MainCall)(void*) = nullptr;
    void* volatile MainCallData = nullptr;
    volatile LONG ErrorCount = 0;
    volatile LONG Terminate = 0;
    // The user chose to end the program: the reports still under way are written unasked.
    volatile LONG Ending = 0;
    char StartDirectory[MAX_PATH] = "";
    // The report of the exception being processed.
    std::string LogText;
    std::string Message;
    TVozozoStackList Stack;
    volatile bool LogBuilt = false;
    bool LogSaved = false;
    // The report is built and the notify hook let it through: it is to be written.
    volatile bool LogDue = false;
    // Taken by whoever writes the report: its own thread, or the end of the process while the
    // report's output (a dialog) is still open.
    volatile LONG SaveTaken = 0;
    // The thread that dispatches a paint while it waits for an exception thread, and that thread.
    volatile LONG PaintingThread = 0;
    TExceptionThread* volatile Waited = nullptr;
    HANDLE volatile WaitedThread = nullptr;
    // The program's own code (a hook, the dialog, the mail) runs inside the report: the report
    // waits for the program or the user then, not for a lock.
    volatile LONG ProgramCalls = 0;
    // A report was made in place of an exception thread that could not run: what the faulting
    // thread holds is wanted elsewhere and never given back, so the process ends after it.
    volatile LONG ProcessMustEnd = 0;
    bool ActionNotified = false;
    volatile LONG PendingMailSent = 0;
    std::string FocusClass;
    std::string FocusText;
    std::string Version;

};

TLoggerState& State()
{
    static auto* state = new TLoggerState;  // reached by faults up to the process's last moment
    return *state;
}

std::string WindowClass(HWND window)
{
    char text[256] = "";
    if (window)
        GetClassNameA(window, text, sizeof text);
    return text;
}

std::string WindowText(HWND window)
{
    char text[256] = "";
    if (!window)
        return {};
    if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
        GetWindowTextA(window, text, sizeof text);
    } else {
        // The window's thread may be blocked, or waiting for the processing flag itself: its
        // text is read from the window, without a message to that thread.
        wchar_t wide[256] = L"";
        InternalGetWindowText(window, wide, 256);
        if (!WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr))
            text[0] = '\0';
        text[sizeof text - 1] = '\0';
    }
    return ReplaceControlChars(text);
}

std::string DateOf(const SYSTEMTIME& t)
{
    return LogDateText(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
}

bool OwnerThreadGone(DWORD owner)
{
    const cl::TOwnedHandle thread(OpenThread(SYNCHRONIZE, FALSE, owner));
    return !thread || WaitForSingleObject(thread.get(), 0) == WAIT_OBJECT_0;
}

// Marks the program's own code running inside a report.
class TProgramCall {
public:
    TProgramCall() { InterlockedIncrement(&State().ProgramCalls); }
    ~TProgramCall() { InterlockedDecrement(&State().ProgramCalls); }
    TProgramCall(const TProgramCall&) = delete;
    TProgramCall& operator=(const TProgramCall&) = delete;
};

struct TNotifyCall {
    TNotifyStage Stage;
    bool GoOn;
};

// The notify hook, on the main thread when it waits for an exception thread.
bool Notify(TNotifyStage stage)
{
    if (!ExceptionNotify)
        return true;
    TNotifyCall call{stage, true};
    TProgramCall inProgram;
    CallInMainThread(
        [](void* data) {
            auto* c = static_cast<TNotifyCall*>(data);
            if (ExceptionNotify)
                ExceptionNotify(c->Stage, c->GoOn);
        },
        &call);
    return call.GoOn;
}

TLogData GatherLogData(const TExceptionContext& context, const SYSTEMTIME& now, const std::string& moduleFile)
{
    TLoggerState& s = State();
    TLogData data;
    data.Values[0] = DateOf(s.StartTime);
    std::string description = GetFileDescription(moduleFile);
    data.Values[1] = description.empty() ? ExtractFileName(moduleFile) : description;
    data.Values[2] = GetFileVersionText(moduleFile);
    data.Values[3] = DateOf(now);
    data.Values[4] = AddressText(context.Address);
    // Under Wine address 0 lies in the main program's module; no module holds it.
    if (HMODULE module = context.Address ? ModuleOfAddress(reinterpret_cast<const void*>(context.Address)) : nullptr)
        data.Values[5] = ExtractFileName(ModuleFileName(module));
    data.Values[6] = context.Description.ClassName;
    if (context.Description.IsException)
        data.Values[7] = WithFinalPoint(ReplaceControlChars(context.Description.Message));
    HWND foreground = GetForegroundWindow();
    data.Values[8] = WindowClass(foreground);
    data.Values[9] = WindowText(foreground);
    data.Values[10] = s.FocusClass;
    data.Values[11] = s.FocusText;
    char program[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, program, sizeof program);
    TSystemInfo system = GetSystemInfoFields(program);
    data.Values[12] = system.ComputerName;
    data.Values[13] = system.TotalMemory;
    data.Values[14] = system.FreeMemory;
    data.Values[15] = system.TotalDisk;
    data.Values[16] = system.FreeDisk;
    data.Values[17] = system.OSType;
    data.Values[18] = system.OSBuild;
    data.Values[19] = system.OSLanguage;
    data.ActiveControls = !IsConsoleProgram() && WebKind() == TWebKind::None;
    return data;
}

void SaveLog()
{
    TLoggerState& s = State();
    if (!Notify(TNotifyStage::BeforeLog))
        return;
    // Written already by the end of the process, while the report's dialog was open.
    if (InterlockedExchange(&s.SaveTaken, 1) != 0)
        return;
    // The error hook may ask again and again; a bounded number of retries keeps the process alive.
    for (int attempt = 0; attempt < 10; ++attempt) {
        bool retry = false;
        try {
            SaveLogText(CurrentOptions(), s.LogText, s.Version);
            s.LogSaved = true;
        } catch (...) {
            ReportStepError(eeLogError, "Log");
            if (ExceptionErrorNotify)
                ExceptionErrorNotify(eeLogError, LastWarningText(), retry);
        }
        if (!retry)
            break;
    }
    Notify(TNotifyStage::AfterLog);
}

void Output(const TExceptionContext& context)
{
    TLoggerState& s = State();
    TProgramCall inProgram;
    const TWebKind web = WebKind();
    // A web server's request gets an error page: a dialog would block the server. Outside a
    // request a web-server library has nobody to answer: the log is all. The answer of a CGI
    // program, and its console, are the program's: a library in it writes its log only.
    if (web == TWebKind::ISAPI || (web != TWebKind::None && !s.InLibrary)) {
        if (web == TWebKind::ISAPI && !context.ServerECB)
            return;
        if (!SendWebPage(web, BuildWebPage(CurrentOptions(), s.LogText), context.ServerECB))
            InternalWarning(eeShowError, "The error page could not be sent.");
    } else if (s.InLibrary && (web != TWebKind::None || IsConsoleProgram())) {
        return;
    } else if (IsConsoleProgram()) {
        const std::string text = CurrentOptions().GetCustomizedText(ctDialogHeader) + "\r\n\r\n" + s.LogText + "\r\n";
        // Past the run-time's text mode, which would turn each line break into "\r\r\n".
        std::fflush(stdout);
        DWORD written = 0;
        WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    } else if (ShowExceptionDialog) {
        ShowExceptionDialog();
    }
}

// The step a report has reached, named in the internal error of a step that fails.
struct TNotifyRun {
    int Step = 0;
    void Failed() const { InternalError(std::string(SInternalExceptNotify) + std::to_string(Step)); }
};

// Steps 1-3: the time, the module the fault lies in (whose options rule the report) and the
// filters. True when a filter takes the exception, which then gets its message and no report.
bool PrepareNotify(TNotifyRun& run, TExceptionContext& context, SYSTEMTIME& now, std::string& moduleFile)
{
    run.Step = 1;
    GetLocalTime(&now);
    if (context.Language && context.Address)
        context.Address -= 5;
    run.Step = 2;
    TVozozoModuleInfo* info = ModulesList().ModuleInfoOfAddress(reinterpret_cast<const void*>(context.Address));
    if (!info || !info->Options)
        info = ModulesList().GetModuleInfo(LoggerModule());
    if (info && info->Options)
        CurrentOptions().Assign(info->Options.get());
    moduleFile = info ? info->FileName : ModuleFileName(LoggerModule());
    run.Step = 3;
    const TVozozoModuleOptions& options = CurrentOptions();
    if (!options.FilterActive)
        return false;
    const int filter = FindExceptionFilter(options, context.Description);
    if (filter < 0)
        return false;
    const std::string message =
        filter < static_cast<int>(options.FilterMessages.size()) ? options.FilterMessages[filter] : "";
    if (!message.empty())
        ShowUserMessage(message, options.GetCustomizedText(ctInformation),
                        MB_OK | MB_ICONINFORMATION | MB_TASKMODAL | MB_TOPMOST | MB_SERVICE_NOTIFICATION);
    return true;
}

// Steps 4-5: the faulting call stack, then the stack that created the faulting thread.
void CollectStack(TNotifyRun& run, const TExceptionContext& context)
{
    TLoggerState& s = State();
    run.Step = 4;
    // A runaway recursion would fill the report with thousands of the same frames.
    s.Stack = BuildCallStack(context.Address, context.StackPointer, context.StackTop, context.StackCopy,
                             MaxStackEntries);
    run.Step = 5;
    TVozozoStackList creator = CreatorStackOf(GetCurrentFaultingThread());
    s.Stack.insert(s.Stack.end(), creator.begin(), creator.end());
}

// Step 7: the log text. False when the notify hook drops the report.
bool BuildLog(TNotifyRun& run, const TExceptionContext& context, const SYSTEMTIME& now, const std::string& moduleFile)
{
    TLoggerState& s = State();
    run.Step = 7;
    TLogData data = GatherLogData(context, now, moduleFile);
    s.Version = data.Values[2];
    data.Stack = s.Stack;
    s.LogText = BuildLogText(CurrentOptions(), data);
    s.LogBuilt = true;
    s.LogDue = Notify(TNotifyStage::LogThis);
    return s.LogDue;
}

// Steps 9-16: count the error, show it, save it, mail it; each step apart, so that one that
// fails leaves the others their turn.
void DeliverReport(TNotifyRun& run, const TExceptionContext& context)
{
    TLoggerState& s = State();
    run.Step = 9;
    InterlockedIncrement(&s.ErrorCount);
    run.Step = 10;
    s.Message = context.Description.IsException ? context.Description.Message
                                                : std::string(SExceptionObject) + context.Description.ClassName;
    s.Message = WithFinalPoint(s.Message);
    try {
        run.Step = 11;
        if (!CurrentOptions().NoOutput && !s.Ending && Notify(TNotifyStage::BeforeOutput)) {
            run.Step = 13;
            Output(context);
            run.Step = 14;
            Notify(TNotifyStage::AfterOutput);
        }
    } catch (...) {
        ReportStepError(eeShowError, "Show");
    }
    try {
        run.Step = 15;
        SaveLog();
    } catch (...) {
        run.Failed();
    }
    try {
        run.Step = 16;
        // The mail routine calls the notify hook before and after sending itself.
        if (CurrentOptions().EmailSendMode == 2 && SendExceptionMail) {
            TProgramCall inProgram;
            SendExceptionMail();
        }
    } catch (...) {
        run.Failed();
    }
}

// The eighteen steps; a failing step is reported and the report goes on with what it has, so
// that the log entry is not lost to a fault in a later step.
bool InternalExceptNotify(TExceptionContext& context)
{
    TLoggerState& s = State();
    TNotifyRun run;
    SYSTEMTIME now{};
    std::string moduleFile;
    try {
        if (PrepareNotify(run, context, now, moduleFile))
            return true;
    } catch (...) {
        run.Failed();
    }
    s.Stack.clear();
    try {
        CollectStack(run, context);
    } catch (...) {
        run.Failed();
    }
    bool goOn = true;
    try {
        goOn = BuildLog(run, context, now, moduleFile);
    } catch (...) {
        run.Failed();
    }
    if (goOn && s.LogBuilt)
        DeliverReport(run, context);
    run.Step = 18;
    // The action hook may clear the flag and keep the program alive; the dialog has called it
    // already when its Terminate button set the flag.
    if (s.Terminate && (s.ActionNotified || NotifyTerminateAction())) {
        SendPendingMail();
        TerminateApplication(CurrentOptions().TerminateBtnOperation == 1);
    }
    return false;
}

// What the report needs of the threading runtime (this thread's own data, a lock), tried before
// an exception thread takes the report on: a faulting thread that holds the runtime's lock
// itself (a thread-local destructor at its thread's end) keeps the exception thread here, and
// then makes the report itself.
void ProbeThreadingRuntime()
{
    // The runtime makes its record of a thread that it did not start at the thread's first call.
    pthread_self();
    std::lock_guard<std::mutex> guard(State().MainCallLock);
}

// The exception thread: does the work of an exception of the main thread (or of a thread
// without stack left) while that thread waits.
// The faulting thread waits this long for the exception thread to start; one that cannot start
// (it waits for a lock the faulting thread holds) leaves the report to the faulting thread.
constexpr DWORD ExceptionThreadStartBound = 10000;
// An exception thread that has used no processor time for this long before it takes the report
// on waits for a lock that the faulting thread holds: the faulting thread makes the report.
constexpr DWORD ExceptionThreadStallBound = 2000;
// Once it has taken the report on, the exception thread does its part outside the program's own
// code (hooks, dialog, mail) within this bound, or it is stopped and the faulting thread makes
// the report.
constexpr DWORD ExceptionThreadWorkBound = 60000;

struct TExceptionThread {
    TExceptionContext* Context;
    volatile LONG Running = 1;
    bool Result = false;
    DWORD FaultingThread;
    // 1: the exception thread makes the report; 2: the faulting thread took it back.
    volatile LONG Claim = 0;

    static DWORD WINAPI Execute(void* parameter)
    {
        auto* self = static_cast<TExceptionThread*>(parameter);
        ProbeThreadingRuntime();
        if (InterlockedCompareExchange(&self->Claim, 1, 0) != 0)
            return 0;  // too late: the report is made without this thread, whose data is gone
        try {
            SetFaultingThread(self->FaultingThread);
            self->Result = InternalExceptNotify(*self->Context);
        } catch (...) {
            InternalError("TExceptionThread.Execute");
        }
        InterlockedExchange(&self->Running, 0);
        return 0;
    }
};

// Watches the exception thread: Stuck when it has used no processor time for the stall bound,
// WorkBoundPassed when it has spent the work bound outside the program's own code.
class TStallWatch {
public:
    explicit TStallWatch(HANDLE thread) : thread_(thread), since_(GetTickCount()), used_(UsedTime()) {}

    bool Stuck()
    {
        const DWORD now = GetTickCount();
        if (State().ProgramCalls != 0) {
            since_ = now;
            working_ = 0;
            return false;
        }
        working_ += now - last_;
        last_ = now;
        const ULONGLONG used = UsedTime();
        if (used != used_ || used == NoTime) {
            used_ = used;
            since_ = now;
        }
        return used != NoTime && now - since_ >= ExceptionThreadStallBound;
    }

    bool WorkBoundPassed() const { return working_ >= ExceptionThreadWorkBound; }

private:
    static constexpr ULONGLONG NoTime = ~0ull;

    ULONGLONG UsedTime() const
    {
        FILETIME created, exited, kernel, user;
        if (!GetThreadTimes(thread_, &created, &exited, &kernel, &user))
            return NoTime;
        return (ULARGE_INTEGER{{kernel.dwLowDateTime, kernel.dwHighDateTime}}.QuadPart) +
               (ULARGE_INTEGER{{user.dwLowDateTime, user.dwHighDateTime}}.QuadPart);
    }

    HANDLE thread_;
    DWORD since_;
    DWORD last_ = GetTickCount();
    DWORD working_ = 0;
    ULONGLONG used_;
};

// Paint messages only: the windows stay drawn, but take no input while the report is made.
void PumpPaintMessages(bool& quitSeen, WPARAM& quitCode)
{
    MSG msg;
    for (int i = 0; i < 11 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
        switch (msg.message) {
        case WM_PAINT:
            TranslateMessage(&msg);
            InterlockedExchange(&State().PaintingThread, static_cast<LONG>(GetCurrentThreadId()));
            DispatchMessageA(&msg);
            InterlockedExchange(&State().PaintingThread, 0);
            break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_CHAR:
            MessageBeep(0);
            break;
        case WM_QUIT:
            quitSeen = true;
            quitCode = msg.wParam;
            break;
        default:
            break;
        }
    }
}

void RunParkedCall()
{
    TLoggerState& s = State();
    void (*call)(void*);
    void* data;
    {
        std::lock_guard<std::mutex> guard(s.MainCallLock);
        call = s.MainCall;
        data = s.MainCallData;
    }
    if (!call)
        return;
    try {
        call(data);
    } catch (...) {
        InternalError("CallInMainThread");
    }
    std::lock_guard<std::mutex> guard(s.MainCallLock);
    s.MainCall = nullptr;
    s.MainCallData = nullptr;
}

}  // namespace

TVozozoModuleOptionsEx& CurrentOptions()
{
    TLoggerState& s = State();
    if (!s.Current) {
        char program[MAX_PATH] = "";
        GetModuleFileNameA(nullptr, program, sizeof program);
        s.Current = std::make_unique<TVozozoModuleOptionsEx>(program);
        s.Current->SetSwitchesFreeze(true);
    }
    return *s.Current;
}

HMODULE LoggerModule()
{
    static HMODULE module = [] {
        HMODULE own = nullptr;
        GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<const char*>(&LoggerModule), &own);
        return own ? own : GetModuleHandleA(nullptr);
    }();
    return module;
}

void SetModuleInitializing(bool value)
{
    InterlockedExchange(&State().Initializing, value ? 1 : 0);
}

void SetModuleFinalizing(bool value)
{
    InterlockedExchange(&State().Finalizing, value ? 1 : 0);
}

TVozozoModuleOptionsEx* MainModuleOptions()
{
    TVozozoModuleInfo* info = ModulesList().GetModuleInfo(LoggerModule());
    return info ? info->Options.get() : nullptr;
}

TVozozoModuleOptionsEx& CurrentVozozoRezOptions()
{
    TVozozoModuleOptionsEx* options = ExceptionLogActive() ? MainModuleOptions() : nullptr;
    cl::Assert(options != nullptr, SOptionsWithoutLogger, "ExceptionLog", __LINE__);
    return *options;
}

DWORD MainThreadId()
{
    return State().MainThread;
}

std::uint32_t MainStackTop()
{
    return State().MainStackTop;
}

bool ExceptionLogActive()
{
    return State().Installed;
}

bool LoggerInLibrary()
{
    return State().InLibrary;
}

bool InitExceptionLog()
{
    TTraceScope trace("InitExceptionLog");
    if (IsDebuggerAttached())
        EnableDebugTrace();
    TLoggerState& s = State();
    if (s.Installed) {
        trace.SetResult(true);
        return true;
    }
    if (!MainModuleOptions()) {
        trace.SetResult(false);
        return false;
    }
    s.Installed = true;
    s.InLibrary = LoggerModule() != GetModuleHandleA(nullptr);
    // A program's main thread can always start a thread: only a library needs the flags.
    s.Initializing = s.InLibrary ? 1 : 0;
    // A library's loading thread is one of the host's threads like any other: a library has no
    // main thread of its own to end, stop or keep painted.
    s.MainThread = s.InLibrary ? 0 : GetCurrentThreadId();
    s.MainStackTop = s.InLibrary ? 0 : CurrentStackTop();
    GetLocalTime(&s.StartTime);
    GetCurrentDirectoryA(sizeof s.StartDirectory, s.StartDirectory);
    // Made now, not by the first report: one at the process's end may not register what it makes.
    ThreadServerECB();
    InstallExceptionEntries();
    if (!ShowExceptionDialog)
        ShowExceptionDialog = ShowDialog;
    if (!SendExceptionMail)
        SendExceptionMail = SendEmail;
    if (!InternalBugReport)
        InternalBugReport = OfferBugReport;
    // Hang detection starts when the program's options ask for it, and follows the current
    // options from then on.
    if (!TVozozoModuleOptionsEx::FreezeSwitch)
        TVozozoModuleOptionsEx::FreezeSwitch = ApplyFreezeSwitch;
    CurrentOptions().Assign(MainModuleOptions());
    trace.SetResult(true);
    return true;
}

bool NotifyTerminateAction()
{
    TLoggerState& s = State();
    s.ActionNotified = true;
    if (ExceptionActionNotify && s.Terminate)
        CallInMainThread([](void*) { ExceptionActionNotify(); }, nullptr);
    return s.Terminate != 0;
}

void SendPendingMail()
{
    TLoggerState& s = State();
    if (!s.Installed || s.ErrorCount == 0 || CurrentOptions().EmailSendMode != 1 || !SendExceptionMail)
        return;
    // Once in the run, whichever end comes first: shut-down, a terminate or a fatal crash.
    if (InterlockedExchange(&s.PendingMailSent, 1) != 0)
        return;
    try {
        SendExceptionMail();
    } catch (...) {
        InternalError("SendPendingMail");
    }
}

namespace {

// Writes the report of another thread that is due and not yet written (its dialog is still open),
// once: the process ends now whatever becomes of that dialog.
void SaveReportUnderway()
{
    TLoggerState& s = State();
    if (!s.LogDue || s.ProcessingOwner == 0 || IsProcessingThread() || InterlockedExchange(&s.SaveTaken, 1) != 0)
        return;
    try {
        SaveLogText(CurrentOptions(), s.LogText, s.Version);
        s.LogSaved = true;
    } catch (...) {
        ReportStepError(eeLogError, "Log");
    }
}

}  // namespace

void RunEndOfProcessSteps()
{
    SaveReportUnderway();
    SendPendingMail();
    SaveDebugTraceIfStarted();
}

bool IsDebuggerAttached()
{
    using TIsDebuggerPresent = BOOL(WINAPI*)();
    auto isPresent = reinterpret_cast<TIsDebuggerPresent>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "IsDebuggerPresent")));
    return isPresent && isPresent();
}

void DoneExceptionLog()
{
    TLoggerState& s = State();
    if (!s.Installed)
        return;
    TTraceScope trace("DoneExceptionLog");
    // A report of another thread is finished first, within the bound; one that waits for the
    // program or the user (a hook, its dialog) is written as it is. A library ends under the
    // loader's lock, which a report of another thread may wait for: it waits for none.
    const DWORD start = GetTickCount();
    while (!s.InLibrary && !s.LogDue && s.ProgramCalls == 0 && OtherReportsUnderway() &&
           GetTickCount() - start < OtherReportsBound)
        Sleep(10);
    SaveReportUnderway();
    SendPendingMail();
    StopFreezeThread();
    if (TVozozoModuleOptionsEx::FreezeSwitch == ApplyFreezeSwitch)
        TVozozoModuleOptionsEx::FreezeSwitch = nullptr;
    RemoveExceptionEntries();
    s.Installed = false;
    SaveDebugTraceIfStarted();
}

namespace {

void StartReport(TLoggerState& s)
{
    s.LogBuilt = false;
    s.LogSaved = false;
    s.LogDue = false;
    s.SaveTaken = 0;
    s.ActionNotified = false;
}

}  // namespace

bool IsProcessingThread()
{
    const auto me = static_cast<LONG>(GetCurrentThreadId());
    TLoggerState& s = State();
    return s.ProcessingOwner == me || s.ExceptionThread == me;
}

bool EnterProcessing(const volatile LONG* giveUp)
{
    TLoggerState& s = State();
    const auto me = static_cast<LONG>(GetCurrentThreadId());
    if (IsProcessingThread())
        return false;
    // Taken atomically: two threads that fault together never both see the flag clear.
    for (;;) {
        const LONG owner = InterlockedCompareExchange(&s.ProcessingOwner, me, 0);
        if (owner == 0)
            break;
        if (giveUp && *giveUp)
            return false;
        // A holder that died without releasing must not stop every later report.
        if (OwnerThreadGone(static_cast<DWORD>(owner)))
            InterlockedCompareExchange(&s.ProcessingOwner, 0, owner);
        else
            Sleep(10);
    }
    StartReport(s);
    return true;
}

void LeaveProcessing()
{
    TLoggerState& s = State();
    InterlockedCompareExchange(&s.ProcessingOwner, 0, static_cast<LONG>(GetCurrentThreadId()));
}

bool ProcessMustEnd()
{
    return State().ProcessMustEnd != 0;
}

void EndProcessAfterReports()
{
    LeaveProcessing();
    // Another thread's report may wait for the flag or be under way: it is written first, within
    // a bound, since a thread that cannot finish (or a dialog nobody answers) must not keep the
    // process alive; at the bound the process ends without it.
    WaitForOtherReports(OtherReportsBound);
    RunEndOfProcessSteps();
    TerminateProcess(GetCurrentProcess(), 1);
    for (;;)
        Sleep(INFINITE);
}

void RescueProcessing(const char* section)
{
    TLoggerState& s = State();
    InternalError(section);
    if (s.LogBuilt && InterlockedExchange(&s.SaveTaken, 1) == 0) {
        try {
            SaveLogText(CurrentOptions(), s.LogText, s.Version);
            s.LogSaved = true;
        } catch (...) {
            InternalError("RescueProcessing");
        }
    }
}

void CallInMainThread(void (*procedure)(void*), void* data)
{
    TLoggerState& s = State();
    const LONG waiting = s.MainCallThread;
    if (s.ExceptionThread != 0 && waiting != 0 && static_cast<LONG>(GetCurrentThreadId()) != waiting) {
        {
            std::lock_guard<std::mutex> guard(s.MainCallLock);
            s.MainCallData = data;
            s.MainCall = procedure;
        }
        for (;;) {
            Sleep(10);
            std::lock_guard<std::mutex> guard(s.MainCallLock);
            if (s.MainCall == nullptr)
                return;
            // The main thread no longer runs parked calls (it gave the report up): the call is
            // taken back and made here rather than waited for without end.
            if (s.MainCallThread != waiting) {
                s.MainCall = nullptr;
                break;
            }
        }
    }
    procedure(data);
}

namespace {

// Waits for the exception thread to make the report, keeping this thread's windows drawn and its
// parked calls served. True when the thread is given up: it never started, or it stalls while
// the report is not saved.
bool WaitForExceptionThread(TExceptionThread* work, HANDLE thread, bool pump, bool parkCalls, bool& quitSeen,
                            WPARAM& quitCode)
{
    TLoggerState& s = State();
    const DWORD started = GetTickCount();
    TStallWatch watch(thread);
    while (work->Running) {
        if (pump)
            PumpPaintMessages(quitSeen, quitCode);
        if (parkCalls)
            RunParkedCall();
        // Also ends when the thread died without clearing its flag.
        if (WaitForSingleObject(thread, 10) == WAIT_OBJECT_0)
            return false;
        const bool stuck = watch.Stuck();
        if (work->Claim == 0 && (stuck || GetTickCount() - started >= ExceptionThreadStartBound) &&
            InterlockedCompareExchange(&work->Claim, 2, 0) == 0)
            return true;
        if (work->Claim == 1 && !s.LogSaved && watch.WorkBoundPassed() && work->Running &&
            SuspendThread(thread) != static_cast<DWORD>(-1)) {
            // Stopped where it waits, so that the report is made once; it never goes on.
            if (work->Running)
                return true;
            ResumeThread(thread);
        }
    }
    return false;
}

// The report made on an exception thread while this thread waits (its own stack may be nearly
// gone, or it is the main thread whose windows must stay drawn).
bool NotifyOnExceptionThread(TExceptionContext& context, DWORD me)
{
    TLoggerState& s = State();
    // Shared with the thread, which may start after this function has given it up.
    auto* work = new TExceptionThread{&context, 1, false, me};
    DWORD id = 0;
    const cl::TOwnedHandle thread(CreateThreadDirect(nullptr, 0, &TExceptionThread::Execute, work, 0, &id));
    if (!thread) {
        delete work;
        InternalError("ExceptNotify");
        return InternalExceptNotify(context);
    }
    const bool pump = me == s.MainThread && !context.LowStack && !context.CalledBack;
    // Inside the system's exception dispatch a fault of a parked call could not be caught:
    // the calls then run on the exception thread, where a fault is an exception of its own.
    const bool parkCalls = pump && !context.InDispatch;
    InterlockedExchange(&s.MainCallThread, parkCalls ? static_cast<LONG>(me) : 0);
    InterlockedExchange(&s.ExceptionThread, static_cast<LONG>(id));
    bool quitSeen = false;
    WPARAM quitCode = 0;
    s.WaitedThread = thread.get();
    s.Waited = work;
    const bool abandoned = WaitForExceptionThread(work, thread.get(), pump, parkCalls, quitSeen, quitCode);
    s.Waited = nullptr;
    InterlockedExchange(&s.ExceptionThread, 0);
    InterlockedExchange(&s.MainCallThread, 0);
    bool result = false;
    if (abandoned) {
        // A thread that never started finds the report taken when it does; its record stays
        // allocated, a few bytes against a lost report. What held it up is held by this
        // thread, and may never be given back: the process ends after the report.
        InterlockedExchange(&s.ProcessMustEnd, 1);
        InternalError("ExceptNotify");
        result = InternalExceptNotify(context);
    } else {
        // The thread touches its record no more once it has cleared its flag: its own end
        // (which the threading runtime may hold up) is not waited for.
        result = work->Result;
        delete work;
    }
    if (quitSeen)
        PostQuitMessage(static_cast<int>(quitCode));
    return result;
}

}  // namespace

bool PaintsForExceptionThread()
{
    return State().PaintingThread == static_cast<LONG>(GetCurrentThreadId());
}

void ReportAfterExceptionThread(TExceptionContext& context)
{
    TLoggerState& s = State();
    // This thread runs the exception thread's calls no more: it makes them itself.
    InterlockedExchange(&s.MainCallThread, 0);
    InterlockedExchange(&s.PaintingThread, 0);
    // Not drawn meanwhile: the window that failed would fail again.
    if (TExceptionThread* work = s.Waited)
        while (work->Running && WaitForSingleObject(s.WaitedThread, 10) != WAIT_OBJECT_0) {
        }
    s.Waited = nullptr;
    InterlockedExchange(&s.ExceptionThread, 0);
    StartReport(s);
    context.CalledBack = true;
    ExceptNotify(context);
}

bool ExceptNotify(TExceptionContext& context)
{
    TTraceScope trace("ExceptNotify", {TTraceArg::Class(context.Description.ClassName.c_str()),
                                       reinterpret_cast<const void*>(context.Address), context.Language});
    TLoggerState& s = State();
    if (!CurrentOptions().Active)
        return true;
    const DWORD me = GetCurrentThreadId();
    SetFaultingThread(me);
    if (!context.LowStack) {
        HWND focus = GetFocus();
        s.FocusClass = WindowClass(focus);
        s.FocusText = WindowText(focus);
    }
    if (!context.StackPointer) {
        std::uint32_t esp;
        asm volatile("movl %%esp, %0" : "=r"(esp));
        context.StackPointer = esp;
        context.StackTop = CurrentStackTop();
        context.StackCopy = nullptr;
    }
    // A library that is initializing or finalizing holds the loader lock: no thread could start.
    const bool loaderBusy = s.InLibrary && (s.Initializing || s.Finalizing);
    if (!loaderBusy && (me == s.MainThread || context.LowStack || context.InDispatch))
        return NotifyOnExceptionThread(context, me);
    return InternalExceptNotify(context);
}

bool ExceptionManager(TExceptionContext context)
{
    TTraceScope trace("ExceptionManager", {TTraceArg::Class(context.Description.ClassName.c_str())});
    if (context.Description.IsAbort)
        return true;
    if (!EnterProcessing())
        return false;
    bool result = false;
    try {
        result = ExceptNotify(context);
    } catch (...) {
        InternalError("ExceptionManager");
    }
    LeaveProcessing();
    return result;
}

const std::string& LastLogText()
{
    return State().LogText;
}

const std::string& LastMessage()
{
    return State().Message;
}

const TVozozoStackList& LastStack()
{
    return State().Stack;
}

int ErrorsCount()
{
    return State().ErrorCount;
}

void SetTerminateFlag(bool value)
{
    InterlockedExchange(&State().Terminate, value ? 1 : 0);
}

bool TerminateFlag()
{
    return State().Terminate != 0;
}

bool CallNotifyHook(TNotifyStage stage)
{
    return Notify(stage);
}

void TerminateApplication(bool restart)
{
    TLoggerState& s = State();
    // The report that asks for the end (of the faulting thread) is finished; the flag is given
    // up so that a report another thread waits to begin can still be written before the end.
    EndReportOf(GetCurrentFaultingThread());
    InterlockedExchange(&s.Ending, 1);
    InterlockedExchange(&s.ExceptionThread, 0);
    InterlockedExchange(&s.ProcessingOwner, 0);
    WaitForOtherReports(OtherReportsBound);
    RunEndOfProcessSteps();
    if (restart) {
        STARTUPINFOA startup{};
        GetStartupInfoA(&startup);
        PROCESS_INFORMATION process{};
        if (CreateProcessA(nullptr, GetCommandLineA(), nullptr, nullptr, FALSE,
                           CREATE_NEW_PROCESS_GROUP | NORMAL_PRIORITY_CLASS, nullptr,
                           s.StartDirectory[0] ? s.StartDirectory : nullptr, &startup, &process)) {
            const cl::TOwnedHandle started(process.hProcess), startedThread(process.hThread);
        }
    }
    TerminateProcess(GetCurrentProcess(), 1);
    for (;;)
        Sleep(INFINITE);
}

}  // namespace crashlog
