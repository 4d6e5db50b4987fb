#include "SkinBundle.h"

#include "AtlasArt.h"
#include "BmpFile.h"
#include "DimmedLook.h"
#include "FileWrite.h"
#include "FrameArt.h"
#include "SkinText.h"
#include "WindowArt.h"

namespace skingen {

SkinBundle drawSkin(const SkinParams& p)
{
    SkinBundle s;
    s.params = p;
    s.palette = makePalette(p);
    s.layout = frameLayout(p);
    s.frame = paintFrame(p, s.palette, s.layout, true);
    if (p.drawnInactive)
        s.inactiveFrame = paintFrame(p, s.palette, s.layout, false);
    else
        s.palette.captionTextDimmed =
            readableWhenDimmed(s.frame, s.layout.captionRect, inactiveEffectWord(p.inactiveEffect),
                               {s.palette.captionText, s.palette.captionTextInactive, Rgb{255, 255, 255}, Rgb{0, 0, 0}});
    s.mask = paintFrameMask(s.layout);
    s.atlas = paintAtlas(p, s.palette, s.layout, s.frame, s.inactiveFrame);
    s.popup = paintPopupFrame(p, s.palette);
    s.hint = paintHintFrame(p, s.palette);
    s.tile = paintClientTile(p, s.palette);
    s.text = describeSkin(p, s.palette, s.layout);
    return s;
}

std::filesystem::path writeSkinFolder(const SkinBundle& skin, const std::filesystem::path& folder)
{
    std::filesystem::create_directories(folder);
    writeBmp(skin.frame, folder / pictureFiles::Frame);
    if (!skin.inactiveFrame.empty()) writeBmp(skin.inactiveFrame, folder / pictureFiles::InactiveFrame);
    writeBmp(skin.mask, folder / pictureFiles::Mask);
    writeBmp(skin.atlas, folder / pictureFiles::Atlas);
    writeBmp(skin.popup, folder / pictureFiles::Popup);
    writeBmp(skin.hint, folder / pictureFiles::Hint);
    writeBmp(skin.tile, folder / pictureFiles::Tile);
    const std::filesystem::path ini = folder / (skin.params.fileStem() + ".ini");
    writeFile(ini, skin.text.text());
    return ini;
}

}  // namespace skingen
