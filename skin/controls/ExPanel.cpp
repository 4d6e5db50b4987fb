#include "skin/controls/ExPanel.h"

#include <algorithm>

#include "skin/controls/ButtonLook.h"
#include "skin/drawing/Composers.h"
#include "skin/drawing/Glyphs.h"
#include "skin/drawing/Text.h"

namespace sk {

using namespace cl;

namespace {
// Unskinned caption buttons are this much smaller than the caption bar.
constexpr int DefaultButtonInset = 6;
// The text runs upwards: an escapement of 90 degrees, in tenths.
constexpr int UpwardsEscapement = 900;

TRect Sized(int Left, int Top, const TRect& Like) { return {Left, Top, Left + RectWidth(Like), Top + RectHeight(Like)}; }
TRect OrElse(const TRect& R, const TRect& Fallback) { return IsNullRect(R) ? Fallback : R; }
}  // namespace

TskSkinExPanel::TskSkinExPanel(TComponent* AOwner) : TskSkinCustomControl(AOwner)
{
    borderStripPainting_ = true;
    clientTiling_ = true;
    SetSkinDataName("expanel");
    SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque, csSetCaption});
    SetBounds(0, 0, 150, 100);
}

TskDataSkinExPanelControl* TskSkinExPanel::ExDescription() const
{
    return dynamic_cast<TskDataSkinExPanelControl*>(Description());
}

void TskSkinExPanel::GetSkinData()
{
    TskSkinCustomControl::GetSkinData();
    if (index_ != -1 && !ExDescription()) {
        index_ = -1;
        picture_ = nullptr;
    }
}

// ---------------------------------------------------------------------------------------------
// Properties and rolling

void TskSkinExPanel::SetRollKind(TskExPanelRollKind Value)
{
    rollKind_ = Value;
    Repaint();
}

void TskSkinExPanel::SetShowRollButton(bool Value)
{
    showRollButton_ = Value;
    Repaint();
}

void TskSkinExPanel::SetShowCloseButton(bool Value)
{
    showCloseButton_ = Value;
    Repaint();
}

void TskSkinExPanel::SetDefaultCaptionHeight(int Value)
{
    defaultCaptionHeight_ = Value;
    if (index_ == -1) {
        Repaint();
        Realign();
    }
}

void TskSkinExPanel::SetGlyph(TBitmap* Value)
{
    glyph_.Assign(Value);
    Repaint();
}

void TskSkinExPanel::SetNumGlyphs(int Value)
{
    glyph_.SetNumGlyphs(Value);
    Repaint();
}

void TskSkinExPanel::SetSpacing(int Value)
{
    glyph_.SetSpacing(Value);
    Repaint();
}

int TskSkinExPanel::RolledSize()
{
    GetSkinData();
    // A skin without its rolled image would leave a panel of no size, never to be rolled back:
    // the caption bar's default height serves instead.
    int size = 0;
    if (auto* d = ExDescription())
        size = rollKind_ == rkRollHorizontal ? RectWidth(d->RollHSkinRect) : RectHeight(d->RollVSkinRect);
    return size > 0 ? size : defaultCaptionHeight_;
}

void TskSkinExPanel::SetRollState(bool Value)
{
    if (Value == rollState_)
        return;
    rollState_ = Value;
    rolling_ = true;
    if (Value) {
        borderStripPainting_ = false;
        roll_.PutAside(*this);
        if (rollKind_ == rkRollHorizontal) {
            if (realWidth_ == 0) {
                realWidth_ = Width();
                SetWidth(RolledSize());
            }
        } else if (realHeight_ == 0) {
            realHeight_ = Height();
            SetHeight(RolledSize());
        }
    } else {
        borderStripPainting_ = true;
        roll_.RestoreConstraints(*this);
        if (rollKind_ == rkRollHorizontal) {
            if (realWidth_ > 0)
                SetWidth(realWidth_);
            realWidth_ = 0;
        } else {
            if (realHeight_ > 0)
                SetHeight(realHeight_);
            realHeight_ = 0;
        }
        roll_.ShowChildren(*this);
    }
    rolling_ = false;
    Repaint();
    if (OnChangeRollState && !Designing())
        OnChangeRollState(this);
}

void TskSkinExPanel::Close()
{
    Hide();
    if (OnClose && !Designing())
        OnClose(this);
}

void TskSkinExPanel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (rollState_ && !rolling_) {
        if (rollKind_ == rkRollHorizontal)
            AWidth = RolledSize();
        else
            AHeight = RolledSize();
    }
    TskSkinCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TskSkinExPanel::ChangeSkinData()
{
    TskSkinCustomControl::ChangeSkinData();
    if (rollState_) {
        rolling_ = true;
        if (rollKind_ == rkRollHorizontal)
            SetWidth(RolledSize());
        else
            SetHeight(RolledSize());
        rolling_ = false;
    } else {
        Realign();
    }
}

void TskSkinExPanel::AdjustClientRect(TRect& Rect)
{
    GetSkinData();
    if (index_ != -1) {
        int w = Width(), h = Height();
        CalcSize(w, h);
        Rect = NewClRect;
        return;
    }
    Rect = {Rect.Left + 1, Rect.Top + defaultCaptionHeight_, Rect.Right - 1, Rect.Bottom - 1};
}

// ---------------------------------------------------------------------------------------------
// Caption buttons

TRect TskSkinExPanel::LayoutCaption()
{
    GetSkinData();
    buttons_[CloseButton].Rect = {};
    buttons_[RollButton].Rect = {};
    TRect c;
    if (auto* d = ExDescription()) {
        const bool horizontal = Horizontal();
        if (!rollState_)
            c = d->CaptionRect, c.Right += Width() - RectWidth(SkinRect);
        else if (!horizontal)
            c = d->RollVCaptionRect, c.Right += Width() - RectWidth(d->RollVSkinRect);
        else
            c = d->RollHCaptionRect, c.Bottom += Height() - RectHeight(d->RollHSkinRect);
        if (!horizontal) {
            int right = c.Right;
            if (showCloseButton_) {
                buttons_[CloseButton].Rect = Sized(right - RectWidth(d->CloseButtonRect), c.Top, d->CloseButtonRect);
                right = buttons_[CloseButton].Rect.Left - ButtonGap;
            }
            if (showRollButton_) {
                if (!showCloseButton_)
                    right = c.Right;
                buttons_[RollButton].Rect = Sized(right - RectWidth(d->VRollButtonRect), c.Top, d->VRollButtonRect);
                right = buttons_[RollButton].Rect.Left;
            }
            c.Right = right;
        } else {
            int top = c.Top;
            if (showCloseButton_) {
                buttons_[CloseButton].Rect = Sized(c.Left, top, d->CloseButtonRect);
                top = buttons_[CloseButton].Rect.Bottom + ButtonGap;
            }
            if (showRollButton_) {
                if (!showCloseButton_)
                    top = c.Top;
                buttons_[RollButton].Rect = Sized(c.Left, top, d->HRollButtonRect);
                top = buttons_[RollButton].Rect.Bottom;
            }
            c.Top = top;
        }
        return c;
    }
    const int s = defaultCaptionHeight_ - DefaultButtonInset;
    if (!Horizontal()) {
        int left = Width() - 2;
        if (showCloseButton_) {
            buttons_[CloseButton].Rect = Rect(Width() - s - 2, 3, Width() - 2, s + 3);
            left = buttons_[CloseButton].Rect.Left;
        }
        if (showRollButton_) {
            buttons_[RollButton].Rect = Rect(left - s, 3, left, s + 3);
            left = buttons_[RollButton].Rect.Left;
        }
        c = Rect(4, 2, left - 2, defaultCaptionHeight_ - 2);
        return c;
    }
    int top = 3;
    if (showCloseButton_) {
        buttons_[CloseButton].Rect = Rect(3, 3, s + 3, s + 3);
        top = buttons_[CloseButton].Rect.Bottom;
    }
    if (showRollButton_) {
        buttons_[RollButton].Rect = Rect(3, top, s + 3, top + s);
        top = buttons_[RollButton].Rect.Bottom;
    }
    return Rect(0, top + 2, Width(), Height());
}

TRect TskSkinExPanel::ButtonRect(int Index)
{
    LayoutCaption();
    return buttons_[Index].Rect;
}

void TskSkinExPanel::FindHot(int X, int Y)
{
    LayoutCaption();
    int hot = -1;
    for (int i = 0; i < 2; ++i)
        if (Shown(i) && (pressed_ == -1 || pressed_ == i) && PointInRect(buttons_[i].Rect, {X, Y}) &&
            !IsNullRect(buttons_[i].Rect))
            hot = i;
    bool changed = hot != hot_;
    hot_ = hot;
    for (int i = 0; i < 2; ++i) {
        const bool in = i == hot;
        changed |= buttons_[i].MouseIn != in;
        buttons_[i].MouseIn = in;
    }
    if (changed)
        Repaint();
}

void TskSkinExPanel::Dispatch(TMessage& Message)
{
    if (Message.Msg == CM_MOUSELEAVE) {
        TskSkinCustomControl::Dispatch(Message);
        hot_ = -1;
        buttons_[0].MouseIn = buttons_[1].MouseIn = false;
        Repaint();
        return;
    }
    if (Message.Msg == CM_TEXTCHANGED) {
        TskSkinCustomControl::Dispatch(Message);
        Repaint();
        return;
    }
    TskSkinCustomControl::Dispatch(Message);
}

void TskSkinExPanel::MouseMove(TShiftState Shift, int X, int Y)
{
    const TAliveFlag alive = alive_;
    TskSkinCustomControl::MouseMove(Shift, X, Y);
    if (*alive)
        FindHot(X, Y);
}

void TskSkinExPanel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const TAliveFlag alive = alive_;
    TskSkinCustomControl::MouseDown(Button, Shift, X, Y);
    if (!*alive || Button != mbLeft)
        return;
    FindHot(X, Y);
    if (hot_ == -1)
        return;
    pressed_ = hot_;
    buttons_[hot_].Pressed = true;
    buttons_[hot_].MouseIn = true;
    Repaint();
}

void TskSkinExPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const TAliveFlag alive = alive_;
    if (Button == mbLeft && pressed_ != -1) {
        const int pressed = pressed_;
        pressed_ = -1;
        buttons_[pressed].Pressed = false;
        LayoutCaption();
        if (PointInRect(buttons_[pressed].Rect, {X, Y})) {
            if (pressed == CloseButton)
                Close();
            else
                SetRollState(!rollState_);
            if (!*alive)
                return;
        }
        FindHot(X, Y);
        Repaint();
    }
    TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

// ---------------------------------------------------------------------------------------------
// Painting

void TskSkinExPanel::DrawCaption(TCanvas* Canvas, TRect C, TColor Colour, bool Skinned)
{
    SetCaptionFont(Canvas, Skinned ? ExDescription() : nullptr, Skinned && UseSkinFont(), DefaultFont(), SkinData());
    Canvas->Font()->SetColor(Colour);
    Canvas->Brush()->SetStyle(bsClear);
    const std::string text = Caption();
    if (!Horizontal()) {
        if (!glyph_.Empty()) {
            glyph_.Draw(Canvas, C.Left, C.Top + RectHeight(C) / 2 - glyph_.Height() / 2, Enabled());
            C.Left += glyph_.Width() + glyph_.Spacing();
        }
        DrawItemText(Canvas, text, C);
        return;
    }
    // Turned: the text runs upwards from the bottom of the caption rectangle.
    const int extra = Skinned ? 0 : 2;
    const int textHeight = Canvas->TextHeight(text.empty() ? std::string(" ") : text);
    const int x = C.Left + RectWidth(C) / 2 - textHeight / 2;
    int y = C.Bottom - extra;
    if (!glyph_.Empty()) {
        glyph_.Draw(Canvas, C.Left + RectWidth(C) / 2 - glyph_.FrameWidth() / 2, C.Bottom - glyph_.Height() - extra,
                    Enabled());
        y -= glyph_.Height() + glyph_.Spacing() + extra;
    }
    Canvas->Font()->SetOrientation(UpwardsEscapement);
    Canvas->TextRect(C, x, y, text);
    Canvas->Font()->SetOrientation(0);
}

void TskSkinExPanel::DrawSkinButton(TCanvas* Canvas, int Index)
{
    auto* d = ExDescription();
    const TCaptionButton& b = buttons_[Index];
    if (!Shown(Index) || IsNullRect(b.Rect) || !picture_)
        return;
    TRect normal, active, down;
    if (Index == CloseButton) {
        normal = d->CloseButtonRect, active = d->CloseButtonActiveRect, down = d->CloseButtonDownRect;
    } else if (rollKind_ == rkRollHorizontal) {
        normal = rollState_ ? d->HRestoreButtonRect : d->HRollButtonRect;
        active = rollState_ ? d->HRestoreButtonActiveRect : d->HRollButtonActiveRect;
        down = rollState_ ? d->HRestoreButtonDownRect : d->HRollButtonDownRect;
    } else {
        normal = rollState_ ? d->VRestoreButtonRect : d->VRollButtonRect;
        active = rollState_ ? d->VRestoreButtonActiveRect : d->VRollButtonActiveRect;
        down = rollState_ ? d->VRestoreButtonDownRect : d->VRollButtonDownRect;
    }
    // Every set falls back to its normal image, so that no button vanishes under the mouse.
    active = OrElse(active, normal);
    down = OrElse(down, active);
    const TRect src = b.MouseIn && b.Pressed ? down : b.MouseIn ? active : normal;
    if (!IsNullRect(src))
        Canvas->CopyRect(b.Rect, picture_->Canvas(), src);
}

void TskSkinExPanel::DrawDefaultButton(TCanvas* Canvas, int Index)
{
    const TCaptionButton& b = buttons_[Index];
    if (!Shown(Index) || IsNullRect(b.Rect))
        return;
    const bool pressed = b.MouseIn && b.Pressed;
    if (pressed)
        FillFramed(Canvas, b.Rect, clSkinDefaultFrame, clSkinDefaultDownFill);
    else if (b.MouseIn)
        FillFramed(Canvas, b.Rect, clSkinDefaultFrame, clSkinDefaultHotFill);
    else
        FillFramed(Canvas, b.Rect, clBtnFace, clBtnFace);
    const TRect mark = pressed ? cl::OffsetRect(b.Rect, 1, 1) : b.Rect;
    if (Index == CloseButton) {
        DrawCenteredGlyph(Canvas, mark, clBlack);
        return;
    }
    const int direction = rollKind_ == rkRollHorizontal ? (rollState_ ? adRight : adLeft) : (rollState_ ? adDown : adUp);
    DrawArrowImage(Canvas, mark, clBlack, direction);
}

void TskSkinExPanel::CreateControlSkinImage(TBitmap* B)
{
    auto* d = ExDescription();
    if (rollState_ && d && picture_) {
        if (rollKind_ == rkRollHorizontal)
            ComposeVSkinStrip(d->RollTopOffset, d->RollBottomOffset, B, picture_, d->RollHSkinRect, Width(), Height(),
                              false);
        else
            ComposeHSkinStrip(d->RollLeftOffset, d->RollRightOffset, B, picture_, d->RollVSkinRect, Width(), Height(),
                              false);
    } else {
        TskSkinCustomControl::CreateControlSkinImage(B);
    }
    if (!d)
        return;
    const TRect c = LayoutCaption();
    TCanvas* canvas = B->Canvas();
    DrawSkinButton(canvas, CloseButton);
    DrawSkinButton(canvas, RollButton);
    DrawCaption(canvas, c, d->FontColor, true);
}

void TskSkinExPanel::CreateControlDefaultImage(TBitmap* B)
{
    TCanvas* c = B->Canvas();
    const int w = Width(), h = Height();
    auto captionBar = [&](TRect r) {
        c->Brush()->SetColor(clBtnShadow);
        c->FrameRect(r);
        r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
        Frame3D(c, r, clBtnHighlight, clBtnFace, 1);
    };
    if (Horizontal()) {
        c->Brush()->SetColor(clBtnFace);
        c->FillRect(Rect(0, 0, w, h));
        captionBar(Rect(0, 0, w, h));
    } else {
        FillFramed(c, Rect(0, 0, w, h), clBtnShadow, clBtnFace);
        captionBar(Rect(0, 0, w, defaultCaptionHeight_));
    }
    const TRect caption = LayoutCaption();
    DrawDefaultButton(c, CloseButton);
    DrawDefaultButton(c, RollButton);
    DrawCaption(c, caption, DefaultFont()->Color(), false);
}

}  // namespace sk
