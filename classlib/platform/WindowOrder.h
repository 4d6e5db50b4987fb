// Where a window stands in the order of its siblings, asked before moving it: a move to where
// it already is still costs a round of window-order messages.
#pragma once

#include <windows.h>

namespace cl {

inline bool IsTopmostWindow(HWND Wnd) { return GetWindowLongA(Wnd, GWL_EXSTYLE) & WS_EX_TOPMOST; }

// Whether the window stands above every other of its kind: no window above it, or only the
// topmost ones, which the top of the ordinary windows stays under.
inline bool IsFirstOfItsBand(HWND Wnd)
{
    HWND above = GetWindow(Wnd, GW_HWNDPREV);
    return !above || (!IsTopmostWindow(Wnd) && IsTopmostWindow(above));
}

}  // namespace cl
