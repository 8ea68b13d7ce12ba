// The rasterizer: clipping, fixed-point edges, spans, the quad and sprite fast paths, depth, stencil and blending.
#include "platform/graphics/rasterizer.h"

#include <algorithm>
#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/graphics/blend.h"
#include "platform/graphics/pixel_math.h"
#include "platform/graphics/pixel_row.h"
#include "platform/graphics/stencil.h"

namespace platform::gfx {

namespace {

// Screen positions stay within this many pixels of the viewport centre, so
// fixed-point edge functions fit in 64 bits; farther geometry is clipped.
constexpr double kGuardBandPixels = 16384.0;
constexpr int kMaxClipVertices = 12;
constexpr int kPrefetchRows = 3;

long long FloorDiv(long long a, long long b)
{
    long long q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

long long CeilDiv(long long a, long long b) { return -FloorDiv(-a, b); }

// The same divisions by the subpixel count, as shifts: an arithmetic right
// shift rounds toward minus infinity, as FloorDiv does.
inline long long FloorToPixel(long long subpixels) { return subpixels >> kSubpixelBits; }
inline long long CeilToPixel(long long subpixels) { return -((-subpixels) >> kSubpixelBits); }

// Round to nearest, ties to even, as llrint does in the default mode.
inline long long RoundToFixed(double value)
{
#if defined(__SSE2__)
    return _mm_cvtsd_si64(_mm_set_sd(value));
#else
    return std::llrint(value);
#endif
}

// True when a scaled texture coordinate lies so far from a texel boundary
// that values a few float steps away fall in the same texel.
VARNOLIS_ALWAYS_INLINE bool ClearOfTexelEdge(float scaled)
{
    if (!(std::fabs(scaled) < 1.0e6f)) return false;
    const float fraction = scaled - static_cast<float>(FloorToTexel(scaled));
    const float margin = 1.0e-3f + std::fabs(scaled) * 1.0e-6f;
    return fraction > margin && fraction < 1.0f - margin;
}

// When the point samples of pixels 0..count-1 along a line fall in texels
// first, first + 1, ... first + count - 1, all inside 0..size-1, sets first and
// returns true; scaledFirst and scaledLast are the scaled coordinates of the
// line's end pixels. The coordinate is affine along the line, so its distance
// to texel (first + i) is too: clear of the texel edges at both ends means
// clear, by the same margin, at every pixel between, far beyond rounding.
VARNOLIS_ALWAYS_INLINE bool ConsecutiveTexels(float scaledFirst, float scaledLast, int count, int size, int& first)
{
    if (!ClearOfTexelEdge(scaledFirst) || !ClearOfTexelEdge(scaledLast)) return false;
    const long long lo = FloorToTexel(scaledFirst);
    const long long hi = FloorToTexel(scaledLast);
    if (lo < 0 || hi >= size || hi - lo != count - 1) return false;
    first = static_cast<int>(lo);
    return true;
}

// ConsecutiveTexels of a quad's u line (scaled[0], scaled[1], over `columns`
// pixels of a texture `width` texels wide) and its v line (scaled[2],
// scaled[3], `rows` pixels, `height` texels) at once: true, with both firsts
// set, when both hold. Lane by lane the same float arithmetic as
// ClearOfTexelEdge; below 1e6 in magnitude, FloorToTexel is a truncation
// that fits 32 bits, and each floor is exact in a float.
VARNOLIS_ALWAYS_INLINE bool ConsecutiveTexelsOfQuad(const float scaled[4], int columns, int width, int rows, int height,
                                                    int& firstColumn, int& firstRow)
{
#if defined(__SSE2__)
    const __m128 value = _mm_loadu_ps(scaled);
    const __m128 magnitude = _mm_andnot_ps(_mm_set1_ps(-0.0f), value);
    // A NaN compares false, as in ClearOfTexelEdge.
    if (_mm_movemask_ps(_mm_cmplt_ps(magnitude, _mm_set1_ps(1.0e6f))) != 0xF) return false;
    const __m128i truncated = _mm_cvttps_epi32(value);
    // Truncation rounds a negative value with a fraction up: one less there.
    const __m128i floor =
        _mm_add_epi32(truncated, _mm_castps_si128(_mm_cmpgt_ps(_mm_cvtepi32_ps(truncated), value)));
    const __m128 fraction = _mm_sub_ps(value, _mm_cvtepi32_ps(floor));
    const __m128 margin = _mm_add_ps(_mm_set1_ps(1.0e-3f), _mm_mul_ps(magnitude, _mm_set1_ps(1.0e-6f)));
    const __m128 clear =
        _mm_and_ps(_mm_cmpgt_ps(fraction, margin), _mm_cmplt_ps(fraction, _mm_sub_ps(_mm_set1_ps(1.0f), margin)));
    if (_mm_movemask_ps(clear) != 0xF) return false;
    alignas(16) int texel[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(texel), floor);
    if (texel[0] < 0 || texel[1] >= width || texel[1] - texel[0] != columns - 1) return false;
    if (texel[2] < 0 || texel[3] >= height || texel[3] - texel[2] != rows - 1) return false;
    firstColumn = texel[0];
    firstRow = texel[2];
    return true;
#else
    return ConsecutiveTexels(scaled[0], scaled[1], columns, width, firstColumn) &&
           ConsecutiveTexels(scaled[2], scaled[3], rows, height, firstRow);
#endif
}

// The line from `from` to `to` over `span` at the distances `first` and
// `last` along it, from + (to - from) * (distance / span) in doubles rounded
// to float, as two scalar evaluations give it: both divisions in one.
VARNOLIS_ALWAYS_INLINE void LineEnds(float from, float to, double first, double last, double span, float ends[2])
{
#if defined(__SSE2__)
    const __m128d start = _mm_set1_pd(from);
    const __m128d along = _mm_div_pd(_mm_set_pd(last, first), _mm_set1_pd(span));
    const __m128 narrow = _mm_cvtpd_ps(_mm_add_pd(start, _mm_mul_pd(_mm_sub_pd(_mm_set1_pd(to), start), along)));
    ends[0] = _mm_cvtss_f32(narrow);
    ends[1] = _mm_cvtss_f32(_mm_shuffle_ps(narrow, narrow, 1));
#else
    const double start = from;
    ends[0] = static_cast<float>(start + (static_cast<double>(to) - start) * (first / span));
    ends[1] = static_cast<float>(start + (static_cast<double>(to) - start) * (last / span));
#endif
}

}  // namespace

// Filled whole by Project, so it has no initial values to write first.
struct Rasterizer::ScreenVertex {
    long long x;  // fixed point, kSubpixelBits fraction
    long long y;
    double z;
    double invW;
    const float* varyings;
};

// The edge functions of a convex shape, positive inside, and its pixel bounds.
template <int Edges>
struct Rasterizer::EdgeSet {
    long long edgeA[Edges], edgeB[Edges], edgeX[Edges], edgeY[Edges];
    int bias[Edges];
    int x0, y0, x1, y1;  // pixel bounds, inclusive

    // Edge i runs from a to b, signed by the shape's winding: E(p) = A (px - ax) + B (py - ay).
    // A top or left edge owns its pixels, the others leave them to their neighbour.
    void SetEdge(int i, const ScreenVertex& a, const ScreenVertex& b, long long sign)
    {
        edgeA[i] = -(b.y - a.y) * sign;
        edgeB[i] = (b.x - a.x) * sign;
        edgeX[i] = a.x;
        edgeY[i] = a.y;
        const bool topLeft = edgeA[i] > 0 || (edgeA[i] == 0 && edgeB[i] > 0);
        bias[i] = topLeft ? 0 : 1;
    }
};

struct Rasterizer::Triangle : EdgeSet<3> {
    const ScreenVertex* v[3];
    bool affine;
    Plane depth;
    Plane invW;
    Plane varyings[kMaxVaryings];
};

bool Rasterizer::Begin(const DrawState& state)
{
    state_ = state;
    if (!state_.target || !state_.pixel || !state_.pixel->shade) return false;
    const Viewport& vp = state_.viewport;
    if (!(vp.width > 0.0f) || !(vp.height > 0.0f)) return false;
    // Pixels whose centres lie inside the viewport and the target.
    clipX0_ = std::max(0, static_cast<int>(std::ceil(vp.x - 0.5f)));
    clipY0_ = std::max(0, static_cast<int>(std::ceil(vp.y - 0.5f)));
    clipX1_ = std::min(state_.target->Width(), static_cast<int>(std::ceil(vp.x + vp.width - 0.5f)));
    clipY1_ = std::min(state_.target->Height(), static_cast<int>(std::ceil(vp.y + vp.height - 0.5f)));
    if (state_.scissorEnable) {
        clipX0_ = std::max(clipX0_, state_.scissor.x0);
        clipY0_ = std::max(clipY0_, state_.scissor.y0);
        clipX1_ = std::min(clipX1_, state_.scissor.x1);
        clipY1_ = std::min(clipY1_, state_.scissor.y1);
    }
    if (clipX0_ >= clipX1_ || clipY0_ >= clipY1_) return false;
    guardX_ = kGuardBandPixels / (0.5 * vp.width);
    guardY_ = kGuardBandPixels / (0.5 * vp.height);
    varyingCount_ = std::clamp(state_.pixel->varyingCount, 0, kMaxVaryings);
    if (state_.depth && (state_.depth->Width() < clipX1_ || state_.depth->Height() < clipY1_)) state_.depth = nullptr;
    const bool depthTest = state_.depth && state_.depthStencil.depthEnable;
    // The fast paths know no stencil; such draws take the general one.
    stencilTest_ = state_.depth && state_.depthStencil.stencilEnable;
    // Each plane counts as written only where this draw may write it, so that
    // its next clear refills no more than that.
    const PixelRect clip{clipX0_, clipY0_, clipX1_, clipY1_};
    const DepthStencilDesc& ds = state_.depthStencil;
    targetPixels_ = state_.target->PixelsToWrite(clip);
    depthValues_ = depthTest ? state_.depth->DepthToWrite(ds.depthWrite ? clip : PixelRect{}) : nullptr;
    stencilValues_ = stencilTest_ ? state_.depth->StencilToWrite(ds.stencilWriteMask ? clip : PixelRect{}) : nullptr;
    spritePath_ = !stencilTest_ && state_.spritePath && state_.raster.fill == FillMode::Solid &&
                  sprites_.Begin(targetPixels_, state_.target->Width(), *state_.pixel, varyingCount_,
                                 state_.textures[0], state_.samplers[0], state_.blend, depthTest, clipX1_ - clipX0_);
    blendKind_ = ClassifyBlend(state_.blend);
    quadPathOpen_ = QuadPathOpen();
    // A triangle has at most one span per row of the clip rectangle.
    if (spriteRows_.size() < static_cast<std::size_t>(clipY1_ - clipY0_)) spriteRows_.resize(clipY1_ - clipY0_);
    return true;
}

bool Rasterizer::Inside(const ClipVertex& v) const
{
    const float x = v.position[0], y = v.position[1], z = v.position[2], w = v.position[3];
    return w > 1e-7f && z >= 0.0f && z <= w && std::fabs(x) <= guardX_ * w && std::fabs(y) <= guardY_ * w;
}

VARNOLIS_ALWAYS_INLINE void Rasterizer::Project(const ClipVertex& v, ScreenVertex& out) const
{
    const Viewport& vp = state_.viewport;
    // 2D vertices have w 1, which needs no division.
    const double invW = v.position[3] == 1.0f ? 1.0 : 1.0 / static_cast<double>(v.position[3]);
    const double nx = v.position[0] * invW;
    const double ny = v.position[1] * invW;
    const double nz = v.position[2] * invW;
    const double sx = (nx + 1.0) * 0.5 * vp.width + vp.x;
    const double sy = (1.0 - ny) * 0.5 * vp.height + vp.y;
    out.x = RoundToFixed(sx * kSubpixel);
    out.y = RoundToFixed(sy * kSubpixel);
    out.z = vp.minDepth + nz * (static_cast<double>(vp.maxDepth) - vp.minDepth);
    out.invW = invW;
    out.varyings = v.varyings;
}

void Rasterizer::DrawTriangle(const ClipVertex& a, const ClipVertex& b, const ClipVertex& c)
{
    ++trianglesDrawn;
    if (Inside(a) && Inside(b) && Inside(c)) {
        ScreenVertex s[3];
        Project(a, s[0]);
        Project(b, s[1]);
        Project(c, s[2]);
        RasterTriangle(s[0], s[1], s[2]);
        return;
    }
    ClipAndDraw(a, b, c);
}

// Sutherland-Hodgman against near, far, w > 0 and the guard band; the result
// is drawn as a fan, which keeps the winding.
void Rasterizer::ClipAndDraw(const ClipVertex& a, const ClipVertex& b, const ClipVertex& c)
{
    ClipVertex buffers[2][kMaxClipVertices];
    int count = 3;
    buffers[0][0] = a;
    buffers[0][1] = b;
    buffers[0][2] = c;
    int current = 0;
    const int varyings = varyingCount_;
    for (int plane = 0; plane < 7 && count >= 3; ++plane) {
        auto distance = [&](const ClipVertex& v) -> double {
            const double x = v.position[0], y = v.position[1], z = v.position[2], w = v.position[3];
            switch (plane) {
            case 0: return w - 1e-6;
            case 1: return z;
            case 2: return w - z;
            case 3: return guardX_ * w - x;
            case 4: return guardX_ * w + x;
            case 5: return guardY_ * w - y;
            default: return guardY_ * w + y;
            }
        };
        const ClipVertex* in = buffers[current];
        ClipVertex* out = buffers[1 - current];
        int outCount = 0;
        for (int i = 0; i < count; ++i) {
            const ClipVertex& p = in[i];
            const ClipVertex& q = in[(i + 1) % count];
            const double dp = distance(p);
            const double dq = distance(q);
            if (dp >= 0 && outCount < kMaxClipVertices) out[outCount++] = p;
            if ((dp >= 0) != (dq >= 0) && outCount < kMaxClipVertices) {
                const double t = dp / (dp - dq);
                ClipVertex& n = out[outCount++];
                for (int k = 0; k < 4; ++k) {
                    n.position[k] = static_cast<float>(p.position[k] + t * (q.position[k] - p.position[k]));
                }
                for (int k = 0; k < varyings; ++k) {
                    n.varyings[k] = static_cast<float>(p.varyings[k] + t * (q.varyings[k] - p.varyings[k]));
                }
            }
        }
        count = outCount;
        current = 1 - current;
    }
    if (count < 3) return;
    const ClipVertex* poly = buffers[current];
    ScreenVertex s0, s1, s2;
    Project(poly[0], s0);
    for (int i = 1; i + 1 < count; ++i) {
        Project(poly[i], s1);
        Project(poly[i + 1], s2);
        RasterTriangle(s0, s1, s2);
    }
}

VARNOLIS_ALWAYS_INLINE Plane Rasterizer::MakePlane(const ScreenVertex* s, double a0, double a1, double a2, double area)
{
    const double dx1 = static_cast<double>(s[1].x - s[0].x);
    const double dy1 = static_cast<double>(s[1].y - s[0].y);
    const double dx2 = static_cast<double>(s[2].x - s[0].x);
    const double dy2 = static_cast<double>(s[2].y - s[0].y);
    Plane plane;
    plane.a0 = a0;
    plane.a = ((a1 - a0) * dy2 - (a2 - a0) * dy1) / area;
    plane.b = ((a2 - a0) * dx1 - (a1 - a0) * dx2) / area;
    return plane;
}

bool Rasterizer::SetupEdges(const ScreenVertex* s, Triangle& tri) const
{
    const long long area = (s[1].x - s[0].x) * (s[2].y - s[0].y) - (s[2].x - s[0].x) * (s[1].y - s[0].y);
    if (area == 0) return false;
    const long long sign = area > 0 ? 1 : -1;
    for (int i = 0; i < 3; ++i) tri.SetEdge(i, s[(i + 1) % 3], s[(i + 2) % 3], sign);
    const long long minX = std::min({s[0].x, s[1].x, s[2].x});
    const long long maxX = std::max({s[0].x, s[1].x, s[2].x});
    const long long minY = std::min({s[0].y, s[1].y, s[2].y});
    const long long maxY = std::max({s[0].y, s[1].y, s[2].y});
    tri.x0 = static_cast<int>(std::max<long long>(clipX0_, CeilToPixel(minX - kHalfPixel)));
    tri.x1 = static_cast<int>(std::min<long long>(clipX1_ - 1, FloorToPixel(maxX - kHalfPixel)));
    tri.y0 = static_cast<int>(std::max<long long>(clipY0_, CeilToPixel(minY - kHalfPixel)));
    tri.y1 = static_cast<int>(std::min<long long>(clipY1_ - 1, FloorToPixel(maxY - kHalfPixel)));
    for (int i = 0; i < 3; ++i) tri.v[i] = &s[i];
    return tri.x0 <= tri.x1 && tri.y0 <= tri.y1;
}

bool Rasterizer::RowSpan(const Triangle& tri, int y, int& lo, int& hi) const
{
    const long long py = static_cast<long long>(y) * kSubpixel + kHalfPixel;
    const long long px = static_cast<long long>(tri.x0) * kSubpixel + kHalfPixel;
    long long first = tri.x0;
    long long last = tri.x1;
    for (int i = 0; i < 3; ++i) {
        const long long a = tri.edgeA[i];
        const long long e0 = a * (px - tri.edgeX[i]) + tri.edgeB[i] * (py - tri.edgeY[i]);
        const long long bias = tri.bias[i];
        if (a > 0) {
            first = std::max(first, tri.x0 + CeilDiv(bias - e0, a * kSubpixel));
        } else if (a < 0) {
            last = std::min(last, tri.x0 + FloorDiv(e0 - bias, -a * kSubpixel));
        } else if (e0 < bias) {
            return false;
        }
    }
    if (first > last) return false;
    lo = static_cast<int>(first);
    hi = static_cast<int>(last);
    return true;
}

// The rows of a triangle (or another convex shape) from top to bottom with
// the pixels RowSpan gives each, by exact integer stepping in place of its
// divisions per edge and row. Each edge function at the first column's
// centre, less the edge's bias, is kept as quotient and remainder of the
// division by its step along x; one row down adds a constant to it.
template <int Edges>
class Rasterizer::RowWalker {
public:
    explicit RowWalker(const EdgeSet<Edges>& tri) : tri_(tri), y_(tri.y0)
    {
        const long long py = static_cast<long long>(tri.y0) * kSubpixel + kHalfPixel;
        const long long px = static_cast<long long>(tri.x0) * kSubpixel + kHalfPixel;
        for (int i = 0; i < Edges; ++i) {
            Edge& edge = edges_[i];
            const long long a = tri.edgeA[i];
            const long long m = a * (px - tri.edgeX[i]) + tri.edgeB[i] * (py - tri.edgeY[i]) - tri.bias[i];
            const long long rowStep = tri.edgeB[i] * kSubpixel;
            edge.sign = a > 0 ? 1 : (a < 0 ? -1 : 0);
            if (edge.sign == 0) {
                edge.value = m;  // the whole row is inside while it is not negative
                edge.stepQuotient = rowStep;
                continue;
            }
            edge.divisor = (a > 0 ? a : -a) * kSubpixel;
            edge.value = FloorDiv(m, edge.divisor);
            edge.remainder = m - edge.value * edge.divisor;
            edge.stepQuotient = FloorDiv(rowStep, edge.divisor);
            edge.stepRemainder = rowStep - edge.stepQuotient * edge.divisor;
        }
    }

    // The next row with covered pixels; false after the last row.
    VARNOLIS_ALWAYS_INLINE bool Next(SpanRow& row)
    {
        while (y_ <= tri_.y1) {
            long long first = tri_.x0;
            long long last = tri_.x1;
            bool empty = false;
            // Unrolled, the edges stay in registers along the rows.
#pragma GCC unroll 4
            for (Edge& edge : edges_) {
                if (edge.sign > 0) {
                    first = std::max(first, tri_.x0 - edge.value);
                } else if (edge.sign < 0) {
                    last = std::min(last, tri_.x0 + edge.value);
                } else if (edge.value < 0) {
                    empty = true;
                }
                Step(edge);
            }
            const int y = y_++;
            if (!empty && first <= last) {
                row = {y, static_cast<int>(first), static_cast<int>(last)};
                return true;
            }
        }
        return false;
    }

private:
    struct Edge {
        int sign = 0;             // of the edge's step along x
        long long value = 0;      // floor((E - bias) / divisor), or E - bias when sign is 0
        long long remainder = 0;  // 0 <= remainder < divisor
        long long divisor = 1;
        long long stepQuotient = 0;
        long long stepRemainder = 0;
    };

    VARNOLIS_ALWAYS_INLINE static void Step(Edge& edge)
    {
        if (edge.sign == 0) {
            edge.value += edge.stepQuotient;
            return;
        }
        // Without a branch: the carry is as likely as not.
        edge.remainder += edge.stepRemainder;
        const bool carry = edge.remainder >= edge.divisor;
        edge.value += edge.stepQuotient + (carry ? 1 : 0);
        edge.remainder -= carry ? edge.divisor : 0;
    }

    const EdgeSet<Edges>& tri_;
    int y_;
    Edge edges_[Edges];
};

void Rasterizer::RasterTriangle(const ScreenVertex& v0, const ScreenVertex& v1, const ScreenVertex& v2)
{
    const ScreenVertex s[3] = {v0, v1, v2};
    const long long area = (s[1].x - s[0].x) * (s[2].y - s[0].y) - (s[2].x - s[0].x) * (s[1].y - s[0].y);
    if (area == 0) return;
    // y grows downward, so a negative area is counter-clockwise as seen.
    const bool counterClockwise = area < 0;
    const bool front = state_.raster.frontCounterClockwise ? counterClockwise : !counterClockwise;
    if (state_.raster.cull == CullMode::Back && !front) return;
    if (state_.raster.cull == CullMode::Front && front) return;
    frontFacing_ = front;
    if (state_.raster.fill == FillMode::Wireframe) {
        DrawWireTriangle(s);
        return;
    }

    Triangle tri;
    if (!SetupEdges(s, tri)) return;
    const double areaD = static_cast<double>(area);
    tri.affine = s[0].invW == s[1].invW && s[0].invW == s[2].invW;
    if (tri.affine && spritePath_) {
        ++spriteTrianglesDrawn;
        DrawSpriteTriangle(s, tri, areaD);
        return;
    }
    tri.depth = MakePlane(s, s[0].z, s[1].z, s[2].z, areaD);
    if (tri.affine) {
        for (int k = 0; k < varyingCount_; ++k) {
            tri.varyings[k] = MakePlane(s, s[0].varyings[k], s[1].varyings[k], s[2].varyings[k], areaD);
        }
    } else {
        // Perspective: varying / w and 1 / w are linear on the screen.
        tri.invW = MakePlane(s, s[0].invW, s[1].invW, s[2].invW, areaD);
        for (int k = 0; k < varyingCount_; ++k) {
            tri.varyings[k] = MakePlane(s, s[0].varyings[k] * s[0].invW, s[1].varyings[k] * s[1].invW,
                                        s[2].varyings[k] * s[2].invW, areaD);
        }
    }
    for (int y = tri.y0; y <= tri.y1; ++y) {
        int lo = 0, hi = 0;
        if (RowSpan(tri, y, lo, hi)) ShadeSpan(tri, y, lo, hi);
    }
}

// Flat w, a sprite program: only the varyings it reads get planes, and the
// rows go through the specialised span loops.
void Rasterizer::DrawSpriteTriangle(const ScreenVertex* s, Triangle& tri, double area)
{
    auto setPlane = [&](int k) {
        tri.varyings[k] = MakePlane(s, s[0].varyings[k], s[1].varyings[k], s[2].varyings[k], area);
    };
    for (int k = 0; k < 4; ++k) setPlane(sprites_.ColorVarying() + k);
    if (sprites_.UvVarying() >= 0) {
        setPlane(sprites_.UvVarying());
        setPlane(sprites_.UvVarying() + 1);
    }
    const float* const vertices[3] = {s[0].varyings, s[1].varyings, s[2].varyings};
    sprites_.SetTriangle(s[0].x, s[0].y, tri.varyings, vertices);
    RowWalker<3> walker(tri);
    int rows = 0;
    while (walker.Next(spriteRows_[rows])) ++rows;
    sprites_.DrawRows(spriteRows_.data(), rows);
}

void Rasterizer::ShadeSpan(const Triangle& tri, int y, int lo, int hi)
{
    const int count = hi - lo + 1;
    const int stride = std::max(varyingCount_, 1);
    if (spanVaryings_.size() < static_cast<std::size_t>(count) * stride) {
        spanVaryings_.resize(static_cast<std::size_t>(count) * stride);
    }
    if (spanDepth_.size() < static_cast<std::size_t>(count)) spanDepth_.resize(count);
    const ScreenVertex& origin = *tri.v[0];
    const double dy = static_cast<double>(static_cast<long long>(y) * kSubpixel + kHalfPixel - origin.y);
    for (int i = 0; i < count; ++i) {
        const double dx = static_cast<double>(static_cast<long long>(lo + i) * kSubpixel + kHalfPixel - origin.x);
        spanDepth_[i] = static_cast<float>(tri.depth.At(dx, dy));
        float* out = spanVaryings_.data() + static_cast<std::size_t>(i) * stride;
        if (tri.affine) {
            for (int k = 0; k < varyingCount_; ++k) {
                const Plane& p = tri.varyings[k];
                out[k] = static_cast<float>(p.At(dx, dy));
            }
        } else {
            const double w = 1.0 / tri.invW.At(dx, dy);
            for (int k = 0; k < varyingCount_; ++k) {
                const Plane& p = tri.varyings[k];
                out[k] = static_cast<float>(p.At(dx, dy) * w);
            }
        }
    }
    ShadePixels(y, lo, count, spanDepth_.data(), nullptr);
}

// Runs the pixel program over prepared varyings, then stencil and depth
// test, blend and write. `covered` (optional) leaves pixels out.
void Rasterizer::ShadePixels(int y, int x, int count, const float* depth, const std::uint8_t* covered)
{
    if (spanColors_.size() < static_cast<std::size_t>(count)) spanColors_.resize(count);
    if (spanMask_.size() < static_cast<std::size_t>(count)) spanMask_.resize(count);
    std::uint8_t* mask = spanMask_.data();
    const std::size_t depthOffset = state_.depth ? static_cast<std::size_t>(y) * state_.depth->Width() + x : 0;
    float* depthRow = depthValues_ ? depthValues_ + depthOffset : nullptr;
    const bool testDepth = depthRow != nullptr;
    std::uint8_t* stencilRow = stencilValues_ ? stencilValues_ + depthOffset : nullptr;
    const StencilFaceDesc& face = frontFacing_ ? state_.depthStencil.frontFace : state_.depthStencil.backFace;
    int passing = 0;
    for (int i = 0; i < count; ++i) {
        const bool inside = !covered || covered[i];
        bool pass = inside && (!testDepth || DepthPasses(state_.depthStencil.depthFunc, depth[i], depthRow[i]));
        if (inside && stencilRow) pass = StencilTest(state_.depthStencil, face, state_.stencilReference, pass, stencilRow[i]);
        mask[i] = pass ? 1 : 0;
        passing += pass ? 1 : 0;
    }
    if (passing == 0) return;

    PixelSpan span;
    span.count = count;
    span.x = x;
    span.y = y;
    span.varyings = spanVaryings_.data();
    span.stride = std::max(varyingCount_, 1);
    span.textures = state_.textures;
    span.samplers = state_.samplers;
    span.constants = state_.pixelConstants;
    state_.pixel->shade(span, spanColors_.data());

    std::uint32_t* row = targetPixels_ + static_cast<std::size_t>(y) * state_.target->Width() + x;
    const std::uint32_t* colors = spanColors_.data();
    WithBlender(state_.blend, [&](auto blend) {
        for (int i = 0; i < count; ++i) {
            if (mask[i]) row[i] = blend(colors[i], row[i]);
        }
    });
    if (testDepth && state_.depthStencil.depthWrite) {
        for (int i = 0; i < count; ++i) {
            if (mask[i]) depthRow[i] = depth[i];
        }
    }
}

// Wireframe: the three edges as one-pixel lines.
void Rasterizer::DrawWireTriangle(const ScreenVertex* s)
{
    const int stride = std::max(varyingCount_, 1);
    if (spanVaryings_.size() < static_cast<std::size_t>(stride)) spanVaryings_.resize(stride);
    for (int e = 0; e < 3; ++e) {
        const ScreenVertex& a = s[e];
        const ScreenVertex& b = s[(e + 1) % 3];
        const double ax = static_cast<double>(a.x) / kSubpixel, ay = static_cast<double>(a.y) / kSubpixel;
        const double bx = static_cast<double>(b.x) / kSubpixel, by = static_cast<double>(b.y) / kSubpixel;
        const int steps = static_cast<int>(std::ceil(std::max(std::fabs(bx - ax), std::fabs(by - ay))));
        for (int k = 0; k <= steps; ++k) {
            const double t = steps ? static_cast<double>(k) / steps : 0.0;
            const int px = static_cast<int>(std::floor(ax + t * (bx - ax)));
            const int py = static_cast<int>(std::floor(ay + t * (by - ay)));
            if (px < clipX0_ || px >= clipX1_ || py < clipY0_ || py >= clipY1_) continue;
            for (int v = 0; v < varyingCount_; ++v) {
                spanVaryings_[v] = static_cast<float>(a.varyings[v] + t * (b.varyings[v] - a.varyings[v]));
            }
            const float depth = static_cast<float>(a.z + t * (b.z - a.z));
            ShadePixels(py, px, 1, &depth, nullptr);
        }
    }
}

// Rows where a quad's two triangles round to different texel rows are rare:
// the upper triangle's edges are set up only for them.
bool Rasterizer::UpperRowSpan(const ScreenVertex* s, int x0, int x1, int y, int& lo, int& hi) const
{
    Triangle upper;
    SetupEdges(s, upper);
    upper.x0 = x0;
    upper.x1 = x1;
    return RowSpan(upper, y, lo, hi);
}

bool Rasterizer::QuadPathOpen() const
{
    if (!state_.quadPath || stencilTest_) return false;
    const PixelProgram& program = *state_.pixel;
    if (program.shortcut == QuadShortcut::None || state_.raster.fill != FillMode::Solid) return false;
    const bool textured = program.shortcut == QuadShortcut::TextureTimesVertexColor;
    const int ci = program.colorVarying;
    const int ui = program.uvVarying;
    if (ci < 0 || ci + 4 > kMaxVaryings || (textured && (ui < 0 || ui + 2 > kMaxVaryings))) return false;
    if (ci + 4 > varyingCount_ || (textured && ui + 2 > varyingCount_)) return false;
    if (!textured) return true;
    const Texture* texture = state_.textures[0];
    const SamplerDesc* sampler = state_.samplers[0];
    return texture && texture->Width() > 0 && texture->Height() > 0 && sampler && sampler->filter == Filter::Point;
}

bool Rasterizer::DrawQuad(const ClipVertex& tl, const ClipVertex& bl, const ClipVertex& tr, const ClipVertex& br)
{
    return DrawAlignedQuad(tl, bl, tr, br) || DrawFlatColorQuad(tl, bl, tr, br);
}

// The two triangles of a convex quad share the diagonal, whose pixels the
// top-left rule gives to exactly one of them, and their outer edges are the
// quad's own, with the same integer coefficients: together they cover just
// the pixels inside those four edges. Of one colour, every pixel of either
// gets that colour, so one walk over the quad's rows draws the same pixels
// with half the rows of the two triangles (a long thin band, a road on a map,
// has nearly every row in both).
bool Rasterizer::DrawFlatColorQuad(const ClipVertex& tl, const ClipVertex& bl, const ClipVertex& tr, const ClipVertex& br)
{
    if (!spritePath_ || sprites_.UvVarying() >= 0) return false;
    const float w = tl.position[3];
    for (const ClipVertex* v : {&bl, &tr, &br}) {
        if (v->position[3] != w) return false;
    }
    if (!Inside(tl) || !Inside(bl) || !Inside(tr) || !Inside(br)) return false;
    const int ci = sprites_.ColorVarying();
    for (int k = ci; k < ci + 4; ++k) {
        const float c = tl.varyings[k];
        if (!std::isfinite(c) || bl.varyings[k] != c || tr.varyings[k] != c || br.varyings[k] != c) return false;
    }

    ScreenVertex s[4];
    Project(tl, s[0]);
    Project(bl, s[1]);
    Project(tr, s[2]);
    Project(br, s[3]);
    // Round the quad: tl, bl, br, tr. Strictly convex when every three
    // corners in turn wind the same way, the two triangles among them.
    const ScreenVertex* ring[4] = {&s[0], &s[1], &s[3], &s[2]};
    auto areaOf = [](const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c) {
        return (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
    };
    const long long area = areaOf(*ring[0], *ring[1], *ring[3]);  // the triangle (tl, bl, tr)
    if (area == 0) return false;
    for (int i = 0; i < 4; ++i) {
        const long long turn = areaOf(*ring[i], *ring[(i + 1) % 4], *ring[(i + 2) % 4]);
        if (turn == 0 || (turn > 0) != (area > 0)) return false;
    }

    trianglesDrawn += 2;
    const bool counterClockwise = area < 0;
    const bool front = state_.raster.frontCounterClockwise ? counterClockwise : !counterClockwise;
    if (state_.raster.cull == CullMode::Back && !front) return true;
    if (state_.raster.cull == CullMode::Front && front) return true;
    frontFacing_ = front;

    // The edges as the triangles set them up (SetupEdges): from each corner
    // to the next, signed by the winding.
    EdgeSet<4> quad;
    const long long sign = area > 0 ? 1 : -1;
    for (int i = 0; i < 4; ++i) quad.SetEdge(i, *ring[i], *ring[(i + 1) % 4], sign);
    const long long minX = std::min({s[0].x, s[1].x, s[2].x, s[3].x});
    const long long maxX = std::max({s[0].x, s[1].x, s[2].x, s[3].x});
    const long long minY = std::min({s[0].y, s[1].y, s[2].y, s[3].y});
    const long long maxY = std::max({s[0].y, s[1].y, s[2].y, s[3].y});
    quad.x0 = static_cast<int>(std::max<long long>(clipX0_, CeilToPixel(minX - kHalfPixel)));
    quad.x1 = static_cast<int>(std::min<long long>(clipX1_ - 1, FloorToPixel(maxX - kHalfPixel)));
    quad.y0 = static_cast<int>(std::max<long long>(clipY0_, CeilToPixel(minY - kHalfPixel)));
    quad.y1 = static_cast<int>(std::min<long long>(clipY1_ - 1, FloorToPixel(maxY - kHalfPixel)));
    if (quad.x0 > quad.x1 || quad.y0 > quad.y1) return true;

    spriteTrianglesDrawn += 2;
    RowWalker<4> walker(quad);
    SpanRow row;
    // An opaque colour, unblended or alpha blended, replaces what it covers
    // (as the span loops compute it): the rows are filled with it.
    const float* c = tl.varyings + ci;
    const int alpha = ToByte(c[3]);
    if (blendKind_ == BlendKind::Opaque || (blendKind_ == BlendKind::Alpha && alpha == 255)) {
        const std::uint32_t color = PackColor(ToByte(c[0]), ToByte(c[1]), ToByte(c[2]), alpha);
        const std::size_t width = static_cast<std::size_t>(state_.target->Width());
        while (walker.Next(row)) {
            std::uint32_t* out = targetPixels_ + static_cast<std::size_t>(row.y) * width + row.lo;
            pixel_row_detail::FillRow(out, row.hi - row.lo + 1, color);
        }
        return true;
    }
    // The colour's planes are flat: only their values are read.
    Plane planes[kMaxVaryings];
    for (int k = ci; k < ci + 4; ++k) planes[k].a0 = tl.varyings[k];
    const float* const vertices[3] = {tl.varyings, bl.varyings, tr.varyings};
    sprites_.SetTriangle(s[0].x, s[0].y, planes, vertices);
    int rows = 0;
    while (walker.Next(spriteRows_[rows])) ++rows;
    sprites_.DrawRows(spriteRows_.data(), rows);
    return true;
}

bool Rasterizer::DrawAlignedQuad(const ClipVertex& tl, const ClipVertex& bl, const ClipVertex& tr, const ClipVertex& br)
{
    if (!quadPathOpen_) return false;
    const PixelProgram& program = *state_.pixel;
    const bool textured = program.shortcut == QuadShortcut::TextureTimesVertexColor;
    const int ci = program.colorVarying;
    const int ui = program.uvVarying;

    // Flat in w and z, inside every clip plane: no clipping, affine varyings.
    const float w = tl.position[3];
    const float z = tl.position[2];
    for (const ClipVertex* v : {&bl, &tr, &br}) {
        if (v->position[3] != w || v->position[2] != z) return false;
    }
    for (int k = ci; k < ci + 4; ++k) {
        const float c = tl.varyings[k];
        if (bl.varyings[k] != c || tr.varyings[k] != c || br.varyings[k] != c) return false;
    }
    const Texture* texture = textured ? state_.textures[0] : nullptr;
    const SamplerDesc* sampler = textured ? state_.samplers[0] : nullptr;
    if (textured) {
        // u runs along x only, v along y only.
        if (tl.varyings[ui] != bl.varyings[ui] || tr.varyings[ui] != br.varyings[ui]) return false;
        if (tl.varyings[ui + 1] != tr.varyings[ui + 1] || bl.varyings[ui + 1] != br.varyings[ui + 1]) return false;
    }

    ScreenVertex s[4];
    const bool linedUp = tl.position[0] == bl.position[0] && tr.position[0] == br.position[0] &&
                         tl.position[1] == tr.position[1] && bl.position[1] == br.position[1];
    if (linedUp) {
        // Equal coordinates project alike: two corners hold every x and y there is.
        if (!Inside(tl) || !Inside(br)) return false;
        Project(tl, s[0]);
        Project(br, s[3]);
        s[1] = {s[0].x, s[3].y, s[0].z, s[0].invW, bl.varyings};
        s[2] = {s[3].x, s[0].y, s[0].z, s[0].invW, tr.varyings};
    } else {
        if (!Inside(tl) || !Inside(bl) || !Inside(tr) || !Inside(br)) return false;
        Project(tl, s[0]);
        Project(bl, s[1]);
        Project(tr, s[2]);
        Project(br, s[3]);
        if (!(s[0].x == s[1].x && s[2].x == s[3].x && s[0].y == s[2].y && s[1].y == s[3].y)) return false;
    }
    if (!(s[0].x < s[2].x && s[0].y < s[1].y)) return false;

    ++quadsDrawn;
    trianglesDrawn += 2;
    // Both triangles wind counter-clockwise on the screen.
    const bool front = state_.raster.frontCounterClockwise;
    if (state_.raster.cull == CullMode::Back && !front) return true;
    if (state_.raster.cull == CullMode::Front && front) return true;

    // Pixels whose centres lie in [left, right) x [top, bottom), which is the
    // union of both triangles under the top-left rule.
    const int x0 = static_cast<int>(std::max<long long>(clipX0_, CeilToPixel(s[0].x - kHalfPixel)));
    const int x1 = static_cast<int>(std::min<long long>(clipX1_ - 1, FloorToPixel(s[2].x - kHalfPixel - 1)));
    const int y0 = static_cast<int>(std::max<long long>(clipY0_, CeilToPixel(s[0].y - kHalfPixel)));
    const int y1 = static_cast<int>(std::min<long long>(clipY1_ - 1, FloorToPixel(s[1].y - kHalfPixel - 1)));
    if (x0 > x1 || y0 > y1) return true;
    const int count = x1 - x0 + 1;

    // The values below are computed exactly as the triangle path computes
    // them (same planes from the same vertex order), so the pixels match.
    // The upper triangle is (s[0], s[1], s[2]); the lower one (s[1], s[3], s[2]).
    const ScreenVertex* upper = s;
    auto areaOf = [](const ScreenVertex& t0, const ScreenVertex& t1, const ScreenVertex& t2) {
        return static_cast<double>((t1.x - t0.x) * (t2.y - t0.y) - (t2.x - t0.x) * (t1.y - t0.y));
    };
    const double upperArea = areaOf(s[0], s[1], s[2]);
    const double firstDx = static_cast<double>(static_cast<long long>(x0) * kSubpixel + kHalfPixel - s[0].x);
    const double firstDy = static_cast<double>(static_cast<long long>(y0) * kSubpixel + kHalfPixel - s[0].y);
    const bool depth = depthValues_ != nullptr;

    PixelRow row;
    row.count = count;
    const float* c = tl.varyings + ci;
    row.r = ToByte(c[0]);
    row.g = ToByte(c[1]);
    row.b = ToByte(c[2]);
    row.a = ToByte(c[3]);
    row.flat = PackColor(row.r, row.g, row.b, row.a);
    if (depth) {
        const Plane depthPlane = MakePlane(upper, s[0].z, s[1].z, s[2].z, upperArea);
        row.z = static_cast<float>(depthPlane.At(firstDx, firstDy));
    }
    row.func = state_.depthStencil.depthFunc;
    row.depthWrite = state_.depthStencil.depthWrite;
    const bool modulate = textured && row.flat != 0xFFFFFFFFu;

    Plane uUpper, vUpper;
    int firstColumn = -1;
    // Texel row of pixel row y0 + k is firstRow + k for every row, when set.
    int firstRow = -1;
    if (textured) {
        const float texWidth = static_cast<float>(texture->Width());
        const float texHeight = static_cast<float>(texture->Height());
        // Most sprites map texels to pixels one to one. u runs along x only
        // and v along y only, so each is the straight line between two
        // corners, which the planes below give too, rounded a little
        // differently: where the ends lie clear of texel edges, both name the
        // same texels, and the planes need not be made.
        auto fromCorner = [](int pixel, long long corner) {
            return static_cast<double>(static_cast<long long>(pixel) * kSubpixel + kHalfPixel - corner);
        };
        float ends[4];  // u at x0 and x1, v at y0 and y1
        LineEnds(tl.varyings[ui], tr.varyings[ui], fromCorner(x0, s[0].x), fromCorner(x1, s[0].x),
                 static_cast<double>(s[2].x - s[0].x), ends);
        LineEnds(tl.varyings[ui + 1], bl.varyings[ui + 1], fromCorner(y0, s[0].y), fromCorner(y1, s[0].y),
                 static_cast<double>(s[1].y - s[0].y), ends + 2);
        const float scaled[4] = {ends[0] * texWidth, ends[1] * texWidth, ends[2] * texHeight, ends[3] * texHeight};
        if (ConsecutiveTexelsOfQuad(scaled, count, texture->Width(), y1 - y0 + 1, texture->Height(), firstColumn,
                                    firstRow)) {
            row.columns = nullptr;
        } else {
            firstColumn = -1;
            firstRow = -1;
            uUpper = MakePlane(upper, upper[0].varyings[ui], upper[1].varyings[ui], upper[2].varyings[ui], upperArea);
            vUpper = MakePlane(upper, upper[0].varyings[ui + 1], upper[1].varyings[ui + 1], upper[2].varyings[ui + 1],
                               upperArea);
            auto uAt = [&](int i) {
                const double dx = static_cast<double>(static_cast<long long>(x0 + i) * kSubpixel + kHalfPixel - s[0].x);
                return static_cast<float>(uUpper.At(dx, firstDy));
            };
            auto vAt = [&](int y) {
                const long long py = static_cast<long long>(y) * kSubpixel + kHalfPixel;
                return static_cast<float>(vUpper.At(firstDx, static_cast<double>(py - s[0].y)));
            };
            // Unscaled and unflipped, the columns run first, first + 1, ...: the
            // row then reads the texel row directly.
            if (!ConsecutiveTexels(uAt(0) * texWidth, uAt(count - 1) * texWidth, count, texture->Width(), firstColumn)) {
                firstColumn = -1;
                if (columnTexels_.size() < static_cast<std::size_t>(count)) columnTexels_.resize(count);
                for (int i = 0; i < count; ++i) columnTexels_[i] = PointTexel(uAt(i), texture->Width(), sampler->addressU);
                firstColumn = columnTexels_[0];
                for (int i = 1; i < count && firstColumn >= 0; ++i) {
                    if (columnTexels_[i] != firstColumn + i) firstColumn = -1;
                }
            }
            row.columns = firstColumn >= 0 ? nullptr : columnTexels_.data();
            if (row.columns && RowsTakeColumnGroups(blendKind_)) {
                row.groups = MakeColumnGroups(row.columns, count, texture->Width(), groupBases_, groupLanes_);
            }
            if (!ConsecutiveTexels(vAt(y0) * texHeight, vAt(y1) * texHeight, y1 - y0 + 1, texture->Height(), firstRow)) {
                firstRow = -1;
            }
        }
    }

    // The lower triangle's v plane, made the first time a row needs it.
    Plane vLower;
    bool haveLower = false;
    const int width = state_.target->Width();
    WithBlenderOfKind(blendKind_, state_.blend, [&](auto blend) {
        // The common sprite: texel rows and columns one to one, no depth.
        if (textured && firstRow >= 0 && firstColumn >= 0 && !depth) {
            row.target = targetPixels_ + static_cast<std::size_t>(y0) * width + x0;
            row.texels = texture->Pixels() + static_cast<std::size_t>(firstRow) * texture->Width() + firstColumn;
            WriteTexelRows(row, blend, modulate, y1 - y0 + 1, static_cast<std::size_t>(texture->Width()),
                           static_cast<std::size_t>(width), kPrefetchRows);
            return;
        }
        for (int y = y0; y <= y1; ++y) {
            row.target = targetPixels_ + static_cast<std::size_t>(y) * width + x0;
            // Rows of a small quad lie a whole target row apart: ask for the
            // target pixels a few rows ahead while this one is blended.
            if (y + kPrefetchRows <= y1) {
                const std::uint32_t* ahead = row.target + static_cast<std::size_t>(kPrefetchRows) * width;
                __builtin_prefetch(ahead, 1);
                __builtin_prefetch(ahead + count - 1, 1);
            }
            row.depthRow = depth ? depthValues_ + static_cast<std::size_t>(y) * state_.depth->Width() + x0 : nullptr;
            if (!textured) {
                WritePixelRow(row, blend, false, false, depth);
                continue;
            }
            // Where pixel x0 + i reads its texel in texel row `texelRow`.
            auto source = [&](int texelRow, int i) {
                return texture->Pixels() + static_cast<std::size_t>(texelRow) * texture->Width() +
                       (firstColumn >= 0 ? firstColumn + i : 0);
            };
            if (firstRow >= 0) {
                row.texels = source(firstRow + (y - y0), 0);
                WritePixelRow(row, blend, true, modulate, depth);
                continue;
            }
            const long long py = static_cast<long long>(y) * kSubpixel + kHalfPixel;
            const float vu = static_cast<float>(
                vUpper.At(firstDx, static_cast<double>(py - s[0].y)));
            const int rowUpper = PointTexel(vu, texture->Height(), sampler->addressV);
            // The lower triangle evaluates the same line from another corner;
            // it can only land in another texel right at a texel edge.
            int rowLower = rowUpper;
            if (!ClearOfTexelEdge(vu * static_cast<float>(texture->Height()))) {
                if (!haveLower) {
                    const ScreenVertex lower[3] = {s[1], s[3], s[2]};
                    haveLower = true;
                    vLower = MakePlane(lower, lower[0].varyings[ui + 1], lower[1].varyings[ui + 1],
                                       lower[2].varyings[ui + 1], areaOf(s[1], s[3], s[2]));
                }
                const float vl = static_cast<float>(
                    vLower.At(firstDx, static_cast<double>(py - s[1].y)));
                rowLower = PointTexel(vl, texture->Height(), sampler->addressV);
            }
            if (rowUpper == rowLower) {
                row.texels = source(rowUpper, 0);
                WritePixelRow(row, blend, true, modulate, depth);
                continue;
            }
            // The two triangles round this row to different texel rows: split
            // the row where the triangle path would.
            int lo = x1 + 1, hi = x1;
            if (!UpperRowSpan(s, x0, x1, y, lo, hi)) lo = x1 + 1, hi = x1;
            const int pieces[3][3] = {{x0, lo - 1, rowLower}, {lo, hi, rowUpper}, {hi + 1, x1, rowLower}};
            for (const auto& piece : pieces) {
                if (piece[0] > piece[1]) continue;
                const int offset = piece[0] - x0;
                PixelRow part = row;
                part.target = row.target + offset;
                part.depthRow = row.depthRow ? row.depthRow + offset : nullptr;
                part.columns = row.columns ? row.columns + offset : nullptr;
                part.groups = {};  // made for the whole row
                part.count = piece[1] - piece[0] + 1;
                part.texels = source(piece[2], offset);
                WritePixelRow(part, blend, true, modulate, depth);
            }
        }
    });
    return true;
}

}  // namespace platform::gfx
