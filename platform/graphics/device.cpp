// The software graphics device: resource and state creation, bindings, vertex decoding and indexed draws.
#include "platform/graphics/device.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

#include "platform/graphics/cfx_format.h"
#include "platform/graphics/pixel_math.h"
#include "platform/graphics/rasterizer.h"

namespace platform::gfx {

namespace {

// What a state slot reads as when nothing is bound, as on a GPU.
const RasterizerDesc kDefaultRasterizer{FillMode::Solid, CullMode::Back, false};
const DepthStencilDesc kDefaultDepthStencil{};
const BlendDesc kDefaultBlend{};
const SamplerDesc kDefaultSampler{Filter::Linear, AddressMode::Clamp, AddressMode::Clamp, AddressMode::Clamp};

std::uint32_t ElementSize(ElementFormat format)
{
    switch (format) {
    case ElementFormat::Float2: return 8;
    case ElementFormat::Float3: return 12;
    case ElementFormat::Float4: return 16;
    case ElementFormat::UShort4: return 8;
    }
    return 0;
}

float LoadFloat(const std::uint8_t* p)
{
    float value;
    std::memcpy(&value, p, sizeof value);
    return value;
}

std::uint16_t LoadU16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

void ReadElement(const InputElement& element, const std::uint8_t* p, VertexInput& in)
{
    float* target = nullptr;
    switch (element.semantic) {
    case Semantic::Position: target = in.position; break;
    case Semantic::Color: target = in.color; break;
    case Semantic::Normal: target = in.normal; break;
    case Semantic::TexCoord: target = in.texcoord; break;
    case Semantic::BoneWeight: target = in.boneWeight; break;
    case Semantic::BoneIndex:
        if (element.format == ElementFormat::UShort4) {
            for (int i = 0; i < 4; ++i) in.boneIndex[i] = LoadU16(p + 2 * i);
        }
        return;
    }
    int count = 0;
    switch (element.format) {
    case ElementFormat::Float2: count = 2; break;
    case ElementFormat::Float3: count = 3; break;
    case ElementFormat::Float4: count = 4; break;
    case ElementFormat::UShort4:
        for (int i = 0; i < 4; ++i) target[i] = static_cast<float>(LoadU16(p + 2 * i));
        return;
    }
    for (int i = 0; i < count; ++i) target[i] = LoadFloat(p + 4 * i);
}

template <typename Shader>
std::unique_ptr<Shader> MakeShader(const void* bytes, std::size_t size, ShaderStage stage, std::string& error)
{
    CfxProgram file;
    if (!ParseCfx(bytes, size, file, error)) return nullptr;
    if (file.stage != stage) {
        error = "shader file '" + file.name + "' is for the other stage";
        return nullptr;
    }
    if constexpr (std::is_same_v<Shader, VertexShader>) {
        const VertexProgram* program = FindVertexProgram(file.name);
        if (!program) {
            error = "no vertex program named '" + file.name + "'";
            return nullptr;
        }
        return std::make_unique<VertexShader>(*program);
    } else {
        const PixelProgram* program = FindPixelProgram(file.name);
        if (!program) {
            error = "no pixel program named '" + file.name + "'";
            return nullptr;
        }
        return std::make_unique<PixelShader>(*program);
    }
}

}  // namespace

Device::Device() : raster_(std::make_unique<Rasterizer>()) {}
Device::~Device() = default;

std::unique_ptr<Texture> Device::CreateTexture(int width, int height, PixelFormat format)
{
    if (width <= 0 || height <= 0) return nullptr;
    return std::make_unique<Texture>(width, height, format);
}

std::unique_ptr<DepthBuffer> Device::CreateDepthBuffer(int width, int height)
{
    if (width <= 0 || height <= 0) return nullptr;
    return std::make_unique<DepthBuffer>(width, height);
}

std::unique_ptr<Buffer> Device::CreateBuffer(BufferKind kind, BufferUsage usage, std::size_t size, const void* initial)
{
    if (size == 0) return nullptr;
    return std::make_unique<Buffer>(kind, usage, size, initial);
}

std::unique_ptr<RasterizerState> Device::CreateRasterizerState(const RasterizerDesc& desc)
{
    ++stats_.stateObjectsCreated;
    return std::make_unique<RasterizerState>(desc);
}

std::unique_ptr<DepthStencilState> Device::CreateDepthStencilState(const DepthStencilDesc& desc)
{
    ++stats_.stateObjectsCreated;
    return std::make_unique<DepthStencilState>(desc);
}

std::unique_ptr<SamplerState> Device::CreateSamplerState(const SamplerDesc& desc)
{
    ++stats_.stateObjectsCreated;
    return std::make_unique<SamplerState>(desc);
}

std::unique_ptr<BlendState> Device::CreateBlendState(const BlendDesc& desc)
{
    ++stats_.stateObjectsCreated;
    return std::make_unique<BlendState>(desc);
}

std::unique_ptr<VertexShader> Device::CreateVertexShader(const void* bytes, std::size_t size, std::string& error)
{
    return MakeShader<VertexShader>(bytes, size, ShaderStage::Vertex, error);
}

std::unique_ptr<PixelShader> Device::CreatePixelShader(const void* bytes, std::size_t size, std::string& error)
{
    return MakeShader<PixelShader>(bytes, size, ShaderStage::Pixel, error);
}

std::unique_ptr<InputLayout> Device::CreateInputLayout(std::span<const InputElement> elements,
                                                       const VertexShader& shader, std::string& error)
{
    std::uint32_t provided = 0;
    for (const InputElement& element : elements) provided |= SemanticBit(element.semantic);
    const std::uint32_t missing = shader.program.semantics & ~provided;
    if (missing) {
        error = "input layout lacks attributes that '" + std::string(shader.program.name) + "' reads";
        return nullptr;
    }
    return std::make_unique<InputLayout>(std::vector<InputElement>(elements.begin(), elements.end()));
}

void Device::SetRenderTarget(Texture* color, DepthBuffer* depth)
{
    target_ = color;
    depth_ = depth;
}

void Device::SetViewport(const Viewport& viewport) { viewport_ = viewport; }

void Device::SetScissor(const PixelRect& rect)
{
    scissor_ = rect;
    scissorEnable_ = true;
}

void Device::ClearScissor()
{
    scissor_ = PixelRect{};
    scissorEnable_ = false;
}

void Device::ClearRenderTarget(const float rgba[4])
{
    if (!target_) return;
    target_->Clear(PackColor(ToByte(rgba[0]), ToByte(rgba[1]), ToByte(rgba[2]), ToByte(rgba[3])));
}

void Device::ClearDepth(float depth)
{
    if (depth_) depth_->Clear(depth);
}

void Device::ClearStencil(std::uint8_t value)
{
    if (depth_) depth_->ClearStencil(value);
}

void Device::SetRasterizerState(const RasterizerState* state)
{
    rasterizer_ = state;
    ++stats_.rasterizerBinds;
}

void Device::SetDepthStencilState(const DepthStencilState* state, std::uint8_t stencilReference)
{
    depthStencil_ = state;
    stencilReference_ = stencilReference;
    ++stats_.depthStencilBinds;
}

void Device::SetBlendState(const BlendState* state)
{
    blend_ = state;
    ++stats_.blendBinds;
}

void Device::SetSampler(int slot, const SamplerState* state)
{
    if (slot < 0 || slot >= kMaxSamplerSlots) return;
    samplers_[slot] = state;
    ++stats_.samplerBinds;
}

void Device::SetTexture(int slot, const Texture* texture)
{
    if (slot >= 0 && slot < kMaxTextureSlots) textures_[slot] = texture;
}

void Device::SetVertexConstantBuffer(int slot, const Buffer* buffer)
{
    if (slot >= 0 && slot < kMaxConstantSlots) vertexConstants_[slot] = buffer;
}

void Device::SetPixelConstantBuffer(int slot, const Buffer* buffer)
{
    if (slot >= 0 && slot < kMaxConstantSlots) pixelConstants_[slot] = buffer;
}

void Device::SetInputLayout(const InputLayout* layout) { layout_ = layout; }
void Device::SetVertexShader(const VertexShader* shader) { vertexShader_ = shader; }
void Device::SetPixelShader(const PixelShader* shader) { pixelShader_ = shader; }

void Device::SetVertexBuffer(const Buffer* buffer, std::uint32_t stride, std::uint32_t offset)
{
    vertexBuffer_ = buffer;
    vertexStride_ = stride;
    vertexOffset_ = offset;
}

void Device::SetIndexBuffer(const Buffer* buffer, IndexFormat format, std::uint32_t offset)
{
    indexBuffer_ = buffer;
    indexFormat_ = format;
    indexOffset_ = offset;
}

void Device::ClearState()
{
    target_ = nullptr;
    depth_ = nullptr;
    viewport_ = Viewport{};
    ClearScissor();
    rasterizer_ = nullptr;
    depthStencil_ = nullptr;
    stencilReference_ = 0;
    blend_ = nullptr;
    std::fill(std::begin(samplers_), std::end(samplers_), nullptr);
    std::fill(std::begin(textures_), std::end(textures_), nullptr);
    std::fill(std::begin(vertexConstants_), std::end(vertexConstants_), nullptr);
    std::fill(std::begin(pixelConstants_), std::end(pixelConstants_), nullptr);
    layout_ = nullptr;
    vertexShader_ = nullptr;
    pixelShader_ = nullptr;
    vertexBuffer_ = nullptr;
    vertexStride_ = vertexOffset_ = 0;
    indexBuffer_ = nullptr;
    indexFormat_ = IndexFormat::U16;
    indexOffset_ = 0;
}

std::uint64_t Device::LayoutEnd() const
{
    std::uint64_t end = 0;
    for (const InputElement& element : layout_->elements) {
        end = std::max<std::uint64_t>(end, element.offset + ElementSize(element.format));
    }
    return end;
}

bool Device::DecodeVertex(std::uint32_t index, std::uint64_t layoutEnd, VertexInput& out) const
{
    const std::uint64_t start = vertexOffset_ + static_cast<std::uint64_t>(index) * vertexStride_;
    const std::uint8_t* base = vertexBuffer_->Data();
    if (start + layoutEnd > vertexBuffer_->Size()) return false;
    for (const InputElement& element : layout_->elements) ReadElement(element, base + start + element.offset, out);
    return true;
}

void Device::DrawIndexed(std::uint32_t indexCount, std::uint32_t startIndex, std::int32_t baseVertex)
{
    ++stats_.draws;
    if (!target_ || !vertexShader_ || !pixelShader_ || !layout_ || !vertexBuffer_ || !indexBuffer_) return;
    if (vertexStride_ == 0) return;

    // Indices inside the buffer only; a range past its end draws what fits.
    const std::uint32_t indexSize = indexFormat_ == IndexFormat::U16 ? 2 : 4;
    const std::uint64_t firstByte = indexOffset_ + static_cast<std::uint64_t>(startIndex) * indexSize;
    if (firstByte >= indexBuffer_->Size()) return;
    const std::uint64_t available = (indexBuffer_->Size() - firstByte) / indexSize;
    const std::uint32_t count = static_cast<std::uint32_t>(std::min<std::uint64_t>(indexCount, available)) / 3 * 3;
    if (count == 0) return;

    std::vector<std::uint32_t>& indices = indices_;
    indices.resize(count);
    const std::uint8_t* ib = indexBuffer_->Data() + firstByte;
    std::uint32_t lowest = std::numeric_limits<std::uint32_t>::max();
    std::uint32_t highest = 0;
    bool anyValid = false;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t raw = indexSize == 2 ? LoadU16(ib + 2 * i)
                                                 : static_cast<std::uint32_t>(ib[4 * i] | (ib[4 * i + 1] << 8) |
                                                                              (ib[4 * i + 2] << 16)) |
                                                       static_cast<std::uint32_t>(ib[4 * i + 3]) << 24;
        const std::int64_t vertex = static_cast<std::int64_t>(raw) + baseVertex;
        indices[i] = vertex < 0 || vertex > std::numeric_limits<std::uint32_t>::max()
                         ? std::numeric_limits<std::uint32_t>::max()
                         : static_cast<std::uint32_t>(vertex);
        if (indices[i] == std::numeric_limits<std::uint32_t>::max()) continue;
        lowest = std::min(lowest, indices[i]);
        highest = std::max(highest, indices[i]);
        anyValid = true;
    }
    if (!anyValid) return;
    const std::uint64_t vertexCapacity =
        vertexBuffer_->Size() > vertexOffset_ ? (vertexBuffer_->Size() - vertexOffset_) / vertexStride_ : 0;
    if (lowest >= vertexCapacity) return;
    highest = static_cast<std::uint32_t>(std::min<std::uint64_t>(highest, vertexCapacity - 1));

    ShaderConstants vertexConstants;
    ShaderConstants pixelConstants;
    for (int slot = 0; slot < kMaxConstantSlots; ++slot) {
        if (vertexConstants_[slot]) vertexConstants.slots[slot] = {vertexConstants_[slot]->Data(), vertexConstants_[slot]->Size()};
        if (pixelConstants_[slot]) pixelConstants.slots[slot] = {pixelConstants_[slot]->Data(), pixelConstants_[slot]->Size()};
    }

    const VertexProgram& vertexProgram = vertexShader_->program;
    const std::uint64_t layoutEnd = LayoutEnd();
    Direct2DLayout direct;
    const bool direct2D = FindDirect2DLayout(direct);
    // Vertex stage over the referenced range; vertices that cannot be read
    // stay marked and their triangles are dropped.
    const std::size_t range = static_cast<std::size_t>(highest - lowest) + 1;
    std::vector<ClipVertex>& transformed = transformed_;
    std::vector<std::uint8_t>& valid = valid_;
    if (!direct2D) {
        transformed.resize(range);
        valid.assign(range, 0);
        // Every vertex overwrites the same fields of it, so it starts fresh once.
        VertexInput input;
        for (std::size_t i = 0; i < range; ++i) {
            if (!DecodeVertex(lowest + static_cast<std::uint32_t>(i), layoutEnd, input)) continue;
            // Written in place: read back right after a copy, the program's
            // single-float stores would stall the wider loads of the copy.
            ClipVertex& output = transformed[i];
            output = ClipVertex{};
            vertexProgram.run(input, vertexConstants, output);
            valid[i] = 1;
        }
    }

    DrawState state;
    state.target = target_;
    state.depth = depth_;
    state.viewport = viewport_;
    state.scissorEnable = scissorEnable_;
    state.scissor = scissor_;
    state.raster = rasterizer_ ? rasterizer_->desc : kDefaultRasterizer;
    state.depthStencil = depthStencil_ ? depthStencil_->desc : kDefaultDepthStencil;
    state.stencilReference = stencilReference_;
    state.blend = blend_ ? blend_->desc : kDefaultBlend;
    state.pixel = &pixelShader_->program;
    for (int slot = 0; slot < kMaxTextureSlots; ++slot) state.textures[slot] = textures_[slot];
    for (int slot = 0; slot < kMaxSamplerSlots; ++slot) {
        state.samplers[slot] = samplers_[slot] ? &samplers_[slot]->desc : &kDefaultSampler;
    }
    state.pixelConstants = &pixelConstants;
    state.quadPath = quadPath_;
    state.spritePath = spritePath_;
    if (!raster_->Begin(state)) return;

    const std::uint64_t trianglesBefore = raster_->trianglesDrawn;
    const std::uint64_t quadsBefore = raster_->quadsDrawn;
    const std::uint64_t spritesBefore = raster_->spriteTrianglesDrawn;
    if (direct2D) {
        DrawDirect2D(count, layoutEnd, direct);
        stats_.triangles += raster_->trianglesDrawn - trianglesBefore;
        stats_.fastQuads += raster_->quadsDrawn - quadsBefore;
        stats_.spriteTriangles += raster_->spriteTrianglesDrawn - spritesBefore;
        return;
    }
    auto vertexAt = [&](std::uint32_t index) -> const ClipVertex* {
        if (index < lowest || index > highest) return nullptr;
        const std::size_t slot = index - lowest;
        return valid[slot] ? &transformed[slot] : nullptr;
    };
    for (std::uint32_t i = 0; i < count; i += 3) {
        const ClipVertex* a = vertexAt(indices[i]);
        const ClipVertex* b = vertexAt(indices[i + 1]);
        const ClipVertex* c = vertexAt(indices[i + 2]);
        if (!a || !b || !c) continue;
        // A quad written as (a, b, c), (b, d, c) may take the integer path.
        if (i + 5 < count && indices[i + 3] == indices[i + 1] && indices[i + 5] == indices[i + 2]) {
            const ClipVertex* d = vertexAt(indices[i + 4]);
            if (d && raster_->DrawQuad(*a, *b, *c, *d)) {
                i += 3;
                continue;
            }
        }
        raster_->DrawTriangle(*a, *b, *c);
    }
    stats_.triangles += raster_->trianglesDrawn - trianglesBefore;
    stats_.fastQuads += raster_->quadsDrawn - quadsBefore;
    stats_.spriteTriangles += raster_->spriteTrianglesDrawn - spritesBefore;
}

bool Device::FindDirect2DLayout(Direct2DLayout& out) const
{
    const VertexProgram& program = vertexShader_->program;
    if (!program.passes2D) return false;
    out.textured = (program.semantics & SemanticBit(Semantic::TexCoord)) != 0;
    int positions = 0, colors = 0, texcoords = 0;
    for (const InputElement& element : layout_->elements) {
        const bool floats = element.format != ElementFormat::UShort4;
        switch (element.semantic) {
        case Semantic::Position:
            if (!floats) return false;
            out.position = element.offset;
            ++positions;
            break;
        case Semantic::Color:
            // Fewer components would leave the rest at their defaults.
            if (element.format != ElementFormat::Float4) return false;
            out.color = element.offset;
            ++colors;
            break;
        case Semantic::TexCoord:
            if (!floats) return false;
            out.texcoord = element.offset;
            ++texcoords;
            break;
        default: break;
        }
    }
    return positions == 1 && colors == 1 && (!out.textured || texcoords == 1);
}

void Device::DrawDirect2D(std::uint32_t count, std::uint64_t layoutEnd, const Direct2DLayout& layout)
{
    // The draw found a readable vertex, so the buffer reaches past the offset.
    const std::uint8_t* base = vertexBuffer_->Data() + vertexOffset_;
    const std::uint64_t room = vertexBuffer_->Size() - vertexOffset_;
    const std::vector<std::uint32_t>& indices = indices_;
    // What the vertex stage would write: the fields the program leaves alone
    // keep the values of a fresh vertex, in every corner alike.
    ClipVertex corners[4];
    auto load = [&](std::uint32_t index, ClipVertex& out) {
        if (index == std::numeric_limits<std::uint32_t>::max()) return false;
        const std::uint64_t start = static_cast<std::uint64_t>(index) * vertexStride_;
        if (start + layoutEnd > room) return false;
        const std::uint8_t* vertex = base + start;
        std::memcpy(out.position, vertex + layout.position, 2 * sizeof(float));
        std::memcpy(out.varyings, vertex + layout.color, 4 * sizeof(float));
        if (layout.textured) std::memcpy(out.varyings + 4, vertex + layout.texcoord, 2 * sizeof(float));
        return true;
    };
    // The same walk as the general loop of DrawIndexed.
    for (std::uint32_t i = 0; i < count; i += 3) {
        if (!load(indices[i], corners[0]) || !load(indices[i + 1], corners[1]) || !load(indices[i + 2], corners[2])) {
            continue;
        }
        if (i + 5 < count && indices[i + 3] == indices[i + 1] && indices[i + 5] == indices[i + 2]) {
            if (load(indices[i + 4], corners[3]) && raster_->DrawQuad(corners[0], corners[1], corners[2], corners[3])) {
                i += 3;
                continue;
            }
        }
        raster_->DrawTriangle(corners[0], corners[1], corners[2]);
    }
}

}  // namespace platform::gfx
