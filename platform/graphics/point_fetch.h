// Point sampling with SSE2 for triangles whose scaled texture coordinates stay small.
#pragma once

#if defined(__SSE2__)

#include <emmintrin.h>

#include <cstdint>
#include <vector>

#include "platform/graphics/gfx_types.h"
#include "platform/graphics/pixel_math.h"
#include "platform/graphics/resources.h"
#include "platform/graphics/screen_plane.h"

namespace platform::gfx {

// Point sampling of a triangle whose scaled coordinates stay small, with
// everything that is the same for all its rows worked out once.
//
// The coordinate pair of a pixel is (a0 + a * dx) + b * dy, as Plane::At
// computes it. The first sum depends on the column only, so it is kept per
// column of the triangle; a row adds its b * dy. Two pixels per step: the
// four floats of two pixels share one register. The floor by truncation
// matches FloorToTexel because the scaled coordinates are far inside the
// range where FloorToTexel clamps.
class PointFetchSse2 {
public:
    // Columns firstX..lastX of a triangle whose first vertex is at originX.
    PointFetchSse2(const Plane& u, const Plane& v, const Texture& texture, const SamplerDesc& sampler, int firstX,
                   int lastX, long long originX, std::vector<double>& columns)
        : rowSlope_(_mm_set_pd(v.b, u.b)),
          size_(_mm_set_ps(static_cast<float>(texture.Height()), static_cast<float>(texture.Width()),
                           static_cast<float>(texture.Height()), static_cast<float>(texture.Width()))),
          limit_(_mm_set_epi32(texture.Height(), texture.Width(), texture.Height(), texture.Width())),
          rowPitch_(_mm_set1_epi32(texture.Width())),
          texels_(texture.Pixels()),
          width_(texture.Width()),
          height_(texture.Height()),
          modeU_(sampler.addressU),
          modeV_(sampler.addressV),
          firstX_(firstX)
    {
        const int count = lastX - firstX + 1;
        if (columns.size() < static_cast<std::size_t>(count) * 2) columns.resize(static_cast<std::size_t>(count) * 2);
        const __m128d slope = _mm_set_pd(v.a, u.a);
        const __m128d base = _mm_set_pd(v.a0, u.a0);
        for (int i = 0; i < count; ++i) {
            // Subpixels from the first vertex to the column's pixel centres.
            const __m128d dx =
                _mm_set1_pd(static_cast<double>(static_cast<long long>(firstX + i) * kSubpixel + kHalfPixel - originX));
            _mm_storeu_pd(columns.data() + 2 * i, _mm_add_pd(base, _mm_mul_pd(slope, dx)));
        }
        columns_ = columns.data();
    }

    // The texels of one row from column x on, as a source of the pixel-row
    // loops (At, Two, Four). With Address, indices outside the texture take
    // the sampler's address mode; without, they must all lie inside.
    template <bool Address>
    class RowTexels {
    public:
        RowTexels(const PointFetchSse2& fetch, const double* column, __m128d rowTerm)
            : fetch_(fetch), column_(column), rowTerm_(rowTerm)
        {
        }

        VARNOLIS_ALWAYS_INLINE std::uint32_t At(int i) const
        {
            const __m128d term = _mm_loadu_pd(column_ + 2 * i);
            return fetch_.Texel(_mm_cvtsi128_si32(fetch_.Offsets<Address>(term, term, rowTerm_)));
        }
        VARNOLIS_ALWAYS_INLINE __m128i Two(int i) const
        {
            const __m128i offsets = PairOffsets(i);
            const std::uint32_t first = fetch_.Texel(_mm_cvtsi128_si32(offsets));
            const std::uint32_t second = fetch_.Texel(_mm_cvtsi128_si32(_mm_unpackhi_epi64(offsets, offsets)));
            return _mm_set_epi32(0, 0, static_cast<int>(second), static_cast<int>(first));
        }
        VARNOLIS_ALWAYS_INLINE __m128i Four(int i) const
        {
            // Lanes 0 and 2 of both pairs' offsets, in pixel order.
            alignas(16) std::uint32_t at[4];
            const __m128 pairs = _mm_shuffle_ps(_mm_castsi128_ps(PairOffsets(i)), _mm_castsi128_ps(PairOffsets(i + 2)),
                                                _MM_SHUFFLE(2, 0, 2, 0));
            _mm_store_si128(reinterpret_cast<__m128i*>(at), _mm_castps_si128(pairs));
            return _mm_set_epi32(static_cast<int>(fetch_.Texel(at[3])), static_cast<int>(fetch_.Texel(at[2])),
                                 static_cast<int>(fetch_.Texel(at[1])), static_cast<int>(fetch_.Texel(at[0])));
        }

    private:
        VARNOLIS_ALWAYS_INLINE __m128i PairOffsets(int i) const
        {
            return fetch_.Offsets<Address>(_mm_loadu_pd(column_ + 2 * i), _mm_loadu_pd(column_ + 2 * i + 2), rowTerm_);
        }

        const PointFetchSse2& fetch_;
        const double* column_;
        __m128d rowTerm_;
    };

    // Calls fn with the texels of `count` pixels of row dy from column x on.
    template <typename Fn>
    VARNOLIS_ALWAYS_INLINE void WithRow(int x, double dy, int count, Fn&& fn) const
    {
        const __m128d rowTerm = _mm_mul_pd(rowSlope_, _mm_set1_pd(dy));
        const double* column = columns_ + 2 * (x - firstX_);
        // Every step from dx to a texel index is monotone, so along a row
        // each index moves one way only: when the first and last pixels'
        // indices lie inside the texture, all do.
        if (Inside(Indices(_mm_loadu_pd(column), _mm_loadu_pd(column + 2 * (count - 1)), rowTerm))) {
            fn(RowTexels<false>(*this, column, rowTerm));
        } else {
            fn(RowTexels<true>(*this, column, rowTerm));
        }
    }

private:
    std::uint32_t Texel(std::uint32_t offset) const { return texels_[offset]; }
    std::uint32_t Texel(int offset) const { return texels_[static_cast<std::uint32_t>(offset)]; }

    // Floored scaled coordinates (x, y, x, y) of two pixels from their
    // column terms.
    VARNOLIS_ALWAYS_INLINE __m128i Indices(__m128d firstColumn, __m128d secondColumn, __m128d rowTerm) const
    {
        const __m128d first = _mm_add_pd(firstColumn, rowTerm);
        const __m128d second = _mm_add_pd(secondColumn, rowTerm);
        const __m128 scaled = _mm_mul_ps(_mm_movelh_ps(_mm_cvtpd_ps(first), _mm_cvtpd_ps(second)), size_);
        const __m128i truncated = _mm_cvttps_epi32(scaled);
        // Truncation rounds negative values up: take one off where it did.
        return _mm_add_epi32(truncated, _mm_castps_si128(_mm_cmpgt_ps(_mm_cvtepi32_ps(truncated), scaled)));
    }

    VARNOLIS_ALWAYS_INLINE bool Inside(__m128i index) const
    {
        const __m128i inside =
            _mm_and_si128(_mm_cmpgt_epi32(index, _mm_set1_epi32(-1)), _mm_cmplt_epi32(index, limit_));
        return _mm_movemask_epi8(inside) == 0xFFFF;
    }

    // Texel offsets (y * width + x) of two pixels, in lanes 0 and 2; with
    // Address, indices outside the texture take the sampler's address mode.
    template <bool Address>
    VARNOLIS_ALWAYS_INLINE __m128i Offsets(__m128d firstColumn, __m128d secondColumn, __m128d rowTerm) const
    {
        __m128i index = Indices(firstColumn, secondColumn, rowTerm);
        if constexpr (Address) {
            if (!Inside(index)) index = this->Address(index);
        }
        return _mm_add_epi32(_mm_mul_epu32(_mm_srli_epi64(index, 32), rowPitch_), index);
    }

    // Indices outside the texture take the sampler's address mode.
    __m128i Address(__m128i index) const
    {
        alignas(16) int at[4];
        _mm_store_si128(reinterpret_cast<__m128i*>(at), index);
        return _mm_set_epi32(AddressTexel(at[3], height_, modeV_), AddressTexel(at[2], width_, modeU_),
                             AddressTexel(at[1], height_, modeV_), AddressTexel(at[0], width_, modeU_));
    }

    __m128d rowSlope_;
    __m128 size_;
    __m128i limit_, rowPitch_;
    const std::uint32_t* texels_;
    int width_, height_;
    AddressMode modeU_, modeV_;
    int firstX_;
    const double* columns_ = nullptr;
};

}  // namespace platform::gfx

#endif
