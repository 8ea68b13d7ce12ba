// Changing the ship: a new hull, grid and stats, every room back to the pool, and optionally the old ship's stock kept in one storage room.
#include <algorithm>

#include "framework/process/canvas.h"
#include "game/model/stores/ammo_storage.h"
#include "game/model/stores/food_storage.h"
#include "game/services/data/id_tags.h"
#include "game/services/player/inventory.h"
#include "game/services/player/player_data.h"
#include "game/services/data/static_lookups.h"
#include "game/services/data/tag.h"
#include "game/model/world/camera2d.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/ship_paths.h"
#include "game/model/ship/ship_world.h"
#include "game/model/ship/task_manager.h"

namespace {

constexpr std::uint32_t kKeptStockRoom = MakeTag("ID90");

void CollectMaterials(const std::array<ItemCount, 8>& materials, std::vector<std::uint32_t>& units)
{
    for (const ItemCount& material : materials) {
        if (IsUnusedItemCount(material)) break;
        units.insert(units.end(), static_cast<std::size_t>(material.count), material.itemId);
    }
}

void CollectLooseItems(std::vector<std::uint32_t>& units)
{
    GAME_CFieldObjectManager* objects = ship_world::FieldObjects();
    if (objects == nullptr) return;
    for (const GAME_CObjectItem* item : objects->items) {
        if (item != nullptr && item->dead == 0 && item->count > 0) {
            units.insert(units.end(), static_cast<std::size_t>(item->count), item->itemId);
        }
    }
    objects->ClearItems();
}

}  // namespace

bool GAME_CShip::ChangeShip(std::uint32_t newTag, bool keepItems)
{
    const ShipData* record = FindShipData(newTag);
    if (record == nullptr) return false;
    const ship_paths::LayoutChange change;
    const ShipData* oldRecord = shipData;
    shipTag = newTag;
    body = CreateShipBodyRender(newTag);

    std::vector<std::uint32_t> units;
    const bool keep = keepItems && oldRecord != nullptr;
    if (keep) {
        if (const GAME_CPlayerData* player = GetPlayerData()) {
            for (std::size_t i = 0; i < player->InventoryCount(); ++i) {
                const GAME_CInventory* inventory = player->GetInventoryAt(static_cast<std::int64_t>(i));
                if (inventory == nullptr) continue;
                for (const InventoryStack& stack : inventory->stacks) {
                    units.insert(units.end(), static_cast<std::size_t>(std::max(0, stack.Count())), stack.ItemId());
                }
            }
        }
        CollectLooseItems(units);
        CollectMaterials(oldRecord->materials, units);
        // A room still being built gives nothing of its own: what it took is still in store, or with
        // its build task, which drops it on the floor as it goes.
        for (const GAME_CRoomBase* room : rooms) {
            if (room != nullptr && room->roomData != nullptr && room->IsFinishedBuilding()) {
                CollectMaterials(room->roomData->materials, units);
            }
        }
    }

    turnState = kFacingForward;
    turnCounter = 0;
    ClearDamage();
    hullMax = record->baseHull;
    speed = static_cast<float>(record->baseSpeed) / 1000.0f;
    fuelCapacity = record->baseFuelCapacity;
    fuel = record->baseFuelCapacity;
    fuelRate = record->baseFuelRate;
    fuelCountdown = record->baseFuelRate;
    shipData = record;
    RecalcStats();

    for (auto it = rooms.rbegin(); it != rooms.rend(); ++it) {
        GAME_CRoomBase* room = *it;
        if (room == nullptr) continue;
        room->UnassignCrew(nullptr);
        room->boundTasks.clear();
        room->ResetToPool();
        freeRooms.push_back(room);
    }
    rooms.clear();

    grid.width = std::clamp<std::int32_t>(record->gridWidth, 1, GAME_CShipGrid::kMaxWidth);
    grid.height = std::clamp<std::int32_t>(record->gridHeight, 1, GAME_CShipGrid::kMaxHeight);
    grid.ResetCells();

    scrollX = 0;
    scrollY = 0;
    GAME_CCamera2D* camera = ship_world::Camera();
    if (camera != nullptr) {
        camera->positionX = 0.0f;
        camera->positionY = 0.0f;
    }
    if (GAME_CTaskManager* tasks = ship_world::Tasks()) tasks->RemoveRoomTasks(nullptr);
    GAME_CFieldObjectManager* objects = ship_world::FieldObjects();
    if (objects != nullptr) {
        objects->ClearCrewRoomLinks();
        for (GAME_CObjectActor* member : objects->crew) {
            if (member != nullptr && member->status.hp >= 1) member->status.RestoreFully();
        }
    }

    for (int y = 0; y < GAME_CShipGrid::kMaxHeight; ++y) {
        for (int x = 0; x < GAME_CShipGrid::kMaxWidth; ++x) grid.GetCell(x, y)->usable = record->IsFloorCell(x, y) ? 1 : 0;
    }
    hullMax = std::max(0, record->baseHull);
    // A grid too tall for the canvas is lifted until its bottom row shows. Both heights are canvas
    // units: the view scale (pixels to a unit) would count the grid in pixels against a canvas of
    // units and lift a hull that fits, the taller hulls half off the top.
    const float gridHeight = static_cast<float>(grid.height) * grid.cellHeight;
    if (gridHeight > vesk::process::kCanvasHeight) {
        const float lift = gridHeight - (vesk::process::kCanvasHeight - 1.5f * grid.cellHeight);
        scrollY = static_cast<std::int16_t>(std::clamp(-lift, -32768.0f, 0.0f));
        if (camera != nullptr) camera->positionY = scrollY;
    }
    if (objects != nullptr) objects->PlaceCrewOnBottomRow();

    if (keep) {
        CollectLooseItems(units);
        if (GAME_CPlayerData* player = GetPlayerData()) player->ClearInventories();
        for (std::int32_t i = 0; i < GetAmmoStorageCount(); ++i) {
            const GAME_CAmmoImpl* store = GetAmmoStorageAt(i);
            if (store == nullptr) continue;
            const ItemData* ammo = FindItemData(*store->GetAmmoId());
            if (ammo != nullptr && ammo->IsAmmunition()) {
                units.insert(units.end(), static_cast<std::size_t>(std::max(0, store->GetCount())), *store->GetAmmoId());
            }
        }
        ClearFoodStorageList();
        ClearAmmoStorageList();
        if (!units.empty()) {
            std::sort(units.begin(), units.end());
            auto* inventory = new GAME_CInventory;
            GAME_CPlayerData* player = GetPlayerData();
            if (inventory != nullptr && player != nullptr) {
                inventory->overflow = true;
                for (const std::uint32_t id : units) inventory->ForceAddItem(id);
                player->AddInventory(inventory);
                bool placed = false;
                for (std::int32_t y = grid.height - 1; y >= 0 && !placed; --y) {
                    for (std::int32_t x = 0; x < grid.width && !placed; ++x) {
                        const GAME_CShipGrid::Cell* cell = grid.GetCell(x, y);
                        if (cell->usable == 0 || cell->HoldsRoom()) continue;
                        if (GAME_CRoomBase* room = PlaceRoom(x, y, FindRoomIdIndex(kKeptStockRoom))) {
                            inventory->room = room;
                            placed = true;
                        }
                    }
                }
            } else {
                delete inventory;
            }
        }
    }
    // The new hull placed its grid while the old scroll still held; the camera's bounds need it where it stands now.
    body->UpdateVariant();
    if (camera != nullptr) camera->ClampToShip();
    return true;
}
