// What the script commands need from outside the script runtime: input, animations, sound and effects.
#pragma once

#include <cstdint>
#include <string_view>

#include "framework/utility/script/script_target.h"

namespace vesk::utility::script {

// Input of one pad-state record, as the script commands read it.
struct ScriptPadState {
    std::uint32_t held = 0;
    std::uint32_t released = 0;
    std::uint32_t pressed = 0;
    std::uint32_t repeat = 0;
    float leftStick[2] = {};
    float rightStick[2] = {};
};

// What the script commands need from systems outside the script runtime:
// input, the animation registry, sound and the particle runtime. By default
// they are the framework's own (GetFrameworkScriptServices); tests and tools
// may install others.
class SYS_CScriptServices {
public:
    virtual ~SYS_CScriptServices() = default;

    // Pad record 0 to 3; false when there is no such record (no input).
    virtual bool GetPadState(std::uint32_t pad, ScriptPadState& out) = 0;
    // The animation registered under (set key, id), or null.
    virtual AnimationHandle FindAnimation(std::uint64_t setKey, std::uint32_t id) = 0;
    // Plays a sound id (list << 16 | index) on an idle voice of the sound
    // effect group; nothing without a sound manager or for an unknown sound.
    virtual void PlaySound(std::uint32_t soundId, float volume) = 0;
    // The particle runtime: spawns an effect by name (rotation in degrees)
    // and returns its handle, 0 for none.
    virtual std::uint64_t SpawnEffect(std::string_view name, const float position[3], const float rotationDegrees[3],
                                      float scale) = 0;
    virtual void SetEffectParameter(std::uint64_t handle, std::uint32_t value) = 0;
};

// Input, the animation registry, sound and the particle runtime of the
// framework; each does nothing while its system does not exist.
SYS_CScriptServices& GetFrameworkScriptServices();

// Installs services (not owned); null goes back to the framework's.
void SetScriptServices(SYS_CScriptServices* services);
SYS_CScriptServices& GetScriptServices();

// Pad record 0 of the installed services; false when there is none.
bool GetFirstPadState(ScriptPadState& out);

}  // namespace vesk::utility::script
