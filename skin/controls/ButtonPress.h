#pragma once
// How the push button and the speed button take the left mouse button. The press latches the
// button down (a grouped one clicks at once, a repeating one starts repeating); moving off and
// back onto a held button counts as leaving and entering; the release over the button brings it
// up with a click, a second press on a grouped button that AllowAllUp brings it up, and a release
// elsewhere brings it up without one.
//
// Button answers Down(), SetDown(bool), Click(), GroupIndex(), AllowAllUp(), RepeatMode() and
// RepeatInterval(); the state it keeps and its own reactions are handed in.
#include "classlib/controls/Controls.h"
#include "skin/bases/ControlTimer.h"

namespace sk {

struct TskButtonPress {
    // The left button went down on the button and is not released yet.
    bool Held = false;
    // The press came on a grouped button that was down already.
    bool SecondPress = false;

    // An enabled button pressed; Hot is set as the press makes it hot.
    template <class Button>
    void Press(Button& B, bool& Hot, TskControlTimer& Repeat, const cl::TAliveFlag& Alive)
    {
        Held = true;
        if (B.Down()) {
            if (B.GroupIndex() != 0)
                SecondPress = true;
            return;
        }
        Hot = true;
        B.SetDown(true);
        if (B.RepeatMode() && B.GroupIndex() == 0)
            Repeat.Start(B.RepeatInterval());
        else if (B.GroupIndex() != 0)
            B.Click();
        if (*Alive)
            SecondPress = false;
    }

    // The held button has the mouse captured: crossing its edge counts as leaving or coming back,
    // whatever the idle tracking has seen yet.
    template <class Enter, class Leave>
    void Follow(cl::TControl& C, bool Hot, int X, int Y, Enter&& Entered, Leave&& Left) const
    {
        if (!Held)
            return;
        const bool inside = X >= 0 && Y >= 0 && X < C.Width() && Y < C.Height();
        if (inside && !Hot)
            Entered();
        else if (!inside && Hot)
            Left();
    }

    // The left button released; Inside says whether over the button. Outside brings the button
    // up without a click and without fading.
    template <class Button, class Outside>
    void Release(Button& B, bool Inside, TskControlTimer& Repeat, Outside&& ReleasedOutside)
    {
        Held = false;
        if (B.GroupIndex() != 0) {
            if (B.Down() && B.AllowAllUp() && SecondPress && Inside) {
                B.SetDown(false);
                B.Click();
            }
        } else if (Inside) {
            const bool wasDown = B.Down();
            Repeat.Stop();
            B.SetDown(false);
            if (wasDown)
                B.Click();
        } else {
            Repeat.Stop();
            ReleasedOutside();
        }
    }
};

}  // namespace sk
