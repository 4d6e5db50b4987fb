#include "skinforms/skSkinTextDialog.h"

#include "skinforms/skFormsConsts.h"

namespace sk {

using namespace cl;

TskSkinTextDialog::TskSkinTextDialog(TComponent* AOwner) : TComponent(AOwner), Caption(STextDialogCaption)
{
    for (TFont* font : {&defaultButtonFont_, &defaultMemoFont_}) {
        font->SetName("Arial");
        font->SetHeight(14);
    }
}

TskSkinTextDialog::~TskSkinTextDialog() = default;

void TskSkinTextDialog::SetClientWidth(int Value)
{
    if (Value > 0)
        clientWidth_ = Value;
}

void TskSkinTextDialog::SetClientHeight(int Value)
{
    if (Value > 0)
        clientHeight_ = Value;
}

void TskSkinTextDialog::SetSkinData(TskSkinData* Value)
{
    skinData_ = Value;
    ReferTo(this, Value);
}

void TskSkinTextDialog::SetCtrlSkinData(TskSkinData* Value)
{
    ctrlSkinData_ = Value;
    ReferTo(this, Value);
}

void TskSkinTextDialog::SetSkinOpenDialog(TskSkinOpenDialog* Value)
{
    openDialog_ = Value;
    ReferTo(this, Value);
}

void TskSkinTextDialog::SetSkinSaveDialog(TskSkinSaveDialog* Value)
{
    saveDialog_ = Value;
    ReferTo(this, Value);
}

void TskSkinTextDialog::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == skinData_)
        skinData_ = nullptr;
    if (AComponent == ctrlSkinData_)
        ctrlSkinData_ = nullptr;
    if (AComponent == openDialog_)
        openDialog_ = nullptr;
    if (AComponent == saveDialog_)
        saveDialog_ = nullptr;
}

}  // namespace sk
