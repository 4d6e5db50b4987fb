// Focus, tab order and the key pipeline: the message loop sends CN_KEYDOWN / CN_CHAR to the
// focused control first; shortcuts and keys the control does not want (WM_GETDLGCODE) go to its
// form as CM_DIALOGKEY / CM_DIALOGCHAR; only what nobody took becomes WM_KEYDOWN / WM_CHAR.
#include <algorithm>
#include <functional>

#include "classlib/controls/Controls.h"
#include "classlib/system/CoreConsts.h"
#include "classlib/menus/Menus.h"

namespace cl {

namespace {
TWinControl* FormOf(TControl* Control)
{
    TWinControl* top = nullptr;
    for (TControl* c = Control; c; c = c->Parent()) {
        auto* win = dynamic_cast<TWinControl*>(c);
        if (win && win->IsForm())
            return win;
        if (win)
            top = win;
    }
    return top;
}
}  // namespace

// ---------------------------------------------------------------------------------------------
// Tab order and focus

int TWinControl::TabOrder() const
{
    if (!Parent())
        return -1;
    const auto& list = Parent()->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int Value)
{
    if (!Parent())
        return;
    auto& list = Parent()->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end())
        return;
    list.erase(it);
    Value = std::clamp(Value, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + Value, this);
}

std::vector<TWinControl*> TWinControl::TabList() const { return tabList_; }

bool TWinControl::CanFocus()
{
    // Up to the top-level form, not including it: a hidden form may already choose its active
    // control. A form placed inside another is a container like any other: its controls cannot
    // take the focus while it is hidden or disabled.
    for (TWinControl* c = this; c; c = c->Parent()) {
        if (c->IsForm() && c != this && !c->Parent())
            return true;
        if (!c->Visible() || !c->Enabled())
            return false;
    }
    return true;
}

bool TWinControl::Focused() { return handle_ && GetFocus() == handle_; }

void TWinControl::SetFocus()
{
    if (!CanFocus())
        throw EInvalidOperation(consts::SCannotFocus);
    ::SetFocus(Handle());
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, bool CheckParent)
{
    // Every focusable descendant in tab order, depth first.
    std::vector<TWinControl*> order;
    std::function<void(TWinControl*)> collect = [&](TWinControl* parent) {
        for (TWinControl* c : parent->tabList_) {
            order.push_back(c);
            collect(c);
        }
    };
    collect(this);
    if (order.empty())
        return nullptr;
    auto start = std::find(order.begin(), order.end(), CurControl);
    int index = start == order.end() ? (GoForward ? -1 : 0) : static_cast<int>(start - order.begin());
    const int count = static_cast<int>(order.size());
    for (int step = 0; step < count; ++step) {
        index = GoForward ? (index + 1) % count : (index - 1 + count) % count;
        TWinControl* c = order[index];
        if (c == CurControl)
            return nullptr;
        if ((!CheckTabStop || c->TabStop()) && (!CheckParent || c->Parent() == this) && c->CanFocus())
            return c;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop)
{
    if (TWinControl* next = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop))
        next->SetFocus();
}

void TWinControl::DoEnter()
{
    if (OnEnter)
        OnEnter(this);
}

void TWinControl::DoExit()
{
    if (OnExit)
        OnExit(this);
}

void TWinControl::WMSetFocus(TMessage& Message) { DefaultHandler(Message); }

void TWinControl::WMKillFocus(TMessage& Message) { DefaultHandler(Message); }

void TWinControl::CMFocusChanged(TMessage& Message) { Broadcast(Message); }

// ---------------------------------------------------------------------------------------------
// Keys

void TWinControl::KeyDown(WORD& Key, TShiftState Shift)
{
    if (OnKeyDown)
        OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(WORD& Key, TShiftState Shift)
{
    if (OnKeyUp)
        OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(char& Key)
{
    if (OnKeyPress)
        OnKeyPress(this, Key);
}

void TWinControl::WMKeyDown(TMessage& Message)
{
    const TAliveFlag alive = alive_;
    WORD key = static_cast<WORD>(Message.WParam);
    const TShiftState shift = KeyDataToShiftState(Message.LParam);
    TWinControl* form = FormOf(this);
    if (form && form != this && form->PreviewsKeys()) {
        form->KeyDown(key, shift);
        if (!*alive || key == 0)
            return;
    }
    KeyDown(key, shift);
    if (!*alive)
        return;
    if (key == 0)
        return;  // the handler took it
    Message.WParam = key;
    DefaultHandler(Message);
}

void TWinControl::WMKeyUp(TMessage& Message)
{
    const TAliveFlag alive = alive_;
    WORD key = static_cast<WORD>(Message.WParam);
    const TShiftState shift = KeyDataToShiftState(Message.LParam);
    TWinControl* form = FormOf(this);
    if (form && form != this && form->PreviewsKeys()) {
        form->KeyUp(key, shift);
        if (!*alive || key == 0)
            return;
    }
    KeyUp(key, shift);
    if (!*alive || key == 0)
        return;
    Message.WParam = key;
    DefaultHandler(Message);
}

void TWinControl::WMChar(TMessage& Message)
{
    const TAliveFlag alive = alive_;
    char key = static_cast<char>(Message.WParam);
    TWinControl* form = FormOf(this);
    if (form && form != this && form->PreviewsKeys()) {
        form->KeyPress(key);
        if (!*alive || key == 0)
            return;
    }
    KeyPress(key);
    if (!*alive || key == 0)
        return;
    Message.WParam = static_cast<unsigned char>(key);
    DefaultHandler(Message);
}

void TWinControl::CNKeyDown(TMessage& Message)
{
    Message.Result = 1;
    // The shortcuts of the popup menus of this control and its parents come first.
    for (TControl* c = this; c; c = c->Parent())
        if (auto* menu = dynamic_cast<TPopupMenu*>(c->PopupMenu()); menu && menu->IsShortCut(Message))
            return;
    TWinControl* form = FormOf(this);
    if (form && form->IsShortCut(Message))
        return;
    UINT mask = 0;
    switch (Message.WParam) {
    case VK_TAB: mask = DLGC_WANTTAB; break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: mask = DLGC_WANTARROWS; break;
    case VK_RETURN:
    case VK_EXECUTE:
    case VK_ESCAPE:
    case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
    }
    if (mask && form && (Perform(WM_GETDLGCODE) & mask) == 0 &&
        form->Perform(CM_DIALOGKEY, Message.WParam, Message.LParam) != 0)
        return;
    Message.Result = 0;
}

void TWinControl::CNChar(TMessage& Message)
{
    Message.Result = 1;
    TWinControl* form = FormOf(this);
    if (form && (Perform(WM_GETDLGCODE) & DLGC_WANTCHARS) == 0 &&
        form->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam) != 0)
        return;
    Message.Result = 0;
}

void TWinControl::CMDialogKey(TMessage& Message) { Broadcast(Message); }

void TWinControl::CMDialogChar(TMessage& Message) { Broadcast(Message); }

}  // namespace cl
