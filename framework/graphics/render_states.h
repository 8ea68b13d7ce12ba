// Render states chosen by small integer keys, created on first use and kept for the run, and the blend modes.
#pragma once

#include <cstdint>

#include "platform/graphics/gfx_types.h"

namespace vesk::graphics {

// Rasterizer key: bit 0 wireframe, bits 1-2 cull (0 none, 1 back, 2 front).
// Depth-stencil key: bit 0 depth writes, bit 1 depth test, bits 2-5 the
// comparison (never, less, equal, less-equal, greater, not-equal,
// greater-equal, always), bit 7 stencil test, bits 12-19 stencil read mask,
// bits 20-27 stencil write mask. The stencil operations of both faces are
// left zeroed (keep, never passes); the stencil reference is 0.
// Sampler key: bits 0-7 filter (0 point, 1 linear), bits 8-11, 12-15, 16-19
// address mode of u, v, w (0 wrap, 1 mirror, 2 clamp).
// Each decoder gives false for a key outside that set.
bool RasterizerDescFromKey(std::uint32_t key, platform::gfx::RasterizerDesc& out);
bool DepthStencilDescFromKey(std::uint32_t key, platform::gfx::DepthStencilDesc& out);
bool SamplerDescFromKey(std::uint32_t key, platform::gfx::SamplerDesc& out);

// Blend modes: 0 opaque, 1 additive, 2 multiplicative, 3 subtractive, 4 alpha
// blending; 5 leaves the blend state as it is.
inline constexpr int kBlendModeCount = 5;
inline constexpr int kBlendModeKeep = 5;
platform::gfx::BlendDesc BlendDescForMode(int mode);

// At start-up, after the device: rasterizer key 2 (solid, back faces culled),
// depth-stencil key 7 (test less, writes on), blend mode 4, sampler key 0.
bool CreateRenderStates();
void ReleaseRenderStates();

// Bind the state of the key, creating it on first use. Skipped when the key
// is already current, unless forced. A key whose state cannot be made leaves
// everything as it was.
void SetRasterizerState(std::uint32_t key, bool force = false);
void SetDepthStencilState(std::uint32_t key, bool force = false);
void SetSamplerState(std::uint32_t key, bool force = false);
// Binds the blend state of modes 0-4 every time; mode 5 does nothing.
void ApplyBlendMode(int mode);

std::uint32_t GetRasterizerKey();
std::uint32_t GetDepthStencilKey();
std::uint32_t GetSamplerKey();
// How many state objects of each kind exist (each key makes at most one).
int CachedRasterizerStates();
int CachedDepthStencilStates();
int CachedSamplerStates();

}  // namespace vesk::graphics
