#pragma once
// Pictures for a person to judge the skins by: one per skin (an active and an inactive window,
// the frame, the mask and the atlas side by side) and one contact sheet of all of them.
#include <filesystem>
#include <vector>

#include "SkinBundle.h"

namespace skingen {

Image gallerySheet(const SkinBundle& skin);
Image contactSheet(const std::vector<SkinBundle>& skins);
// Writes <stem>.png for every skin and contact-sheet.png into Folder.
void writeGallery(const std::vector<SkinBundle>& skins, const std::filesystem::path& folder);

}  // namespace skingen
