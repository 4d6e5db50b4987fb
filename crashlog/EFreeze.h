#pragma once
// Hang detection: a thread that watches the program's main window and, when it has not
// answered for the time-out of the current options, reports the main thread as frozen. Only in a
// program: a library has no main window of its own.
#include <windows.h>

#include "crashlog/EErrors.h"

namespace crashlog {

CL_DECLARE_EXCEPTION(EFrozenApplication, Exception);

// Starts the thread when none runs and the current options ask for it.
void StartFreezeThread();
// Stops it. From a thread that may hold what the freeze thread waits for (the one processing an
// exception, or the freeze thread itself) it is told to end and ends on its own.
void StopFreezeThread();

// Starts or stops the thread as the current options say (the options' switch).
void ApplyFreezeSwitch(bool run);

}  // namespace crashlog
