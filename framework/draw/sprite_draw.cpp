// Sprite draws through the framework's registry, and the end of a sprite pass that also resets the text style.
#include "framework/draw/sprite_draw.h"

#include "framework/graphics/device_record.h"
#include "framework/graphics/render_states.h"
#include "framework/graphics/sprite_registry.h"
#include "framework/text/font_manager.h"

namespace vesk::graphics {

namespace {
SpriteDrawObserver* g_drawObserver = nullptr;
}  // namespace

void SetSpriteDrawObserver(SpriteDrawObserver* observer)
{
    g_drawObserver = observer;
}

void DrawSprite(Vec2f position, std::int32_t ref)
{
    if (const resource::SpriteRegistry* registry = resource::GetSpriteRegistry()) DrawSprite(*registry, position, ref);
}

void DrawSprite(const resource::SpriteRegistry& registry, Vec2f position, std::int32_t ref)
{
    const int group = GetSpriteDrawState().group;
    if (g_drawObserver) g_drawObserver->OnSpriteDraw(group, ref, position);
    DeviceRecord* record = GetDeviceRecord();
    if (!record) return;
    resource::SYS_CTexture* sprite = group != -1 ? registry.GetSprite(group, ref) : registry.GetTextureById(ref);
    record->textureRenderer.AddSprite(record->textureRenderer.drawParam, position, sprite);
}

void EndSpriteDraw()
{
    if (DeviceRecord* record = GetDeviceRecord()) record->textureRenderer.Flush();
    SpriteDrawState& state = GetSpriteDrawState();
    state.group = -1;
    state.blendMode = kBlendModeKeep;
    if (text::SYS_CFontManager* fonts = text::GetFontManager()) fonts->ResetTextStyle();
}

}  // namespace vesk::graphics
