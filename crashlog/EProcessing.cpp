// The one-at-a-time flag of the exception pipeline, and what a fault inside the processing saves.
#include "crashlog/ExceptionLog.h"

#include "crashlog/ELoggerState.h"
#include "crashlog/ELogFile.h"

namespace crashlog {

void StartReport(TLoggerState& s)
{
    s.LogBuilt = false;
    s.LogSaved = false;
    s.LogDue = false;
    s.SaveTaken = 0;
    s.ActionNotified = false;
}

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
        if (ThreadEnded(static_cast<DWORD>(owner)))
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

}  // namespace crashlog
