// The twins' painting: the frame around the display area, the tab strip and each tab.
#include "skinforms/controls/Tabs.h"

#include <commctrl.h>

#include "classlib/graphics/GdiHandles.h"
#include "classlib/system/SysUtils.h"
#include "skin/controls/ButtonLook.h"
#include "skin/drawing/Composers.h"
#include "skin/drawing/Effects.h"
#include "skin/bases/SkinCtrls.h"
#include "skin/drawing/Parent.h"
#include "skin/drawing/Text.h"

namespace sk {

using namespace cl;

namespace {

// A canvas on a DC it does not own, for one scope.
class TDCCanvas {
public:
    explicit TDCCanvas(HDC DC) { canvas_.SetHandle(DC); }
    ~TDCCanvas() { canvas_.SetHandle(nullptr); }
    TDCCanvas(const TDCCanvas&) = delete;
    TDCCanvas& operator=(const TDCCanvas&) = delete;
    TCanvas* operator->() { return &canvas_; }
    TCanvas* Get() { return &canvas_; }

private:
    TCanvas canvas_;
};

enum class TTurn { None, CounterClockwise, Clockwise, Flip };

// B turned a quarter or flipped, through effect bitmaps; the flip comes back into B.
void DrawTurned(TBitmap* B, TTurn Turn, HDC DC, int X, int Y)
{
    auto source = TskEffectBmp::CreateFromHandle(B->Handle());
    const bool quarter = Turn == TTurn::CounterClockwise || Turn == TTurn::Clockwise;
    TskEffectBmp dest(quarter ? source->Height() : source->Width(), quarter ? source->Width() : source->Height());
    switch (Turn) {
    case TTurn::CounterClockwise: source->Rotate90CounterClockwise(dest); break;
    case TTurn::Clockwise: source->Rotate90Clockwise(dest); break;
    case TTurn::Flip: source->FlipVertical(dest); break;
    case TTurn::None: return;
    }
    dest.Draw(DC, X, Y);
}

void DrawTabGlyphAndText(TCanvas* Canvas, int W, int H, bool Enabled, int ImageIndex, TCustomImageList* Images,
                         const std::string& Text)
{
    const std::wstring text = AnsiToWide(Text);
    TRect measure{0, 0, 0, 0};
    DrawSkinText(Canvas, text, measure, DT_CALCRECT);
    const int tw = RectWidth(measure) + 2;
    const int th = RectHeight(measure);
    const int iw = Images->Width();
    const int ih = Images->Height();
    const int x = W / 2 - (tw + iw + 2) / 2;
    const int y = H / 2 - ih / 2;
    TRect t{x + iw + 2, H / 2 - th / 2, x + iw + 2 + tw, H / 2 - th / 2 + th};
    DrawSkinText(Canvas, text, t, DT_CENTER);
    Images->Draw(Canvas, x, y, ImageIndex, Enabled);
}

}  // namespace

template <class Base>
bool TskSkinTabsLook<Base>::ClientPartOf(TBitmap& Tile)
{
    if (!desc_ || !picture_)
        return false;
    const TRect part = OffsetRect(desc_->ClRect, desc_->SkinRect.Left, desc_->SkinRect.Top);
    if (IsNullRect(part))
        return false;
    Tile.SetSize(RectWidth(part), RectHeight(part));
    Tile.Canvas()->CopyRect(Rect(0, 0, RectWidth(part), RectHeight(part)), picture_->Canvas(), part);
    return true;
}

template <class Base>
void TskSkinTabsLook<Base>::CreateWnd()
{
    Base::CreateWnd();
    ApplyItemSize();
    // A new window may have a new line mode.
    CheckTabScroller();
}

template <class Base>
void TskSkinTabsLook<Base>::PaintWindow(HDC DC)
{
    if (this->Width() < 1 || this->Height() < 1)
        return;
    GetSkinData();
    const TSavedDCState saved(DC);
    TDCCanvas canvas(DC);
    canvas->Font()->Assign(this->Font());
    if (desc_)
        DrawSkinFrame(DC);
    else
        DrawDefaultFrame(canvas.Get());
    DrawTabs(canvas.Get());
}

template <class Base>
void TskSkinTabsLook<Base>::DrawDefaultFrame(TCanvas* Canvas)
{
    Canvas->Brush()->SetColor(clBtnFace);
    Canvas->FillRect(Rect(0, 0, this->Width(), this->Height()));
    TRect d = this->DisplayRect();
    d = {d.Left - 1, d.Top - 1, d.Right + 1, d.Bottom + 1};
    Frame3D(Canvas, d, clBtnShadow, clBtnShadow, 1);
}

template <class Base>
void TskSkinTabsLook<Base>::DrawSkinFrame(HDC DC)
{
    const TRect f = FrameRect();
    PaintInside(DC, f);
    // A background picture over a tab control has no border.
    if (!IsPageControl() && desc_->BGPictureIndex != -1)
        return;
    if (!picture_ || IsNullRect(f))
        return;
    const TskAreaPoints area{desc_->LTPoint, desc_->RTPoint, desc_->LBPoint, desc_->RBPoint, desc_->ClRect};
    const TskAreaPoints fitted = FitNinePart(area, desc_->SkinRect, RectWidth(f), RectHeight(f));
    TBitmap left, top, right, bottom;
    ComposeSkinBorderImages(area, fitted, &left, &top, &right, &bottom, picture_, desc_->SkinRect, RectWidth(f),
                            RectHeight(f), false, false, false, false);
    TDCCanvas c(DC);
    if (!top.Empty())
        c->Draw(f.Left, f.Top, &top);
    if (!left.Empty())
        c->Draw(f.Left, f.Top + top.Height(), &left);
    if (!right.Empty())
        c->Draw(f.Right - right.Width(), f.Top + top.Height(), &right);
    if (!bottom.Empty())
        c->Draw(f.Left, f.Bottom - bottom.Height(), &bottom);
}

template <class Base>
void TskSkinTabsLook<Base>::DrawTabs(TCanvas* Canvas)
{
    const int count = VisibleTabCount();
    if (count == 0)
        return;
    const int active = this->TabIndex();
    if (!desc_) {
        for (int v = 0; v < count; ++v)
            DrawTab(PageOfTab(v), GetTabRect(v), Canvas, v == hot_, v == active);
    } else {
        const TRect f = FrameRect();
        const int w = this->Width();
        const int h = this->Height();
        TRect strip;  // in control coordinates
        switch (this->TabPosition()) {
        case tpTop: strip = {0, 0, w, f.Top}; break;
        case tpBottom: strip = {0, f.Bottom, w, h}; break;
        case tpLeft: strip = {0, 0, f.Left, h}; break;
        case tpRight: strip = {f.Right, 0, w, h}; break;
        }
        if (!IsNullRect(strip)) {
            TBitmap b;
            b.SetSize(RectWidth(strip), RectHeight(strip));
            TBitmap tile;
            bool drawn = false;
            if (tabsBGTransparent_) {
                DrawParentImageEx(this, strip, b.Canvas());
                drawn = true;
            } else if (!IsNullRect(desc_->TabsBGRect) && picture_) {
                drawn = TileRect(b.Canvas()->Handle(), Rect(0, 0, b.Width(), b.Height()), {0, 0}, picture_,
                                 desc_->TabsBGRect);
            } else if (ClientPartOf(tile)) {
                drawn = TileBitmap(b.Canvas()->Handle(), Rect(0, 0, b.Width(), b.Height()), &tile);
            }
            if (!drawn)
                FillFace(b.Canvas()->Handle(), Rect(0, 0, b.Width(), b.Height()));
            b.Canvas()->Font()->Assign(this->Font());
            for (int v = 0; v < count; ++v) {
                const TRect r = OffsetRect(GetTabRect(v), -strip.Left, -strip.Top);
                DrawTab(PageOfTab(v), r, b.Canvas(), v == hot_, v == active);
            }
            Canvas->Draw(strip.Left, strip.Top, &b);
        }
    }
    // The selected tab lies over the frame and its neighbours.
    if (active >= 0 && active < count)
        DrawTab(PageOfTab(active), GetTabRect(active), Canvas, active == hot_, true);
}

template <class Base>
void TskSkinTabsLook<Base>::DrawTab(int Index, const TRect& R, TCanvas* Canvas, bool MouseIn, bool Active)
{
    if (Index < 0 || Index >= PageCountOf())
        return;
    const TTabPosition pos = this->TabPosition();
    const bool side = pos == tpLeft || pos == tpRight;
    const int w = side ? RectHeight(R) : RectWidth(R);
    const int h = side ? RectWidth(R) : RectHeight(R);
    if (w < 1 || h < 1)
        return;
    const bool hot = MouseIn && !Active;
    // Every tab is drawn upright as on top and turned into place at the end.
    TBitmap b;
    b.SetSize(w, h);
    if (!desc_)
        DrawDefaultTabFace(b.Canvas(), w, h, hot, Active);
    else
        DrawSkinTabFace(b, hot, Active);
    DrawTabCaption(Index, b.Canvas(), w, h);
    if (pos == tpLeft)
        DrawTurned(&b, TTurn::CounterClockwise, Canvas->Handle(), R.Left, R.Top);
    else if (pos == tpRight)
        DrawTurned(&b, TTurn::Clockwise, Canvas->Handle(), R.Left, R.Top);
    else
        Canvas->Draw(R.Left, R.Top, &b);
}

template <class Base>
void TskSkinTabsLook<Base>::DrawDefaultTabFace(TCanvas* C, int W, int H, bool Hot, bool Active)
{
    TRect all = Rect(0, 0, W, H);
    TColor fill = Hot ? clSkinDefaultHotFill : clBtnFace;
    if (Active) {
        Frame3D(C, all, clSkinDefaultFrame, clSkinDefaultFrame, 1);
        fill = Focused() ? clSkinDefaultDownFill : clSkinDefaultHotFill;
    }
    C->Brush()->SetColor(fill);
    C->FillRect(all);
    C->Font()->Assign(this->Font());
    SetCharset(*C->Font());
}

template <class Base>
void TskSkinTabsLook<Base>::DrawSkinTabFace(TBitmap& B, bool Hot, bool Active)
{
    TCanvas* c = B.Canvas();
    const int w = B.Width();
    const int h = B.Height();
    const TRect src = SkinTabPiece(Hot, Active);
    if (picture_ && !IsNullRect(src)) {
        TBitmap piece;
        ComposeHSkinStrip(desc_->TabLeftOffset, desc_->TabRightOffset, &piece, picture_, src, w, h,
                          desc_->TabStretchEffect);
        if (piece.Height() == h)
            c->Draw(0, 0, &piece);
        else if (!piece.Empty())
            c->StretchDraw(Rect(0, 0, w, h), &piece);
    } else {
        c->Brush()->SetColor(clBtnFace);
        c->FillRect(Rect(0, 0, w, h));
    }
    if (this->TabPosition() == tpBottom)
        DrawTurned(&B, TTurn::Flip, c->Handle(), 0, 0);
    SetSkinTabFont(*c->Font(), Hot, Active);
    if (desc_->ShowFocus && Focused() && Active) {
        const RECT fr{desc_->FocusOffsetX, desc_->FocusOffsetY, w - desc_->FocusOffsetX, h - desc_->FocusOffsetY};
        const TColor face = skinData_ && skinData_->SkinColors ? skinData_->SkinColors->cBtnFace : clBtnFace;
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(face);
        DrawFocusRect(c->Handle(), &fr);
    }
}

template <class Base>
TRect TskSkinTabsLook<Base>::SkinTabPiece(bool Hot, bool Active)
{
    const TRect active = IsNullRect(desc_->ActiveTabRect) ? desc_->TabRect : desc_->ActiveTabRect;
    const TRect focus = IsNullRect(desc_->FocusTabRect) ? desc_->ActiveTabRect : desc_->FocusTabRect;
    TRect src = desc_->TabRect;
    if (Hot && !IsNullRect(desc_->MouseInTabRect))
        src = desc_->MouseInTabRect;
    else if (Active)
        src = Focused() ? focus : active;
    // An empty piece would leave the tab invisible: the plain tab stands in.
    if (IsNullRect(src))
        src = desc_->TabRect;
    return src;
}

template <class Base>
void TskSkinTabsLook<Base>::SetSkinTabFont(TFont& F, bool Hot, bool Active)
{
    if (useSkinFont_) {
        F.SetName(desc_->FontName);
        F.SetStyle(desc_->FontStyle);
        F.SetHeight(desc_->FontHeight);
    } else {
        F.Assign(this->Font());
    }
    SetCharset(F);
    TColor color = desc_->FontColor;
    if (Hot)
        color = desc_->MouseInFontColor;
    else if (Active)
        color = Focused() ? desc_->FocusFontColor : desc_->ActiveFontColor;
    F.SetColor(color);
}

template <class Base>
void TskSkinTabsLook<Base>::DrawTabCaption(int Index, TCanvas* C, int W, int H)
{
    C->Brush()->SetStyle(bsClear);
    const std::string text = TabCaption(Index);
    TCustomImageList* images = this->Images();
    const int image = TabImageIndex(Index);
    if (images && image >= 0 && image < images->Count()) {
        DrawTabGlyphAndText(C, W, H, TabEnabled(Index), image, images, text);
    } else {
        TRect all = Rect(0, 0, W, H);
        DrawSkinText(C, AnsiToWide(text), all, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

template class TskSkinTabsLook<TTabControl>;
template class TskSkinTabsLook<TPageControl>;

}  // namespace sk
