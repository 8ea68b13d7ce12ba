// The particle runtime's start with its callbacks and memory checked, effect spawns and its command ring.
#include "framework/utility/particle/particle_runtime.h"

#include <cstring>
#include <new>

namespace vesk::utility::particle {
namespace {

constexpr std::size_t AlignUp(std::size_t value, std::size_t alignment)
{
    return (value + alignment - 1) / alignment * alignment;
}

// Position in the table of each required callback, as Start reports it.
std::int32_t FirstMissingCallback(const UTL_SParticleCallbacks& callbacks)
{
    const bool present[] = {
        callbacks.squareRoot != nullptr,    callbacks.sine != nullptr,       callbacks.cosine != nullptr,
        callbacks.arcCosine != nullptr,     callbacks.randomInteger != nullptr, callbacks.randomUnit != nullptr,
        callbacks.textureLookup != nullptr,
    };
    for (std::int32_t i = 0; i < static_cast<std::int32_t>(std::size(present)); ++i) {
        if (!present[i]) {
            return i + 1;
        }
    }
    return callbacks.fill != nullptr ? kParticleOk : kParticleMissingFill;
}

}  // namespace

std::size_t UTL_CParticleRuntime::RequiredWorkMemory()
{
    return AlignUp(sizeof(DefinitionSlot) * kEffectDefinitionSlots, alignof(UTL_SParticleCommand)) +
           sizeof(UTL_SParticleCommand) * kCommandSlots;
}

std::int32_t UTL_CParticleRuntime::Start(const UTL_SParticleConfig& config, const UTL_SParticleCallbacks& callbacks)
{
    Shutdown();
    UTL_SParticleCallbacks table = callbacks;
    if (config.customTextureLookup != nullptr) {
        table.textureLookup = config.customTextureLookup;
    }
    if (const std::int32_t missing = FirstMissingCallback(table); missing != kParticleOk) {
        return missing;
    }
    const auto address = reinterpret_cast<std::uintptr_t>(config.workMemory);
    if (config.workMemory == nullptr || config.workMemoryBytes < RequiredWorkMemory() ||
        address % alignof(std::max_align_t) != 0) {
        return kParticleMemoryRefused;
    }

    callbacks_ = table;
    auto* bytes = static_cast<std::uint8_t*>(config.workMemory);
    callbacks_.fill(bytes, 0, config.workMemoryBytes);
    definitions_ = new (bytes) DefinitionSlot[kEffectDefinitionSlots];
    bytes += AlignUp(sizeof(DefinitionSlot) * kEffectDefinitionSlots, alignof(UTL_SParticleCommand));
    ring_ = new (bytes) UTL_SParticleCommand[kCommandSlots];
    ringHead_ = 0;
    ringTail_ = 0;
    nextHandle_ = 1;
    running_ = true;
    return kParticleOk;
}

void UTL_CParticleRuntime::Shutdown()
{
    if (!running_) {
        return;
    }
    UTL_SParticleCommand command;
    command.code = kCommandShutdown;
    Post(command);  // nothing drains the ring: the runtime stops now either way
    running_ = false;
    definitions_ = nullptr;
    ring_ = nullptr;
    ringHead_ = 0;
    ringTail_ = 0;
}

std::uint64_t UTL_CParticleRuntime::SpawnEffect(std::string_view name, const float position[3],
                                                const float rotationDegrees[3], float scale)
{
    if (!running_) {
        return 0;
    }
    const DefinitionSlot* definition = FindDefinition(name);
    if (definition == nullptr) {
        Report(kParticleEffectNotFound);
        return 0;
    }
    if (PendingCommands() + 2 > kMaxPendingCommands) {
        Report(kParticleCommandRefused);
        return 0;
    }
    const std::uint64_t handle = nextHandle_++;
    UTL_SParticleCommand create;
    create.code = kCommandCreateInstance;
    create.handle = handle;
    create.words[0] = static_cast<std::uint32_t>(definition - definitions_);
    create.wordCount = 1;
    Post(create);

    UTL_SParticleCommand place;
    place.code = kCommandSpawnPosition;
    place.handle = handle;
    const float values[7] = {position[0],        position[1],        position[2], rotationDegrees[0],
                             rotationDegrees[1], rotationDegrees[2], scale};
    std::memcpy(place.words, values, sizeof(values));
    place.wordCount = 7;
    Post(place);
    return handle;
}

bool UTL_CParticleRuntime::SetEffectParameter(std::uint64_t handle, std::uint32_t value)
{
    if (!running_ || handle == 0) {
        return false;
    }
    UTL_SParticleCommand command;
    command.code = kCommandParameter;
    command.handle = handle;
    command.words[0] = value;
    command.wordCount = 1;
    return Post(command);
}

std::uint32_t UTL_CParticleRuntime::PendingCommands() const
{
    return (ringTail_ + kCommandSlots - ringHead_) % kCommandSlots;
}

const UTL_SParticleCommand& UTL_CParticleRuntime::PendingCommand(std::uint32_t i) const
{
    return ring_[(ringHead_ + i) % kCommandSlots];
}

bool UTL_CParticleRuntime::Post(const UTL_SParticleCommand& command)
{
    if (ring_ == nullptr || PendingCommands() >= kMaxPendingCommands) {
        Report(kParticleCommandRefused);
        return false;
    }
    ring_[ringTail_] = command;
    ringTail_ = (ringTail_ + 1) % kCommandSlots;
    return true;
}

void UTL_CParticleRuntime::Report(std::int32_t code) const
{
    if (callbacks_.reportError != nullptr) {
        callbacks_.reportError(code);
    }
}

const UTL_CParticleRuntime::DefinitionSlot* UTL_CParticleRuntime::FindDefinition(std::string_view name) const
{
    if (name.empty() || name.size() >= kEffectNameBytes) {
        return nullptr;
    }
    for (std::uint32_t i = 0; i < kEffectDefinitionSlots; ++i) {
        const DefinitionSlot& slot = definitions_[i];
        if (slot.data != nullptr && name == std::string_view(slot.name)) {
            return &slot;
        }
    }
    return nullptr;
}

}  // namespace vesk::utility::particle
