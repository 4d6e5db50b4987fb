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

// Button input that carries its own screen point, so that the press lands there even when the
// display delivers a late motion from the pointer's earlier place between the move and the press.
inline INPUT MouseInputAt(int X, int Y, DWORD Buttons)
{
    const int w = GetSystemMetrics(SM_CXSCREEN);
    const int h = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = Buttons | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    input.mi.dx = (X * 65536 + w - 1) / w;
    input.mi.dy = (Y * 65536 + h - 1) / h;
    return input;
}

// Presses and releases of a button at a screen point: one click, or two with Double.
inline void ClickButtonAt(int X, int Y, bool Right = false, bool Double = false)
{
    const DWORD down = Right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    const DWORD up = Right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    INPUT input[4] = {MouseInputAt(X, Y, down), MouseInputAt(X, Y, up), MouseInputAt(X, Y, down),
                      MouseInputAt(X, Y, up)};
    SendInput(Double ? 4 : 2, input, sizeof(INPUT));
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
    ClickButtonAt(p.x, p.y);
}

}  // namespace test_support
