// The end of the process: the terminate hook, the pending mail, the report still under way, the
// restart.
#include "crashlog/ExceptionLog.h"

#include "classlib/system/KernelHandles.h"
#include "crashlog/ELoggerState.h"
#include "crashlog/ELogFile.h"
#include "crashlog/EThreads.h"
#include "crashlog/ETrace.h"

namespace crashlog {

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

void RunEndOfProcessSteps()
{
    SaveReportUnderway();
    SendPendingMail();
    SaveDebugTraceIfStarted();
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
