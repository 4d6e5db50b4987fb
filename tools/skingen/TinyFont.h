#pragma once
// A 5 x 7 pixel capital-letter font, enough to name the skins on the gallery's windows.
#include <string>

#include "Image.h"

namespace skingen {

// Draws Text in capitals from (x, y), 6 pixels per character; characters without a pattern
// are left blank. Returns the width drawn.
int drawTinyText(Image& image, int x, int y, const std::string& text, Rgb colour);
int tinyTextWidth(const std::string& text);

}  // namespace skingen
