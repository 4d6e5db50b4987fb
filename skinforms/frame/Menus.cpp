// The menus the frame opens: its system menu and the menus of caption objects, shown by its
// skinned menu.
#include <algorithm>
#include <iterator>

#include "skin/texts/ResourceStrData.h"
#include "skinforms/frame/Frame.h"

namespace sk {

bool TskSkinFrame::SystemMenuOffers(const char* Name) const
{
    const std::string name = Name;
    if (name == "BSF_MINITEM")
        return WindowState != fwsMinimized && borderIcons_.Contains(biMinimize);
    if (name == "BSF_MAXITEM")
        return WindowState != fwsMaximized && borderIcons_.Contains(biMaximize);
    if (name == "BSF_RESTORE")
        return WindowState != fwsNormal || RolledUp;
    if (name == "BSF_ROLLUP")
        return !RolledUp && WindowState != fwsMinimized && borderIcons_.Contains(biRollUp) &&
               !(form_->FormStyle() == cl::fsMDIChild && WindowState == fwsMaximized);
    if (name == "BSF_MINTOTRAY")
        return borderIcons_.Contains(biMinimizeToTray);
    return name == "BSF_CLOSE";
}

// The platform's keys for closing: an MDI child closes with Ctrl+F4, Alt+F4 would close the
// whole main form.
cl::TShortCut TskSkinFrame::CloseShortCut() const
{
    return cl::ShortCut(VK_F4, form_->FormStyle() == cl::fsMDIChild ? cl::scCtrl : cl::scAlt);
}

cl::TMenuItem* TskSkinFrame::MakeSystemMenuItem(cl::TPopupMenu* Menu, const char* Name)
{
    const TskResourceStrData* strings = skinData_ ? skinData_->ResourceStrData() : nullptr;
    auto* item = new cl::TMenuItem(Menu);
    item->SetName(Name);
    const std::string name = Name;
    if (name == "BSF_MINITEM") {
        item->SetCaption(GetSkinResStr(strings, "MI_MINCAPTION"));
        item->OnClick = [this](cl::TObject*) { DoMinimize(); };
    } else if (name == "BSF_MAXITEM") {
        item->SetCaption(GetSkinResStr(strings, "MI_MAXCAPTION"));
        item->OnClick = [this](cl::TObject*) { SetWindowState(fwsMaximized); };
    } else if (name == "BSF_RESTORE") {
        item->SetCaption(GetSkinResStr(strings, "MI_RESTORECAPTION"));
        item->OnClick = [this](cl::TObject*) { DoRestore(); };
    } else if (name == "BSF_ROLLUP") {
        item->SetCaption(GetSkinResStr(strings, "MI_ROLLUPCAPTION"));
        item->OnClick = [this](cl::TObject*) { RollUp(true); };
    } else if (name == "BSF_MINTOTRAY") {
        item->SetCaption(GetSkinResStr(strings, "MI_MINTOTRAYCAPTION"));
        item->OnClick = [this](cl::TObject*) { MinimizeToTray(); };
    } else {
        item->SetCaption(GetSkinResStr(strings, "MI_CLOSECAPTION"));
        item->OnClick = [this](cl::TObject*) { DoClose(); };
        item->SetShortCut(CloseShortCut());
    }
    return item;
}

// Rebuilt every time it is shown, with the commands the window's state allows.
void TskSkinFrame::BuildDefaultSystemMenu()
{
    if (!defaultSystemMenu_)
        return;
    cl::TMenuItem* root = defaultSystemMenu_->Items();
    root->Clear();
    for (const char* name : {"BSF_MINITEM", "BSF_MAXITEM", "BSF_RESTORE", "BSF_ROLLUP", "BSF_MINTOTRAY"})
        if (SystemMenuOffers(name))
            root->Add(MakeSystemMenuItem(defaultSystemMenu_, name));
    if (root->Count() > 0) {
        auto* line = new cl::TMenuItem(defaultSystemMenu_);
        line->SetCaption("-");
        root->Add(line);
    }
    root->Add(MakeSystemMenuItem(defaultSystemMenu_, "BSF_CLOSE"));
}

// The user's items between the window commands and close, made afresh from the state.
void TskSkinFrame::MergeSystemMenu(cl::TPopupMenu* Menu)
{
    static const char* const ours[] = {"BSF_MINITEM", "BSF_MAXITEM",   "BSF_RESTORE",      "BSF_ROLLUP",
                                       "BSF_MINTOTRAY", "BSF_CLOSE", "TRAY_BSF_RESTORE", "TRAY_BSF_CLOSE"};
    cl::TMenuItem* root = Menu->Items();
    for (int i = root->Count() - 1; i >= 0; --i) {
        cl::TMenuItem* item = root->Items(i);
        if (std::find(std::begin(ours), std::end(ours), item->Name()) != std::end(ours)) {
            root->Delete(i);
            item->Free();
        }
    }
    // Each goes to the top: the last inserted reads first.
    for (const char* name : {"BSF_MINTOTRAY", "BSF_ROLLUP", "BSF_MAXITEM", "BSF_RESTORE", "BSF_MINITEM"})
        if (SystemMenuOffers(name))
            root->Insert(0, MakeSystemMenuItem(Menu, name));
    root->Add(MakeSystemMenuItem(Menu, "BSF_CLOSE"));
}

void TskSkinFrame::OpenSystemMenu(const TRect& R)
{
    cl::TPopupMenu* menu = SystemMenu;
    if (menu && UseDefaultSysMenu)
        MergeSystemMenu(menu);
    if (!menu) {
        BuildDefaultSystemMenu();
        menu = defaultSystemMenu_;
    }
    if (!menu || !skinMenu_) {
        SkinMenuClose();
        return;
    }
    const cl::TAliveFlag alive = alive_;
    CloseSkinMenu();
    if (!*alive)
        return;
    SkinMenuOpen();
    skinMenu_->Popup(nullptr, SkinDataForMenus(), false, menu->Items(), R, 0);
    // Nothing to show: the object that asked is released at once.
    if (*alive && skinMenu_ && !skinMenu_->Visible)
        SkinMenuClose();
}

void TskSkinFrame::OpenObjectMenu(cl::TMenuItem* Item, const TRect& R)
{
    const cl::TAliveFlag alive = alive_;
    if (auto* popup = dynamic_cast<TskSkinPopupMenu*>(Item->GetParentMenu())) {
        popup->PopupFromRect(R, false);
        if (*alive && skinMenu_ && !skinMenu_->Visible)
            SkinMenuClose();
        return;
    }
    if (!skinMenu_) {
        SkinMenuClose();
        return;
    }
    CloseSkinMenu();
    if (!*alive)
        return;
    SkinMenuOpen();
    skinMenu_->Popup(nullptr, SkinDataForMenus(), false, Item, R, 0);
    if (*alive && skinMenu_ && !skinMenu_->Visible)
        SkinMenuClose();
}

}  // namespace sk
