// Animation records by animation-set key and animation id, for the play-animation commands.
#pragma once

#include <cstdint>
#include <map>

#include "framework/utility/script/script_target.h"

namespace vesk::utility::script {

// Maps a 64-bit animation-set key and a 32-bit animation id to an animation
// record, which it does not own. The framework manager keeps the one the
// common table's play-animation commands look their animations up in.
class AnimationRegistry {
public:
    // Registers the record under (set key, id), replacing one there was.
    void Register(std::uint64_t setKey, std::uint32_t id, AnimationHandle animation);
    // The record of (set key, id), or null.
    AnimationHandle Find(std::uint64_t setKey, std::uint32_t id) const;

private:
    std::map<std::uint64_t, std::map<std::uint32_t, AnimationHandle>> sets_;
};

// The registry the framework's script services look animations up in: the
// framework manager installs its own for its lifetime. Null: none is found.
void SetAnimationRegistry(AnimationRegistry* registry);
AnimationRegistry* GetAnimationRegistry();

}  // namespace vesk::utility::script
