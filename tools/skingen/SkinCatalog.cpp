// The program's skins, one record each, in the order of the main window's list. Each skin
// should be told apart from the others at a glance and look like its name.
#include <cctype>

#include "SkinParams.h"

namespace skingen {

std::string SkinParams::fileStem() const
{
    std::string stem;
    for (char ch : name)
        if (std::isalnum(static_cast<unsigned char>(ch))) stem += ch;
    return stem;
}

namespace {

using F = FillKind;
using B = BevelKind;
using S = ButtonShape;
using A = CaptionAlign;
using T = Texture;

// Field order: name, hue, saturation, accent hue, accent saturation, dark, caption height,
// border, radius, fill, bevel, caption buttons, buttons in left, caption alignment, caption
// shadow, morphing, morph kind, drawn inactive frame, inactive effect, animated, texture.
SkinParams skin(const char* name, double hue, double sat, double accentHue, double accentSat, bool dark,
                int caption, int border, int radius, F fill, B bevel, S buttons, bool buttonsInLeft, A align,
                bool shadow, bool morphing, int morphKind, bool drawnInactive, int inactiveEffect, bool animated,
                T texture)
{
    SkinParams p;
    p.name = name;
    p.hue = hue;
    p.saturation = sat;
    p.accentHue = accentHue;
    p.accentSaturation = accentSat;
    p.dark = dark;
    p.captionHeight = caption;
    p.border = border;
    p.radius = radius;
    p.fill = fill;
    p.bevel = bevel;
    p.buttons = buttons;
    p.buttonsInLeft = buttonsInLeft;
    p.align = align;
    p.captionShadow = shadow;
    p.morphing = morphing;
    p.morphKind = morphKind;
    p.drawnInactive = drawnInactive;
    p.inactiveEffect = inactiveEffect;
    p.animated = animated;
    p.texture = texture;
    return p;
}

constexpr bool Light = false, Dark = true;

}  // namespace

const std::vector<SkinParams>& skinCatalog()
{
    static const std::vector<SkinParams> skins{
        skin("XSystem", 215, 0.75, 30, 0.85, Light, 28, 4, 8, F::Glass, B::Raised, S::Square, false, A::Left, true, true, 0, true, 0, false, T::Plain),
        skin("BYStyle", 265, 0.35, 320, 0.60, Light, 24, 3, 2, F::Gradient, B::None, S::GlyphOnly, false, A::Center, false, true, 1, false, 2, false, T::Dots),
        skin("Effective", 185, 0.45, 170, 0.70, Dark, 26, 5, 6, F::Gradient, B::Double, S::Round, false, A::Left, false, true, 3, true, 0, false, T::Grid),
        skin("DigiMix", 300, 0.45, 185, 0.80, Dark, 22, 3, 0, F::Stripes, B::Glow, S::Square, false, A::Left, false, true, 4, false, 2, false, T::Diagonal),
        skin("PowerForm Blue", 222, 0.85, 200, 0.90, Light, 30, 6, 4, F::Metallic, B::Raised, S::Square, false, A::Left, true, true, 0, true, 0, false, T::Brushed),
        skin("Corner", 35, 0.30, 15, 0.60, Light, 23, 4, 0, F::Flat, B::Sunken, S::Square, false, A::Center, false, false, 2, false, 2, false, T::Plain),
        skin("Chrome", 210, 0.06, 205, 0.55, Light, 27, 5, 5, F::Metallic, B::Raised, S::Round, false, A::Center, true, true, 1, true, 0, false, T::Brushed),
        skin("Circuit", 140, 0.55, 42, 0.85, Dark, 24, 4, 2, F::Flat, B::Glow, S::Square, false, A::Left, false, true, 5, false, 3, false, T::Circuit),
        skin("WAX", 8, 0.55, 40, 0.85, Light, 26, 4, 10, F::Glass, B::Raised, S::Round, false, A::Left, true, true, 0, true, 0, false, T::Plain),
        skin("Animate", 280, 0.55, 50, 0.85, Light, 27, 4, 6, F::Gradient, B::Raised, S::Square, false, A::Left, false, true, 6, true, 0, true, T::Waves),
        skin("NextGen Red", 355, 0.70, 0, 0.80, Dark, 26, 4, 4, F::Glass, B::Glow, S::Square, false, A::Left, true, true, 2, true, 0, false, T::Diagonal),
        skin("Gel Revisited", 195, 0.70, 330, 0.70, Light, 28, 5, 10, F::Glass, B::Double, S::Round, false, A::Center, false, true, 1, true, 0, false, T::Dots),
        skin("Progressive Green", 130, 0.50, 95, 0.70, Light, 26, 4, 6, F::Gradient, B::Raised, S::Square, false, A::Left, true, true, 0, true, 0, false, T::Plain),
        skin("Media Zone", 220, 0.15, 28, 0.90, Dark, 25, 4, 3, F::Metallic, B::Sunken, S::GlyphOnly, false, A::Left, false, true, 3, false, 3, false, T::Brushed),
        skin("Energy Green", 90, 0.75, 60, 0.90, Light, 24, 3, 4, F::Stripes, B::Raised, S::Square, false, A::Center, false, true, 4, false, 2, false, T::Diagonal),
        skin("Mac X2", 215, 0.08, 210, 0.75, Light, 22, 3, 8, F::Metallic, B::None, S::Lights, true, A::Center, false, true, 0, true, 0, false, T::Brushed),
        skin("Media Mix", 320, 0.35, 175, 0.75, Dark, 28, 5, 5, F::Gradient, B::Double, S::Square, false, A::Left, false, true, 5, false, 3, false, T::Waves),
        skin("Blue Morph", 200, 0.65, 240, 0.70, Light, 26, 4, 7, F::Gradient, B::Raised, S::Round, false, A::Left, false, true, 1, true, 0, false, T::Waves),
        skin("Modern", 250, 0.22, 350, 0.75, Light, 30, 3, 0, F::Flat, B::None, S::GlyphOnly, false, A::Left, false, false, 0, false, 2, false, T::Plain),
        skin("Vista", 205, 0.45, 195, 0.75, Dark, 28, 6, 10, F::Glass, B::Glow, S::Square, false, A::Left, true, true, 1, true, 0, false, T::Plain),
        skin("Futurist Orange", 28, 0.90, 200, 0.80, Dark, 24, 4, 3, F::Stripes, B::Glow, S::Square, false, A::Left, false, true, 4, true, 0, false, T::Grid),
        skin("Techno", 200, 0.25, 180, 0.85, Dark, 23, 3, 0, F::Metallic, B::Double, S::Square, false, A::Left, false, true, 5, false, 5, false, T::Grid),
        skin("Hi Tech", 200, 0.30, 190, 0.80, Light, 25, 5, 2, F::Metallic, B::Sunken, S::Square, false, A::Left, false, true, 2, true, 0, false, T::Dots),
        skin("XFactor Premium", 40, 0.30, 45, 0.80, Dark, 28, 5, 6, F::Glass, B::Raised, S::Round, false, A::Center, true, true, 0, true, 0, false, T::Diagonal),
        skin("VIP Zone", 275, 0.45, 48, 0.85, Dark, 27, 4, 8, F::Gradient, B::Glow, S::Round, false, A::Left, false, true, 3, true, 0, false, T::Dots),
        skin("Autumn", 25, 0.75, 10, 0.75, Light, 26, 5, 6, F::Gradient, B::Raised, S::Square, false, A::Left, false, true, 1, true, 0, false, T::Waves),
        skin("Smart Green", 155, 0.45, 135, 0.70, Light, 24, 3, 3, F::Flat, B::None, S::GlyphOnly, false, A::Left, false, true, 2, false, 2, false, T::Plain),
        skin("Exclusive XP", 75, 0.40, 35, 0.80, Light, 29, 4, 8, F::Glass, B::Raised, S::Square, false, A::Left, true, true, 0, true, 0, false, T::Plain),
        skin("Lagoon", 178, 0.60, 195, 0.75, Light, 26, 4, 9, F::Gradient, B::Double, S::Round, false, A::Left, false, true, 1, true, 0, false, T::Waves),
        skin("VX Premium", 225, 0.12, 210, 0.60, Dark, 27, 5, 4, F::Metallic, B::Raised, S::Square, false, A::Center, true, true, 6, true, 0, false, T::Brushed),
        skin("BlueLight", 205, 0.55, 50, 0.85, Light, 24, 3, 5, F::Glass, B::None, S::GlyphOnly, false, A::Left, false, true, 0, false, 2, false, T::Dots),
        skin("Color Expert", 330, 0.55, 160, 0.75, Light, 25, 4, 5, F::Stripes, B::Raised, S::Square, false, A::Left, false, true, 3, true, 0, false, T::Diagonal),
        skin("SkyFi", 235, 0.50, 190, 0.80, Dark, 26, 4, 7, F::Glass, B::Glow, S::Round, false, A::Left, false, true, 1, false, 1, false, T::Dots),
        skin("Sirius", 262, 0.45, 220, 0.70, Dark, 25, 4, 5, F::Gradient, B::Double, S::Square, false, A::Left, false, true, 0, true, 0, false, T::Dots),
        skin("Top Level", 345, 0.55, 40, 0.80, Light, 28, 5, 4, F::Metallic, B::Raised, S::Square, false, A::Center, true, true, 2, true, 0, false, T::Grid),
    };
    return skins;
}

}  // namespace skingen
