#include "skin/skEffectsKernels.h"

namespace sk::kernels {

namespace {

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

}  // namespace

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

}  // namespace sk::kernels
