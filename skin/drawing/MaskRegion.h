#pragma once
// Mask pictures to region data: every black pixel of a mask lies inside the region, every other
// pixel outside. The data has the layout the platform's ExtCreateRegion takes (RGNDATA): a
// 32-byte header followed by one 16-byte rectangle per run of black pixels in a row.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "classlib/graphics/Bitmap.h"
#include "classlib/system/Types.h"

namespace sk {

constexpr std::size_t RegionHeaderSize = 32;
constexpr std::size_t RegionRectSize = 16;

// Appends (X + x, Y + y, X + x2, Y + y + 1) for each run x .. x2 (exclusive) of black pixels in
// a row of Width blue-green-red triples. A run may end at the row's end.
void ScanMaskRow(const std::uint8_t* Row, int Width, int X, int Y, std::vector<cl::TRect>& Runs);

// The runs of Height rows of Width pixels, RowAt(y) giving row y, moved by (X, Y), top row
// first: the one scan of every kind of mask bitmap. No limit on their number: dropping runs
// would cut holes into the region.
template <class TRowAt>
std::vector<cl::TRect> ScanMaskRows(int Width, int Height, int X, int Y, TRowAt RowAt)
{
    std::vector<cl::TRect> runs;
    for (int y = 0; y < Height; ++y)
        ScanMaskRow(RowAt(y), Width, X, Y + y, runs);
    return runs;
}

// The runs of every row of Mask, moved by (X, Y), top row first.
std::vector<cl::TRect> ScanMaskRuns(const cl::TBitmap& Mask, int X, int Y);

// Region data of Runs with the bounding rectangle Bound (the header's rcBound).
std::vector<std::uint8_t> MakeRegionData(const std::vector<cl::TRect>& Runs, const cl::TRect& Bound);

// Region data of Mask's black pixels moved by (X, Y), bound by the mask's rectangle there;
// empty (no data at all) for an empty mask, a header alone for a mask without black pixels.
std::vector<std::uint8_t> BuildMaskRegionData(const cl::TBitmap& Mask, int X, int Y);

}  // namespace sk
