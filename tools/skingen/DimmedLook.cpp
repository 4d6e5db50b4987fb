#include "DimmedLook.h"

#include <algorithm>

#include "skin/drawing/Effects.h"
#include "skin/data/Text.h"

namespace skingen {

namespace {

Rgb pixel(const sk::TskEffectBmp& b, int x, int y)
{
    const int v = b.GetPixel(x, y);
    return {static_cast<std::uint8_t>((v >> 16) & 0xFF), static_cast<std::uint8_t>((v >> 8) & 0xFF),
            static_cast<std::uint8_t>(v & 0xFF)};
}

}  // namespace

double dimmedContrast(const std::string& EffectWord, Rgb Text, Rgb Background)
{
    const sk::TskImageEffect effect = sk::skStrToInactiveEffect(EffectWord);
    // The noise is random and has no mean: a stroke keeps its colour on the average, which is
    // what the eye reads.
    if (effect == sk::ieNoise)
        return contrastRatio(Text, Background);
    // A two-pixel stroke (a bold caption's) in a field of background, dimmed as the engine dims.
    sk::TskEffectBmp b(8, 5);
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) {
            const Rgb c = x == 3 || x == 4 ? Text : Background;
            b.SetPixel(x, y, c.r << 16 | c.g << 8 | c.b);
        }
    b.ApplyImageEffect(effect);
    return contrastRatio(pixel(b, 3, 2), pixel(b, 0, 2));
}

double dimmedContrastOver(const Image& Picture, const Rect& Area, const std::string& EffectWord, Rgb Text)
{
    double lowest = 21;
    const int x = (Area.left + Area.right) / 2;
    for (int y = Area.top; y < Area.bottom; ++y)
        lowest = std::min(lowest, dimmedContrast(EffectWord, Text, Picture.at(x, y)));
    return lowest;
}

Rgb readableWhenDimmed(const Image& Picture, const Rect& Area, const std::string& EffectWord,
                       std::initializer_list<Rgb> Candidates)
{
    Rgb best{};
    double bestContrast = -1;
    for (Rgb c : Candidates) {
        const double contrast = dimmedContrastOver(Picture, Area, EffectWord, c);
        if (contrast >= 4.6) return c;
        if (contrast > bestContrast) {
            best = c;
            bestContrast = contrast;
        }
    }
    return best;
}

}  // namespace skingen
