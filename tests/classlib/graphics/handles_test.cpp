// Fonts, pens and brushes own the GDI objects made from their attributes: a change gives the old
// one back, freeing gives back the last, and the system's clear brush is used, never deleted.
#include <gtest/gtest.h>

#include "classlib/graphics/Graphics.h"
#include "classlib/graphics/canvas_support.h"
#include "support/LiveHandles.h"

using namespace cl;
using canvas_test::SizedCanvas;

TEST(GraphicsObjectHandles, EveryObjectMadeForAChangeGoesBackByTheTimeItsOwnerIsFreed)
{
    const auto before = test_support::CountLiveHandles();
    {
        TBitmap bmp;
        TCanvas* c = SizedCanvas(bmp, 40, 20);
        for (int i = 0; i < 24; ++i) {
            c->Font()->SetHeight(-10 - i % 5);
            c->Pen()->SetWidth(1 + i % 3);
            c->Pen()->SetColor(i % 2 ? clNavy : clMaroon);
            c->Brush()->SetColor(i % 2 ? clRed : clBlue);
            c->Brush()->SetStyle(static_cast<TBrushStyle>(i % 8));
            c->Rectangle(0, 0, 40, 20);
            c->TextOut(2, 2, "x");
        }
        // Objects that never go into a canvas.
        TFont font;
        font.Handle();
        TPen pen;
        pen.Handle();
        TBrush brush;
        brush.SetStyle(bsCross);
        brush.Handle();
        brush.SetStyle(bsClear);
        brush.Handle();
    }
    const auto leaked = test_support::CountLiveHandles() - before;
    EXPECT_EQ(leaked.Gdi, 0) << leaked;
}

TEST(GraphicsObjectHandles, AClearBrushFillsNothingAndASolidOneAgainFills)
{
    TBitmap bmp;
    TCanvas* c = SizedCanvas(bmp, 10, 10);
    c->Brush()->SetColor(clYellow);
    c->FillRect(Rect(0, 0, 10, 10));
    c->Brush()->SetStyle(bsClear);
    EXPECT_EQ(c->Brush()->Handle(), GetStockObject(NULL_BRUSH));
    c->FillRect(Rect(0, 0, 10, 10));
    EXPECT_EQ(bmp.Pixels(5, 5), clYellow);
    c->Brush()->SetColor(clGreen);
    EXPECT_EQ(c->Brush()->Style(), bsSolid);
    c->FillRect(Rect(0, 0, 10, 10));
    EXPECT_EQ(bmp.Pixels(5, 5), clGreen);
}
