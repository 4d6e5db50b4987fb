#include "skinforms/menus/Layout.h"

#include <numeric>

namespace sk {

namespace {

// What the frame adds around the rows, left + right and top + bottom.
int FrameExtraWidth(const TskMenuLook& Look)
{
    if (!Look.SkinnedFrame)
        return 2 * MenuFrameWidth;
    return Look.FrameItemsRect.Left + (Look.PictureWidth - Look.FrameItemsRect.Right);
}

int FrameExtraHeight(const TskMenuLook& Look)
{
    if (!Look.SkinnedFrame)
        return 2 * MenuFrameWidth;
    return Look.FrameItemsRect.Top + (Look.PictureHeight - Look.FrameItemsRect.Bottom);
}

// What a row adds around its text, beyond the caption's 19 pixels and the image stripe.
int RowExtraWidth(const TskMenuLook& Look)
{
    if (!Look.SkinnedItems)
        return 6;
    return Look.TextRect.Left + (Look.SkinRect.Width() - Look.TextRect.Right);
}

}  // namespace

TskMenuSize MeasureMenu(const TskMenuLook& Look, const TskMenuSizeInput& Input)
{
    TskMenuSize size;
    size.Width = Input.TextWidth + 19 + Input.ImageStripWidth + RowExtraWidth(Look) + FrameExtraWidth(Look);
    const int rows = std::accumulate(Input.RowHeights.begin(), Input.RowHeights.end(), 0);
    size.Height = rows + FrameExtraHeight(Look);
    const int count = static_cast<int>(Input.RowHeights.size());
    if (Input.MaxItems > 0 && Input.MaxItems < count) {
        size.Height = Input.MaxItems * Input.RowHeight + 2 * MenuScrollMarkerHeight + FrameExtraHeight(Look);
        size.Scroll = true;
        size.ScrollByMax = true;
    }
    if (Input.WorkAreaHeight > 0 && size.Height > Input.WorkAreaHeight) {
        size.Height = Input.WorkAreaHeight;
        size.Scroll = true;
    }
    return size;
}

TRect MenuItemsRect(const TskMenuLook& Look, int W, int H)
{
    if (!Look.SkinnedFrame)
        return {MenuFrameWidth, MenuFrameWidth, W - MenuFrameWidth, H - MenuFrameWidth};
    const TRect& r = Look.FrameItemsRect;
    return {r.Left, r.Top, W - (Look.PictureWidth - r.Right), H - (Look.PictureHeight - r.Bottom)};
}

TskMenuRows ArrangeMenuRows(const std::vector<int>& RowHeights, int TopIndex, const TRect& ItemsRect, bool Scroll)
{
    TskMenuRows rows;
    const int count = static_cast<int>(RowHeights.size());
    rows.Rects.assign(count, TRect{});
    rows.Shown.assign(count, false);
    int y = ItemsRect.Top;
    int bottom = ItemsRect.Bottom;
    if (Scroll) {
        y += MenuScrollMarkerHeight;
        bottom -= MenuScrollMarkerHeight;
    }
    for (int i = TopIndex < 0 ? 0 : TopIndex; i < count; ++i) {
        const int h = RowHeights[i];
        rows.Rects[i] = {ItemsRect.Left, y, ItemsRect.Right, y + h};
        if (y + h > bottom)
            break;
        rows.Shown[i] = true;
        ++rows.VisibleCount;
        y += h;
    }
    return rows;
}

TPoint PlaceMenu(const TRect& R, const TRect& WA, int W, int H, const TskMenuPlacement& How, bool* Flipped)
{
    bool flipped = false;
    const int middle = WA.Top + WA.Height() / 2;
    const bool screenScroll = How.Scroll && !How.ScrollByMax;
    int y;
    if (screenScroll) {
        y = WA.Top;
    } else if (How.SubMenu) {
        if (R.Top - How.ItemsTop + H <= WA.Bottom)
            y = R.Top - How.ItemsTop;
        else if (R.Top < middle)
            y = WA.Bottom - H;
        else if (R.Bottom - H + How.ItemsTop >= WA.Top)
            y = R.Bottom - H + How.ItemsTop;
        else
            y = WA.Top;
    } else if (How.PopupToUp) {
        if (R.Top - H >= WA.Top) {
            y = R.Top - H;
        } else if (R.Top >= middle) {
            y = WA.Top;
            flipped = true;
        } else if (R.Bottom + H <= WA.Bottom) {
            y = R.Bottom;
        } else {
            y = WA.Bottom - H;
            flipped = true;
        }
    } else {
        if (R.Bottom + H <= WA.Bottom) {
            y = R.Bottom;
        } else if (R.Top < middle) {
            y = WA.Bottom - H;
            flipped = true;
        } else if (R.Top - H >= WA.Top) {
            y = R.Top - H;
        } else {
            y = WA.Top;
            flipped = true;
        }
    }
    int x;
    if (How.SubMenu || screenScroll || flipped) {
        x = R.Right + 1 + W <= WA.Right ? R.Right + 1 : R.Left - W - 1;
    } else if (R.Left + W > WA.Right) {
        x = WA.Right - W;
    } else {
        x = R.Left >= WA.Left ? R.Left : WA.Left;
    }
    if (Flipped)
        *Flipped = flipped;
    return {x, y};
}

int NextMenuRow(const std::vector<bool>& Selectable, int Active, bool Forward)
{
    const int count = static_cast<int>(Selectable.size());
    if (count == 0)
        return -1;
    int i = Active;
    if (i < 0 || i >= count)
        i = Forward ? -1 : count;
    for (int step = 0; step < count; ++step) {
        i = Forward ? (i + 1) % count : (i - 1 + count) % count;
        if (Selectable[i])
            return i;
    }
    return -1;
}

int LastMenuPageTop(const std::vector<int>& RowHeights, int Space)
{
    int top = static_cast<int>(RowHeights.size());
    int used = 0;
    while (top > 0 && used + RowHeights[top - 1] <= Space) {
        used += RowHeights[top - 1];
        --top;
    }
    // A single row taller than the space still makes a page.
    if (top == static_cast<int>(RowHeights.size()) && top > 0)
        --top;
    return top;
}

}  // namespace sk
