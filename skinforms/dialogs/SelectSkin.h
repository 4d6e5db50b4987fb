#pragma once
// TskSelectSkinDialog: lets the user pick one of the stored skins of a form, with a live
// preview of the highlighted skin drawn by a skin data of the dialog's own, so that the
// program's skin changes only when the user confirms.
#include <string>
#include <vector>

#include "classlib/controls/Forms.h"
#include "classlib/stdctrls/StdCtrls.h"
#include "skin/controls/Button.h"
#include "skin/data/SkinData.h"
#include "skin/controls/Panel.h"
#include "skinforms/dialogs/Parts.h"
#include "skinforms/frame/Frame.h"
#include "skinforms/controls/ListBox.h"

namespace sk {

// The dialog's window, built in code while the dialog runs.
class TskSelectSkinDlgForm : public cl::TForm {
public:
    static constexpr int ClientW = 420;
    static constexpr int ClientH = 240;

    // Lists every stored skin that SkinOwner owns, in component order, and previews Current
    // (the first one when SkinOwner does not hold it). EInvalidOperation when SkinOwner holds
    // no stored skin.
    TskSelectSkinDlgForm(cl::TComponent* AOwner, TskSkinData* CtrlSkinData, TskCompressedStoredSkin* Current,
                         cl::TComponent* SkinOwner);
    ~TskSelectSkinDlgForm() override;

    TskSkinFrame* Frame = nullptr;
    TskSkinListBox* ListBox = nullptr;
    TskSkinButton* OKButton = nullptr;
    TskSkinButton* CancelButton = nullptr;
    cl::TForm* PreviewForm = nullptr;
    TskSkinData* PreviewSkinData = nullptr;
    TskSkinFrame* PreviewFrame = nullptr;
    TskSkinButton* PreviewButton = nullptr;
    // The stored skins in list order; they belong to SkinOwner.
    const std::vector<TskCompressedStoredSkin*>& StoredSkins() const { return storedSkins_; }

    // Shows the stored skin of list item Index in the preview. A skin that cannot be read
    // leaves the preview empty, says so in its caption and disables OK.
    void PreviewItem(int Index);
    // The stored skin the preview shows; nullptr when it could not be read.
    TskCompressedStoredSkin* PreviewSkin() const { return previewSkin_; }

private:
    void ListBoxClick(cl::TObject* Sender);
    void ListBoxDblClick(cl::TObject* Sender);

    std::vector<TskCompressedStoredSkin*> storedSkins_;
    TskCompressedStoredSkin* previewSkin_ = nullptr;
    std::string previewCaption_;
};

class TskSelectSkinDialog : public cl::TComponent {
public:
    explicit TskSelectSkinDialog(cl::TComponent* AOwner);
    ~TskSelectSkinDialog() override;

    std::string Title = "Select skin";
    TskSkinData* SkinData() const { return skins_.SkinData(); }
    void SetSkinData(TskSkinData* Value) { skins_.SetSkinData(Value); }
    TskSkinData* CtrlSkinData() const { return skins_.CtrlSkinData(); }
    void SetCtrlSkinData(TskSkinData* Value) { skins_.SetCtrlSkinData(Value); }
    cl::TFont* DefaultFont() { return &defaultFont_; }
    bool AlphaBlend = false;
    bool AlphaBlendAnimation = false;
    unsigned char AlphaBlendValue = 200;

    // Shows the dialog modally with Current preselected; true when the user confirmed a skin,
    // which SelectedSkin then gives.
    bool Execute(TskCompressedStoredSkin* Current);
    TskCompressedStoredSkin* SelectedSkin() const { return selectedSkin_; }
    // The dialog's window while Execute runs, nullptr otherwise.
    TskSelectSkinDlgForm* Form() const { return form_; }

    // Runs once the dialog's window is shown (tests answer the dialog through it).
    cl::TNotifyEvent OnShowDialog;

protected:
    void Notification(cl::TComponent* AComponent, cl::TOperation Operation) override;

private:
    TskDialogSkins skins_{this};
    cl::TFont defaultFont_;
    TskCompressedStoredSkin* selectedSkin_ = nullptr;
    TskSelectSkinDlgForm* form_ = nullptr;
};

}  // namespace sk
