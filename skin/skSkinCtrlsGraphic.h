#pragma once
// The windowless twins of the skinned control bases: painted on the parent's canvas, with the
// same lookup, skin-change protocol, default look and skin geometry, but no window region,
// mask, border strips or client tiling.
#include <string>

#include "classlib/Controls.h"
#include "skin/skSkinCtrls.h"
#include "skin/skSkinCtrlsGeometry.h"
#include "skin/skSkinData.h"

namespace sk {

class TskGraphicSkinControl : public cl::TGraphicControl {
public:
    explicit TskGraphicSkinControl(cl::TComponent* AOwner);
    ~TskGraphicSkinControl() override;

    TskSkinData* SkinData() const { return skinData_; }
    const std::string& SkinDataName() const { return skinDataName_; }
    void SetSkinDataName(const std::string& Value) { skinDataName_ = Value; }
    int DescriptionIndex() const { return index_; }

    virtual void GetSkinData();
    virtual void SetSkinData(TskSkinData* Value);
    virtual void CreateControlDefaultImage(cl::TBitmap* B) {}
    virtual void CreateControlSkinImage(cl::TBitmap* B) {}
    virtual void ChangeSkinData();
    virtual void BeforeChangeSkinData() { index_ = -1; }

    void Dispatch(cl::TMessage& Message) override;

    cl::TNotifyEvent OnMouseEnter;
    cl::TNotifyEvent OnMouseLeave;

protected:
    void Notification(cl::TComponent* AComponent, cl::TOperation Operation) override;
    void Paint() override;
    bool Designing() const { return ComponentState().Contains(cl::csDesigning); }
    TskDataSkinControl* Description() const;

    int index_ = -1;

private:
    TskSkinData* skinData_ = nullptr;
    std::string skinDataName_;
};

class TskGraphicSkinCustomControl : public TskSkinDefaultLook<TskGraphicSkinControl> {
public:
    explicit TskGraphicSkinCustomControl(cl::TComponent* AOwner);

    void GetSkinData() override;
    void ChangeSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void CreateControlDefaultImage(cl::TBitmap* B) override;
    void CreateControlSkinImage(cl::TBitmap* B) override;
};

}  // namespace sk
