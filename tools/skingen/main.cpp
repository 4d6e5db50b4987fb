// skingen: draws the program's skins from their parameter records.
//   skingen --skins DIR     one folder per skin: its description and the pictures it names
//   skingen --gallery DIR   a PNG per skin and a contact sheet of all of them
//   skingen --list          the skins in order
#include <cstring>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>

#include "Gallery.h"
#include "SkinBundle.h"
#include "SkinChecks.h"

namespace {

int usage()
{
    std::cerr << "usage: skingen --skins DIR | --gallery DIR | --list\n";
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
