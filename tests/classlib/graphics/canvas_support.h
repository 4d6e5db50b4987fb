#pragma once
// The drawing tests draw through a canvas into a bitmap's pixels and read them back.
#include "classlib/graphics/Graphics.h"

namespace canvas_test {

// Gives Bitmap the size Width by Height (white until drawn on) and hands out its canvas.
inline cl::TCanvas* SizedCanvas(cl::TBitmap& Bitmap, int Width, int Height)
{
    Bitmap.SetSize(Width, Height);
    return Bitmap.Canvas();
}

}  // namespace canvas_test
