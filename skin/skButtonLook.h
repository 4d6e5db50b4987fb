#pragma once
// What the push button, the speed button and the check box share: the hover fade counted in
// whole steps, the frame animation from the skin, the default look's colours, the glyph frame of
// a state and the caption font of a description.
#include <functional>

#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"
#include "skin/skControlTimer.h"
#include "skin/skEffects.h"
#include "skin/skSkinData.h"

namespace sk {

// The default look of hot and pressed elements: a navy frame around a light or a darker fill.
constexpr cl::TColor clSkinDefaultFrame = 0x800000;
constexpr cl::TColor clSkinDefaultHotFill = 0xD2BDB6;
constexpr cl::TColor clSkinDefaultDownFill = 0xB59385;

// The morph between the normal (0) and the hot (1) image: one 0.2 step per 20 ms tick. The value
// is kept as a count of steps, so that it lands exactly on 0 and 1 whatever the direction.
class TskFade {
public:
    static constexpr unsigned Interval = 20;
    static constexpr int Steps = 5;

    // Towards answers where the fade heads now (true: the hot image); Changed repaints.
    TskFade(std::function<bool()> Towards, std::function<void()> Changed);

    double Value() const { return static_cast<double>(step_) / Steps; }
    // 0 or 1 (or a value between, rounded to a step).
    void Set(double Value);
    void Start();
    void Stop() { timer_.Stop(); }
    bool Running() const { return timer_.Running(); }

private:
    void Tick();

    std::function<bool()> towards_;
    std::function<void()> changed_;
    int step_ = 0;
    TskControlTimer timer_;
};

// The frame animation of a skin: frames 1 .. Count of an animation rectangle, forwards while an
// element becomes hot and backwards while it stops being hot. Frame 0 means none.
class TskFrameAnimation {
public:
    explicit TskFrameAnimation(std::function<void()> Changed);

    void Start(bool Forward, int Count, unsigned Interval);
    void Stop();
    bool Running() const { return timer_.Running(); }
    bool Forward() const { return forward_; }
    int Frame() const { return frame_; }
    // The current frame while the animation runs and its frame lies in 1 .. Count.
    bool HasFrame() const { return Running() && frame_ >= 1 && frame_ <= count_; }

private:
    void Tick();

    std::function<void()> changed_;
    int frame_ = 0;
    int count_ = 0;
    bool forward_ = true;
    TskControlTimer timer_;
};

// Frame Index (from 1) of Count frames in A: one below the other when Stacked, else side by
// side. An empty rectangle for a count below 1.
TRect AnimationFrameRect(const TRect& A, int Count, int Index, bool Stacked);

// The glyph frame (from 1) of a state for a strip of NumGlyphs frames.
int GlyphFrameFor(bool Hot, bool Down, bool Enabled, int NumGlyphs);

// The canvas font for a caption: the description's when UseSkinFont, else a copy of
// DefaultFont; the character set from the skin's interface strings when it has them.
void SetCaptionFont(cl::TCanvas* Canvas, const TskDataFont* Description, bool UseSkinFont, cl::TFont* DefaultFont,
                    TskSkinData* Data);

// From morphed toward To by K with the morph Kind, drawn at (0, 0); both of the same size.
void DrawMorph(cl::TCanvas* Canvas, cl::TBitmap* From, cl::TBitmap* To, TskMorphKind Kind, double K);

// A one-pixel frame around a fill, as the default looks draw their elements.
void FillFramed(cl::TCanvas* Canvas, const TRect& R, cl::TColor Frame, cl::TColor Fill);

// The part Src of Picture drawn at (X, Y) without its transparent colour: the part's bottom-left
// pixel, or Colour when one is given (not clNone).
void DrawTransparentPart(cl::TCanvas* Canvas, int X, int Y, cl::TBitmap* Picture, const TRect& Src,
                         cl::TColor Colour = cl::clNone);

}  // namespace sk
