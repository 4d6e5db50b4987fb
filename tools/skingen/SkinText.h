#pragma once
// The skin description text: which picture holds what, and for every window part, object
// and control the program's windows ask for, where its images lie and which fonts and
// colours it uses.
#include "FrameLayout.h"
#include "IniText.h"
#include "Palette.h"

namespace skingen {

// File names of the pictures beside the description.
namespace pictureFiles {
inline constexpr const char* Frame = "frame.bmp";
inline constexpr const char* InactiveFrame = "frame_in.bmp";
inline constexpr const char* Mask = "frame_mask.bmp";
inline constexpr const char* Atlas = "controls.bmp";
inline constexpr const char* Popup = "popup.bmp";
inline constexpr const char* Hint = "hint.bmp";
inline constexpr const char* Tile = "client.bmp";
}  // namespace pictureFiles

// The font every skin names: Tahoma is present on every system the program meets.
inline constexpr const char* SkinFont = "Tahoma";

// The description's word for a record's inactive effect.
const char* inactiveEffectWord(int effect);

IniText describeSkin(const SkinParams& p, const Palette& c, const FrameLayout& f);

}  // namespace skingen
