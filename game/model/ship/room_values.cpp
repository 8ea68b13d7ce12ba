// A room's values from its data and installed upgrades: capacities, bonuses, turret power, engine output, durability.
#include <algorithm>
#include <span>

#include "game/model/stores/ammo_storage.h"
#include "game/model/stores/food_storage.h"
#include "game/services/player/inventory.h"
#include "game/services/player/player_data.h"
#include "game/services/data/room_records.h"
#include "game/services/data/static_database.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/ship_world.h"
#include "game/model/ship/task_base.h"
#include "game/model/world/game_world.h"

namespace {

std::int32_t Word(const RoomData& data, std::uint32_t index) { return data.values[index]; }

// The upgrade entries the room's data lists: those before the first unused one.
std::span<const RoomUpgradeEntry> ListedUpgrades(const RoomData* data)
{
    if (data == nullptr) return {};
    const auto end = std::find_if(data->upgrades.begin(), data->upgrades.end(),
                                  [](const RoomUpgradeEntry& entry) { return entry.type == -1; });
    return {data->upgrades.begin(), end};
}

std::int32_t Truncated(std::int64_t value)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

std::int32_t g_finishedWorkTasks = 0;

}  // namespace

std::int32_t GetFinishedWorkTaskCount() { return g_finishedWorkTasks; }

std::int32_t GAME_CRoomBase::SumUpgradeValues(std::initializer_list<std::int32_t> types) const
{
    std::int64_t sum = 0;
    for (const RoomUpgradeEntry& entry : ListedUpgrades(roomData)) {
        if (entry.type < 0 || entry.type >= kUpgradeTypeCount) continue;
        if ((installedUpgrades & (1u << entry.type)) == 0) continue;
        if (std::find(types.begin(), types.end(), entry.type) != types.end()) sum += entry.value;
    }
    return Truncated(sum);
}

void GAME_CRoomBase::RecalcValues()
{
    if (roomData == nullptr) return;
    const RoomData& data = *roomData;
    const std::uint32_t flags = data.flags;
    capacity = data.capacity;
    const std::int32_t durabilityUpgrades = SumUpgradeValues({6, 7});
    if ((flags & kRoomInventory) != 0) {
        GAME_CInventory* inventory = nullptr;
        if (GAME_CPlayerData* player = GetPlayerData()) inventory = player->AttachRoomInventory(this, &inventoryLink);
        if ((flags & kRoomInventoryWithoutCapacity) == 0) {
            if (inventory != nullptr) {
                inventory->capacity = Word(data, kRoomValueInventoryCapacity) + SumUpgradeValues({0, 1, 2, 3});
            }
            durabilityBonus = durabilityUpgrades;
        }
    } else if ((flags & kRoomCrewHome) != 0) {
        capacity = data.capacity + SumUpgradeValues({0, 1, 2, 3});
        durabilityBonus = durabilityUpgrades;
    } else if ((flags & kRoomFoodStorage) != 0) {
        const GAME_CShip* ship = ship_world::Ship();
        std::int32_t number = GetRoomNumber();
        if (number < 0) number = ship != nullptr ? ship->CountRoomsOnGrid() : 0;
        if (auto* store = static_cast<GAME_CFoodStorageImpl*>(GetOrCreateFoodStorage(number))) {
            if (store->GetRoom() == nullptr && GetRoomNumber() == number) store->BindRoom(this, number);
        }
        foodStackCount = SumUpgradeValues({0, 1});
        capacity += SumUpgradeValues({5, 8, 9, 10});
        durabilityBonus = durabilityUpgrades;
        FlagShipStatusRefresh();
    } else if ((flags & kRoomHull) != 0) {
        hullBonus = Word(data, kRoomValueHullBonus) + SumUpgradeValues({0, 1, 2, 3});
        durabilityBonus = durabilityUpgrades;
    } else if ((flags & kRoomFuelTank) != 0) {
        fuelCapacityBonus = Word(data, kRoomValueFuelCapacityBonus) + SumUpgradeValues({0, 1, 2, 3});
        durabilityBonus = Word(data, kRoomValueFuelTankDurabilityBonus) + durabilityUpgrades;
    } else if ((flags & kRoomTurret) != 0) {
        const GAME_CShip* ship = ship_world::Ship();
        std::int32_t number = GetRoomNumber();
        if (number < 0) number = ship != nullptr ? ship->CountRoomsOnGrid() : 0;
        GAME_CAmmoImpl* store = GetOrCreateAmmoStorage(number);
        if (store != nullptr && store->GetRoom() == nullptr && GetRoomNumber() == number) store->BindRoom(this, number);
        const std::int64_t powerSum = SumUpgradeValues({0, 1});
        const std::int64_t perMille = SumUpgradeValues({2, 3});
        turretAmmoCapacity = Word(data, kRoomValueAmmoCapacity) + SumUpgradeValues({4, 5});
        durabilityBonus = durabilityUpgrades;
        if (store != nullptr) store->SetCapacity(turretAmmoCapacity);
        turretPower = Truncated((Word(data, kRoomValueTurretPower) + powerSum) * (1000 + perMille) / 1000);
    } else if (kind == kRoomKindEngine) {
        engineOutput = Word(data, kRoomValueEngineOutput) + SumUpgradeValues({0, 1});
        overLimit = {};
        for (std::int32_t stage = 0; stage < 3; ++stage) {
            if ((installedUpgrades & (1u << (2 + stage))) == 0) continue;
            const std::uint32_t index = kRoomValueFirstOverLimitPair + 2 * static_cast<std::uint32_t>(stage);
            overLimit[static_cast<std::size_t>(stage)] = OverLimitPair{Word(data, index), Word(data, index + 1)};
        }
        durabilityBonus = durabilityUpgrades;
    } else if ((flags & kRoomModuleSlots) != 0) {
        capacity += SumUpgradeValues({5, 8, 9, 10});
        durabilityBonus = durabilityUpgrades;
    }
}

void GAME_CRoomBase::ApplyUpgradeBits(std::uint32_t saved)
{
    installedUpgrades = 0;
    // A saved bit is an upgrade's type: it stays installed while the room's data lists an upgrade of
    // that type, wherever in the list, and whether or not its name has a text in this language.
    for (const RoomUpgradeEntry& entry : ListedUpgrades(roomData)) {
        if (entry.type < 0 || entry.type >= kUpgradeTypeCount) continue;
        installedUpgrades |= saved & (1u << entry.type);
    }
    RecalcValues();
}

void GAME_CRoomBase::OnTaskCompleted(const GAME_CTaskBase& task)
{
    const std::int32_t taskKind = task.GetKind();
    if (taskKind == kTaskItemCraft || taskKind == kTaskCooking || taskKind == kTaskEngineMaintenance ||
        taskKind == kTaskRefuel) {
        ++g_finishedWorkTasks;
    }
    if (taskKind == kTaskRoomUpgrade) {
        const TaskData* upgrade = task.GetTaskData();
        if (upgrade != nullptr && upgrade->productItem < static_cast<std::uint32_t>(kUpgradeTypeCount)) {
            installedUpgrades |= 1u << upgrade->productItem;
        }
    }
    RecalcValues();
}

std::int32_t GAME_CRoomBase::CalcUpgradedOutput(std::int32_t base) const
{
    const std::int64_t sum = std::int64_t{SumUpgradeValues({0, 1})} + base;
    return Truncated(sum * (1000 + std::int64_t{SumUpgradeValues({2, 3})}) / 1000);
}

std::int32_t GAME_CRoomBase::GetUpgradedOutput(std::int32_t extra) const
{
    if (roomData != nullptr && (roomData->flags & kRoomTurret) != 0) {
        const GAME_CAmmoImpl* store = FindAmmoStorage(GetRoomNumber());
        extra = store != nullptr ? store->GetPower() : 0;
    }
    return CalcUpgradedOutput(extra);
}

bool GAME_CRoomBase::IsBuiltOnGrid() const
{
    const GAME_CShip* ship = ship_world::Ship();
    return !underConstruction && ship != nullptr && ship->grid.IsInside(gridX, gridY) && ship->GetRoomIndex(this) >= 0;
}

std::int32_t GAME_CRoomBase::GetRemainingDurability() const
{
    std::int64_t remaining = std::int64_t{roomData != nullptr ? roomData->durability : 0} + durabilityBonus;
    const GAME_CShip* ship = ship_world::Ship();
    if (ship == nullptr) return Truncated(remaining);
    for (std::int32_t row = 0; row < height; ++row) {
        for (std::int32_t column = 0; column < width; ++column) {
            const std::int32_t x = gridX + column;
            const std::int32_t y = gridY + row;
            if (x < 0 || y < 0) continue;
            if (const DamageMarker* marker = ship->FindCellDamage(x, y)) remaining -= marker->amount;
        }
    }
    return Truncated(remaining);
}
