#pragma once
// What the push button, the speed button and the check box share: the hover fade counted in
// whole steps, the frame animation from the skin, the glyph frame of a state and the caption
// font of a description. The default look's colours are in skin/drawing/DefaultLook.h.
#include <functional>
#include <memory>

#include "classlib/graphics/Bitmap.h"
#include "classlib/graphics/Canvas.h"
#include "skin/bases/ControlTimer.h"
#include "skin/drawing/DefaultLook.h"
#include "skin/drawing/Effects.h"
#include "skin/bases/Geometry.h"
#include "skin/data/SkinData.h"

namespace sk {

class TskDataSkinButtonControl;

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
    // The description's animation, when it has a strip of frames; nothing otherwise.
    void Start(bool Forward, const TskDataSkinButtonControl& Description);
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

// The picture rectangles of a button's states, read from its description: the hot image falls
// back to the normal one and the pressed image to the hot one; while the animation shows a
// frame, the frame stands for the hot image (forwards) or for the normal one (backwards).
// Stacked says how the animation strip holds its frames.
struct TskButtonStateRects {
    TRect Normal, Active, Down;

    void Read(const TskDataSkinButtonControl& Description, const TRect& SkinRect, const TskFrameAnimation& Animation,
              bool Stacked);
};

// The glyph frame (from 1) of a state for a strip of NumGlyphs frames.
int GlyphFrameFor(bool Hot, bool Down, bool Enabled, int NumGlyphs);

// The default look of a small element (a scroll arrow or thumb, a spin button, a drop-down
// button): a clBtnShadow frame around clBtnFace, or the navy frame around the hot or, while
// pressed, the darker fill; then, unless Arrow is 0, an arrow (a TskArrowDirection) in ArrowColor.
void DrawDefaultElement(cl::TCanvas* Canvas, const TRect& R, bool Hot, bool Pressed, int Arrow,
                        cl::TColor ArrowColor = cl::clBlack);

// The canvas font for a caption: the description's when UseSkinFont, else a copy of
// DefaultFont; the character set from the skin's interface strings when it has them.
void SetCaptionFont(cl::TCanvas* Canvas, const TskDataFont* Description, bool UseSkinFont, cl::TFont* DefaultFont,
                    TskSkinData* Data);

// The two faces of a fade, kept between its ticks while they stay the same, so that a tick only
// blends them and draws the result: composing a face (skin parts, caption, glyph) and reading
// it back from the device is what a tick would otherwise spend its time on.
class TskMorphFaces {
public:
    // What a pair of faces was composed for; faces made for another key are stale.
    struct TKey {
        TRect From, To;
        int Width = 0, Height = 0;
        int GlyphFrame = 0;
        // A face that shows the focus differs from one that does not.
        bool Focused = false;
        bool operator==(const TKey&) const = default;
    };

    bool Holds(const TKey& Key) const { return from_ && Key == key_; }
    // Takes copies of the composed faces.
    void Store(const TKey& Key, cl::TBitmap* From, cl::TBitmap* To);
    void Clear();
    // From blended toward To by K with the morph Kind (K 0 is From, 1 is To), drawn at (0, 0).
    void Draw(HDC DC, TskMorphKind Kind, double K);

private:
    TKey key_;
    std::unique_ptr<TskEffectBmp> from_;
    std::unique_ptr<TskEffectBmp> to_;
    std::unique_ptr<TskEffectBmp> blend_;
};

// From morphed toward To by K with the morph Kind, drawn at (0, 0); both of the same size.
void DrawMorph(cl::TCanvas* Canvas, cl::TBitmap* From, cl::TBitmap* To, TskMorphKind Kind, double K);

// The caption colour of a button face: the button's own font colour while it is enabled and does
// not take the skin's, else the description's colour for the state.
cl::TColor ButtonCaptionColor(const TskDataSkinButtonControl& Description, bool Enabled, bool UseSkinFontColor,
                              cl::TColor OwnColor, bool Active, bool Down);

// A button face in B, at W by H, from part R of Picture (G fitted to that size). Composed from
// the skin's parts when the button keeps the skin's size or the skin is nine-part; else R as it
// stands for a fixed-size skin or stretched around the client rectangle, nothing without a
// picture. Returns where the caption goes: the fitted client rectangle, or the skin's grown as
// the face grew.
TRect DrawButtonFace(const TskSkinGeometry& G, cl::TBitmap* B, cl::TBitmap* Picture, const TRect& R, int W, int H,
                     bool UseSkinSize);

// A one-pixel frame around a fill, as the default looks draw their elements.
void FillFramed(cl::TCanvas* Canvas, const TRect& R, cl::TColor Frame, cl::TColor Fill);

// The part Src of Picture drawn at (X, Y) without its transparent colour: the part's bottom-left
// pixel, or Colour when one is given (not clNone).
void DrawTransparentPart(cl::TCanvas* Canvas, int X, int Y, cl::TBitmap* Picture, const TRect& Src,
                         cl::TColor Colour = cl::clNone);

}  // namespace sk
