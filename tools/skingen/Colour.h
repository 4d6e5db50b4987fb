#pragma once
// Colours as the generator computes with them, and the arithmetic that keeps a skin readable:
// mixing, lightness changes, relative luminance and the contrast ratio of text on a background.
#include <cstdint>

namespace skingen {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct Ramp {
    Rgb top, bottom;  // the two ends of a shaded surface
};

// The key colour that marks transparent pixels in the cells drawn with a transparent colour.
inline constexpr Rgb KeyColour{255, 0, 255};

// The colour value the skin text uses: red in the lowest byte.
std::uint32_t toColorValue(Rgb c);

// t = 0 gives a, t = 1 gives b.
Rgb mix(Rgb a, Rgb b, double t);
Rgb lighten(Rgb c, double amount);  // towards white
Rgb darken(Rgb c, double amount);   // towards black
Rgb grey(Rgb c);                    // same luminance, no hue
Rgb fromHsl(double hueDegrees, double saturation, double lightness);

double relativeLuminance(Rgb c);
double contrastRatio(Rgb a, Rgb b);

// The text colour nearest to Text that reaches Ratio against both backgrounds (the ends of a
// gradient, or one colour twice): moved towards black or white, whichever gets there first.
Rgb readableOn(Rgb text, Rgb background1, Rgb background2, double ratio = 4.6);
inline Rgb readableOn(Rgb text, Rgb background, double ratio = 4.6)
{
    return readableOn(text, background, background, ratio);
}

// A colour that is not the key colour, however close it came: content must never read as
// transparent.
Rgb avoidKey(Rgb c);

}  // namespace skingen
