#include "skinforms/categorybuttons/Navigation.h"

#include <algorithm>

namespace {

int ButtonCount(TskButtonCategory* C) { return C->Items()->Count(); }

TskButtonItem* ButtonOf(TskButtonCategory* C, int Index)
{
    return static_cast<TskButtonItem*>(C->Items()->Items(std::clamp(Index, 0, ButtonCount(C) - 1)));
}

// The nearest category with buttons from Start on in Step direction (expanded ones only when
// asked); nullptr when none.
TskButtonCategory* NearestWithButtons(TskButtonCategories* Categories, int Start, int Step, bool ExpandedOnly)
{
    for (int i = Start; i >= 0 && i < Categories->Count(); i += Step) {
        TskButtonCategory* c = Categories->Items(i);
        if (ButtonCount(c) > 0 && !(ExpandedOnly && c->Collapsed()))
            return c;
    }
    return nullptr;
}

int ColumnsOf(TskButtonCategory* C, const TskCategoryButtonsMetrics& M)
{
    return CategoryColumns(GetCategoryBounds(C, C->LayoutStart, M), M);
}

}  // namespace

TskButtonItem* FirstCategoryButton(TskButtonCategories* Categories)
{
    TskButtonCategory* c = NearestWithButtons(Categories, 0, 1, false);
    return c ? ButtonOf(c, 0) : nullptr;
}

TskButtonItem* LastCategoryButton(TskButtonCategories* Categories)
{
    TskButtonCategory* c = NearestWithButtons(Categories, Categories->Count() - 1, -1, false);
    return c ? ButtonOf(c, ButtonCount(c) - 1) : nullptr;
}

TskButtonItem* NeighbourButton(TskButtonCategories* Categories, TskButtonItem* Current, bool Forward)
{
    TskButtonCategory* c = Current ? Current->GetCategory() : nullptr;
    if (!c)
        return nullptr;
    const int i = Current->Index() + (Forward ? 1 : -1);
    if (i >= 0 && i < ButtonCount(c))
        return ButtonOf(c, i);
    TskButtonCategory* next = NearestWithButtons(Categories, c->Index() + (Forward ? 1 : -1), Forward ? 1 : -1, true);
    if (!next)
        return nullptr;
    return ButtonOf(next, Forward ? 0 : ButtonCount(next) - 1);
}

TskButtonItem* RowNeighbour(TskButtonCategories* Categories, TskButtonItem* Current, bool Down,
                            const TskCategoryButtonsMetrics& M)
{
    TskButtonCategory* c = Current ? Current->GetCategory() : nullptr;
    if (!c)
        return Down && M.Vertical() ? FirstCategoryButton(Categories) : nullptr;
    const int columns = ColumnsOf(c, M);
    const int index = Current->Index();
    const int row = index / columns;
    const int column = index % columns;
    const int n = ButtonCount(c);
    if (!c->Collapsed()) {
        if (Down && (row + 1) * columns < n)
            return ButtonOf(c, (row + 1) * columns + column);
        if (!Down && row > 0)
            return ButtonOf(c, (row - 1) * columns + column);
    }
    if (!M.Vertical())
        return nullptr;
    TskButtonCategory* next = NearestWithButtons(Categories, c->Index() + (Down ? 1 : -1), Down ? 1 : -1, false);
    if (!next)
        return nullptr;
    if (Down)
        return ButtonOf(next, column);
    const int nextColumns = ColumnsOf(next, M);
    const int lastRowStart = ((ButtonCount(next) - 1) / nextColumns) * nextColumns;
    return ButtonOf(next, lastRowStart + column);
}

TskButtonItem* ColumnNeighbour(TskButtonCategories* Categories, TskButtonItem* Current, bool Right,
                               const TskCategoryButtonsMetrics& M)
{
    TskButtonCategory* c = Current ? Current->GetCategory() : nullptr;
    if (!c)
        return nullptr;
    const int columns = ColumnsOf(c, M);
    const int index = Current->Index();
    const int row = index / columns;
    const int column = index % columns;
    if (!Right && column > 0)
        return ButtonOf(c, index - 1);
    if (Right && column < columns - 1 && index + 1 < ButtonCount(c))
        return ButtonOf(c, index + 1);
    if (M.Vertical())
        return nullptr;
    TskButtonCategory* next = NearestWithButtons(Categories, c->Index() + (Right ? 1 : -1), Right ? 1 : -1, false);
    if (!next)
        return nullptr;
    const int nextColumns = ColumnsOf(next, M);
    return ButtonOf(next, row * nextColumns + (Right ? 0 : nextColumns - 1));
}

TskButtonItem* PageNeighbour(TskButtonCategories* Categories, TskButtonItem* Current, bool Down, int Offset,
                             const TskCategoryButtonsMetrics& M)
{
    if (Categories->Count() == 0)
        return nullptr;
    int coordinate = 0;
    int column = 0;
    int row = 0;
    if (TskButtonCategory* c = Current ? Current->GetCategory() : nullptr) {
        const cl::TRect r = CategoryButtonRect(c, Current->Index(), c->LayoutStart, M);
        coordinate = c->Collapsed() ? c->LayoutStart : (M.Vertical() ? r.Top : r.Left);
        column = Current->Index() % ColumnsOf(c, M);
        row = Current->Index() / ColumnsOf(c, M);
    }
    coordinate += Down ? M.View() : -M.View();
    const int last = Categories->Items(Categories->Count() - 1)->LayoutEnd - 1;
    coordinate = std::clamp(coordinate, 0, std::max(last, 0));
    TskButtonCategory* target = nullptr;
    for (int i = FirstCategoryReaching(Categories, coordinate + 1); i < Categories->Count(); ++i)
        if (ButtonCount(Categories->Items(i)) > 0) {
            target = Categories->Items(i);
            break;
        }
    if (!target)
        return nullptr;
    if (target->Collapsed())
        return ButtonOf(target, 0);
    const TskCategoryBounds b = GetCategoryBounds(target, target->LayoutStart, M);
    const int areaStart = M.Vertical() ? b.Area.Top : b.Area.Left;
    const int cell = M.CellAlong();
    const int distance = coordinate - areaStart;
    // The line reached along the flow, counted up (a line begun counts); across the flow the
    // current one is kept.
    const int reached = cell > 0 && distance > 0 ? (distance + cell - 1) / cell : 0;
    const int columns = CategoryColumns(b, M);
    if (M.Vertical())
        return ButtonOf(target, reached * columns + std::min(column, columns - 1));
    const int rows = (ButtonCount(target) + columns - 1) / columns;
    return ButtonOf(target, std::min(row, rows - 1) * columns + std::min(reached, columns - 1));
}
