#pragma once
// How a surface is shaded across the axis along which it is not tiled.
#include "Colour.h"
#include "SkinParams.h"

namespace skingen {

// The colour at position I of N along the shaded axis.
Rgb shadeAt(const Ramp& ramp, FillKind fill, int i, int n);

// The darkest and the lightest colour of a surface N pixels deep: what a text on it must
// stand out against.
Ramp shadeExtremes(const Ramp& ramp, FillKind fill, int n);

}  // namespace skingen
