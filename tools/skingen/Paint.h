#pragma once
// Drawing on a picture: shaded fills that vary along one axis only (so that the engine may tile
// them along the other without seams), rounded shapes with smooth edges, and bevelled faces.
#include "Image.h"
#include "Palette.h"
#include "SkinParams.h"

namespace skingen {

// Shaded top to bottom; every row is uniform.
void fillRows(Image& image, const Rect& r, const Ramp& ramp, FillKind fill);
// Shaded left to right; every column is uniform.
void fillColumns(Image& image, const Rect& r, const Ramp& ramp, FillKind fill);

// How far the centre of pixel (x, y) lies inside the rounded rectangle (negative outside).
double roundRectDepth(const Rect& r, double radius, int x, int y);
// The part of pixel (x, y) the rounded rectangle covers, 0..1, from 4 x 4 samples.
double roundRectCoverage(const Rect& r, double radius, int x, int y);
// An ellipse filling R.
double ellipseCoverage(const Rect& r, int x, int y);

struct FaceStyle {
    Ramp ramp;
    FillKind fill = FillKind::Gradient;
    BevelKind bevel = BevelKind::Raised;
    Rgb edge;            // the outline
    Rgb light, shade;    // the bevel's two sides
    int radius = 0;
    bool vertical = false;  // shaded left to right instead of top to bottom
};

// A face filling Shape, its edges smoothed against Backdrop, which fills the rest of Cell.
void drawFace(Image& image, const Rect& cell, const Rect& shape, const FaceStyle& style,
              Rgb backdrop);
// The same, its edges smoothed against what the cell already holds.
void drawFaceOver(Image& image, const Rect& cell, const Rect& shape, const FaceStyle& style);
inline void drawFace(Image& image, const Rect& cell, const FaceStyle& style, Rgb backdrop)
{
    drawFace(image, cell, cell, style, backdrop);
}

// One-pixel lines.
void hline(Image& image, int x1, int x2, int y, Rgb c);
void vline(Image& image, int x, int y1, int y2, Rgb c);
void frameRect(Image& image, const Rect& r, Rgb c);

}  // namespace skingen
