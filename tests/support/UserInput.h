#pragma once
// Input as a user gives it to this program's own windows: the real pointer put at a screen point,
// buttons and keys through the system's input queue, and the queue pumped until the input is
// handled. Every wait is bounded.
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <iterator>

#include "classlib/platform/CallbackWindow.h"
#include "classlib/controls/Forms.h"
#include "support/RealInput.h"

namespace realinput {

using test_support::PointerAtScreen;

// Pumps until the input sent so far has been taken from the queue and handled.
inline void PumpInput()
{
    for (int i = 0; i < 200 && (GetQueueStatus(QS_INPUT) || GetAsyncKeyState(VK_LBUTTON) < 0); ++i) {
        Sleep(2);
        cl::Application->ProcessMessages();
    }
    cl::Application->ProcessMessages();
}

// A press and release of the left button at a screen point; two of them with Double.
inline void ClickAtScreen(int X, int Y, bool Double = false)
{
    PointerAtScreen(X, Y);
    test_support::ClickButtonAt(X, Y, false, Double);
    PumpInput();
}

// A click in the middle of a window, or at a point of its client area.
inline void ClickWindow(HWND Window, int X = -1, int Y = -1)
{
    RECT r{};
    GetClientRect(Window, &r);
    POINT p{X < 0 ? r.right / 2 : X, Y < 0 ? r.bottom / 2 : Y};
    ClientToScreen(Window, &p);
    ClickAtScreen(p.x, p.y);
}

// The keys pressed in order and released in the opposite order (a chord such as Shift+Tab),
// to whatever window has the keyboard focus.
inline void PressKeys(std::initializer_list<WORD> Keys)
{
    INPUT input[8]{};
    UINT n = 0;
    for (WORD key : Keys) {
        input[n].type = INPUT_KEYBOARD;
        input[n++].ki.wVk = key;
    }
    for (auto it = std::rbegin(Keys); it != std::rend(Keys); ++it) {
        input[n].type = INPUT_KEYBOARD;
        input[n].ki.wVk = *it;
        input[n++].ki.dwFlags = KEYEVENTF_KEYUP;
    }
    SendInput(n, input, sizeof(INPUT));
    PumpInput();
}

inline void PressKey(WORD Key) { PressKeys({Key}); }

// Runs Modal, which shows a window modally, and, once the window that Form finds is shown,
// runs Act from inside its loop, as a user acts on a window that waits for them. A window that
// Act leaves open is ended with mrAbort, so that the test fails instead of waiting; the answer
// says whether that happened.
inline bool ActWhileModal(const std::function<cl::TCustomForm*()>& Form, const std::function<void()>& Act,
                          const std::function<void()>& Modal)
{
    bool acted = false, leftOpen = false;
    HWND ticker = nullptr;
    ticker = cl::AllocateHWnd([&](cl::TMessage& M) {
        if (M.Msg != WM_TIMER) {
            M.Result = DefWindowProcA(ticker, M.Msg, M.WParam, M.LParam);
            return;
        }
        cl::TCustomForm* form = Form();
        if (acted || !form || !form->HandleAllocated() || !IsWindowVisible(form->Handle()))
            return;
        acted = true;
        KillTimer(ticker, 1);
        Act();
        if ((form = Form()) && form->ModalResult() == cl::mrNone) {
            leftOpen = true;
            form->SetModalResult(cl::mrAbort);
        }
    });
    SetTimer(ticker, 1, 10, nullptr);
    Modal();
    cl::DeallocateHWnd(ticker);
    return leftOpen || !acted;
}

}  // namespace realinput
