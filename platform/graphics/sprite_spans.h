// Span shading of rotated sprites: flat-w triangles of the two sprite programs, pixel for pixel as the general path.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/graphics/gfx_types.h"
#include "platform/graphics/pixel_row.h"
#include "platform/graphics/program.h"
#include "platform/graphics/resources.h"
#include "platform/graphics/screen_plane.h"

namespace platform::gfx {

// Pixels lo..hi (inclusive) of row y.
struct SpanRow {
    int y, lo, hi;
};

// Shades flat-w (2D) triangles for the two sprite programs: the vertex
// colour, and texture slot 0 times the vertex colour. Sprites that are
// rotated or otherwise off the axis-aligned quad path are drawn here.
//
// It computes every value by the same expressions, in the same order, as the
// general per-pixel path (varying planes in doubles, point or linear texel
// fetch, integer modulation and blending), so the pixels are the same. It is
// faster because it skips what that path does for generality: evaluating all
// varyings into a buffer, an indirect call to the pixel program per span, the
// sampler looked up per pixel, and a blend chosen per pixel of a mask; and
// what does not change along a triangle is set up once for all its rows.
class SpriteSpans {
public:
    // Once per draw: false when the program or state is not one this class
    // handles (another program, a depth test, no texture or sampler bound).
    // The target's pixels are rows of targetWidth words.
    bool Begin(std::uint32_t* targetPixels, int targetWidth, const PixelProgram& program, int varyingCount,
               const Texture* texture, const SamplerDesc* sampler, const BlendDesc& blend, bool depthTest,
               int maxRowLength);

    // Once per triangle. `planes` holds the varyings' planes (indexed by
    // varying) from the vertex at (originX, originY) in subpixels; `vertices`
    // the three vertices' varyings.
    void SetTriangle(long long originX, long long originY, const Plane* planes, const float* const vertices[3]);

    // The triangle's covered pixels, clipped by the rasterizer.
    void DrawRows(const SpanRow* rows, int count);

    // The varyings SetTriangle reads: colour, and texture coordinate when
    // textured.
    int ColorVarying() const { return colorVarying_; }
    int UvVarying() const { return textured_ ? uvVarying_ : -1; }

private:
    // Where one row's source colours go, and its first pixel centre in
    // subpixels from the triangle's origin.
    struct Row {
        std::uint32_t* out;
        int count;
        int x;
        double dx;
        double dy;
    };

    template <typename Blender>
    void DrawRowsWith(const SpanRow* rows, int count, Blender blend);
    template <typename Blender>
    void DrawPointRows(const SpanRow* rows, int count, Blender blend);
    Row MakeRow(const SpanRow& span);
    PixelRow RowTemplate() const;
    void PlaceRow(PixelRow& out, const SpanRow& span) const;
    bool ModulatesByFlatColor() const;
    void FetchPointTexels(const Row& row) const;
    void FetchLinearTexels(const Row& row) const;
    // Calls apply(pixel, colour bytes) for each pixel of the row, with the colour planes' value there.
    template <typename Apply>
    void ForEachGradientColor(const Row& row, Apply apply) const;
    void ModulateByGradient(const Row& row) const;
    void GradientColors(const Row& row) const;

    std::uint32_t* targetPixels_ = nullptr;
    int targetWidth_ = 0;
    BlendDesc blend_;
    bool textured_ = false;
    int colorVarying_ = 0;
    int uvVarying_ = 0;
    const Texture* texture_ = nullptr;
    SamplerDesc sampler_;

    // The current triangle.
    long long originX_ = 0, originY_ = 0;
    Plane color_[4];
    Plane u_, v_;
    bool coordinatesInRange_ = false;  // scaled texture coordinates far from the clamp of the texel floor
    bool flatColor_ = false;
    int r_ = 255, g_ = 255, b_ = 255, a_ = 255;  // the colour, when flat

    std::vector<std::uint32_t> colors_;  // one row of source colours
    std::vector<double> columnTerms_;    // per column of a triangle, what its texture coordinates owe to x
};

}  // namespace platform::gfx
