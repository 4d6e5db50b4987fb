#pragma once
// The monitor areas a skinned frame places its window in. They come from the system unless a
// test puts a source of its own here, to stand for a task bar at the top or left (a work area
// whose origin is not (0, 0)) or a smaller monitor than the display it runs on.
#include <functional>

#include <windows.h>

#include "skinforms/frame/Placement.h"

namespace sk {

using TskMonitorAreasSource = std::function<TskMonitorAreas(HWND Wnd)>;
// nullptr puts the system back.
void SetMonitorAreasSource(TskMonitorAreasSource Source);
// The areas of the monitor nearest Wnd (the primary one for nullptr).
TskMonitorAreas GetFrameMonitorAreas(HWND Wnd);

}  // namespace sk
