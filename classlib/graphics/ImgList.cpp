#include "classlib/graphics/ImgList.h"

#include <algorithm>

#include "classlib/system/CoreConsts.h"
#include "classlib/graphics/GdiHandles.h"

namespace cl {

// ---------------------------------------------------------------------------------------------
// TChangeLink

TChangeLink::~TChangeLink()
{
    if (sender_)
        sender_->UnRegisterChanges(this);
}

void TChangeLink::Change()
{
    if (OnChange)
        OnChange(sender_);
}

// ---------------------------------------------------------------------------------------------
// TCustomImageList

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomImageList::~TCustomImageList()
{
    for (TChangeLink* link : links_)
        link->sender_ = nullptr;
}

void TCustomImageList::SetWidth(int Value)
{
    if (Value == width_ || Value <= 0)
        return;
    width_ = Value;
    Clear();
}

void TCustomImageList::SetHeight(int Value)
{
    if (Value == height_ || Value <= 0)
        return;
    height_ = Value;
    Clear();
}

void TCustomImageList::CheckIndex(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EInvalidOperation(consts::SImageIndexError);
}

int TCustomImageList::Add(TBitmap* Image, TBitmap* Mask)
{
    if (!Image || Image->Empty())
        return -1;
    const int first = Count();
    const int pieces = std::max(1, Image->Width() / width_);
    for (int p = 0; p < pieces; ++p) {
        auto image = std::make_unique<TImage>();
        image->Pixels.SetSize(width_, height_);
        image->LeftOut.assign(static_cast<std::size_t>(width_) * height_, false);
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) {
                const int sx = p * width_ + x;
                const TColor c = Image->Pixels(sx, y);
                const bool out = c == -1 || (Mask && Mask->Pixels(sx, y) == clWhite);
                image->LeftOut[static_cast<std::size_t>(y) * width_ + x] = out;
                image->Pixels.SetPixels(x, y, out ? clBlack : c);
            }
        images_.push_back(std::move(image));
    }
    Change();
    return first;
}

int TCustomImageList::AddMasked(TBitmap* Image, TColor MaskColor)
{
    if (!Image || Image->Empty())
        return -1;
    const TColor key = ColorToRGB(MaskColor);
    TBitmap mask;
    mask.SetSize(Image->Width(), Image->Height());
    for (int y = 0; y < Image->Height(); ++y)
        for (int x = 0; x < Image->Width(); ++x)
            mask.SetPixels(x, y, Image->Pixels(x, y) == key ? clWhite : clBlack);
    return Add(Image, &mask);
}

void TCustomImageList::Delete(int Index)
{
    CheckIndex(Index);
    images_.erase(images_.begin() + Index);
    Change();
}

void TCustomImageList::Clear()
{
    if (images_.empty())
        return;
    images_.clear();
    Change();
}

HBITMAP TCustomImageList::MakeMask(const TImage& Image) const
{
    // One bit per pixel, rows padded to 16 bits; 1 = left out.
    const int stride = ((width_ + 15) / 16) * 2;
    std::vector<std::uint8_t> bits(static_cast<std::size_t>(stride) * height_, 0);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            if (Image.LeftOut[static_cast<std::size_t>(y) * width_ + x])
                bits[static_cast<std::size_t>(y) * stride + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    return CreateBitmap(width_, height_, 1, 1, bits.data());
}

void TCustomImageList::Blend(HDC Dest, int X, int Y, const TImage& Image, TBitmap& Source) const
{
    const TOwnedBitmap mask(MakeMask(Image));
    if (!mask)
        throw EOutOfResources(consts::SOutOfResources);
    const TMemoryDC maskDc(Dest);
    const TSelectedObject selected(maskDc.Handle(), mask.Handle());
    const COLORREF oldText = SetTextColor(Dest, RGB(0, 0, 0));
    const COLORREF oldBk = SetBkColor(Dest, RGB(255, 255, 255));
    // Keep the destination where the mask is set, clear it elsewhere, then add the image.
    BitBlt(Dest, X, Y, width_, height_, maskDc.Handle(), 0, 0, SRCAND);
    BitBlt(Dest, X, Y, width_, height_, Source.Canvas()->Handle(), 0, 0, SRCPAINT);
    SetTextColor(Dest, oldText);
    SetBkColor(Dest, oldBk);
}

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled)
{
    if (!Canvas || Index < 0 || Index >= Count())
        return;
    const TImage& image = *images_[static_cast<std::size_t>(Index)];
    HDC dc = Canvas->Handle();
    if (Enabled) {
        Blend(dc, X, Y, image, const_cast<TBitmap&>(image.Pixels));
        return;
    }
    // Disabled: the image's shape, a highlight one pixel down and right, the shadow over it.
    auto shape = [&](TBitmap& b, TColor color) {
        b.SetSize(width_, height_);
        const TColor rgb = ColorToRGB(color);
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                b.SetPixels(x, y, image.LeftOut[static_cast<std::size_t>(y) * width_ + x] ? clBlack : rgb);
    };
    TBitmap highlight;
    shape(highlight, clBtnHighlight);
    Blend(dc, X + 1, Y + 1, image, highlight);
    TBitmap shadow;
    shape(shadow, clBtnShadow);
    Blend(dc, X, Y, image, shadow);
}

void TCustomImageList::GetBitmap(int Index, TBitmap* Image)
{
    CheckIndex(Index);
    Image->Assign(&images_[static_cast<std::size_t>(Index)]->Pixels);
}

void TCustomImageList::GetIcon(int Index, TIcon* Icon)
{
    CheckIndex(Index);
    TImage& image = *images_[static_cast<std::size_t>(Index)];
    ICONINFO info{};
    info.fIcon = TRUE;
    const TOwnedBitmap mask(MakeMask(image));
    info.hbmMask = mask.Handle();
    info.hbmColor = image.Pixels.Handle();
    HICON icon = CreateIconIndirect(&info);
    if (!icon)
        throw EOutOfResources(consts::SOutOfResources);
    Icon->SetHandle(icon);
}

void TCustomImageList::RegisterChanges(TChangeLink* Value)
{
    if (!Value || std::find(links_.begin(), links_.end(), Value) != links_.end())
        return;
    if (Value->sender_)
        Value->sender_->UnRegisterChanges(Value);
    Value->sender_ = this;
    links_.push_back(Value);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* Value)
{
    links_.erase(std::remove(links_.begin(), links_.end(), Value), links_.end());
    if (Value && Value->sender_ == this)
        Value->sender_ = nullptr;
}

void TCustomImageList::Change()
{
    const auto links = links_;
    for (TChangeLink* link : links)
        if (std::find(links_.begin(), links_.end(), link) != links_.end())
            link->Change();
    if (OnChange)
        OnChange(this);
}

}  // namespace cl
