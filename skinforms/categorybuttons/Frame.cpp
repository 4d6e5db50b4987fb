// The category-buttons control: the optional frame in the non-client area, and painting for
// a background-erase request from outside the control's own painting.
#include "skinforms/categorybuttons/Control.h"

#include <algorithm>

#include "classlib/graphics/GdiHandles.h"
#include "skin/drawing/Composers.h"

using namespace cl;
using namespace sk;

void TskSkinCategoryButtons::SetShowBoder(bool Value)
{
    if (Value == showBorder_)
        return;
    showBorder_ = Value;
    if (!HandleAllocated())
        return;
    RecreateWnd();
    PlaceScrollBar();
    Relayout();
}

TRect TskSkinCategoryButtons::BorderInsets() const
{
    auto* panel = FindDescription<TskDataSkinPanelControl>("panel");
    if (!panel)
        return {2, 2, 2, 2};
    return {std::max(panel->ClRect.Left, 0), std::max(panel->ClRect.Top, 0),
            std::max(RectWidth(panel->SkinRect) - panel->ClRect.Right, 0),
            std::max(RectHeight(panel->SkinRect) - panel->ClRect.Bottom, 0)};
}

void TskSkinCategoryButtons::WMNCCalcSize(TMessage& Message)
{
    TskSkinControl::Dispatch(Message);
    if (!showBorder_)
        return;
    RECT* r = Message.WParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0]
                             : reinterpret_cast<RECT*>(Message.LParam);
    const TRect inset = BorderInsets();
    r->left += inset.Left;
    r->top += inset.Top;
    r->right = std::max(r->right - inset.Right, r->left);
    r->bottom = std::max(r->bottom - inset.Bottom, r->top);
}

void TskSkinCategoryButtons::WMNCPaint(TMessage& Message)
{
    TskSkinControl::Dispatch(Message);
    if (showBorder_)
        PaintBorder();
}

void TskSkinCategoryButtons::PaintBorder()
{
    if (!HandleAllocated())
        return;
    RECT wr{};
    GetWindowRect(Handle(), &wr);
    const int w = wr.right - wr.left;
    const int h = wr.bottom - wr.top;
    if (w < 1 || h < 1)
        return;
    TWindowDC dc(Handle(), TWindowDC::TArea::Window);
    if (!dc.Handle())
        return;
    // Only the frame: the client area is the list's own.
    const TPoint origin = ClientToScreen({0, 0});
    const int clientLeft = origin.X - wr.left;
    const int clientTop = origin.Y - wr.top;
    ExcludeClipRect(dc.Handle(), clientLeft, clientTop, clientLeft + ClientWidth(), clientTop + ClientHeight());
    TBitmap image;
    image.SetSize(w, h);
    auto* panel = FindDescription<TskDataSkinPanelControl>("panel");
    TBitmap* picture = panel ? SkinPicture(SkinData(), panel->PictureIndex) : nullptr;
    if (panel && picture) {
        const TskAreaPoints area{panel->LTPoint, panel->RTPoint, panel->LBPoint, panel->RBPoint, panel->ClRect};
        ComposeSkinImage(area, FitNinePart(area, panel->SkinRect, w, h), &image, picture, panel->SkinRect, w, h,
                         false);
    } else {
        TCanvas* c = image.Canvas();
        c->Brush()->SetColor(clBtnShadow);
        c->FrameRect(cl::Rect(0, 0, w, h));
        c->Brush()->SetColor(clBtnFace);
        c->FrameRect(cl::Rect(1, 1, w - 1, h - 1));
    }
    BitBlt(dc.Handle(), 0, 0, w, h, image.Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TskSkinCategoryButtons::WMEraseBkgnd(TMessage& Message)
{
    Message.Result = 1;
    // Inside the control's own painting the content is copied in one step anyway, and so it is
    // by the paint its own window still waits for.
    if (Painting() || !Message.WParam || PaintFollows(reinterpret_cast<HDC>(Message.WParam)))
        return;
    TBitmap b;
    if (PaintContentImage(b))
        BitBlt(reinterpret_cast<HDC>(Message.WParam), 0, 0, b.Width(), b.Height(), b.Canvas()->Handle(), 0, 0,
               SRCCOPY);
}
