#include "classlib/graphics/BmpFormat.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "classlib/system/CoreConsts.h"
#include "classlib/graphics/Error.h"

namespace cl {
namespace {

constexpr std::uint16_t BmpSignature = 0x4D42;  // "BM"
constexpr std::uint32_t CoreHeaderSize = 12;
constexpr std::uint32_t MaxInfoHeaderSize = 124;
constexpr std::uint32_t CompressionRgb = 0;
constexpr std::uint32_t CompressionBitFields = 3;
// Bounds the memory a damaged header can ask for.
constexpr std::uint64_t MaxPixelCount = 64ull * 1024 * 1024;
constexpr std::size_t SkipChunk = 4096;

std::uint16_t U16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
std::uint32_t U32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
void PutU16(std::uint8_t* p, std::uint32_t v)
{
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}
void PutU32(std::uint8_t* p, std::uint32_t v)
{
    PutU16(p, v);
    PutU16(p + 2, v >> 16);
}

[[noreturn]] void InvalidBitmap() { throw EInvalidGraphic(consts::SInvalidBitmap); }

void Skip(const TBmpReadFn& Read, std::uint64_t Count)
{
    std::array<std::uint8_t, SkipChunk> sink;
    while (Count > 0) {
        const std::size_t part = static_cast<std::size_t>(std::min<std::uint64_t>(Count, sink.size()));
        Read(sink.data(), part);
        Count -= part;
    }
}

struct TBmpLayout {
    std::int32_t Width = 0;
    std::int32_t Height = 0;  // negative: rows stored top row first
    std::uint16_t BitCount = 0;
    std::uint32_t Compression = CompressionRgb;
    std::uint32_t ColorsUsed = 0;
    std::array<std::uint32_t, 3> Masks{};  // red, green, blue
    bool CoreHeader = false;
};

// One colour channel taken out through a bit-field mask and scaled to 8 bits.
struct TChannel {
    std::uint32_t Mask = 0;
    int Shift = 0;
    int Bits = 0;
    explicit TChannel(std::uint32_t mask) : Mask(mask)
    {
        if (!mask)
            return;
        while (!((mask >> Shift) & 1))
            ++Shift;
        while (Shift + Bits < 32 && ((mask >> (Shift + Bits)) & 1))
            ++Bits;
    }
    std::uint8_t Take(std::uint32_t pixel) const
    {
        if (!Bits)
            return 0;
        std::uint32_t v = (pixel & Mask) >> Shift;
        if (Bits >= 8)
            return static_cast<std::uint8_t>(v >> (Bits - 8));
        const std::uint32_t top = (1u << Bits) - 1;
        return static_cast<std::uint8_t>((v * 255 + top / 2) / top);
    }
};

TBmpLayout ReadLayout(const TBmpReadFn& Read, std::uint32_t& HeaderSize)
{
    std::array<std::uint8_t, MaxInfoHeaderSize> info{};
    Read(info.data(), 4);
    HeaderSize = U32(info.data());
    if (HeaderSize != CoreHeaderSize && (HeaderSize < BmpInfoHeaderSize || HeaderSize > MaxInfoHeaderSize))
        InvalidBitmap();
    Read(info.data() + 4, HeaderSize - 4);
    TBmpLayout layout;
    if (HeaderSize == CoreHeaderSize) {
        layout.CoreHeader = true;
        layout.Width = U16(info.data() + 4);
        layout.Height = static_cast<std::int16_t>(U16(info.data() + 6));
        layout.BitCount = U16(info.data() + 10);
        return layout;
    }
    layout.Width = static_cast<std::int32_t>(U32(info.data() + 4));
    layout.Height = static_cast<std::int32_t>(U32(info.data() + 8));
    layout.BitCount = U16(info.data() + 14);
    layout.Compression = U32(info.data() + 16);
    layout.ColorsUsed = U32(info.data() + 32);
    if (HeaderSize >= 52) {
        layout.Masks = {U32(info.data() + 40), U32(info.data() + 44), U32(info.data() + 48)};
    }
    return layout;
}

void CheckLayout(const TBmpLayout& layout)
{
    const std::int64_t height = layout.Height < 0 ? -static_cast<std::int64_t>(layout.Height) : layout.Height;
    if (layout.Width <= 0 || height <= 0 || layout.Width > BmpMaxDimension || height > BmpMaxDimension)
        InvalidBitmap();
    if (static_cast<std::uint64_t>(layout.Width) * static_cast<std::uint64_t>(height) > MaxPixelCount)
        InvalidBitmap();
    switch (layout.BitCount) {
    case 1: case 4: case 8: case 24:
        if (layout.Compression != CompressionRgb)
            InvalidBitmap();
        break;
    case 16: case 32:
        if (layout.Compression != CompressionRgb && layout.Compression != CompressionBitFields)
            InvalidBitmap();
        break;
    default:
        InvalidBitmap();
    }
}

void ConvertRow(const TBmpLayout& layout, const std::uint8_t* src, std::uint8_t* dst,
                const std::vector<std::array<std::uint8_t, 3>>& palette, const TChannel* channels)
{
    const int width = layout.Width;
    switch (layout.BitCount) {
    case 24:
        std::memcpy(dst, src, static_cast<std::size_t>(width) * 3);
        return;
    case 1: case 4: case 8: {
        const int bits = layout.BitCount;
        const int perByte = 8 / bits;
        const int mask = (1 << bits) - 1;
        for (int x = 0; x < width; ++x) {
            const int shift = 8 - bits * (x % perByte + 1);
            const std::size_t index = (src[x / perByte] >> shift) & mask;
            // An index past the colour table reads black rather than past the table.
            static constexpr std::array<std::uint8_t, 3> black{0, 0, 0};
            const auto& entry = index < palette.size() ? palette[index] : black;
            std::memcpy(dst + x * 3, entry.data(), 3);
        }
        return;
    }
    default: {
        const int bytes = layout.BitCount / 8;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t pixel = bytes == 2 ? U16(src + x * 2) : U32(src + x * 4);
            dst[x * 3 + 0] = channels[2].Take(pixel);
            dst[x * 3 + 1] = channels[1].Take(pixel);
            dst[x * 3 + 2] = channels[0].Take(pixel);
        }
    }
    }
}

}  // namespace

void ReadBmp(const TBmpReadFn& Read, const TBmpAllocateFn& Allocate)
{
    std::array<std::uint8_t, BmpFileHeaderSize> file;
    Read(file.data(), file.size());
    if (U16(file.data()) != BmpSignature)
        InvalidBitmap();
    const std::uint32_t fileSize = U32(file.data() + 2);
    const std::uint32_t pixelOffset = U32(file.data() + 10);

    std::uint32_t headerSize = 0;
    TBmpLayout layout = ReadLayout(Read, headerSize);
    CheckLayout(layout);
    std::uint64_t consumed = BmpFileHeaderSize + headerSize;

    if (layout.Compression == CompressionBitFields && headerSize == BmpInfoHeaderSize) {
        std::array<std::uint8_t, 12> masks;
        Read(masks.data(), masks.size());
        consumed += masks.size();
        layout.Masks = {U32(masks.data()), U32(masks.data() + 4), U32(masks.data() + 8)};
    }
    if (layout.Compression == CompressionRgb && layout.BitCount == 16)
        layout.Masks = {0x7C00, 0x03E0, 0x001F};
    if (layout.Compression == CompressionRgb && layout.BitCount == 32)
        layout.Masks = {0xFF0000, 0x00FF00, 0x0000FF};

    std::vector<std::array<std::uint8_t, 3>> palette;
    if (layout.BitCount <= 8) {
        std::uint32_t entries = layout.ColorsUsed ? layout.ColorsUsed : (1u << layout.BitCount);
        if (entries > 256)
            InvalidBitmap();
        const std::size_t entrySize = layout.CoreHeader ? 3 : 4;
        std::vector<std::uint8_t> table(entries * entrySize);
        Read(table.data(), table.size());
        consumed += table.size();
        palette.resize(entries);
        for (std::uint32_t i = 0; i < entries; ++i)
            std::memcpy(palette[i].data(), table.data() + i * entrySize, 3);
    }

    // Some writers leave the offset 0; anything else must not point back into the headers.
    if (pixelOffset != 0) {
        if (pixelOffset < consumed)
            InvalidBitmap();
        Skip(Read, pixelOffset - consumed);
        consumed = pixelOffset;
    }

    const int width = layout.Width;
    const int height = layout.Height < 0 ? -layout.Height : layout.Height;
    const std::size_t srcStride = ((static_cast<std::size_t>(width) * layout.BitCount + 31) / 32) * 4;
    const std::size_t dstStride = BmpRowStride(width);
    const TChannel channels[3] = {TChannel(layout.Masks[0]), TChannel(layout.Masks[1]), TChannel(layout.Masks[2])};

    std::uint8_t* bits = Allocate(width, height);
    std::vector<std::uint8_t> row(srcStride);
    for (int i = 0; i < height; ++i) {
        Read(row.data(), srcStride);
        const int bottomUpRow = layout.Height < 0 ? height - 1 - i : i;
        std::uint8_t* dst = bits + static_cast<std::size_t>(bottomUpRow) * dstStride;
        ConvertRow(layout, row.data(), dst, palette, channels);
        std::memset(dst + static_cast<std::size_t>(width) * 3, 0, dstStride - static_cast<std::size_t>(width) * 3);
    }
    consumed += static_cast<std::uint64_t>(srcStride) * height;

    // The file header's length holds when it covers at least what was read.
    if (fileSize > consumed)
        Skip(Read, fileSize - consumed);
}

void WriteBmp(const TBmpWriteFn& Write, int Width, int Height, const std::uint8_t* BottomUpRows)
{
    const std::size_t imageSize = BmpRowStride(Width) * static_cast<std::size_t>(Height);
    std::array<std::uint8_t, BmpFileHeaderSize + BmpInfoHeaderSize> header{};
    std::uint8_t* p = header.data();
    PutU16(p, BmpSignature);
    PutU32(p + 2, static_cast<std::uint32_t>(header.size() + imageSize));
    PutU32(p + 10, static_cast<std::uint32_t>(header.size()));
    p += BmpFileHeaderSize;
    PutU32(p, BmpInfoHeaderSize);
    PutU32(p + 4, static_cast<std::uint32_t>(Width));
    PutU32(p + 8, static_cast<std::uint32_t>(Height));
    PutU16(p + 12, 1);
    PutU16(p + 14, 24);
    PutU32(p + 16, CompressionRgb);
    PutU32(p + 20, static_cast<std::uint32_t>(imageSize));
    Write(header.data(), header.size());
    if (imageSize)
        Write(BottomUpRows, imageSize);
}

}  // namespace cl
