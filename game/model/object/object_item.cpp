// An item stack lying on a cell of the ship's grid or carried by a crew member, and the item entry every stack is made of.
#include "game/model/object/object_item.h"

#include <algorithm>
#include <cmath>

#include "framework/math/scalar.h"
#include "game/services/data/item_records.h"
#include "game/services/data/static_lookups.h"
#include "game/services/data/task_records.h"
#include "game/services/save/save_image.h"
#include "game/services/save/working_slot.h"
#include "game/model/world/game_world_ready.h"
#include "game/model/object/field_draw.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/ship_sprite_draw.h"
#include "game/model/ship/ship_world.h"
#include "game/model/ship/task_base.h"
#include "game/model/ship/task_manager.h"

namespace {

constexpr float kHopSpeed = 1.25f;
constexpr float kGravity = 0.05f;

}  // namespace

std::int32_t InitItemEntry(ItemEntry& entry, std::uint32_t itemId, std::int32_t count)
{
    entry = ItemEntry{itemId, FindItemData(itemId), 0};
    if (entry.record == nullptr) return 0;
    // A stack holds at least one: a limit below 1 in the data does not make the item vanish.
    const std::int32_t limit = std::max(entry.record->stackLimit, 1);
    entry.count = std::max(0, std::min(count, limit));
    return limit;
}

const float* GetUnitScale()
{
    static const float kUnitScale[2] = {1.0f, 1.0f};
    return kUnitScale;
}

GAME_CObjectItem::GAME_CObjectItem()
{
    anchorX = 0.5f;
    anchorY = 1.0f;
}

void GAME_CObjectItem::Init(const ItemObjectSetup& setup)
{
    dead = 0;
    carrier = nullptr;
    bounceOffset = {};
    bounceStep = 0;
    bounceAngle = 0.0f;
    anchorX = 0.5f;
    anchorY = 1.0f;
    position = {setup.x, setup.y};
    itemId = setup.entry.itemId;
    record = setup.entry.record;
    count = setup.entry.count;
    // A pooled object may come back with the timer of its last life: a new stack asks anew.
    requestTimer = 0;
    if (!HasValidEntry()) {
        dead = 1;
        return;
    }
    spriteIndex = record->iconSprite;
    if (!setup.noSound) ship_world::PlaySoundEffect(kPlacedSound, kPlacedSoundVolume);
    if (IsGameWorldReady()) working_slot::MarkItemDiscovered(itemId);
    if (setup.carrierRequested) requestTimer = 1;
}

std::int32_t GAME_CObjectItem::GetCellColumn() const
{
    if (carrier != nullptr) return -1;
    return static_cast<std::int32_t>(static_cast<std::int32_t>(position.x) / FieldCellWidth());
}

std::int32_t GAME_CObjectItem::GetCellRow() const
{
    if (carrier != nullptr) return -1;
    return static_cast<std::int32_t>(static_cast<std::int32_t>(position.y) / FieldCellHeight());
}

void GAME_CObjectItem::SnapToGridCell()
{
    cellX = GetCellColumn();
    cellY = GetCellRow();
    if (carrier == nullptr) position = CellFloorMiddle(cellX, cellY);
    bounceOffset = {};
    bounceStep = 1;
}

void GAME_CObjectItem::SetCarrier(GAME_CObjectActor* actor)
{
    if (actor != nullptr) {
        requestTimer = 1;
        carrier = actor;
        return;
    }
    if (carrier == nullptr) return;
    std::int32_t column = cellX;
    std::int32_t row = cellY;
    std::int32_t freeColumn = -1;
    std::int32_t freeRow = -1;
    GAME_CFieldObjectManager* manager = ship_world::FieldObjects();
    if (manager != nullptr &&
        manager->FindFreeItemCell(carrier->GetGridColumn(), carrier->GetGridRow(), &freeColumn, &freeRow)) {
        column = freeColumn;
        row = freeRow;
    }
    column = std::clamp(column, 0, GAME_CShipGrid::kMaxWidth - 1);
    row = std::clamp(row, 0, GAME_CShipGrid::kMaxHeight - 1);
    cellX = column;
    cellY = row;
    position = CellFloorMiddle(column, row);
    carrier = nullptr;
}

void GAME_CObjectItem::PostCarryRequest()
{
    const GAME_CTaskRequest request = MakeItemCarrierRequest(this, GetCellColumn(), GetCellRow());
    GAME_CTaskBase::CreateFromRequest(request);
}

void GAME_CObjectItem::Update()
{
    if (!HasValidEntry()) {
        dead = 1;
        return;
    }
    if (carrier != nullptr) {
        if (carrier->carriedItem == nullptr) carrier->SetCarriedItem(this);
        requestTimer = 1;
        bounceStep = 0;
        return;
    }
    if (bounceStep == 0) {
        if (requestTimer != 0 && ++requestTimer > kRequestPeriod) {
            requestTimer = 1;
            PostCarryRequest();
        }
        return;
    }
    Hop();
}

void GAME_CObjectItem::Hop()
{
    const float angle = bounceAngle * vesk::math::kFloatDegreesToRadians;
    const float t = static_cast<float>(bounceStep);
    bounceOffset.x += std::sin(angle) * kHopSpeed;
    ++bounceStep;
    bounceOffset.y = -kHopSpeed * std::cos(angle) * t + kGravity * t * t;
    if (bounceOffset.y < 0.0f) return;
    // Landed.
    position.x += bounceOffset.x;
    bounceOffset = {};
    bounceStep = 0;
    if (requestTimer < 1) {
        PostCarryRequest();
        requestTimer = 1;
    }
}

void GAME_CObjectItem::Release()
{
    itemId = kNoId;
    record = nullptr;
    count = 0;
    if (carrier != nullptr) {
        if (carrier->carriedItem == this) carrier->carriedItem = nullptr;
        carrier = nullptr;
    }
    GAME_CTaskManager* tasks = ship_world::Tasks();
    const GAME_CFieldObjectManager* manager = ship_world::FieldObjects();
    if (!IsGameWorldReady() || tasks == nullptr) return;
    // Carry tasks aimed at this stack, or at nothing any more, are called off.
    for (GAME_CTaskBase* task : tasks->tasks) {
        if (task == nullptr || task->GetKind() != kTaskItemCarrier) continue;
        const auto* target = task->GetTargetIndex().item;
        const bool mine = target == this;
        const bool lost = target == nullptr || manager == nullptr || !manager->IsItemActive(target) ||
                          !target->HasValidEntry();
        if (!mine && !lost) continue;
        task->cancel = 1;
        if (task->IsRoomTask()) {
            if (GAME_CRoomBase* room = task->GetRoom()) room->DetachTask(task);
        }
        if (mine) break;
    }
}

void GAME_CObjectItem::Draw()
{
    if (carrier != nullptr) return;
    const FieldFrame frame = CurrentFieldFrame();
    const vesk::math::Vec2 point = frame.ToScreen(position);
    ShipSpriteLook look;
    look.scaleX = frame.SpriteScaleX();
    look.scaleY = frame.SpriteScaleY();
    look.pivotX = anchorX;
    look.pivotY = anchorY;
    DrawShipSprite(spriteIndex, point.x + bounceOffset.x * look.scaleX, point.y + bounceOffset.y * look.scaleY, look);
}

void GAME_CObjectItem::DrawCarried(const vesk::math::Vec2& point, float scaleX, float scaleY) const
{
    ShipSpriteLook look;
    look.scaleX = scaleX;
    look.scaleY = scaleY;
    look.pivotX = anchorX;
    look.pivotY = anchorY;
    DrawShipSprite(spriteIndex, point.x, point.y, look);
}

void GAME_CObjectItem::DrawOverlay(const FieldView& view)
{
    if (carrier != nullptr) return;
    const float width = static_cast<float>(GetBoxWidth());
    const float height = static_cast<float>(GetBoxHeight());
    if (!IsRectOnScreen(view.x, view.y, view.scale, position.x - width * anchorX, position.y - height * anchorY,
                        width, height)) {
        return;
    }
    ShipSpriteLook look;
    look.scaleX = view.scale;
    look.scaleY = view.scale;
    look.pivotX = anchorX;
    look.pivotY = anchorY;
    DrawShipSprite(spriteIndex, view.x + (position.x + bounceOffset.x) * view.scale,
                   view.y + (position.y + bounceOffset.y) * view.scale, look);
}
