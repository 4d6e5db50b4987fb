// The edits' skinned context menu: Undo, Cut, Copy, Paste, Delete and Select All, each enabled
// as the edit's state allows, with the skin's interface texts or the built-in ones.
#include "classlib/stdctrls/Clipbrd.h"
#include "classlib/controls/Forms.h"
#include "skin/texts/ResourceStrData.h"
#include "skin/texts/Consts.h"
#include "skinforms/controls/Edit.h"
#include "skinforms/menus/Menus.h"

namespace sk {

using namespace cl;

namespace {

std::string EditText(TskSkinData* Data, const char* Key, int Id)
{
    if (Data && Data->ResourceStrData())
        return Data->ResourceStrData()->GetResStr(Key);
    return LoadSkinStr(Id);
}

}  // namespace

TPopupMenu* TskCustomEdit::ContextMenu() const { return menu_; }

void TskCustomEdit::FreeContextMenu()
{
    TPopupMenu* menu = menu_;
    menu_ = nullptr;
    if (menu)
        menu->Free();
}

void TskCustomEdit::CreateSkinPopupMenu()
{
    FreeContextMenu();
    auto* menu = new TskSkinPopupMenu(this);
    menu_ = menu;
    TCustomForm* form = GetParentForm(this);
    if (form && form->FormStyle() == fsMDIChild && Application && Application->MainForm())
        form = Application->MainForm();
    menu->SetComponentForm(form);
    TskSkinData* data = MenuSkinData();

    const int length = static_cast<int>(Text().size());
    const bool selection = SelLength() > 0;
    const bool all = SelStart() == 0 && SelLength() == length;
    bool clipboardText = false;
    try {
        clipboardText = Clipboard()->HasText();
    } catch (const EClipboardException&) {
    }
    auto add = [&](const char* Key, int Id, bool Enabled, void (TskCustomEdit::*Action)()) {
        auto* item = new TMenuItem(menu);
        if (Key) {
            item->SetCaption(EditText(data, Key, Id));
            item->SetEnabled(Enabled);
            item->OnClick = [this, Action](TObject*) { (this->*Action)(); };
        } else {
            item->SetCaption("-");
        }
        menu->Items()->Add(item);
    };
    add("EDIT_UNDO", SK_EDIT_UNDO, CanUndo(), &TskCustomEdit::Undo);
    add(nullptr, 0, false, nullptr);
    add("EDIT_CUT", SK_EDIT_CUT, selection && !readOnly_, &TskCustomEdit::CutToClipboard);
    add("EDIT_COPY", SK_EDIT_COPY, selection, &TskCustomEdit::CopyToClipboard);
    add("EDIT_PASTE", SK_EDIT_PASTE, clipboardText && !readOnly_, &TskCustomEdit::PasteFromClipboard);
    add("EDIT_DELETE", SK_EDIT_DELETE, selection && !readOnly_, &TskCustomEdit::ClearSelection);
    add(nullptr, 0, false, nullptr);
    add("EDIT_SELECTALL", SK_EDIT_SELECTALL, !all, &TskCustomEdit::SelectAll);
    menu->PopupForControl(this, contextMenuPoint_.X, contextMenuPoint_.Y);
}

}  // namespace sk
