#include "skin/controls/ToolBar.h"

#include "skin/drawing/Composers.h"
#include "skin/controls/SpeedButton.h"

namespace sk {

using namespace cl;

TskSkinToolBar::TskSkinToolBar(TComponent* AOwner) : TskSkinPanel(AOwner)
{
    SetSkinDataName("toolpanel");
    SetBorderStyle(bvNone);
    SetHeight(25);
}

void TskSkinToolBar::SetSkinData(TskSkinData* Value)
{
    TskSkinPanel::SetSkinData(Value);
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* b = dynamic_cast<TskSkinSpeedButton*>(Controls(i)))
            b->SetSkinData(Value);
}

void TskSkinToolBar::GetSkinData()
{
    TskSkinPanel::GetSkinData();
    resizeButtonIndex_ = SkinLoaded() ? SkinData()->IndexOfControl("resizebutton") : -1;
}

void TskSkinToolBar::CreateControlSkinImage(TBitmap* B)
{
    // Beside the scroll buttons the bar's ends would be cut off: a strip shows its middle alone.
    if (buttonsShown_ && ResizeMode == rmHorzStrip && picture_) {
        ComposeHSkinStripEx(LTPoint.X, RectWidth(SkinRect) - RTPoint.X, B, picture_, SkinRect, B->Width(),
                            B->Height(), StretchEffect);
        return;
    }
    TskSkinPanel::CreateControlSkinImage(B);
}

void TskSkinToolBar::SetFlat(bool Value)
{
    flat_ = Value;
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* b = dynamic_cast<TskSkinSpeedButton*>(Controls(i)))
            b->SetFlat(Value);
}

void TskSkinToolBar::SetImages(TCustomImageList* Value)
{
    images_.Set(Value);
    RepaintButtons();
}

void TskSkinToolBar::SetHotImages(TCustomImageList* Value) { hotImages_.Set(Value); }

void TskSkinToolBar::SetDisabledImages(TCustomImageList* Value) { disabledImages_.Set(Value); }

void TskSkinToolBar::RepaintButtons()
{
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* b = dynamic_cast<TskSkinSpeedButton*>(Controls(i)))
            b->Repaint();
}

void TskSkinToolBar::Notification(TComponent* AComponent, TOperation Operation)
{
    TskSkinPanel::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    images_.Forget(AComponent, Operation);
    hotImages_.Forget(AComponent, Operation);
    disabledImages_.Forget(AComponent, Operation);
}

void TskSkinToolBar::SetShowCaptions(bool Value)
{
    if (Value == showCaptions_)
        return;
    showCaptions_ = Value;
    if (autoShowHideCaptions_)
        for (int i = 0; i < ControlCount(); ++i)
            if (auto* b = dynamic_cast<TskSkinSpeedButton*>(Controls(i)))
                b->SetShowCaption(Value);
    if (widthWithCaptions_ > 0 && widthWithoutCaptions_ > 0)
        SetWidth(Value ? widthWithCaptions_ : widthWithoutCaptions_);
}

void TskSkinToolBar::SetScrollTimerInterval(int Value)
{
    if (Value > 0)
        scrollTimerInterval_ = static_cast<unsigned>(Value);
}

void TskSkinToolBar::SetScrollOffset(int Value)
{
    if (Value >= 0)
        scrollOffset_ = Value;
}

}  // namespace sk
