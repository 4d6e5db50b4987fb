#pragma once
// Where a skinned frame puts its window: maximized into a monitor, shrunk into a minimized
// place, centred on first show, kept inside the work area on restore, and snapped to the work
// area's edges while it is dragged. Plain arithmetic on rectangles, so that it needs no window.
#include <functional>

#include "classlib/system/Types.h"

namespace sk {

// The areas of the monitor a window is on.
struct TskMonitorAreas {
    cl::TRect WorkArea;  // without the task bar; its origin need not be (0, 0)
    cl::TRect Monitor;   // the monitor's whole rectangle
    cl::TRect Screen;    // the whole (primary) screen from (0, 0)
};

// The bounds of a maximized window. A work area as large as a monitor that is the whole
// screen loses one pixel on every side, so that an auto-hidden task bar can still be reached.
cl::TRect MaximizedBounds(const TskMonitorAreas& Areas, bool FullScreen);

// A window of W by H centred (halves truncated) on Area, at its size.
cl::TRect CenteredBounds(const cl::TRect& Area, int W, int H);

// R moved (not resized) so that it lies inside Area; a window larger than Area keeps its left
// or top edge on Area's.
cl::TRect KeptInside(const cl::TRect& R, const cl::TRect& Area);

// The top-left of the first free minimized place of W by H in Area: from the bottom-left
// corner to the right, then a row higher; when the rows run out, the first place whether it is
// free or not. A size below 1 counts as 1, and no more places are tried than Area holds, so
// that the search always ends.
cl::TPoint FindMinimizedPlace(const cl::TRect& Area, int W, int H, const std::function<bool(cl::TPoint)>& Occupied);

// What the magnetic edges remember between two WM_MOVING messages: per edge (left, top,
// right, bottom) whether it is snapped, and the cursor's coordinate on that edge's axis when
// it snapped.
struct TskMagneticState {
    bool Snapped[4] = {false, false, false, false};
    int SavedCursor[4] = {0, 0, 0, 0};
};

// The moving rectangle Proposed (of the window's size W by H) snapped to the edges of Area
// that lie strictly within Distance; a snapped edge lets go once the cursor has moved more than
// Distance from where it snapped, and the window then follows the cursor from there.
cl::TRect MagneticBounds(const cl::TRect& Area, int Distance, const cl::TRect& Proposed, cl::TPoint Cursor,
                         TskMagneticState& State);

}  // namespace sk
