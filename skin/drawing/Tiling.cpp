#include "skin/drawing/Tiling.h"

#include <algorithm>

#include "skin/drawing/Composers.h"

namespace sk {

namespace {

// A block of whole tiles is laid instead of the tile itself once the tile is smaller than
// this along an axis: the copies per paint then stay a handful, whatever the tile.
constexpr int BlockSide = 256;

// How many tiles of Length a block holds along an axis of Span pixels: enough to reach the
// block side, never more than the span needs.
int TilesPerBlock(int Length, int Span)
{
    const int needed = Span / Length + 2;
    const int wanted = (BlockSide + Length - 1) / Length;
    return std::max(1, std::min(needed, wanted));
}

// The first tile start at or before From of tiles laid from Origin in steps of Length.
int FirstStart(int Origin, int From, int Length)
{
    const int d = From - Origin;
    const int steps = d >= 0 ? d / Length : -((-d + Length - 1) / Length);
    return Origin + steps * Length;
}

}  // namespace

bool TileRect(HDC DC, const TRect& R, const TPoint& Origin, cl::TBitmap* Src, const TRect& Part)
{
    if (!DC || !Src || Src->Empty())
        return false;
    // The part comes from a skin file: only what the picture holds can be laid, and a part
    // reaching past it would make the block as large as the skin says.
    const TRect part = cl::IntersectRect(Part, cl::Rect(0, 0, Src->Width(), Src->Height()));
    const int w = RectWidth(part);
    const int h = RectHeight(part);
    if (w < 1 || h < 1)
        return false;
    if (IsNullRect(R))
        return true;
    const int across = TilesPerBlock(w, RectWidth(R));
    const int down = TilesPerBlock(h, RectHeight(R));
    cl::TBitmap block;
    cl::TBitmap* source = Src;
    TRect piece = part;
    if (across > 1 || down > 1) {
        block.SetSize(w * across, h * down);
        TileArea(&block, cl::Rect(0, 0, block.Width(), block.Height()), Src, part);
        source = &block;
        piece = cl::Rect(0, 0, block.Width(), block.Height());
    }
    const int bw = RectWidth(piece);
    const int bh = RectHeight(piece);
    HDC from = source->Canvas()->Handle();
    for (int y = FirstStart(Origin.Y, R.Top, h); y < R.Bottom; y += bh)
        for (int x = FirstStart(Origin.X, R.Left, w); x < R.Right; x += bw) {
            const int l = std::max(x, R.Left), t = std::max(y, R.Top);
            const int r = std::min(x + bw, R.Right), b = std::min(y + bh, R.Bottom);
            BitBlt(DC, l, t, r - l, b - t, from, piece.Left + l - x, piece.Top + t - y, SRCCOPY);
        }
    return true;
}

bool TileBitmap(HDC DC, const TRect& R, cl::TBitmap* Tile)
{
    return Tile && TileRect(DC, R, R.TopLeft(), Tile, cl::Rect(0, 0, Tile->Width(), Tile->Height()));
}

}  // namespace sk
