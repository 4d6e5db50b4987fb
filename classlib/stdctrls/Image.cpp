// TPicture and TImage.
#include "classlib/stdctrls/Image.h"

namespace cl {

template <class T>
T* TPicture::Make()
{
    if (auto* existing = dynamic_cast<T*>(graphic_.get()))
        return existing;
    auto made = std::make_unique<T>();
    made->OnChange = TNotifyEvent(this, &TPicture::Changed);
    graphic_ = std::move(made);
    Changed(this);
    return static_cast<T*>(graphic_.get());
}

TBitmap* TPicture::Bitmap() { return Make<TBitmap>(); }
TIcon* TPicture::Icon() { return Make<TIcon>(); }

void TPicture::SetGraphic(TGraphic* Value)
{
    if (!Value) {
        graphic_.reset();
        Changed(this);
        return;
    }
    if (dynamic_cast<TIcon*>(Value))
        Icon()->Assign(Value);
    else
        Bitmap()->Assign(Value);
    Changed(this);
}

void TPicture::Assign(TPersistent* Source)
{
    if (!Source) {
        SetGraphic(nullptr);
        return;
    }
    if (auto* picture = dynamic_cast<TPicture*>(Source)) {
        SetGraphic(picture->Graphic());
        return;
    }
    if (auto* graphic = dynamic_cast<TGraphic*>(Source)) {
        SetGraphic(graphic);
        return;
    }
    TPersistent::Assign(Source);
}

void TPicture::Changed(TObject*)
{
    if (OnChange)
        OnChange(this);
}

// ---------------------------------------------------------------------------------------------

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner)
{
    // A picture reports clicks like any control: a window may close on a click on it.
    SetControlStyle({csCaptureMouse, csClickEvents, csDoubleClicks, csReplicatable});
    SetBounds(0, 0, 105, 105);
    picture_.OnChange = TNotifyEvent(this, &TImage::PictureChanged);
}

void TImage::PictureChanged(TObject*)
{
    if (autoSize_ && picture_.Width() > 0 && picture_.Height() > 0)
        SetBounds(Left(), Top(), picture_.Width(), picture_.Height());
    if (TGraphic* g = picture_.Graphic())
        g->SetTransparent(transparent_);
    Invalidate();
}

void TImage::SetAutoSize(bool Value)
{
    autoSize_ = Value;
    PictureChanged(this);
}

void TImage::SetStretch(bool Value)
{
    stretch_ = Value;
    Invalidate();
}

void TImage::SetCenter(bool Value)
{
    center_ = Value;
    Invalidate();
}

void TImage::SetTransparent(bool Value)
{
    transparent_ = Value;
    PictureChanged(this);
}

TRect TImage::DestRect()
{
    const int w = picture_.Width();
    const int h = picture_.Height();
    if (stretch_)
        return ClientRect();
    if (center_)
        return Bounds((Width() - w) / 2, (Height() - h) / 2, w, h);
    return Bounds(0, 0, w, h);
}

void TImage::Paint()
{
    TGraphic* graphic = picture_.Graphic();
    if (!graphic || graphic->Empty())
        return;
    Canvas()->StretchDraw(DestRect(), graphic);
}

}  // namespace cl
