// The main menu bar's layout and drawing: the system buttons at the ends, the items left to
// right as far as they fit, the overflow mark, each in the skin's look or the built-in one.
#include <algorithm>

#include "classlib/graphics/GdiHandles.h"
#include "skin/controls/ButtonLook.h"
#include "skin/drawing/Composers.h"
#include "skin/drawing/DefaultLook.h"
#include "skin/drawing/Glyphs.h"
#include "skin/drawing/Text.h"
#include "skinforms/menubar/MainMenuBar.h"

namespace sk {

using namespace cl;

namespace {

// The width of the mark that opens the hidden items, and the room it keeps at the right.
constexpr int TrackMarkWidth = 5;
constexpr int DefaultItemMargin = 12;
constexpr int ButtonGap = 2;

// An item's caption, with its mnemonic mark.
std::wstring Caption(const TMenuItem* Item)
{
    return Item ? StringToWide(Item->Caption()) : std::wstring();
}

// The part of a skin picture R drawn at the object's place, widened to its width.
void DrawStrip(TCanvas* Canvas, TBitmap* Picture, const TRect& R, const TRect& Dest, int LeftOffset, int RightOffset,
               bool Stretch)
{
    if (!Picture || IsNullRect(R) || Dest.Width() <= 0)
        return;
    TBitmap strip;
    ComposeHSkinStrip(LeftOffset, RightOffset, &strip, Picture, R, Dest.Width(), R.Height(), Stretch);
    Canvas->Draw(Dest.Left, Dest.Top, &strip);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Items

void TskSkinMainMenuBarItem::SelectFont(TCanvas* Canvas)
{
    TskSkinMainMenuBar* bar = Parent;
    if (Data && bar->UseSkinFont) {
        Canvas->Font()->SetName(Data->FontName);
        Canvas->Font()->SetHeight(Data->FontHeight);
        Canvas->Font()->SetStyle(Data->FontStyle);
    } else {
        Canvas->Font()->Assign(bar->DefItemFont());
    }
}

int TskSkinMainMenuBarItem::CalcWidth(TCanvas* Canvas)
{
    SelectFont(Canvas);
    TRect r;
    DrawSkinText(Canvas, Caption(MenuItem), r, DT_CALCRECT | DT_CENTER | DT_SINGLELINE);
    const int text = r.Width();
    if (!Data)
        return text + DefaultItemMargin;
    return text + Data->TextRect.Left + (Data->SkinRect.Width() - Data->TextRect.Right) + 2;
}

void TskSkinMainMenuBarItem::Draw(TCanvas* Canvas)
{
    if (Data && Picture)
        DrawSkinned(Canvas);
    else
        DrawDefault(Canvas);
}

void TskSkinMainMenuBarItem::DrawDefault(TCanvas* Canvas)
{
    const TRect& r = ObjectRect;
    if (Down)
        FillFramed(Canvas, r, clSkinDefaultFrame, clSkinDefaultDownFill);
    else if (Active)
        FillFramed(Canvas, r, clSkinDefaultFrame, clSkinDefaultHotFill);
    else {
        Canvas->Brush()->SetColor(clBtnFace);
        Canvas->FillRect(r);
    }
    SelectFont(Canvas);
    // Read now: a later change of the menu item shows at the next paint.
    const bool enabled = IsEnabled();
    Canvas->Font()->SetColor(enabled ? Parent->DefItemFont()->Color() : clBtnShadow);
    Canvas->Brush()->SetStyle(bsClear);
    TRect tr = r;
    DrawSkinText(Canvas, Caption(MenuItem), tr, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    Canvas->Brush()->SetStyle(bsSolid);
}

void TskSkinMainMenuBarItem::DrawSkinned(TCanvas* Canvas)
{
    const TRect& r = ObjectRect;
    const TRect active = IsNullRect(ActiveSkinRect) ? SkinRect : ActiveSkinRect;
    const int left = Data->ItemLeftOffset;
    const int right = Data->ItemRightOffset;
    const bool stretch = Data->StretchEffect;
    if (Down) {
        DrawStrip(Canvas, Picture, DownSkinRect, r, left, right, stretch);
    } else if (const TRect frame = FrameRect(); !IsNullRect(frame)) {
        DrawStrip(Canvas, Picture, frame, r, left, right, stretch);
    } else if (MorphingApplies() && MorphKf > 0 && MorphKf < 1) {
        // Both faces at the item's size, however tall the skin cut them.
        TBitmap from, to, out;
        for (TBitmap* face : {&from, &to}) {
            face->SetSize(r.Width(), r.Height());
            DrawStrip(face->Canvas(), Picture, face == &from ? SkinRect : active, cl::Rect(0, 0, r.Width(), r.Height()),
                      left, right, stretch);
        }
        out.SetSize(r.Width(), r.Height());
        DrawMorph(out.Canvas(), &from, &to, MorphKind, MorphKf);
        Canvas->Draw(r.Left, r.Top, &out);
    } else {
        const bool lit = MorphingApplies() ? MorphKf >= 1 : Active;
        DrawStrip(Canvas, Picture, lit ? active : SkinRect, r, left, right, stretch);
    }
    SelectFont(Canvas);
    const bool enabled = IsEnabled();
    Canvas->Font()->SetColor(!enabled ? Data->UnEnabledFontColor
                             : Down   ? Data->DownFontColor
                             : Active ? Data->ActiveFontColor
                                      : Data->FontColor);
    Canvas->Brush()->SetStyle(bsClear);
    // The text area keeps its distance from the item's right edge.
    TRect tr = cl::Rect(r.Left + Data->TextRect.Left, r.Top + Data->TextRect.Top,
                        r.Right - (Data->SkinRect.Width() - Data->TextRect.Right), r.Top + Data->TextRect.Bottom);
    DrawSkinText(Canvas, Caption(MenuItem), tr, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    Canvas->Brush()->SetStyle(bsSolid);
}

// ---------------------------------------------------------------------------------------------
// Buttons

void TskSkinMainMenuBarButton::Draw(TCanvas* Canvas)
{
    if (HasDescription && Picture)
        DrawSkinned(Canvas);
    else
        DrawDefault(Canvas);
}

void TskSkinMainMenuBarButton::DrawDefault(TCanvas* Canvas)
{
    const TRect& r = ObjectRect;
    const bool pressed = Down && Active;
    if (pressed)
        FillFramed(Canvas, r, clSkinDefaultFrame, clSkinDefaultDownFill);
    else if (Active)
        FillFramed(Canvas, r, clSkinDefaultFrame, clSkinDefaultHotFill);
    else {
        Canvas->Brush()->SetColor(clBtnFace);
        Canvas->FillRect(r);
    }
    const int x = r.Left + r.Width() / 2 - 5 + (pressed ? 1 : 0);
    const int y = r.Top + r.Height() / 2 - 4 + (pressed ? 1 : 0);
    const TColor color = Enabled ? clBtnText : clBtnShadow;
    switch (Command) {
    case mbcClose: DrawCrossGlyph(Canvas, x, y, color); break;
    case mbcRestore: DrawRestoreGlyph(Canvas, x, y, color); break;
    case mbcMinimize: DrawUnderlineGlyph(Canvas, x, y, color); break;
    case mbcSysMenu: DrawRectGlyph(Canvas, x, y, color); break;
    }
}

void TskSkinMainMenuBarButton::DrawSkinned(TCanvas* Canvas)
{
    const TRect& r = ObjectRect;
    if (Down && Active && !IsNullRect(DownSkinRect)) {
        Canvas->CopyRect(r, Picture->Canvas(), DownSkinRect);
        return;
    }
    if (MorphingApplies() && MorphKf > 0 && MorphKf < 1) {
        TBitmap from, to;
        from.SetSize(r.Width(), r.Height());
        to.SetSize(r.Width(), r.Height());
        from.Canvas()->CopyRect(cl::Rect(0, 0, r.Width(), r.Height()), Picture->Canvas(), SkinRect);
        to.Canvas()->CopyRect(cl::Rect(0, 0, r.Width(), r.Height()), Picture->Canvas(), ActiveSkinRect);
        TBitmap out;
        out.SetSize(r.Width(), r.Height());
        DrawMorph(out.Canvas(), &from, &to, MorphKind, MorphKf);
        Canvas->Draw(r.Left, r.Top, &out);
        return;
    }
    const bool lit = MorphingApplies() ? MorphKf >= 1 : Active;
    const TRect src = lit && !IsNullRect(ActiveSkinRect) ? ActiveSkinRect : SkinRect;
    Canvas->CopyRect(r, Picture->Canvas(), src);
}

// ---------------------------------------------------------------------------------------------
// The bar

TRect TskSkinMainMenuBar::TrackMarkRect() const
{
    if (!overflow_ || !ScrollMenu)
        return {};
    return cl::Rect(ItemsArea.Right - TrackMarkWidth, ItemsArea.Top, ItemsArea.Right, ItemsArea.Bottom);
}

void TskSkinMainMenuBar::ArrangeObjects(TCanvas* Canvas)
{
    TskDataSkinMainMenuBar* d = BarDescription();
    const bool skinned = d && barPicture_ && !IsNullRect(d->ItemsRect);
    if (skinned)
        ItemsArea = cl::Rect(d->ItemsRect.Left, d->ItemsRect.Top,
                             Width() - (d->SkinRect.Width() - d->ItemsRect.Right), d->ItemsRect.Bottom);
    else
        ItemsArea = cl::Rect(2, 2, Width() - 2, Height() - 2);
    // The child's buttons: the system menu at the left, close, restore and minimize from the
    // right.
    for (int i = 0; i < sysButtonCount_; ++i) {
        TskMenuBarObject* b = Objects(i);
        const bool own = b->HasDescription && !IsNullRect(b->SkinRect);
        const int w = own ? b->SkinRect.Width() : ItemsArea.Height();
        const int h = own ? b->SkinRect.Height() : ItemsArea.Height();
        const int top = ItemsArea.Top + (ItemsArea.Height() - h) / 2;
        if (static_cast<TskSkinMainMenuBarButton*>(b)->Command == mbcSysMenu) {
            b->ObjectRect = cl::Rect(ItemsArea.Left, top, ItemsArea.Left + w, top + h);
            ItemsArea.Left += w + ButtonGap;
        } else {
            b->ObjectRect = cl::Rect(ItemsArea.Right - w, top, ItemsArea.Right, top + h);
            ItemsArea.Right -= w + ButtonGap;
        }
    }
    overflow_ = false;
    const int limit = ScrollMenu ? ItemsArea.Right - TrackMarkWidth : ItemsArea.Right;
    int x = ItemsArea.Left;
    for (int i = sysButtonCount_; i < ObjectCount(); ++i) {
        auto* item = static_cast<TskSkinMainMenuBarItem*>(Objects(i));
        if (item->Data && (IsNullRect(item->SkinRect) || IsNullRect(item->ActiveSkinRect))) {
            item->Visible = false;
            continue;
        }
        const int w = item->CalcWidth(Canvas);
        const int h = item->Data ? item->SkinRect.Height() : ItemsArea.Height();
        const TRect r = cl::Rect(x, ItemsArea.Top, x + w, ItemsArea.Top + h);
        // Once one item is hidden, every later one is too: the hidden ones are a tail.
        if (!overflow_ && r.Right <= limit) {
            item->Enabled = true;
            item->Visible = true;
            item->ObjectRect = r;
            x = r.Right;
        } else {
            if (item->Visible)
                item->SavedEnabled = item->IsEnabled();
            item->Enabled = false;
            item->Visible = false;
            item->ObjectRect = {};
            overflow_ = true;
        }
    }
}

void TskSkinMainMenuBar::PaintDefaultBackground(TCanvas* Canvas)
{
    Canvas->Brush()->SetColor(clBtnFace);
    Canvas->FillRect(cl::Rect(0, 0, Width(), Height()));
}

void TskSkinMainMenuBar::PaintSkinnedBackground(TBitmap* B)
{
    TskDataSkinMainMenuBar* d = BarDescription();
    const int left = d->ItemsRect.Left;
    const int right = d->SkinRect.Width() - d->ItemsRect.Right;
    TBitmap strip;
    ComposeHSkinStrip(left, right, &strip, barPicture_, d->SkinRect, Width(), Height(), false);
    B->Canvas()->Draw(0, 0, &strip);
}

void TskSkinMainMenuBar::PaintTrackMark(TCanvas* Canvas)
{
    const TRect r = TrackMarkRect();
    if (IsNullRect(r))
        return;
    TskDataSkinMainMenuBar* d = barPicture_ ? BarDescription() : nullptr;
    const TColor color = d ? (TrackMarkHot ? d->TrackMarkActiveColor : d->TrackMarkColor)
                           : (TrackMarkHot ? clBtnText : clBtnShadow);
    DrawArrowImage(Canvas, r, color, adRight);
}

void TskSkinMainMenuBar::PaintBar(TBitmap* B)
{
    TCanvas* c = B->Canvas();
    if (BarDescription() && barPicture_)
        PaintSkinnedBackground(B);
    else
        PaintDefaultBackground(c);
    ArrangeObjects(c);
    for (auto& o : objects_)
        if (o->Visible)
            o->Draw(c);
    PaintTrackMark(c);
}

void TskSkinMainMenuBar::CreateControlDefaultImage(TBitmap* B) { PaintBar(B); }

void TskSkinMainMenuBar::CreateControlSkinImage(TBitmap* B) { PaintBar(B); }

// One object again, straight onto the window (the next full paint draws it the same way).
void TskSkinMainMenuBar::DrawObject(TskMenuBarObject* Object)
{
    if (!Object)
        return;
    Object->FollowState();
    if (!Object->Visible || !HandleAllocated() || IsNullRect(Object->ObjectRect))
        return;
    const TRect r = Object->ObjectRect;
    TBitmap b;
    b.SetSize(Width(), Height());
    if (BarDescription() && barPicture_)
        PaintSkinnedBackground(&b);
    else
        PaintDefaultBackground(b.Canvas());
    Object->Draw(b.Canvas());
    const TWindowDC dc(Handle());
    BitBlt(dc.Handle(), r.Left, r.Top, r.Width(), r.Height(), b.Canvas()->Handle(), r.Left, r.Top, SRCCOPY);
}

TRect TskSkinMainMenuBar::ObjectScreenRect(const TskMenuBarObject* Object)
{
    const TPoint tl = ClientToScreen(Object->ObjectRect.TopLeft());
    return cl::Rect(tl.X, tl.Y, tl.X + Object->ObjectRect.Width(), tl.Y + Object->ObjectRect.Height());
}

}  // namespace sk
