#include "skin/bases/SkinCtrls.h"

#include <algorithm>

#include "skin/drawing/Composers.h"
#include "skin/drawing/Regions.h"
#include "skin/drawing/Text.h"

#include "classlib/graphics/GdiHandles.h"
#include "classlib/menus/Menus.h"
#include "classlib/system/SysUtils.h"

namespace sk {

using namespace cl;

TBitmap* SkinPicture(TskSkinData* Data, int Index)
{
    if (!Data || Index < 0 || Index >= Data->ActivePictures.Count())
        return nullptr;
    return Data->ActivePictures.Items(Index);
}

TskDataSkinCustomControl* ReadSkinArea(TskSkinGeometry& G, TskDataSkinControl* D)
{
    auto* d = dynamic_cast<TskDataSkinCustomControl*>(D);
    if (!d) {
        G.ResizeMode = rmFixed;
        return nullptr;
    }
    G.LTPoint = d->LTPoint;
    G.RTPoint = d->RTPoint;
    G.LBPoint = d->LBPoint;
    G.RBPoint = d->RBPoint;
    G.SkinRect = d->SkinRect;
    G.StretchEffect = d->StretchEffect;
    G.ClRect = d->ClRect;
    G.ResizeMode = GetResizeMode(G.SkinRect, G.RTPoint, G.LBPoint, G.RBPoint);
    return d;
}

void ComposeSkinControlImage(const TskSkinGeometry& G, TBitmap* B, TBitmap* APicture, const TRect& R, int W, int H,
                             bool ComposeNinePart)
{
    if (!APicture || APicture->Empty())
        return;
    switch (G.ResizeMode) {
    case rmFixed:
        B->SetSize(RectWidth(R), RectHeight(R));
        B->Canvas()->CopyRect(Rect(0, 0, RectWidth(R), RectHeight(R)), APicture->Canvas(), R);
        break;
    case rmNinePart:
        if (ComposeNinePart)
            ComposeSkinImage(G.Area(), G.NewArea(), B, APicture, R, W, H, true);
        break;
    // The hover, pressed and checked states lie elsewhere in the picture, in areas of the same
    // size as SkinRect: the geometry is SkinRect's, the pixels R's.
    case rmHorzStrip:
        ComposeHSkinStrip(G.LTPoint.X, RectWidth(G.SkinRect) - G.RTPoint.X, B, APicture, R, W, H, G.StretchEffect);
        break;
    case rmVertStrip:
        ComposeVSkinStrip(G.LTPoint.Y, RectHeight(G.SkinRect) - G.LBPoint.Y, B, APicture, R, W, H, G.StretchEffect);
        break;
    default: break;
    }
}

void InitDefaultSkinFont(TFont& Font)
{
    Font.SetName("Arial");
    Font.SetStyle({});
    Font.SetHeight(14);
}

// ---------------------------------------------------------------------------------------------
// TskSkinControl

TskSkinControl::TskSkinControl(TComponent* AOwner) : TskSkinLink(AOwner) {}

void TskSkinControl::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PAINT: WMPaint(Message); break;
    // The whole image is copied in one step: erasing first would only flicker.
    case WM_ERASEBKGND: Message.Result = 1; break;
    case CM_MOUSEENTER: CMMouseEnter(Message); break;
    case CM_MOUSELEAVE: CMMouseLeave(Message); break;
    default: TCustomControl::Dispatch(Message);
    }
}

bool TskSkinControl::PaintFollows(HDC DC)
{
    return HandleAllocated() && WindowFromDC(DC) == Handle() && GetUpdateRect(Handle(), nullptr, FALSE);
}

void TskSkinControl::WMPaint(TMessage& Message)
{
    const TAliveFlag alive = alive_;
    painting_ = true;
    try {
        TCustomControl::Dispatch(Message);
    } catch (...) {
        if (*alive)
            painting_ = false;
        throw;
    }
    if (*alive)
        painting_ = false;
}

void TskSkinControl::CMMouseEnter(TMessage& Message)
{
    TCustomControl::Dispatch(Message);
    if (!Designing() && OnMouseEnter)
        OnMouseEnter(this);
}

void TskSkinControl::CMMouseLeave(TMessage& Message)
{
    TCustomControl::Dispatch(Message);
    if (!Designing() && OnMouseLeave)
        OnMouseLeave(this);
}

// ---------------------------------------------------------------------------------------------
// TskSkinCustomControl

TskSkinCustomControl::TskSkinCustomControl(TComponent* AOwner) : TskSkinDefaultLook(AOwner) {}

void TskSkinCustomControl::GetSkinData()
{
    TskSkinControl::GetSkinData();
    picture_ = nullptr;
    mask_ = nullptr;
    auto* d = ReadSkinArea(*this, Description());
    if (!d) {
        // Without a skin area a description would force the control to an empty size, so the
        // control stays unskinned.
        index_ = -1;
        return;
    }
    picture_ = SkinPicture(SkinData(), d->PictureIndex);
    mask_ = SkinPicture(SkinData(), d->MaskPictureIndex);
}

TRect TskSkinCustomControl::MapSkinRect(const TRect& R) const
{
    return sk::MapSkinRect(*this, R, Width(), Height());
}

void TskSkinCustomControl::ChangeSkinData()
{
    GetSkinData();
    if (!FitSizeToSkin())
        return;  // SetBounds set the region and repainted.
    SetControlRegion();
    Repaint();
}

void TskSkinCustomControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    GetSkinData();
    const bool changed = (AWidth != Width() || AHeight != Height()) && index_ != -1;
    if (changed) {
        CalcSize(AWidth, AHeight);
        if (ResizeMode == rmFixed)
            NewClRect = ClRect;
    }
    TskSkinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (changed) {
        SetControlRegion();
        Repaint();
    }
}

void TskSkinCustomControl::CreateWnd()
{
    TskSkinControl::CreateWnd();
    // A region can only be given to a window that exists.
    SetControlRegion();
}

void TskSkinCustomControl::FocusThenActOnAccelerator(TMessage& Message, bool Focusable,
                                                     const std::function<void()>& Act)
{
    if (IsAccel(static_cast<unsigned>(Message.WParam), Caption()) && Focusable && CanFocus()) {
        // Taking the focus runs the old control's exit and this one's enter handlers, which may
        // free this control.
        const TAliveFlag alive = alive_;
        Message.Result = 1;
        SetFocus();
        if (*alive)
            Act();
        return;
    }
    TskSkinCustomControl::Dispatch(Message);
}

void TskSkinCustomControl::SetControlRegion()
{
    if (!HandleAllocated())
        return;
    if (mask_ && index_ != -1) {
        CreateControlRegion();
    } else if (hasRegion_) {
        SetWindowRgn(Handle(), nullptr, TRUE);
        hasRegion_ = false;
    }
}

void TskSkinCustomControl::CreateControlRegion()
{
    int w = Width();
    int h = Height();
    CalcSize(w, h);
    TskRegion rgn;
    switch (ResizeMode) {
    case rmFixed: rgn = CreateRegionFromMask(mask_); break;
    case rmNinePart: rgn = CreateSkinRegion(Area(), NewArea(), mask_, Width(), Height()); break;
    case rmHorzStrip:
        rgn = CreateStripRegion(false, LTPoint.X, RectWidth(SkinRect) - RTPoint.X, mask_, NewClRect, Width(), Height());
        break;
    case rmVertStrip:
        rgn = CreateStripRegion(true, LTPoint.Y, RectHeight(SkinRect) - LBPoint.Y, mask_, NewClRect, Width(), Height());
        break;
    default: return;
    }
    // From here on the window owns the region and releases the previous one itself.
    hasRegion_ = rgn.Handle() != nullptr;
    SetWindowRgn(Handle(), rgn.Release(), TRUE);
}

void TskSkinCustomControl::CreateControlDefaultImage(TBitmap* B)
{
    B->Canvas()->Brush()->SetColor(clBtnFace);
    B->Canvas()->FillRect(ClientRect());
}

void TskSkinCustomControl::CreateControlSkinImage(TBitmap* B) { CreateSkinControlImage(B, picture_, SkinRect); }

void TskSkinCustomControl::CreateSkinControlImage(TBitmap* B, TBitmap* APicture, const TRect& R)
{
    // Border-strip painting draws a nine-part skin itself, after the image.
    ComposeSkinControlImage(*this, B, APicture, R, Width(), Height(), !borderStripPainting_);
}

void TskSkinCustomControl::Paint()
{
    if (Width() < 1 || Height() < 1)
        return;
    GetSkinData();
    int w = Width();
    int h = Height();
    CalcSize(w, h);
    if (!(index_ != -1 && borderStripPainting_ && ResizeMode == rmNinePart)) {
        TskSkinControl::Paint();
        return;
    }
    PaintBorderStrips();
}

void TskSkinCustomControl::PaintBorderStrips()
{
    TBitmap left, top, right, bottom;
    ComposeSkinBorderImages(Area(), NewArea(), &left, &top, &right, &bottom, picture_, SkinRect, Width(), Height(),
                            false, false, false, false);
    CreateControlSkinImage(&top);
    TCanvas* c = Canvas();
    if (clientTiling_ && picture_) {
        // A client part without area has nothing to tile.
        TileRect(c->Handle(), NewClRect, NewClRect.TopLeft(), picture_,
                 cl::OffsetRect(ClRect, SkinRect.Left, SkinRect.Top));
    }
    c->Draw(0, 0, &top);
    c->Draw(0, top.Height(), &left);
    c->Draw(Width() - right.Width(), top.Height(), &right);
    c->Draw(0, Height() - bottom.Height(), &bottom);
}

// ---------------------------------------------------------------------------------------------
// Glyph and caption

namespace {

void DrawLaidOut(TCanvas* Canvas, const TRect& R, int Margin, int Spacing, TskButtonLayout Layout,
                 const std::string& Caption, int GlyphW, int GlyphH, bool Pressed, TPoint& GlyphAt,
                 TskCaptionKind Kind = TskCaptionKind::Mnemonic)
{
    const bool data = Kind == TskCaptionKind::Data;
    const UINT prefix = data ? DT_NOPREFIX : 0;
    const std::wstring text = AnsiToWide(Caption);
    TRect measure{0, 0, 0, 0};
    if (!text.empty())
        DrawSkinText(Canvas, text, measure, DT_CALCRECT | prefix);
    Canvas->Brush()->SetStyle(bsClear);
    int tx = 0, ty = 0, gx = 0, gy = 0;
    CalcGlyphTextLayout(Layout, R, GlyphW, GlyphH, RectWidth(measure), RectHeight(measure), Spacing, Margin, tx, ty,
                        gx, gy);
    if (Pressed) {
        ++tx;
        ++ty;
        ++gx;
        ++gy;
    }
    if (!text.empty()) {
        TRect t{tx, ty, tx, ty};
        DrawSkinText(Canvas, text, t, DT_CALCRECT | prefix);
        t.Right += 2;
        if (data) {
            // Kept inside R: a name too long for it is cut at its end, with an ellipsis.
            t.Left = std::max(t.Left, R.Left);
            t.Right = std::min(t.Right, R.Right);
            if (t.Right > t.Left)
                DrawSkinText(Canvas, text, t, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        } else {
            DrawSkinText(Canvas, text, t, DT_CENTER | DT_VCENTER);
        }
    }
    GlyphAt = {gx, gy};
}

}  // namespace

void DrawImageAndText(TCanvas* Canvas, const TRect& R, int Margin, int Spacing, TskButtonLayout Layout,
                      const std::string& Caption, int ImageIndex, TCustomImageList* Images, bool Pressed,
                      bool Enabled, TskCaptionKind Kind)
{
    const bool hasGlyph = Images && ImageIndex >= 0 && ImageIndex < Images->Count();
    TPoint at;
    DrawLaidOut(Canvas, R, Margin, Spacing, Layout, Caption, hasGlyph ? Images->Width() : 0,
                hasGlyph ? Images->Height() : 0, Pressed, at, Kind);
    if (hasGlyph)
        Images->Draw(Canvas, at.X, at.Y, ImageIndex, Enabled);
}

void DrawCaptionWithGlyph(TCanvas* Canvas, const TRect& R, int Margin, int Spacing, TskButtonLayout Layout,
                          const std::string& Caption, TBitmap* Glyph, int FrameCount, int FrameIndex, bool Pressed)
{
    // Fewer than one frame cannot be cut from the bitmap.
    const bool hasGlyph = Glyph && !Glyph->Empty() && FrameCount >= 1;
    TPoint at;
    DrawLaidOut(Canvas, R, Margin, Spacing, Layout, Caption, hasGlyph ? Glyph->Width() / FrameCount : 0,
                hasGlyph ? Glyph->Height() : 0, Pressed, at);
    if (hasGlyph)
        DrawGlyphFrame(Canvas, at.X, at.Y, FrameIndex, FrameCount, Glyph);
}

}  // namespace sk
