// TCustomForm: a top-level window (owned by the application window) or a form parented inside
// another control; its border, placement, activation, closing and modal loop.
#include <algorithm>

#include "classlib/system/CoreConsts.h"
#include "classlib/controls/Forms.h"
#include "classlib/menus/Menus.h"
#include "classlib/platform/WindowOrder.h"

namespace cl {

namespace {
struct TBorderStyles {
    DWORD Style;
    DWORD ExStyle;
};

TBorderStyles StylesFor(TFormBorderStyle Border, TBorderIcons Icons)
{
    using enum TBorderIcon;
    TBorderStyles s{0, 0};
    switch (Border) {
    case bsNone: s.Style = WS_POPUP; break;
    case bsSingle: s.Style = WS_CAPTION | WS_BORDER; break;
    case bsSizeable: s.Style = WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
        s.Style = WS_POPUP | WS_CAPTION;
        s.ExStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
        break;
    case bsToolWindow:
        s.Style = WS_CAPTION | WS_BORDER;
        s.ExStyle = WS_EX_TOOLWINDOW;
        break;
    case bsSizeToolWin:
        s.Style = WS_CAPTION | WS_THICKFRAME;
        s.ExStyle = WS_EX_TOOLWINDOW;
        break;
    }
    if (Border != bsNone && Icons.Contains(biSystemMenu)) {
        s.Style |= WS_SYSMENU;
        if (Border != bsDialog && Border != bsToolWindow && Border != bsSizeToolWin) {
            if (Icons.Contains(biMinimize))
                s.Style |= WS_MINIMIZEBOX;
            if (Icons.Contains(biMaximize))
                s.Style |= WS_MAXIMIZEBOX;
        }
        if (Icons.Contains(biHelp) && (Border == bsDialog || !Icons.Contains(biMinimize)))
            s.ExStyle |= WS_EX_CONTEXTHELP;
    }
    return s;
}

// Windows disabled while a modal form runs.
struct TDisabledWindows {
    std::vector<HWND> List;
    HWND Except = nullptr;
};

BOOL CALLBACK DisableWindow(HWND Wnd, LPARAM Data)
{
    auto* disabled = reinterpret_cast<TDisabledWindows*>(Data);
    if (Wnd != disabled->Except && IsWindowVisible(Wnd) && IsWindowEnabled(Wnd)) {
        disabled->List.push_back(Wnd);
        EnableWindow(Wnd, FALSE);
    }
    return TRUE;
}
}  // namespace

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner)
{
    SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
    SetVisible(false);
    SetColor(clBtnFace);
    SetBounds(0, 0, 320, 240);
    icon_.OnChange = [this](TObject*) { IconChanged(); };
    Screen->AddForm(this);
}

void TCustomForm::IconChanged(bool NewWindow)
{
    if (!HandleAllocated())
        return;
    HICON icon = icon_.Handle() ? icon_.Handle() : Application->Icon()->Handle();
    // A new window has no icon yet: telling it of none would only make the system look up
    // its default one.
    if (NewWindow && !icon)
        return;
    SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

TCustomForm::~TCustomForm()
{
    Screen->RemoveForm(this);
}

void TCustomForm::AfterConstruction()
{
    if (OnCreate)
        OnCreate(this);
}

void TCustomForm::BeforeDestruction()
{
    const TAliveFlag alive = alive_;
    if (OnDestroy)
        OnDestroy(this);
    Screen->RemoveForm(this);
    TWinControl::BeforeDestruction();
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == activeControl_)
        activeControl_ = nullptr;
    if (AComponent == focusedControl_)
        focusedControl_ = nullptr;
    windowMenu_.Forget(AComponent, Operation);
}

void TCustomForm::ControlRemoved(TControl* Control)
{
    auto* win = dynamic_cast<TWinControl*>(Control);
    if (!win)
        return;
    if (activeControl_ && win->ContainsControl(activeControl_))
        activeControl_ = nullptr;
    if (focusedControl_ && win->ContainsControl(focusedControl_))
        focusedControl_ = nullptr;
    Screen->ControlRemoved(win);
}

// ---------------------------------------------------------------------------------------------
// The window

void TCustomForm::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    const TBorderStyles border = StylesFor(borderStyle_, borderIcons_);
    Params.Style &= ~(WS_VISIBLE | WS_TABSTOP | WS_CHILD | WS_POPUP);
    Params.Style |= border.Style | WS_CLIPCHILDREN;
    Params.ExStyle |= border.ExStyle;
    if (formStyle_ == fsMDIChild) {
        // A child of the MDI form's client window, which places and activates it.
        TCustomForm* mdiForm = FindMDIParent();
        if (!mdiForm)
            throw EInvalidOperation(consts::SNoMDIForm);
        Params.Style = (Params.Style & ~WS_POPUP) | WS_CHILD | WS_CLIPSIBLINGS;
        Params.ExStyle |= WS_EX_MDICHILD;
        Params.WndParent = mdiForm->ClientHandle();
    } else if (Parent()) {
        Params.Style = (Params.Style & ~WS_POPUP) | WS_CHILD;
    } else {
        // The application window owns the form: one taskbar button for the whole program.
        Params.WndParent = Application->Handle();
        if (formStyle_ == fsStayOnTop)
            Params.ExStyle |= WS_EX_TOPMOST;
    }
    Params.WindowClass.style |= CS_DBLCLKS;
}

void TCustomForm::CreateWnd()
{
    TWinControl::CreateWnd();
    if (formStyle_ == fsMDIForm)
        CreateMDIClient();
    if (!Parent())
        IconChanged(true);
    if (borderStyle_ != bsNone && !borderIcons_.Contains(TBorderIcon::biSystemMenu))
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

TRect TCustomForm::ClientRect()
{
    if (HandleAllocated())
        return TWinControl::ClientRect();
    // No window yet: what the border will leave.
    TCreateParams params;
    CreateParams(params);
    RECT r{0, 0, 0, 0};
    AdjustWindowRectEx(&r, params.Style, FALSE, params.ExStyle);
    const int frameWidth = static_cast<int>(r.right - r.left);
    const int frameHeight = static_cast<int>(r.bottom - r.top);
    return {0, 0, std::max(Width() - frameWidth, 0), std::max(Height() - frameHeight, 0)};
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value)
{
    if (Value == borderStyle_)
        return;
    borderStyle_ = Value;
    RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons Value)
{
    if (Value == borderIcons_)
        return;
    borderIcons_ = Value;
    RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle Value)
{
    if (Value == formStyle_)
        return;
    const bool wasOnTop = formStyle_ == fsStayOnTop;
    formStyle_ = Value;
    if (wasOnTop || Value == fsStayOnTop)
        ApplyStayOnTop();
}

void TCustomForm::ApplyStayOnTop()
{
    // Re-creating the window would bring back a caption a frame took away: the order
    // changes in place.
    if (!HandleAllocated() || Parent())
        return;
    constexpr UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    HWND wnd = Handle();
    const bool onTop = formStyle_ == fsStayOnTop;
    // A window that neither is nor should be topmost keeps its place: reordering it on every
    // show costs a round of window-order messages for nothing.
    const bool isOnTop = IsTopmostWindow(wnd);
    if (!onTop && !isOnTop)
        return;
    // Nor does a topmost window that is already the first of all.
    if (onTop && isOnTop && IsFirstOfItsBand(wnd))
        return;
    SetWindowPos(wnd, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, flags);
    // Wine keeps an owned window topmost whatever it is told; without its owner for a moment
    // the window lets go of it.
    HWND owner = GetWindow(wnd, GW_OWNER);
    if (!onTop && owner && IsTopmostWindow(wnd)) {
        SetWindowLongPtrA(wnd, GWLP_HWNDPARENT, 0);
        SetWindowPos(wnd, HWND_NOTOPMOST, 0, 0, 0, 0, flags);
        SetWindowLongPtrA(wnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    }
}

void TCustomForm::SetWindowState(TWindowState Value)
{
    if (Value == windowState_)
        return;
    windowState_ = Value;
    if (!HandleAllocated() || !Visible())
        return;
    static constexpr int commands[] = {SW_RESTORE, SW_MINIMIZE, SW_SHOWMAXIMIZED};
    ShowWindow(Handle(), commands[Value]);
}

void TCustomForm::SetParent(TWinControl* AParent)
{
    if (AParent == Parent())
        return;
    // A form changes between child and top-level window: its window is made anew.
    const bool hadHandle = HandleAllocated();
    if (hadHandle)
        DestroyHandle();
    TWinControl::SetParent(AParent);
    if (hadHandle || (AParent && AParent->HandleAllocated() && Visible()))
        HandleNeeded();
    if (HandleAllocated() && Visible())
        ShowWindow(Handle(), AParent ? SW_SHOWNOACTIVATE : SW_SHOWNORMAL);
}

// ---------------------------------------------------------------------------------------------
// Showing

void TCustomForm::PlaceOnFirstShow()
{
    if (placed_ || Parent())
        return;
    placed_ = true;
    TCustomForm* center = nullptr;
    switch (position_) {
    case poMainFormCenter: center = Application->MainForm(); break;
    case poOwnerFormCenter:
        center = dynamic_cast<TCustomForm*>(Owner());
        if (!center)
            center = Application->MainForm();
        break;
    case poScreenCenter:
    case poDesktopCenter: break;
    default: return;
    }
    if (center == this || (center && !center->HandleAllocated()))
        center = nullptr;
    int x, y;
    if (center) {
        x = center->Left() + (center->Width() - Width()) / 2;
        y = center->Top() + (center->Height() - Height()) / 2;
    } else {
        x = (Screen->Width() - Width()) / 2;
        y = (Screen->Height() - Height()) / 2;
    }
    SetBounds(std::max(x, 0), std::max(y, 0), Width(), Height());
}

void TCustomForm::CMShowingChanged(TMessage& Message)
{
    const TAliveFlag alive = alive_;
    if (Visible()) {
        if (!Parent() && Application->Minimized())
            Application->Restore();
        HandleNeeded();
        PlaceOnFirstShow();
        DoShow();
        if (!*alive || !Visible())
            return;
        if (Parent()) {
            ShowWindow(Handle(), SW_SHOWNOACTIVATE);
            return;
        }
        int command = SW_SHOWNORMAL;
        if (windowState_ == wsMaximized)
            command = SW_SHOWMAXIMIZED;
        else if (windowState_ == wsMinimized)
            command = SW_SHOWMINIMIZED;
        else if (IsIconic(Handle()))
            command = SW_RESTORE;  // a form shown again comes back from the task bar
        // The application window carries the program's taskbar button from the time the
        // main form first shows. It shows first: its show reorders the forms it owns, which
        // costs far less while they are still hidden.
        if (Application->MainForm() == this && !IsWindowVisible(Application->Handle()) && !Application->Minimized())
            ShowWindow(Application->Handle(), SW_SHOWNOACTIVATE);
        ShowWindow(Handle(), command);
        ApplyStayOnTop();
        if (windowState_ != wsMinimized)
            FocusActiveControl();
    } else {
        DoHide();
        if (*alive && HandleAllocated())
            ShowWindow(Handle(), SW_HIDE);
    }
}

void TCustomForm::DoShow()
{
    if (OnShow)
        OnShow(this);
}

void TCustomForm::DoHide()
{
    if (OnHide)
        OnHide(this);
}

void TCustomForm::FocusActiveControl()
{
    if (!HandleAllocated())
        return;
    TWinControl* target = activeControl_;
    if (!target || !target->CanFocus())
        target = FindNextControl(nullptr, true, true, false);
    if (target && target->CanFocus())
        ::SetFocus(target->Handle());
    else if (GetActiveWindow() == Handle())
        ::SetFocus(Handle());
}

void TCustomForm::SetFocus()
{
    if (!Visible() || !Enabled())
        throw EInvalidOperation(consts::SCannotFocus);
    if (!Parent())
        SetForegroundWindow(Handle());
    SetActiveWindow(Handle());
    FocusActiveControl();
}

void TCustomForm::SetActiveControl(TWinControl* Control)
{
    if (Control == activeControl_)
        return;
    if (Control && (Control == this || !ContainsControl(Control) || !Control->CanFocus()) &&
        !ComponentState().Contains(csLoading))
        throw EInvalidOperation(consts::SCannotFocus);
    activeControl_ = Control;
    if (Control && active_ && Control->CanFocus())
        Control->SetFocus();
}

bool TCustomForm::SetFocusedControl(TWinControl* Control)
{
    if (ComponentState().Contains(csDestroying) || Control == focusedControl_)
        return true;
    const TAliveFlag alive = alive_;
    TWinControl* previous = focusedControl_;
    focusedControl_ = Control;
    if (Control != this)
        activeControl_ = Control;
    Screen->SetActive(this, Control);
    Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(Control));
    if (!*alive)
        return false;
    if (previous && previous != Control && ContainsControl(previous))
        previous->DoExit();
    if (*alive && focusedControl_ == Control && Control != this)
        Control->DoEnter();
    return *alive;
}

void TCustomForm::CancelModeFor(TControl* Sender)
{
    if (activeControl_ && activeControl_ != Sender)
        activeControl_->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(Sender));
}

bool TCustomForm::IsShortCut(TMessage& Message)
{
    bool handled = false;
    if (OnShortCut)
        OnShortCut(Message, handled);
    return handled;
}

// ---------------------------------------------------------------------------------------------
// Closing

bool TCustomForm::CloseQuery()
{
    bool canClose = true;
    if (OnCloseQuery)
        OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::DoClose(TCloseAction& Action)
{
    if (OnClose)
        OnClose(this, Action);
}

void TCustomForm::Close()
{
    if (modal_) {
        modalResult_ = mrCancel;
        return;
    }
    const TAliveFlag alive = alive_;
    if (!CloseQuery() || !*alive)
        return;
    TCloseAction action = caHide;
    DoClose(action);
    if (!*alive || action == caNone)
        return;
    if (Application->MainForm() == this) {
        Application->Terminate();
        return;
    }
    switch (action) {
    case caHide: Hide(); break;
    case caMinimize: SetWindowState(wsMinimized); break;
    case caFree: Release(); break;
    default: break;
    }
}

void TCustomForm::Release()
{
    // Posted, so that the handler that asked (a menu command, a button click) returns
    // before the form goes.
    if (releasePosted_)
        return;
    releasePosted_ = true;
    PostMessageA(Handle(), CM_RELEASE, 0, 0);
}

TModalResult TCustomForm::ShowModal()
{
    if (Visible() || !Enabled() || modal_)
        throw EInvalidOperation(consts::SCannotShowModal);
    const TAliveFlag alive = alive_;
    if (GetCapture())
        SendMessageA(GetCapture(), WM_CANCELMODE, 0, 0);
    ReleaseCapture();
    HWND previousActive = GetActiveWindow();
    TDisabledWindows disabled;
    disabled.Except = HandleAllocated() ? Handle() : nullptr;
    EnumThreadWindows(GetCurrentThreadId(), DisableWindow, reinterpret_cast<LPARAM>(&disabled));
    auto enableAgain = [&disabled] {
        for (HWND wnd : disabled.List)
            if (IsWindow(wnd))
                EnableWindow(wnd, TRUE);
    };
    modal_ = true;
    modalResult_ = mrNone;
    TModalResult result = mrCancel;
    try {
        Show();
        while (*alive) {
            Application->HandleMessage();
            if (!*alive)
                break;
            if (Application->Terminated()) {
                modalResult_ = mrCancel;
            } else if (modalResult_ != mrNone) {
                // The form may refuse (OnCloseQuery) or decide (OnClose) how it closes.
                TCloseAction action = caHide;
                if (!CloseQuery() || !*alive) {
                    if (*alive)
                        modalResult_ = mrNone;
                } else {
                    DoClose(action);
                    if (*alive && action == caNone)
                        modalResult_ = mrNone;
                    else if (*alive && action == caFree)
                        Release();
                }
            }
            if (!*alive || modalResult_ != mrNone)
                break;
        }
        if (*alive) {
            result = modalResult_;
            modal_ = false;
            Hide();
        }
    } catch (...) {
        enableAgain();
        if (*alive)
            modal_ = false;
        throw;
    }
    enableAgain();
    if (previousActive && IsWindow(previousActive) && IsWindowVisible(previousActive))
        SetActiveWindow(previousActive);
    return result;
}

// ---------------------------------------------------------------------------------------------
// Messages

void TCustomForm::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_VISIBLECHANGED: CMShowingChanged(Message); break;
    case CM_RELEASE: CMRelease(Message); break;
    case CM_DIALOGKEY: CMDialogKey(Message); break;
    case WM_ACTIVATE: WMActivate(Message); break;
    case WM_CLOSE: WMClose(Message); break;
    case WM_SYSCOMMAND: WMSysCommand(Message); break;
    case WM_SIZE: WMSize(Message); break;
    default: TWinControl::Dispatch(Message);
    }
}

void TCustomForm::CMRelease(TMessage&) { Free(); }

void TCustomForm::CMDialogKey(TMessage& Message)
{
    if (GetKeyState(VK_MENU) >= 0) {
        switch (Message.WParam) {
        case VK_TAB:
            if (GetKeyState(VK_CONTROL) >= 0) {
                SelectNext(activeControl_, GetKeyState(VK_SHIFT) >= 0, true);
                Message.Result = 1;
                return;
            }
            break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            if (activeControl_ && activeControl_->Parent()) {
                activeControl_->Parent()->SelectNext(activeControl_,
                                                     Message.WParam == VK_RIGHT || Message.WParam == VK_DOWN, false);
                Message.Result = 1;
            }
            return;
        }
    }
    Broadcast(Message);
}

void TCustomForm::WMActivate(TMessage& Message)
{
    DefaultHandler(Message);
    const TAliveFlag alive = alive_;
    active_ = LOWORD(Message.WParam) != WA_INACTIVE;
    if (active_) {
        Screen->SetActive(this, activeControl_);
        if (!HIWORD(Message.WParam))
            FocusActiveControl();
        if (*alive && OnActivate)
            OnActivate(this);
    } else if (OnDeactivate) {
        OnDeactivate(this);
    }
}

void TCustomForm::WMClose(TMessage&) { Close(); }

void TCustomForm::WMSysCommand(TMessage& Message)
{
    // Minimizing the main form minimizes the whole application.
    if ((Message.WParam & 0xFFF0) == SC_MINIMIZE && Application->MainForm() == this) {
        Application->Minimize();
        return;
    }
    DefaultHandler(Message);
}

void TCustomForm::WMSize(TMessage& Message)
{
    if (IsWindowVisible(Handle())) {
        switch (Message.WParam) {
        case SIZE_MINIMIZED: windowState_ = wsMinimized; break;
        case SIZE_MAXIMIZED: windowState_ = wsMaximized; break;
        case SIZE_RESTORED: windowState_ = wsNormal; break;
        }
    }
    TWinControl::Dispatch(Message);
    if (clientHandle_)
        PlaceMDIClient();
}

}  // namespace cl

namespace cl {

TCustomForm* GetParentForm(TControl* Control)
{
    for (TControl* c = Control; c; c = c->Parent())
        if (auto* form = dynamic_cast<TCustomForm*>(c))
            return form;
    return nullptr;
}

}  // namespace cl
