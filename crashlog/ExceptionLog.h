#pragma once
// The exception pipeline: every exception that reaches the logger is filtered, its call stack
// taken, its report built, shown, saved and mailed, one exception at a time in the process.
// An exception of the main thread is processed on a thread of its own while the main thread
// keeps its windows painted.
#include <cstdint>
#include <exception>
#include <string>

#include <windows.h>

#include "crashlog/ECore.h"
#include "crashlog/EExceptInfo.h"
#include "crashlog/ELogText.h"
#include "crashlog/EWebPage.h"
#include "crashlog/EOptions.h"
#include "crashlog/EReports.h"

namespace crashlog {

// Everything the pipeline is told about one exception.
struct TExceptionContext {
    std::exception_ptr Object;
    TExceptionDescription Description;
    std::uint32_t Address = 0;        // for a language exception: the return address of the throw
    bool Language = false;            // raised by the program, not an operating-system fault
    std::uint32_t StackPointer = 0;   // 0: the calling thread's
    std::uint32_t StackTop = 0;
    const void* StackCopy = nullptr;  // the words from StackPointer to StackTop, taken earlier
    bool LowStack = false;            // the faulting thread has almost no stack left
    // Inside the system's exception dispatch: a fault of the logger there would end the process
    // unreported, so the work goes to an exception thread.
    bool InDispatch = false;
    // In a window procedure that the system called back: the thread's paint messages, pumped
    // while the report is made, would call it again.
    bool CalledBack = false;
    // Taken where the context is made, on the thread whose request failed.
    EXTENSION_CONTROL_BLOCK* ServerECB = ThreadServerECB();
};

// When the notify hook is called; clearing `goOn` skips what follows.
enum class TNotifyStage { LogThis, BeforeOutput, AfterOutput, BeforeLog, AfterLog, BeforeMail, AfterMail };

using TExceptionNotify = void (*)(TNotifyStage stage, bool& goOn);
using TExceptionActionNotify = void (*)();
using TExceptionErrorNotify = void (*)(TVozozoRezErrorCode code, const std::string& text, bool& retry);

// The program assigns none of these; each is called only when set.
extern TExceptionNotify ExceptionNotify;
extern TExceptionActionNotify ExceptionActionNotify;
extern TExceptionErrorNotify ExceptionErrorNotify;

// Where later parts plug in: the dialog, the mail and the message box of a filtered class.
extern void (*ShowExceptionDialog)();
extern bool (*SendExceptionMail)();
extern int (WINAPI* ShowMessageBox)(HWND owner, const char* text, const char* caption, UINT style);
// A message box through ShowMessageBox, answering its result; 0, with no box, where none may open
// (no ShowMessageBox, or a web server's program or library).
int ShowUserMessage(const std::string& text, const std::string& caption, UINT style);

// Installs the logger into the program's exception paths. False, with nothing installed, when
// the program carries no logger data.
bool InitExceptionLog();
void DoneExceptionLog();
bool ExceptionLogActive();
// The logger lives in a library with logger data of its own, not in the program: it reports what
// fails in the library's own code, and leaves everything else, and the host's threads, to the host.
bool LoggerInLibrary();

TVozozoModuleOptionsEx& CurrentOptions();
// The module the logger is linked into: the program, or a library that carries logger data of
// its own (the logger then hooks only that library and leaves the class library's handlers to
// it: every exception the library handles stays handled).
HMODULE LoggerModule();
// A library with the logger runs its initialization, or its finalization (under the system's
// loader lock, where no thread can start); told by the library's installation.
void SetModuleInitializing(bool value);
void SetModuleFinalizing(bool value);
// The options of the logger's module's logger data (what each exception starts from), or nullptr.
TVozozoModuleOptionsEx* MainModuleOptions();
// The same for a program that requires the logger: raises EAssertionFailed while it is not active.
TVozozoModuleOptionsEx& CurrentVozozoRezOptions();

// Serialized entry of the layer's catch points; true when the layer's own handling should run.
bool ExceptionManager(TExceptionContext context);
// Runs the pipeline for an exception; the caller holds the processing flag.
bool ExceptNotify(TExceptionContext& context);

// The one-at-a-time flag. EnterProcessing waits while another thread holds it; it answers false,
// without waiting, when the calling thread already processes an exception (an exception inside
// the processing is not processed again), and gives up when `giveUp` is set while it waits.
bool EnterProcessing(const volatile LONG* giveUp = nullptr);
void LeaveProcessing();
bool IsProcessingThread();

// Runs the procedure on the main thread while it waits for an exception thread, else directly.
void CallInMainThread(void (*procedure)(void*), void* data);

// The report of the exception being processed, for the dialog and the mail.
const std::string& LastLogText();
const TVozozoStackList& LastStack();
// The message the dialog shows: the exception's message, or "Exception Object: " and the class
// name for an object that is no exception; with a final point.
const std::string& LastMessage();
int ErrorsCount();
void SetTerminateFlag(bool value);
bool TerminateFlag();
// Calls the notify hook (on the main thread while it waits for an exception thread); false
// when the hook asked to skip what follows.
bool CallNotifyHook(TNotifyStage stage);
// Calls the action hook when the terminate flag is set; answers whether it still is (the hook
// may clear it to keep the program alive).
bool NotifyTerminateAction();
// The mail kept for the program's end (mail mode 1 after an error), sent at most once.
void SendPendingMail();
// What must run before the process ends, also when a crash ends it: the pending mail and the
// internal trace.
void RunEndOfProcessSteps();
// IsDebuggerPresent, looked up at run time.
bool IsDebuggerAttached();
// Restarts the program with its own command line when asked, then ends this process with 1.
[[noreturn]] void TerminateApplication(bool restart);

DWORD MainThreadId();
// The main thread's stack top, taken at installation (where a walk of its stack ends).
std::uint32_t MainStackTop();
// Gives up the processing flag, waits (within a bound) for the reports under way on other
// threads, runs the end-of-process steps and ends the process with exit code 1.
[[noreturn]] void EndProcessAfterReports();
// A report was made in place of an exception thread that could not run (it waits for something
// the faulting thread holds): the process cannot go on safely and ends after the report.
bool ProcessMustEnd();
// A fault inside the processing on this thread: reports it and saves the report built so far.
void RescueProcessing(const char* section);
// This thread draws its windows while it waits for an exception thread: a fault there is one of
// the program's own code, not the logger's.
bool PaintsForExceptionThread();
// Reports such a fault once the report under way is done; the caller then ends the process.
void ReportAfterExceptionThread(TExceptionContext& context);

}  // namespace crashlog
