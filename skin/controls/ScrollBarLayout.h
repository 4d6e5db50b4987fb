#pragma once
// The scroll bar's arithmetic: where its arrows, track and thumb lie, how the position is kept
// in range and how a thumb offset becomes a position. No window needed.
#include "skin/drawing/Utils.h"

namespace sk {

struct TskScrollBarRange {
    int Min = 0;
    int Max = 100;
    int PageSize = 0;
};

// Below Min: Min; with a page, above Max - PageSize + 1: that; without one, above Max: Max.
int ClampScrollPosition(int Value, const TskScrollBarRange& Range);

// The parts along and across the run, in the control's coordinates.
struct TskScrollBarParts {
    TRect NearArrow;  // left or top
    TRect FarArrow;   // right or bottom
    TRect Track;
    TRect Thumb;
    int ThumbBase = 16;  // the thumb's least length
    int ThumbCross = 0;  // the thumb's size across the run; 0: the track's
};

// The default look: 17-pixel arrows inside a 1-pixel border; a horizontal bar leaves Marker
// pixels clear at its right end.
TskScrollBarParts DefaultScrollBarParts(bool Vertical, int W, int H, int Marker);

// What a scroll-bar skin gives: its area's size, stretch points, track, arrows and thumb.
struct TskScrollBarSkinRects {
    TRect SkinRect;
    TPoint RTPoint, LBPoint;
    TRect TrackArea, UpButtonRect, DownButtonRect, ThumbRect;
};
// The skinned look: the track's far edge and the arrows beyond the stretch point move with
// the control's length.
TskScrollBarParts SkinnedScrollBarParts(bool Vertical, int W, int H, const TskScrollBarSkinRects& Skin);

// The thumb's length on a track: proportional to the page, at least the base, at most the
// track (a page larger than the range would otherwise overflow the track).
int ScrollThumbLength(int TrackLength, int Base, const TskScrollBarRange& Range);
// The thumb's start, as an offset from the track's start.
int ScrollThumbOffset(int TrackLength, int ThumbLength, int Position, const TskScrollBarRange& Range);
// Places the thumb in Parts for the position (Parts.Track must be set).
void PlaceScrollThumb(TskScrollBarParts& Parts, bool Vertical, int Position, const TskScrollBarRange& Range);
// The position a thumb dragged to Offset (from the track's start) stands for; Min when the
// thumb fills the track.
int ScrollPositionFromOffset(int Offset, int TrackLength, int ThumbLength, const TskScrollBarRange& Range);

}  // namespace sk
