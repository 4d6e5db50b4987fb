#pragma once
// A button face of any size composed from the skin's "resizebutton" picture, with an arrow in
// the font colour of its state: what the up-down and the combo box draw when their own pictures
// may not keep their size.
#include "classlib/graphics/Canvas.h"
#include "skin/data/SkinData.h"

namespace sk {

// Draws the face into R of Canvas; the arrow (a TskArrowDirection) 2 pixels lower and to the
// right while pressed. False, with nothing drawn, when the skin has no such button picture.
bool DrawResizeButtonFace(cl::TCanvas* Canvas, TskSkinData* Data, const TRect& R, bool Hot, bool Pressed,
                          int Arrow);

// The same face without an arrow, for a caption of the caller's; FontColor receives the colour
// the skin gives a caption in that state. False, with nothing drawn, as above.
bool DrawResizeButtonPlate(cl::TCanvas* Canvas, TskSkinData* Data, const TRect& R, bool Hot, bool Pressed,
                           cl::TColor& FontColor);

}  // namespace sk
