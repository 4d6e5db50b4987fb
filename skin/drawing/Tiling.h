#pragma once
// Backgrounds tiled from a piece of a picture onto any device context: window backgrounds,
// panels, lists, tab strips and sheets. What a paint costs does not depend on the piece's size:
// a skin may give a tile of one pixel.
#include <windows.h>

#include "classlib/graphics/Bitmap.h"
#include "classlib/system/Types.h"

namespace sk {

using cl::TPoint;
using cl::TRect;

// Covers R of DC with Src's Part repeated from Origin (a tile's top-left at Origin plus whole
// multiples of the part's size, in both directions), cut at R's edges. Answers false, drawing
// nothing, when there is no picture or the part has no area.
bool TileRect(HDC DC, const TRect& R, const TPoint& Origin, cl::TBitmap* Src, const TRect& Part);
// The whole of Tile over R, from R's top-left.
bool TileBitmap(HDC DC, const TRect& R, cl::TBitmap* Tile);

}  // namespace sk
