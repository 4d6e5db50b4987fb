#include "WindowArt.h"

#include <cmath>

#include "AtlasLayout.h"
#include "Paint.h"

namespace skingen {

Image paintPopupFrame(const SkinParams& p, const Palette& c)
{
    Image image(atlas::PopupWidth, atlas::PopupHeight, c.menu);
    const Rect all = image.bounds();
    frameRect(image, all, c.frameEdge);
    frameRect(image, all.shrunk(1), p.dark ? c.light : mix(c.menu, c.light, 0.6));
    frameRect(image, all.shrunk(2), mix(c.menu, c.shade, 0.25));
    return image;
}

Image paintHintFrame(const SkinParams& p, const Palette& c)
{
    Image image(atlas::HintWidth, atlas::HintHeight, c.hint);
    frameRect(image, image.bounds(), p.dark ? c.light : mix(c.hint, c.frameEdge, 0.7));
    frameRect(image, image.bounds().shrunk(1), mix(c.hint, Rgb{255, 255, 255}, 0.4));
    return image;
}

namespace {

// Copper-track art: a few traces with pads, the same on every run.
void circuit(Image& image, Rgb trace)
{
    const int n = atlas::TileSize;
    auto pad = [&](int x, int y) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) image.set((x + dx + n) % n, (y + dy + n) % n, trace);
    };
    hline(image, 0, 24, 10, trace);
    vline(image, 24, 10, 40, trace);
    hline(image, 24, 64, 40, trace);
    hline(image, 40, 64, 10, trace);
    vline(image, 8, 30, 64, trace);
    hline(image, 8, 20, 54, trace);
    pad(20, 54);
    pad(40, 10);
    vline(image, 52, 40, 58, trace);
    pad(52, 58);
    pad(24, 24);
}

}  // namespace

Image paintClientTile(const SkinParams& p, const Palette& c)
{
    const int n = atlas::TileSize;
    Image image(n, n, c.panel);
    const Rgb faint = avoidKey(mix(c.panel, p.dark ? c.light : c.shade, 0.12));
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            bool on = false;
            switch (p.texture) {
            case Texture::Plain: break;
            case Texture::Dots: on = x % 8 == 0 && y % 8 == 0; break;
            case Texture::Grid: on = x % 16 == 0 || y % 16 == 0; break;
            case Texture::Diagonal: on = (x + y) % 8 < 2; break;
            case Texture::Waves: on = y % 16 == static_cast<int>(std::lround(3 + 3 * std::sin(x * 2 * 3.14159265 / n))); break;
            case Texture::Brushed:
                image.set(x, y, avoidKey(mix(c.panel, p.dark ? c.light : c.shade, ((y * 7919) % 13) / 130.0)));
                break;
            case Texture::Circuit: break;
            }
            if (on) image.set(x, y, faint);
        }
    if (p.texture == Texture::Circuit) circuit(image, avoidKey(mix(c.panel, c.accent, 0.22)));
    return image;
}

}  // namespace skingen
