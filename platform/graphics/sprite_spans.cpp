#include "platform/graphics/sprite_spans.h"

#include <algorithm>
#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/graphics/blend.h"
#include "platform/graphics/pixel_math.h"
#include "platform/graphics/pixel_row.h"

namespace platform::gfx {

namespace {

constexpr long long kSubpixel = 256;
constexpr long long kHalfPixel = kSubpixel / 2;
constexpr double kSubpixelStep = static_cast<double>(kSubpixel);

// The colour varying is the same, and finite, at all three vertices. Its
// planes are then exactly flat (zero slopes), so every pixel gets the vertex
// value; a non-finite value would turn the slopes into NaN instead.
bool SameFiniteColor(const float* const vertices[3], int first)
{
    for (int k = first; k < first + 4; ++k) {
        const float c = vertices[0][k];
        if (!std::isfinite(c) || vertices[1][k] != c || vertices[2][k] != c) return false;
    }
    return true;
}

// Every pixel of the triangle has a coordinate between the vertices' values
// (plus rounding far below the bound), so when those are small the scaled
// coordinates never come near the range where the texel floor clamps.
bool ScaledCoordinatesSmall(const float* const vertices[3], int varying, int size)
{
    constexpr double kBound = 16777216.0;  // 2^24, far below 2^31
    for (int i = 0; i < 3; ++i) {
        const double scaled = static_cast<double>(vertices[i][varying]) * size;
        if (!(std::fabs(scaled) < kBound)) return false;  // also NaN
    }
    return true;
}

#if defined(__SSE2__)
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
            return _mm_set_epi32(0, 0, static_cast<int>(fetch_.Texel(_mm_cvtsi128_si32(_mm_unpackhi_epi64(offsets, offsets)))),
                                 static_cast<int>(fetch_.Texel(_mm_cvtsi128_si32(offsets))));
        }
        VARNOLIS_ALWAYS_INLINE __m128i Four(int i) const
        {
            // Lanes 0 and 2 of both pairs' offsets, in pixel order.
            alignas(16) std::uint32_t at[4];
            _mm_store_si128(reinterpret_cast<__m128i*>(at),
                            _mm_castps_si128(_mm_shuffle_ps(_mm_castsi128_ps(PairOffsets(i)),
                                                            _mm_castsi128_ps(PairOffsets(i + 2)), _MM_SHUFFLE(2, 0, 2, 0))));
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
        const __m128i inside = _mm_and_si128(_mm_cmpgt_epi32(index, _mm_set1_epi32(-1)), _mm_cmplt_epi32(index, limit_));
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
#endif

}  // namespace

bool SpriteSpans::Begin(Texture* target, const PixelProgram& program, int varyingCount, const Texture* texture,
                        const SamplerDesc* sampler, const BlendDesc& blend, bool depthTest, int maxRowLength)
{
    if (!target || depthTest || program.shortcut == QuadShortcut::None) return false;
    textured_ = program.shortcut == QuadShortcut::TextureTimesVertexColor;
    colorVarying_ = program.colorVarying;
    uvVarying_ = program.uvVarying;
    if (colorVarying_ < 0 || colorVarying_ + 4 > varyingCount) return false;
    if (textured_) {
        if (uvVarying_ < 0 || uvVarying_ + 2 > varyingCount) return false;
        // An unbound texture samples as 0; the general path covers that.
        if (!texture || texture->Width() <= 0 || texture->Height() <= 0 || !sampler) return false;
        texture_ = texture;
        sampler_ = *sampler;
    }
    targetPixels_ = target->Pixels();
    targetWidth_ = target->Width();
    blend_ = blend;
    if (colors_.size() < static_cast<std::size_t>(maxRowLength)) colors_.resize(maxRowLength);
    return true;
}

void SpriteSpans::SetTriangle(long long originX, long long originY, const Plane* planes, const float* const vertices[3])
{
    originX_ = originX;
    originY_ = originY;
    for (int k = 0; k < 4; ++k) color_[k] = planes[colorVarying_ + k];
    flatColor_ = SameFiniteColor(vertices, colorVarying_);
    if (flatColor_) {
        const float* c = vertices[0] + colorVarying_;
        r_ = ToByte(c[0]);
        g_ = ToByte(c[1]);
        b_ = ToByte(c[2]);
        a_ = ToByte(c[3]);
    }
    if (textured_) {
        u_ = planes[uvVarying_];
        v_ = planes[uvVarying_ + 1];
        coordinatesInRange_ = ScaledCoordinatesSmall(vertices, uvVarying_, texture_->Width()) &&
                              ScaledCoordinatesSmall(vertices, uvVarying_ + 1, texture_->Height());
    }
}

void SpriteSpans::DrawRows(const SpanRow* rows, int count)
{
    if (count <= 0) return;
    WithBlender(blend_, [&](auto blend) { DrawRowsWith(rows, count, blend); });
}

SpriteSpans::Row SpriteSpans::MakeRow(const SpanRow& span)
{
    return {colors_.data(), span.hi - span.lo + 1, span.lo,
            static_cast<double>(static_cast<long long>(span.lo) * kSubpixel + kHalfPixel - originX_),
            static_cast<double>(static_cast<long long>(span.y) * kSubpixel + kHalfPixel - originY_)};
}

// What the rows of the triangle share on their way into the target.
PixelRow SpriteSpans::RowTemplate() const
{
    PixelRow out;
    out.texels = colors_.data();
    out.r = r_, out.g = g_, out.b = b_, out.a = a_;
    out.flat = PackColor(r_, g_, b_, a_);
    return out;
}

void SpriteSpans::PlaceRow(PixelRow& out, const SpanRow& span) const
{
    out.target = targetPixels_ + static_cast<std::size_t>(span.y) * targetWidth_ + span.lo;
    out.count = span.hi - span.lo + 1;
}

bool SpriteSpans::ModulatesByFlatColor() const
{
    return textured_ && flatColor_ && PackColor(r_, g_, b_, a_) != 0xFFFFFFFFu;
}

// The source colours of each row into the row buffer, by the fill that suits
// the triangle, then modulated, blended and written by the pixel-row loops.
template <typename Blender>
void SpriteSpans::DrawRowsWith(const SpanRow* rows, int count, Blender blend)
{
#if defined(__SSE2__)
    if (textured_ && sampler_.filter == Filter::Point && coordinatesInRange_) {
        DrawPointRows(rows, count, blend);
        return;
    }
#endif
    const bool fromColors = textured_ || !flatColor_;
    const bool modulate = ModulatesByFlatColor();
    const bool gradientTint = textured_ && !flatColor_;
    PixelRow out = RowTemplate();
    auto eachRow = [&](auto&& fill) {
        for (int k = 0; k < count; ++k) {
            const Row row = MakeRow(rows[k]);
            fill(row);
            if (gradientTint) ModulateByGradient(row);
            PlaceRow(out, rows[k]);
            WritePixelRow(out, blend, fromColors, modulate, false);
        }
    };
    if (!textured_) {
        if (flatColor_) {
            eachRow([](const Row&) {});
        } else {
            eachRow([&](const Row& row) { GradientColors(row); });
        }
    } else if (sampler_.filter == Filter::Linear) {
        eachRow([&](const Row& row) { FetchLinearTexels(row); });
    } else {
        eachRow([&](const Row& row) { FetchPointTexels(row); });
    }
}

#if defined(__SSE2__)
// Point sampling with small coordinates, the common sprite: the texels go
// straight from the fetch into the blend, unless a colour gradient has to
// tint them in the row buffer first.
template <typename Blender>
void SpriteSpans::DrawPointRows(const SpanRow* rows, int count, Blender blend)
{
    int firstX = rows[0].lo, lastX = rows[0].hi;
    for (int k = 1; k < count; ++k) firstX = std::min(firstX, rows[k].lo), lastX = std::max(lastX, rows[k].hi);
    const PointFetchSse2 fetch(u_, v_, *texture_, sampler_, firstX, lastX, originX_, columnTerms_);
    const bool modulate = ModulatesByFlatColor();
    PixelRow out = RowTemplate();
    for (int k = 0; k < count; ++k) {
        const Row row = MakeRow(rows[k]);
        PlaceRow(out, rows[k]);
        if (flatColor_) {
            fetch.WithRow(row.x, row.dy, row.count,
                          [&](const auto& texels) { WriteSourceRow(out, texels, blend, modulate); });
        } else {
            fetch.WithRow(row.x, row.dy, row.count, [&](const auto& texels) {
                for (int i = 0; i < row.count; ++i) row.out[i] = texels.At(i);
            });
            ModulateByGradient(row);
            WritePixelRow(out, blend, true, false, false);
        }
    }
}
#endif

// The coordinate of each pixel is (a0 + a * dx) + b * dy in doubles, rounded
// to float, as the general path computes it; only b * dy is hoisted, since it
// is the same for the whole row.
void SpriteSpans::FetchPointTexels(const Row& row) const
{
    const double rowU = u_.b * row.dy, rowV = v_.b * row.dy;
    const int width = texture_->Width(), height = texture_->Height();
    const std::uint32_t* texels = texture_->Pixels();
    double dx = row.dx;
    for (int i = 0; i < row.count; ++i, dx += kSubpixelStep) {
        const float fu = static_cast<float>(u_.a0 + u_.a * dx + rowU);
        const float fv = static_cast<float>(v_.a0 + v_.a * dx + rowV);
        const int x = PointTexel(fu, width, sampler_.addressU);
        const int y = PointTexel(fv, height, sampler_.addressV);
        row.out[i] = texels[static_cast<std::size_t>(y) * width + x];
    }
}

void SpriteSpans::FetchLinearTexels(const Row& row) const
{
    const double rowU = u_.b * row.dy, rowV = v_.b * row.dy;
    double dx = row.dx;
    for (int i = 0; i < row.count; ++i, dx += kSubpixelStep) {
        const float fu = static_cast<float>(u_.a0 + u_.a * dx + rowU);
        const float fv = static_cast<float>(v_.a0 + v_.a * dx + rowV);
        row.out[i] = SampleLinear(*texture_, sampler_, fu, fv);
    }
}

void SpriteSpans::ModulateByGradient(const Row& row) const
{
    double rowTerm[4];
    for (int k = 0; k < 4; ++k) rowTerm[k] = color_[k].b * row.dy;
    double dx = row.dx;
    for (int i = 0; i < row.count; ++i, dx += kSubpixelStep) {
        int c[4];
        for (int k = 0; k < 4; ++k) c[k] = ToByte(static_cast<float>(color_[k].a0 + color_[k].a * dx + rowTerm[k]));
        row.out[i] = ModulateColor(row.out[i], c[0], c[1], c[2], c[3]);
    }
}

void SpriteSpans::GradientColors(const Row& row) const
{
    double rowTerm[4];
    for (int k = 0; k < 4; ++k) rowTerm[k] = color_[k].b * row.dy;
    double dx = row.dx;
    for (int i = 0; i < row.count; ++i, dx += kSubpixelStep) {
        int c[4];
        for (int k = 0; k < 4; ++k) c[k] = ToByte(static_cast<float>(color_[k].a0 + color_[k].a * dx + rowTerm[k]));
        row.out[i] = PackColor(c[0], c[1], c[2], c[3]);
    }
}

}  // namespace platform::gfx
