#include "skinforms/dialogs/MessageBox.h"

#include <algorithm>
#include <array>

#include "classlib/graphics/Icon.h"

namespace sk {

using namespace cl;

namespace {

struct TButtonKind {
    TMsgDlgBtn Kind;
    const char* Name;
    const char* TextKey;
    TModalResult Result;
};

// In the order the buttons stand in the row.
constexpr std::array<TButtonKind, 11> ButtonKinds{{
    {mbYes, "Yes", "MSG_BTN_YES", mrYes},
    {mbNo, "No", "MSG_BTN_NO", mrNo},
    {mbOK, "OK", "MSG_BTN_OK", mrOk},
    {mbCancel, "Cancel", "MSG_BTN_CANCEL", mrCancel},
    {mbAbort, "Abort", "MSG_BTN_ABORT", mrAbort},
    {mbRetry, "Retry", "MSG_BTN_RETRY", mrRetry},
    {mbIgnore, "Ignore", "MSG_BTN_IGNORE", mrIgnore},
    {mbAll, "All", "MSG_BTN_ALL", mrAll},
    {mbNoToAll, "NoToAll", "MSG_BTN_NOTOALL", mrNoToAll},
    {mbYesToAll, "YesToAll", "MSG_BTN_YESTOALL", mrYesToAll},
    // Help answers nothing: it shows help and leaves the box open.
    {mbHelp, "Help", "MSG_BTN_HELP", mrNone},
}};

const char* CaptionKey(TMsgDlgType Type)
{
    switch (Type) {
    case mtWarning: return "MSG_CAP_WARNING";
    case mtError: return "MSG_CAP_ERROR";
    case mtInformation: return "MSG_CAP_INFORMATION";
    case mtConfirmation: return "MSG_CAP_CONFIRM";
    case mtCustom: break;
    }
    return nullptr;
}

// The system's shared icon of a kind (nullptr for a custom message); never destroyed.
HICON SystemIcon(TMsgDlgType Type)
{
    switch (Type) {
    case mtWarning: return LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_EXCLAMATION));
    case mtError: return LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_HAND));
    case mtInformation: return LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_ASTERISK));
    case mtConfirmation: return LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_QUESTION));
    case mtCustom: break;
    }
    return nullptr;
}

TMsgDlgBtn DefaultKind(TMsgDlgButtons Buttons)
{
    if (Buttons.Contains(mbOK))
        return mbOK;
    return Buttons.Contains(mbYes) ? mbYes : mbRetry;
}

// The button Escape presses; false when the set has none.
bool CancelKind(TMsgDlgButtons Buttons, TMsgDlgBtn& Kind)
{
    for (TMsgDlgBtn k : {mbCancel, mbNo, mbOK})
        if (Buttons.Contains(k)) {
            Kind = k;
            return true;
        }
    return false;
}

int ButtonCount(TMsgDlgButtons Buttons)
{
    return static_cast<int>(std::count_if(ButtonKinds.begin(), ButtonKinds.end(),
                                          [Buttons](const TButtonKind& k) { return Buttons.Contains(k.Kind); }));
}

}  // namespace

// --- The dialog's window

TskMessageForm::TskMessageForm(TComponent* AOwner) : TForm(AOwner)
{
    // Before the frame takes the window over: a new border style re-creates the window.
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    Frame = new TskSkinFrame(this);
    Frame->SetBorderIcons({});
}

TskSkinButton* TskMessageForm::Button(TMsgDlgBtn Kind) const
{
    for (const TButtonKind& k : ButtonKinds)
        if (k.Kind == Kind)
            return dynamic_cast<TskSkinButton*>(FindComponent(k.Name));
    return nullptr;
}

void TskMessageForm::HelpButtonClick(TObject*) { Application->HelpContext(HelpContext); }

// --- The component

TskSkinMessage::TskSkinMessage(TComponent* AOwner) : TComponent(AOwner)
{
    SetDefaultDialogFont(&defaultFont_);
    SetDefaultDialogFont(&defaultButtonFont_);
}

TskSkinMessage::~TskSkinMessage() = default;

void TskSkinMessage::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    skins_.Forget(AComponent, Operation);
}

int TskSkinMessage::ButtonHeight() const
{
    TskSkinData* skin = CtrlSkinData();
    if (!skin || skin->Empty)
        return DefaultButtonHeight;
    const int index = skin->IndexOfControl(ButtonSkinDataName);
    auto* d = index < 0 ? nullptr : dynamic_cast<TskDataSkinButtonControl*>(skin->CtrlList.Items(index));
    // A description without a picture piece would give buttons nobody can see or press.
    if (!d || d->SkinRect.Height() < 1)
        return DefaultButtonHeight;
    return d->SkinRect.Height();
}

TskMessageForm* TskSkinMessage::CreateMessageForm(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons)
{
    if (Buttons.Empty())
        Buttons = {mbOK};
    auto* form = new TskMessageForm(Application);
    try {
        TskSkinFrame* frame = form->Frame;
        frame->SetMenusSkinData(CtrlSkinData());
        frame->SetAlphaBlend(AlphaBlend);
        frame->AlphaBlendAnimation = AlphaBlendAnimation;
        frame->SetAlphaBlendValue(AlphaBlendValue);
        frame->SetSkinData(SkinData());

        const int bh = ButtonHeight();
        const int count = ButtonCount(Buttons);
        const int rowWidth = count * ButtonWidth + (count - 1) * ButtonGap;
        const char* captionKey = CaptionKey(DlgType);
        form->SetCaption(captionKey ? skins_.Text(captionKey) : std::string(Application->Title()));

        auto* label = new TskSkinStdLabel(form);
        label->SetName("Message");
        label->Font()->Assign(&defaultFont_);
        label->SetDefaultFont(&defaultFont_);
        label->SetUseSkinFont(UseSkinFont);
        label->SetSkinDataName(MessageLabelSkinDataName);
        label->SetParent(form);
        label->SetSkinData(CtrlSkinData());
        label->SetAutoSize(true);
        label->SetLeft(50);
        label->SetTop(15);
        label->SetCaption(Msg);
        form->Message = label;

        auto* image = new TImage(form);
        image->SetName("Image");
        image->SetParent(form);
        image->SetBounds(5, std::max(10, label->Top() + label->Height() / 2 - 16), 32, 32);
        if (HICON icon = SystemIcon(DlgType))
            image->Picture()->Icon()->SetHandle(CopyIcon(icon));
        form->Image = image;

        form->SetClientHeight(bh + 50 + label->Height());
        form->SetClientWidth(std::max(rowWidth, label->Left() + label->Width()) + 40);
        if (ShowAgainFlag)
            AddCheckBox(form);
        // Keep the frame's limits: a long message or caption is cut rather than leaving the
        // screen.
        if (form->Width() > frame->GetMaxWidth())
            form->SetWidth(frame->GetMaxWidth());
        else if (form->Width() < frame->GetMinWidth())
            form->SetWidth(frame->GetMinWidth());
        frame->ClientWidth = form->ClientWidth();
        frame->ClientHeight = form->ClientHeight();
        AddButtons(form, Buttons, bh);
    } catch (...) {
        form->Free();
        throw;
    }
    return form;
}

void TskSkinMessage::AddCheckBox(TskMessageForm* Form)
{
    const int bh = ButtonHeight();
    Form->SetClientHeight(Form->ClientHeight() + 40);
    auto* box = new TskSkinCheckRadioBox(Form);
    box->SetName("checkbox");
    box->SetDefaultHeight(30);
    box->SetDefaultFont(&defaultFont_);
    box->SetUseSkinFont(UseSkinFont);
    box->SetParent(Form);
    box->SetSkinData(CtrlSkinData());
    box->SetChecked(!ShowAgainFlagValue);
    const std::string caption = skins_.Text("MSG_CAP_SHOWFLAG");
    box->SetCaption(caption);

    // Measured in the font the box will draw its caption in.
    TBitmap measure;
    measure.SetSize(1, 1);
    TFont* font = measure.Canvas()->Font();
    font->Assign(&defaultFont_);
    TskSkinData* skin = CtrlSkinData();
    const int index = skin && !skin->Empty ? skin->IndexOfControl(box->SkinDataName()) : -1;
    auto* d = index < 0 ? nullptr : dynamic_cast<TskDataSkinCheckRadioControl*>(skin->CtrlList.Items(index));
    if (d && UseSkinFont) {
        font->SetName(d->FontName);
        font->SetHeight(d->FontHeight);
    }
    const int t = measure.Canvas()->TextWidth(caption);
    if (Form->ClientWidth() < t + 60)
        Form->SetClientWidth(t + 60);
    box->SetBounds(5, Form->ClientHeight() - bh - 50, t + 55, box->Height());
    Form->CheckBox = box;
}

void TskSkinMessage::AddButtons(TskMessageForm* Form, TMsgDlgButtons Buttons, int Height)
{
    const int count = ButtonCount(Buttons);
    const int rowWidth = count * ButtonWidth + (count - 1) * ButtonGap;
    const TMsgDlgBtn defaultKind = DefaultKind(Buttons);
    TMsgDlgBtn cancelKind = mbCancel;
    const bool hasCancel = CancelKind(Buttons, cancelKind);
    int x = (Form->ClientWidth() - rowWidth) / 2;
    const int y = Form->ClientHeight() - Height - 10;
    TskSkinButton* focused = nullptr;
    for (const TButtonKind& k : ButtonKinds) {
        if (!Buttons.Contains(k.Kind))
            continue;
        TskDialogButtonArgs args;
        args.Name = k.Name;
        args.Caption = skins_.Text(k.TextKey);
        args.ModalResult = k.Result;
        args.Default = k.Kind == defaultKind;
        args.Cancel = hasCancel && k.Kind == cancelKind;
        args.Bounds = Bounds(x, y, ButtonWidth, Height);
        args.DefaultHeight = Height;
        args.DefaultFont = &defaultButtonFont_;
        args.UseSkinFont = UseSkinFont;
        args.SkinDataName = ButtonSkinDataName;
        args.SkinData = CtrlSkinData();
        TskSkinButton* b = CreateDialogButton(Form, args);
        if (k.Kind == mbHelp)
            b->OnClick = TNotifyEvent(Form, &TskMessageForm::HelpButtonClick);
        if (b->Default())
            focused = b;
        x += ButtonWidth + ButtonGap;
    }
    // Enter presses the focused button: start on the default one.
    if (focused)
        Form->SetActiveControl(focused);
}

TModalResult TskSkinMessage::MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                                        int HelpCtx)
{
    TskModalFormSlot<TskMessageForm> open(form_);
    form_ = CreateMessageForm(Msg, DlgType, Buttons);
    form_->HelpContext = HelpCtx;
    const TModalResult result = form_->ShowModal();
    if (form_ && form_->CheckBox)
        ShowAgainFlagValue = !form_->CheckBox->Checked();
    return result;
}

}  // namespace sk
