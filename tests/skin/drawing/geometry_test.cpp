// Rectangle helpers, resize modes and mask scanning: the parts of the drawing utilities that
// need no window.
#include <gtest/gtest.h>

#include <cstring>

#include "skin/drawing/MaskRegion.h"
#include "skin/drawing/Utils.h"
#include "skin/drawing/masks.h"

using cl::Rect;
using cl::TRect;
using sktest::PaintMask;

TEST(RectHelpers, NullRectsAndPoints)
{
    EXPECT_TRUE(sk::IsNullRect(Rect(5, 5, 5, 20)));
    EXPECT_TRUE(sk::IsNullRect(Rect(0, 10, 10, 5)));  // inverted
    EXPECT_FALSE(sk::IsNullRect(Rect(0, 0, 1, 1)));
    EXPECT_TRUE(sk::IsNullPoint({0, 7}));
    EXPECT_TRUE(sk::IsNullPoint({7, 0}));
    EXPECT_FALSE(sk::IsNullPoint({3, 7}));
    TRect r = Rect(1, 2, 3, 4);
    sk::NullRect(r);
    EXPECT_TRUE(sk::EqRects(r, TRect{}));
}

TEST(RectHelpers, PointInRectHasEdgesRectInRectHasNot)
{
    const TRect r = Rect(10, 10, 20, 20);
    EXPECT_TRUE(sk::PointInRect(r, {20, 20}));
    EXPECT_TRUE(sk::PointInRect(r, {10, 10}));
    EXPECT_FALSE(sk::PointInRect(r, {21, 15}));
    EXPECT_FALSE(sk::RectInRect(r, r));
    EXPECT_TRUE(sk::RectInRect(Rect(11, 11, 19, 19), r));
}

TEST(RectHelpers, CenterRectTruncatesTowardZero)
{
    // Difference 5 moves by 2, difference -5 by -2.
    EXPECT_EQ(sk::CenterRect(Rect(0, 0, 10, 10), Rect(100, 200, 115, 215)), Rect(102, 202, 112, 212));
    EXPECT_EQ(sk::CenterRect(Rect(50, 50, 65, 65), Rect(0, 0, 10, 10)), Rect(-2, -2, 13, 13));
    EXPECT_EQ(sk::MaxInt(-3, -7), -3);
}

TEST(SkinArea, ResizeModeFirstRuleWins)
{
    const TRect area = Rect(0, 0, 50, 20);
    EXPECT_EQ(sk::GetResizeMode(Rect(0, 0, 0, 20), {50, 0}, {0, 0}, {40, 15}), sk::rmNone);
    EXPECT_EQ(sk::GetResizeMode(area, {40, 5}, {5, 15}, {40, 15}), sk::rmNinePart);
    EXPECT_EQ(sk::GetResizeMode(area, {50, 0}, {0, 0}, {40, 0}), sk::rmHorzStrip);  // a zero Y is enough
    EXPECT_EQ(sk::GetResizeMode(area, {0, 0}, {0, 15}, {0, 15}), sk::rmVertStrip);
    EXPECT_EQ(sk::GetResizeMode(area, {0, 0}, {0, 0}, {0, 0}), sk::rmFixed);
}

TEST(SkinArea, NinePartFitKeepsCorners)
{
    const sk::TskAreaPoints area{{5, 6}, {25, 6}, {5, 14}, {25, 14}, Rect(4, 3, 26, 17)};
    const sk::TskAreaPoints fitted = sk::FitNinePart(area, Rect(100, 100, 130, 120), 50, 10);
    EXPECT_EQ(fitted.LTPoint, (cl::TPoint{5, 6}));
    EXPECT_EQ(fitted.RTPoint, (cl::TPoint{45, 6}));
    EXPECT_EQ(fitted.LBPoint, (cl::TPoint{5, 4}));
    EXPECT_EQ(fitted.RBPoint, (cl::TPoint{45, 4}));
    EXPECT_EQ(fitted.ClRect, Rect(4, 3, 46, 7));
}

namespace {

std::int32_t IntAt(const std::vector<std::uint8_t>& Data, std::size_t Offset)
{
    std::int32_t v;
    std::memcpy(&v, Data.data() + Offset, 4);
    return v;
}

TRect RectAt(const std::vector<std::uint8_t>& Data, std::size_t Offset)
{
    return {IntAt(Data, Offset), IntAt(Data, Offset + 4), IntAt(Data, Offset + 8), IntAt(Data, Offset + 12)};
}

}  // namespace

TEST(MaskRegion, OneRectanglePerBlackRun)
{
    cl::TBitmap mask;
    PaintMask(mask, {"##..###",  //
                     ".......",
                     "..#####"});
    // A nearly black pixel is outside.
    mask.SetPixels(6, 1, 0x010000);
    const std::vector<std::uint8_t> data = sk::BuildMaskRegionData(mask, 10, 20);
    ASSERT_EQ(data.size(), 32u + 3 * 16);
    EXPECT_EQ(IntAt(data, 0), 32);  // dwSize
    EXPECT_EQ(IntAt(data, 4), 1);   // iType
    EXPECT_EQ(IntAt(data, 8), 3);   // nCount
    EXPECT_EQ(IntAt(data, 12), 0);  // nRgnSize
    EXPECT_EQ(RectAt(data, 16), Rect(10, 20, 17, 23));
    EXPECT_EQ(RectAt(data, 32), Rect(10, 20, 12, 21));
    EXPECT_EQ(RectAt(data, 48), Rect(14, 20, 17, 21));  // the run reaches the right edge
    EXPECT_EQ(RectAt(data, 64), Rect(12, 22, 17, 23));
}

TEST(MaskRegion, WhiteAndEmptyMasks)
{
    cl::TBitmap mask;
    EXPECT_TRUE(sk::BuildMaskRegionData(mask, 0, 0).empty());
    mask.SetSize(8, 4);  // new bitmaps are white
    const std::vector<std::uint8_t> data = sk::BuildMaskRegionData(mask, 0, 0);
    ASSERT_EQ(data.size(), 32u);
    EXPECT_EQ(IntAt(data, 8), 0);
}

TEST(MaskRegion, MoreThanTenThousandRunsAreAllKept)
{
    // A checkerboard of 300 by 80: 150 runs per row, 12,000 in all.
    cl::TBitmap mask;
    mask.SetSize(300, 80);
    for (int y = 0; y < 80; ++y)
        for (int x = (y % 2); x < 300; x += 2)
            mask.SetPixels(x, y, cl::clBlack);
    const std::vector<cl::TRect> runs = sk::ScanMaskRuns(mask, 0, 0);
    ASSERT_EQ(runs.size(), 12000u);
    EXPECT_EQ(runs.back(), Rect(299, 79, 300, 80));
    EXPECT_EQ(sk::BuildMaskRegionData(mask, 0, 0).size(), 32u + 12000u * 16);
}
