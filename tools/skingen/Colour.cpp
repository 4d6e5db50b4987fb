#include "Colour.h"

#include <algorithm>
#include <cmath>

namespace skingen {

namespace {

std::uint8_t channel(double v)
{
    return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

double linear(std::uint8_t v)
{
    const double s = v / 255.0;
    return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
}

double hueChannel(double p, double q, double t)
{
    if (t < 0) t += 1;
    if (t > 1) t -= 1;
    if (t < 1.0 / 6) return p + (q - p) * 6 * t;
    if (t < 0.5) return q;
    if (t < 2.0 / 3) return p + (q - p) * (2.0 / 3 - t) * 6;
    return p;
}

}  // namespace

std::uint32_t toColorValue(Rgb c)
{
    return static_cast<std::uint32_t>(c.r) | (static_cast<std::uint32_t>(c.g) << 8) |
           (static_cast<std::uint32_t>(c.b) << 16);
}

Rgb mix(Rgb a, Rgb b, double t)
{
    return {channel(a.r + (b.r - a.r) * t), channel(a.g + (b.g - a.g) * t),
            channel(a.b + (b.b - a.b) * t)};
}

Rgb lighten(Rgb c, double amount) { return mix(c, Rgb{255, 255, 255}, amount); }
Rgb darken(Rgb c, double amount) { return mix(c, Rgb{0, 0, 0}, amount); }

Rgb grey(Rgb c)
{
    const std::uint8_t y = channel(0.299 * c.r + 0.587 * c.g + 0.114 * c.b);
    return {y, y, y};
}

Rgb fromHsl(double hueDegrees, double saturation, double lightness)
{
    const double h = std::fmod(std::fmod(hueDegrees, 360.0) + 360.0, 360.0) / 360.0;
    const double s = std::clamp(saturation, 0.0, 1.0);
    const double l = std::clamp(lightness, 0.0, 1.0);
    if (s == 0) return {channel(l * 255), channel(l * 255), channel(l * 255)};
    const double q = l < 0.5 ? l * (1 + s) : l + s - l * s;
    const double p = 2 * l - q;
    return {channel(hueChannel(p, q, h + 1.0 / 3) * 255), channel(hueChannel(p, q, h) * 255),
            channel(hueChannel(p, q, h - 1.0 / 3) * 255)};
}

double relativeLuminance(Rgb c)
{
    return 0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b);
}

double contrastRatio(Rgb a, Rgb b)
{
    const double la = relativeLuminance(a), lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Rgb readableOn(Rgb text, Rgb background1, Rgb background2, double ratio)
{
    auto passes = [&](Rgb c) {
        return contrastRatio(c, background1) >= ratio && contrastRatio(c, background2) >= ratio;
    };
    if (passes(text)) return text;
    for (int step = 1; step <= 20; ++step) {
        const double t = step / 20.0;
        const Rgb towardsWhite = lighten(text, t), towardsBlack = darken(text, t);
        const bool whiteOk = passes(towardsWhite), blackOk = passes(towardsBlack);
        if (whiteOk && blackOk)
            return contrastRatio(towardsWhite, background1) > contrastRatio(towardsBlack, background1)
                       ? towardsWhite
                       : towardsBlack;
        if (whiteOk) return towardsWhite;
        if (blackOk) return towardsBlack;
    }
    // Neither pure colour reaches the ratio against both ends: the better of the two.
    const Rgb white{255, 255, 255}, black{0, 0, 0};
    return std::min(contrastRatio(white, background1), contrastRatio(white, background2)) >
                   std::min(contrastRatio(black, background1), contrastRatio(black, background2))
               ? white
               : black;
}

Rgb avoidKey(Rgb c)
{
    if (c == KeyColour) return {254, 0, 254};
    return c;
}

}  // namespace skingen
