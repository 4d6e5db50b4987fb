#include "skin/controls/ButtonLook.h"

#include <cmath>
#include <cstring>

#include "skin/drawing/Composers.h"
#include "skin/texts/ResourceStrData.h"
#include "skin/bases/SkinCtrls.h"
#include "skin/data/Controls.h"
#include "skin/drawing/Utils.h"
#include "skin/drawing/Glyphs.h"

namespace sk {

using namespace cl;

TskFade::TskFade(std::function<bool()> Towards, std::function<void()> Changed)
    : towards_(std::move(Towards)), changed_(std::move(Changed)), timer_([this] { Tick(); })
{
}

void TskFade::Set(double Value)
{
    if (Value <= 0)
        step_ = 0;
    else if (Value >= 1)
        step_ = Steps;
    else
        step_ = static_cast<int>(std::lrint(Value * Steps));
}

void TskFade::Start()
{
    if (!timer_.Running())
        timer_.Start(Interval);
}

void TskFade::Tick()
{
    const bool hot = towards_();
    if (hot && step_ < Steps) {
        ++step_;
    } else if (!hot && step_ > 0) {
        --step_;
    } else {
        step_ = hot ? Steps : 0;
        timer_.Stop();
    }
    changed_();
}

TskFrameAnimation::TskFrameAnimation(std::function<void()> Changed)
    : changed_(std::move(Changed)), timer_([this] { Tick(); })
{
}

void TskFrameAnimation::Start(bool Forward, int Count, unsigned Interval)
{
    Stop();
    if (Count < 1 || Interval == 0)
        return;
    forward_ = Forward;
    count_ = Count;
    frame_ = Forward ? 1 : Count;
    timer_.Start(Interval);
}

void TskFrameAnimation::Start(bool Forward, const TskDataSkinButtonControl& Description)
{
    if (!IsNullRect(Description.AnimateSkinRect))
        Start(Forward, Description.FrameCount, Description.AnimateInterval);
}

void TskFrameAnimation::Stop()
{
    timer_.Stop();
    frame_ = 0;
}

void TskFrameAnimation::Tick()
{
    if (forward_) {
        if (frame_ <= count_)
            ++frame_;
        if (frame_ > count_)
            Stop();
    } else {
        if (frame_ >= 0)
            --frame_;
        if (frame_ < 1)
            Stop();
    }
    changed_();
}

TRect AnimationFrameRect(const TRect& A, int Count, int Index, bool Stacked)
{
    if (Count < 1 || Index < 1 || Index > Count)
        return {};
    if (Stacked) {
        const int h = RectHeight(A) / Count;
        return {A.Left, A.Top + (Index - 1) * h, A.Right, A.Top + Index * h};
    }
    const int w = RectWidth(A) / Count;
    return {A.Left + (Index - 1) * w, A.Top, A.Left + Index * w, A.Bottom};
}

void TskButtonStateRects::Read(const TskDataSkinButtonControl& Description, const TRect& SkinRect,
                               const TskFrameAnimation& Animation, bool Stacked)
{
    Normal = SkinRect;
    Active = IsNullRect(Description.ActiveSkinRect) ? SkinRect : Description.ActiveSkinRect;
    Down = IsNullRect(Description.DownSkinRect) ? Active : Description.DownSkinRect;
    if (!Animation.HasFrame())
        return;
    const TRect frame =
        AnimationFrameRect(Description.AnimateSkinRect, Description.FrameCount, Animation.Frame(), Stacked);
    if (!IsNullRect(frame))
        (Animation.Forward() ? Active : Normal) = frame;
}

int GlyphFrameFor(bool Hot, bool Down, bool Enabled, int NumGlyphs)
{
    if (Hot && Down && NumGlyphs > 2)
        return 3;
    if (Hot && NumGlyphs > 3)
        return 4;
    if (Enabled || NumGlyphs < 2)
        return 1;
    return 2;
}

void SetCaptionFont(TCanvas* Canvas, const TskDataFont* Description, bool UseSkinFont, TFont* DefaultFont,
                    TskSkinData* Data)
{
    TFont* f = Canvas->Font();
    if (UseSkinFont && Description) {
        f->SetName(Description->FontName);
        f->SetHeight(Description->FontHeight);
        f->SetStyle(Description->FontStyle);
    } else {
        f->Assign(DefaultFont);
    }
    if (Data && Data->ResourceStrData())
        f->SetCharset(Data->ResourceStrData()->CharSet());
    else
        f->SetCharset(DefaultFont->Charset());
}

void DrawMorph(TCanvas* Canvas, TBitmap* From, TBitmap* To, TskMorphKind Kind, double K)
{
    if (From->Empty() || To->Empty())
        return;
    auto from = TskEffectBmp::CreateFromHandle(From->Handle());
    auto to = TskEffectBmp::CreateFromHandle(To->Handle());
    from->MorphByKind(Kind, *to, K);
    from->Draw(Canvas->Handle(), 0, 0);
}

void TskMorphFaces::Store(const TKey& Key, TBitmap* From, TBitmap* To)
{
    Clear();
    if (From->Empty() || To->Empty())
        return;
    from_ = TskEffectBmp::CreateFromHandle(From->Handle());
    to_ = TskEffectBmp::CreateFromHandle(To->Handle());
    blend_ = std::make_unique<TskEffectBmp>(from_->Width(), from_->Height());
    key_ = Key;
}

void TskMorphFaces::Clear()
{
    from_.reset();
    to_.reset();
    blend_.reset();
}

void TskMorphFaces::Draw(HDC DC, TskMorphKind Kind, double K)
{
    if (!from_)
        return;
    if (K <= 0) {
        from_->Draw(DC, 0, 0);
        return;
    }
    if (K >= 1) {
        to_->Draw(DC, 0, 0);
        return;
    }
    std::memcpy(blend_->Bits(), from_->Bits(), from_->Size());
    blend_->MorphByKind(Kind, *to_, K);
    blend_->Draw(DC, 0, 0);
}

void FillFramed(TCanvas* Canvas, const TRect& R, TColor Frame, TColor Fill)
{
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Fill);
    Canvas->FillRect(R);
    Canvas->Brush()->SetColor(Frame);
    Canvas->FrameRect(R);
}

void DrawTransparentPart(TCanvas* Canvas, int X, int Y, TBitmap* Picture, const TRect& Src, TColor Colour)
{
    if (!Picture || Picture->Empty() || IsNullRect(Src))
        return;
    TBitmap part;
    part.SetSize(RectWidth(Src), RectHeight(Src));
    part.Canvas()->CopyRect(Rect(0, 0, part.Width(), part.Height()), Picture->Canvas(), Src);
    if (Colour != clNone)
        part.SetTransparentColor(Colour);
    part.SetTransparent(true);
    Canvas->Draw(X, Y, &part);
}

void DrawDefaultElement(cl::TCanvas* Canvas, const TRect& R, bool Hot, bool Pressed, int Arrow, cl::TColor ArrowColor)
{
    TRect r = R;
    if (IsNullRect(r))
        return;
    cl::TColor frame = cl::clBtnShadow;
    cl::TColor fill = cl::clBtnFace;
    if (Pressed) {
        frame = clSkinDefaultFrame;
        fill = clSkinDefaultDownFill;
    } else if (Hot) {
        frame = clSkinDefaultFrame;
        fill = clSkinDefaultHotFill;
    }
    cl::Frame3D(Canvas, r, frame, frame, 1);
    Canvas->Brush()->SetColor(fill);
    Canvas->FillRect(r);
    if (Arrow != 0)
        DrawArrowImage(Canvas, r, ArrowColor, Arrow);
}

TColor ButtonCaptionColor(const TskDataSkinButtonControl& Description, bool Enabled, bool UseSkinFontColor,
                          TColor OwnColor, bool Active, bool Down)
{
    if (Enabled && !UseSkinFontColor)
        return OwnColor;
    if (!Enabled)
        return Description.DisabledFontColor;
    if (Active && Down)
        return Description.DownFontColor;
    if (Active)
        return Description.ActiveFontColor;
    return Description.FontColor;
}

TRect DrawButtonFace(const TskSkinGeometry& G, TBitmap* B, TBitmap* Picture, const TRect& R, int W, int H,
                     bool UseSkinSize)
{
    B->SetSize(W, H);
    if (UseSkinSize || G.ResizeMode == rmNinePart) {
        ComposeSkinControlImage(G, B, Picture, R, W, H, true);
        return G.NewClRect;
    }
    if (Picture && G.ResizeMode == rmFixed)
        B->Canvas()->CopyRect(Rect(0, 0, W, H), Picture->Canvas(), R);
    else if (Picture)
        StretchSkinImage(B, Picture, R, G.ClRect);
    TRect text = G.ClRect;
    text.Right += W - RectWidth(R);
    text.Bottom += H - RectHeight(R);
    return text;
}

}  // namespace sk
