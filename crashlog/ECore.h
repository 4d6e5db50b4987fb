#pragma once
// How the logger reports its own failures: on the debugger channel, never to the user.
#include <string>

namespace crashlog {

enum TVozozoRezErrorCode { eeNone, eeShowError, eeLogError, eeEmailMAPIError, eeEmailShellError, eeEmailSMTPError };

const char* ErrorCodeName(TVozozoRezErrorCode code);

// A failure inside the logger, described by the exception being handled (if any).
void InternalError(const std::string& section);
// A failed step that the error hook may want to retry.
void InternalWarning(TVozozoRezErrorCode code, const std::string& text);
// "[section] message" of the exception being handled, then InternalWarning.
void ReportStepError(TVozozoRezErrorCode code, const std::string& section);

// The code and text of the last warning, for the error hook.
TVozozoRezErrorCode LastWarningCode();
std::string LastWarningText();

// Where the lines go; the debugger channel unless replaced (tests, the internal trace).
extern void (*DebugOutput)(const char* line);
// Called with the message of an internal error while the internal trace runs (set at installation).
extern void (*InternalBugReport)(const std::string& message);

}  // namespace crashlog
