// The alpha blend of a row of texels eight pixels at a time, for CPUs with AVX2, chosen at run time.
// Part of pixel_row.h: the same integer arithmetic as its four-pixel loop, so the pixels are the same.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#if defined(__SSE2__) && defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#define VARNOLIS_HAS_AVX2_ROWS 1
#include <immintrin.h>
#endif

namespace platform::gfx {

// How a row that reads its texels by column fetches them eight at a time. A
// group is eight pixels of the row, the last one padded with its first
// column. Where a group's columns lie within eight texels of each other (a
// sprite drawn at its own size or larger, flipped or not), `bases` holds the
// first of eight texels loaded at once and `lanes` the place of each pixel's
// texel among them; elsewhere `bases` holds -1 and `lanes` the columns.
struct ColumnGroups {
    const int* bases = nullptr;
    const int* lanes = nullptr;
};

// The groups of a row's `count` columns, all in 0..texWidth-1, into the two
// vectors, which keep their memory from row to row.
inline ColumnGroups MakeColumnGroups(const int* columns, int count, int texWidth, std::vector<int>& bases,
                                     std::vector<int>& lanes)
{
    const std::size_t groups = static_cast<std::size_t>(count + 7) / 8;
    if (bases.size() < groups) bases.resize(groups);
    if (lanes.size() < 8 * groups) lanes.resize(8 * groups);
    for (std::size_t g = 0; g < groups; ++g) {
        const int* column = columns + 8 * g;
        const int n = std::min(8, count - static_cast<int>(8 * g));
        int lo = column[0], hi = column[0];
        for (int k = 1; k < n; ++k) lo = std::min(lo, column[k]), hi = std::max(hi, column[k]);
        // The eight texels loaded stay inside the texel row.
        const bool near = hi - lo < 8 && texWidth >= 8;
        const int base = near ? std::min(lo, texWidth - 8) : 0;
        bases[g] = near ? base : -1;
        for (int k = 0; k < 8; ++k) lanes[8 * g + static_cast<std::size_t>(k)] = column[k < n ? k : 0] - base;
    }
    return {bases.data(), lanes.data()};
}

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

// Pixels 8g..8g+7 of a row, from consecutive texels or through the row's column groups.
template <bool ByColumn>
VARNOLIS_AVX2 inline __m256i EightOf(const std::uint32_t* t, const ColumnGroups& groups, int g)
{
    if constexpr (ByColumn) {
        const int* lanes = groups.lanes + 8 * g;
        const int base = groups.bases[g];
        if (base >= 0) {
            return _mm256_permutevar8x32_epi32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(t + base)),
                                               _mm256_loadu_si256(reinterpret_cast<const __m256i*>(lanes)));
        }
        return _mm256_setr_epi32(static_cast<int>(t[lanes[0]]), static_cast<int>(t[lanes[1]]),
                                 static_cast<int>(t[lanes[2]]), static_cast<int>(t[lanes[3]]),
                                 static_cast<int>(t[lanes[4]]), static_cast<int>(t[lanes[5]]),
                                 static_cast<int>(t[lanes[6]]), static_cast<int>(t[lanes[7]]));
    } else {
        return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(t + 8 * g));
    }
}

// The whole row, eight pixels at a time, the last group through a mask.
// `color` holds the flat colour's b, g, r, a in 16-bit lanes, twice.
// Everything comes in registers: a source struct passed by reference would be
// stored just before this reads it, which stalls.
template <bool Modulate, bool ByColumn>
VARNOLIS_AVX2 void RunAlphaRowAvx2(std::uint32_t* const target, const int count, __m128i color128,
                                   const std::uint32_t* texels, ColumnGroups groups)
{
    const __m256i color = _mm256_broadcastsi128_si256(color128);
    const __m256i alphaMask = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
    const __m256i zero = _mm256_setzero_si256();
    int i = 0;
    int g = 0;
    for (; i + 8 <= count; i += 8, ++g) {
        const __m256i src = ModulateEight<Modulate>(EightOf<ByColumn>(texels, groups, g), color);
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
    if (i == count) return;
    // The blend gives what the shortcuts above give, so the last group needs none.
    const __m256i lanes = _mm256_cmpgt_epi32(_mm256_set1_epi32(count - i), _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
    int* const out = reinterpret_cast<int*>(target + i);
    __m256i raw;
    if constexpr (ByColumn) {
        raw = EightOf<true>(texels, groups, g);
    } else {
        raw = _mm256_maskload_epi32(reinterpret_cast<const int*>(texels + i), lanes);
    }
    const __m256i src = ModulateEight<Modulate>(raw, color);
    _mm256_maskstore_epi32(out, lanes, AlphaBlendEight(src, _mm256_maskload_epi32(out, lanes)));
}

#undef VARNOLIS_AVX2

}  // namespace pixel_row_detail
#endif

}  // namespace platform::gfx
