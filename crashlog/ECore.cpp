#include "crashlog/ECore.h"

#include <exception>
#include <mutex>

#include <windows.h>

#include "classlib/system/SysUtils.h"
#include "crashlog/EConsts.h"
#include "crashlog/ETrace.h"

namespace crashlog {

namespace {

void DebuggerOutput(const char* line)
{
    OutputDebugStringA(line);
}

// Warnings come from the logger's first moment (its own installation, before this file's
// globals are made) to the process's last (a report of a fault in a static destructor): made at
// the first use, and never destroyed.
std::mutex& WarningLock()
{
    static auto* lock = new std::mutex;
    return *lock;
}

std::string& LastText()
{
    static auto* text = new std::string;
    return *text;
}

TVozozoRezErrorCode lastCode = eeNone;

// The message of the exception being handled; `isException` tells whether it had one.
std::string CurrentMessage(bool& isException)
{
    isException = false;
    std::exception_ptr current = std::current_exception();
    if (!current)
        return {};
    try {
        std::rethrow_exception(current);
    } catch (const cl::Exception& e) {
        isException = true;
        return e.Message();
    } catch (const std::exception& e) {
        isException = true;
        return e.what();
    } catch (...) {
    }
    return {};
}

bool CurrentIsAbort()
{
    std::exception_ptr current = std::current_exception();
    if (!current)
        return false;
    try {
        std::rethrow_exception(current);
    } catch (const cl::EAbort&) {
        return true;
    } catch (...) {
    }
    return false;
}

}  // namespace

void (*DebugOutput)(const char* line) = DebuggerOutput;
void (*InternalBugReport)(const std::string& message) = nullptr;

const char* ErrorCodeName(TVozozoRezErrorCode code)
{
    switch (code) {
    case eeNone: return "eeNone";
    case eeShowError: return "eeShowError";
    case eeLogError: return "eeLogError";
    case eeEmailMAPIError: return "eeEmailMAPIError";
    case eeEmailShellError: return "eeEmailShellError";
    case eeEmailSMTPError: return "eeEmailSMTPError";
    }
    return "eeNone";
}

void InternalError(const std::string& section)
{
    try {
        if (CurrentIsAbort())
            return;
        bool isException = false;
        std::string message = CurrentMessage(isException);
        if (!isException)
            message = std::string(SGeneralInternalError);
        const std::string line = FormatS(SInternalErrorLine, {section, message});
        DebugOutput(line.c_str());
        DebugTraceLine(line);
        SaveDebugTraceIfStarted();
        if (InternalBugReport && DebugTraceEnabled())
            InternalBugReport(message);
    } catch (...) {
        // Reporting a failure must never fail in turn.
    }
}

void InternalWarning(TVozozoRezErrorCode code, const std::string& text)
{
    try {
        {
            std::lock_guard<std::mutex> guard(WarningLock());
            lastCode = code;
            LastText() = text;
        }
        const std::string line = FormatS(SInternalWarningLine, {ErrorCodeName(code), text});
        DebugOutput(line.c_str());
        DebugTraceLine(line);
    } catch (...) {
    }
}

void ReportStepError(TVozozoRezErrorCode code, const std::string& section)
{
    try {
        bool isException = false;
        std::string message = CurrentMessage(isException);
        InternalWarning(code, isException ? FormatS(SStepError, {section, message})
                                          : FormatS(SGeneralStepError, {section}));
    } catch (...) {
    }
}

TVozozoRezErrorCode LastWarningCode()
{
    std::lock_guard<std::mutex> guard(WarningLock());
    return lastCode;
}

std::string LastWarningText()
{
    std::lock_guard<std::mutex> guard(WarningLock());
    return LastText();
}

}  // namespace crashlog
