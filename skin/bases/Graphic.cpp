#include "skin/bases/Graphic.h"

#include "skin/drawing/Composers.h"
#include "skin/bases/SkinCtrls.h"

namespace sk {

using namespace cl;

// ---------------------------------------------------------------------------------------------
// TskGraphicSkinControl

TskGraphicSkinControl::TskGraphicSkinControl(TComponent* AOwner) : TskSkinLink(AOwner)
{
    SetControlStyle(ControlStyle() + csOpaque);
}

void TskGraphicSkinControl::Dispatch(TMessage& Message)
{
    TGraphicControl::Dispatch(Message);
    if (Designing())
        return;
    if (Message.Msg == CM_MOUSEENTER && OnMouseEnter)
        OnMouseEnter(this);
    else if (Message.Msg == CM_MOUSELEAVE && OnMouseLeave)
        OnMouseLeave(this);
}

// ---------------------------------------------------------------------------------------------
// TskGraphicSkinCustomControl

TskGraphicSkinCustomControl::TskGraphicSkinCustomControl(TComponent* AOwner) : TskSkinDefaultLook(AOwner) {}

void TskGraphicSkinCustomControl::GetSkinData()
{
    TskGraphicSkinControl::GetSkinData();
    picture_ = nullptr;
    auto* d = ReadSkinArea(*this, Description());
    if (!d) {
        // Without a skin area a description would force the control to an empty size, so the
        // control stays unskinned.
        index_ = -1;
        return;
    }
    picture_ = SkinPicture(SkinData(), d->PictureIndex);
}

void TskGraphicSkinCustomControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    GetSkinData();
    const bool changed = AWidth != Width() || AHeight != Height();
    if (changed && index_ != -1) {
        CalcSize(AWidth, AHeight);
        if (ResizeMode == rmFixed)
            NewClRect = ClRect;
    }
    const bool resized = AWidth != Width() || AHeight != Height();
    TskGraphicSkinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (resized)
        Repaint();
}

void TskGraphicSkinCustomControl::ChangeSkinData()
{
    GetSkinData();
    if (FitSizeToSkin())
        Repaint();
}

void TskGraphicSkinCustomControl::CreateControlDefaultImage(TBitmap* B)
{
    B->Canvas()->Brush()->SetColor(clBtnFace);
    B->Canvas()->FillRect(Rect(0, 0, Width(), Height()));
}

void TskGraphicSkinCustomControl::CreateControlSkinImage(TBitmap* B)
{
    ComposeSkinControlImage(*this, B, picture_, SkinRect, Width(), Height(), true);
}

}  // namespace sk
