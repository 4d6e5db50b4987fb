#include "Image.h"

#include <stdexcept>

namespace skingen {

Image::Image(int width, int height, Rgb background) : width_(width), height_(height)
{
    if (width < 0 || height < 0 || width > 16384 || height > 16384)
        throw std::invalid_argument("picture size out of range");
    pixels_.assign(static_cast<std::size_t>(width) * height, background);
}

void Image::set(int x, int y, Rgb c)
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[static_cast<std::size_t>(y) * width_ + x] = c;
}

void Image::blend(int x, int y, Rgb c, double alpha)
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || alpha <= 0) return;
    Rgb& p = pixels_[static_cast<std::size_t>(y) * width_ + x];
    p = alpha >= 1 ? c : mix(p, c, alpha);
}

void Image::fill(const Rect& r, Rgb c)
{
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) set(x, y, c);
}

void Image::copyFrom(const Image& source, const Rect& from, int x, int y)
{
    for (int sy = from.top; sy < from.bottom; ++sy)
        for (int sx = from.left; sx < from.right; ++sx)
            if (source.bounds().contains(sx, sy)) set(x + sx - from.left, y + sy - from.top, source.at(sx, sy));
}

Image Image::crop(const Rect& r) const
{
    Image result(r.width(), r.height());
    result.copyFrom(*this, r, 0, 0);
    return result;
}

}  // namespace skingen
