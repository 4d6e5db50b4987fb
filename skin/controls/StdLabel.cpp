#include "skin/controls/StdLabel.h"

#include "classlib/graphics/GdiHandles.h"
#include "skin/texts/ResourceStrData.h"
#include "skin/bases/SkinCtrls.h"

namespace sk {

using namespace cl;

TskSkinStdLabel::TskSkinStdLabel(TComponent* AOwner) : TCustomLabel(AOwner)
{
    InitDefaultSkinFont(defaultFont_);
    defaultFont_.OnChange = [this](TObject*) { Repaint(); };
    SetTransparent(true);
}

TskSkinStdLabel::~TskSkinStdLabel()
{
    defaultFont_.OnChange = nullptr;
    skinData_.Set(nullptr);
}

void TskSkinStdLabel::SetSkinData(TskSkinData* Value)
{
    if (skinData_ != Value)
        skinData_.Set(Value);
    if (skinData_ && !skinData_->Empty)
        ChangeSkinData();
}

void TskSkinStdLabel::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomLabel::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == skinData_)
        index_ = -1;
    skinData_.Forget(AComponent, Operation);
}

void TskSkinStdLabel::SetUseSkinFont(bool Value)
{
    useSkinFont_ = Value;
    AdjustBounds();
    Repaint();
}

void TskSkinStdLabel::SetUseSkinColor(bool Value)
{
    useSkinColor_ = Value;
    Repaint();
}

void TskSkinStdLabel::SetDefaultFont(TFont* Value) { defaultFont_.Assign(Value); }

TskDataSkinStdLabelControl* TskSkinStdLabel::LabelDescription() const
{
    if (index_ < 0 || !skinData_)
        return nullptr;
    return dynamic_cast<TskDataSkinStdLabelControl*>(skinData_->CtrlList.Items(index_));
}

void TskSkinStdLabel::GetSkinData()
{
    // A description of another kind carries no label font.
    FindControlDescription<TskDataSkinStdLabelControl>(skinData_, skinDataName_, index_);
}

void TskSkinStdLabel::ChangeSkinData()
{
    GetSkinData();
    AdjustBounds();
    Repaint();
}

void TskSkinStdLabel::ApplyFont(TFont* Target)
{
    GetSkinData();
    auto* d = LabelDescription();
    if (!d) {
        Target->Assign(useSkinFont_ ? &defaultFont_ : Font());
    } else {
        Target->Assign(Font());
        if (useSkinFont_) {
            Target->SetName(d->FontName);
            Target->SetStyle(d->FontStyle);
            Target->SetHeight(d->FontHeight);
        }
        if (useSkinColor_)
            Target->SetColor(d->FontColor);
    }
    if (skinData_ && skinData_->ResourceStrData())
        Target->SetCharset(skinData_->ResourceStrData()->CharSet());
    else
        Target->SetCharset(defaultFont_.Charset());
}

void TskSkinStdLabel::DoDrawText(TRect& Rect, unsigned Flags)
{
    AnsiString text = GetLabelText();
    // An empty caption, or one that is only an accelerator mark, still takes a line.
    if ((Flags & DT_CALCRECT) && (text.empty() || (ShowAccelChar() && text == "&")))
        text = " ";
    if (!ShowAccelChar())
        Flags |= DT_NOPREFIX;
    TCanvas* canvas = Canvas();
    ApplyFont(canvas->Font());
    HDC dc = canvas->Handle();
    // Selected here, as the measuring selects it: the canvas may not have chosen it for this
    // device context yet.
    TSelectedObject font(dc, canvas->Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    RECT r{Rect.Left, Rect.Top, Rect.Right, Rect.Bottom};
    if (!Enabled() && !(Flags & DT_CALCRECT)) {
        const bool skinned = index_ != -1 && skinData_ && skinData_->SkinColors;
        const TColor light = skinned ? skinData_->SkinColors->cBtnHighLight : clBtnHighlight;
        const TColor shadow = skinned ? skinData_->SkinColors->cBtnShadow : clBtnShadow;
        OffsetRect(&r, 1, 1);
        SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(light)));
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, Flags);
        OffsetRect(&r, -1, -1);
        SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(shadow)));
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, Flags);
    } else {
        SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(canvas->Font()->Color())));
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, Flags);
    }
    Rect = {r.left, r.top, r.right, r.bottom};
}

void TskSkinStdLabel::AdjustBounds()
{
    if (!AutoSize() || ComponentState().Contains(csLoading))
        return;
    // Measured in the font the label draws in, which the skin may change.
    AnsiString text = GetLabelText();
    if (text.empty() || (ShowAccelChar() && text == "&"))
        text = " ";
    TFont font;
    ApplyFont(&font);
    TMemoryDC dc;
    TSelectedObject selected(dc.Handle(), font.Handle());
    const unsigned flags = DT_EXPANDTABS | (WordWrap() ? DT_WORDBREAK : 0) | (ShowAccelChar() ? 0 : DT_NOPREFIX);
    RECT r{0, 0, WordWrap() ? Width() : 0, 0};
    DrawTextA(dc.Handle(), text.c_str(), static_cast<int>(text.size()), &r, flags | DT_CALCRECT);
    int left = Left();
    const int w = r.right - r.left;
    if (!WordWrap()) {
        if (Alignment() == taRightJustify)
            left += Width() - w;
        else if (Alignment() == taCenter)
            left += (Width() - w) / 2;
    }
    SetBounds(left, Top(), w, r.bottom - r.top);
}

}  // namespace sk
