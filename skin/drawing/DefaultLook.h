#pragma once
// The colours of the default look, the one a skinned control draws while it has no skin: a hot
// or pressed element is a navy frame around a light (hot) or a darker (pressed, selected) fill.
#include "classlib/graphics/Color.h"

namespace sk {

constexpr cl::TColor clSkinDefaultFrame = 0x800000;
constexpr cl::TColor clSkinDefaultHotFill = 0xD2BDB6;
constexpr cl::TColor clSkinDefaultDownFill = 0xB59385;

}  // namespace sk
