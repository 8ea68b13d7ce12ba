// The device's resources: textures, depth-stencil buffers, buffers, states, shaders and input layouts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/graphics/gfx_types.h"
#include "platform/graphics/pixel_plane.h"

namespace platform::gfx {

struct VertexProgram;
struct PixelProgram;

// A 2D picture: colour target, shader view or both. Pixels are held as one
// word each, 0xAARRGGBB, whatever the byte order of its format. Clearing costs
// what was drawn since the last clear (see PixelPlane).
class Texture {
public:
    Texture(int width, int height, PixelFormat format);

    int Width() const { return pixels_.Width(); }
    int Height() const { return pixels_.Height(); }
    PixelFormat Format() const { return format_; }

    // Replaces every pixel from rows of bytes in the texture's format.
    void Update(const void* bytes, std::size_t rowPitch);
    // All pixels as bytes in the texture's format, rows packed.
    std::vector<std::uint8_t> ReadBytes() const;

    // Rows of Width() pixels. Writes through the first go anywhere; through
    // PixelsToWrite only inside the region.
    std::uint32_t* Pixels() { return pixels_.Data(); }
    std::uint32_t* PixelsToWrite(const PixelRect& region) { return pixels_.DataToWrite(region); }
    const std::uint32_t* Pixels() const { return pixels_.Data(); }
    std::uint32_t Pixel(int x, int y) const { return pixels_.At(x, y); }
    void Clear(std::uint32_t color) { pixels_.Clear(color); }

private:
    PixelFormat format_;
    PixelPlane<std::uint32_t> pixels_;
};

// Float depth and an 8-bit stencil value per pixel; a fresh buffer holds
// depth 1.0 and stencil 0 everywhere. Few draws test the stencil, so its
// plane takes memory only once one does. Clearing either costs what was drawn
// into it since the last clear (see PixelPlane).
class DepthBuffer {
public:
    DepthBuffer(int width, int height);

    int Width() const { return depth_.Width(); }
    int Height() const { return depth_.Height(); }
    // Rows of Width() values. Writes through Data() go anywhere; through the
    // ...ToWrite forms only inside the region.
    float* Data() { return depth_.Data(); }
    float* DepthToWrite(const PixelRect& region) { return depth_.DataToWrite(region); }
    const float* Data() const { return depth_.Data(); }
    float At(int x, int y) const { return depth_.At(x, y); }
    void Clear(float value) { depth_.Clear(value); }

    void ClearStencil(std::uint8_t value) { stencil_.Clear(value); }
    std::uint8_t* StencilData() { return stencil_.Data(); }
    std::uint8_t* StencilToWrite(const PixelRect& region) { return stencil_.DataToWrite(region); }
    std::uint8_t StencilAt(int x, int y) const { return stencil_.At(x, y); }

private:
    PixelPlane<float> depth_;
    PixelPlane<std::uint8_t> stencil_;
};

class Buffer {
public:
    Buffer(BufferKind kind, BufferUsage usage, std::size_t size, const void* initial);

    BufferKind Kind() const { return kind_; }
    BufferUsage Usage() const { return usage_; }
    std::size_t Size() const { return bytes_.size(); }
    const std::uint8_t* Data() const { return bytes_.data(); }

    // Write-discard mapping of a dynamic buffer: the old contents are gone.
    // Draws run at once, so no earlier draw can still be reading them.
    std::uint8_t* MapDiscard();
    void Unmap() {}
    // Whole-buffer replacement of a default buffer.
    void Update(const void* bytes);

private:
    BufferKind kind_;
    BufferUsage usage_;
    std::vector<std::uint8_t> bytes_;
};

class RasterizerState {
public:
    explicit RasterizerState(const RasterizerDesc& desc) : desc(desc) {}
    const RasterizerDesc desc;
};

class DepthStencilState {
public:
    explicit DepthStencilState(const DepthStencilDesc& desc) : desc(desc) {}
    const DepthStencilDesc desc;
};

class SamplerState {
public:
    explicit SamplerState(const SamplerDesc& desc) : desc(desc) {}
    const SamplerDesc desc;
};

class BlendState {
public:
    explicit BlendState(const BlendDesc& desc) : desc(desc) {}
    const BlendDesc desc;
};

class VertexShader {
public:
    explicit VertexShader(const VertexProgram& program) : program(program) {}
    const VertexProgram& program;
};

class PixelShader {
public:
    explicit PixelShader(const PixelProgram& program) : program(program) {}
    const PixelProgram& program;
};

class InputLayout {
public:
    explicit InputLayout(std::vector<InputElement> elements) : elements(std::move(elements)) {}
    const std::vector<InputElement> elements;
};

}  // namespace platform::gfx
