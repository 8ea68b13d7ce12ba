// The 2D polygon renderers: quads batched into dynamic buffers, flushed per texture and blend mode.
#include "framework/graphics/polygon_render.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "framework/graphics/device_record.h"
#include "framework/graphics/render_states.h"
#include "framework/graphics/shader.h"
#include "framework/memory/heaps.h"
#include "framework/process/canvas.h"
#include "platform/graphics/device.h"

namespace vesk::graphics {

namespace {

constexpr std::size_t kIndexBytesPerQuad = 6 * sizeof(std::uint32_t);

SpriteDrawState g_spriteState;

// Canvas units to device coordinates through the current view record.
struct CanvasToDevice {
    float halfWidth;
    float halfHeight;

    CanvasToDevice()
    {
        const process::CanvasView& view = process::GetCanvasView(process::GetCurrentViewIndex());
        halfWidth = view.baseWidth / 2.0f;
        halfHeight = view.baseHeight / 2.0f;
    }

    Vec2f operator()(Vec2f p) const { return {(p.x - halfWidth) / halfWidth, (halfHeight - p.y) / halfHeight}; }
};

// Corners top-left, bottom-left, top-right, bottom-right of a w x h quad whose
// pivot (fractions of its size) sits at the position, turned about it.
void QuadCorners(Vec2f position, float w, float h, float angle, float pivotX, float pivotY, Vec2f (&out)[4])
{
    const float left = -pivotX * w, right = (1.0f - pivotX) * w;
    const float top = -pivotY * h, bottom = (1.0f - pivotY) * h;
    Vec2f offsets[4] = {{left, top}, {left, bottom}, {right, top}, {right, bottom}};
    if (std::fabs(angle) > 0.00001f) {
        const float radians = angle * 6.2831855f / 360.0f;
        const float c = static_cast<float>(std::cos(static_cast<double>(radians)));
        const float s = static_cast<float>(std::sin(static_cast<double>(radians)));
        for (Vec2f& o : offsets) o = {o.x * c - o.y * s, o.x * s + o.y * c};
    }
    for (int i = 0; i < 4; ++i) out[i] = {position.x + offsets[i].x, position.y + offsets[i].y};
}

void WriteColor(float* out, std::uint32_t rgba)
{
    for (int i = 0; i < 4; ++i) out[i] = static_cast<float>((rgba >> (8 * i)) & 0xFFu) / 255.0f;
}

resource::SYS_CTexture* BoundTextureOf(resource::SYS_CTexture* texture)
{
    resource::SYS_CTexture* atlas = texture ? texture->GetAtlas() : nullptr;
    return atlas ? atlas : texture;
}

}  // namespace

void InitDrawParam(DrawParam& param) { param = DrawParam{}; }

SpriteDrawState& GetSpriteDrawState() { return g_spriteState; }

SYSWIN_CPolygonRender::SYSWIN_CPolygonRender() = default;

SYSWIN_CPolygonRender::~SYSWIN_CPolygonRender()
{
    memory::MainHeapFree(vertexArea_);
    memory::MainHeapFree(indexArea_);
}

bool InitPolygonRenderer(SYSWIN_CPolygonRender& renderer, resource::SYSWIN_CShader* shader)
{
    platform::gfx::Device* device = GetDevice();
    if (!device) return false;
    if (!renderer.vertexArea_) renderer.vertexArea_ = static_cast<std::uint8_t*>(memory::MainHeapAlloc(kVertexAreaBytes));
    if (!renderer.indexArea_) renderer.indexArea_ = static_cast<std::uint8_t*>(memory::MainHeapAlloc(kIndexAreaBytes));
    if (!renderer.vertexArea_ || !renderer.indexArea_) return false;
    using platform::gfx::BufferKind;
    using platform::gfx::BufferUsage;
    for (auto& half : renderer.halves_) {
        half.vertices = device->CreateBuffer(BufferKind::Vertex, BufferUsage::Dynamic, kVertexAreaBytes);
        half.indices = device->CreateBuffer(BufferKind::Index, BufferUsage::Dynamic, kIndexAreaBytes);
        if (!half.vertices || !half.indices) return false;
    }
    renderer.shader_ = shader;
    renderer.half_ = 0;
    renderer.vertexWrite_ = renderer.indexWrite_ = renderer.vertexSent_ = renderer.indexSent_ = 0;
    renderer.quadCount_ = 0;
    return true;
}

void BeginFrame(SYSWIN_CPolygonRender& renderer)
{
    renderer.half_ ^= 1;
    renderer.vertexWrite_ = renderer.indexWrite_ = renderer.vertexSent_ = renderer.indexSent_ = 0;
    renderer.quadCount_ = 0;
}

std::uint8_t* SYSWIN_CPolygonRender::AppendQuad()
{
    if (!vertexArea_ || !indexArea_) return nullptr;
    const std::size_t vertexBytes = 4 * static_cast<std::size_t>(GetVertexStride());
    if (quadCount_ >= kMaxBatchQuads) Flush();
    if (vertexWrite_ + vertexBytes > kVertexAreaBytes || indexWrite_ + kIndexBytesPerQuad > kIndexAreaBytes) {
        Flush();
        // Everything written so far is drawn: the frame's areas start over.
        vertexWrite_ = indexWrite_ = vertexSent_ = indexSent_ = 0;
    }
    const std::uint32_t base = 4u * quadCount_;
    const std::uint32_t indices[6] = {base, base + 1, base + 2, base + 1, base + 3, base + 2};
    std::memcpy(indexArea_ + indexWrite_, indices, sizeof indices);
    std::uint8_t* vertices = vertexArea_ + vertexWrite_;
    vertexWrite_ += vertexBytes;
    indexWrite_ += kIndexBytesPerQuad;
    ++quadCount_;
    return vertices;
}

void SYSWIN_CPolygonRender::Flush()
{
    if (quadCount_ == 0) return;
    platform::gfx::Device* device = GetDevice();
    if (device && shader_) {
        // Its own shader and blend mode: the other renderer may have drawn
        // since this batch began.
        shader_->Apply(blendMode_);
        Half& half = halves_[half_];
        std::memcpy(half.vertices->MapDiscard() + vertexSent_, vertexArea_ + vertexSent_, vertexWrite_ - vertexSent_);
        half.vertices->Unmap();
        std::memcpy(half.indices->MapDiscard() + indexSent_, indexArea_ + indexSent_, indexWrite_ - indexSent_);
        half.indices->Unmap();
        if (texture_) shader_->SetParameters(texture_, nullptr);
        shader_->Commit();
        device->SetVertexBuffer(half.vertices.get(), GetVertexStride(), static_cast<std::uint32_t>(vertexSent_));
        device->SetIndexBuffer(half.indices.get(), platform::gfx::IndexFormat::U32, static_cast<std::uint32_t>(indexSent_));
        device->DrawIndexed(6u * quadCount_, 0, 0);
    }
    vertexSent_ = vertexWrite_;
    indexSent_ = indexWrite_;
    quadCount_ = 0;
}

void SYSWIN_CPolygonRender_Color::WriteQuad(const Vec2f (&corners)[4], std::uint32_t color)
{
    std::uint8_t* memory = AppendQuad();
    if (!memory) return;
    const CanvasToDevice toDevice;
    float vertices[4][6];
    for (int i = 0; i < 4; ++i) {
        const Vec2f p = toDevice(corners[i]);
        vertices[i][0] = p.x;
        vertices[i][1] = p.y;
        WriteColor(vertices[i] + 2, transform.perCornerColor ? transform.cornerColors[i] : color);
    }
    std::memcpy(memory, vertices, sizeof vertices);
}

void SYSWIN_CPolygonRender_Color::AddRect(Vec2f position, Vec2f size, std::uint32_t color)
{
    Vec2f corners[4];
    QuadCorners(position, size.x, size.y, transform.angle, transform.pivotX, transform.pivotY, corners);
    WriteQuad(corners, color);
}

void SYSWIN_CPolygonRender_Color::AddQuad(Vec2f p0, Vec2f p1, Vec2f p2, Vec2f p3, std::uint32_t color)
{
    const Vec2f corners[4] = {p0, p1, p2, p3};
    WriteQuad(corners, color);
}

void SYSWIN_CPolygonRender_Texture::AddSprite(const DrawParam& param, Vec2f position, resource::SYS_CTexture* sprite)
{
    if (!sprite) return;
    // Sprites of another texture cannot join the pending batch.
    if (PendingQuads() > 0 && BoundTextureOf(BatchTexture()) != BoundTextureOf(sprite)) Flush();

    const float w = (param.u1 - param.u0) * static_cast<float>(sprite->GetWidth()) * param.scaleX;
    const float h = (param.v1 - param.v0) * static_cast<float>(sprite->GetHeight()) * param.scaleY;
    Vec2f corners[4];
    QuadCorners(position, w, h, param.angle, param.pivotX, param.pivotY, corners);

    const resource::TexCoord min = sprite->GetUVMin();
    const resource::TexCoord max = sprite->GetUVMax();
    resource::TexCoord first{min.u + param.u0 * (max.u - min.u), min.v + param.v0 * (max.v - min.v)};
    resource::TexCoord second{min.u + param.u1 * (max.u - min.u), min.v + param.v1 * (max.v - min.v)};
    sprite->AdjustUV(first, second);
    if (param.flipX) std::swap(first.u, second.u);
    if (param.flipY) std::swap(first.v, second.v);
    const resource::TexCoord uv[4] = {{first.u, first.v}, {first.u, second.v}, {second.u, first.v}, {second.u, second.v}};

    std::uint8_t* memory = AppendQuad();
    if (!memory) return;
    const CanvasToDevice toDevice;
    float vertices[4][8];
    for (int i = 0; i < 4; ++i) {
        const Vec2f p = toDevice(corners[i]);
        vertices[i][0] = p.x;
        vertices[i][1] = p.y;
        WriteColor(vertices[i] + 2, param.color);
        vertices[i][6] = uv[i].u;
        vertices[i][7] = uv[i].v;
    }
    std::memcpy(memory, vertices, sizeof vertices);
    SetBatchTexture(sprite);
    lastWidth = w;
    lastHeight = h;
}

void BeginColorPolygonDraw()
{
    DeviceRecord* record = GetDeviceRecord();
    if (!record) return;
    SYSWIN_CPolygonRender_Color& renderer = record->colorRenderer;
    renderer.SetBlendMode(4);
    if (renderer.Shader()) renderer.Shader()->Apply(4);
    renderer.Begin();
    SetRasterizerState(renderer.RasterizerKey(), false);
    SetDepthStencilState(renderer.DepthStencilKey(), false);
}

void BeginSpriteDraw(int group, int blendMode)
{
    DeviceRecord* record = GetDeviceRecord();
    if (!record) return;
    SpriteDrawState& state = g_spriteState;
    if (state.group != -1 && state.group == group && state.blendMode == blendMode) return;
    SYSWIN_CPolygonRender_Texture& renderer = record->textureRenderer;
    // Pending sprites are drawn in the group and mode they were added under,
    // also when no group was current.
    if (state.group != -1 || state.group != group || state.blendMode != blendMode) renderer.Flush();
    state.group = group;
    state.blendMode = blendMode;
    renderer.SetBlendMode(blendMode);
    if (renderer.Shader()) renderer.Shader()->Apply(blendMode);
    renderer.Begin();
    SetRasterizerState(renderer.RasterizerKey(), false);
    SetDepthStencilState(renderer.DepthStencilKey(), false);
}

void ModulateColor(std::uint32_t& color, std::uint32_t other)
{
    std::uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const std::uint32_t a = (color >> shift) & 0xFFu, b = (other >> shift) & 0xFFu;
        result |= (a * b / 255u) << shift;
    }
    color = result;
}

Vec2f ProjectToScreen(const float* m, const float* p, float width, float height)
{
    float out[4];
    for (int col = 0; col < 4; ++col) out[col] = p[0] * m[col] + p[1] * m[4 + col] + p[2] * m[8 + col] + m[12 + col];
    return {(out[0] / out[3] + 1.0f) * width / 2.0f, (1.0f - out[1] / out[3]) * height / 2.0f};
}

}  // namespace vesk::graphics
