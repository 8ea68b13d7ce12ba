// The shader manager: the fixed shader set loaded from ".cfx" files, pairs by key, and their constant buffers.
#include "framework/graphics/shader.h"

#include <cstring>
#include <span>
#include <vector>

#include "framework/file/resource_file.h"
#include "framework/graphics/device_record.h"
#include "framework/graphics/render_states.h"
#include "framework/graphics/shader_table.h"
#include "framework/graphics/texture.h"
#include "framework/log/log.h"
#include "framework/memory/heaps.h"
#include "platform/graphics/device.h"

namespace vesk::resource {

namespace {

struct Slot {
    std::size_t offset;
    std::size_t size;
};

constexpr Slot kVertexSlots[] = {{0, 64},   {64, 64},  {128, 64}, {192, 64}, {256, 64}, {320, 64},
                                 {384, 16}, {400, 64}, {464, 16}, {480, 64}, {544, 16}, {560, 64},
                                 {624, 16}, {640, 16}, {656, 16}, {672, 16}};
constexpr Slot kPixelSlots[] = {{0, 16}, {16, 16}, {32, 16}, {48, 16}, {64, 48}, {112, 16}, {128, 48}, {176, 64}, {240, 16}};

constexpr int kVertexConstantBinding = 0;
constexpr int kPixelConstantBinding = 1;
constexpr int kBoneBinding = 5;

void StoreTransposed(std::uint8_t* destination, const float* matrix)
{
    float transposed[16];
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col) transposed[col * 4 + row] = matrix[row * 4 + col];
    }
    std::memcpy(destination, transposed, sizeof transposed);
}

// A write that does not fit its slot is refused: it would spill into the next
// slot or past the end of the block.
bool StoreConstant(std::uint8_t* block, std::span<const Slot> slots, int slot, const float* data, int floatCount)
{
    if (slot < 0 || slot >= static_cast<int>(slots.size()) || !data || floatCount <= 0) return false;
    const std::size_t bytes = static_cast<std::size_t>(floatCount) * sizeof(float);
    if (bytes > slots[slot].size) return false;
    if (floatCount == 16) {
        StoreTransposed(block + slots[slot].offset, data);
    } else {
        std::memcpy(block + slots[slot].offset, data, bytes);
    }
    return true;
}

}  // namespace

}  // namespace vesk::resource

namespace vesk::graphics {

namespace {

using resource::ShaderPairKey;
using resource::ShaderTableRecord;
using resource::SYSWIN_CShader;

struct VertexEntry {
    const ShaderTableRecord* record = nullptr;
    bool tried = false;
    std::unique_ptr<platform::gfx::VertexShader> shader;
    std::unique_ptr<platform::gfx::InputLayout> layout;
};

struct PixelEntry {
    const ShaderTableRecord* record = nullptr;
    bool tried = false;
    std::unique_ptr<platform::gfx::PixelShader> shader;
};

struct ShaderManager {
    std::string vertexProfile = "vs_5_0";
    std::string pixelProfile = "ps_5_0";
    std::vector<VertexEntry> vertex;
    std::vector<PixelEntry> pixel;
    std::vector<std::unique_ptr<SYSWIN_CShader>> pairs;
};

std::unique_ptr<ShaderManager> g_manager;

// Reads "shader/<name>.cfx" whole; null (with a log line) when it is missing.
struct ShaderFile {
    void* bytes = nullptr;
    std::size_t size = 0;
    ~ShaderFile() { memory::MainHeapFree(bytes); }
};

bool ReadShaderFile(std::string_view name, ShaderFile& file)
{
    const std::string path = "shader/" + std::string(name) + ".cfx";
    file.bytes = file::ReadResourceFile(nullptr, path, &file.size);
    if (!file.bytes) {
        log::Error("shader '" + std::string(name) + "': cannot read " + path);
        return false;
    }
    return true;
}

// The record's entry. Its shader is created from the file on the first
// request only, so a missing or refused file is reported once; create makes
// the entry's device objects and returns false with the reason in error.
template <typename Entry, typename Create>
Entry* LoadEntry(std::vector<Entry>& entries, const ShaderTableRecord& record, Create create)
{
    for (Entry& entry : entries) {
        if (entry.record != &record) continue;
        if (!entry.tried) {
            entry.tried = true;
            ShaderFile file;
            platform::gfx::Device* device = GetDevice();
            if (device && ReadShaderFile(record.name, file)) {
                std::string error;
                if (!create(*device, file, entry, error)) {
                    log::Error("shader '" + std::string(record.name) + "': " + error);
                }
            }
        }
        return entry.shader ? &entry : nullptr;
    }
    return nullptr;
}

VertexEntry* LoadVertex(const ShaderTableRecord& record)
{
    return LoadEntry(g_manager->vertex, record,
                     [](platform::gfx::Device& device, const ShaderFile& file, VertexEntry& entry, std::string& error) {
                         entry.shader = device.CreateVertexShader(file.bytes, file.size, error);
                         if (entry.shader) {
                             entry.layout = device.CreateInputLayout(entry.record->layout, *entry.shader, error);
                         }
                         if (!entry.layout) entry.shader.reset();  // a shader without its layout is of no use
                         return entry.shader != nullptr;
                     });
}

PixelEntry* LoadPixel(const ShaderTableRecord& record)
{
    return LoadEntry(g_manager->pixel, record,
                     [](platform::gfx::Device& device, const ShaderFile& file, PixelEntry& entry, std::string& error) {
                         entry.shader = device.CreatePixelShader(file.bytes, file.size, error);
                         return entry.shader != nullptr;
                     });
}

template <typename Table>
const ShaderTableRecord* FindByKey(const Table& table, const resource::ShaderKey& key)
{
    for (const ShaderTableRecord& record : table) {
        if (record.key == key) return &record;
    }
    return nullptr;
}

template <typename Table>
const ShaderTableRecord* FindByName(const Table& table, std::string_view name)
{
    for (const ShaderTableRecord& record : table) {
        if (record.name == name) return &record;
    }
    return nullptr;
}

}  // namespace

bool CreateShaderManager()
{
    g_manager = std::make_unique<ShaderManager>();
    for (const ShaderTableRecord& record : resource::VertexShaderTable()) g_manager->vertex.push_back(VertexEntry{.record = &record});
    for (const ShaderTableRecord& record : resource::PixelShaderTable()) g_manager->pixel.push_back(PixelEntry{.record = &record});
    return true;
}

void ReleaseShaderManager()
{
    if (platform::gfx::Device* device = GetDevice()) {
        device->SetVertexShader(nullptr);
        device->SetPixelShader(nullptr);
        device->SetInputLayout(nullptr);
        for (int slot = 0; slot < platform::gfx::kMaxConstantSlots; ++slot) {
            device->SetVertexConstantBuffer(slot, nullptr);
            device->SetPixelConstantBuffer(slot, nullptr);
        }
    }
    g_manager.reset();
}

SYSWIN_CShader* GetShaderByName(std::string_view name)
{
    if (!g_manager) return nullptr;
    for (const auto& pair : g_manager->pairs) {
        if (pair->GetName() == name) return pair.get();
    }
    ShaderPairKey key{resource::kDefaultVertexKey, resource::kDefaultPixelKey};
    const std::size_t split = name.find("__");
    if (split != std::string_view::npos) {
        const ShaderTableRecord* vertex = FindByName(resource::VertexShaderTable(), name.substr(0, split));
        const ShaderTableRecord* pixel = FindByName(resource::PixelShaderTable(), name.substr(split + 2));
        if (vertex) key.vertex = vertex->key;
        if (pixel) key.pixel = pixel->key;
    }
    return GetShaderByKey(key);
}

SYSWIN_CShader* GetShaderByKey(const ShaderPairKey& key)
{
    if (!g_manager) return nullptr;
    for (const auto& pair : g_manager->pairs) {
        if (pair->GetKey() == key) return pair.get();
    }
    const ShaderTableRecord* vertex = FindByKey(resource::VertexShaderTable(), key.vertex);
    const ShaderTableRecord* pixel = FindByKey(resource::PixelShaderTable(), key.pixel);
    if (!vertex || !pixel) return nullptr;
    auto pair = std::make_unique<SYSWIN_CShader>(*vertex, *pixel);
    SYSWIN_CShader* raw = pair.get();
    g_manager->pairs.push_back(std::move(pair));
    return raw;
}

std::string_view VertexProfileName() { return g_manager ? std::string_view(g_manager->vertexProfile) : std::string_view(); }
std::string_view PixelProfileName() { return g_manager ? std::string_view(g_manager->pixelProfile) : std::string_view(); }

// Apply needs the loaded programs of the pair's table entries.
namespace detail {
const platform::gfx::VertexShader* VertexProgramOf(const ShaderTableRecord& record, const platform::gfx::InputLayout** layout)
{
    if (!g_manager) return nullptr;
    VertexEntry* entry = LoadVertex(record);
    if (!entry) return nullptr;
    *layout = entry->layout.get();
    return entry->shader.get();
}

const platform::gfx::PixelShader* PixelProgramOf(const ShaderTableRecord& record)
{
    if (!g_manager) return nullptr;
    PixelEntry* entry = LoadPixel(record);
    return entry ? entry->shader.get() : nullptr;
}
}  // namespace detail

}  // namespace vesk::graphics

namespace vesk::resource {

SYSWIN_CShader::SYSWIN_CShader(const ShaderTableRecord& vertex, const ShaderTableRecord& pixel)
    : name_(std::string(vertex.name) + "__" + std::string(pixel.name)),
      key_{vertex.key, pixel.key},
      vertexRecord_(&vertex),
      pixelRecord_(&pixel)
{
    // The light colours of slots 4 and 6 start white.
    const float ones[12] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    std::memcpy(pixelConstants_ + kPixelSlots[4].offset, ones, sizeof ones);
    std::memcpy(pixelConstants_ + kPixelSlots[6].offset, ones, sizeof ones);

    const platform::gfx::InputLayout* layout = nullptr;
    const bool programs = graphics::detail::VertexProgramOf(vertex, &layout) != nullptr &&
                          graphics::detail::PixelProgramOf(pixel) != nullptr;
    if (programs) vertexStride_ = vertex.stride;
    platform::gfx::Device* device = graphics::GetDevice();
    if (device) {
        using platform::gfx::BufferKind;
        using platform::gfx::BufferUsage;
        vertexBuffer_ = device->CreateBuffer(BufferKind::Constant, BufferUsage::Default, kVertexConstantBytes);
        if (vertexBuffer_) boneBuffer_ = device->CreateBuffer(BufferKind::Constant, BufferUsage::Default, sizeof bones_);
        if (boneBuffer_) pixelBuffer_ = device->CreateBuffer(BufferKind::Constant, BufferUsage::Default, kPixelConstantBytes);
    }
    usable_ = programs && pixelBuffer_ != nullptr;
}

SYSWIN_CShader::~SYSWIN_CShader() = default;

bool SYSWIN_CShader::Apply(int blendMode)
{
    platform::gfx::Device* device = graphics::GetDevice();
    if (!device) return true;
    const platform::gfx::InputLayout* layout = nullptr;
    device->SetVertexShader(graphics::detail::VertexProgramOf(*vertexRecord_, &layout));
    device->SetInputLayout(layout);
    device->SetPixelShader(graphics::detail::PixelProgramOf(*pixelRecord_));
    graphics::ApplyBlendMode(blendMode);
    return true;
}

void SYSWIN_CShader::Commit()
{
    platform::gfx::Device* device = graphics::GetDevice();
    if (!device) return;
    if (vertexDirty_ && vertexBuffer_) {
        vertexBuffer_->Update(vertexConstants_);
        device->SetVertexConstantBuffer(kVertexConstantBinding, vertexBuffer_.get());
    }
    if (pixelDirty_ && pixelBuffer_) {
        pixelBuffer_->Update(pixelConstants_);
        device->SetPixelConstantBuffer(kPixelConstantBinding, pixelBuffer_.get());
    }
}

void SYSWIN_CShader::SetBones(const float* matrices, int count)
{
    if (!matrices || count <= 0) return;
    if (count > kBoneCount) count = kBoneCount;
    for (int i = 0; i < count; ++i) {
        StoreTransposed(reinterpret_cast<std::uint8_t*>(bones_ + i * 16), matrices + i * 16);
    }
    platform::gfx::Device* device = graphics::GetDevice();
    if (!device || !boneBuffer_) return;
    boneBuffer_->Update(bones_);
    device->SetVertexConstantBuffer(kBoneBinding, boneBuffer_.get());
}

void SYSWIN_CShader::SetParameters(ShaderParameterProvider* provider, void* argument)
{
    if (provider) provider->ApplyShaderParameters(*this, argument);
}

bool SYSWIN_CShader::SetVertexMatrix(int slot, const float* matrix)
{
    if (!StoreConstant(vertexConstants_, kVertexSlots, slot, matrix, 16)) return false;
    vertexDirty_ = true;
    return true;
}

bool SYSWIN_CShader::SetVertexConstant(int slot, const float* data, int floatCount)
{
    if (!StoreConstant(vertexConstants_, kVertexSlots, slot, data, floatCount)) return false;
    vertexDirty_ = true;
    return true;
}

bool SYSWIN_CShader::SetPixelMatrix(int slot, const float* matrix)
{
    if (!StoreConstant(pixelConstants_, kPixelSlots, slot, matrix, 16)) return false;
    pixelDirty_ = true;
    return true;
}

bool SYSWIN_CShader::SetPixelConstant(int slot, const float* data, int floatCount)
{
    if (!StoreConstant(pixelConstants_, kPixelSlots, slot, data, floatCount)) return false;
    pixelDirty_ = true;
    return true;
}

}  // namespace vesk::resource
