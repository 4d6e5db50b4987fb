#pragma once
// Menu mode of a form: while a skinned menu of the form is open, the keyboard goes to the menu
// (its deepest level) and not to the form, the mouse wheel does nothing, and the form closes the
// menu when the user turns to something else. The form frame owns one and calls FormMessage from
// its window procedure before anything else.
#include <functional>

#include "classlib/controls/Forms.h"
#include "skinforms/menus/Menus.h"

namespace sk {

class TskSkinMenuMode {
public:
    explicit TskSkinMenuMode(TskSkinMenu* Menu) : menu_(Menu) {}
    ~TskSkinMenuMode();
    TskSkinMenuMode(const TskSkinMenuMode&) = delete;
    TskSkinMenuMode& operator=(const TskSkinMenuMode&) = delete;

    bool Active() const { return active_; }
    // Hooks the application's messages (the previous handler is kept); OnEnter fires when the
    // mode was off.
    void Enter();
    // Gives the application's messages back; OnLeave fires when the mode was on.
    void Leave();
    // A message of the form's window. Closes the open menu on the closing messages, on the
    // application losing the activation and before the skin changes; leaves menu mode when the
    // menu says it closed. Never consumes the message.
    void FormMessage(const cl::TMessage& Message);

    cl::TNotifyEvent OnEnter;
    cl::TNotifyEvent OnLeave;
    // Sees each key first (the form's menu bar); true when it took the key.
    std::function<bool(WORD Key)> KeyFilter;

private:
    void AppMessage(MSG& Msg, bool& Handled);

    TskSkinMenu* menu_;
    bool active_ = false;
    cl::TMessageEvent previous_;
};

}  // namespace sk
