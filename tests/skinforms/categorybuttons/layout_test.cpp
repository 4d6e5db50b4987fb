// The category-buttons geometry and keyboard targets over a real model, without a window.
#include <gtest/gtest.h>

#include "skinforms/categorybuttons/Layout.h"
#include "skinforms/categorybuttons/Navigation.h"

namespace {

struct Model {
    TskButtonCategories categories{nullptr};
    TskButtonCategory* Add(int Buttons, bool Collapsed = false)
    {
        TskButtonCategory* c = categories.Add();
        for (int i = 0; i < Buttons; ++i)
            c->Items()->Insert(i)->SetCaption("b" + std::to_string(i));
        c->SetCollapsed(Collapsed);
        return c;
    }
    TskButtonItem* Button(int Category, int Index)
    {
        return static_cast<TskButtonItem*>(categories.Items(Category)->Items()->Items(Index));
    }
};

// The radio's station list: one column of full-width buttons 20 high, captions above them.
TskCategoryButtonsMetrics StationList(int Width = 161, int Height = 200)
{
    TskCategoryButtonsMetrics m;
    m.Options = {skboFullSize, skboShowCaptions, skboBoldCaptions};
    m.ButtonWidth = 70;
    m.ButtonHeight = 20;
    m.TextHeight = 14;
    m.ClientWidth = Width;
    m.ClientHeight = Height;
    return m;
}

}  // namespace

TEST(CategoryLayout, TheWorkedExampleGivesExtentAndScrollRange)
{
    Model model;
    model.Add(10);
    const TskCategoryButtonsMetrics m = StationList();
    EXPECT_EQ(m.Unit(), 19);
    const int total = LayOutCategories(&model.categories, m);
    EXPECT_EQ(total, 234);
    const TskCategoryScroll s = CalcCategoryScroll(total, 200, m.Unit(), 0);
    EXPECT_TRUE(s.Needed);
    EXPECT_EQ(s.Units, 12);
    EXPECT_EQ(s.Page, 10);
    EXPECT_EQ(s.Max, 3);
    EXPECT_EQ(CalcCategoryScroll(total, 200, 19, 9).Position, 3) << "a position past the end comes back";
    EXPECT_FALSE(CalcCategoryScroll(total, 234, 19, 2).Needed);
    EXPECT_EQ(CalcCategoryScroll(total, 234, 19, 2).Position, 0);
}

TEST(CategoryLayout, CollapsedAndEmptyCategoriesAreOneCaptionHigh)
{
    Model model;
    model.Add(5, true);
    model.Add(0);
    model.Add(3);
    TskCategoryButtonsMetrics m = StationList();
    for (auto options : {TskCatButtonOptions{}, TskCatButtonOptions{skboVerticalCategoryCaptions, skboFullSize}}) {
        m.Options = options;
        LayOutCategories(&model.categories, m);
        EXPECT_EQ(model.categories.Items(0)->LayoutEnd, 29);
        EXPECT_EQ(model.categories.Items(1)->LayoutStart, 29);
        EXPECT_EQ(model.categories.Items(1)->LayoutEnd, 58);
        EXPECT_EQ(model.categories.Items(2)->LayoutStart, 58);
    }
}

TEST(CategoryLayout, ButtonRectanglesOfTheStationList)
{
    Model model;
    model.Add(2, true);
    model.Add(4);
    const TskCategoryButtonsMetrics m = StationList();
    LayOutCategories(&model.categories, m);
    // The second category starts at 29: its buttons 8 + 19 below, from 8 to width - 1 - 5.
    EXPECT_EQ(GetButtonRect(model.Button(1, 0), 0, m), (cl::TRect{8, 56, 155, 76}));
    EXPECT_EQ(GetButtonRect(model.Button(1, 3), 0, m), (cl::TRect{8, 116, 155, 136}));
    EXPECT_EQ(GetButtonRect(model.Button(1, 3), 38, m), (cl::TRect{8, 78, 155, 98}));
    const TskCategoryBounds b = GetCategoryBounds(model.categories.Items(1), 29, m);
    EXPECT_EQ(b.Band, (cl::TRect{0, 29, 161, 29 + 4 * 20 + 15 + 19}));
    EXPECT_EQ(b.Area, (cl::TRect{8, 56, 160, 136}));
}

TEST(CategoryLayout, EveryButtonIsFoundAtTheCentreOfItsRectangle)
{
    Model model;
    model.Add(7);
    model.Add(3, true);
    model.Add(5);
    TskCategoryButtonsMetrics multi = StationList(130, 300);
    multi.Options = {skboShowCaptions};
    multi.ButtonWidth = 30;
    TskCategoryButtonsMetrics vc = multi;
    vc.Options = {skboShowCaptions, skboVerticalCategoryCaptions};
    TskCategoryButtonsMetrics horizontal = multi;
    horizontal.Flow = skcbfHorizontal;
    horizontal.ClientWidth = 300;
    horizontal.ClientHeight = 90;
    for (const auto& m : {StationList(), multi, vc, horizontal}) {
        LayOutCategories(&model.categories, m);
        for (int offset : {0, 19}) {
            for (int c = 0; c < 3; ++c) {
                if (model.categories.Items(c)->Collapsed())
                    continue;
                for (int i = 0; i < model.categories.Items(c)->Items()->Count(); ++i) {
                    TskButtonItem* b = model.Button(c, i);
                    const cl::TRect r = GetButtonRect(b, offset, m);
                    const int x = (r.Left + r.Right) / 2;
                    const int y = (r.Top + r.Bottom) / 2;
                    if (x < 0 || y < 0)
                        continue;  // scrolled out of the control
                    EXPECT_EQ(GetButtonAt(&model.categories, x, y, nullptr, 10000, 10000, offset, m), b)
                        << "flow " << m.Flow << " options " << m.Options.Bits() << " category " << c << " button "
                        << i << " offset " << offset;
                }
            }
        }
    }
}

TEST(CategoryLayout, HitTestsOutsideTheGridOrPastTheLastButtonFindNothing)
{
    Model model;
    model.Add(5);
    TskCategoryButtonsMetrics m = StationList(130, 300);
    m.Options = {skboShowCaptions};
    m.ButtonWidth = 30;  // (130 - 0 - 8 - 1) / 30 = 4 per row, area 8 .. 129
    LayOutCategories(&model.categories, m);
    ASSERT_EQ(m.ButtonsPerLine(), 4);
    // Row 1 holds only the fifth button.
    EXPECT_EQ(GetButtonAt(&model.categories, 20, 8 + 19 + 25, nullptr, 130, 300, 0, m), model.Button(0, 4));
    EXPECT_EQ(GetButtonAt(&model.categories, 50, 8 + 19 + 25, nullptr, 130, 300, 0, m), nullptr);
    // In the caption band, or outside the control.
    EXPECT_EQ(GetButtonAt(&model.categories, 20, 5, nullptr, 130, 300, 0, m), nullptr);
    EXPECT_EQ(GetCategoryAt(&model.categories, 20, 300, 130, 300, 0, m), nullptr);
    EXPECT_EQ(GetCategoryAt(&model.categories, 20, 299, 130, 300, 0, m), nullptr) << "past the last category";
    EXPECT_EQ(GetCategoryAt(&model.categories, 20, 10, 130, 300, 0, m), model.categories.Items(0));
}

TEST(CategoryLayout, ButtonsPerLineLeaveRoomForTheScrollBarAcrossTheFlow)
{
    const TskCatButtonOptions captions{skboShowCaptions};
    const TskCatButtonOptions vertical{skboShowCaptions, skboVerticalCategoryCaptions};
    const struct {
        TskCatButtonFlow flow;
        TskCatButtonOptions options;
        int width, height, bar;
        int perLine;
    } cases[] = {
        {skcbfVertical, captions, 130, 300, 0, 4},   // (130 - 0 - 8 - 1) / 30
        {skcbfVertical, captions, 130, 300, 19, 3},  // (130 - 19 - 8 - 1) / 30
        {skcbfVertical, captions, 159, 300, 0, 5},
        {skcbfVertical, captions, 159, 300, 19, 4},
        {skcbfVertical, vertical, 130, 300, 0, 3},   // the caption beside the buttons: (130 - 0 - 19 - 1) / 30
        {skcbfVertical, vertical, 130, 300, 19, 3},
        {skcbfVertical, vertical, 129, 300, 19, 3},
        {skcbfVertical, vertical, 128, 300, 19, 2},
        {skcbfVertical, {skboFullSize, skboShowCaptions}, 300, 300, 19, 1},
        {skcbfVertical, captions, 40, 300, 19, 1},   // no room for one: still one
        {skcbfHorizontal, captions, 300, 80, 0, 3},  // (80 - 19 - 0 - 1) / 20
        {skcbfHorizontal, captions, 300, 80, 19, 2}, // (80 - 19 - 19 - 1) / 20
        {skcbfHorizontal, vertical, 300, 80, 0, 3},  // the caption along the flow: (80 - 8 - 0 - 1) / 20
        {skcbfHorizontal, vertical, 300, 80, 19, 2},
        {skcbfHorizontal, captions, 300, 30, 19, 1},
    };
    for (const auto& c : cases) {
        TskCategoryButtonsMetrics m = StationList(c.width, c.height);
        m.Flow = c.flow;
        m.Options = c.options;
        m.ButtonWidth = 30;
        m.ButtonHeight = 20;
        m.ScrollBarSize = c.bar;
        EXPECT_EQ(m.ButtonsPerLine(), c.perLine) << "flow " << c.flow << " options " << c.options.Bits() << " "
                                                 << c.width << " by " << c.height << " bar " << c.bar;
    }
}

TEST(CategoryLayout, ZeroButtonSizesAndATinyControlDivideByNothing)
{
    Model model;
    model.Add(6);
    TskCategoryButtonsMetrics m = StationList(0, 0);
    m.Options = {};
    m.ButtonWidth = 0;
    m.ButtonHeight = 0;
    EXPECT_EQ(m.ButtonsPerLine(), 1);
    EXPECT_EQ(LayOutCategories(&model.categories, m), 6 * 0 + 15 + 19);
    EXPECT_EQ(GetButtonAt(&model.categories, 10, 30, nullptr, 100, 100, 0, m), nullptr);
    GetButtonRect(model.Button(0, 5), 0, m);
    m.Flow = skcbfHorizontal;
    LayOutCategories(&model.categories, m);
    EXPECT_EQ(GetButtonAt(&model.categories, 30, 10, nullptr, 100, 100, 0, m), nullptr);
    GetButtonRect(model.Button(0, 5), 0, m);
    EXPECT_FALSE(CalcCategoryScroll(100, 10, 0, 0).Needed) << "no unit, no scrolling";
}

TEST(CategoryNavigation, RowsAndColumnsCrossIntoNeighbouringCategories)
{
    Model model;
    model.Add(5);         // rows of 4: 0 1 2 3 / 4
    model.Add(0);
    model.Add(6);         // 0 1 2 3 / 4 5
    model.Add(8);         // 0 1 2 3 / 4 5 6 7: a full last row
    model.Add(3);         // 0 1 2
    TskCategoryButtonsMetrics m = StationList(130, 300);
    m.Options = {skboShowCaptions};
    m.ButtonWidth = 30;
    LayOutCategories(&model.categories, m);
    ASSERT_EQ(m.ButtonsPerLine(), 4);
    const struct {
        int category, index;
        bool down;
        int toCategory, toIndex;  // -1: nowhere
        const char* why;
    } cases[] = {
        {0, 1, true, 0, 4, "a shorter row gives its last button"},
        {0, 4, true, 2, 0, "past the category, the empty one is skipped and the column kept"},
        {0, 3, false, -1, -1, "nothing above the first row"},
        {0, 4, false, 0, 0, "up a row in the same column"},
        {2, 3, false, 0, 4, "up into the last row, same column or the last button"},
        {2, 0, false, 0, 4, "up into the last row"},
        {2, 2, true, 2, 5, "down into a shorter row"},
        {2, 5, true, 3, 1, "down from the last row keeps the column"},
        {3, 2, true, 3, 6, "down a row in the same column"},
        {3, 6, true, 4, 2, "down from a full last row"},
        {3, 7, true, 4, 2, "down from a full last row into a shorter category: its last button"},
        {4, 0, false, 3, 4, "up into a full last row, first column"},
        {4, 2, false, 3, 6, "up into a full last row, same column"},
        {3, 5, false, 3, 1, "up from a full last row"},
        {3, 1, false, 2, 5, "up into a short last row: its last button"},
        {4, 1, true, -1, -1, "nothing below the last row"},
    };
    for (const auto& c : cases) {
        TskButtonItem* expected = c.toCategory < 0 ? nullptr : model.Button(c.toCategory, c.toIndex);
        EXPECT_EQ(RowNeighbour(&model.categories, model.Button(c.category, c.index), c.down, m), expected)
            << (c.down ? "Down" : "Up") << " from " << c.category << "/" << c.index << ": " << c.why;
    }
    EXPECT_EQ(RowNeighbour(&model.categories, nullptr, true, m), model.Button(0, 0));
    EXPECT_EQ(ColumnNeighbour(&model.categories, model.Button(0, 3), true, m), nullptr)
        << "vertical flow does not leave the row sideways";
    EXPECT_EQ(ColumnNeighbour(&model.categories, model.Button(0, 2), false, m), model.Button(0, 1));
    EXPECT_EQ(FirstCategoryButton(&model.categories), model.Button(0, 0));
    EXPECT_EQ(LastCategoryButton(&model.categories), model.Button(4, 2));
}

TEST(CategoryNavigation, TheShiftedWheelSkipsCollapsedAndEmptyCategories)
{
    Model model;
    model.Add(2);
    model.Add(3, true);
    model.Add(0);
    model.Add(2);
    EXPECT_EQ(NeighbourButton(&model.categories, model.Button(0, 1), true), model.Button(3, 0));
    EXPECT_EQ(NeighbourButton(&model.categories, model.Button(3, 0), false), model.Button(0, 1));
    EXPECT_EQ(NeighbourButton(&model.categories, model.Button(3, 1), true), nullptr);
    EXPECT_EQ(NeighbourButton(&model.categories, nullptr, true), nullptr);
}

TEST(CategoryNavigation, PageDownInOneColumnMovesAboutOneViewFurther)
{
    Model model;
    model.Add(30);
    const TskCategoryButtonsMetrics m = StationList(161, 200);
    LayOutCategories(&model.categories, m);
    // Button 0's top is 27; 27 + 200 = 227 lies 200 below the area's top: row 10.
    EXPECT_EQ(PageNeighbour(&model.categories, model.Button(0, 0), true, 0, m), model.Button(0, 10));
    EXPECT_EQ(PageNeighbour(&model.categories, model.Button(0, 10), false, 0, m), model.Button(0, 0));
    EXPECT_EQ(PageNeighbour(&model.categories, model.Button(0, 25), true, 0, m), model.Button(0, 29));
}

TEST(CategoryNavigation, PagesInHorizontalFlowMoveAlongTheRowAndColumnsAcrossCategories)
{
    Model model;
    model.Add(24);  // rows of 12 columns: the category is 12 buttons wide along the flow
    model.Add(6);
    TskCategoryButtonsMetrics m;
    m.Flow = skcbfHorizontal;
    m.Options = {skboShowCaptions};
    m.ButtonWidth = 30;
    m.ButtonHeight = 20;
    m.TextHeight = 14;
    m.ClientWidth = 150;
    m.ClientHeight = 60;  // (60 - 19 - 0 - 1) / 20 = 2 per column
    LayOutCategories(&model.categories, m);
    ASSERT_EQ(m.ButtonsPerLine(), 2);
    // Button 13 lies in row 1, column 1; a page (150) on reaches column 6 of the same row.
    EXPECT_EQ(PageNeighbour(&model.categories, model.Button(0, 13), true, 0, m), model.Button(0, 18));
    EXPECT_EQ(PageNeighbour(&model.categories, model.Button(0, 18), false, 0, m), model.Button(0, 13));
    // Right at a row's end goes on into the next category, in the same row.
    EXPECT_EQ(ColumnNeighbour(&model.categories, model.Button(0, 23), true, m), model.Button(1, 3));
    EXPECT_EQ(ColumnNeighbour(&model.categories, model.Button(1, 0), false, m), model.Button(0, 11));
    EXPECT_EQ(RowNeighbour(&model.categories, model.Button(0, 13), true, m), nullptr)
        << "horizontal flow does not leave a category downwards";
}

TEST(CategoryNavigation, LeftAndRightFromEveryColumnKeepTheRowAndCrossCategoriesOnlyInHorizontalFlow)
{
    // Vertical flow, rows of 4: 0 1 2 3 / 4 5, an empty category, then 0 1.
    Model vertical;
    vertical.Add(6);
    vertical.Add(0);
    vertical.Add(2);
    TskCategoryButtonsMetrics v = StationList(130, 300);
    v.Options = {skboShowCaptions};
    v.ButtonWidth = 30;
    LayOutCategories(&vertical.categories, v);
    ASSERT_EQ(v.ButtonsPerLine(), 4);
    // Horizontal flow, two rows: 0 1 2 / 3 4, an empty category, 0 1 / 2, then 0.
    Model horizontal;
    horizontal.Add(5);
    horizontal.Add(0);
    horizontal.Add(3);
    horizontal.Add(1);
    TskCategoryButtonsMetrics h = v;
    h.Flow = skcbfHorizontal;
    h.ClientWidth = 300;
    h.ClientHeight = 60;
    LayOutCategories(&horizontal.categories, h);
    ASSERT_EQ(h.ButtonsPerLine(), 2);
    struct TAt {
        int category, index;  // category -1: nowhere
    };
    const struct {
        bool horizontal;
        TAt from, left, right;
    } cases[] = {
        {false, {0, 0}, {-1, 0}, {0, 1}},    {false, {0, 1}, {0, 0}, {0, 2}}, {false, {0, 2}, {0, 1}, {0, 3}},
        {false, {0, 3}, {0, 2}, {-1, 0}},    {false, {0, 4}, {-1, 0}, {0, 5}},   {false, {0, 5}, {0, 4}, {-1, 0}},
        {false, {2, 0}, {-1, 0}, {2, 1}},    {false, {2, 1}, {2, 0}, {-1, 0}},
        {true, {0, 0}, {-1, 0}, {0, 1}},     {true, {0, 1}, {0, 0}, {0, 2}},  {true, {0, 2}, {0, 1}, {2, 0}},
        {true, {0, 3}, {-1, 0}, {0, 4}},     {true, {0, 4}, {0, 3}, {2, 2}},  {true, {2, 0}, {0, 2}, {2, 1}},
        {true, {2, 1}, {2, 0}, {3, 0}},   {true, {2, 2}, {0, 4}, {3, 0}},  {true, {3, 0}, {2, 1}, {-1, 0}},
    };
    for (const auto& c : cases) {
        Model& model = c.horizontal ? horizontal : vertical;
        const TskCategoryButtonsMetrics& m = c.horizontal ? h : v;
        auto at = [&](TAt A) { return A.category < 0 ? nullptr : model.Button(A.category, A.index); };
        SCOPED_TRACE(testing::Message() << (c.horizontal ? "horizontal" : "vertical") << " flow, from "
                                        << c.from.category << "/" << c.from.index);
        EXPECT_EQ(ColumnNeighbour(&model.categories, at(c.from), false, m), at(c.left)) << "Left";
        EXPECT_EQ(ColumnNeighbour(&model.categories, at(c.from), true, m), at(c.right)) << "Right";
    }
}
