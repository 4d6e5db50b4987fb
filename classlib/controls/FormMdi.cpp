// MDI forms: the questions an MDI form answers about its children, and the arrangements it
// asks of its MDI client window.
#include <algorithm>

#include "classlib/system/CoreConsts.h"
#include "classlib/controls/Forms.h"
#include "classlib/menus/Menus.h"

namespace cl {

namespace {

TCustomForm* FormOfWindow(HWND Wnd)
{
    return dynamic_cast<TCustomForm*>(TWinControl::FindControl(Wnd));
}

}  // namespace

TCustomForm* TCustomForm::ActiveMDIChild() const
{
    if (formStyle_ != fsMDIForm || !clientHandle_)
        return nullptr;
    return FormOfWindow(reinterpret_cast<HWND>(SendMessageA(clientHandle_, WM_MDIGETACTIVE, 0, 0)));
}

int TCustomForm::MDIChildCount() const
{
    int n = 0;
    while (MDIChildren(n))
        ++n;
    return n;
}

TCustomForm* TCustomForm::MDIChildren(int Index) const
{
    if (formStyle_ != fsMDIForm || !clientHandle_ || Index < 0)
        return nullptr;
    int i = 0;
    for (HWND w = GetWindow(clientHandle_, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
        TCustomForm* form = FormOfWindow(w);
        if (!form || form->FormStyle() != fsMDIChild)
            continue;
        if (i++ == Index)
            return form;
    }
    return nullptr;
}

void TCustomForm::SetWindowMenu(TMenuItem* Value) { windowMenu_.Set(Value); }

void TCustomForm::Cascade()
{
    if (clientHandle_)
        SendMessageA(clientHandle_, WM_MDICASCADE, 0, 0);
}

void TCustomForm::Tile()
{
    if (clientHandle_)
        SendMessageA(clientHandle_, WM_MDITILE, MDITILE_HORIZONTAL, 0);
}

void TCustomForm::Next()
{
    if (clientHandle_)
        SendMessageA(clientHandle_, WM_MDINEXT, 0, 0);
}

void TCustomForm::Previous()
{
    if (clientHandle_)
        SendMessageA(clientHandle_, WM_MDINEXT, 0, 1);
}

// ---------------------------------------------------------------------------------------------
// The MDI client window and the platform's MDI procedures

TCustomForm* TCustomForm::FindMDIParent()
{
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    if (main && main->FormStyle() == fsMDIForm && main->HandleAllocated() && main->ClientHandle())
        return main;
    if (!Screen)
        return nullptr;
    for (int i = Screen->FormCount() - 1; i >= 0; --i)
        if (TCustomForm* form = Screen->Forms(i); form->FormStyle() == fsMDIForm && form->ClientHandle())
            return form;
    return nullptr;
}

void TCustomForm::CreateMDIClient()
{
    // Children's ids start far above any command of ours; the frame has no window menu.
    CLIENTCREATESTRUCT create{nullptr, 0xFF00};
    clientHandle_ = CreateWindowExA(0, "MDICLIENT", nullptr,
                                    WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_HSCROLL | WS_VSCROLL,
                                    0, 0, 0, 0, Handle(), nullptr, GetModuleHandleA(nullptr), &create);
    if (!clientHandle_)
        throw EOutOfResources(consts::SOutOfResources);
    PlaceMDIClient();
}

// What the visible aligned controls leave of the client area.
void TCustomForm::PlaceMDIClient()
{
    if (!clientHandle_ || !HandleAllocated())
        return;
    RECT cr{};
    GetClientRect(Handle(), &cr);
    TRect r{cr.left, cr.top, cr.right, cr.bottom};
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (!c->Visible())
            continue;
        switch (c->Align()) {
        case alTop: r.Top = std::max(r.Top, c->Top() + c->Height()); break;
        case alBottom: r.Bottom = std::min(r.Bottom, c->Top()); break;
        case alLeft: r.Left = std::max(r.Left, c->Left() + c->Width()); break;
        case alRight: r.Right = std::min(r.Right, c->Left()); break;
        default: break;
        }
    }
    SetWindowPos(clientHandle_, HWND_BOTTOM, r.Left, r.Top, std::max(r.Width(), 0), std::max(r.Height(), 0),
                 SWP_NOACTIVATE);
}

void TCustomForm::AlignControls(TControl* AControl, TRect& Rect)
{
    TWinControl::AlignControls(AControl, Rect);
    if (clientHandle_)
        PlaceMDIClient();
}

void TCustomForm::DestroyWindowHandle()
{
    if (formStyle_ == fsMDIChild && HandleAllocated() && (GetWindowLongA(Handle(), GWL_EXSTYLE) & WS_EX_MDICHILD))
        if (HWND client = GetParent(Handle()))
            SendMessageA(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(Handle()), 0);
    TWinControl::DestroyWindowHandle();
}

void TCustomForm::DefaultHandler(TMessage& Message)
{
    const bool native = HandleAllocated() && !(Message.Msg >= CM_BASE && Message.Msg < CN_BASE + 0x400);
    if (native && formStyle_ == fsMDIForm && clientHandle_) {
        if (Message.Msg == WM_DESTROY)
            clientHandle_ = nullptr;
        // The frame procedure would stretch the client over the aligned controls.
        if (Message.Msg == WM_SIZE) {
            Message.Result = DefWindowProcA(Handle(), Message.Msg, Message.WParam, Message.LParam);
            return;
        }
        Message.Result = DefFrameProcA(Handle(), clientHandle_, Message.Msg, Message.WParam, Message.LParam);
        return;
    }
    if (native && formStyle_ == fsMDIChild && GetWindowLongA(Handle(), GWL_EXSTYLE) & WS_EX_MDICHILD) {
        Message.Result = DefMDIChildProcA(Handle(), Message.Msg, Message.WParam, Message.LParam);
        return;
    }
    TWinControl::DefaultHandler(Message);
}

}  // namespace cl
