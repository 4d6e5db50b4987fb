// Drawing the combo box: the box, its drop-down button and, in the fixed style, the chosen item,
// in the default look and from the "combobox" description.
#include "classlib/graphics/GdiHandles.h"
#include "skin/controls/ButtonLook.h"
#include "skin/drawing/Composers.h"
#include "skin/texts/ResourceStrData.h"
#include "skin/drawing/Glyphs.h"
#include "skin/drawing/Text.h"
#include "skinforms/controls/ResizeButton.h"
#include "skinforms/controls/ComboBox.h"

namespace sk {

using namespace cl;

int TskSkinCustomComboBox::ShownIndex() const { return DroppedDown() ? savedIndex_ : ItemIndex(); }

bool TskSkinCustomComboBox::ComboFocused()
{
    if (!HandleAllocated())
        return false;
    HWND focus = GetFocus();
    return focus == Handle() || (edit_ && edit_->HandleAllocated() && focus == edit_->Handle());
}

bool TskSkinCustomComboBox::ActiveLook() { return mouseIn_ || ComboFocused(); }

BYTE TskSkinCustomComboBox::TextCharset()
{
    if (SkinData() && SkinData()->ResourceStrData())
        return SkinData()->ResourceStrData()->CharSet();
    return DefaultFont()->Charset();
}

// ---------------------------------------------------------------------------------------------
// Default look

void TskSkinCustomComboBox::DrawDefaultButton(TCanvas* Canvas)
{
    DrawDefaultElement(Canvas, buttonRect_, buttonHot_, buttonHot_ && buttonPressed_, adDown,
                       Enabled() ? clBlack : clGrayText);
}

void TskSkinCustomComboBox::DrawDefaultItem(TCanvas* Canvas)
{
    const int w = RectWidth(contentRect_);
    const int h = RectHeight(contentRect_);
    if (w < 1 || h < 1)
        return;
    const bool focused = ComboFocused();
    TBitmap b;
    b.SetSize(w, h);
    TCanvas* c = b.Canvas();
    c->Font()->Assign(Font());
    c->Font()->SetCharset(TextCharset());
    c->Brush()->SetColor(focused ? clHighlight : defaultColor_);
    c->Font()->SetColor(focused ? clHighlightText : Enabled() ? DefaultFont()->Color() : clGrayText);
    c->FillRect(Rect(0, 0, w, h));
    const int index = ShownIndex();
    if (index >= 0 && index < ItemCount()) {
        TOwnerDrawState state;
        if (focused)
            state += odFocused;
        TRect text = Rect(0, 0, w, h);
        if (OnComboBoxDrawItem) {
            OnComboBoxDrawItem(c, index, w, h, text, state);
        } else {
            if (TCustomImageList* images = Images()) {
                const int image = ImageIndex() < 0 ? index : ImageIndex();
                if (image >= 0 && image < images->Count())
                    images->Draw(c, 0, h / 2 - images->Height() / 2, image, Enabled());
                text.Left += images->Width() + 2;
            }
            c->Brush()->SetStyle(bsClear);
            DrawItemText(c, Items()->Get(index), text);
        }
    }
    if (focused) {
        c->Brush()->SetStyle(bsSolid);
        c->DrawFocusRect(Rect(0, 0, w, h));
    }
    Canvas->Draw(contentRect_.Left, contentRect_.Top, &b);
}

void TskSkinCustomComboBox::CreateControlDefaultImage(TBitmap* B)
{
    TCanvas* c = B->Canvas();
    TRect r = Rect(0, 0, Width(), Height());
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(r);
    Frame3D(c, r, clBtnShadow, clBtnShadow, 1);
    c->Brush()->SetColor(defaultColor_);
    c->FillRect(r);
    DrawDefaultButton(c);
    if (style_ == skcbFixedStyle)
        DrawDefaultItem(c);
}

// ---------------------------------------------------------------------------------------------
// Skinned look

void TskSkinCustomComboBox::DrawSkinButton(TCanvas* Canvas)
{
    TskDataSkinComboBox* d = ComboDescription();
    if (!d || !picture_ || IsNullRect(buttonRect_))
        return;
    if (!useSkinSize_) {
        // A skin without a button picture leaves the button in the default look.
        if (!DrawResizeButtonFace(Canvas, SkinData(), buttonRect_, buttonHot_, buttonPressed_, adDown))
            DrawDefaultButton(Canvas);
        return;
    }
    TRect src = OffsetRect(d->ButtonRect, d->SkinRect.Left, d->SkinRect.Top);
    if (!Enabled() && !IsNullRect(d->UnEnabledButtonRect))
        src = d->UnEnabledButtonRect;
    else if (buttonPressed_ && buttonHot_)
        src = RectOrFallback(d->DownButtonRect, RectOrFallback(d->ActiveButtonRect, src));
    else if (buttonHot_)
        src = RectOrFallback(d->ActiveButtonRect, src);
    Canvas->CopyRect(buttonRect_, picture_->Canvas(), src);
}

void TskSkinCustomComboBox::DrawSkinItem(TCanvas* Canvas)
{
    TskDataSkinComboBox* d = ComboDescription();
    const int w = RectWidth(contentRect_);
    if (!d || !picture_ || w <= 0)
        return;
    const bool focused = ComboFocused();
    TBitmap item;
    ComposeSkinItemGround(*d, Canvas, focused, item);
    TCanvas* c = item.Canvas();
    SetSkinItemFont(*d, *c->Font(), focused);
    c->Brush()->SetStyle(bsClear);
    DrawSkinItemContent(*d, item, SkinItemTextRect(*d), focused);
    Canvas->Draw(contentRect_.Left, contentRect_.Top, &item);
}

void TskSkinCustomComboBox::ComposeSkinItemGround(const TskDataSkinComboBox& D, TCanvas* Canvas, bool Focused,
                                                  TBitmap& Item)
{
    const int w = RectWidth(contentRect_);
    const bool hotLook = mouseIn_ && !IsNullRect(D.ActiveItemRect) && !IsNullRect(D.ActiveSkinRect);
    TRect src = D.ItemRect;
    bool stretch = D.ItemStretchEffect;
    if (Focused) {
        src = RectOrFallback(D.FocusItemRect, D.ItemRect);
        stretch = D.FocusItemStretchEffect;
    } else if (hotLook) {
        src = D.ActiveItemRect;
    }
    // The background of the state; without a picture for it, the box as drawn shows through.
    TBitmap back;
    if (!IsNullRect(src)) {
        ComposeHSkinStrip(D.ItemLeftOffset, D.ItemRightOffset, &back, picture_, src, w, RectHeight(src), stretch);
    } else {
        const int ih = !IsNullRect(D.ItemRect)        ? RectHeight(D.ItemRect)
                       : !IsNullRect(D.FocusItemRect) ? RectHeight(D.FocusItemRect)
                                                      : RectHeight(contentRect_);
        if (useSkinSize_)
            back.SetSize(w, std::max(1, ih));
        else
            back.SetSize(w, std::max(1, RectHeight(contentRect_)));
        back.Canvas()->CopyRect(Rect(0, 0, back.Width(), back.Height()), Canvas, contentRect_);
    }
    if (useSkinSize_) {
        Item.Assign(&back);
    } else {
        Item.SetSize(w, std::max(1, RectHeight(contentRect_)));
        Item.Canvas()->StretchDraw(Rect(0, 0, Item.Width(), Item.Height()), &back);
    }
}

TRect TskSkinCustomComboBox::SkinItemTextRect(const TskDataSkinComboBox& D)
{
    TRect text = D.ItemTextRect;
    text.Right += RectWidth(contentRect_) - (IsNullRect(D.ItemRect) ? RectWidth(D.ClRect) : RectWidth(D.ItemRect));
    if (!useSkinSize_)
        text.Bottom += Height() - RectHeight(D.SkinRect);
    return text;
}

void TskSkinCustomComboBox::SetSkinItemFont(const TskDataSkinComboBox& D, TFont& F, bool Focused)
{
    if (UseSkinFont()) {
        F.SetName(D.FontName);
        F.SetStyle(D.FontStyle);
        F.SetHeight(D.FontHeight);
    } else {
        F.Assign(DefaultFont());
    }
    F.SetCharset(TextCharset());
    TColor color = D.FontColor;
    if (Focused)
        color = D.FocusFontColor;
    else if (mouseIn_ && !IsNullRect(D.ActiveSkinRect))
        color = D.ActiveFontColor;
    if (useSkinSize_ && !Enabled()) {
        const int e = SkinData()->IndexOfControl("edit");
        auto* edit = e >= 0 ? dynamic_cast<TskDataSkinEditControl*>(SkinData()->CtrlList.Items(e)) : nullptr;
        color = edit ? edit->DisabledFontColor : clGrayText;
    }
    F.SetColor(color);
}

void TskSkinCustomComboBox::DrawSkinItemContent(const TskDataSkinComboBox& D, TBitmap& Item, TRect Text,
                                                bool Focused)
{
    const int index = ShownIndex();
    if (index < 0 || index >= ItemCount())
        return;
    TCanvas* c = Item.Canvas();
    if (OnComboBoxDrawItem) {
        TOwnerDrawState state;
        if (Focused)
            state += odFocused;
        OnComboBoxDrawItem(c, index, Item.Width(), Item.Height(), Text, state);
        return;
    }
    if (Focused && D.ShowFocus) {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(SkinData()->SkinColors ? SkinData()->SkinColors->cBtnFace : clBtnFace);
        c->DrawFocusRect(Rect(0, 0, Item.Width(), Item.Height()));
        c->Brush()->SetStyle(bsClear);
    }
    if (TCustomImageList* images = Images()) {
        const int image = ImageIndex() < 0 ? index : ImageIndex();
        if (image >= 0 && image < images->Count())
            images->Draw(c, Text.Left, Text.Top + RectHeight(Text) / 2 - images->Height() / 2, image, Enabled());
        Text.Left += images->Width() + 2;
    }
    DrawItemText(c, Items()->Get(index), Text);
}

void TskSkinCustomComboBox::CreateControlSkinImage(TBitmap* B)
{
    TskDataSkinComboBox* d = ComboDescription();
    if (!d || !picture_) {
        CreateControlDefaultImage(B);
        return;
    }
    const bool active = ActiveLook() && !IsNullRect(d->ActiveSkinRect);
    const TRect src = active ? d->ActiveSkinRect : d->SkinRect;
    if (useSkinSize_ && !active) {
        TskSkinCustomControl::CreateControlSkinImage(B);
    } else {
        TBitmap strip;
        ComposeHSkinStrip(d->LTPoint.X, RectWidth(src) - d->RTPoint.X, &strip, picture_, src, Width(),
                          RectHeight(src), d->StretchEffect);
        if (useSkinSize_)
            B->Canvas()->Draw(0, 0, &strip);
        else
            B->Canvas()->StretchDraw(Rect(0, 0, Width(), Height()), &strip);
    }
    DrawSkinButton(B->Canvas());
    if (style_ == skcbFixedStyle)
        DrawSkinItem(B->Canvas());
}

}  // namespace sk
