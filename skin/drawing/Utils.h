#pragma once
// The free routines every skinned control and the form frame share. This header holds the
// rectangle and point arithmetic and the skin-area geometry, which need no window; on Windows
// it also brings in the text and glyph drawing, the system helpers, the parent background,
// the composers and the mask regions.
//
// Integer halving truncates toward zero, as the skins' layouts were designed against.
#include "classlib/system/Types.h"

namespace sk {

using cl::TPoint;
using cl::TRect;

inline int RectWidth(const TRect& R) { return R.Right - R.Left; }
inline int RectHeight(const TRect& R) { return R.Bottom - R.Top; }
inline void NullRect(TRect& R) { R = TRect{}; }
// Also true for an inverted rectangle.
inline bool IsNullRect(const TRect& R) { return RectWidth(R) < 1 || RectHeight(R) < 1; }
// R, or Fallback when R has no area: a skin's optional picture and the one it stands in for.
inline TRect RectOrFallback(const TRect& R, const TRect& Fallback) { return IsNullRect(R) ? Fallback : R; }
// One zero coordinate is enough.
inline bool IsNullPoint(const TPoint& P) { return P.X == 0 || P.Y == 0; }
inline bool EqRects(const TRect& R1, const TRect& R2) { return R1 == R2; }
// All four edges included.
inline bool PointInRect(const TRect& R, const TPoint& P)
{
    return R.Left <= P.X && P.X <= R.Right && R.Top <= P.Y && P.Y <= R.Bottom;
}
// Both corners of R1 inside R2, whose right and bottom edges are excluded: a rectangle equal to
// its bounds does not lie in them.
inline bool RectInRect(const TRect& R1, const TRect& R2)
{
    return cl::PtInRect(R2, R1.TopLeft()) && cl::PtInRect(R2, R1.BottomRight());
}
// R, keeping its size, centred in Bounds.
TRect CenterRect(const TRect& R, const TRect& Bounds);
inline int MaxInt(int A, int B) { return A > B ? A : B; }

// How a skin area is fitted to a control's size.
enum TskResizeMode : int {
    rmNone = -1,        // no skin area: the control draws its default look
    rmFixed = 0,        // the area copied as it is
    rmNinePart = 1,     // corners copied, edges and middle tiled or stretched
    rmHorzStrip = 2,    // left, middle, right
    rmVertStrip = 3,    // top, middle, bottom
};

// The resize mode the geometry of a skin area asks for; the first rule that fits wins.
TskResizeMode GetResizeMode(const TRect& SkinRect, const TPoint& RTPoint, const TPoint& LBPoint, const TPoint& RBPoint);

// A skin area's corner points and client rectangle, at the area's own size or fitted to a
// control's.
struct TskAreaPoints {
    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    TRect ClRect;
};

// The nine-part geometry fitted to W by H: corners keep their size, edges and client grow.
TskAreaPoints FitNinePart(const TskAreaPoints& Area, const TRect& SkinRect, int W, int H);

}  // namespace sk

#ifdef _WIN32
#include "skin/drawing/Composers.h"
#include "skin/drawing/Regions.h"
#include "skin/drawing/Glyphs.h"
#include "skin/drawing/Parent.h"
#include "skin/drawing/System.h"
#include "skin/drawing/Text.h"
#include "skin/drawing/Tiling.h"
#endif
