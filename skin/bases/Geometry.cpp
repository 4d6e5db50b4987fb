#include "skin/bases/Geometry.h"

namespace sk {

void CalcSkinSize(TskSkinGeometry& G, int& W, int& H, bool Skinned)
{
    const int dW = W - RectWidth(G.SkinRect);
    const int dH = H - RectHeight(G.SkinRect);
    switch (G.ResizeMode) {
    case rmNinePart:
        G.NewLTPoint = G.LTPoint;
        G.NewRTPoint = {G.RTPoint.X + dW, G.RTPoint.Y};
        G.NewLBPoint = {G.LBPoint.X, G.LBPoint.Y + dH};
        G.NewRBPoint = {G.RBPoint.X + dW, G.RBPoint.Y + dH};
        G.NewClRect = {G.ClRect.Left, G.ClRect.Top, G.ClRect.Right + dW, G.ClRect.Bottom + dH};
        break;
    case rmHorzStrip:
        H = MaxInt(RectHeight(G.SkinRect), 0);
        G.NewLTPoint = G.LTPoint;
        G.NewRTPoint = {G.RTPoint.X + dW, G.RTPoint.Y};
        G.NewClRect = G.ClRect;
        G.NewClRect.Right += dW;
        break;
    case rmVertStrip:
        W = MaxInt(RectWidth(G.SkinRect), 0);
        G.NewLTPoint = G.LTPoint;
        G.NewLBPoint = {G.LBPoint.X, G.LBPoint.Y + dH};
        G.NewClRect = G.ClRect;
        G.NewClRect.Bottom += dH;
        break;
    case rmFixed:
        if (Skinned) {
            W = MaxInt(RectWidth(G.SkinRect), 0);
            H = MaxInt(RectHeight(G.SkinRect), 0);
            G.NewClRect = G.ClRect;
        }
        break;
    default:
        break;
    }
}

namespace {

TRect Moved(const TRect& R, int DX, int DY) { return cl::OffsetRect(R, DX, DY); }

}  // namespace

TRect MapSkinRect(const TskSkinGeometry& G, const TRect& R, int W, int H)
{
    const int dW = W - RectWidth(G.SkinRect);
    const int dH = H - RectHeight(G.SkinRect);
    const int SW = RectWidth(G.SkinRect);
    const int SH = RectHeight(G.SkinRect);
    TRect r = R;
    switch (G.ResizeMode) {
    case rmNinePart: {
        const TRect lt{0, 0, G.LTPoint.X, G.LTPoint.Y};
        const TRect rt{G.RTPoint.X, 0, SW, G.RTPoint.Y};
        const TRect lb{0, G.LBPoint.Y, G.LBPoint.X, SH};
        const TRect rb{G.RBPoint.X, G.RBPoint.Y, SW, SH};
        if (RectInRect(R, lt))
            return r;
        if (RectInRect(R, rt))
            return Moved(R, dW, 0);
        if (RectInRect(R, lb))
            return Moved(R, 0, dH);
        if (RectInRect(R, rb))
            return Moved(R, dW, dH);
        const TPoint tl = R.TopLeft();
        const TPoint br = R.BottomRight();
        if (PointInRect(lt, tl) && PointInRect(rb, br)) {
            r.Right += dW;
            r.Bottom += dH;
        } else if (PointInRect(lt, tl) && PointInRect(rt, br)) {
            r.Right += dW;
        } else if (PointInRect(lb, tl) && PointInRect(rb, br)) {
            r.Right += dW;
            r = Moved(r, 0, dH);
        } else if (PointInRect(lt, tl) && PointInRect(lb, br)) {
            r.Bottom += dH;
        } else if (PointInRect(rt, tl) && PointInRect(rb, br)) {
            r = Moved(r, dW, 0);
            r.Bottom += dH;
        }
        return r;
    }
    case rmHorzStrip:
        if (R.Left <= G.LTPoint.X && R.Right >= G.RTPoint.X)
            r.Right += dW;
        else if (G.RTPoint.X <= R.Left && G.RTPoint.X < R.Right)
            r = Moved(r, dW, 0);
        return r;
    case rmVertStrip:
        if (R.Top <= G.LTPoint.Y && R.Bottom >= G.LBPoint.Y)
            r.Bottom += dH;
        else if (G.LBPoint.Y <= R.Top && G.LBPoint.Y < R.Bottom)
            r = Moved(r, 0, dH);
        return r;
    default:
        return r;
    }
}

void CalcGlyphTextLayout(TskButtonLayout Layout, const TRect& R, int GlyphW, int GlyphH, int TextW, int TextH,
                         int Spacing, int Margin, int& TextX, int& TextY, int& GlyphX, int& GlyphY)
{
    const int cx = R.Left + RectWidth(R) / 2;
    const int cy = R.Top + RectHeight(R) / 2;
    const bool horizontal = Layout == blGlyphLeft || Layout == blGlyphRight;
    if (horizontal) {
        GlyphY = cy - GlyphH / 2;
        TextY = cy - TextH / 2;
    } else {
        GlyphX = cx - GlyphW / 2;
        TextX = cx - TextW / 2;
    }
    if (Margin == -1) {
        const int hw = (TextW + GlyphW + Spacing) / 2;
        const int hh = (TextH + GlyphH + Spacing) / 2;
        switch (Layout) {
        case blGlyphLeft:
            GlyphX = cx - hw;
            TextX = cx + hw - TextW;
            break;
        case blGlyphRight:
            TextX = cx - hw;
            GlyphX = cx + hw - GlyphW;
            break;
        case blGlyphTop:
            GlyphY = cy - hh;
            TextY = cy + hh - TextH;
            break;
        case blGlyphBottom:
            TextY = cy - hh;
            GlyphY = cy + hh - GlyphH;
            break;
        }
        return;
    }
    switch (Layout) {
    case blGlyphLeft:
        GlyphX = R.Left + Margin;
        TextX = GlyphX + GlyphW + Spacing;
        break;
    case blGlyphRight:
        GlyphX = R.Right - GlyphW - Margin;
        TextX = GlyphX - Spacing - TextW;
        break;
    case blGlyphTop:
        GlyphY = R.Top + Margin;
        TextY = GlyphY + GlyphH + Spacing;
        break;
    case blGlyphBottom:
        GlyphY = R.Bottom - GlyphH - Margin;
        TextY = GlyphY - Spacing - TextH;
        break;
    }
}

}  // namespace sk
