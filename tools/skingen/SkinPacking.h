#pragma once
// Packs the drawn skins with the program's own packer and writes the resource script that
// builds the packed streams into the program.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "SkinBundle.h"

namespace skingen {

struct PackedSkin {
    std::string description;  // the skin's name, as the main window lists it
    std::string fileName;     // the description file it was packed from
    std::string packedName;   // the packed-file name it carries
    std::filesystem::path stream;  // the zlib stream, as the resource holds it
    std::uintmax_t size = 0;
};

// Writes the skin's folder under Work, packs it and writes <stem>.zlib into Output.
PackedSkin packSkin(const SkinBundle& skin, const std::filesystem::path& work, const std::filesystem::path& output);

// The resource script: one RCDATA resource and three strings per skin (StoredSkinResources.h).
std::string resourceScript(const std::vector<PackedSkin>& skins);

}  // namespace skingen
