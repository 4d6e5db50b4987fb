// Panels with and without headers, roll-up panels and their buttons, tool and status bars,
// the size grip and the tab sheet.
#include <algorithm>

#include "AtlasArt.h"
#include "AtlasLayout.h"
#include "Glyphs.h"

namespace skingen {

namespace {

using State = AtlasContext::State;

// A body in the panel colour with a header band of HeaderHeight rows (0: none).
void panelWithHeader(AtlasContext& a, const Rect& cell, int headerHeight)
{
    const Palette& c = a.c;
    a.atlas.fill(cell, c.panel);
    if (headerHeight > 0) {
        fillRows(a.atlas, {cell.left, cell.top, cell.right, cell.top + headerHeight}, c.header, a.p.fill);
        hline(a.atlas, cell.left, cell.right, cell.top + headerHeight - 1, mix(c.header.bottom, c.shade, 0.6));
    }
    frameRect(a.atlas, cell, c.shade);
    hline(a.atlas, cell.left + 1, cell.right - 1, cell.top + 1, mix(c.light, headerHeight > 0 ? c.header.top : c.panel, 0.4));
    vline(a.atlas, cell.left + 1, cell.top + 1, cell.bottom - 1, mix(c.light, c.panel, 0.4));
    if (headerHeight > 0)
        for (int y = cell.top + 1; y < cell.top + headerHeight - 1; ++y)
            a.atlas.set(cell.left + 1, y, mix(c.light, a.atlas.at(cell.left + 2, y), 0.4));
}

// The header band of a rolled-up panel: Across runs the shading along x (a band standing up).
void rollBand(AtlasContext& a, const Rect& cell, bool standing)
{
    if (standing)
        fillColumns(a.atlas, cell, a.c.header, a.p.fill);
    else
        fillRows(a.atlas, cell, a.c.header, a.p.fill);
    frameRect(a.atlas, cell, a.c.shade);
}

void smallButton(AtlasContext& a, const Rect& cell, Glyph g, int state)
{
    const State s = state == 0 ? State::Normal : state == 1 ? State::Hot : State::Down;
    FaceStyle style = a.face(s);
    style.radius = std::min(style.radius, 2);
    drawFace(a.atlas, cell, style, a.c.header.top);
    const Rgb ink = readableOn(a.faceText(s), style.ramp.top, style.ramp.bottom);
    drawGlyph(a.atlas, g, cell, avoidKey(ink), s == State::Down ? 1 : 0, s == State::Down ? 1 : 0);
}

}  // namespace

void paintPanels(AtlasContext& a)
{
    const Palette& c = a.c;
    panelWithHeader(a, atlas::Panel, atlas::PanelHeader);
    panelWithHeader(a, atlas::ExPanel, atlas::ExPanelHeader);
    panelWithHeader(a, atlas::TabSheet, 0);
    rollBand(a, atlas::RollV, false);
    rollBand(a, atlas::RollH, true);
    for (int s = 0; s < 3; ++s) {
        smallButton(a, atlas::panelClose(s), Glyph::SmallCross, s);
        smallButton(a, atlas::vRoll(s), Glyph::ArrowUp, s);
        smallButton(a, atlas::vRestore(s), Glyph::ArrowDown, s);
        smallButton(a, atlas::hRoll(s), Glyph::ArrowLeft, s);
        smallButton(a, atlas::hRestore(s), Glyph::ArrowRight, s);
    }

    // Tool bar and status bar: a header band over the full height.
    fillRows(a.atlas, atlas::ToolPanel, c.header, a.p.fill);
    hline(a.atlas, atlas::ToolPanel.left, atlas::ToolPanel.right, atlas::ToolPanel.bottom - 1, c.shade);
    hline(a.atlas, atlas::ToolPanel.left, atlas::ToolPanel.right, atlas::ToolPanel.top, mix(c.light, c.header.top, 0.5));
    a.atlas.fill(atlas::StatusBar, c.panel);
    hline(a.atlas, atlas::StatusBar.left, atlas::StatusBar.right, atlas::StatusBar.top, c.shade);
    hline(a.atlas, atlas::StatusBar.left, atlas::StatusBar.right, atlas::StatusBar.top + 1, mix(c.light, c.panel, 0.3));

    // The size grip is drawn with the key colour around its dots, solid so nothing blends
    // into the key.
    a.atlas.fill(atlas::SizeGrip, KeyColour);
    drawGlyph(a.atlas, Glyph::SizeGrip, atlas::SizeGrip, avoidKey(c.light), 1, 1);
    drawGlyph(a.atlas, Glyph::SizeGrip, atlas::SizeGrip, avoidKey(c.shade));
}

void paintListsAndMenus(AtlasContext& a)
{
    const Palette& c = a.c;
    a.atlas.fill(atlas::ListBox, c.window);
    frameRect(a.atlas, atlas::ListBox, c.windowEdge);
    frameRect(a.atlas, atlas::ListBox.shrunk(1), mix(c.window, c.shade, 0.25));

    a.atlas.fill(atlas::ListItem[0], c.window);
    FaceStyle selected;
    selected.ramp = c.selected;
    selected.fill = FillKind::Gradient;
    selected.bevel = BevelKind::None;
    selected.edge = darken(c.selection, 0.15);
    selected.radius = std::min(a.radius, 2);
    drawFace(a.atlas, atlas::ListItem[1], selected, c.window);
    FaceStyle focused = selected;
    focused.edge = c.accent;
    drawFace(a.atlas, atlas::ListItem[2], focused, c.window);

    a.atlas.fill(atlas::MenuItem, c.menu);
    drawFace(a.atlas, atlas::MenuItemActive, atlas::MenuItemActive.shrunk(1), selected, c.menu);
    a.atlas.fill(atlas::MenuDivider, c.menu);
    hline(a.atlas, atlas::MenuDivider.left, atlas::MenuDivider.right, atlas::MenuDivider.top + 2, mix(c.menu, c.shade, 0.6));
    hline(a.atlas, atlas::MenuDivider.left, atlas::MenuDivider.right, atlas::MenuDivider.top + 3, mix(c.menu, c.light, 0.6));
}

namespace {

// A check or radio mark on the key colour; pixels the box only partly covers blend with the
// panel colour the mark is drawn on.
void mark(AtlasContext& a, const Rect& cell, bool radio, bool checked, State s)
{
    const Palette& c = a.c;
    a.atlas.fill(cell, KeyColour);
    const Rect box = cell.shrunk(1);
    const Rgb edge = s == State::Hot ? c.accent : s == State::Disabled ? mix(c.windowEdge, c.panel, 0.5) : c.windowEdge;
    const Rgb fill = s == State::Disabled ? mix(c.window, c.panel, 0.6) : s == State::Hot ? mix(c.window, c.accent, 0.12) : c.window;
    const int radius = std::min(a.radius, 2);
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x) {
            const double cover = radio ? ellipseCoverage(box, x, y) : roundRectCoverage(box, radius, x, y);
            if (cover <= 0) continue;
            const double inner = radio ? ellipseCoverage(box.shrunk(1), x, y) : roundRectCoverage(box.shrunk(1), std::max(0, radius - 1), x, y);
            const Rgb col = mix(edge, fill, inner);
            a.atlas.set(x, y, avoidKey(mix(c.panel, col, cover)));
        }
    if (!checked) return;
    const Rgb ink = s == State::Disabled ? mix(c.windowText, fill, 0.5) : readableOn(c.accent, fill, 3.0);
    drawGlyph(a.atlas, radio ? Glyph::Dot : Glyph::Check, box, avoidKey(ink));
}

void markRow(AtlasContext& a, bool radio)
{
    const State states[3] = {State::Normal, State::Hot, State::Disabled};
    for (int i = 0; i < 3; ++i) {
        mark(a, radio ? atlas::radioMark(2 * i) : atlas::checkMark(2 * i), radio, false, states[i]);
        mark(a, radio ? atlas::radioMark(2 * i + 1) : atlas::checkMark(2 * i + 1), radio, true, states[i]);
    }
}

}  // namespace

void paintMarks(AtlasContext& a)
{
    markRow(a, false);
    markRow(a, true);
    const Rgb hover = mix(a.c.panel, a.c.accent, 0.10);
    a.atlas.fill(atlas::CheckBox, a.c.panel);
    a.atlas.fill(atlas::RadioBox, a.c.panel);
    a.atlas.fill(atlas::CheckBoxActive, hover);
    a.atlas.fill(atlas::RadioBoxActive, hover);
}

}  // namespace skingen
