#pragma once
// The inner loops of the effect bitmap: channel blends, noise and the split blur's inner
// columns, on rows of bytes. Only the effect bitmap's own sources include this.
//
// Every build has SSE2 (the Windows build is compiled for it, and every 64-bit host has it), so
// the channel arithmetic is plain double precision everywhere.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include <emmintrin.h>

namespace sk::kernels {

// The quick blends work in 16-bit lanes, on values with FractionBits bits of fraction: a
// difference of two levels (at most 255 in magnitude) in that fixed point still fits a lane.
constexpr int FractionBits = 7;
constexpr int HalfUnit = 1 << (FractionBits - 1);
constexpr int FractionMask = (1 << FractionBits) - 1;
// A weight of 1 as a 16-bit multiplier: the high half of a product of two lanes divides by it.
constexpr int MultiplierOne = 1 << 16;
// The largest multiple of MultiplierOne whose bracketing multipliers still fit a signed lane.
constexpr double LargestBracketedMultiple = 32764;
// Adding 1.5 * 2^16 to a single-precision value below 2^15 in magnitude rounds it to
// 2^-FractionBits, ties to even, and leaves it in those units in the low bits of the sum:
// subtracting the bits of the bias takes them out as an integer.
constexpr float FixedPointBias = 98304.0f;
constexpr std::uint32_t FixedPointBiasBits = 0x47C00000u;
static_assert(std::bit_cast<std::uint32_t>(FixedPointBias) == FixedPointBiasBits);
// Adding and taking away 1.5 * 2^52 rounds a double below 2^51 in magnitude to an integer, ties
// to even, as Nearest does, and its low 32 bits hold that integer; in arithmetic the compiler
// vectorises.
constexpr double IntegerRoundingBias = 6755399441055744.0;

// Nearest integer, ties to even (the default rounding mode), like the arithmetic the skins
// were designed against: one conversion instruction instead of a library call.
inline int Nearest(double Value)
{
    return _mm_cvtsd_si32(_mm_set_sd(Value));
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
    std::size_t Step;
    // With one pair of weights: see SixteenBitMultiplier (0: none).
    int Multiplier = 0;
    // With weights per channel: see TColumnWeights.
    const std::int16_t* Low = nullptr;
    const std::int16_t* High = nullptr;
    const std::int16_t* FromOwn = nullptr;
};

// For a blend of one pair of weights, own OwnK and target 1 - OwnK: a multiplier M such that
// for every difference D of two levels (-255 .. 255) the nearest integer to OwnK * D is
// ((D * 128 * M >> 16) + 64) >> 7, with no product OwnK * D within 1e-9 of a half. Then every
// channel blends to Target + that integer, in 16-bit lanes. -M when the same holds for
// 1 - OwnK and blends go from Own instead; 0 when there is no such M.
int SixteenBitMultiplier(double OwnK);

// Own[i] := nearest(OwnK * Own[i] + TargetK * Target[i]) for Count channels, clamped to a byte,
// with each product and the sum rounded to double: the arithmetic every blend of this unit is
// defined by. The weights of a blend add up to 1 (to within a unit in the last place), so the
// sum is Target[i] + OwnK * (Own[i] - Target[i]) to within 1e-12, and it rounds to Target[i]
// plus the nearest integer to OwnK * (Own[i] - Target[i]) unless that product lies that close
// to a half. SSE2 takes the product in single precision (off by less than 2e-5) rounded to
// 1/128: where that is not a half exactly, the product lies farther than 1/300 from any half
// and its nearest integer is the one of the 1/128 value. A block with a channel on such a half
// goes back to double precision.
void BlendChannels(std::uint8_t* Own, const std::uint8_t* Target, const TBlendWeights& K, std::size_t Count);

// Channels From .. To - 1 by that arithmetic itself, in double precision: the blocks the quick
// paths cannot decide and every short tail.
void BlendExact(std::uint8_t* Own, const std::uint8_t* Target, const TBlendWeights& K, std::size_t From,
                std::size_t To);

// One pair of weights for every channel. Looking for a 16-bit multiplier takes about as long
// as blending a few hundred channels: worth it for a whole bitmap, not for a single row.
struct TConstantWeights {
    double Own, Target;
    float OwnF;
    int Multiplier;
    TConstantWeights(double AOwn, double ATarget, bool ForWholeBitmap = false)
        : Own(AOwn), Target(ATarget), OwnF(static_cast<float>(AOwn)),
          Multiplier(ForWholeBitmap ? SixteenBitMultiplier(AOwn) : 0)
    {
    }
    TBlendWeights Weights() const { return {&Own, &Target, &OwnF, 0, Multiplier}; }
};

// Per-channel weights of a blend whose weight changes from column to column; every column
// shows the target until set.
//
// For 16-bit lanes each channel also has the smaller of its two weights, K (exact: 1 - F is
// exact from a half up), bracketed by two multipliers: Low / 65536 and High / 65536 lie on
// either side of K, each at least 0.49 / 65536 from it, signed for a blend from the own image.
// For a difference D of levels (other image minus the one blended from), when
// ((D * 128 * M >> 16) + 64) >> 7 is the same for M = Low and M = High, that is the nearest
// integer to K * D and no half lies within 1e-6 of K * D: the channel blends to its base plus
// that. Otherwise the block goes to double precision.
class TColumnWeights {
public:
    std::vector<double> Own, Target;
    std::vector<float> OwnF;
    std::vector<std::int16_t> Low, High, FromOwn;
    explicit TColumnWeights(int Width) { Reset(Width); }
    // As if made anew for Width columns, in the memory already held.
    void Reset(int Width)
    {
        const std::size_t n = 3 * static_cast<std::size_t>(Width);
        Own.assign(n, 0.0);
        Target.assign(n, 1.0);
        OwnF.assign(n, 0.0f);
        Low.assign(n, -1);
        High.assign(n, 2);
        FromOwn.assign(n, 0);
        allBracketed_ = true;
    }
    // Column X: F * own + (1 - F) * target.
    // Whether the multipliers of weight F fit 16 bits; columns of other weights must be blended
    // without them (weights within 1/20000 of a half).
    static bool Bracketed(double F)
    {
        const double k = F >= 0.5 ? 1 - F : F;
        return k >= 0 && k * MultiplierOne < LargestBracketedMultiple;
    }
    void Set(int X, double F)
    {
        const bool fromOwn = F >= 0.5;
        const double k = fromOwn ? 1 - F : F;
        int low = 0, high = 0;
        allBracketed_ = allBracketed_ && Bracketed(F);
        if (Bracketed(F)) {
            // The nearest integer to k * MultiplierOne, from the low bits of its sum with the
            // rounding bias: a conversion costs more where the loop runs for every column.
            const double shifted = k * MultiplierOne + IntegerRoundingBias;
            std::uint64_t bits;
            std::memcpy(&bits, &shifted, sizeof bits);
            const int nearest = static_cast<int>(static_cast<std::uint32_t>(bits));
            low = nearest - 1;
            high = nearest + 1;
        }
        for (int c = 0; c < 3; ++c) {
            Own[3 * X + c] = F;
            Target[3 * X + c] = 1 - F;
            OwnF[3 * X + c] = static_cast<float>(F);
            Low[3 * X + c] = static_cast<std::int16_t>(fromOwn ? -low : low);
            High[3 * X + c] = static_cast<std::int16_t>(fromOwn ? -high : high);
            FromOwn[3 * X + c] = static_cast<std::int16_t>(fromOwn ? -1 : 0);
        }
    }
    // The multipliers only when every column set has them.
    TBlendWeights Weights() const
    {
        if (!allBracketed_)
            return {Own.data(), Target.data(), OwnF.data(), 1};
        return {Own.data(), Target.data(), OwnF.data(), 1, 0, Low.data(), High.data(), FromOwn.data()};
    }

private:
    bool allBracketed_ = true;
};

// Each of Count channels becomes 255 minus itself.
void InvertChannels(std::uint8_t* Row, std::size_t Count);

// Each of Count channels becomes its entry of a table of the 256 levels, two neighbouring
// channels at a time through Pairs, the table of all 65536 pairs: entry a + 256 * b is the
// pair (a, b) as it lies in memory.
void ApplyLevelPairs(std::uint8_t* Row, std::size_t Count, const std::uint8_t* Levels, const std::uint16_t* Pairs);

// Noise of Amount (> 0) levels on Width pixels of a row: each pixel takes the next value n of
// Delphi's generator (Seed, which moves on by one step a pixel, as cl::Random(Amount) would
// move RandSeed) and every channel becomes channel + n - Amount / 2, clamped to a byte.
void NoiseRow(std::uint8_t* Row, int Width, int Amount, std::uint32_t& Seed);

// Channels From .. To - 1 of a row, each the mean of the channels Reach bytes to the left and
// right of it in the rows Up and Down.
void BlurInnerColumns(std::uint8_t* Row, const std::uint8_t* Up, const std::uint8_t* Down, std::size_t Reach,
                      std::size_t From, std::size_t To);

}  // namespace sk::kernels
