#pragma once
// How text reads on a frame that dims itself. Such a frame has no inactive picture: while its
// window is inactive the engine draws the caption text into the caption band and then applies
// the skin's inactive effect to band and text together, so an effect that lightens both can
// leave white text on a light band. The effect is the engine's own code.
#include <initializer_list>
#include <string>

#include "Colour.h"
#include "Image.h"

namespace skingen {

// The lowest contrast the inactive effect named by EffectWord (the description's
// "inactiveeffect") leaves between a bold stroke of Text and the Background beside it.
double dimmedContrast(const std::string& EffectWord, Rgb Text, Rgb Background);

// The lowest dimmed contrast of Text over every pixel of the column through the middle of Area.
double dimmedContrastOver(const Image& Picture, const Rect& Area, const std::string& EffectWord, Rgb Text);

// Of the Candidates, in the order of preference, the first that still reads once dimmed over
// Area, else the one that reads best.
Rgb readableWhenDimmed(const Image& Picture, const Rect& Area, const std::string& EffectWord,
                       std::initializer_list<Rgb> Candidates);

}  // namespace skingen
