#pragma once
// The BMP file format, kept apart from any window so that skin files can be read on any host.
// Pixels are exchanged as 24-bit rows, bottom row first, each padded to 4 bytes: the layout of
// a 24-bit device-independent bitmap, so a DIB section can be filled in place.
#include <cstddef>
#include <cstdint>
#include <functional>

namespace cl {

// Reads exactly Count bytes or throws (the stream's read error).
using TBmpReadFn = std::function<void(void* Buffer, std::size_t Count)>;
using TBmpWriteFn = std::function<void(const void* Buffer, std::size_t Count)>;
// Sizes the destination and returns its first (bottom) row; rows are BmpRowStride(Width) apart.
using TBmpAllocateFn = std::function<std::uint8_t*(int Width, int Height)>;

constexpr int BmpMaxDimension = 32767;
constexpr std::size_t BmpFileHeaderSize = 14;
constexpr std::size_t BmpInfoHeaderSize = 40;

constexpr std::size_t BmpRowStride(int Width)
{
    return (static_cast<std::size_t>(Width) * 3 + 3) & ~static_cast<std::size_t>(3);
}

// Reads one BMP file and consumes exactly the length its file header gives (at least what its
// headers and rows need), so that whatever follows in the stream can be read next. Formats:
// 1, 4, 8, 16, 24 and 32 bits per pixel, uncompressed or with bit-field masks, bottom-up or
// top-down. Anything else raises EInvalidGraphic; a short stream raises the stream's error.
void ReadBmp(const TBmpReadFn& Read, const TBmpAllocateFn& Allocate);

// Writes a complete 24-bit BMP file (file header, info header, rows).
void WriteBmp(const TBmpWriteFn& Write, int Width, int Height, const std::uint8_t* BottomUpRows);

}  // namespace cl
