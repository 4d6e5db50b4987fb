#include "skinforms/controls/TrayIcon.h"

#include <algorithm>
#include <cstring>

#include "classlib/platform/CallbackWindow.h"
#include "classlib/system/LibraryProc.h"

namespace sk {

using namespace cl;

static_assert(NOTIFYICONDATAA_V2_SIZE == TrayIconDataSize, "the 488-byte record");

namespace {

TskNotifyIconCall& NotifyIconCall()
{
    static TskNotifyIconCall call;
    return call;
}

TShiftState KeysHeld()
{
    TShiftState shift;
    if (GetAsyncKeyState(VK_SHIFT) < 0)
        shift += ssShift;
    if (GetAsyncKeyState(VK_CONTROL) < 0)
        shift += ssCtrl;
    if (GetAsyncKeyState(VK_MENU) < 0)
        shift += ssAlt;
    return shift;
}

}  // namespace

void SetNotifyIconCall(TskNotifyIconCall Call)
{
    NotifyIconCall() = std::move(Call);
}

TskTrayIcon::TskTrayIcon(TComponent* AOwner) : TComponent(AOwner)
{
    taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
    iconVisible_ = true;
    wnd_ = AllocateHWnd([this](TMessage& Message) { CallbackMessage(Message); });
    cycleTimer_ = new TTimer(this);
    cycleTimer_->SetEnabled(false);
    cycleTimer_->SetInterval(0);
    cycleTimer_->OnTimer = TNotifyEvent(this, &TskTrayIcon::CycleTimerTick);
    clickTimer_ = new TTimer(this);
    clickTimer_->SetEnabled(false);
    clickTimer_->SetInterval(GetDoubleClickTime());
    clickTimer_->OnTimer = TNotifyEvent(this, &TskTrayIcon::ClickTimerTick);

    data_.cbSize = TrayIconDataSize;
    data_.hWnd = wnd_;
    data_.uID = 1;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = WM_TRAYICONNOTIFY;

    if (ComponentState().Contains(csDesigning))
        return;
    if (icon_.Empty() && WantsAppIcon())
        icon_.Assign(Application->Icon());
    // The application window hears of minimizing and of a restarted shell.
    Application->Handle();
    savedAppProc_ = Application->WindowProc;
    Application->WindowProc = [this](TMessage& Message) { AppWindowProc(Message); };
    if (auto* form = dynamic_cast<TWinControl*>(AOwner)) {
        hookedForm_ = form;
        savedFormProc_ = form->WindowProc;
        form->WindowProc = [this](TMessage& Message) { FormWindowProc(Message); };
    }
}

TskTrayIcon::~TskTrayIcon()
{
    *alive_ = false;
    SetIconVisible(false);
    SetDesignPreview(false);
    DeallocateHWnd(wnd_);
    wnd_ = nullptr;
    // Put back in the reverse order of replacing.
    if (hookedForm_)
        hookedForm_->WindowProc = savedFormProc_;
    if (savedAppProc_)
        Application->WindowProc = savedAppProc_;
    SetPopupMenu(nullptr);
    SetIconList(nullptr);
}

void TskTrayIcon::Loaded()
{
    TComponent::Loaded();
    if (OwnerIsWindowed() && MinimizedOnStart && !ComponentState().Contains(csDesigning)) {
        iconVisible_ = true;
        MinimizeToTray = true;
        Application->SetShowMainForm(false);
        ShowWindow(Application->Handle(), SW_HIDE);
    }
    ModifyIcon();
    SetIconVisible(iconVisible_);
}

bool TskTrayIcon::OwnerIsWindowed() const
{
    return dynamic_cast<TWinControl*>(Owner()) != nullptr;
}

void TskTrayIcon::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    iconList_.Forget(AComponent, Operation);
    popupMenu_.Forget(AComponent, Operation);
    if (AComponent == hookedForm_) {
        // The form's procedure goes with the form.
        hookedForm_ = nullptr;
        savedFormProc_ = nullptr;
    }
}

// ---------------------------------------------------------------------------------------------
// The shell

void TskTrayIcon::PrepareData()
{
    data_.hIcon = icon_.Handle();
    std::memset(data_.szTip, 0, sizeof(data_.szTip));
    if (showHint_ && !hint_.empty())
        std::memcpy(data_.szTip, hint_.c_str(), std::min(hint_.size(), TrayTipLength));
}

bool TskTrayIcon::CallShell(DWORD Message)
{
    PrepareData();
    const bool designing = ComponentState().Contains(csDesigning);
    if (designing && !(inPreviewChange_ || (Message == NIM_MODIFY && designPreview_)))
        return false;
    if (NotifyIconCall())
        return NotifyIconCall()(Message, data_);
    return CL_LIBRARY_PROC("shell32.dll", Shell_NotifyIconA)(Message, &data_) != FALSE;
}

bool TskTrayIcon::AddIcon()
{
    if (!inPreviewChange_)
        iconVisible_ = true;
    return CallShell(NIM_ADD);
}

bool TskTrayIcon::DeleteIcon()
{
    if (!inPreviewChange_)
        iconVisible_ = false;
    return CallShell(NIM_DELETE);
}

bool TskTrayIcon::ModifyIcon()
{
    return CallShell(NIM_MODIFY);
}

// ---------------------------------------------------------------------------------------------
// Properties

void TskTrayIcon::SetIconVisible(bool Value)
{
    if (Value)
        AddIcon();
    else
        DeleteIcon();
}

void TskTrayIcon::SetDesignPreview(bool Value)
{
    designPreview_ = Value;
    inPreviewChange_ = true;
    if (ComponentState().Contains(csDesigning))
        SetIconVisible(Value);
    inPreviewChange_ = false;
}

void TskTrayIcon::SetIcon(TIcon* Value)
{
    icon_.Assign(Value);
    ModifyIcon();
}

void TskTrayIcon::SetHint(const AnsiString& Value)
{
    hint_ = Value;
    ModifyIcon();
}

void TskTrayIcon::SetShowHint(bool Value)
{
    showHint_ = Value;
    ModifyIcon();
}

void TskTrayIcon::SetCycleIcons(bool Value)
{
    cycleIcons_ = Value;
    if (Value)
        SetIconIndex(0);
    cycleTimer_->SetEnabled(Value);
}

void TskTrayIcon::SetAnimateTimerInterval(unsigned Value)
{
    cycleTimer_->SetInterval(Value);
}

void TskTrayIcon::SetIconList(TCustomImageList* Value)
{
    if (iconList_ == Value)
        return;
    iconList_.Set(Value);
    if (Value)
        SetIconIndex(0);
}

void TskTrayIcon::SetIconIndex(int Value)
{
    if (iconList_ && iconList_->Count() > 0) {
        iconIndex_ = std::clamp(Value, 0, iconList_->Count() - 1);
        iconList_->GetIcon(iconIndex_, &icon_);
    } else {
        iconIndex_ = 0;
    }
    ModifyIcon();
}

void TskTrayIcon::SetPopupMenu(TPopupMenu* Value)
{
    popupMenu_.Set(Value);
}

// ---------------------------------------------------------------------------------------------
// The main form

void TskTrayIcon::ShowMainForm()
{
    if (!OwnerIsWindowed() || !Application->MainForm())
        return;
    ShowWindow(Application->Handle(), SW_RESTORE);
    TCustomForm* form = Application->MainForm();
    form->SetVisible(true);
    if (form->WindowState() == wsMinimized)
        form->SetWindowState(wsNormal);
}

void TskTrayIcon::HideMainForm()
{
    if (!OwnerIsWindowed() || !Application->MainForm())
        return;
    Application->MainForm()->SetVisible(false);
    ShowWindow(Application->Handle(), SW_HIDE);
}

// ---------------------------------------------------------------------------------------------
// Events

void TskTrayIcon::Click()
{
    if (OnClick)
        OnClick(this);
}

void TskTrayIcon::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

void TskTrayIcon::Cycle(int NextIndex)
{
    if (OnCycle)
        OnCycle(this, NextIndex);
}

void TskTrayIcon::DoMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseDown)
        OnMouseDown(this, Button, Shift, X, Y);
}

void TskTrayIcon::DoMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseUp)
        OnMouseUp(this, Button, Shift, X, Y);
}

void TskTrayIcon::DoMouseMove(TShiftState Shift, int X, int Y)
{
    if (OnMouseMove)
        OnMouseMove(this, Shift, X, Y);
}

void TskTrayIcon::DoMinimizeToTray()
{
    HideMainForm();
}

// ---------------------------------------------------------------------------------------------
// Messages

void TskTrayIcon::CallbackMessage(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_TRAYICONNOTIFY:
        if (Enabled)
            TrayNotify(static_cast<UINT>(Message.LParam));
        return;
    case WM_DESTROY:
    case WM_CLOSE:
    case WM_QUERYENDSESSION:
    case WM_QUIT:
    case WM_USERCHANGED:
        Message.Result = 1;
        return;
    default:
        Message.Result = DefWindowProcA(wnd_, Message.Msg, Message.WParam, Message.LParam);
    }
}

void TskTrayIcon::TrayNotify(UINT MouseMessage)
{
    const TShiftState shift = KeysHeld();
    POINT p{};
    GetCursorPos(&p);
    const int x = p.x;
    const int y = p.y;
    switch (MouseMessage) {
    case WM_MOUSEMOVE: DoMouseMove(shift, x, y); break;
    case WM_LBUTTONDOWN: {
        clickTimer_->SetEnabled(false);
        clickTimer_->SetEnabled(true);
        const auto alive = alive_;
        DoMouseDown(mbLeft, shift + ssLeft, x, y);
        if (!*alive)
            return;
        waitClick_ = true;
        if (PopupByLeftButton)
            ShowPopup();
        break;
    }
    case WM_LBUTTONUP: {
        const auto alive = alive_;
        if (waitClick_) {
            clickPending_ = true;
            if (!clickTimer_->Enabled()) {
                clickPending_ = false;
                waitClick_ = false;
                Click();
                if (!*alive)
                    return;
            }
        }
        waitClick_ = false;
        DoMouseUp(mbLeft, shift + ssLeft, x, y);
        break;
    }
    case WM_LBUTTONDBLCLK: {
        clickPending_ = false;
        dblClicked_ = true;
        const auto alive = alive_;
        DblClick();
        if (!*alive)
            return;
        if (popupMenu_ && popupMenu_->AutoPopup() && !PopupByLeftButton) {
            TMenuItem* root = popupMenu_->Items();
            for (int i = 0; i < root->Count(); ++i)
                if (root->Items(i)->Default()) {
                    root->Items(i)->Click();
                    break;
                }
        }
        break;
    }
    case WM_RBUTTONDOWN: {
        const auto alive = alive_;
        DoMouseDown(mbRight, shift + ssRight, x, y);
        if (*alive)
            ShowPopup();
        break;
    }
    case WM_RBUTTONUP: DoMouseUp(mbRight, shift + ssRight, x, y); break;
    case WM_MBUTTONDOWN: DoMouseDown(mbMiddle, shift + ssMiddle, x, y); break;
    case WM_MBUTTONUP: DoMouseUp(mbMiddle, shift + ssMiddle, x, y); break;
    case TrayBalloonClick:
        if (OnBalloonHintClick)
            OnBalloonHintClick(this);
        break;
    default: break;
    }
}

void TskTrayIcon::ShowPopup()
{
    POINT p{};
    if (!popupMenu_ || !popupMenu_->AutoPopup() || !GetCursorPos(&p))
        return;
    const auto alive = alive_;
    Application->ProcessMessages();
    // What ran meanwhile may have freed the icon or its menu.
    if (!*alive || !popupMenu_)
        return;
    SetForegroundWindow(wnd_);
    if (OwnerIsWindowed())
        popupMenu_->SetPopupComponent(this);
    popupMenu_->Popup(p.x, p.y);
    if (!*alive)
        return;
    if (auto* form = dynamic_cast<TWinControl*>(Owner()); form && form->HandleAllocated())
        PostMessageA(form->Handle(), WM_NULL, 0, 0);
}

void TskTrayIcon::ClickTimerTick(TObject*)
{
    clickTimer_->SetEnabled(false);
    const bool click = !dblClicked_ && clickPending_;
    dblClicked_ = false;
    if (click) {
        clickPending_ = false;
        Click();
    }
}

void TskTrayIcon::CycleTimerTick(TObject*)
{
    if (!iconList_ || iconList_->Count() == 0)
        return;
    const int count = iconList_->Count();
    iconIndex_ = std::clamp(iconIndex_, 0, count - 1);
    iconList_->GetIcon(iconIndex_, &icon_);
    const auto alive = alive_;
    Cycle(count > iconIndex_ + 1 ? iconIndex_ + 1 : 0);
    if (!*alive || !iconList_ || iconList_->Count() == 0)
        return;
    ModifyIcon();
    iconIndex_ = iconIndex_ >= iconList_->Count() - 1 ? 0 : iconIndex_ + 1;
}

void TskTrayIcon::AppWindowProc(TMessage& Message)
{
    if (Message.Msg == WM_SIZE && Message.WParam == SIZE_MINIMIZED && MinimizeToTray) {
        DoMinimizeToTray();
        SetIconVisible(true);
    } else if (Message.Msg == WM_WINDOWPOSCHANGED && firstPosChange_) {
        TCustomForm* main = Application->MainForm();
        if (main && main->FormStyle() == fsMDIForm && MinimizedOnStart)
            ShowWindow(Application->Handle(), SW_HIDE);
        firstPosChange_ = false;
    } else if (Message.Msg == taskbarCreated_ && iconVisible_) {
        // The shell started again and knows no icons.
        AddIcon();
    }
    savedAppProc_(Message);
}

void TskTrayIcon::FormWindowProc(TMessage& Message)
{
    if (Message.Msg == WM_ACTIVATE && (LOWORD(Message.WParam) == WA_ACTIVE || LOWORD(Message.WParam) == WA_CLICKACTIVE)) {
        if (TWinControl* active = Screen->ActiveControl(); active && active->HandleAllocated()) {
            HWND wnd = active->Handle();
            HWND parent = GetParent(wnd);
            HWND own = parent ? parent : wnd;
            if (own != reinterpret_cast<HWND>(Message.LParam))
                SetFocus(wnd);
        }
    } else if (Message.Msg == WM_SHOWWINDOW && Message.WParam == 1 && Message.LParam == 0) {
        ShowWindow(Application->Handle(), SW_RESTORE);
        SetForegroundWindow(Application->Handle());
        if (hookedForm_ && hookedForm_->HandleAllocated())
            SetForegroundWindow(hookedForm_->Handle());
    }
    if (savedFormProc_)
        savedFormProc_(Message);
}

}  // namespace sk
