// TskSkinCustomEdit: the skin, the frame and button in the non-client area, the client
// background, the disabled text, and the colours that follow the mouse and the focus.
#include "classlib/graphics/GdiHandles.h"
#include "skin/controls/ButtonLook.h"
#include "skin/drawing/Composers.h"
#include "skin/texts/ResourceStrData.h"
#include "skin/bases/SkinCtrls.h"
#include "skin/drawing/Text.h"
#include "skinforms/controls/Edit.h"
#include "skinforms/frame/Messages.h"

namespace sk {

using namespace cl;

TskSkinCustomEdit::TskSkinCustomEdit(TComponent* AOwner) : TskCustomEdit(AOwner)
{
    InitDefaultSkinFont(defaultFont_);
    defaultFont_.SetColor(clBlack);
    Font()->Assign(&defaultFont_);
    defaultFont_.OnChange = TNotifyEvent(this, &TskSkinCustomEdit::DefaultFontChange);
    SetBorderStyle(bsNone);
    SetTransparent(true);
    SetHeight(20);
    CalcRects();
}

TskSkinCustomEdit::~TskSkinCustomEdit()
{
    defaultFont_.OnChange = nullptr;
    skinData_.Set(nullptr);
}

bool TskSkinCustomEdit::Focused() { return HandleAllocated() && GetFocus() == Handle(); }

void TskSkinCustomEdit::CreateParams(TCreateParams& Params)
{
    TskCustomEdit::CreateParams(Params);
    // Its frame is its own: the platform's transparency would only let the parent show through.
    Params.ExStyle &= ~WS_EX_TRANSPARENT;
    Params.Style &= ~WS_BORDER;
}

void TskSkinCustomEdit::CreateWnd()
{
    TskCustomEdit::CreateWnd();
    TCreateParams p;
    CreateParams(p);
    createdStyle_ = p.Style & ~LiveStyles;
    createdExStyle_ = p.ExStyle;
}

bool TskSkinCustomEdit::NeedsNewWindow()
{
    if (!HandleAllocated())
        return false;
    TCreateParams p;
    CreateParams(p);
    return (p.Style & ~LiveStyles) != createdStyle_ || p.ExStyle != createdExStyle_;
}

void TskSkinCustomEdit::FrameChanged()
{
    if (!HandleAllocated())
        return;
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    Invalidate();
}

void TskSkinCustomEdit::Loaded()
{
    TskCustomEdit::Loaded();
    SetCharset(*Font());
}

void TskSkinCustomEdit::Notification(TComponent* AComponent, TOperation Operation)
{
    TskCustomEdit::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == skinData_) {
        skinData_.Forget(AComponent, Operation);
        index_ = -1;
        desc_ = nullptr;
        picture_ = nullptr;
    }
}

TskSkinData* TskSkinCustomEdit::MenuSkinData() { return skinData_; }

// ---------------------------------------------------------------------------------------------
// Skin and properties

void TskSkinCustomEdit::GetSkinData()
{
    desc_ = FindControlDescription<TskDataSkinEditControl>(skinData_, skinDataName_, index_);
    picture_ = desc_ ? SkinPicture(skinData_, desc_->PictureIndex) : nullptr;
}

void TskSkinCustomEdit::SetCharset(TFont& F)
{
    if (skinData_ && skinData_->ResourceStrData())
        F.SetCharset(skinData_->ResourceStrData()->CharSet());
}

void TskSkinCustomEdit::SetSkinData(TskSkinData* Value)
{
    if (skinData_ != Value)
        skinData_.Set(Value);
    if (skinData_ && !skinData_->Empty && !ComponentState().Contains(csDesigning))
        ChangeSkinData();
}

void TskSkinCustomEdit::ApplyFontColor()
{
    if (!desc_)
        return;
    Font()->SetColor(Focused() || mouseIn_ ? desc_->ActiveFontColor : desc_->FontColor);
}

void TskSkinCustomEdit::ChangeSkinData()
{
    GetSkinData();
    TFont f;
    f.Assign(&defaultFont_);
    if (desc_ && useSkinFont_) {
        f.SetName(desc_->FontName);
        f.SetStyle(desc_->FontStyle);
        f.SetHeight(desc_->FontHeight);
    }
    SetCharset(f);
    if (desc_)
        f.SetColor(Focused() ? desc_->ActiveFontColor : desc_->FontColor);
    Font()->Assign(&f);
    if (!desc_) {
        if (defaultWidth_ > 0)
            SetWidth(defaultWidth_);
        if (defaultHeight_ > 0)
            SetHeight(defaultHeight_);
    } else if (useSkinFont_) {
        SetHeight(RectHeight(desc_->SkinRect));
    }
    // A new window would lose the caret, the undo and the focus: it is made only for styles a
    // live window cannot take. A new skin brings a new frame, which the window measures again
    // in place.
    if (NeedsNewWindow())
        RecreateWnd();
    else
        FrameChanged();
    if (!useSkinFont_)
        SetHeight(FontHeight());
    CalcRects();
    RedrawFrame();
}

void TskSkinCustomEdit::DefaultFontChange(TObject*)
{
    if (!desc_)
        Font()->Assign(&defaultFont_);
}

void TskSkinCustomEdit::SetDefaultFont(TFont* Value) { defaultFont_.Assign(Value); }

void TskSkinCustomEdit::SetDefaultColor(TColor Value)
{
    defaultColor_ = Value;
    if (!desc_)
        Invalidate();
}

void TskSkinCustomEdit::SetDefaultWidth(int Value)
{
    defaultWidth_ = Value;
    if (!desc_ && Value >= 1)
        SetWidth(Value);
}

void TskSkinCustomEdit::SetDefaultHeight(int Value)
{
    defaultHeight_ = Value;
    if (!desc_ && Value >= 1 && useSkinFont_)
        SetHeight(Value);
    else if (!useSkinFont_)
        SetHeight(FontHeight());
}

void TskSkinCustomEdit::SetButtonMode(bool Value)
{
    if (Value == buttonMode_)
        return;
    buttonMode_ = Value;
    if (ComponentState().Contains(csDesigning) && !ComponentState().Contains(csLoading))
        skinDataName_ = Value ? "buttonedit" : "edit";
    CalcRects();
    RecreateWnd();
}

int TskSkinCustomEdit::FontHeight()
{
    GetSkinData();
    TBitmap b;
    b.SetSize(1, 1);
    b.Canvas()->Font()->Assign(Font());
    const int text = b.Canvas()->TextHeight("Wg");
    return text + (desc_ ? RectHeight(desc_->SkinRect) - RectHeight(desc_->ClRect) : 4);
}

void TskSkinCustomEdit::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    GetSkinData();
    const bool resized = AWidth != Width() || AHeight != Height();
    if (resized && (desc_ || !useSkinFont_))
        AHeight = useSkinFont_ ? RectHeight(desc_->SkinRect) : FontHeight();
    TskCustomEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
    CalcRects();
    if (resized) {
        Invalidate();
        RedrawFrame();
    }
}

// ---------------------------------------------------------------------------------------------
// Geometry

void TskSkinCustomEdit::CalcRects()
{
    GetSkinData();
    const int w = Width();
    const int h = Height();
    if (desc_) {
        const int dw = w - RectWidth(desc_->SkinRect);
        const int dh = useSkinFont_ ? 0 : h - RectHeight(desc_->SkinRect);
        textRect_ = desc_->ClRect;
        textRect_.Right += dw;
        textRect_.Bottom += dh;
        buttonRect_ = desc_->ButtonRect;
        const int rightMargin = RectWidth(desc_->SkinRect) - desc_->RTPoint.X;
        if (buttonRect_.Left >= RectWidth(desc_->SkinRect) - rightMargin) {
            buttonRect_.Left += dw;
            buttonRect_.Right += dw;
        }
        buttonRect_.Bottom += dh;
        if (!buttonMode_)
            buttonRect_ = {};
        return;
    }
    if (buttonMode_) {
        buttonRect_ = Rect(w - h, 0, w, h);
        textRect_ = Rect(2, 2, buttonRect_.Left - 2, h - 2);
    } else {
        buttonRect_ = {};
        textRect_ = Rect(2, 2, w - 2, h - 2);
    }
}

void TskSkinCustomEdit::WMNCCalcSize(TMessage& Message)
{
    GetSkinData();
    auto* r = reinterpret_cast<RECT*>(Message.LParam);
    if (desc_) {
        r->left += desc_->ClRect.Left;
        r->top += desc_->ClRect.Top;
        r->right -= RectWidth(desc_->SkinRect) - desc_->ClRect.Right;
        r->bottom -= RectHeight(desc_->SkinRect) - desc_->ClRect.Bottom;
    } else {
        r->left += 2;
        r->top += 2;
        r->bottom -= 2;
        r->right -= buttonMode_ ? Height() + 2 : 2;
    }
    Message.Result = 0;
}

void TskSkinCustomEdit::WMNCHitTest(TMessage& Message)
{
    if (!buttonMode_ || ComponentState().Contains(csDesigning)) {
        TskCustomEdit::Dispatch(Message);
        return;
    }
    RECT w{};
    GetWindowRect(Handle(), &w);
    const TPoint p{static_cast<short>(LOWORD(Message.LParam)) - w.left,
                   static_cast<short>(HIWORD(Message.LParam)) - w.top};
    CalcRects();
    if (PtInRect(buttonRect_, p))
        Message.Result = HTHSCROLL;
    else if (PtInRect(textRect_, p))
        TskCustomEdit::Dispatch(Message);
    else
        Message.Result = HTVSCROLL;
}

// ---------------------------------------------------------------------------------------------
// Painting

void TskSkinCustomEdit::RedrawFrame()
{
    if (HandleAllocated() && Parent())
        SendMessageA(Handle(), WM_NCPAINT, 1, 0);
}

void TskSkinCustomEdit::Invalidate()
{
    if (HandleAllocated() && Parent())
        RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
}

void TskSkinCustomEdit::DrawDefaultFrame(TCanvas* Canvas)
{
    TRect r = Rect(0, 0, Width(), Height());
    Frame3D(Canvas, r, clBtnShadow, clBtnShadow, 1);
    Frame3D(Canvas, r, clBtnFace, clBtnFace, 1);
    Canvas->Brush()->SetColor(defaultColor_);
    Canvas->FillRect(r);
    if (!buttonMode_ || IsNullRect(buttonRect_))
        return;
    TRect b = buttonRect_;
    TColor frame = clBtnShadow, fill = clBtnFace;
    if (buttonDown_ && buttonHot_) {
        frame = clSkinDefaultFrame;
        fill = clSkinDefaultDownFill;
    } else if (buttonHot_) {
        frame = clSkinDefaultFrame;
        fill = clSkinDefaultHotFill;
    }
    Frame3D(Canvas, b, frame, frame, 1);
    Canvas->Brush()->SetColor(fill);
    Canvas->FillRect(b);
}

void TskSkinCustomEdit::DrawSkinFrame(TCanvas* Canvas)
{
    const bool active = mouseIn_ || Focused();
    const TRect src = active ? RectOrFallback(desc_->ActiveSkinRect, desc_->SkinRect) : desc_->SkinRect;
    const int left = desc_->LTPoint.X;
    const int right = RectWidth(desc_->SkinRect) - desc_->RTPoint.X;
    TBitmap strip;
    ComposeHSkinStrip(left, right, &strip, picture_, src, Width(), Height(), desc_->StretchEffect);
    if (strip.Height() == Height())
        Canvas->Draw(0, 0, &strip);
    else if (!strip.Empty())
        Canvas->StretchDraw(Rect(0, 0, Width(), Height()), &strip);
    if (!buttonMode_ || IsNullRect(buttonRect_))
        return;
    TRect piece;
    if (!Enabled() && !IsNullRect(desc_->UnEnabledButtonRect))
        piece = desc_->UnEnabledButtonRect;
    else if (buttonDown_ && buttonHot_)
        piece = RectOrFallback(desc_->DownButtonRect, desc_->ActiveButtonRect);
    else if (buttonHot_)
        piece = desc_->ActiveButtonRect;
    if (!IsNullRect(piece))
        Canvas->CopyRect(buttonRect_, picture_->Canvas(), piece);
}

void TskSkinCustomEdit::PaintFrame(HDC DC)
{
    if (Width() < 1 || Height() < 1)
        return;
    GetSkinData();
    CalcRects();
    const TSavedDCState saved(DC);
    ExcludeClipRect(DC, textRect_.Left, textRect_.Top, textRect_.Right, textRect_.Bottom);
    TBitmap b;
    b.SetSize(Width(), Height());
    b.Canvas()->Brush()->SetColor(clBtnFace);
    b.Canvas()->FillRect(Rect(0, 0, Width(), Height()));
    if (desc_ && picture_)
        DrawSkinFrame(b.Canvas());
    else
        DrawDefaultFrame(b.Canvas());
    BitBlt(DC, 0, 0, Width(), Height(), b.Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TskSkinCustomEdit::PaintClient(HDC DC)
{
    GetSkinData();
    CalcRects();
    const int w = RectWidth(textRect_);
    const int h = RectHeight(textRect_);
    if (w < 1 || h < 1)
        return;
    TBitmap b;
    b.SetSize(w, h);
    TCanvas* c = b.Canvas();
    if (desc_ && picture_) {
        const bool active = mouseIn_ || Focused();
        const TRect skin = active ? RectOrFallback(desc_->ActiveSkinRect, desc_->SkinRect) : desc_->SkinRect;
        const TRect part = OffsetRect(
            Rect(0, 0, RectWidth(desc_->ClRect), RectHeight(desc_->ClRect)), skin.Left + desc_->ClRect.Left,
            skin.Top + desc_->ClRect.Top);
        TBitmap strip;
        ComposeHSkinStrip(std::max(0, desc_->LTPoint.X - desc_->ClRect.Left),
                          std::max(0, desc_->ClRect.Right - desc_->RTPoint.X), &strip, picture_, part, w,
                          RectHeight(desc_->ClRect), desc_->StretchEffect);
        if (strip.Height() == h)
            c->Draw(0, 0, &strip);
        else if (!strip.Empty())
            c->StretchDraw(Rect(0, 0, w, h), &strip);
    } else {
        c->Brush()->SetColor(defaultColor_);
        c->FillRect(Rect(0, 0, w, h));
    }
    BitBlt(DC, 0, 0, w, h, c->Handle(), 0, 0, SRCCOPY);
    // The text over it, drawn by the edit itself.
    if (Enabled()) {
        SendMessageA(Handle(), WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
        if (Focused())
            ShowCaret(Handle());
    } else {
        PaintDisabledText(DC);
    }
}

void TskSkinCustomEdit::PaintDisabledText(HDC DC)
{
    TCanvas c;
    c.SetHandle(DC);
    if (!desc_ || !useSkinFont_) {
        c.Font()->Assign(&defaultFont_);
    } else {
        c.Font()->SetName(desc_->FontName);
        c.Font()->SetStyle(desc_->FontStyle);
        c.Font()->SetHeight(desc_->FontHeight);
    }
    TColor color = desc_ ? desc_->DisabledFontColor : clGrayText;
    if (desc_ && desc_->DisabledFontColor == 0 && desc_->FontColor == 0)
        color = clGrayText;
    c.Font()->SetColor(color);
    c.Brush()->SetStyle(bsClear);
    const AnsiString text = Text();
    const int tw = c.TextWidth(text);
    const int cw = RectWidth(textRect_);
    int x = 2;
    if (Alignment() == cl::taRightJustify)
        x = cw - 1 - tw;
    else if (Alignment() == cl::taCenter)
        x = 2 + cw / 2 - tw / 2 - 2;
    const TSavedDCState saved(DC);
    IntersectClipRect(DC, 0, 0, cw, RectHeight(textRect_));
    c.TextOut(x, 0, text);
    c.SetHandle(nullptr);
}

void TskSkinCustomEdit::WMPaint(TMessage& Message)
{
    if (Enabled()) {
        TskCustomEdit::Dispatch(Message);
        return;
    }
    if (Message.WParam) {
        PaintDisabledText(reinterpret_cast<HDC>(Message.WParam));
        return;
    }
    const TPaintDC dc(Handle());
    PaintDisabledText(dc.Handle());
}

// ---------------------------------------------------------------------------------------------
// Messages

void TskSkinCustomEdit::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_NCCALCSIZE: WMNCCalcSize(Message); break;
    case WM_NCPAINT: WMNCPaint(Message); break;
    case WM_PAINTFRAMEINTODC: WMPaintFrameIntoDC(Message); break;
    case WM_ERASEBKGND: WMEraseBkgnd(Message); break;
    case WM_PAINT: WMPaint(Message); break;
    case WM_NCHITTEST: WMNCHitTest(Message); break;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: WMNCLButtonDown(Message); break;
    case WM_NCLBUTTONUP: WMNCLButtonUp(Message); break;
    case WM_NCMOUSEMOVE: WMNCMouseMove(Message); break;
    case WM_MOUSEMOVE: WMMouseMove(Message); break;
    case WM_SIZE: WMSize(Message); break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: WMFocusChange(Message); break;
    case CM_MOUSEENTER: CMMouseEnter(Message); break;
    case CM_MOUSELEAVE: CMMouseLeave(Message); break;
    case CM_ENABLEDCHANGED: CMEnabledChanged(Message); break;
    default: TskCustomEdit::Dispatch(Message);
    }
}

void TskSkinCustomEdit::WMNCPaint(TMessage& Message)
{
    const TWindowDC dc(Handle(), TWindowDC::TArea::Window);
    PaintFrame(dc.Handle());
    Message.Result = 0;
}

void TskSkinCustomEdit::WMPaintFrameIntoDC(TMessage& Message)
{
    if (Message.LParam != PaintIntoDCAnswer) {
        TskCustomEdit::Dispatch(Message);
        return;
    }
    if (Message.WParam)
        PaintFrame(reinterpret_cast<HDC>(Message.WParam));
    Message.Result = PaintIntoDCAnswer;
}

void TskSkinCustomEdit::WMEraseBkgnd(TMessage& Message)
{
    if (Message.WParam)
        PaintClient(reinterpret_cast<HDC>(Message.WParam));
    Message.Result = 1;
}

void TskSkinCustomEdit::WMNCLButtonDown(TMessage& Message)
{
    // The platform would start tracking a scroll bar on these hit-test codes.
    if (buttonMode_ && Message.WParam == HTHSCROLL) {
        buttonDown_ = true;
        RedrawFrame();
    } else if (Message.WParam != HTVSCROLL) {
        TskCustomEdit::Dispatch(Message);
    }
}

void TskSkinCustomEdit::WMNCLButtonUp(TMessage& Message)
{
    if (!(buttonMode_ && Message.WParam == HTHSCROLL && buttonDown_)) {
        buttonDown_ = false;
        TskCustomEdit::Dispatch(Message);
        return;
    }
    const TAliveFlag alive = alive_;
    buttonDown_ = false;
    RedrawFrame();
    if (!Focused() && CanFocus())
        SetFocus();
    if (*alive && OnButtonClick)
        OnButtonClick(this);
}

void TskSkinCustomEdit::WMNCMouseMove(TMessage& Message)
{
    const TAliveFlag alive = alive_;
    TskCustomEdit::Dispatch(Message);
    if (*alive && buttonMode_ && (Message.WParam == HTHSCROLL) != buttonHot_) {
        buttonHot_ = Message.WParam == HTHSCROLL;
        RedrawFrame();
    }
}

void TskSkinCustomEdit::WMMouseMove(TMessage& Message)
{
    const TAliveFlag alive = alive_;
    TskCustomEdit::Dispatch(Message);
    if (*alive && buttonHot_) {
        buttonHot_ = false;
        RedrawFrame();
    }
}

void TskSkinCustomEdit::WMSize(TMessage& Message)
{
    const TAliveFlag alive = alive_;
    TskCustomEdit::Dispatch(Message);
    if (*alive) {
        CalcRects();
        RedrawFrame();
    }
}

void TskSkinCustomEdit::WMFocusChange(TMessage& Message)
{
    const TAliveFlag alive = alive_;
    TskCustomEdit::Dispatch(Message);
    if (!*alive)
        return;
    if (!mouseIn_ && desc_)
        Font()->SetColor(Message.Msg == WM_SETFOCUS ? desc_->ActiveFontColor : desc_->FontColor);
    RedrawFrame();
    Invalidate();
}

void TskSkinCustomEdit::CMMouseEnter(TMessage& Message)
{
    const TAliveFlag alive = alive_;
    TskCustomEdit::Dispatch(Message);
    if (!*alive)
        return;
    mouseIn_ = true;
    if (!Focused() && desc_) {
        Font()->SetColor(desc_->ActiveFontColor);
        RedrawFrame();
        Invalidate();
    }
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TskSkinCustomEdit::CMMouseLeave(TMessage& Message)
{
    const TAliveFlag alive = alive_;
    TskCustomEdit::Dispatch(Message);
    if (!*alive)
        return;
    mouseIn_ = false;
    if (!Focused() && desc_) {
        Font()->SetColor(desc_->FontColor);
        RedrawFrame();
        Invalidate();
    }
    if (buttonDown_ || buttonHot_) {
        buttonDown_ = buttonHot_ = false;
        RedrawFrame();
        Invalidate();
    }
    if (OnMouseLeave)
        OnMouseLeave(this);
}

void TskSkinCustomEdit::CMEnabledChanged(TMessage& Message)
{
    const TAliveFlag alive = alive_;
    TskCustomEdit::Dispatch(Message);
    if (*alive) {
        RedrawFrame();
        Invalidate();
    }
}

}  // namespace sk
