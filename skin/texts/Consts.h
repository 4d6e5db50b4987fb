#pragma once
// The built-in interface texts: what the skinned windows, menus, edits and message boxes show
// when their skin data has no interface-string table attached. Each text is the one its key's
// default line carries in TskResourceStrData, under the identifier the program's string table
// gives it.
#include <string>
#include <string_view>

namespace sk {

enum TskBuiltInTextId : int {
    SK_MSG_CAP_CONFIRM = 65200,
    SK_MSG_CAP_SHOWFLAG = 65201,
    SK_MSG_BTN_YES = 65216,
    SK_MSG_BTN_NO,
    SK_MSG_BTN_OK,
    SK_MSG_BTN_CANCEL,
    SK_MSG_BTN_ABORT,
    SK_MSG_BTN_RETRY,
    SK_MSG_BTN_IGNORE,
    SK_MSG_BTN_ALL,
    SK_MSG_BTN_NOTOALL,
    SK_MSG_BTN_YESTOALL,
    SK_MSG_BTN_HELP,
    SK_MSG_PREVIEWSKIN = 65227,
    SK_MSG_PREVIEWBUTTON,
    SK_MSG_CAP_WARNING,
    SK_MSG_CAP_ERROR,
    SK_MSG_CAP_INFORMATION,
    SK_MI_CLOSECAPTION = 65232,
    SK_MI_RESTORECAPTION,
    SK_MI_MINTOTRAYCAPTION,
    SK_MI_ROLLUPCAPTION,
    SK_MINBUTTON_HINT,
    SK_MAXBUTTON_HINT,
    SK_CLOSEBUTTON_HINT,
    SK_TRAYBUTTON_HINT,
    SK_ROLLUPBUTTON_HINT,
    SK_MENUBUTTON_HINT,
    SK_EDIT_UNDO = 65242,
    SK_EDIT_COPY,
    SK_EDIT_CUT,
    SK_EDIT_PASTE,
    SK_EDIT_DELETE,
    SK_EDIT_SELECTALL,
    SK_MI_MINCAPTION = 65262,
    SK_MI_MAXCAPTION = 65263,
};

// One built-in text: its identifier, the key of its default line and the text.
struct TskBuiltInText {
    int Id;
    const char* Key;
    const char* Text;
};

constexpr int BuiltInTextCount = 36;
// All of them, in the order of their keys' default lines.
const TskBuiltInText* BuiltInTexts();

// The text of identifier Id; "" for an identifier that is none of the built-in texts.
std::string LoadSkinStr(int Id);
// The built-in text standing for Key (exact key, as the users name it); "" for a key that has
// no built-in text.
std::string BuiltInText(std::string_view Key);

}  // namespace sk
