// A font, pen or brush assigned from another of its kind takes every attribute as one change,
// and a canvas that holds it draws with the new one; anything else is refused unchanged.
#include <gtest/gtest.h>

#include "classlib/graphics/Graphics.h"
#include "classlib/system/SysUtils.h"
#include "classlib/graphics/canvas_support.h"

using namespace cl;
using canvas_test::SizedCanvas;

TEST(GraphicsObjectAssign, EachKindTakesEveryAttributeAsOneChangeAndNothingFromItselfOrAnotherKind)
{
    TFont sourceFont;
    sourceFont.SetName("Tahoma");
    sourceFont.SetHeight(-17);
    sourceFont.SetStyle(TFontStyles{fsBold, fsUnderline});
    sourceFont.SetColor(clRed);
    sourceFont.SetCharset(0);
    sourceFont.SetPitch(fpFixed);
    sourceFont.SetOrientation(900);
    TFont font;
    int fontChanges = 0;
    font.OnChange = [&](TObject*) { ++fontChanges; };
    font.Assign(&sourceFont);
    EXPECT_EQ(fontChanges, 1);
    EXPECT_EQ(font.Name(), "Tahoma");
    EXPECT_EQ(font.Height(), -17);
    EXPECT_EQ(font.Style(), (TFontStyles{fsBold, fsUnderline}));
    EXPECT_EQ(font.Color(), clRed);
    EXPECT_EQ(font.Charset(), 0);
    EXPECT_EQ(font.Pitch(), fpFixed);
    EXPECT_EQ(font.Orientation(), 900);
    font.Assign(&font);
    EXPECT_EQ(fontChanges, 1);

    TPen sourcePen;
    sourcePen.SetColor(clNavy);
    sourcePen.SetWidth(3);
    sourcePen.SetStyle(psDot);
    sourcePen.SetMode(pmXor);
    TPen pen;
    int penChanges = 0;
    pen.OnChange = [&](TObject*) { ++penChanges; };
    pen.Assign(&sourcePen);
    EXPECT_EQ(penChanges, 1);
    EXPECT_EQ(pen.Color(), clNavy);
    EXPECT_EQ(pen.Width(), 3);
    EXPECT_EQ(pen.Style(), psDot);
    EXPECT_EQ(pen.Mode(), pmXor);

    TBrush sourceBrush;
    sourceBrush.SetColor(clGreen);
    sourceBrush.SetStyle(bsCross);
    TBrush brush;
    int brushChanges = 0;
    brush.OnChange = [&](TObject*) { ++brushChanges; };
    brush.Assign(&sourceBrush);
    EXPECT_EQ(brushChanges, 1);
    EXPECT_EQ(brush.Color(), clGreen);
    EXPECT_EQ(brush.Style(), bsCross);

    // Another kind is refused and leaves the object as it was.
    EXPECT_THROW(pen.Assign(&brush), EConvertError);
    EXPECT_THROW(font.Assign(&pen), EConvertError);
    EXPECT_EQ(penChanges, 1);
    EXPECT_EQ(fontChanges, 1);
    EXPECT_EQ(pen.Color(), clNavy);
}

TEST(GraphicsObjectAssign, ACanvasDrawsWithThePenAndBrushAssignedToItsOwn)
{
    TBitmap bmp;
    TCanvas* c = SizedCanvas(bmp, 20, 10);
    c->Pen()->SetColor(clRed);
    c->Brush()->SetColor(clYellow);
    c->Rectangle(0, 0, 20, 10);
    EXPECT_EQ(bmp.Pixels(0, 5), clRed);
    EXPECT_EQ(bmp.Pixels(10, 5), clYellow);

    TPen pen;
    pen.SetColor(clBlue);
    TBrush brush;
    brush.SetColor(clLime);
    c->Pen()->Assign(&pen);
    c->Brush()->Assign(&brush);
    c->Rectangle(0, 0, 20, 10);
    EXPECT_EQ(bmp.Pixels(0, 5), clBlue);
    EXPECT_EQ(bmp.Pixels(10, 5), clLime);
}

TEST(GraphicsObjectAssign, AFontColourIsToldToListenersButKeepsTheFontObject)
{
    TFont font;
    int changes = 0;
    font.OnChange = [&](TObject*) { ++changes; };
    const HFONT before = font.Handle();
    font.SetColor(clMaroon);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(font.Handle(), before);
}
