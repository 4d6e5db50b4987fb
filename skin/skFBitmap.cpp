#include "skin/skFBitmap.h"

#include "classlib/GraphicsError.h"

namespace sk {

BITMAPINFO TopDownDibInfo(int Width, int Height)
{
    BITMAPINFO info{};
    BITMAPINFOHEADER& h = info.bmiHeader;
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biWidth = Width;
    h.biHeight = -Height;  // top-down: row 0 is the top row
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
        throw cl::EOutOfMemory("Out of system resources");
    Bits = static_cast<std::uint8_t*>(bits);
    return section;
}

TskFBitmap::TskFBitmap(HBITMAP Bitmap)
{
    BITMAP source{};
    if (!Bitmap || GetObjectA(Bitmap, sizeof(source), &source) != sizeof(source))
        throw cl::EInvalidGraphic("Bitmap image is not valid");
    width_ = source.bmWidth;
    height_ = source.bmHeight < 0 ? -source.bmHeight : source.bmHeight;
    if (width_ < 1 || height_ < 1) {
        width_ = height_ = 0;
        return;
    }
    info_ = TopDownDibInfo(width_, height_);
    handle_ = MakeDibSection(info_, bits_);
    {
        const cl::TWindowDC screen(nullptr);
        BITMAPINFO header = info_;
        GetDIBits(screen.Handle(), Bitmap, 0, static_cast<UINT>(height_), bits_, &header, DIB_RGB_COLORS);
    }
    InitRows();
}

void TskFBitmap::InitRows()
{
    rows_.resize(static_cast<std::size_t>(height_));
    for (int y = 0; y < height_; ++y)
        rows_[static_cast<std::size_t>(y)] = bits_ + static_cast<std::size_t>(y) * RowInc();
    dc_.emplace();
    if (*dc_)
        selected_.emplace(dc_->Handle(), handle_.Handle());
    else
        dc_.reset();
}

}  // namespace sk
