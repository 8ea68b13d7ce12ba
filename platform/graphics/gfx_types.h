// Descriptions of the resources and fixed-function states of the software graphics device.
// The set is exactly what the renderer above it asks for.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform::gfx {

inline constexpr int kMaxVaryings = 16;
inline constexpr int kMaxConstantSlots = 8;
inline constexpr int kMaxTextureSlots = 8;
inline constexpr int kMaxSamplerSlots = 8;

// Byte order of a pixel in memory. Both are stored the same way inside the
// device; the format only decides how bytes go in and come out.
enum class PixelFormat : std::uint8_t { B8G8R8A8, R8G8B8A8 };

enum class BufferKind : std::uint8_t { Vertex, Index, Constant };
enum class BufferUsage : std::uint8_t { Default, Dynamic };
enum class IndexFormat : std::uint8_t { U16, U32 };

enum class FillMode : std::uint8_t { Solid, Wireframe };
enum class CullMode : std::uint8_t { None, Back, Front };

struct RasterizerDesc {
    FillMode fill = FillMode::Solid;
    CullMode cull = CullMode::Back;
    bool frontCounterClockwise = true;
};

enum class Comparison : std::uint8_t { Never, Less, Equal, LessEqual, Greater, NotEqual, GreaterEqual, Always };

// What a stencil test does to the stored value: keep it, zero it, replace it
// by the reference, count it up or down (saturating or wrapping) or invert it.
enum class StencilOp : std::uint8_t {
    Keep,
    Zero,
    Replace,
    IncrementSaturate,
    DecrementSaturate,
    Invert,
    Increment,
    Decrement,
};

// The stencil test of one facing: (reference & read mask) `func` (stored &
// read mask); the operation by outcome updates the bits of the write mask. A
// zeroed face keeps the stored value and never passes.
struct StencilFaceDesc {
    StencilOp failOp = StencilOp::Keep;       // the stencil test failed
    StencilOp depthFailOp = StencilOp::Keep;  // the stencil test passed, the depth test failed
    StencilOp passOp = StencilOp::Keep;       // both passed
    Comparison func = Comparison::Never;
};

struct DepthStencilDesc {
    bool depthEnable = true;
    bool depthWrite = true;
    Comparison depthFunc = Comparison::Less;
    bool stencilEnable = false;
    std::uint8_t stencilReadMask = 0xFF;
    std::uint8_t stencilWriteMask = 0xFF;
    StencilFaceDesc frontFace;
    StencilFaceDesc backFace;
};

enum class Filter : std::uint8_t { Point, Linear };
enum class AddressMode : std::uint8_t { Wrap, Mirror, Clamp };

struct SamplerDesc {
    Filter filter = Filter::Point;
    AddressMode addressU = AddressMode::Wrap;
    AddressMode addressV = AddressMode::Wrap;
    AddressMode addressW = AddressMode::Wrap;
};

enum class BlendFactor : std::uint8_t { Zero, One, SrcColor, SrcAlpha, InvSrcAlpha };
enum class BlendOp : std::uint8_t { Add, Subtract, RevSubtract };

struct BlendDesc {
    bool enable = false;
    BlendFactor srcColor = BlendFactor::One;
    BlendFactor dstColor = BlendFactor::Zero;
    BlendOp colorOp = BlendOp::Add;
    BlendFactor srcAlpha = BlendFactor::One;
    BlendFactor dstAlpha = BlendFactor::Zero;
    BlendOp alphaOp = BlendOp::Add;
};

struct Viewport {
    float x = 0.0f;
    float y = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
    float minDepth = 0.0f;
    float maxDepth = 1.0f;
};

// Vertex attributes a program may read; the input layout says where each one
// lies in a vertex.
enum class Semantic : std::uint8_t { Position, Color, Normal, TexCoord, BoneIndex, BoneWeight };
enum class ElementFormat : std::uint8_t { Float2, Float3, Float4, UShort4 };

struct InputElement {
    Semantic semantic = Semantic::Position;
    ElementFormat format = ElementFormat::Float2;
    std::uint32_t offset = 0;
};

inline constexpr std::uint32_t SemanticBit(Semantic semantic) { return 1u << static_cast<unsigned>(semantic); }

}  // namespace platform::gfx
