// A small graphics device rig for the rasterizer tests, with the game's five blend modes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/graphics/device.h"
#include "tools/common/cfx_writer.h"

namespace gfx_test {

using namespace platform::gfx;

// The game's five blend modes: opaque, additive, multiplicative, subtractive and
// ordinary alpha blending.
inline const BlendDesc kGameBlendModes[] = {
    {false},
    {true, BlendFactor::SrcAlpha, BlendFactor::One, BlendOp::Add, BlendFactor::One, BlendFactor::Zero, BlendOp::Add},
    {true, BlendFactor::Zero, BlendFactor::SrcColor, BlendOp::Add, BlendFactor::Zero, BlendFactor::Zero, BlendOp::Add},
    {true, BlendFactor::SrcAlpha, BlendFactor::One, BlendOp::RevSubtract, BlendFactor::SrcAlpha, BlendFactor::One,
     BlendOp::Add},
    {true, BlendFactor::SrcAlpha, BlendFactor::InvSrcAlpha, BlendOp::Add, BlendFactor::One, BlendFactor::Zero,
     BlendOp::Add},
};
inline const BlendDesc& kAlphaBlendMode = kGameBlendModes[4];

// Position in device coordinates, colour, texture coordinate: the layout of
// the textured 2D program.
struct Vertex2D {
    float x, y;
    float r, g, b, a;
    float u, v;
};

// A device with a target, the 2D programs and buffers, for drawing a few
// triangles and reading the pixels back.
struct Rig {
    Device device;
    std::unique_ptr<Texture> target;
    std::unique_ptr<DepthBuffer> depth;
    std::unique_ptr<VertexShader> vertexShader;
    std::unique_ptr<PixelShader> pixelShader;
    std::unique_ptr<InputLayout> layout;
    std::unique_ptr<Buffer> vertices;
    std::unique_ptr<Buffer> indices;
    int width;
    int height;

    Rig(int w, int h, const std::string& vs = "vs_vp2_vc_vt", const std::string& ps = "ps_vc_tc")
        : width(w), height(h)
    {
        target = device.CreateTexture(w, h, PixelFormat::B8G8R8A8);
        depth = device.CreateDepthBuffer(w, h);
        device.SetRenderTarget(target.get(), depth.get());
        device.SetViewport({0, 0, static_cast<float>(w), static_cast<float>(h), 0, 1});
        UsePrograms(vs, ps);
        static const DepthStencilDesc noDepth{false, false, Comparison::Always};
        static const RasterizerDesc noCull{FillMode::Solid, CullMode::None, true};
        depthOff = device.CreateDepthStencilState(noDepth);
        cullNone = device.CreateRasterizerState(noCull);
        device.SetDepthStencilState(depthOff.get());
        device.SetRasterizerState(cullNone.get());
    }

    void UsePrograms(const std::string& vs, const std::string& ps)
    {
        std::string error;
        const auto vsBytes = tools::BuildCfx(ShaderStage::Vertex, vs);
        const auto psBytes = tools::BuildCfx(ShaderStage::Pixel, ps);
        vertexShader = device.CreateVertexShader(vsBytes.data(), vsBytes.size(), error);
        pixelShader = device.CreatePixelShader(psBytes.data(), psBytes.size(), error);
        static const InputElement kLayout[] = {{Semantic::Position, ElementFormat::Float2, 0},
                                               {Semantic::Color, ElementFormat::Float4, 8},
                                               {Semantic::TexCoord, ElementFormat::Float2, 24}};
        layout = device.CreateInputLayout(kLayout, *vertexShader, error);
        device.SetVertexShader(vertexShader.get());
        device.SetPixelShader(pixelShader.get());
        device.SetInputLayout(layout.get());
    }

    // An RGBA texture of the texels given, bound with its sampling and the blend; the rig keeps them for its draws.
    void UseTexture(int texWidth, int texHeight, const std::vector<std::uint8_t>& texels, const SamplerDesc& samplerDesc,
                    const BlendDesc& blendDesc)
    {
        texture = device.CreateTexture(texWidth, texHeight, PixelFormat::R8G8B8A8);
        texture->Update(texels.data(), static_cast<std::size_t>(texWidth) * 4);
        sampler = device.CreateSamplerState(samplerDesc);
        blend = device.CreateBlendState(blendDesc);
        device.SetTexture(0, texture.get());
        device.SetSampler(0, sampler.get());
        device.SetBlendState(blend.get());
    }

    float NdcX(float px) const { return px / width * 2.0f - 1.0f; }
    float NdcY(float py) const { return 1.0f - py / height * 2.0f; }

    void Draw(const std::vector<Vertex2D>& vs, const std::vector<std::uint32_t>& is)
    {
        vertices = device.CreateBuffer(BufferKind::Vertex, BufferUsage::Dynamic, vs.size() * sizeof(Vertex2D), vs.data());
        indices = device.CreateBuffer(BufferKind::Index, BufferUsage::Dynamic, is.size() * 4, is.data());
        device.SetVertexBuffer(vertices.get(), sizeof(Vertex2D), 0);
        device.SetIndexBuffer(indices.get(), IndexFormat::U32, 0);
        device.DrawIndexed(static_cast<std::uint32_t>(is.size()), 0, 0);
    }

    // Axis-aligned quad in pixel coordinates, corners TL, BL, TR, BR.
    void AddQuad(std::vector<Vertex2D>& vs, std::vector<std::uint32_t>& is, float x0, float y0, float x1, float y1,
                 const float rgba[4], float u0 = 0, float v0 = 0, float u1 = 1, float v1 = 1) const
    {
        const std::uint32_t b = static_cast<std::uint32_t>(vs.size());
        vs.push_back({NdcX(x0), NdcY(y0), rgba[0], rgba[1], rgba[2], rgba[3], u0, v0});
        vs.push_back({NdcX(x0), NdcY(y1), rgba[0], rgba[1], rgba[2], rgba[3], u0, v1});
        vs.push_back({NdcX(x1), NdcY(y0), rgba[0], rgba[1], rgba[2], rgba[3], u1, v0});
        vs.push_back({NdcX(x1), NdcY(y1), rgba[0], rgba[1], rgba[2], rgba[3], u1, v1});
        for (std::uint32_t i : {b, b + 1, b + 2, b + 1, b + 3, b + 2}) is.push_back(i);
    }

    std::uint32_t At(int x, int y) const { return target->Pixel(x, y); }
    void Clear(std::uint32_t argb)
    {
        std::fill(target->Pixels(), target->Pixels() + static_cast<std::size_t>(width) * height, argb);
    }

    std::unique_ptr<DepthStencilState> depthOff;
    std::unique_ptr<RasterizerState> cullNone;
    std::unique_ptr<Texture> texture;
    std::unique_ptr<SamplerState> sampler;
    std::unique_ptr<BlendState> blend;
};

}  // namespace gfx_test
