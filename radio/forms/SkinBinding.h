#pragma once
// Binds every skinned component a window owns (its frame and every skinned control, whatever
// its kind) to one skin data. Each window of the program calls it once its controls are made.
#include "classlib/classes/Classes.h"
#include "skin/data/SkinData.h"

void BindSkinData(cl::TComponent* Owner, sk::TskSkinData* SkinData);
