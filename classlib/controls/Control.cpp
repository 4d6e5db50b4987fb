// TControl: bounds, parent, state properties and the mouse handling every control shares.
#include <algorithm>

#include "classlib/controls/Controls.h"
#include "classlib/controls/Forms.h"
#include "classlib/system/CoreConsts.h"
#include "classlib/system/ExceptionHooks.h"
#include "classlib/menus/Menus.h"

namespace cl {

namespace {
TControl* captureControl = nullptr;

void HooksOnlyHandler(TObject* Sender)
{
    // Before the application exists only the logger's hook can take it; nothing else may
    // unwind into the platform's frames.
    auto& hooks = ExceptionHooks();
    if (hooks.OnException)
        hooks.OnException(std::current_exception(), Sender, TCatchPoint::Application);
}
}  // namespace

void (*HandleEntryException)(TObject* Sender) = HooksOnlyHandler;
void (*HintMouseMessage)(TControl* Control, TMessage& Message) = nullptr;

TMouse* Mouse = new TMouse;

TPoint TMouse::CursorPos() const
{
    POINT p{};
    GetCursorPos(&p);
    return {p.x, p.y};
}

void TMouse::SetCursorPos(const TPoint& Value) { ::SetCursorPos(Value.X, Value.Y); }

bool TMouse::WheelPresent() const { return GetSystemMetrics(SM_MOUSEWHEELPRESENT) != 0; }

TShiftState KeysToShiftState(WPARAM Keys)
{
    TShiftState s;
    if (Keys & MK_SHIFT) s += ssShift;
    if (Keys & MK_CONTROL) s += ssCtrl;
    if (Keys & MK_LBUTTON) s += ssLeft;
    if (Keys & MK_RBUTTON) s += ssRight;
    if (Keys & MK_MBUTTON) s += ssMiddle;
    if (GetKeyState(VK_MENU) < 0) s += ssAlt;
    return s;
}

TShiftState KeyDataToShiftState(LPARAM KeyData)
{
    constexpr LPARAM AltMask = 0x20000000;
    TShiftState s;
    if (GetKeyState(VK_SHIFT) < 0) s += ssShift;
    if (GetKeyState(VK_CONTROL) < 0) s += ssCtrl;
    if (KeyData & AltMask) s += ssAlt;
    return s;
}

// ---------------------------------------------------------------------------------------------
// TSizeConstraints

void TSizeConstraints::SetMinWidth(int Value) { if (Value != minWidth_) { minWidth_ = std::max(Value, 0); Changed(); } }
void TSizeConstraints::SetMinHeight(int Value) { if (Value != minHeight_) { minHeight_ = std::max(Value, 0); Changed(); } }
void TSizeConstraints::SetMaxWidth(int Value) { if (Value != maxWidth_) { maxWidth_ = std::max(Value, 0); Changed(); } }
void TSizeConstraints::SetMaxHeight(int Value) { if (Value != maxHeight_) { maxHeight_ = std::max(Value, 0); Changed(); } }

void TSizeConstraints::Assign(TPersistent* Source)
{
    auto* source = dynamic_cast<TSizeConstraints*>(Source);
    if (!source) {
        TPersistent::Assign(Source);
        return;
    }
    minWidth_ = source->minWidth_;
    minHeight_ = source->minHeight_;
    maxWidth_ = source->maxWidth_;
    maxHeight_ = source->maxHeight_;
    Changed();
}

void TSizeConstraints::Constrain(int& Width, int& Height) const
{
    if (maxWidth_ > 0) Width = std::min(Width, maxWidth_);
    if (maxHeight_ > 0) Height = std::min(Height, maxHeight_);
    if (minWidth_ > 0) Width = std::max(Width, minWidth_);
    if (minHeight_ > 0) Height = std::max(Height, minHeight_);
}

void TSizeConstraints::Changed()
{
    if (OnChange)
        OnChange(this);
}

// ---------------------------------------------------------------------------------------------
// TControl: life

TControl::TControl(TComponent* AOwner) : TComponent(AOwner)
{
    WindowProc = [this](TMessage& Message) { WndProc(Message); };
    font_.OnChange = TNotifyEvent(this, &TControl::FontChanged);
    constraints_.OnChange = [this](TObject*) { SetBounds(left_, top_, width_, height_); };
}

TControl::~TControl()
{
    *alive_ = false;
    if (captureControl == this)
        captureControl = nullptr;
}

void TControl::BeforeDestruction()
{
    // Leave the parent while the whole object still exists: the parent re-aligns and
    // repaints without this control.
    if (captureControl == this)
        SetCaptureControl(nullptr);
    if (parent_)
        parent_->RemoveControl(this);
    TComponent::BeforeDestruction();
}

void TControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    popupMenu_.Forget(AComponent, Operation);
}

// ---------------------------------------------------------------------------------------------
// Bounds

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    constraints_.Constrain(AWidth, AHeight);
    AWidth = std::max(AWidth, 0);
    AHeight = std::max(AHeight, 0);
    if (ALeft == left_ && ATop == top_ && AWidth == width_ && AHeight == height_)
        return;
    const TRect old = BoundsRect();
    const bool resized = AWidth != width_ || AHeight != height_;
    left_ = ALeft;
    top_ = ATop;
    width_ = AWidth;
    height_ = AHeight;
    BoundsChanged(old);
    RequestAlign();
    if (resized)
        Resize();
}

void TControl::BoundsChanged(const TRect& OldBounds)
{
    // A windowless control repaints both where it was and where it is now.
    if (parent_ && visible_ && parent_->HandleAllocated()) {
        const RECT oldRect{OldBounds.Left, OldBounds.Top, OldBounds.Right, OldBounds.Bottom};
        InvalidateRect(parent_->Handle(), &oldRect, TRUE);
        InvalidateControl(true, controlStyle_.Contains(csOpaque));
        if (Application)
            Application->MouseControlMayHaveChanged();
    }
}

TRect TControl::ClientRect() { return {0, 0, width_, height_}; }

void TControl::SetClientWidth(int Value) { SetWidth(width_ - ClientWidth() + Value); }
void TControl::SetClientHeight(int Value) { SetHeight(height_ - ClientHeight() + Value); }

TPoint TControl::ClientOrigin()
{
    if (!parent_)
        return {left_, top_};
    const TPoint p = parent_->ClientOrigin();
    return {p.X + left_, p.Y + top_};
}

TPoint TControl::ClientToScreen(const TPoint& Point)
{
    const TPoint o = ClientOrigin();
    return {Point.X + o.X, Point.Y + o.Y};
}

TPoint TControl::ScreenToClient(const TPoint& Point)
{
    const TPoint o = ClientOrigin();
    return {Point.X - o.X, Point.Y - o.Y};
}

void TControl::Resize()
{
    if (OnResize)
        OnResize(this);
}

// ---------------------------------------------------------------------------------------------
// Parent and state

void TControl::SetParent(TWinControl* AParent)
{
    if (AParent == parent_)
        return;
    if (AParent == this)
        throw EInvalidOperation(consts::SControlParentSetToSelf);
    if (parent_)
        parent_->RemoveControl(this);
    if (AParent)
        AParent->InsertControl(this);
}

void TControl::SetVisible(bool Value)
{
    if (Value == visible_)
        return;
    VisibleChanging();
    visible_ = Value;
    Perform(CM_VISIBLECHANGED, Value ? 1 : 0);
    RequestAlign();
}

void TControl::Show()
{
    SetVisible(true);
    BringToFront();
}

void TControl::Hide() { SetVisible(false); }

bool TControl::Showing() const
{
    for (const TControl* c = this; c; c = c->parent_)
        if (!c->visible_)
            return false;
    return true;
}

void TControl::SetEnabled(bool Value)
{
    if (Value == enabled_)
        return;
    enabled_ = Value;
    Perform(CM_ENABLEDCHANGED);
}

void TControl::SetText(const AnsiString& Value)
{
    if (GetText() == Value)
        return;
    SetTextValue(Value);
    Perform(CM_TEXTCHANGED);
}

void TControl::SetTextValue(const AnsiString& Value) { text_ = Value; }

void TControl::FontChanged(TObject*)
{
    if (!applyingParentFont_)
        parentFont_ = false;
    Perform(CM_FONTCHANGED);
}

void TControl::SetParentFont(bool Value)
{
    if (Value == parentFont_)
        return;
    parentFont_ = Value;
    if (Value && parent_)
        Perform(CM_PARENTFONTCHANGED);
}

void TControl::SetColor(TColor Value)
{
    if (Value == color_)
        return;
    color_ = Value;
    parentColor_ = false;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool Value)
{
    if (Value == parentColor_)
        return;
    parentColor_ = Value;
    if (Value && parent_)
        Perform(CM_PARENTCOLORCHANGED);
}

void TControl::SetCursor(TCursor Value)
{
    if (Value == cursor_)
        return;
    cursor_ = Value;
    Perform(CM_CURSORCHANGED);
}

void TControl::SetShowHint(bool Value)
{
    showHint_ = Value;
    parentShowHint_ = false;
    Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool Value)
{
    parentShowHint_ = Value;
    if (Value && parent_)
        showHint_ = parent_->ShowHint();
}

void TControl::SetPopupMenu(TComponent* Value)
{
    popupMenu_.Set(Value);
}

void TControl::SetAlign(TAlign Value)
{
    if (Value == align_)
        return;
    align_ = Value;
    anchors_ = {akLeft, akTop};
    RequestAlign();
}

void TControl::RequestAlign()
{
    if (parent_)
        parent_->ControlsAlignChanged(this);
}

// ---------------------------------------------------------------------------------------------
// Messages

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    TMessage message{Msg, WParam, LParam, 0};
    WindowProc(message);
    return message.Result;
}

void TControl::WndProc(TMessage& Message)
{
    if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST) {
        // Without csDoubleClicks a second quick click is just another press.
        if (!controlStyle_.Contains(csDoubleClicks)) {
            switch (Message.Msg) {
            case WM_LBUTTONDBLCLK:
            case WM_RBUTTONDBLCLK:
            case WM_MBUTTONDBLCLK:
                Message.Msg -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
                break;
            }
        }
        if (Message.Msg == WM_MOUSEMOVE && HintMouseMessage) {
            const TAliveFlag alive = alive_;
            HintMouseMessage(this, Message);
            if (!*alive)
                return;
        }
        if (Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK)
            controlState_ += csLButtonDown;
        else if (Message.Msg == WM_LBUTTONUP)
            controlState_ -= csLButtonDown;
    }
    Dispatch(Message);
}

void TControl::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_LBUTTONDOWN: WMMouseDown(Message, mbLeft, {}); break;
    case WM_RBUTTONDOWN: WMMouseDown(Message, mbRight, {}); break;
    case WM_MBUTTONDOWN: WMMouseDown(Message, mbMiddle, {}); break;
    case WM_LBUTTONDBLCLK: WMMouseDown(Message, mbLeft, {ssDouble}); break;
    case WM_RBUTTONDBLCLK: WMMouseDown(Message, mbRight, {ssDouble}); break;
    case WM_MBUTTONDBLCLK: WMMouseDown(Message, mbMiddle, {ssDouble}); break;
    case WM_LBUTTONUP: WMMouseUp(Message, mbLeft); break;
    case WM_RBUTTONUP: WMMouseUp(Message, mbRight); break;
    case WM_MBUTTONUP: WMMouseUp(Message, mbMiddle); break;
    case WM_MOUSEMOVE: WMMouseMove(Message); break;
    case WM_MOUSEWHEEL: WMMouseWheel(Message); break;
    case CM_ENABLEDCHANGED: CMEnabledChanged(Message); break;
    case CM_FONTCHANGED: CMFontChanged(Message); break;
    case CM_COLORCHANGED: CMColorChanged(Message); break;
    case CM_VISIBLECHANGED: CMVisibleChanged(Message); break;
    case CM_PARENTFONTCHANGED: CMParentFontChanged(Message); break;
    case CM_PARENTCOLORCHANGED: CMParentColorChanged(Message); break;
    case CM_TEXTCHANGED: Invalidate(); break;
    case CM_DRAG: CMDrag(Message); break;
    case WM_CONTEXTMENU: WMContextMenu(Message); break;
    default: DefaultHandler(Message);
    }
}

void TControl::DefaultHandler(TMessage& Message) {}

void TControl::WMMouseDown(TMessage& Message, TMouseButton Button, TShiftState Extra)
{
    const TAliveFlag alive = alive_;
    SendCancelMode(this);
    if (!*alive)
        return;
    // The drag owns the press: the window's own handling would take the capture from it.
    if (Button == mbLeft && dragMode_ == dmAutomatic) {
        BeginDrag(true);
        return;
    }
    // A platform window (edit, list, tabs) places its caret, selection or tab on the press;
    // the layer's capture and events come after, so they see the result.
    DefaultHandler(Message);
    if (!*alive)
        return;
    if (Button == mbLeft) {
        if (controlStyle_.Contains(csCaptureMouse))
            SetMouseCapture(true);
        if (controlStyle_.Contains(csClickEvents))
            controlState_ += csClicked;
        if (Extra.Contains(ssDouble) && controlStyle_.Contains(csClickEvents)) {
            DblClick();
            if (!*alive)
                return;
        }
    }
    MouseDown(Button, KeysToShiftState(Message.WParam) + Extra, Message.XPos(), Message.YPos());
}

void TControl::WMMouseUp(TMessage& Message, TMouseButton Button)
{
    const TAliveFlag alive = alive_;
    // The window's own handling ends its selection and lets its capture go first.
    DefaultHandler(Message);
    if (!*alive)
        return;
    if (Button == mbLeft) {
        if (controlStyle_.Contains(csCaptureMouse))
            SetMouseCapture(false);
        if (controlState_.Contains(csClicked)) {
            controlState_ -= csClicked;
            if (PtInRect(ClientRect(), {Message.XPos(), Message.YPos()}))
                Click();
            if (!*alive)
                return;
        }
    }
    MouseUp(Button, KeysToShiftState(Message.WParam), Message.XPos(), Message.YPos());
}

void TControl::WMMouseMove(TMessage& Message)
{
    const TAliveFlag alive = alive_;
    // A platform window extends its selection as the pointer moves with the button down.
    DefaultHandler(Message);
    if (!*alive)
        return;
    MouseMove(KeysToShiftState(Message.WParam), Message.XPos(), Message.YPos());
}

void TControl::WMMouseWheel(TMessage& Message)
{
    const TShiftState shift = KeysToShiftState(LOWORD(Message.WParam));
    const int delta = static_cast<short>(HIWORD(Message.WParam));
    if (DoMouseWheel(shift, delta, {Message.XPos(), Message.YPos()})) {
        Message.Result = 1;
        return;
    }
    // Not used here: the platform passes it on to the parent window.
    DefaultHandler(Message);
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
    bool handled = false;
    if (OnMouseWheel)
        OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
    if (handled)
        return true;
    const TAliveFlag alive = alive_;
    wheelAccumulator_ += WheelDelta;
    while (*alive && (wheelAccumulator_ >= WHEEL_DELTA || wheelAccumulator_ <= -WHEEL_DELTA)) {
        const bool down = wheelAccumulator_ < 0;
        wheelAccumulator_ += down ? WHEEL_DELTA : -WHEEL_DELTA;
        handled = (down ? DoMouseWheelDown(Shift, MousePos) : DoMouseWheelUp(Shift, MousePos)) || handled;
    }
    return handled;
}

bool TControl::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    bool handled = false;
    if (OnMouseWheelDown)
        OnMouseWheelDown(this, Shift, MousePos, handled);
    return handled;
}

bool TControl::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    bool handled = false;
    if (OnMouseWheelUp)
        OnMouseWheelUp(this, Shift, MousePos, handled);
    return handled;
}

void TControl::WMContextMenu(TMessage& Message)
{
    TPoint pos{Message.XPos(), Message.YPos()};
    const bool fromKeyboard = pos.X == -1 && pos.Y == -1;
    // A right click over a windowless child is the child's first.
    if (auto* win = dynamic_cast<TWinControl*>(this); win && !fromKeyboard) {
        TControl* child = win->ControlAtPos(ScreenToClient(pos), false);
        if (child) {
            Message.Result = child->Perform(WM_CONTEXTMENU, Message.WParam, Message.LParam);
            if (Message.Result)
                return;
        }
    }
    auto* menu = dynamic_cast<TPopupMenu*>(popupMenu_.Get());
    if (menu && menu->AutoPopup()) {
        SendCancelMode(nullptr);
        menu->SetPopupComponent(this);
        if (fromKeyboard)
            pos = ClientToScreen({0, 0});
        menu->Popup(pos.X, pos.Y);
        Message.Result = 1;
        return;
    }
    // Not used: the platform offers it to the parent window.
    DefaultHandler(Message);
}

void TControl::Click()
{
    if (OnClick)
        OnClick(this);
}

void TControl::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseDown)
        OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseUp)
        OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y)
{
    if (OnMouseMove)
        OnMouseMove(this, Shift, X, Y);
}

void TControl::CMEnabledChanged(TMessage&) { Invalidate(); }
void TControl::CMFontChanged(TMessage&) { Invalidate(); }
void TControl::CMColorChanged(TMessage&) { Invalidate(); }

void TControl::CMVisibleChanged(TMessage& Message)
{
    InvalidateControl(Message.WParam != 0, controlStyle_.Contains(csOpaque));
}

void TControl::CMParentFontChanged(TMessage&)
{
    if (!parentFont_ || !parent_)
        return;
    applyingParentFont_ = true;
    font_.Assign(parent_->Font());
    applyingParentFont_ = false;
}

void TControl::CMParentColorChanged(TMessage&)
{
    if (!parentColor_ || !parent_)
        return;
    color_ = parent_->Color();
    Perform(CM_COLORCHANGED);
}

// ---------------------------------------------------------------------------------------------
// Painting

void TControl::InvalidateControl(bool IsVisible, bool IsOpaque)
{
    if (!parent_ || !parent_->HandleAllocated() || width_ <= 0 || height_ <= 0)
        return;
    const RECT r{left_, top_, left_ + width_, top_ + height_};
    InvalidateRect(parent_->Handle(), &r, !(IsVisible && IsOpaque));
}

void TControl::Invalidate() { InvalidateControl(visible_, controlStyle_.Contains(csOpaque)); }

void TControl::Repaint()
{
    if (!visible_ || !parent_ || !parent_->HandleAllocated())
        return;
    Invalidate();
    UpdateWindow(parent_->Handle());
}

void TControl::Update()
{
    if (parent_)
        parent_->Update();
}

void TControl::SetZOrder(bool TopMost)
{
    if (!parent_)
        return;
    auto& list = parent_->controls_;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end())
        return;
    list.erase(it);
    if (TopMost)
        list.push_back(this);
    else
        list.insert(list.begin(), this);
    Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Capture

bool TControl::MouseCapture() const
{
    // A windowless control holds the mouse only as the pointer kept here: without it the
    // platform need not be asked.
    if (captureControl != this && !dynamic_cast<const TWinControl*>(this))
        return false;
    return GetCaptureControl() == this;
}

void TControl::SetMouseCapture(bool Value)
{
    if (Value == MouseCapture())
        return;
    SetCaptureControl(Value ? this : nullptr);
}

TControl* GetCaptureControl()
{
    HWND captured = GetCapture();
    TWinControl* owner = TWinControl::FindControl(captured);
    if (!owner)
        return nullptr;
    if (captureControl && captureControl->Parent() == owner)
        return captureControl;
    return owner;
}

void SetCaptureControl(TControl* Control)
{
    captureControl = nullptr;
    if (!Control) {
        ReleaseCapture();
        return;
    }
    if (auto* win = dynamic_cast<TWinControl*>(Control)) {
        SetCapture(win->Handle());
        return;
    }
    // A windowless control captures through its parent's window.
    if (Control->Parent()) {
        captureControl = Control;
        SetCapture(Control->Parent()->Handle());
    }
}

void TControl::SendCancelMode(TControl* Sender)
{
    for (TControl* c = this; c; c = c->Parent()) {
        if (auto* win = dynamic_cast<TWinControl*>(c); win && win->IsForm())
            win->CancelModeFor(Sender);
    }
}

}  // namespace cl
