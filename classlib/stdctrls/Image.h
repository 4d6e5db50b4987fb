#pragma once
// TImage: a windowless control that shows a picture (a bitmap or an icon).
#include <memory>

#include "classlib/controls/Controls.h"

namespace cl {

// Holds one graphic; asking for Bitmap or Icon replaces a graphic of the other kind.
class TPicture : public TPersistent {
public:
    TGraphic* Graphic() const { return graphic_.get(); }
    void SetGraphic(TGraphic* Value);
    TBitmap* Bitmap();
    TIcon* Icon();
    int Width() const { return graphic_ ? graphic_->Width() : 0; }
    int Height() const { return graphic_ ? graphic_->Height() : 0; }
    void Assign(TPersistent* Source) override;

    TNotifyEvent OnChange;

private:
    template <class T>
    T* Make();
    void Changed(TObject* Sender);
    std::unique_ptr<TGraphic> graphic_;
};

class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* AOwner);

    TPicture* Picture() { return &picture_; }
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool Value);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool Value);
    bool Center() const { return center_; }
    void SetCenter(bool Value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool Value);

protected:
    void Paint() override;
    // Where the picture goes in the client area.
    TRect DestRect();

private:
    void PictureChanged(TObject* Sender);
    TPicture picture_;
    bool autoSize_ = false;
    bool stretch_ = false;
    bool center_ = false;
    bool transparent_ = false;
};

}  // namespace cl
