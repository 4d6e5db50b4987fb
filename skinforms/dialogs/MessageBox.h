#pragma once
// TskSkinMessage: a message box in the skin's look. Each call builds a dialog in code (a
// skinned frame, the message in a skinned label, the system icon of the message's kind, one
// skinned button per requested button and, on request, a "do not show again" box), shows it
// modally and frees it again.
#include <string>

#include "classlib/controls/Forms.h"
#include "classlib/stdctrls/Image.h"
#include "classlib/controls/MsgDlgTypes.h"
#include "skin/controls/Button.h"
#include "skin/controls/CheckRadioBox.h"
#include "skin/data/SkinData.h"
#include "skin/controls/StdLabel.h"
#include "skinforms/dialogs/Parts.h"
#include "skinforms/frame/Frame.h"

namespace sk {

// The dialog's window; it exists only while a message is shown.
class TskMessageForm : public cl::TForm {
public:
    explicit TskMessageForm(cl::TComponent* AOwner);

    TskSkinFrame* Frame = nullptr;
    TskSkinStdLabel* Message = nullptr;
    cl::TImage* Image = nullptr;
    // nullptr unless the "do not show again" box was asked for.
    TskSkinCheckRadioBox* CheckBox = nullptr;
    // The help topic the Help button asks for.
    int HelpContext = 0;

    // The button of a kind, nullptr when the message does not offer it.
    TskSkinButton* Button(cl::TMsgDlgBtn Kind) const;
    // Asks the application for the help topic of HelpContext.
    void HelpButtonClick(cl::TObject* Sender);
};

class TskSkinMessage : public cl::TComponent {
public:
    static constexpr int ButtonWidth = 70;
    static constexpr int DefaultButtonHeight = 25;
    static constexpr int ButtonGap = 10;

    explicit TskSkinMessage(cl::TComponent* AOwner);
    ~TskSkinMessage() override;

    TskSkinData* SkinData() const { return skins_.SkinData(); }
    void SetSkinData(TskSkinData* Value) { skins_.SetSkinData(Value); }
    TskSkinData* CtrlSkinData() const { return skins_.CtrlSkinData(); }
    void SetCtrlSkinData(TskSkinData* Value) { skins_.SetCtrlSkinData(Value); }
    std::string ButtonSkinDataName = "button";
    std::string MessageLabelSkinDataName = "stdlabel";
    cl::TFont* DefaultFont() { return &defaultFont_; }
    void SetDefaultFont(cl::TFont* Value) { defaultFont_.Assign(Value); }
    cl::TFont* DefaultButtonFont() { return &defaultButtonFont_; }
    void SetDefaultButtonFont(cl::TFont* Value) { defaultButtonFont_.Assign(Value); }
    bool UseSkinFont = true;
    bool AlphaBlend = false;
    bool AlphaBlendAnimation = false;
    std::uint8_t AlphaBlendValue = 200;
    bool ShowAgainFlag = false;
    // The user's answer to the "do not show again" box: false while the box is checked.
    bool ShowAgainFlagValue = false;

    // Shows the message modally and answers the modal result of the button that closed it
    // (mrCancel when the window was closed otherwise). An empty button set offers OK, so
    // that the box can always be closed.
    cl::TModalResult MessageDlg(const std::string& Msg, cl::TMsgDlgType DlgType, cl::TMsgDlgButtons Buttons,
                                int HelpCtx);
    // Builds the dialog of MessageDlg without showing it; the caller frees it.
    TskMessageForm* CreateMessageForm(const std::string& Msg, cl::TMsgDlgType DlgType, cl::TMsgDlgButtons Buttons);

    // The dialog while MessageDlg shows it, nullptr otherwise.
    TskMessageForm* Form() const { return form_; }

protected:
    void Notification(cl::TComponent* AComponent, cl::TOperation Operation) override;

private:
    int ButtonHeight() const;
    void AddCheckBox(TskMessageForm* Form);
    void AddButtons(TskMessageForm* Form, cl::TMsgDlgButtons Buttons, int Height);

    TskDialogSkins skins_{this};
    cl::TFont defaultFont_;
    cl::TFont defaultButtonFont_;
    TskMessageForm* form_ = nullptr;
};

}  // namespace sk
