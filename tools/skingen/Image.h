#pragma once
// A plain 24-bit picture in memory, row 0 at the top, and the rectangles that address it.
#include <vector>

#include "Colour.h"

namespace skingen {

// Left and top inside, right and bottom outside, as the skin text writes rectangles.
struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    bool empty() const { return width() <= 0 || height() <= 0; }
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool inside(const Rect& outer) const
    {
        return left >= outer.left && top >= outer.top && right <= outer.right &&
               bottom <= outer.bottom;
    }
    bool overlaps(const Rect& o) const
    {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
    constexpr Rect moved(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    constexpr Rect shrunk(int by) const { return {left + by, top + by, right - by, bottom - by}; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

constexpr Rect rectAt(int x, int y, int w, int h) { return {x, y, x + w, y + h}; }

class Image {
public:
    Image() = default;
    Image(int width, int height, Rgb background = {255, 255, 255});

    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return width_ == 0 || height_ == 0; }
    Rect bounds() const { return {0, 0, width_, height_}; }

    Rgb at(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
    // Writes outside the picture are dropped, so shapes may run over an edge.
    void set(int x, int y, Rgb c);
    void blend(int x, int y, Rgb c, double alpha);

    void fill(const Rect& r, Rgb c);
    // Copies Source's rectangle From so that its top-left lands at (x, y).
    void copyFrom(const Image& source, const Rect& from, int x, int y);
    Image crop(const Rect& r) const;

private:
    int width_ = 0, height_ = 0;
    std::vector<Rgb> pixels_;
};

}  // namespace skingen
