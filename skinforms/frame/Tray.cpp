// Minimizing to the tray: the frame's tray menu, and the tray icon it hands the application to
// while the main form is hidden there.
#include "skin/texts/ResourceStrData.h"
#include "skinforms/frame/Frame.h"
#include "skinforms/controls/TrayIcon.h"

namespace sk {

namespace {

cl::TMenuItem* AddTrayItem(cl::TPopupMenu* Menu, const char* Name, cl::TNotifyEvent OnClick)
{
    auto* item = new cl::TMenuItem(Menu);
    item->SetName(Name);
    item->OnClick = std::move(OnClick);
    Menu->Items()->Add(item);
    return item;
}

}  // namespace

void TskSkinFrame::CreateTrayMenu()
{
    trayMenu_ = new TskSkinPopupMenu(this);
    AddTrayItem(trayMenu_, "TRAY_BSF_RESTORE", [this](cl::TObject*) { RestoreFromTray(); });
    auto* line = new cl::TMenuItem(trayMenu_);
    line->SetCaption("-");
    trayMenu_->Items()->Add(line);
    cl::TMenuItem* close = AddTrayItem(trayMenu_, "TRAY_BSF_CLOSE", [this](cl::TObject*) { DoClose(); });
    close->SetShortCut(CloseShortCut());
    UpdateTrayMenuCaptions();
}

// The captions follow the skin's interface texts.
void TskSkinFrame::UpdateTrayMenuCaptions()
{
    if (!trayMenu_)
        return;
    const TskResourceStrData* strings = skinData_ ? skinData_->ResourceStrData() : nullptr;
    trayMenu_->SetSkinData(SkinDataForMenus());
    cl::TMenuItem* items = trayMenu_->Items();
    for (int i = 0; i < items->Count(); ++i) {
        cl::TMenuItem* item = items->Items(i);
        if (item->Name() == "TRAY_BSF_RESTORE")
            item->SetCaption(GetSkinResStr(strings, "MI_RESTORECAPTION"));
        else if (item->Name() == "TRAY_BSF_CLOSE")
            item->SetCaption(GetSkinResStr(strings, "MI_CLOSECAPTION"));
    }
}

void TskSkinFrame::SetTrayIcon(TskTrayIcon* Value)
{
    if (trayIcon_ == Value)
        return;
    if (trayIcon_) {
        // The icon may outlive the frame: it keeps nothing of the frame's.
        if (trayIcon_->PopupMenu() == trayMenu_)
            trayIcon_->SetPopupMenu(nullptr);
        if (trayIcon_->OnDblClick.Object() == this)
            trayIcon_->OnDblClick = nullptr;
    }
    trayIcon_.Set(Value);
    if (!Value)
        return;
    if (!AlwaysShowInTray)
        Value->SetIconVisible(false);
    Value->MinimizeToTray = false;
    if (!Value->PopupMenu()) {
        UpdateTrayMenuCaptions();
        Value->SetPopupMenu(trayMenu_);
        if (!Value->OnDblClick)
            Value->OnDblClick = cl::TNotifyEvent(this, &TskSkinFrame::TrayDblClick);
    }
}

void TskSkinFrame::TrayDblClick(cl::TObject*) { RestoreFromTray(); }

// The icon hides the main form once the application is minimized, and shows itself.
void TskSkinFrame::MinimizeToTray()
{
    if (!trayIcon_)
        return;
    UpdateTrayMenuCaptions();
    trayIcon_->MinimizeToTray = true;
    const cl::TAliveFlag alive = alive_;
    cl::Application->Minimize();
    if (*alive && OnMinimizeToTray)
        OnMinimizeToTray(this);
}

void TskSkinFrame::RestoreFromTray()
{
    if (!trayIcon_)
        return;
    trayIcon_->MinimizeToTray = false;
    trayIcon_->ShowMainForm();
    const cl::TAliveFlag alive = alive_;
    cl::Application->Restore();
    if (!*alive)
        return;
    if (trayIcon_ && !AlwaysShowInTray)
        trayIcon_->SetIconVisible(false);
    if (OnRestoreFromTray)
        OnRestoreFromTray(this);
}

}  // namespace sk
