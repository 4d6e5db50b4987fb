// The menus the frame opens: its system menu and the menus of caption objects, shown by its
// skinned menu.
#include "skin/skResourceStrData.h"
#include "skinforms/skSkinFrame.h"

namespace sk {

namespace {

cl::TMenuItem* AddItem(cl::TPopupMenu* Menu, const char* Name, const std::string& Caption, cl::TNotifyEvent OnClick)
{
    auto* item = new cl::TMenuItem(Menu);
    item->SetName(Name);
    item->SetCaption(Caption);
    item->OnClick = std::move(OnClick);
    Menu->Items()->Add(item);
    return item;
}

}  // namespace

// Rebuilt every time it is shown, with the commands the window's state allows.
void TskSkinFrame::BuildDefaultSystemMenu()
{
    if (!defaultSystemMenu_)
        return;
    defaultSystemMenu_->Items()->Clear();
    const TskResourceStrData* strings = skinData_ ? skinData_->ResourceStrData() : nullptr;
    auto text = [strings](const char* Key) { return GetSkinResStr(strings, Key); };
    bool any = false;
    if (WindowState != fwsMinimized && borderIcons_.Contains(biMinimize)) {
        AddItem(defaultSystemMenu_, "BSF_MINITEM", text("MI_MINCAPTION"), [this](cl::TObject*) { DoMinimize(); });
        any = true;
    }
    if (WindowState != fwsMaximized && borderIcons_.Contains(biMaximize)) {
        AddItem(defaultSystemMenu_, "BSF_MAXITEM", text("MI_MAXCAPTION"), [this](cl::TObject*) { DoMaximize(); });
        any = true;
    }
    if (WindowState != fwsNormal || RolledUp) {
        AddItem(defaultSystemMenu_, "BSF_RESTORE", text("MI_RESTORECAPTION"), [this](cl::TObject*) {
            if (RolledUp)
                DoRollUp();
            else if (WindowState == fwsMaximized)
                DoMaximize();
            else if (form_->HandleAllocated())
                ShowWindow(form_->Handle(), SW_RESTORE);
        });
        any = true;
    }
    if (!RolledUp && WindowState != fwsMinimized && borderIcons_.Contains(biRollUp)) {
        AddItem(defaultSystemMenu_, "BSF_ROLLUP", text("MI_ROLLUPCAPTION"), [this](cl::TObject*) { DoRollUp(); });
        any = true;
    }
    if (borderIcons_.Contains(biMinimizeToTray)) {
        AddItem(defaultSystemMenu_, "BSF_MINTOTRAY", text("MI_MINTOTRAYCAPTION"),
                [this](cl::TObject*) { DoMinimizeToTray(); });
        any = true;
    }
    if (any) {
        auto* line = new cl::TMenuItem(defaultSystemMenu_);
        line->SetCaption("-");
        defaultSystemMenu_->Items()->Add(line);
    }
    cl::TMenuItem* close =
        AddItem(defaultSystemMenu_, "BSF_CLOSE", text("MI_CLOSECAPTION"), [this](cl::TObject*) { DoClose(); });
    close->SetShortCut(cl::ShortCut(VK_F4, cl::scAlt));
}

void TskSkinFrame::OpenSystemMenu(const TRect& R)
{
    cl::TPopupMenu* menu = SystemMenu;
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
