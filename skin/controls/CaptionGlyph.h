#pragma once
// The glyph of a panel's caption: a strip of one frame, or of two whose second is the disabled
// look, drawn before the caption's text and Spacing pixels away from it.
#include "classlib/graphics/Bitmap.h"
#include "classlib/graphics/Canvas.h"

namespace sk {

class TskCaptionGlyph {
public:
    cl::TBitmap* Glyph() { return &glyph_; }
    bool Empty() const { return glyph_.Empty(); }
    // A copy of Value.
    void Assign(cl::TBitmap* Value) { glyph_.Assign(Value); }
    int NumGlyphs() const { return numGlyphs_; }
    // 1 or 2; other values are taken to the nearer one.
    void SetNumGlyphs(int Value);
    int Spacing() const { return spacing_; }
    void SetSpacing(int Value) { spacing_ = Value; }

    int Width() const { return glyph_.Width(); }
    int Height() const { return glyph_.Height(); }
    int FrameWidth() const { return glyph_.Width() / numGlyphs_; }
    // The frame of the look: the second one for a disabled control with two.
    int Frame(bool Enabled) const { return !Enabled && numGlyphs_ == 2 ? 2 : 1; }
    // The frame of the look at (X, Y); nothing without a glyph.
    void Draw(cl::TCanvas* Canvas, int X, int Y, bool Enabled);

private:
    cl::TBitmap glyph_;
    int numGlyphs_ = 1;
    int spacing_ = 2;
};

}  // namespace sk
