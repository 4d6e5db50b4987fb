// The action list's image list: apart from the rest of the actions, which also build where the
// platform's drawing (and so the image lists) does not exist.
#include "classlib/menus/ActnList.h"
#include "classlib/graphics/ImgList.h"

namespace cl {

TCustomImageList* TActionList::Images() const { return static_cast<TCustomImageList*>(images_.Get()); }

void TActionList::SetImages(TCustomImageList* Value)
{
    images_.Set(Value);
}

}  // namespace cl
