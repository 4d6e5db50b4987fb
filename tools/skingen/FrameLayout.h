#pragma once
// The geometry of a skin's window frame picture: the caption band, the borders, the corner
// points that cut it into tiled and untiled parts, and the row the caption buttons sit in.
#include "Image.h"
#include "SkinParams.h"

namespace skingen {

struct Point {
    int x = 0, y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct FrameLayout {
    int captionHeight = 0;
    int border = 0;
    int radius = 0;        // top corners
    int bottomRadius = 0;  // bottom corners stay tighter, they lie in a thin band
    Rect client;           // the window's client area in the picture
    Point leftTop, rightTop, leftBottom, rightBottom;
    Rect captionRect;      // caption text and button row, in picture coordinates
    int buttonsOffset = 2;
};

FrameLayout frameLayout(const SkinParams& p);

}  // namespace skingen
