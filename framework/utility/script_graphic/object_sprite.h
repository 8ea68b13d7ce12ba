// An object of the script-graphic engine that shows one sprite of a loaded sprite package.
#pragma once

#include <cstdint>

#include "framework/utility/script_graphic/object_base.h"

namespace vesk::resource {
class SYS_CTexture;
}

namespace vesk::utility::script_graphic {

// An object that shows one sprite of a loaded sprite package.
class UTL_CObjectSprite final : public UTL_CObjectBase {
public:
    static constexpr std::int32_t kNoGroup = -1;

    UTL_CObjectSprite() { Reset(); }

    // Also forgets the sprite, so a pooled object never shows its last one.
    void Reset() override;
    // Queues the sprite at its world transform; without continues, the batch
    // is drawn and no sprite group is left current.
    void Draw(bool continues) override;
    UTL_EObjectKind GetObjectKind() const override { return kObjectSprite; }

    // Looks the sprite up in the framework manager's sprite registry; when
    // found, shows it with the pivot at its centre. Unchanged (false) when the
    // group holds no such sprite.
    bool SetSprite(std::int32_t group, std::int32_t index);

    // The sprite as the registry holds it now, or null. Looked up afresh: the
    // package may have been released since the sprite was set.
    resource::SYS_CTexture* GetSprite() const;
    std::int32_t GetGroup() const { return group_; }
    std::int32_t GetIndex() const { return index_; }

private:
    bool hasSprite_ = false;
    std::int32_t group_ = kNoGroup;
    std::int32_t index_ = -1;
};

}  // namespace vesk::utility::script_graphic
