#include "skins/StoredSkins.h"

#include <memory>
#include <string>

#include "classlib/classes/Classes.h"
#include "classlib/system/SysUtils.h"
#include "skins/StoredSkinResources.h"

namespace trebanix {

namespace {

std::string skinText(int id)
{
    std::string text = cl::LoadStr(id);
    if (text.empty()) throw cl::EResNotFound(cl::Format("Resource #%d not found", id));
    return text;
}

}  // namespace

std::vector<sk::TskCompressedStoredSkin*> CreateStoredSkins(cl::TComponent* Owner)
{
    std::vector<sk::TskCompressedStoredSkin*> skins;
    for (int i = 0; cl::ResourceExists(StoredSkinFirstId + i); ++i) {
        auto skin = std::make_unique<sk::TskCompressedStoredSkin>(Owner);
        skin->CompressedStream().SetData(cl::ResourceBytes(StoredSkinFirstId + i));
        skin->Description = skinText(StoredSkinDescriptionId + i);
        // Outside design time these only label the skin.
        skin->SetFileName(skinText(StoredSkinFileNameId + i));
        skin->SetCompressedFileName(skinText(StoredSkinPackedNameId + i));
        // From here on the owner frees it (or the caller, without an owner).
        skins.push_back(skin.release());
    }
    return skins;
}

}  // namespace trebanix
