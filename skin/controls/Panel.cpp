#include "skin/controls/Panel.h"

#include <algorithm>

#include "skin/controls/ButtonLook.h"
#include "skin/drawing/Composers.h"
#include "skin/drawing/Glyphs.h"

namespace sk {

using namespace cl;

namespace {
// The caption keeps this much on its right for the roll-up mark, which is drawn this wide.
constexpr int RollMarkSpace = 12;
constexpr int RollMarkWidth = 10;
constexpr int DefaultCheckBox = 14;
}  // namespace

TskSkinPanel::TskSkinPanel(TComponent* AOwner) : TskSkinCustomControl(AOwner)
{
    borderStripPainting_ = true;
    SetSkinDataName("panel");
    SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque, csSetCaption});
    SetBounds(0, 0, 150, 150);
}

TskDataSkinPanelControl* TskSkinPanel::PanelDescription() const
{
    return dynamic_cast<TskDataSkinPanelControl*>(Description());
}

void TskSkinPanel::GetSkinData()
{
    TskSkinCustomControl::GetSkinData();
    // A description of another kind has no caption or borders to offer.
    if (index_ != -1 && !PanelDescription()) {
        index_ = -1;
        picture_ = nullptr;
    }
}

bool TskSkinPanel::TilesWholeClient() const
{
    return index_ != -1 && borderStyle_ == bvNone && ResizeMode == rmNinePart && !captionMode_ &&
           borderStripPainting_;
}

TRect TskSkinPanel::MappedCaptionRect()
{
    auto* d = PanelDescription();
    if (!d)
        return {};
    int w = Width(), h = Height();
    CalcSize(w, h);
    return ResizeMode > 0 ? MapSkinRect(d->CaptionRect) : d->CaptionRect;
}

// ---------------------------------------------------------------------------------------------
// Properties

void TskSkinPanel::SetCaptionMode(bool Value)
{
    captionMode_ = Value;
    Repaint();
    Realign();
}

void TskSkinPanel::SetDefaultCaptionHeight(int Value)
{
    defaultCaptionHeight_ = Value;
    if (index_ == -1 && captionMode_) {
        Repaint();
        Realign();
    }
}

void TskSkinPanel::SetDefaultAlignment(TAlignment Value)
{
    defaultAlignment_ = Value;
    if (index_ == -1 && captionMode_)
        Repaint();
}

void TskSkinPanel::SetBorderStyle(TskSkinBorderStyle Value)
{
    borderStyle_ = Value;
    if (index_ == -1) {
        Repaint();
        Realign();
    }
}

void TskSkinPanel::SetCheckedMode(bool Value)
{
    checkedMode_ = Value;
    Repaint();
}

void TskSkinPanel::SetChecked(bool Value)
{
    checked_ = Value;
    if (checkedMode_)
        Repaint();
    if (autoEnabledControls_ && checkedMode_)
        for (int i = 0; i < ControlCount(); ++i)
            Controls(i)->SetEnabled(Value);
    if (OnChecked)
        OnChecked(this);
}

void TskSkinPanel::SetRollUpMode(bool Value)
{
    rollUpMode_ = Value;
    if (index_ == -1 && captionMode_)
        Repaint();
}

void TskSkinPanel::SetGlyph(TBitmap* Value)
{
    glyph_.Assign(Value);
    Repaint();
}

void TskSkinPanel::SetNumGlyphs(int Value)
{
    glyph_.SetNumGlyphs(Value);
    Repaint();
}

void TskSkinPanel::SetSpacing(int Value)
{
    glyph_.SetSpacing(Value);
    Repaint();
}

void TskSkinPanel::SetRollUpState(bool Value)
{
    if (Value == rollUpState_)
        return;
    if (!rollUpMode_) {
        // Only a panel that rolled up has constraints of its own put aside to take back.
        if (realHeight_ != -1)
            RollDown();
        roll_.RestoreConstraints(*this);
        rollUpState_ = false;
        return;
    }
    rollUpState_ = Value;
    if (Value)
        RollUp();
    else
        RollDown();
    if (OnChangeRollUpState)
        OnChangeRollUpState(this);
}

int TskSkinPanel::RolledHeight()
{
    if (index_ == -1)
        return defaultCaptionHeight_ + 1;
    int w = Width(), h = Height();
    CalcSize(w, h);
    const int borders = Height() - NewClRect.Bottom + NewClRect.Top;
    // A skin whose client rectangle reaches into the caption would leave no caption to click.
    const int caption = captionMode_ ? MappedCaptionRect().Bottom : 0;
    return std::max({borders, caption, 1});
}

void TskSkinPanel::RollUp()
{
    if (realHeight_ != -1)
        return;
    GetSkinData();
    realHeight_ = Height();
    roll_.PutAside(*this);
    SetHeight(RolledHeight());
}

void TskSkinPanel::RollDown()
{
    if (realHeight_ == -1)
        return;
    const int h = realHeight_;
    realHeight_ = -1;
    roll_.RestoreConstraints(*this);
    SetHeight(h);
    roll_.ShowChildren(*this);
}

void TskSkinPanel::ChangeSkinData()
{
    TskSkinCustomControl::ChangeSkinData();
    if (realHeight_ != -1)
        SetHeight(RolledHeight());
    else
        Realign();
}

void TskSkinPanel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TskSkinCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (index_ == -1)
        Repaint();
}

void TskSkinPanel::AdjustClientRect(TRect& Rect)
{
    GetSkinData();
    auto* d = PanelDescription();
    if (d && !Designing()) {
        int w = Width(), h = Height();
        CalcSize(w, h);
        if (SkinPicture(SkinData(), d->BGPictureIndex) || TilesWholeClient())
            return;
        Rect = NewClRect;
        return;
    }
    if (borderStyle_ != bvNone)
        Rect = {Rect.Left + 1, Rect.Top + 1, Rect.Right - 1, Rect.Bottom - 1};
    if (captionMode_)
        Rect.Top += defaultCaptionHeight_;
}

// ---------------------------------------------------------------------------------------------
// Messages and the mouse

void TskSkinPanel::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_TEXTCHANGED:
        TskSkinCustomControl::Dispatch(Message);
        if (captionMode_)
            Repaint();
        break;
    case CM_ENABLEDCHANGED:
        TskSkinCustomControl::Dispatch(Message);
        Repaint();
        break;
    default: TskSkinCustomControl::Dispatch(Message);
    }
}

void TskSkinPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const TAliveFlag alive = alive_;
    if (Button == mbLeft && captionMode_ && (checkedMode_ || rollUpMode_)) {
        GetSkinData();
        const TRect area = index_ != -1 ? MappedCaptionRect() : Rect(1, 1, Width() - 1, defaultCaptionHeight_);
        if (PointInRect(area, {X, Y})) {
            if (checkedMode_)
                SetChecked(!checked_);
            if (!*alive)
                return;
            if (rollUpMode_)
                SetRollUpState(!rollUpState_);
            if (!*alive)
                return;
        }
    }
    TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

// ---------------------------------------------------------------------------------------------
// Painting

void TskSkinPanel::TileClientPart(TCanvas* Canvas, int W, int H)
{
    if (!picture_)
        return;
    TileRect(Canvas->Handle(), Rect(0, 0, W, H), {0, 0}, picture_,
             cl::OffsetRect(ClRect, SkinRect.Left, SkinRect.Top));
}

void TskSkinPanel::Paint()
{
    if (Width() < 1 || Height() < 1)
        return;
    GetSkinData();
    auto* d = PanelDescription();
    if (!d) {
        TskSkinCustomControl::Paint();
        return;
    }
    int w = Width(), h = Height();
    CalcSize(w, h);
    if (TilesWholeClient()) {
        TBitmap b;
        b.SetSize(Width(), Height());
        TileClientPart(b.Canvas(), Width(), Height());
        Canvas()->Draw(0, 0, &b);
        return;
    }
    if (TBitmap* bg = SkinPicture(SkinData(), d->BGPictureIndex); bg && !bg->Empty()) {
        TBitmap b;
        b.SetSize(Width(), Height());
        TileBitmap(b.Canvas()->Handle(), Rect(0, 0, Width(), Height()), bg);
        Canvas()->Draw(0, 0, &b);
        return;
    }
    TskSkinCustomControl::Paint();
}

void TskSkinPanel::CreateControlSkinImage(TBitmap* B)
{
    if (TilesWholeClient()) {
        TileClientPart(B->Canvas(), B->Width(), B->Height());
        return;
    }
    TskSkinCustomControl::CreateControlSkinImage(B);
    const TRect c = MappedCaptionRect();
    if (captionMode_ && !IsNullRect(c))
        DrawSkinCaption(B->Canvas(), c);
}

int TskSkinPanel::CaptionWidth(TCanvas* Canvas, const std::string& Text)
{
    int w = Canvas->TextWidth(Text);
    if (!glyph_.Empty())
        w += glyph_.FrameWidth() + glyph_.Spacing();
    return w;
}

int TskSkinPanel::AlignedLeft(const TRect& C, int W, TAlignment Alignment)
{
    if (Alignment == taRightJustify)
        return C.Right - W;
    if (Alignment == taCenter)
        return C.Left + RectWidth(C) / 2 - W / 2;
    return C.Left;
}

void TskSkinPanel::DrawAlignedCaption(TCanvas* Canvas, const TRect& C, TAlignment Alignment, const std::string& Text)
{
    const int x = AlignedLeft(C, CaptionWidth(Canvas, Text), Alignment);
    const int y = C.Top + RectHeight(C) / 2 - Canvas->TextHeight(Text.empty() ? std::string(" ") : Text) / 2;
    const int tx = glyph_.Empty() ? x : x + glyph_.FrameWidth() + glyph_.Spacing();
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->TextRect(C, tx, y, Text);
    glyph_.Draw(Canvas, x, C.Top + RectHeight(C) / 2 - glyph_.Height() / 2, Enabled());
}

void TskSkinPanel::DrawSkinCaption(TCanvas* Canvas, TRect C)
{
    auto* d = PanelDescription();
    const std::string text = Caption();
    const TRect full = C;
    if (rollUpMode_)
        C.Right -= RollMarkSpace;
    if (checkedMode_) {
        const TRect img = checked_ ? d->CheckImageRect : d->UnCheckImageRect;
        DrawTransparentPart(Canvas, C.Left, C.Top + RectHeight(C) / 2 - RectHeight(img) / 2, picture_, img);
        C.Left += RectWidth(img) + 2;
    }
    SetCaptionFont(Canvas, d, UseSkinFont(), DefaultFont(), SkinData());
    Canvas->Font()->SetColor(d->FontColor);
    Canvas->Brush()->SetStyle(bsClear);
    if (rollUpMode_) {
        const TRect mark{C.Right, full.Top, C.Right + RollMarkWidth, full.Bottom};
        if (!IsNullRect(d->MarkFrameRect) && picture_)
            Canvas->CopyRect(Rect(mark.Left, mark.Top + RectHeight(mark) / 2 - RectHeight(d->MarkFrameRect) / 2,
                                  mark.Left + RectWidth(d->MarkFrameRect),
                                  mark.Top + RectHeight(mark) / 2 - RectHeight(d->MarkFrameRect) / 2 +
                                      RectHeight(d->MarkFrameRect)),
                             picture_->Canvas(), d->MarkFrameRect);
        DrawArrowImage(Canvas, mark, d->FontColor, rollUpState_ ? adDown : adUp);
    }
    if (text.empty() && glyph_.Empty())
        return;
    if (!IsNullRect(d->FrameRect) && picture_) {
        const int stripW = Canvas->TextWidth(text) + RectWidth(d->FrameRect) - RectWidth(d->FrameTextRect);
        TBitmap strip;
        ComposeHSkinStrip(d->FrameLeftOffset, d->FrameRightOffset, &strip, picture_, d->FrameRect, stripW,
                          RectHeight(d->FrameRect), false);
        Canvas->Draw(AlignedLeft(C, stripW, d->Alignment), C.Top + RectHeight(C) / 2 - strip.Height() / 2, &strip);
    }
    DrawAlignedCaption(Canvas, C, d->Alignment, text);
}

void TskSkinPanel::CreateControlDefaultImage(TBitmap* B)
{
    TCanvas* c = B->Canvas();
    TRect r = Rect(0, 0, Width(), Height());
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(r);
    switch (borderStyle_) {
    case bvFrame: c->Brush()->SetColor(clBtnShadow); c->FrameRect(r); break;
    case bvRaised: Frame3D(c, r, clBtnHighlight, clBtnShadow, 1); break;
    case bvLowered: Frame3D(c, r, clBtnShadow, clBtnHighlight, 1); break;
    case bvNone: break;
    }
    if (captionMode_)
        DrawDefaultCaption(c);
}

void TskSkinPanel::DrawDefaultCaption(TCanvas* Canvas)
{
    TRect strip;
    if (borderStyle_ == bvFrame) {
        strip = Rect(0, 0, Width(), defaultCaptionHeight_);
        Canvas->Brush()->SetColor(clBtnShadow);
        Canvas->FrameRect(strip);
        strip = Rect(1, 1, Width() - 1, defaultCaptionHeight_ - 1);
        Frame3D(Canvas, strip, clBtnHighlight, clBtnFace, 1);
    } else {
        strip = Rect(1, 1, Width() - 1, defaultCaptionHeight_);
        Frame3D(Canvas, strip, clBtnShadow, clBtnHighlight, 1);
        Frame3D(Canvas, strip, clBtnHighlight, clBtnShadow, 1);
    }
    TRect C = strip;
    C.Left += 2;
    if (checkedMode_) {
        const int top = C.Top + RectHeight(C) / 2 - DefaultCheckBox / 2;
        const TRect box{5, top, 5 + DefaultCheckBox, top + DefaultCheckBox};
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(clBtnShadow);
        Canvas->FrameRect(box);
        if (checked_)
            DrawCheckMark(Canvas, box.Left + 4, box.Top + 3, clBtnText);
        C.Left += 20;
    }
    if (rollUpMode_) {
        C.Right -= RollMarkSpace;
        DrawArrowImage(Canvas, Rect(C.Right, strip.Top, C.Right + RollMarkWidth, strip.Bottom), clBtnText,
                       rollUpState_ ? adDown : adUp);
    }
    SetCaptionFont(Canvas, nullptr, false, DefaultFont(), SkinData());
    const std::string text = Caption();
    if (text.empty() && glyph_.Empty())
        return;
    DrawAlignedCaption(Canvas, C, defaultAlignment_, text);
}

void TskSkinPanel::DrawGripLines(TCanvas* Canvas, const TRect& R, TColor Shadow, TColor Light)
{
    const int steps = RectWidth(R) / 3 + 1;
    for (int i = 1, d = 3; i <= steps && R.Left + d + 2 <= R.Right; ++i, d += 3) {
        Canvas->Pen()->SetColor(Shadow);
        Canvas->MoveTo(R.Left + d, R.Bottom);
        Canvas->LineTo(R.Right, R.Top + d);
        Canvas->Pen()->SetColor(Light);
        Canvas->MoveTo(R.Left + d + 1, R.Bottom);
        Canvas->LineTo(R.Right, R.Top + d + 1);
    }
}

}  // namespace sk
