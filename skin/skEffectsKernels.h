#pragma once
// The inner loops of the effect bitmap: channel blends and the split blur's inner columns, on
// rows of bytes. Only the effect bitmap's own sources include this.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace sk::kernels {

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

// Own[i] := nearest(OwnK * Own[i] + TargetK * Target[i]) for Count channels, clamped to a byte,
// with each product and the sum rounded to double: the arithmetic every blend of this unit is
// defined by. Single precision differs from it by less than 1e-4 for weights in 0..1 and byte
// values, so wherever the single-precision sum lies farther than 1/1024 from a half it rounds
// to the same integer; SSE2 does four channels at a time that way and goes back to double
// precision for any block with a channel that close to a tie.
void BlendChannels(std::uint8_t* Own, const std::uint8_t* Target, const TBlendWeights& K, std::size_t Count);

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

// Channels From .. To - 1 of a row, each the mean of the channels Reach bytes to the left and
// right of it in the rows Up and Down.
void BlurInnerColumns(std::uint8_t* Row, const std::uint8_t* Up, const std::uint8_t* Down, std::size_t Reach,
                      std::size_t From, std::size_t To);

}  // namespace sk::kernels
