#include "radio/forms/LumraAccount.h"

#include <exception>

#include "classlib/system/SysUtils.h"
#include "radio/forms/DialogPlacement.h"
#include "radio/forms/DialogTexts.h"
#include "radio/forms/SkinBinding.h"
#include "skin/controls/ExPanel.h"
#include "radio/directory/RadioUtils.h"
#include "radio/directory/RegistryManager.h"

using namespace cl;

TfrmLumraAccount* frmLumraAccount = nullptr;

using namespace radio_dialogs;

TfrmLumraAccount::TfrmLumraAccount(TComponent* AOwner, sk::TskSkinData* SkinData) : TForm(AOwner)
{
    SetBorderStyle(bsDialog);
    SetBorderIcons(TBorderIcons{});
    SetCaption(radio_texts::SAccountCaption);
    SetPosition(poMainFormCenter);

    skSkinFrame1 = new sk::TskSkinFrame(this);
    skSkinFrame1->SetBorderIcons(sk::TskBorderIcons{});
    // The frame decides the borders, so the client size is set once it is attached.
    SetClientWidth(FormClientWidth);
    SetClientHeight(FormClientHeight);

    for (int i = 0; i < 5; ++i)
        labLines[i] = PlaceLabel(this, this, 8, 8 + 15 * i, 461, radio_texts::SAccountLines[i]);

    panAccount = Place<sk::TskSkinExPanel>(this, this, 8, 88, 461, 132);
    panAccount->SetCaption(radio_texts::SAccountPanel);
    panAccount->SetShowRollButton(false);
    panAccount->SetShowCloseButton(false);
    labUserName = PlaceLabel(panAccount, this, 12, 30, 80, radio_texts::SAccountUserName);
    edtUserName = Place<sk::TskSkinEdit>(panAccount, this, 96, 26, 150, 21);
    labPassword = PlaceLabel(panAccount, this, 12, 60, 80, radio_texts::SAccountPassword);
    edtPassword = Place<sk::TskSkinPasswordEdit>(panAccount, this, 96, 56, 150, 21);
    edtPassword->SetPasswordKind(sk::pkRoundRect);
    labOr = PlaceLabel(panAccount, this, 262, 44, 20, radio_texts::SAccountOr);
    btnCreate = PlaceButton(panAccount, this, 292, 38, 150, radio_texts::SAccountCreate);
    btnCreate->OnClick = TNotifyEvent(this, &TfrmLumraAccount::btnCreateClick);
    labLumraCheck = PlaceLabel(panAccount, this, 12, 94, 430, "");

    btnOK = PlaceButton(this, this, 304, 230, 75, radio_texts::SOk);
    btnOK->OnClick = TNotifyEvent(this, &TfrmLumraAccount::btnOKClick);
    btnExit = PlaceButton(this, this, 392, 230, 75, radio_texts::SAccountExit);
    btnExit->OnClick = TNotifyEvent(this, &TfrmLumraAccount::btnExitClick);
    // Enter and Escape answer the dialog as its two buttons do.
    btnOK->SetDefault(true);
    btnExit->SetCancel(true);

    lncBrowser = new TRzLauncher(this);
    lncBrowser->SetAction(radio_texts::SExploreVerb);
    lncBrowser->SetFileName(TRadioUtils::ServiceURL() + "/");
    lncBrowser->SetTimeout(-1);
    lncBrowser->SetWaitType(wtProcessMessages);

    BindSkinData(this, SkinData);

    ValidateAccount = [] { return TRadioUtils::ValidateAccount(); };
    OpenPage = [this](const std::string& Address) { OpenWithLauncher(Address); };
}

void TfrmLumraAccount::SetSkinData(sk::TskSkinData* SkinData) { BindSkinData(this, SkinData); }

void TfrmLumraAccount::OpenWithLauncher(const std::string& Address)
{
    // The page opens in the user's web browser, which the program does not wait for.
    lncBrowser->SetAction(radio_texts::SOpenVerb);
    lncBrowser->SetFileName(Address);
    lncBrowser->SetParameters("");
    lncBrowser->SetShowMode(smNormal);
    lncBrowser->LaunchNoWait();
}

void TfrmLumraAccount::btnCreateClick(TObject*)
{
    if (OpenPage)
        OpenPage(TRadioUtils::ServiceURL() + radio_texts::SSubscribePage);
}

void TfrmLumraAccount::ShowCheckState(const std::string& Text, TColor Color)
{
    // The state's own colour, not the one the skin gives labels.
    labLumraCheck->SetUseSkinColor(false);
    labLumraCheck->Font()->SetColor(Color);
    labLumraCheck->DefaultFont()->SetColor(Color);
    labLumraCheck->SetCaption(Text);
    labLumraCheck->Repaint();
}

void TfrmLumraAccount::btnOKClick(TObject*)
{
    {
        TRegManager settings;
        settings.SetUserName(edtUserName->Text());
        settings.SetPassword(edtPassword->Text());
    }
    ShowCheckState(radio_texts::SAccountValidating, clBtnFace);
    bool valid = false;
    try {
        valid = ValidateAccount && ValidateAccount();
    } catch (const std::exception& E) {
        // A service that cannot be reached is said here; the dialog stays, so the user can
        // try again or leave with "Exit".
        ShowCheckState(Format(radio_texts::SAccountCheckFailed, E.what()), clRed);
        return;
    }
    if (valid) {
        SetModalResult(mrOk);
        return;
    }
    ShowRefused();
}

void TfrmLumraAccount::ShowRefused() { ShowCheckState(radio_texts::SAccountInvalid, clRed); }

void TfrmLumraAccount::btnExitClick(TObject*) { SetModalResult(mrCancel); }
