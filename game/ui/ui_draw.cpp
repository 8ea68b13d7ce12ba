// What every widget and screen shares: UI sprites by name, sprite and text draws, sound effects, pointer tests.
#include "game/ui/ui_draw.h"

#include "framework/draw/sprite_draw.h"
#include "framework/graphics/device_record.h"
#include "framework/graphics/scissor.h"
#include "framework/graphics/sprite_registry.h"
#include "framework/input/input_manager.h"
#include "framework/input/touch_search.h"
#include "framework/text/font_manager.h"
#include "game/services/player/player_data.h"
#include "game/services/input/input_map.h"
#include "game/services/input/input_map_links.h"
#include "game/services/sound/sound_player.h"
#include "game/services/text/draw_state.h"
#include "game/services/text/language.h"

using vesk::math::Vec2;

std::int32_t FindUISprite(std::string_view name) { return vesk::resource::FindSpriteIndex(kUISpriteGroup, name); }

vesk::resource::SYS_CTexture* GetUISprite(std::int32_t index)
{
    if (index < 0) return nullptr;
    return vesk::resource::GetSpriteAt(kUISpriteGroup, index);
}

Vec2 UISpriteSize(std::int32_t index)
{
    const vesk::resource::SYS_CTexture* sprite = GetUISprite(index);
    if (sprite == nullptr) return {0.0f, 0.0f};
    return {static_cast<float>(sprite->GetWidth()), static_cast<float>(sprite->GetHeight())};
}

std::uint32_t UILineKindColor(std::int64_t kind)
{
    constexpr std::uint32_t kKindColors[] = {0xFFFABB33u, 0xFF704EEFu, 0xFF40ECD6u, 0xFF32E850u};
    if (kind < 1 || kind > 4) return GetUIColor(kUIColorText);
    return kKindColors[kind - 1];
}

void BeginUISprites() { vesk::graphics::BeginSpriteDraw(kUISpriteGroup, 4); }

void FlushUISprites()
{
    if (vesk::graphics::DeviceRecord* record = vesk::graphics::GetDeviceRecord()) record->textureRenderer.Flush();
    vesk::graphics::SpriteDrawState& state = vesk::graphics::GetSpriteDrawState();
    state.group = -1;
    state.blendMode = 5;
}

void DrawUISprite(Vec2 position, std::int32_t index, const vesk::graphics::DrawParam& param)
{
    vesk::graphics::DeviceRecord* record = vesk::graphics::GetDeviceRecord();
    if (record == nullptr || index < 0) return;
    BeginUISprites();
    record->textureRenderer.drawParam = param;
    vesk::graphics::DrawSprite({position.x, position.y}, index);
    vesk::graphics::InitDrawParam(record->textureRenderer.drawParam);
}

void DrawUISprite(Vec2 position, std::int32_t index, std::uint32_t color)
{
    vesk::graphics::DrawParam param;
    vesk::graphics::InitDrawParam(param);
    param.color = color;
    DrawUISprite(position, index, param);
}

void DrawGroupSprite(int group, Vec2 position, std::int32_t index, const vesk::graphics::DrawParam& param)
{
    vesk::graphics::DeviceRecord* record = vesk::graphics::GetDeviceRecord();
    if (record == nullptr || index < 0) return;
    FlushUISprites();
    vesk::graphics::BeginSpriteDraw(group, 4);
    record->textureRenderer.drawParam = param;
    vesk::graphics::DrawSprite({position.x, position.y}, index);
    vesk::graphics::InitDrawParam(record->textureRenderer.drawParam);
    FlushUISprites();
}

void DrawUIRect(Vec2 position, Vec2 size, std::uint32_t color)
{
    vesk::graphics::DeviceRecord* record = vesk::graphics::GetDeviceRecord();
    if (record == nullptr) return;
    // What was queued before stays below the rectangle.
    FlushUISprites();
    vesk::graphics::BeginColorPolygonDraw();
    record->colorRenderer.AddRect({position.x, position.y}, {size.x, size.y}, color);
    record->colorRenderer.Flush();
}

int UIFontSlot()
{
    const GAME_CPlayerData* player = GetPlayerData();
    return player != nullptr ? static_cast<int>(player->fontIndex) : 0;
}

void ClipUIDraws(Vec2 position, Vec2 size)
{
    vesk::graphics::SetCanvasScissor({{position.x, position.y}, {size.x, size.y}});
}

void ClearUIClip() { vesk::graphics::ClearCanvasScissor(); }

void DrawUIText(Vec2 position, std::u16string_view text, std::uint32_t color, float scale, int fontSlot)
{
    vesk::text::SYS_CFontManager* fonts = vesk::text::GetFontManager();
    if (fonts == nullptr || text.empty()) return;
    fonts->SetCurrentFont(static_cast<std::uint32_t>(fontSlot >= 0 ? fontSlot : UIFontSlot()));
    vesk::text::TextStyle& style = fonts->Style();
    style.color = color;
    style.scale = scale;
    style.anchorX = 0.0f;
    style.anchorY = 0.0f;
    fonts->DrawString({position.x, position.y}, text);
    fonts->ResetTextStyle();
}

float MeasureUIText(std::u16string_view text) { return MeasureText(text); }

float MeasureUIText(std::u16string_view text, int fontSlot)
{
    if (fontSlot < 0) return MeasureText(text);
    const vesk::text::SYS_CFontManager* fonts = vesk::text::GetFontManager();
    if (fonts == nullptr) return 0.0f;
    int lines = 0;
    return fonts->MeasureString(fontSlot, text, 0.0f, &lines, true);
}

std::uint32_t UITextLanguage()
{
    const GAME_CPlayerData* player = GetPlayerData();
    return player != nullptr ? player->language : kLanguageEnglish;
}

int UIFontSlotForTextIn(std::uint32_t language)
{
    if (language == UITextLanguage()) return UIFontSlot();
    return static_cast<int>(GetKeptFontSlotForLanguage(language));
}

float UILineHeight()
{
    const vesk::text::SYS_CFontManager* fonts = vesk::text::GetFontManager();
    if (fonts == nullptr) return 0.0f;
    const vesk::text::FontRecord* font = fonts->Font(UIFontSlot());
    if (font == nullptr) return 0.0f;
    return font->CellHeight() * (font->size > 0.0f ? font->size : 1.0f);
}

void PlayUISE(std::int32_t id, float factor)
{
    if (id < 0 || id >= static_cast<std::int32_t>(kSoundEffectCount)) return;
    GetSoundPlayer()->PlaySE(static_cast<std::uint32_t>(id), factor);
}

namespace {

const GAME_CInputMap* ActiveInputMap() { return IsInputMapActive() ? GetInputMap() : nullptr; }

}  // namespace

bool IsUIPointerRefused() { return IsShipTurning(); }

bool IsUIClickInRect(Vec2 topLeft, Vec2 bottomRight)
{
    const GAME_CInputMap* map = ActiveInputMap();
    return map != nullptr && map->IsPointerInRect(topLeft, bottomRight);
}

std::int32_t ClickedUIListRow(Vec2 topLeft, std::int32_t count, Vec2 size)
{
    for (std::int32_t row = 0; row < count; ++row) {
        const float top = topLeft.y + kUILineStep * static_cast<float>(row);
        if (IsUIClickInRect({topLeft.x, top}, {topLeft.x + size.x, top + size.y})) return row;
    }
    return -1;
}

bool IsUIHeldInRect(Vec2 topLeft, Vec2 bottomRight)
{
    const GAME_CInputMap* map = ActiveInputMap();
    return map != nullptr && map->IsAnyPointerInRect(topLeft, bottomRight);
}

bool IsUIDownInRect(Vec2 topLeft, Vec2 bottomRight)
{
    return IsUIClickInRect(topLeft, bottomRight) || IsUIHeldInRect(topLeft, bottomRight);
}

bool IsUIPointerOverRect(Vec2 topLeft, Vec2 bottomRight)
{
    const GAME_CInputMap* map = ActiveInputMap();
    if (map == nullptr) return false;
    for (const vesk::input::TouchList* points : {&map->GetPressedPointers(), &map->GetHeldPointers(), &map->GetIdlePointers()}) {
        for (const vesk::input::TouchPoint* point : *points) {
            if (point != nullptr && point->x >= topLeft.x && point->x <= bottomRight.x && point->y >= topLeft.y && point->y <= bottomRight.y) {
                return true;
            }
        }
    }
    return false;
}

bool IsAnyUIPointerHeld()
{
    const GAME_CInputMap* map = ActiveInputMap();
    return map != nullptr && !map->GetHeldPointers().empty();
}

Vec2 FirstUIPointerPosition()
{
    const GAME_CInputMap* map = ActiveInputMap();
    return map != nullptr ? map->GetFirstPointerPosition() : Vec2{-100.0f, -100.0f};
}

bool IsUIClickInCircle(Vec2 centre, float radius)
{
    const GAME_CInputMap* map = ActiveInputMap();
    if (map == nullptr || IsUIPointerRefused()) return false;
    return vesk::input::FindObjectInRadius(map->GetPressedPointers(), centre, radius) != nullptr;
}

bool IsUIDownInCircle(Vec2 centre, float radius)
{
    const GAME_CInputMap* map = ActiveInputMap();
    if (map == nullptr || IsUIPointerRefused()) return false;
    return vesk::input::FindObjectInRadius(map->GetPressedPointers(), centre, radius) != nullptr ||
           vesk::input::FindObjectInRadius(map->GetHeldPointers(), centre, radius) != nullptr;
}

std::int32_t UIWheelSteps()
{
    const vesk::input::MouseInput* mouse = vesk::input::GetMouseInput();
    return mouse != nullptr ? mouse->wheelSteps : 0;
}

bool IsUIActionTriggered(int action)
{
    const GAME_CInputMap* map = ActiveInputMap();
    return map != nullptr && map->IsActionTriggered(action);
}

bool IsUIActionHeld(int action)
{
    const GAME_CInputMap* map = ActiveInputMap();
    return map != nullptr && map->IsActionHeld(action);
}

bool IsUIActionRepeated(int action)
{
    const GAME_CInputMap* map = ActiveInputMap();
    return map != nullptr && map->IsActionRepeated(action);
}

bool IsUIMenuSlot(int mode, int slot)
{
    const GAME_CInputMap* map = ActiveInputMap();
    return map != nullptr && map->IsActionInMode(mode, slot);
}

bool IsUIMenuPressed(int slot, bool repeats)
{
    return IsUIMenuSlot(GAME_CInputMap::kModePressed, slot) || (repeats && IsUIMenuSlot(GAME_CInputMap::kModeRepeat, slot));
}
