#pragma once
// TskSkinXFormButton: a push button that, while no skin description applies, draws itself from
// pictures of its own (normal, hot and pressed) at their size, shaped by a mask of its own.
#include "skin/controls/Button.h"

namespace sk {

class TskSkinXFormButton : public TskSkinButton {
public:
    explicit TskSkinXFormButton(cl::TComponent* AOwner);

    cl::TBitmap* DefImage() { return &defImage_; }
    // Copies the picture; a picture gives the unskinned button its size.
    void SetDefImage(cl::TBitmap* Value);
    cl::TBitmap* DefActiveImage() { return &defActiveImage_; }
    void SetDefActiveImage(cl::TBitmap* Value) { defActiveImage_.Assign(Value); }
    cl::TBitmap* DefDownImage() { return &defDownImage_; }
    void SetDefDownImage(cl::TBitmap* Value) { defDownImage_.Assign(Value); }
    cl::TBitmap* DefMask() { return &defMask_; }
    // Copies the mask; its black pixels are the window's shape while the own look applies.
    void SetDefMask(cl::TBitmap* Value);
    cl::TColor DefActiveFontColor() const { return defActiveFontColor_; }
    void SetDefActiveFontColor(cl::TColor Value) { defActiveFontColor_ = Value; }
    cl::TColor DefDownFontColor() const { return defDownFontColor_; }
    void SetDefDownFontColor(cl::TColor Value) { defDownFontColor_ = Value; }

    // The button draws from its own pictures: it has no description and a DefImage.
    bool OwnLook();

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void ChangeSkinData() override;
    void CreateControlDefaultImage(cl::TBitmap* B) override;

protected:
    void SetControlRegion() override;
    void Loaded() override;

private:
    cl::TBitmap defImage_;
    cl::TBitmap defActiveImage_;
    cl::TBitmap defDownImage_;
    cl::TBitmap defMask_;
    cl::TColor defActiveFontColor_ = 0;
    cl::TColor defDownFontColor_ = 0;
};

}  // namespace sk
