#include "skinforms/skInterimControls.h"

#include <algorithm>

#include "classlib/Messages.h"
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

}  // namespace sk
