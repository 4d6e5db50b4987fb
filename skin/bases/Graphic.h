#pragma once
// The windowless twins of the skinned control bases: painted on the parent's canvas, with the
// same lookup, skin-change protocol, default look and skin geometry, but no window region,
// mask, border strips or client tiling.
#include <string>

#include "classlib/controls/Controls.h"
#include "skin/bases/SkinCtrls.h"
#include "skin/bases/Geometry.h"
#include "skin/data/SkinData.h"

namespace sk {

class TskGraphicSkinControl : public TskSkinLink<cl::TGraphicControl> {
public:
    explicit TskGraphicSkinControl(cl::TComponent* AOwner);

    void Dispatch(cl::TMessage& Message) override;
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
