// Layout objects drawn with the framework's sprites, and the data attached to them.
#include "framework/utility/layout/layout_object.h"

#include <algorithm>

#include "framework/draw/sprite_draw.h"
#include "framework/graphics/device_record.h"
#include "framework/graphics/polygon_render.h"
#include "framework/graphics/sprite_registry.h"

namespace vesk::layout {

namespace {

// Parts hold their colour red first from the most significant byte; the
// renderer wants the bytes red first in memory.
std::uint32_t ToDrawColor(std::uint32_t rgba)
{
    return ((rgba >> 24) & 0xFFu) | ((rgba >> 8) & 0xFF00u) | ((rgba << 8) & 0xFF0000u) | (rgba << 24);
}

}  // namespace

std::int32_t SYS_CObjectForVesk::ResolveSprite(plix::SYS_CPart& part)
{
    part.spriteIndex = resource::FindSpriteIndex(static_cast<int>(spriteGroup_), part.spriteName);
    return part.spriteIndex;
}

void SYS_CObjectForVesk::BeginDraw(int blendMode)
{
    graphics::BeginSpriteDraw(static_cast<int>(spriteGroup_), blendMode);
}

void SYS_CObjectForVesk::EndBatch()
{
    layout::EndBatch();
}

bool SYS_CObjectForVesk::DrawPart(const plix::SYS_CPart& part)
{
    if (part.spriteIndex == -1) return false;
    if (graphics::DeviceRecord* record = graphics::GetDeviceRecord()) {
        graphics::DrawParam& param = record->textureRenderer.drawParam;
        // Start from the defaults so flips or a sub-rectangle of an earlier draw do not carry over.
        graphics::InitDrawParam(param);
        param.scaleX = part.scaleX;
        param.scaleY = part.scaleY;
        param.color = ToDrawColor(part.color);
        param.angle = part.rotation;
        param.pivotX = 0.5f;
        param.pivotY = 0.5f;
        graphics::DrawSprite({static_cast<float>(part.x), static_cast<float>(part.y)}, part.spriteIndex);
    }
    return true;
}

bool SYS_CObjectForVesk::GetData(std::uint32_t id, const void*& data, std::size_t& size) const
{
    for (const auto& entry : data_) {
        if (entry->key == id) {
            data = entry->data.data();
            size = entry->data.size();
            return true;
        }
    }
    return false;
}

void SYS_CObjectForVesk::AddData(std::uint32_t key, std::span<const std::uint8_t> bytes)
{
    data_.push_back(std::make_unique<LayoutDataEntry>(LayoutDataEntry{key, {bytes.begin(), bytes.end()}}));
}

bool SYS_CObjectForVesk::FreeData(std::uint32_t key)
{
    const auto entry = std::find_if(data_.begin(), data_.end(), [key](const auto& e) { return e->key == key; });
    if (entry == data_.end()) return false;
    data_.erase(entry);
    return true;
}

void EndBatch()
{
    graphics::EndSpriteDraw();
}

}  // namespace vesk::layout
