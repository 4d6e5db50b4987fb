#pragma once
// Building skins byte by byte for the skin-data tests: BMP files, inflated streams, zlib data,
// packed files, and a temporary folder that is removed afterwards.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "classlib/classes/IniFiles.h"

namespace sktest {

// A 24-bit bottom-up BMP file whose pixel (x, y) is (seed + x, seed + y, seed + x + y).
std::string MakeBmp(int Width, int Height, std::uint8_t Seed);
// The blue-green-red value MakeBmp gives (x, y), as the layer's TColor (0x00BBGGRR).
std::int32_t BmpPixel(int X, int Y, std::uint8_t Seed);

std::string Int32(std::int32_t Value);

// One flag-and-picture pair: the flag byte, then the picture when the flag is 0.
std::string Flagged(const std::string& Bmp);
std::string Absent();

// An inflated stream: version, the three main pairs (plus Extra pairs), the counted pictures
// and the text.
std::string Inflated(std::int32_t Version, const std::vector<std::string>& MainPairs,
                     const std::vector<std::string>& Pictures, const std::string& Text);

std::string Deflate(const std::string& Data, int Level = 9);
std::string InflateAll(const std::string& Data);
// A packed ".skn" file.
std::string Packed(std::int32_t Version, const std::string& ZlibData);

// A skin text with the usual sections, built from lines; every line ends in CR LF.
std::string Lines(const std::vector<std::string>& Lines);

// An INI reader over the given text.
std::unique_ptr<cl::TMemIniFile> IniOf(const std::string& Text);

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    // The folder with a trailing delimiter, as the layer's paths are written.
    std::string Path() const;
    std::string File(const std::string& Name) const { return Path() + Name; }
    void Write(const std::string& Name, const std::string& Bytes) const;

private:
    std::filesystem::path path_;
};

}  // namespace sktest
