#pragma once
// Where the keyboard and the shifted wheel move the selection in the category-buttons
// control: across rows and columns of a category and on into its neighbours. Needs no window;
// the categories must have been laid out with the same metrics.
#include "skinforms/categorybuttons/Layout.h"

// The first button of the first category with buttons; the last button of the last one.
TskButtonItem* FirstCategoryButton(TskButtonCategories* Categories);
TskButtonItem* LastCategoryButton(TskButtonCategories* Categories);

// The neighbour in the same category; past its ends the last button of the nearest earlier,
// or the first of the nearest later, category that is expanded and has buttons.
TskButtonItem* NeighbourButton(TskButtonCategories* Categories, TskButtonItem* Current, bool Forward);

// Down and Up: the same column of the next or previous row; past the category (vertical flow
// only) the nearest category with buttons. Without a current button, Down in vertical flow
// takes the first button.
TskButtonItem* RowNeighbour(TskButtonCategories* Categories, TskButtonItem* Current, bool Down,
                            const TskCategoryButtonsMetrics& M);
// Left and Right: the neighbour in the same row; at the row's edge (horizontal flow only) the
// nearest category with buttons, in the same row.
TskButtonItem* ColumnNeighbour(TskButtonCategories* Categories, TskButtonItem* Current, bool Right,
                               const TskCategoryButtonsMetrics& M);
// Page Down and Page Up: about one view further, in the same column.
TskButtonItem* PageNeighbour(TskButtonCategories* Categories, TskButtonItem* Current, bool Down, int Offset,
                             const TskCategoryButtonsMetrics& M);
