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

// The weights of a blend: per channel (Step 1) or one pair for all channels (Step 0), in
// double precision and, for the quick path, rounded to single precision.
struct TBlendWeights {
    const double* Own;
    const double* Target;
    const float* OwnF;
    const float* TargetF;
    std::size_t Step;
};

inline void BlendExact(std::uint8_t* Own, const std::uint8_t* Target, const TBlendWeights& K, std::size_t From,
                       std::size_t To)
{
    for (std::size_t i = From; i < To; ++i)
        Own[i] = ToByte(K.Own[i * K.Step] * Own[i] + K.Target[i * K.Step] * Target[i]);
}

#ifdef __SSE2__
// The exact arithmetic for the 16 channels at Own and Target, channel First of the weights,
// two channels at a time in double precision.
void BlendExactSse2(std::uint8_t* Own, const std::uint8_t* Target, const TBlendWeights& K, std::size_t First)
{
    const __m128i zero = _mm_setzero_si128();
    auto toDoubles = [zero](__m128i Bytes, __m128d (&Out)[4]) {
        const __m128i words = _mm_unpacklo_epi8(Bytes, zero);
        const __m128i lo = _mm_unpacklo_epi16(words, zero);
        const __m128i hi = _mm_unpackhi_epi16(words, zero);
        Out[0] = _mm_cvtepi32_pd(lo);
        Out[1] = _mm_cvtepi32_pd(_mm_shuffle_epi32(lo, 0xEE));
        Out[2] = _mm_cvtepi32_pd(hi);
        Out[3] = _mm_cvtepi32_pd(_mm_shuffle_epi32(hi, 0xEE));
    };
    for (std::size_t i = 0; i < 16; i += 8) {
        __m128d own[4], target[4];
        toDoubles(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(Own + i)), own);
        toDoubles(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(Target + i)), target);
        __m128i rounded[4];
        for (int j = 0; j < 4; ++j) {
            const std::size_t k = First + i + 2 * j;
            const __m128d ownK = K.Step ? _mm_loadu_pd(K.Own + k) : _mm_set1_pd(*K.Own);
            const __m128d targetK = K.Step ? _mm_loadu_pd(K.Target + k) : _mm_set1_pd(*K.Target);
            rounded[j] = _mm_cvtpd_epi32(_mm_add_pd(_mm_mul_pd(ownK, own[j]), _mm_mul_pd(targetK, target[j])));
        }
        const __m128i words = _mm_packs_epi32(_mm_unpacklo_epi64(rounded[0], rounded[1]),
                                              _mm_unpacklo_epi64(rounded[2], rounded[3]));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(Own + i), _mm_packus_epi16(words, words));
    }
}
#endif

// Own[i] := nearest(OwnK * Own[i] + TargetK * Target[i]) for Count channels, clamped to a byte,
// with each product and the sum rounded to double: the arithmetic every blend of this unit is
// defined by. Single precision differs from it by less than 1e-4 for weights in 0..1 and byte
// values, so wherever the single-precision sum lies farther than 1/1024 from a half it rounds
// to the same integer; SSE2 does four channels at a time that way and goes back to double
// precision for any block with a channel that close to a tie.
void BlendChannels(std::uint8_t* Own, const std::uint8_t* Target, const TBlendWeights& K, std::size_t Count)
{
    std::size_t i = 0;
#ifdef __SSE2__
    const __m128i zero = _mm_setzero_si128();
    const __m128 magnitude = _mm_castsi128_ps(_mm_set1_epi32(0x7FFFFFFF));
    const __m128 nearHalf = _mm_set1_ps(0.5f - 1.0f / 1024);
    for (; i + 16 <= Count; i += 16) {
        const __m128i own = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Own + i));
        const __m128i target = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Target + i));
        const __m128i ownLo = _mm_unpacklo_epi8(own, zero), ownHi = _mm_unpackhi_epi8(own, zero);
        const __m128i targetLo = _mm_unpacklo_epi8(target, zero), targetHi = _mm_unpackhi_epi8(target, zero);
        const __m128i ownWords[4] = {_mm_unpacklo_epi16(ownLo, zero), _mm_unpackhi_epi16(ownLo, zero),
                                     _mm_unpacklo_epi16(ownHi, zero), _mm_unpackhi_epi16(ownHi, zero)};
        const __m128i targetWords[4] = {_mm_unpacklo_epi16(targetLo, zero), _mm_unpackhi_epi16(targetLo, zero),
                                        _mm_unpacklo_epi16(targetHi, zero), _mm_unpackhi_epi16(targetHi, zero)};
        __m128i rounded[4];
        __m128 nearTie = _mm_setzero_ps();
        for (int j = 0; j < 4; ++j) {
            const __m128 ownK = K.Step ? _mm_loadu_ps(K.OwnF + i + 4 * j) : _mm_set1_ps(*K.OwnF);
            const __m128 targetK = K.Step ? _mm_loadu_ps(K.TargetF + i + 4 * j) : _mm_set1_ps(*K.TargetF);
            const __m128 sum = _mm_add_ps(_mm_mul_ps(ownK, _mm_cvtepi32_ps(ownWords[j])),
                                          _mm_mul_ps(targetK, _mm_cvtepi32_ps(targetWords[j])));
            // The conversion rounds by the current mode: to nearest, ties to even.
            rounded[j] = _mm_cvtps_epi32(sum);
            const __m128 off = _mm_and_ps(_mm_sub_ps(sum, _mm_cvtepi32_ps(rounded[j])), magnitude);
            nearTie = _mm_or_ps(nearTie, _mm_cmpgt_ps(off, nearHalf));
        }
        if (_mm_movemask_ps(nearTie)) {
            BlendExactSse2(Own + i, Target + i, K, i);
            continue;
        }
        const __m128i words0 = _mm_packs_epi32(rounded[0], rounded[1]);
        const __m128i words1 = _mm_packs_epi32(rounded[2], rounded[3]);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(Own + i), _mm_packus_epi16(words0, words1));
    }
#endif
    BlendExact(Own, Target, K, i, Count);
}

// One pair of weights for every channel.
struct TConstantWeights {
    double Own, Target;
    float OwnF, TargetF;
    TConstantWeights(double AOwn, double ATarget)
        : Own(AOwn), Target(ATarget), OwnF(static_cast<float>(AOwn)), TargetF(static_cast<float>(ATarget))
    {
    }
    TBlendWeights Weights() const { return {&Own, &Target, &OwnF, &TargetF, 0}; }
};

// Per-channel weights of a blend whose weight changes from column to column; every column
// shows the target until set.
struct TColumnWeights {
    std::vector<double> Own, Target;
    std::vector<float> OwnF, TargetF;
    explicit TColumnWeights(int Width)
        : Own(3 * static_cast<std::size_t>(Width), 0.0), Target(Own.size(), 1.0), OwnF(Own.size(), 0.0f),
          TargetF(Own.size(), 1.0f)
    {
    }
    // Column X: F * own + (1 - F) * target.
    void Set(int X, double F)
    {
        for (int c = 0; c < 3; ++c) {
            Own[3 * X + c] = F;
            Target[3 * X + c] = 1 - F;
            OwnF[3 * X + c] = static_cast<float>(F);
            TargetF[3 * X + c] = static_cast<float>(1 - F);
        }
    }
    TBlendWeights Weights() const { return {Own.data(), Target.data(), OwnF.data(), TargetF.data(), 1}; }
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
    const TConstantWeights weights(1 - K, K);
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

void BlendColumns(TskEffectBmp& Own, const TskEffectBmp& Target, const TColumnWeights& Weights)
{
    for (int y = 0; y < Own.Height(); ++y)
        BlendChannels(Own.ScanLine(y), Target.ScanLine(y), Weights.Weights(), Weights.Own.size());
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
    for (int x = d + 1; x < width_; ++x)
        weights.Set(x, 1.0);
    const double inc = 1.0 / d;
    double f = 0;
    for (int x = 0; x <= d; ++x) {
        weights.Set(x, f);
        f = std::min(f + inc, 1.0);
    }
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
    TColumnWeights weights(width_);
    for (int x = 0; x < d; ++x)
        weights.Set(x, 1.0);
    double f = 0;
    for (int x = width_ - 1; x >= d; --x) {
        weights.Set(x, f);
        f = std::min(f + inc, 1.0);
    }
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

// Channels From .. To - 1 of a row, each the mean of the channels Reach bytes to the left and
// right of it in the rows Up and Down.
void BlurInnerColumns(std::uint8_t* Row, const std::uint8_t* Up, const std::uint8_t* Down, std::size_t Reach,
                      std::size_t From, std::size_t To)
{
    std::size_t i = From;
#ifdef __SSE2__
    const __m128i zero = _mm_setzero_si128();
    for (; i + 16 <= To; i += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Up + i - Reach));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Down + i - Reach));
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Up + i + Reach));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Down + i + Reach));
        auto sum = [&](auto Unpack) {
            const __m128i total = _mm_add_epi16(_mm_add_epi16(Unpack(a, zero), Unpack(b, zero)),
                                                _mm_add_epi16(Unpack(c, zero), Unpack(d, zero)));
            return _mm_srli_epi16(total, 2);
        };
        const __m128i lo = sum([](__m128i v, __m128i z) { return _mm_unpacklo_epi8(v, z); });
        const __m128i hi = sum([](__m128i v, __m128i z) { return _mm_unpackhi_epi8(v, z); });
        _mm_storeu_si128(reinterpret_cast<__m128i*>(Row + i), _mm_packus_epi16(lo, hi));
    }
#endif
    for (; i < To; ++i)
        Row[i] = static_cast<std::uint8_t>((Up[i - Reach] + Down[i - Reach] + Up[i + Reach] + Down[i + Reach]) >> 2);
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
