// The rasterizer that turns the device's clip-space triangles into pixels, and the draw state it reads.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/graphics/blend.h"
#include "platform/graphics/gfx_types.h"
#include "platform/graphics/pixel_plane.h"
#include "platform/graphics/program.h"
#include "platform/graphics/resources.h"
#include "platform/graphics/screen_plane.h"
#include "platform/graphics/sprite_spans.h"

namespace platform::gfx {

// What the vertex program wrote, which it writes in place.
struct ClipVertex : VertexOutput {};

// Everything one draw needs from the device's bound state.
struct DrawState {
    Texture* target = nullptr;
    DepthBuffer* depth = nullptr;
    Viewport viewport;
    // Pixels outside it stay untouched, whatever the viewport says.
    bool scissorEnable = false;
    PixelRect scissor;
    RasterizerDesc raster;
    DepthStencilDesc depthStencil;
    std::uint8_t stencilReference = 0;
    BlendDesc blend;
    const PixelProgram* pixel = nullptr;
    const Texture* textures[kMaxTextureSlots] = {};
    const SamplerDesc* samplers[kMaxSamplerSlots] = {};
    const ShaderConstants* pixelConstants = nullptr;
    bool quadPath = true;
    bool spritePath = true;
};

// Turns clip-space triangles into pixels: clipping, fixed-point edge
// functions with the top-left rule, per-row spans, depth test and blending.
class Rasterizer {
public:
    // False when nothing can be drawn (no target, empty viewport).
    bool Begin(const DrawState& state);
    void DrawTriangle(const ClipVertex& a, const ClipVertex& b, const ClipVertex& c);
    // Corners in the order top-left, bottom-left, top-right, bottom-right, as
    // the triangles (tl, bl, tr) and (bl, br, tr). Draws them through the
    // integer path when the quad is axis-aligned, or in one walk over its
    // rows when it is a turned convex quad of one colour, and returns true;
    // else returns false and draws nothing.
    bool DrawQuad(const ClipVertex& tl, const ClipVertex& bl, const ClipVertex& tr, const ClipVertex& br);

    std::uint64_t trianglesDrawn = 0;
    std::uint64_t quadsDrawn = 0;
    std::uint64_t spriteTrianglesDrawn = 0;

private:
    struct ScreenVertex;
    template <int Edges>
    struct EdgeSet;
    struct Triangle;
    template <int Edges>
    class RowWalker;
    // False when this draw's state rules the quad path out for every quad.
    bool QuadPathOpen() const;
    // The integer path of an axis-aligned quad, and the one walk over a
    // turned quad of one colour; false when the quad is not theirs.
    bool DrawAlignedQuad(const ClipVertex& tl, const ClipVertex& bl, const ClipVertex& tr, const ClipVertex& br);
    bool DrawFlatColorQuad(const ClipVertex& tl, const ClipVertex& bl, const ClipVertex& tr, const ClipVertex& br);
    bool Inside(const ClipVertex& v) const;
    void Project(const ClipVertex& v, ScreenVertex& out) const;
    void ClipAndDraw(const ClipVertex& a, const ClipVertex& b, const ClipVertex& c);
    void RasterTriangle(const ScreenVertex& s0, const ScreenVertex& s1, const ScreenVertex& s2);
    void DrawSpriteTriangle(const ScreenVertex* s, Triangle& tri, double area);
    bool SetupEdges(const ScreenVertex* s, Triangle& tri) const;
    bool RowSpan(const Triangle& tri, int y, int& lo, int& hi) const;
    // The span of row y in the triangle (s[0], s[1], s[2]) within x0..x1.
    bool UpperRowSpan(const ScreenVertex* s, int x0, int x1, int y, int& lo, int& hi) const;
    void ShadeSpan(const Triangle& tri, int y, int lo, int hi);
    void DrawWireTriangle(const ScreenVertex* s);
    void ShadePixels(int y, int x, int count, const float* depth, const std::uint8_t* covered);
    static Plane MakePlane(const ScreenVertex* s, double a0, double a1, double a2, double area);

    DrawState state_;
    int clipX0_ = 0, clipY0_ = 0, clipX1_ = 0, clipY1_ = 0;  // pixels, end exclusive
    double guardX_ = 1, guardY_ = 1;
    int varyingCount_ = 0;
    bool spritePath_ = false;  // this draw's flat-w triangles go through sprites_
    // What every quad of this draw shares: whether the quad path may take
    // them at all, and the blend.
    bool quadPathOpen_ = false;
    BlendKind blendKind_ = BlendKind::Generic;
    bool stencilTest_ = false;  // this draw tests and updates the stencil plane
    bool frontFacing_ = true;   // of the triangle being drawn, for the stencil
    // This draw's target, depth and stencil values; depth and stencil null
    // when it does not test them.
    std::uint32_t* targetPixels_ = nullptr;
    float* depthValues_ = nullptr;
    std::uint8_t* stencilValues_ = nullptr;
    SpriteSpans sprites_;
    std::vector<SpanRow> spriteRows_;
    std::vector<float> spanVaryings_;
    std::vector<float> spanDepth_;
    std::vector<std::uint32_t> spanColors_;
    std::vector<std::uint8_t> spanMask_;
    std::vector<int> columnTexels_;
    std::vector<int> groupBases_;
    std::vector<int> groupLanes_;
};

}  // namespace platform::gfx
