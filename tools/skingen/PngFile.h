#pragma once
// PNG files (8-bit RGB, no interlace) for the gallery a person looks at.
#include <cstdint>
#include <filesystem>
#include <vector>

#include "Image.h"

namespace skingen {

std::vector<std::uint8_t> encodePng(const Image& image);
void writePng(const Image& image, const std::filesystem::path& path);

}  // namespace skingen
