#include "skinforms/skSelectSkinDialog.h"

#include <algorithm>

#include "skin/skResourceStrData.h"
#include "skinforms/skFormsConsts.h"

namespace sk {

using namespace cl;

namespace {

std::string DialogText(TskSkinData* CtrlSkinData, const char* Key)
{
    return GetSkinResStr(CtrlSkinData ? CtrlSkinData->ResourceStrData() : nullptr, Key);
}

}  // namespace

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

    OKButton = new TskSkinButton(this);
    OKButton->SetParent(this);
    OKButton->SetBounds(260, 200, 70, 25);
    OKButton->SetCaption(DialogText(CtrlSkinData, "MSG_BTN_OK"));
    OKButton->SetModalResult(mrOk);
    OKButton->SetDefault(true);
    CancelButton = new TskSkinButton(this);
    CancelButton->SetParent(this);
    CancelButton->SetBounds(340, 200, 70, 25);
    CancelButton->SetCaption(DialogText(CtrlSkinData, "MSG_BTN_CANCEL"));
    CancelButton->SetModalResult(mrCancel);
    CancelButton->SetCancel(true);

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
    defaultFont_.SetName("Arial");
    defaultFont_.SetHeight(14);
}

TskSelectSkinDialog::~TskSelectSkinDialog()
{
    SetSkinData(nullptr);
    SetCtrlSkinData(nullptr);
}

void TskSelectSkinDialog::SetSkinData(TskSkinData* Value)
{
    if (skinData_ == Value)
        return;
    if (skinData_ && skinData_ != ctrlSkinData_)
        skinData_->RemoveFreeNotification(this);
    skinData_ = Value;
    if (skinData_)
        skinData_->FreeNotification(this);
}

void TskSelectSkinDialog::SetCtrlSkinData(TskSkinData* Value)
{
    if (ctrlSkinData_ == Value)
        return;
    if (ctrlSkinData_ && ctrlSkinData_ != skinData_)
        ctrlSkinData_->RemoveFreeNotification(this);
    ctrlSkinData_ = Value;
    if (ctrlSkinData_)
        ctrlSkinData_->FreeNotification(this);
}

void TskSelectSkinDialog::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == skinData_)
        skinData_ = nullptr;
    if (AComponent == ctrlSkinData_)
        ctrlSkinData_ = nullptr;
}

bool TskSelectSkinDialog::Execute(TskCompressedStoredSkin* Current)
{
    selectedSkin_ = nullptr;
    // Freed as components are (Free runs the destruction steps that need the whole object).
    struct TOpenForm {
        TskSelectSkinDlgForm*& Slot;
        ~TOpenForm()
        {
            if (Slot)
                Slot->Free();
            Slot = nullptr;
        }
    } open{form_};
    form_ = new TskSelectSkinDlgForm(Application, ctrlSkinData_, Current, Owner());
    TskSelectSkinDlgForm* form = form_;
    form->SetCaption(Title);
    form->Frame->SetSkinData(skinData_);
    form->Frame->SetMenusSkinData(ctrlSkinData_);
    for (TskSkinCustomControl* c : std::initializer_list<TskSkinCustomControl*>{form->OKButton, form->CancelButton,
                                                                              form->ListBox}) {
        c->SetDefaultFont(&defaultFont_);
        c->SetSkinData(ctrlSkinData_);
    }
    form->SetClientWidth(TskSelectSkinDlgForm::ClientW);
    form->SetClientHeight(TskSelectSkinDlgForm::ClientH);
    if (skinData_ && !skinData_->Empty) {
        form->SetWidth(std::max(form->Width(), skinData_->FormMinWidth));
    }
    form->OnShow = [this](TObject*) {
        if (OnShowDialog)
            OnShowDialog(this);
    };
    if (form->ShowModal() == mrOk && form->PreviewSkin())
        selectedSkin_ = form->PreviewSkin();
    return selectedSkin_ != nullptr;
}

}  // namespace sk
