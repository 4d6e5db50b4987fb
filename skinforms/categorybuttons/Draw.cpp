// The category-buttons control: text metrics and drawing, skinned and in the default look.
#include "skinforms/categorybuttons/Control.h"

#include <algorithm>

#include "classlib/system/SysUtils.h"
#include "skin/drawing/Composers.h"
#include "skin/texts/ResourceStrData.h"
#include "skin/drawing/Text.h"

using namespace cl;
using namespace sk;

namespace {

TRect Shrunk(const TRect& R, int D) { return InflateRect(R, -D, -D); }

}  // namespace

TFontCharset TskSkinCategoryButtons::SkinCharset() const
{
    // Skin fonts show the interface texts' character set when the skin carries a text table.
    TskSkinData* data = SkinData();
    if (data && data->ResourceStrData())
        return data->ResourceStrData()->CharSet();
    return const_cast<TskSkinCategoryButtons*>(this)->Font()->Charset();
}

void TskSkinCategoryButtons::ApplyCaptionFont(TFont* F, TColor* Color)
{
    F->Assign(Font());
    if (Color)
        *Color = clBlack;
    auto* label = usesSkinFont_ ? FindDescription<TskDataSkinStdLabelControl>("stdlabel") : nullptr;
    if (!label)
        return;
    F->SetName(label->FontName);
    F->SetStyle(label->FontStyle);
    F->SetHeight(label->FontHeight);
    F->SetColor(label->FontColor);
    F->SetCharset(SkinCharset());
    if (Color)
        *Color = label->FontColor;
}

void TskSkinCategoryButtons::CalcTextMetrics()
{
    if (!HandleAllocated())
        return;
    TBitmap probe;
    probe.SetSize(1, 1);
    ApplyCaptionFont(probe.Canvas()->Font(), nullptr);
    textHeight_ = probe.Canvas()->TextHeight("Wg");
}

// ---------------------------------------------------------------------------------------------
// The whole control

void TskSkinCategoryButtons::Paint()
{
    TBitmap b;
    if (PaintContentImage(b))
        Canvas()->Draw(0, 0, &b);
}

bool TskSkinCategoryButtons::PaintContentImage(TBitmap& B)
{
    const int w = ClientWidth();
    const int h = ClientHeight();
    if (w < 1 || h < 1)
        return false;
    B.SetSize(w, h);
    PaintContent(B.Canvas(), w, h);
    return true;
}

void TskSkinCategoryButtons::PaintContent(TCanvas* Canvas, int W, int H)
{
    const TskCategoryButtonsMetrics m = Metrics();
    const int offset = ScrollOffset();
    const int view = m.View();
    int p = 0;
    bool drawn = false;
    for (int i = FirstCategoryReaching(categories_, offset); i < categories_->Count(); ++i) {
        TskButtonCategory* c = categories_->Items(i);
        p = c->LayoutStart - offset;
        if (p > view)
            break;
        DrawCategory(Canvas, c, p, W, H);
        p = c->LayoutEnd - offset;
        drawn = true;
    }
    if (!drawn)
        p = 0;
    const TRect rest = m.Vertical() ? TRect{0, p, W, H} : TRect{p, 0, W, H};
    if (!IsRectEmpty(rest))
        FillBackground(Canvas, rest);
}

void TskSkinCategoryButtons::FillBackground(TCanvas* Canvas, const TRect& R)
{
    auto* panel = FindDescription<TskDataSkinPanelControl>("panel");
    TBitmap* picture = panel ? SkinPicture(SkinData(), panel->PictureIndex) : nullptr;
    const TRect piece = panel ? OffsetRect(panel->ClRect, panel->SkinRect.Left, panel->SkinRect.Top) : TRect{};
    if (!picture || IsNullRect(piece)) {
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(clBtnFace);
        Canvas->FillRect(R);
        return;
    }
    TileRect(Canvas->Handle(), R, R.TopLeft(), picture, piece);
}

// ---------------------------------------------------------------------------------------------
// One category

void TskSkinCategoryButtons::DrawCategory(TCanvas* Canvas, TskButtonCategory* Category, int P, int W, int H)
{
    const TskCategoryButtonsMetrics m = Metrics();
    const TskCategoryBounds bounds = ::GetCategoryBounds(Category, P, m);
    const TRect band = bounds.Band;
    auto* panel = FindDescription<TskDataSkinPanelControl>("panel");
    TBitmap* picture = panel ? SkinPicture(SkinData(), panel->PictureIndex) : nullptr;
    if (panel && picture && RectWidth(band) > 0 && RectHeight(band) > 0) {
        // Skinned: the band is composed off-screen and copied once.
        TBitmap image;
        image.SetSize(RectWidth(band), RectHeight(band));
        const TskAreaPoints area{panel->LTPoint, panel->RTPoint, panel->LBPoint, panel->RBPoint, panel->ClRect};
        const TskAreaPoints fitted = FitNinePart(area, panel->SkinRect, image.Width(), image.Height());
        ComposeSkinImage(area, fitted, &image, picture, panel->SkinRect, image.Width(), image.Height(), true);
        TColor captionColor = clBlack;
        ApplyCaptionFont(image.Canvas()->Font(), &captionColor);
        DrawCategoryContent(image.Canvas(), Category, bounds, -band.Left, -band.Top, true, captionColor, W, H);
        Canvas->Draw(band.Left, band.Top, &image);
        return;
    }
    Canvas->Font()->Assign(Font());
    Canvas->Font()->SetColor(clBlack);
    Canvas->Pen()->SetColor(clBtnShadow);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(clBtnFace);
    Canvas->Rectangle(band);
    DrawCategoryContent(Canvas, Category, bounds, 0, 0, false, clBlack, W, H);
}

void TskSkinCategoryButtons::DrawCategoryContent(TCanvas* Canvas, TskButtonCategory* Category,
                                                 const TskCategoryBounds& Bounds, int DX, int DY, bool Skinned,
                                                 TColor CaptionColor, int W, int H)
{
    const TRect band = OffsetRect(Bounds.Band, DX, DY);
    DrawGlyph(Canvas, Category, band.TopLeft(), Skinned, CaptionColor);
    DrawCaption(Canvas, Category, band, Skinned);
    const int n = Category->Items()->Count();
    if (Category->Collapsed() || n == 0)
        return;
    const TskCategoryButtonsMetrics m = Metrics();
    const int columns = CategoryColumns(Bounds, m);
    const int rows = (n + columns - 1) / columns;
    // Only the rows (vertical flow) or columns (horizontal) in the view are drawn.
    int firstRow = 0, lastRow = rows - 1, firstColumn = 0, lastColumn = columns - 1;
    if (m.ButtonHeight > 0 && m.Vertical()) {
        firstRow = std::max(0, -Bounds.Area.Top / m.ButtonHeight);
        lastRow = std::min(rows - 1, (H - Bounds.Area.Top) / m.ButtonHeight);
    } else if (m.ButtonWidth > 0 && !m.Vertical()) {
        firstColumn = std::max(0, -Bounds.Area.Left / m.ButtonWidth);
        lastColumn = std::min(columns - 1, (W - Bounds.Area.Left) / m.ButtonWidth);
    }
    const int p = m.Vertical() ? Bounds.Band.Top : Bounds.Band.Left;
    TskButtonItem* focusMark = HandleAllocated() && Focused() && !pressed_ ? FocusMarkButton() : nullptr;
    for (int row = firstRow; row <= lastRow; ++row)
        for (int column = firstColumn; column <= lastColumn; ++column) {
            const int index = row * columns + column;
            if (index >= n)
                break;
            auto* button = static_cast<TskButtonItem*>(Category->Items()->Items(index));
            // Painted where hit tests find it.
            const TRect r = OffsetRect(CategoryButtonRect(Category, index, p, m), DX, DY);
            DrawButton(button, Canvas, r, ButtonState(button));
            // A skinned button has no look of its own for the focus: the platform's focus
            // frame shows where the keys act, on any skin.
            if (button == focusMark)
                Canvas->DrawFocusRect(Shrunk(r, 2));
        }
}

TskButtonItem* TskSkinCategoryButtons::FocusMarkButton() const
{
    if (focused_)
        return focused_;
    if (selected_)
        return selected_;
    for (int c = 0; c < Categories()->Count(); ++c)
        if (TskButtonCollection* items = Categories()->Items(c)->Items(); items->Count() > 0)
            return static_cast<TskButtonItem*>(items->Items(0));
    return nullptr;
}

void TskSkinCategoryButtons::DrawGlyph(TCanvas* Canvas, TskButtonCategory* Category, TPoint BandTopLeft,
                                       bool Skinned, TColor CaptionColor)
{
    if (Category->Items()->Count() == 0)
        return;
    const int x = BandTopLeft.X + 4;
    const int y = BandTopLeft.Y + 4;
    const bool collapsed = Category->Collapsed();
    const TColor lineColor = Skinned ? CaptionColor : clBtnShadow;
    if (options_.Contains(skboUsePlusMinus)) {
        Canvas->Pen()->SetColor(lineColor);
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(clWindow);
        Canvas->Rectangle(x + 2, y + 2, x + 11, y + 11);
        Canvas->Pen()->SetColor(clWindowText);
        Canvas->MoveTo(x + 4, y + 6);
        Canvas->LineTo(x + 9, y + 6);
        if (collapsed) {
            Canvas->MoveTo(x + 6, y + 4);
            Canvas->LineTo(x + 6, y + 9);
        }
        return;
    }
    // Two chevrons, pointing down while collapsed and up while expanded.
    static const int down[4][4] = {{-1, 0, 4, 5}, {0, 1, 3, 4}, {1, 2, 3, 99}, {2, 99, 99, 99}};
    for (int chevron = 0; chevron < 2; ++chevron) {
        const int a = x + 4;
        const int b = y + 2 + chevron * 5;
        for (int row = 0; row < 4; ++row) {
            const int* cols = down[collapsed ? row : 3 - row];
            for (int k = 0; k < 4 && cols[k] != 99; ++k)
                Canvas->SetPixels(a + cols[k], b + row, lineColor);
        }
    }
}

void TskSkinCategoryButtons::DrawCaption(TCanvas* Canvas, TskButtonCategory* Category, const TRect& Band,
                                         bool Skinned)
{
    const bool vc = options_.Contains(skboVerticalCategoryCaptions);
    const bool expandedWithButtons = !Category->Collapsed() && Category->Items()->Count() > 0;
    const bool rotated = flow_ == skcbfVertical ? vc && expandedWithButtons : !(!vc && expandedWithButtons);
    TFont* font = Canvas->Font();
    const TFontStyles style = font->Style();
    if (options_.Contains(skboBoldCaptions))
        font->SetStyle(style + fsBold);
    Canvas->Brush()->SetStyle(bsClear);
    const std::string& text = Category->Caption();
    if (!rotated) {
        // A name from data: "&" as it is, cut with an ellipsis at the band's end.
        TRect r{Band.Left + 18, Band.Top + 3, Band.Right - 5, Band.Top + 3 + Canvas->TextHeight(text.empty() ? "Wg" : text)};
        if (r.Right > r.Left)
            DrawSkinText(Canvas, AnsiToWide(text), r, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    } else {
        const TRect r{Band.Left + 3, Band.Top + 18, Band.Left + 3 + textHeight_ + 15, Band.Bottom - (Skinned ? 3 : 5)};
        const int textWidth = Canvas->TextWidth(text);
        font->SetOrientation(900);
        const int y = std::min(r.Bottom, r.Bottom - RectHeight(r) / 2 + textWidth / 2);
        Canvas->TextRect(r, r.Left, y, text);
        font->SetOrientation(0);
    }
    font->SetStyle(style);
    Canvas->Brush()->SetStyle(bsSolid);
}

// ---------------------------------------------------------------------------------------------
// Buttons

TskButtonDrawState TskSkinCategoryButtons::ButtonState(TskButtonItem* Button)
{
    TskButtonDrawState s;
    if (Button == hot_) {
        s += skbdsHot;
        if (Button == pressed_)
            s += skbdsDown;
    }
    if (Button == selected_)
        s += skbdsSelected;
    else if (Button == focused_ && Focused() && !pressed_)
        s += skbdsFocused;
    if (Button == markTop_)
        s += skbdsInsertTop;
    else if (Button == markBottom_)
        s += skbdsInsertBottom;
    else if (Button == markRight_)
        s += skbdsInsertRight;
    else if (Button == markLeft_)
        s += skbdsInsertLeft;
    return s;
}

void TskSkinCategoryButtons::DrawButton(TskButtonItem* Button, TCanvas* Canvas, TRect Rect, TskButtonDrawState State)
{
    if (onDrawButton_ && !Designing()) {
        onDrawButton_(this, Button, Canvas, Rect, State);
        Canvas->Brush()->SetColor(clBtnFace);
        return;
    }
    if (OnBeforeDrawButton)
        OnBeforeDrawButton(this, Button, Canvas, Rect, State);
    const TRect outer = Rect;
    TRect r = Shrunk(Rect, 1);
    if (FindDescription<TskDataSkinButtonControl>("resizebutton")) {
        auto* named = buttonsSkinDataName_ != "resizebutton"
                          ? FindDescription<TskDataSkinButtonControl>(buttonsSkinDataName_)
                          : nullptr;
        DrawSkinnedButton(Button, Canvas, r, State,
                          named ? named : FindDescription<TskDataSkinButtonControl>("resizebutton"), named != nullptr);
        return;
    }
    TColor fill = clBtnFace;
    TColor frame = clBtnShadow;
    if (State.Contains(skbdsHot)) {
        fill = clSkinDefaultHotFill;
        frame = clSkinDefaultFrame;
    } else if (State.Contains(skbdsSelected)) {
        fill = clSkinDefaultDownFill;
    } else if (State.Contains(skbdsFocused)) {
        frame = clSkinDefaultFrame;
    }
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(fill);
    Canvas->FillRect(r);
    Canvas->Brush()->SetColor(frame);
    Canvas->FrameRect(r);
    if (State.Contains(skbdsFocused)) {
        r = Shrunk(r, 1);
        Canvas->FrameRect(r);
    }
    Canvas->Font()->Assign(Font());
    Canvas->Font()->SetColor(clBtnText);
    DrawButtonContent(Button, Canvas, r, State);
    if (OnAfterDrawButton)
        OnAfterDrawButton(this, Button, Canvas, outer, State);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(clBtnFace);
}

void TskSkinCategoryButtons::DrawSkinnedButton(TskButtonItem* Button, TCanvas* Canvas, const TRect& Rect,
                                               TskButtonDrawState State, TskDataSkinButtonControl* D, bool Named)
{
    TBitmap* picture = SkinPicture(SkinData(), D->PictureIndex);
    const int w = RectWidth(Rect);
    const int h = RectHeight(Rect);
    if (!picture || w < 1 || h < 1)
        return;
    TRect piece = D->SkinRect;
    TColor color = D->FontColor;
    if (State.Contains(skbdsSelected)) {
        piece = D->DownSkinRect;
        color = D->DownFontColor;
    } else if (State.Contains(skbdsHot)) {
        piece = D->ActiveSkinRect;
        color = D->ActiveFontColor;
    }
    if (IsNullRect(piece))
        piece = D->SkinRect;
    TBitmap image;
    image.SetSize(w, h);
    if (Named) {
        StretchSkinImage(&image, picture, piece, D->ClRect);
    } else {
        const TskAreaPoints area{D->LTPoint, D->RTPoint, D->LBPoint, D->RBPoint, D->ClRect};
        ComposeSkinImage(area, FitNinePart(area, piece, w, h), &image, picture, piece, w, h, true);
    }
    TFont* f = image.Canvas()->Font();
    f->Assign(Font());
    if (usesSkinFont_) {
        f->SetName(D->FontName);
        f->SetStyle(D->FontStyle);
        f->SetHeight(D->FontHeight);
        f->SetCharset(SkinCharset());
    }
    f->SetColor(color);
    DrawButtonContent(Button, image.Canvas(), cl::Rect(0, 0, w, h), State);
    Canvas->Draw(Rect.Left, Rect.Top, &image);
}

void TskSkinCategoryButtons::DrawButtonContent(TskButtonItem* Button, TCanvas* Canvas, const TRect& Rect,
                                               TskButtonDrawState State)
{
    const std::string caption = options_.Contains(skboShowCaptions) ? Button->Caption() : std::string();
    DrawImageAndText(Canvas, Shrunk(Rect, 2), -1, 4, blGlyphLeft, caption, Button->ImageIndex(), images_,
                     State.Contains(skbdsSelected), Enabled(), TskCaptionKind::Data);
}
