#include "skin/drawing/Composers.h"

#include <algorithm>

namespace sk {

namespace {

enum TAxis { axX, axY };

bool Drawable(const TRect& R)
{
    return R.Right > R.Left && R.Bottom > R.Top;
}

// Src's SR into Dest's DR, stretched when the sizes differ. An empty or inverted rectangle on
// either side draws nothing: the platform would mirror it.
void CopyPart(cl::TBitmap* Dest, const TRect& DR, cl::TBitmap* Src, const TRect& SR)
{
    if (!Drawable(DR) || !Drawable(SR))
        return;
    Dest->Canvas()->CopyRect(DR, Src->Canvas(), SR);
}

// Pos .. Pos + Len along the axis, Cross0 .. Cross1 across it.
TRect Span(TAxis Axis, int Pos, int Len, int Cross0, int Cross1)
{
    return Axis == axX ? TRect{Pos, Cross0, Pos + Len, Cross1} : TRect{Cross0, Pos, Cross1, Pos + Len};
}

// Dest's Start .. Start + Filled along the axis holds whole tiles (or is all the span has):
// copying what is there doubles it each time, so a span of n tiles takes log n copies instead
// of n and gives the same pixels as copying tile by tile.
void RepeatFilled(cl::TBitmap* Dest, TAxis Axis, int Start, int Filled, int End, int Cross0, int Cross1)
{
    while (Start + Filled < End) {
        const int n = std::min(Filled, End - Start - Filled);
        CopyPart(Dest, Span(Axis, Start + Filled, n, Cross0, Cross1), Dest, Span(Axis, Start, n, Cross0, Cross1));
        Filled += n;
    }
}

// Fills Dest's span S .. E along the axis (DC0 .. DC1 across) with tiles of Src's run
// From .. From + L (SC0 .. SC1 across): tiles start at S, S + L, ...; the last is cut at E.
void Tile(cl::TBitmap* Dest, TAxis Axis, int S, int E, int DC0, int DC1, cl::TBitmap* Src, int From, int L, int SC0,
          int SC1)
{
    if (L <= 0 || E <= S || DC1 <= DC0 || SC1 <= SC0)
        return;
    const int first = std::min(L, E - S);
    CopyPart(Dest, Span(Axis, S, first, DC0, DC1), Src, Span(Axis, From, first, SC0, SC1));
    RepeatFilled(Dest, Axis, S, first, E, DC0, DC1);
}

// An edge or strip middle: the whole source run stretched over the span, or tiled along it.
void TileOrStretch(bool Stretch, cl::TBitmap* Dest, TAxis Axis, int S, int E, int DC0, int DC1, cl::TBitmap* Src,
                   int From, int L, int SC0, int SC1)
{
    if (Stretch)
        CopyPart(Dest, Span(Axis, S, E - S, DC0, DC1), Src, Span(Axis, From, L, SC0, SC1));
    else
        Tile(Dest, Axis, S, E, DC0, DC1, Src, From, L, SC0, SC1);
}

bool HasPixels(const cl::TBitmap* Bitmap)
{
    return Bitmap && !Bitmap->Empty();
}

// What a strip along the axis reads from its source rectangle: the run From .. To along the
// axis, Cross0 .. Cross1 across it.
struct TStripSource {
    int From, To, Cross0, Cross1;
};

TStripSource StripSource(TAxis Axis, const TRect& R)
{
    return Axis == axX ? TStripSource{R.Left, R.Right, R.Top, R.Bottom} : TStripSource{R.Top, R.Bottom, R.Left, R.Right};
}

// Sizes Dest to Len along the axis and the source's thickness across it; false when there is
// nothing to draw.
bool SizeStrip(TAxis Axis, cl::TBitmap* Dest, const cl::TBitmap* Src, const TStripSource& S, int Len)
{
    const int thick = std::max(S.Cross1 - S.Cross0, 0);
    if (Axis == axX)
        Dest->SetSize(Len, thick);
    else
        Dest->SetSize(thick, Len);
    return HasPixels(Src) && Len >= 1 && thick >= 1;
}

// A three-part strip along the axis, Len long: ends of Head and Tail pixels copied, the middle
// tiled or stretched.
void ComposeStrip(TAxis Axis, int Head, int Tail, cl::TBitmap* Dest, cl::TBitmap* Src, const TRect& SrcRect, int Len,
                  bool Stretch)
{
    if (!Dest)
        return;
    const TStripSource s = StripSource(Axis, SrcRect);
    if (!SizeStrip(Axis, Dest, Src, s, Len))
        return;
    const int thick = s.Cross1 - s.Cross0;
    if (Head != 0)
        CopyPart(Dest, Span(Axis, 0, Head, 0, thick), Src, Span(Axis, s.From, Head, s.Cross0, s.Cross1));
    if (Tail != 0)
        CopyPart(Dest, Span(Axis, Len - Tail, Tail, 0, thick), Src, Span(Axis, s.To - Tail, Tail, s.Cross0, s.Cross1));
    const int middle = s.From + Head;
    TileOrStretch(Stretch, Dest, Axis, Head, Len - Tail, 0, thick, Src, middle, s.To - Tail - middle, s.Cross0,
                  s.Cross1);
}

}  // namespace

void ComposeSkinImage(const TskAreaPoints& Area, const TskAreaPoints& NewArea, cl::TBitmap* Dest, cl::TBitmap* Src,
                      const TRect& SkinRect, int W, int H, bool DrawClient)
{
    ComposeSkinImageEx(Area, NewArea, Dest, Src, SkinRect, W, H, DrawClient, false, false, false, false);
}

void ComposeSkinImageEx(const TskAreaPoints& Area, const TskAreaPoints& NewArea, cl::TBitmap* Dest, cl::TBitmap* Src,
                        const TRect& SkinRect, int W, int H, bool DrawClient, bool LeftStretch, bool TopStretch,
                        bool RightStretch, bool BottomStretch)
{
    if (!Dest)
        return;
    Dest->SetSize(W, H);
    const TskAreaPoints& a = Area;
    const TskAreaPoints& n = NewArea;
    if (a.RBPoint.X == a.LTPoint.X || a.RBPoint.Y == a.LTPoint.Y || !HasPixels(Src) || W < 1 || H < 1)
        return;
    const int sl = SkinRect.Left;
    const int st = SkinRect.Top;
    const int aw = RectWidth(SkinRect);
    const int ah = RectHeight(SkinRect);

    // Edges.
    TileOrStretch(TopStretch, Dest, axX, n.LTPoint.X, n.RTPoint.X, 0, n.ClRect.Top, Src, sl + a.LTPoint.X,
                  a.RTPoint.X - a.LTPoint.X, st, st + a.ClRect.Top);
    TileOrStretch(BottomStretch, Dest, axX, n.LBPoint.X, n.RBPoint.X, n.ClRect.Bottom, H, Src, sl + a.LBPoint.X,
                  a.RBPoint.X - a.LBPoint.X, st + a.ClRect.Bottom, SkinRect.Bottom);
    TileOrStretch(LeftStretch, Dest, axY, n.LTPoint.Y, n.LBPoint.Y, 0, n.ClRect.Left, Src, st + a.LTPoint.Y,
                  a.LBPoint.Y - a.LTPoint.Y, sl, sl + n.ClRect.Left);
    TileOrStretch(RightStretch, Dest, axY, n.RTPoint.Y, n.RBPoint.Y, n.ClRect.Right, W, Src, st + a.RTPoint.Y,
                  a.RBPoint.Y - a.RTPoint.Y, sl + a.ClRect.Right, SkinRect.Right);

    // Corners, each in two parts around the corner point.
    auto corner = [&](const TRect& S, const TRect& D) { CopyPart(Dest, D, Src, cl::OffsetRect(S, sl, st)); };
    corner({0, 0, a.LTPoint.X, a.ClRect.Top}, {0, 0, n.LTPoint.X, n.ClRect.Top});
    corner({0, a.ClRect.Top, a.ClRect.Left, a.LTPoint.Y}, {0, n.ClRect.Top, n.ClRect.Left, n.LTPoint.Y});
    corner({a.RTPoint.X, 0, aw, a.ClRect.Top}, {n.RTPoint.X, 0, W, n.ClRect.Top});
    corner({a.ClRect.Right, a.ClRect.Top, aw, a.RTPoint.Y}, {n.ClRect.Right, n.ClRect.Top, W, n.RTPoint.Y});
    corner({0, a.LBPoint.Y, a.ClRect.Left, ah}, {0, n.LBPoint.Y, n.ClRect.Left, H});
    corner({a.ClRect.Left, a.ClRect.Bottom, a.LBPoint.X, ah}, {n.ClRect.Left, n.ClRect.Bottom, n.LBPoint.X, H});
    corner({a.RBPoint.X, a.ClRect.Bottom, aw, ah}, {n.RBPoint.X, n.ClRect.Bottom, W, H});
    corner({a.ClRect.Right, a.RBPoint.Y, aw, a.ClRect.Bottom}, {n.ClRect.Right, n.RBPoint.Y, W, n.ClRect.Bottom});

    if (DrawClient)
        TileArea(Dest, n.ClRect, Src, cl::OffsetRect(a.ClRect, sl, st));
}

void ComposeSkinBorderImages(const TskAreaPoints& Area, const TskAreaPoints& NewArea, cl::TBitmap* LeftImage,
                             cl::TBitmap* TopImage, cl::TBitmap* RightImage, cl::TBitmap* BottomImage,
                             cl::TBitmap* Src, const TRect& SkinRect, int W, int H, bool LeftStretch,
                             bool TopStretch, bool RightStretch, bool BottomStretch)
{
    if (!HasPixels(Src))
        return;
    const TskAreaPoints& a = Area;
    const TskAreaPoints& n = NewArea;
    const int sl = SkinRect.Left;
    const int st = SkinRect.Top;
    const int aw = RectWidth(SkinRect);

    // The top and bottom borders: the corner ends copied, the edge between them tiled over the
    // whole width or stretched between the fitted corner points.
    auto band = [&](cl::TBitmap* Image, bool Stretch, int Height, int SrcTop, int SrcBottom, int EdgeLeft,
                    int EdgeRight, int NewLeft, int NewRight) {
        Image->SetSize(W, Height);
        if (Stretch)
            CopyPart(Image, {NewLeft, 0, NewRight, Height}, Src, {sl + EdgeLeft, SrcTop, sl + EdgeRight, SrcBottom});
        else
            Tile(Image, axX, 0, W, 0, Height, Src, sl + EdgeLeft, EdgeRight - EdgeLeft, SrcTop, SrcBottom);
        CopyPart(Image, {0, 0, NewLeft, Height}, Src, {sl, SrcTop, sl + EdgeLeft, SrcBottom});
        CopyPart(Image, {NewRight, 0, W, Height}, Src, {sl + EdgeRight, SrcTop, sl + aw, SrcBottom});
    };
    const int topH = n.ClRect.Top;
    if (TopImage && W >= 1 && topH >= 1 && a.RTPoint.X - a.LTPoint.X >= 1)
        band(TopImage, TopStretch, topH, st, st + topH, a.LTPoint.X, a.RTPoint.X, n.LTPoint.X, n.RTPoint.X);
    // The bottom border is cut from the area's last rows.
    const int bottomH = H - n.ClRect.Bottom;
    if (BottomImage && W >= 1 && bottomH >= 1 && a.RBPoint.X - a.LBPoint.X >= 1)
        band(BottomImage, BottomStretch, bottomH, SkinRect.Bottom - bottomH, SkinRect.Bottom, a.LBPoint.X,
             a.RBPoint.X, n.LBPoint.X, n.RBPoint.X);

    // The side strips cover the area's rows ClRect.Top .. ClRect.Bottom, fitted to the height
    // between the top and bottom borders.
    const int sideH = H - topH - bottomH;
    const int topEnd = a.ClRect.Top;
    const int bottomEnd = a.ClRect.Bottom;
    auto side = [&](cl::TBitmap* Image, bool Stretch, int Width, int SrcLeft, int SrcRight, int EdgeTop,
                    int EdgeBottom) {
        Image->SetSize(Width, sideH);
        const int headH = EdgeTop - topEnd;
        const int tailH = bottomEnd - EdgeBottom;
        if (Stretch)
            CopyPart(Image, {0, headH, Width, sideH - tailH}, Src, {SrcLeft, st + EdgeTop, SrcRight, st + EdgeBottom});
        else
            Tile(Image, axY, 0, sideH, 0, Width, Src, st + EdgeTop, EdgeBottom - EdgeTop, SrcLeft, SrcRight);
        if (headH > 0)
            CopyPart(Image, {0, 0, Width, headH}, Src, {SrcLeft, st + topEnd, SrcRight, st + EdgeTop});
        if (tailH > 0)
            CopyPart(Image, {0, sideH - tailH, Width, sideH}, Src, {SrcLeft, st + EdgeBottom, SrcRight, st + bottomEnd});
    };
    const int leftW = n.ClRect.Left;
    if (LeftImage && leftW >= 1 && sideH >= 1 && a.LBPoint.Y - a.LTPoint.Y >= 1)
        side(LeftImage, LeftStretch, leftW, sl, sl + leftW, a.LTPoint.Y, a.LBPoint.Y);
    const int rightW = W - n.ClRect.Right;
    if (RightImage && rightW >= 1 && sideH >= 1 && a.RBPoint.Y - a.RTPoint.Y >= 1)
        side(RightImage, RightStretch, rightW, sl + a.ClRect.Right, SkinRect.Right, a.RTPoint.Y, a.RBPoint.Y);
}

void ComposeHSkinStrip(int LeftW, int RightW, cl::TBitmap* Dest, cl::TBitmap* Src, const TRect& SrcRect, int W, int H,
                       bool Stretch)
{
    ComposeStrip(axX, LeftW, RightW, Dest, Src, SrcRect, W, Stretch);
}

void ComposeVSkinStrip(int TopH, int BottomH, cl::TBitmap* Dest, cl::TBitmap* Src, const TRect& SrcRect, int W, int H,
                       bool Stretch)
{
    ComposeStrip(axY, TopH, BottomH, Dest, Src, SrcRect, H, Stretch);
}

void ComposeHSkinStripEx(int LeftW, int RightW, cl::TBitmap* Dest, cl::TBitmap* Src, const TRect& SrcRect, int W,
                         int H, bool Stretch)
{
    if (!Dest)
        return;
    const TStripSource s = StripSource(axX, SrcRect);
    if (!SizeStrip(axX, Dest, Src, s, W))
        return;
    const int middleLeft = s.From + LeftW;
    TileOrStretch(Stretch, Dest, axX, 0, W, 0, s.Cross1 - s.Cross0, Src, middleLeft, s.To - RightW - middleLeft,
                  s.Cross0, s.Cross1);
}

void StretchSkinImage(cl::TBitmap* Dest, cl::TBitmap* Src, const TRect& SkinRect, const TRect& ClRect)
{
    if (!HasPixels(Dest) || !HasPixels(Src))
        return;
    const int sw = RectWidth(SkinRect);
    const int sh = RectHeight(SkinRect);
    const int dw = Dest->Width();
    const int dh = Dest->Height();
    const int nr = dw - (sw - ClRect.Right);
    const int nb = dh - (sh - ClRect.Bottom);
    const TRect& c = ClRect;
    auto part = [&](const TRect& S, const TRect& D) {
        CopyPart(Dest, D, Src, cl::OffsetRect(S, SkinRect.Left, SkinRect.Top));
    };
    part({0, 0, c.Left, c.Top}, {0, 0, c.Left, c.Top});
    part({c.Left, 0, c.Right, c.Top}, {c.Left, 0, nr, c.Top});
    part({c.Right, 0, sw, c.Top}, {nr, 0, dw, c.Top});
    part({c.Right, c.Top, sw, c.Bottom}, {nr, c.Top, dw, nb});
    part({c.Right, c.Bottom, sw, sh}, {nr, nb, dw, dh});
    part({c.Left, c.Bottom, c.Right, sh}, {c.Left, nb, nr, dh});
    part({0, c.Bottom, c.Left, sh}, {0, nb, c.Left, dh});
    part({0, c.Top, c.Left, c.Bottom}, {0, c.Top, c.Left, nb});
    part(c, {c.Left, c.Top, nr, nb});
}

void DrawGlyphFrame(cl::TCanvas* Canvas, int X, int Y, int Index, int Count, cl::TBitmap* Glyph)
{
    if (!Canvas || !HasPixels(Glyph) || Count < 1 || Index < 1 || Index > Count)
        return;
    const int fw = Glyph->Width() / Count;
    if (fw < 1)
        return;
    const int h = Glyph->Height();
    cl::TBitmap frame;
    frame.SetSize(fw, h);
    CopyPart(&frame, {0, 0, fw, h}, Glyph, {(Index - 1) * fw, 0, Index * fw, h});
    frame.SetTransparent(true);
    Canvas->Draw(X, Y, &frame);
}

void TileArea(cl::TBitmap* Dest, const TRect& DR, cl::TBitmap* Src, const TRect& SR)
{
    const int cw = RectWidth(SR);
    const int ch = RectHeight(SR);
    if (cw <= 0 || ch <= 0 || !Drawable(DR))
        return;
    const int band = std::min(ch, RectHeight(DR));
    Tile(Dest, axX, DR.Left, DR.Right, DR.Top, DR.Top + band, Src, SR.Left, cw, SR.Top, SR.Top + band);
    RepeatFilled(Dest, axY, DR.Top, band, DR.Bottom, DR.Left, DR.Right);
}

}  // namespace sk
