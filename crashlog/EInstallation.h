#pragma once
// Installs the logger while the static objects of the module that links it are built, and takes
// it away after they are gone: a module defines one of these as its first static object.
#include "crashlog/ETrace.h"
#include "crashlog/ExceptionLog.h"

namespace crashlog {

struct TLoggerInstallation {
    TLoggerInstallation()
    {
        try {
            InitDebugTrace();
            InitExceptionLog();
        } catch (...) {
            // A logger that cannot install leaves the module as it is.
        }
    }
    ~TLoggerInstallation()
    {
        try {
            DoneExceptionLog();
        } catch (...) {
        }
    }
    TLoggerInstallation(const TLoggerInstallation&) = delete;
    TLoggerInstallation& operator=(const TLoggerInstallation&) = delete;
};

}  // namespace crashlog
