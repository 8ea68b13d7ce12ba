// The last step of the device's fast paths: a row of source colours written with depth test and blending.
// The source is a flat colour, or texels, optionally times a flat colour.
// Templated so each combination of blend, modulation and depth test compiles
// to a tight loop; every loop computes exactly what the general per-pixel path
// computes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/graphics/blend.h"
#include "platform/graphics/gfx_types.h"
#include "platform/graphics/pixel_math.h"
#include "platform/graphics/pixel_row_avx2.h"

namespace platform::gfx {

// A new value against the stored one, as the depth and stencil tests compare.
template <typename T>
inline bool ComparisonPasses(Comparison func, T value, T stored)
{
    switch (func) {
    case Comparison::Never: return false;
    case Comparison::Less: return value < stored;
    case Comparison::Equal: return value == stored;
    case Comparison::LessEqual: return value <= stored;
    case Comparison::Greater: return value > stored;
    case Comparison::NotEqual: return value != stored;
    case Comparison::GreaterEqual: return value >= stored;
    case Comparison::Always: return true;
    }
    return false;
}

inline bool DepthPasses(Comparison func, float z, float stored) { return ComparisonPasses(func, z, stored); }

struct PixelRow {
    std::uint32_t* target = nullptr;
    float* depthRow = nullptr;
    // Source of pixel i in WritePixelRow: texels[columns[i]], or texels[i]
    // when columns is null; a flat colour when not textured.
    const std::uint32_t* texels = nullptr;
    const int* columns = nullptr;
    // The columns in groups of eight, where the row's maker has made them.
    ColumnGroups groups;
    int count = 0;
    std::uint32_t flat = 0;
    int r = 255, g = 255, b = 255, a = 255;  // the flat colour, for modulation
    float z = 0.0f;
    Comparison func = Comparison::Always;
    bool depthWrite = false;
};

namespace pixel_row_detail {

// Sources of a row's colours. Pixel i reads At(i); the SIMD loops read
// pixels i..i+3 with Four(i) and pixels i, i + 1 with Two(i), in the low half.
struct TexelRun {
    const std::uint32_t* texels;

    std::uint32_t At(int i) const { return texels[i]; }
#if defined(__SSE2__)
    __m128i Four(int i) const { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(texels + i)); }
    __m128i Two(int i) const { return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(texels + i)); }
#endif
};

struct TexelColumns {
    const std::uint32_t* texels;
    const int* columns;

    std::uint32_t At(int i) const { return texels[columns[i]]; }
#if defined(__SSE2__)
    __m128i Four(int i) const
    {
        return _mm_set_epi32(static_cast<int>(At(i + 3)), static_cast<int>(At(i + 2)), static_cast<int>(At(i + 1)),
                             static_cast<int>(At(i)));
    }
    __m128i Two(int i) const { return _mm_set_epi32(0, 0, static_cast<int>(At(i + 1)), static_cast<int>(At(i))); }
#endif
};

template <typename Blender, bool Modulate, bool Depth, typename Source>
void RunRow(const PixelRow& row, const Source& source, Blender blend)
{
    for (int i = 0; i < row.count; ++i) {
        if constexpr (Depth) {
            if (!DepthPasses(row.func, row.z, row.depthRow[i])) continue;
            if (row.depthWrite) row.depthRow[i] = row.z;
        }
        std::uint32_t color = source.At(i);
        if constexpr (Modulate) color = ModulateColor(color, row.r, row.g, row.b, row.a);
        row.target[i] = blend(color, row.target[i]);
    }
}

template <typename Blender, bool Depth>
void RunFlatRow(const PixelRow& row, Blender blend)
{
    for (int i = 0; i < row.count; ++i) {
        if constexpr (Depth) {
            if (!DepthPasses(row.func, row.z, row.depthRow[i])) continue;
            if (row.depthWrite) row.depthRow[i] = row.z;
        }
        row.target[i] = blend(row.flat, row.target[i]);
    }
}

#if defined(__SSE2__)
// round(n / 255) in each 16-bit lane, n <= 65025: the same as Div255, since
// (t + (t >> 8)) >> 8 equals (t * 257) >> 16 for every 16-bit t.
inline __m128i Div255Epi16(__m128i n)
{
    return _mm_mulhi_epu16(_mm_add_epi16(n, _mm_set1_epi16(128)), _mm_set1_epi16(257));
}

// Mul255 of every byte of two pixels (in 16-bit lanes) by the matching lane.
inline __m128i Mul255Epi16(__m128i a, __m128i b) { return Div255Epi16(_mm_mullo_epi16(a, b)); }

// Each pixel's alpha copied into the four lanes of that pixel.
inline __m128i AlphaLanes(__m128i pixels16) { return _mm_shufflehi_epi16(_mm_shufflelo_epi16(pixels16, 0xFF), 0xFF); }

// Four source pixels blended with four target pixels, by the same integer
// arithmetic as the scalar blender of the kind.
template <BlendKind Kind>
VARNOLIS_ALWAYS_INLINE __m128i BlendFour(__m128i src, __m128i dst)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i alphaMask = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    const __m128i srcLo = _mm_unpacklo_epi8(src, zero);
    const __m128i srcHi = _mm_unpackhi_epi8(src, zero);
    if constexpr (Kind == BlendKind::Opaque) {
        return src;
    } else if constexpr (Kind == BlendKind::Alpha) {
        const __m128i max = _mm_set1_epi16(255);
        const __m128i dstLo = _mm_unpacklo_epi8(dst, zero);
        const __m128i dstHi = _mm_unpackhi_epi8(dst, zero);
        const __m128i aLo = AlphaLanes(srcLo);
        const __m128i aHi = AlphaLanes(srcHi);
        const __m128i outLo = Div255Epi16(
            _mm_add_epi16(_mm_mullo_epi16(srcLo, aLo), _mm_mullo_epi16(dstLo, _mm_sub_epi16(max, aLo))));
        const __m128i outHi = Div255Epi16(
            _mm_add_epi16(_mm_mullo_epi16(srcHi, aHi), _mm_mullo_epi16(dstHi, _mm_sub_epi16(max, aHi))));
        const __m128i blended = _mm_packus_epi16(outLo, outHi);
        return _mm_or_si128(_mm_andnot_si128(alphaMask, blended), _mm_and_si128(src, alphaMask));
    } else if constexpr (Kind == BlendKind::Add || Kind == BlendKind::Subtract) {
        // dst +- src * a per byte, saturated (see AddBlender).
        const __m128i scaled =
            _mm_packus_epi16(Mul255Epi16(srcLo, AlphaLanes(srcLo)), Mul255Epi16(srcHi, AlphaLanes(srcHi)));
        if constexpr (Kind == BlendKind::Add) {
            const __m128i color = _mm_andnot_si128(alphaMask, _mm_adds_epu8(dst, scaled));
            return _mm_or_si128(color, _mm_and_si128(src, alphaMask));
        } else {
            const __m128i color = _mm_andnot_si128(alphaMask, _mm_subs_epu8(dst, scaled));
            return _mm_or_si128(color, _mm_and_si128(_mm_adds_epu8(dst, scaled), alphaMask));
        }
    } else {
        static_assert(Kind == BlendKind::Multiply);
        const __m128i lo = Mul255Epi16(srcLo, _mm_unpacklo_epi8(dst, zero));
        const __m128i hi = Mul255Epi16(srcHi, _mm_unpackhi_epi8(dst, zero));
        return _mm_andnot_si128(alphaMask, _mm_packus_epi16(lo, hi));
    }
}

// Sources times the flat colour (ModulateColor), when asked to.
template <bool Modulate>
VARNOLIS_ALWAYS_INLINE __m128i ModulateFour(__m128i src, __m128i color)
{
    if constexpr (Modulate) {
        const __m128i zero = _mm_setzero_si128();
        const __m128i lo = Mul255Epi16(_mm_unpacklo_epi8(src, zero), color);
        const __m128i hi = Mul255Epi16(_mm_unpackhi_epi8(src, zero), color);
        src = _mm_packus_epi16(lo, hi);
    }
    return src;
}

template <BlendKind Kind, bool Modulate>
VARNOLIS_ALWAYS_INLINE __m128i ShadeFour(__m128i src, __m128i dst, __m128i color)
{
    return BlendFour<Kind>(ModulateFour<Modulate>(src, color), dst);
}

// Rows four pixels at a time for the blend kinds with a SIMD form; the last
// one to three pixels go through the same arithmetic in part of a register.
// The flat colour's b, g, r, a in 16-bit lanes, twice, as the modulation takes it.
inline __m128i ColorLanes(const PixelRow& row)
{
    return _mm_set_epi16(static_cast<short>(row.a), static_cast<short>(row.r), static_cast<short>(row.g),
                         static_cast<short>(row.b), static_cast<short>(row.a), static_cast<short>(row.r),
                         static_cast<short>(row.g), static_cast<short>(row.b));
}

template <BlendKind Kind, bool Modulate, typename Source>
VARNOLIS_ALWAYS_INLINE void RunRowSse2(const PixelRow& row, const Source& source)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i color = ColorLanes(row);
    const __m128i alphaMask = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    // Locals, so the stores below cannot make the compiler reload them.
    std::uint32_t* const target = row.target;
    const int count = row.count;
    int i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m128i src = ModulateFour<Modulate>(source.Four(i), color);
        __m128i* out = reinterpret_cast<__m128i*>(target + i);
        if constexpr (Kind == BlendKind::Alpha) {
            // Sprites are mostly fully opaque or fully clear texels.
            const __m128i alphas = _mm_and_si128(src, alphaMask);
            if (_mm_movemask_epi8(_mm_cmpeq_epi32(alphas, alphaMask)) == 0xFFFF) {
                _mm_storeu_si128(out, src);
                continue;
            }
            if (_mm_movemask_epi8(_mm_cmpeq_epi32(alphas, zero)) == 0xFFFF) {
                _mm_storeu_si128(out, _mm_andnot_si128(alphaMask, _mm_loadu_si128(out)));
                continue;
            }
        }
        _mm_storeu_si128(out, BlendFour<Kind>(src, _mm_loadu_si128(out)));
    }
    if (i + 2 <= count) {
        __m128i* out = reinterpret_cast<__m128i*>(target + i);
        _mm_storel_epi64(out, ShadeFour<Kind, Modulate>(source.Two(i), _mm_loadl_epi64(out), color));
        i += 2;
    }
    if (i < count) {
        const __m128i src = _mm_cvtsi32_si128(static_cast<int>(source.At(i)));
        const __m128i dst = _mm_cvtsi32_si128(static_cast<int>(target[i]));
        target[i] = static_cast<std::uint32_t>(_mm_cvtsi128_si32(ShadeFour<Kind, Modulate>(src, dst, color)));
    }
}

// A flat colour over the row, four pixels at a time.
template <BlendKind Kind>
void RunFlatRowSse2(const PixelRow& row)
{
    const __m128i src = _mm_set1_epi32(static_cast<int>(row.flat));
    std::uint32_t* const target = row.target;
    const int count = row.count;
    int i = 0;
    for (; i + 4 <= count; i += 4) {
        __m128i* out = reinterpret_cast<__m128i*>(target + i);
        _mm_storeu_si128(out, BlendFour<Kind>(src, _mm_loadu_si128(out)));
    }
    for (; i < count; ++i) {
        const __m128i dst = _mm_cvtsi32_si128(static_cast<int>(target[i]));
        target[i] = static_cast<std::uint32_t>(_mm_cvtsi128_si32(BlendFour<Kind>(src, dst)));
    }
}
#endif

// One colour over the row, four pixels a store.
inline void FillRow(std::uint32_t* target, int count, std::uint32_t color)
{
    int i = 0;
#if defined(__SSE2__)
    const __m128i four = _mm_set1_epi32(static_cast<int>(color));
    for (; i + 4 <= count; i += 4) _mm_storeu_si128(reinterpret_cast<__m128i*>(target + i), four);
#endif
    for (; i < count; ++i) target[i] = color;
}

template <typename Blender>
constexpr BlendKind KindOf()
{
    if constexpr (std::is_same_v<Blender, OpaqueBlender>) return BlendKind::Opaque;
    if constexpr (std::is_same_v<Blender, AlphaBlender>) return BlendKind::Alpha;
    if constexpr (std::is_same_v<Blender, AddBlender>) return BlendKind::Add;
    if constexpr (std::is_same_v<Blender, MultiplyBlender>) return BlendKind::Multiply;
    if constexpr (std::is_same_v<Blender, SubtractBlender>) return BlendKind::Subtract;
    return BlendKind::Generic;
}

template <typename Blender, bool Depth, typename Source>
VARNOLIS_ALWAYS_INLINE void RunSourceRow(const PixelRow& row, const Source& source, Blender blend, bool modulate)
{
#if defined(__SSE2__)
    constexpr BlendKind kind = KindOf<Blender>();
    if constexpr (kind != BlendKind::Generic && !Depth) {
        // Unblended texels as they are (the canvas onto the back buffer, every frame): a copy.
        if constexpr (kind == BlendKind::Opaque && std::is_same_v<Source, TexelRun>) {
            if (!modulate && row.count > 0) {
                std::memmove(row.target, source.texels, static_cast<std::size_t>(row.count) * sizeof(std::uint32_t));
                return;
            }
        }
#if defined(VARNOLIS_HAS_AVX2_ROWS)
        constexpr bool byRun = std::is_same_v<Source, TexelRun>;
        constexpr bool byColumn = std::is_same_v<Source, TexelColumns>;
        if constexpr (kind == BlendKind::Alpha && (byRun || byColumn)) {
            // A row by column goes eight pixels at a time only through its
            // groups; a shorter row costs less in the four-pixel loop.
            if ((byRun || row.groups.bases) && row.count >= 8 && CpuHasAvx2()) {
                modulate ? RunAlphaRowAvx2<true, byColumn>(row.target, row.count, ColorLanes(row), source.texels, row.groups)
                         : RunAlphaRowAvx2<false, byColumn>(row.target, row.count, ColorLanes(row), source.texels, row.groups);
                return;
            }
        }
#endif
        modulate ? RunRowSse2<kind, true>(row, source) : RunRowSse2<kind, false>(row, source);
        return;
    }
#endif
    modulate ? RunRow<Blender, true, Depth>(row, source, blend) : RunRow<Blender, false, Depth>(row, source, blend);
}

}  // namespace pixel_row_detail

// True when rows by column of this blend kind read them through their
// ColumnGroups: worth making them once for all the rows of a quad.
inline bool RowsTakeColumnGroups(BlendKind kind)
{
#if defined(VARNOLIS_HAS_AVX2_ROWS)
    return kind == BlendKind::Alpha && CpuHasAvx2();
#else
    (void)kind;
    return false;
#endif
}

// Writes the row through `blend` (a blender of blend.h), from its texels or
// its flat colour.
template <typename Blender>
void WritePixelRow(const PixelRow& row, Blender blend, bool textured, bool modulate, bool depth)
{
    using namespace pixel_row_detail;
    if (!textured) {
#if defined(__SSE2__)
        constexpr BlendKind kind = KindOf<Blender>();
        if constexpr (kind != BlendKind::Generic && kind != BlendKind::Opaque) {
            if (!depth) {
                // An opaque colour over alpha blending gives the colour itself: the
                // road bands and ground rectangles of the screens are such rows.
                if (kind == BlendKind::Alpha && (row.flat >> 24) == 0xFFu) {
                    FillRow(row.target, row.count, row.flat);
                    return;
                }
                RunFlatRowSse2<kind>(row);
                return;
            }
        }
#endif
        depth ? RunFlatRow<Blender, true>(row, blend) : RunFlatRow<Blender, false>(row, blend);
    } else if (row.columns) {
        const TexelColumns source{row.texels, row.columns};
        depth ? RunSourceRow<Blender, true>(row, source, blend, modulate)
              : RunSourceRow<Blender, false>(row, source, blend, modulate);
    } else {
        const TexelRun source{row.texels};
        depth ? RunSourceRow<Blender, true>(row, source, blend, modulate)
              : RunSourceRow<Blender, false>(row, source, blend, modulate);
    }
}

// Writes `rows` rows of consecutive texels without a depth test: row k reads
// row.texels + k * texelPitch and writes row.target + k * targetPitch, as
// WritePixelRow would row by row. Each row asks for the target row
// `prefetchRows` below it, where there is one.
template <typename Blender>
void WriteTexelRows(PixelRow row, Blender blend, bool modulate, int rows, std::size_t texelPitch,
                    std::size_t targetPitch, int prefetchRows)
{
    using namespace pixel_row_detail;
    for (int k = 0; k < rows; ++k) {
        if (k + prefetchRows < rows) {
            const std::uint32_t* ahead = row.target + static_cast<std::size_t>(prefetchRows) * targetPitch;
            __builtin_prefetch(ahead, 1);
            __builtin_prefetch(ahead + row.count - 1, 1);
        }
        RunSourceRow<Blender, false>(row, TexelRun{row.texels}, blend, modulate);
        row.texels += texelPitch;
        row.target += targetPitch;
    }
}

// Writes the row through `blend` from any source with At, Four and Two as
// above, without a depth test.
template <typename Blender, typename Source>
VARNOLIS_ALWAYS_INLINE void WriteSourceRow(const PixelRow& row, const Source& source, Blender blend, bool modulate)
{
    pixel_row_detail::RunSourceRow<Blender, false>(row, source, blend, modulate);
}

}  // namespace platform::gfx
