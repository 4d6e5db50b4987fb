#include "skinforms/dialogs/Parts.h"

#include "skin/texts/ResourceStrData.h"
#include "skin/texts/Consts.h"

namespace sk {

using namespace cl;

TskDialogSkins::~TskDialogSkins()
{
    // A skin data that outlives the component must not notify it any more.
    SetSkinData(nullptr);
    SetCtrlSkinData(nullptr);
}

void TskDialogSkins::Forget(TComponent* AComponent, TOperation Operation)
{
    skinData_.Forget(AComponent, Operation);
    ctrlSkinData_.Forget(AComponent, Operation);
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
