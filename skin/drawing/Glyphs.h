#pragma once
// Small vector glyphs drawn with the canvas's pen: arrows, check and radio marks and the
// caption-button glyphs. Lines leave out their end point, as the platform draws them.
#include "classlib/graphics/Canvas.h"
#include "skin/drawing/Utils.h"

namespace sk {

enum TskArrowDirection { adLeft = 1, adRight = 2, adUp = 3, adDown = 4 };

// A small solid triangle centred in R; any other direction draws nothing.
void DrawArrowImage(cl::TCanvas* Canvas, const TRect& R, cl::TColor Color, int Direction);
// A filled 6 by 6 square at (X, Y).
void DrawRadioMark(cl::TCanvas* Canvas, int X, int Y, cl::TColor Color);
// A check mark three pixels thick.
void DrawCheckMark(cl::TCanvas* Canvas, int X, int Y, cl::TColor Color);

// Caption-button glyphs; the glyph's cell begins at (X, Y).
void DrawCrossGlyph(cl::TCanvas* Canvas, int X, int Y, cl::TColor Color);
// The cross centred in R.
void DrawCenteredGlyph(cl::TCanvas* Canvas, const TRect& R, cl::TColor Color);
void DrawRectGlyph(cl::TCanvas* Canvas, int X, int Y, cl::TColor Color);
void DrawUnderlineGlyph(cl::TCanvas* Canvas, int X, int Y, cl::TColor Color);
void DrawMaximizeGlyph(cl::TCanvas* Canvas, int X, int Y, cl::TColor Color);
void DrawRestoreGlyph(cl::TCanvas* Canvas, int X, int Y, cl::TColor Color);
void DrawDownTriangleGlyph(cl::TCanvas* Canvas, int X, int Y, cl::TColor Color);
void DrawUpTriangleGlyph(cl::TCanvas* Canvas, int X, int Y, cl::TColor Color);
void DrawSquareGlyph(cl::TCanvas* Canvas, int X, int Y, cl::TColor Color);

}  // namespace sk
