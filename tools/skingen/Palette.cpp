#include "Palette.h"

#include <algorithm>

namespace skingen {

namespace {

// Texts are held a little above the 4.5:1 floor so that rounding in the renderer cannot
// drop them below it.
constexpr double TextContrast = 4.6;

Ramp rampAround(Rgb c, double up, double down) { return {lighten(c, up), darken(c, down)}; }

// The text colour for a shaded surface N pixels deep. The preferred colour is kept when the
// surface needs only a little deepening (or lightening) for it; otherwise the nearest readable
// colour is taken, and when even that fails the surface moves away from the text until it
// stands out.
Rgb textOnSurface(Ramp& surface, FillKind fill, int n, Rgb preferred)
{
    auto passes = [&](Rgb text, const Ramp& s) {
        const Ramp ends = shadeExtremes(s, fill, n);
        return contrastRatio(text, ends.top) >= TextContrast && contrastRatio(text, ends.bottom) >= TextContrast;
    };
    const bool lightText = relativeLuminance(preferred) > 0.4;
    Ramp adjusted = surface;
    for (int step = 0; step <= 6; ++step) {
        if (passes(preferred, adjusted)) {
            surface = adjusted;
            return preferred;
        }
        adjusted = lightText ? Ramp{darken(adjusted.top, 0.06), darken(adjusted.bottom, 0.06)}
                             : Ramp{lighten(adjusted.top, 0.06), lighten(adjusted.bottom, 0.06)};
    }
    for (int attempt = 0;; ++attempt) {
        const Ramp ends = shadeExtremes(surface, fill, n);
        const Rgb text = readableOn(preferred, ends.top, ends.bottom, TextContrast);
        if (passes(text, surface) || attempt == 20) return text;
        if (relativeLuminance(text) > 0.4)
            surface = {darken(surface.top, 0.08), darken(surface.bottom, 0.08)};
        else
            surface = {lighten(surface.top, 0.08), lighten(surface.bottom, 0.08)};
    }
}

}  // namespace

Palette makePalette(const SkinParams& p)
{
    Palette c;
    const double s = p.saturation, as = p.accentSaturation;
    const Rgb white{255, 255, 255};
    c.accent = fromHsl(p.accentHue, as, p.dark ? 0.55 : 0.48);

    if (p.dark) {
        // Vivid hues keep their colour on dark skins instead of sinking into brown.
        const Rgb base = fromHsl(p.hue, s, 0.30 + 0.12 * s);
        c.caption = rampAround(base, 0.22, 0.35);
        c.frameBody = fromHsl(p.hue, s * 0.8, 0.22);
        c.frameEdge = fromHsl(p.hue, s * 0.5, 0.06);
        c.panel = fromHsl(p.hue, s * 0.35, 0.17);
        c.header = rampAround(fromHsl(p.hue, s * 0.7, 0.27), 0.12, 0.30);
        c.window = fromHsl(p.hue, s * 0.3, 0.11);
        c.windowEdge = fromHsl(p.hue, s * 0.4, 0.35);
        c.menu = fromHsl(p.hue, s * 0.3, 0.14);
        c.hint = fromHsl(p.hue, s * 0.4, 0.24);
        const Rgb face = fromHsl(p.hue, s * 0.6, 0.30);
        c.face = rampAround(face, 0.18, 0.25);
        c.faceEdge = fromHsl(p.hue, s * 0.5, 0.08);
        c.light = fromHsl(p.hue, s * 0.4, 0.40);
        c.shade = fromHsl(p.hue, s * 0.4, 0.07);
    } else {
        const Rgb base = fromHsl(p.hue, s, 0.42);
        c.caption = rampAround(base, 0.30, 0.22);
        c.frameBody = fromHsl(p.hue, s * 0.9, 0.45);
        c.frameEdge = fromHsl(p.hue, s * 0.6, 0.18);
        c.panel = fromHsl(p.hue, s * 0.25, 0.90);
        c.header = rampAround(fromHsl(p.hue, s * 0.55, 0.74), 0.35, 0.10);
        c.window = fromHsl(p.hue, s * 0.2, 0.98);
        c.windowEdge = fromHsl(p.hue, s * 0.4, 0.55);
        c.menu = fromHsl(p.hue, s * 0.2, 0.96);
        c.hint = fromHsl(p.accentHue, 0.55, 0.92);
        const Rgb face = fromHsl(p.hue, s * 0.35, 0.84);
        c.face = rampAround(face, 0.55, 0.08);
        c.faceEdge = fromHsl(p.hue, s * 0.5, 0.38);
        c.light = white;
        c.shade = fromHsl(p.hue, s * 0.3, 0.55);
    }

    // Inactive windows lose most of their colour and move towards the panel's lightness.
    auto washed = [&](Rgb x) { return mix(mix(x, grey(x), 0.75), c.panel, 0.30); };
    c.captionInactive = {washed(c.caption.top), washed(c.caption.bottom)};
    c.frameBodyInactive = washed(c.frameBody);
    c.frameLight = lighten(c.frameBody, 0.35);
    c.frameShade = darken(c.frameBody, 0.35);

    c.faceHot = p.dark ? rampAround(mix(fromHsl(p.hue, s * 0.6, 0.30), c.accent, 0.35), 0.20, 0.20)
                       : rampAround(mix(fromHsl(p.hue, s * 0.35, 0.84), c.accent, 0.30), 0.55, 0.06);
    c.faceDown = {darken(c.accent, 0.30), c.accent};
    c.faceDisabled = {mix(grey(c.face.top), c.panel, 0.5), mix(grey(c.face.bottom), c.panel, 0.5)};

    const Rgb darkText = fromHsl(p.hue, 0.35, 0.12), lightText = fromHsl(p.hue, 0.25, 0.95);
    const Rgb usual = p.dark ? lightText : darkText;
    const int caption = std::clamp(p.captionHeight, 22, 30);
    // Colourful captions carry white text; nearly grey light ones read better in dark text.
    const bool greyCaption = !p.dark && p.saturation < 0.15;
    c.captionText = textOnSurface(c.caption, p.fill, caption, greyCaption ? darkText : white);
    c.captionTextInactive = textOnSurface(c.captionInactive, p.fill, caption, p.dark ? lightText : darkText);
    c.panelText = readableOn(usual, c.panel, TextContrast);
    c.headerText = textOnSurface(c.header, p.fill, HeaderDepth, usual);
    c.faceText = textOnSurface(c.face, p.fill, FaceDepth, usual);
    c.faceHotText = textOnSurface(c.faceHot, p.fill, FaceDepth, usual);
    c.faceDownText = textOnSurface(c.faceDown, p.fill, FaceDepth, white);
    c.tabActive = {lighten(c.panel, p.dark ? 0.25 : 0.5), c.panel};
    c.tabActiveText = textOnSurface(c.tabActive, p.fill, TabDepth, usual);
    // Disabled text is meant to recede; it stays apart from the face without full contrast.
    c.faceDisabledText = mix(c.faceText, c.faceDisabled.bottom, 0.55);
    c.windowText = readableOn(usual, c.window, TextContrast);
    // Selected items are shaded from a lighter top down to the selection colour.
    c.selected = {lighten(c.accent, 0.15), p.dark ? c.accent : darken(c.accent, 0.05)};
    c.selectionText = textOnSurface(c.selected, FillKind::Gradient, 2, white);
    c.selection = c.selected.bottom;
    c.menuText = readableOn(usual, c.menu, TextContrast);
    c.menuDisabledText = mix(c.menuText, c.menu, 0.55);
    c.hintText = readableOn(usual, c.hint, TextContrast);
    return c;
}

}  // namespace skingen
