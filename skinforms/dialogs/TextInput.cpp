#include "skinforms/dialogs/TextInput.h"

#include "skinforms/dialogs/Texts.h"

namespace sk {

using namespace cl;

TskSkinTextDialog::TskSkinTextDialog(TComponent* AOwner) : TComponent(AOwner), Caption(STextDialogCaption)
{
    SetDefaultDialogFont(&defaultButtonFont_);
    SetDefaultDialogFont(&defaultMemoFont_);
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

void TskSkinTextDialog::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    skins_.Forget(AComponent, Operation);
    openDialog_.Forget(AComponent, Operation);
    saveDialog_.Forget(AComponent, Operation);
}

}  // namespace sk
