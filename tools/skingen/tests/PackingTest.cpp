// Packing through the program's own packer and the resource script for the packed streams.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "Gallery.h"
#include "Preview.h"
#include "SkinPacking.h"
#include "skin/data/SkinData.h"

using namespace skingen;

namespace {

std::filesystem::path scratch(const char* name)
{
    auto folder = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(folder);
    return folder;
}

}  // namespace

TEST(SkinPacking, PackedSkinLoadsBackWithItsPicturesPixelForPixel)
{
    const auto folder = scratch("skingen-pack-test");
    const SkinBundle skin = drawSkin(skinCatalog()[28]);
    const PackedSkin packed = packSkin(skin, folder / "work", folder);
    EXPECT_EQ(packed.description, "Lagoon");
    EXPECT_EQ(packed.packedName, "Lagoon.skn");
    EXPECT_EQ(packed.size, std::filesystem::file_size(packed.stream));

    sk::TskCompressedStoredSkin stored(nullptr);
    std::ifstream in(packed.stream, std::ios::binary);
    stored.CompressedStream().SetData(std::string(std::istreambuf_iterator<char>(in), {}));
    sk::TskSkinData data(nullptr);
    data.LoadCompressedStoredSkin(&stored);
    ASSERT_FALSE(data.Empty);
    ASSERT_EQ(data.ActivePictures.Count(), 4);
    const cl::TBitmap& atlas = *data.ActivePictures[0];
    ASSERT_EQ(atlas.Width(), skin.atlas.width());
    for (int y = 0; y < skin.atlas.height(); y += 7)
        for (int x = 0; x < skin.atlas.width(); x += 3) {
            const Rgb c = skin.atlas.at(x, y);
            ASSERT_EQ(atlas.Pixels(x, y), static_cast<cl::TColor>(toColorValue(c))) << x << "," << y;
        }
    EXPECT_EQ(data.IndexOfControl("button"), 0);
    std::filesystem::remove_all(folder);
}

TEST(SkinPacking, ResourceScriptNamesEveryStreamAndItsTexts)
{
    std::vector<PackedSkin> skins;
    for (const auto& p : skinCatalog())
        skins.push_back({p.name, p.fileStem() + ".ini", p.fileStem() + ".skn", "/b/" + p.fileStem() + ".zlib", 1});
    const std::string rc = resourceScript(skins);
    EXPECT_NE(rc.find("5000 RCDATA \"/b/XSystem.zlib\"\n"), std::string::npos);
    EXPECT_NE(rc.find("5034 RCDATA \"/b/TopLevel.zlib\"\n"), std::string::npos);
    EXPECT_NE(rc.find("  5012, \"Progressive Green\"\n"), std::string::npos);
    EXPECT_NE(rc.find("  5133, \"Sirius.ini\"\n"), std::string::npos);
    EXPECT_NE(rc.find("  5215, \"MacX2.skn\"\n"), std::string::npos);
    skins.pop_back();
    EXPECT_THROW(resourceScript(skins), std::logic_error);
}

TEST(Preview, AWindowAtThePicturesOwnSizeShowsTheFrameUnchanged)
{
    const SkinBundle skin = drawSkin(skinCatalog()[12]);
    const Rgb outside{1, 2, 3};
    const Image window = previewWindow(skin, skin.frame.width(), skin.frame.height(), outside);
    const Rect& client = skin.layout.client;
    for (int y = 0; y < window.height(); ++y)
        for (int x = 0; x < window.width(); ++x) {
            if (client.contains(x, y) || skin.layout.captionRect.contains(x, y)) continue;
            if (skin.mask.at(x, y) == Rgb{0, 0, 0})
                ASSERT_EQ(window.at(x, y), skin.frame.at(x, y)) << x << "," << y;
            else
                ASSERT_EQ(window.at(x, y), outside) << x << "," << y;
        }
}

TEST(Gallery, ContactSheetHoldsEverySkinInFiveColumns)
{
    std::vector<SkinBundle> skins;
    for (int i = 0; i < 7; ++i) skins.push_back(drawSkin(skinCatalog()[i]));
    const Image sheet = contactSheet(skins);
    EXPECT_EQ(sheet.width(), 8 + 5 * (320 + 8));
    EXPECT_EQ(sheet.height(), 8 + 2 * (200 + 8));
}
