#include "radio/forms/Options.h"

#include "radio/forms/DialogPlacement.h"
#include "radio/forms/DialogTexts.h"
#include "radio/forms/SkinBinding.h"
#include "skin/controls/ExPanel.h"
#include "radio/directory/RegistryManager.h"

using namespace cl;

using namespace radio_dialogs;

TfrmOptions::TfrmOptions(TComponent* AOwner, sk::TskSkinData* SkinData) : TForm(AOwner)
{
    SetBorderStyle(bsDialog);
    SetCaption(radio_texts::SOptionsCaption);
    SetPosition(poOwnerFormCenter);

    skSkinFrame1 = new sk::TskSkinFrame(this);
    skSkinFrame1->SetBorderIcons(sk::TskBorderIcons{sk::biSystemMenu, sk::biMinimize, sk::biMaximize, sk::biRollUp});
    // The frame decides the borders, so the client size is set once it is attached.
    SetClientWidth(FormClientWidth);
    SetClientHeight(FormClientHeight);

    panOptions = Place<sk::TskSkinExPanel>(this, this, 5, 5, 380, 284);
    panOptions->SetCaption(radio_texts::SOptionsCaption);
    panOptions->SetShowRollButton(false);
    panOptions->SetShowCloseButton(false);

    panInfo = Place<sk::TskSkinPanel>(panOptions, this, 8, 26, 364, 58);
    const char* info[3] = {radio_texts::SOptionsLine1, radio_texts::SOptionsLine2, radio_texts::SOptionsLine3};
    for (int i = 0; i < 3; ++i)
        labInfo[i] = PlaceLabel(panInfo, this, 6, 6 + 15 * i, 352, info[i]);

    labUserName = PlaceLabel(panOptions, this, 12, 98, 80, radio_texts::SOptionsUserName);
    edtUserName = Place<sk::TskSkinEdit>(panOptions, this, 96, 94, 180, 21);
    labPassWord = PlaceLabel(panOptions, this, 12, 126, 80, radio_texts::SOptionsPassword);
    edtPassWord = Place<sk::TskSkinPasswordEdit>(panOptions, this, 96, 122, 180, 21);
    edtPassWord->SetPasswordKind(sk::pkRoundRect);

    cbxLastSkin = Place<sk::TskSkinCheckRadioBox>(panOptions, this, 12, 154, 160, 21);
    cbxLastSkin->SetCaption(radio_texts::SOptionsLastSkin);
    // A check box of a dialog is reached with Tab like every other control of it.
    cbxLastSkin->SetTabStop(true);

    labWindowPos = PlaceLabel(panOptions, this, 12, 190, 160, radio_texts::SOptionsWindowPos);
    cmbWindowPos = Place<sk::TskSkinComboBox>(panOptions, this, 180, 186, 150, 21);
    cmbWindowPos->SetStyle(sk::skcbFixedStyle);
    for (const char* item : radio_texts::SWindowPosItems)
        cmbWindowPos->Items()->Add(item);

    btnOK = PlaceButton(this, this, 222, 300, 75, radio_texts::SOk);
    btnOK->OnClick = TNotifyEvent(this, &TfrmOptions::btnOKClick);
    btnCancel = PlaceButton(this, this, 306, 300, 75, radio_texts::SCancel);
    btnCancel->OnClick = TNotifyEvent(this, &TfrmOptions::btnCancelClick);
    // Enter and Escape answer the dialog as its two buttons do.
    btnOK->SetDefault(true);
    btnCancel->SetCancel(true);

    BindSkinData(this, SkinData);
    FormCreate(this);
}

void TfrmOptions::FormCreate(TObject*)
{
    TRegManager settings;
    cbxLastSkin->SetChecked(settings.GetStoreRadioSkin());
    const int corner = settings.GetRadioWindowPos();
    cmbWindowPos->SetItemIndex(corner >= 0 && corner <= 3 ? corner : -1);
    edtUserName->SetText(settings.GetUserName());
    edtPassWord->SetText(settings.GetPassword());
}

void TfrmOptions::btnOKClick(TObject*)
{
    {
        TRegManager settings;
        settings.SetStoreRadioSkin(cbxLastSkin->Checked());
        settings.SetRadioWindowPos(cmbWindowPos->ItemIndex());
        settings.SetUserName(edtUserName->Text());
        settings.SetPassword(edtPassWord->Text());
    }
    SetModalResult(mrOk);
}

void TfrmOptions::btnCancelClick(TObject*) { SetModalResult(mrCancel); }
