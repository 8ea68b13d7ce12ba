// A device set up to draw textured, alpha-blended sprites the way the game's sprite renderer does, for the graphics benchmarks.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "platform/graphics/device.h"
#include "tools/common/cfx_writer.h"

namespace bench {

using namespace platform::gfx;

struct Vertex {
    float x, y, r, g, b, a, u, v;
};

// The sprite programs of the game, point sampling, alpha blending (or none) and one texture of
// sprite-like alpha on a target of the given size.
struct SpriteRig {
    Device device;
    std::unique_ptr<Texture> target, texture;
    std::unique_ptr<VertexShader> vs;
    std::unique_ptr<PixelShader> ps;
    std::unique_ptr<InputLayout> layout;
    std::unique_ptr<Buffer> vertices, indices;
    std::unique_ptr<BlendState> blend;
    std::unique_ptr<SamplerState> sampler;
    std::unique_ptr<RasterizerState> raster;
    std::unique_ptr<DepthStencilState> depth;
    std::uint32_t indexCount = 0;

    SpriteRig(int width, int height, int texWidth, int texHeight, bool alpha)
    {
        target = device.CreateTexture(width, height, PixelFormat::R8G8B8A8);
        texture = device.CreateTexture(texWidth, texHeight, PixelFormat::B8G8R8A8);
        // Sprite-like alpha: an opaque disc with a soft rim on a transparent
        // ground, the pattern most sprites have.
        std::mt19937 random(3);
        for (int y = 0; y < texHeight; ++y) {
            for (int x = 0; x < texWidth; ++x) {
                const float dx = (x + 0.5f) / texWidth - 0.5f, dy = (y + 0.5f) / texHeight - 0.5f;
                const float edge = (0.5f - std::sqrt(dx * dx + dy * dy)) * texWidth / 2;
                const std::uint32_t alphaByte = edge >= 1 ? 255 : (edge <= 0 ? 0 : static_cast<std::uint32_t>(edge * 255));
                texture->Pixels()[y * texWidth + x] = (random() & 0x00FFFFFFu) | (alphaByte << 24);
            }
        }
        std::string error;
        const auto vsBytes = tools::BuildCfx(ShaderStage::Vertex, "vs_vp2_vc_vt");
        const auto psBytes = tools::BuildCfx(ShaderStage::Pixel, "ps_vc_tc");
        vs = device.CreateVertexShader(vsBytes.data(), vsBytes.size(), error);
        ps = device.CreatePixelShader(psBytes.data(), psBytes.size(), error);
        const InputElement elements[] = {{Semantic::Position, ElementFormat::Float2, 0},
                                         {Semantic::Color, ElementFormat::Float4, 8},
                                         {Semantic::TexCoord, ElementFormat::Float2, 24}};
        layout = device.CreateInputLayout(elements, *vs, error);
        blend = device.CreateBlendState(alpha ? BlendDesc{true, BlendFactor::SrcAlpha, BlendFactor::InvSrcAlpha,
                                                          BlendOp::Add, BlendFactor::One, BlendFactor::Zero, BlendOp::Add}
                                              : BlendDesc{});
        sampler = device.CreateSamplerState({Filter::Point});
        raster = device.CreateRasterizerState({FillMode::Solid, CullMode::None, true});
        depth = device.CreateDepthStencilState({false, false, Comparison::Always});
        device.SetRenderTarget(target.get(), nullptr);
        device.SetViewport({0, 0, static_cast<float>(width), static_cast<float>(height), 0, 1});
        device.SetVertexShader(vs.get());
        device.SetPixelShader(ps.get());
        device.SetInputLayout(layout.get());
        device.SetBlendState(blend.get());
        device.SetSampler(0, sampler.get());
        device.SetRasterizerState(raster.get());
        device.SetDepthStencilState(depth.get());
        device.SetTexture(0, texture.get());
    }

    // Quads in pixel coordinates of a width x height viewport, each turned
    // about its centre by its angle in degrees, if given.
    void SetQuads(const std::vector<std::array<float, 4>>& rects, int width, int height,
                  const std::vector<float>& angles = {})
    {
        std::vector<Vertex> vs;
        std::vector<std::uint32_t> is;
        for (std::size_t q = 0; q < rects.size(); ++q) {
            const auto& r = rects[q];
            const float radians = q < angles.size() ? angles[q] * 3.14159265f / 180.0f : 0.0f;
            const float c = std::cos(radians), s = std::sin(radians);
            const float cx = (r[0] + r[2]) / 2, cy = (r[1] + r[3]) / 2;
            auto corner = [&](float x, float y, float u, float v) {
                const float tx = radians == 0.0f ? x : cx + (x - cx) * c - (y - cy) * s;
                const float ty = radians == 0.0f ? y : cy + (x - cx) * s + (y - cy) * c;
                return Vertex{tx / width * 2 - 1, 1 - ty / height * 2, 1, 1, 1, 1, u, v};
            };
            const std::uint32_t b = static_cast<std::uint32_t>(vs.size());
            vs.push_back(corner(r[0], r[1], 0, 0));
            vs.push_back(corner(r[0], r[3], 0, 1));
            vs.push_back(corner(r[2], r[1], 1, 0));
            vs.push_back(corner(r[2], r[3], 1, 1));
            for (std::uint32_t i : {b, b + 1, b + 2, b + 1, b + 3, b + 2}) is.push_back(i);
        }
        vertices = device.CreateBuffer(BufferKind::Vertex, BufferUsage::Dynamic, vs.size() * sizeof(Vertex), vs.data());
        indices = device.CreateBuffer(BufferKind::Index, BufferUsage::Dynamic, is.size() * 4, is.data());
        device.SetVertexBuffer(vertices.get(), sizeof(Vertex), 0);
        device.SetIndexBuffer(indices.get(), IndexFormat::U32, 0);
        indexCount = static_cast<std::uint32_t>(is.size());
    }
};

}  // namespace bench
