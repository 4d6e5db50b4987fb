#pragma once
// TskSkinOpenDialog and TskSkinSaveDialog: the configured settings of a skinned file dialog,
// kept with the form that owns them. The program shows no file dialog; these components hold
// what a form sets on them, with their defaults, and let go of the skin data they name when it
// is freed.
#include <string>

#include "classlib/classes/Classes.h"
#include "classlib/graphics/Graphics.h"
#include "skin/data/SkinData.h"
#include "skinforms/dialogs/Parts.h"

namespace sk {

class TskSkinOpenDialog : public cl::TComponent {
public:
    explicit TskSkinOpenDialog(cl::TComponent* AOwner);
    ~TskSkinOpenDialog() override;

    std::string Title;
    std::string Filter;
    int FilterIndex = 1;
    std::string FileName;
    std::string InitialDir;
    bool CheckFileExists = true;
    bool MultiSelection = false;
    int DialogWidth = 0;
    int DialogHeight = 0;
    int DialogMinWidth = 0;
    int DialogMinHeight = 0;
    bool AlphaBlend = false;
    unsigned char AlphaBlendValue = 225;
    bool AlphaBlendAnimation = false;
    bool CtrlAlphaBlend = false;
    unsigned char CtrlAlphaBlendValue = 225;
    bool CtrlAlphaBlendAnimation = false;
    std::string LVHeaderSkinDataName = "resizebutton";
    cl::TNotifyEvent OnFolderChange;

    TskSkinData* SkinData() const { return skins_.SkinData(); }
    void SetSkinData(TskSkinData* Value) { skins_.SetSkinData(Value); }
    TskSkinData* CtrlSkinData() const { return skins_.CtrlSkinData(); }
    void SetCtrlSkinData(TskSkinData* Value) { skins_.SetCtrlSkinData(Value); }
    cl::TFont* DefaultFont() { return &defaultFont_; }
    // The files chosen, one a line.
    cl::TStrings* Files() { return &files_; }
    bool SaveMode() const { return saveMode_; }

protected:
    void Notification(cl::TComponent* AComponent, cl::TOperation Operation) override;
    void SetSaveMode(bool Value) { saveMode_ = Value; }

private:
    TskDialogSkins skins_{this};
    cl::TFont defaultFont_;
    cl::TStringList files_;
    bool saveMode_ = false;
};

class TskSkinSaveDialog : public TskSkinOpenDialog {
public:
    explicit TskSkinSaveDialog(cl::TComponent* AOwner);
};

}  // namespace sk
