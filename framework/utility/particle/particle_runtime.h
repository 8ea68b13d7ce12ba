// The particle runtime: its configuration and results, effect spawns and the ring of commands it posts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "framework/utility/particle/particle_callbacks.h"

namespace vesk::utility::particle {

// Results of Start and codes handed to the error callback.
enum UTL_EParticleResult : std::int32_t {
    kParticleOk = 0,
    // 1 to 7: the callback at that position of the table (square root to
    // texture lookup) is missing.
    kParticleMissingFill = 8,
    kParticleCommandRefused = 18,  // the command ring is full
    kParticleEffectNotFound = 19,
    kParticleMemoryRefused = 20,
};

// Codes of the commands posted to the runtime's ring.
enum UTL_EParticleCommand : std::uint32_t {
    kCommandShutdown = 1,
    kCommandCreateInstance = 3,
    kCommandSpawnPosition = 7,
    kCommandParameter = 8,
};

struct UTL_SParticleConfig {
    std::size_t vertexBufferBytes = 0x200000;
    std::size_t indexBufferBytes = 0x100000;
    // The runtime keeps its definition slots and command ring here; the
    // owner allocates it and frees it after Shutdown.
    void* workMemory = nullptr;
    std::size_t workMemoryBytes = 0;
    // Replaces the table's texture lookup when given.
    UTL_SParticleCallbacks::TextureLookup customTextureLookup = nullptr;
};

inline constexpr std::size_t kParticleWorkMemoryBytes = 102400;
inline constexpr std::uint32_t kEffectDefinitionSlots = 4;
inline constexpr std::uint32_t kCommandSlots = 65;  // one always stays empty
inline constexpr std::uint32_t kMaxPendingCommands = kCommandSlots - 1;
inline constexpr std::size_t kCommandBytes = 72;
inline constexpr std::size_t kEffectNameBytes = 64;

// One posted command, 72 bytes: code, handle and up to 14 words of payload.
struct UTL_SParticleCommand {
    std::uint32_t code = 0;
    std::uint32_t wordCount = 0;
    std::uint64_t handle = 0;
    std::uint32_t words[14] = {};
};
static_assert(sizeof(UTL_SParticleCommand) == kCommandBytes);

// The effect runtime behind the common table's effect commands. It plays
// effects from definition slots by name; this game gives it none, so every
// spawn finds nothing and returns handle 0, and nothing drains the command
// ring: posts are refused once 64 are pending.
class UTL_CParticleRuntime {
public:
    UTL_CParticleRuntime() = default;
    ~UTL_CParticleRuntime() { Shutdown(); }
    UTL_CParticleRuntime(const UTL_CParticleRuntime&) = delete;
    UTL_CParticleRuntime& operator=(const UTL_CParticleRuntime&) = delete;

    // Checks the callbacks and the memory and lays out the work memory.
    // kParticleOk, or the first missing callback's position (1 to 8), or
    // kParticleMemoryRefused; the runtime then stays stopped.
    std::int32_t Start(const UTL_SParticleConfig& config, const UTL_SParticleCallbacks& callbacks);
    // Posts the shut-down command and stops; the work memory is no longer
    // used afterwards. Does nothing while stopped.
    void Shutdown();
    bool IsRunning() const { return running_; }

    // An effect of the named definition at the position; rotation in
    // degrees. Handle 0 (and error 19 reported) when no definition has that
    // name or the runtime is stopped.
    std::uint64_t SpawnEffect(std::string_view name, const float position[3], const float rotationDegrees[3],
                              float scale);
    // Posts the value to the effect's instance. Handle 0 names no effect and
    // posts nothing; a full ring refuses the post (error 18). True when posted.
    bool SetEffectParameter(std::uint64_t handle, std::uint32_t value);

    std::uint32_t PendingCommands() const;
    // The pending command at position i from the oldest (i below PendingCommands).
    const UTL_SParticleCommand& PendingCommand(std::uint32_t i) const;
    std::uint64_t NextHandle() const { return nextHandle_; }

    // The work memory the runtime needs for its slots and ring.
    static std::size_t RequiredWorkMemory();

private:
    struct DefinitionSlot {
        char name[kEffectNameBytes] = {};
        const void* data = nullptr;
    };

    bool Post(const UTL_SParticleCommand& command);
    void Report(std::int32_t code) const;
    const DefinitionSlot* FindDefinition(std::string_view name) const;

    UTL_SParticleCallbacks callbacks_{};
    DefinitionSlot* definitions_ = nullptr;  // kEffectDefinitionSlots, in the work memory
    UTL_SParticleCommand* ring_ = nullptr;   // kCommandSlots, in the work memory
    std::uint32_t ringHead_ = 0;             // oldest pending
    std::uint32_t ringTail_ = 0;             // next free
    std::uint64_t nextHandle_ = 1;           // 0 means no effect
    bool running_ = false;
};

}  // namespace vesk::utility::particle
