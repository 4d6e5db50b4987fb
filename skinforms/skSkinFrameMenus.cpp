// The menus the frame opens: its system menu and the menus of caption objects.
//
// STUB: the skinned popup menus are not in the library yet. Until they are, nothing opens and
// the object that asked is released at once, as if its menu had closed.
#include "skinforms/skSkinFrame.h"

namespace sk {

void TskSkinFrame::OpenSystemMenu(const TRect&)
{
    SkinMenuClose();
}

void TskSkinFrame::OpenObjectMenu(cl::TMenuItem*, const TRect&)
{
    SkinMenuClose();
}

}  // namespace sk
