#include "skin/drawing/Utils.h"

namespace sk {

TRect CenterRect(const TRect& R, const TRect& Bounds)
{
    const int dx = (RectWidth(Bounds) - RectWidth(R)) / 2;
    const int dy = (RectHeight(Bounds) - RectHeight(R)) / 2;
    return cl::Bounds(Bounds.Left + dx, Bounds.Top + dy, RectWidth(R), RectHeight(R));
}

TskResizeMode GetResizeMode(const TRect& SkinRect, const TPoint& RTPoint, const TPoint& LBPoint, const TPoint& RBPoint)
{
    if (IsNullRect(SkinRect))
        return rmNone;
    if (RBPoint.X != 0 && RBPoint.Y != 0)
        return rmNinePart;
    if (RTPoint.X != 0 || RTPoint.Y != 0)
        return rmHorzStrip;
    if (LBPoint.X != 0 || LBPoint.Y != 0)
        return rmVertStrip;
    return rmFixed;
}

TskAreaPoints FitNinePart(const TskAreaPoints& Area, const TRect& SkinRect, int W, int H)
{
    const int dW = W - RectWidth(SkinRect);
    const int dH = H - RectHeight(SkinRect);
    TskAreaPoints fitted = Area;
    fitted.RTPoint.X += dW;
    fitted.LBPoint.Y += dH;
    fitted.RBPoint.X += dW;
    fitted.RBPoint.Y += dH;
    fitted.ClRect.Right += dW;
    fitted.ClRect.Bottom += dH;
    return fitted;
}

}  // namespace sk
