#include "BmpFile.h"

#include "FileWrite.h"

namespace skingen {

namespace {

void put16(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

}  // namespace

std::vector<std::uint8_t> encodeBmp(const Image& image)
{
    if (image.empty()) throw std::invalid_argument("an empty picture has no BMP file");
    const std::uint32_t stride = (static_cast<std::uint32_t>(image.width()) * 3 + 3) & ~3u;
    const std::uint32_t pixels = stride * static_cast<std::uint32_t>(image.height());
    std::vector<std::uint8_t> out;
    out.reserve(54 + pixels);
    out.push_back('B');
    out.push_back('M');
    put32(out, 54 + pixels);
    put32(out, 0);
    put32(out, 54);
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(image.width()));
    put32(out, static_cast<std::uint32_t>(image.height()));
    put16(out, 1);
    put16(out, 24);
    put32(out, 0);  // uncompressed
    put32(out, pixels);
    put32(out, 2835);  // 72 dots per inch
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    for (int y = image.height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.width(); ++x) {
            const Rgb c = image.at(x, y);
            out.push_back(c.b);
            out.push_back(c.g);
            out.push_back(c.r);
        }
        for (std::uint32_t pad = static_cast<std::uint32_t>(image.width()) * 3; pad < stride; ++pad) out.push_back(0);
    }
    return out;
}

void writeBmp(const Image& image, const std::filesystem::path& path)
{
    writeFile(path, encodeBmp(image));
}

}  // namespace skingen
