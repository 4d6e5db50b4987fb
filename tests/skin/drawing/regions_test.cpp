// Window regions from mask pictures, checked point by point with PtInRegion.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/graphics/Bitmap.h"
#include "skin/drawing/MaskRegion.h"
#include "skin/drawing/Utils.h"
#include "skin/drawing/masks.h"
#include "skin/drawing/Effects.h"
#include "support/LiveHandles.h"

using cl::Rect;
using cl::TBitmap;
using sktest::PaintMask;
using sktest::RoundedMask;

namespace {

// A W by H mask of alternating black and white pixels, black at (0, 0): every black pixel is a
// run of its own.
void PaintCheckerboard(TBitmap& Mask, int W, int H)
{
    Mask.SetSize(W, H);
    for (int y = 0; y < H; ++y)
        for (int x = y % 2; x < W; x += 2)
            Mask.SetPixels(x, y, cl::clBlack);
}

bool Inside(const sk::TskRegion& Rgn, int X, int Y)
{
    return PtInRegion(Rgn.Handle(), X, Y) != 0;
}

}  // namespace

TEST(MaskRegion, RoundedMaskGivesRoundedRegion)
{
    TBitmap mask;
    RoundedMask(mask, 40, 30, 6);
    sk::TskRegion rgn = sk::CreateRegionFromMask(&mask);
    ASSERT_TRUE(rgn);
    // The corners themselves are cut away, the points just inside the arcs are in.
    for (auto [x, y] : {std::pair{0, 0}, {39, 0}, {0, 29}, {39, 29}, {1, 1}, {38, 28}})
        EXPECT_FALSE(Inside(rgn, x, y)) << x << "," << y;
    for (auto [x, y] : {std::pair{6, 0}, {0, 6}, {33, 0}, {39, 23}, {3, 3}, {36, 26}, {20, 15}})
        EXPECT_TRUE(Inside(rgn, x, y)) << x << "," << y;
    // Outside the mask altogether.
    EXPECT_FALSE(Inside(rgn, 40, 15));
    EXPECT_FALSE(Inside(rgn, 20, 30));
    EXPECT_FALSE(Inside(rgn, -1, 15));
    RECT box;
    GetRgnBox(rgn.Handle(), &box);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, 40);
    EXPECT_EQ(box.bottom, 30);
}

TEST(MaskRegion, WhiteMaskGivesEmptyRegionAndEmptyMaskNone)
{
    TBitmap mask;
    EXPECT_FALSE(sk::CreateRegionFromMask(&mask));
    EXPECT_FALSE(sk::CreateRegionFromMask(nullptr));
    mask.SetSize(10, 10);
    sk::TskRegion rgn = sk::CreateRegionFromMask(&mask);
    ASSERT_TRUE(rgn);
    RECT box;
    EXPECT_EQ(GetRgnBox(rgn.Handle(), &box), NULLREGION);
}

TEST(MaskRegion, ManyRunsJoinedInPiecesMatchOneRegion)
{
    // A checkerboard of 2,000 runs: built in pieces, it must equal the region built at once.
    TBitmap mask;
    PaintCheckerboard(mask, 100, 40);
    sk::TskRegion pieces = sk::CreateRegionFromMask(&mask);
    const std::vector<std::uint8_t> data = sk::BuildMaskRegionData(mask, 0, 0);
    HRGN whole = ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), reinterpret_cast<const RGNDATA*>(data.data()));
    ASSERT_NE(whole, nullptr);
    EXPECT_TRUE(EqualRgn(pieces.Handle(), whole));
    DeleteObject(whole);
    EXPECT_TRUE(Inside(pieces, 0, 0));
    EXPECT_FALSE(Inside(pieces, 1, 0));
    EXPECT_TRUE(Inside(pieces, 99, 39));
}

TEST(MaskRegion, MoreThanTenThousandRunsLeaveNoHoles)
{
    TBitmap mask;
    PaintCheckerboard(mask, 300, 80);
    sk::TskRegion rgn = sk::CreateRegionFromMask(&mask);
    EXPECT_TRUE(Inside(rgn, 299, 79));  // the 12,000th run
    EXPECT_FALSE(Inside(rgn, 298, 79));
    EXPECT_TRUE(Inside(rgn, 150, 60));
}

TEST(MaskRegion, AnEffectBitmapOfTheMaskScansTheSamePixels)
{
    TBitmap mask;
    PaintMask(mask, {"#..##", "#####", "....."});
    const auto copy = sk::TskEffectBmp::CreateFromHandle(mask.Handle());
    EXPECT_EQ(copy->Width(), 5);
    EXPECT_EQ(copy->Height(), 3);
    EXPECT_EQ(copy->RowInc(), 16u);
    EXPECT_EQ(copy->ScanLine(1), copy->Bits() + 16);
    const auto runs = sk::ScanMaskRows(copy->Width(), copy->Height(), 3, 4, [&](int y) { return copy->ScanLine(y); });
    EXPECT_EQ(sk::MakeRegionData(runs, Rect(3, 4, 8, 7)), sk::BuildMaskRegionData(mask, 3, 4));
    EXPECT_THROW(sk::TskEffectBmp::CreateFromHandle(nullptr), cl::Exception);
}

TEST(MaskRegion, EffectBitmapsGiveBackTheirSections)
{
    TBitmap mask;
    PaintMask(mask, {"#.", ".#"});
    const auto before = test_support::CountLiveHandles();
    for (int i = 0; i < 20; ++i) {
        const auto effect = sk::TskEffectBmp::CreateFromHandle(mask.Handle());
        EXPECT_NE(effect->Handle(), nullptr);
    }
    const auto leaked = test_support::CountLiveHandles() - before;
    EXPECT_EQ(leaked.Gdi, 0) << leaked;
}

namespace {

// A 10 by 8 skin area whose mask cuts a one-pixel notch into each corner and a gap into the
// middle of the top border (tiled along with it).
const sk::TskAreaPoints MaskPoints{{3, 3}, {7, 3}, {3, 5}, {7, 5}, Rect(2, 2, 8, 6)};

void FrameMask(TBitmap& Mask)
{
    PaintMask(Mask, {".########.",  //
                     "####.#####",
                     "##########",
                     "##########",
                     "##########",
                     "##########",
                     "##########",
                     ".########."});
}

}  // namespace

TEST(SkinRegion, BordersFollowTheMaskAtTheNewSize)
{
    TBitmap mask;
    FrameMask(mask);
    const sk::TskAreaPoints fitted = sk::FitNinePart(MaskPoints, Rect(0, 0, 10, 8), 20, 12);
    sk::TskRegion rgn = sk::CreateSkinRegion(MaskPoints, fitted, &mask, 20, 12);
    ASSERT_TRUE(rgn);
    // Corner notches at the new corners.
    EXPECT_FALSE(Inside(rgn, 0, 0));
    EXPECT_FALSE(Inside(rgn, 19, 0));
    EXPECT_FALSE(Inside(rgn, 0, 11));
    EXPECT_FALSE(Inside(rgn, 19, 11));
    EXPECT_TRUE(Inside(rgn, 1, 0));
    EXPECT_TRUE(Inside(rgn, 18, 11));
    // The top edge (mask columns 3..6) is tiled from the strip's left end, so its gap (mask
    // column 4) falls on columns 1, 5, 9, 13 and 17, of which the corners cover 1 and 17.
    for (int x : {5, 9, 13})
        EXPECT_FALSE(Inside(rgn, x, 1)) << x;
    for (int x : {1, 3, 4, 6, 7, 8, 16, 17})
        EXPECT_TRUE(Inside(rgn, x, 1)) << x;
    // The client is inside whatever the mask says.
    EXPECT_TRUE(Inside(rgn, 10, 6));
    EXPECT_FALSE(Inside(rgn, 20, 6));
}

TEST(SkinRegion, NoRegionForOverlappingCornersOrNullClient)
{
    TBitmap mask;
    FrameMask(mask);
    // Smaller than the corners.
    EXPECT_FALSE(sk::CreateSkinRegion(MaskPoints, sk::FitNinePart(MaskPoints, Rect(0, 0, 10, 8), 5, 4), &mask, 5, 4));
    sk::TskAreaPoints nullClient = MaskPoints;
    nullClient.ClRect = Rect(2, 2, 2, 6);
    EXPECT_FALSE(sk::CreateSkinRegion(MaskPoints, nullClient, &mask, 10, 8));
}

