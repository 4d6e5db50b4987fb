#include "Paint.h"

#include <algorithm>
#include <cmath>

namespace skingen {

void fillRows(Image& image, const Rect& r, const Ramp& ramp, FillKind fill)
{
    for (int y = r.top; y < r.bottom; ++y) {
        const Rgb c = avoidKey(shadeAt(ramp, fill, y - r.top, r.height()));
        for (int x = r.left; x < r.right; ++x) image.set(x, y, c);
    }
}

void fillColumns(Image& image, const Rect& r, const Ramp& ramp, FillKind fill)
{
    for (int x = r.left; x < r.right; ++x) {
        const Rgb c = avoidKey(shadeAt(ramp, fill, x - r.left, r.width()));
        for (int y = r.top; y < r.bottom; ++y) image.set(x, y, c);
    }
}

double roundRectDepth(const Rect& r, double radius, int x, int y)
{
    const double px = x + 0.5, py = y + 0.5;
    const double rad = std::min({radius, r.width() / 2.0, r.height() / 2.0});
    const double cx = std::clamp(px, r.left + rad, r.right - rad);
    const double cy = std::clamp(py, r.top + rad, r.bottom - rad);
    const double dx = px - cx, dy = py - cy;
    if (dx == 0 && dy == 0) {
        // In the straight part: the distance to the nearest side.
        return std::min({px - r.left, r.right - px, py - r.top, r.bottom - py});
    }
    return rad - std::sqrt(dx * dx + dy * dy);
}

double roundRectCoverage(const Rect& r, double radius, int x, int y)
{
    const double rad = std::min({radius, r.width() / 2.0, r.height() / 2.0});
    int inside = 0;
    for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx) {
            const double px = x + (sx + 0.5) / 4, py = y + (sy + 0.5) / 4;
            if (px < r.left || px > r.right || py < r.top || py > r.bottom) continue;
            const double cx = std::clamp(px, r.left + rad, r.right - rad);
            const double cy = std::clamp(py, r.top + rad, r.bottom - rad);
            const double dx = px - cx, dy = py - cy;
            if (dx * dx + dy * dy <= rad * rad + 1e-9) ++inside;
        }
    return inside / 16.0;
}

double ellipseCoverage(const Rect& r, int x, int y)
{
    const double cx = (r.left + r.right) / 2.0, cy = (r.top + r.bottom) / 2.0;
    const double ax = r.width() / 2.0, ay = r.height() / 2.0;
    int inside = 0;
    for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx) {
            const double dx = (x + (sx + 0.5) / 4 - cx) / ax, dy = (y + (sy + 0.5) / 4 - cy) / ay;
            if (dx * dx + dy * dy <= 1.0) ++inside;
        }
    return inside / 16.0;
}

void drawFace(Image& image, const Rect& cell, const Rect& shape, const FaceStyle& style,
              Rgb backdrop)
{
    image.fill(cell, backdrop);
    drawFaceOver(image, cell, shape, style);
}

void drawFaceOver(Image& image, const Rect& cell, const Rect& shape, const FaceStyle& style)
{
    const int n = style.vertical ? shape.width() : shape.height();
    // The shape may reach beyond the cell (a tab open at its foot); only the cell is drawn.
    for (int y = std::max(shape.top, cell.top); y < std::min(shape.bottom, cell.bottom); ++y)
        for (int x = std::max(shape.left, cell.left); x < std::min(shape.right, cell.right); ++x) {
            const double cover = roundRectCoverage(shape, style.radius, x, y);
            if (cover <= 0) continue;
            const int along = style.vertical ? x - shape.left : y - shape.top;
            Rgb c = shadeAt(style.ramp, style.fill, along, n);
            const double depth = roundRectDepth(shape, style.radius, x, y);
            // Which side the pixel is nearest decides whether it catches the light.
            const int toLeft = x - shape.left, toRight = shape.right - 1 - x;
            const int toTop = y - shape.top, toBottom = shape.bottom - 1 - y;
            const bool litSide = std::min(toLeft, toTop) <= std::min(toRight, toBottom);
            if (depth < 1.0) {
                c = style.bevel == BevelKind::Glow ? mix(style.edge, style.light, 0.35) : style.edge;
            } else if (depth < 2.0) {
                switch (style.bevel) {
                case BevelKind::Raised: c = litSide ? mix(c, style.light, 0.7) : mix(c, style.shade, 0.45); break;
                case BevelKind::Sunken: c = litSide ? mix(c, style.shade, 0.45) : mix(c, style.light, 0.6); break;
                case BevelKind::Double: c = mix(c, style.light, 0.55); break;
                case BevelKind::Glow: c = mix(c, style.light, 0.6); break;
                case BevelKind::None: break;
                }
            } else if (depth < 3.0 && style.bevel == BevelKind::Double) {
                c = mix(c, style.edge, 0.45);
            }
            image.set(x, y, avoidKey(mix(image.at(x, y), c, cover)));
        }
}

void hline(Image& image, int x1, int x2, int y, Rgb c)
{
    for (int x = x1; x < x2; ++x) image.set(x, y, c);
}

void vline(Image& image, int x, int y1, int y2, Rgb c)
{
    for (int y = y1; y < y2; ++y) image.set(x, y, c);
}

void frameRect(Image& image, const Rect& r, Rgb c)
{
    hline(image, r.left, r.right, r.top, c);
    hline(image, r.left, r.right, r.bottom - 1, c);
    vline(image, r.left, r.top, r.bottom, c);
    vline(image, r.right - 1, r.top, r.bottom, c);
}

}  // namespace skingen
