#include "skin/controls/ScrollBar.h"

#include "skin/controls/ButtonLook.h"
#include "skin/drawing/Composers.h"
#include "skin/drawing/Glyphs.h"

namespace sk {

using namespace cl;

TskSkinScrollBar::TskSkinScrollBar(TComponent* AOwner) : TskSkinCustomControl(AOwner)
{
    SetControlStyle(ControlStyle() + csCaptureMouse + csOpaque);
    SetSkinDataName("hscrollbar");
    SetBounds(Left(), Top(), 200, 19);
}

TskSkinScrollBar::~TskSkinScrollBar() = default;

void TskSkinScrollBar::DestroyWnd()
{
    repeat_.Stop();
    TskSkinCustomControl::DestroyWnd();
}

TskDataSkinScrollBarControl* TskSkinScrollBar::ScrollDescription() const
{
    return dynamic_cast<TskDataSkinScrollBarControl*>(Description());
}

// ---------------------------------------------------------------------------------------------
// Properties

void TskSkinScrollBar::SetKind(TScrollBarKind Value)
{
    kind_ = Value;
    if (Designing()) {
        SetSkinDataName(Value == sbVertical ? "vscrollbar" : "hscrollbar");
        const int dw = DefaultWidth();
        SetDefaultWidth(DefaultHeight());
        SetDefaultHeight(dw);
        SetBounds(Left(), Top(), Height(), Width());
    }
    Repaint();
}

void TskSkinScrollBar::SetMin(int Value)
{
    range_.Min = Value;
    if (position_ < Value)
        position_ = Value;
    Repaint();
}

void TskSkinScrollBar::SetMax(int Value)
{
    range_.Max = Value;
    if (range_.PageSize > 0) {
        if (range_.Max - range_.Min < range_.PageSize + position_)
            position_ = std::max(range_.Max - range_.Min - range_.PageSize + 1, range_.Min);
    } else if (position_ > range_.Max) {
        position_ = range_.Max;
    }
    Repaint();
}

void TskSkinScrollBar::SetPosition(int Value)
{
    Value = ClampScrollPosition(Value, range_);
    if (Value == position_)
        return;
    position_ = Value;
    const TAliveFlag alive = alive_;
    Repaint();
    if (*alive && OnChange)
        OnChange(this);
}

void TskSkinScrollBar::SetPageSize(int Value)
{
    if (position_ + Value <= range_.Max - range_.Min + 1)
        range_.PageSize = Value;
    Repaint();
}

void TskSkinScrollBar::SetSmallChange(int Value)
{
    smallChange_ = Value;
    Repaint();
}

void TskSkinScrollBar::SetLargeChange(int Value)
{
    largeChange_ = Value;
    Repaint();
}

void TskSkinScrollBar::SetBoth(bool Value)
{
    if (Value == both_ || Designing()) {
        both_ = Value;
        return;
    }
    both_ = Value;
    if (Value) {
        keptSkinDataName_ = SkinDataName();
        SetSkinDataName(bothSkinDataName_);
    } else {
        SetSkinDataName(keptSkinDataName_);
    }
    if (SkinLoaded())
        ChangeSkinData();
    else
        Repaint();
}

void TskSkinScrollBar::SetBothMarkerWidth(int Value)
{
    if (Value < 0)
        return;
    bothMarkerWidth_ = Value;
    if (index_ == -1)
        Repaint();
}

void TskSkinScrollBar::SetCanFocused(bool Value)
{
    canFocused_ = Value;
    SetTabStop(Value);
}

void TskSkinScrollBar::SetRange(int AMin, int AMax, int APosition, int APageSize)
{
    range_ = {AMin, AMax, APageSize};
    position_ = ClampScrollPosition(APosition, range_);
    Repaint();
}

// ---------------------------------------------------------------------------------------------
// Layout

void TskSkinScrollBar::CalcLayout()
{
    TskDataSkinScrollBarControl* d = index_ != -1 ? ScrollDescription() : nullptr;
    if (d) {
        TskScrollBarSkinRects s;
        s.SkinRect = d->SkinRect;
        s.RTPoint = d->RTPoint;
        s.LBPoint = d->LBPoint;
        s.TrackArea = d->TrackArea;
        s.UpButtonRect = d->UpButtonRect;
        s.DownButtonRect = d->DownButtonRect;
        s.ThumbRect = d->ThumbRect;
        parts_ = SkinnedScrollBarParts(Vertical(), Width(), Height(), s);
    } else {
        parts_ = DefaultScrollBarParts(Vertical(), Width(), Height(), both_ ? bothMarkerWidth_ : 0);
    }
    PlaceScrollThumb(parts_, Vertical(), position_, range_);
}

TRect TskSkinScrollBar::PartRect(int Part) const
{
    switch (Part) {
    case ThumbPart: return parts_.Thumb;
    case FarArrowPart: return parts_.FarArrow;
    case NearArrowPart: return parts_.NearArrow;
    default: return {};
    }
}

int TskSkinScrollBar::PartAt(int X, int Y) const
{
    for (int part : {ThumbPart, FarArrowPart, NearArrowPart})
        if (cl::PtInRect(PartRect(part), {X, Y}))
            return part;
    return -1;
}

void TskSkinScrollBar::SetHotPart(int Part)
{
    if (Part == hotPart_)
        return;
    if (hotPart_ >= 0)
        state_[hotPart_].MouseIn = false;
    hotPart_ = Part;
    if (Part >= 0)
        state_[Part].MouseIn = true;
    Repaint();
}

// ---------------------------------------------------------------------------------------------
// Repeat

void TskSkinScrollBar::StepArrow(int Part)
{
    if (Part == FarArrowPart) {
        if (OnUpButtonClick)
            OnUpButtonClick(this);
        else
            SetPosition(position_ + smallChange_);
    } else {
        if (OnDownButtonClick)
            OnDownButtonClick(this);
        else
            SetPosition(position_ - smallChange_);
    }
}

void TskSkinScrollBar::StepPage(bool Far)
{
    const TAliveFlag alive = alive_;
    SetPosition(position_ + (Far ? largeChange_ : -largeChange_));
    if (!*alive)
        return;
    if (Far && OnPageDown)
        OnPageDown(this);
    else if (!Far && OnPageUp)
        OnPageUp(this);
}

void TskSkinScrollBar::WMTimer(TMessage& Message)
{
    if (Message.WParam != RepeatTimerId) {
        TskSkinCustomControl::Dispatch(Message);
        return;
    }
    RepeatTick();
}

void TskSkinScrollBar::RepeatTick()
{
    if (!repeat_.Running() && !repeat_.AwaitingFirstTick())
        return;
    const TAliveFlag alive = alive_;
    // The tick that ends the first delay sets the pace and steps as well.
    repeat_.EndFirstDelay();
    switch (repeatMode_) {
    case RepeatNearArrow: StepArrow(NearArrowPart); break;
    case RepeatFarArrow: StepArrow(FarArrowPart); break;
    case RepeatPageNear:
    case RepeatPageFar: {
        CalcLayout();
        const int at = Along(lastPoint_.X, lastPoint_.Y);
        const bool toFar = repeatMode_ == RepeatPageFar;
        const bool beyond = toFar ? at >= (Vertical() ? parts_.Thumb.Bottom : parts_.Thumb.Right)
                                : at < (Vertical() ? parts_.Thumb.Top : parts_.Thumb.Left);
        // The page repeat ends once the thumb has reached the pointer.
        if (beyond)
            StepPage(toFar);
        else
            repeat_.Stop();
        break;
    }
    default: repeat_.Stop(); break;
    }
    if (*alive && repeatMode_ == RepeatNone)
        repeat_.Stop();
}

// ---------------------------------------------------------------------------------------------
// Mouse

void TskSkinScrollBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const TAliveFlag alive = alive_;
    TskSkinCustomControl::MouseDown(Button, Shift, X, Y);
    if (!*alive || Button != mbLeft)
        return;
    mouseDown_ = true;
    lastPoint_ = {X, Y};
    GetSkinData();
    CalcLayout();
    repeatMode_ = RepeatNone;
    const int part = PartAt(X, Y);
    if (part >= 0) {
        pressedPart_ = part;
        state_[part].Down = true;
        state_[part].MouseIn = true;
        hotPart_ = part;
        switch (part) {
        case ThumbPart:
            dragging_ = true;
            dragCoord_ = Along(X, Y);
            dragOffset_ = Vertical() ? parts_.Thumb.Top - parts_.Track.Top : parts_.Thumb.Left - parts_.Track.Left;
            Repaint();
            break;
        case FarArrowPart:
        case NearArrowPart:
            repeatMode_ = part == FarArrowPart ? RepeatFarArrow : RepeatNearArrow;
            StepArrow(part);
            if (!*alive)
                return;
            repeat_.Start();
            Repaint();
            break;
        }
        return;
    }
    if (!cl::PtInRect(parts_.Track, {X, Y}))
        return;
    const bool toFar = Along(X, Y) >= (Vertical() ? parts_.Thumb.Top : parts_.Thumb.Left);
    repeatMode_ = toFar ? RepeatPageFar : RepeatPageNear;
    repeat_.Start();
    StepPage(toFar);
}

void TskSkinScrollBar::MouseMove(TShiftState Shift, int X, int Y)
{
    const TAliveFlag alive = alive_;
    TskSkinCustomControl::MouseMove(Shift, X, Y);
    if (!*alive)
        return;
    lastPoint_ = {X, Y};
    CalcLayout();
    if (pressedPart_ >= 0) {
        const bool inside = cl::PtInRect(PartRect(pressedPart_), {X, Y});
        const bool wasInside = state_[pressedPart_].MouseIn;
        if (pressedPart_ != ThumbPart && inside != wasInside) {
            // The repeat pauses while the pointer is off the held arrow.
            if (inside)
                repeat_.Resume(RepeatInterval);
            else
                repeat_.Stop();
        }
        SetHotPart(inside || (pressedPart_ == ThumbPart && dragging_) ? pressedPart_ : -1);
    } else {
        SetHotPart(PartAt(X, Y));
    }
    if (!*alive || !dragging_)
        return;
    const int trackLength = Vertical() ? RectHeight(parts_.Track) : RectWidth(parts_.Track);
    const int thumbLength = Vertical() ? RectHeight(parts_.Thumb) : RectWidth(parts_.Thumb);
    const int offset = dragOffset_ + (Along(X, Y) - dragCoord_);
    SetPosition(ScrollPositionFromOffset(offset, trackLength, thumbLength, range_));
}

void TskSkinScrollBar::WMLButtonUp(TMessage& Message)
{
    // Released before the capture goes, which would otherwise end the press as lost.
    const TAliveFlag alive = alive_;
    Release(true);
    if (*alive)
        TskSkinCustomControl::Dispatch(Message);
}

void TskSkinScrollBar::Release(bool LeftButton)
{
    mouseDown_ = false;
    repeat_.End();
    repeatMode_ = RepeatNone;
    const bool wasDragging = dragging_;
    dragging_ = false;
    if (pressedPart_ >= 0) {
        state_[pressedPart_].Down = false;
        pressedPart_ = -1;
        Repaint();
    }
    if (LeftButton && wasDragging && OnLastChange)
        OnLastChange(this);
}

void TskSkinScrollBar::CMMouseLeave(TMessage& Message)
{
    TskSkinCustomControl::Dispatch(Message);
    if (hotPart_ >= 0 && hotPart_ != pressedPart_ && !dragging_) {
        state_[hotPart_].MouseIn = false;
        hotPart_ = -1;
        Repaint();
    }
    if (mouseDown_ && repeatMode_ == RepeatPageFar)
        repeat_.Stop();
}

// ---------------------------------------------------------------------------------------------
// Keys and wheel

void TskSkinScrollBar::KeyDown(WORD& Key, TShiftState Shift)
{
    if (canFocused_) {
        switch (Key) {
        case VK_LEFT:
        case VK_UP: SetPosition(position_ - smallChange_); return;
        case VK_RIGHT:
        case VK_DOWN: SetPosition(position_ + smallChange_); return;
        }
    }
    TskSkinCustomControl::KeyDown(Key, Shift);
}

void TskSkinScrollBar::WMMouseWheel(TMessage& Message)
{
    if (!canFocused_) {
        TskSkinCustomControl::Dispatch(Message);
        return;
    }
    const int delta = static_cast<short>(HIWORD(Message.WParam));
    // A turn towards the user scrolls on, away from the user back.
    if (delta < 0)
        SetPosition(position_ + smallChange_);
    else if (delta > 0)
        SetPosition(position_ - smallChange_);
    Message.Result = 1;
}

void TskSkinScrollBar::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_TIMER: WMTimer(Message); break;
    case WM_LBUTTONUP: WMLButtonUp(Message); break;
    case WM_MOUSEWHEEL: WMMouseWheel(Message); break;
    case WM_GETDLGCODE: Message.Result = canFocused_ ? DLGC_WANTARROWS : 0; break;
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED:
        TskSkinCustomControl::Dispatch(Message);
        // The button was lost to someone else: whatever it held ends here.
        if (mouseDown_)
            Release(false);
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TskSkinCustomControl::Dispatch(Message);
        if (canFocused_)
            Repaint();
        break;
    case CM_MOUSELEAVE: CMMouseLeave(Message); break;
    default: TskSkinCustomControl::Dispatch(Message);
    }
}

// ---------------------------------------------------------------------------------------------
// Drawing

bool TskSkinScrollBar::ThumbLooksPressed() const
{
    return state_[ThumbPart].Down || (canFocused_ && HandleAllocated() && GetFocus() == const_cast<TskSkinScrollBar*>(this)->Handle());
}

void TskSkinScrollBar::DrawDefaultPart(TCanvas* Canvas, int Part)
{
    TRect r = PartRect(Part);
    if (IsNullRect(r))
        return;
    const TPartState& s = state_[Part];
    const bool pressed = (s.Down && s.MouseIn) || (Part == ThumbPart && ThumbLooksPressed());
    const int direction = Part == ThumbPart      ? 0
                          : Part == FarArrowPart ? (Vertical() ? adDown : adRight)
                                                 : (Vertical() ? adUp : adLeft);
    DrawDefaultElement(Canvas, r, s.MouseIn, pressed, direction);
}

void TskSkinScrollBar::CreateControlDefaultImage(TBitmap* B)
{
    TskSkinCustomControl::CreateControlDefaultImage(B);
    CalcLayout();
    TCanvas* c = B->Canvas();
    DrawDefaultPart(c, FarArrowPart);
    DrawDefaultPart(c, NearArrowPart);
    if (Enabled())
        DrawDefaultPart(c, ThumbPart);
}

void TskSkinScrollBar::DrawSkinnedArrow(TBitmap* B, TskDataSkinScrollBarControl* D, int Part)
{
    const TPartState& s = state_[Part];
    const bool toFar = Part == FarArrowPart;
    const TRect active = toFar ? D->ActiveUpButtonRect : D->ActiveDownButtonRect;
    const TRect pressed = RectOrFallback(toFar ? D->DownUpButtonRect : D->DownDownButtonRect, active);
    TRect src;
    if (s.Down && s.MouseIn)
        src = pressed;
    else if (s.MouseIn)
        src = active;
    else
        return;  // the normal arrows are part of the background
    const TRect dest = PartRect(Part);
    if (IsNullRect(src) || IsNullRect(dest))
        return;
    B->Canvas()->CopyRect(dest, Picture()->Canvas(), src);
}

void TskSkinScrollBar::DrawSkinnedThumb(TBitmap* B, TskDataSkinScrollBarControl* D)
{
    const TRect thumb = parts_.Thumb;
    if (IsNullRect(thumb))
        return;
    const TPartState& s = state_[ThumbPart];
    const TRect active = RectOrFallback(D->ActiveThumbRect, D->ThumbRect);
    const TRect down = RectOrFallback(D->DownThumbRect, active);
    TRect src = D->ThumbRect;
    TRect glyph = D->GlyphRect;
    if (ThumbLooksPressed()) {
        src = down;
        glyph = D->DownGlyphRect;
    } else if (s.MouseIn) {
        src = active;
        glyph = D->ActiveGlyphRect;
    }
    if (IsNullRect(src))
        return;
    TBitmap tb;
    tb.SetSize(RectWidth(thumb), RectHeight(thumb));
    if (range_.PageSize > 0) {
        if (Vertical())
            ComposeVSkinStrip(D->ThumbOffset1, D->ThumbOffset2, &tb, Picture(), src, tb.Width(), tb.Height(), false);
        else
            ComposeHSkinStrip(D->ThumbOffset1, D->ThumbOffset2, &tb, Picture(), src, tb.Width(), tb.Height(), false);
    } else {
        tb.Canvas()->CopyRect(Rect(0, 0, tb.Width(), tb.Height()), Picture()->Canvas(), src);
    }
    if (!IsNullRect(glyph)) {
        const int gx = tb.Width() / 2 - RectWidth(glyph) / 2;
        const int gy = tb.Height() / 2 - RectHeight(glyph) / 2;
        tb.Canvas()->CopyRect(Bounds(gx, gy, RectWidth(glyph), RectHeight(glyph)), Picture()->Canvas(), glyph);
    }
    if (D->ThumbTransparent) {
        tb.SetTransparentColor(D->ThumbTransparentColor);
        tb.SetTransparent(true);
    }
    B->Canvas()->Draw(thumb.Left, thumb.Top, &tb);
}

void TskSkinScrollBar::CreateControlSkinImage(TBitmap* B)
{
    TskSkinCustomControl::CreateControlSkinImage(B);
    TskDataSkinScrollBarControl* d = ScrollDescription();
    if (!d || !Picture() || Picture()->Empty())
        return;
    CalcLayout();
    DrawSkinnedArrow(B, d, FarArrowPart);
    DrawSkinnedArrow(B, d, NearArrowPart);
    if (Enabled())
        DrawSkinnedThumb(B, d);
}

}  // namespace sk
