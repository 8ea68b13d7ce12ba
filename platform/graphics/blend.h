// Output-merger blending in 8-bit integers, and the fast blenders of the shapes the renderer uses.
// Each channel is clamp(round((src * srcFactor op dst * dstFactor) / 255)). Every
// blender below computes exactly that; the specialised ones only compute it faster.
#pragma once

#include <cstdint>
#include <utility>

#include "platform/graphics/gfx_types.h"
#include "platform/graphics/pixel_math.h"

namespace platform::gfx {

inline int FactorValue(BlendFactor factor, int sourceChannel, int sourceAlpha)
{
    switch (factor) {
    case BlendFactor::Zero: return 0;
    case BlendFactor::One: return 255;
    case BlendFactor::SrcColor: return sourceChannel;
    case BlendFactor::SrcAlpha: return sourceAlpha;
    case BlendFactor::InvSrcAlpha: return 255 - sourceAlpha;
    }
    return 0;
}

inline int CombineChannel(int s, int d, int sf, int df, BlendOp op)
{
    int n = 0;
    switch (op) {
    case BlendOp::Add: n = s * sf + d * df; break;
    case BlendOp::Subtract: n = s * sf - d * df; break;
    case BlendOp::RevSubtract: n = d * df - s * sf; break;
    }
    if (n <= 0) return 0;
    if (n >= 65025) return 255;
    return Div255(n);
}

inline std::uint32_t BlendPixel(const BlendDesc& desc, std::uint32_t src, std::uint32_t dst)
{
    if (!desc.enable) return src;
    const int sa = ChannelA(src);
    const int s[3] = {ChannelR(src), ChannelG(src), ChannelB(src)};
    const int d[3] = {ChannelR(dst), ChannelG(dst), ChannelB(dst)};
    int out[3];
    for (int i = 0; i < 3; ++i) {
        out[i] = CombineChannel(s[i], d[i], FactorValue(desc.srcColor, s[i], sa), FactorValue(desc.dstColor, s[i], sa),
                                desc.colorOp);
    }
    const int da = ChannelA(dst);
    const int a = CombineChannel(sa, da, FactorValue(desc.srcAlpha, sa, sa), FactorValue(desc.dstAlpha, sa, sa),
                                 desc.alphaOp);
    return PackColor(out[0], out[1], out[2], a);
}

// The blend shapes the renderer uses, each with a fast form: the five blend
// modes of the sprite renderers, and anything else.
enum class BlendKind : std::uint8_t { Opaque, Alpha, Add, Multiply, Subtract, Generic };

inline bool BlendIs(const BlendDesc& desc, BlendFactor srcColor, BlendFactor dstColor, BlendOp colorOp,
                    BlendFactor srcAlpha, BlendFactor dstAlpha, BlendOp alphaOp)
{
    return desc.srcColor == srcColor && desc.dstColor == dstColor && desc.colorOp == colorOp &&
           desc.srcAlpha == srcAlpha && desc.dstAlpha == dstAlpha && desc.alphaOp == alphaOp;
}

inline BlendKind ClassifyBlend(const BlendDesc& desc)
{
    using F = BlendFactor;
    if (!desc.enable) return BlendKind::Opaque;
    if (BlendIs(desc, F::SrcAlpha, F::InvSrcAlpha, BlendOp::Add, F::One, F::Zero, BlendOp::Add)) return BlendKind::Alpha;
    if (BlendIs(desc, F::SrcAlpha, F::One, BlendOp::Add, F::One, F::Zero, BlendOp::Add)) return BlendKind::Add;
    if (BlendIs(desc, F::Zero, F::SrcColor, BlendOp::Add, F::Zero, F::Zero, BlendOp::Add)) return BlendKind::Multiply;
    if (BlendIs(desc, F::SrcAlpha, F::One, BlendOp::RevSubtract, F::SrcAlpha, F::One, BlendOp::Add)) {
        return BlendKind::Subtract;
    }
    return BlendKind::Generic;
}

// The four channels of a pixel in the 16-bit lanes of one 64-bit word, where
// products of two bytes cannot carry into the next lane.
inline std::uint64_t SpreadLanes(std::uint32_t p)
{
    std::uint64_t x = p;
    x = (x | (x << 16)) & 0x0000FFFF0000FFFFull;
    x = (x | (x << 8)) & 0x00FF00FF00FF00FFull;
    return x;
}

inline std::uint32_t GatherLanes(std::uint64_t x)
{
    x &= 0x00FF00FF00FF00FFull;
    x = (x | (x >> 8)) & 0x0000FFFF0000FFFFull;
    x = (x | (x >> 16)) & 0x00000000FFFFFFFFull;
    return static_cast<std::uint32_t>(x);
}

// Div255 in every lane; each lane must hold at most 65025.
inline std::uint64_t Div255Lanes(std::uint64_t n)
{
    n += 0x0080008000800080ull;
    return (n + ((n >> 8) & 0x00FF00FF00FF00FFull)) >> 8;
}

// Mul255 of every channel of p by one factor.
inline std::uint32_t ScaleChannels(std::uint32_t p, std::uint32_t factor)
{
    return GatherLanes(Div255Lanes(SpreadLanes(p) * factor));
}

struct OpaqueBlender {
    std::uint32_t operator()(std::uint32_t src, std::uint32_t) const { return src; }
};

// Colour: src * a + dst * (1 - a); alpha: src alpha.
struct AlphaBlender {
    std::uint32_t operator()(std::uint32_t src, std::uint32_t dst) const
    {
        const std::uint32_t sa = src >> 24;
        if (sa == 255) return src;
        if (sa == 0) return dst & 0x00FFFFFFu;
        const std::uint64_t n = SpreadLanes(src) * sa + SpreadLanes(dst) * (255 - sa);
        return (GatherLanes(Div255Lanes(n)) & 0x00FFFFFFu) | (sa << 24);
    }
};

// Since 255 is odd, n / 255 is never halfway between two integers, so
// round((d * 255 +- m) / 255) = d +- round(m / 255): the blends that keep the
// destination at full weight reduce to a saturating add or subtract of bytes.
inline std::uint32_t AddBytesSaturated(std::uint32_t a, std::uint32_t b)
{
    std::uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const std::uint32_t sum = ((a >> shift) & 0xFFu) + ((b >> shift) & 0xFFu);
        out |= (sum > 255u ? 255u : sum) << shift;
    }
    return out;
}

inline std::uint32_t SubtractBytesSaturated(std::uint32_t a, std::uint32_t b)
{
    std::uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const std::uint32_t x = (a >> shift) & 0xFFu, y = (b >> shift) & 0xFFu;
        out |= (x > y ? x - y : 0u) << shift;
    }
    return out;
}

// Colour: dst + src * a, saturated; alpha: src alpha.
struct AddBlender {
    std::uint32_t operator()(std::uint32_t src, std::uint32_t dst) const
    {
        const std::uint32_t sa = src >> 24;
        const std::uint32_t color = AddBytesSaturated(dst, ScaleChannels(src, sa)) & 0x00FFFFFFu;
        return color | (sa << 24);
    }
};

// Colour: dst * src; alpha: 0.
struct MultiplyBlender {
    std::uint32_t operator()(std::uint32_t src, std::uint32_t dst) const
    {
        return GatherLanes(Div255Lanes(MultiplyLanes(src, dst))) & 0x00FFFFFFu;
    }
    // Lane-wise products of two pixels: one multiply per channel.
    static std::uint64_t MultiplyLanes(std::uint32_t a, std::uint32_t b)
    {
        std::uint64_t n = 0;
        for (int shift = 0; shift < 32; shift += 8) {
            n |= static_cast<std::uint64_t>(((a >> shift) & 0xFFu) * ((b >> shift) & 0xFFu)) << (2 * shift);
        }
        return n;
    }
};

// Colour: dst - src * a, saturated at 0; alpha: dst alpha + src alpha
// squared, saturated at 255.
struct SubtractBlender {
    std::uint32_t operator()(std::uint32_t src, std::uint32_t dst) const
    {
        const std::uint32_t sa = src >> 24;
        const std::uint32_t scaled = ScaleChannels(src, sa);
        const std::uint32_t color = SubtractBytesSaturated(dst, scaled) & 0x00FFFFFFu;
        const std::uint32_t alpha = (dst >> 24) + (scaled >> 24);
        return color | ((alpha > 255u ? 255u : alpha) << 24);
    }
};

struct GenericBlender {
    const BlendDesc* desc;
    std::uint32_t operator()(std::uint32_t src, std::uint32_t dst) const { return BlendPixel(*desc, src, dst); }
};

// Calls fn with the blender object of the kind (ClassifyBlend of desc).
template <typename Fn>
void WithBlenderOfKind(BlendKind kind, const BlendDesc& desc, Fn&& fn)
{
    switch (kind) {
    case BlendKind::Opaque: fn(OpaqueBlender{}); break;
    case BlendKind::Alpha: fn(AlphaBlender{}); break;
    case BlendKind::Add: fn(AddBlender{}); break;
    case BlendKind::Multiply: fn(MultiplyBlender{}); break;
    case BlendKind::Subtract: fn(SubtractBlender{}); break;
    case BlendKind::Generic: fn(GenericBlender{&desc}); break;
    }
}

// Calls fn with the blender object that fits the state.
template <typename Fn>
void WithBlender(const BlendDesc& desc, Fn&& fn)
{
    WithBlenderOfKind(ClassifyBlend(desc), desc, std::forward<Fn>(fn));
}

}  // namespace platform::gfx
