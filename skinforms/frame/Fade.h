#pragma once
// Where the frame's fade-in sets a layered window's alpha: the system, unless a test puts a
// call of its own here to see every step (nullptr puts the system back).
#include <functional>

#include <windows.h>

namespace sk {

using TskFrameAlphaCall = std::function<void(HWND Wnd, BYTE Alpha)>;
void SetFrameAlphaCall(TskFrameAlphaCall Call);

}  // namespace sk
