// The skinned controls' arithmetic: skin sizes, mapped rectangles, glyph and caption layout,
// and the scroll bar's range, thumb and drag.
#include <gtest/gtest.h>

#include "skin/bases/Geometry.h"
#include "skin/controls/ScrollBarLayout.h"

using namespace sk;

namespace {

TskSkinGeometry NinePart()
{
    TskSkinGeometry g;
    g.SkinRect = {10, 20, 60, 50};  // 50 by 30
    g.LTPoint = {5, 5};
    g.RTPoint = {45, 5};
    g.LBPoint = {5, 25};
    g.RBPoint = {45, 25};
    g.ClRect = {5, 5, 45, 25};
    g.ResizeMode = rmNinePart;
    return g;
}

}  // namespace

TEST(SkinSize, NinePartKeepsTheAskedSizeAndMovesTheFarCorners)
{
    TskSkinGeometry g = NinePart();
    int w = 80, h = 70;
    CalcSkinSize(g, w, h, true);
    EXPECT_EQ(w, 80);
    EXPECT_EQ(h, 70);
    EXPECT_EQ(g.NewRTPoint, (TPoint{75, 5}));
    EXPECT_EQ(g.NewLBPoint, (TPoint{5, 65}));
    EXPECT_EQ(g.NewRBPoint, (TPoint{75, 65}));
    EXPECT_EQ(g.NewClRect, (TRect{5, 5, 75, 65}));
}

TEST(SkinSize, StripsKeepTheSkinsCrossSizeAndFixedSkinsTheirWholeSize)
{
    TskSkinGeometry g = NinePart();
    g.ResizeMode = rmHorzStrip;
    int w = 80, h = 70;
    CalcSkinSize(g, w, h, true);
    EXPECT_EQ(w, 80);
    EXPECT_EQ(h, 30);
    EXPECT_EQ(g.NewClRect.Right, 75);

    g.ResizeMode = rmVertStrip;
    w = 80, h = 70;
    CalcSkinSize(g, w, h, true);
    EXPECT_EQ(w, 50);
    EXPECT_EQ(h, 70);
    EXPECT_EQ(g.NewClRect.Bottom, 65);

    g.ResizeMode = rmFixed;
    w = 80, h = 70;
    CalcSkinSize(g, w, h, true);
    EXPECT_EQ(w, 50);
    EXPECT_EQ(h, 30);
    // Unskinned, a fixed mode changes nothing.
    w = 80, h = 70;
    CalcSkinSize(g, w, h, false);
    EXPECT_EQ(w, 80);
    EXPECT_EQ(h, 70);
}

TEST(SkinSize, AnInvertedSkinAreaForcesNoNegativeSize)
{
    TskSkinGeometry g;
    g.SkinRect = {50, 50, 10, 10};
    g.ResizeMode = rmFixed;
    int w = 5, h = 5;
    CalcSkinSize(g, w, h, true);
    EXPECT_EQ(w, 0);
    EXPECT_EQ(h, 0);
}

TEST(SkinRectMapping, CornersMoveAndEdgesStretchWithTheControl)
{
    const TskSkinGeometry g = NinePart();
    // 30 wider and 40 higher than the skin area.
    EXPECT_EQ(MapSkinRect(g, {1, 1, 4, 4}, 80, 70), (TRect{1, 1, 4, 4}));
    EXPECT_EQ(MapSkinRect(g, {46, 1, 49, 4}, 80, 70), (TRect{76, 1, 79, 4}));
    EXPECT_EQ(MapSkinRect(g, {1, 26, 4, 29}, 80, 70), (TRect{1, 66, 4, 69}));
    EXPECT_EQ(MapSkinRect(g, {46, 26, 49, 29}, 80, 70), (TRect{76, 66, 79, 69}));
    // A caption band across the top: from the left-top corner into the right-top one.
    EXPECT_EQ(MapSkinRect(g, {2, 1, 47, 4}, 80, 70), (TRect{2, 1, 77, 4}));
    // The whole client area: stretched both ways.
    EXPECT_EQ(MapSkinRect(g, {2, 2, 47, 27}, 80, 70), (TRect{2, 2, 77, 67}));

    TskSkinGeometry h = g;
    h.ResizeMode = rmHorzStrip;
    EXPECT_EQ(MapSkinRect(h, {2, 0, 47, 10}, 80, 70), (TRect{2, 0, 77, 10}));
    EXPECT_EQ(MapSkinRect(h, {46, 0, 49, 10}, 80, 70), (TRect{76, 0, 79, 10}));
}

TEST(GlyphTextLayout, CentredAndAtAMarginForEveryLayout)
{
    int tx, ty, gx, gy;
    const TRect r{0, 0, 100, 40};
    CalcGlyphTextLayout(blGlyphLeft, r, 16, 16, 40, 14, 4, -1, tx, ty, gx, gy);
    EXPECT_EQ(gx, 20);
    EXPECT_EQ(tx, 40);
    EXPECT_EQ(gy, 12);
    EXPECT_EQ(ty, 13);
    CalcGlyphTextLayout(blGlyphRight, r, 16, 16, 40, 14, 4, -1, tx, ty, gx, gy);
    EXPECT_EQ(tx, 20);
    EXPECT_EQ(gx, 64);
    CalcGlyphTextLayout(blGlyphTop, r, 16, 16, 40, 14, 4, -1, tx, ty, gx, gy);
    EXPECT_EQ(gy, 3);   // 20 - (14 + 16 + 4) / 2
    EXPECT_EQ(ty, 23);  // 20 + 17 - 14
    EXPECT_EQ(gx, 42);
    EXPECT_EQ(tx, 30);
    CalcGlyphTextLayout(blGlyphBottom, r, 16, 16, 40, 14, 4, -1, tx, ty, gx, gy);
    EXPECT_EQ(ty, 3);
    EXPECT_EQ(gy, 21);

    CalcGlyphTextLayout(blGlyphLeft, r, 16, 16, 40, 14, 4, 3, tx, ty, gx, gy);
    EXPECT_EQ(gx, 3);
    EXPECT_EQ(tx, 23);
    CalcGlyphTextLayout(blGlyphRight, r, 16, 16, 40, 14, 4, 3, tx, ty, gx, gy);
    EXPECT_EQ(gx, 81);
    EXPECT_EQ(tx, 37);
    CalcGlyphTextLayout(blGlyphTop, r, 16, 16, 40, 14, 4, 3, tx, ty, gx, gy);
    EXPECT_EQ(gy, 3);
    EXPECT_EQ(ty, 23);
    CalcGlyphTextLayout(blGlyphBottom, r, 16, 16, 40, 14, 4, 3, tx, ty, gx, gy);
    EXPECT_EQ(gy, 21);
    EXPECT_EQ(ty, 3);
}

TEST(ScrollBarRange, PositionsAreClampedToTheLastPage)
{
    const TskScrollBarRange paged{0, 100, 10};
    EXPECT_EQ(ClampScrollPosition(95, paged), 91);
    EXPECT_EQ(ClampScrollPosition(-5, paged), 0);
    const TskScrollBarRange plain{0, 100, 0};
    EXPECT_EQ(ClampScrollPosition(150, plain), 100);
    // A page larger than the range leaves only the minimum.
    EXPECT_EQ(ClampScrollPosition(3, {0, 10, 50}), 0);
}

TEST(ScrollBarThumb, LengthFollowsThePageAndNeverLeavesTheTrack)
{
    EXPECT_EQ(ScrollThumbLength(100, 16, {0, 99, 0}), 16);
    EXPECT_EQ(ScrollThumbLength(100, 16, {0, 99, 50}), 50);
    EXPECT_EQ(ScrollThumbLength(100, 16, {0, 99, 5}), 16);
    // A page larger than the range: the thumb fills the track, no more.
    EXPECT_EQ(ScrollThumbLength(100, 16, {0, 10, 50}), 100);
    // A track shorter than the base thumb.
    EXPECT_EQ(ScrollThumbLength(10, 16, {0, 99, 0}), 10);
    EXPECT_EQ(ScrollThumbLength(-4, 16, {0, 99, 0}), 0);
}

TEST(ScrollBarThumb, PlaceRunsFromStartToEndAndSitsFarWithoutRoom)
{
    EXPECT_EQ(ScrollThumbOffset(100, 20, 0, {0, 100, 0}), 0);
    EXPECT_EQ(ScrollThumbOffset(100, 20, 100, {0, 100, 0}), 80);
    EXPECT_EQ(ScrollThumbOffset(100, 20, 50, {0, 100, 0}), 40);
    // Min = Max: at the start.
    EXPECT_EQ(ScrollThumbOffset(100, 20, 5, {5, 5, 0}), 0);
    // A page that leaves no room to scroll: at the far end.
    EXPECT_EQ(ScrollThumbOffset(100, 100, 0, {0, 10, 50}), 0);
    EXPECT_EQ(ScrollThumbOffset(100, 20, 0, {0, 10, 11}), 80);
}

TEST(ScrollBarThumb, DraggingMapsOffsetsBackWithoutDividingByZero)
{
    EXPECT_EQ(ScrollPositionFromOffset(0, 100, 20, {0, 100, 0}), 0);
    EXPECT_EQ(ScrollPositionFromOffset(80, 100, 20, {0, 100, 0}), 100);
    EXPECT_EQ(ScrollPositionFromOffset(200, 100, 20, {0, 100, 0}), 100);
    EXPECT_EQ(ScrollPositionFromOffset(40, 100, 20, {0, 100, 10}), 46);  // 0.5 * 91 = 45.5 -> 46
    EXPECT_EQ(ScrollPositionFromOffset(30, 100, 100, {0, 10, 50}), 0);
    EXPECT_EQ(ScrollPositionFromOffset(30, 100, 20, {7, 7, 0}), 7);
}

TEST(ScrollBarParts, DefaultAndSkinnedPartsFollowTheLength)
{
    TskScrollBarParts p = DefaultScrollBarParts(false, 200, 19, 19);
    EXPECT_EQ(p.NearArrow, (TRect{1, 1, 17, 18}));
    EXPECT_EQ(p.FarArrow, (TRect{164, 1, 180, 18}));
    EXPECT_EQ(p.Track, (TRect{17, 1, 164, 18}));
    p = DefaultScrollBarParts(true, 19, 100, 19);
    EXPECT_EQ(p.FarArrow, (TRect{1, 83, 18, 99}));

    TskScrollBarSkinRects s;
    s.SkinRect = {0, 0, 17, 60};
    s.LBPoint = {0, 30};
    s.TrackArea = {0, 17, 17, 43};
    s.DownButtonRect = {0, 0, 17, 17};
    s.UpButtonRect = {0, 43, 17, 60};
    s.ThumbRect = {20, 0, 31, 15};
    p = SkinnedScrollBarParts(true, 17, 100, s);
    EXPECT_EQ(p.Track, (TRect{0, 17, 17, 83}));
    EXPECT_EQ(p.NearArrow, (TRect{0, 0, 17, 17}));
    EXPECT_EQ(p.FarArrow, (TRect{0, 83, 17, 100}));
    PlaceScrollThumb(p, true, 0, {0, 100, 0});
    EXPECT_EQ(p.Thumb, (TRect{3, 17, 14, 32}));
}
