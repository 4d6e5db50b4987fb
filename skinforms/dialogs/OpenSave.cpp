#include "skinforms/dialogs/OpenSave.h"

#include "skinforms/dialogs/Texts.h"

namespace sk {

using namespace cl;

TskSkinOpenDialog::TskSkinOpenDialog(TComponent* AOwner)
    : TComponent(AOwner), Title(SOpenDialogTitle), Filter(SOpenDialogFilter)
{
    SetDefaultDialogFont(&defaultFont_);
}

TskSkinOpenDialog::~TskSkinOpenDialog() = default;

void TskSkinOpenDialog::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    skins_.Forget(AComponent, Operation);
}

TskSkinSaveDialog::TskSkinSaveDialog(TComponent* AOwner) : TskSkinOpenDialog(AOwner)
{
    Title = SSaveDialogTitle;
    SetSaveMode(true);
}

}  // namespace sk
