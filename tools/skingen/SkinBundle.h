#pragma once
// One skin, drawn: its pictures and its description text, and the folder they are written to
// for the packer (the description and the BMP files it names, side by side).
#include <filesystem>
#include <string>

#include "FrameLayout.h"
#include "Image.h"
#include "IniText.h"
#include "Palette.h"

namespace skingen {

struct SkinBundle {
    SkinParams params;
    Palette palette;
    FrameLayout layout;
    Image frame, inactiveFrame, mask;  // inactiveFrame is empty when the frame dims itself
    Image atlas, popup, hint, tile;
    IniText text;
};

SkinBundle drawSkin(const SkinParams& p);

// Writes <Folder>/<stem>.ini and its pictures; returns the description's path.
std::filesystem::path writeSkinFolder(const SkinBundle& skin, const std::filesystem::path& folder);

}  // namespace skingen
