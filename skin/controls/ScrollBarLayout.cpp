#include "skin/controls/ScrollBarLayout.h"

#include <algorithm>
#include <cmath>

namespace sk {

namespace {

// Halves go to the even neighbour, as everywhere in the skin's arithmetic.
int RoundEven(double Value) { return static_cast<int>(std::nearbyint(Value)); }

int Along(const TRect& R, bool Vertical) { return Vertical ? RectHeight(R) : RectWidth(R); }

}  // namespace

int ClampScrollPosition(int Value, const TskScrollBarRange& Range)
{
    if (Range.PageSize > 0) {
        if (Value > Range.Max - Range.PageSize + 1)
            Value = Range.Max - Range.PageSize + 1;
    } else if (Value > Range.Max) {
        Value = Range.Max;
    }
    if (Value < Range.Min)
        Value = Range.Min;
    return Value;
}

TskScrollBarParts DefaultScrollBarParts(bool Vertical, int W, int H, int Marker)
{
    TskScrollBarParts p;
    if (Vertical) {
        p.NearArrow = {1, 1, W - 1, 17};
        p.FarArrow = {1, H - 17, W - 1, H - 1};
        p.Track = {1, 17, W - 1, H - 17};
    } else {
        const int w = W - Marker;
        p.NearArrow = {1, 1, 17, H - 1};
        p.FarArrow = {w - 17, 1, w - 1, H - 1};
        p.Track = {17, 1, w - 17, H - 1};
    }
    p.ThumbBase = 16;
    return p;
}

TskScrollBarParts SkinnedScrollBarParts(bool Vertical, int W, int H, const TskScrollBarSkinRects& Skin)
{
    TskScrollBarParts p;
    const int d = Vertical ? H - RectHeight(Skin.SkinRect) : W - RectWidth(Skin.SkinRect);
    auto beyond = [&](const TRect& R) {
        return Vertical ? R.Top > Skin.LBPoint.Y : R.Left > Skin.RTPoint.X;
    };
    auto move = [&](const TRect& R) {
        if (!beyond(R))
            return R;
        return Vertical ? cl::OffsetRect(R, 0, d) : cl::OffsetRect(R, d, 0);
    };
    p.Track = Skin.TrackArea;
    if (Vertical)
        p.Track.Bottom += d;
    else
        p.Track.Right += d;
    p.FarArrow = move(Skin.UpButtonRect);
    p.NearArrow = move(Skin.DownButtonRect);
    p.ThumbBase = Along(Skin.ThumbRect, Vertical);
    p.ThumbCross = Vertical ? RectWidth(Skin.ThumbRect) : RectHeight(Skin.ThumbRect);
    return p;
}

int ScrollThumbLength(int TrackLength, int Base, const TskScrollBarRange& Range)
{
    int length = Base;
    if (Range.PageSize > 0) {
        const int span = Range.Max - Range.Min + 1;
        const double q = span == 0 ? 0.0 : static_cast<double>(Range.PageSize) / span;
        length = std::max(RoundEven(TrackLength * q), Base);
    }
    return std::max(0, std::min(length, TrackLength));
}

int ScrollThumbOffset(int TrackLength, int ThumbLength, int Position, const TskScrollBarRange& Range)
{
    double f;
    if (Range.PageSize > 0) {
        const int divisor = Range.Max - Range.PageSize + 1 - Range.Min;
        f = divisor > 0 ? static_cast<double>(Position - Range.Min) / divisor : 1.0;
    } else {
        const int divisor = Range.Max - Range.Min;
        f = divisor != 0 ? static_cast<double>(Position - Range.Min) / divisor : 0.0;
    }
    f = std::clamp(f, 0.0, 1.0);
    // The thumb's centre runs between half a thumb from either end: the thumb itself runs over
    // what the track leaves beside it. Halving a thumb of odd length in whole pixels would let
    // it reach one pixel past the far end, onto the arrow, and out of step with a drag, which
    // maps the same run back to positions.
    const int distance = std::max(0, TrackLength - ThumbLength);
    return RoundEven(distance * f);
}

void PlaceScrollThumb(TskScrollBarParts& Parts, bool Vertical, int Position, const TskScrollBarRange& Range)
{
    const TRect& t = Parts.Track;
    const int trackLength = std::max(0, Along(t, Vertical));
    const int length = ScrollThumbLength(trackLength, Parts.ThumbBase, Range);
    const int offset = ScrollThumbOffset(trackLength, length, Position, Range);
    if (Vertical) {
        int left = t.Left, right = t.Right;
        if (Parts.ThumbCross > 0) {
            left = t.Left + (RectWidth(t) - Parts.ThumbCross) / 2;
            right = left + Parts.ThumbCross;
        }
        Parts.Thumb = {left, t.Top + offset, right, t.Top + offset + length};
    } else {
        int top = t.Top, bottom = t.Bottom;
        if (Parts.ThumbCross > 0) {
            top = t.Top + (RectHeight(t) - Parts.ThumbCross) / 2;
            bottom = top + Parts.ThumbCross;
        }
        Parts.Thumb = {t.Left + offset, top, t.Left + offset + length, bottom};
    }
}

int ScrollPositionFromOffset(int Offset, int TrackLength, int ThumbLength, const TskScrollBarRange& Range)
{
    const int free = TrackLength - ThumbLength;
    const double k = free > 0 ? std::clamp(static_cast<double>(Offset) / free, 0.0, 1.0) : 0.0;
    if (Range.PageSize > 0)
        return Range.Min + RoundEven(k * (Range.Max - Range.Min - Range.PageSize + 1));
    return Range.Min + RoundEven(k * (Range.Max - Range.Min));
}

}  // namespace sk
