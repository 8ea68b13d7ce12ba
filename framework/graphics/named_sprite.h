// A sprite named by group and name, looked up once per load of its group instead of at every use.
#pragma once

#include <cstdint>
#include <string_view>

#include "framework/graphics/texture.h"

namespace vesk::resource {

class SpriteRegistry;

// Code that draws every frame names its sprites through this: the name is
// looked up when first asked and again only after its group was loaded or
// released, so a frame costs a comparison instead of a search by name.
// The name must outlive the object (a literal, as a rule).
class NamedSprite {
public:
    constexpr NamedSprite(int group, std::string_view name) : group_(group), name_(name) {}

    int Group() const { return group_; }
    // The sprite's index in its group, -1 when the group has no such sprite.
    int Index() const;
    // The sprite itself, or null.
    SYS_CTexture* Sprite() const;

private:
    int group_;
    std::string_view name_;
    mutable const SpriteRegistry* registry_ = nullptr;
    mutable uint32_t generation_ = 0;
    mutable int index_ = -1;
};

}  // namespace vesk::resource
