#pragma once
// The small window pictures: the popup-menu frame, the hint frame and the client tile.
#include "Image.h"
#include "Palette.h"

namespace skingen {

Image paintPopupFrame(const SkinParams& p, const Palette& c);
Image paintHintFrame(const SkinParams& p, const Palette& c);
// A faint pattern over the panel colour; it repeats seamlessly when tiled.
Image paintClientTile(const SkinParams& p, const Palette& c);

}  // namespace skingen
