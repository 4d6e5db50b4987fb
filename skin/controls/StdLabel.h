#pragma once
// TskSkinStdLabel: the class library's label with its font and colour from the skin's label
// description; a disabled label is drawn embossed in the skin's highlight and shadow colours.
#include <string>

#include "classlib/classes/ComponentRef.h"
#include "classlib/stdctrls/StdCtrls.h"
#include "skin/data/SkinData.h"
#include "skin/data/User.h"

namespace sk {

class TskSkinStdLabel : public cl::TCustomLabel, public TskSkinDataUser {
public:
    explicit TskSkinStdLabel(cl::TComponent* AOwner);
    ~TskSkinStdLabel() override;

    TskSkinData* SkinData() const override { return skinData_; }
    void SetSkinData(TskSkinData* Value) override;
    const std::string& SkinDataName() const { return skinDataName_; }
    void SetSkinDataName(const std::string& Value) { skinDataName_ = Value; }
    bool UseSkinFont() const { return useSkinFont_; }
    void SetUseSkinFont(bool Value);
    bool UseSkinColor() const { return useSkinColor_; }
    void SetUseSkinColor(bool Value);
    cl::TFont* DefaultFont() { return &defaultFont_; }
    void SetDefaultFont(cl::TFont* Value);
    // -1 while the label has no description.
    int DescriptionIndex() const override { return index_; }

    void GetSkinData();
    void ChangeSkinData() override;
    void BeforeChangeSkinData() { index_ = -1; }

protected:
    void Notification(cl::TComponent* AComponent, cl::TOperation Operation) override;
    void DoDrawText(TRect& Rect, unsigned Flags) override;
    void AdjustBounds() override;

private:
    TskDataSkinStdLabelControl* LabelDescription() const;
    // The font the caption is drawn in, its colour included.
    void ApplyFont(cl::TFont* Target);

    cl::TComponentRef<TskSkinData> skinData_{this};
    std::string skinDataName_ = "stdlabel";
    bool useSkinFont_ = true;
    bool useSkinColor_ = true;
    cl::TFont defaultFont_;
    int index_ = -1;
};

}  // namespace sk
