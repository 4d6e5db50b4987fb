#include "FrameLayout.h"

#include <algorithm>

#include "AtlasLayout.h"

namespace skingen {

FrameLayout frameLayout(const SkinParams& p)
{
    FrameLayout f;
    f.captionHeight = std::clamp(p.captionHeight, 22, 30);
    f.border = std::clamp(p.border, 3, 6);
    f.radius = std::clamp(p.radius, 0, 10);
    f.bottomRadius = std::min(f.radius, 4);
    const int w = atlas::FrameWidth, h = atlas::FrameHeight;
    f.client = {f.border, f.captionHeight, w - f.border, h - f.border};
    // The untiled ends must hold the rounded corners and the caption's start and end.
    const int cornerY = std::max(40, f.captionHeight + 6);
    f.leftTop = {40, cornerY};
    f.rightTop = {160, cornerY};
    f.leftBottom = {40, 100};
    f.rightBottom = {160, 100};
    const int top = (f.captionHeight - atlas::CaptionButtonSize) / 2;
    f.captionRect = {f.border + 3, top, w - f.border - 3, top + atlas::CaptionButtonSize};
    return f;
}

}  // namespace skingen
