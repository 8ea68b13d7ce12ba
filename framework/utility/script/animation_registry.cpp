// The animation registry's records by set key and id, and the one the framework manager holds.
#include "framework/utility/script/animation_registry.h"

namespace vesk::utility::script {

namespace {
AnimationRegistry* g_registry = nullptr;
}

void AnimationRegistry::Register(std::uint64_t setKey, std::uint32_t id, AnimationHandle animation)
{
    sets_[setKey][id] = animation;
}

AnimationHandle AnimationRegistry::Find(std::uint64_t setKey, std::uint32_t id) const
{
    const auto set = sets_.find(setKey);
    if (set == sets_.end()) return nullptr;
    const auto found = set->second.find(id);
    return found != set->second.end() ? found->second : nullptr;
}

void SetAnimationRegistry(AnimationRegistry* registry) { g_registry = registry; }

AnimationRegistry* GetAnimationRegistry() { return g_registry; }

}  // namespace vesk::utility::script
