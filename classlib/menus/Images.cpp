// The menu's image list: apart from the rest of the menu unit, which also builds where the
// platform's drawing (and so the image lists) does not exist.
#include "classlib/graphics/ImgList.h"
#include "classlib/menus/Menus.h"

namespace cl {

TCustomImageList* TMenu::Images() const { return static_cast<TCustomImageList*>(images_.Get()); }

void TMenu::SetImages(TCustomImageList* Value)
{
    images_.Set(Value);
    MenuChanged(nullptr, true);
}

}  // namespace cl
