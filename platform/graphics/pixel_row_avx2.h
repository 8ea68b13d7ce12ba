// The alpha blend of a row of texels eight pixels at a time, for CPUs with AVX2, chosen at run time.
// Part of pixel_row.h: the same integer arithmetic as its four-pixel loop, so the pixels are the same.
#pragma once

#include <cstdint>

#if defined(__SSE2__) && defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#define VARNOLIS_HAS_AVX2_ROWS 1
#include <immintrin.h>
#endif

namespace platform::gfx {

#if defined(VARNOLIS_HAS_AVX2_ROWS)
// Asked once; every later call is a load.
inline bool CpuHasAvx2()
{
    static const bool has = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return has;
}

namespace pixel_row_detail {

#define VARNOLIS_AVX2 __attribute__((target("avx2")))

VARNOLIS_AVX2 inline __m256i Div255Epi16x16(__m256i n)
{
    return _mm256_mulhi_epu16(_mm256_add_epi16(n, _mm256_set1_epi16(128)), _mm256_set1_epi16(257));
}

VARNOLIS_AVX2 inline __m256i AlphaLanes16(__m256i pixels16)
{
    return _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(pixels16, 0xFF), 0xFF);
}

// Each 128-bit half works on its four pixels exactly as BlendFour<Alpha> does.
VARNOLIS_AVX2 inline __m256i AlphaBlendEight(__m256i src, __m256i dst)
{
    const __m256i zero = _mm256_setzero_si256();
    const __m256i max = _mm256_set1_epi16(255);
    const __m256i alphaMask = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
    const __m256i srcLo = _mm256_unpacklo_epi8(src, zero);
    const __m256i srcHi = _mm256_unpackhi_epi8(src, zero);
    const __m256i dstLo = _mm256_unpacklo_epi8(dst, zero);
    const __m256i dstHi = _mm256_unpackhi_epi8(dst, zero);
    const __m256i aLo = AlphaLanes16(srcLo);
    const __m256i aHi = AlphaLanes16(srcHi);
    const __m256i outLo = Div255Epi16x16(
        _mm256_add_epi16(_mm256_mullo_epi16(srcLo, aLo), _mm256_mullo_epi16(dstLo, _mm256_sub_epi16(max, aLo))));
    const __m256i outHi = Div255Epi16x16(
        _mm256_add_epi16(_mm256_mullo_epi16(srcHi, aHi), _mm256_mullo_epi16(dstHi, _mm256_sub_epi16(max, aHi))));
    const __m256i blended = _mm256_packus_epi16(outLo, outHi);
    return _mm256_or_si256(_mm256_andnot_si256(alphaMask, blended), _mm256_and_si256(src, alphaMask));
}

template <bool Modulate>
VARNOLIS_AVX2 inline __m256i ModulateEight(__m256i src, __m256i color)
{
    if constexpr (Modulate) {
        const __m256i zero = _mm256_setzero_si256();
        const __m256i lo = Div255Epi16x16(_mm256_mullo_epi16(_mm256_unpacklo_epi8(src, zero), color));
        const __m256i hi = Div255Epi16x16(_mm256_mullo_epi16(_mm256_unpackhi_epi8(src, zero), color));
        src = _mm256_packus_epi16(lo, hi);
    }
    return src;
}

// Pixels i..i+7: consecutive texels, or texels by column.
template <bool ByColumn>
VARNOLIS_AVX2 inline __m256i EightOf(const std::uint32_t* t, const int* columns, int i)
{
    if constexpr (ByColumn) {
        const int* c = columns + i;
        return _mm256_setr_epi32(static_cast<int>(t[c[0]]), static_cast<int>(t[c[1]]), static_cast<int>(t[c[2]]),
                                 static_cast<int>(t[c[3]]), static_cast<int>(t[c[4]]), static_cast<int>(t[c[5]]),
                                 static_cast<int>(t[c[6]]), static_cast<int>(t[c[7]]));
    } else {
        return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(t + i));
    }
}

// The row's whole groups of eight pixels; returns how many pixels it wrote,
// and the caller finishes the rest with the four-pixel loop. `color` holds
// the flat colour's b, g, r, a in 16-bit lanes, twice. Everything comes in
// registers: a source struct passed by reference would be stored just before
// this reads it, which stalls.
template <bool Modulate, bool ByColumn>
VARNOLIS_AVX2 int RunAlphaRowAvx2(std::uint32_t* const target, const int count, __m128i color128,
                                  const std::uint32_t* texels, const int* columns)
{
    const __m256i color = _mm256_broadcastsi128_si256(color128);
    const __m256i alphaMask = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
    const __m256i zero = _mm256_setzero_si256();
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i src = ModulateEight<Modulate>(EightOf<ByColumn>(texels, columns, i), color);
        __m256i* out = reinterpret_cast<__m256i*>(target + i);
        // Sprites are mostly fully opaque or fully clear texels.
        const __m256i alphas = _mm256_and_si256(src, alphaMask);
        if (_mm256_movemask_epi8(_mm256_cmpeq_epi32(alphas, alphaMask)) == -1) {
            _mm256_storeu_si256(out, src);
            continue;
        }
        if (_mm256_movemask_epi8(_mm256_cmpeq_epi32(alphas, zero)) == -1) {
            _mm256_storeu_si256(out, _mm256_andnot_si256(alphaMask, _mm256_loadu_si256(out)));
            continue;
        }
        _mm256_storeu_si256(out, AlphaBlendEight(src, _mm256_loadu_si256(out)));
    }
    return i;
}

#undef VARNOLIS_AVX2

}  // namespace pixel_row_detail
#endif

}  // namespace platform::gfx
