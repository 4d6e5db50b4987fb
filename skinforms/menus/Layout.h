#pragma once
// The arithmetic of a popup-menu level, kept apart from its window so it can be checked without
// one: the window's size from its rows, where the rows lie, where the window goes on the screen,
// and which row the arrow keys move to.
//
// Integer halves truncate toward zero, as the skins' layouts were designed against.
#include <vector>

#include "classlib/system/Types.h"

namespace sk {

using cl::TPoint;
using cl::TRect;

// Timings of the menus, in milliseconds.
constexpr unsigned MenuTrackInterval = 50;
constexpr unsigned MenuAnimInterval = 20;
constexpr unsigned SubMenuDelay = 500;
constexpr unsigned MenuScrollInterval = 100;
// The window timer that scrolls a level while the mouse rests on a scroll marker.
constexpr unsigned MenuScrollTimerId = 1;
// Height of each scroll marker, and the room it takes from the rows.
constexpr int MenuScrollMarkerHeight = 10;
// Default-look metrics.
constexpr int MenuSeparatorHeight = 4;
constexpr int MenuNoImagesStripWidth = 19;
constexpr int MenuFrameWidth = 2;

// What sizing needs of the skin: the popup-window frame (its items rectangle in the picture and
// the picture's size) and the menu-item description (its text rectangle and normal area).
struct TskMenuLook {
    bool SkinnedFrame = false;
    TRect FrameItemsRect;
    int PictureWidth = 0;
    int PictureHeight = 0;
    bool SkinnedItems = false;
    TRect TextRect;
    TRect SkinRect;
};

struct TskMenuSizeInput {
    std::vector<int> RowHeights;
    // The widest caption (with its shortcut) as measured, already plus 2.
    int TextWidth = 0;
    int ImageStripWidth = MenuNoImagesStripWidth;
    // The height of a normal row: DefMenuItemHeight, or the item description's skin area.
    int RowHeight = 20;
    int MaxItems = 0;
    int WorkAreaHeight = 0;
};

struct TskMenuSize {
    int Width = 0;
    int Height = 0;
    bool Scroll = false;
    bool ScrollByMax = false;
};

TskMenuSize MeasureMenu(const TskMenuLook& Look, const TskMenuSizeInput& Input);

// The area the rows fill in a window of W by H.
TRect MenuItemsRect(const TskMenuLook& Look, int W, int H);

// Rows laid out from TopIndex down ItemsRect (less a marker's height at each end when
// scrolling). Shown[i] tells whether row i is on view; Rects[i] is meaningful where it is, and
// also for the first row that no longer fitted.
struct TskMenuRows {
    std::vector<TRect> Rects;
    std::vector<bool> Shown;
    int VisibleCount = 0;
};
TskMenuRows ArrangeMenuRows(const std::vector<int>& RowHeights, int TopIndex, const TRect& ItemsRect, bool Scroll);

// Where a level of W by H goes. R: the point (as an empty rectangle) or the rectangle it opens
// beside; WA: the work area. Flipped comes back true when the level had to be placed on the
// other side of R than asked.
struct TskMenuPlacement {
    bool SubMenu = false;
    bool PopupToUp = false;
    bool Scroll = false;
    bool ScrollByMax = false;
    int ItemsTop = MenuFrameWidth;
};
TPoint PlaceMenu(const TRect& R, const TRect& WA, int W, int H, const TskMenuPlacement& How, bool* Flipped = nullptr);

// The row the down (Forward) or up arrow selects after Active (-1 for none), among rows for
// which Selectable holds; -1 when no row is selectable. Every row is looked at once at most.
int NextMenuRow(const std::vector<bool>& Selectable, int Active, bool Forward);

// The first row of the last page: the largest tail of rows whose heights fit into Space.
int LastMenuPageTop(const std::vector<int>& RowHeights, int Space);

}  // namespace sk
