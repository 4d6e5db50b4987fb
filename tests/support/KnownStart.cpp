// Every test of a program that drives windows starts from the same pointer and focus, whatever
// an earlier test left: a pointer left over a button or a caption would hover there (and stay
// drawn hot), a press at the same point soon after an earlier one would count as a double
// click, a button left held would turn the next move into a drag, and a window left with the
// focus or the capture would take the next test's keys and clicks.
#include <gtest/gtest.h>

#include <windows.h>

#include "support/RealInput.h"

namespace {

// Releases what a failed test may have left held down, through the same input queue it went in.
void ReleaseHeld()
{
    static constexpr struct {
        int key;
        DWORD up;
    } buttons[] = {{VK_LBUTTON, MOUSEEVENTF_LEFTUP}, {VK_RBUTTON, MOUSEEVENTF_RIGHTUP}, {VK_MBUTTON, MOUSEEVENTF_MIDDLEUP}};
    for (const auto& b : buttons) {
        if (GetAsyncKeyState(b.key) < 0) {
            INPUT input{};
            input.type = INPUT_MOUSE;
            input.mi.dwFlags = b.up;
            SendInput(1, &input, sizeof(INPUT));
        }
    }
    for (const WORD key : {VK_SHIFT, VK_CONTROL, VK_MENU}) {
        if (GetAsyncKeyState(key) < 0) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = key;
            input.ki.dwFlags = KEYEVENTF_KEYUP;
            SendInput(1, &input, sizeof(INPUT));
        }
    }
}

class TKnownStart : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override
    {
        // Focus and capture go first: a held Alt let go alone would open the menu of whichever
        // window still had the focus.
        ReleaseCapture();
        SetFocus(nullptr);
        ReleaseHeld();
        // The bottom right corner of the screen, where no test puts a window's controls.
        test_support::PointerAtScreen(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    }
};

const bool registered = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new TKnownStart);
    return true;
}();

}  // namespace
