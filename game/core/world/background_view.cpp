// The background view: the distant view, the near-view layers and the route's objects.
#include "game/core/world/background_view.h"

#include "framework/process/canvas.h"
#include "framework/graphics/device_record.h"
#include "framework/draw/sprite_draw.h"
#include "framework/graphics/sprite_registry.h"

void GAME_CBackgroundView::SetDistantView(int index, std::int32_t textureId)
{
    if (index >= 0 && index < kDistantViewCount) distantViews_[index] = textureId;
}

void GAME_CBackgroundView::SetEndingImage(int index, std::int32_t textureId)
{
    if (index >= 0 && index < kEndingImageCount) endingImages_[index] = textureId;
}

std::int32_t GAME_CBackgroundView::GetDistantView(int index) const
{
    return index >= 0 && index < kDistantViewCount ? distantViews_[index] : -1;
}

void GAME_CBackgroundView::DrawRearLayers() const
{
    const vesk::resource::SpriteRegistry* registry = vesk::resource::GetSpriteRegistry();
    vesk::graphics::DeviceRecord* device = vesk::graphics::GetDeviceRecord();
    const vesk::resource::SYS_CTexture* image = registry ? registry->GetTextureById(distantViews_[0]) : nullptr;
    if (device == nullptr || image == nullptr || image->GetWidth() < 1 || image->GetHeight() < 1) return;
    vesk::graphics::BeginSpriteDraw(-1, 4);
    vesk::graphics::DrawParam& param = device->textureRenderer.drawParam;
    vesk::graphics::InitDrawParam(param);
    param.scaleX = vesk::process::kCanvasWidth / static_cast<float>(image->GetWidth());
    param.scaleY = vesk::process::kCanvasHeight / static_cast<float>(image->GetHeight());
    vesk::graphics::DrawSprite({0.0f, 0.0f}, distantViews_[0]);
    vesk::graphics::InitDrawParam(param);
    vesk::graphics::EndSpriteDraw();
}
