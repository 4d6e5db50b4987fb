#include "skin/drawing/MaskRegion.h"

#include <cstring>

namespace sk {

namespace {

void PutInt(std::uint8_t* At, std::int32_t Value)
{
    // RGNDATA is little-endian on every platform that reads it.
    const auto v = static_cast<std::uint32_t>(Value);
    At[0] = static_cast<std::uint8_t>(v);
    At[1] = static_cast<std::uint8_t>(v >> 8);
    At[2] = static_cast<std::uint8_t>(v >> 16);
    At[3] = static_cast<std::uint8_t>(v >> 24);
}

void PutRect(std::uint8_t* At, const cl::TRect& R)
{
    PutInt(At, R.Left);
    PutInt(At + 4, R.Top);
    PutInt(At + 8, R.Right);
    PutInt(At + 12, R.Bottom);
}

inline bool IsBlack(const std::uint8_t* Pixel)
{
    return (Pixel[0] | Pixel[1] | Pixel[2]) == 0;
}

}  // namespace

void ScanMaskRow(const std::uint8_t* Row, int Width, int X, int Y, std::vector<cl::TRect>& Runs)
{
    int x = 0;
    while (x < Width) {
        if (!IsBlack(Row + 3 * x)) {
            ++x;
            continue;
        }
        int x2 = x + 1;
        while (x2 < Width && IsBlack(Row + 3 * x2))
            ++x2;
        Runs.push_back({X + x, Y, X + x2, Y + 1});
        x = x2;
    }
}

std::vector<cl::TRect> ScanMaskRuns(const cl::TBitmap& Mask, int X, int Y)
{
    return ScanMaskRows(Mask.Width(), Mask.Height(), X, Y, [&](int y) { return Mask.ScanLine(y); });
}

std::vector<std::uint8_t> MakeRegionData(const std::vector<cl::TRect>& Runs, const cl::TRect& Bound)
{
    std::vector<std::uint8_t> data(RegionHeaderSize + RegionRectSize * Runs.size());
    std::uint8_t* p = data.data();
    PutInt(p, static_cast<std::int32_t>(RegionHeaderSize));  // dwSize
    PutInt(p + 4, 1);                                        // iType: rectangles
    PutInt(p + 8, static_cast<std::int32_t>(Runs.size()));   // nCount
    PutInt(p + 12, 0);                                       // nRgnSize
    PutRect(p + 16, Bound);
    p += RegionHeaderSize;
    for (const cl::TRect& r : Runs) {
        PutRect(p, r);
        p += RegionRectSize;
    }
    return data;
}

std::vector<std::uint8_t> BuildMaskRegionData(const cl::TBitmap& Mask, int X, int Y)
{
    if (Mask.Empty())
        return {};
    return MakeRegionData(ScanMaskRuns(Mask, X, Y), cl::Bounds(X, Y, Mask.Width(), Mask.Height()));
}

}  // namespace sk
