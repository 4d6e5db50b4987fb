#pragma once
// The window frame picture (active or drawn inactive) and its mask.
#include "FrameLayout.h"
#include "Image.h"
#include "Palette.h"

namespace skingen {

Image paintFrame(const SkinParams& p, const Palette& c, const FrameLayout& f, bool active);
// Black where the window is, white where the rounded corners cut it away.
Image paintFrameMask(const FrameLayout& f);
// Whether pixel (x, y) of the frame picture belongs to the window.
bool insideFrameShape(const FrameLayout& f, int x, int y);

}  // namespace skingen
