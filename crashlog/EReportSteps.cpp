// The steps of one report, from the filters to the mail, and the pipeline's entry.
#include "crashlog/ExceptionLog.h"

#include <cstdio>

#include "crashlog/ELoggerState.h"
#include "crashlog/ELogFile.h"
#include "crashlog/EModules.h"
#include "crashlog/EStack.h"
#include "crashlog/ESysInfo.h"
#include "crashlog/EThreads.h"
#include "crashlog/ETrace.h"

namespace crashlog {

namespace {

constexpr std::size_t MaxStackEntries = 200;

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

}  // namespace

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

bool CallNotifyHook(TNotifyStage stage)
{
    return Notify(stage);
}

}  // namespace crashlog
