// A form's combo boxes and edits give up a dropped list or a held press on the messages that
// close the form's menus and that the class library's own notice to the form's active control
// does not cover: on an MDI form all of them, as its focus usually lies in a child; on any other
// form the presses on its frame (caption, borders, caption buttons), which reach only the form,
// where a plain drop-down list would close on any press outside it.
#include <vector>

#include "skinforms/controls/ComboBox.h"
#include "skinforms/controls/Edit.h"
#include "skinforms/frame/Frame.h"

namespace sk {

namespace {

bool IsButtonDown(UINT Msg)
{
    return Msg == WM_LBUTTONDOWN || Msg == WM_RBUTTONDOWN || Msg == WM_MBUTTONDOWN || Msg == WM_XBUTTONDOWN;
}

bool IsFramePress(UINT Msg) { return Msg == WM_NCLBUTTONDOWN || Msg == WM_NCRBUTTONDOWN || Msg == WM_NCMBUTTONDOWN; }

}  // namespace

// The control a press landed on, when the message reports a press (WM_PARENTNOTIFY of a button
// or WM_MOUSEACTIVATE on the way to one): that control keeps its mode and handles the press
// itself, so a second click on a dropped combo box's button closes the list rather than closing
// it and opening it again.
cl::TControl* TskSkinFrame::CancelModeSender(const cl::TMessage& Message) const
{
    POINT p{};
    if (Message.Msg == WM_PARENTNOTIFY && IsButtonDown(LOWORD(Message.WParam)) && form_->HandleAllocated()) {
        p = {static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam))};
        ClientToScreen(form_->Handle(), &p);
    } else if (Message.Msg == WM_MOUSEACTIVATE && IsButtonDown(HIWORD(Message.LParam))) {
        const DWORD at = GetMessagePos();
        p = {static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
    } else {
        return nullptr;
    }
    return cl::TWinControl::FindControl(WindowFromPoint(p));
}

// Not while it is read, designed or freed. Having free-notification partners does not count:
// every frame whose skin data, menu bar or tabs bar belongs to another component has them.
bool TskSkinFrame::AtRest() const
{
    cl::TComponentState state = ComponentState();
    state -= cl::csFreeNotification;
    return state.Empty() && !form_->ComponentState().Contains(cl::csDestroying);
}

void TskSkinFrame::CancelControlModes(const cl::TMessage& Message)
{
    if (!AtRest() || !form_->Visible())
        return;
    if (form_->FormStyle() != cl::fsMDIForm && !IsFramePress(Message.Msg))
        return;
    std::vector<cl::TControl*> targets;
    for (int i = 0; i < form_->ComponentCount(); ++i) {
        auto* control = dynamic_cast<cl::TControl*>(form_->Components(i));
        const bool kind = dynamic_cast<TskSkinCustomComboBox*>(control) || dynamic_cast<TskSkinCustomEdit*>(control);
        if (kind && control->Visible() && control->Enabled())
            targets.push_back(control);
    }
    if (targets.empty())
        return;
    cl::TControl* sender = CancelModeSender(Message);
    const cl::TAliveFlag alive = alive_;
    for (cl::TControl* control : targets) {
        // A handler may have freed the next one, or this frame.
        if (!*alive)
            return;
        bool owned = false;
        for (int i = 0; i < form_->ComponentCount() && !owned; ++i)
            owned = form_->Components(i) == control;
        if (owned)
            control->Perform(cl::CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(sender));
    }
}

}  // namespace sk
