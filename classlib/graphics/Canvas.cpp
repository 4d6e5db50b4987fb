#include "classlib/graphics/Canvas.h"

#include "classlib/graphics/Bitmap.h"
#include "classlib/system/CoreConsts.h"
#include "classlib/graphics/Error.h"

namespace cl {

namespace {

// The platform's rectangle for ours: the same four edges.
RECT AsRECT(const TRect& R) { return {R.Left, R.Top, R.Right, R.Bottom}; }

}  // namespace

TCanvas::TCanvas()
{
    font_.canvasRelease_ = [this] { ObjectChanged(rsFont); };
    pen_.canvasRelease_ = [this] { ObjectChanged(rsPen); };
    brush_.canvasRelease_ = [this] { ObjectChanged(rsBrush); };
}

TCanvas::~TCanvas()
{
    SetHandle(nullptr);
    font_.canvasRelease_ = nullptr;
    pen_.canvasRelease_ = nullptr;
    brush_.canvasRelease_ = nullptr;
}

HDC TCanvas::Handle()
{
    HDC dc = DrawingDc();
    // Whoever takes the DC may change its modes and colours behind the canvas's back.
    rop_ = bkMode_ = -1;
    bkColor_ = textColor_ = CLR_INVALID;
    return dc;
}

HDC TCanvas::DrawingDc()
{
    if (!dc_)
        CreateHandle();
    if (!dc_)
        throw EInvalidGraphicOperation(consts::SNoCanvasHandle);
    return dc_;
}

void TCanvas::SetHandle(HDC Value)
{
    if (Value == dc_)
        return;
    if (dc_)
        DeselectHandles();
    dc_ = Value;
    // A new DC: nothing is known about its state.
    rop_ = bkMode_ = -1;
    bkColor_ = textColor_ = CLR_INVALID;
    if (dc_)
        penPos_ = {};
}

void TCanvas::DeselectHandles()
{
    if (!dc_)
        return;
    if (selected_ & rsFont)
        SelectObject(dc_, originalFont_);
    if (selected_ & rsPen)
        SelectObject(dc_, originalPen_);
    if (selected_ & rsBrush)
        SelectObject(dc_, originalBrush_);
    selected_ = 0;
}

void TCanvas::ObjectChanged(int Which)
{
    // The object is about to delete its GDI handle: it must not be selected any more.
    if (!dc_ || !(selected_ & Which))
        return;
    switch (Which) {
    case rsFont: SelectObject(dc_, originalFont_); break;
    case rsPen: SelectObject(dc_, originalPen_); break;
    case rsBrush: SelectObject(dc_, originalBrush_); break;
    }
    selected_ &= ~Which;
}

void TCanvas::Require(int What)
{
    HDC dc = DrawingDc();
    if ((What & rsFont) && !(selected_ & rsFont)) {
        originalFont_ = SelectObject(dc, font_.Handle());
        selected_ |= rsFont;
    }
    if ((What & rsPen) && !(selected_ & rsPen)) {
        originalPen_ = SelectObject(dc, pen_.Handle());
        selected_ |= rsPen;
    }
    if ((What & rsBrush) && !(selected_ & rsBrush)) {
        originalBrush_ = SelectObject(dc, brush_.Handle());
        selected_ |= rsBrush;
    }
    // Only what differs from the DC's present state is set again.
    if (What & rsPen) {
        static constexpr int modes[] = {R2_COPYPEN, R2_NOT, R2_XORPEN, R2_MERGEPEN, R2_MASKPEN, R2_NOTXORPEN};
        const int rop = modes[pen_.Mode()];
        if (rop != rop_) {
            SetROP2(dc, rop);
            rop_ = rop;
        }
    }
    if (What & (rsFont | rsBrush)) {
        const int bkMode = brush_.Style() == bsClear ? TRANSPARENT : OPAQUE;
        if (bkMode != bkMode_) {
            SetBkMode(dc, bkMode);
            bkMode_ = bkMode;
        }
        if (bkMode == OPAQUE) {
            const COLORREF bk = static_cast<COLORREF>(ColorToRGB(brush_.Color()));
            if (bk != bkColor_) {
                SetBkColor(dc, bk);
                bkColor_ = bk;
            }
        }
    }
    if (What & rsFont) {
        const COLORREF text = static_cast<COLORREF>(ColorToRGB(font_.Color()));
        if (text != textColor_) {
            SetTextColor(dc, text);
            textColor_ = text;
        }
    }
}

void TCanvas::Changing()
{
    if (OnChanging)
        OnChanging(this);
}

void TCanvas::Changed()
{
    if (OnChange)
        OnChange(this);
}

TRect TCanvas::ClipRect()
{
    RECT r{};
    GetClipBox(DrawingDc(), &r);
    return {r.left, r.top, r.right, r.bottom};
}

void TCanvas::MoveTo(int X, int Y)
{
    Require(0);
    MoveToEx(dc_, X, Y, nullptr);
    penPos_ = {X, Y};
}

void TCanvas::LineTo(int X, int Y)
{
    Changing();
    Require(rsPen | rsBrush);
    ::LineTo(dc_, X, Y);
    penPos_ = {X, Y};
    Changed();
}

void TCanvas::Polyline(const std::vector<TPoint>& Points)
{
    if (Points.empty())
        return;
    Changing();
    Require(rsPen | rsBrush);
    std::vector<POINT> pts(Points.size());
    for (std::size_t i = 0; i < Points.size(); ++i)
        pts[i] = {Points[i].X, Points[i].Y};
    ::Polyline(dc_, pts.data(), static_cast<int>(pts.size()));
    Changed();
}

void TCanvas::Polygon(const std::vector<TPoint>& Points)
{
    if (Points.empty())
        return;
    Changing();
    Require(rsPen | rsBrush);
    std::vector<POINT> pts(Points.size());
    for (std::size_t i = 0; i < Points.size(); ++i)
        pts[i] = {Points[i].X, Points[i].Y};
    ::Polygon(dc_, pts.data(), static_cast<int>(pts.size()));
    Changed();
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2)
{
    Changing();
    Require(rsPen | rsBrush);
    ::Rectangle(dc_, X1, Y1, X2, Y2);
    Changed();
}

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3)
{
    Changing();
    Require(rsPen | rsBrush);
    ::RoundRect(dc_, X1, Y1, X2, Y2, X3, Y3);
    Changed();
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2)
{
    Changing();
    Require(rsPen | rsBrush);
    ::Ellipse(dc_, X1, Y1, X2, Y2);
    Changed();
}

void TCanvas::FillRect(const TRect& Rect)
{
    Changing();
    Require(rsBrush);
    const RECT r = AsRECT(Rect);
    ::FillRect(dc_, &r, brush_.Handle());
    Changed();
}

void TCanvas::FrameRect(const TRect& Rect)
{
    Changing();
    Require(rsBrush);
    const RECT r = AsRECT(Rect);
    ::FrameRect(dc_, &r, brush_.Handle());
    Changed();
}

void TCanvas::DrawFocusRect(const TRect& Rect)
{
    Changing();
    Require(rsBrush);
    const RECT r = AsRECT(Rect);
    ::DrawFocusRect(dc_, &r);
    Changed();
}

TColor TCanvas::Pixels(int X, int Y)
{
    const COLORREF c = GetPixel(DrawingDc(), X, Y);
    return c == CLR_INVALID ? -1 : static_cast<TColor>(c);
}

void TCanvas::SetPixels(int X, int Y, TColor Value)
{
    Changing();
    SetPixel(DrawingDc(), X, Y, static_cast<COLORREF>(ColorToRGB(Value)));
    Changed();
}

void TCanvas::TextOut(int X, int Y, const AnsiString& Text)
{
    Changing();
    Require(rsFont | rsBrush);
    ExtTextOutA(dc_, X, Y, 0, nullptr, Text.data(), static_cast<UINT>(Text.size()), nullptr);
    penPos_ = {X + TextWidth(Text), Y};
    Changed();
}

void TCanvas::TextRect(const TRect& Rect, int X, int Y, const AnsiString& Text)
{
    Changing();
    Require(rsFont | rsBrush);
    const RECT r = AsRECT(Rect);
    UINT options = ETO_CLIPPED;
    if (brush_.Style() != bsClear)
        options |= ETO_OPAQUE;
    ExtTextOutA(dc_, X, Y, options, &r, Text.data(), static_cast<UINT>(Text.size()), nullptr);
    Changed();
}

TSize TCanvas::TextExtent(const AnsiString& Text)
{
    Require(rsFont);
    SIZE size{};
    GetTextExtentPoint32A(dc_, Text.data(), static_cast<int>(Text.size()), &size);
    return {size.cx, size.cy};
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Source, const TRect& SourceRect)
{
    if (!Source)
        return;
    Changing();
    Require(rsBrush);
    HDC src = Source->DrawingDc();
    if (Dest.Width() == SourceRect.Width() && Dest.Height() == SourceRect.Height()) {
        BitBlt(dc_, Dest.Left, Dest.Top, Dest.Width(), Dest.Height(), src, SourceRect.Left, SourceRect.Top, copyMode_);
    } else {
        const int oldMode = SetStretchBltMode(dc_, COLORONCOLOR);
        StretchBlt(dc_, Dest.Left, Dest.Top, Dest.Width(), Dest.Height(), src, SourceRect.Left, SourceRect.Top,
                   SourceRect.Width(), SourceRect.Height(), copyMode_);
        SetStretchBltMode(dc_, oldMode);
    }
    Changed();
}

void TCanvas::Draw(int X, int Y, TGraphic* Graphic)
{
    if (!Graphic || Graphic->Empty())
        return;
    StretchDraw(Bounds(X, Y, Graphic->Width(), Graphic->Height()), Graphic);
}

void TCanvas::StretchDraw(const TRect& Rect, TGraphic* Graphic)
{
    if (!Graphic || Graphic->Empty())
        return;
    Changing();
    Require(0);
    Graphic->Draw(this, Rect);
    Changed();
}

void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width)
{
    Canvas->Pen()->SetWidth(1);
    --Rect.Bottom;
    --Rect.Right;
    while (Width-- > 0) {
        const TPoint topRight{Rect.Right, Rect.Top};
        TPoint bottomLeft{Rect.Left, Rect.Bottom};
        Canvas->Pen()->SetColor(TopColor);
        Canvas->Polyline({bottomLeft, Rect.TopLeft(), topRight});
        Canvas->Pen()->SetColor(BottomColor);
        --bottomLeft.X;
        Canvas->Polyline({topRight, Rect.BottomRight(), bottomLeft});
        Rect = InflateRect(Rect, -1, -1);
    }
    ++Rect.Bottom;
    ++Rect.Right;
}

// ---------------------------------------------------------------------------------------------

TMemoryCanvas::TMemoryCanvas(HBITMAP Bitmap)
{
    memoryDc_ = CreateCompatibleDC(nullptr);
    if (!memoryDc_)
        throw EOutOfResources(consts::SOutOfResources);
    if (Bitmap)
        originalBitmap_ = SelectObject(memoryDc_, Bitmap);
    SetHandle(memoryDc_);
}

TMemoryCanvas::~TMemoryCanvas()
{
    SetHandle(nullptr);
    if (originalBitmap_)
        SelectObject(memoryDc_, originalBitmap_);
    DeleteDC(memoryDc_);
}

}  // namespace cl
