// Where the pixels of a TskEffectBmp live on Windows: a top-down 24-bit DIB section, so that
// GDI reads them and draws them without conversion.
#include "classlib/system/CoreConsts.h"
#include "classlib/graphics/GdiHandles.h"
#include "classlib/graphics/Error.h"
#include "skin/drawing/Effects.h"

namespace sk {

namespace {

// Row 0 is the top row, each row padded to a multiple of 4 bytes.
BITMAPINFO TopDownDibInfo(int Width, int Height)
{
    BITMAPINFO info{};
    BITMAPINFOHEADER& h = info.bmiHeader;
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biWidth = Width;
    h.biHeight = -Height;
    h.biPlanes = 1;
    h.biBitCount = 24;
    h.biCompression = BI_RGB;
    return info;
}

cl::TOwnedBitmap MakeDibSection(const BITMAPINFO& Info, std::uint8_t*& Bits)
{
    void* bits = nullptr;
    cl::TOwnedBitmap section(CreateDIBSection(nullptr, &Info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!section || !bits)
        throw cl::EOutOfMemory(cl::consts::SOutOfResources);
    Bits = static_cast<std::uint8_t*>(bits);
    return section;
}

}  // namespace

struct TskEffectBmp::TStore {
    BITMAPINFO Info{};
    cl::TOwnedBitmap Section;
};

TskEffectBmp::TskEffectBmp(int AWidth, int AHeight)
    : width_(AWidth > 0 && AHeight > 0 ? AWidth : 0), height_(AWidth > 0 && AHeight > 0 ? AHeight : 0),
      rowInc_(3 * static_cast<std::size_t>(width_) + width_ % 4), store_(std::make_unique<TStore>())
{
    store_->Info = TopDownDibInfo(width_, height_);
    if (width_ == 0)
        return;
    store_->Section = MakeDibSection(store_->Info, bits_);
}

TskEffectBmp::~TskEffectBmp() = default;

std::unique_ptr<TskEffectBmp> TskEffectBmp::CreateFromHandle(HBITMAP Bitmap)
{
    BITMAP info{};
    if (!Bitmap || GetObjectA(Bitmap, sizeof(info), &info) != sizeof(info))
        throw cl::EInvalidGraphic(cl::consts::SInvalidBitmap);
    auto result = std::make_unique<TskEffectBmp>(info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight);
    if (result->bits_) {
        // The pixels of a device-dependent bitmap are read through the display's DC.
        cl::TDisplayDC display;
        BITMAPINFO header = result->store_->Info;
        GetDIBits(display.Handle(), Bitmap, 0, result->height_, result->bits_, &header, DIB_RGB_COLORS);
    }
    return result;
}

HBITMAP TskEffectBmp::Handle() const
{
    return store_->Section.Handle();
}

const BITMAPINFO& TskEffectBmp::Info() const
{
    return store_->Info;
}

void TskEffectBmp::Draw(HDC DC, int X, int Y) const
{
    if (!bits_)
        return;
    SetDIBitsToDevice(DC, X, Y, width_, height_, 0, 0, 0, height_, bits_, &store_->Info, DIB_RGB_COLORS);
}

}  // namespace sk
