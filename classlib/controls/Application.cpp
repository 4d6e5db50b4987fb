// TApplication: the hidden application window, the message loop, idle work, minimizing and
// restoring the program, and where exceptions caught at the platform's entries end up.
#include <objbase.h>

#include <algorithm>

#include "classlib/system/CoreConsts.h"
#include "classlib/system/ExceptionHooks.h"
#include "classlib/controls/ExtCtrls.h"
#include "classlib/controls/Forms.h"
#include "classlib/classes/Threads.h"

namespace cl {

namespace {
constexpr char AppWindowClass[] = "TApplication";

void ApplicationHandler(TObject* Sender)
{
    Application->HandleException(Sender);
}

void ApplicationHintMouseMessage(TControl* Control, TMessage& Message)
{
    Application->DoHintMouseMessage(Control, Message);
}
}  // namespace

TScreen* Screen = new TScreen(nullptr);
TApplication* Application = new TApplication(nullptr);

LRESULT CALLBACK AppWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    auto* app = reinterpret_cast<TApplication*>(GetWindowLongPtrA(Wnd, GWLP_USERDATA));
    if (!app)
        return DefWindowProcA(Wnd, Msg, WParam, LParam);
    TMessage message{Msg, WParam, LParam, 0};
    try {
        app->WindowProc(message);
    } catch (...) {
        app->HandleException(app);
    }
    return message.Result;
}

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner)
{
    WindowProc = [this](TMessage& Message) { WndProc(Message); };
    HandleEntryException = ApplicationHandler;
    HintMouseMessage = ApplicationHintMouseMessage;
}

TApplication::~TApplication()
{
    if (handle_) {
        SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
        DestroyWindow(handle_);
    }
    if (comInitialized_)
        CoUninitialize();
}

// ---------------------------------------------------------------------------------------------
// The application window

HWND TApplication::Handle()
{
    if (!handle_)
        CreateHandle();
    return handle_;
}

void TApplication::CreateHandle()
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA existing{};
    if (!GetClassInfoA(instance, AppWindowClass, &existing)) {
        WNDCLASSA cls{};
        cls.lpfnWndProc = AppWndProc;
        cls.hInstance = instance;
        cls.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
        cls.hCursor = LoadCursor(nullptr, IDC_ARROW);
        cls.lpszClassName = AppWindowClass;
        if (!RegisterClassA(&cls))
            throw EOutOfResources(consts::SOutOfResources);
    }
    // No size and no visible frame: the window exists for its taskbar button and as the
    // owner of the forms.
    handle_ = CreateWindowExA(0, AppWindowClass, title_.c_str(),
                              WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                              GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, nullptr,
                              nullptr, instance, nullptr);
    if (!handle_)
        throw EOutOfResources(consts::SOutOfResources);
    SetWindowLongPtrA(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    if (HICON icon = Icon()->Handle())
        SendMessageA(handle_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    // A thread that queues a synchronized call wakes the loop with an empty message.
    WakeMainThread = [] {
        TApplication* app = Application;
        if (app && app->HandleAllocated())
            PostMessageA(app->Handle(), WM_NULL, 0, 0);
    };
}

void TApplication::Initialize()
{
    if (!comInitialized_)
        comInitialized_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    Handle();
}

TIcon* TApplication::Icon()
{
    if (!iconLoaded_) {
        iconLoaded_ = true;
        if (HICON shared = LoadIconA(GetModuleHandleA(nullptr), "MAINICON"))
            icon_.SetHandle(CopyIcon(shared));
        icon_.OnChange = [this](TObject*) {
            if (handle_)
                SendMessageA(handle_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.Handle()));
        };
    }
    return &icon_;
}

void TApplication::SetTitle(const AnsiString& Value)
{
    title_ = Value;
    if (handle_)
        SetWindowTextA(handle_, Value.c_str());
}

void TApplication::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_SYSCOMMAND:
        switch (Message.WParam & 0xFFF0) {
        case SC_MINIMIZE: Minimize(); return;
        case SC_RESTORE: Restore(); return;
        }
        break;
    case WM_CLOSE:
        if (mainForm_)
            mainForm_->Close();
        return;
    case WM_NULL:
        CheckSynchronize();
        return;
    case CM_MOUSECONTROLCHECK:
        DoMouseIdle();
        return;
    case WM_ACTIVATEAPP:
        if (Message.WParam ? static_cast<bool>(OnActivate) : static_cast<bool>(OnDeactivate))
            (Message.WParam ? OnActivate : OnDeactivate)(this);
        break;
    }
    Message.Result = DefWindowProcA(handle_, Message.Msg, Message.WParam, Message.LParam);
}

// ---------------------------------------------------------------------------------------------
// Forms

void TApplication::FormCreated(TCustomForm* Form)
{
    if (!mainForm_) {
        mainForm_ = Form;
        Form->HandleNeeded();
    }
    Form->AfterConstruction();
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == mainForm_)
        mainForm_ = nullptr;
    if (AComponent == mouseControl_)
        mouseControl_ = nullptr;
    if (AComponent == hintControl_) {
        hintControl_ = nullptr;
        HideHint();
    }
    if (AComponent == hintWindow_)
        hintWindow_ = nullptr;
    if (AComponent == hintTimer_)
        hintTimer_ = nullptr;
    std::erase(hiddenByMinimize_, AComponent);
}

// ---------------------------------------------------------------------------------------------
// The message loop

bool TApplication::IsKeyMsg(MSG& Msg)
{
    if (Msg.message < WM_KEYFIRST || Msg.message > WM_KEYLAST)
        return false;
    HWND wnd = GetCapture();
    if (!wnd) {
        // The nearest window of ours: foreign child windows know nothing of CN_ messages.
        wnd = Msg.hwnd;
        while (wnd && !TWinControl::FindControl(wnd))
            wnd = GetParent(wnd);
        if (!wnd)
            return false;
    } else if (!TWinControl::FindControl(wnd)) {
        return false;
    }
    return SendMessageA(wnd, CN_BASE + Msg.message, Msg.wParam, Msg.lParam) != 0;
}

bool TApplication::ProcessMessage(MSG& Msg)
{
    if (!PeekMessageA(&Msg, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (Msg.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    if (CancelsHint(Msg))
        CancelHint();
    bool handled = false;
    if (OnMessage)
        OnMessage(Msg, handled);
    if (!handled && !IsKeyMsg(Msg)) {
        TranslateMessage(&Msg);
        DispatchMessageA(&Msg);
    }
    if (Msg.message == WM_MOUSELEAVE || Msg.message == WM_MOUSEMOVE)
        DoMouseIdle();
    return true;
}

void TApplication::HandleMessage()
{
    MSG msg;
    try {
        if (!ProcessMessage(msg))
            Idle();
    } catch (...) {
        HandleException(this);
    }
}

void TApplication::Idle()
{
    DoMouseIdle();
    CheckSynchronize();
    bool done = true;
    if (OnIdle)
        OnIdle(this, done);
    if (done)
        WaitMessage();
}

void TApplication::ProcessMessages()
{
    MSG msg;
    for (;;) {
        try {
            if (!ProcessMessage(msg))
                return;
        } catch (...) {
            HandleException(this);
        }
    }
}

void TApplication::Run()
{
    if (mainForm_ && showMainForm_) {
        if (mainForm_->WindowState() == wsMinimized)
            Minimize();
        else
            mainForm_->SetVisible(true);
    }
    while (!terminated_)
        HandleMessage();
}

void TApplication::Terminate() { PostQuitMessage(0); }

// ---------------------------------------------------------------------------------------------
// Minimize and restore

void TApplication::Minimize()
{
    if (minimized_)
        return;
    minimized_ = true;
    // The forms leave with the application and come back with it; their Visible stays.
    hiddenByMinimize_.clear();
    for (int i = 0; i < Screen->FormCount(); ++i) {
        TCustomForm* form = Screen->Forms(i);
        if (!form->Parent() && form->HandleAllocated() && IsWindowVisible(form->Handle())) {
            hiddenByMinimize_.push_back(form);
            form->FreeNotification(this);
            ShowWindow(form->Handle(), SW_HIDE);
        }
    }
    ShowWindow(Handle(), SW_MINIMIZE);
    if (OnMinimize)
        OnMinimize(this);
}

void TApplication::Restore()
{
    if (!minimized_)
        return;
    minimized_ = false;
    ShowWindow(Handle(), SW_RESTORE);
    // The application window itself keeps no size: only its forms are seen.
    SetWindowPos(handle_, nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    const auto forms = hiddenByMinimize_;
    hiddenByMinimize_.clear();
    for (TCustomForm* form : forms) {
        if (!form->Visible() || !form->HandleAllocated())
            continue;
        ShowWindow(form->Handle(), IsIconic(form->Handle()) ? SW_RESTORE : SW_SHOWNA);
        if (form->WindowState() == wsMinimized)
            form->windowState_ = wsNormal;
    }
    if (mainForm_ && mainForm_->HandleAllocated() && IsWindowVisible(mainForm_->Handle()))
        SetActiveWindow(mainForm_->Handle());
    if (OnRestore)
        OnRestore(this);
}

// ---------------------------------------------------------------------------------------------
// Exceptions

void TApplication::HandleException(TObject* Sender)
{
    std::exception_ptr error = std::current_exception();
    if (!error)
        return;
    auto& hooks = ExceptionHooks();
    if (hooks.OnException && hooks.OnException(error, Sender, TCatchPoint::Application))
        return;
    try {
        std::rethrow_exception(error);
    } catch (const EAbort&) {
        // Silent by design.
    } catch (const std::exception& e) {
        if (OnException)
            OnException(Sender, e);
        else
            ShowException(e);
    } catch (...) {
        if (!OnException)
            ShowException(Exception(consts::SUnknownException));
    }
}

void TApplication::ShowException(const std::exception& E)
{
    // An error while showing an error must not open a second box.
    if (handlingException_)
        return;
    handlingException_ = true;
    AnsiString text = E.what();
    if (!text.empty() && text.back() != '.')
        text += '.';
    MessageBoxA(GetActiveWindow(), text.c_str(), title_.c_str(), MB_OK | MB_ICONSTOP);
    handlingException_ = false;
}

// ---------------------------------------------------------------------------------------------
// The control under the mouse

void TApplication::ForgetIfUnreferenced(TComponent* Component)
{
    // One subscription serves every reference the application holds to a component.
    if (Component == mouseControl_ || Component == hintControl_ || Component == mainForm_)
        return;
    if (std::find(hiddenByMinimize_.begin(), hiddenByMinimize_.end(), Component) != hiddenByMinimize_.end())
        return;
    Component->RemoveFreeNotification(this);
}

void TApplication::SetMouseControl(TControl* Control)
{
    TControl* old = mouseControl_;
    mouseControl_ = Control;
    if (old && old != Control)
        ForgetIfUnreferenced(old);
    if (Control)
        Control->FreeNotification(this);
}

void TApplication::DoMouseIdle()
{
    // Each check, posted or idle, ends the wait for a posted one: a posted check that a modal
    // loop or a message filter dropped never comes, and must not keep later changes from posting.
    mouseControlCheckPosted_ = false;
    POINT p{};
    GetCursorPos(&p);
    TControl* target = FindDragTarget({p.x, p.y}, true);
    if (!target && hintControl_)
        CancelHint();
    if (target == mouseControl_)
        return;
    TControl* captured = GetCaptureControl();
    TControl* previous = mouseControl_;
    // While a control holds the mouse, only it hears that the mouse left or came back.
    if (previous && (!captured || previous == captured)) {
        previous->Perform(CM_MOUSELEAVE);
    }
    if (mouseControl_ != previous)
        return;  // the handler moved things on
    SetMouseControl(target);
    if (!target)
        return;
    // The pointer may have come here with no move this window saw (a control or a new skin put
    // something under it, or it moved while the window was disabled under a modal dialog): ask
    // for the leave notice a move would have asked for, or a jump out of the window in one move
    // leaves the control hot.
    auto* window = dynamic_cast<TWinControl*>(target);
    if (TWinControl* holder = window ? window : target->Parent())
        holder->TrackMouseLeave();
    if (!captured || target == captured)
        target->Perform(CM_MOUSEENTER);
}

void TApplication::MouseControlMayHaveChanged()
{
    // One check serves every move of a layout or a skin change.
    if (mouseControlCheckPosted_)
        return;
    mouseControlCheckPosted_ = PostMessageA(Handle(), CM_MOUSECONTROLCHECK, 0, 0) != FALSE;
}

TControl* FindDragTarget(const TPoint& Pos, bool AllowDisabled)
{
    HWND wnd = WindowFromPoint({Pos.X, Pos.Y});
    TWinControl* win = TWinControl::FindControl(wnd);
    if (!win)
        return nullptr;
    if (TControl* child = win->ControlAtPos(win->ScreenToClient(Pos), AllowDisabled))
        return child;
    return win;
}

void ShowMessage(const AnsiString& Msg)
{
    MessageBoxA(GetActiveWindow(), Msg.c_str(), Application->Title().c_str(), MB_OK);
}

}  // namespace cl
