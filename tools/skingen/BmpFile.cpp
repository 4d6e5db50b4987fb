#include "BmpFile.h"

#include "FileWrite.h"
#include "tests/support/BmpBytes.h"

namespace skingen {

std::vector<std::uint8_t> encodeBmp(const Image& image)
{
    if (image.empty()) throw std::invalid_argument("an empty picture has no BMP file");
    test_support::TBmpHeaderFields fields = test_support::BmpFields(image.width(), image.height(), 24);
    fields.PixelsPerMetre = 2835;  // 72 dots per inch
    const std::string headers = test_support::BmpHeaderBytes(fields);
    const std::size_t stride = test_support::BmpRowSize(image.width(), 24);
    std::vector<std::uint8_t> out(headers.begin(), headers.end());
    out.reserve(headers.size() + fields.ImageSize);
    for (int y = image.height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.width(); ++x) {
            const Rgb c = image.at(x, y);
            out.push_back(c.b);
            out.push_back(c.g);
            out.push_back(c.r);
        }
        for (std::size_t pad = static_cast<std::size_t>(image.width()) * 3; pad < stride; ++pad) out.push_back(0);
    }
    return out;
}

void writeBmp(const Image& image, const std::filesystem::path& path)
{
    writeFile(path, encodeBmp(image));
}

}  // namespace skingen
