#include "platform/graphics/sprite_spans.h"

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

// Texel index of a scaled coordinate already floored; only indices outside
// the texture need the address mode.
VARNOLIS_ALWAYS_INLINE int AddressFloored(int i, int size, AddressMode mode)
{
    if (static_cast<unsigned>(i) < static_cast<unsigned>(size)) return i;
    return AddressTexel(i, size, mode);
}

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

void SpriteSpans::ShadeRow(int y, int lo, int hi)
{
    const Row row{colors_.data(), hi - lo + 1,
                  static_cast<double>(static_cast<long long>(lo) * kSubpixel + kHalfPixel - originX_),
                  static_cast<double>(static_cast<long long>(y) * kSubpixel + kHalfPixel - originY_)};
    PixelRow out;
    out.target = targetPixels_ + static_cast<std::size_t>(y) * targetWidth_ + lo;
    out.count = row.count;
    out.texels = colors_.data();
    bool fromColors = true;
    bool modulate = false;
    if (textured_) {
        if (sampler_.filter == Filter::Point) {
            FetchPointTexels(row);
        } else {
            FetchLinearTexels(row);
        }
        if (flatColor_) {
            out.r = r_, out.g = g_, out.b = b_, out.a = a_;
            modulate = PackColor(r_, g_, b_, a_) != 0xFFFFFFFFu;
        } else {
            ModulateByGradient(row);
        }
    } else if (flatColor_) {
        out.flat = PackColor(r_, g_, b_, a_);
        fromColors = false;
    } else {
        GradientColors(row);
    }
    WithBlender(blend_, [&](auto blend) { WritePixelRow(out, blend, fromColors, modulate, false); });
}

// The coordinate of each pixel is (a0 + a * dx) + b * dy in doubles, rounded
// to float, as the general path computes it; only b * dy is hoisted, since it
// is the same for the whole row.
void SpriteSpans::FetchPointTexels(const Row& row) const
{
    const Plane u = u_, v = v_;
    const double rowU = u.b * row.dy, rowV = v.b * row.dy;
    const int width = texture_->Width(), height = texture_->Height();
    const AddressMode modeU = sampler_.addressU, modeV = sampler_.addressV;
    const std::uint32_t* texels = texture_->Pixels();
    double dx = row.dx;
    int i = 0;
#if defined(__SSE2__)
    if (coordinatesInRange_) i = FetchPointTexelsSse2(row);
    dx += kSubpixelStep * i;
#endif
    for (; i < row.count; ++i, dx += kSubpixelStep) {
        const float fu = static_cast<float>(u.a0 + u.a * dx + rowU);
        const float fv = static_cast<float>(v.a0 + v.a * dx + rowV);
        const int x = PointTexel(fu, width, modeU);
        const int y = PointTexel(fv, height, modeV);
        row.out[i] = texels[static_cast<std::size_t>(y) * width + x];
    }
}

#if defined(__SSE2__)
// Two pixels per step: u and v of one pixel share a register of doubles, the
// four floats of two pixels one register of floats. The floor by truncation
// matches FloorToTexel because the triangle's coordinates are known to be
// far inside the range where FloorToTexel clamps. Returns the pixels done.
int SpriteSpans::FetchPointTexelsSse2(const Row& row) const
{
    const __m128d slope = _mm_set_pd(v_.a, u_.a);
    const __m128d base = _mm_set_pd(v_.a0, u_.a0);
    const __m128d rowTerm = _mm_set_pd(v_.b * row.dy, u_.b * row.dy);
    const __m128d step = _mm_set1_pd(kSubpixelStep);
    const int width = texture_->Width(), height = texture_->Height();
    const __m128 size = _mm_set_ps(static_cast<float>(height), static_cast<float>(width), static_cast<float>(height),
                                   static_cast<float>(width));
    const AddressMode modeU = sampler_.addressU, modeV = sampler_.addressV;
    const std::uint32_t* texels = texture_->Pixels();
    std::uint32_t* out = row.out;
    __m128d dx = _mm_set1_pd(row.dx);
    int i = 0;
    for (; i + 2 <= row.count; i += 2) {
        const __m128d first = _mm_add_pd(_mm_add_pd(base, _mm_mul_pd(slope, dx)), rowTerm);
        dx = _mm_add_pd(dx, step);
        const __m128d second = _mm_add_pd(_mm_add_pd(base, _mm_mul_pd(slope, dx)), rowTerm);
        dx = _mm_add_pd(dx, step);
        const __m128 scaled = _mm_mul_ps(_mm_movelh_ps(_mm_cvtpd_ps(first), _mm_cvtpd_ps(second)), size);
        __m128i floored = _mm_cvttps_epi32(scaled);
        // Truncation rounds negative values up: take one off where it did.
        floored = _mm_add_epi32(floored, _mm_castps_si128(_mm_cmpgt_ps(_mm_cvtepi32_ps(floored), scaled)));
        alignas(16) int index[4];
        _mm_store_si128(reinterpret_cast<__m128i*>(index), floored);
        const int x0 = AddressFloored(index[0], width, modeU), y0 = AddressFloored(index[1], height, modeV);
        const int x1 = AddressFloored(index[2], width, modeU), y1 = AddressFloored(index[3], height, modeV);
        out[i] = texels[static_cast<std::size_t>(y0) * width + x0];
        out[i + 1] = texels[static_cast<std::size_t>(y1) * width + x1];
    }
    return i;
}
#endif

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
