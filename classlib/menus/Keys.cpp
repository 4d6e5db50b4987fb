// Key messages as menu shortcuts: the modifier keys are read as they are held now, except Alt,
// which the key message itself carries.
#include "classlib/menus/Menus.h"

namespace cl {

namespace {
constexpr LPARAM AltDownFlag = 0x20000000;
}

bool TMenu::IsShortCut(const TMessage& Message)
{
    TShortCut modifiers = scNone;
    if (GetKeyState(VK_SHIFT) < 0)
        modifiers |= scShift;
    if (GetKeyState(VK_CONTROL) < 0)
        modifiers |= scCtrl;
    if (Message.LParam & AltDownFlag)
        modifiers |= scAlt;
    return IsShortCut(ShortCut(static_cast<unsigned>(Message.WParam & 0xFF), modifiers));
}

}  // namespace cl
