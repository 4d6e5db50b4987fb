// Linked into a program (not taken from the library), this unit installs the exception logger
// while the program's static objects are built, before any of its own run and before any window
// exists, and takes it away after the program's own static objects are gone.
#include "crashlog/EInstallation.h"

namespace {

// The first of the program's static objects built, so the last destroyed.
crashlog::TLoggerInstallation installation __attribute__((init_priority(101)));

}  // namespace
