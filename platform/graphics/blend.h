#pragma once

#include <cstdint>

#include "platform/graphics/gfx_types.h"
#include "platform/graphics/pixel_math.h"

// Output-merger blending in 8-bit integers: each channel is
// clamp(round((src * srcFactor op dst * dstFactor) / 255)). Every blender below
// computes exactly that; the specialised ones only compute it faster.
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

// The blend shapes the renderer uses, each with a fast form.
enum class BlendKind : std::uint8_t { Opaque, Alpha, Generic };

inline BlendKind ClassifyBlend(const BlendDesc& desc)
{
    if (!desc.enable) return BlendKind::Opaque;
    if (desc.srcColor == BlendFactor::SrcAlpha && desc.dstColor == BlendFactor::InvSrcAlpha &&
        desc.colorOp == BlendOp::Add && desc.srcAlpha == BlendFactor::One && desc.dstAlpha == BlendFactor::Zero &&
        desc.alphaOp == BlendOp::Add) {
        return BlendKind::Alpha;
    }
    return BlendKind::Generic;
}

struct OpaqueBlender {
    std::uint32_t operator()(std::uint32_t src, std::uint32_t) const { return src; }
};

// Colour: src * a + dst * (1 - a); alpha: src alpha. The four channels sit
// in 16-bit lanes of one 64-bit word, where no product can carry over.
struct AlphaBlender {
    static std::uint64_t Spread(std::uint32_t p)
    {
        std::uint64_t x = p;
        x = (x | (x << 16)) & 0x0000FFFF0000FFFFull;
        x = (x | (x << 8)) & 0x00FF00FF00FF00FFull;
        return x;
    }
    static std::uint32_t Gather(std::uint64_t x)
    {
        x &= 0x00FF00FF00FF00FFull;
        x = (x | (x >> 8)) & 0x0000FFFF0000FFFFull;
        x = (x | (x >> 16)) & 0x00000000FFFFFFFFull;
        return static_cast<std::uint32_t>(x);
    }
    std::uint32_t operator()(std::uint32_t src, std::uint32_t dst) const
    {
        const std::uint32_t sa = src >> 24;
        if (sa == 255) return src;
        if (sa == 0) return dst & 0x00FFFFFFu;
        std::uint64_t n = Spread(src) * sa + Spread(dst) * (255 - sa);
        n += 0x0080008000800080ull;
        n = (n + ((n >> 8) & 0x00FF00FF00FF00FFull)) >> 8;
        return (Gather(n) & 0x00FFFFFFu) | (sa << 24);
    }
};

struct GenericBlender {
    const BlendDesc* desc;
    std::uint32_t operator()(std::uint32_t src, std::uint32_t dst) const { return BlendPixel(*desc, src, dst); }
};

// Calls fn with the blender object that fits the state.
template <typename Fn>
void WithBlender(const BlendDesc& desc, Fn&& fn)
{
    switch (ClassifyBlend(desc)) {
    case BlendKind::Opaque: fn(OpaqueBlender{}); break;
    case BlendKind::Alpha: fn(AlphaBlender{}); break;
    case BlendKind::Generic: fn(GenericBlender{&desc}); break;
    }
}

}  // namespace platform::gfx
