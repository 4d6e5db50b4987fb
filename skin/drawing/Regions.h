#pragma once
// Window regions from mask pictures.
#include "classlib/graphics/Bitmap.h"
#include "classlib/graphics/GdiHandles.h"
#include "skin/drawing/Utils.h"

#include <windows.h>

namespace sk {

// The one owner of a region handle; hand it to a window with Release() (SetWindowRgn), after
// which the window owns it.
using TskRegion = cl::TOwnedRegion;

// The region of a list of rectangles (ExtCreateRegion), bound by Bound; an empty region for
// no rectangles. Long lists are built in pieces joined pairwise, so the cost grows with
// n log n rather than with the square of the count.
TskRegion CreateRegionFromRects(const std::vector<cl::TRect>& Rects, const cl::TRect& Bound);

// The region of Mask's black pixels at (0, 0); no region for an empty mask.
TskRegion CreateRegionFromMask(const cl::TBitmap* Mask);

// The four border strips of Mask fitted to W by H, tiled as ComposeSkinBorderImages tiles
// (middles tiled, ends copied). Strips that do not apply stay empty; new strips are white.
void ComposeSkinMaskImage(const TskAreaPoints& Area, const TskAreaPoints& NewArea, cl::TBitmap* LeftImage,
                          cl::TBitmap* TopImage, cl::TBitmap* RightImage, cl::TBitmap* BottomImage,
                          cl::TBitmap* Mask, int W, int H);

// The window region of a skin area of W by H whose mask picture is Mask (the mask covers the
// area at its own size): NewArea.ClRect joined with the black pixels of the border strips.
// No region when the corners overlap or NewArea.ClRect is null.
TskRegion CreateSkinRegion(const TskAreaPoints& Area, const TskAreaPoints& NewArea, cl::TBitmap* Mask, int W,
                           int H);

// The window region of a three-part strip of W by H whose mask picture is Mask: the mask fitted
// as the strip's image is (the ends of StartLength and EndLength pixels kept, the middle tiled
// along the strip) joined with Client. No region when Client is null.
TskRegion CreateStripRegion(bool Vertical, int StartLength, int EndLength, cl::TBitmap* Mask, const TRect& Client,
                            int W, int H);

}  // namespace sk
