// The framework's own script services, and the services installed in their place.
#include "framework/utility/script/script_services.h"

#include "framework/input/input_manager.h"
#include "framework/sound/sound_manager.h"
#include "framework/utility/script/animation_registry.h"
#include "framework/utility/particle/particle_manager.h"

namespace vesk::utility::script {
namespace {

class FrameworkScriptServices final : public SYS_CScriptServices {
public:
    bool GetPadState(std::uint32_t pad, ScriptPadState& out) override
    {
        const input::PadInput* record = pad < 4 ? input::GetPadInput(static_cast<int>(pad)) : nullptr;
        if (record == nullptr) {
            return false;
        }
        out.held = record->buttons.held;
        out.released = record->buttons.released;
        out.pressed = record->buttons.pressed;
        out.repeat = record->buttons.repeat;
        out.leftStick[0] = record->axes.leftX;
        out.leftStick[1] = record->axes.leftY;
        out.rightStick[0] = record->axes.rightX;
        out.rightStick[1] = record->axes.rightY;
        return true;
    }

    AnimationHandle FindAnimation(std::uint64_t setKey, std::uint32_t id) override
    {
        const AnimationRegistry* registry = GetAnimationRegistry();
        return registry != nullptr ? registry->Find(setKey, id) : nullptr;
    }

    void PlaySound(std::uint32_t soundId, float volume) override
    {
        const auto id = static_cast<std::int32_t>(soundId);
        if (sound::FindSound(id) != nullptr) {
            sound::PlaySound(sound::kSeGroup, sound::kAnyVoice, volume, id, 1.0f, false);
        }
    }

    std::uint64_t SpawnEffect(std::string_view name, const float position[3], const float rotationDegrees[3],
                              float scale) override
    {
        return particle::SpawnEffect(name, position, rotationDegrees, scale);
    }

    void SetEffectParameter(std::uint64_t handle, std::uint32_t value) override
    {
        particle::SetEffectParameter(handle, value);
    }
};

SYS_CScriptServices* g_installed = nullptr;

}  // namespace

SYS_CScriptServices& GetFrameworkScriptServices()
{
    static FrameworkScriptServices services;
    return services;
}

void SetScriptServices(SYS_CScriptServices* services)
{
    g_installed = services;
}

SYS_CScriptServices& GetScriptServices()
{
    return g_installed != nullptr ? *g_installed : GetFrameworkScriptServices();
}

bool GetFirstPadState(ScriptPadState& out)
{
    return GetScriptServices().GetPadState(0, out);
}

}  // namespace vesk::utility::script
