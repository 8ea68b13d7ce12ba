// Sprites named by group and name, resolved again only when their group changed.
#include "framework/graphics/named_sprite.h"

#include "framework/graphics/sprite_registry.h"

namespace vesk::resource {

int NamedSprite::Index() const
{
    const SpriteRegistry* registry = GetSpriteRegistry();
    if (!registry) return -1;
    const uint32_t generation = registry->GroupGeneration(group_);
    if (registry != registry_ || generation != generation_) {
        index_ = registry->FindSprite(group_, name_);
        registry_ = registry;
        generation_ = generation;
    }
    return index_;
}

SYS_CTexture* NamedSprite::Sprite() const
{
    const int index = Index();
    const SpriteRegistry* registry = GetSpriteRegistry();
    return registry && index >= 0 ? registry->GetSprite(group_, index) : nullptr;
}

}  // namespace vesk::resource
