#pragma once
// 24-bit BMP files: the picture format the packer reads beside a skin description.
#include <cstdint>
#include <filesystem>
#include <vector>

#include "Image.h"

namespace skingen {

// A complete file: file header, 40-byte info header, rows bottom up, each padded to 4 bytes.
std::vector<std::uint8_t> encodeBmp(const Image& image);
void writeBmp(const Image& image, const std::filesystem::path& path);

}  // namespace skingen
