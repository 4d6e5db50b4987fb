// Push buttons, tool buttons, station buttons, their animation strips, tabs and caption buttons.
#include <algorithm>

#include "AtlasArt.h"
#include "AtlasLayout.h"
#include "Glyphs.h"

namespace skingen {

namespace {

using State = AtlasContext::State;
constexpr State States[4] = {State::Normal, State::Hot, State::Down, State::Disabled};

// Frame K of N between two equal cells, K = N being the second cell itself.
void paintBlendStrip(Image& atlas, const Rect& from, const Rect& to, const Rect& strip, int frames)
{
    const int w = from.width();
    for (int k = 1; k <= frames; ++k)
        for (int y = 0; y < from.height(); ++y)
            for (int x = 0; x < w; ++x) {
                const Rgb c = mix(atlas.at(from.left + x, from.top + y), atlas.at(to.left + x, to.top + y),
                                  static_cast<double>(k) / frames);
                atlas.set(strip.left + (k - 1) * w + x, strip.top + y, avoidKey(c));
            }
}

void paintButtonRow(AtlasContext& a, const std::array<Rect, 4>& cells, Rgb backdrop)
{
    for (int i = 0; i < 4; ++i) drawFace(a.atlas, cells[i], a.face(States[i]), backdrop);
}

}  // namespace

void paintPushButtons(AtlasContext& a)
{
    paintButtonRow(a, atlas::Button, a.c.panel);
    paintButtonRow(a, atlas::ToolButton, mix(a.c.header.top, a.c.header.bottom, 0.5));
    paintButtonRow(a, atlas::ResizeButton, a.c.panel);
    if (!a.p.animated) return;
    paintBlendStrip(a.atlas, atlas::Button[0], atlas::Button[1], atlas::ButtonAnimation, atlas::AnimationFrames);
    paintBlendStrip(a.atlas, atlas::ToolButton[0], atlas::ToolButton[1], atlas::ToolButtonAnimation,
                    atlas::AnimationFrames);
    paintBlendStrip(a.atlas, atlas::ResizeButton[0], atlas::ResizeButton[1], atlas::ResizeButtonAnimation,
                    atlas::AnimationFrames);
}

void paintTabs(AtlasContext& a)
{
    // Tabs are open at their foot, where they meet the sheet.
    const Rgb backdrop = a.c.panel;
    for (int i = 0; i < 4; ++i) {
        const Rect cell = atlas::Tab[i];
        FaceStyle style = a.face(i == 3 ? State::Hot : State::Normal);
        if (i == 1 || i == 2) {
            style.ramp = a.c.tabActive;
            style.bevel = a.p.bevel == BevelKind::Glow ? BevelKind::Glow : BevelKind::Raised;
        }
        const Rect shape{cell.left, cell.top + (i == 1 || i == 2 ? 0 : 2), cell.right, cell.bottom + 4};
        drawFace(a.atlas, cell, shape, style, backdrop);
        if (i == 2) hline(a.atlas, cell.left + 3, cell.right - 3, cell.top + 1, a.c.accent);
    }
    a.atlas.fill(atlas::TabBackground, backdrop);
    hline(a.atlas, atlas::TabBackground.left, atlas::TabBackground.right, atlas::TabBackground.bottom - 1,
          a.c.shade);
}

namespace {

Glyph captionGlyph(int kind)
{
    switch (kind) {
    case atlas::CapClose: return Glyph::Close;
    case atlas::CapMaximize: return Glyph::Maximize;
    case atlas::CapRestore: return Glyph::Restore;
    case atlas::CapMinimize: return Glyph::Minimize;
    case atlas::CapRollUp: return Glyph::RollUp;
    case atlas::CapRollDown: return Glyph::RollDown;
    case atlas::CapTray: return Glyph::Tray;
    default: return Glyph::SysMenu;
    }
}

enum class CapState { Normal, Hot, Down, Inactive };

// The caption behind a button continues under it: copy the frame's caption rows.
void copyCaptionBackdrop(AtlasContext& a, const Rect& cell, bool inactive)
{
    const Image& source = inactive && !a.inactiveFrame.empty() ? a.inactiveFrame : a.frame;
    const int column = source.width() / 2;
    for (int y = 0; y < cell.height(); ++y) {
        const Rgb c = source.at(column, a.f.captionRect.top + y);
        hline(a.atlas, cell.left, cell.right, cell.top + y, c);
    }
}

void paintCaptionButton(AtlasContext& a, int kind, CapState state, const Rect& cell)
{
    const SkinParams& p = a.p;
    const Palette& c = a.c;
    const bool closing = kind == atlas::CapClose;
    const Ramp caption = state == CapState::Inactive ? c.captionInactive : c.caption;
    const Rgb hotColour = closing ? Rgb{200, 40, 40} : c.accent;
    Ramp ramp{lighten(caption.top, 0.25), darken(caption.bottom, 0.05)};
    if (state == CapState::Hot) ramp = {lighten(hotColour, 0.35), hotColour};
    if (state == CapState::Down) ramp = {darken(hotColour, 0.35), darken(hotColour, 0.1)};
    const int shift = state == CapState::Down ? 1 : 0;

    copyCaptionBackdrop(a, cell, state == CapState::Inactive);
    Rgb glyph = state == CapState::Inactive ? c.captionTextInactive : c.captionText;

    if (p.buttons == ButtonShape::Lights) {
        // Signal lights: red closes, amber minimizes, green maximizes; the rest stay grey.
        Rgb light{172, 172, 178};
        if (kind == atlas::CapClose) light = {236, 84, 76};
        if (kind == atlas::CapMinimize) light = {240, 180, 44};
        if (kind == atlas::CapMaximize || kind == atlas::CapRestore) light = {48, 190, 72};
        if (state == CapState::Inactive) light = mix(grey(light), caption.bottom, 0.3);
        if (state == CapState::Down) light = darken(light, 0.25);
        ramp = {lighten(light, 0.35), light};
        glyph = darken(light, state == CapState::Normal || state == CapState::Inactive ? 0.45 : 0.7);
    }
    const bool ownFace = p.buttons != ButtonShape::GlyphOnly || state == CapState::Hot || state == CapState::Down;
    if (ownFace) {
        FaceStyle style;
        style.ramp = ramp;
        style.fill = p.fill == FillKind::Stripes ? FillKind::Gradient : p.fill;
        style.bevel = p.bevel == BevelKind::Double ? BevelKind::Raised : p.bevel;
        if (state == CapState::Down && style.bevel == BevelKind::Raised) style.bevel = BevelKind::Sunken;
        style.edge = state == CapState::Inactive ? mix(c.frameEdge, caption.bottom, 0.5) : c.frameEdge;
        style.light = lighten(ramp.top, 0.5);
        style.shade = darken(ramp.bottom, 0.3);
        if (p.buttons == ButtonShape::Round || p.buttons == ButtonShape::Lights) {
            // A disc: every pixel blends against the caption behind it, row by row.
            for (int y = cell.top; y < cell.bottom; ++y)
                for (int x = cell.left; x < cell.right; ++x) {
                    const Rect disc = cell.shrunk(1);
                    const double cover = ellipseCoverage(disc, x, y);
                    if (cover <= 0) continue;
                    Rgb col = shadeAt(style.ramp, style.fill, y - disc.top, disc.height());
                    const double inner = ellipseCoverage(disc.shrunk(1), x, y);
                    if (inner < 1) col = mix(style.edge, col, inner);
                    a.atlas.set(x, y, avoidKey(mix(a.atlas.at(x, y), col, cover)));
                }
        } else {
            style.radius = std::min(4, std::max(a.radius, p.radius / 2));
            drawFaceOver(a.atlas, cell, cell.shrunk(p.buttons == ButtonShape::GlyphOnly ? 1 : 0), style);
        }
        if (p.buttons != ButtonShape::Lights) glyph = readableOn(glyph, ramp.top, ramp.bottom);
    } else {
        // Glyph alone on the caption: it must stand out against the caption itself.
        glyph = readableOn(glyph, caption.top, caption.bottom);
    }
    drawGlyph(a.atlas, captionGlyph(kind), cell, avoidKey(glyph), shift, shift);
}

}  // namespace

void paintCaptionButtons(AtlasContext& a)
{
    for (int kind = 0; kind < atlas::CaptionKinds; ++kind) {
        paintCaptionButton(a, kind, CapState::Normal, atlas::captionNormal(kind));
        paintCaptionButton(a, kind, CapState::Hot, atlas::captionHot(kind));
        paintCaptionButton(a, kind, CapState::Down, atlas::captionDown(kind));
        // A frame that renders its inactive look itself also dims these; they stay as drawn.
        paintCaptionButton(a, kind, a.p.drawnInactive ? CapState::Inactive : CapState::Normal,
                           atlas::captionInactive(kind));
    }
}

}  // namespace skingen
