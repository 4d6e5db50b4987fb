#pragma once
// The picture of the splash and about windows: the product's name on a colour ramp, drawn in
// code so that the program carries no image file.
#include "classlib/graphics/Bitmap.h"

void PaintProductPicture(cl::TBitmap* Bitmap, int Width, int Height);
