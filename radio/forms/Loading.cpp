#include "radio/forms/Loading.h"

#include "radio/forms/MainTexts.h"
#include "radio/forms/SkinBinding.h"

using namespace cl;

TfrmLoading::TfrmLoading(TComponent* AOwner, sk::TskSkinData* SkinData) : TForm(AOwner)
{
    SetBorderStyle(bsNone);
    SetCaption(radio_texts::SLoadingCaption);
    SetClientWidth(207);
    SetClientHeight(103);
    skSkinFrame1 = new sk::TskSkinFrame(this);
    skSkinFrame1->SetSkinData(SkinData);
    panLoading = new sk::TskSkinPanel(this);
    panLoading->SetParent(this);
    panLoading->SetSkinData(SkinData);
    imgLoading = new sk::TskSkinPanel(this);
    imgLoading->SetParent(panLoading);
    // A tile in the skin's tool-bar look: a panel finds no look in a button's description.
    imgLoading->SetSkinDataName("toolpanel");
    imgLoading->SetSkinData(SkinData);
    labLoading = new sk::TskSkinStdLabel(this);
    labLoading->SetParent(panLoading);
    labLoading->SetTransparent(true);
    labLoading->SetSkinData(SkinData);
    labLoading->SetCaption(radio_texts::SLoadingText);
    tmrTimeout = new TTimer(this);
    tmrTimeout->SetEnabled(false);
    tmrTimeout->SetInterval(TimeoutMs);
    tmrTimeout->OnTimer = TNotifyEvent(this, &TfrmLoading::tmrTimeoutTimer);
    panLoading->SetBounds(8, 8, 193, 85);
    imgLoading->SetBounds(0, 10, 33, 33);
    labLoading->SetTop(52);
    BindSkinData(this, SkinData);
}

void TfrmLoading::LayOut()
{
    panLoading->SetBounds(5, 5, ClientWidth() - 10, ClientHeight() - 10);
    imgLoading->SetLeft(panLoading->Width() / 2 - imgLoading->Width() / 2);
    labLoading->SetLeft(panLoading->Width() / 2 - labLoading->Width() / 2);
}

void TfrmLoading::ShowOver(TWinControl* Over)
{
    LayOut();
    if (Over) {
        RECT r{};
        GetWindowRect(Over->Handle(), &r);
        SetBounds((r.left + r.right) / 2 - Width() / 2, (r.top + r.bottom) / 2 - Height() / 2, Width(), Height());
    }
    // Restarted, so that the time-out counts from the latest navigation.
    tmrTimeout->SetEnabled(false);
    tmrTimeout->SetEnabled(true);
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SetVisible(true);
}

void TfrmLoading::HideOverlay()
{
    tmrTimeout->SetEnabled(false);
    SetVisible(false);
}

void TfrmLoading::tmrTimeoutTimer(TObject*) { HideOverlay(); }
