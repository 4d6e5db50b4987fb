// The pixel arithmetic of TskEffectBmp. Where the pixels live (a DIB section on Windows, plain
// memory elsewhere) is the business of the platform file beside this one.
#include "skin/drawing/Effects.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "classlib/system/SysUtils.h"
#include "classlib/system/ThreadStore.h"
#include "skin/drawing/EffectsKernels.h"

namespace sk {

using namespace kernels;

namespace {

// The value of every channel level under a blend that depends on the level alone.
using TLevelTable = std::array<std::uint8_t, 256>;

// Its memory is kept from one call to the next: a form's inactive image is made often.
constinit cl::TThreadStore<std::vector<std::uint16_t>> pairsStore;

void ApplyLevels(TskEffectBmp& Bmp, const TLevelTable& Levels)
{
    const std::size_t rowBytes = 3 * static_cast<std::size_t>(Bmp.Width());
    // A lookup for two channels at once halves the lookups; the table of pairs is worth making
    // once the bitmap has twice as many channels as the table has entries.
    constexpr std::size_t pairCount = 256 * 256;
    if (rowBytes * static_cast<std::size_t>(Bmp.Height()) >= 2 * pairCount) {
        std::uint16_t* pairs = pairsStore.Get(pairCount).data();
        for (std::size_t second = 0; second < 256; ++second)
            for (std::size_t first = 0; first < 256; ++first)
                pairs[256 * second + first] = static_cast<std::uint16_t>(Levels[first] | (Levels[second] << 8));
        for (int y = 0; y < Bmp.Height(); ++y)
            ApplyLevelPairs(Bmp.ScanLine(y), rowBytes, Levels.data(), pairs);
        return;
    }
    for (int y = 0; y < Bmp.Height(); ++y) {
        std::uint8_t* p = Bmp.ScanLine(y);
        for (std::size_t i = 0; i < rowBytes; ++i)
            p[i] = Levels[p[i]];
    }
}

}  // namespace

void ClampRGB(int& R, int& G, int& B)
{
    R = ClampByte(R);
    G = ClampByte(G);
    B = ClampByte(B);
}

int TskEffectBmp::GetPixel(int X, int Y) const
{
    if (X < 0 || X >= width_ || Y < 0 || Y >= height_)
        return -1;
    const std::uint8_t* p = ScanLine(Y) + 3 * X;
    return p[0] | (p[1] << 8) | (p[2] << 16);
}

void TskEffectBmp::SetPixel(int X, int Y, int Color)
{
    if (X < 0 || X >= width_ || Y < 0 || Y >= height_)
        return;
    std::uint8_t* p = ScanLine(Y) + 3 * X;
    p[0] = static_cast<std::uint8_t>(Color);
    p[1] = static_cast<std::uint8_t>(Color >> 8);
    p[2] = static_cast<std::uint8_t>(Color >> 16);
}

std::uint8_t* TskEffectBmp::ScanLine(int Y) const
{
    if (Y < 0 || Y >= height_ || !bits_)
        return nullptr;
    return bits_ + static_cast<std::size_t>(Y) * rowInc_;
}

void TskEffectBmp::GetLine(int Y, void* Buffer) const
{
    if (const std::uint8_t* row = ScanLine(Y))
        std::memcpy(Buffer, row, 3 * static_cast<std::size_t>(width_));
}

void TskEffectBmp::SetLine(int Y, const void* Buffer)
{
    if (std::uint8_t* row = ScanLine(Y))
        std::memcpy(row, Buffer, 3 * static_cast<std::size_t>(width_));
}

// ---------------------------------------------------------------------------------------------
// Morphs

void TskEffectBmp::Morph(const TskEffectBmp& Target, double K)
{
    if (!SameSize(Target))
        return;
    K = std::clamp(K, 0.0, 1.0);
    const TConstantWeights weights(1 - K, K, true);
    const std::size_t rowBytes = 3 * static_cast<std::size_t>(width_);
    for (int y = 0; y < height_; ++y)
        BlendChannels(ScanLine(y), Target.ScanLine(y), weights.Weights(), rowBytes);
}

void TskEffectBmp::MorphGradient(const TskEffectBmp& Target, double K)
{
    if (width_ < height_)
        MorphVGradient(Target, K);
    else
        MorphHGradient(Target, K);
}

namespace {

// Weights for a gradient, kept from one morph to the next on each thread: allocating them
// anew costs more than blending a small bitmap under some heaps.
constinit cl::TThreadStore<TColumnWeights> scratchWeights;

TColumnWeights& ScratchWeights(int Width)
{
    TColumnWeights& weights = scratchWeights.Get(0);
    weights.Reset(Width);
    return weights;
}

void BlendColumns(TskEffectBmp& Own, const TskEffectBmp& Target, const TColumnWeights& Weights)
{
    // A column of weight 1 keeps the own image and one of weight 0 shows the target, exactly:
    // long runs of them are left alone or copied instead of blended.
    enum TKind { kBlend, kBlendWide, kKeep, kCopy };
    struct TRun {
        int From, To;  // columns
        TKind Kind;
    };
    const int width = Own.Width();
    // Kept from one morph to the next on each thread, as the weights are.
    struct TRunScratch {
        std::vector<TRun> Runs, Merged;
    };
    static constinit cl::TThreadStore<TRunScratch> scratch;
    TRunScratch& store = scratch.Get();
    std::vector<TRun>& runs = store.Runs;
    std::vector<TRun>& merged = store.Merged;
    runs.clear();
    merged.clear();
    for (int x = 0; x < width; ++x) {
        const double f = Weights.Own[3 * static_cast<std::size_t>(x)];
        const TKind kind =
            f == 1.0 ? kKeep : (f == 0.0 ? kCopy : (TColumnWeights::Bracketed(f) ? kBlend : kBlendWide));
        if (runs.empty() || runs.back().Kind != kind)
            runs.push_back({x, x + 1, kind});
        else
            runs.back().To = x + 1;
    }
    // Short runs cost more cut out than blended.
    constexpr int shortRun = 8;
    for (TRun run : runs) {
        if (run.To - run.From < shortRun && run.Kind != kBlendWide)
            run.Kind = kBlend;
        if (!merged.empty() && merged.back().Kind == run.Kind)
            merged.back().To = run.To;
        else
            merged.push_back(run);
    }
    const TBlendWeights all = Weights.Weights();
    for (int y = 0; y < Own.Height(); ++y) {
        std::uint8_t* own = Own.ScanLine(y);
        const std::uint8_t* target = Target.ScanLine(y);
        for (const TRun& run : merged) {
            const std::size_t from = 3 * static_cast<std::size_t>(run.From);
            const std::size_t count = 3 * static_cast<std::size_t>(run.To - run.From);
            if (run.Kind == kCopy) {
                std::memcpy(own + from, target + from, count);
            } else if (run.Kind != kKeep) {
                const bool bracketed = run.Kind == kBlend;
                const TBlendWeights part = {all.Own + from,
                                            all.Target + from,
                                            all.OwnF + from,
                                            1,
                                            0,
                                            bracketed ? Weights.Low.data() + from : nullptr,
                                            bracketed ? Weights.High.data() + from : nullptr,
                                            bracketed ? Weights.FromOwn.data() + from : nullptr};
                BlendChannels(own + from, target + from, part, count);
            }
        }
    }
}

// The weight of the own image along a run of columns or rows From to To (both included; Step
// is 1 or -1): 0 at From, growing by Inc per step up to 1. Set(i, weight) applies it.
template <class TSet>
void RampWeights(int From, int To, int Step, double Inc, TSet Set)
{
    double f = 0;
    for (int i = From; Step > 0 ? i <= To : i >= To; i += Step) {
        Set(i, f);
        f = std::min(f + Inc, 1.0);
    }
}

}  // namespace

void TskEffectBmp::MorphHGradient(const TskEffectBmp& Target, double K)
{
    if (!SameSize(Target) || width_ < 1)
        return;
    K = std::clamp(K, 0.0, 1.0);
    const int d = Nearest(width_ * K);
    const int steps = (width_ - d) / 2;
    const double inc = steps == 0 ? 1.0 : 1.0 / steps;
    const int start = std::max(width_ / 2 - d / 2, 0);
    const int stop = std::min(width_ / 2 + d / 2, width_ - 1);
    // Columns start .. stop show the target; from each end the weight of the own image grows by
    // inc per column toward the edges.
    TColumnWeights& weights = ScratchWeights(width_);
    const auto setColumn = [&weights](int x, double f) { weights.Set(x, f); };
    RampWeights(start, 0, -1, inc, setColumn);
    RampWeights(stop, width_ - 1, 1, inc, setColumn);
    BlendColumns(*this, Target, weights);
}

void TskEffectBmp::MorphVGradient(const TskEffectBmp& Target, double K)
{
    if (!SameSize(Target) || height_ < 1)
        return;
    K = std::clamp(K, 0.0, 1.0);
    const int d = Nearest(height_ * K);
    const int steps = (height_ - 1 - d) / 2;
    const double inc = steps == 0 ? 0.0 : 1.0 / steps;
    const int start = std::max(height_ / 2 - d / 2, 0);
    const int stop = std::min(height_ / 2 + d / 2, height_ - 1);
    const std::size_t rowBytes = 3 * static_cast<std::size_t>(width_);
    for (int y = start; y <= stop; ++y)
        std::memcpy(ScanLine(y), Target.ScanLine(y), rowBytes);
    auto blendRow = [&](int y, double f) {
        const TConstantWeights weights(f, 1 - f);
        BlendChannels(ScanLine(y), Target.ScanLine(y), weights.Weights(), rowBytes);
    };
    RampWeights(start, 0, -1, inc, blendRow);
    RampWeights(stop, height_ - 1, 1, inc, blendRow);
}

void TskEffectBmp::MorphLeftGradient(const TskEffectBmp& Target, double K)
{
    // One column has no room for a gradient beside it.
    if (!SameSize(Target) || width_ < 2)
        return;
    K = std::clamp(K, 0.0, 1.0);
    const int d = std::clamp(Nearest(width_ * K), 1, width_ - 1);
    // Columns right of d keep the own image: weight 1 on it.
    TColumnWeights& weights = ScratchWeights(width_);
    for (int x = d + 1; x < width_; ++x)
        weights.Set(x, 1.0);
    const double inc = 1.0 / d;
    RampWeights(0, d, 1, inc, [&weights](int x, double f) { weights.Set(x, f); });
    BlendColumns(*this, Target, weights);
}

void TskEffectBmp::MorphRightGradient(const TskEffectBmp& Target, double K)
{
    if (!SameSize(Target) || width_ < 1)
        return;
    K = std::clamp(K, 0.0, 1.0);
    const int d = std::clamp(width_ - Nearest(width_ * K), 0, width_ - 1);
    const int n = width_ - d;
    const double inc = n < 1 ? 1.0 : 1.0 / n;
    TColumnWeights& weights = ScratchWeights(width_);
    for (int x = 0; x < d; ++x)
        weights.Set(x, 1.0);
    RampWeights(width_ - 1, d, -1, inc, [&weights](int x, double f) { weights.Set(x, f); });
    BlendColumns(*this, Target, weights);
}

void TskEffectBmp::MorphLeftSlide(const TskEffectBmp& Target, double K)
{
    if (!SameSize(Target) || width_ < 2)
        return;
    K = std::clamp(K, 0.0, 1.0);
    const int d = std::clamp(Nearest(width_ * K), 1, width_ - 1);
    for (int y = 0; y < height_; ++y)
        std::memcpy(ScanLine(y), Target.ScanLine(y) + 3 * (width_ - d), 3 * static_cast<std::size_t>(d));
}

void TskEffectBmp::MorphRightSlide(const TskEffectBmp& Target, double K)
{
    if (!SameSize(Target) || width_ < 2)
        return;
    K = std::clamp(K, 0.0, 1.0);
    const int d = std::clamp(Nearest(width_ * K), 1, width_ - 1);
    for (int y = 0; y < height_; ++y)
        std::memcpy(ScanLine(y) + 3 * (width_ - d), Target.ScanLine(y), 3 * static_cast<std::size_t>(d));
}

void TskEffectBmp::MorphPush(const TskEffectBmp& Target, double K)
{
    if (!SameSize(Target) || width_ < 1)
        return;
    K = std::clamp(K, 0.0, 1.0);
    const int d = std::clamp(Nearest(width_ * K), 0, width_ - 1);
    for (int y = 0; y < height_; ++y) {
        std::uint8_t* p = ScanLine(y);
        const std::uint8_t* t = Target.ScanLine(y);
        // The own image moves d + 1 pixels right; walking from the right keeps the sources
        // unread until they are copied.
        for (int x = width_ - 1; x >= d; --x)
            std::memcpy(p + 3 * x, p + 3 * std::max(0, x - d - 1), 3);
        for (int x = 0; x <= d; ++x)
            std::memcpy(p + 3 * x, t + 3 * std::min(width_ - 1, width_ - d - 1 + x), 3);
    }
}

void TskEffectBmp::MorphByKind(TskMorphKind Kind, const TskEffectBmp& Target, double K)
{
    switch (Kind) {
    case mkDefault: Morph(Target, K); break;
    case mkGradient: MorphGradient(Target, K); break;
    case mkLeftGradient: MorphLeftGradient(Target, K); break;
    case mkRightGradient: MorphRightGradient(Target, K); break;
    case mkLeftSlide: MorphLeftSlide(Target, K); break;
    case mkRightSlide: MorphRightSlide(Target, K); break;
    case mkPush: MorphPush(Target, K); break;
    }
}

// ---------------------------------------------------------------------------------------------
// Effects

void TskEffectBmp::ChangeBrightness(double K)
{
    K = std::clamp(K, 0.0, 1.0);
    TLevelTable levels;
    for (int v = 0; v < 256; ++v)
        levels[v] = ToByte((1 - K) * v + 255 * K);
    ApplyLevels(*this, levels);
}

void TskEffectBmp::ChangeDarkness(double K)
{
    K = std::clamp(K, 0.0, 1.0);
    TLevelTable levels;
    for (int v = 0; v < 256; ++v)
        levels[v] = ToByte((1 - K) * v);
    ApplyLevels(*this, levels);
}

void TskEffectBmp::ApplyImageEffect(TskImageEffect Effect)
{
    switch (Effect) {
    case ieBrightness: ChangeBrightness(0.5); break;
    case ieDarkness: ChangeDarkness(0.3); break;
    case ieGrayScale: GrayScale(); break;
    case ieNoise: AddNoise(50); break;
    case ieSplitBlur: SplitBlur(1); break;
    case ieInvert: Invert(); break;
    }
}

void TskEffectBmp::Invert()
{
    for (int y = 0; y < height_; ++y)
        InvertChannels(ScanLine(y), 3 * static_cast<std::size_t>(width_));
}

void TskEffectBmp::GrayScale()
{
    std::array<double, 256> red, green, blue;
    for (int v = 0; v < 256; ++v) {
        red[v] = 0.3 * v;
        green[v] = 0.59 * v;
        blue[v] = 0.11 * v;
    }
    for (int y = 0; y < height_; ++y) {
        std::uint8_t* p = ScanLine(y);
        for (int x = 0; x < width_; ++x, p += 3) {
            // The weights add up to 1, so the sum lies within 0 .. 255 and needs no clamp; the
            // rounding bias leaves its nearest integer in the low byte, without a conversion.
            const double sum = (red[p[2]] + green[p[1]] + blue[p[0]]) + IntegerRoundingBias;
            std::uint64_t bits;
            std::memcpy(&bits, &sum, sizeof bits);
            p[0] = p[1] = p[2] = static_cast<std::uint8_t>(bits);
        }
    }
}

void TskEffectBmp::AddNoise(int Amount)
{
    if (Amount <= 0)
        return;
    // The generator's steps are taken here, one a pixel, instead of a call of cl::Random each;
    // RandSeed ends where those calls would have left it.
    std::uint32_t seed = cl::RandSeed;
    for (int y = 0; y < height_; ++y)
        NoiseRow(ScanLine(y), width_, Amount, seed);
    cl::RandSeed = seed;
}

namespace {

// Pixels From .. To - 1 of a row whose neighbours lie in the rows Up and Down at the byte
// offsets Left and Right.
void BlurEdgePixels(std::uint8_t* Row, const std::uint8_t* Up, const std::uint8_t* Down, const int* Left,
                    const int* Right, int From, int To)
{
    for (int x = From; x < To; ++x)
        for (int c = 0; c < 3; ++c)
            Row[3 * x + c] = static_cast<std::uint8_t>(
                (Up[Left[x] + c] + Down[Left[x] + c] + Up[Right[x] + c] + Down[Right[x] + c]) >> 2);
}

}  // namespace

void TskEffectBmp::SplitBlur(int Amount)
{
    if (Amount == 0 || width_ < 1 || height_ < 1)
        return;
    // The neighbour rules reach one past the end for the first row or column of a bitmap no
    // larger than Amount (and anywhere for a negative Amount): every index is kept inside.
    auto lower = [Amount](int i) { return i - Amount < 0 ? i : i - Amount; };
    auto upper = [Amount](int i, int n) { return i + Amount >= n ? n - i : i + Amount; };
    auto inside = [](int i, int n) { return std::clamp(i, 0, n - 1); };
    std::vector<int> left(static_cast<std::size_t>(width_)), right(left.size());
    for (int x = 0; x < width_; ++x) {
        left[x] = 3 * inside(lower(x), width_);
        right[x] = 3 * inside(upper(x, width_), width_);
    }
    // Columns whose neighbours are x - Amount and x + Amount, both inside.
    const int firstInner = Amount > 0 ? Amount : width_;
    const int endInner = Amount > 0 ? width_ - Amount : 0;
    for (int y = 0; y < height_; ++y) {
        const std::uint8_t* up = ScanLine(inside(lower(y), height_));
        const std::uint8_t* down = ScanLine(inside(upper(y, height_), height_));
        std::uint8_t* p = ScanLine(y);
        int x = 0;
        if (up != p && down != p && firstInner < endInner) {
            // Neighbours in other rows only: no pixel of this row reads another of it, so the
            // inner columns go in any order, many at a time.
            BlurEdgePixels(p, up, down, left.data(), right.data(), 0, firstInner);
            BlurInnerColumns(p, up, down, 3 * static_cast<std::size_t>(Amount), 3 * static_cast<std::size_t>(firstInner),
                             3 * static_cast<std::size_t>(endInner));
            x = endInner;
            p += 3 * static_cast<std::size_t>(endInner);
        }
        for (; x < width_; ++x, p += 3) {
            const std::uint8_t* ul = up + left[x];
            const std::uint8_t* dl = down + left[x];
            const std::uint8_t* ur = up + right[x];
            const std::uint8_t* dr = down + right[x];
            // Channel by channel: a neighbour may be this very pixel, read as it changes.
            p[0] = static_cast<std::uint8_t>((ul[0] + dl[0] + ur[0] + dr[0]) >> 2);
            p[1] = static_cast<std::uint8_t>((ul[1] + dl[1] + ur[1] + dr[1]) >> 2);
            p[2] = static_cast<std::uint8_t>((ul[2] + dl[2] + ur[2] + dr[2]) >> 2);
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Copies into a second bitmap

void TskEffectBmp::Rotate90CounterClockwise(TskEffectBmp& Dest) const
{
    if (Dest.width_ != height_ || Dest.height_ != width_)
        return;
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            Dest.SetPixel(y, width_ - 1 - x, GetPixel(x, y));
}

void TskEffectBmp::Rotate90Clockwise(TskEffectBmp& Dest) const
{
    if (Dest.width_ != height_ || Dest.height_ != width_)
        return;
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            Dest.SetPixel(height_ - 1 - y, x, GetPixel(x, y));
}

void TskEffectBmp::FlipVertical(TskEffectBmp& Dest) const
{
    if (!SameSize(Dest))
        return;
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            Dest.SetPixel(x, height_ - 1 - y, GetPixel(x, y));
}

}  // namespace sk
