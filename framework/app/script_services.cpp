#include "framework/app/script_services.h"

#include "framework/utility/particle/particle_manager.h"
#include "framework/utility/script/script_services.h"

namespace vesk::app {
namespace {

// The application's answers to the common table. Effects go to the particle
// runtime; input, animations and sound are not connected here yet, so those
// commands see no pad, find no animation and play nothing.
class ApplicationScriptServices final : public utility::script::SYS_CScriptServices {
public:
    const utility::script::ScriptPadState* GetFirstPadState() override { return nullptr; }
    utility::script::AnimationHandle FindAnimation(std::uint64_t, std::uint32_t) override { return nullptr; }
    void PlaySound(std::uint32_t, std::uint32_t) override {}

    std::uint64_t SpawnEffect(std::string_view name, const float position[3], const float rotationDegrees[3],
                              float scale) override
    {
        return utility::particle::SpawnEffect(name, position, rotationDegrees, scale);
    }
    void SetEffectParameter(std::uint64_t handle, std::uint32_t value) override
    {
        utility::particle::SetEffectParameter(handle, value);
    }
};

ApplicationScriptServices g_services;

}  // namespace

void InstallScriptServices()
{
    utility::script::SetScriptServices(&g_services);
}

void RemoveScriptServices()
{
    if (utility::script::GetScriptServices() == &g_services) {
        utility::script::SetScriptServices(nullptr);
    }
}

}  // namespace vesk::app
