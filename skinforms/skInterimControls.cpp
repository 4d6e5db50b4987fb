#include "skinforms/skInterimControls.h"

#include <algorithm>

#include "classlib/Messages.h"
#include "skin/skSkinCtrlsGraphic.h"
#include "skin/skSkinDataControls.h"

namespace sk {

using namespace cl;

namespace {

// The skin's text font of a description, or the control's default font without one.
void ApplyFont(TCanvas* Canvas, TskDataSkinControl* D, TFont* DefaultFont)
{
    Canvas->Font()->Assign(DefaultFont);
    if (auto* f = dynamic_cast<TskDataFont*>(D)) {
        Canvas->Font()->SetName(f->FontName);
        Canvas->Font()->SetHeight(f->FontHeight);
        Canvas->Font()->SetStyle(f->FontStyle);
        Canvas->Font()->SetColor(f->FontColor);
    }
}

// Captions the program writes: "&" marks the mnemonic.
void DrawText(TCanvas* Canvas, const AnsiString& Text, TRect R, UINT Format)
{
    SetBkMode(Canvas->Handle(), TRANSPARENT);
    SetTextColor(Canvas->Handle(), ColorToRGB(Canvas->Font()->Color()));
    RECT r{R.Left, R.Top, R.Right, R.Bottom};
    DrawTextA(Canvas->Handle(), Text.c_str(), -1, &r, Format | DT_SINGLELINE | DT_END_ELLIPSIS);
}

void FillDefault(TCanvas* Canvas, const TRect& R, TColor Fill, TColor Frame)
{
    Canvas->Brush()->SetColor(Fill);
    Canvas->FillRect(R);
    Canvas->Brush()->SetColor(Frame);
    Canvas->FrameRect(R);
}

}  // namespace

// --- Panel

TskInterimPanel::TskInterimPanel(TComponent* AOwner) : TskSkinCustomControl(AOwner)
{
    SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csOpaque});
    SetSkinDataName("panel");
    borderStripPainting_ = true;
}

void TskInterimPanel::SetShowCaption(bool Value)
{
    showCaption_ = Value;
    Invalidate();
}

void TskInterimPanel::CreateControlDefaultImage(TBitmap* B)
{
    FillDefault(B->Canvas(), Rect(0, 0, Width(), Height()), clBtnFace, clBtnShadow);
    DrawCaption(B->Canvas());
}

void TskInterimPanel::CreateControlSkinImage(TBitmap* B)
{
    TskSkinCustomControl::CreateControlSkinImage(B);
    DrawCaption(B->Canvas());
}

void TskInterimPanel::DrawCaption(TCanvas* Canvas)
{
    if (!showCaption_ || Caption().empty())
        return;
    ApplyFont(Canvas, Description(), DefaultFont());
    DrawText(Canvas, Caption(), Rect(6, 2, Width() - 6, 2 + Canvas->TextHeight("Wg")), DT_LEFT | DT_TOP);
}

void TskInterimPanel::Dispatch(TMessage& Message)
{
    if (Message.Msg == CM_TEXTCHANGED)
        Invalidate();
    TskSkinCustomControl::Dispatch(Message);
}

// --- Roll-up panel

TskInterimRollPanel::TskInterimRollPanel(TComponent* AOwner) : TskInterimPanel(AOwner) {}

void TskInterimRollPanel::SetRollState(bool Value)
{
    if (rolled_ == Value)
        return;
    rolled_ = Value;
    Realign();
    Invalidate();
    if (OnChangeRollState)
        OnChangeRollState(this);
}

void TskInterimRollPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TskInterimPanel::MouseUp(Button, Shift, X, Y);
    if (Button == mbLeft && Y >= 0 && Y < CaptionBandHeight)
        SetRollState(!rolled_);
}

void TskInterimRollPanel::AdjustClientRect(TRect& R)
{
    TskInterimPanel::AdjustClientRect(R);
    R.Top = std::min(R.Bottom, R.Top + CaptionBandHeight);
    if (rolled_)
        R.Bottom = R.Top;
}

// --- Button

TskInterimButton::TskInterimButton(TComponent* AOwner) : TskSkinCustomControl(AOwner)
{
    SetControlStyle({csCaptureMouse, csClickEvents, csOpaque});
    SetSkinDataName("button");
    SetTabStop(true);
}

void TskInterimButton::Click()
{
    if (modalResult_ != mrNone)
        if (TCustomForm* form = GetParentForm(this))
            form->SetModalResult(modalResult_);
    TskSkinCustomControl::Click();
}

void TskInterimButton::CreateControlDefaultImage(TBitmap* B)
{
    FillDefault(B->Canvas(), Rect(0, 0, Width(), Height()), clBtnFace, clBtnShadow);
    ApplyFont(B->Canvas(), nullptr, DefaultFont());
    DrawText(B->Canvas(), Caption(), Rect(2, 0, Width() - 2, Height()), DT_CENTER | DT_VCENTER);
}

void TskInterimButton::CreateControlSkinImage(TBitmap* B)
{
    TskSkinCustomControl::CreateControlSkinImage(B);
    ApplyFont(B->Canvas(), Description(), DefaultFont());
    DrawText(B->Canvas(), Caption(), Rect(2, 0, Width() - 2, Height()), DT_CENTER | DT_VCENTER);
}

void TskInterimButton::Dispatch(TMessage& Message)
{
    if (Message.Msg == CM_TEXTCHANGED)
        Invalidate();
    TskSkinCustomControl::Dispatch(Message);
}

// --- Track bar

TskInterimTrackBar::TskInterimTrackBar(TComponent* AOwner) : TskSkinCustomControl(AOwner)
{
    SetControlStyle({csCaptureMouse, csClickEvents, csOpaque});
    SetSkinDataName("htrackbar");
}

void TskInterimTrackBar::SetRange(int AMin, int AMax)
{
    min_ = AMin;
    max_ = std::max(AMin, AMax);
    position_ = std::clamp(position_, min_, max_);
    Invalidate();
}

void TskInterimTrackBar::SetPosition(int Value)
{
    Value = std::clamp(Value, min_, max_);
    if (Value == position_)
        return;
    position_ = Value;
    Invalidate();
    if (OnChange)
        OnChange(this);
}

int TskInterimTrackBar::PositionAt(int X) const
{
    const int track = std::max(1, Width() - 10);
    const int x = std::clamp(X - 5, 0, track);
    return min_ + (x * (max_ - min_) + track / 2) / track;
}

void TskInterimTrackBar::DrawThumb(TCanvas* Canvas)
{
    const int track = std::max(1, Width() - 10);
    const int range = std::max(1, max_ - min_);
    const int x = 5 + (position_ - min_) * track / range;
    FillDefault(Canvas, Rect(x - 4, 1, x + 5, Height() - 1), clBtnFace, clWindowFrame);
}

void TskInterimTrackBar::CreateControlDefaultImage(TBitmap* B)
{
    FillDefault(B->Canvas(), Rect(0, 0, Width(), Height()), clBtnFace, clBtnFace);
    const int mid = Height() / 2;
    FillDefault(B->Canvas(), Rect(5, mid - 2, Width() - 5, mid + 2), clWindow, clBtnShadow);
    DrawThumb(B->Canvas());
}

void TskInterimTrackBar::CreateControlSkinImage(TBitmap* B)
{
    TskSkinCustomControl::CreateControlSkinImage(B);
    DrawThumb(B->Canvas());
}

void TskInterimTrackBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TskSkinCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button == mbLeft)
        SetPosition(PositionAt(X));
}

void TskInterimTrackBar::MouseMove(TShiftState Shift, int X, int Y)
{
    TskSkinCustomControl::MouseMove(Shift, X, Y);
    if (Shift.Contains(ssLeft))
        SetPosition(PositionAt(X));
}

// --- Skin change

void InterimForwardSkinChange(TWinControl* Root, TskSkinData* Data, bool Before)
{
    for (int i = 0; i < Root->ControlCount(); ++i) {
        TControl* c = Root->Controls(i);
        if (auto* w = dynamic_cast<TskSkinControl*>(c)) {
            if (w->SkinData() == Data) {
                if (Before)
                    w->BeforeChangeSkinData();
                else
                    w->ChangeSkinData();
            }
        } else if (auto* g = dynamic_cast<TskGraphicSkinControl*>(c)) {
            // Windowless controls see the empty skin when they next paint.
            if (!Before && g->SkinData() == Data)
                g->ChangeSkinData();
        }
        if (auto* parent = dynamic_cast<TWinControl*>(c))
            InterimForwardSkinChange(parent, Data, Before);
    }
}

}  // namespace sk
