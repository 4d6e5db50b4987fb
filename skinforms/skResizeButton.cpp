#include "skinforms/skResizeButton.h"

#include "skin/skComposers.h"
#include "skin/skSkinCtrls.h"
#include "skin/skUtilsGlyphs.h"

namespace sk {

using namespace cl;

bool DrawResizeButtonFace(TCanvas* Canvas, TskSkinData* Data, const TRect& R, bool Hot, bool Pressed, int Arrow)
{
    const int w = RectWidth(R);
    const int h = RectHeight(R);
    const int i = Data && !Data->Empty ? Data->IndexOfControl("resizebutton") : -1;
    auto* d = i >= 0 ? dynamic_cast<TskDataSkinButtonControl*>(Data->CtrlList.Items(i)) : nullptr;
    TBitmap* picture = d ? SkinPicture(Data, d->PictureIndex) : nullptr;
    if (!d || !picture)
        return false;
    if (w < 1 || h < 1)
        return true;
    const TRect active = RectOrFallback(d->ActiveSkinRect, d->SkinRect);
    TRect src = d->SkinRect;
    TColor color = d->FontColor;
    const bool down = Pressed && Hot;
    if (down) {
        src = RectOrFallback(d->DownSkinRect, active);
        color = d->DownFontColor;
    } else if (Hot) {
        src = active;
        color = d->ActiveFontColor;
    }
    const TskAreaPoints area{d->LTPoint, d->RTPoint, d->LBPoint, d->RBPoint, d->ClRect};
    TBitmap b;
    b.SetSize(w, h);
    ComposeSkinImage(area, FitNinePart(area, d->SkinRect, w, h), &b, picture, src, w, h, true);
    TRect arrow = Rect(0, 0, w, h);
    if (down) {
        arrow.Left += 2;
        arrow.Top += 2;
    }
    DrawArrowImage(b.Canvas(), arrow, color, Arrow);
    Canvas->Draw(R.Left, R.Top, &b);
    return true;
}

}  // namespace sk
