#pragma once

#include <cstdint>
#include <string_view>

#include "framework/utility/script/script_target.h"

namespace vesk::utility::script {

// Input of the first pad-state record, as the common table's tests read it.
struct ScriptPadState {
    std::uint32_t held = 0;
    std::uint32_t released = 0;
    std::uint32_t pressed = 0;
    std::uint32_t repeat = 0;
    float leftStick[2] = {};
    float rightStick[2] = {};
};

// What the common command table needs from systems outside the script
// runtime: input, the animation registry, sound and the particle runtime. The
// application installs one at start-up (SetScriptServices). While none is
// installed, the input tests see no pad record, animations are not found,
// sounds do not play and effects are not spawned (handle 0).
class SYS_CScriptServices {
public:
    virtual ~SYS_CScriptServices() = default;

    // The first pad-state record, or null when input does not exist.
    virtual const ScriptPadState* GetFirstPadState() = 0;
    // The animation registered under (set key, id), or null.
    virtual AnimationHandle FindAnimation(std::uint64_t setKey, std::uint32_t id) = 0;
    // Plays wave (group << 16 | index) on an idle voice of the effect voice
    // pool; does nothing without a sound manager or for an unknown wave.
    virtual void PlaySound(std::uint32_t waveId, std::uint32_t parameter) = 0;
    // The particle runtime: spawns an effect by name (rotation in degrees) and
    // returns its handle, 0 for none.
    virtual std::uint64_t SpawnEffect(std::string_view name, const float position[3], const float rotationDegrees[3],
                                      float scale) = 0;
    virtual void SetEffectParameter(std::uint64_t handle, std::uint32_t value) = 0;
};

// Not owned; null removes it. Main thread only.
void SetScriptServices(SYS_CScriptServices* services);
SYS_CScriptServices* GetScriptServices();

}  // namespace vesk::utility::script
