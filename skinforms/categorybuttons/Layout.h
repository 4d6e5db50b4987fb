#pragma once
// The category-buttons control's geometry, which needs no window: categories laid end to end
// along the flow, each a caption band followed by a grid of buttons, the scroll range in units
// of one caption line, button rectangles and hit tests. Every coordinate along the flow is
// measured from the top (or left) of the scrolled content unless a scroll offset is given.
#include "classlib/system/System.h"
#include "classlib/system/Types.h"
#include "skinforms/categorybuttons/Model.h"

enum TskCatButtonFlow { skcbfVertical, skcbfHorizontal };
enum TskCatButtonOption {
    skboAllowReorder,
    skboAllowCopyingButtons,
    skboFullSize,
    skboShowCaptions,
    skboVerticalCategoryCaptions,
    skboBoldCaptions,
    skboUsePlusMinus
};
using TskCatButtonOptions = cl::TSet<TskCatButtonOption>;

// What the geometry depends on.
struct TskCategoryButtonsMetrics {
    TskCatButtonFlow Flow = skcbfVertical;
    TskCatButtonOptions Options{skboShowCaptions, skboVerticalCategoryCaptions};
    int ButtonWidth = 24;
    int ButtonHeight = 24;
    int TextHeight = 0;       // T: the height of "Wg" in the caption font
    int ClientWidth = 0;
    int ClientHeight = 0;
    int ScrollBarSize = 0;    // S: the embedded scroll bar's width (or height); 0 without one

    bool Vertical() const { return Flow == skcbfVertical; }
    // U: one caption line, the scroll unit.
    int Unit() const { return TextHeight + 5; }
    // M: the margin across the flow that the caption takes (or 8).
    int CrossMargin() const;
    // The caption takes room along the flow (a horizontal caption in vertical flow, or a
    // rotated one in horizontal flow).
    bool CaptionAlongFlow() const;
    // Buttons per row (vertical flow) or per column (horizontal), at least 1.
    int ButtonsPerLine() const;
    // The length of the view along the flow.
    int View() const { return Vertical() ? ClientHeight : ClientWidth; }
    // The button cell's length along the flow and across it.
    int CellAlong() const { return Vertical() ? ButtonHeight : ButtonWidth; }
};

// The length of a category along the flow: T + 15 when collapsed or empty.
int CategoryExtent(const TskButtonCategory* Category, const TskCategoryButtonsMetrics& M);

// Writes every category's LayoutStart and LayoutEnd, end to end from 0; answers the total.
int LayOutCategories(TskButtonCategories* Categories, const TskCategoryButtonsMetrics& M);

// The scroll state after a layout.
struct TskCategoryScroll {
    int Position = 0;  // in units
    int Max = 0;       // the largest position
    int Page = 0;      // units in the view
    int Units = 0;     // units in the content
    bool Needed = false;  // the content is longer than the view
};
// With View >= Total nothing scrolls; otherwise the position is kept within the new maximum.
TskCategoryScroll CalcCategoryScroll(int Total, int View, int Unit, int Position);

// A category drawn at P (its layout start minus the scroll offset): its band, and the area its
// buttons lie in (empty when collapsed or without buttons).
struct TskCategoryBounds {
    cl::TRect Band;
    cl::TRect Area;
};
TskCategoryBounds GetCategoryBounds(const TskButtonCategory* Category, int P, const TskCategoryButtonsMetrics& M);

// Columns of a category's grid: buttons per row (vertical flow) or the area's width in
// buttons (horizontal flow), at least 1.
int CategoryColumns(const TskCategoryBounds& Bounds, const TskCategoryButtonsMetrics& M);

// The rectangle of the button with this index in a category drawn at P.
cl::TRect CategoryButtonRect(const TskButtonCategory* Category, int Index, int P, const TskCategoryButtonsMetrics& M);
// The same for a button, at the scroll offset (in pixels); empty when it lies in no category.
cl::TRect GetButtonRect(TskButtonItem* Button, int Offset, const TskCategoryButtonsMetrics& M);

// The first category whose layout end exceeds Coordinate (content coordinates), or nullptr.
// Categories must have been laid out.
TskButtonCategory* CategoryAtCoordinate(TskButtonCategories* Categories, int Coordinate);
// The category index of the first whose layout end is at least Coordinate; Count when none.
int FirstCategoryReaching(TskButtonCategories* Categories, int Coordinate);

// Hit tests in client coordinates; Width and Height are the control's outer size.
TskButtonCategory* GetCategoryAt(TskButtonCategories* Categories, int X, int Y, int Width, int Height, int Offset,
                                 const TskCategoryButtonsMetrics& M);
// In Category, or the category hit when Category is nullptr.
TskButtonItem* GetButtonAt(TskButtonCategories* Categories, int X, int Y, TskButtonCategory* Category,
                           int Width, int Height, int Offset, const TskCategoryButtonsMetrics& M);
