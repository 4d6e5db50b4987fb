#pragma once
// Binds every skinned component a window owns (its frame and controls) to one skin data.
#include "classlib/Classes.h"
#include "skin/skSkinData.h"

void BindSkinData(cl::TComponent* Owner, sk::TskSkinData* SkinData);
