#include "Gallery.h"

#include <algorithm>

#include "AtlasLayout.h"
#include "PngFile.h"
#include "Preview.h"

namespace skingen {

namespace {

constexpr Rgb Backdrop{96, 100, 108};
constexpr int Gap = 8;
constexpr int PreviewWidth = 320, PreviewHeight = 200;

void paste(Image& sheet, const Image& piece, int x, int y)
{
    sheet.copyFrom(piece, piece.bounds(), x, y);
}

}  // namespace

Image gallerySheet(const SkinBundle& skin)
{
    const Image active = previewWindow(skin, PreviewWidth, PreviewHeight, Backdrop, true);
    const Image inactive = previewWindow(skin, PreviewWidth, PreviewHeight, Backdrop, false);
    const int height = Gap + std::max({2 * PreviewHeight + Gap, 2 * atlas::FrameHeight + Gap, skin.atlas.height()}) + Gap;
    const int width = Gap + PreviewWidth + Gap + atlas::FrameWidth + Gap + skin.atlas.width() + Gap;
    Image sheet(width, height, Backdrop);
    paste(sheet, active, Gap, Gap);
    paste(sheet, inactive, Gap, 2 * Gap + PreviewHeight);
    const int x = 2 * Gap + PreviewWidth;
    paste(sheet, skin.frame, x, Gap);
    paste(sheet, skin.mask, x, 2 * Gap + atlas::FrameHeight);
    if (!skin.inactiveFrame.empty()) paste(sheet, skin.inactiveFrame, x, 3 * Gap + 2 * atlas::FrameHeight);
    paste(sheet, skin.popup, x, 4 * Gap + 3 * atlas::FrameHeight);
    paste(sheet, skin.hint, x + atlas::PopupWidth + Gap, 4 * Gap + 3 * atlas::FrameHeight);
    paste(sheet, skin.tile, x + atlas::PopupWidth + atlas::HintWidth + 2 * Gap, 4 * Gap + 3 * atlas::FrameHeight);
    paste(sheet, skin.atlas, x + atlas::FrameWidth + Gap, Gap);
    return sheet;
}

Image contactSheet(const std::vector<SkinBundle>& skins)
{
    const int columns = 5;
    const int rows = (static_cast<int>(skins.size()) + columns - 1) / columns;
    Image sheet(Gap + columns * (PreviewWidth + Gap), Gap + rows * (PreviewHeight + Gap), Backdrop);
    for (std::size_t i = 0; i < skins.size(); ++i) {
        const int col = static_cast<int>(i) % columns, row = static_cast<int>(i) / columns;
        paste(sheet, previewWindow(skins[i], PreviewWidth, PreviewHeight, Backdrop, true),
              Gap + col * (PreviewWidth + Gap), Gap + row * (PreviewHeight + Gap));
    }
    return sheet;
}

void writeGallery(const std::vector<SkinBundle>& skins, const std::filesystem::path& folder)
{
    std::filesystem::create_directories(folder);
    for (const SkinBundle& skin : skins) writePng(gallerySheet(skin), folder / (skin.params.fileStem() + ".png"));
    writePng(contactSheet(skins), folder / "contact-sheet.png");
}

}  // namespace skingen
