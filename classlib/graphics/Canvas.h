#pragma once
// A canvas: drawing with a font, a pen and a brush on any device context. The canvas selects
// its objects into the DC as drawing needs them and puts the DC's own objects back when it lets
// go of it, so a borrowed DC leaves as it came.
#include <string>
#include <vector>

#include "classlib/classes/Classes.h"
#include "classlib/graphics/Color.h"
#include "classlib/graphics/Objects.h"
#include "classlib/system/Types.h"

#include <windows.h>

namespace cl {

class TGraphic;

using TCopyMode = DWORD;
constexpr TCopyMode cmSrcCopy = SRCCOPY;

class TCanvas : public TPersistent {
public:
    TCanvas();
    ~TCanvas() override;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // The DC; a canvas without one asks CreateHandle and raises EInvalidGraphicOperation
    // ("Canvas does not allow drawing") when it still has none.
    HDC Handle();
    bool HandleAllocated() const { return dc_ != nullptr; }
    // Draws on a DC someone else owns (nullptr lets go of the current one).
    void SetHandle(HDC Value);

    TFont* Font() { return &font_; }
    TPen* Pen() { return &pen_; }
    TBrush* Brush() { return &brush_; }
    TCopyMode CopyMode() const { return copyMode_; }
    void SetCopyMode(TCopyMode Value) { copyMode_ = Value; }
    TPoint PenPos() const { return penPos_; }
    void SetPenPos(TPoint Value) { MoveTo(Value.X, Value.Y); }
    // The DC's clipping box.
    TRect ClipRect();

    void MoveTo(int X, int Y);
    // The end point itself is not drawn.
    void LineTo(int X, int Y);
    void Polyline(const std::vector<TPoint>& Points);
    void Polygon(const std::vector<TPoint>& Points);
    void Rectangle(int X1, int Y1, int X2, int Y2);
    void Rectangle(const TRect& Rect) { Rectangle(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom); }
    void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3);
    void Ellipse(int X1, int Y1, int X2, int Y2);
    // With the brush, no outline.
    void FillRect(const TRect& Rect);
    // A one-pixel frame in the brush's colour.
    void FrameRect(const TRect& Rect);
    // The platform's dotted focus frame (drawn by inverting: drawing twice removes it).
    void DrawFocusRect(const TRect& Rect);

    TColor Pixels(int X, int Y);
    void SetPixels(int X, int Y, TColor Value);

    // Text in the font; the background is filled with the brush unless the brush is clear.
    void TextOut(int X, int Y, const AnsiString& Text);
    // Text at (X, Y), clipped to Rect.
    void TextRect(const TRect& Rect, int X, int Y, const AnsiString& Text);
    TSize TextExtent(const AnsiString& Text);
    int TextWidth(const AnsiString& Text) { return TextExtent(Text).cx; }
    int TextHeight(const AnsiString& Text) { return TextExtent(Text).cy; }

    // Copies Source's SourceRect into Dest with CopyMode, stretched when the sizes differ.
    void CopyRect(const TRect& Dest, TCanvas* Source, const TRect& SourceRect);
    // The picture at its own size; a transparent bitmap leaves its transparent colour out.
    void Draw(int X, int Y, TGraphic* Graphic);
    void StretchDraw(const TRect& Rect, TGraphic* Graphic);

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    // Gives a canvas that makes its own DC the chance to make it.
    virtual void CreateHandle() {}
    // Puts the DC's own objects back; the caller then releases the DC.
    void DeselectHandles();
    // Before and after each drawing call, for those who cache what was drawn.
    void Changing();
    void Changed();

private:
    enum TRequired { rsFont = 1, rsPen = 2, rsBrush = 4 };
    HDC DrawingDc();
    void Require(int What);
    void ObjectChanged(int Which);

    HDC dc_ = nullptr;
    TFont font_;
    TPen pen_;
    TBrush brush_;
    int selected_ = 0;
    HGDIOBJ originalFont_ = nullptr;
    HGDIOBJ originalPen_ = nullptr;
    HGDIOBJ originalBrush_ = nullptr;
    TPoint penPos_;
    TCopyMode copyMode_ = cmSrcCopy;
    int rop_ = -1;
    int bkMode_ = -1;
    COLORREF bkColor_ = CLR_INVALID;
    COLORREF textColor_ = CLR_INVALID;
};

// Draws a raised or sunken frame Width pixels wide: top and left lines in TopColor, bottom
// and right in BottomColor; Rect comes back reduced to what lies inside the frame.
void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width);

// A canvas owning a memory DC that holds one bitmap (what TBitmap::Canvas gives).
class TMemoryCanvas : public TCanvas {
public:
    explicit TMemoryCanvas(HBITMAP Bitmap);
    ~TMemoryCanvas() override;

private:
    HDC memoryDc_ = nullptr;
    HGDIOBJ originalBitmap_ = nullptr;
};

}  // namespace cl
