#include "skinforms/controls/ResizeButton.h"

#include "skin/drawing/Composers.h"
#include "skin/bases/SkinCtrls.h"
#include "skin/drawing/Glyphs.h"

namespace sk {

using namespace cl;

namespace {

// The face for the state composed to W by H into B, and the caption colour of that state.
bool ComposeResizeButton(TskSkinData* Data, int W, int H, bool Hot, bool Pressed, TBitmap& B, TColor& Color)
{
    const int i = Data && !Data->Empty ? Data->IndexOfControl("resizebutton") : -1;
    auto* d = i >= 0 ? dynamic_cast<TskDataSkinButtonControl*>(Data->CtrlList.Items(i)) : nullptr;
    TBitmap* picture = d ? SkinPicture(Data, d->PictureIndex) : nullptr;
    if (!d || !picture)
        return false;
    const TRect active = RectOrFallback(d->ActiveSkinRect, d->SkinRect);
    TRect src = d->SkinRect;
    Color = d->FontColor;
    if (Pressed && Hot) {
        src = RectOrFallback(d->DownSkinRect, active);
        Color = d->DownFontColor;
    } else if (Hot) {
        src = active;
        Color = d->ActiveFontColor;
    }
    if (W < 1 || H < 1)
        return true;
    const TskAreaPoints area{d->LTPoint, d->RTPoint, d->LBPoint, d->RBPoint, d->ClRect};
    B.SetSize(W, H);
    ComposeSkinImage(area, FitNinePart(area, d->SkinRect, W, H), &B, picture, src, W, H, true);
    return true;
}

}  // namespace

bool DrawResizeButtonFace(TCanvas* Canvas, TskSkinData* Data, const TRect& R, bool Hot, bool Pressed, int Arrow)
{
    TBitmap b;
    TColor color = 0;
    if (!ComposeResizeButton(Data, RectWidth(R), RectHeight(R), Hot, Pressed, b, color))
        return false;
    if (b.Empty())
        return true;
    TRect arrow = Rect(0, 0, b.Width(), b.Height());
    if (Pressed && Hot) {
        arrow.Left += 2;
        arrow.Top += 2;
    }
    DrawArrowImage(b.Canvas(), arrow, color, Arrow);
    Canvas->Draw(R.Left, R.Top, &b);
    return true;
}

bool DrawResizeButtonPlate(TCanvas* Canvas, TskSkinData* Data, const TRect& R, bool Hot, bool Pressed,
                           TColor& FontColor)
{
    TBitmap b;
    if (!ComposeResizeButton(Data, RectWidth(R), RectHeight(R), Hot, Pressed, b, FontColor))
        return false;
    if (!b.Empty())
        Canvas->Draw(R.Left, R.Top, &b);
    return true;
}

}  // namespace sk
