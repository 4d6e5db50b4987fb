#pragma once
// What the parts of the exception pipeline share: the logger's state, reached by faults up to
// the process's last moment, and the steps one part hands to another. Not for the program.
#include <memory>
#include <mutex>
#include <string>

#include <windows.h>

#include "crashlog/ExceptionLog.h"

namespace crashlog {

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

TLoggerState& State();

// Marks the program's own code running inside a report.
class TProgramCall {
public:
    TProgramCall() { InterlockedIncrement(&State().ProgramCalls); }
    ~TProgramCall() { InterlockedDecrement(&State().ProgramCalls); }
    TProgramCall(const TProgramCall&) = delete;
    TProgramCall& operator=(const TProgramCall&) = delete;
};

// A new report starts: nothing of the last one is built, due or saved.
void StartReport(TLoggerState& s);

// The report made here, on the calling thread.
bool InternalExceptNotify(TExceptionContext& context);
// The report made on an exception thread while this thread waits (its own stack may be nearly
// gone, or it is the main thread whose windows must stay drawn).
bool NotifyOnExceptionThread(TExceptionContext& context, DWORD me);
// Writes the report of another thread that is due and not yet written (its dialog is still open),
// once: the process ends now whatever becomes of that dialog.
void SaveReportUnderway();

// The fields of the log that describe the program, the machine and the moment of the fault.
TLogData GatherLogData(const TExceptionContext& context, const SYSTEMTIME& now, const std::string& moduleFile);
// A window's class and text as the log shows them; "" for no window.
std::string WindowClass(HWND window);
std::string WindowText(HWND window);

}  // namespace crashlog
