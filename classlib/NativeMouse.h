#pragma once
// Controls over the platform's own windows (edit, list box, tabs): those windows act on mouse
// presses, releases and moves themselves (caret, selection, tab change), so the message
// reaches them before the layer's mouse handling.
#include "classlib/Controls.h"

namespace cl {

constexpr bool IsNativeMouseMessage(UINT Msg)
{
    return Msg >= WM_MOUSEFIRST && Msg <= WM_MOUSELAST && Msg != WM_MOUSEWHEEL;
}

// Hands a mouse message to the window's own procedure; false when that freed the control.
inline bool PassMouseToNative(TWinControl* Control, const TAliveFlag& Alive, TMessage& Message)
{
    if (!IsNativeMouseMessage(Message.Msg))
        return true;
    Control->DefaultHandler(Message);
    return *Alive;
}

}  // namespace cl
