#include "skin/drawing/Glyphs.h"

namespace sk {

namespace {

void Line(cl::TCanvas* Canvas, int X1, int Y1, int X2, int Y2)
{
    Canvas->MoveTo(X1, Y1);
    Canvas->LineTo(X2, Y2);
}

void UsePen(cl::TCanvas* Canvas, cl::TColor Color)
{
    Canvas->Pen()->SetColor(Color);
}

// Outlines only: the boxes show what lies behind them.
void UsePenAndClearBrush(cl::TCanvas* Canvas, cl::TColor Color)
{
    UsePen(Canvas, Color);
    Canvas->Brush()->SetStyle(cl::bsClear);
}

void UsePenAndBrush(cl::TCanvas* Canvas, cl::TColor Color)
{
    UsePen(Canvas, Color);
    Canvas->Brush()->SetColor(Color);
    Canvas->Brush()->SetStyle(cl::bsSolid);
}

}  // namespace

void DrawArrowImage(cl::TCanvas* Canvas, const TRect& R, cl::TColor Color, int Direction)
{
    UsePen(Canvas, Color);
    const int xc = R.Left + RectWidth(R) / 2;
    const int yc = R.Top + RectHeight(R) / 2;
    switch (Direction) {
    case adLeft:
        for (int i = 0; i <= 3; ++i)
            Line(Canvas, xc - 2 + i, yc - i, xc - 2 + i, yc + i + 1);
        break;
    case adRight:
        for (int i = 3; i >= 0; --i)
            Line(Canvas, xc + 2 - i, yc + i, xc + 2 - i, yc - i - 1);
        break;
    case adUp:
        for (int i = 0; i <= 3; ++i)
            Line(Canvas, xc - i, yc - 2 + i, xc + i + 1, yc - 2 + i);
        break;
    case adDown:
        for (int i = 3; i >= 0; --i)
            Line(Canvas, xc - i, yc + 2 - i, xc + i + 1, yc + 2 - i);
        break;
    default:
        break;
    }
}

void DrawRadioMark(cl::TCanvas* Canvas, int X, int Y, cl::TColor Color)
{
    UsePenAndBrush(Canvas, Color);
    Canvas->Rectangle(X, Y, X + 6, Y + 6);
}

void DrawCheckMark(cl::TCanvas* Canvas, int X, int Y, cl::TColor Color)
{
    UsePen(Canvas, Color);
    for (int i = 0; i <= 2; ++i) {
        Canvas->MoveTo(X, Y + 5 - i);
        Canvas->LineTo(X + 2, Y + 7 - i);
        Canvas->LineTo(X + 7, Y + 2 - i);
    }
}

void DrawCrossGlyph(cl::TCanvas* Canvas, int X, int Y, cl::TColor Color)
{
    UsePen(Canvas, Color);
    Line(Canvas, X + 1, Y + 1, X + 9, Y + 9);
    Line(Canvas, X + 9, Y + 1, X + 1, Y + 9);
    Line(Canvas, X + 2, Y + 1, X + 10, Y + 9);
    Line(Canvas, X + 8, Y + 1, X, Y + 9);
}

void DrawCenteredGlyph(cl::TCanvas* Canvas, const TRect& R, cl::TColor Color)
{
    DrawCrossGlyph(Canvas, R.Left + RectWidth(R) / 2 - 5, R.Top + RectHeight(R) / 2 - 5, Color);
}

void DrawRectGlyph(cl::TCanvas* Canvas, int X, int Y, cl::TColor Color)
{
    UsePenAndClearBrush(Canvas, Color);
    Canvas->Rectangle(X + 1, Y + 3, X + 9, Y + 6);
}

void DrawUnderlineGlyph(cl::TCanvas* Canvas, int X, int Y, cl::TColor Color)
{
    UsePen(Canvas, Color);
    Line(Canvas, X + 1, Y + 8, X + 9, Y + 8);
    Line(Canvas, X + 1, Y + 9, X + 9, Y + 9);
}

void DrawMaximizeGlyph(cl::TCanvas* Canvas, int X, int Y, cl::TColor Color)
{
    UsePenAndClearBrush(Canvas, Color);
    Canvas->Rectangle(X, Y, X + 11, Y + 10);
    Canvas->Rectangle(X, Y, X + 11, Y + 2);
}

void DrawRestoreGlyph(cl::TCanvas* Canvas, int X, int Y, cl::TColor Color)
{
    UsePenAndClearBrush(Canvas, Color);
    Canvas->Rectangle(X + 2, Y, X + 10, Y + 6);
    Canvas->Rectangle(X + 2, Y, X + 10, Y + 2);
    Canvas->Rectangle(X, Y + 4, X + 7, Y + 10);
    Canvas->Rectangle(X, Y + 4, X + 7, Y + 6);
}

void DrawDownTriangleGlyph(cl::TCanvas* Canvas, int X, int Y, cl::TColor Color)
{
    UsePen(Canvas, Color);
    for (int i = 0; i <= 4; ++i)
        Line(Canvas, X + 1 + i, Y + 2 + i, X + 9 - i, Y + 2 + i);
}

void DrawUpTriangleGlyph(cl::TCanvas* Canvas, int X, int Y, cl::TColor Color)
{
    UsePen(Canvas, Color);
    for (int i = 0; i <= 4; ++i)
        Line(Canvas, X + 1 + i, Y + 6 - i, X + 9 - i, Y + 6 - i);
}

void DrawSquareGlyph(cl::TCanvas* Canvas, int X, int Y, cl::TColor Color)
{
    UsePenAndBrush(Canvas, Color);
    Canvas->Rectangle(X + 2, Y + 2, X + 7, Y + 7);
}

}  // namespace sk
