// The effect bitmap as a DIB section: read from a bitmap handle, drawn back to a device.
#include <gtest/gtest.h>

#include "classlib/graphics/Bitmap.h"
#include "classlib/graphics/Canvas.h"
#include "classlib/graphics/Error.h"
#include "skin/drawing/Effects.h"

TEST(EffectBmpDib, ReadsAHandleAndDrawsBackTopDown)
{
    cl::TBitmap source;
    source.SetSize(5, 3);
    source.SetPixels(0, 0, cl::clRed);
    source.SetPixels(4, 2, cl::clBlue);
    source.SetPixels(2, 1, 0x123456);
    auto bmp = sk::TskEffectBmp::CreateFromHandle(source.Handle());
    ASSERT_EQ(bmp->Width(), 5);
    ASSERT_EQ(bmp->Height(), 3);
    ASSERT_NE(bmp->Handle(), nullptr);
    EXPECT_EQ(bmp->Info().bmiHeader.biHeight, -3);
    // Row 0 is the top row; memory order blue, green, red.
    EXPECT_EQ(bmp->GetPixel(0, 0), 0xFF0000);
    EXPECT_EQ(bmp->GetPixel(4, 2), 0x0000FF);
    EXPECT_EQ(bmp->GetPixel(2, 1), 0x563412);
    EXPECT_EQ(bmp->GetPixel(1, 1), 0xFFFFFF);

    bmp->Invert();
    cl::TBitmap dest;
    dest.SetSize(8, 6);
    bmp->Draw(dest.Canvas()->Handle(), 2, 1);
    GdiFlush();
    EXPECT_EQ(dest.Pixels(2, 1), 0xFFFF00);       // inverted red
    EXPECT_EQ(dest.Pixels(6, 3), 0x00FFFF);       // inverted blue
    EXPECT_EQ(dest.Pixels(4, 2), 0xEDCBA9 ^ 0);   // inverted 0x123456
    EXPECT_EQ(dest.Pixels(3, 2), cl::clBlack);    // inverted white
    EXPECT_EQ(dest.Pixels(1, 1), cl::clWhite);    // outside the drawn bitmap
    EXPECT_EQ(dest.Pixels(7, 4), cl::clWhite);
}

TEST(EffectBmpDib, BadHandlesAndEmptyBitmaps)
{
    EXPECT_THROW(sk::TskEffectBmp::CreateFromHandle(nullptr), cl::EInvalidGraphic);
    EXPECT_THROW(sk::TskEffectBmp::CreateFromHandle(reinterpret_cast<HBITMAP>(GetStockObject(BLACK_PEN))),
                 cl::EInvalidGraphic);
    sk::TskEffectBmp empty(0, 10);
    EXPECT_EQ(empty.Handle(), nullptr);
    cl::TBitmap dest;
    dest.SetSize(2, 2);
    empty.Draw(dest.Canvas()->Handle(), 0, 0);
    EXPECT_EQ(dest.Pixels(0, 0), cl::clWhite);
}
