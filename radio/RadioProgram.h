#pragma once
// The program body: one instance per session, the windows in their order, the splash, the
// account check, the message loop and an orderly end. WinMain only calls RunRadioProgram.
#include <windows.h>

#include <memory>

#include "classlib/system/KernelHandles.h"

// Owns the single-instance mutex "mtxRadio" for the life of the process.
class TInstanceMutex {
public:
    // Creates the mutex owned. Creating and testing the error in one call leaves no moment in
    // which two instances starting together could both believe they are the first.
    TInstanceMutex();
    // False when another instance holds the mutex already.
    bool First() const { return first_; }

private:
    cl::TOwnedHandle handle_;
    bool first_ = false;
};

// How long the splash shows before the main window: the program's 4000 ms, unless the
// environment's TREBANIX_SPLASH_MS (a number of milliseconds, for tests and benchmarks) says
// otherwise.
unsigned SplashWaitMs();

// Runs the program; the process's exit code.
int RunRadioProgram();
