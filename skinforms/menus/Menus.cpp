#include "skinforms/menus/Menus.h"

#include <algorithm>

#include "skin/drawing/Utils.h"

namespace sk {

using namespace cl;

TskSkinMenuFrameLink* FindSkinMenuFrame(TCustomForm* Form)
{
    if (!Form)
        return nullptr;
    for (int i = 0; i < Form->ComponentCount(); ++i)
        if (auto* link = dynamic_cast<TskSkinMenuFrameLink*>(Form->Components(i)))
            return link;
    return nullptr;
}

bool TskSkinMenuItem::HasChildren() const
{
    return MenuItem && MenuItem->Count() > 0;
}

// ---------------------------------------------------------------------------------------------
// TskSkinMenu

TskSkinMenu::TskSkinMenu(TComponent* AOwner, TCustomForm* AForm) : TComponent(AOwner), forForm_(AForm)
{
    DefMenuItemFont.SetName("Arial");
    DefMenuItemFont.SetHeight(14);
    WaitTimer = new TTimer(this);
    WaitTimer->SetEnabled(false);
    WaitTimer->SetInterval(SubMenuDelay);
    WaitTimer->OnTimer = TNotifyEvent(this, &TskSkinMenu::WaitTimerTick);
    if (forForm_)
        forForm_->FreeNotification(this);
}

TskSkinMenu::~TskSkinMenu()
{
    *alive_ = false;
    // Nobody is told any more: the owner is going.
    OnMenuClose = nullptr;
    popupControl_.Set(nullptr);
    while (!levels_.empty()) {
        levels_.back()->Dismiss();
        levels_.pop_back();
    }
    PopupList.clear();
    closed_.clear();
    UnwatchMenuItems();
    SetNotifyControl(nullptr);
    SetSkinData(nullptr);
}

TskSkinPopupWindow* TskSkinMenu::Levels(int Index) const
{
    return Index >= 0 && Index < LevelCount() ? PopupList[static_cast<std::size_t>(Index)] : nullptr;
}

int TskSkinMenu::IndexOfWindow(const TskSkinPopupWindow* Window) const
{
    const auto it = std::find(PopupList.begin(), PopupList.end(), Window);
    return it == PopupList.end() ? -1 : static_cast<int>(it - PopupList.begin());
}

void TskSkinMenu::SetPopupControl(TControl* Value) { popupControl_.Set(Value); }

void TskSkinMenu::SetNotifyControl(TControl* Value) { notifyControl_.Set(Value); }

void TskSkinMenu::SetSkinData(TskSkinData* Value) { skinData_.Set(Value); }

void TskSkinMenu::WatchMenuItem(TMenuItem* Item)
{
    if (!Item || std::find(watched_.begin(), watched_.end(), Item) != watched_.end())
        return;
    watched_.push_back(Item);
    Item->FreeNotification(this);
}

void TskSkinMenu::UnwatchMenuItems()
{
    for (TMenuItem* item : watched_)
        item->RemoveFreeNotification(this);
    watched_.clear();
}

void TskSkinMenu::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    popupControl_.Forget(AComponent, Operation);
    notifyControl_.Forget(AComponent, Operation);
    if (AComponent == forForm_)
        forForm_ = nullptr;
    if (AComponent == skinData_) {
        // Nothing may draw from a skin that is gone.
        skinData_.Forget(AComponent, Operation);
        CloseMenu(0);
    }
    const auto watched = std::find(watched_.begin(), watched_.end(), AComponent);
    if (watched != watched_.end()) {
        auto* item = static_cast<TMenuItem*>(AComponent);
        watched_.erase(watched);
        for (auto& level : levels_)
            level->ForgetMenuItem(item);
        for (auto& level : closed_)
            level->ForgetMenuItem(item);
    }
}

void TskSkinMenu::FreeClosedLevels()
{
    // A level's own code may still be on the stack (a command that opens another menu).
    if (busy_ == 0)
        closed_.clear();
}

TskSkinPopupWindow* TskSkinMenu::NewLevel()
{
    const bool described = skinData_ && !skinData_->Empty && skinData_->PopupWindow &&
                           skinData_->PopupWindow->WindowPictureIndex != -1;
    levels_.push_back(std::make_unique<TskSkinPopupWindow>(nullptr, this, described));
    PopupList.push_back(levels_.back().get());
    return levels_.back().get();
}

void TskSkinMenu::Popup(TControl* APopupControl, TskSkinData* ASkinData, bool APopupToUp, TMenuItem* AItem,
                        const TRect& R, int StartIndex)
{
    PopupLevel(APopupControl, ASkinData, APopupToUp, AItem, nullptr, R, StartIndex);
}

void TskSkinMenu::Popup2(TControl* APopupControl, TskSkinData* ASkinData, bool APopupToUp, TMenuItem* AItem,
                         TMenuItem* AItem2, const TRect& R, int StartIndex)
{
    PopupLevel(APopupControl, ASkinData, APopupToUp, AItem, AItem2, R, StartIndex);
}

void TskSkinMenu::PopupLevel(TControl* APopupControl, TskSkinData* ASkinData, bool APopupToUp, TMenuItem* AItem,
                             TMenuItem* AItem2, const TRect& R, int StartIndex)
{
    FirstShow = !Visible;
    CloseMenu(0);
    FreeClosedLevels();
    SetPopupControl(APopupControl);
    if (WorkAreaQuery) {
        WorkArea = WorkAreaQuery();
    } else {
        WorkArea = GetDesktopWorkArea(true);
        if (forForm_ && forForm_->HandleAllocated())
            GetMonitorWorkArea(forForm_->Handle(), true, WorkArea);
    }
    SetSkinData(ASkinData);
    const int count = (AItem ? AItem->Count() : 0) + (AItem2 ? AItem2->Count() : 0);
    if (AItem && AItem->Count() > 0 && StartIndex >= 0 && StartIndex < count) {
        Visible = true;
        const auto alive = alive_;
        TskSkinPopupWindow* level = NewLevel();
        if (AItem2)
            level->Show2(R, AItem, AItem2, StartIndex, false, APopupToUp);
        else
            level->Show(R, AItem, StartIndex, false, APopupToUp);
        if (!*alive)
            return;
    }
    FirstShow = false;
}

void TskSkinMenu::OpenSubMenu(TskSkinPopupWindow* Window, TskSkinMenuItem* Item)
{
    if (!Item->MenuItem)
        return;
    TRect r = Item->ObjectRect;
    r = OffsetRect(r, Window->Left(), Window->Top());
    TskSkinPopupWindow* level = NewLevel();
    level->Show(r, Item->MenuItem, 0, true, false);
}

void TskSkinMenu::CloseMenu(int Level)
{
    if (closing_)
        return;
    if (Level < 0)
        Level = 0;
    closing_ = true;
    while (LevelCount() > Level) {
        std::unique_ptr<TskSkinPopupWindow> level = std::move(levels_.back());
        levels_.pop_back();
        PopupList.pop_back();
        if (WaitItem && WaitItem->Parent == level.get()) {
            WaitTimer->SetEnabled(false);
            WaitItem = nullptr;
        }
        TskSkinPopupWindow* dismissed = level.get();
        closed_.push_back(std::move(level));
        const auto alive = alive_;
        dismissed->Dismiss();
        if (!*alive)
            return;
    }
    closing_ = false;
    if (Level > 0)
        return;
    const bool wasVisible = Visible;
    Visible = false;
    WaitTimer->SetEnabled(false);
    WaitItem = nullptr;
    if (!wasVisible && !popupControl_)
        return;
    UnwatchMenuItems();
    SetNotifyControl(popupControl_);
    const auto alive = alive_;
    TControl* control = popupControl_;
    SetPopupControl(nullptr);
    if (control)
        SendToControl(control, WM_SKINMENUCLOSED);
    if (!*alive)
        return;
    if (OnMenuClose) {
        const TNotifyEvent handler = OnMenuClose;
        OnMenuClose = nullptr;
        handler(this);
    }
}

void TskSkinMenu::CloseAll()
{
    if (closing_)
        return;
    const auto alive = alive_;
    CloseMenu(0);
    if (!*alive)
        return;
    WaitTimer->SetEnabled(false);
    WaitItem = nullptr;
    if (forForm_ && forForm_->HandleAllocated())
        SendMessageA(forForm_->Handle(), WM_SKINMENUCLOSED, 0, 0);
}

void TskSkinMenu::SendToControl(TControl* Control, UINT Msg)
{
    auto* windowed = dynamic_cast<TWinControl*>(Control);
    if (windowed && windowed->HandleAllocated())
        SendMessageA(windowed->Handle(), Msg, 0, 0);
    else
        Control->Perform(Msg, 0, 0);
}

void TskSkinMenu::CheckItem(TskSkinPopupWindow* Window, TskSkinMenuItem* Item, bool ByKeyboard, bool Click)
{
    if (!Item || !Item->MenuItem)
        return;
    const int level = IndexOfWindow(Window);
    if (level < 0)
        return;
    const auto alive = alive_;
    if (!Item->HasChildren()) {
        WaitTimer->SetEnabled(false);
        WaitItem = nullptr;
        if (!Click) {
            CloseMenu(level + 1);
            return;
        }
        // Everything the command needs is read now: closing and the command may free the
        // windows, the item, this menu and the form.
        TMenu* menu = Item->MenuItem->GetParentMenu();
        TMenuItem* menuItem = Item->MenuItem;
        const unsigned command = menuItem->Command();
        CloseAll();
        if (!*alive)
            return;
        if (menu) {
            menu->DispatchCommand(command);
        } else {
            // An item outside any menu still runs its own handler.
            menuItem->Click();
        }
        if (!*alive)
            return;
        if (TControl* control = notifyControl_) {
            SetNotifyControl(nullptr);
            SendToControl(control, WM_SKINMENUITEMCLICK);
        }
        return;
    }
    if (!Click) {
        if (ByKeyboard)
            return;
        WaitTimer->SetEnabled(false);
        CloseMenu(level + 1);
        WaitItem = Item;
        WaitTimer->SetEnabled(true);
        return;
    }
    if (TMenu* menu = Item->MenuItem->GetParentMenu())
        menu->DispatchCommand(Item->MenuItem->Command());
    else
        Item->MenuItem->Click();
    // The parent's own handler may have closed this level or freed the menu.
    if (!*alive || IndexOfWindow(Window) != level || !Item->MenuItem)
        return;
    WaitTimer->SetEnabled(false);
    WaitItem = nullptr;
    CloseMenu(level + 1);
    Item->Down = true;
    Window->RedrawItem(Item);
    OpenSubMenu(Window, Item);
}

void TskSkinMenu::WaitTimerTick(TObject*)
{
    const TEntry entry(this);
    WaitTimer->SetEnabled(false);
    TskSkinMenuItem* item = WaitItem;
    if (!item || IndexOfWindow(item->Parent) < 0)
        return;
    CheckItem(item->Parent, item, false, true);
}

void TskSkinMenu::ProcessKey(WORD Key)
{
    const TEntry entry(this);
    if (TskSkinPopupWindow* last = Levels(LevelCount() - 1))
        last->ProcessKey(Key);
}

// ---------------------------------------------------------------------------------------------
// TskSkinPopupMenu

TskSkinPopupMenu::TskSkinPopupMenu(TComponent* AOwner) : TPopupMenu(AOwner)
{
    popupPoint_ = {-1, -1};
}

TskSkinPopupMenu::~TskSkinPopupMenu()
{
    *alive_ = false;
    SetSkinData(nullptr);
    SetComponentForm(nullptr);
}

void TskSkinPopupMenu::SetSkinData(TskSkinData* Value) { skinData_.Set(Value); }

void TskSkinPopupMenu::SetComponentForm(TCustomForm* Value) { componentForm_.Set(Value); }

void TskSkinPopupMenu::Notification(TComponent* AComponent, TOperation Operation)
{
    TPopupMenu::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    skinData_.Forget(AComponent, Operation);
    componentForm_.Forget(AComponent, Operation);
}

TskSkinMenuFrameLink* TskSkinPopupMenu::FindFrame()
{
    TCustomForm* form = componentForm_;
    if (!form)
        form = dynamic_cast<TCustomForm*>(Owner());
    if (!form && Owner())
        form = dynamic_cast<TCustomForm*>(Owner()->Owner());
    TskSkinMenuFrameLink* frame = FindSkinMenuFrame(form);
    // An MDI child's menus open through the main form's frame.
    if (frame && form->FormStyle() == fsMDIChild && Application && Application->MainForm())
        frame = FindSkinMenuFrame(Application->MainForm());
    return frame;
}

void TskSkinPopupMenu::ShowMenu(TControl* AControl, const TRect& R, bool APopupToUp, bool NeedsSkin)
{
    const auto alive = alive_;
    DoPopup(this);
    if (!*alive)
        return;
    TskSkinMenuFrameLink* frame = FindFrame();
    if (frame && !skinData_)
        SetSkinData(frame->SkinDataForMenus());
    if (!frame || !frame->SkinMenu() || (NeedsSkin && !skinData_))
        return;
    TskSkinMenu* menu = frame->SkinMenu();
    if (menu->Visible)
        frame->SkinMenuClose();
    frame->SkinMenuOpen();
    popupPoint_ = R.TopLeft();
    menu->Popup(AControl, skinData_, APopupToUp, Items(), R, 0);
    if (!*alive)
        return;
    if (OnMenuClose && menu->Visible)
        menu->OnMenuClose = OnMenuClose;
}

void TskSkinPopupMenu::Popup(int X, int Y)
{
    ShowMenu(nullptr, {X, Y, X, Y}, false, false);
}

void TskSkinPopupMenu::PopupFromRect(const TRect& R, bool APopupToUp)
{
    ShowMenu(nullptr, R, APopupToUp, false);
}

void TskSkinPopupMenu::PopupForControl(TControl* AControl, int X, int Y)
{
    ShowMenu(AControl, {X, Y, X, Y}, false, true);
}

}  // namespace sk
