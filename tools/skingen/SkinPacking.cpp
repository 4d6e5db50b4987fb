#include "SkinPacking.h"

#include <stdexcept>

#include "FileWrite.h"
#include "skins/StoredSkinResources.h"
#include "skin/data/Stored.h"

namespace skingen {

using namespace trebanix;

namespace {

// Resource-script strings: quotes doubled, backslashes escaped.
std::string quoted(const std::string& text)
{
    std::string out = "\"";
    for (char ch : text) {
        if (ch == '"') out += "\"\"";
        else if (ch == '\\') out += "\\\\";
        else out += ch;
    }
    return out + "\"";
}

}  // namespace

PackedSkin packSkin(const SkinBundle& skin, const std::filesystem::path& work, const std::filesystem::path& output)
{
    const std::string stem = skin.params.fileStem();
    const std::filesystem::path ini = writeSkinFolder(skin, work / stem);
    sk::TskCompressedStoredSkin stored(nullptr);
    stored.LoadFromIniFile(ini.string());
    if (stored.IsEmpty()) throw std::runtime_error("the packer left " + ini.string() + " empty");
    const std::string bytes = stored.CompressedStream().DataString();
    if (bytes.size() < 2 || static_cast<unsigned char>(bytes[0]) != 0x78 || static_cast<unsigned char>(bytes[1]) != 0xDA)
        throw std::runtime_error(stem + " was not packed at the best compression");

    PackedSkin packed;
    packed.description = skin.params.name;
    packed.fileName = stem + ".ini";
    packed.packedName = stem + ".skn";
    std::filesystem::create_directories(output);
    packed.stream = output / (stem + ".zlib");
    writeFile(packed.stream, bytes);
    packed.size = bytes.size();
    return packed;
}

std::string resourceScript(const std::vector<PackedSkin>& skins)
{
    if (static_cast<int>(skins.size()) != StoredSkinCount)
        throw std::logic_error("the program stores " + std::to_string(StoredSkinCount) + " skins, not " +
                               std::to_string(skins.size()));
    std::string rc = "// Written by skingen: the program's stored skins.\n";
    for (std::size_t i = 0; i < skins.size(); ++i)
        rc += std::to_string(StoredSkinFirstId + i) + " RCDATA " + quoted(skins[i].stream.generic_string()) + "\n";
    rc += "STRINGTABLE\nBEGIN\n";
    for (std::size_t i = 0; i < skins.size(); ++i) {
        rc += "  " + std::to_string(StoredSkinDescriptionId + i) + ", " + quoted(skins[i].description) + "\n";
        rc += "  " + std::to_string(StoredSkinFileNameId + i) + ", " + quoted(skins[i].fileName) + "\n";
        rc += "  " + std::to_string(StoredSkinPackedNameId + i) + ", " + quoted(skins[i].packedName) + "\n";
    }
    rc += "END\n";
    return rc;
}

}  // namespace skingen
