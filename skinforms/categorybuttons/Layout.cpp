#include "skinforms/categorybuttons/Layout.h"

#include <algorithm>

using cl::TRect;

namespace {

int CeilDiv(int A, int B) { return B > 0 ? (A + B - 1) / B : 0; }

int ButtonCount(const TskButtonCategory* Category) { return Category->Items()->Count(); }

}  // namespace

int TskCategoryButtonsMetrics::CrossMargin() const
{
    const bool vc = Options.Contains(skboVerticalCategoryCaptions);
    return (Vertical() && vc) || (!Vertical() && !vc) ? Unit() : 8;
}

bool TskCategoryButtonsMetrics::CaptionAlongFlow() const
{
    const bool vc = Options.Contains(skboVerticalCategoryCaptions);
    return Vertical() ? !vc : vc;
}

int TskCategoryButtonsMetrics::ButtonsPerLine() const
{
    int n;
    if (Vertical()) {
        if (Options.Contains(skboFullSize))
            return 1;
        // A zero button width fits no count: one per row.
        n = ButtonWidth > 0 ? (ClientWidth - ScrollBarSize - CrossMargin() - 1) / ButtonWidth : 1;
    } else {
        n = ButtonHeight > 0 ? (ClientHeight - CrossMargin() - ScrollBarSize - 1) / ButtonHeight : 1;
    }
    return std::max(n, 1);
}

int CategoryExtent(const TskButtonCategory* Category, const TskCategoryButtonsMetrics& M)
{
    const int n = ButtonCount(Category);
    if (Category->Collapsed() || n == 0)
        return M.TextHeight + 15;
    int extent = CeilDiv(n, M.ButtonsPerLine()) * M.CellAlong() + 15;
    if (M.CaptionAlongFlow())
        extent += M.Unit();
    return extent;
}

int LayOutCategories(TskButtonCategories* Categories, const TskCategoryButtonsMetrics& M)
{
    int end = 0;
    for (int i = 0; i < Categories->Count(); ++i) {
        TskButtonCategory* c = Categories->Items(i);
        c->LayoutStart = end;
        end += CategoryExtent(c, M);
        c->LayoutEnd = end;
    }
    return end;
}

TskCategoryScroll CalcCategoryScroll(int Total, int View, int Unit, int Position)
{
    TskCategoryScroll s;
    if (View >= Total || Unit <= 0)
        return s;
    s.Needed = true;
    s.Units = Total / Unit;
    s.Page = std::min(View / Unit, s.Units);
    s.Max = s.Units - s.Page + 1;
    s.Position = std::max(0, std::min(Position, s.Max));
    return s;
}

TskCategoryBounds GetCategoryBounds(const TskButtonCategory* Category, int P, const TskCategoryButtonsMetrics& M)
{
    TskCategoryBounds b;
    const int extent = CategoryExtent(Category, M);
    const int w = M.ClientWidth - M.ScrollBarSize;
    const int h = M.ClientHeight - M.ScrollBarSize;
    const int n = ButtonCount(Category);
    const bool vc = M.Options.Contains(skboVerticalCategoryCaptions);
    const int lines = CeilDiv(n, M.ButtonsPerLine());
    if (M.Vertical()) {
        b.Band = {0, P, w, P + extent};
        if (!Category->Collapsed()) {
            b.Area.Top = P + 8;
            b.Area.Left = 8;
            if (vc)
                b.Area.Left = M.Unit();
            else
                b.Area.Top += M.Unit();
            b.Area.Right = w - 1;
            b.Area.Bottom = b.Area.Top + lines * M.ButtonHeight;
        }
    } else {
        b.Band = {P, 0, P + extent, h};
        if (!Category->Collapsed()) {
            b.Area.Left = P + 8;
            b.Area.Top = M.Unit();
            if (vc) {
                b.Area.Top = 8;
                b.Area.Left += M.Unit();
            }
            b.Area.Bottom = h - 1;
            b.Area.Right = b.Area.Left + lines * M.ButtonWidth;
        }
    }
    return b;
}

int CategoryColumns(const TskCategoryBounds& Bounds, const TskCategoryButtonsMetrics& M)
{
    if (M.Vertical())
        return M.ButtonsPerLine();
    const int c = M.ButtonWidth > 0 ? (Bounds.Area.Right - Bounds.Area.Left) / M.ButtonWidth : 1;
    return std::max(c, 1);
}

TRect CategoryButtonRect(const TskButtonCategory* Category, int Index, int P, const TskCategoryButtonsMetrics& M)
{
    const TskCategoryBounds b = GetCategoryBounds(Category, P, M);
    const int c = CategoryColumns(b, M);
    const int top = b.Area.Top + (Index / c) * M.ButtonHeight;
    if (M.Vertical() && M.Options.Contains(skboFullSize))
        return {b.Area.Left, top, b.Area.Right - 5, top + M.ButtonHeight};
    const int left = b.Area.Left + (Index % c) * M.ButtonWidth;
    return {left, top, left + M.ButtonWidth, top + M.ButtonHeight};
}

TRect GetButtonRect(TskButtonItem* Button, int Offset, const TskCategoryButtonsMetrics& M)
{
    TskButtonCategory* c = Button ? Button->GetCategory() : nullptr;
    if (!c)
        return {};
    return CategoryButtonRect(c, Button->Index(), c->LayoutStart - Offset, M);
}

int FirstCategoryReaching(TskButtonCategories* Categories, int Coordinate)
{
    // Layout ends grow with the index: a binary search keeps hit tests cheap in long lists.
    int lo = 0, hi = Categories->Count();
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (Categories->Items(mid)->LayoutEnd >= Coordinate)
            hi = mid;
        else
            lo = mid + 1;
    }
    return lo;
}

TskButtonCategory* CategoryAtCoordinate(TskButtonCategories* Categories, int Coordinate)
{
    const int i = FirstCategoryReaching(Categories, Coordinate + 1);
    return i < Categories->Count() ? Categories->Items(i) : nullptr;
}

TskButtonCategory* GetCategoryAt(TskButtonCategories* Categories, int X, int Y, int Width, int Height, int Offset,
                                 const TskCategoryButtonsMetrics& M)
{
    if (X < 0 || Y < 0 || X > Width - 1 || Y > Height - 1)
        return nullptr;
    return CategoryAtCoordinate(Categories, (M.Vertical() ? Y : X) + Offset);
}

TskButtonItem* GetButtonAt(TskButtonCategories* Categories, int X, int Y, TskButtonCategory* Category, int Width,
                           int Height, int Offset, const TskCategoryButtonsMetrics& M)
{
    if (!Category)
        Category = GetCategoryAt(Categories, X, Y, Width, Height, Offset, M);
    if (!Category || M.ButtonHeight <= 0)
        return nullptr;
    // Content coordinates: the point moved by the scroll offset, the category at its start.
    if (M.Vertical())
        Y += Offset;
    else
        X += Offset;
    const TskCategoryBounds b = GetCategoryBounds(Category, Category->LayoutStart, M);
    const TRect& a = b.Area;
    if (IsRectEmpty(a) || X < a.Left || X > a.Right || Y < a.Top || Y > a.Bottom)
        return nullptr;
    const int row = (Y - a.Top) / M.ButtonHeight;
    int column = 0;
    if (!(M.Vertical() && M.Options.Contains(skboFullSize))) {
        if (M.ButtonWidth <= 0)
            return nullptr;
        column = (X - a.Left) / M.ButtonWidth;
        if (a.Left + (column + 1) * M.ButtonWidth > a.Right)
            return nullptr;
    }
    const int index = row * CategoryColumns(b, M) + column;
    TskButtonCollection* items = Category->Items();
    if (index < 0 || index >= items->Count())
        return nullptr;
    return static_cast<TskButtonItem*>(items->Items(index));
}
