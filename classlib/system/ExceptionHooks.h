#pragma once
// Where the exception logger plugs into the layer. The layer catches every exception at each
// entry from Win32 (window procedures, timers, idle work, COM sinks, thread bodies) and at the
// end of the program's main block; the logger, installed first at start-up, sets these hooks to
// see them before the layer's own handling (a message box, or silence for EAbort).
#include <cstdint>
#include <exception>

namespace cl {

class TObject;

enum class TCatchPoint : std::uint8_t {
    Application,  // Application.HandleException: window procedures, timers, idle, COM sinks
    Thread,       // the catch-all around a thread's body
    Synchronize,  // re-raised in the calling thread after a synchronized call failed
    MainBlock     // what escaped the program's main block
};

struct TExceptionHooks {
    // Return true when the exception was dealt with; the layer then shows nothing itself.
    bool (*OnException)(std::exception_ptr error, TObject* sender, TCatchPoint where) = nullptr;
};

// One instance for the whole process, written once before any window exists.
TExceptionHooks& ExceptionHooks();

}  // namespace cl
