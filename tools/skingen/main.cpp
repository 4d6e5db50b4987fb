// skingen: draws the program's skins from their parameter records.
//   skingen --skins DIR     one folder per skin: its description and the pictures it names
//   skingen --gallery DIR   a PNG per skin and a contact sheet of all of them
//   skingen --pack DIR      every skin packed into DIR/<stem>.zlib and DIR/StoredSkins.rc,
//                           the resource script that builds them into the program
//   skingen --list          the skins in order
#include <cstdint>
#include <cstring>
#include <exception>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>

#include "FileWrite.h"
#include "Gallery.h"
#include "SkinBundle.h"
#include "SkinChecks.h"
#include "SkinPacking.h"

namespace {

int usage()
{
    std::cerr << "usage: skingen --skins DIR | --gallery DIR | --pack DIR | --list\n";
    return 2;
}

std::vector<skingen::SkinBundle> drawAll()
{
    std::vector<skingen::SkinBundle> skins;
    for (const auto& p : skingen::skinCatalog()) {
        skins.push_back(skingen::drawSkin(p));
        // A skin that breaks a rule is not written at all: better no build than a broken skin.
        const auto problems = skingen::checkSkin(skins.back());
        if (!problems.empty()) {
            for (const auto& problem : problems) std::cerr << p.name << ": " << problem << "\n";
            throw std::runtime_error("skin \"" + p.name + "\" breaks the skin rules");
        }
    }
    return skins;
}

// The stored skins may add at most this much to the program.
constexpr std::uintmax_t PackedBudget = 8u * 1024 * 1024;

void packAll(const std::filesystem::path& folder)
{
    std::vector<skingen::PackedSkin> packed;
    std::uintmax_t total = 0;
    for (const auto& skin : drawAll()) {
        packed.push_back(skingen::packSkin(skin, folder / "work", folder));
        total += packed.back().size;
    }
    if (total > PackedBudget)
        throw std::runtime_error("the packed skins take " + std::to_string(total) + " bytes, more than the " +
                                 std::to_string(PackedBudget) + " allowed");
    // The folders the packer read from are of no further use.
    std::filesystem::remove_all(folder / "work");
    // The script is written last: its presence means every stream beside it is complete.
    const auto script = folder / "StoredSkins.rc";
    skingen::writeFile(script, skingen::resourceScript(packed));
    std::cout << packed.size() << " skins packed, " << total << " bytes\n";
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        if (argc == 2 && std::strcmp(argv[1], "--list") == 0) {
            for (const auto& p : skingen::skinCatalog()) std::cout << p.fileStem() << "\t" << p.name << "\n";
            return 0;
        }
        if (argc != 3) return usage();
        const std::string command = argv[1];
        const std::filesystem::path folder = argv[2];
        if (command == "--skins") {
            for (const auto& skin : drawAll()) skingen::writeSkinFolder(skin, folder / skin.params.fileStem());
            return 0;
        }
        if (command == "--pack") {
            packAll(folder);
            return 0;
        }
        if (command == "--gallery") {
            skingen::writeGallery(drawAll(), folder);
            return 0;
        }
        return usage();
    } catch (const std::exception& e) {
        std::cerr << "skingen: " << e.what() << "\n";
        return 1;
    }
}
