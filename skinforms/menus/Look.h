#pragma once
// What a menu level draws from, looked up afresh for each use: the skin may have changed, or
// gone empty, since the level was shown.
#include "skinforms/menus/Menus.h"

namespace sk {

struct TskSkinPopupWindow::TLook {
    TskSkinData* Data = nullptr;
    // The popup-window description, when the level uses it and its picture exists.
    TskDataSkinPopupWindow* Frame = nullptr;
    cl::TBitmap* WindowPicture = nullptr;
    cl::TBitmap* MaskPicture = nullptr;
    // The menu-item description, only with a frame and only when its picture exists.
    TskDataSkinMenuItem* Item = nullptr;
    cl::TBitmap* ItemPicture = nullptr;
};

}  // namespace sk
