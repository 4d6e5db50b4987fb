// The system caret of one window.
#include "classlib/stdctrls/Caret.h"

namespace cl {

int TCaret::SystemWidth()
{
    DWORD width = 1;
    if (!SystemParametersInfoA(SPI_GETCARETWIDTH, 0, &width, 0) || width == 0)
        width = 1;
    return static_cast<int>(width);
}

bool TCaret::Create(HWND Window, int Height, int Width)
{
    Destroy();
    if (!Window || !CreateCaret(Window, nullptr, Width > 0 ? Width : SystemWidth(), Height > 0 ? Height : 1))
        return false;
    window_ = Window;
    return true;
}

bool TCaret::Owns() const
{
    // Another window of this thread may have made its own caret since.
    GUITHREADINFO info{sizeof(info)};
    return window_ && GetGUIThreadInfo(GetCurrentThreadId(), &info) && info.hwndCaret == window_;
}

void TCaret::Destroy()
{
    if (Owns())
        DestroyCaret();
    window_ = nullptr;
}

void TCaret::SetPos(const TPoint& Pos)
{
    if (Owns())
        SetCaretPos(Pos.X, Pos.Y);
}

TPoint TCaret::Pos() const
{
    POINT p{};
    if (Owns())
        GetCaretPos(&p);
    return {p.x, p.y};
}

void TCaret::Show()
{
    if (Owns())
        ShowCaret(window_);
}

void TCaret::Hide()
{
    if (Owns())
        HideCaret(window_);
}

}  // namespace cl
