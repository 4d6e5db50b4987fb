#pragma once
// The parameter record a skin is drawn from. Every picture and the whole description text
// follow from one record, so tuning a skin means editing its record in SkinCatalog.cpp.
#include <string>
#include <vector>

namespace skingen {

// How a surface is shaded across the axis along which it is not tiled.
enum class FillKind { Flat, Gradient, Glass, Metallic, Stripes };
// The edge drawn around frames and control faces.
enum class BevelKind { None, Raised, Sunken, Double, Glow };
// The face behind a caption button's glyph; Lights are discs coloured by what the button does.
enum class ButtonShape { Square, Round, GlyphOnly, Lights };
enum class CaptionAlign { Left, Center, Right };
// The pattern of the window's client background tile.
enum class Texture { Plain, Dots, Grid, Diagonal, Circuit, Waves, Brushed };

struct SkinParams {
    std::string name;          // the stored skin's description and the skin's own name
    double hue = 210;          // base hue of frame and headers, degrees
    double saturation = 0.5;
    double accentHue = 30;     // hot and selected states
    double accentSaturation = 0.7;
    bool dark = false;         // dark surfaces with light text
    int captionHeight = 26;    // 22..30
    int border = 4;            // 3..6
    int radius = 6;            // 0..10: window corners; control corners follow it
    FillKind fill = FillKind::Gradient;
    BevelKind bevel = BevelKind::Raised;
    ButtonShape buttons = ButtonShape::Square;
    bool buttonsInLeft = false;
    CaptionAlign align = CaptionAlign::Left;
    bool captionShadow = false;
    bool morphing = true;
    int morphKind = 0;         // 0..6
    bool drawnInactive = true; // otherwise the frame renders its inactive look itself
    int inactiveEffect = 1;    // 0..5, used when not drawnInactive
    bool animated = false;     // buttons carry animation strips
    Texture texture = Texture::Plain;

    // "Progressive Green" gives "ProgressiveGreen": the stem of the skin's file names.
    std::string fileStem() const;
};

// The program's skins in the order the main window lists them.
const std::vector<SkinParams>& skinCatalog();

}  // namespace skingen
