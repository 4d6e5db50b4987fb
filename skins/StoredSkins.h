#pragma once
// The program's stored skins, made from the resources the skin generator built into it.
#include <vector>

#include "classlib/classes/Classes.h"
#include "skin/data/Stored.h"

namespace trebanix {

// One stored skin per packed skin resource (skins/StoredSkinResources.h), in the main window's
// order, owned by Owner; each carries its Description, FileName and CompressedFileName.
// EResNotFound when a skin's texts are missing.
std::vector<sk::TskCompressedStoredSkin*> CreateStoredSkins(cl::TComponent* Owner);

}  // namespace trebanix
