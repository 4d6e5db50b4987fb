// The morphs and the noise of the effect bitmap against straightforward implementations kept
// here: every pair of own and target levels for many weights, and long noise runs from fixed
// seeds. Any quicker way of computing them must give every pixel exactly as these do.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "classlib/system/SysUtils.h"
#include "skin/drawing/Effects.h"

using sk::TskEffectBmp;

namespace {

// nearest(OwnK * Own + TargetK * Target) with each product and the sum rounded to double, ties
// to even, clamped to a byte. Volatile keeps the x87 unit from holding more bits.
int Blend(double OwnK, int Own, double TargetK, int Target)
{
    volatile double p = OwnK * Own;
    volatile double q = TargetK * Target;
    volatile double sum = p + q;
    const double r = std::nearbyint(sum);
    return r < 0 ? 0 : (r > 255 ? 255 : static_cast<int>(r));
}

int Nearest(double Value)
{
    volatile double v = Value;
    return static_cast<int>(std::nearbyint(v));
}

// Own and target filled so that the channels run through pairs of levels: channel number j
// (row by row, left to right) holds own level j mod 256 and target level (j * Stride / 256) mod
// 256, shifted by Offset.
void FillPairs(TskEffectBmp& Own, TskEffectBmp& Target, int Stride, int Offset)
{
    std::uint32_t j = 0;
    for (int y = 0; y < Own.Height(); ++y)
        for (int i = 0; i < 3 * Own.Width(); ++i, ++j) {
            const std::uint32_t k = j + static_cast<std::uint32_t>(Offset);
            Own.ScanLine(y)[i] = static_cast<std::uint8_t>(k);
            Target.ScanLine(y)[i] = static_cast<std::uint8_t>((k >> 8) * Stride + (k & 0xFF) / 64);
        }
}

void CopyInto(TskEffectBmp& Dest, const TskEffectBmp& Src)
{
    for (int y = 0; y < Src.Height(); ++y)
        Dest.SetLine(y, Src.ScanLine(y));
}

// The weight of the own image for each column (horizontal morphs) or row (vertical one);
// the target gets 1 - weight.
using TWeights = std::vector<double>;

void Ramp(TWeights& W, int From, int To, int Step, double Inc)
{
    double f = 0;
    for (int i = From; Step > 0 ? i <= To : i >= To; i += Step) {
        W[i] = f;
        f = std::min(f + Inc, 1.0);
    }
}

TWeights HGradientWeights(int Width, double K)
{
    TWeights w(Width, 0.0);
    const int d = Nearest(Width * K);
    const int steps = (Width - d) / 2;
    const double inc = steps == 0 ? 1.0 : 1.0 / steps;
    Ramp(w, std::max(Width / 2 - d / 2, 0), 0, -1, inc);
    Ramp(w, std::min(Width / 2 + d / 2, Width - 1), Width - 1, 1, inc);
    return w;
}

TWeights LeftGradientWeights(int Width, double K)
{
    TWeights w(Width, 1.0);
    const int d = std::clamp(Nearest(Width * K), 1, Width - 1);
    Ramp(w, 0, d, 1, 1.0 / d);
    return w;
}

TWeights RightGradientWeights(int Width, double K)
{
    TWeights w(Width, 1.0);
    const int d = std::clamp(Width - Nearest(Width * K), 0, Width - 1);
    const int n = Width - d;
    Ramp(w, Width - 1, d, -1, n < 1 ? 1.0 : 1.0 / n);
    return w;
}

// Rows from the centre out: the centre rows copied, the others blended; -1 marks a copied row.
TWeights VGradientWeights(int Height, double K)
{
    TWeights w(Height, 2.0);  // 2: untouched
    const int d = Nearest(Height * K);
    const int steps = (Height - 1 - d) / 2;
    const double inc = steps == 0 ? 0.0 : 1.0 / steps;
    const int start = std::max(Height / 2 - d / 2, 0);
    const int stop = std::min(Height / 2 + d / 2, Height - 1);
    for (int y = start; y <= stop; ++y)
        w[y] = -1;
    Ramp(w, start, 0, -1, inc);
    Ramp(w, stop, Height - 1, 1, inc);
    return w;
}

// Own blended toward Target with per-column weights.
void BlendByColumns(TskEffectBmp& Own, const TskEffectBmp& Target, const TWeights& W)
{
    for (int y = 0; y < Own.Height(); ++y)
        for (int x = 0; x < Own.Width(); ++x)
            for (int c = 0; c < 3; ++c) {
                std::uint8_t& o = Own.ScanLine(y)[3 * x + c];
                o = static_cast<std::uint8_t>(Blend(W[x], o, 1 - W[x], Target.ScanLine(y)[3 * x + c]));
            }
}

void BlendByRows(TskEffectBmp& Own, const TskEffectBmp& Target, const TWeights& W)
{
    for (int y = 0; y < Own.Height(); ++y)
        for (int i = 0; i < 3 * Own.Width(); ++i) {
            std::uint8_t& o = Own.ScanLine(y)[i];
            const int t = Target.ScanLine(y)[i];
            if (W[y] == -1)
                o = static_cast<std::uint8_t>(t);
            else if (W[y] != 2)
                o = static_cast<std::uint8_t>(Blend(W[y], o, 1 - W[y], t));
        }
}

enum TKind { kDefault, kHGradient, kVGradient, kLeft, kRight };

void ReferenceMorph(TKind Kind, TskEffectBmp& Own, const TskEffectBmp& Target, double K)
{
    K = std::clamp(K, 0.0, 1.0);
    const int w = Own.Width(), h = Own.Height();
    switch (Kind) {
    case kDefault: {
        const double ownK = 1 - K;
        for (int y = 0; y < h; ++y)
            for (int i = 0; i < 3 * w; ++i) {
                std::uint8_t& o = Own.ScanLine(y)[i];
                o = static_cast<std::uint8_t>(Blend(ownK, o, K, Target.ScanLine(y)[i]));
            }
        break;
    }
    case kHGradient: BlendByColumns(Own, Target, HGradientWeights(w, K)); break;
    case kVGradient: BlendByRows(Own, Target, VGradientWeights(h, K)); break;
    case kLeft:
        if (w >= 2)
            BlendByColumns(Own, Target, LeftGradientWeights(w, K));
        break;
    case kRight: BlendByColumns(Own, Target, RightGradientWeights(w, K)); break;
    }
}

void Morph(TKind Kind, TskEffectBmp& Own, const TskEffectBmp& Target, double K)
{
    switch (Kind) {
    case kDefault: Own.Morph(Target, K); break;
    case kHGradient: Own.MorphHGradient(Target, K); break;
    case kVGradient: Own.MorphVGradient(Target, K); break;
    case kLeft: Own.MorphLeftGradient(Target, K); break;
    case kRight: Own.MorphRightGradient(Target, K); break;
    }
}

// The first channel where A and B differ, as "row y channel i: a vs b"; empty when equal.
std::string FirstDifference(const TskEffectBmp& A, const TskEffectBmp& B)
{
    for (int y = 0; y < A.Height(); ++y)
        for (int i = 0; i < 3 * A.Width(); ++i)
            if (A.ScanLine(y)[i] != B.ScanLine(y)[i])
                return "row " + std::to_string(y) + " channel " + std::to_string(i) + ": " +
                       std::to_string(A.ScanLine(y)[i]) + " instead of " + std::to_string(B.ScanLine(y)[i]);
    return {};
}

// Weights the controls use (steps of 0.2 up and down, as they add up in double), simple
// fractions with exact ties, and awkward values next to ties and ends.
std::vector<double> Weights()
{
    std::vector<double> k = {0.0, 1.0, 0.5, 0.25, 0.75, 0.125, 1.0 / 3, 2.0 / 3, 0.1, 0.3, 0.7, 0.9, 0.37,
                             0.123456789, 1e-9, 1 - 1e-9, 0.5 + 1e-12, 0.5 - 1e-12, 1.0 / 255, 0.5 / 255,
                             127.5 / 255, 0.001, 0.999, 1e-300, std::nextafter(1.0, 0.0),
                             std::nextafter(0.5, 0.0), std::nextafter(0.5, 1.0), -0.5, 1.5};
    for (double up = 0, down = 1; up < 1.05; up += 0.2, down -= 0.2) {
        k.push_back(up);
        k.push_back(down);
        k.push_back(static_cast<int>(up * 5 + 0.5) / 5.0);
    }
    return k;
}

}  // namespace

TEST(EffectBmpExhaustive, MorphGivesTheDefinedBlendForEveryPairOfLevels)
{
    // 256 columns by 86 rows: 66048 channels, every (own, target) pair at least once.
    const int w = 256, h = 86;
    TskEffectBmp own(w, h), target(w, h), work(w, h), expected(w, h);
    FillPairs(own, target, 1, 0);
    for (double k : Weights()) {
        CopyInto(work, own);
        CopyInto(expected, own);
        work.Morph(target, k);
        ReferenceMorph(kDefault, expected, target, k);
        ASSERT_EQ(FirstDifference(work, expected), "") << "K = " << k;
    }
}

TEST(EffectBmpExhaustive, GradientsGiveTheDefinedBlendForEveryPairInEveryColumn)
{
    // 64 columns of 21846 rows: each column meets every (own, target) pair.
    const int w = 64, h = 21846;
    TskEffectBmp own(w, h), target(w, h), work(w, h), expected(w, h);
    // Down each column the pairs run on by 3 a row; the columns start at different pairs.
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < 3; ++c) {
                const std::uint32_t pair = 3 * static_cast<std::uint32_t>(y) + c + 977 * x;
                own.ScanLine(y)[3 * x + c] = static_cast<std::uint8_t>(pair);
                target.ScanLine(y)[3 * x + c] = static_cast<std::uint8_t>(pair >> 8);
            }
    for (TKind kind : {kHGradient, kLeft, kRight, kVGradient})
        for (double k : {0.0, 0.2, 0.4, 0.6000000000000001, 0.8, 1.0, 0.5, 0.37}) {
            CopyInto(work, own);
            CopyInto(expected, own);
            Morph(kind, work, target, k);
            ReferenceMorph(kind, expected, target, k);
            ASSERT_EQ(FirstDifference(work, expected), "") << "kind " << kind << " K = " << k;
        }
}

TEST(EffectBmpExhaustive, MorphsOfManySizesGiveTheDefinedBlend)
{
    const std::pair<int, int> sizes[] = {{1, 1}, {2, 1}, {1, 7}, {5, 1}, {3, 3}, {7, 5}, {16, 16}, {17, 4},
                                         {37, 3}, {100, 9}, {303, 11}, {1024, 28}, {1024, 64}, {28, 1024}};
    for (auto [w, h] : sizes) {
        TskEffectBmp own(w, h), target(w, h), work(w, h), expected(w, h);
        FillPairs(own, target, 97, 12345 + w);
        for (TKind kind : {kDefault, kHGradient, kLeft, kRight, kVGradient})
            for (double k : Weights()) {
                CopyInto(work, own);
                CopyInto(expected, own);
                Morph(kind, work, target, k);
                ReferenceMorph(kind, expected, target, k);
                ASSERT_EQ(FirstDifference(work, expected), "")
                    << w << "x" << h << " kind " << kind << " K = " << k;
            }
        // The gradient picks its direction by the shape.
        CopyInto(work, own);
        CopyInto(expected, own);
        work.MorphGradient(target, 0.4);
        ReferenceMorph(w < h ? kVGradient : kHGradient, expected, target, 0.4);
        ASSERT_EQ(FirstDifference(work, expected), "") << w << "x" << h << " gradient";
    }
}

TEST(EffectBmpExhaustive, NoiseFollowsTheRandomSequencePixelByPixel)
{
    const int amounts[] = {1, 2, 3, 7, 50, 51, 255, 256, 511, 512, 1000, 70000, 0x7FFFFFFF};
    const std::uint32_t seeds[] = {0, 12345, 0xFFFFFFFF, 0x9E3779B9};
    for (auto [w, h] : {std::pair{1, 3}, std::pair{5, 2}, std::pair{17, 5}, std::pair{33, 4}, std::pair{1024, 40}})
        for (int amount : amounts)
            for (std::uint32_t seed : seeds) {
                TskEffectBmp work(w, h), expected(w, h);
                for (int y = 0; y < h; ++y)
                    for (int i = 0; i < 3 * w; ++i) {
                        // Every level, the ends included, on each channel.
                        const auto v = static_cast<std::uint8_t>((i * 29 + y * 83) ^ (i >> 3));
                        work.ScanLine(y)[i] = expected.ScanLine(y)[i] = v;
                    }
                std::uint32_t s = seed;
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < w; ++x) {
                        s = s * 0x08088405u + 1u;
                        const int r = static_cast<int>((static_cast<std::uint64_t>(s) * static_cast<std::uint32_t>(amount)) >> 32);
                        const int n = r - amount / 2;
                        for (int c = 0; c < 3; ++c) {
                            std::uint8_t& p = expected.ScanLine(y)[3 * x + c];
                            p = static_cast<std::uint8_t>(std::clamp(p + n, 0, 255));
                        }
                    }
                cl::RandSeed = seed;
                work.AddNoise(amount);
                ASSERT_EQ(FirstDifference(work, expected), "") << w << "x" << h << " amount " << amount << " seed " << seed;
                // The generator has moved on by one value per pixel, as if called for each.
                ASSERT_EQ(cl::RandSeed, s) << w << "x" << h << " amount " << amount;
            }
}

TEST(EffectBmpExhaustive, LevelEffectsAndGreyGiveTheDefinedValueForEveryLevel)
{
    // 256 columns by 256 rows: each channel level in every column, and 65536 colours whose
    // red runs through every level against every green, blue following them.
    const int w = 256, h = 256;
    TskEffectBmp own(w, h), work(w, h), expected(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint8_t* p = own.ScanLine(y) + 3 * x;
            p[0] = static_cast<std::uint8_t>(x * 7 + y * 3);
            p[1] = static_cast<std::uint8_t>(y);
            p[2] = static_cast<std::uint8_t>(x);
        }
    auto eachChannel = [&](auto Level) {
        CopyInto(expected, own);
        for (int y = 0; y < h; ++y)
            for (int i = 0; i < 3 * w; ++i) {
                std::uint8_t& c = expected.ScanLine(y)[i];
                c = static_cast<std::uint8_t>(Level(c));
            }
    };
    for (double k : Weights()) {
        const double kept = std::clamp(k, 0.0, 1.0);
        CopyInto(work, own);
        work.ChangeBrightness(k);
        eachChannel([kept](int v) { return Blend(1 - kept, v, kept, 255); });
        ASSERT_EQ(FirstDifference(work, expected), "") << "brightness K = " << k;
        CopyInto(work, own);
        work.ChangeDarkness(k);
        eachChannel([kept](int v) { return Blend(1 - kept, v, 0, 0); });
        ASSERT_EQ(FirstDifference(work, expected), "") << "darkness K = " << k;
    }
    CopyInto(work, own);
    work.Invert();
    eachChannel([](int v) { return 255 - v; });
    ASSERT_EQ(FirstDifference(work, expected), "") << "invert";

    CopyInto(work, own);
    work.GrayScale();
    CopyInto(expected, own);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint8_t* p = expected.ScanLine(y) + 3 * x;
            volatile double red = 0.3 * p[2], green = 0.59 * p[1], blue = 0.11 * p[0];
            volatile double redGreen = red + green;
            p[0] = p[1] = p[2] = static_cast<std::uint8_t>(std::clamp(Nearest(redGreen + blue), 0, 255));
        }
    ASSERT_EQ(FirstDifference(work, expected), "") << "grey";
}
