#include "radio/forms/ProductPicture.h"

#include "classlib/graphics/Canvas.h"
#include "radio/forms/DialogTexts.h"

using namespace cl;

void PaintProductPicture(TBitmap* Bitmap, int Width, int Height)
{
    Bitmap->SetSize(Width, Height);
    TCanvas* canvas = Bitmap->Canvas();
    // A vertical ramp from dark to light green, in bands so that it needs no gradient call.
    constexpr int Bands = 32;
    for (int i = 0; i < Bands; ++i) {
        const int g = 60 + i * 140 / Bands;
        canvas->Brush()->SetColor(RGB(20, g, 40 + i * 2));
        canvas->FillRect(TRect(0, Height * i / Bands, Width, Height * (i + 1) / Bands));
    }
    canvas->Brush()->SetStyle(cl::bsClear);
    canvas->Font()->SetName("Tahoma");
    canvas->Font()->SetColor(clWhite);
    canvas->Font()->SetHeight(-28);
    canvas->TextOut(24, Height / 2 - 40, radio_texts::SProductName);
    canvas->Font()->SetHeight(-14);
    canvas->TextOut(26, Height / 2 + 4, radio_texts::SProductLine);
}
