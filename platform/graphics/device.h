// The software graphics device: resources, states, bindings and indexed triangle draws.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/graphics/gfx_types.h"
#include "platform/graphics/pixel_plane.h"
#include "platform/graphics/program.h"
#include "platform/graphics/resources.h"

namespace platform::gfx {

class Rasterizer;
struct ClipVertex;

// The software graphics device: it creates resources and states, holds what
// is bound, and draws indexed triangle lists at once into the bound target.
// Same inputs give the same pixels on every machine.
class Device {
public:
    Device();
    ~Device();
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    std::unique_ptr<Texture> CreateTexture(int width, int height, PixelFormat format);
    std::unique_ptr<DepthBuffer> CreateDepthBuffer(int width, int height);
    std::unique_ptr<Buffer> CreateBuffer(BufferKind kind, BufferUsage usage, std::size_t size,
                                         const void* initial = nullptr);
    std::unique_ptr<RasterizerState> CreateRasterizerState(const RasterizerDesc& desc);
    std::unique_ptr<DepthStencilState> CreateDepthStencilState(const DepthStencilDesc& desc);
    std::unique_ptr<SamplerState> CreateSamplerState(const SamplerDesc& desc);
    std::unique_ptr<BlendState> CreateBlendState(const BlendDesc& desc);
    // From the bytes of a ".cfx" file; null with the reason in `error`.
    std::unique_ptr<VertexShader> CreateVertexShader(const void* bytes, std::size_t size, std::string& error);
    std::unique_ptr<PixelShader> CreatePixelShader(const void* bytes, std::size_t size, std::string& error);
    // Null when the layout lacks an attribute the program reads.
    std::unique_ptr<InputLayout> CreateInputLayout(std::span<const InputElement> elements, const VertexShader& shader,
                                                   std::string& error);

    void SetRenderTarget(Texture* color, DepthBuffer* depth);
    Texture* RenderTarget() const { return target_; }
    DepthBuffer* DepthTarget() const { return depth_; }
    void SetViewport(const Viewport& viewport);
    const Viewport& GetViewport() const { return viewport_; }
    // Draws change only the target pixels inside the rectangle (on top of the
    // viewport's own clip) until the scissor is cleared.
    void SetScissor(const PixelRect& rect);
    void ClearScissor();
    bool ScissorEnabled() const { return scissorEnable_; }
    const PixelRect& GetScissor() const { return scissor_; }
    void ClearRenderTarget(const float rgba[4]);
    void ClearDepth(float depth);
    void ClearStencil(std::uint8_t value);

    void SetRasterizerState(const RasterizerState* state);
    // The reference value is what the stencil test compares with and what
    // StencilOp::Replace writes.
    void SetDepthStencilState(const DepthStencilState* state, std::uint8_t stencilReference = 0);
    void SetBlendState(const BlendState* state);
    void SetSampler(int slot, const SamplerState* state);
    void SetTexture(int slot, const Texture* texture);
    void SetVertexConstantBuffer(int slot, const Buffer* buffer);
    void SetPixelConstantBuffer(int slot, const Buffer* buffer);
    void SetInputLayout(const InputLayout* layout);
    void SetVertexShader(const VertexShader* shader);
    void SetPixelShader(const PixelShader* shader);
    void SetVertexBuffer(const Buffer* buffer, std::uint32_t stride, std::uint32_t offset);
    void SetIndexBuffer(const Buffer* buffer, IndexFormat format, std::uint32_t offset);
    // Unbinds everything and returns every state to its default.
    void ClearState();

    void DrawIndexed(std::uint32_t indexCount, std::uint32_t startIndex, std::int32_t baseVertex);

    // The integer path for axis-aligned quads is on by default; tests turn it
    // off to compare against the triangle path.
    void SetQuadPathEnabled(bool enabled) { quadPath_ = enabled; }
    // Likewise the specialised span loops of the sprite programs for flat-w
    // triangles (rotated and scaled sprites).
    void SetSpritePathEnabled(bool enabled) { spritePath_ = enabled; }

    struct Stats {
        std::uint64_t draws = 0;
        std::uint64_t triangles = 0;
        std::uint64_t fastQuads = 0;
        std::uint64_t spriteTriangles = 0;  // drawn by the sprite programs' span loops
        std::uint64_t rasterizerBinds = 0;
        std::uint64_t depthStencilBinds = 0;
        std::uint64_t blendBinds = 0;
        std::uint64_t samplerBinds = 0;
        std::uint64_t stateObjectsCreated = 0;
    };
    const Stats& GetStats() const { return stats_; }
    void ResetStats() { stats_ = {}; }

private:
    // Bytes from a vertex's start to the end of its farthest element.
    std::uint64_t LayoutEnd() const;
    // Reads the layout's elements into `out`, which starts as a fresh
    // VertexInput or as the last vertex of the same layout: either way what
    // the layout lacks keeps its default. False when the vertex's elements
    // reach past the buffer (layoutEnd: LayoutEnd()).
    bool DecodeVertex(std::uint32_t index, std::uint64_t layoutEnd, VertexInput& out) const;
    // Byte offsets in a vertex of what a pass-through 2D program reads.
    struct Direct2DLayout {
        std::uint32_t position = 0;
        std::uint32_t color = 0;
        std::uint32_t texcoord = 0;
        bool textured = false;
    };
    // True when the bound program passes its 2D inputs through and the layout
    // holds each of them once in float form, so that corners can be read
    // straight from the vertex buffer.
    bool FindDirect2DLayout(Direct2DLayout& out) const;
    // The draw loop of such a program: corners read as the program would
    // write them, without running it over the vertex range first.
    void DrawDirect2D(std::uint32_t count, std::uint64_t layoutEnd, const Direct2DLayout& layout);

    Texture* target_ = nullptr;
    DepthBuffer* depth_ = nullptr;
    Viewport viewport_;
    bool scissorEnable_ = false;
    PixelRect scissor_;
    const RasterizerState* rasterizer_ = nullptr;
    const DepthStencilState* depthStencil_ = nullptr;
    std::uint8_t stencilReference_ = 0;
    const BlendState* blend_ = nullptr;
    const SamplerState* samplers_[kMaxSamplerSlots] = {};
    const Texture* textures_[kMaxTextureSlots] = {};
    const Buffer* vertexConstants_[kMaxConstantSlots] = {};
    const Buffer* pixelConstants_[kMaxConstantSlots] = {};
    const InputLayout* layout_ = nullptr;
    const VertexShader* vertexShader_ = nullptr;
    const PixelShader* pixelShader_ = nullptr;
    const Buffer* vertexBuffer_ = nullptr;
    std::uint32_t vertexStride_ = 0;
    std::uint32_t vertexOffset_ = 0;
    const Buffer* indexBuffer_ = nullptr;
    IndexFormat indexFormat_ = IndexFormat::U16;
    std::uint32_t indexOffset_ = 0;
    bool quadPath_ = true;
    bool spritePath_ = true;
    Stats stats_;
    std::unique_ptr<Rasterizer> raster_;
    // Scratch of DrawIndexed, kept so that drawing does not allocate.
    std::vector<std::uint32_t> indices_;
    std::vector<ClipVertex> transformed_;
    std::vector<std::uint8_t> valid_;
};

}  // namespace platform::gfx
