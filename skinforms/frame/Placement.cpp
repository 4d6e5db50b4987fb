#include "skinforms/frame/Placement.h"

#include <algorithm>
#include <cstdlib>

namespace sk {

using cl::TPoint;
using cl::TRect;

TRect MaximizedBounds(const TskMonitorAreas& Areas, bool FullScreen)
{
    if (FullScreen)
        return Areas.Monitor;
    if (Areas.WorkArea == Areas.Monitor && Areas.Monitor == Areas.Screen)
        return cl::InflateRect(Areas.WorkArea, -1, -1);
    return Areas.WorkArea;
}

TRect CenteredBounds(const TRect& Area, int W, int H)
{
    return cl::Bounds(Area.Left + (Area.Width() - W) / 2, Area.Top + (Area.Height() - H) / 2, W, H);
}

TRect KeptInside(const TRect& R, const TRect& Area)
{
    int left = R.Left;
    int top = R.Top;
    if (R.Right > Area.Right)
        left -= R.Right - Area.Right;
    if (R.Bottom > Area.Bottom)
        top -= R.Bottom - Area.Bottom;
    left = std::max(left, Area.Left);
    top = std::max(top, Area.Top);
    return cl::Bounds(left, top, R.Width(), R.Height());
}

TPoint FindMinimizedPlace(const TRect& Area, int W, int H, const std::function<bool(TPoint)>& Occupied)
{
    // A step of 0 would try the same place for ever.
    const int w = std::max(W, 1);
    const int h = std::max(H, 1);
    TPoint p{Area.Left, Area.Bottom - h};
    while (Occupied(p)) {
        p.X += w;
        if (p.X + w > Area.Right) {
            p.X = Area.Left;
            p.Y -= h;
            if (p.Y < Area.Top) {
                p.Y = Area.Bottom - h;
                break;
            }
        }
    }
    return p;
}

namespace {

enum TEdge { eLeft, eTop, eRight, eBottom };

bool Within(int Value, int Edge, int Distance) { return Edge - Distance < Value && Value < Edge + Distance; }

}  // namespace

TRect MagneticBounds(const TRect& Area, int Distance, const TRect& Proposed, TPoint Cursor, TskMagneticState& State)
{
    const int w = Proposed.Width();
    const int h = Proposed.Height();
    int left = Proposed.Left;
    int top = Proposed.Top;
    for (int edge = eLeft; edge <= eBottom; ++edge) {
        const bool horizontal = edge == eLeft || edge == eRight;
        int& coordinate = horizontal ? left : top;
        const int cursor = horizontal ? Cursor.X : Cursor.Y;
        const int size = edge == eRight ? w : edge == eBottom ? h : 0;
        const int areaEdge = edge == eLeft ? Area.Left : edge == eTop ? Area.Top : edge == eRight ? Area.Right : Area.Bottom;
        const int snapTo = areaEdge - size;
        if (!State.Snapped[edge] && Within(coordinate + size, areaEdge, Distance)) {
            coordinate = snapTo;
            State.SavedCursor[edge] = cursor;
        } else if (State.Snapped[edge]) {
            const int moved = cursor - State.SavedCursor[edge];
            coordinate = std::abs(moved) > Distance ? snapTo + moved : snapTo;
        }
        // Judged where the edge ends up: a snapped edge stays snapped until the cursor has
        // pulled it more than Distance away.
        State.Snapped[edge] = Within(coordinate + size, areaEdge, Distance);
    }
    return cl::Bounds(left, top, w, h);
}

}  // namespace sk
