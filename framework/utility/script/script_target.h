// The object a script drives through the common table's animation commands.
#pragma once

#include <cstdint>

namespace vesk::utility::script {

// An animation record of the framework manager's animation registry; the
// script runtime only passes it from the registry to the target.
using AnimationHandle = const void*;

// The object a script drives through the common table's animation commands.
// Engines without such an object (the script-graphic engine, the game's
// setting script) have none, and those commands then do nothing.
class SYS_CScriptTarget {
public:
    virtual ~SYS_CScriptTarget() = default;

    virtual void PlayAnimation(AnimationHandle animation, std::uint32_t startFrame, bool loop, std::uint32_t blendKind,
                               float blendTime) = 0;
    virtual bool IsAnimationEnd() = 0;
    virtual std::uint32_t GetAnimationFrame() = 0;
    // Two target operations that take one word each, passed through as given.
    virtual void ScriptCall9(std::uint32_t value) = 0;
    virtual void ScriptCall10(std::uint32_t value) = 0;

    // The target's animation-set keys by small slot number; a slot the target
    // does not have reads as 0 and ignores writes.
    virtual std::uint64_t GetAnimationSetKey(std::uint32_t slot) = 0;
    virtual void SetAnimationSetKey(std::uint32_t slot, std::uint64_t key) = 0;
};

}  // namespace vesk::utility::script
