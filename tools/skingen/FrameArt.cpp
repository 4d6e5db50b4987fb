#include "FrameArt.h"

#include <algorithm>

#include "AtlasLayout.h"
#include "Paint.h"

namespace skingen {

namespace {

double frameDepth(const FrameLayout& f, int x, int y)
{
    const Rect shape{0, 0, atlas::FrameWidth, atlas::FrameHeight};
    const int radius = y < atlas::FrameHeight / 2 ? f.radius : f.bottomRadius;
    return roundRectDepth(shape, radius, x, y);
}

// The outer bevel: which side of the window the pixel is on decides light or shade.
Rgb bevelled(const SkinParams& p, const Palette& c, Rgb body, double depth, bool litSide)
{
    if (depth < 1.0) return p.bevel == BevelKind::Glow ? mix(c.frameEdge, c.accent, 0.5) : c.frameEdge;
    if (depth < 2.0) {
        switch (p.bevel) {
        case BevelKind::Raised: return litSide ? mix(body, c.frameLight, 0.7) : mix(body, c.frameShade, 0.6);
        case BevelKind::Sunken: return litSide ? mix(body, c.frameShade, 0.5) : mix(body, c.frameLight, 0.6);
        case BevelKind::Double: return mix(body, c.frameLight, 0.6);
        case BevelKind::Glow: return mix(body, c.accent, 0.55);
        case BevelKind::None: return body;
        }
    }
    if (depth < 3.0 && p.bevel == BevelKind::Double) return mix(body, c.frameEdge, 0.5);
    return body;
}

}  // namespace

bool insideFrameShape(const FrameLayout& f, int x, int y) { return frameDepth(f, x, y) >= 0; }

Image paintFrame(const SkinParams& p, const Palette& c, const FrameLayout& f, bool active)
{
    const int w = atlas::FrameWidth, h = atlas::FrameHeight;
    Image image(w, h, c.panel);
    const Ramp caption = active ? c.caption : c.captionInactive;
    const Rgb body = active ? c.frameBody : c.frameBodyInactive;
    const Rgb inner = mix(body, c.frameEdge, 0.55);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (f.client.contains(x, y)) continue;
            const double depth = frameDepth(f, x, y);
            if (depth < 0) {
                image.set(x, y, c.frameEdge);
                continue;
            }
            Rgb base = y < f.captionHeight ? shadeAt(caption, p.fill, y, f.captionHeight) : body;
            // A thin dark line around the client area sets it off from the border.
            const bool besideClient = x >= f.client.left - 1 && x <= f.client.right &&
                                      y >= f.client.top - 1 && y <= f.client.bottom;
            if (besideClient) base = inner;
            const bool litSide = std::min(x, y) <= std::min(w - 1 - x, h - 1 - y);
            image.set(x, y, avoidKey(bevelled(p, c, base, depth, litSide)));
        }
    return image;
}

Image paintFrameMask(const FrameLayout& f)
{
    Image mask(atlas::FrameWidth, atlas::FrameHeight, Rgb{255, 255, 255});
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x)
            if (insideFrameShape(f, x, y)) mask.set(x, y, Rgb{0, 0, 0});
    return mask;
}

}  // namespace skingen
