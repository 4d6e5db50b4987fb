#include "skinforms/controls/UpDown.h"

#include "skin/controls/ButtonLook.h"
#include "skin/drawing/Composers.h"
#include "skin/drawing/Glyphs.h"
#include "skinforms/controls/ResizeButton.h"

namespace sk {

using namespace cl;

TskSkinUpDown::TskSkinUpDown(TComponent* AOwner) : TskSkinCustomControl(AOwner)
{
    SetControlStyle(ControlStyle() + csCaptureMouse + csOpaque);
    SetSkinDataName("hupdown");
    SetBounds(Left(), Top(), 50, 25);
    CalcButtons();
}

void TskSkinUpDown::DestroyWnd()
{
    repeat_.Stop();
    TskSkinCustomControl::DestroyWnd();
}

// ---------------------------------------------------------------------------------------------
// Properties

void TskSkinUpDown::SetUseSkinSize(bool Value)
{
    useSkinSize_ = Value;
    GetSkinData();
    Repaint();
}

void TskSkinUpDown::SetOrientation(TUDOrientation Value)
{
    orientation_ = Value;
    if (Designing() && !ComponentState().Contains(csLoading))
        SetSkinDataName(Value == udVertical ? "vupdown" : "hupdown");
    CalcButtons();
    Repaint();
}

void TskSkinUpDown::SetPosition(int Value)
{
    if (Value > max_ || Value < min_)
        return;
    position_ = Value;
    if (!Designing() && OnChange)
        OnChange(this);
}

void TskSkinUpDown::SetMin(int Value)
{
    min_ = Value;
    if (position_ < Value)
        position_ = Value;
}

void TskSkinUpDown::SetMax(int Value)
{
    max_ = Value;
    if (position_ > Value)
        position_ = Value;
}

// ---------------------------------------------------------------------------------------------
// Skin and layout

bool TskSkinUpDown::Described() const { return index_ != -1 && dynamic_cast<TskDataSkinUpDownControl*>(Description()); }

void TskSkinUpDown::GetSkinData()
{
    TskSkinCustomControl::GetSkinData();
    if (auto* d = dynamic_cast<TskDataSkinUpDownControl*>(Description()); d && index_ != -1) {
        upRect_ = d->UpButtonRect;
        activeUpRect_ = d->ActiveUpButtonRect;
        downUpRect_ = RectOrFallback(d->DownUpButtonRect, d->ActiveUpButtonRect);
        downRect_ = d->DownButtonRect;
        activeDownRect_ = d->ActiveDownButtonRect;
        downDownRect_ = RectOrFallback(d->DownDownButtonRect, d->ActiveDownButtonRect);
        // The picture is copied whole: the buttons are cut from it, not stretched.
        LTPoint = RTPoint = LBPoint = RBPoint = TPoint{};
        ClRect = TRect{};
        ResizeMode = GetResizeMode(SkinRect, RTPoint, LBPoint, RBPoint);
    }
    CalcButtons();
}

void TskSkinUpDown::CalcButtons()
{
    if (Described() && useSkinSize_) {
        buttons_[UpButton].Rect = upRect_;
        buttons_[DownButton].Rect = downRect_;
        return;
    }
    const int w = Width();
    const int h = Height();
    if (orientation_ == udHorizontal) {
        buttons_[DownButton].Rect = Rect(0, 0, w / 2, h);
        buttons_[UpButton].Rect = Rect(w / 2, 0, w, h);
    } else {
        buttons_[UpButton].Rect = Rect(0, 0, w, h / 2);
        buttons_[DownButton].Rect = Rect(0, h / 2, w, h);
    }
}

void TskSkinUpDown::CalcSize(int& W, int& H)
{
    if (useSkinSize_)
        TskSkinCustomControl::CalcSize(W, H);
}

void TskSkinUpDown::SetControlRegion()
{
    if (useSkinSize_)
        TskSkinCustomControl::SetControlRegion();
}

// ---------------------------------------------------------------------------------------------
// Mouse and repeat

int TskSkinUpDown::ButtonAt(int X, int Y) const
{
    for (int i : {UpButton, DownButton})
        if (PointInRect(buttons_[i].Rect, {X, Y}))
            return i;
    return -1;
}

void TskSkinUpDown::HotTest(int X, int Y)
{
    previousHot_ = hot_;
    int now = ButtonAt(X, Y);
    // While a button is held no other one lights up.
    if (captured_ != -1 && now != captured_)
        now = -1;
    hot_ = now;
    if (hot_ == previousHot_)
        return;
    const TAliveFlag alive = alive_;
    if (previousHot_ != -1) {
        TButtonState& b = buttons_[previousHot_];
        b.MouseIn = false;
        Repaint();
        if (increment_ != 0 && b.Down)
            repeat_.Stop();
    }
    if (!*alive || hot_ == -1)
        return;
    buttons_[1 - hot_].MouseIn = false;
    TButtonState& b = buttons_[hot_];
    b.MouseIn = true;
    Repaint();
    if (increment_ != 0 && b.Down)
        repeat_.Resume(ResumeInterval);
}

void TskSkinUpDown::Step(int Direction) { SetPosition(position_ + Direction * increment_); }

void TskSkinUpDown::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    GetSkinData();
    const TAliveFlag alive = alive_;
    HotTest(X, Y);
    if (!*alive)
        return;
    if (hot_ != -1) {
        buttons_[1 - hot_].MouseIn = false;
        captured_ = hot_;
        buttons_[hot_].MouseIn = true;
        buttons_[hot_].Down = true;
        Repaint();
        if (increment_ != 0) {
            repeatMode_ = hot_ == UpButton ? RepeatUp : RepeatDown;
            repeat_.Start();
        }
    }
    TskSkinCustomControl::MouseDown(Button, Shift, X, Y);
}

void TskSkinUpDown::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const TAliveFlag alive = alive_;
    if (captured_ != -1) {
        const int b = captured_;
        captured_ = -1;
        if (increment_ != 0)
            repeatMode_ = RepeatNone;
        repeat_.End();
        buttons_[b].Down = false;
        if (b != hot_)
            buttons_[b].MouseIn = false;
        Repaint();
        if (PointInRect(buttons_[b].Rect, {X, Y})) {
            if (increment_ != 0)
                Step(b == UpButton ? 1 : -1);
            if (!*alive)
                return;
            if (b == UpButton && OnUpButtonClick)
                OnUpButtonClick(this);
            else if (b == DownButton && OnDownButtonClick)
                OnDownButtonClick(this);
            if (!*alive)
                return;
        }
    }
    TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

void TskSkinUpDown::MouseMove(TShiftState Shift, int X, int Y)
{
    const TAliveFlag alive = alive_;
    HotTest(X, Y);
    if (*alive)
        TskSkinCustomControl::MouseMove(Shift, X, Y);
}

void TskSkinUpDown::WMTimer(TMessage& Message)
{
    if (!repeat_.IsTick(Message)) {
        TskSkinCustomControl::Dispatch(Message);
        return;
    }
    // The tick that ends the first delay only sets the pace.
    if (repeat_.EndFirstDelay())
        return;
    if (repeatMode_ == RepeatDown)
        Step(-1);
    else if (repeatMode_ == RepeatUp)
        Step(1);
    else
        repeat_.Stop();
}

void TskSkinUpDown::CMMouseEnter(TMessage& Message)
{
    previousHot_ = hot_ = -1;
    TskSkinCustomControl::Dispatch(Message);
}

void TskSkinUpDown::CMMouseLeave(TMessage& Message)
{
    previousHot_ = hot_ = -1;
    const TAliveFlag alive = alive_;
    TskSkinCustomControl::Dispatch(Message);
    if (!*alive)
        return;
    bool changed = false;
    for (TButtonState& b : buttons_) {
        changed = changed || b.MouseIn;
        b.MouseIn = false;
    }
    if (changed)
        Repaint();
}

void TskSkinUpDown::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_TIMER: WMTimer(Message); break;
    case WM_SIZE:
        TskSkinCustomControl::Dispatch(Message);
        CalcButtons();
        break;
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED:
        TskSkinCustomControl::Dispatch(Message);
        // The press was taken away: the held button lets go without a step.
        if (captured_ != -1 && Message.Msg == WM_CANCELMODE) {
            buttons_[captured_].Down = false;
            captured_ = -1;
            repeatMode_ = RepeatNone;
            repeat_.End();
            Repaint();
        }
        break;
    case CM_MOUSEENTER: CMMouseEnter(Message); break;
    case CM_MOUSELEAVE: CMMouseLeave(Message); break;
    default: TskSkinCustomControl::Dispatch(Message);
    }
}

// ---------------------------------------------------------------------------------------------
// Drawing

int TskSkinUpDown::ArrowDirection(int Button) const
{
    if (orientation_ == udHorizontal)
        return Button == UpButton ? adRight : adLeft;
    return Button == UpButton ? adUp : adDown;
}

void TskSkinUpDown::DrawDefaultButton(TCanvas* Canvas, int Button)
{
    const TButtonState& s = buttons_[Button];
    DrawDefaultElement(Canvas, s.Rect, s.MouseIn, s.Down && s.MouseIn, ArrowDirection(Button));
}

void TskSkinUpDown::CreateControlDefaultImage(TBitmap* B)
{
    TskSkinCustomControl::CreateControlDefaultImage(B);
    CalcButtons();
    DrawDefaultButton(B->Canvas(), UpButton);
    DrawDefaultButton(B->Canvas(), DownButton);
}

void TskSkinUpDown::DrawResizeButton(TCanvas* Canvas, int Button)
{
    const TButtonState& s = buttons_[Button];
    // A skin without a button picture: the button keeps the default look.
    if (!DrawResizeButtonFace(Canvas, SkinData(), s.Rect, s.MouseIn, s.Down, ArrowDirection(Button)))
        DrawDefaultButton(Canvas, Button);
}

void TskSkinUpDown::CreateControlSkinImage(TBitmap* B)
{
    CalcButtons();
    if (!useSkinSize_) {
        B->Canvas()->Brush()->SetColor(clBtnFace);
        B->Canvas()->FillRect(ClientRect());
        DrawResizeButton(B->Canvas(), UpButton);
        DrawResizeButton(B->Canvas(), DownButton);
        return;
    }
    TskSkinCustomControl::CreateControlSkinImage(B);
    if (!picture_)
        return;
    const TRect pressed[2] = {downUpRect_, downDownRect_};
    const TRect active[2] = {activeUpRect_, activeDownRect_};
    for (int i : {UpButton, DownButton}) {
        const TButtonState& s = buttons_[i];
        TRect src;
        if (s.Down && s.MouseIn)
            src = pressed[i];
        else if (s.MouseIn)
            src = active[i];
        // The normal buttons are part of the base picture.
        if (IsNullRect(src) || IsNullRect(s.Rect))
            continue;
        B->Canvas()->CopyRect(s.Rect, picture_->Canvas(), src);
    }
}

}  // namespace sk
