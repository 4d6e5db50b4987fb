#include "AtlasArt.h"

#include <algorithm>

#include "AtlasLayout.h"

namespace skingen {

FaceStyle AtlasContext::face(State s) const
{
    FaceStyle style;
    style.fill = p.fill;
    style.bevel = p.bevel;
    style.radius = radius;
    style.edge = c.faceEdge;
    switch (s) {
    case State::Normal: style.ramp = c.face; break;
    case State::Hot: style.ramp = c.faceHot; break;
    case State::Down:
        style.ramp = c.faceDown;
        // A pressed face sinks in, whatever the raised look of the others.
        if (style.bevel == BevelKind::Raised) style.bevel = BevelKind::Sunken;
        break;
    case State::Disabled:
        style.ramp = c.faceDisabled;
        style.edge = mix(c.faceEdge, c.panel, 0.5);
        if (style.bevel == BevelKind::Glow) style.bevel = BevelKind::None;
        break;
    }
    if (s == State::Hot && p.bevel == BevelKind::Glow) style.edge = c.accent;
    style.light = lighten(style.ramp.top, 0.6);
    style.shade = darken(style.ramp.bottom, 0.3);
    return style;
}

Rgb AtlasContext::faceText(State s) const
{
    switch (s) {
    case State::Normal: return c.faceText;
    case State::Hot: return c.faceHotText;
    case State::Down: return c.faceDownText;
    case State::Disabled: return c.faceDisabledText;
    }
    return c.faceText;
}

Image paintAtlas(const SkinParams& p, const Palette& c, const FrameLayout& f, const Image& frame,
                 const Image& inactiveFrame)
{
    // Unused cells keep the panel colour, so nothing in the atlas reads as transparent by chance.
    Image atlas(atlas::Width, atlas::Height, avoidKey(c.panel));
    AtlasContext a{p, c, f, frame, inactiveFrame, atlas, std::min(3, (p.radius + 1) / 3)};
    paintPushButtons(a);
    paintTabs(a);
    paintCaptionButtons(a);
    paintScrollBars(a);
    paintTrackBars(a);
    paintEditsAndCombos(a);
    paintPanels(a);
    paintListsAndMenus(a);
    paintMarks(a);
    return atlas;
}

}  // namespace skingen
