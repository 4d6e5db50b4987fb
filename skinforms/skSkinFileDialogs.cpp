#include "skinforms/skSkinFileDialogs.h"

#include "skinforms/skFormsConsts.h"

namespace sk {

using namespace cl;

void ReferTo(TComponent* Holder, TComponent* Value)
{
    if (Value)
        Value->FreeNotification(Holder);
}

TskSkinOpenDialog::TskSkinOpenDialog(TComponent* AOwner)
    : TComponent(AOwner), Title(SOpenDialogTitle), Filter(SOpenDialogFilter)
{
    defaultFont_.SetName("Arial");
    defaultFont_.SetHeight(14);
}

TskSkinOpenDialog::~TskSkinOpenDialog() = default;

void TskSkinOpenDialog::SetSkinData(TskSkinData* Value)
{
    skinData_ = Value;
    ReferTo(this, Value);
}

void TskSkinOpenDialog::SetCtrlSkinData(TskSkinData* Value)
{
    ctrlSkinData_ = Value;
    ReferTo(this, Value);
}

void TskSkinOpenDialog::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == skinData_)
        skinData_ = nullptr;
    if (AComponent == ctrlSkinData_)
        ctrlSkinData_ = nullptr;
}

TskSkinSaveDialog::TskSkinSaveDialog(TComponent* AOwner) : TskSkinOpenDialog(AOwner)
{
    Title = SSaveDialogTitle;
    SetSaveMode(true);
}

}  // namespace sk
