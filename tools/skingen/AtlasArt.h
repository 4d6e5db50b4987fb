#pragma once
// The control atlas: every control image of a skin in one picture, cell by cell as
// AtlasLayout.h places them.
#include "FrameLayout.h"
#include "Image.h"
#include "Paint.h"
#include "Palette.h"

namespace skingen {

// Frame and InactiveFrame give the caption backgrounds that caption buttons without a face of
// their own must continue; InactiveFrame may be empty when the frame renders itself inactive.
Image paintAtlas(const SkinParams& p, const Palette& c, const FrameLayout& f, const Image& frame,
                 const Image& inactiveFrame);

// What the atlas painters share.
struct AtlasContext {
    const SkinParams& p;
    const Palette& c;
    const FrameLayout& f;
    const Image& frame;
    const Image& inactiveFrame;
    Image& atlas;
    int radius;  // corner radius of the control faces

    enum class State { Normal, Hot, Down, Disabled };
    FaceStyle face(State s) const;
    Rgb faceText(State s) const;
};

// The groups of cells, one painter each.
void paintPushButtons(AtlasContext& a);
void paintTabs(AtlasContext& a);
void paintCaptionButtons(AtlasContext& a);
void paintScrollBars(AtlasContext& a);
void paintTrackBars(AtlasContext& a);
void paintEditsAndCombos(AtlasContext& a);
void paintPanels(AtlasContext& a);
void paintListsAndMenus(AtlasContext& a);
void paintMarks(AtlasContext& a);

}  // namespace skingen
