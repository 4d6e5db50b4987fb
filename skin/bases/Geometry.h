#pragma once
// The arithmetic of the skinned control bases that needs no window: a description's skin-area
// geometry fitted to a control's size, skin-area rectangles mapped to that size, and where a
// glyph and a caption go inside a rectangle.
#include "skin/drawing/Utils.h"

namespace sk {

// A description's skin area as a control copies it, and the same fitted to the control's size.
struct TskSkinGeometry {
    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    TRect SkinRect;
    TRect ClRect;
    bool StretchEffect = false;
    TPoint NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint;
    TRect NewClRect;
    int ResizeMode = rmFixed;

    // The corner points and client rectangle, as the composers take them.
    TskAreaPoints Area() const { return {LTPoint, RTPoint, LBPoint, RBPoint, ClRect}; }
    TskAreaPoints NewArea() const { return {NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint, NewClRect}; }
};

// Fits the geometry to W by H. Strips keep the skin's height (horizontal) or width (vertical);
// a fixed-size skin of a described control forces its own size. Skinned says the control has
// a description. Sizes a skin forces are never negative.
void CalcSkinSize(TskSkinGeometry& G, int& W, int& H, bool Skinned);

// A rectangle in skin-area coordinates moved or stretched to a control of W by H.
TRect MapSkinRect(const TskSkinGeometry& G, const TRect& R, int W, int H);

enum TskButtonLayout { blGlyphLeft = 0, blGlyphRight = 1, blGlyphTop = 2, blGlyphBottom = 3 };

// Places a glyph and a text in R; Margin -1 centres them together, any other margin is the
// distance of the glyph from the edge it sits at.
void CalcGlyphTextLayout(TskButtonLayout Layout, const TRect& R, int GlyphW, int GlyphH, int TextW, int TextH,
                         int Spacing, int Margin, int& TextX, int& TextY, int& GlyphX, int& GlyphY);

}  // namespace sk
