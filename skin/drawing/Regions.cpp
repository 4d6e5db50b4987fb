#include "skin/drawing/Regions.h"

#include <algorithm>

#include "skin/drawing/Composers.h"
#include "skin/drawing/MaskRegion.h"

namespace sk {

namespace {

// ExtCreateRegion adds rectangles one union at a time on some systems, which costs the square
// of the count when they do not merge; pieces of this many are cheap, and joining two regions
// costs only the sum of their sizes.
constexpr std::size_t RegionPiece = 256;

TskRegion CreateRegionFromData(const std::vector<std::uint8_t>& Data)
{
    if (Data.empty())
        return TskRegion(CreateRectRgn(0, 0, 0, 0));
    return TskRegion(ExtCreateRegion(nullptr, static_cast<DWORD>(Data.size()),
                                     reinterpret_cast<const RGNDATA*>(Data.data())));
}

// B ORed into Into (a missing Into becomes a copy of B); B is left as it was.
void JoinRegion(TskRegion& Into, const TskRegion& B)
{
    if (!B)
        return;
    if (!Into) {
        Into.Reset(CreateRectRgn(0, 0, 0, 0));
        CombineRgn(Into.Handle(), B.Handle(), nullptr, RGN_COPY);
        return;
    }
    CombineRgn(Into.Handle(), Into.Handle(), B.Handle(), RGN_OR);
}

TskRegion RegionFromStrip(const cl::TBitmap& Strip, int X, int Y)
{
    if (Strip.Width() < 1 || Strip.Height() < 1)
        return {};
    return CreateRegionFromRects(ScanMaskRuns(Strip, X, Y), cl::Bounds(X, Y, Strip.Width(), Strip.Height()));
}

}  // namespace

TskRegion CreateRegionFromRects(const std::vector<cl::TRect>& Rects, const cl::TRect& Bound)
{
    if (Rects.size() <= RegionPiece)
        return CreateRegionFromData(MakeRegionData(Rects, Bound));
    std::vector<TskRegion> pieces;
    for (std::size_t i = 0; i < Rects.size(); i += RegionPiece) {
        const auto first = Rects.begin() + static_cast<std::ptrdiff_t>(i);
        const auto last = Rects.begin() + static_cast<std::ptrdiff_t>(std::min(Rects.size(), i + RegionPiece));
        pieces.push_back(CreateRegionFromData(MakeRegionData(std::vector<cl::TRect>(first, last), Bound)));
    }
    // Neighbours first: pieces of adjacent rows share bands, which keeps every join small.
    for (std::size_t step = 1; step < pieces.size(); step *= 2)
        for (std::size_t i = 0; i + step < pieces.size(); i += 2 * step) {
            JoinRegion(pieces[i], pieces[i + step]);
            pieces[i + step].Reset();
        }
    return std::move(pieces.front());
}

TskRegion CreateRegionFromMask(const cl::TBitmap* Mask)
{
    if (!Mask || Mask->Empty())
        return {};
    return RegionFromStrip(*Mask, 0, 0);
}

void ComposeSkinMaskImage(const TskAreaPoints& Area, const TskAreaPoints& NewArea, cl::TBitmap* LeftImage,
                          cl::TBitmap* TopImage, cl::TBitmap* RightImage, cl::TBitmap* BottomImage,
                          cl::TBitmap* Mask, int W, int H)
{
    if (!Mask || Mask->Empty())
        return;
    // The mask covers the skin area at its own size, origin at its top-left corner.
    ComposeSkinBorderImages(Area, NewArea, LeftImage, TopImage, RightImage, BottomImage, Mask,
                            cl::Rect(0, 0, Mask->Width(), Mask->Height()), W, H, false, false, false, false);
}

TskRegion CreateSkinRegion(const TskAreaPoints& Area, const TskAreaPoints& NewArea, cl::TBitmap* Mask, int W,
                           int H)
{
    if (NewArea.LTPoint.X > NewArea.RTPoint.X || NewArea.LTPoint.Y > NewArea.LBPoint.Y)
        return {};
    cl::TBitmap left, top, right, bottom;
    ComposeSkinMaskImage(Area, NewArea, &left, &top, &right, &bottom, Mask, W, H);
    if (IsNullRect(NewArea.ClRect))
        return {};
    const TRect& client = NewArea.ClRect;
    TskRegion topRgn = RegionFromStrip(top, 0, 0);
    TskRegion bottomRgn = RegionFromStrip(bottom, 0, client.Bottom);
    TskRegion leftRgn = RegionFromStrip(left, 0, client.Top);
    TskRegion rightRgn = RegionFromStrip(right, client.Right, client.Top);
    TskRegion rgn(CreateRectRgn(client.Left, client.Top, client.Right, client.Bottom));
    JoinRegion(topRgn, bottomRgn);
    JoinRegion(leftRgn, rightRgn);
    JoinRegion(leftRgn, topRgn);
    JoinRegion(rgn, leftRgn);
    return rgn;
}

TskRegion CreateStripRegion(bool Vertical, int StartLength, int EndLength, cl::TBitmap* Mask, const TRect& Client,
                            int W, int H)
{
    if (!Mask || Mask->Empty() || IsNullRect(Client))
        return {};
    // The border strips of a nine-part area would leave out the ends beside the client rows,
    // whose edges a strip does not have.
    cl::TBitmap fitted;
    const TRect all = cl::Rect(0, 0, Mask->Width(), Mask->Height());
    if (Vertical)
        ComposeVSkinStrip(StartLength, EndLength, &fitted, Mask, all, W, H, false);
    else
        ComposeHSkinStrip(StartLength, EndLength, &fitted, Mask, all, W, H, false);
    TskRegion rgn(CreateRectRgn(Client.Left, Client.Top, Client.Right, Client.Bottom));
    JoinRegion(rgn, CreateRegionFromMask(&fitted));
    return rgn;
}

}  // namespace sk
