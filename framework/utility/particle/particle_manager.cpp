// The particle manager's buffers and model from the particle heap, its life, and effect spawns.
#include "framework/utility/particle/particle_manager.h"

#include <string>

#include "framework/graphics/sprite_registry.h"
#include "framework/log/log.h"
#include "framework/utility/particle/particle_callbacks.h"

namespace vesk::utility::particle {
namespace {

// Vertex layout of the runtime's quads: position (3 floats), colour word,
// texture coordinates (2 floats).
constexpr std::uint32_t kParticleVertexStride = 24;

UTL_CParticleManager* g_manager = nullptr;

std::size_t RoundUp(std::size_t size, std::size_t unit)
{
    return (size + unit - 1) / unit * unit;
}

// Geometry and work memory come from the particle heap while it exists.
void* AllocateParticleMemory(std::size_t size)
{
    if (memory::HeapRecord* heap = memory::ParticleHeap()) {
        return memory::MemAlloc(heap, size);
    }
    return memory::MainHeapAlloc(size);
}

bool AllocateBuffers(UTL_CParticleManager& manager, const UTL_SParticleConfig& config)
{
    manager.vertexBufferBytes = config.vertexBufferBytes;
    manager.indexBufferBytes = config.indexBufferBytes;
    for (int i = 0; i < 2; ++i) {
        manager.vertexBuffers[i] = static_cast<std::uint8_t*>(AllocateParticleMemory(config.vertexBufferBytes));
        manager.indexBuffers[i] = static_cast<std::uint8_t*>(AllocateParticleMemory(config.indexBufferBytes));
        if (manager.vertexBuffers[i] == nullptr || manager.indexBuffers[i] == nullptr) {
            return false;
        }
    }
    return true;
}

std::unique_ptr<resource::SYSWIN_CModel> CreateParticleModel(const UTL_SParticleConfig& config)
{
    auto model = std::make_unique<resource::SYSWIN_CModel>();
    resource::ModelMaterialDesc description;
    description.name = kParticleModelName;
    description.vertexSize = RoundUp(config.vertexBufferBytes, kModelStorageUnit);
    description.vertexStride = kParticleVertexStride;
    description.indexSize = RoundUp(config.indexBufferBytes, kModelStorageUnit);
    const resource::ModelLoader loader{memory::MainHeap(), {}};
    if (!model->SetupModelMaterial(loader, description)) {
        return nullptr;
    }
    return model;
}

}  // namespace

UTL_CParticleManager::~UTL_CParticleManager()
{
    runtime.Shutdown();
    if (resource::SpriteRegistry* registry = resource::GetSpriteRegistry()) {
        if (effectSpriteGroup != -1) {
            registry->ReleaseSpritePackage(effectSpriteGroup);
        }
        for (const std::int32_t id : textureIds) {
            registry->UnloadTexture(id);
        }
    }
    for (auto& [name, block] : resources) {
        memory::MainHeapFree(block);
    }
    for (int i = 0; i < 2; ++i) {
        memory::MainHeapFree(vertexBuffers[i]);
        memory::MainHeapFree(indexBuffers[i]);
    }
    memory::MainHeapFree(work);
}

bool CreateParticleManager()
{
    ReleaseParticleManager();
    std::unique_ptr<UTL_CParticleManager> manager(new UTL_CParticleManager);
    if (manager == nullptr) {
        log::Error("particle runtime: no memory for its manager");
        return false;
    }
    UTL_SParticleConfig config;
    config.workMemoryBytes = kParticleWorkMemoryBytes;
    if (!AllocateBuffers(*manager, config)) {
        log::Error("particle runtime: no memory for its geometry buffers");
        return false;
    }
    manager->model = CreateParticleModel(config);
    if (manager->model == nullptr) {
        log::Error("particle runtime: cannot make the particle model");
        return false;
    }
    manager->work = AllocateParticleMemory(config.workMemoryBytes);
    config.workMemory = manager->work;
    const std::int32_t result = manager->runtime.Start(config, GetHostCallbacks());
    if (result != kParticleOk) {
        log::Error("particle runtime refused to start: code " + std::to_string(result));
        return false;
    }
    g_manager = manager.release();
    return true;
}

void ReleaseParticleManager()
{
    delete g_manager;
    g_manager = nullptr;
}

UTL_CParticleManager* GetParticleManager()
{
    return g_manager;
}

std::uint64_t SpawnEffect(std::string_view name, const float position[3], const float rotationDegrees[3],
                          float scale)
{
    return g_manager != nullptr ? g_manager->runtime.SpawnEffect(name, position, rotationDegrees, scale) : 0;
}

void SetEffectParameter(std::uint64_t handle, std::uint32_t value)
{
    if (g_manager != nullptr) {
        g_manager->runtime.SetEffectParameter(handle, value);
    }
}

}  // namespace vesk::utility::particle
