#pragma once
// The skin-image composers: a skin area cut out of a skin picture and fitted to a control's
// size. Corners are copied as they are; edges, strip middles and the client area are tiled or
// stretched. Tiles repeat from the span's start and the last one is cut at the span's end.
//
// Parts whose source or destination is empty or inverted draw nothing, so a control smaller
// than its skin's corners never gets mirrored drawing; source rectangles outside the picture
// are clipped by the platform.
#include "classlib/graphics/Bitmap.h"
#include "classlib/graphics/Canvas.h"
#include "skin/drawing/Utils.h"

namespace sk {

// Nine-part image of the skin area SkinRect of Src, W by H, into Dest (Dest is resized).
// Area holds the corner points and client rectangle at the area's size, NewArea the same fitted
// to W by H. Nothing is drawn when the corners have no room between them or Src is empty; the
// client area only when DrawClient is set.
void ComposeSkinImage(const TskAreaPoints& Area, const TskAreaPoints& NewArea, cl::TBitmap* Dest, cl::TBitmap* Src,
                      const TRect& SkinRect, int W, int H, bool DrawClient);
// The same with a choice, per edge, between tiling and stretching it.
void ComposeSkinImageEx(const TskAreaPoints& Area, const TskAreaPoints& NewArea, cl::TBitmap* Dest, cl::TBitmap* Src,
                        const TRect& SkinRect, int W, int H, bool DrawClient, bool LeftStretch, bool TopStretch,
                        bool RightStretch, bool BottomStretch);
// Four separate border bitmaps for a frame around a client area its owner paints itself. Each
// is made only when its border and edge are at least one pixel, else left untouched. The
// caller draws Top at (0, 0), Left at (0, top height), Right at (W - right width, top height)
// and Bottom at (0, H - bottom height).
void ComposeSkinBorderImages(const TskAreaPoints& Area, const TskAreaPoints& NewArea, cl::TBitmap* LeftImage,
                             cl::TBitmap* TopImage, cl::TBitmap* RightImage, cl::TBitmap* BottomImage,
                             cl::TBitmap* Src, const TRect& SkinRect, int W, int H, bool LeftStretch,
                             bool TopStretch, bool RightStretch, bool BottomStretch);
// Three-part strips: ends of LeftW and RightW (TopH and BottomH) pixels copied, the middle
// tiled or stretched. The horizontal strip is W wide and as high as SrcRect (H is not used),
// the vertical one as wide as SrcRect and H high (W is not used).
void ComposeHSkinStrip(int LeftW, int RightW, cl::TBitmap* Dest, cl::TBitmap* Src, const TRect& SrcRect, int W, int H,
                       bool Stretch);
void ComposeVSkinStrip(int TopH, int BottomH, cl::TBitmap* Dest, cl::TBitmap* Src, const TRect& SrcRect, int W, int H,
                       bool Stretch);
// The middle of a horizontal strip alone over the whole width.
void ComposeHSkinStripEx(int LeftW, int RightW, cl::TBitmap* Dest, cl::TBitmap* Src, const TRect& SrcRect, int W,
                         int H, bool Stretch);
// Dest's DR covered with tiles of Src's SR in both directions, from DR's top-left; the tiles at
// the right and bottom are cut. Copies what is already laid, so the number of copies grows
// with the logarithm of the tile count, not with the count.
void TileArea(cl::TBitmap* Dest, const TRect& DR, cl::TBitmap* Src, const TRect& SR);
// All nine parts of a skin area stretched into Dest at Dest's current size.
void StretchSkinImage(cl::TBitmap* Dest, cl::TBitmap* Src, const TRect& SkinRect, const TRect& ClRect);
// Frame Index (1-based) of a glyph holding Count frames side by side, drawn transparently at
// (X, Y). Nothing for an empty glyph or an Index outside 1..Count.
void DrawGlyphFrame(cl::TCanvas* Canvas, int X, int Y, int Index, int Count, cl::TBitmap* Glyph);

}  // namespace sk
