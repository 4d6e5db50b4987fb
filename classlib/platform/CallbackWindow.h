#pragma once
// Hidden windows whose messages go to a method of an object (the classic allocate-a-window
// helper): timers, the clipboard's owner, the drag capture and the tray icon's callback each
// get one. They are windows of one class with one window procedure, which hands
// any exception of the method to the application, as every entry from the platform must.
//
// The method sees every message after the window exists and answers it through
// Message.Result; what it does not handle it passes to DefWindowProcA itself. A window may be
// deallocated from inside its own method.
#include <windows.h>

#include "classlib/controls/Controls.h"

namespace cl {

// Raises EOutOfResources when the window cannot be made. A window that must hold the mouse
// capture cannot be message-only: MessageOnly false makes a hidden top-level window at (0, 0)
// instead, whose client coordinates are screen coordinates.
HWND AllocateHWnd(TWndMethod Method, bool MessageOnly = true);
// Destroys a window AllocateHWnd made; nothing for nullptr.
void DeallocateHWnd(HWND Wnd);

}  // namespace cl
