// Integer colour arithmetic and texture addressing shared by the pixel programs and the device's quad path.
// Sharing them is what makes both give the same pixels.
#pragma once

#include <cmath>
#include <cstdint>

#include "platform/graphics/gfx_types.h"
#include "platform/graphics/resources.h"

namespace platform::gfx {

#if defined(__GNUC__)
#define VARNOLIS_ALWAYS_INLINE inline __attribute__((always_inline))
#else
#define VARNOLIS_ALWAYS_INLINE inline
#endif

inline int ChannelB(std::uint32_t p) { return static_cast<int>(p & 0xFFu); }
inline int ChannelG(std::uint32_t p) { return static_cast<int>((p >> 8) & 0xFFu); }
inline int ChannelR(std::uint32_t p) { return static_cast<int>((p >> 16) & 0xFFu); }
inline int ChannelA(std::uint32_t p) { return static_cast<int>(p >> 24); }

inline std::uint32_t PackColor(int r, int g, int b, int a)
{
    return static_cast<std::uint32_t>(b) | static_cast<std::uint32_t>(g) << 8 | static_cast<std::uint32_t>(r) << 16 |
           static_cast<std::uint32_t>(a) << 24;
}

// Float in [0, 1] to a byte, rounded to nearest as a UNORM target stores it.
inline int ToByte(float value)
{
    if (!(value > 0.0f)) return 0;  // also catches NaN
    if (value >= 1.0f) return 255;
    return static_cast<int>(value * 255.0f + 0.5f);
}

// round(n / 255) for 0 <= n <= 65025.
inline int Div255(int n)
{
    n += 128;
    return (n + (n >> 8)) >> 8;
}

inline int Mul255(int a, int b) { return Div255(a * b); }

inline std::uint32_t ModulateColor(std::uint32_t texel, int r, int g, int b, int a)
{
    return PackColor(Mul255(ChannelR(texel), r), Mul255(ChannelG(texel), g), Mul255(ChannelB(texel), b),
                     Mul255(ChannelA(texel), a));
}

VARNOLIS_ALWAYS_INLINE int AddressTexel(long long i, int size, AddressMode mode)
{
    if (i >= 0 && i < size) return static_cast<int>(i);  // the common case needs no division
    switch (mode) {
    case AddressMode::Wrap: {
        const long long m = i % size;
        return static_cast<int>(m < 0 ? m + size : m);
    }
    case AddressMode::Mirror: {
        const long long period = 2LL * size;
        long long m = i % period;
        if (m < 0) m += period;
        return static_cast<int>(m < size ? m : period - 1 - m);
    }
    case AddressMode::Clamp:
    default:
        return static_cast<int>(i < 0 ? 0 : (i >= size ? size - 1 : i));
    }
}

// Floor of a scaled coordinate, kept in a range where the integer maths holds.
VARNOLIS_ALWAYS_INLINE long long FloorToTexel(float scaled)
{
    if (!(scaled == scaled)) return 0;
    if (scaled < -1.0e9f) scaled = -1.0e9f;
    if (scaled > 1.0e9f) scaled = 1.0e9f;
    const long long truncated = static_cast<long long>(scaled);
    return static_cast<float>(truncated) > scaled ? truncated - 1 : truncated;
}

// Texel index of a point sample.
VARNOLIS_ALWAYS_INLINE int PointTexel(float coordinate, int size, AddressMode mode)
{
    return AddressTexel(FloorToTexel(coordinate * static_cast<float>(size)), size, mode);
}

inline std::uint32_t SamplePoint(const Texture& texture, const SamplerDesc& sampler, float u, float v)
{
    const int x = PointTexel(u, texture.Width(), sampler.addressU);
    const int y = PointTexel(v, texture.Height(), sampler.addressV);
    return texture.Pixel(x, y);
}

// The weight of the second texel in 1/256ths, from a coordinate and its floor. A NaN, infinite or
// clamped coordinate leaves a weight outside 0..256 (or none), which must not reach the conversion.
VARNOLIS_ALWAYS_INLINE int FilterWeight(float scaled, long long floor)
{
    const float weight = (scaled - static_cast<float>(floor)) * 256.0f;
    if (!(weight > 0.0f)) return 0;  // also catches NaN
    return weight < 256.0f ? static_cast<int>(weight) : 256;
}

inline std::uint32_t SampleLinear(const Texture& texture, const SamplerDesc& sampler, float u, float v)
{
    const int w = texture.Width();
    const int h = texture.Height();
    const float fu = u * static_cast<float>(w) - 0.5f;
    const float fv = v * static_cast<float>(h) - 0.5f;
    const long long iu = FloorToTexel(fu);
    const long long iv = FloorToTexel(fv);
    const int wx = FilterWeight(fu, iu);
    const int wy = FilterWeight(fv, iv);
    const int x0 = AddressTexel(iu, w, sampler.addressU);
    const int x1 = AddressTexel(iu + 1, w, sampler.addressU);
    const int y0 = AddressTexel(iv, h, sampler.addressV);
    const int y1 = AddressTexel(iv + 1, h, sampler.addressV);
    const std::uint32_t p00 = texture.Pixel(x0, y0);
    const std::uint32_t p10 = texture.Pixel(x1, y0);
    const std::uint32_t p01 = texture.Pixel(x0, y1);
    const std::uint32_t p11 = texture.Pixel(x1, y1);
    std::uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const int c00 = static_cast<int>((p00 >> shift) & 0xFFu);
        const int c10 = static_cast<int>((p10 >> shift) & 0xFFu);
        const int c01 = static_cast<int>((p01 >> shift) & 0xFFu);
        const int c11 = static_cast<int>((p11 >> shift) & 0xFFu);
        const int top = c00 * (256 - wx) + c10 * wx;
        const int bottom = c01 * (256 - wx) + c11 * wx;
        const int value = (top * (256 - wy) + bottom * wy + 32768) >> 16;
        result |= static_cast<std::uint32_t>(value) << shift;
    }
    return result;
}

// An unbound texture samples as transparent black, as on a GPU.
inline std::uint32_t Sample(const Texture* texture, const SamplerDesc* sampler, float u, float v)
{
    if (!texture || texture->Width() <= 0 || texture->Height() <= 0) return 0;
    static const SamplerDesc kDefaultSampler{};
    const SamplerDesc& s = sampler ? *sampler : kDefaultSampler;
    return s.filter == Filter::Point ? SamplePoint(*texture, s, u, v) : SampleLinear(*texture, s, u, v);
}

}  // namespace platform::gfx
