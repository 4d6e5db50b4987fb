#pragma once
// The colours one skin uses everywhere, derived from its record so that frame, controls, menus
// and the skin colours agree, and every text colour is checked against its background.
#include "Colour.h"
#include "Shade.h"
#include "SkinParams.h"

namespace skingen {

struct Palette {
    // Window frame, active and inactive.
    Ramp caption, captionInactive;
    Rgb captionText, captionTextInactive;
    // The inactive caption's text on a frame that dims itself, chosen for the dimmed band.
    Rgb captionTextDimmed;
    Rgb frameBody, frameBodyInactive;
    Rgb frameEdge, frameLight, frameShade;
    // Surfaces the controls sit on and the text on them.
    Rgb panel, panelText;
    Ramp header;  // panel and roll-up panel headers, tool bars
    Rgb headerText;
    // Push buttons in their four states.
    Ramp face, faceHot, faceDown, faceDisabled;
    Rgb faceText, faceHotText, faceDownText, faceDisabledText;
    Rgb faceEdge;
    Ramp tabActive;  // the selected tab, which joins the sheet below it
    Rgb tabActiveText;
    // Edits, lists and menus.
    Rgb window, windowText, windowEdge;
    Ramp selected;  // selected list items and menu items
    Rgb selection, selectionText;
    Rgb menu, menuText, menuDisabledText;
    Rgb hint, hintText;
    Rgb accent;
    Rgb light, shade;  // highlight and shadow lines on panels
};

// How deep the shaded surfaces with text on them are: push buttons and panel headers.
inline constexpr int FaceDepth = 25;
inline constexpr int HeaderDepth = 20;
inline constexpr int TabDepth = 22;

Palette makePalette(const SkinParams& p);

}  // namespace skingen
