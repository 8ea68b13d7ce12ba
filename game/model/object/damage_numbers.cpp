// Floating damage numbers: the rings of crew, cell and enemy numbers that rise from where the hit landed and fade.
#include "game/model/object/damage_numbers.h"

#include <cmath>

#include "framework/process/canvas.h"
#include "framework/graphics/device_record.h"
#include "framework/graphics/polygon_render.h"
#include "framework/graphics/sprite_registry.h"
#include "framework/math/random.h"
#include "framework/text/font_manager.h"
#include "game/services/player/player_data.h"
#include "game/services/text/full_width.h"
#include "game/model/object/field_draw.h"
#include "game/model/object/object_actor.h"
#include "game/model/object/object_enemy.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/ship_world.h"

namespace {

constexpr int kCrewColorIndex = 8;
constexpr int kEnemyColorIndex = 9;
constexpr int kEnemySpriteGroup = 3;
constexpr std::int32_t kHalfLife = 30;
constexpr std::int32_t kEnemyBaseHeight = 10;
constexpr float kEnemyRaise = 16.0f;
constexpr std::size_t kTextUnits = 32;

// A free slot, else the oldest (the first of equal ages); zeroed for the caller.
template <typename Slot, std::size_t N>
Slot& TakeSlot(std::array<Slot, N>& slots)
{
    Slot* taken = nullptr;
    for (Slot& slot : slots) {
        if (slot.age < 1 && slot.value < 1) {
            taken = &slot;
            break;
        }
    }
    if (taken == nullptr) {
        taken = &slots[0];
        for (Slot& slot : slots) {
            if (slot.age > taken->age) taken = &slot;
        }
    }
    *taken = Slot{};
    return *taken;
}

template <typename Slot>
bool IsLive(const Slot& slot)
{
    return slot.value >= 1 && slot.age < DamageNumbers::kLifeSteps;
}

// A canvas point of the field relative to the ship's screen offset.
void PlaceOnField(DamageNumbers::CrewSlot& slot, float fieldX, float fieldY)
{
    const FieldFrame frame = CurrentFieldFrame();
    const vesk::math::Vec2 point = frame.ToScreen({fieldX, fieldY});
    const GAME_CShip* ship = ship_world::Ship();
    slot.x = std::trunc(point.x) - (ship != nullptr ? ship->scrollX : 0);
    slot.y = std::trunc(point.y) - (ship != nullptr ? ship->scrollY : 0);
}

// The text style and font are set before the first number and the draw flushed after the last.
class NumberPainter {
public:
    ~NumberPainter()
    {
        if (!started_) return;
        if (vesk::graphics::DeviceRecord* device = vesk::graphics::GetDeviceRecord()) device->textureRenderer.Flush();
        if (fonts_ != nullptr) fonts_->ResetTextStyle();
    }

    void Paint(float x, float y, std::int32_t value, std::int32_t age, std::uint32_t color)
    {
        if (x < 0.0f || x > vesk::process::kCanvasWidth) return;
        if (!started_) Start();
        if (fonts_ == nullptr) return;
        char16_t text[kTextUnits] = {};
        FormatFullWidthNumber(text, kTextUnits, value);
        const auto alpha = static_cast<std::uint32_t>(DamageNumberOpacity(age));
        fonts_->Style().color = (color & 0x00FFFFFFu) | alpha << 24;
        fonts_->DrawString({x, y}, text);
    }

private:
    void Start()
    {
        started_ = true;
        fonts_ = vesk::text::GetFontManager();
        if (fonts_ == nullptr) return;
        const GAME_CPlayerData* player = GetPlayerData();
        fonts_->ResetTextStyle();
        fonts_->SetCurrentFont(player != nullptr ? player->fontIndex : 0);
        vesk::graphics::BeginSpriteDraw(-1, 4);
    }

    bool started_ = false;
    vesk::text::SYS_CFontManager* fonts_ = nullptr;
};

}  // namespace

std::int32_t DamageNumberOpacity(std::int32_t age)
{
    return age < kHalfLife ? 255 : (DamageNumbers::kLifeSteps - age) * 255 / kHalfLife;
}

std::int32_t DamageNumberRise(std::int32_t age) { return age < kHalfLife ? age : kHalfLife + (age - kHalfLife) / 2; }

void DamageNumbers::AddCell(std::int32_t column, std::int32_t row, std::int32_t value)
{
    const GAME_CShip* ship = ship_world::Ship();
    if (value < 1 || ship == nullptr) return;
    const GAME_CShipGrid::Cell* cell = ship->grid.GetCell(column, row);
    if (cell == nullptr || cell->usable == 0) return;
    CrewSlot& slot = TakeSlot(crew_);
    PlaceOnField(slot, static_cast<float>(column) * ship->grid.cellWidth + ship->grid.cellWidth / 2.0f,
                 static_cast<float>(row + 1) * ship->grid.cellHeight - 1.0f);
    slot.value = value;
}

void DamageNumbers::AddActor(const GAME_CObjectActor* actor, std::int32_t value)
{
    if (value < 1 || actor == nullptr || actor->active == 0) return;
    CrewSlot& slot = TakeSlot(crew_);
    PlaceOnField(slot, actor->position.x, actor->position.y);
    slot.value = value;
}

void DamageNumbers::AddEnemy(const GAME_CObjectEnemy& enemy, std::int32_t value)
{
    if (value < 1) return;
    EnemySlot& slot = TakeSlot(enemy_);
    slot.x = static_cast<std::int32_t>(std::int64_t{enemy.routePosition} + (vesk::math::Rand() & 15) - 8);
    slot.y = kEnemyBaseHeight;
    const vesk::resource::SYS_CTexture* sprite = vesk::resource::GetSpriteAt(kEnemySpriteGroup, enemy.spriteIndex);
    if (sprite != nullptr && sprite->GetHeight() > 0) {
        const std::int32_t h = sprite->GetHeight();
        slot.y = kEnemyBaseHeight + vesk::math::RandInt(h) - h / 2;
    }
    slot.value = value;
}

void DamageNumbers::AgeDamageNumbers()
{
    const auto age = [](auto& slot) {
        if (slot.value <= 0) return;
        if (++slot.age >= kLifeSteps) {
            slot.age = 0;
            slot.value = 0;
        }
    };
    for (CrewSlot& slot : crew_) age(slot);
    for (EnemySlot& slot : enemy_) age(slot);
}

void DamageNumbers::Clear()
{
    crew_ = {};
    enemy_ = {};
}

void DamageNumbers::Draw() const
{
    const GAME_CShip* ship = ship_world::Ship();
    const float offsetX = ship != nullptr ? ship->scrollX : 0.0f;
    const float offsetY = ship != nullptr ? ship->scrollY : 0.0f;
    NumberPainter painter;
    for (const CrewSlot& slot : crew_) {
        if (!IsLive(slot)) continue;
        painter.Paint(offsetX + slot.x, offsetY + slot.y - static_cast<float>(DamageNumberRise(slot.age)), slot.value,
                      slot.age, GetUIColor(kCrewColorIndex));
    }
    for (const EnemySlot& slot : enemy_) {
        if (!IsLive(slot)) continue;
        const vesk::math::Vec2 point = RouteToScreen(slot.x);
        painter.Paint(point.x, point.y - kEnemyRaise - static_cast<float>(DamageNumberRise(slot.age)), slot.value,
                      slot.age, GetUIColor(kEnemyColorIndex));
    }
}
