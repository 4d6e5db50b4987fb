#include "skin/controls/CaptionGlyph.h"

#include <algorithm>

#include "skin/drawing/Composers.h"

namespace sk {

void TskCaptionGlyph::SetNumGlyphs(int Value) { numGlyphs_ = std::clamp(Value, 1, 2); }

void TskCaptionGlyph::Draw(cl::TCanvas* Canvas, int X, int Y, bool Enabled)
{
    if (!glyph_.Empty())
        DrawGlyphFrame(Canvas, X, Y, Frame(Enabled), numGlyphs_, &glyph_);
}

}  // namespace sk
