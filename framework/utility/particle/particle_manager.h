// The particle manager: the host side of the particle runtime, one instance from start-up to shut-down.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/graphics/device_model.h"
#include "framework/memory/heaps.h"
#include "framework/utility/particle/particle_runtime.h"

namespace vesk::utility::particle {

inline constexpr std::string_view kParticleModelName = "ParticleModel";
inline constexpr std::size_t kModelStorageUnit = 128;

// The host side of the particle runtime: its geometry buffers, its model,
// the textures and resources loaded for it, and the runtime itself. One
// instance from start-up to shut-down.
struct UTL_CParticleManager : memory::MainHeapObject {
    UTL_CParticleManager() = default;
    ~UTL_CParticleManager();
    UTL_CParticleManager(const UTL_CParticleManager&) = delete;
    UTL_CParticleManager& operator=(const UTL_CParticleManager&) = delete;

    void* work = nullptr;  // the runtime's work memory
    std::uint32_t reserved = 0;
    std::int32_t effectSpriteGroup = -1;  // sprite group of loaded effect resources; -1 none
    std::size_t vertexBufferBytes = 0;
    std::uint8_t* vertexBuffers[2] = {};
    std::size_t vertexBytesUsed = 0;
    std::size_t indexBufferBytes = 0;
    std::uint8_t* indexBuffers[2] = {};
    std::size_t indexBytesUsed = 0;
    std::uint32_t currentBuffer = 0;
    std::unique_ptr<resource::SYSWIN_CModel> model;  // "ParticleModel"
    std::uint32_t words[2] = {};
    std::vector<std::int32_t> textureIds;  // released with the manager
    // Loaded resources by name up to the first '.'; each block is freed
    // with the manager.
    std::map<std::string, void*, std::less<>> resources;
    UTL_CParticleRuntime runtime;
};

// Creates the manager, its buffers and model, and starts the runtime with
// the host callbacks. False (with a log line) when memory runs out or the
// runtime refuses to start; there is then no manager.
bool CreateParticleManager();
// Stops the runtime and frees everything the manager holds. Safe without one.
void ReleaseParticleManager();
// Null before CreateParticleManager and after ReleaseParticleManager.
UTL_CParticleManager* GetParticleManager();

// The runtime's entry points through the manager: handle 0 and no post
// while there is none.
std::uint64_t SpawnEffect(std::string_view name, const float position[3], const float rotationDegrees[3],
                          float scale);
void SetEffectParameter(std::uint64_t handle, std::uint32_t value);

}  // namespace vesk::utility::particle
