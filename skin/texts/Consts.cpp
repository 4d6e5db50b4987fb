#include "skin/texts/Consts.h"

namespace sk {

namespace {

const TskBuiltInText Texts[BuiltInTextCount] = {
    {SK_MI_MINCAPTION, "MI_MINCAPTION", "Mi&nimize"},
    {SK_MI_MAXCAPTION, "MI_MAXCAPTION", "Ma&ximize"},
    {SK_MI_CLOSECAPTION, "MI_CLOSECAPTION", "&Close"},
    {SK_MI_RESTORECAPTION, "MI_RESTORECAPTION", "&Restore"},
    {SK_MI_MINTOTRAYCAPTION, "MI_MINTOTRAYCAPTION", "Minimize to &Tray"},
    {SK_MI_ROLLUPCAPTION, "MI_ROLLUPCAPTION", "Ro&llUp"},
    {SK_MINBUTTON_HINT, "MINBUTTON_HINT", "Minimize"},
    {SK_MAXBUTTON_HINT, "MAXBUTTON_HINT", "Maximize"},
    {SK_CLOSEBUTTON_HINT, "CLOSEBUTTON_HINT", "Close"},
    {SK_TRAYBUTTON_HINT, "TRAYBUTTON_HINT", "Minimize to Tray"},
    {SK_ROLLUPBUTTON_HINT, "ROLLUPBUTTON_HINT", "Roll Up"},
    {SK_MENUBUTTON_HINT, "MENUBUTTON_HINT", "System menu"},
    {SK_EDIT_UNDO, "EDIT_UNDO", "Undo"},
    {SK_EDIT_COPY, "EDIT_COPY", "Copy"},
    {SK_EDIT_CUT, "EDIT_CUT", "Cut"},
    {SK_EDIT_PASTE, "EDIT_PASTE", "Paste"},
    {SK_EDIT_DELETE, "EDIT_DELETE", "Delete"},
    {SK_EDIT_SELECTALL, "EDIT_SELECTALL", "Select All"},
    {SK_MSG_BTN_YES, "MSG_BTN_YES", "&Yes"},
    {SK_MSG_BTN_NO, "MSG_BTN_NO", "&No"},
    {SK_MSG_BTN_OK, "MSG_BTN_OK", "OK"},
    {SK_MSG_BTN_CANCEL, "MSG_BTN_CANCEL", "Cancel"},
    {SK_MSG_BTN_ABORT, "MSG_BTN_ABORT", "&Abort"},
    {SK_MSG_BTN_RETRY, "MSG_BTN_RETRY", "&Retry"},
    {SK_MSG_BTN_IGNORE, "MSG_BTN_IGNORE", "&Ignore"},
    {SK_MSG_BTN_ALL, "MSG_BTN_ALL", "&All"},
    {SK_MSG_BTN_NOTOALL, "MSG_BTN_NOTOALL", "N&oToAll"},
    {SK_MSG_BTN_YESTOALL, "MSG_BTN_YESTOALL", "&YesToAll"},
    {SK_MSG_BTN_HELP, "MSG_BTN_HELP", "&Help"},
    {SK_MSG_PREVIEWSKIN, "MSG_PREVIEWSKIN", "Preview"},
    {SK_MSG_PREVIEWBUTTON, "MSG_PREVIEWBUTTON", "Button"},
    {SK_MSG_CAP_WARNING, "MSG_CAP_WARNING", "Warning"},
    {SK_MSG_CAP_ERROR, "MSG_CAP_ERROR", "Error"},
    {SK_MSG_CAP_INFORMATION, "MSG_CAP_INFORMATION", "Information"},
    {SK_MSG_CAP_CONFIRM, "MSG_CAP_CONFIRM", "Confirm"},
    {SK_MSG_CAP_SHOWFLAG, "MSG_CAP_SHOWFLAG", "Do not display this message again"},
};

}  // namespace

const TskBuiltInText* BuiltInTexts()
{
    return Texts;
}

std::string LoadSkinStr(int Id)
{
    for (const TskBuiltInText& t : Texts)
        if (t.Id == Id)
            return t.Text;
    return {};
}

std::string BuiltInText(std::string_view Key)
{
    for (const TskBuiltInText& t : Texts)
        if (Key == t.Key)
            return t.Text;
    return {};
}

}  // namespace sk
