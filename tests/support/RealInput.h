#pragma once
// The user's own pointer and button, through the system's input queue: what a real click at a
// screen point does, for whichever window or process lies there.
#include <windows.h>

namespace test_support {

// Puts the real pointer at a screen point and waits (bounded) until the server has it there.
inline void PointerAtScreen(int X, int Y)
{
    SetCursorPos(X, Y);
    for (int i = 0; i < 200; ++i) {
        POINT now{};
        GetCursorPos(&now);
        if (now.x == X && now.y == Y)
            return;
        Sleep(1);
    }
}

// A press and release of the left button where the pointer is.
inline void PressAndReleaseLeft()
{
    INPUT input[2]{};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
}

// The centre of a window on the screen, of this process or another.
inline POINT CentreOf(HWND Window)
{
    RECT r{};
    GetWindowRect(Window, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// A real click at the centre of a window of another process, which handles it on its own time.
inline void ClickWindow(HWND Window)
{
    const POINT p = CentreOf(Window);
    PointerAtScreen(p.x, p.y);
    PressAndReleaseLeft();
}

}  // namespace test_support
