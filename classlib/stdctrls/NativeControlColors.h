#pragma once
// The answer to the colour message a platform control sends its parent before it paints.
#include <windows.h>

#include "classlib/graphics/Objects.h"

namespace cl {

// Text in TextColor on Background in the control's DC, and the brush that fills the rest. The
// brush is the control's own: the platform uses the handle after the message has returned.
inline LRESULT AnswerControlColor(HDC DC, TColor TextColor, TColor Background, TBrush& Brush)
{
    SetTextColor(DC, static_cast<COLORREF>(ColorToRGB(TextColor)));
    SetBkColor(DC, static_cast<COLORREF>(ColorToRGB(Background)));
    Brush.SetColor(Background);
    return reinterpret_cast<LRESULT>(Brush.Handle());
}

}  // namespace cl
