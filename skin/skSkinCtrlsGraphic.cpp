#include "skin/skSkinCtrlsGraphic.h"

#include "skin/skComposers.h"
#include "skin/skSkinCtrls.h"

namespace sk {

using namespace cl;

// ---------------------------------------------------------------------------------------------
// TskGraphicSkinControl

TskGraphicSkinControl::TskGraphicSkinControl(TComponent* AOwner) : TGraphicControl(AOwner)
{
    SetControlStyle(ControlStyle() + csOpaque);
}

TskGraphicSkinControl::~TskGraphicSkinControl()
{
    if (skinData_)
        skinData_->RemoveFreeNotification(this);
}

TskDataSkinControl* TskGraphicSkinControl::Description() const
{
    if (index_ < 0 || !skinData_)
        return nullptr;
    return skinData_->CtrlList.Items(index_);
}

void TskGraphicSkinControl::GetSkinData()
{
    index_ = (skinData_ && !skinData_->Empty) ? skinData_->IndexOfControl(skinDataName_) : -1;
}

void TskGraphicSkinControl::SetSkinData(TskSkinData* Value)
{
    if (skinData_ != Value) {
        if (skinData_)
            skinData_->RemoveFreeNotification(this);
        skinData_ = Value;
        if (skinData_)
            skinData_->FreeNotification(this);
    }
    if (skinData_ && !skinData_->Empty && !Designing())
        ChangeSkinData();
}

void TskGraphicSkinControl::ChangeSkinData()
{
    GetSkinData();
    Repaint();
}

void TskGraphicSkinControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == skinData_) {
        skinData_ = nullptr;
        index_ = -1;
    }
}

void TskGraphicSkinControl::Paint()
{
    if (Width() < 1 || Height() < 1)
        return;
    GetSkinData();
    TBitmap b;
    b.SetSize(Width(), Height());
    if (index_ == -1)
        CreateControlDefaultImage(&b);
    else
        CreateControlSkinImage(&b);
    Canvas()->Draw(0, 0, &b);
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
