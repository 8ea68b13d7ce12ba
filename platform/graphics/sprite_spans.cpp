// Span shading of flat 2D triangles for the two sprite programs.
#include "platform/graphics/sprite_spans.h"

#include <algorithm>
#include <cmath>

#include "platform/graphics/blend.h"
#include "platform/graphics/pixel_math.h"
#include "platform/graphics/pixel_row.h"
#include "platform/graphics/point_fetch.h"

namespace platform::gfx {

namespace {

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


}  // namespace

bool SpriteSpans::Begin(std::uint32_t* targetPixels, int targetWidth, const PixelProgram& program, int varyingCount,
                        const Texture* texture, const SamplerDesc* sampler, const BlendDesc& blend, bool depthTest,
                        int maxRowLength)
{
    if (!targetPixels || depthTest || program.shortcut == QuadShortcut::None) return false;
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
    targetPixels_ = targetPixels;
    targetWidth_ = targetWidth;
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

template <typename Apply>
void SpriteSpans::ForEachGradientColor(const Row& row, Apply apply) const
{
    double rowTerm[4];
    for (int k = 0; k < 4; ++k) rowTerm[k] = color_[k].b * row.dy;
    double dx = row.dx;
    for (int i = 0; i < row.count; ++i, dx += kSubpixelStep) {
        int c[4];
        for (int k = 0; k < 4; ++k) c[k] = ToByte(static_cast<float>(color_[k].a0 + color_[k].a * dx + rowTerm[k]));
        apply(row.out[i], c);
    }
}

void SpriteSpans::ModulateByGradient(const Row& row) const
{
    ForEachGradientColor(row, [](std::uint32_t& pixel, const int c[4]) {
        pixel = ModulateColor(pixel, c[0], c[1], c[2], c[3]);
    });
}

void SpriteSpans::GradientColors(const Row& row) const
{
    ForEachGradientColor(row, [](std::uint32_t& pixel, const int c[4]) { pixel = PackColor(c[0], c[1], c[2], c[3]); });
}

}  // namespace platform::gfx
