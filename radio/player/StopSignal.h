#pragma once
// How a session is told to stop: an event that every wait of the player thread watches.
#include <windows.h>

#include "classlib/system/KernelHandles.h"
#include "classlib/system/SocketHandles.h"

namespace radio {

class TStopSignal {
public:
    TStopSignal() : event_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

    bool Valid() const { return event_ != nullptr; }
    HANDLE Event() const { return event_.get(); }
    bool Signalled() const { return WaitForSingleObject(event_.get(), 0) == WAIT_OBJECT_0; }
    void Signal() { SetEvent(event_.get()); }

private:
    cl::TOwnedHandle event_;
};

}  // namespace radio
