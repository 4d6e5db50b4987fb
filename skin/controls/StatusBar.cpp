#include "skin/controls/StatusBar.h"

#include "skin/controls/ButtonLook.h"

namespace sk {

using namespace cl;

TskSkinStatusBar::TskSkinStatusBar(TComponent* AOwner) : TskSkinPanel(AOwner)
{
    SetSkinDataName("statusbar");
    borderStripPainting_ = false;
    SetBorderStyle(bvNone);
    SetAlign(alBottom);
    SetHeight(21);
}

void TskSkinStatusBar::SetSkinData(TskSkinData* Value)
{
    TskSkinPanel::SetSkinData(Value);
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* c = dynamic_cast<TskSkinControl*>(Controls(i)))
            c->SetSkinData(Value);
}

void TskSkinStatusBar::SetSizeGrip(bool Value)
{
    sizeGrip_ = Value;
    Repaint();
    Realign();
}

void TskSkinStatusBar::SetGripAllowed(bool Value)
{
    gripAllowed_ = Value;
    Repaint();
    Realign();
}

int TskSkinStatusBar::GripWidth(const TRect& Client)
{
    auto* d = PanelDescription();
    if (d && !IsNullRect(d->GripperRect))
        return RectWidth(d->GripperRect);
    return RectHeight(Client);
}

void TskSkinStatusBar::AdjustClientRect(TRect& Rect)
{
    TskSkinPanel::AdjustClientRect(Rect);
    if (GripShowing())
        Rect.Right -= GripWidth(Rect);
}

TRect TskSkinStatusBar::GripRect()
{
    TRect r = Rect(0, 0, Width(), Height());
    AdjustClientRect(r);
    auto* d = PanelDescription();
    if (d && !IsNullRect(d->GripperRect)) {
        const TRect& g = d->GripperRect;
        return Rect(r.Right, r.Bottom - RectHeight(g), r.Right + RectWidth(g), r.Bottom);
    }
    return Rect(r.Right + 2, r.Top, r.Right + RectHeight(r), r.Bottom - 2);
}

void TskSkinStatusBar::Dispatch(TMessage& Message)
{
    if (Message.Msg == WM_NCHITTEST && GripShowing() && !Designing()) {
        const TPoint p = ScreenToClient({static_cast<short>(LOWORD(Message.LParam)),
                                         static_cast<short>(HIWORD(Message.LParam))});
        Message.Result = PointInRect(GripRect(), p) ? HTBOTTOMRIGHT : HTCLIENT;
        return;
    }
    TskSkinPanel::Dispatch(Message);
}

void TskSkinStatusBar::Paint()
{
    TskSkinPanel::Paint();
    if (!GripShowing())
        return;
    const TRect grip = GripRect();
    auto* d = PanelDescription();
    if (d && !IsNullRect(d->GripperRect) && picture_) {
        if (d->GripperTransparent)
            DrawTransparentPart(Canvas(), grip.Left, grip.Top, picture_, d->GripperRect, d->GripperTransparentColor);
        else
            Canvas()->CopyRect(grip, picture_->Canvas(), d->GripperRect);
        return;
    }
    if (d)
        DrawGripLines(Canvas(), grip, SkinData()->SkinColors->cBtnShadow, SkinData()->SkinColors->cBtnHighLight);
    else
        DrawGripLines(Canvas(), grip, clBtnShadow, clBtnHighlight);
}

}  // namespace sk
