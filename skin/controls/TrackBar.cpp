#include "skin/controls/TrackBar.h"

#include <algorithm>
#include <cmath>

#include "skin/controls/ButtonLook.h"

namespace sk {

using namespace cl;

namespace {
// The slider's own pressed fill, a shade apart from the other controls'.
constexpr TColor clTrackDraggedFill = 0xB59285;
// Without a skin the track lies this far inside the control.
constexpr int DefaultTrackInset = 2;
}  // namespace

TskSkinTrackBar::TskSkinTrackBar(TComponent* AOwner) : TskSkinCustomControl(AOwner)
{
    SetSkinDataName("htrackbar");
    SetControlStyle(ControlStyle() + csCaptureMouse + csOpaque);
    SetTabStop(false);
    SetBounds(0, 0, 100, 20);
}

TskDataSkinTrackBarControl* TskSkinTrackBar::TrackDescription() const
{
    return dynamic_cast<TskDataSkinTrackBarControl*>(Description());
}

void TskSkinTrackBar::GetSkinData()
{
    TskSkinCustomControl::GetSkinData();
    auto* d = TrackDescription();
    if (!d) {
        index_ = -1;
        picture_ = nullptr;
        return;
    }
    vertical_ = d->Vertical;
}

// ---------------------------------------------------------------------------------------------
// Properties

void TskSkinTrackBar::SetValue(int Value)
{
    // With the bounds crossed the minimum wins.
    Value = std::max(std::min(Value, maxValue_), minValue_);
    if (Value == value_)
        return;
    value_ = Value;
    Repaint();
    if (OnChange)
        OnChange(this);
}

void TskSkinTrackBar::SetMinValue(int Value)
{
    minValue_ = Value;
    if (value_ < Value)
        value_ = Value;
    Repaint();
}

void TskSkinTrackBar::SetMaxValue(int Value)
{
    maxValue_ = Value;
    if (value_ > Value)
        value_ = std::max(Value, minValue_);
    Repaint();
}

void TskSkinTrackBar::SetVertical(bool Value)
{
    if (Value == vertical_)
        return;
    vertical_ = Value;
    if (Designing()) {
        SetSkinDataName(Value ? "trackbar" : "htrackbar");
        SetBounds(Left(), Top(), Height(), Width());
        const int w = DefaultWidth();
        SetDefaultWidth(DefaultHeight());
        SetDefaultHeight(w);
    }
    Repaint();
}

void TskSkinTrackBar::SetCanFocused(bool Value)
{
    canFocused_ = Value;
    SetTabStop(Value);
}

// ---------------------------------------------------------------------------------------------
// Geometry

TskSkinTrackBar::TLayout TskSkinTrackBar::Layout()
{
    GetSkinData();
    TLayout l;
    auto* d = TrackDescription();
    if (d) {
        l.Track = d->TrackArea;
        if (ResizeMode != rmFixed) {
            if (vertical_)
                l.Track.Bottom += Height() - RectHeight(SkinRect);
            else
                l.Track.Right += Width() - RectWidth(SkinRect);
        }
        l.ThumbW = RectWidth(d->ButtonRect);
        l.ThumbH = RectHeight(d->ButtonRect);
    } else {
        l.Track = Rect(DefaultTrackInset, DefaultTrackInset, Width() - DefaultTrackInset, Height() - DefaultTrackInset);
        if (vertical_) {
            l.ThumbW = Width() - 4;
            l.ThumbH = l.ThumbW / 2;
        } else {
            l.ThumbH = Height() - 4;
            l.ThumbW = l.ThumbH / 2;
        }
    }
    if (vertical_) {
        l.Start = l.Track.Top + l.ThumbH / 2;
        l.End = l.Track.Bottom - l.ThumbH / 2;
    } else {
        l.Start = l.Track.Left + l.ThumbW / 2;
        l.End = l.Track.Right - l.ThumbW / 2;
    }
    return l;
}

int TskSkinTrackBar::OffsetOfValue(const TLayout& L) const
{
    // No range (or a crossed one) puts the thumb at the start.
    double f = maxValue_ > minValue_ ? static_cast<double>(value_ - minValue_) / (maxValue_ - minValue_) : 0.0;
    f = std::clamp(f, 0.0, 1.0);
    return static_cast<int>(std::lrint((L.End - L.Start) * f));
}

int TskSkinTrackBar::ValueOfOffset(const TLayout& L, int Offset) const
{
    const int travel = L.End - L.Start;
    double k = travel > 0 ? static_cast<double>(Offset) / travel : 0.0;
    k = std::clamp(k, 0.0, 1.0);
    if (maxValue_ <= minValue_)
        return minValue_;
    return minValue_ + static_cast<int>(std::lrint((maxValue_ - minValue_) * k));
}

TRect TskSkinTrackBar::ThumbRect()
{
    const TLayout l = Layout();
    const int offset = OffsetOfValue(l);
    if (vertical_) {
        const int top = l.End - offset - l.ThumbH / 2;
        const int left = l.Track.Left + RectWidth(l.Track) / 2 - l.ThumbW / 2;
        return Rect(left, top, left + l.ThumbW, top + l.ThumbH);
    }
    const int left = l.Start + offset - l.ThumbW / 2;
    const int top = l.Track.Top + RectHeight(l.Track) / 2 - l.ThumbH / 2;
    return Rect(left, top, left + l.ThumbW, top + l.ThumbH);
}

// ---------------------------------------------------------------------------------------------
// Mouse, keys and wheel

void TskSkinTrackBar::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_GETDLGCODE: Message.Result = canFocused_ ? DLGC_WANTARROWS : 0; break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TskSkinCustomControl::Dispatch(Message);
        if (canFocused_)
            Repaint();
        break;
    default: TskSkinCustomControl::Dispatch(Message);
    }
}

void TskSkinTrackBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const TAliveFlag alive = alive_;
    if (canFocused_ && CanFocus() && !Focused())
        SetFocus();
    if (!*alive)
        return;
    TskSkinCustomControl::MouseDown(Button, Shift, X, Y);
    if (!*alive || Button != mbLeft || !mouseSupport_)
        return;
    TRect thumb = ThumbRect();
    ++thumb.Right;
    ++thumb.Bottom;
    if (!PointInRect(thumb, {X, Y}))
        return;
    const TLayout l = Layout();
    pressCoord_ = vertical_ ? Y : X;
    pressOffset_ = OffsetOfValue(l);
    dragging_ = true;
    Repaint();
    if (OnStartDragButton)
        OnStartDragButton(this);
}

void TskSkinTrackBar::MouseMove(TShiftState Shift, int X, int Y)
{
    const TAliveFlag alive = alive_;
    TskSkinCustomControl::MouseMove(Shift, X, Y);
    if (!*alive || !dragging_)
        return;
    const TLayout l = Layout();
    const int offset = vertical_ ? pressOffset_ + (pressCoord_ - Y) : pressOffset_ + (X - pressCoord_);
    SetValue(ValueOfOffset(l, offset));
}

void TskSkinTrackBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const TAliveFlag alive = alive_;
    if (Button == mbLeft && mouseSupport_) {
        if (dragging_) {
            dragging_ = false;
            Repaint();
            FireLastChange();
            if (!*alive)
                return;
        }
        if (jumpWhenClick_) {
            const TLayout l = Layout();
            const int offset = vertical_ ? Height() - Y - l.ThumbH / 2 - (Height() - l.Track.Bottom)
                                         : X - l.ThumbW / 2 - l.Track.Left;
            SetValue(ValueOfOffset(l, offset));
            if (!*alive)
                return;
        }
    }
    TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

void TskSkinTrackBar::FireLastChange()
{
    if (OnLastChange)
        OnLastChange(this);
}

void TskSkinTrackBar::Step(int Delta)
{
    const TAliveFlag alive = alive_;
    SetValue(value_ + Delta);
    if (*alive)
        FireLastChange();
}

void TskSkinTrackBar::KeyDown(WORD& Key, TShiftState Shift)
{
    const TAliveFlag alive = alive_;
    TskSkinCustomControl::KeyDown(Key, Shift);
    if (!*alive || !canFocused_)
        return;
    switch (Key) {
    case VK_LEFT:
    case VK_DOWN: Step(-1); break;
    case VK_RIGHT:
    case VK_UP: Step(1); break;
    default: break;
    }
}

bool TskSkinTrackBar::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    if (TskSkinCustomControl::DoMouseWheelDown(Shift, MousePos))
        return true;
    if (!canFocused_ || !CanFocus())
        return false;
    // Turned towards the user: a horizontal slider goes right, a vertical one down.
    Step(vertical_ ? -1 : 1);
    return true;
}

bool TskSkinTrackBar::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    if (TskSkinCustomControl::DoMouseWheelUp(Shift, MousePos))
        return true;
    if (!canFocused_ || !CanFocus())
        return false;
    Step(vertical_ ? 1 : -1);
    return true;
}

// ---------------------------------------------------------------------------------------------
// Painting

void TskSkinTrackBar::CreateControlDefaultImage(TBitmap* B)
{
    TCanvas* c = B->Canvas();
    const int w = Width(), h = Height();
    FillFramed(c, Rect(0, 0, w, h), clBtnShadow, clBtnFace);
    TRect groove = vertical_ ? Rect(w / 2 - 1, 4, w / 2 + 1, h - 4) : Rect(4, h / 2 - 1, w - 4, h / 2 + 1);
    Frame3D(c, groove, clBtnShadow, clBtnHighlight, 1);
    const TRect thumb = ThumbRect();
    if (dragging_)
        FillFramed(c, thumb, clSkinDefaultFrame, clTrackDraggedFill);
    else if (canFocused_ && Focused())
        FillFramed(c, thumb, clSkinDefaultFrame, clSkinDefaultHotFill);
    else
        FillFramed(c, thumb, clBtnShadow, clBtnFace);
}

void TskSkinTrackBar::CreateControlSkinImage(TBitmap* B)
{
    TskSkinCustomControl::CreateControlSkinImage(B);
    auto* d = TrackDescription();
    if (!d || !picture_)
        return;
    const bool active = (dragging_ || (canFocused_ && Focused())) && !IsNullRect(d->ActiveButtonRect);
    const TRect src = active ? d->ActiveButtonRect : d->ButtonRect;
    const TRect thumb = ThumbRect();
    if (d->ButtonTransparent)
        DrawTransparentPart(B->Canvas(), thumb.Left, thumb.Top, picture_, src, d->ButtonTransparentColor);
    else
        B->Canvas()->CopyRect(thumb, picture_->Canvas(), src);
}

}  // namespace sk
