// The sprite draws the game makes by sprite group and index, and the end of a sprite pass.
#pragma once

#include <cstdint>

#include "framework/graphics/polygon_render.h"
#include "framework/graphics/sprite_registry.h"

namespace vesk::graphics {

// Queues one sprite at a canvas position with the textured renderer's draw
// parameters. With a current sprite group (BeginSpriteDraw) ref is a sprite
// index in it; with none, ref is a texture id. A ref that names nothing
// draws nothing.
void DrawSprite(Vec2f position, std::int32_t ref);
// The same with the sprites of a given registry (the one above uses the
// framework manager's).
void DrawSprite(const resource::SpriteRegistry& registry, Vec2f position, std::int32_t ref);

// Sees every DrawSprite through a registry, before the device draws it: the
// current sprite group (-1: ref is a texture id), the ref and the position
// (test recorders).
class SpriteDrawObserver {
public:
    virtual ~SpriteDrawObserver() = default;
    virtual void OnSpriteDraw(int group, std::int32_t ref, Vec2f position) = 0;
};
// Null (the default) for none; not owned.
void SetSpriteDrawObserver(SpriteDrawObserver* observer);

// Draws the pending sprites and leaves no sprite group current, with blend
// mode 5 (the blend state as it is) and the default text style.
void EndSpriteDraw();

}  // namespace vesk::graphics
