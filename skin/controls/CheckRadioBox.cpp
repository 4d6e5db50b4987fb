#include "skin/controls/CheckRadioBox.h"

#include "skin/drawing/Glyphs.h"
#include "skin/drawing/Parent.h"
#include "skin/drawing/Text.h"

namespace sk {

using namespace cl;

namespace {
// Where the flat box's image and text start.
constexpr int ImageLeft = 3;
constexpr int TextGap = 4;
constexpr int DefaultTextLeft = 22;
constexpr int NotFlatTextLeft = 19;
constexpr int GlyphGap = 5;
constexpr double GrayedBrightness = 0.5;
}  // namespace

TskSkinCheckRadioBox::TskSkinCheckRadioBox(TComponent* AOwner)
    : TskSkinCustomControl(AOwner),
      fade_([this] { return mouseInside_ || FocusedAndFocusable(); }, [this] { Repaint(); })
{
    SetSkinDataName("checkbox");
    // The box reports its clicks itself, through Checked and State.
    SetControlStyle({csCaptureMouse, csDoubleClicks, csSetCaption});
    SetTabStop(false);
    SetBounds(0, 0, 150, 25);
}

TskSkinCheckRadioBox::~TskSkinCheckRadioBox() { fade_.Stop(); }

TskDataSkinCheckRadioControl* TskSkinCheckRadioBox::BoxDescription() const
{
    return dynamic_cast<TskDataSkinCheckRadioControl*>(Description());
}

void TskSkinCheckRadioBox::GetSkinData()
{
    TskSkinCustomControl::GetSkinData();
    if (index_ != -1 && !BoxDescription()) {
        // A description of another kind has no check images: the default look serves.
        index_ = -1;
        picture_ = nullptr;
    }
}

bool TskSkinCheckRadioBox::FadeAllowed() const
{
    auto* d = BoxDescription();
    return d && !flat_ && d->Morphing && SkinData()->EnableSkinEffects;
}

bool TskSkinCheckRadioBox::FocusedAndFocusable() { return canFocused_ && HandleAllocated() && Focused(); }

void TskSkinCheckRadioBox::CalcSize(int& W, int& H)
{
    // The skin never forces the size of a flat box.
    if (!flat_)
        TskSkinCustomControl::CalcSize(W, H);
}

void TskSkinCheckRadioBox::ChangeSkinData()
{
    if (flat_) {
        GetSkinData();
        Repaint();
        return;
    }
    TskSkinCustomControl::ChangeSkinData();
}

// ---------------------------------------------------------------------------------------------
// State

void TskSkinCheckRadioBox::SetChecked(bool Value)
{
    const TAliveFlag alive = alive_;
    checked_ = Value;
    if (Value)
        state_ = cbChecked;
    else if (state_ == cbChecked)
        state_ = cbUnchecked;
    Repaint();
    if (Value && groupIndex_ != 0 && Parent())
        for (int i = 0; i < Parent()->ControlCount(); ++i) {
            auto* other = dynamic_cast<TskSkinCheckRadioBox*>(Parent()->Controls(i));
            // Siblings are unchecked silently.
            if (other && other != this && other->groupIndex_ == groupIndex_ && other->checked_) {
                other->checked_ = false;
                other->state_ = cbUnchecked;
                other->Repaint();
            }
        }
    if ((!radio_ || Value) && OnClick && *alive)
        OnClick(this);
}

void TskSkinCheckRadioBox::SetState(TskCheckBoxState Value)
{
    state_ = Value;
    checked_ = Value == cbChecked;
    Repaint();
    if (OnClick)
        OnClick(this);
}

void TskSkinCheckRadioBox::Toggle()
{
    if (!radio_)
        SetChecked(!checked_);
    else if (!checked_)
        SetChecked(true);
}

void TskSkinCheckRadioBox::SetAllowGrayed(bool Value)
{
    allowGrayed_ = Value;
    Repaint();
}

void TskSkinCheckRadioBox::SetRadio(bool Value)
{
    radio_ = Value;
    if (Designing()) {
        SetSkinDataName(Value ? "radiobox" : "checkbox");
        groupIndex_ = Value ? 1 : 0;
    }
    Repaint();
}

void TskSkinCheckRadioBox::SetFlat(bool Value)
{
    flat_ = Value;
    Repaint();
}

void TskSkinCheckRadioBox::SetCanFocused(bool Value)
{
    canFocused_ = Value;
    SetTabStop(Value);
}

void TskSkinCheckRadioBox::SetImages(TCustomImageList* Value)
{
    images_.Set(Value);
    Repaint();
}

void TskSkinCheckRadioBox::SetImageIndex(int Value)
{
    imageIndex_ = Value;
    Repaint();
}

void TskSkinCheckRadioBox::Notification(TComponent* AComponent, TOperation Operation)
{
    TskSkinCustomControl::Notification(AComponent, Operation);
    images_.Forget(AComponent, Operation);
}

// ---------------------------------------------------------------------------------------------
// Mouse, keys and focus

void TskSkinCheckRadioBox::Enter()
{
    mouseInside_ = true;
    if (FadeAllowed())
        fade_.Start();
    else
        Repaint();
}

void TskSkinCheckRadioBox::Leave()
{
    mouseInside_ = false;
    if (FadeAllowed())
        fade_.Start();
    else
        Repaint();
}

void TskSkinCheckRadioBox::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: WMMouseDown(Message); break;
    case WM_KEYUP:
        if (Message.WParam == VK_SPACE && canFocused_ && Focused()) {
            const TAliveFlag alive = alive_;
            Toggle();
            if (!*alive)
                return;
        }
        TskSkinCustomControl::Dispatch(Message);
        break;
    case CM_DIALOGCHAR: DialogChar(Message); break;
    case CM_MOUSEENTER:
        TskSkinCustomControl::Dispatch(Message);
        Enter();
        break;
    case CM_MOUSELEAVE:
        TskSkinCustomControl::Dispatch(Message);
        Leave();
        break;
    case CM_ENABLEDCHANGED:
        TskSkinCustomControl::Dispatch(Message);
        fade_.Stop();
        fade_.Set(0);
        Repaint();
        break;
    case CM_TEXTCHANGED:
        TskSkinCustomControl::Dispatch(Message);
        Repaint();
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TskSkinCustomControl::Dispatch(Message);
        FocusChanged();
        break;
    case WM_MOVE:
        TskSkinCustomControl::Dispatch(Message);
        // A flat box shows its parent's background, which differs at the new place.
        if (flat_)
            Invalidate();
        break;
    default: TskSkinCustomControl::Dispatch(Message);
    }
}

void TskSkinCheckRadioBox::FocusChanged()
{
    if (!canFocused_)
        return;
    if (!flat_ && FadeAllowed())
        fade_.Start();
    else
        Repaint();
}

void TskSkinCheckRadioBox::WMMouseDown(TMessage& Message)
{
    const TAliveFlag alive = alive_;
    if (canFocused_ && !Designing() && CanFocus() && !Focused()) {
        SetFocus();
        if (!*alive || !Focused())
            return;
    }
    mouseInside_ = true;
    if (FadeAllowed())
        fade_.Start();
    TskSkinCustomControl::Dispatch(Message);
}

void TskSkinCheckRadioBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const TAliveFlag alive = alive_;
    if (Button == mbLeft && mouseInside_ && X >= 0 && Y >= 0 && X < Width() && Y < Height()) {
        if (!allowGrayed_ || radio_) {
            Toggle();
        } else if (state_ == cbUnchecked) {
            SetState(cbGrayed);
        } else {
            Toggle();
        }
        if (!*alive)
            return;
    }
    TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

void TskSkinCheckRadioBox::DialogChar(TMessage& Message)
{
    FocusThenActOnAccelerator(Message, canFocused_, [this] { Toggle(); });
}

// ---------------------------------------------------------------------------------------------
// Painting

void TskSkinCheckRadioBox::DrawCheckImage(TCanvas* Canvas, int X, int Y)
{
    auto* d = BoxDescription();
    const bool on = state_ != cbUnchecked;
    auto orNormal = [&](const TRect& R) { return IsNullRect(R) ? (on ? d->CheckImageRect : d->UnCheckImageRect) : R; };
    TRect src;
    if (!Enabled())
        src = orNormal(on ? d->UnEnabledCheckImageRect : d->UnEnabledUnCheckImageRect);
    else if (mouseInside_)
        src = orNormal(on ? d->ActiveCheckImageRect : d->ActiveUnCheckImageRect);
    else
        src = on ? d->CheckImageRect : d->UnCheckImageRect;
    if (!picture_ || IsNullRect(src))
        return;
    TBitmap part;
    part.SetSize(RectWidth(src), RectHeight(src));
    part.Canvas()->CopyRect(Rect(0, 0, part.Width(), part.Height()), picture_->Canvas(), src);
    if (state_ == cbGrayed) {
        auto e = TskEffectBmp::CreateFromHandle(part.Handle());
        e->ChangeBrightness(GrayedBrightness);
        e->Draw(part.Canvas()->Handle(), 0, 0);
    }
    part.SetTransparent(true);
    Canvas->Draw(X, Y, &part);
}

void TskSkinCheckRadioBox::DrawFocusAround(TCanvas* Canvas, TRect Text, const TPoint& GlyphAt)
{
    if (!FocusedAndFocusable())
        return;
    Text = Rect(Text.Left - 2, Text.Top - 1, Text.Right + 3, Text.Bottom + 1);
    RECT r;
    if (!std::string(Caption()).empty())
        r = {Text.Left, Text.Top, Text.Right, Text.Bottom};
    else if (images_ && imageIndex_ >= 0 && imageIndex_ < images_->Count())
        r = {GlyphAt.X - 1, GlyphAt.Y - 1, GlyphAt.X + images_->Width() + 1, GlyphAt.Y + images_->Height() + 1};
    else
        return;
    DrawFocusRect(Canvas->Handle(), &r);
}

void TskSkinCheckRadioBox::DrawBox(TCanvas* Canvas)
{
    const int h = Height();
    TRect box = Rect(3, h / 2 - 7, 17, h / 2 + 7);
    const TColor frame = mouseInside_ ? clSkinDefaultFrame : clBtnShadow;
    Frame3D(Canvas, box, frame, frame, 1);
    if (state_ == cbGrayed) {
        if (!radio_)
            DrawCheckMark(Canvas, 7, h / 2 - 4, clGrayText);
    } else if (checked_) {
        const TColor mark = Enabled() ? clBlack : clBtnShadow;
        if (radio_)
            DrawRadioMark(Canvas, 7, h / 2 - 3, mark);
        else
            DrawCheckMark(Canvas, 7, h / 2 - 4, mark);
    }
}

void TskSkinCheckRadioBox::DrawFlat(TBitmap* B)
{
    TCanvas* c = B->Canvas();
    DrawParentImage(this, c);
    auto* d = BoxDescription();
    const int h = Height();
    const std::string caption = Caption();
    int textLeft = DefaultTextLeft;
    if (d) {
        DrawCheckImage(c, ImageLeft, h / 2 - RectHeight(d->CheckImageRect) / 2);
        textLeft = ImageLeft + RectWidth(d->CheckImageRect) + TextGap;
        SetCaptionFont(c, d, UseSkinFont(), DefaultFont(), SkinData());
    } else {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(clBtnFace);
        c->FillRect(Rect(3, h / 2 - 7, 17, h / 2 + 7));
        SetCaptionFont(c, nullptr, false, DefaultFont(), SkinData());
    }
    TRect text{0, 0, 0, 0};
    if (!caption.empty())
        DrawSkinText(c, AnsiToWide(caption), text, DT_CALCRECT);
    text = Rect(textLeft, h / 2 - RectHeight(text) / 2, textLeft + RectWidth(text), h / 2 - RectHeight(text) / 2 + RectHeight(text));
    text.Right = std::min(text.Right, Width() - 2);
    TPoint glyphAt;
    if (images_ && imageIndex_ >= 0 && imageIndex_ < images_->Count()) {
        glyphAt = {text.Left, h / 2 - images_->Height() / 2};
        images_->Draw(c, glyphAt.X, glyphAt.Y, imageIndex_, Enabled());
        text = cl::OffsetRect(text, images_->Width() + GlyphGap, 0);
    }
    if (d)
        c->Font()->SetColor(Enabled() ? d->FrameFontColor : d->UnEnabledFontColor);
    else if (!Enabled())
        c->Font()->SetColor(clBtnShadow);
    c->Brush()->SetStyle(bsClear);
    DrawTextInRect(c, caption, text);
    if (!d)
        DrawBox(c);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(d ? SkinData()->SkinColors->cBtnFace : clBtnFace);
    DrawFocusAround(c, text, glyphAt);
}

void TskSkinCheckRadioBox::DrawNotFlat(TBitmap* B, bool Active)
{
    auto* d = BoxDescription();
    int w = Width(), h = Height();
    CalcSize(w, h);
    B->SetSize(Width(), Height());
    CreateSkinControlImage(B, picture_, Active && !IsNullRect(d->ActiveSkinRect) ? d->ActiveSkinRect : SkinRect);
    const int dW = Width() - RectWidth(SkinRect);
    TRect text = d->TextArea;
    text.Right += dW;
    TRect area = d->CheckImageArea;
    if (area.Right > d->TextArea.Right)
        area = cl::OffsetRect(area, dW, 0);
    TCanvas* c = B->Canvas();
    DrawCheckImage(c, area.Left + RectWidth(area) / 2 - RectWidth(d->CheckImageRect) / 2,
                   area.Top + RectHeight(area) / 2 - RectHeight(d->CheckImageRect) / 2);
    SetCaptionFont(c, d, UseSkinFont(), DefaultFont(), SkinData());
    c->Font()->SetColor(!Enabled() ? d->UnEnabledFontColor : Active ? d->ActiveFontColor : d->FontColor);
    c->Brush()->SetStyle(bsClear);
    DrawTextInRect(c, Caption(), text);
}

void TskSkinCheckRadioBox::Paint()
{
    if (Width() < 1 || Height() < 1)
        return;
    GetSkinData();
    TBitmap b;
    b.SetSize(Width(), Height());
    if (flat_) {
        DrawFlat(&b);
        Canvas()->Draw(0, 0, &b);
        return;
    }
    if (index_ == -1) {
        TskSkinCustomControl::Paint();
        return;
    }
    const double k = fade_.Value();
    if (FadeAllowed() && k > 0 && k < 1) {
        TBitmap active;
        DrawNotFlat(&b, false);
        DrawNotFlat(&active, true);
        DrawMorph(Canvas(), &b, &active, BoxDescription()->MorphKind, k);
        return;
    }
    DrawNotFlat(&b, mouseInside_ || FocusedAndFocusable());
    Canvas()->Draw(0, 0, &b);
}

void TskSkinCheckRadioBox::CreateControlDefaultImage(TBitmap* B)
{
    TCanvas* c = B->Canvas();
    const TRect r = ClientRect();
    if (FocusedAndFocusable() || mouseInside_)
        FillFramed(c, r, clBtnShadow, clBtnFace);
    else
        FillFramed(c, r, clBtnFace, clBtnFace);
    SetCaptionFont(c, nullptr, false, DefaultFont(), SkinData());
    if (!Enabled())
        c->Font()->SetColor(clBtnShadow);
    c->Brush()->SetStyle(bsClear);
    DrawTextInRect(c, Caption(), Rect(NotFlatTextLeft, 0, Width(), Height()));
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(Rect(3, Height() / 2 - 7, 17, Height() / 2 + 7));
    DrawBox(c);
}

}  // namespace sk
