// The pixel arithmetic of TskEffectBmp. Where the pixels live (a DIB section on Windows, plain
// memory elsewhere) is the business of the platform file beside this one.
#include "skin/skEffects.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "classlib/SysUtils.h"

namespace sk {

namespace {

// Nearest integer, ties to even (the default rounding mode), like the arithmetic the skins
// were designed against. With SSE2 it is one conversion instruction instead of a library call.
inline int Nearest(double Value)
{
#ifdef __SSE2__
    return _mm_cvtsd_si32(_mm_set_sd(Value));
#else
    return static_cast<int>(std::lrint(Value));
#endif
}

inline std::uint8_t ClampByte(int Value)
{
    return static_cast<std::uint8_t>(Value < 0 ? 0 : (Value > 255 ? 255 : Value));
}

inline std::uint8_t ToByte(double Value)
{
    return ClampByte(Nearest(Value));
}

// Own[i] := OwnK[i] * Own[i] + TargetK[i] * Target[i] for Count channels, rounded and clamped.
// Coefficients come per channel (or as one pair for all, Step 0), so every blend of this unit
// runs through one loop that SSE2 does two channels at a time with the same double arithmetic:
// each product rounded, their sum rounded, then to the nearest integer with ties to even.
void BlendChannels(std::uint8_t* Own, const std::uint8_t* Target, const double* OwnK, const double* TargetK,
                   std::size_t Step, std::size_t Count)
{
    std::size_t i = 0;
#ifdef __SSE2__
    const __m128i zero = _mm_setzero_si128();
    auto toDoubles = [&](__m128i Bytes, __m128d* Out) {
        const __m128i words = _mm_unpacklo_epi8(Bytes, zero);
        const __m128i lo = _mm_unpacklo_epi16(words, zero);
        const __m128i hi = _mm_unpackhi_epi16(words, zero);
        Out[0] = _mm_cvtepi32_pd(lo);
        Out[1] = _mm_cvtepi32_pd(_mm_shuffle_epi32(lo, 0xEE));
        Out[2] = _mm_cvtepi32_pd(hi);
        Out[3] = _mm_cvtepi32_pd(_mm_shuffle_epi32(hi, 0xEE));
    };
    for (; i + 8 <= Count; i += 8) {
        __m128d own[4], target[4];
        toDoubles(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(Own + i)), own);
        toDoubles(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(Target + i)), target);
        __m128i sums[4];
        for (int j = 0; j < 4; ++j) {
            const __m128d ownK = Step ? _mm_loadu_pd(OwnK + i + 2 * j) : _mm_set1_pd(*OwnK);
            const __m128d targetK = Step ? _mm_loadu_pd(TargetK + i + 2 * j) : _mm_set1_pd(*TargetK);
            // The conversion rounds by the current mode: to nearest, ties to even.
            sums[j] = _mm_cvtpd_epi32(_mm_add_pd(_mm_mul_pd(ownK, own[j]), _mm_mul_pd(targetK, target[j])));
        }
        const __m128i words = _mm_packs_epi32(_mm_unpacklo_epi64(sums[0], sums[1]), _mm_unpacklo_epi64(sums[2], sums[3]));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(Own + i), _mm_packus_epi16(words, words));
    }
#endif
    for (; i < Count; ++i)
        Own[i] = ToByte(OwnK[i * Step] * Own[i] + TargetK[i * Step] * Target[i]);
}

// Per-channel coefficients of a blend whose weight changes from column to column.
struct TColumnWeights {
    std::vector<double> Own, Target;
    explicit TColumnWeights(int Width) : Own(3 * static_cast<std::size_t>(Width), 0.0), Target(Own.size(), 1.0) {}
    // Column X: F * own + (1 - F) * target.
    void Set(int X, double F)
    {
        for (int c = 0; c < 3; ++c) {
            Own[3 * X + c] = F;
            Target[3 * X + c] = 1 - F;
        }
    }
};

// The value of every channel level under a blend that depends on the level alone.
using TLevelTable = std::array<std::uint8_t, 256>;

void ApplyLevels(TskEffectBmp& Bmp, const TLevelTable& Levels)
{
    const std::size_t rowBytes = 3 * static_cast<std::size_t>(Bmp.Width());
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
    const double ownK = 1 - K;
    const std::size_t rowBytes = 3 * static_cast<std::size_t>(width_);
    for (int y = 0; y < height_; ++y)
        BlendChannels(ScanLine(y), Target.ScanLine(y), &ownK, &K, 0, rowBytes);
}

void TskEffectBmp::MorphGradient(const TskEffectBmp& Target, double K)
{
    if (width_ < height_)
        MorphVGradient(Target, K);
    else
        MorphHGradient(Target, K);
}

// Blends every row by per-column weights.
void TskEffectBmp::BlendColumns(const TskEffectBmp& Target, const std::vector<double>& OwnK,
                                const std::vector<double>& TargetK)
{
    for (int y = 0; y < height_; ++y)
        BlendChannels(ScanLine(y), Target.ScanLine(y), OwnK.data(), TargetK.data(), 1, OwnK.size());
}

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
    TColumnWeights weights(width_);
    double f = 0;
    for (int x = start; x >= 0; --x) {
        weights.Set(x, f);
        f = std::min(f + inc, 1.0);
    }
    f = 0;
    for (int x = stop; x < width_; ++x) {
        weights.Set(x, f);
        f = std::min(f + inc, 1.0);
    }
    BlendColumns(Target, weights.Own, weights.Target);
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
        const double g = 1 - f;
        BlendChannels(ScanLine(y), Target.ScanLine(y), &f, &g, 0, rowBytes);
    };
    double f = 0;
    for (int y = start; y >= 0; --y) {
        blendRow(y, f);
        f = std::min(f + inc, 1.0);
    }
    f = 0;
    for (int y = stop; y < height_; ++y) {
        blendRow(y, f);
        f = std::min(f + inc, 1.0);
    }
}

void TskEffectBmp::MorphLeftGradient(const TskEffectBmp& Target, double K)
{
    // One column has no room for a gradient beside it.
    if (!SameSize(Target) || width_ < 2)
        return;
    K = std::clamp(K, 0.0, 1.0);
    const int d = std::clamp(Nearest(width_ * K), 1, width_ - 1);
    // Columns right of d keep the own image: weight 1 on it.
    TColumnWeights weights(width_);
    std::fill(weights.Own.begin() + 3 * (d + 1), weights.Own.end(), 1.0);
    std::fill(weights.Target.begin() + 3 * (d + 1), weights.Target.end(), 0.0);
    const double inc = 1.0 / d;
    double f = 0;
    for (int x = 0; x <= d; ++x) {
        weights.Set(x, f);
        f = std::min(f + inc, 1.0);
    }
    BlendColumns(Target, weights.Own, weights.Target);
}

void TskEffectBmp::MorphRightGradient(const TskEffectBmp& Target, double K)
{
    if (!SameSize(Target) || width_ < 1)
        return;
    K = std::clamp(K, 0.0, 1.0);
    const int d = std::clamp(width_ - Nearest(width_ * K), 0, width_ - 1);
    const int n = width_ - d;
    const double inc = n < 1 ? 1.0 : 1.0 / n;
    TColumnWeights weights(width_);
    std::fill(weights.Own.begin(), weights.Own.begin() + 3 * d, 1.0);
    std::fill(weights.Target.begin(), weights.Target.begin() + 3 * d, 0.0);
    double f = 0;
    for (int x = width_ - 1; x >= d; --x) {
        weights.Set(x, f);
        f = std::min(f + inc, 1.0);
    }
    BlendColumns(Target, weights.Own, weights.Target);
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

void TskEffectBmp::Invert()
{
    TLevelTable levels;
    for (int v = 0; v < 256; ++v)
        levels[v] = static_cast<std::uint8_t>(255 - v);
    ApplyLevels(*this, levels);
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
            const std::uint8_t g = ToByte(red[p[2]] + green[p[1]] + blue[p[0]]);
            p[0] = p[1] = p[2] = g;
        }
    }
}

void TskEffectBmp::AddNoise(int Amount)
{
    if (Amount <= 0)
        return;
    for (int y = 0; y < height_; ++y) {
        std::uint8_t* p = ScanLine(y);
        for (int x = 0; x < width_; ++x, p += 3) {
            const int n = cl::Random(Amount) - Amount / 2;
            for (int c = 0; c < 3; ++c)
                p[c] = ClampByte(p[c] + n);
        }
    }
}

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
    for (int y = 0; y < height_; ++y) {
        const std::uint8_t* up = ScanLine(inside(lower(y), height_));
        const std::uint8_t* down = ScanLine(inside(upper(y, height_), height_));
        std::uint8_t* p = ScanLine(y);
        for (int x = 0; x < width_; ++x, p += 3) {
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
