// The arithmetic of a menu level: size, rows, placement and the arrow keys' search.
#include <gtest/gtest.h>

#include "skinforms/menus/Layout.h"

namespace {

using namespace sk;

TskMenuSizeInput Rows(int Count, int Height = 20)
{
    TskMenuSizeInput input;
    input.RowHeights.assign(Count, Height);
    input.TextWidth = 40;
    input.WorkAreaHeight = 768;
    return input;
}

TEST(MenuLayout, SizeWithoutDescription)
{
    TskMenuSizeInput input = Rows(3);
    input.RowHeights.push_back(MenuSeparatorHeight);
    const TskMenuSize size = MeasureMenu({}, input);
    EXPECT_EQ(size.Width, 40 + 19 + 19 + 10);
    EXPECT_EQ(size.Height, 3 * 20 + 4 + 4);
    EXPECT_FALSE(size.Scroll);
    EXPECT_EQ(MenuItemsRect({}, size.Width, size.Height), (TRect{2, 2, size.Width - 2, size.Height - 2}));
}

TEST(MenuLayout, ItemLimitGivesThreeRowsBetweenMarkers)
{
    TskMenuSizeInput input = Rows(10);
    input.MaxItems = 3;
    const TskMenuSize size = MeasureMenu({}, input);
    EXPECT_EQ(size.Height, 84);
    EXPECT_TRUE(size.Scroll);
    EXPECT_TRUE(size.ScrollByMax);
    const TskMenuRows rows = ArrangeMenuRows(input.RowHeights, 0, MenuItemsRect({}, size.Width, size.Height), true);
    EXPECT_EQ(rows.VisibleCount, 3);
    EXPECT_EQ(rows.Rects[0].Top, 12);
    EXPECT_FALSE(rows.Shown[3]);
    // A limit at or above the count changes nothing.
    input.MaxItems = 10;
    EXPECT_FALSE(MeasureMenu({}, input).Scroll);
}

TEST(MenuLayout, TallerThanTheWorkAreaScrollsAtItsHeight)
{
    TskMenuSizeInput input = Rows(50);
    const TskMenuSize size = MeasureMenu({}, input);
    EXPECT_EQ(size.Height, 768);
    EXPECT_TRUE(size.Scroll);
    EXPECT_FALSE(size.ScrollByMax);
    const TskMenuRows rows = ArrangeMenuRows(input.RowHeights, 5, MenuItemsRect({}, size.Width, size.Height), true);
    // 768 - 4 - 20 = 744: 37 rows of 20.
    EXPECT_EQ(rows.VisibleCount, 37);
    EXPECT_FALSE(rows.Shown[4]);
    EXPECT_TRUE(rows.Shown[5]);
    EXPECT_EQ(rows.Rects[5].Top, 12);
    EXPECT_EQ(LastMenuPageTop(input.RowHeights, 744), 13);
}

TEST(MenuLayout, SizeWithDescription)
{
    TskMenuLook look;
    look.SkinnedFrame = true;
    look.FrameItemsRect = {5, 6, 45, 34};
    look.PictureWidth = 50;
    look.PictureHeight = 40;
    look.SkinnedItems = true;
    look.TextRect = {3, 0, 27, 18};
    look.SkinRect = {0, 0, 30, 18};
    TskMenuSizeInput input = Rows(2, 18);
    const TskMenuSize size = MeasureMenu(look, input);
    EXPECT_EQ(size.Width, 40 + 19 + 19 + 3 + 3 + 5 + 5);
    EXPECT_EQ(size.Height, 6 + 36 + 6);
    EXPECT_EQ(MenuItemsRect(look, 100, 80), (TRect{5, 6, 95, 74}));
}

TEST(MenuLayout, PlacementBelowFlippedAndBeside)
{
    const TRect wa{0, 0, 1024, 768};
    TskMenuPlacement first;
    bool flipped = true;
    EXPECT_EQ(PlaceMenu({100, 100, 100, 100}, wa, 80, 60, first, &flipped), (TPoint{100, 100}));
    EXPECT_FALSE(flipped);
    // Near the bottom-right corner: above the point, pushed left to stay inside.
    EXPECT_EQ(PlaceMenu({1000, 750, 1000, 750}, wa, 80, 60, first, &flipped), (TPoint{944, 690}));
    EXPECT_FALSE(flipped);
    // Too tall for either side of a point in the upper half: against the bottom, and then
    // beside the point rather than over it.
    EXPECT_EQ(PlaceMenu({10, 90, 10, 90}, {0, 0, 1024, 200}, 80, 150, first, &flipped), (TPoint{11, 50}));
    EXPECT_TRUE(flipped);
    // Right edge without flipping: pushed left.
    EXPECT_EQ(PlaceMenu({1000, 100, 1000, 100}, wa, 80, 60, first, &flipped), (TPoint{944, 100}));
    // A sub-menu at the right edge opens left of its parent row with a 1-pixel gap.
    TskMenuPlacement sub;
    sub.SubMenu = true;
    EXPECT_EQ(PlaceMenu({900, 200, 1000, 220}, wa, 80, 60, sub), (TPoint{819, 198}));
    EXPECT_EQ(PlaceMenu({100, 200, 200, 220}, wa, 80, 60, sub), (TPoint{201, 198}));
    // Up from a rectangle.
    TskMenuPlacement up;
    up.PopupToUp = true;
    EXPECT_EQ(PlaceMenu({100, 300, 150, 320}, wa, 80, 60, up), (TPoint{100, 240}));
    // Scrolling because of the screen: at the work area's top, beside the point.
    TskMenuPlacement tall;
    tall.Scroll = true;
    EXPECT_EQ(PlaceMenu({100, 300, 100, 300}, wa, 80, 768, tall), (TPoint{101, 0}));
}

TEST(MenuLayout, ArrowSearchIsBoundedAndSkipsUnselectable)
{
    EXPECT_EQ(NextMenuRow({}, -1, true), -1);
    EXPECT_EQ(NextMenuRow({false, false, false}, -1, true), -1);
    EXPECT_EQ(NextMenuRow({false, false, false}, 1, false), -1);
    const std::vector<bool> rows{true, false, false, true};
    EXPECT_EQ(NextMenuRow(rows, -1, true), 0);
    EXPECT_EQ(NextMenuRow(rows, 0, true), 3);
    EXPECT_EQ(NextMenuRow(rows, 3, true), 0);
    EXPECT_EQ(NextMenuRow(rows, -1, false), 3);
    EXPECT_EQ(NextMenuRow(rows, 0, false), 3);
    EXPECT_EQ(NextMenuRow(rows, 3, false), 0);
    EXPECT_EQ(NextMenuRow({false, true}, 1, true), 1);
}

}  // namespace
