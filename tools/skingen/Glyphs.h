#pragma once
// Small pixel-exact symbols: caption-button glyphs, arrows, check marks and grips. They are
// drawn from fixed patterns rather than lines so that they stay crisp at 8 to 10 pixels.
#include "Image.h"

namespace skingen {

enum class Glyph {
    Close, Maximize, Restore, Minimize, RollUp, RollDown, Tray, SysMenu,
    ArrowLeft, ArrowRight, ArrowUp, ArrowDown, Check, Dot, SmallCross,
    GripHorizontal, GripVertical, SizeGrip
};

int glyphWidth(Glyph g);
int glyphHeight(Glyph g);

// Draws the glyph centred in Cell, moved by (dx, dy); with a Halo colour, a one-pixel outline
// of that colour first, which keeps it legible on busy faces.
void drawGlyph(Image& image, Glyph g, const Rect& cell, Rgb colour, int dx = 0, int dy = 0);
void drawGlyphWithHalo(Image& image, Glyph g, const Rect& cell, Rgb colour, Rgb halo,
                       int dx = 0, int dy = 0);

}  // namespace skingen
