#pragma once
// Windows version tests, layered-window alpha and monitor work areas. The layered-window and
// monitor calls are looked up at run time: older systems lack them.
#include "skin/drawing/Utils.h"

#include <windows.h>

namespace sk {

// The low byte of GetVersion and the high byte of its low word.
void GetWindowsVersion(int& Major, int& Minor);
// Version 5.1 exactly.
bool IsWindowsXP();
// Versions 5.0 to 5.2: the systems the layered-window effects were made for.
bool IsWindowsNT5();

// Where the version tests read the system's version: GetVersion, unless a test puts a source
// of its own here to drive the version-dependent paths (nullptr restores GetVersion).
using TskVersionSource = DWORD (*)();
void SetWindowsVersionSource(TskVersionSource Source);

// Sets a layered window's alpha; nothing on systems without the call. The caller makes the
// window layered first.
void SetAlphaBlendTransparent(HWND Wnd, BYTE Alpha);

// Two or more monitors, and a system that can say which one a window is on.
bool IsMultiMonitor();
// The work area (without the task bar) or the whole primary screen from (0, 0).
TRect GetDesktopWorkArea(bool WorkArea);
// The work area or the whole area of the monitor nearest Wnd; on a single-monitor system the
// desktop's. R is left as it was when the monitor cannot be asked.
void GetMonitorWorkArea(HWND Wnd, bool WorkArea, TRect& R);
// The work area and the whole area of the monitor nearest Wnd (the primary one for no window),
// in one question; Primary tells whether that monitor is the primary one. False, with nothing
// set, when the system cannot be asked.
bool GetMonitorAreas(HWND Wnd, TRect& WorkArea, TRect& Whole, bool& Primary);

}  // namespace sk
