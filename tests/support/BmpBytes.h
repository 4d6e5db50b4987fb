#pragma once
// Uncompressed BMP files built byte by byte, as a skin stores its pictures: the file header,
// the 40-byte info header, a palette where the depth needs one, then the rows bottom up, each
// padded to four bytes. Header only, so that the benchmarks can build their pictures with it too.
#include <cstddef>
#include <cstdint>
#include <string>

namespace test_support {

// The bytes of one row of Width pixels at Bits per pixel, with its padding.
inline std::size_t BmpRowSize(int Width, int Bits)
{
    return (static_cast<std::size_t>(Width) * static_cast<std::size_t>(Bits) + 31) / 32 * 4;
}

// The file header and the info header of a Width by Height picture at Bits per pixel with a
// palette of Colours entries: the palette (four bytes an entry) and the rows follow them.
inline std::string BmpHeaders(int Width, int Height, int Bits, int Colours = 0)
{
    const auto offset = static_cast<std::uint32_t>(14 + 40 + 4 * Colours);
    const auto pixels = static_cast<std::uint32_t>(BmpRowSize(Width, Bits) * static_cast<std::size_t>(Height));
    std::string s = "BM";
    auto put = [&s](std::uint32_t Value, int Bytes) {
        for (int i = 0; i < Bytes; ++i)
            s += static_cast<char>((Value >> (8 * i)) & 0xFF);
    };
    put(offset + pixels, 4);
    put(0, 4);
    put(offset, 4);
    put(40, 4);
    put(static_cast<std::uint32_t>(Width), 4);
    put(static_cast<std::uint32_t>(Height), 4);
    put(1, 2);
    put(static_cast<std::uint32_t>(Bits), 2);
    put(0, 4);  // uncompressed
    put(pixels, 4);
    put(0, 4);
    put(0, 4);
    put(static_cast<std::uint32_t>(Colours), 4);
    put(0, 4);
    return s;
}

}  // namespace test_support
