// The frame's side of the main menu bar: keyboard mode (Alt, F10), the keys it routes to the
// bar while a menu of the bar is open, and the bar's accelerators and shortcuts.
#include "skinforms/frame/Frame.h"
#include "skinforms/menubar/MainMenuBar.h"

namespace sk {

void TskSkinFrame::SetMainMenuBar(TskSkinMainMenuBar* Value)
{
    if (mainMenuBar_ == Value)
        return;
    if (inMainMenuBar_)
        LeaveMainMenuBar();
    mainMenuBar_.Set(Value);
    if (mainMenuBar_) {
        if (mainMenuBar_->skSkinFrame() != this)
            mainMenuBar_->SetskSkinFrame(this);
    }
}

void TskSkinFrame::EnterMainMenuBar()
{
    if (inMainMenuBar_ || !mainMenuBar_)
        return;
    inMainMenuBar_ = true;
    if (menuMode_)
        menuMode_->Enter();
    if (!mainMenuBar_->MenuMode())
        mainMenuBar_->EnterMenuMode();
    if (OnMainMenuEnter)
        OnMainMenuEnter(this);
}

void TskSkinFrame::LeaveMainMenuBar()
{
    if (skinMenu_ && skinMenu_->Visible) {
        // Closing tells the form, whose SkinMenuClose ends the keyboard mode too.
        skinMenu_->CloseAll();
        return;
    }
    const bool was = inMainMenuBar_;
    inMainMenuBar_ = false;
    if (menuMode_ && !inSkinMenu_)
        menuMode_->Leave();
    if (mainMenuBar_ && mainMenuBar_->MenuMode())
        mainMenuBar_->LeaveMenuMode();
    if (was && OnMainMenuExit)
        OnMainMenuExit(this);
}

void TskSkinFrame::MainMenuBarMenuClosed()
{
    if (mainMenuBar_ && mainMenuBar_->MenuMode() && !inMainMenuBar_)
        mainMenuBar_->LeaveMenuMode();
    if (inMainMenuBar_)
        LeaveMainMenuBar();
}

// Alt alone, F10, or a letter after Alt that no shortcut took.
void TskSkinFrame::MainMenuBarKeyMenu(cl::TMessage& Message)
{
    if (inMainMenuBar_) {
        LeaveMainMenuBar();
        return;
    }
    if (skinMenu_ && skinMenu_->Visible)
        skinMenu_->CloseAll();
    if (!mainMenuBar_ || !mainMenuBar_->Visible() || mainMenuBar_->ObjectCount() == 0)
        return;
    // A character that marks no item is ignored rather than opening the bar.
    if (Message.LParam != 0) {
        mainMenuBar_->FindHotKeyItem(static_cast<WORD>(toupper(static_cast<int>(Message.LParam & 0xFF))));
        return;
    }
    mainMenuBar_->EnterMenuMode();
}

bool TskSkinFrame::MainMenuBarKey(WORD Key)
{
    TskSkinMainMenuBar* bar = mainMenuBar_;
    if (!bar || !bar->MenuMode())
        return false;
    const bool open = skinMenu_ && skinMenu_->Visible;
    switch (Key) {
    case VK_LEFT:
        // A sub-menu closes first; the top level gives the key to the bar.
        if (open && skinMenu_->LevelCount() > 1)
            return false;
        bar->PrevMainMenuItem();
        return true;
    case VK_RIGHT:
        if (open) {
            TskSkinPopupWindow* last = skinMenu_->Levels(skinMenu_->LevelCount() - 1);
            if (last && last->Items(last->ActiveItem) && last->Items(last->ActiveItem)->HasChildren())
                return false;
        }
        bar->NextMainMenuItem();
        return true;
    case VK_ESCAPE:
        if (open)
            return false;
        LeaveMainMenuBar();
        return true;
    case VK_RETURN:
    case VK_DOWN:
        if (open)
            return false;
        bar->CheckMenuItem();
        return true;
    default:
        if (open)
            return false;
        // Keyboard mode takes every key: a letter presses the item it marks.
        bar->FindHotKeyItem(Key);
        return true;
    }
}

bool TskSkinFrame::MainMenuBarShortCut(cl::TMessage& Msg)
{
    if (!mainMenuBar_ || !mainMenuBar_->MainMenu())
        return false;
    const WORD key = static_cast<WORD>(Msg.WParam);
    const bool alt = (Msg.LParam & (1 << 29)) != 0;
    if (alt && key != VK_F4 && key != VK_MENU) {
        for (int i = mainMenuBar_->SysButtonCount(); i < mainMenuBar_->ObjectCount(); ++i) {
            auto* item = dynamic_cast<TskSkinMainMenuBarItem*>(mainMenuBar_->Objects(i));
            if (item && item->MenuItem && cl::IsAccel(key, item->MenuItem->Caption()))
                return mainMenuBar_->FindHotKeyItem(key);
        }
    }
    if (mainMenuBar_->MainMenu()->IsShortCut(Msg))
        return true;
    if (cl::TMainMenu* child = mainMenuBar_->ChildMenuMerged() ? mainMenuBar_->GetChildMainMenu() : nullptr)
        return child->IsShortCut(Msg);
    return false;
}

}  // namespace sk
