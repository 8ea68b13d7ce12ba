#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/graphics/gfx_types.h"

namespace platform::gfx {

struct VertexProgram;
struct PixelProgram;

// A 2D picture: colour target, shader view or both. Pixels are held as one
// word each, 0xAARRGGBB, whatever the byte order of its format.
class Texture {
public:
    Texture(int width, int height, PixelFormat format);

    int Width() const { return width_; }
    int Height() const { return height_; }
    PixelFormat Format() const { return format_; }

    // Replaces every pixel from rows of bytes in the texture's format.
    void Update(const void* bytes, std::size_t rowPitch);
    // All pixels as bytes in the texture's format, rows packed.
    std::vector<std::uint8_t> ReadBytes() const;

    std::uint32_t* Pixels() { return pixels_.data(); }
    const std::uint32_t* Pixels() const { return pixels_.data(); }
    std::uint32_t Pixel(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }

private:
    int width_;
    int height_;
    PixelFormat format_;
    std::vector<std::uint32_t> pixels_;
};

// Float depth and an 8-bit stencil value per pixel; a fresh buffer holds
// depth 1.0 and stencil 0 everywhere.
class DepthBuffer {
public:
    DepthBuffer(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    float* Data() { return depth_.data(); }
    const float* Data() const { return depth_.data(); }
    float At(int x, int y) const { return depth_[static_cast<std::size_t>(y) * width_ + x]; }
    void Clear(float value);

    // Few draws test the stencil, so its plane is made by the first that does
    // and a clear only notes the value until then: clearing it costs nothing
    // while no draw reads it.
    void ClearStencil(std::uint8_t value);
    // The plane, rows of Width() values, filled with the last clear if it was
    // still pending.
    std::uint8_t* StencilData();
    std::uint8_t StencilAt(int x, int y) const;

private:
    int width_;
    int height_;
    std::vector<float> depth_;
    std::vector<std::uint8_t> stencil_;
    std::uint8_t pendingStencil_ = 0;
    bool stencilPending_ = true;
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
