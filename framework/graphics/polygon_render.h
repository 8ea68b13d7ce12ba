// The 2D polygon renderers of coloured and textured quads, their draw parameters and the sprite draw state.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "framework/graphics/texture.h"

namespace platform::gfx {
class Buffer;
}

namespace vesk::resource {
class SYSWIN_CShader;
}

namespace vesk::graphics {

struct Vec2f {
    float x = 0.0f;
    float y = 0.0f;
};

// Parameters of one 2D draw. Colours are RGBA bytes in memory order (red in
// the low byte of the word).
struct DrawParam {
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    std::uint32_t color = 0xFFFFFFFFu;
    float angle = 0.0f;   // degrees
    float pivotX = 0.0f;  // fractions of the quad's size; (0, 0) is the top-left corner
    float pivotY = 0.0f;
    std::int32_t flipX = 0;
    std::int32_t flipY = 0;
    float u0 = 0.0f, v0 = 0.0f, u1 = 1.0f, v1 = 1.0f;  // texture sub-rectangle
    std::uint32_t reserved[2] = {0, 0};
};

void InitDrawParam(DrawParam& param);

// Rotation, pivot and optional per-corner colours of untextured quads.
struct QuadTransform {
    float angle = 0.0f;
    float pivotX = 0.0f;
    float pivotY = 0.0f;
    std::int32_t perCornerColor = 0;
    std::uint32_t cornerColors[4] = {0, 0, 0, 0};  // top-left, bottom-left, top-right, bottom-right
};

// Quads per batch: the base index of a quad must stay below 65536.
inline constexpr int kMaxBatchQuads = 16384;
inline constexpr std::size_t kVertexAreaBytes = 0x200000;
inline constexpr std::size_t kIndexAreaBytes = 512000;

// Batches 2D quads, already in device coordinates, in system memory and sends
// each batch with one indexed draw.
class SYSWIN_CPolygonRender {
public:
    SYSWIN_CPolygonRender();
    virtual ~SYSWIN_CPolygonRender();
    SYSWIN_CPolygonRender(const SYSWIN_CPolygonRender&) = delete;
    SYSWIN_CPolygonRender& operator=(const SYSWIN_CPolygonRender&) = delete;

    virtual std::uint32_t GetVertexStride() const = 0;
    virtual void Begin() = 0;
    virtual int UsesTexture() const = 0;

    // Draws the pending batch with this renderer's own shader and blend mode.
    void Flush();

    // The keys applied when drawing with this renderer starts (0: solid, no
    // culling, no depth).
    void SetRasterizerKey(std::uint32_t key) { rasterizerKey_ = key; }
    void SetDepthStencilKey(std::uint32_t key) { depthStencilKey_ = key; }
    std::uint32_t RasterizerKey() const { return rasterizerKey_; }
    std::uint32_t DepthStencilKey() const { return depthStencilKey_; }
    // The blend mode the next flush uses.
    void SetBlendMode(int mode) { blendMode_ = mode; }
    resource::SYSWIN_CShader* Shader() const { return shader_; }
    int PendingQuads() const { return quadCount_; }
    // The pending batch's vertices (tests read the transformed corners).
    const std::uint8_t* PendingVertices() const { return vertexArea_ ? vertexArea_ + vertexSent_ : nullptr; }

    friend bool InitPolygonRenderer(SYSWIN_CPolygonRender& renderer, resource::SYSWIN_CShader* shader);
    friend void BeginFrame(SYSWIN_CPolygonRender& renderer);

protected:
    // Room for one more quad: flushes at the batch limit, and when the frame's
    // areas are full flushes and starts them over, so nothing is ever written
    // past a buffer. Returns the vertex memory for four vertices.
    std::uint8_t* AppendQuad();
    void SetBatchTexture(resource::SYS_CTexture* texture) { texture_ = texture; }
    resource::SYS_CTexture* BatchTexture() const { return texture_; }

private:
    struct Half {
        std::unique_ptr<platform::gfx::Buffer> vertices;
        std::unique_ptr<platform::gfx::Buffer> indices;
    };
    Half halves_[2];
    resource::SYSWIN_CShader* shader_ = nullptr;
    resource::SYS_CTexture* texture_ = nullptr;
    std::uint8_t* vertexArea_ = nullptr;
    std::uint8_t* indexArea_ = nullptr;
    int half_ = 0;
    std::size_t vertexWrite_ = 0;
    std::size_t indexWrite_ = 0;
    std::size_t vertexSent_ = 0;  // bytes of the areas already drawn this frame
    std::size_t indexSent_ = 0;
    bool batchOpen_ = false;
    std::uint16_t quadCount_ = 0;
    std::uint32_t rasterizerKey_ = 0;
    std::uint32_t depthStencilKey_ = 0;
    int blendMode_ = 4;
};

class SYSWIN_CPolygonRender_Color final : public SYSWIN_CPolygonRender {
public:
    std::uint32_t GetVertexStride() const override { return 24; }
    void Begin() override { transform = QuadTransform{}; }
    int UsesTexture() const override { return 0; }

    // An axis-aligned rectangle (canvas units) turned and coloured by the
    // quad transform.
    void AddRect(Vec2f position, Vec2f size, std::uint32_t color);
    // Four corners (top-left, bottom-left, top-right, bottom-right).
    void AddQuad(Vec2f p0, Vec2f p1, Vec2f p2, Vec2f p3, std::uint32_t color);

    QuadTransform transform;

private:
    void WriteQuad(const Vec2f (&corners)[4], std::uint32_t color);
};

class SYSWIN_CPolygonRender_Texture final : public SYSWIN_CPolygonRender {
public:
    std::uint32_t GetVertexStride() const override { return 32; }
    void Begin() override { InitDrawParam(drawParam); }
    int UsesTexture() const override { return 1; }

    // One sprite at a canvas position; a null sprite adds nothing. A sprite
    // of another texture than the pending batch's flushes the batch first.
    void AddSprite(const DrawParam& param, Vec2f position, resource::SYS_CTexture* sprite);

    DrawParam drawParam;
    float lastWidth = 0.0f;
    float lastHeight = 0.0f;
};

// Allocates the areas and both halves' buffers and starts the first half.
bool InitPolygonRenderer(SYSWIN_CPolygonRender& renderer, resource::SYSWIN_CShader* shader);
// At the start of a frame's drawing: the other half, areas from the start.
void BeginFrame(SYSWIN_CPolygonRender& renderer);

// The current sprite group (-1: none; sprites are then named by texture id)
// and blend mode of sprite drawing.
struct SpriteDrawState {
    int group = -1;
    int blendMode = 5;
};
SpriteDrawState& GetSpriteDrawState();

// The untextured renderer's shader with blend mode 4, its keys.
void BeginColorPolygonDraw();
// Makes a sprite group (-1: none) and a blend mode current; see the source.
void BeginSpriteDraw(int group, int blendMode);

// Multiplies each RGBA byte by the other's and divides by 255, truncating.
void ModulateColor(std::uint32_t& color, std::uint32_t other);

// A 3D point (w = 1) through a 4x4 matrix (row by row, row vectors) to pixels
// of a width x height view.
Vec2f ProjectToScreen(const float* matrix, const float* point, float width, float height);

}  // namespace vesk::graphics
