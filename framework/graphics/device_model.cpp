// A model's vertex and index buffers on the graphics device, their uploads and its draws.
#include "framework/graphics/device_model.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "framework/graphics/device_record.h"
#include "framework/graphics/texture.h"
#include "platform/graphics/device.h"

namespace vesk::resource {

namespace {

using platform::gfx::Buffer;
using platform::gfx::BufferKind;
using platform::gfx::BufferUsage;

// Every mesh's index data in mesh order; meshes without data add nothing.
std::vector<std::uint8_t> ConcatenateIndices(std::span<const ModelMesh> meshes)
{
    std::vector<std::uint8_t> indices;
    for (const ModelMesh& mesh : meshes) {
        if (mesh.indexData.Empty()) continue;
        indices.insert(indices.end(), mesh.indexData.Data(), mesh.indexData.Data() + mesh.indexData.size);
    }
    return indices;
}

// Copies into a write-discard mapping, never past the buffer's end; a failed
// map skips the copy.
void WriteBuffer(Buffer& buffer, const std::uint8_t* bytes, std::size_t size)
{
    std::uint8_t* target = buffer.MapDiscard();
    if (!target) return;
    std::memcpy(target, bytes, std::min(size, buffer.Size()));
    buffer.Unmap();
}

}  // namespace

SYSWIN_CModel::SYSWIN_CModel() = default;
SYSWIN_CModel::~SYSWIN_CModel() = default;

void SYSWIN_CModel::ReleaseDeviceObjects()
{
    vertexBuffer_.reset();
    indexBuffer_.reset();
    dynamic_ = false;
    uploadPending_ = false;
}

void SYSWIN_CModel::CreateBuffers(bool dynamic)
{
    if (vertexBuffer_ && indexBuffer_) {
        uploadPending_ = true;
        Upload();
        return;
    }
    platform::gfx::Device* device = graphics::GetDevice();
    if (!device) return;
    dynamic_ = dynamic;
    const std::vector<std::uint8_t> indices = ConcatenateIndices(meshes_);
    if (dynamic) {
        vertexBuffer_ = device->CreateBuffer(BufferKind::Vertex, BufferUsage::Dynamic, vertexData_.size);
        indexBuffer_ = device->CreateBuffer(BufferKind::Index, BufferUsage::Dynamic, indices.size());
        uploadPending_ = true;
        return;
    }
    vertexBuffer_ = device->CreateBuffer(BufferKind::Vertex, BufferUsage::Default, vertexData_.size, vertexData_.Data());
    indexBuffer_ = device->CreateBuffer(BufferKind::Index, BufferUsage::Default, indices.size(), indices.data());
}

void SYSWIN_CModel::Upload()
{
    if (!uploadPending_ || !dynamic_ || !vertexBuffer_ || !indexBuffer_) return;
    if (!vertexData_.Empty()) WriteBuffer(*vertexBuffer_, vertexData_.Data(), vertexData_.size);

    std::size_t total = 0;
    for (const ModelMesh& mesh : meshes_) {
        // A mesh not yet filled in: try again at the next upload.
        if (mesh.indexData.Empty() || mesh.indexCount == 0) return;
        total += mesh.indexData.size;
    }
    if (total != 0) WriteBuffer(*indexBuffer_, ConcatenateIndices(meshes_).data(), total);
    uploadPending_ = false;
}

void SYSWIN_CModel::BindBuffers()
{
    Upload();
    platform::gfx::Device* device = graphics::GetDevice();
    if (!device) return;
    device->SetVertexBuffer(vertexBuffer_.get(), vertexStride_, 0);
}

void SYSWIN_CModel::DrawMeshList(bool bindTextures)
{
    graphics::DeviceRecord* record = graphics::GetDeviceRecord();
    if (!record || !indexBuffer_) return;
    platform::gfx::Device& device = record->device;
    std::uint32_t offset = 0;
    for (const ModelMesh& mesh : meshes_) {
        if (mesh.indexCount == 0 || vertexData_.Empty()) break;
        if (bindTextures) {
            for (int stage = 0; stage < kMeshTextureStages; ++stage) {
                if (mesh.textures[stage]) {
                    mesh.textures[stage]->Bind(stage);
                } else {
                    // A missing texture draws without one.
                    record->RecordBoundTexture(stage, nullptr);
                    device.SetTexture(stage, nullptr);
                }
            }
        }
        // Triangle lists are the device's only topology.
        device.SetIndexBuffer(indexBuffer_.get(), platform::gfx::IndexFormat::U16, offset);
        device.DrawIndexed(mesh.indexCount, 0, 0);
        offset += static_cast<std::uint32_t>(mesh.indexData.size);
    }
}

void SYSWIN_CModel::Draw()
{
    DrawMeshList(true);
    DrawAttachments();
}

void SYSWIN_CModel::DrawMeshes()
{
    DrawMeshList(false);
}

}  // namespace vesk::resource
