// The caption object: the form's caption text on its skinned background, with the morph
// between the inactive and the active image and the caption animation.
#include "classlib/system/SysUtils.h"
#include "skin/drawing/Composers.h"
#include "skin/drawing/Effects.h"
#include "skin/texts/ResourceStrData.h"
#include "skin/drawing/Text.h"
#include "skinforms/frame/Frame.h"

namespace sk {

TskSkinCaptionObject::TskSkinCaptionObject(TskSkinFrame* AParent, TskDataSkinCaption* Description)
    : TskActiveSkinObject(AParent, Description)
{
    if (!Description)
        return;
    static_cast<TskCaptionLook&>(*this) = *Description;
    AnimateSkinRect = Description->AnimateSkinRect;
    FrameCount = Description->FrameCount;
    AnimateInterval = Description->AnimateInterval;
    InactiveAnimation = Description->InactiveAnimation;
}

bool TskSkinCaptionObject::HasAnimation() const
{
    // A strip without frames is no animation (its frame size would divide by zero).
    return SkinData && !SkinData->Empty && SkinData->EnableSkinEffects && !IsNullRect(AnimateSkinRect) &&
           FrameCount > 0 && ActivePicture;
}

TRect TskSkinCaptionObject::AnimationFrameRect(int I) const
{
    const TRect& a = AnimateSkinRect;
    if (FrameCount <= 0)
        return a;
    if (a.Height() > SkinRect.Height()) {
        const int fh = a.Height() / FrameCount;
        return cl::Rect(a.Left, a.Top + (I - 1) * fh, a.Right, a.Top + I * fh);
    }
    const int fw = a.Width() / FrameCount;
    return cl::Rect(a.Left + (I - 1) * fw, a.Top, a.Left + I * fw, a.Bottom);
}

void TskSkinCaptionObject::RestartAnimation(bool BecomesActive)
{
    AnimateCounter = 25;
    if (BecomesActive)
        AnimateFrame = 1;
    else
        AnimateFrame = InactiveAnimation ? FrameCount : 0;
}

bool TskSkinCaptionObject::StepAnimation()
{
    if (!HasAnimation())
        return false;
    const bool up = Active;
    if (up ? AnimateFrame > FrameCount : AnimateFrame <= 0)
        return false;
    if (AnimateCounter < std::max(AnimateInterval, 25)) {
        AnimateCounter += 25;
        return true;
    }
    AnimateCounter = 25;
    AnimateFrame += up ? 1 : -1;
    ReDrawObject();
    return up ? AnimateFrame <= FrameCount : AnimateFrame > 0;
}

void TskSkinCaptionObject::MouseEnter()
{
    MouseIn = true;
    if (Parent->OnMouseEnterEvent)
        Parent->OnMouseEnterEvent(IDName);
}

void TskSkinCaptionObject::MouseLeave()
{
    MouseIn = false;
    if (Parent->OnMouseLeaveEvent)
        Parent->OnMouseLeaveEvent(IDName);
}

int TskSkinCaptionObject::CaptionCharset() const
{
    if (SkinData && SkinData->ResourceStrData())
        return SkinData->ResourceStrData()->CharSet();
    return Parent->DefCaptionFont()->Charset();
}

void TskSkinCaptionObject::SetCaptionFont(cl::TCanvas* Canvas, bool AsActive)
{
    cl::TFont* f = Canvas->Font();
    f->SetName(FontName);
    f->SetStyle(FontStyle);
    f->SetHeight(FontHeight);
    f->SetColor(AsActive ? ActiveFontColor : FontColor);
    f->SetCharset(CaptionCharset());
}

TskCaptionImageKey TskSkinCaptionObject::ImageKey(cl::TBitmap* Source, const TRect& R, bool AsActive) const
{
    TskCaptionImageKey k;
    k.Source = Source;
    k.SourceHandle = Source && !Source->Empty() ? Source->Handle() : nullptr;
    k.ActivePicture = ActivePicture;
    k.ActivePictureHandle = ActivePicture && !ActivePicture->Empty() ? ActivePicture->Handle() : nullptr;
    k.SkinData = SkinData;
    k.R = R;
    k.SkinRect = SkinRect;
    k.Width = ObjectRect.Width();
    k.Height = ObjectRect.Height();
    k.AsActive = AsActive;
    k.Text = Parent->CaptionText();
    k.Charset = CaptionCharset();
    k.Look = *this;
    if (SkinData) {
        k.ButtonsOffset = SkinData->ButtonsOffset;
        k.LeftEdge = SkinData->LTPoint.X;
        k.RightEdge = SkinData->RTPoint.X;
    }
    return k;
}

void TskSkinCaptionObject::ComposeBackground(cl::TBitmap* B, cl::TBitmap* Source, const TRect& R)
{
    const int w = ObjectRect.Width();
    const int h = ObjectRect.Height();
    B->SetSize(w, h);
    if (!Source || Source->Empty() || w < 1 || h < 1)
        return;
    int lw = SkinData ? SkinData->LTPoint.X - R.Left : 0;
    int rw = SkinData ? R.Right - SkinData->RTPoint.X : 0;
    lw = std::max(lw, 0);
    rw = std::max(rw, 0);
    if (lw == 0 && rw == 0) {
        SetStretchBltMode(B->Canvas()->Handle(), COLORONCOLOR);
        StretchBlt(B->Canvas()->Handle(), 0, 0, w, h, Source->Canvas()->Handle(), R.Left, R.Top, R.Width(), R.Height(),
                   SRCCOPY);
        return;
    }
    ComposeHSkinStrip(lw, rw, B, Source, R, w, h, StretchEffect);
}

void TskSkinCaptionObject::DrawImage(cl::TCanvas* Canvas, cl::TBitmap* Source, const TRect& R, bool TextAsActive,
                                     bool Effect)
{
    cl::TBitmap& b = image_;
    TskCaptionImageKey key = ImageKey(Source, R, TextAsActive);
    if (!imageKey_ || *imageKey_ != key) {
        imageKey_.reset();
        ComposeBackground(&b, Source, R);
        if (!b.Empty())
            DrawCaption(b.Canvas(), 0, 0, TextAsActive);
        imageKey_ = std::move(key);
    }
    if (b.Empty())
        return;
    if (Effect && SkinData) {
        std::unique_ptr<TskEffectBmp> e = TskEffectBmp::CreateFromHandle(b.Handle());
        e->ApplyImageEffect(SkinData->InactiveEffect);
        e->Draw(Canvas->Handle(), ObjectRect.Left, ObjectRect.Top);
        return;
    }
    BitBlt(Canvas->Handle(), ObjectRect.Left, ObjectRect.Top, b.Width(), b.Height(), b.Canvas()->Handle(), 0, 0,
           SRCCOPY);
}

void TskSkinCaptionObject::Draw(cl::TCanvas* Canvas, bool)
{
    const bool autoInactive = SkinData && SkinData->AutoRenderingInactiveImage;
    if (HasAnimation() && AnimationShowing()) {
        DrawImage(Canvas, ActivePicture, AnimationFrameRect(AnimateFrame), !Active, false);
        return;
    }
    if (EnableMorphing() && MorphUnderWay()) {
        const int w = ObjectRect.Width();
        const int h = ObjectRect.Height();
        if (w < 1 || h < 1)
            return;
        cl::TBitmap inactive, active;
        ComposeBackground(&inactive, Picture, SkinRect);
        DrawCaption(inactive.Canvas(), 0, 0, false);
        ComposeBackground(&active, ActivePicture, ActiveSkinRect);
        DrawCaption(active.Canvas(), 0, 0, true);
        std::unique_ptr<TskEffectBmp> from = TskEffectBmp::CreateFromHandle(inactive.Handle());
        std::unique_ptr<TskEffectBmp> to = TskEffectBmp::CreateFromHandle(active.Handle());
        from->MorphByKind(MorphKind, *to, MorphKf);
        if (!Active && autoInactive)
            from->ApplyImageEffect(SkinData->InactiveEffect);
        from->Draw(Canvas->Handle(), ObjectRect.Left, ObjectRect.Top);
        return;
    }
    if (IsNullRect(ActiveSkinRect) || (!Active && !EnableMorphing() && !StretchEffect && !HasAnimation())) {
        DrawCaption(Canvas, ObjectRect.Left, ObjectRect.Top, Active);
        return;
    }
    if (Active)
        DrawImage(Canvas, ActivePicture, ActiveSkinRect, true, false);
    else
        DrawImage(Canvas, Picture, SkinRect, false, autoInactive);
}

// Measuring the text (and cutting it to the room) takes several calls through the font engine;
// its result changes only with the text, the font and the room.
const TskCaptionTextLayout& TskSkinCaptionObject::TextLayout(cl::TCanvas* Canvas, const std::string& Caption,
                                                             int Room)
{
    cl::TFont* f = Canvas->Font();
    TskCaptionTextLayout::TKey key{Caption, f->Name(), f->Height(), f->Style(), f->Charset(), f->Pitch(),
                                  f->Orientation(), Room};
    if (layout_ && layout_->Key == key)
        return *layout_;
    layout_.reset();
    TskCaptionTextLayout l;
    l.Text = cl::AnsiToWide(Caption);
    FitTextToWidth(Canvas, l.Text, Room);
    l.TextWidth = GetTextWidth(Canvas, l.Text);
    l.TextHeight = GetTextHeight(Canvas, l.Text);
    // A single line from a corner: the same box wherever the corner is.
    TRect box = cl::Rect(0, 0, 0, 0);
    DrawSkinText(Canvas, l.Text, box, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
    l.Box = {box.Width(), box.Height()};
    l.Key = std::move(key);
    layout_ = std::move(l);
    return *layout_;
}

void TskSkinCaptionObject::DrawCaption(cl::TCanvas* Canvas, int X, int Y, bool AsActive)
{
    const std::string& caption = Parent->CaptionText();
    if (caption.empty() || IsNullRect(TextRect))
        return;
    TRect tr = TextRect;
    tr.Right = ObjectRect.Width() - (SkinRect.Width() - TextRect.Right);
    if (!IsNullRect(FrameRect)) {
        tr.Left += FrameTextRect.Left;
        tr.Top += FrameTextRect.Top;
        tr.Right -= FrameRect.Width() - FrameTextRect.Right;
    }
    SetCaptionFont(Canvas, AsActive);
    const TskCaptionTextLayout& layout = TextLayout(Canvas, caption, tr.Width());
    const std::wstring& text = layout.Text;
    const int tw = layout.TextWidth;
    const int th = layout.TextHeight;
    const int py = Y + tr.Top + tr.Height() / 2 - th / 2;
    int px = X + tr.Left;
    if (Alignment == taRightJustify)
        px = X + tr.Right - tw;
    else if (Alignment == taCenter)
        px = X + tr.Left + tr.Width() / 2 - tw / 2;
    Canvas->Brush()->SetStyle(cl::bsClear);
    if (!IsNullRect(FrameRect) && ActivePicture) {
        const TRect fr = AsActive && !IsNullRect(ActiveFrameRect) ? ActiveFrameRect : FrameRect;
        const int gap = SkinData ? SkinData->ButtonsOffset : 0;
        const int fw = FullFrame ? ObjectRect.Width() - 2 * gap : FrameRect.Width() - FrameTextRect.Width() + tw;
        if (fw > 0) {
            cl::TBitmap frame;
            ComposeHSkinStrip(FrameLeftOffset, FrameRightOffset, &frame, ActivePicture, fr, fw, fr.Height(), false);
            const int fx = FullFrame ? X + gap : px - FrameTextRect.Left;
            BitBlt(Canvas->Handle(), fx, py - FrameTextRect.Top, frame.Width(), frame.Height(),
                   frame.Canvas()->Handle(), 0, 0, SRCCOPY);
        }
    }
    const TColor fontColor = Canvas->Font()->Color();
    auto textAt = [&](int x, int y, TColor color) {
        Canvas->Font()->SetColor(color);
        TRect r = cl::Rect(x, y, x + layout.Box.cx, y + layout.Box.cy);
        DrawSkinText(Canvas, text, r, DT_NOPREFIX | DT_SINGLELINE);
        Canvas->Font()->SetColor(fontColor);
    };
    if (Light)
        textAt(px - 1, py - 1, AsActive ? ActiveLightColor : LightColor);
    if (Shadow)
        textAt(px + 1, py + 1, AsActive ? ActiveShadowColor : ShadowColor);
    textAt(px, py, fontColor);
    Canvas->Brush()->SetStyle(cl::bsSolid);
}

}  // namespace sk
