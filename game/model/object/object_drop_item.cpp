// A stack lying on the ground beside the ship at a place along the route, which comes aboard when the ship passes it.
#include "game/model/object/object_drop_item.h"

#include <algorithm>

#include "framework/process/canvas.h"
#include "framework/graphics/sprite_registry.h"
#include "game/services/data/world_records.h"
#include "game/services/data/item_records.h"
#include "game/services/data/static_lookups.h"
#include "game/services/data/tag.h"
#include "game/model/world/game_world.h"
#include "game/model/object/field_draw.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_item.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/ship_sprite_draw.h"
#include "game/model/ship/ship_world.h"

namespace {

constexpr int kUiSpriteGroup = 2;

}  // namespace

void GAME_CObjectDropItem::Init(const DropItemSetup& setup)
{
    itemId = setup.itemId;
    count = setup.count;
    position = {};
    age = 0;
    state = kWaiting;
    requestedState = kWaiting;
    targetCell = 0;
    waitCounter = 0;
    dead = 0;
    const ItemData* record = FindItemData(itemId);
    spriteIndex = record != nullptr ? record->iconSprite : -1;
    const vesk::resource::SYS_CTexture* sprite = vesk::resource::GetSpriteAt(kUiSpriteGroup, spriteIndex);
    const std::int64_t width = sprite != nullptr ? sprite->GetWidth() : 0;
    routePosition = static_cast<std::int32_t>(std::int64_t{setup.routePosition} + 2 * width);
}

void GAME_CObjectDropItem::Update()
{
    ++age;
    state = requestedState;
    GAME_CShip* ship = ship_world::Ship();
    GAME_CFieldObjectManager* manager = ship_world::FieldObjects();
    if (ship == nullptr || manager == nullptr) return;
    const std::int32_t width = std::max(ship->grid.width, 1);
    std::int32_t column = -1;
    std::int32_t row = -1;
    if (state == kWaiting) {
        // The ship record's pick-up extent: from the ship's place plus its back offset to its
        // place plus its front offset.
        const std::int64_t shipPosition = ShipRoutePosition();
        const std::int64_t front = ship->shipData != nullptr ? ship->shipData->offsets[0] : 0;
        const std::int64_t back = ship->shipData != nullptr ? ship->shipData->offsets[1] : 0;
        if (shipPosition + back <= routePosition && routePosition <= shipPosition + front) {
            waitCounter = 0;
            const std::int32_t bottom = ship->grid.height - 1;
            if (manager->FindFreeItemCell(0, bottom, &column, &row)) {
                requestedState = kBoarding;
                targetCell = bottom * width;
            }
        }
        return;
    }
    if (!manager->FindFreeItemCell(targetCell % width, targetCell / width, &column, &row)) {
        requestedState = kWaiting;
        return;
    }
    targetCell = row * width + column;
    if (++waitCounter >= kBoardingSteps) Board();
}

void GAME_CObjectDropItem::Board()
{
    GAME_CShip* ship = ship_world::Ship();
    GAME_CFieldObjectManager* manager = ship_world::FieldObjects();
    GAME_CObjectItem* item = manager->CreateItemObject();
    if (item == nullptr) return;  // no object left: try again next step
    ItemObjectSetup setup;
    InitItemEntry(setup.entry, itemId, count);
    const std::int32_t width = std::max(ship->grid.width, 1);
    ship->GetCellFloorPoint(targetCell % width, targetCell / width, &setup.x, &setup.y, false);
    item->Init(setup);
    if (!setup.entry.IsValid()) return;  // the pool takes the dead object back
    dead = 1;
    item->SnapToGridCell();
    if (GAME_CGameWorld* world = PeekGameWorld()) ShowItemGotNotice(*world, TagText(itemId));
}

void GAME_CObjectDropItem::Draw()
{
    position = RouteToScreen(routePosition);
    const vesk::resource::SYS_CTexture* sprite = vesk::resource::GetSpriteAt(kUiSpriteGroup, spriteIndex);
    if (sprite == nullptr) return;
    const float zoom = FieldCameraZoom();
    const float half = static_cast<float>(sprite->GetWidth()) * zoom * 0.5f * 0.5f;
    if (position.x + half < 0.0f || position.x - half > vesk::process::kCanvasWidth) return;
    ShipSpriteLook look;
    look.scaleX = zoom * 0.5f;
    look.scaleY = zoom * 0.5f;
    look.pivotX = anchorX;
    look.pivotY = anchorY;
    DrawShipSprite(spriteIndex, position.x, position.y, look);
}
