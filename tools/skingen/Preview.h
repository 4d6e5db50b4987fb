#pragma once
// A window put together from a skin's pictures the way the skinned frame does it (corners
// copied, edges tiled, the mask cutting the corners), with its caption buttons and a few
// controls, so that a person can judge the skin and seams in tiled strips show.
#include "Image.h"
#include "SkinBundle.h"

namespace skingen {

// Pixels the mask cuts away take Background.
Image previewWindow(const SkinBundle& skin, int width, int height, Rgb background, bool active = true);

}  // namespace skingen
