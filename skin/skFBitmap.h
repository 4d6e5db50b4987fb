#pragma once
// TskFBitmap: a copy of a bitmap as a top-down 24-bit DIB section with a table of row
// addresses, for scanning pixels without a GDI call per pixel.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include <windows.h>

#include "classlib/GdiHandles.h"

namespace sk {

// The header of a top-down 24-bit DIB of that size: row 0 is the top row, each row padded to a
// multiple of 4 bytes. The fast bitmap and the effect bitmap keep their pixels so.
BITMAPINFO TopDownDibInfo(int Width, int Height);
// A DIB section made from Info, its pixels at Bits. EOutOfMemory when the system cannot make it.
cl::TOwnedBitmap MakeDibSection(const BITMAPINFO& Info, std::uint8_t*& Bits);

class TskFBitmap {
public:
    // A copy of Bitmap's size and pixels. EInvalidGraphic when it is not a bitmap.
    explicit TskFBitmap(HBITMAP Bitmap);
    TskFBitmap(const TskFBitmap&) = delete;
    TskFBitmap& operator=(const TskFBitmap&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Padding bytes at the end of each row: Width mod 4.
    int Gap() const { return width_ % 4; }
    // Row stride: 3 * Width + Width mod 4, a multiple of 4.
    std::size_t RowInc() const { return 3 * static_cast<std::size_t>(width_) + Gap(); }
    std::size_t Size() const { return RowInc() * static_cast<std::size_t>(height_); }
    std::uint8_t* Bits() const { return bits_; }
    // Height row addresses, the top row first.
    std::uint8_t* const* Rows() const { return rows_.data(); }
    HBITMAP Handle() const { return handle_.Handle(); }
    // A memory DC with the section selected.
    HDC DC() const { return dc_ ? dc_->Handle() : nullptr; }
    const BITMAPINFO& Info() const { return info_; }

private:
    void InitRows();

    int width_ = 0;
    int height_ = 0;
    std::uint8_t* bits_ = nullptr;
    std::vector<std::uint8_t*> rows_;
    // In this order, so that the section leaves the DC before the DC goes, and the DC before the
    // section is deleted.
    cl::TOwnedBitmap handle_;
    std::optional<cl::TMemoryDC> dc_;
    std::optional<cl::TSelectedObject> selected_;
    BITMAPINFO info_{};
};

}  // namespace sk
