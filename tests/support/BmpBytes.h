#pragma once
// Uncompressed BMP files built byte by byte, as a skin stores its pictures: the file header,
// the 40-byte info header, a palette where the depth needs one, then the rows bottom up, each
// padded to four bytes. Header only, so that the benchmarks and the skin generator can build
// their pictures with it too.
#include <cstddef>
#include <cstdint>
#include <string>

namespace test_support {

// The bytes of one row of Width pixels at Bits per pixel, with its padding.
inline std::size_t BmpRowSize(int Width, int Bits)
{
    return (static_cast<std::size_t>(Width) * static_cast<std::size_t>(Bits) + 31) / 32 * 4;
}

// The fields of the two headers that vary from file to file, as the file states them: a test
// that wants headers that lie changes the field they lie about before writing them.
struct TBmpHeaderFields {
    std::uint32_t FileSize = 0;
    std::uint32_t PixelOffset = 0;
    std::uint32_t Width = 0;
    std::uint32_t Height = 0;
    std::uint16_t Bits = 0;
    std::uint32_t ImageSize = 0;
    std::uint32_t PixelsPerMetre = 0;
    std::uint32_t ColoursUsed = 0;
};

// The fields of a Width by Height picture at Bits per pixel with a palette of Colours entries
// (four bytes an entry) that follows the headers, and then the rows.
inline TBmpHeaderFields BmpFields(int Width, int Height, int Bits, int Colours = 0)
{
    TBmpHeaderFields f;
    f.PixelOffset = static_cast<std::uint32_t>(14 + 40 + 4 * Colours);
    f.ImageSize = static_cast<std::uint32_t>(BmpRowSize(Width, Bits) * static_cast<std::size_t>(Height));
    f.FileSize = f.PixelOffset + f.ImageSize;
    f.Width = static_cast<std::uint32_t>(Width);
    f.Height = static_cast<std::uint32_t>(Height);
    f.Bits = static_cast<std::uint16_t>(Bits);
    f.ColoursUsed = static_cast<std::uint32_t>(Colours);
    return f;
}

// The file header and the info header with the fields F, little-endian, uncompressed.
inline std::string BmpHeaderBytes(const TBmpHeaderFields& F)
{
    std::string s = "BM";
    auto put = [&s](std::uint32_t Value, int Bytes) {
        for (int i = 0; i < Bytes; ++i)
            s += static_cast<char>((Value >> (8 * i)) & 0xFF);
    };
    put(F.FileSize, 4);
    put(0, 4);
    put(F.PixelOffset, 4);
    put(40, 4);
    put(F.Width, 4);
    put(F.Height, 4);
    put(1, 2);
    put(F.Bits, 2);
    put(0, 4);  // uncompressed
    put(F.ImageSize, 4);
    put(F.PixelsPerMetre, 4);
    put(F.PixelsPerMetre, 4);
    put(F.ColoursUsed, 4);
    put(0, 4);
    return s;
}

// The headers of a Width by Height picture at Bits per pixel with a palette of Colours entries:
// the palette and the rows follow them.
inline std::string BmpHeaders(int Width, int Height, int Bits, int Colours = 0)
{
    return BmpHeaderBytes(BmpFields(Width, Height, Bits, Colours));
}

}  // namespace test_support
