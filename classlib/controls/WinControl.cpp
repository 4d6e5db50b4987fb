// TWinControl: the window behind a control, its children and how messages reach them.
#include <algorithm>
#include <mutex>
#include <unordered_map>

#include "classlib/controls/Controls.h"
#include "classlib/system/CoreConsts.h"
#include "classlib/controls/Forms.h"
#include "classlib/graphics/GdiHandles.h"
#include "classlib/platform/WindowOrder.h"

namespace cl {

namespace {
// Which control a window belongs to, asked on every message. Kept in the process, not as a
// window property: the platform answers a property lookup through its window server, a round
// trip per message that made a form of many controls several times slower to show than bare
// windows. Windows may be made on more than one thread, hence the lock.
class TWindowOwners {
public:
    void Bind(HWND Wnd, TWinControl* Control)
    {
        const std::lock_guard<std::mutex> hold(lock_);
        owners_[Wnd] = Control;
    }
    void Unbind(HWND Wnd, TWinControl* Control)
    {
        const std::lock_guard<std::mutex> hold(lock_);
        auto it = owners_.find(Wnd);
        if (it != owners_.end() && it->second == Control)
            owners_.erase(it);
    }
    TWinControl* Find(HWND Wnd)
    {
        const std::lock_guard<std::mutex> hold(lock_);
        auto it = owners_.find(Wnd);
        return it != owners_.end() ? it->second : nullptr;
    }

private:
    std::mutex lock_;
    std::unordered_map<HWND, TWinControl*> owners_;
};

// Never destroyed: a window's last messages may come after static destruction has begun.
TWindowOwners& WindowOwners()
{
    static auto* owners = new TWindowOwners;
    return *owners;
}

// The control whose window CreateWindowEx is making: the window procedure binds it on the
// window's first message, so even the creation messages reach the control.
thread_local TWinControl* creatingControl = nullptr;

template <class T>
void EraseFrom(std::vector<T*>& list, TControl* item)
{
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

// A child window whose client area is the whole window: no border, caption or scroll bar.
bool IsBareChild(HWND Wnd)
{
    if (!(GetWindowLongA(Wnd, GWL_STYLE) & WS_CHILD))
        return false;
    RECT window{}, client{};
    GetWindowRect(Wnd, &window);
    GetClientRect(Wnd, &client);
    return window.right - window.left == client.right && window.bottom - window.top == client.bottom;
}
}  // namespace

// The one window procedure of every control's window.
LRESULT CALLBACK StdWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    TWinControl* control = WindowOwners().Find(Wnd);
    if (!control && creatingControl) {
        control = creatingControl;
        creatingControl = nullptr;
        control->AttachHandle(Wnd);
    }
    if (!control)
        return DefWindowProcA(Wnd, Msg, WParam, LParam);
    TMessage message{Msg, WParam, LParam, 0};
    try {
        control->WindowProc(message);
    } catch (...) {
        HandleEntryException(control);
    }
    return message.Result;
}

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl()
{
    // Direct deletion skips BeforeDestruction: the window must not outlive the object.
    if (handle_)
        DestroyHandle();
}

void TWinControl::BeforeDestruction()
{
    if (handle_)
        DestroyHandle();
    // Children go with their parent, unless their owner frees them first (then they leave).
    while (!controls_.empty() || !winControls_.empty()) {
        TControl* child = !winControls_.empty() ? static_cast<TControl*>(winControls_.back()) : controls_.back();
        if (child->Owner() == nullptr || child->Owner() == this) {
            child->Free();
        } else {
            RemoveControl(child);
        }
    }
    TControl::BeforeDestruction();
}

TWinControl* TWinControl::FindControl(HWND Wnd)
{
    if (!Wnd)
        return nullptr;
    return WindowOwners().Find(Wnd);
}

void TWinControl::AttachHandle(HWND Wnd)
{
    handle_ = Wnd;
    WindowOwners().Bind(Wnd, this);
}

void TWinControl::DetachHandle()
{
    if (handle_)
        WindowOwners().Unbind(handle_, this);
    handle_ = nullptr;
}

// ---------------------------------------------------------------------------------------------
// The window

HWND TWinControl::Handle()
{
    HandleNeeded();
    return handle_;
}

void TWinControl::HandleNeeded()
{
    if (handle_)
        return;
    if (Parent())
        Parent()->HandleNeeded();
    if (!handle_)
        CreateHandle();
}

void TWinControl::CreateParams(TCreateParams& Params)
{
    Params.Caption = text_;
    Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (ControlStyle().Contains(csAcceptsControls))
        Params.Style |= WS_CLIPCHILDREN;
    if (Visible())
        Params.Style |= WS_VISIBLE;
    if (!Enabled())
        Params.Style |= WS_DISABLED;
    if (tabStop_)
        Params.Style |= WS_TABSTOP;
    Params.X = Left();
    Params.Y = Top();
    Params.Width = Width();
    Params.Height = Height();
    if (Parent())
        Params.WndParent = Parent()->Handle();
    Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW;
    if (ControlStyle().Contains(csDoubleClicks))
        Params.WindowClass.style |= CS_DBLCLKS;
    Params.WindowClass.lpfnWndProc = DefWindowProcA;
    // Loaded once: each load asks the platform's display settings again.
    static const HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    Params.WindowClass.hCursor = arrow;
    Params.WindowClass.hInstance = GetModuleHandleA(nullptr);
    Params.WinClassName = ClassName();
}

void TWinControl::CreateSubClass(TCreateParams& Params, const char* ControlClassName)
{
    WNDCLASSA native{};
    if (!GetClassInfoA(nullptr, ControlClassName, &native))
        throw EOutOfResources(consts::SOutOfResources);
    const UINT keepStyle = Params.WindowClass.style & CS_DBLCLKS;
    Params.WindowClass = native;
    Params.WindowClass.style = (native.style & ~CS_GLOBALCLASS & ~CS_DBLCLKS) | keepStyle;
    Params.WindowClass.hInstance = GetModuleHandleA(nullptr);
}

void TWinControl::CreateWnd()
{
    TCreateParams params;
    CreateParams(params);
    defWndProc_ = params.WindowClass.lpfnWndProc;
    WNDCLASSA existing{};
    if (!GetClassInfoA(params.WindowClass.hInstance, params.WinClassName.c_str(), &existing) ||
        existing.lpfnWndProc != StdWndProc) {
        WNDCLASSA cls = params.WindowClass;
        cls.lpfnWndProc = StdWndProc;
        cls.lpszClassName = params.WinClassName.c_str();
        if (!RegisterClassA(&cls))
            throw EOutOfResources(consts::SOutOfResources);
    }
    CreateWindowHandle(params);
    if (!handle_)
        throw EOutOfResources(consts::SOutOfResources);
    SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), 0);
}

void TWinControl::CreateWindowHandle(const TCreateParams& Params)
{
    creatingControl = this;
    HWND wnd = CreateWindowExA(Params.ExStyle, Params.WinClassName.c_str(), Params.Caption.c_str(), Params.Style,
                               Params.X, Params.Y, Params.Width, Params.Height, Params.WndParent, nullptr,
                               Params.WindowClass.hInstance, Params.Param);
    creatingControl = nullptr;
    // The window procedure bound it; a window that went away during creation leaves none.
    if (!wnd)
        handle_ = nullptr;
}

void TWinControl::CreateHandle()
{
    if (handle_)
        return;
    SetControlState(ControlState() + csCreating);
    try {
        CreateWnd();
    } catch (...) {
        SetControlState(ControlState() - csCreating);
        throw;
    }
    SetControlState(ControlState() - csCreating);
    CreateChildHandles();
    AlignNow();
}

void TWinControl::CreateChildHandles()
{
    // Copy: creating a child's window may run code that changes the list.
    const auto children = winControls_;
    for (TWinControl* child : children)
        if (!child->handle_)
            child->CreateHandle();
}

void TWinControl::DestroyWnd() { DestroyWindowHandle(); }

void TWinControl::DestroyWindowHandle()
{
    if (handle_)
        DestroyWindow(handle_);
    // WM_NCDESTROY detached it; a window that never got it is forgotten all the same.
    DetachHandle();
}

void TWinControl::DestroyHandle()
{
    if (!handle_)
        return;
    const TAliveFlag alive = alive_;
    SetControlState(ControlState() + csDestroyingHandle);
    // The platform would destroy the children's windows with this one without their
    // DestroyWnd, and with it what only those windows know (typed text, items, tabs).
    // Copy: a child's DestroyWnd may run code that changes the list.
    const auto children = winControls_;
    // The mouse is given up once for the whole tree, before any of its windows goes: asking
    // the platform who holds it is a round trip to its window server.
    if (!(Parent() && Parent()->ControlState().Contains(csDestroyingHandle)))
        if (TControl* captured = GetCaptureControl(); captured && ContainsControl(captured)) {
            SetCaptureControl(nullptr);
            if (!*alive)
                return;
        }
    // Hidden first, as the platform hides a window it destroys (activation and focus still
    // left to the destruction): a child window that goes from a shown window repaints the
    // window under it, once for every child of a form.
    if (!children.empty() && IsWindowVisible(handle_)) {
        SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
        if (!*alive)
            return;
    }
    for (TWinControl* child : children) {
        if (std::find(winControls_.begin(), winControls_.end(), child) != winControls_.end())
            child->DestroyHandle();
        if (!*alive)
            return;
    }
    DestroyWnd();
    SetControlState(ControlState() - csDestroyingHandle);
}

void TWinControl::RecreateWnd()
{
    if (!handle_)
        return;
    // Text and bounds live in the object, so a new window starts where the old one was.
    text_ = GetText();
    DestroyHandle();
    HandleNeeded();
}

void TWinControl::WMNCDestroy(TMessage& Message)
{
    DefaultHandler(Message);
    // Windowed children were destroyed with this window before this message.
    DetachHandle();
}

// ---------------------------------------------------------------------------------------------
// Children

TControl* TWinControl::Controls(int Index) const
{
    const int graphic = static_cast<int>(controls_.size());
    if (Index < 0 || Index >= ControlCount())
        throw EListError(Format(consts::SListIndexError, Index));
    return Index < graphic ? controls_[Index] : winControls_[Index - graphic];
}

bool TWinControl::ContainsControl(TControl* Control) const
{
    for (TControl* c = Control; c; c = c->Parent())
        if (c == this)
            return true;
    return false;
}

void TWinControl::InsertControl(TControl* AControl)
{
    AControl->parent_ = this;
    if (auto* win = dynamic_cast<TWinControl*>(AControl)) {
        winControls_.push_back(win);
        tabList_.push_back(win);
    } else {
        controls_.push_back(AControl);
    }
    AControl->Perform(CM_PARENTFONTCHANGED);
    AControl->Perform(CM_PARENTCOLORCHANGED);
    if (AControl->ParentShowHint())
        AControl->showHint_ = ShowHint();
    if (auto* win = dynamic_cast<TWinControl*>(AControl)) {
        if (win->handle_)
            ::SetParent(win->handle_, Handle());
        else if (handle_)
            win->CreateHandle();
    } else {
        AControl->Invalidate();
    }
    Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(AControl), 1);
    ControlsAlignChanged(AControl);
}

void TWinControl::RemoveControl(TControl* AControl)
{
    if (AControl->parent_ != this)
        return;
    Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(AControl), 0);
    if (auto* win = dynamic_cast<TWinControl*>(AControl)) {
        // A windowed child without a parent has no window (and gives up the mouse with it).
        win->DestroyHandle();
        EraseFrom(winControls_, win);
        EraseFrom(tabList_, win);
    } else {
        if (AControl->MouseCapture())
            SetCaptureControl(nullptr);
        AControl->Invalidate();
        EraseFrom(controls_, AControl);
    }
    AControl->parent_ = nullptr;
    for (TWinControl* p = this; p; p = p->Parent())
        if (p->IsForm())
            p->ControlRemoved(AControl);
    ControlsAlignChanged(AControl);
}

TControl* TWinControl::ControlAtPos(const TPoint& Pos, bool AllowDisabled, bool AllowWinControls)
{
    auto hit = [&](TControl* c) {
        return c->Visible() && (AllowDisabled || c->Enabled()) && PtInRect(c->BoundsRect(), Pos);
    };
    if (AllowWinControls)
        for (auto it = winControls_.rbegin(); it != winControls_.rend(); ++it)
            if (hit(*it))
                return *it;
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it)
        if (hit(*it))
            return *it;
    return nullptr;
}

void TWinControl::Broadcast(TMessage& Message)
{
    for (int i = 0; i < ControlCount(); ++i) {
        Controls(i)->WindowProc(Message);
        if (Message.Result != 0)
            return;
    }
}

// ---------------------------------------------------------------------------------------------
// Bounds, painting

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TWinControl::BoundsChanged(const TRect&)
{
    if (!handle_) {
        AlignNow();
        return;
    }
    // The handlers of the move may free this control: nothing of it is read afterwards.
    const HWND wnd = handle_;
    SetWindowPos(wnd, nullptr, Left(), Top(), Width(), Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    if (IsWindowVisible(wnd))
        Application->MouseControlMayHaveChanged();
}

TRect TWinControl::ClientRect()
{
    if (!handle_)
        return TControl::ClientRect();
    RECT r{};
    GetClientRect(handle_, &r);
    return {r.left, r.top, r.right, r.bottom};
}

TPoint TWinControl::ClientOrigin()
{
    if (!handle_)
        return TControl::ClientOrigin();
    POINT p{0, 0};
    ::ClientToScreen(handle_, &p);
    return {p.x, p.y};
}

void TWinControl::Invalidate()
{
    if (handle_)
        InvalidateRect(handle_, nullptr, !ControlStyle().Contains(csOpaque));
}

void TWinControl::Repaint()
{
    Invalidate();
    Update();
}

void TWinControl::Update()
{
    if (handle_)
        UpdateWindow(handle_);
}

void TWinControl::SetZOrder(bool TopMost)
{
    if (Parent()) {
        auto& list = Parent()->winControls_;
        auto it = std::find(list.begin(), list.end(), this);
        if (it != list.end()) {
            list.erase(it);
            if (TopMost)
                list.push_back(this);
            else
                list.insert(list.begin(), this);
        }
    }
    if (!handle_)
        return;
    // A window already at that end stays: the move would cost a round of window-order
    // messages for nothing. Not a topmost one sent to the back, though: the move also takes it
    // out of the topmost band.
    const bool alreadyThere = TopMost ? IsFirstOfItsBand(handle_)
                                      : !GetWindow(handle_, GW_HWNDNEXT) && !IsTopmostWindow(handle_);
    if (!alreadyThere)
        SetWindowPos(handle_, TopMost ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::SetEnabled(bool Value)
{
    if (Value == Enabled())
        return;
    TControl::SetEnabled(Value);
    if (handle_)
        EnableWindow(handle_, Value);
}

void TWinControl::SetTextValue(const AnsiString& Value)
{
    text_ = Value;
    if (handle_)
        SetWindowTextA(handle_, Value.c_str());
}

AnsiString TWinControl::GetText()
{
    if (!handle_)
        return text_;
    const int length = GetWindowTextLengthA(handle_);
    AnsiString s(static_cast<std::size_t>(length) + 1, '\0');
    const int got = GetWindowTextA(handle_, s.data(), length + 1);
    s.resize(static_cast<std::size_t>(std::max(got, 0)));
    return s;
}

void TWinControl::PaintWindow(HDC DC)
{
    TMessage message{WM_PAINT, reinterpret_cast<WPARAM>(DC), 0, 0};
    DefaultHandler(message);
}

void TWinControl::PaintControls(HDC DC, TControl* First)
{
    auto begin = controls_.begin();
    if (First)
        begin = std::find(controls_.begin(), controls_.end(), First);
    for (auto it = begin; it != controls_.end(); ++it) {
        TControl* c = *it;
        if (!c->Visible() || c->Width() <= 0 || c->Height() <= 0)
            continue;
        RECT clip{c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height()};
        if (!RectVisible(DC, &clip))
            continue;
        const TSavedDCState savedState(DC);
        POINT origin{};
        GetWindowOrgEx(DC, &origin);
        SetWindowOrgEx(DC, origin.x - c->Left(), origin.y - c->Top(), nullptr);
        IntersectClipRect(DC, 0, 0, c->Width(), c->Height());
        c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
    }
}

// ---------------------------------------------------------------------------------------------
// Messages

void TWinControl::DefaultHandler(TMessage& Message)
{
    if (!handle_) {
        Message.Result = 0;
        return;
    }
    // A window procedure of the platform only knows its own messages.
    if (Message.Msg >= CM_BASE && Message.Msg < CN_BASE + 0x400)
        return;
    // A bare child has no non-client area to draw, yet the platform's default would fetch a DC
    // of the whole window for it: for every control each time a form is shown.
    if (Message.Msg == WM_NCPAINT && IsBareChild(handle_)) {
        Message.Result = 0;
        return;
    }
    Message.Result = CallWindowProcA(defWndProc_ ? defWndProc_ : DefWindowProcA, handle_, Message.Msg, Message.WParam,
                                     Message.LParam);
}

bool TWinControl::IsControlMouseMsg(TMessage& Message)
{
    TControl* target = nullptr;
    TControl* captured = GetCaptureControl();
    if (captured && captured != this && captured->Parent() == this && GetCapture() == handle_)
        target = captured;
    else if (!captured || captured == this)
        target = ControlAtPos({Message.XPos(), Message.YPos()}, false);
    if (!target || dynamic_cast<TWinControl*>(target))
        return false;
    const int x = Message.XPos() - target->Left();
    const int y = Message.YPos() - target->Top();
    Message.Result = target->Perform(Message.Msg, Message.WParam, MAKELPARAM(static_cast<short>(x), static_cast<short>(y)));
    return true;
}

void TWinControl::TrackMouseLeave()
{
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, handle_, 0};
    if (handle_)
        TrackMouseEvent(&track);
}

void TWinControl::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_SETFOCUS: {
        const TAliveFlag alive = alive_;
        TWinControl* form = this;
        while (form->Parent() && !form->IsForm())
            form = form->Parent();
        if (form->IsForm() && !form->SetFocusedControl(this))
            return;
        if (!*alive)
            return;
        break;
    }
    case WM_MOUSEMOVE:
        TrackMouseLeave();
        break;
    default:
        break;
    }
    if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST && Message.Msg != WM_MOUSEWHEEL) {
        if (IsControlMouseMsg(Message)) {
            if (Message.Result == 0 && handle_)
                DefWindowProcA(handle_, Message.Msg, Message.WParam, Message.LParam);
            return;
        }
    }
    TControl::WndProc(Message);
}

void TWinControl::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PAINT: WMPaint(Message); break;
    case WM_PRINTCLIENT: WMPrintClient(Message); break;
    case WM_ERASEBKGND: WMEraseBkgnd(Message); break;
    case WM_SIZE: WMSize(Message); break;
    case WM_MOVE: WMMove(Message); break;
    case WM_WINDOWPOSCHANGED: WMWindowPosChanged(Message); break;
    case WM_COMMAND: WMCommand(Message); break;
    case WM_NOTIFY: WMNotify(Message); break;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORDLG: WMCtlColor(Message); break;
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM: WMDrawItem(Message); break;
    case WM_SETFOCUS: WMSetFocus(Message); break;
    case WM_KILLFOCUS: WMKillFocus(Message); break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: WMKeyDown(Message); break;
    case WM_KEYUP:
    case WM_SYSKEYUP: WMKeyUp(Message); break;
    case WM_CHAR: WMChar(Message); break;
    case WM_SETCURSOR: WMSetCursor(Message); break;
    case WM_NCDESTROY: WMNCDestroy(Message); break;
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN: CNKeyDown(Message); break;
    case CN_CHAR:
    case CN_SYSCHAR: CNChar(Message); break;
    case CM_DIALOGKEY: CMDialogKey(Message); break;
    case CM_DIALOGCHAR: CMDialogChar(Message); break;
    case CM_FOCUSCHANGED: CMFocusChanged(Message); break;
    case CM_VISIBLECHANGED: CMShowingChanged(Message); break;
    case CM_RECREATEWND: CMRecreateWnd(Message); break;
    case CM_FONTCHANGED:
        if (handle_)
            SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), 0);
        for (int i = 0; i < ControlCount(); ++i)
            Controls(i)->Perform(CM_PARENTFONTCHANGED);
        TControl::Dispatch(Message);
        break;
    case CM_COLORCHANGED:
        for (int i = 0; i < ControlCount(); ++i)
            Controls(i)->Perform(CM_PARENTCOLORCHANGED);
        TControl::Dispatch(Message);
        break;
    default: TControl::Dispatch(Message);
    }
}

void TWinControl::WMPaint(TMessage& Message)
{
    if (Message.WParam) {
        PaintHandler(reinterpret_cast<HDC>(Message.WParam));
        return;
    }
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(handle_, &ps);
    const TAliveFlag alive = alive_;
    try {
        PaintHandler(dc);
    } catch (...) {
        if (*alive)
            EndPaint(handle_, &ps);
        throw;
    }
    if (*alive)
        EndPaint(handle_, &ps);
}

void TWinControl::WMPrintClient(TMessage& Message)
{
    // Painting into a given DC: what tests and captures of the window use.
    if (Message.WParam)
        PaintHandler(reinterpret_cast<HDC>(Message.WParam));
}

void TWinControl::PaintHandler(HDC DC)
{
    const TAliveFlag alive = alive_;
    PaintWindow(DC);
    if (*alive)
        PaintControls(DC, nullptr);
}

void TWinControl::WMEraseBkgnd(TMessage& Message)
{
    if (!Message.WParam)
        return;
    HDC dc = reinterpret_cast<HDC>(Message.WParam);
    RECT r{};
    GetClientRect(handle_, &r);
    const TOwnedBrush brush(CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(Color()))));
    FillRect(dc, &r, brush.Handle());
    Message.Result = 1;
}

void TWinControl::WMSize(TMessage& Message)
{
    DefaultHandler(Message);
    AlignNow();
}

void TWinControl::WMMove(TMessage& Message) { DefaultHandler(Message); }

void TWinControl::WMWindowPosChanged(TMessage& Message)
{
    // The platform moved or sized the window (a user drag, a frame): the object follows.
    const auto* pos = reinterpret_cast<const WINDOWPOS*>(Message.LParam);
    DefaultHandler(Message);
    if (!pos || !handle_)
        return;
    // The message holds where the window now is, in its parent's client coordinates (the
    // screen's for a top-level window); asking the platform again would cost round trips to
    // its window server for every window a form shows.
    const int left = pos->flags & SWP_NOMOVE ? Left() : pos->x;
    const int top = pos->flags & SWP_NOMOVE ? Top() : pos->y;
    const int width = pos->flags & SWP_NOSIZE ? Width() : pos->cx;
    const int height = pos->flags & SWP_NOSIZE ? Height() : pos->cy;
    const bool resized = width != Width() || height != Height();
    const bool moved = left != Left() || top != Top();
    if (!resized && !moved)
        return;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    RequestAlign();
    if (IsWindowVisible(handle_))
        Application->MouseControlMayHaveChanged();
    AlignNow();
    if (resized)
        Resize();
}

void TWinControl::WMCommand(TMessage& Message)
{
    // Reflected to the child that sent it.
    if (TWinControl* child = FindControl(reinterpret_cast<HWND>(Message.LParam))) {
        Message.Result = child->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
        return;
    }
    DefaultHandler(Message);
}

void TWinControl::WMNotify(TMessage& Message)
{
    const auto* header = reinterpret_cast<const NMHDR*>(Message.LParam);
    if (header)
        if (TWinControl* child = FindControl(header->hwndFrom)) {
            Message.Result = child->Perform(CN_NOTIFY, Message.WParam, Message.LParam);
            return;
        }
    DefaultHandler(Message);
}

void TWinControl::WMCtlColor(TMessage& Message)
{
    if (TWinControl* child = FindControl(reinterpret_cast<HWND>(Message.LParam))) {
        Message.Result = child->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
        return;
    }
    DefaultHandler(Message);
}

void TWinControl::WMDrawItem(TMessage& Message)
{
    HWND item = nullptr;
    switch (Message.Msg) {
    case WM_DRAWITEM: item = reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam)->hwndItem; break;
    case WM_DELETEITEM: item = reinterpret_cast<const DELETEITEMSTRUCT*>(Message.LParam)->hwndItem; break;
    case WM_COMPAREITEM: item = reinterpret_cast<const COMPAREITEMSTRUCT*>(Message.LParam)->hwndItem; break;
    case WM_MEASUREITEM: {
        // The item's window is found by its control id.
        const auto* m = reinterpret_cast<const MEASUREITEMSTRUCT*>(Message.LParam);
        if (handle_ && m->CtlType != ODT_MENU)
            item = GetDlgItem(handle_, static_cast<int>(m->CtlID));
        break;
    }
    }
    if (TWinControl* child = FindControl(item)) {
        Message.Result = child->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
        return;
    }
    DefaultHandler(Message);
}

void TWinControl::WMSetCursor(TMessage& Message)
{
    if (reinterpret_cast<HWND>(Message.WParam) == handle_ && LOWORD(Message.LParam) == HTCLIENT) {
        POINT p{};
        GetCursorPos(&p);
        const TPoint local = ScreenToClient({p.x, p.y});
        TControl* target = ControlAtPos(local, false);
        const TCursor cursor = target && target->Cursor() != crDefault ? target->Cursor() : Cursor();
        // The screen's cursors: the platform's, and those the program loaded itself.
        if (cursor != crDefault) {
            ::SetCursor(Screen->Cursors(cursor));
            Message.Result = 1;
            return;
        }
    }
    DefaultHandler(Message);
}

void TWinControl::CMShowingChanged(TMessage& Message)
{
    UpdateShowing();
}

void TWinControl::UpdateShowing()
{
    if (!handle_) {
        if (Visible() && Parent() && Parent()->HandleAllocated())
            CreateHandle();
        return;
    }
    ShowWindow(handle_, Visible() ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void TWinControl::CMRecreateWnd(TMessage&)
{
    RecreateWnd();
}

}  // namespace cl
