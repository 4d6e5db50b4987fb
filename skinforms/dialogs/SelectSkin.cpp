#include "skinforms/dialogs/SelectSkin.h"

#include <algorithm>

#include "skinforms/dialogs/Texts.h"

namespace sk {

using namespace cl;

// --- The dialog's window

TskSelectSkinDlgForm::TskSelectSkinDlgForm(TComponent* AOwner, TskSkinData* CtrlSkinData,
                                           TskCompressedStoredSkin* Current, TComponent* SkinOwner)
    : TForm(AOwner)
{
    // Collected first: an owner without stored skins is refused before anything is built.
    int current = 0;
    if (SkinOwner)
        for (int i = 0; i < SkinOwner->ComponentCount(); ++i)
            if (auto* skin = dynamic_cast<TskCompressedStoredSkin*>(SkinOwner->Components(i))) {
                if (skin == Current)
                    current = static_cast<int>(storedSkins_.size());
                storedSkins_.push_back(skin);
            }
    if (storedSkins_.empty())
        throw EInvalidOperation(SSelectSkinNoSkins);

    SetPosition(poScreenCenter);
    SetBorderStyle(bsSingle);
    Frame = new TskSkinFrame(this);
    Frame->SetBorderIcons({});
    SetClientWidth(ClientW);
    SetClientHeight(ClientH);

    // The preview draws with a skin data of its own, so that highlighting a skin changes
    // nothing outside the dialog.
    PreviewForm = new TForm(this);
    PreviewForm->SetBorderStyle(bsSingle);
    PreviewForm->SetParent(this);
    PreviewForm->SetBounds(190, 10, 220, 170);
    PreviewForm->SetEnabled(false);
    PreviewForm->SetCaption(DialogText(CtrlSkinData, "MSG_PREVIEWSKIN"));
    previewCaption_ = PreviewForm->Caption();
    PreviewSkinData = new TskSkinData(PreviewForm);
    if (CtrlSkinData && CtrlSkinData->ResourceStrData())
        PreviewSkinData->SetResourceStrData(CtrlSkinData->ResourceStrData());
    PreviewFrame = new TskSkinFrame(PreviewForm);
    // The preview stands for a window in use; a disabled child form never becomes active.
    PreviewFrame->AlwaysActive = true;
    PreviewFrame->SetSkinData(PreviewSkinData);
    auto* previewPanel = new TskSkinPanel(PreviewForm);
    previewPanel->SetParent(PreviewForm);
    previewPanel->SetAlign(alClient);
    previewPanel->SetSkinData(PreviewSkinData);
    PreviewButton = new TskSkinButton(PreviewForm);
    PreviewButton->SetParent(previewPanel);
    PreviewButton->SetBounds(20, 20, 100, 25);
    PreviewButton->SetCaption(DialogText(CtrlSkinData, "MSG_PREVIEWBUTTON"));
    PreviewButton->SetSkinData(PreviewSkinData);

    // OK is the default button, Cancel the one Escape presses.
    auto rowButton = [&](const char* Key, TModalResult Result, int Left) {
        TskDialogButtonArgs args;
        args.Caption = DialogText(CtrlSkinData, Key);
        args.ModalResult = Result;
        args.Default = Result == mrOk;
        args.Cancel = Result == mrCancel;
        args.Bounds = Bounds(Left, 200, 70, 25);
        return CreateDialogButton(this, args);
    };
    OKButton = rowButton("MSG_BTN_OK", mrOk, 260);
    CancelButton = rowButton("MSG_BTN_CANCEL", mrCancel, 340);

    ListBox = new TskSkinListBox(this);
    ListBox->SetParent(this);
    ListBox->SetBounds(10, 10, 170, 170);
    ListBox->SetSkinData(CtrlSkinData);
    ListBox->OnListBoxClick = TNotifyEvent(this, &TskSelectSkinDlgForm::ListBoxClick);
    ListBox->OnListBoxDblClick = TNotifyEvent(this, &TskSelectSkinDlgForm::ListBoxDblClick);

    for (TskCompressedStoredSkin* skin : storedSkins_)
        ListBox->Items()->Add(skin->Description.empty() ? skin->Name() : skin->Description);
    ListBox->SetItemIndex(current);
    PreviewItem(current);
    PreviewForm->SetVisible(true);
    SetActiveControl(ListBox->ListBox());
}

TskSelectSkinDlgForm::~TskSelectSkinDlgForm() { storedSkins_.clear(); }

void TskSelectSkinDlgForm::PreviewItem(int Index)
{
    if (Index < 0 || Index >= static_cast<int>(storedSkins_.size()))
        return;
    TskCompressedStoredSkin* skin = storedSkins_[Index];
    previewSkin_ = nullptr;
    try {
        PreviewSkinData->SetCompressedStoredSkin(skin);
        if (!PreviewSkinData->Empty)
            previewSkin_ = skin;
    } catch (const std::exception&) {
        // A damaged skin: said below; the program's own skin was never touched.
    }
    PreviewForm->SetCaption(previewSkin_ ? previewCaption_ : std::string(SSelectSkinDamaged));
    OKButton->SetEnabled(previewSkin_ != nullptr);
}

void TskSelectSkinDlgForm::ListBoxClick(TObject*) { PreviewItem(ListBox->ItemIndex()); }

void TskSelectSkinDlgForm::ListBoxDblClick(TObject*)
{
    PreviewItem(ListBox->ItemIndex());
    if (previewSkin_)
        SetModalResult(mrOk);
}

// --- The component

TskSelectSkinDialog::TskSelectSkinDialog(TComponent* AOwner) : TComponent(AOwner)
{
    SetDefaultDialogFont(&defaultFont_);
}

TskSelectSkinDialog::~TskSelectSkinDialog() = default;

void TskSelectSkinDialog::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    skins_.Forget(AComponent, Operation);
}

bool TskSelectSkinDialog::Execute(TskCompressedStoredSkin* Current)
{
    selectedSkin_ = nullptr;
    TskModalFormSlot<TskSelectSkinDlgForm> open(form_);
    form_ = new TskSelectSkinDlgForm(Application, CtrlSkinData(), Current, Owner());
    TskSelectSkinDlgForm* form = form_;
    form->SetCaption(Title);
    form->Frame->SetSkinData(SkinData());
    form->Frame->SetMenusSkinData(CtrlSkinData());
    form->Frame->SetAlphaBlend(AlphaBlend);
    form->Frame->AlphaBlendAnimation = AlphaBlendAnimation;
    form->Frame->SetAlphaBlendValue(AlphaBlendValue);
    for (TskSkinCustomControl* c : std::initializer_list<TskSkinCustomControl*>{form->OKButton, form->CancelButton,
                                                                              form->ListBox}) {
        c->SetDefaultFont(&defaultFont_);
        c->SetSkinData(CtrlSkinData());
    }
    form->SetClientWidth(TskSelectSkinDlgForm::ClientW);
    form->SetClientHeight(TskSelectSkinDlgForm::ClientH);
    if (SkinData() && !SkinData()->Empty)
        form->SetWidth(std::max(form->Width(), SkinData()->FormMinWidth));
    ForwardShowEvent(form, this, OnShowDialog);
    if (form->ShowModal() == mrOk && form->PreviewSkin())
        selectedSkin_ = form->PreviewSkin();
    return selectedSkin_ != nullptr;
}

}  // namespace sk
