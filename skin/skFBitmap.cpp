#include "skin/skFBitmap.h"

#include "classlib/GraphicsError.h"

namespace sk {

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
    BITMAPINFOHEADER& h = info_.bmiHeader;
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biWidth = width_;
    h.biHeight = -height_;  // top-down: row 0 is the top row
    h.biPlanes = 1;
    h.biBitCount = 24;
    h.biCompression = BI_RGB;
    void* bits = nullptr;
    handle_ = CreateDIBSection(nullptr, &info_, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!handle_ || !bits) {
        if (handle_)
            DeleteObject(handle_);
        handle_ = nullptr;
        throw cl::EOutOfMemory("Out of system resources");
    }
    bits_ = static_cast<std::uint8_t*>(bits);
    HDC screen = GetDC(nullptr);
    BITMAPINFO header = info_;
    GetDIBits(screen, Bitmap, 0, static_cast<UINT>(height_), bits_, &header, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    InitRows();
}

TskFBitmap::~TskFBitmap()
{
    if (dc_) {
        SelectObject(dc_, oldBitmap_);
        DeleteDC(dc_);
    }
    if (handle_)
        DeleteObject(handle_);
}

void TskFBitmap::InitRows()
{
    rows_.resize(static_cast<std::size_t>(height_));
    for (int y = 0; y < height_; ++y)
        rows_[static_cast<std::size_t>(y)] = bits_ + static_cast<std::size_t>(y) * RowInc();
    dc_ = CreateCompatibleDC(nullptr);
    if (dc_)
        oldBitmap_ = SelectObject(dc_, handle_);
}

}  // namespace sk
