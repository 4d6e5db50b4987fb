// Drawing through a canvas into a bitmap's DIB section, checked by pixels.
#include <gtest/gtest.h>

#include "classlib/graphics/Graphics.h"
#include "classlib/graphics/canvas_support.h"

using namespace cl;
using canvas_test::SizedCanvas;

TEST(Canvas, FillFrameAndLinesLandOnTheRightPixels)
{
    TBitmap bmp;
    TCanvas* c = SizedCanvas(bmp, 10, 10);
    c->Brush()->SetColor(clRed);
    c->FillRect(Rect(2, 2, 5, 5));
    EXPECT_EQ(bmp.Pixels(2, 2), clRed);
    EXPECT_EQ(bmp.Pixels(4, 4), clRed);
    EXPECT_EQ(bmp.Pixels(5, 5), clWhite) << "right and bottom edges are outside";

    c->Pen()->SetColor(clBlue);
    c->MoveTo(0, 9);
    c->LineTo(6, 9);
    EXPECT_EQ(bmp.Pixels(5, 9), clBlue);
    EXPECT_EQ(bmp.Pixels(6, 9), clWhite) << "the end point is not drawn";

    TRect r = Rect(6, 0, 10, 4);
    Frame3D(c, r, clLime, clNavy, 1);
    EXPECT_EQ(bmp.Pixels(6, 0), clLime);
    EXPECT_EQ(bmp.Pixels(9, 3), clNavy);
    EXPECT_EQ(bmp.Pixels(7, 1), clWhite);
    EXPECT_EQ(r, Rect(7, 1, 9, 3));
}

TEST(Canvas, ChangingSelectedObjectsKeepsDrawing)
{
    // The font, pen and brush are re-made after each change while selected in the DC.
    TBitmap bmp;
    TCanvas* c = SizedCanvas(bmp, 4, 1);
    for (int i = 0; i < 4; ++i) {
        c->Brush()->SetColor(i % 2 ? clBlack : clYellow);
        c->Font()->SetHeight(-10 - i);
        c->TextExtent("W");
        c->FillRect(Rect(i, 0, i + 1, 1));
    }
    EXPECT_EQ(bmp.Pixels(0, 0), clYellow);
    EXPECT_EQ(bmp.Pixels(3, 0), clBlack);
}

TEST(Canvas, CopyRectStretchesAndDrawLeavesTransparentColourOut)
{
    TBitmap src;
    src.SetSize(2, 2);
    src.SetPixels(0, 0, clRed);
    src.SetPixels(1, 0, clRed);
    src.SetPixels(0, 1, clFuchsia);  // bottom-left: the automatic transparent colour
    src.SetPixels(1, 1, clBlue);

    TBitmap dest;
    dest.SetSize(4, 4);
    dest.Canvas()->CopyRect(Rect(0, 0, 4, 4), src.Canvas(), Rect(0, 0, 2, 2));
    EXPECT_EQ(dest.Pixels(1, 1), clRed);
    EXPECT_EQ(dest.Pixels(3, 3), clBlue);

    TBitmap plain;
    plain.SetSize(2, 2);
    src.SetTransparent(true);
    plain.Canvas()->Draw(0, 0, &src);
    EXPECT_EQ(plain.Pixels(0, 0), clRed);
    EXPECT_EQ(plain.Pixels(0, 1), clWhite) << "transparent pixel left out";
    EXPECT_EQ(plain.Pixels(1, 1), clBlue);

    TBitmap stretched;
    stretched.SetSize(4, 4);
    stretched.Canvas()->StretchDraw(Rect(0, 0, 4, 4), &src);
    EXPECT_EQ(stretched.Pixels(0, 3), clWhite);
    EXPECT_EQ(stretched.Pixels(3, 3), clBlue);
}

TEST(Canvas, ResizingABitmapKeepsItsCanvasUsable)
{
    TBitmap bmp;
    bmp.SetSize(2, 2);
    bmp.Canvas()->Brush()->SetColor(clGreen);
    bmp.SetSize(3, 3);
    bmp.Canvas()->Brush()->SetColor(clGreen);
    bmp.Canvas()->FillRect(Rect(0, 0, 3, 3));
    EXPECT_EQ(bmp.Pixels(2, 2), clGreen);
}

TEST(Canvas, StateChangedThroughTheHandleIsNotTrustedLater)
{
    TBitmap bmp;
    TCanvas* c = SizedCanvas(bmp, 10, 10);
    c->Brush()->SetColor(clYellow);
    c->TextRect(Rect(0, 0, 5, 5), 0, 0, "");
    SetBkColor(c->Handle(), RGB(255, 0, 0));
    c->TextRect(Rect(5, 5, 10, 10), 5, 5, "");
    EXPECT_EQ(bmp.Pixels(7, 7), clYellow);
}
