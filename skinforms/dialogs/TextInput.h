#pragma once
// TskSkinTextDialog: the configured settings of a skinned text-input dialog (a memo with a tool
// bar and buttons), kept with the form that owns them. The program shows no such dialog; the
// component holds what a form sets on it, with its defaults, and lets go of the skin data and
// file dialogs it names when they are freed.
#include <string>

#include "classlib/classes/Classes.h"
#include "classlib/classes/ComponentRef.h"
#include "classlib/graphics/Graphics.h"
#include "skin/data/SkinData.h"
#include "skinforms/dialogs/Parts.h"
#include "skinforms/dialogs/OpenSave.h"

namespace sk {

class TskSkinTextDialog : public cl::TComponent {
public:
    explicit TskSkinTextDialog(cl::TComponent* AOwner);
    ~TskSkinTextDialog() override;

    std::string Caption;
    bool ShowToolBar = true;
    std::string ButtonSkinDataName = "button";
    std::string MemoSkinDataName = "memo";
    bool UseSkinFont = true;
    bool AlphaBlend = false;
    unsigned char AlphaBlendValue = 200;
    bool AlphaBlendAnimation = false;

    int ClientWidth() const { return clientWidth_; }
    // A size below 1 is no size: the one before stays.
    void SetClientWidth(int Value);
    int ClientHeight() const { return clientHeight_; }
    void SetClientHeight(int Value);
    // The text, one line a string; setting copies the lines given.
    cl::TStrings* Lines() { return &lines_; }
    void SetLines(cl::TStrings* Value) { lines_.Assign(Value); }
    cl::TFont* DefaultButtonFont() { return &defaultButtonFont_; }
    cl::TFont* DefaultMemoFont() { return &defaultMemoFont_; }

    TskSkinData* SkinData() const { return skins_.SkinData(); }
    void SetSkinData(TskSkinData* Value) { skins_.SetSkinData(Value); }
    TskSkinData* CtrlSkinData() const { return skins_.CtrlSkinData(); }
    void SetCtrlSkinData(TskSkinData* Value) { skins_.SetCtrlSkinData(Value); }
    TskSkinOpenDialog* SkinOpenDialog() const { return openDialog_; }
    void SetSkinOpenDialog(TskSkinOpenDialog* Value) { openDialog_.Set(Value); }
    TskSkinSaveDialog* SkinSaveDialog() const { return saveDialog_; }
    void SetSkinSaveDialog(TskSkinSaveDialog* Value) { saveDialog_.Set(Value); }

protected:
    void Notification(cl::TComponent* AComponent, cl::TOperation Operation) override;

private:
    int clientWidth_ = 350;
    int clientHeight_ = 200;
    cl::TStringList lines_;
    cl::TFont defaultButtonFont_;
    cl::TFont defaultMemoFont_;
    TskDialogSkins skins_{this};
    cl::TComponentRef<TskSkinOpenDialog> openDialog_{this};
    cl::TComponentRef<TskSkinSaveDialog> saveDialog_{this};
};

}  // namespace sk
