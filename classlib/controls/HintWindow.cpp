#include "classlib/controls/HintWindow.h"

#include <algorithm>

#include "classlib/controls/Forms.h"

namespace cl {

THintWindowClass HintWindowClass = [](TComponent* AOwner) { return new THintWindow(AOwner); };

AnsiString GetShortHint(const AnsiString& Hint)
{
    const auto bar = Hint.find('|');
    return bar == AnsiString::npos ? Hint : Hint.substr(0, bar);
}

AnsiString GetLongHint(const AnsiString& Hint)
{
    const auto bar = Hint.find('|');
    return bar == AnsiString::npos ? Hint : Hint.substr(bar + 1);
}

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetVisible(false);
    SetColor(clInfoBk);
    Font()->SetColor(clInfoText);
}

void THintWindow::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP | WS_BORDER;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    Params.WndParent = Application->Handle();
    Params.WindowClass.style |= CS_SAVEBITS;
}

TRect THintWindow::CalcHintRect(int MaxWidth, const AnsiString& AHint, void*)
{
    RECT r{0, 0, MaxWidth, 0};
    Canvas()->Font()->Assign(Font());
    DrawTextA(Canvas()->Handle(), AHint.c_str(), static_cast<int>(AHint.size()), &r,
              DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    // Room for the border and the margin Paint leaves.
    return {0, 0, static_cast<int>(r.right) + 6, static_cast<int>(r.bottom) + 2};
}

void THintWindow::ActivateHint(TRect Rect, const AnsiString& AHint)
{
    SetCaption(AHint);
    const int w = Rect.Width();
    const int h = Rect.Height();
    // Kept on the screen.
    Rect.Left = std::max(std::min(Rect.Left, Screen->Width() - w), 0);
    Rect.Top = std::max(std::min(Rect.Top, Screen->Height() - h), 0);
    SetBounds(Rect.Left, Rect.Top, w, h);
    SetWindowPos(Handle(), HWND_TOPMOST, Rect.Left, Rect.Top, w, h, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SetVisible(true);
    Invalidate();
}

void THintWindow::ReleaseHandle()
{
    SetVisible(false);
    DestroyHandle();
}

void THintWindow::Paint()
{
    RECT r{2, 2, ClientRect().Right, ClientRect().Bottom};
    Canvas()->Font()->Assign(Font());
    Canvas()->Brush()->SetStyle(bsClear);
    const AnsiString text = Caption();
    DrawTextA(Canvas()->Handle(), text.c_str(), static_cast<int>(text.size()), &r, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
}

void THintWindow::Dispatch(TMessage& Message)
{
    // The mouse passes through: the hint never becomes the control under the mouse.
    if (Message.Msg == WM_NCHITTEST) {
        Message.Result = HTTRANSPARENT;
        return;
    }
    TCustomControl::Dispatch(Message);
}

}  // namespace cl
