// Scroll bars, track bars, up-down buttons, edits and combo boxes.
#include <algorithm>

#include "AtlasArt.h"
#include "AtlasLayout.h"
#include "Glyphs.h"

namespace skingen {

namespace {

using State = AtlasContext::State;

Rgb trackColour(const Palette& c) { return mix(c.panel, c.shade, 0.22); }

// A small button face with an arrow, as scroll bars, combo boxes and up-downs use them.
void arrowButton(AtlasContext& a, const Rect& cell, Glyph arrow, State s, Rgb backdrop)
{
    FaceStyle style = a.face(s);
    style.radius = std::min(style.radius, 2);
    drawFace(a.atlas, cell, style, backdrop);
    const Rgb ink = readableOn(a.faceText(s), style.ramp.top, style.ramp.bottom);
    const int shift = s == State::Down ? 1 : 0;
    drawGlyph(a.atlas, arrow, cell, avoidKey(s == State::Disabled ? a.c.faceDisabledText : ink), shift, shift);
}

// A thumb fills the bar's cross size; Vertical thumbs are shaded left to right.
void thumb(AtlasContext& a, const Rect& cell, State s, bool vertical)
{
    FaceStyle style = a.face(s == State::Down ? State::Hot : s);
    if (s == State::Down) style.ramp = {a.c.accent, darken(a.c.accent, 0.2)};
    style.radius = std::min(style.radius, 3);
    style.vertical = vertical;
    drawFace(a.atlas, cell, cell.shrunk(1), style, trackColour(a.c));
}

// A grip on the thumb: the thumb's middle continues under it.
void grip(AtlasContext& a, const Rect& gripCell, const Rect& thumbCell, bool vertical)
{
    for (int y = 0; y < gripCell.height(); ++y)
        for (int x = 0; x < gripCell.width(); ++x) {
            const int tx = vertical ? thumbCell.left + (thumbCell.width() - gripCell.width()) / 2 + x
                                    : thumbCell.left + thumbCell.width() / 2;
            const int ty = vertical ? thumbCell.top + thumbCell.height() / 2
                                    : thumbCell.top + (thumbCell.height() - gripCell.height()) / 2 + y;
            a.atlas.set(gripCell.left + x, gripCell.top + y, a.atlas.at(tx, ty));
        }
    const Rgb middle = a.atlas.at(gripCell.left + gripCell.width() / 2, gripCell.top + gripCell.height() / 2);
    drawGlyph(a.atlas, vertical ? Glyph::GripVertical : Glyph::GripHorizontal, gripCell,
              avoidKey(mix(middle, a.c.faceEdge, 0.6)));
}

void horizontalBar(AtlasContext& a, const Rect& bar, bool withCorner)
{
    const Rgb track = trackColour(a.c);
    a.atlas.fill(bar, track);
    hline(a.atlas, bar.left, bar.right, bar.top, mix(track, a.c.shade, 0.5));
    hline(a.atlas, bar.left, bar.right, bar.bottom - 1, mix(track, a.c.light, 0.5));
    arrowButton(a, rectAt(bar.left, bar.top, 19, 19), Glyph::ArrowLeft, State::Normal, track);
    arrowButton(a, rectAt(bar.left + 81, bar.top, 19, 19), Glyph::ArrowRight, State::Normal, track);
    if (withCorner) a.atlas.fill(rectAt(bar.left + 100, bar.top, 19, 19), a.c.panel);
}

}  // namespace

void paintScrollBars(AtlasContext& a)
{
    horizontalBar(a, atlas::HScroll, false);
    horizontalBar(a, atlas::HScrollBoth, true);
    const Rgb track = trackColour(a.c);
    arrowButton(a, atlas::HArrowNearHot, Glyph::ArrowLeft, State::Hot, track);
    arrowButton(a, atlas::HArrowNearDown, Glyph::ArrowLeft, State::Down, track);
    arrowButton(a, atlas::HArrowFarHot, Glyph::ArrowRight, State::Hot, track);
    arrowButton(a, atlas::HArrowFarDown, Glyph::ArrowRight, State::Down, track);
    thumb(a, atlas::HThumbs[0], State::Normal, false);
    thumb(a, atlas::HThumbs[1], State::Hot, false);
    thumb(a, atlas::HThumbs[2], State::Down, false);
    grip(a, atlas::HGrip, atlas::HThumbs[0], false);

    const Rect& v = atlas::VScroll;
    a.atlas.fill(v, track);
    vline(a.atlas, v.left, v.top, v.bottom, mix(track, a.c.shade, 0.5));
    vline(a.atlas, v.right - 1, v.top, v.bottom, mix(track, a.c.light, 0.5));
    arrowButton(a, rectAt(v.left, v.top, 19, 19), Glyph::ArrowUp, State::Normal, track);
    arrowButton(a, rectAt(v.left, v.top + 81, 19, 19), Glyph::ArrowDown, State::Normal, track);
    arrowButton(a, atlas::VArrowNearHot, Glyph::ArrowUp, State::Hot, track);
    arrowButton(a, atlas::VArrowNearDown, Glyph::ArrowUp, State::Down, track);
    arrowButton(a, atlas::VArrowFarHot, Glyph::ArrowDown, State::Hot, track);
    arrowButton(a, atlas::VArrowFarDown, Glyph::ArrowDown, State::Down, track);
    thumb(a, atlas::VThumbs[0], State::Normal, true);
    thumb(a, atlas::VThumbs[1], State::Hot, true);
    thumb(a, atlas::VThumbs[2], State::Down, true);
    grip(a, atlas::VGrip, atlas::VThumbs[0], true);
}

namespace {

// A thumb on the key colour: pixels it only partly covers blend with the panel it will sit on,
// never with the key.
void trackThumb(AtlasContext& a, const Rect& cell, bool active, bool vertical)
{
    a.atlas.fill(cell, KeyColour);
    const Rect shape = vertical ? Rect{cell.left, cell.top + 1, cell.right, cell.bottom - 1}
                                : Rect{cell.left + 1, cell.top, cell.right - 1, cell.bottom};
    FaceStyle style = a.face(active ? State::Hot : State::Normal);
    style.radius = std::min(3, std::max(2, a.radius));
    style.vertical = !vertical;
    Image piece(cell.width(), cell.height(), a.c.panel);
    const Rect local = shape.moved(-cell.left, -cell.top);
    drawFaceOver(piece, piece.bounds(), local, style);
    for (int y = 0; y < cell.height(); ++y)
        for (int x = 0; x < cell.width(); ++x)
            if (roundRectCoverage(local, style.radius, x, y) > 0)
                a.atlas.set(cell.left + x, cell.top + y, avoidKey(piece.at(x, y)));
    // A notch across the middle shows which way it moves.
    const Rgb notch = mix(style.ramp.bottom, a.c.faceEdge, 0.6);
    if (vertical)
        hline(a.atlas, cell.left + 5, cell.right - 5, cell.top + cell.height() / 2, avoidKey(notch));
    else
        vline(a.atlas, cell.left + cell.width() / 2, cell.top + 5, cell.bottom - 5, avoidKey(notch));
}

void groove(AtlasContext& a, const Rect& g)
{
    const Rgb inside = mix(a.c.window, a.c.shade, 0.25);
    a.atlas.fill(g, inside);
    frameRect(a.atlas, g, a.c.shade);
}

}  // namespace

void paintTrackBars(AtlasContext& a)
{
    a.atlas.fill(atlas::HTrackBar, a.c.panel);
    groove(a, {atlas::HTrackBar.left + 6, atlas::HTrackBar.top + 8, atlas::HTrackBar.right - 6, atlas::HTrackBar.top + 12});
    a.atlas.fill(atlas::VTrackBar, a.c.panel);
    groove(a, {atlas::VTrackBar.left + 8, atlas::VTrackBar.top + 6, atlas::VTrackBar.left + 12, atlas::VTrackBar.bottom - 6});
    trackThumb(a, atlas::HThumb, false, false);
    trackThumb(a, atlas::HThumbActive, true, false);
    trackThumb(a, atlas::VThumb, false, true);
    trackThumb(a, atlas::VThumbActive, true, true);
}

namespace {

void editBox(AtlasContext& a, const Rect& cell, bool active)
{
    a.atlas.fill(cell, a.c.panel);
    const Rect box = cell;
    a.atlas.fill(box.shrunk(1), a.c.window);
    const Rgb edge = active ? a.c.accent : a.c.windowEdge;
    frameRect(a.atlas, box, edge);
    // A sunken inner line along the top and left.
    hline(a.atlas, box.left + 1, box.right - 1, box.top + 1, mix(a.c.window, a.c.shade, 0.35));
    vline(a.atlas, box.left + 1, box.top + 1, box.bottom - 1, mix(a.c.window, a.c.shade, 0.35));
    if (a.radius > 0) {
        // Soften the four corner pixels against the panel.
        for (const auto& [x, y] : {std::pair{box.left, box.top}, std::pair{box.right - 1, box.top},
                                   std::pair{box.left, box.bottom - 1}, std::pair{box.right - 1, box.bottom - 1}})
            a.atlas.set(x, y, mix(edge, a.c.panel, 0.6));
    }
}

}  // namespace

void paintEditsAndCombos(AtlasContext& a)
{
    editBox(a, atlas::Edit, false);
    editBox(a, atlas::EditActive, true);
    editBox(a, atlas::Combo, false);
    editBox(a, atlas::ComboActive, true);
    const Rect& button = atlas::ComboButtonInCombo;
    arrowButton(a, button.moved(atlas::Combo.left, atlas::Combo.top), Glyph::ArrowDown, State::Normal, a.c.window);
    arrowButton(a, button.moved(atlas::ComboActive.left, atlas::ComboActive.top), Glyph::ArrowDown, State::Normal,
                a.c.window);
    arrowButton(a, atlas::ComboButtonHot, Glyph::ArrowDown, State::Hot, a.c.window);
    arrowButton(a, atlas::ComboButtonDown, Glyph::ArrowDown, State::Down, a.c.window);
    arrowButton(a, atlas::ComboButtonDisabled, Glyph::ArrowDown, State::Disabled, a.c.window);

    const Rect& u = atlas::UpDown;
    arrowButton(a, rectAt(u.left, u.top, 18, 18), Glyph::ArrowLeft, State::Normal, a.c.panel);
    arrowButton(a, rectAt(u.left + 18, u.top, 18, 18), Glyph::ArrowRight, State::Normal, a.c.panel);
    arrowButton(a, atlas::UpDownDownHot, Glyph::ArrowLeft, State::Hot, a.c.panel);
    arrowButton(a, atlas::UpDownDownPressed, Glyph::ArrowLeft, State::Down, a.c.panel);
    arrowButton(a, atlas::UpDownUpHot, Glyph::ArrowRight, State::Hot, a.c.panel);
    arrowButton(a, atlas::UpDownUpPressed, Glyph::ArrowRight, State::Down, a.c.panel);
}

}  // namespace skingen
