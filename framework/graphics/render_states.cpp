// The render-state caches by key, the key decoders and the five blend states.
#include "framework/graphics/render_states.h"

#include <map>
#include <memory>

#include "framework/graphics/device_record.h"
#include "platform/graphics/device.h"

namespace vesk::graphics {

namespace {

using namespace platform::gfx;

template <typename State>
struct StateCache {
    std::uint32_t currentKey = 0;
    bool hasCurrent = false;
    std::map<std::uint32_t, std::unique_ptr<State>> states;
};

struct RenderStates {
    StateCache<RasterizerState> rasterizer;
    StateCache<DepthStencilState> depthStencil;
    StateCache<SamplerState> sampler;
    std::uint32_t samplerFlag = 0;
    // Not a real mode, so the comparison never skips a bind.
    int currentBlendMode = kBlendModeKeep;
    std::unique_ptr<BlendState> blend[kBlendModeCount];
};

std::unique_ptr<RenderStates> g_states;

// Looks the key up, creating its state on first use; null when the key has
// no valid state or the device refuses it.
template <typename State, typename Desc, typename Make>
State* Lookup(StateCache<State>& cache, std::uint32_t key, bool (*decode)(std::uint32_t, Desc&), Make make)
{
    auto found = cache.states.find(key);
    if (found != cache.states.end()) return found->second.get();
    Desc desc;
    if (!decode(key, desc)) return nullptr;
    std::unique_ptr<State> state = make(desc);
    if (!state) return nullptr;
    State* raw = state.get();
    cache.states.emplace(key, std::move(state));
    return raw;
}

}  // namespace

bool RasterizerDescFromKey(std::uint32_t key, RasterizerDesc& out)
{
    const std::uint32_t cull = (key >> 1) & 3;
    if (cull == 3) return false;
    out.fill = (key & 1) ? FillMode::Wireframe : FillMode::Solid;
    out.cull = static_cast<CullMode>(cull);
    out.frontCounterClockwise = true;
    return true;
}

bool DepthStencilDescFromKey(std::uint32_t key, DepthStencilDesc& out)
{
    const std::uint32_t comparison = (key >> 2) & 15;
    if (comparison > 7) return false;
    out.depthWrite = (key & 1) != 0;
    out.depthEnable = (key & 2) != 0;
    out.depthFunc = static_cast<Comparison>(comparison);
    out.stencilEnable = (key & 0x80) != 0;
    out.stencilReadMask = static_cast<std::uint8_t>(key >> 12);
    out.stencilWriteMask = static_cast<std::uint8_t>(key >> 20);
    // The key has no bits for the stencil operations: both faces stay zeroed.
    out.frontFace = StencilFaceDesc{};
    out.backFace = StencilFaceDesc{};
    return true;
}

bool SamplerDescFromKey(std::uint32_t key, SamplerDesc& out)
{
    const std::uint32_t filter = key & 0xFF;
    const std::uint32_t u = (key >> 8) & 15, v = (key >> 12) & 15, w = (key >> 16) & 15;
    if (filter > 1 || u > 2 || v > 2 || w > 2) return false;
    out.filter = filter == 0 ? Filter::Point : Filter::Linear;
    out.addressU = static_cast<AddressMode>(u);
    out.addressV = static_cast<AddressMode>(v);
    out.addressW = static_cast<AddressMode>(w);
    return true;
}

BlendDesc BlendDescForMode(int mode)
{
    switch (mode) {
    case 1: return {true, BlendFactor::SrcAlpha, BlendFactor::One, BlendOp::Add, BlendFactor::One, BlendFactor::Zero, BlendOp::Add};
    case 2: return {true, BlendFactor::Zero, BlendFactor::SrcColor, BlendOp::Add, BlendFactor::Zero, BlendFactor::Zero, BlendOp::Add};
    case 3:
        return {true, BlendFactor::SrcAlpha, BlendFactor::One, BlendOp::RevSubtract, BlendFactor::SrcAlpha, BlendFactor::One,
                BlendOp::Add};
    case 4:
        return {true, BlendFactor::SrcAlpha, BlendFactor::InvSrcAlpha, BlendOp::Add, BlendFactor::One, BlendFactor::Zero,
                BlendOp::Add};
    default: return {false, BlendFactor::One, BlendFactor::Zero, BlendOp::Add, BlendFactor::One, BlendFactor::Zero, BlendOp::Add};
    }
}

bool CreateRenderStates()
{
    Device* device = GetDevice();
    if (!device) return false;
    g_states = std::make_unique<RenderStates>();
    SetRasterizerState(2, true);
    SetDepthStencilState(7, true);
    for (int mode = 0; mode < kBlendModeCount; ++mode) g_states->blend[mode] = device->CreateBlendState(BlendDescForMode(mode));
    ApplyBlendMode(4);
    g_states->samplerFlag = 0;
    SetSamplerState(0, true);
    return true;
}

void ReleaseRenderStates()
{
    if (Device* device = GetDevice()) {
        // Nothing may stay bound to objects about to go.
        device->SetRasterizerState(nullptr);
        device->SetDepthStencilState(nullptr);
        device->SetBlendState(nullptr);
        device->SetSampler(0, nullptr);
    }
    g_states.reset();
}

void SetRasterizerState(std::uint32_t key, bool force)
{
    Device* device = GetDevice();
    if (!g_states || !device) return;
    auto& cache = g_states->rasterizer;
    if (!force && cache.hasCurrent && cache.currentKey == key) return;
    RasterizerState* state = Lookup(cache, key, &RasterizerDescFromKey,
                                    [&](const RasterizerDesc& desc) { return device->CreateRasterizerState(desc); });
    if (!state) return;
    device->SetRasterizerState(state);
    cache.currentKey = key;
    cache.hasCurrent = true;
    if (DeviceRecord* record = GetDeviceRecord()) record->currentRasterizerKey = key;
}

void SetDepthStencilState(std::uint32_t key, bool force)
{
    Device* device = GetDevice();
    if (!g_states || !device) return;
    auto& cache = g_states->depthStencil;
    if (!force && cache.hasCurrent && cache.currentKey == key) return;
    DepthStencilState* state = Lookup(cache, key, &DepthStencilDescFromKey,
                                      [&](const DepthStencilDesc& desc) { return device->CreateDepthStencilState(desc); });
    if (!state) return;
    device->SetDepthStencilState(state);
    cache.currentKey = key;
    cache.hasCurrent = true;
}

void SetSamplerState(std::uint32_t key, bool force)
{
    Device* device = GetDevice();
    if (!g_states || !device) return;
    auto& cache = g_states->sampler;
    if (!force && cache.hasCurrent && cache.currentKey == key && g_states->samplerFlag == 0) return;
    SamplerState* state = Lookup(cache, key, &SamplerDescFromKey,
                                 [&](const SamplerDesc& desc) { return device->CreateSamplerState(desc); });
    if (!state) return;
    device->SetSampler(0, state);
    cache.currentKey = key;
    cache.hasCurrent = true;
}

void ApplyBlendMode(int mode)
{
    Device* device = GetDevice();
    if (!g_states || !device || mode < 0 || mode >= kBlendModeCount) return;
    if (mode == g_states->currentBlendMode) return;  // never true: the word stays 5
    device->SetBlendState(g_states->blend[mode].get());
}

std::uint32_t GetRasterizerKey() { return g_states ? g_states->rasterizer.currentKey : 0; }
std::uint32_t GetDepthStencilKey() { return g_states ? g_states->depthStencil.currentKey : 0; }
std::uint32_t GetSamplerKey() { return g_states ? g_states->sampler.currentKey : 0; }
int CachedRasterizerStates() { return g_states ? static_cast<int>(g_states->rasterizer.states.size()) : 0; }
int CachedDepthStencilStates() { return g_states ? static_cast<int>(g_states->depthStencil.states.size()) : 0; }
int CachedSamplerStates() { return g_states ? static_cast<int>(g_states->sampler.states.size()) : 0; }

}  // namespace vesk::graphics
