// Controls that paint themselves on a canvas: windowless (TGraphicControl) and windowed
// (TCustomControl), and the canvas they paint on.
#include "classlib/controls/Controls.h"

namespace cl {

// ---------------------------------------------------------------------------------------------
// TControlCanvas

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::CreateHandle()
{
    FreeHandle();
    HWND wnd = nullptr;
    TWinControl* parent = control_->Parent();
    auto* win = dynamic_cast<TWinControl*>(control_);
    if (win)
        wnd = win->Handle();
    else if (parent && parent->HandleAllocated())
        wnd = parent->Handle();
    if (!wnd)
        return;
    HDC dc = GetDC(wnd);
    if (!dc)
        return;
    if (!win) {
        SetWindowOrgEx(dc, -control_->Left(), -control_->Top(), nullptr);
        IntersectClipRect(dc, 0, 0, control_->Width(), control_->Height());
    }
    dcWindow_ = wnd;
    ownDc_ = dc;
    SetHandle(dc);
}

void TControlCanvas::FreeHandle()
{
    if (!ownDc_)
        return;
    SetHandle(nullptr);
    ReleaseDC(dcWindow_, ownDc_);
    ownDc_ = nullptr;
    dcWindow_ = nullptr;
}

// ---------------------------------------------------------------------------------------------
// TGraphicControl

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner) {}

TGraphicControl::~TGraphicControl() = default;

TCanvas* TGraphicControl::Canvas()
{
    if (!canvas_)
        canvas_ = std::make_unique<TControlCanvas>(this);
    return canvas_.get();
}

void TGraphicControl::Dispatch(TMessage& Message)
{
    if (Message.Msg != WM_PAINT) {
        TControl::Dispatch(Message);
        return;
    }
    // The parent passes its paint DC, moved to this control's corner and clipped to it.
    HDC dc = reinterpret_cast<HDC>(Message.WParam);
    if (!dc)
        return;
    TControlCanvas* canvas = static_cast<TControlCanvas*>(Canvas());
    canvas->FreeHandle();
    const TAliveFlag alive = alive_;
    canvas->SetHandle(dc);
    try {
        Paint();
    } catch (...) {
        if (*alive)
            canvas->SetHandle(nullptr);
        throw;
    }
    if (*alive)
        canvas->SetHandle(nullptr);
}

// ---------------------------------------------------------------------------------------------
// TCustomControl

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner) {}

TCustomControl::~TCustomControl() = default;

TCanvas* TCustomControl::Canvas()
{
    if (!canvas_)
        canvas_ = std::make_unique<TControlCanvas>(this);
    return canvas_.get();
}

void TCustomControl::PaintWindow(HDC DC)
{
    TControlCanvas* canvas = static_cast<TControlCanvas*>(Canvas());
    canvas->FreeHandle();
    const TAliveFlag alive = alive_;
    SetControlState(ControlState() + csCustomPaint);
    canvas->SetHandle(DC);
    try {
        Paint();
    } catch (...) {
        if (*alive) {
            canvas->SetHandle(nullptr);
            SetControlState(ControlState() - csCustomPaint);
        }
        throw;
    }
    if (*alive) {
        canvas->SetHandle(nullptr);
        SetControlState(ControlState() - csCustomPaint);
    }
}

void TCustomControl::DestroyWnd()
{
    // A DC fetched from the window may not outlive it.
    if (canvas_)
        canvas_->FreeHandle();
    TWinControl::DestroyWnd();
}

}  // namespace cl
