#include "skin/controls/Button.h"

#include <algorithm>

#include "skin/drawing/Composers.h"

namespace sk {

using namespace cl;

TskSkinButton::TskSkinButton(TComponent* AOwner)
    : TskSkinCustomControl(AOwner),
      fade_([this] { return hot_ || FocusedAndFocusable(); }, [this] { RepaintFadeStep(); }),
      animation_([this] { Repaint(); }),
      repeat_([this] { Click(); })
{
    SetSkinDataName("button");
    SetControlStyle({csCaptureMouse, csDoubleClicks, csOpaque, csSetCaption});
    SetTabStop(true);
    SetBounds(0, 0, 75, 25);
}

TskSkinButton::~TskSkinButton() { Stop(); }

void TskSkinButton::Stop()
{
    fade_.Stop();
    animation_.Stop();
    repeat_.Stop();
}

TskDataSkinButtonControl* TskSkinButton::ButtonDescription() const
{
    return dynamic_cast<TskDataSkinButtonControl*>(Description());
}

bool TskSkinButton::EffectsEnabled() const { return SkinData() && !SkinData()->Empty && SkinData()->EnableSkinEffects; }

bool TskSkinButton::MorphEnabled() const
{
    auto* d = ButtonDescription();
    return EffectsEnabled() && d && d->Morphing;
}

bool TskSkinButton::FocusedAndFocusable() { return canFocused_ && HandleAllocated() && Focused(); }

bool TskSkinButton::PressedLook()
{
    return down_ && (groupIndex_ != 0 || hot_ || (FocusedAndFocusable() && !press_.Held));
}

void TskSkinButton::GetSkinData()
{
    TskSkinCustomControl::GetSkinData();
    auto* d = ButtonDescription();
    if (!d) {
        // A description of another kind has no states to draw: the default look serves.
        index_ = -1;
        picture_ = nullptr;
        return;
    }
    // A strip no wider than the button holds its frames one below the other.
    states_.Read(*d, SkinRect, animation_, RectWidth(d->AnimateSkinRect) <= RectWidth(SkinRect));
}

void TskSkinButton::CalcSize(int& W, int& H)
{
    if (useSkinSize_ || ResizeMode == rmNinePart)
        TskSkinCustomControl::CalcSize(W, H);
}

void TskSkinButton::ChangeSkinData()
{
    fade_.Stop();
    animation_.Stop();
    fade_.Set(0);
    TskSkinCustomControl::ChangeSkinData();
    if (MorphEnabled() && index_ != -1 && (FocusedAndFocusable() || hot_))
        fade_.Set(1);
}

void TskSkinButton::CreateWnd()
{
    TskSkinCustomControl::CreateWnd();
    active_ = default_;
}

// ---------------------------------------------------------------------------------------------
// Properties

void TskSkinButton::SetCanFocused(bool Value)
{
    canFocused_ = Value;
    SetTabStop(Value);
}

void TskSkinButton::SetGroupIndex(int Value)
{
    groupIndex_ = Value;
    if (Value != 0)
        SetCanFocused(false);
}

void TskSkinButton::SetDown(bool Value)
{
    down_ = Value;
    if (MorphEnabled()) {
        fade_.Set(1);
        if (Value)
            fade_.Stop();
        else
            StartFade();
    }
    Repaint();
    if (groupIndex_ == 0 || !Value || allowAllUp_ || !Parent())
        return;
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        auto* other = dynamic_cast<TskSkinButton*>(Parent()->Controls(i));
        if (other && other != this && other->groupIndex_ == groupIndex_ && other->down_)
            other->SetDown(false);
    }
}

void TskSkinButton::SetDefault(bool Value)
{
    default_ = Value;
    if (!HandleAllocated() || !canFocused_)
        return;
    if (auto* form = GetParentForm(this))
        form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form->ActiveControl()));
}

void TskSkinButton::SetGlyph(TBitmap* Value)
{
    glyph_.Assign(Value);
    Repaint();
}

void TskSkinButton::SetNumGlyphs(int Value)
{
    numGlyphs_ = std::clamp(Value, 1, 4);
    Repaint();
}

void TskSkinButton::SetMargin(int Value)
{
    if (Value < -1)
        return;
    margin_ = Value;
    Repaint();
}

void TskSkinButton::SetSpacing(int Value)
{
    spacing_ = Value;
    Repaint();
}

void TskSkinButton::SetLayout(TskButtonLayout Value)
{
    layout_ = Value;
    Repaint();
}

// ---------------------------------------------------------------------------------------------
// Hot state, animation and focus

void TskSkinButton::UpdateHot()
{
    if (MorphEnabled() && index_ != -1)
        StartFade();
    else
        Repaint();
}

void TskSkinButton::StartFade()
{
    if (!fade_.Running())
        faces_.Clear();
    fade_.Start();
}

void TskSkinButton::RepaintFadeStep()
{
    TskSkinCustomControl::Invalidate();
    Update();
}

void TskSkinButton::Invalidate()
{
    faces_.Clear();
    TskSkinCustomControl::Invalidate();
}

void TskSkinButton::DefaultFontChanged()
{
    faces_.Clear();
    TskSkinCustomControl::DefaultFontChanged();
}

void TskSkinButton::StartAnimation(bool Forward)
{
    GetSkinData();
    auto* d = ButtonDescription();
    if (d && EffectsEnabled())
        animation_.Start(Forward, *d);
}

void TskSkinButton::MouseEntered()
{
    if (Designing() || hot_)
        return;
    hot_ = true;
    const bool react = groupIndex_ == 0 ? (!FocusedAndFocusable() || down_) : !down_;
    if (react) {
        if (down_) {
            if (MorphEnabled())
                fade_.Set(1);
            Repaint();
        } else {
            StartAnimation(true);
            UpdateHot();
        }
    }
    if (down_ && repeatMode_ && groupIndex_ == 0 && press_.Held)
        repeat_.Start(repeatInterval_);
}

void TskSkinButton::MouseLeft()
{
    if (Designing())
        return;
    // A standing default button stays hot while nothing else has the focus.
    const bool standing = !FocusedAndFocusable() && canFocused_ && default_ && active_;
    if (!hot_ || standing)
        return;
    hot_ = false;
    const bool react = groupIndex_ == 0 ? (!FocusedAndFocusable() || down_) : !down_;
    if (react) {
        StartAnimation(false);
        UpdateHot();
    }
    if (down_ && repeatMode_ && groupIndex_ == 0)
        repeat_.Stop();
}

void TskSkinButton::FocusChanged(TMessage& Message)
{
    auto* focused = reinterpret_cast<TControl*>(Message.LParam);
    const bool wasActive = active_;
    active_ = dynamic_cast<TskSkinButton*>(focused) ? focused == this : default_;
    if (canFocused_ && default_) {
        if (dynamic_cast<TskSkinButton*>(focused) && focused != this && hot_) {
            hot_ = false;
            UpdateHot();
        } else if (!dynamic_cast<TskSkinButton*>(focused) && !hot_) {
            if (MorphEnabled())
                fade_.Set(1);
            hot_ = true;
            UpdateHot();
        }
    }
    if (wasActive != active_)
        Repaint();
}

void TskSkinButton::EnabledChanged()
{
    fade_.Stop();
    fade_.Set(0);
    hot_ = false;
    if (!Enabled()) {
        repeat_.Stop();
        animation_.Stop();
    }
    Repaint();
}

// ---------------------------------------------------------------------------------------------
// Messages

void TskSkinButton::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: WMMouseDown(Message); break;
    case WM_KEYDOWN: WMKeyDown(Message); break;
    case WM_KEYUP: WMKeyUp(Message); break;
    case CM_DIALOGKEY: DialogKey(Message); break;
    case CM_DIALOGCHAR: DialogChar(Message); break;
    case WM_ERASEBKGND: WMEraseBkgnd(Message); break;
    case CM_FOCUSCHANGED:
        FocusChanged(Message);
        TskSkinCustomControl::Dispatch(Message);
        break;
    case CM_MOUSEENTER:
        TskSkinCustomControl::Dispatch(Message);
        MouseEntered();
        break;
    case CM_MOUSELEAVE:
        TskSkinCustomControl::Dispatch(Message);
        MouseLeft();
        break;
    case CM_ENABLEDCHANGED:
        TskSkinCustomControl::Dispatch(Message);
        EnabledChanged();
        break;
    case CM_VISIBLECHANGED:
        TskSkinCustomControl::Dispatch(Message);
        // Nothing ticks for a button nobody sees.
        if (!Visible())
            Stop();
        break;
    case CM_TEXTCHANGED:
        TskSkinCustomControl::Dispatch(Message);
        Repaint();
        break;
    case WM_SETFOCUS:
        TskSkinCustomControl::Dispatch(Message);
        if (canFocused_) {
            StartAnimation(true);
            UpdateHot();
        }
        break;
    case WM_KILLFOCUS:
        TskSkinCustomControl::Dispatch(Message);
        if (repeatMode_)
            repeat_.Stop();
        if (down_ && groupIndex_ == 0)
            down_ = false;
        if (canFocused_) {
            StartAnimation(false);
            UpdateHot();
        }
        break;
    default: TskSkinCustomControl::Dispatch(Message);
    }
}

void TskSkinButton::WMMouseDown(TMessage& Message)
{
    // A press on a button without the focus takes the focus first; a button that cannot get
    // it does not take the press either.
    if (canFocused_ && !Designing() && CanFocus() && !Focused()) {
        const TAliveFlag alive = alive_;
        settingFocus_ = true;
        SetFocus();
        if (!*alive)
            return;
        settingFocus_ = false;
        if (!Focused())
            return;
    }
    TskSkinCustomControl::Dispatch(Message);
}

void TskSkinButton::WMKeyDown(TMessage& Message)
{
    const TAliveFlag alive = alive_;
    if (canFocused_ && Enabled()) {
        if (Message.WParam == VK_SPACE) {
            animation_.Stop();
            SetDown(true);
            if (repeatMode_)
                Click();
        } else if (Message.WParam == VK_RETURN) {
            Click();
        }
        if (!*alive)
            return;
    }
    TskSkinCustomControl::Dispatch(Message);
}

void TskSkinButton::WMKeyUp(TMessage& Message)
{
    const TAliveFlag alive = alive_;
    if (canFocused_ && Enabled() && Message.WParam == VK_SPACE && down_) {
        SetDown(false);
        Click();
        if (!*alive)
            return;
    }
    TskSkinCustomControl::Dispatch(Message);
}

void TskSkinButton::DialogKey(TMessage& Message)
{
    const bool noShift = (GetKeyState(VK_SHIFT) | GetKeyState(VK_CONTROL) | GetKeyState(VK_MENU)) >= 0;
    if (Message.WParam == VK_RETURN && active_ && Enabled() && Visible()) {
        Message.Result = 1;
        Click();
        return;
    }
    if (Message.WParam == VK_ESCAPE && cancel_ && canFocused_ && noShift && CanFocus()) {
        Message.Result = 1;
        Click();
        return;
    }
    TskSkinCustomControl::Dispatch(Message);
}

void TskSkinButton::DialogChar(TMessage& Message)
{
    FocusThenActOnAccelerator(Message, canFocused_, [this] { Click(); });
}

void TskSkinButton::WMEraseBkgnd(TMessage& Message)
{
    // Asked to erase from outside a paint (a window drawn into another device, say): the whole
    // button goes into the given context, so that nothing shows an empty background. Its own
    // window waiting for its paint gets the button from that paint.
    const HDC dc = reinterpret_cast<HDC>(Message.WParam);
    if (!Painting() && dc && !PaintFollows(dc))
        PaintHandler(dc);
    Message.Result = 1;
}

void TskSkinButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const TAliveFlag alive = alive_;
    TskSkinCustomControl::MouseDown(Button, Shift, X, Y);
    if (!*alive || Button != mbLeft || !Enabled())
        return;
    animation_.Stop();
    press_.Press(*this, hot_, repeat_, alive);
}

void TskSkinButton::MouseMove(TShiftState Shift, int X, int Y)
{
    const TAliveFlag alive = alive_;
    TskSkinCustomControl::MouseMove(Shift, X, Y);
    if (*alive)
        press_.Follow(*this, hot_, X, Y, [this] { MouseEntered(); }, [this] { MouseLeft(); });
}

void TskSkinButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const TAliveFlag alive = alive_;
    if (Button == mbLeft && press_.Held) {
        press_.Release(*this, hot_, repeat_, [this] {
            // Drawn up at once: no fade for a press that came to nothing.
            down_ = false;
            Repaint();
        });
        if (!*alive)
            return;
    }
    if (HandleAllocated() && Visible())
        TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

// ---------------------------------------------------------------------------------------------
// Painting

void TskSkinButton::DrawButtonState(TBitmap* B, const TRect& R, bool Active, bool Down)
{
    const TRect text = DrawButtonFace(*this, B, picture_, R, Width(), Height(), useSkinSize_);
    TCanvas* c = B->Canvas();
    auto* d = ButtonDescription();
    SetCaptionFont(c, d, UseSkinFont(), DefaultFont(), SkinData());
    c->Font()->SetColor(ButtonCaptionColor(*d, Enabled(), useSkinFontColor_, DefaultFont()->Color(), Active, Down));
    if (d->ShowFocus && HandleAllocated() && Focused()) {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(SkinData()->SkinColors->cBtnFace);
        const RECT f{text.Left, text.Top, text.Right, text.Bottom};
        DrawFocusRect(c->Handle(), &f);
    }
    DrawCaptionWithGlyph(c, text, margin_, spacing_, layout_, Caption(), &glyph_, numGlyphs_,
                         GlyphFrameFor(Active, Down, Enabled(), numGlyphs_), Active && Down);
}

void TskSkinButton::Paint()
{
    if (Width() < 1 || Height() < 1)
        return;
    GetSkinData();
    if (index_ == -1) {
        TskSkinCustomControl::Paint();
        return;
    }
    int w = Width(), h = Height();
    CalcSize(w, h);
    auto* d = ButtonDescription();
    TBitmap b;
    const double k = fade_.Value();
    if (MorphEnabled() && k > 0 && k < 1 && Enabled()) {
        DrawFade(k);
        return;
    }
    if (!Enabled() && !IsNullRect(d->DisabledSkinRect))
        DrawButtonState(&b, d->DisabledSkinRect, false, false);
    else if (PressedLook())
        DrawButtonState(&b, states_.Down, true, true);
    else if (!FocusedAndFocusable() && !hot_)
        DrawButtonState(&b, MorphEnabled() && k == 1 ? states_.Active : states_.Normal, MorphEnabled() && k == 1, false);
    else
        DrawButtonState(&b, states_.Active, true, false);
    Canvas()->Draw(0, 0, &b);
}

TskMorphFaces::TKey TskSkinButton::FacesKey()
{
    auto* d = ButtonDescription();
    return {states_.Normal, states_.Active, Width(), Height(), GlyphFrameFor(true, false, Enabled(), numGlyphs_),
            d && d->ShowFocus && HandleAllocated() && Focused()};
}

void TskSkinButton::DrawFade(double K)
{
    const TskMorphFaces::TKey key = FacesKey();
    if (!faces_.Holds(key)) {
        TBitmap from, to;
        DrawButtonState(&from, states_.Normal, false, false);
        DrawButtonState(&to, states_.Active, true, false);
        faces_.Store(key, &from, &to);
    }
    faces_.Draw(Canvas()->Handle(), ButtonDescription()->MorphKind, K);
}

void TskSkinButton::CreateControlDefaultImage(TBitmap* B)
{
    TCanvas* c = B->Canvas();
    const TRect r = ClientRect();
    const bool pressed = PressedLook();
    if (pressed)
        FillFramed(c, r, clSkinDefaultFrame, clSkinDefaultDownFill);
    else if (!hot_ && !FocusedAndFocusable())
        FillFramed(c, r, clBtnShadow, clBtnFace);
    else
        FillFramed(c, r, clSkinDefaultFrame, clSkinDefaultHotFill);
    SetCaptionFont(c, nullptr, false, DefaultFont(), SkinData());
    if (!Enabled())
        c->Font()->SetColor(clBtnShadow);
    DrawDefaultCaption(c, r, pressed);
}

void TskSkinButton::DrawDefaultCaption(TCanvas* Canvas, const TRect& R, bool Pressed)
{
    DrawCaptionWithGlyph(Canvas, R, margin_, spacing_, layout_, Caption(), &glyph_, numGlyphs_,
                         GlyphFrameFor(hot_, down_, Enabled(), numGlyphs_), Pressed);
}

}  // namespace sk
