// The ship's share of a game slot: rooms, ship tag, fuel, hull damage and engine modes, written and rebuilt field by field.
#include <algorithm>
#include <string>

#include "game/services/data/id_tags.h"
#include "game/services/data/tag.h"
#include "game/services/save/save_layout.h"
#include "game/model/ship/ship.h"
#include "game/services/save/save_field_log.h"
#include "platform/little_endian.h"

namespace {

using namespace save_layout;

constexpr std::size_t kRoomIdField = 0;
constexpr std::size_t kRoomXField = 4;
constexpr std::size_t kRoomYField = 6;
constexpr std::size_t kRoomBuildingField = 8;
constexpr std::size_t kRoomUpgradesField = 12;
// Steps a crew home has counted toward its next birth; older saves hold 0 there.
constexpr std::size_t kRoomBirthCounterField = 16;
constexpr std::size_t kDamageAmountField = 0;
constexpr std::size_t kDamageXField = 2;
constexpr std::size_t kDamageYField = 3;
constexpr std::size_t kEngineModeRecordSize = 16;
constexpr std::size_t kEngineModeRecords = slot::kEngineModesSize / kEngineModeRecordSize;
constexpr std::uint32_t kUpgradeMask = (1u << GAME_CRoomBase::kUpgradeTypeCount) - 1;

std::size_t RoomRecord(int i) { return slot::kRooms + static_cast<std::size_t>(i) * slot::kRoomRecordSize; }
std::size_t DamageRecord(int i) { return slot::kDamageMarkers + static_cast<std::size_t>(i) * slot::kDamageMarkerSize; }
std::size_t EngineModeRecord(std::size_t i) { return slot::kEngineModes + i * kEngineModeRecordSize; }

void Zero(std::span<std::uint8_t> slot, std::size_t offset, std::size_t size)
{
    std::fill_n(slot.begin() + static_cast<std::ptrdiff_t>(offset), size, std::uint8_t{0});
}

std::int16_t ToI16(std::int64_t value, std::int64_t low)
{
    return static_cast<std::int16_t>(std::clamp<std::int64_t>(value, low, INT16_MAX));
}

}  // namespace

void GAME_CShip::WriteSaveRecord(std::span<std::uint8_t> slot) const
{
    const std::size_t roomCount = std::min<std::size_t>(rooms.size(), kRoomPoolSize);
    for (int i = 0; i < slot::kRoomRecordCount; ++i) {
        Zero(slot, RoomRecord(i), slot::kRoomRecordSize);
        const GAME_CRoomBase* room = static_cast<std::size_t>(i) < roomCount ? rooms[static_cast<std::size_t>(i)] : nullptr;
        if (room == nullptr) {
            platform::WriteU32(slot, RoomRecord(i) + kRoomIdField, kNoId);
            continue;
        }
        platform::WriteU32(slot, RoomRecord(i) + kRoomIdField, room->roomId);
        platform::WriteI16(slot, RoomRecord(i) + kRoomXField, room->gridX);
        platform::WriteI16(slot, RoomRecord(i) + kRoomYField, room->gridY);
        platform::WriteU32(slot, RoomRecord(i) + kRoomBuildingField, room->underConstruction ? 1 : 0);
        platform::WriteU32(slot, RoomRecord(i) + kRoomUpgradesField, room->installedUpgrades & kUpgradeMask);
        platform::WriteI32(slot, RoomRecord(i) + kRoomBirthCounterField, std::max(0, room->birthCounter));
    }
    platform::WriteU32(slot, slot::kShipTag, shipTag);
    // Fuel is kept in 16 bits.
    platform::WriteI16(slot, slot::kFuel, ToI16(fuel, 0));
    platform::WriteI16(slot, slot::kFuelCountdown, ToI16(fuelCountdown, 0));
    std::size_t written = 0;
    for (const DamageMarker* marker : damageMarkers) {
        if (marker == nullptr || written >= static_cast<std::size_t>(kRoomPoolSize)) continue;
        const int i = static_cast<int>(written++);
        Zero(slot, DamageRecord(i), slot::kDamageMarkerSize);
        platform::WriteI16(slot, DamageRecord(i) + kDamageAmountField, ToI16(marker->amount, 0));
        slot[DamageRecord(i) + kDamageXField] = static_cast<std::uint8_t>(static_cast<std::int8_t>(marker->cellX));
        slot[DamageRecord(i) + kDamageYField] = static_cast<std::uint8_t>(static_cast<std::int8_t>(marker->cellY));
    }
    // Records of an earlier save past the lists would bring its rooms and damage back.
    for (int i = static_cast<int>(written); i < slot::kDamageMarkerCount; ++i) Zero(slot, DamageRecord(i), slot::kDamageMarkerSize);
    for (std::size_t i = 0; i < kEngineModeRecords; ++i) {
        Zero(slot, EngineModeRecord(i), kEngineModeRecordSize);
        const GAME_CRoomBase* room = i < roomCount ? rooms[i] : nullptr;
        if (room != nullptr && room->kind == kRoomKindEngine) {
            slot[EngineModeRecord(i)] = static_cast<std::uint8_t>(static_cast<std::int8_t>(room->engineMode));
        }
    }
}

void GAME_CShip::BuildLayout(std::span<const std::uint8_t> slot)
{
    const std::uint32_t tag = platform::ReadU32(slot, slot::kShipTag);
    if (!ChangeShip(tag, false)) {
        LogBadWorkingSlotField("ship tag", slot::kShipTag,
                               "the ship " + TagText(tag) + " does not exist; the hull the game has is set up anew");
        // Only the hull's kind is kept: its damage, turn and fuel belong to the game before the load.
        ChangeShip(shipTag, false);
    }
    routePosition = platform::ReadI32(slot, slot::kRoutePosition);
    // The hull remarks' period starts with the slot: what ran before the load must not shift them.
    alertCounter = 0;
    for (std::int32_t n = CountRoomsOnGrid() - 1; n >= 0; --n) RemoveRoom(n);
    for (int i = 0; i < slot::kRoomRecordCount; ++i) {
        const std::uint32_t id = platform::ReadU32(slot, RoomRecord(i) + kRoomIdField);
        if (id == 0 || id == kNoId) continue;
        const std::int32_t kind = FindRoomIdIndex(id);
        const std::int16_t x = platform::ReadI16(slot, RoomRecord(i) + kRoomXField);
        const std::int16_t y = platform::ReadI16(slot, RoomRecord(i) + kRoomYField);
        const std::uint32_t buildingFlag = platform::ReadU32(slot, RoomRecord(i) + kRoomBuildingField);
        const bool building = buildingFlag != 0;
        if (buildingFlag > 1) {
            LogBadWorkingSlotField("room record " + std::to_string(i), RoomRecord(i) + kRoomBuildingField,
                                   "under-construction flag " + std::to_string(buildingFlag) +
                                       " is neither 0 nor 1; taken as 1");
        }
        const std::uint32_t upgrades = platform::ReadU32(slot, RoomRecord(i) + kRoomUpgradesField);
        if ((upgrades & ~kUpgradeMask) != 0) {
            LogBadWorkingSlotField("room record " + std::to_string(i), RoomRecord(i) + kRoomUpgradesField,
                                   "upgrade bits " + std::to_string(upgrades) + " name upgrades past the last; they are dropped");
        }
        GAME_CRoomBase* room = building ? PlaceNewRoom(x, y, kind, id, false) : PlaceRoom(x, y, kind);
        if (room == nullptr) {
            LogBadWorkingSlotField("room record " + std::to_string(i), RoomRecord(i) + kRoomIdField,
                                   "room " + TagText(id) + " at " + std::to_string(x) + ", " + std::to_string(y) +
                                       " does not fit the ship; it is left out");
            continue;
        }
        room->ApplyUpgradeBits(upgrades);
        if (!building) room->Finish(true);
        const std::int32_t births = platform::ReadI32(slot, RoomRecord(i) + kRoomBirthCounterField);
        if (births < 0) {
            LogBadWorkingSlotField("room record " + std::to_string(i), RoomRecord(i) + kRoomBirthCounterField,
                                   "birth count " + std::to_string(births) + " is below 0; it starts at 0");
        }
        room->birthCounter = std::max(0, births);
        if (room->kind == kRoomKindEngine && static_cast<std::size_t>(i) < kEngineModeRecords) {
            const std::int32_t mode = static_cast<std::int8_t>(slot[EngineModeRecord(static_cast<std::size_t>(i))]);
            if (mode >= kEngineDisconnected && mode <= kEngineOverLimit) {
                room->engineMode = mode;
            } else {
                LogBadWorkingSlotField("engine-mode record " + std::to_string(i), EngineModeRecord(static_cast<std::size_t>(i)),
                                       "engine mode " + std::to_string(mode) + " is unknown; it stays off");
            }
        }
    }
    for (int i = 0; i < slot::kDamageMarkerCount; ++i) {
        const std::int16_t amount = platform::ReadI16(slot, DamageRecord(i) + kDamageAmountField);
        if (amount == 0) continue;
        const std::int32_t x = static_cast<std::int8_t>(slot[DamageRecord(i) + kDamageXField]);
        const std::int32_t y = static_cast<std::int8_t>(slot[DamageRecord(i) + kDamageYField]);
        if (amount < 0 || grid.GetCell(x, y) == nullptr) {
            LogBadWorkingSlotField("damage record " + std::to_string(i), DamageRecord(i),
                                   "damage " + std::to_string(amount) + " at " + std::to_string(x) + ", " + std::to_string(y) +
                                       " is out of range; it is left out");
            continue;
        }
        AddCellDamage(x, y, amount);
    }
    const std::uint32_t reversed = platform::ReadU32(slot, slot::kRouteReversed);
    const std::uint32_t direction = platform::ReadU32(slot, slot::kRouteDirection);
    if ((reversed != 0) != (direction != 0) && (reversed & direction) == 0) {
        body->scaleX = -body->scaleX;
        turnState = kTurned;
        turnCounter = 0;
    }
    RecalcStats();
    // Fuel lies within the tank the rooms just read make.
    const std::int32_t storedFuel = platform::ReadI16(slot, slot::kFuel);
    fuel = std::clamp<std::int32_t>(storedFuel, 0, std::max(0, fuelCapacity));
    if (fuel != storedFuel) {
        LogBadWorkingSlotField("fuel", slot::kFuel,
                               std::to_string(storedFuel) + " lies outside the tank of " + std::to_string(fuelCapacity) +
                                   "; it is " + std::to_string(fuel));
    }
    const std::int32_t storedCountdown = platform::ReadI16(slot, slot::kFuelCountdown);
    fuelCountdown = std::max<std::int32_t>(0, storedCountdown);
    if (fuelCountdown != storedCountdown) {
        LogBadWorkingSlotField("fuel countdown", slot::kFuelCountdown, std::to_string(storedCountdown) + " is below 0; it is 0");
    }
}
