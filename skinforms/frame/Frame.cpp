// The frame's lifetime, its properties and the window procedure it puts in front of the form's.
#include "skinforms/frame/Frame.h"

#include "classlib/system/CoreConsts.h"
#include "classlib/system/SysUtils.h"
#include "skin/controls/StatusBar.h"
#include "skinforms/menubar/MDITabsBar.h"
#include "skinforms/menubar/MainMenuBar.h"
#include "skinforms/menus/Messages.h"
#include "skinforms/frame/Messages.h"
#include "skinforms/controls/Hint.h"
#include "skinforms/controls/TrayIcon.h"

namespace sk {

namespace {

constexpr unsigned HoverInterval = 50;
constexpr unsigned MorphInterval = 25;
constexpr unsigned AnimationInterval = 25;

void InitCaptionFont(cl::TFont& Font, TColor Color)
{
    Font.SetName("Arial");
    Font.SetStyle({cl::fsBold});
    Font.SetHeight(14);
    Font.SetColor(Color);
}

cl::TTimer* MakeTimer(cl::TComponent* Owner, unsigned Interval, cl::TNotifyEvent Handler)
{
    auto* timer = new cl::TTimer(Owner);
    timer->SetEnabled(false);
    timer->SetInterval(Interval);
    timer->OnTimer = std::move(Handler);
    return timer;
}

}  // namespace

TskSkinFrame::TskSkinFrame(cl::TComponent* AOwner) : cl::TComponent(AOwner), form_(dynamic_cast<cl::TCustomForm*>(AOwner))
{
    if (!form_)
        throw cl::EInvalidCast(cl::consts::SInvalidCast);
    InitCaptionFont(defCaptionFont_, cl::clBtnText);
    InitCaptionFont(defInActiveCaptionFont_, cl::clBtnShadow);
    hoverTimer_ = MakeTimer(this, HoverInterval, cl::TNotifyEvent(this, &TskSkinFrame::HoverTimerTick));
    morphTimer_ = MakeTimer(this, MorphInterval, cl::TNotifyEvent(this, &TskSkinFrame::MorphTimerTick));
    animationTimer_ = MakeTimer(this, AnimationInterval, cl::TNotifyEvent(this, &TskSkinFrame::AnimationTimerTick));
    // The frame draws its own caption buttons.
    form_->SetBorderIcons({});
    form_->OnShortCut = cl::TShortCutEvent(this, &TskSkinFrame::ShortCut);
    defaultSystemMenu_ = new cl::TPopupMenu(this);
    skinMenu_ = new TskSkinMenu(this, form_);
    menuMode_ = std::make_unique<TskSkinMenuMode>(skinMenu_);
    menuMode_->KeyFilter = [this](WORD Key) { return MainMenuBarKey(Key); };
    CreateTrayMenu();
    CopyMenuSettings();
    if (ComponentState().Contains(cl::csDesigning))
        return;
    savedWndProc_ = form_->WindowProc;
    form_->WindowProc = [this](cl::TMessage& Message) { NewWndProc(Message); };
    RemoveFormCaption();
}

// The frame draws the caption and its buttons; the platform's would show under them, and its
// own handling of a caption double click would maximize the window behind the frame's back. A
// form makes its window anew when its border style or icons change, and the new window comes
// with them again: the frame takes them away from every window of the form (see WMCreate).
void TskSkinFrame::RemoveFormCaption()
{
    constexpr LONG platformCaption = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    HWND wnd = form_->Handle();
    SetWindowLongA(wnd, GWL_STYLE, GetWindowLongA(wnd, GWL_STYLE) & ~platformCaption);
    SetWindowPos(wnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

TskSkinFrame::~TskSkinFrame()
{
    *alive_ = false;
    SetTrayIcon(nullptr);
    HideObjectHint();
    // A menu mode left open would leave the application's message hook pointing here.
    menuMode_.reset();
    StopTimers();
    objects_.clear();
    RestoreMDIClient();
    // A child whose frame goes before its window tells the main form now.
    if (form_->FormStyle() == cl::fsMDIChild)
        MDIChildDestroyed();
    if (ComponentState().Contains(cl::csDesigning))
        return;
    // A form on its way out can still get messages for its window after its frame has gone (it
    // is hidden before its windows are destroyed): they must find the form's own procedure.
    form_->WindowProc = savedWndProc_;
    if (form_->OnShortCut.Object() == this)
        form_->OnShortCut = nullptr;
    if (form_->ComponentState().Contains(cl::csDestroying))
        return;
    if (form_->HandleAllocated()) {
        // The window owns the region; taking it away deletes it.
        SetWindowRgn(form_->Handle(), nullptr, TRUE);
        SetWindowPos(form_->Handle(), nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
}

void TskSkinFrame::Notification(cl::TComponent* AComponent, cl::TOperation Operation)
{
    cl::TComponent::Notification(AComponent, Operation);
    if (Operation != cl::opRemove)
        return;
    skinData_.Forget(AComponent, Operation);
    menusSkinData_.Forget(AComponent, Operation);
    if (AComponent == SystemMenu)
        SystemMenu = nullptr;
    if (AComponent == hoverTimer_)
        hoverTimer_ = nullptr;
    if (AComponent == morphTimer_)
        morphTimer_ = nullptr;
    if (AComponent == animationTimer_)
        animationTimer_ = nullptr;
    if (AComponent == skinMenu_) {
        menuMode_.reset();
        skinMenu_ = nullptr;
    }
    if (AComponent == defaultSystemMenu_)
        defaultSystemMenu_ = nullptr;
    if (mainMenuBar_ && AComponent == static_cast<cl::TComponent*>(mainMenuBar_))
        inMainMenuBar_ = false;
    mainMenuBar_.Forget(AComponent, Operation);
    if (AComponent == trayMenu_)
        trayMenu_ = nullptr;
    trayIcon_.Forget(AComponent, Operation);
    statusBar_.Forget(AComponent, Operation);
    skinHint_.Forget(AComponent, Operation);
    mdiTabsBar_.Forget(AComponent, Operation);
    windowListItem_.Forget(AComponent, Operation);
}

TskSkinFrame* GetFormSkinComponent(cl::TComponent* Form)
{
    if (!Form)
        return nullptr;
    for (int i = 0; i < Form->ComponentCount(); ++i)
        if (auto* frame = dynamic_cast<TskSkinFrame*>(Form->Components(i)))
            return frame;
    return nullptr;
}

// ---------------------------------------------------------------------------------------------
// Properties

void TskSkinFrame::SetSkinData(TskSkinData* Value)
{
    if (skinData_ != Value)
        skinData_.Set(Value);
    if (!ComponentState().Contains(cl::csDesigning))
        ChangeSkinData();
}

void TskSkinFrame::SetMenusSkinData(TskSkinData* Value)
{
    menusSkinData_.Set(Value);
}

void TskSkinFrame::SetBorderIcons(TskBorderIcons Value)
{
    borderIcons_ = Value;
    CreateDefaultButtons();
    CheckObjects();
}

void TskSkinFrame::SetHideCaptionButtons(bool Value)
{
    hideCaptionButtons_ = Value;
    CheckObjects();
    SendNCPaint();
}

void TskSkinFrame::SetShowIcon(bool Value)
{
    showIcon_ = Value;
    if (!ComponentState().Contains(cl::csDesigning) && !ComponentState().Contains(cl::csLoading))
        SendNCPaint();
}

void TskSkinFrame::SetMaxMenuItemsInWindow(int Value)
{
    if (Value >= 0)
        maxMenuItemsInWindow_ = Value;
    CopyMenuSettings();
}

void TskSkinFrame::SetDefMenuItemHeight(int Value)
{
    if (Value >= 1)
        defMenuItemHeight_ = Value;
    CopyMenuSettings();
}

bool TskSkinFrame::UseSkinFontInMenu() const { return skinMenu_ && skinMenu_->UseSkinFont; }

void TskSkinFrame::SetUseSkinFontInMenu(bool Value)
{
    if (skinMenu_)
        skinMenu_->UseSkinFont = Value;
}

cl::TFont* TskSkinFrame::DefMenuItemFont() { return skinMenu_ ? &skinMenu_->DefMenuItemFont : nullptr; }

void TskSkinFrame::SetDefMenuItemFont(cl::TFont* Value)
{
    if (skinMenu_)
        skinMenu_->DefMenuItemFont.Assign(Value);
}

void TskSkinFrame::SetSkinHint(TskSkinHint* Value)
{
    if (Value != skinHint_)
        HideObjectHint();
    skinHint_.Set(Value);
}

void TskSkinFrame::ShowObjectHintFor(const std::string& Hint)
{
    if (!ShowObjectHint || !skinHint_ || Hint.empty())
        return;
    skinHint_->ActivateHintDelayed(Hint);
    objectHintUp_ = true;
}

// Only a hint this frame asked for: the hint component also serves the form's controls. That
// one goes also with ShowObjectHint switched off since.
void TskSkinFrame::HideObjectHint()
{
    if (skinHint_ && objectHintUp_)
        skinHint_->HideHint();
    objectHintUp_ = false;
}

void TskSkinFrame::CopyMenuSettings()
{
    if (!skinMenu_)
        return;
    skinMenu_->MaxMenuItemsInWindow = maxMenuItemsInWindow_;
    skinMenu_->DefMenuItemHeight = defMenuItemHeight_;
    skinMenu_->AlphaBlend = MenusAlphaBlend;
    skinMenu_->AlphaBlendValue = MenusAlphaBlendValue;
    skinMenu_->AlphaBlendAnimation = MenusAlphaBlendAnimation;
}

void TskSkinFrame::SetDefCaptionFont(cl::TFont* Value)
{
    defCaptionFont_.Assign(Value);
    if (!skinnedFrame_ && !ComponentState().Contains(cl::csDesigning) && !ComponentState().Contains(cl::csLoading))
        SendNCPaint();
}

void TskSkinFrame::SetDefInActiveCaptionFont(cl::TFont* Value)
{
    defInActiveCaptionFont_.Assign(Value);
    if (!skinnedFrame_ && !ComponentState().Contains(cl::csDesigning) && !ComponentState().Contains(cl::csLoading))
        SendNCPaint();
}

bool TskSkinFrame::IsActive() const
{
    if (AlwaysActive)
        return true;
    return cl::Screen && cl::Screen->ActiveForm() == form_ && form_->Active();
}

bool TskSkinFrame::Bordered() const { return form_->BorderStyle() != cl::bsNone; }

bool TskSkinFrame::Sizeable() const
{
    return form_->BorderStyle() == cl::bsSizeable || form_->BorderStyle() == cl::bsSizeToolWin;
}

// Reading a window's text takes two messages through the platform, dearer than all the rest of
// a frame's paint: the frame reads it once per window and again whenever it is set.
const std::string& TskSkinFrame::CaptionText()
{
    if (!captionKnown_) {
        captionText_ = form_->Caption();
        // Without a window the form keeps the text itself, and sets it without a message.
        captionKnown_ = form_->HandleAllocated();
    }
    return captionText_;
}

bool TskSkinFrame::HasSkinPicture() const
{
    return skinData_ && !skinData_->Empty && skinData_->Picture && !skinData_->Picture->Empty() &&
           skinData_->ClRect != cl::TRect{};
}

void TskSkinFrame::SendNCPaint()
{
    if (form_->HandleAllocated())
        SendMessageA(form_->Handle(), WM_NCPAINT, 1, 0);
}

// Showing a window activates it before the platform paints its frame: until that paint has
// come, a repaint for the change of activation would only draw the same frame once more.
void TskSkinFrame::RepaintShownFrame()
{
    if (framePainted_)
        SendNCPaint();
}

void TskSkinFrame::StopTimers()
{
    for (cl::TTimer* timer : {hoverTimer_, morphTimer_, animationTimer_})
        if (timer)
            timer->SetEnabled(false);
}

// ---------------------------------------------------------------------------------------------
// The window procedure: close menus, the message table, then the caption objects.

void TskSkinFrame::NewWndProc(cl::TMessage& Message)
{
    const cl::TAliveFlag alive = alive_;
    const int loops = sizeMoveLoops_;
    // What closes an open menu also takes a shown object hint away.
    if (IsSkinMenuClosingMessage(Message.Msg)) {
        HideObjectHint();
        CloseMenusFor(Message);
        if (*alive)
            CancelControlModes(Message);
    }
    if (!*alive)
        return CallSaved(Message);
    if (!MDIMessage(Message) && !HandleMessage(Message))
        CallSaved(Message);
    if (*alive)
        MDIAfterMessage(Message);
    if (*alive)
        PassToObjects(Message, loops != sizeMoveLoops_);
}

void TskSkinFrame::CallSaved(cl::TMessage& Message)
{
    if (savedWndProc_)
        savedWndProc_(Message);
}

void TskSkinFrame::CloseMenusFor(cl::TMessage& Message)
{
    if (skinMenu_ && skinMenu_->Visible)
        skinMenu_->CloseAll();
    else if (inSkinMenu_)
        SkinMenuClose();
    else if (inMainMenuBar_)
        LeaveMainMenuBar();
    else if (TskSkinFrame* child = ActiveChildFrame()) {
        // A press on the MDI form's own caption or client reaches only the form: the active
        // child's menu would stay open over a form the user has turned to.
        child->CloseMenusFor(Message);
    }
}

TskSkinFrame* TskSkinFrame::ActiveChildFrame() const
{
    if (form_->FormStyle() != cl::fsMDIForm || !form_->Visible() || form_->ComponentState().Contains(cl::csDestroying))
        return nullptr;
    TskSkinFrame* child = GetFormSkinComponent(form_->ActiveMDIChild());
    return child != this ? child : nullptr;
}

// Closing the menu tells the form (WM_SKINMENUCLOSED), which leaves menu mode.
void TskSkinFrame::CloseSkinMenu()
{
    if (skinMenu_ && skinMenu_->Visible)
        skinMenu_->CloseAll();
}

bool TskSkinFrame::HandleMessage(cl::TMessage& Message)
{
    switch (Message.Msg) {
    case WM_CREATE: return WMCreate(Message);
    case WM_DESTROY: return WMDestroy(Message);
    case WM_SIZE: return WMSize(Message);
    case WM_ACTIVATE: return WMActivate(Message);
    case WM_SETTEXT: return WMSetText(Message);
    case WM_ERASEBKGND: return WMEraseBkgnd(Message);
    case WM_SHOWWINDOW: return WMShowWindow(Message);
    case WM_SETCURSOR: return WMSetCursor(Message);
    case WM_GETMINMAXINFO: return WMGetMinMaxInfo(Message);
    case WM_NCCALCSIZE: return WMNCCalcSize(Message);
    case WM_NCHITTEST: return WMNCHitTest(Message);
    case WM_NCPAINT: return WMNCPaint(Message);
    case WM_NCACTIVATE: return WMNCActivate(Message);
    case WM_SYNCPAINT: return WMSyncPaint(Message);
    case WM_SYSCOMMAND: return WMSysCommand(Message);
    case WM_SIZING: return WMSizing(Message);
    case WM_MOVING: return WMMoving(Message);
    case WM_ENTERSIZEMOVE: return WMEnterSizeMove(Message);
    case WM_EXITSIZEMOVE: return WMExitSizeMove(Message);
    case WM_BEFORECHANGESKINDATA: return WMBeforeChangeSkinData(Message);
    case WM_CHANGESKINDATA: return WMChangeSkinData(Message);
    case WM_AFTERCHANGESKINDATA: return WMAfterChangeSkinData(Message);
    case WM_SKINMENUCLOSED: return WMSkinMenuClosed(Message);
    case WM_CHANGERESSTRDATA: return WMChangeResStrData(Message);
    case WM_PAINTFRAMEINTODC: return WMPaintFrameIntoDC(Message);
    case WM_TIMER: return WMTimer(Message);
    default: return false;
    }
}

TPoint TskSkinFrame::ScreenToFrame(TPoint P) const
{
    RECT r{};
    if (form_->HandleAllocated())
        GetWindowRect(form_->Handle(), &r);
    return {P.X - r.left, P.Y - r.top};
}

void TskSkinFrame::PassToObjects(cl::TMessage& Message, bool LoopRan)
{
    const TPoint screen{static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam))};
    switch (Message.Msg) {
    case WM_NCMOUSEMOVE: ObjectMouseMove(ScreenToFrame(screen)); break;
    case WM_NCLBUTTONDOWN:
        // The press that started a move or size loop (inside the platform's handling of it)
        // ends with the loop: nothing is pressed. A loop that code started leaves no trace on
        // the next press.
        if (LoopRan)
            break;
        TestActive(ScreenToFrame(screen).X, ScreenToFrame(screen).Y, true);
        ObjectMouseDown(ScreenToFrame(screen), cl::mbLeft);
        if (Message.WParam == HTCAPTION)
            CaptureObject = -1;
        break;
    case WM_NCLBUTTONUP: ObjectMouseUp(ScreenToFrame(screen), cl::mbLeft); break;
    case WM_NCRBUTTONUP: ObjectMouseUp(ScreenToFrame(screen), cl::mbRight); break;
    case WM_NCLBUTTONDBLCLK:
        TestActive(ScreenToFrame(screen).X, ScreenToFrame(screen).Y, true);
        ObjectMouseDown(ScreenToFrame(screen), cl::mbLeft);
        ObjectDblClick();
        if (Message.WParam == HTCAPTION) {
            CaptionDblClick();
            CaptureObject = -1;
        }
        break;
    case WM_NCRBUTTONDOWN:
        TestActive(ScreenToFrame(screen).X, ScreenToFrame(screen).Y, true);
        ObjectMouseDown(ScreenToFrame(screen), cl::mbRight);
        if (Message.WParam == HTCAPTION) {
            CaptureObject = -1;
            OpenSystemMenu(cl::Rect(screen.X, screen.Y, screen.X, screen.Y));
        }
        break;
    case WM_NCRBUTTONDBLCLK:
        TestActive(ScreenToFrame(screen).X, ScreenToFrame(screen).Y, true);
        ObjectMouseDown(ScreenToFrame(screen), cl::mbRight);
        if (Message.WParam == HTCAPTION)
            CaptureObject = -1;
        break;
    case WM_LBUTTONUP: ObjectMouseUp({-1, -1}, cl::mbLeft); break;
    case WM_RBUTTONUP: ObjectMouseUp({-1, -1}, cl::mbRight); break;
    default: break;
    }
}

// ---------------------------------------------------------------------------------------------
// Message handlers

// A window made anew for the form (a border style or border icons changed after the frame came):
// it gets what the frame gave the one before, whose region went with it.
bool TskSkinFrame::WMCreate(cl::TMessage& Message)
{
    CallSaved(Message);
    if (Message.Result == -1)
        return true;
    shaped_ = false;
    captionKnown_ = false;
    RemoveFormCaption();
    UpdateRegion(true);
    return true;
}

bool TskSkinFrame::WMDestroy(cl::TMessage&)
{
    StopTimers();
    captionKnown_ = false;
    return false;
}

bool TskSkinFrame::WMSize(cl::TMessage& Message)
{
    if (inSizeMove_ && fullDrag_) {
        if (!logoBitMap_.Empty())
            form_->Invalidate();
        return false;
    }
    CallSaved(Message);
    // A size message at the size the region was made for (the first show of a window sends
    // one) keeps that region: setting it again would draw the whole window anew.
    FollowSize(true);
    if (Translucent()) {
        SendNCPaint();
        form_->Repaint();
    }
    return true;
}

// What the frame keeps of the form's size, its region and its logo follow a new size or frame.
// The size is the window's own: while the platform sizes the window (a drag on its border) the
// form learns its new bounds only after the size message, and a shape made from them would stay
// a step behind the window, cutting off the strip by which the user could size it again.
void TskSkinFrame::FollowSize(bool KeepEqualRegion)
{
    RECT r{};
    if (form_->HandleAllocated() && GetWindowRect(form_->Handle(), &r)) {
        fw_ = static_cast<int>(r.right - r.left);
        fh_ = static_cast<int>(r.bottom - r.top);
    } else {
        fw_ = form_->Width();
        fh_ = form_->Height();
    }
    // During a skin change the region is built once, at its end.
    if (!skinnedFrame_)
        SendNCPaint();
    else if (!changingSkin_ && ReachesMinSize(fw_, fh_))
        UpdateRegion(true, KeepEqualRegion);
    if (!logoBitMap_.Empty())
        form_->Invalidate();
}

bool TskSkinFrame::WMActivate(cl::TMessage& Message)
{
    CallSaved(Message);
    RepaintShownFrame();
    ResetObjects();
    UpdateActiveState(true);
    return true;
}

bool TskSkinFrame::WMSetText(cl::TMessage& Message)
{
    CallSaved(Message);
    captionKnown_ = false;
    if (Bordered())
        SendNCPaint();
    return true;
}

bool TskSkinFrame::WMEraseBkgnd(cl::TMessage& Message)
{
    PaintClientBackground(reinterpret_cast<HDC>(Message.WParam));
    Message.Result = 1;
    return true;
}

bool TskSkinFrame::WMShowWindow(cl::TMessage& Message)
{
    if (Message.WParam == 0) {
        framePainted_ = false;
        EndFade();
        return false;
    }
    PlaceOnFirstShow();
    StartFadeIn();
    FitLayout();
    return false;
}

bool TskSkinFrame::WMSetCursor(cl::TMessage& Message)
{
    if (!UseFormCursorInNCArea)
        return false;
    const WORD hit = LOWORD(Message.LParam);
    switch (hit) {
    case HTCLIENT:
    case HTLEFT:
    case HTRIGHT:
    case HTTOP:
    case HTTOPLEFT:
    case HTTOPRIGHT:
    case HTBOTTOM:
    case HTBOTTOMLEFT:
    case HTBOTTOMRIGHT: break;
    default: Message.LParam = MAKELPARAM(HTCLIENT, HIWORD(Message.LParam));
    }
    return false;
}

bool TskSkinFrame::WMGetMinMaxInfo(cl::TMessage& Message)
{
    auto* info = reinterpret_cast<MINMAXINFO*>(Message.LParam);
    CallSaved(Message);
    info->ptMinTrackSize = {GetMinWidth(), GetMinHeight()};
    info->ptMaxTrackSize = MaxTrackSize();
    return true;
}

bool TskSkinFrame::WMNCCalcSize(cl::TMessage& Message)
{
    // Both forms of the message start with the proposed window rectangle.
    auto* r = reinterpret_cast<RECT*>(Message.LParam);
    Message.Result = 0;
    if (!Bordered())
        return true;
    if (!skinnedFrame_ || !HasSkinPicture()) {
        r->left += 3;
        r->top += DefaultCaptionHeight() + 3;
        r->right -= 3;
        r->bottom -= 3;
    } else {
        const TskSkinData& d = *skinData_;
        const int pw = d.Picture ? d.Picture->Width() : 0;
        const int ph = d.Picture ? d.Picture->Height() : 0;
        r->left += d.ClRect.Left;
        r->top += d.ClRect.Top;
        r->right -= pw - d.ClRect.Right;
        r->bottom -= ph - d.ClRect.Bottom;
    }
    if (r->right < r->left)
        r->right = r->left;
    if (r->bottom < r->top)
        r->bottom = r->top;
    return true;
}

bool TskSkinFrame::WMNCHitTest(cl::TMessage& Message)
{
    const TPoint screen{static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam))};
    const TPoint p = ScreenToFrame(screen);
    Message.Result = HitTest(p);
    if (Message.Result == HTOBJECT && hoverTimer_ && !hoverTimer_->Enabled()) {
        TestActive(p.X, p.Y, true);
        hoverTimer_->SetEnabled(true);
    }
    return true;
}

bool TskSkinFrame::WMNCPaint(cl::TMessage& Message)
{
    Message.Result = 0;
    // A hidden window shows nothing of what is drawn on it, and its first show draws the frame
    // anyway: drawing it at construction and on every skin change before then is wasted.
    if (Bordered() && IsWindowVisible(form_->Handle()))
        PaintFrame(nullptr, false);
    return true;
}

bool TskSkinFrame::WMNCActivate(cl::TMessage& Message)
{
    CloseSkinMenu();
    frameActive_ = Message.WParam != 0;
    Message.Result = 1;
    if (!Bordered()) {
        UpdateActiveState(false);
    } else {
        RepaintShownFrame();
        UpdateActiveState(true);
    }
    return true;
}

bool TskSkinFrame::WMSyncPaint(cl::TMessage& Message)
{
    if (!RolledUp)
        return false;
    SendNCPaint();
    Message.Result = 0;
    return true;
}

bool TskSkinFrame::WMSysCommand(cl::TMessage& Message)
{
    switch (Message.WParam & 0xFFF0) {
    case SC_RESTORE:
        if (OnRestore)
            OnRestore(this);
        return false;
    case SC_KEYMENU:
        // The skinned frame has no native menu: the key goes to the skinned menu bar.
        MainMenuBarKeyMenu(Message);
        return true;
    default: return false;
    }
}

bool TskSkinFrame::WMSizing(cl::TMessage& Message)
{
    if (!(inSizeMove_ && fullDrag_))
        return false;
    CallSaved(Message);
    const auto* r = reinterpret_cast<const RECT*>(Message.LParam);
    fw_ = static_cast<int>(r->right - r->left);
    fh_ = static_cast<int>(r->bottom - r->top);
    if (skinData_ && ReachesMinSize(form_->Width(), form_->Height()) &&
        (fw_ != form_->Width() || fh_ != form_->Height()))
        UpdateRegion(true);
    return true;
}

bool TskSkinFrame::WMMoving(cl::TMessage& Message)
{
    if (WindowState == fwsMaximized) {
        auto* r = reinterpret_cast<RECT*>(Message.LParam);
        *r = RECT{form_->Left(), form_->Top(), form_->Left() + form_->Width(), form_->Top() + form_->Height()};
    } else if (Magnetic) {
        MagneticMoving(*reinterpret_cast<RECT*>(Message.LParam));
    }
    return false;
}

bool TskSkinFrame::WMEnterSizeMove(cl::TMessage&)
{
    ResetObjects();
    if (hoverTimer_)
        hoverTimer_->SetEnabled(false);
    ActiveObject = -1;
    CaptureObject = -1;
    inSizeMove_ = true;
    ++sizeMoveLoops_;
    // Each drag snaps afresh.
    magnetic_ = {};
    BOOL full = FALSE;
    SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &full, 0);
    fullDrag_ = full != FALSE;
    return false;
}

bool TskSkinFrame::WMExitSizeMove(cl::TMessage&)
{
    inSizeMove_ = false;
    if (hoverTimer_)
        hoverTimer_->SetEnabled(false);
    ActiveObject = -1;
    OldActiveObject = -1;
    CaptureObject = -1;
    if (skinData_ && !skinData_->Empty)
        SendNCPaint();
    return false;
}

bool TskSkinFrame::WMSkinMenuClosed(cl::TMessage&)
{
    SkinMenuClose();
    return false;
}

bool TskSkinFrame::WMChangeResStrData(cl::TMessage&)
{
    LoadButtonHints();
    return false;
}

bool TskSkinFrame::WMPaintFrameIntoDC(cl::TMessage& Message)
{
    if (Message.LParam != PaintIntoDCAnswer)
        return false;
    if (Message.WParam && Bordered())
        PaintFrame(reinterpret_cast<HDC>(Message.WParam), true);
    Message.Result = PaintIntoDCAnswer;
    return true;
}

// A new skin or state changes the borders while the window keeps its size: the client area is
// asked for again, the controls are aligned in it and the region follows, without resizing the
// window (which would lay the whole form out twice). A skin change draws the whole window once,
// at its end, so the new borders are not drawn here as well.
void TskSkinFrame::FitLayout()
{
    if (!form_->HandleAllocated())
        return;
    SetWindowPos(form_->Handle(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                     (changingSkin_ ? SWP_NOREDRAW : 0));
    form_->Realign();
    FollowSize();
}

}  // namespace sk
