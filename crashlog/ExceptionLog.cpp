#include "crashlog/ExceptionLog.h"

#include "crashlog/EBugReport.h"
#include "crashlog/EDialog.h"
#include "crashlog/EEntries.h"
#include "crashlog/EFreeze.h"
#include "crashlog/ELoggerState.h"
#include "crashlog/EMail.h"
#include "crashlog/EModules.h"
#include "crashlog/EStack.h"
#include "crashlog/ETrace.h"

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

TLoggerState& State()
{
    static auto* state = new TLoggerState;  // reached by faults up to the process's last moment
    return *state;
}

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

}  // namespace crashlog
