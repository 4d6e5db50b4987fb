// The tool bar's scrolling: when its visible children reach beyond its client width, two scroll
// buttons take 12 pixels of the non-client area at each end and move the content a step at a
// time while they are pressed (or only hovered, with HotScroll).
#include <algorithm>

#include "skin/controls/ButtonLook.h"
#include "skin/drawing/Composers.h"
#include "skin/controls/ToolBar.h"
#include "skin/drawing/Glyphs.h"

namespace sk {

using namespace cl;

// ---------------------------------------------------------------------------------------------
// Properties and the scroll update

void TskSkinToolBar::SetCanScroll(bool Value)
{
    if (Value == canScroll_)
        return;
    canScroll_ = Value;
    if (Value) {
        UpdateScroll();
        return;
    }
    StopScrolling();
    ApplyPosition(0);
    position_ = extent_ = lastClientWidth_ = growth_ = 0;
    ShowScrollButtons(false);
}

void TskSkinToolBar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    const int oldWidth = Width();
    growth_ = oldWidth > 0 && AWidth > oldWidth ? AWidth - oldWidth : 0;
    TskSkinPanel::SetBounds(ALeft, ATop, AWidth, AHeight);
    // Without a window there is no WM_SIZE to run the update.
    UpdateScroll();
}

int TskSkinToolBar::ContentRight() const
{
    int right = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (c->Visible())
            right = std::max(right, c->Left() + c->Width());
    }
    return right;
}

void TskSkinToolBar::UpdateScroll()
{
    if (!canScroll_ || updating_ || !HandleAllocated() || Width() == 0)
        return;
    updating_ = true;
    try {
        // Showing or hiding the buttons changes the client width: one more pass measures again.
        for (int pass = 0; pass < 2 && UpdateScrollPass(); ++pass) {
        }
    } catch (...) {
        updating_ = false;
        throw;
    }
    updating_ = false;
}

bool TskSkinToolBar::UpdateScrollPass()
{
    const bool wasShown = buttonsShown_;
    const int content = ContentRight();
    const int clientWidth = ClientWidth();
    const int end = position_ + content;
    if (content == 0) {
        ShowScrollButtons(false);
    } else if (clientWidth >= end) {
        ApplyPosition(0);
        position_ = extent_ = growth_ = lastClientWidth_ = 0;
        ShowScrollButtons(false);
    } else {
        const int previousExtent = extent_;
        ShowScrollButtons(true);
        extent_ = end - 1;
        lastClientWidth_ = clientWidth;
        if (position_ >= 1 && clientWidth > content && growth_ >= 1) {
            // The bar grew: the content follows its right edge back as far as it can.
            position_ -= std::min(growth_, position_);
        } else if (growth_ == 0 && end - 1 < previousExtent && position_ >= 1 && clientWidth > content) {
            // The content shrank: no gap is left after its last button.
            position_ -= clientWidth - content;
        }
        growth_ = 0;
        ApplyPosition(position_);
    }
    return wasShown != buttonsShown_;
}

void TskSkinToolBar::ApplyPosition(int Value)
{
    const int dx = applied_ - Value;
    applied_ = Value;
    if (dx == 0)
        return;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (c->Align() == alNone)
            c->SetBounds(c->Left() + dx, c->Top(), c->Width(), c->Height());
    }
    // Aligned children follow the client rectangle, which starts at the applied position.
    Realign();
    Invalidate();
}

void TskSkinToolBar::ShowScrollButtons(bool Value)
{
    if (Value == buttonsShown_)
        return;
    buttonsShown_ = Value;
    if (!Value) {
        StopScrolling();
        hot_[sbLeft] = hot_[sbRight] = pressed_[sbLeft] = pressed_[sbRight] = false;
    }
    FrameChanged();
}

void TskSkinToolBar::FrameChanged()
{
    if (!HandleAllocated())
        return;
    // The non-client area is measured again (WM_NCCALCSIZE); the window itself stays, so a
    // change that comes from inside one of its own messages never destroys it under them.
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Realign();
    RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);
}

void TskSkinToolBar::AdjustClientRect(TRect& Rect)
{
    if (!buttonsShown_) {
        TskSkinPanel::AdjustClientRect(Rect);
        return;
    }
    const int clientWidth = RectWidth(Rect);
    int top = Rect.Top;
    int bottom = Rect.Bottom;
    GetSkinData();
    if (index_ == -1) {
        top = 1;
        bottom = Height() - 1;
    } else if (!TilesWholeClient()) {
        int w = Width(), h = Height();
        CalcSize(w, h);
        top = NewClRect.Top;
        bottom = NewClRect.Bottom;
    }
    Rect = {-applied_, top, std::max(extent_ + 1 - applied_, clientWidth), bottom};
}

// ---------------------------------------------------------------------------------------------
// Scrolling

void TskSkinToolBar::StartScrolling(TScrollDirection Direction)
{
    direction_ = Direction;
    scrollTimer_.Start(scrollTimerInterval_);
}

void TskSkinToolBar::StopScrolling()
{
    scrollTimer_.Stop();
    direction_ = sdNone;
}

void TskSkinToolBar::ScrollStep()
{
    const int step = scrollOffset_ > 0 ? scrollOffset_ : ClientWidth();
    int p = position_;
    if (direction_ == sdLeft)
        p = std::max(p - step, 0);
    else if (direction_ == sdRight)
        p = std::max(std::min(p + step, extent_ - lastClientWidth_ + 1), 0);
    position_ = p;
    if (p == applied_) {
        StopScrolling();
        return;
    }
    // Each step records what it applied, so that the next one moves only by its own difference.
    ApplyPosition(p);
}

void TskSkinToolBar::WMTimer(TMessage& Message)
{
    if (!scrollTimer_.IsTick(Message)) {
        DefaultHandler(Message);
        return;
    }
    if (direction_ == sdNone) {
        StopScrolling();
        return;
    }
    ScrollStep();
}

// ---------------------------------------------------------------------------------------------
// The non-client area

TRect TskSkinToolBar::LeftScrollButtonRect() const { return Rect(0, 0, ScrollButtonWidth, Height()); }

TRect TskSkinToolBar::RightScrollButtonRect() const
{
    return Rect(Width() - ScrollButtonWidth, 0, Width(), Height());
}

void TskSkinToolBar::WMNCCalcSize(TMessage& Message)
{
    DefaultHandler(Message);
    if (!buttonsShown_ || !Message.LParam)
        return;
    // Both forms of the message start with the proposed client rectangle.
    auto* r = reinterpret_cast<RECT*>(Message.LParam);
    r->left += ScrollButtonWidth;
    r->right = std::max(r->left, r->right - ScrollButtonWidth);
}

void TskSkinToolBar::WMNCHitTest(TMessage& Message)
{
    if (buttonsShown_ && !Designing()) {
        const TPoint p = ScreenToClient({static_cast<short>(LOWORD(Message.LParam)),
                                         static_cast<short>(HIWORD(Message.LParam))});
        if (p.X < 0) {
            Message.Result = HTLEFTSCROLLBUTTON;
            return;
        }
        if (p.X >= ClientWidth()) {
            Message.Result = HTRIGHTSCROLLBUTTON;
            return;
        }
    }
    TskSkinPanel::Dispatch(Message);
}

void TskSkinToolBar::WMSetCursor(TMessage& Message)
{
    const LRESULT hit = LOWORD(Message.LParam);
    if (hit == HTLEFTSCROLLBUTTON || hit == HTRIGHTSCROLLBUTTON) {
        ::SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
        Message.Result = 1;
        return;
    }
    TskSkinPanel::Dispatch(Message);
}

void TskSkinToolBar::WMNCPaint(TMessage& Message)
{
    DefaultHandler(Message);
    if (!buttonsShown_)
        return;
    TWindowDC dc(Handle(), TWindowDC::TArea::Window);
    if (dc)
        PaintScrollButtons(dc.Handle());
}

void TskSkinToolBar::PaintScrollButtons(HDC DC)
{
    if (!buttonsShown_ || Width() < 1 || Height() < 1)
        return;
    GetSkinData();
    TCanvas canvas;
    canvas.SetHandle(DC);
    DrawScrollButton(&canvas, LeftScrollButtonRect(), sbLeft);
    DrawScrollButton(&canvas, RightScrollButtonRect(), sbRight);
    canvas.SetHandle(nullptr);
}

TskDataSkinButtonControl* TskSkinToolBar::ResizeButtonDescription() const
{
    if (resizeButtonIndex_ < 0 || !SkinLoaded())
        return nullptr;
    return dynamic_cast<TskDataSkinButtonControl*>(SkinData()->CtrlList.Items(resizeButtonIndex_));
}

void TskSkinToolBar::DrawScrollButton(TCanvas* Canvas, const TRect& R, int Button)
{
    const int w = RectWidth(R), h = RectHeight(R);
    if (w < 1 || h < 1)
        return;
    const bool hot = hot_[Button];
    const bool down = hot && (pressed_[Button] || hotScroll_);
    TBitmap b;
    b.SetSize(w, h);
    TColor arrow = clBtnText;
    auto* d = ResizeButtonDescription();
    TBitmap* picture = d ? SkinPicture(SkinData(), d->PictureIndex) : nullptr;
    if (d && picture) {
        TRect src = d->SkinRect;
        arrow = d->FontColor;
        if (down && !IsNullRect(d->DownSkinRect)) {
            src = d->DownSkinRect;
            arrow = d->DownFontColor;
        } else if (hot && !IsNullRect(d->ActiveSkinRect)) {
            src = d->ActiveSkinRect;
            arrow = d->ActiveFontColor;
        }
        const TskAreaPoints area{d->LTPoint, d->RTPoint, d->LBPoint, d->RBPoint, d->ClRect};
        ComposeSkinImage(area, FitNinePart(area, d->SkinRect, w, h), &b, picture, src, w, h, true);
    } else if (down) {
        FillFramed(b.Canvas(), Rect(0, 0, w, h), clSkinDefaultFrame, clSkinDefaultDownFill);
    } else if (hot) {
        FillFramed(b.Canvas(), Rect(0, 0, w, h), clSkinDefaultFrame, clSkinDefaultHotFill);
    } else {
        FillFramed(b.Canvas(), Rect(0, 0, w, h), clBtnShadow, clBtnFace);
    }
    DrawArrowImage(b.Canvas(), Rect(0, 0, w, h), arrow, Button == sbLeft ? adLeft : adRight);
    Canvas->Draw(R.Left, R.Top, &b);
}

void TskSkinToolBar::RedrawScrollButtons()
{
    if (HandleAllocated())
        RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
}

void TskSkinToolBar::SetHotButton(int Button)
{
    const bool left = Button == sbLeft;
    const bool right = Button == sbRight;
    if (hot_[sbLeft] == left && hot_[sbRight] == right)
        return;
    hot_[sbLeft] = left;
    hot_[sbRight] = right;
    if (!left)
        pressed_[sbLeft] = false;
    if (!right)
        pressed_[sbRight] = false;
    RedrawScrollButtons();
}

namespace {
int ButtonOfHit(WPARAM Hit)
{
    if (Hit == HTLEFTSCROLLBUTTON)
        return 0;
    if (Hit == HTRIGHTSCROLLBUTTON)
        return 1;
    return -1;
}
}  // namespace

void TskSkinToolBar::WMNCMouseMove(TMessage& Message)
{
    const int button = buttonsShown_ ? ButtonOfHit(Message.WParam) : -1;
    if (button < 0) {
        DefaultHandler(Message);
        return;
    }
    if (!trackingLeave_) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE | TME_NONCLIENT, Handle(), 0};
        trackingLeave_ = TrackMouseEvent(&track) != FALSE;
    }
    if (hot_[button])
        return;
    SetHotButton(button);
    if (hotScroll_)
        StartScrolling(button == sbLeft ? sdLeft : sdRight);
    else
        StopScrolling();
}

void TskSkinToolBar::WMNCLButtonDown(TMessage& Message)
{
    const int button = buttonsShown_ ? ButtonOfHit(Message.WParam) : -1;
    if (button < 0) {
        DefaultHandler(Message);
        return;
    }
    SetHotButton(button);
    pressed_[button] = true;
    RedrawScrollButtons();
    StartScrolling(button == sbLeft ? sdLeft : sdRight);
}

void TskSkinToolBar::WMNCLButtonUp(TMessage& Message)
{
    const int button = buttonsShown_ ? ButtonOfHit(Message.WParam) : -1;
    if (button < 0 || !pressed_[button]) {
        DefaultHandler(Message);
        return;
    }
    pressed_[button] = false;
    // A click scrolls one step even when the timer never ticked.
    direction_ = button == sbLeft ? sdLeft : sdRight;
    ScrollStep();
    StopScrolling();
    RedrawScrollButtons();
}

void TskSkinToolBar::WMNCMouseLeave(TMessage& Message)
{
    trackingLeave_ = false;
    StopScrolling();
    SetHotButton(-1);
    DefaultHandler(Message);
}

void TskSkinToolBar::WndProc(TMessage& Message)
{
    // The mouse over the client, whichever child is under it, is off the scroll buttons.
    if (Message.Msg == WM_MOUSEMOVE && (hot_[sbLeft] || hot_[sbRight])) {
        StopScrolling();
        SetHotButton(-1);
    }
    TskSkinPanel::WndProc(Message);
}

void TskSkinToolBar::WMSize(TMessage& Message)
{
    TskSkinPanel::Dispatch(Message);
    UpdateScroll();
    if (buttonsShown_)
        RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TskSkinToolBar::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_NCCALCSIZE: WMNCCalcSize(Message); break;
    case WM_NCHITTEST: WMNCHitTest(Message); break;
    case WM_NCPAINT: WMNCPaint(Message); break;
    case WM_NCMOUSEMOVE: WMNCMouseMove(Message); break;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: WMNCLButtonDown(Message); break;
    case WM_NCLBUTTONUP: WMNCLButtonUp(Message); break;
    case WM_NCMOUSELEAVE: WMNCMouseLeave(Message); break;
    case WM_SETCURSOR: WMSetCursor(Message); break;
    case WM_SIZE: WMSize(Message); break;
    case WM_TIMER: WMTimer(Message); break;
    case WM_NCDESTROY:
        // The window's timer and mouse tracking end with it.
        scrollTimer_.Stop();
        trackingLeave_ = false;
        direction_ = sdNone;
        TskSkinPanel::Dispatch(Message);
        break;
    default: TskSkinPanel::Dispatch(Message);
    }
}

}  // namespace sk
