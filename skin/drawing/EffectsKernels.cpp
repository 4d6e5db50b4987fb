#include "skin/drawing/EffectsKernels.h"

#include <cstring>

namespace sk::kernels {

namespace {

// Delphi's generator, and where it stands K steps on: seed * Mul[K] + Add[K].
constexpr std::uint32_t RandomMul = 0x08088405u;
struct TRandomSteps {
    std::uint32_t Mul[17], Add[17];
    constexpr TRandomSteps() : Mul{1}, Add{0}
    {
        for (int k = 1; k <= 16; ++k) {
            Mul[k] = Mul[k - 1] * RandomMul;
            Add[k] = Add[k - 1] * RandomMul + 1u;
        }
    }
};
constexpr TRandomSteps RandomSteps;

inline int NextNoise(std::uint32_t& Seed, int Amount)
{
    Seed = Seed * RandomMul + 1u;
    return static_cast<int>((static_cast<std::uint64_t>(Seed) * static_cast<std::uint32_t>(Amount)) >> 32) -
           Amount / 2;
}

inline std::uint8_t RoundToByte(double Value)
{
    return ClampByte(static_cast<int>((Value + IntegerRoundingBias) - IntegerRoundingBias));
}

inline void AddToPixel(std::uint8_t* P, int N)
{
    P[0] = ClampByte(P[0] + N);
    P[1] = ClampByte(P[1] + N);
    P[2] = ClampByte(P[2] + N);
}

// Four channel differences of 16-bit lanes, as single-precision values.
inline void DiffsToFloats(__m128i Lo, __m128i Hi, __m128 (&Out)[4])
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i signLo = _mm_cmpgt_epi16(zero, Lo), signHi = _mm_cmpgt_epi16(zero, Hi);
    Out[0] = _mm_cvtepi32_ps(_mm_unpacklo_epi16(Lo, signLo));
    Out[1] = _mm_cvtepi32_ps(_mm_unpackhi_epi16(Lo, signLo));
    Out[2] = _mm_cvtepi32_ps(_mm_unpacklo_epi16(Hi, signHi));
    Out[3] = _mm_cvtepi32_ps(_mm_unpackhi_epi16(Hi, signHi));
}

template <bool PerChannel>
void BlendChannelsSse2(std::uint8_t* Own, const std::uint8_t* Target, const TBlendWeights& K, std::size_t Count)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128 bias = _mm_set1_ps(FixedPointBias);
    const __m128i biasBits = _mm_set1_epi32(static_cast<int>(FixedPointBiasBits));
    const __m128i half = _mm_set1_epi16(HalfUnit);
    const __m128i fraction = _mm_set1_epi16(FractionMask);
    const __m128 constantK = _mm_set1_ps(*K.OwnF);
    std::size_t i = 0;
    for (; i + 16 <= Count; i += 16) {
        const __m128i own = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Own + i));
        const __m128i target = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Target + i));
        const __m128i targetLo = _mm_unpacklo_epi8(target, zero), targetHi = _mm_unpackhi_epi8(target, zero);
        __m128 diff[4];
        DiffsToFloats(_mm_sub_epi16(_mm_unpacklo_epi8(own, zero), targetLo),
                      _mm_sub_epi16(_mm_unpackhi_epi8(own, zero), targetHi), diff);
        __m128i scaled[4];
        for (int j = 0; j < 4; ++j) {
            const __m128 ownK = PerChannel ? _mm_loadu_ps(K.OwnF + i + 4 * j) : constantK;
            scaled[j] = _mm_sub_epi32(_mm_castps_si128(_mm_add_ps(_mm_mul_ps(ownK, diff[j]), bias)), biasBits);
        }
        // In fixed point plus a half: the nearest integer is the value shifted down, unless
        // the fraction bits are all clear, which is a half exactly.
        const __m128i lo = _mm_add_epi16(_mm_packs_epi32(scaled[0], scaled[1]), half);
        const __m128i hi = _mm_add_epi16(_mm_packs_epi32(scaled[2], scaled[3]), half);
        const __m128i ties = _mm_or_si128(_mm_cmpeq_epi16(_mm_and_si128(lo, fraction), zero),
                                          _mm_cmpeq_epi16(_mm_and_si128(hi, fraction), zero));
        if (_mm_movemask_epi8(ties)) {
            BlendExact(Own, Target, K, i, i + 16);
            continue;
        }
        const __m128i sumLo = _mm_add_epi16(targetLo, _mm_srai_epi16(lo, FractionBits));
        const __m128i sumHi = _mm_add_epi16(targetHi, _mm_srai_epi16(hi, FractionBits));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(Own + i), _mm_packus_epi16(sumLo, sumHi));
    }
    BlendExact(Own, Target, K, i, Count);
}

// Channels by the bracketing multipliers of TColumnWeights.
void BlendBracketed(std::uint8_t* Own, const std::uint8_t* Target, const TBlendWeights& K, std::size_t Count)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i half = _mm_set1_epi16(HalfUnit);
    std::size_t i = 0;
    for (; i + 16 <= Count; i += 16) {
        const __m128i own = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Own + i));
        const __m128i target = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Target + i));
        const __m128i targetLo = _mm_unpacklo_epi8(target, zero), targetHi = _mm_unpackhi_epi8(target, zero);
        const __m128i diffLo = _mm_sub_epi16(_mm_unpacklo_epi8(own, zero), targetLo);
        const __m128i diffHi = _mm_sub_epi16(_mm_unpackhi_epi8(own, zero), targetHi);
        auto load = [i](const std::int16_t* P, int Half) {
            return _mm_loadu_si128(reinterpret_cast<const __m128i*>(P + i + 8 * Half));
        };
        auto nearest = [&](__m128i Scaled, __m128i M) {
            return _mm_srai_epi16(_mm_add_epi16(_mm_mulhi_epi16(Scaled, M), half), FractionBits);
        };
        const __m128i scaledLo = _mm_slli_epi16(diffLo, FractionBits), scaledHi = _mm_slli_epi16(diffHi, FractionBits);
        const __m128i lo = nearest(scaledLo, load(K.Low, 0)), hi = nearest(scaledHi, load(K.Low, 1));
        const __m128i same = _mm_and_si128(_mm_cmpeq_epi16(lo, nearest(scaledLo, load(K.High, 0))),
                                           _mm_cmpeq_epi16(hi, nearest(scaledHi, load(K.High, 1))));
        if (_mm_movemask_epi8(same) != 0xFFFF) {
            BlendExact(Own, Target, K, i, i + 16);
            continue;
        }
        // The base: the target, or the own image (target plus difference) for a blend from it.
        const __m128i baseLo = _mm_add_epi16(targetLo, _mm_and_si128(diffLo, load(K.FromOwn, 0)));
        const __m128i baseHi = _mm_add_epi16(targetHi, _mm_and_si128(diffHi, load(K.FromOwn, 1)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(Own + i),
                         _mm_packus_epi16(_mm_add_epi16(baseLo, lo), _mm_add_epi16(baseHi, hi)));
    }
    BlendExact(Own, Target, K, i, Count);
}

// Sixteen channels by the 16-bit multiplier: the base plus the rounded multiple of the
// difference of the other image from it.
template <bool FromOwn>
inline void BlendSixteen(std::uint8_t* Own, const std::uint8_t* Target, __m128i Multiplier)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i half = _mm_set1_epi16(HalfUnit);
    const __m128i own = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Own));
    const __m128i target = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Target));
    const __m128i base = FromOwn ? own : target, other = FromOwn ? target : own;
    const __m128i baseLo = _mm_unpacklo_epi8(base, zero), baseHi = _mm_unpackhi_epi8(base, zero);
    auto nearest = [&](__m128i Diff) {
        const __m128i scaled = _mm_mulhi_epi16(_mm_slli_epi16(Diff, FractionBits), Multiplier);
        return _mm_srai_epi16(_mm_add_epi16(scaled, half), FractionBits);
    };
    const __m128i lo = _mm_add_epi16(baseLo, nearest(_mm_sub_epi16(_mm_unpacklo_epi8(other, zero), baseLo)));
    const __m128i hi = _mm_add_epi16(baseHi, nearest(_mm_sub_epi16(_mm_unpackhi_epi8(other, zero), baseHi)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(Own), _mm_packus_epi16(lo, hi));
}

template <bool FromOwn>
void BlendBySixteenBits(std::uint8_t* Own, const std::uint8_t* Target, int Multiplier, std::size_t Count)
{
    const __m128i m = _mm_set1_epi16(static_cast<short>(Multiplier));
    std::size_t i = 0;
    for (; i + 16 <= Count; i += 16)
        BlendSixteen<FromOwn>(Own + i, Target + i, m);
    if (i == Count)
        return;
    // The rule holds for every pair of levels, so the last channels go through a block of
    // their own.
    const std::size_t rest = Count - i;
    std::uint8_t own[16] = {}, target[16] = {};
    std::memcpy(own, Own + i, rest);
    std::memcpy(target, Target + i, rest);
    BlendSixteen<FromOwn>(own, target, m);
    std::memcpy(Own + i, own, rest);
}

// The low half of Lo and the high half of Hi.
inline __m128i Halves(__m128i Lo, __m128i Hi)
{
    return _mm_castpd_si128(_mm_move_sd(_mm_castsi128_pd(Hi), _mm_castsi128_pd(Lo)));
}

// Eight 16-bit pixel offsets spread over the 24 channels of those pixels, in three vectors.
inline void SpreadOverChannels(__m128i N, __m128i (&Out)[3])
{
    Out[0] = _mm_unpacklo_epi64(_mm_shufflelo_epi16(N, _MM_SHUFFLE(1, 0, 0, 0)),
                                _mm_shufflelo_epi16(N, _MM_SHUFFLE(2, 2, 1, 1)));
    Out[1] = Halves(_mm_shufflelo_epi16(N, _MM_SHUFFLE(3, 3, 3, 2)), _mm_shufflehi_epi16(N, _MM_SHUFFLE(1, 0, 0, 0)));
    Out[2] = _mm_unpackhi_epi64(_mm_shufflehi_epi16(N, _MM_SHUFFLE(2, 2, 1, 1)),
                                _mm_shufflehi_epi16(N, _MM_SHUFFLE(3, 3, 3, 2)));
}

// Sixteen pixels of 16-bit noise values (saturated: the channels clamp all the same) added to
// the 48 channels at P.
inline void AddNoise16(std::uint8_t* P, __m128i First8, __m128i Last8)
{
    const __m128i zero = _mm_setzero_si128();
    __m128i a[3], b[3];
    SpreadOverChannels(First8, a);
    SpreadOverChannels(Last8, b);
    const __m128i* offsets[6] = {&a[0], &a[1], &a[2], &b[0], &b[1], &b[2]};
    for (int k = 0; k < 3; ++k) {
        __m128i* at = reinterpret_cast<__m128i*>(P + 16 * k);
        const __m128i bytes = _mm_loadu_si128(at);
        const __m128i lo = _mm_adds_epi16(_mm_unpacklo_epi8(bytes, zero), *offsets[2 * k]);
        const __m128i hi = _mm_adds_epi16(_mm_unpackhi_epi8(bytes, zero), *offsets[2 * k + 1]);
        _mm_storeu_si128(at, _mm_packus_epi16(lo, hi));
    }
}

}  // namespace

void NoiseRow(std::uint8_t* Row, int Width, int Amount, std::uint32_t& Seed)
{
    // Sixteen pixels at a time: the seeds of all sixteen come from the one before them at
    // once, four to a vector (the products of 32-bit lanes two at a time), and only the seed
    // sixteen steps on is carried from one block to the next.
    const auto& steps = RandomSteps;
    __m128i mulEven[4], mulOdd[4], add[4];
    for (int j = 0; j < 4; ++j) {
        const std::uint32_t* m = steps.Mul + 4 * j + 1;
        const std::uint32_t* c = steps.Add + 4 * j + 1;
        mulEven[j] = _mm_setr_epi32(static_cast<int>(m[0]), 0, static_cast<int>(m[2]), 0);
        mulOdd[j] = _mm_setr_epi32(static_cast<int>(m[1]), 0, static_cast<int>(m[3]), 0);
        add[j] = _mm_setr_epi32(static_cast<int>(c[0]), static_cast<int>(c[1]), static_cast<int>(c[2]),
                                static_cast<int>(c[3]));
    }
    const __m128i evenLanes = _mm_setr_epi32(-1, 0, -1, 0), oddLanes = _mm_setr_epi32(0, -1, 0, -1);
    const __m128i amount = _mm_set1_epi32(Amount), centre = _mm_set1_epi32(Amount / 2);
    std::uint32_t seed = Seed;
    int x = 0;
    for (; x + 16 <= Width; x += 16) {
        const __m128i from = _mm_set1_epi32(static_cast<int>(seed));
        __m128i noise[4];
        for (int j = 0; j < 4; ++j) {
            const __m128i next = _mm_add_epi32(
                _mm_or_si128(_mm_and_si128(_mm_mul_epu32(from, mulEven[j]), evenLanes),
                             _mm_slli_epi64(_mm_mul_epu32(from, mulOdd[j]), 32)),
                add[j]);
            // The high halves of seed * Amount.
            const __m128i value = _mm_or_si128(_mm_srli_epi64(_mm_mul_epu32(next, amount), 32),
                                               _mm_and_si128(_mm_mul_epu32(_mm_srli_epi64(next, 32), amount), oddLanes));
            noise[j] = _mm_sub_epi32(value, centre);
        }
        seed = seed * steps.Mul[16] + steps.Add[16];
        AddNoise16(Row + 3 * static_cast<std::size_t>(x), _mm_packs_epi32(noise[0], noise[1]),
                   _mm_packs_epi32(noise[2], noise[3]));
    }
    for (; x < Width; ++x)
        AddToPixel(Row + 3 * static_cast<std::size_t>(x), NextNoise(seed, Amount));
    Seed = seed;
}

int SixteenBitMultiplier(double OwnK)
{
    if (!(OwnK > 0 && OwnK < 1))
        return 0;
    // Target + OwnK * (own - target) is also own + (1 - OwnK) * (target - own): the smaller
    // weight fits 16 bits with a bit more to spare. 1 - OwnK is exact from a half up.
    const bool fromOwn = OwnK >= 0.5;
    const double k = fromOwn ? 1 - OwnK : OwnK;
    const int m = static_cast<int>(k * MultiplierOne + 0.5);
    if (m > 32767 || m < 1)
        return 0;
    for (int d = -255; d <= 255; ++d) {
        // As the 16-bit lanes do it: the high half of the product, then the rounding shift;
        // both shifts of negative values round down.
        const int n = (((d * (1 << FractionBits) * m) >> 16) + HalfUnit) >> FractionBits;
        // n is the nearest integer, and no half is within 1e-9, when the product lies inside
        // n +- (0.5 - 1e-9). Comparisons only: converting to integers is slow on the x87 unit.
        const double product = k * d;
        if (!(product > n - (0.5 - 1e-9) && product < n + (0.5 - 1e-9)))
            return 0;
    }
    return fromOwn ? -m : m;
}

void BlendChannels(std::uint8_t* Own, const std::uint8_t* Target, const TBlendWeights& K, std::size_t Count)
{
    if (!K.Step && K.Multiplier > 0)
        BlendBySixteenBits<false>(Own, Target, K.Multiplier, Count);
    else if (!K.Step && K.Multiplier < 0)
        BlendBySixteenBits<true>(Own, Target, -K.Multiplier, Count);
    else if (K.Step && K.Low)
        BlendBracketed(Own, Target, K, Count);
    else if (K.Step)
        BlendChannelsSse2<true>(Own, Target, K, Count);
    else
        BlendChannelsSse2<false>(Own, Target, K, Count);
}

void BlendExact(std::uint8_t* Own, const std::uint8_t* Target, const TBlendWeights& K, std::size_t From,
                std::size_t To)
{
    // A loop for each kind of weights, without aliasing between them: the compiler vectorises
    // both (see sources.cmake).
    std::uint8_t* __restrict own = Own;
    const std::uint8_t* __restrict target = Target;
    if (K.Step) {
        const double* __restrict ownK = K.Own;
        const double* __restrict targetK = K.Target;
        for (std::size_t i = From; i < To; ++i)
            own[i] = RoundToByte(ownK[i] * own[i] + targetK[i] * target[i]);
    } else {
        const double ownK = *K.Own, targetK = *K.Target;
        for (std::size_t i = From; i < To; ++i)
            own[i] = RoundToByte(ownK * own[i] + targetK * target[i]);
    }
}

void InvertChannels(std::uint8_t* Row, std::size_t Count)
{
    std::uint8_t* __restrict row = Row;
    for (std::size_t i = 0; i < Count; ++i)
        row[i] = static_cast<std::uint8_t>(255 - row[i]);
}

void ApplyLevelPairs(std::uint8_t* Row, std::size_t Count, const std::uint8_t* Levels, const std::uint16_t* Pairs)
{
    std::size_t i = 0;
    for (; i + 2 <= Count; i += 2) {
        std::uint16_t pair;
        std::memcpy(&pair, Row + i, 2);
        std::memcpy(Row + i, Pairs + pair, 2);
    }
    if (i < Count)
        Row[i] = Levels[Row[i]];
}

void BlurInnerColumns(std::uint8_t* Row, const std::uint8_t* Up, const std::uint8_t* Down, std::size_t Reach,
                      std::size_t From, std::size_t To)
{
    std::uint8_t* __restrict row = Row;
    for (std::size_t i = From; i < To; ++i)
        row[i] = static_cast<std::uint8_t>((Up[i - Reach] + Down[i - Reach] + Up[i + Reach] + Down[i + Reach]) >> 2);
}

}  // namespace sk::kernels
