// Comparing a running game with a save of it: slot bytes as a load rebuilds them, and what the player sees.
#include "tests/support/save_comparison.h"

#include <algorithm>
#include <cstddef>
#include <sstream>

#include "framework/text/utf.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/object/object_enemy.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/task_base.h"
#include "game/model/ship/task_manager.h"
#include "game/model/stores/ammo_storage.h"
#include "game/model/stores/food_storage.h"
#include "game/model/stores/stored_items.h"
#include "game/model/travel/route_manager.h"
#include "game/model/travel/travel_controller.h"
#include "game/model/world/game_world.h"
#include "game/services/clock/game_clock.h"
#include "game/services/data/static_database.h"
#include "game/services/data/static_lookups.h"
#include "game/services/data/tag.h"
#include "game/services/data/task_records.h"
#include "game/services/player/player_data.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "platform/little_endian.h"

namespace support {
namespace {

namespace slot = save_layout::slot;

struct Area {
    const char* name;
    std::size_t offset;
};

// The areas of a slot by where they start, for naming a differing byte.
constexpr Area kAreas[] = {
    {"play time", slot::kPlaySeconds}, {"money", slot::kMoney}, {"kept date area", slot::kDateTime},
    {"rooms", slot::kRooms}, {"crew", slot::kCrew}, {"ship", slot::kShipTag},
    {"damage markers", slot::kDamageMarkers}, {"world tables", slot::kWorldTables},
    {"byte table", slot::kByteTable}, {"travel", slot::kTravel}, {"clock", slot::kClock},
    {"store", slot::kStore}, {"tasks", slot::kTasks}, {"field items", slot::kFieldItems},
    {"engine modes", slot::kEngineModes}, {"live table", slot::kLiveTable}, {"event bits", slot::kEventBits},
    {"background", slot::kBackground}, {"ranking", slot::kRanking}, {"live area", slot::kLiveArea},
    {"background list", slot::kBackgroundSaveList}, {"travel flags", slot::kTravelFlags},
};

std::string AreaOf(std::size_t offset)
{
    const Area* found = &kAreas[0];
    for (const Area& area : kAreas) {
        if (area.offset <= offset) found = &area;
    }
    return std::string(found->name) + " +" + std::to_string(offset - found->offset);
}

}  // namespace

std::string SlotDifferences(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b)
{
    std::ostringstream text;
    int shown = 0;
    for (std::size_t i = 0; i < a.size() && i < b.size() && shown < 24; ++i) {
        if (a[i] == b[i]) continue;
        text << " [" << AreaOf(i) << ": " << int{a[i]} << " vs " << int{b[i]} << "]";
        ++shown;
    }
    return text.str();
}

// The item-carrying task records are taken out of the task list (later records move up, their
// repeat bits with them).
std::vector<std::uint8_t> WithoutRebuiltFields(std::vector<std::uint8_t> bytes)
{
    constexpr std::size_t kCrewInRoom = 3;
    for (std::size_t r = 0; r < static_cast<std::size_t>(slot::kCrewRecordCount); ++r) {
        bytes[slot::kCrew + r * slot::kCrewRecordSize + kCrewInRoom] = 0;
    }
    constexpr std::size_t kItemX = 4;
    constexpr std::size_t kItemY = 6;
    const GAME_CShipGrid& grid = GetGameWorld()->ship->grid;
    for (std::size_t r = 0; r < static_cast<std::size_t>(slot::kFieldItemCount); ++r) {
        const std::size_t at = slot::kFieldItems + r * slot::kFieldItemSize;
        const auto column = static_cast<std::int16_t>(platform::ReadI16(bytes, at + kItemX) / static_cast<std::int32_t>(grid.cellWidth));
        const auto row = static_cast<std::int16_t>(platform::ReadI16(bytes, at + kItemY) / static_cast<std::int32_t>(grid.cellHeight));
        platform::WriteI16(bytes, at + kItemX, column);
        platform::WriteI16(bytes, at + kItemY, row);
    }
    const std::size_t size = task_record::kSize;
    std::vector<std::vector<std::uint8_t>> kept;
    std::vector<bool> repeats;
    for (std::size_t r = 0; r < static_cast<std::size_t>(slot::kTaskRecordCount); ++r) {
        const std::size_t at = slot::kTasks + r * size;
        const std::uint8_t kind = bytes[at + task_record::kKind];
        if (kind == task_record::kNone) break;
        if (kind == kTaskItemCarrier) continue;
        kept.emplace_back(bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.begin() + static_cast<std::ptrdiff_t>(at + size));
        repeats.push_back(GetSlotBit(bytes, slot::kTaskRepeatBits, slot::kTaskRecordCount, static_cast<std::uint32_t>(r)));
    }
    // The road's drop records in the order a load makes them again: in use ones first.
    constexpr std::size_t kDropSize = 12;
    constexpr std::size_t kDropCount = 128;
    std::vector<std::vector<std::uint8_t>> drops;
    for (std::size_t r = 0; r < kDropCount; ++r) {
        const auto at = static_cast<std::ptrdiff_t>(slot::kDropItemRecords + r * kDropSize);
        std::vector<std::uint8_t> record(bytes.begin() + at, bytes.begin() + at + static_cast<std::ptrdiff_t>(kDropSize));
        if (platform::ReadI32(record, 8) > 0) drops.push_back(record);
    }
    for (std::size_t r = 0; r < kDropCount; ++r) {
        const std::size_t at = slot::kDropItemRecords + r * kDropSize;
        std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(at), kDropSize, std::uint8_t{0});
        platform::WriteU32(bytes, at, r < drops.size() ? platform::ReadU32(drops[r], 0) : 0xFFFFFFFFu);
        if (r < drops.size()) std::copy(drops[r].begin(), drops[r].end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
    }
    // Damage records without damage left, which a load passes over.
    std::vector<std::vector<std::uint8_t>> damage;
    for (std::size_t r = 0; r < static_cast<std::size_t>(slot::kDamageMarkerCount); ++r) {
        const auto at = static_cast<std::ptrdiff_t>(slot::kDamageMarkers + r * slot::kDamageMarkerSize);
        std::vector<std::uint8_t> record(bytes.begin() + at, bytes.begin() + at + static_cast<std::ptrdiff_t>(slot::kDamageMarkerSize));
        if (platform::ReadI16(record, 0) != 0) damage.push_back(record);
        std::fill_n(bytes.begin() + at, slot::kDamageMarkerSize, std::uint8_t{0});
    }
    for (std::size_t r = 0; r < damage.size(); ++r) {
        std::copy(damage[r].begin(), damage[r].end(), bytes.begin() + static_cast<std::ptrdiff_t>(slot::kDamageMarkers + r * slot::kDamageMarkerSize));
    }
    InitTaskSaveArea(bytes);
    for (std::size_t r = 0; r < kept.size(); ++r) {
        std::copy(kept[r].begin(), kept[r].end(), bytes.begin() + static_cast<std::ptrdiff_t>(slot::kTasks + r * size));
        SetSlotBit(bytes, slot::kTaskRepeatBits, slot::kTaskRecordCount, static_cast<std::uint32_t>(r), repeats[r]);
    }
    return bytes;
}

std::string WhatThePlayerSees()
{
    const GAME_CGameWorld& world = *GetGameWorld();
    const GAME_CPlayerData& player = *GetPlayerData();
    std::ostringstream out;
    out << "money " << player.money << "\n";
    const GAME_CShip& ship = *world.ship;
    out << "ship " << DescribeId(ship.shipTag) << " hull " << ship.GetRemainingHull() << " of " << ship.hullMax << " fuel "
        << ship.fuel << " of " << ship.fuelCapacity << "\n";
    for (std::int32_t number = 0; number < ship.CountRoomsOnGrid(); ++number) {
        const GAME_CRoomBase* room = ship.GetRoom(number);
        if (room == nullptr) continue;
        out << "room " << number << ": " << DescribeId(room->GetRoomId()) << " at " << room->gridX << ',' << room->gridY
            << (room->underConstruction ? " being built" : "") << (room->broken ? " broken" : "") << " level " << room->level
            << " upgrades " << room->installedUpgrades << " engine " << room->engineMode
            << " births " << room->birthCounter << "\n";
    }
    for (const GAME_CObjectActor* actor : world.fieldObjects->crew) {
        if (actor == nullptr) continue;
        const GAME_CActorStatus& status = actor->status;
        const std::u16string name(std::u16string_view(status.name));
        out << "crew " << vesk::text::Utf16ToUtf8(name) << ": hp " << status.GetHP() << " stamina " << status.GetStamina()
            << " calories " << status.GetCalorie() << " cell " << actor->GetGridColumn() << ',' << actor->GetGridRow()
            << " works in " << actor->workLink.roomNumber << " lives in " << actor->homeLink.roomNumber;
        for (const auto& skill : status.skills) out << " skill " << DescribeId(skill.id);
        for (const auto& buff : status.buffs) out << " buff " << DescribeId(buff.id) << " for " << buff.timer;
        for (const auto& debuff : status.debuffs) out << " debuff " << DescribeId(debuff.id) << " for " << debuff.timer;
        out << "\n";
    }
    for (const GAME_CTaskBase* task : world.tasks->tasks) {
        if (task == nullptr || task->IsFinished() || task->GetKind() == kTaskItemCarrier) continue;
        out << "task " << task->GetKind() << " " << DescribeId(task->id) << " room " << task->GetRoomIndex() << " progress "
            << task->progress << " materials " << task->materials.size() << (task->repeat != 0 ? " repeated" : "") << "\n";
    }
    for (const auto& item : GetStaticDatabase()->Items()) {
        if (item == nullptr) continue;
        const std::int64_t aboard = CountStoredItem(item->id) + CountFieldItem(item->id) + CountCarriedItem(item->id);
        if (aboard != 0) out << "item " << DescribeId(item->id) << " x" << aboard << "\n";
    }
    for (std::int32_t i = 0; i < GetFoodStorageCount(); ++i) {
        const GAME_CFoodStorage* food = GetFoodStorageAt(i);
        if (food == nullptr) continue;
        out << "food in room " << food->GetRoomIndex() << ": " << DescribeId(*food->GetFoodId()) << " x" << food->GetCount() << "\n";
    }
    for (std::int32_t i = 0; i < GetAmmoStorageCount(); ++i) {
        const GAME_CAmmoImpl* ammo = GetAmmoStorageAt(i);
        if (ammo == nullptr) continue;
        out << "ammo in room " << ammo->GetRoomIndex() << ": " << DescribeId(*ammo->GetAmmoId()) << " x" << ammo->GetCount() << "\n";
    }
    const GAME_CRouteManager& route = *world.travel->routeManager;
    // Whether the ship is driven shows in the driver's task above: the ship's drive mark lives for one
    // step only, and between frames it tells what the last step of whatever game ran before did.
    out << "road " << DescribeId(route.GetRouteId()) << " at " << route.GetPosition() << " of " << route.GetLength() << "\n";
    const GAME_CGameClock& clock = *GetGameClock();
    out << "day " << clock.day << " step " << clock.step << "\n";
    for (const GAME_CObjectEnemy* enemy : world.fieldObjects->enemies) {
        if (enemy == nullptr || enemy->dead != 0) continue;
        out << "enemy " << DescribeId(enemy->GetEnemyId()) << " hp " << enemy->hpRecord.hp << "\n";
    }
    return out.str();
}

}  // namespace support
