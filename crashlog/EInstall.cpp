// Linked into a program (not taken from the library), this unit installs the exception logger
// while the program's static objects are built, before any of its own run and before any window
// exists, and takes it away after the program's own static objects are gone.
#include "crashlog/ETrace.h"
#include "crashlog/ExceptionLog.h"

namespace {

struct TLoggerInstallation {
    TLoggerInstallation()
    {
        try {
            crashlog::InitDebugTrace();
            crashlog::InitExceptionLog();
        } catch (...) {
            // A logger that cannot install leaves the program as it is.
        }
    }
    ~TLoggerInstallation()
    {
        try {
            crashlog::DoneExceptionLog();
        } catch (...) {
        }
    }
};

// The first of the program's static objects built, so the last destroyed.
TLoggerInstallation installation __attribute__((init_priority(101)));

}  // namespace
