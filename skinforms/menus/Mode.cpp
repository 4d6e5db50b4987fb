#include "skinforms/menus/Mode.h"

namespace sk {

using namespace cl;

TskSkinMenuMode::~TskSkinMenuMode()
{
    // The application must not call into a mode that is gone.
    OnEnter = nullptr;
    OnLeave = nullptr;
    KeyFilter = nullptr;
    Leave();
}

void TskSkinMenuMode::Enter()
{
    if (active_)
        return;
    active_ = true;
    previous_ = Application->OnMessage;
    Application->OnMessage = TMessageEvent(this, &TskSkinMenuMode::AppMessage);
    if (OnEnter)
        OnEnter(menu_);
}

void TskSkinMenuMode::Leave()
{
    if (!active_)
        return;
    active_ = false;
    // Only our own hook is taken out: whoever hooked after us keeps theirs.
    if (Application->OnMessage == TMessageEvent(this, &TskSkinMenuMode::AppMessage))
        Application->OnMessage = previous_;
    previous_ = nullptr;
    if (OnLeave)
        OnLeave(menu_);
}

void TskSkinMenuMode::AppMessage(MSG& Msg, bool& Handled)
{
    if (Msg.message == WM_KEYDOWN) {
        Handled = true;
        const auto key = static_cast<WORD>(Msg.wParam);
        if (KeyFilter && KeyFilter(key))
            return;
        menu_->ProcessKey(key);
        return;
    }
    if (Msg.message == WM_MOUSEWHEEL) {
        Handled = true;
        return;
    }
    if (previous_)
        previous_(Msg, Handled);
}

void TskSkinMenuMode::FormMessage(const TMessage& Message)
{
    const bool closes = IsSkinMenuClosingMessage(Message.Msg) ||
                        (Message.Msg == WM_ACTIVATEAPP && Message.WParam == FALSE) ||
                        Message.Msg == WM_BEFORECHANGESKINDATA;
    if (closes) {
        if (menu_->Visible)
            menu_->CloseAll();
        else if (active_)
            Leave();
        return;
    }
    if (Message.Msg == WM_SKINMENUCLOSED)
        Leave();
}

}  // namespace sk
