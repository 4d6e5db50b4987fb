#include "skinforms/skDialogParts.h"

#include "skin/skResourceStrData.h"
#include "skin/skconst.h"

namespace sk {

using namespace cl;

TskDialogSkins::~TskDialogSkins()
{
    SetSkinData(nullptr);
    SetCtrlSkinData(nullptr);
}

void TskDialogSkins::Replace(TskSkinData*& Slot, TskSkinData* Value, TskSkinData* Other)
{
    if (Slot == Value)
        return;
    if (Slot && Slot != Other)
        Slot->RemoveFreeNotification(holder_);
    Slot = Value;
    if (Slot)
        Slot->FreeNotification(holder_);
}

void TskDialogSkins::Forget(TComponent* AComponent, TOperation Operation)
{
    if (Operation != opRemove)
        return;
    if (AComponent == skinData_)
        skinData_ = nullptr;
    if (AComponent == ctrlSkinData_)
        ctrlSkinData_ = nullptr;
}

std::string TskDialogSkins::Text(const char* Key) const { return DialogText(ctrlSkinData_, Key); }

std::string DialogText(const TskSkinData* SkinData, const char* Key)
{
    const TskResourceStrData* table = SkinData ? SkinData->ResourceStrData() : nullptr;
    std::string text = table ? table->GetResStr(Key) : std::string();
    return text.empty() ? BuiltInText(Key) : text;
}

void SetDefaultDialogFont(TFont* Font)
{
    Font->SetName("Arial");
    Font->SetHeight(14);
}

void ForwardShowEvent(TForm* Form, TObject* Sender, const TNotifyEvent& Event)
{
    Form->OnShow = [Sender, &Event](TObject*) {
        if (Event)
            Event(Sender);
    };
}

TskSkinButton* CreateDialogButton(TForm* Form, const TskDialogButtonArgs& Args)
{
    auto* b = new TskSkinButton(Form);
    if (!Args.Name.empty())
        b->SetName(Args.Name);
    b->SetCanFocused(true);
    b->SetCaption(Args.Caption);
    b->SetModalResult(Args.ModalResult);
    b->SetDefault(Args.Default);
    b->SetCancel(Args.Cancel);
    if (Args.DefaultHeight > 0)
        b->SetDefaultHeight(Args.DefaultHeight);
    b->SetBounds(Args.Bounds.Left, Args.Bounds.Top, Args.Bounds.Width(), Args.Bounds.Height());
    if (Args.DefaultFont)
        b->SetDefaultFont(Args.DefaultFont);
    b->SetUseSkinFont(Args.UseSkinFont);
    if (!Args.SkinDataName.empty())
        b->SetSkinDataName(Args.SkinDataName);
    b->SetParent(Form);
    if (Args.SkinData)
        b->SetSkinData(Args.SkinData);
    return b;
}

}  // namespace sk
