// TCustomLabel: a caption painted on its parent.
#include "classlib/menus/Menus.h"
#include "classlib/stdctrls/StdCtrls.h"

namespace cl {

namespace {
// A screen DC with the label's font, for measuring when there is no paint DC.
class TMeasureDc {
public:
    explicit TMeasureDc(TFont* Font) : dc_(GetDC(nullptr)), old_(SelectObject(dc_, Font->Handle())) {}
    ~TMeasureDc()
    {
        SelectObject(dc_, old_);
        ReleaseDC(nullptr, dc_);
    }
    TMeasureDc(const TMeasureDc&) = delete;
    TMeasureDc& operator=(const TMeasureDc&) = delete;
    HDC Dc() const { return dc_; }

private:
    HDC dc_;
    HGDIOBJ old_;
};
}  // namespace

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    SetControlStyle({csCaptureMouse, csClickEvents, csDoubleClicks, csSetCaption, csReplicatable, csOpaque});
    SetBounds(0, 0, 65, 17);
}

void TCustomLabel::SetAutoSize(bool Value)
{
    if (Value == autoSize_)
        return;
    autoSize_ = Value;
    AdjustBounds();
}

void TCustomLabel::SetAlignment(TAlignment Value)
{
    if (Value == alignment_)
        return;
    alignment_ = Value;
    Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout Value)
{
    if (Value == layout_)
        return;
    layout_ = Value;
    Invalidate();
}

void TCustomLabel::SetWordWrap(bool Value)
{
    if (Value == wordWrap_)
        return;
    wordWrap_ = Value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value)
{
    if (Value == showAccelChar_)
        return;
    showAccelChar_ = Value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetTransparent(bool Value)
{
    if (Value == transparent_)
        return;
    transparent_ = Value;
    TControlStyle style = ControlStyle();
    if (Value)
        style -= csOpaque;
    else
        style += csOpaque;
    SetControlStyle(style);
    Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* Value)
{
    focusControl_.Set(Value);
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation)
{
    TGraphicControl::Notification(AComponent, Operation);
    focusControl_.Forget(AComponent, Operation);
}

void TCustomLabel::Loaded()
{
    TGraphicControl::Loaded();
    AdjustBounds();
}

unsigned TCustomLabel::DrawFlags() const
{
    static const unsigned alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    unsigned flags = DT_EXPANDTABS | alignments[alignment_];
    if (wordWrap_)
        flags |= DT_WORDBREAK;
    if (!showAccelChar_)
        flags |= DT_NOPREFIX;
    if (endEllipsis_ && !wordWrap_)
        flags |= DT_END_ELLIPSIS;
    return flags;
}

void TCustomLabel::SetEndEllipsis(bool Value)
{
    if (endEllipsis_ == Value)
        return;
    endEllipsis_ = Value;
    Invalidate();
}

void TCustomLabel::DoDrawText(TRect& Rect, unsigned Flags)
{
    AnsiString text = GetLabelText();
    // An empty caption, or one that is only an accelerator mark, still takes a line.
    if ((Flags & DT_CALCRECT) && (text.empty() || (showAccelChar_ && text == "&")))
        text = " ";
    if (!showAccelChar_)
        Flags |= DT_NOPREFIX;
    TCanvas* canvas = Canvas();
    canvas->Font()->Assign(Font());
    HDC dc = canvas->Handle();
    SetBkMode(dc, TRANSPARENT);
    RECT r{Rect.Left, Rect.Top, Rect.Right, Rect.Bottom};
    if (!Enabled() && !(Flags & DT_CALCRECT)) {
        // The embossed look of disabled text.
        OffsetRect(&r, 1, 1);
        SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(clBtnHighlight)));
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, Flags);
        OffsetRect(&r, -1, -1);
        SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(clBtnShadow)));
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, Flags);
    } else {
        SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(Font()->Color())));
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, Flags);
    }
    Rect = {r.left, r.top, r.right, r.bottom};
}

void TCustomLabel::Paint()
{
    TCanvas* canvas = Canvas();
    const TRect client = ClientRect();
    if (!transparent_) {
        canvas->Brush()->SetColor(Color());
        canvas->Brush()->SetStyle(bsSolid);
        canvas->FillRect(client);
    }
    canvas->Brush()->SetStyle(bsClear);
    TRect rect = client;
    const unsigned flags = DrawFlags();
    if (layout_ != tlTop) {
        TRect measured = rect;
        DoDrawText(measured, flags | DT_CALCRECT);
        const int offset = rect.Height() - measured.Height();
        rect.Top += layout_ == tlBottom ? offset : offset / 2;
    }
    DoDrawText(rect, flags);
}

TRect TCustomLabel::Measure()
{
    AnsiString text = GetLabelText();
    if (text.empty() || (showAccelChar_ && text == "&"))
        text = " ";
    TMeasureDc dc(Font());
    RECT r{0, 0, wordWrap_ ? Width() : 0, 0};
    DrawTextA(dc.Dc(), text.c_str(), static_cast<int>(text.size()), &r, DrawFlags() | DT_CALCRECT);
    return {r.left, r.top, r.right, r.bottom};
}

void TCustomLabel::AdjustBounds()
{
    if (!autoSize_ || ComponentState().Contains(csLoading))
        return;
    const TRect r = Measure();
    int left = Left();
    // A right-aligned label grows to the left, a centred one to both sides.
    if (!wordWrap_) {
        if (alignment_ == taRightJustify)
            left += Width() - r.Width();
        else if (alignment_ == taCenter)
            left += (Width() - r.Width()) / 2;
    }
    SetBounds(left, Top(), r.Width(), r.Height());
}

void TCustomLabel::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_TEXTCHANGED:
        AdjustBounds();
        Invalidate();
        break;
    case CM_FONTCHANGED:
    case CM_PARENTFONTCHANGED:
        TGraphicControl::Dispatch(Message);
        AdjustBounds();
        break;
    case CM_DIALOGCHAR:
        if (focusControl_ && Enabled() && showAccelChar_ && IsAccel(static_cast<unsigned>(Message.WParam), Caption()) &&
            focusControl_->CanFocus()) {
            focusControl_->SetFocus();
            Message.Result = 1;
            return;
        }
        TGraphicControl::Dispatch(Message);
        break;
    default: TGraphicControl::Dispatch(Message);
    }
}

}  // namespace cl
