// Shader programs of the software device: native code chosen by name, and what they read and write.
// A ".cfx" file only names the program to load.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/graphics/gfx_types.h"

namespace platform::gfx {

class Texture;

struct ConstantBufferView {
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
};

struct ShaderConstants {
    ConstantBufferView slots[kMaxConstantSlots];
};

// One vertex as the input layout decoded it. Missing components read as
// (0, 0, 0, 1) the way a GPU fills them.
struct VertexInput {
    float position[4] = {0, 0, 0, 1};
    float color[4] = {0, 0, 0, 1};
    float normal[4] = {0, 0, 0, 1};
    float texcoord[4] = {0, 0, 0, 1};
    std::uint16_t boneIndex[4] = {0, 0, 0, 0};
    float boneWeight[4] = {0, 0, 0, 1};
};

struct VertexOutput {
    float position[4] = {0, 0, 0, 1};  // clip space
    float varyings[kMaxVaryings] = {};
};

using VertexFunction = void (*)(const VertexInput& in, const ShaderConstants& constants, VertexOutput& out);

// A run of pixels on one row. varyings holds count rows of `stride` floats.
struct PixelSpan {
    int count = 0;
    int x = 0;
    int y = 0;
    const float* varyings = nullptr;
    int stride = 0;
    const Texture* const* textures = nullptr;  // kMaxTextureSlots entries, may be null
    const SamplerDesc* const* samplers = nullptr;
    const ShaderConstants* constants = nullptr;
};

// Writes count colours (0xAARRGGBB) for the span.
using PixelFunction = void (*)(const PixelSpan& span, std::uint32_t* out);

// What a pixel program computes, when it is simple enough for the device's
// integer path for axis-aligned quads to do the same work without it.
enum class QuadShortcut : std::uint8_t {
    None,
    VertexColor,             // the colour varying as it stands
    TextureTimesVertexColor  // texture slot 0, sampler slot 0, times the colour varying
};

struct VertexProgram {
    std::string_view name;
    std::uint32_t semantics = 0;  // SemanticBit of every attribute it reads
    int varyingCount = 0;
    VertexFunction run = nullptr;
    // Writes the position's x and y as (x, y, 0, 1), the colour into varyings
    // 0-3 and the texture coordinate (where it reads one) into varyings 4-5,
    // nothing else: the device may then skip running it and read the
    // vertices' values straight from the buffer.
    bool passes2D = false;
};

struct PixelProgram {
    std::string_view name;
    int varyingCount = 0;
    PixelFunction shade = nullptr;
    QuadShortcut shortcut = QuadShortcut::None;
    int colorVarying = 0;  // first of four
    int uvVarying = 4;     // first of two
};

// Programs by name: the built-in set, plus any a test registers.
const VertexProgram* FindVertexProgram(std::string_view name);
const PixelProgram* FindPixelProgram(std::string_view name);
void RegisterVertexProgram(const VertexProgram& program);
void RegisterPixelProgram(const PixelProgram& program);

}  // namespace platform::gfx
