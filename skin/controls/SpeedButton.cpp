#include "skin/controls/SpeedButton.h"

#include "classlib/menus/Menus.h"
#include "skin/drawing/Composers.h"
#include "skin/controls/ToolBar.h"

namespace sk {

using namespace cl;

TskSkinSpeedButton::TskSkinSpeedButton(TComponent* AOwner)
    : TskGraphicSkinCustomControl(AOwner),
      fade_([this] { return mouseInside_; }, [this] { RepaintFace(); }),
      animation_([this] { RepaintFace(); }),
      repeat_([this] { Click(); })
{
    SetSkinDataName("toolbutton");
    SetControlStyle(ControlStyle() + csCaptureMouse + csDoubleClicks);
    SetBounds(0, 0, 25, 25);
}

TskSkinSpeedButton::~TskSkinSpeedButton()
{
    fade_.Stop();
    animation_.Stop();
    repeat_.Stop();
}

TskDataSkinButtonControl* TskSkinSpeedButton::ButtonDescription() const
{
    return dynamic_cast<TskDataSkinButtonControl*>(Description());
}

TskSkinToolBar* TskSkinSpeedButton::ToolBar() const { return dynamic_cast<TskSkinToolBar*>(Parent()); }

void TskSkinSpeedButton::GetSkinData()
{
    TskGraphicSkinCustomControl::GetSkinData();
    auto* d = ButtonDescription();
    if (!d) {
        // A description of another kind has no states to draw: the default look serves.
        index_ = -1;
        morphing_ = false;
        return;
    }
    states_.Read(*d, SkinRect, animation_, false);
    morphing_ = d->Morphing && !transparent_;
}

bool TskSkinSpeedButton::FadeAllowed() const
{
    return index_ != -1 && morphing_ && SkinData() && SkinData()->EnableSkinEffects;
}

void TskSkinSpeedButton::ChangeSkinData()
{
    animation_.Stop();
    fade_.Stop();
    TskGraphicSkinCustomControl::ChangeSkinData();
    fade_.Set(FadeAllowed() && mouseInside_ ? 1 : 0);
}

void TskSkinSpeedButton::CalcSize(int& W, int& H)
{
    if (useSkinSize_ || ResizeMode == rmNinePart)
        TskGraphicSkinCustomControl::CalcSize(W, H);
}

void TskSkinSpeedButton::SetShowCaption(bool Value)
{
    if (Value == showCaption_)
        return;
    showCaption_ = Value;
    if (widthWithCaption_ >= 1 && widthWithoutCaption_ >= 1)
        SetWidth(Value ? widthWithCaption_ : widthWithoutCaption_);
    Repaint();
}

void TskSkinSpeedButton::SetGlyph(TBitmap* Value)
{
    glyph_.Assign(Value);
    Repaint();
}

void TskSkinSpeedButton::SetNumGlyphs(int Value)
{
    numGlyphs_ = std::clamp(Value, 1, 4);
    Repaint();
}

void TskSkinSpeedButton::SetImageIndex(int Value)
{
    imageIndex_ = Value;
    Repaint();
}

void TskSkinSpeedButton::SetLayout(TskButtonLayout Value)
{
    if (Value == layout_)
        return;
    layout_ = Value;
    Repaint();
}

void TskSkinSpeedButton::SetMargin(int Value)
{
    if (Value == margin_ || Value < -1)
        return;
    margin_ = Value;
    Repaint();
}

void TskSkinSpeedButton::SetSpacing(int Value)
{
    if (Value == spacing_)
        return;
    spacing_ = Value;
    Repaint();
}

void TskSkinSpeedButton::SetFlat(bool Value)
{
    flat_ = Value;
    SetTransparent(Value);
}

void TskSkinSpeedButton::SetTransparent(bool Value)
{
    transparent_ = Value;
    SetControlStyle(Value ? ControlStyle() - csOpaque : ControlStyle() + csOpaque);
    Repaint();
}

void TskSkinSpeedButton::SetDown(bool Value)
{
    down_ = Value;
    GetSkinData();
    if (FadeAllowed()) {
        fade_.Set(1);
        if (Value)
            fade_.Stop();
        else
            fade_.Start();
    }
    Repaint();
    if (groupIndex_ == 0 || !Value || allowAllUp_ || !Parent())
        return;
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        auto* other = dynamic_cast<TskSkinSpeedButton*>(Parent()->Controls(i));
        if (other && other != this && other->groupIndex_ == groupIndex_ && other->down_)
            other->SetDown(false);
    }
}

void TskSkinSpeedButton::Click() { TskGraphicSkinCustomControl::Click(); }

// ---------------------------------------------------------------------------------------------
// Messages and the mouse

void TskSkinSpeedButton::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_MOUSEENTER:
        TskGraphicSkinCustomControl::Dispatch(Message);
        MouseEntered();
        break;
    case CM_MOUSELEAVE:
        TskGraphicSkinCustomControl::Dispatch(Message);
        MouseLeft();
        break;
    case CM_ENABLEDCHANGED:
        TskGraphicSkinCustomControl::Dispatch(Message);
        EnabledChanged();
        break;
    case CM_TEXTCHANGED:
        TskGraphicSkinCustomControl::Dispatch(Message);
        Repaint();
        break;
    case CM_DIALOGCHAR: DialogChar(Message); break;
    default: TskGraphicSkinCustomControl::Dispatch(Message);
    }
}

void TskSkinSpeedButton::MouseEntered()
{
    if (!Enabled() || Designing() || mouseInside_)
        return;
    mouseInside_ = true;
    if (!(groupIndex_ != 0 && down_)) {
        if (down_) {
            GetSkinData();
            if (FadeAllowed())
                fade_.Set(1);
            Repaint();
        } else {
            StartAnimation(true);
            if (FadeAllowed())
                fade_.Start();
            else
                Repaint();
        }
    }
    if (press_.Held && down_ && repeatMode_ && groupIndex_ == 0)
        repeat_.Start(repeatInterval_);
}

void TskSkinSpeedButton::MouseLeft()
{
    if (!mouseInside_)
        return;
    mouseInside_ = false;
    if (!(groupIndex_ != 0 && down_)) {
        StartAnimation(false);
        if (FadeAllowed())
            fade_.Start();
        else
            Repaint();
    }
    if (press_.Held && repeatMode_)
        repeat_.Stop();
}

void TskSkinSpeedButton::StartAnimation(bool Forward)
{
    GetSkinData();
    auto* d = ButtonDescription();
    if (d && SkinData()->EnableSkinEffects)
        animation_.Start(Forward, *d);
}

void TskSkinSpeedButton::EnabledChanged()
{
    fade_.Stop();
    fade_.Set(0);
    if (!Enabled()) {
        mouseInside_ = false;
        repeat_.Stop();
        animation_.Stop();
    }
    Repaint();
}

void TskSkinSpeedButton::DialogChar(TMessage& Message)
{
    if (IsAccel(static_cast<unsigned>(Message.WParam), Caption()) && Enabled() && Visible() && Parent() &&
        Parent()->Showing()) {
        Click();
        Message.Result = 1;
        return;
    }
    TskGraphicSkinCustomControl::Dispatch(Message);
}

void TskSkinSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const TAliveFlag alive = alive_;
    TskGraphicSkinCustomControl::MouseDown(Button, Shift, X, Y);
    if (!*alive || Button != mbLeft || !Enabled())
        return;
    animation_.Stop();
    press_.Press(*this, mouseInside_, repeat_, alive);
}

void TskSkinSpeedButton::MouseMove(TShiftState Shift, int X, int Y)
{
    const TAliveFlag alive = alive_;
    TskGraphicSkinCustomControl::MouseMove(Shift, X, Y);
    if (*alive)
        press_.Follow(*this, mouseInside_, X, Y, [this] { MouseEntered(); }, [this] { MouseLeft(); });
}

void TskSkinSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const TAliveFlag alive = alive_;
    if (Button == mbLeft && press_.Held) {
        const bool inside = mouseInside_ && X >= 0 && Y >= 0 && X < Width() && Y < Height();
        press_.Release(*this, inside, repeat_, [this] {
            down_ = false;
            if (mouseInside_)
                MouseLeft();
            else
                Repaint();
        });
        if (!*alive)
            return;
    }
    TskGraphicSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

// ---------------------------------------------------------------------------------------------
// Painting

void TskSkinSpeedButton::DrawCaption(TCanvas* Canvas, const TRect& R, bool Active, bool Down, bool Pressed)
{
    const std::string text = showCaption_ ? std::string(Caption()) : std::string();
    TskSkinToolBar* bar = ToolBar();
    if (glyph_.Empty() && bar) {
        TCustomImageList* images = bar->Images();
        bool enabledLook = Enabled();
        if (!Enabled() && bar->DisabledImages()) {
            images = bar->DisabledImages();
            enabledLook = true;
        } else if ((Active || Down) && bar->HotImages()) {
            images = bar->HotImages();
        }
        DrawImageAndText(Canvas, R, margin_, spacing_, layout_, text, imageIndex_, images, Pressed, enabledLook);
        return;
    }
    DrawCaptionWithGlyph(Canvas, R, margin_, spacing_, layout_, text, &glyph_, numGlyphs_,
                         GlyphFrameFor(mouseInside_, down_, Enabled(), numGlyphs_), Pressed);
}

void TskSkinSpeedButton::DrawFace(TBitmap* B, const TRect& R, bool Active, bool Down)
{
    const TRect text = DrawButtonFace(*this, B, picture_, R, Width(), Height(), useSkinSize_);
    TCanvas* c = B->Canvas();
    auto* d = ButtonDescription();
    SetCaptionFont(c, d, UseSkinFont(), DefaultFont(), SkinData());
    c->Font()->SetColor(ButtonCaptionColor(*d, Enabled(), useSkinFontColor_, DefaultFont()->Color(), Active, Down));
    // Tool-bar images go into the client rectangle of every face.
    DrawCaption(c, glyph_.Empty() && ToolBar() ? NewClRect : text, Active, Down, Active && Down);
}

void TskSkinSpeedButton::DrawTransparentCaption(TCanvas* Canvas, const TRect& R, bool Skinned)
{
    if (Skinned) {
        SetCaptionFont(Canvas, ButtonDescription(), UseSkinFont(), DefaultFont(), SkinData());
        const TskSkinColors* colors = SkinData()->SkinColors.get();
        if (!Enabled())
            Canvas->Font()->SetColor(colors->cBtnShadow);
        else if (useSkinFontColor_)
            Canvas->Font()->SetColor(colors->cBtnText);
        else
            Canvas->Font()->SetColor(DefaultFont()->Color());
    } else {
        SetCaptionFont(Canvas, nullptr, false, DefaultFont(), SkinData());
        if (!Enabled())
            Canvas->Font()->SetColor(clBtnShadow);
    }
    // Never pressed, and no hot images: the button rests.
    const bool inside = mouseInside_;
    const bool down = down_;
    mouseInside_ = false;
    down_ = false;
    try {
        DrawCaption(Canvas, R, false, false, false);
    } catch (...) {
        mouseInside_ = inside;
        down_ = down;
        throw;
    }
    mouseInside_ = inside;
    down_ = down;
}

void TskSkinSpeedButton::Invalidate()
{
    // Whatever asks for a repaint may have changed what the faces show.
    faces_.Clear();
    TskGraphicSkinCustomControl::Invalidate();
}

void TskSkinSpeedButton::DefaultFontChanged()
{
    faces_.Clear();
    TskGraphicSkinCustomControl::DefaultFontChanged();
}

void TskSkinSpeedButton::RepaintFace()
{
    TWinControl* parent = Parent();
    if (!Visible() || !parent || !parent->HandleAllocated())
        return;
    // A see-through button shows its parent's background, which only the parent paints.
    if (!ControlStyle().Contains(csOpaque)) {
        Repaint();
        return;
    }
    if (!IsWindowVisible(parent->Handle()))
        return;
    // A fade or animation step changes this face alone: it goes straight onto the parent's
    // window, with the controls above it, and the parent and its other children stay as they are.
    TWindowDC dc(parent->Handle());
    if (!dc)
        return;
    IntersectClipRect(dc.Handle(), Left(), Top(), Left() + Width(), Top() + Height());
    parent->PaintControls(dc.Handle(), this);
}

TskMorphFaces::TKey TskSkinSpeedButton::FacesKey() const
{
    return {states_.Normal, states_.Active, Width(), Height(), GlyphFrameFor(mouseInside_, down_, Enabled(), numGlyphs_)};
}

void TskSkinSpeedButton::DrawFade(double K)
{
    const TskMorphFaces::TKey key = FacesKey();
    if (!faces_.Holds(key)) {
        TBitmap from, to;
        DrawFace(&from, states_.Normal, false, false);
        DrawFace(&to, states_.Active, true, false);
        faces_.Store(key, &from, &to);
    }
    faces_.Draw(Canvas()->Handle(), ButtonDescription()->MorphKind, K);
}

void TskSkinSpeedButton::Paint()
{
    if (Width() < 1 || Height() < 1)
        return;
    GetSkinData();
    const bool pressedLook = down_ && (groupIndex_ != 0 || mouseInside_);
    if (index_ == -1) {
        if (pressedLook || mouseInside_ || !transparent_)
            TskGraphicSkinCustomControl::Paint();
        else
            DrawTransparentCaption(Canvas(), ClientRect(), false);
        return;
    }
    int w = Width();
    int h = Height();
    CalcSize(w, h);
    TBitmap b;
    const double k = fade_.Value();
    const bool fades = FadeAllowed() && !transparent_;
    if (fades && k > 0 && k < 1) {
        DrawFade(k);
        return;
    }
    if (pressedLook) {
        DrawFace(&b, states_.Down, true, true);
    } else if (!mouseInside_) {
        if (fades && (k == 1 || Enabled()) && faces_.Holds(FacesKey())) {
            // The end of a fade: the face it ended on is at hand.
            DrawFade(k);
            return;
        }
        if (FadeAllowed() && k == 1) {
            DrawFace(&b, states_.Active, true, false);
        } else if (transparent_) {
            DrawTransparentCaption(Canvas(), NewClRect, true);
            return;
        } else {
            auto* d = ButtonDescription();
            DrawFace(&b, !Enabled() && !IsNullRect(d->DisabledSkinRect) ? d->DisabledSkinRect : states_.Normal, false,
                     false);
        }
    } else {
        DrawFace(&b, states_.Active, true, false);
    }
    Canvas()->Draw(0, 0, &b);
}

void TskSkinSpeedButton::CreateControlDefaultImage(TBitmap* B)
{
    TCanvas* c = B->Canvas();
    const TRect r = ClientRect();
    const bool pressedLook = down_ && (groupIndex_ != 0 || mouseInside_);
    if (pressedLook) {
        FillFramed(c, r, clSkinDefaultFrame, clSkinDefaultDownFill);
    } else if (mouseInside_) {
        FillFramed(c, r, clSkinDefaultFrame, clSkinDefaultHotFill);
    } else if (Designing() || !flat_) {
        FillFramed(c, r, clBtnShadow, clBtnFace);
    } else {
        c->Brush()->SetColor(clBtnFace);
        c->FillRect(r);
    }
    SetCaptionFont(c, nullptr, false, DefaultFont(), SkinData());
    if (!Enabled())
        c->Font()->SetColor(clBtnShadow);
    const bool pressed = glyph_.Empty() && ToolBar() ? down_ && mouseInside_ : pressedLook;
    DrawCaption(c, r, mouseInside_, down_, pressed);
}

}  // namespace sk
