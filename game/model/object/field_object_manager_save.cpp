// The field part of a game slot: crew, enemy, drop-item and item records, written and read field by field.
#include <algorithm>
#include <string>

#include "framework/log/log.h"
#include "framework/math/random.h"
#include "game/services/data/item_data.h"
#include "game/services/data/item_records.h"
#include "game/services/data/static_lookups.h"
#include "game/services/data/tag.h"
#include "game/services/save/save_layout.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/ship_world.h"
#include "game/services/save/save_field_log.h"
#include "platform/little_endian.h"

namespace {

namespace slot = save_layout::slot;

// A crew record.
constexpr std::size_t kCrewColumn = 1;
constexpr std::size_t kCrewRow = 2;
constexpr std::size_t kCrewInRoom = 3;
constexpr std::size_t kCrewName = 4;
constexpr std::size_t kCrewSlotIds = 12;  // two skills, two buffs, two debuffs
constexpr std::size_t kCrewHp = 36;
constexpr std::size_t kCrewStamina = 40;
constexpr std::size_t kCrewCalorie = 44;
constexpr std::size_t kCrewFlags = 48;
constexpr std::size_t kCrewWorkRoom = 52;
constexpr std::size_t kCrewHomeRoom = 53;
constexpr std::size_t kCrewRoomBits = 54;
constexpr std::size_t kCrewProgress = 56;
// Frames left of the two buffs, then of the two debuffs, in the bytes the record left zero.
constexpr std::size_t kCrewBuffTimers = 60;
constexpr std::size_t kCrewDebuffTimers = 68;
constexpr std::uint8_t kHomePresent = 0x01;
constexpr std::uint8_t kWorkPresent = 0x10;
constexpr std::uint32_t kSavedConditionFlags = 7;
constexpr std::uint8_t kNoRoomByte = 255;

// An enemy record.
constexpr std::size_t kEnemyRecordSize = 16;
constexpr int kEnemyRecordCount = 16;
constexpr std::size_t kEnemyHp = 4;
constexpr std::size_t kEnemyRoutePosition = 8;
constexpr std::size_t kEnemyHomePosition = 12;

// A drop-item record.
constexpr std::size_t kDropItemRecordSize = 12;
constexpr int kDropItemRecordCount = 128;
constexpr std::size_t kDropItemRoutePosition = 4;
constexpr std::size_t kDropItemCount = 8;

// An item record.
constexpr std::size_t kItemX = 4;
constexpr std::size_t kItemY = 6;
constexpr std::size_t kItemCount = 8;
constexpr std::size_t kItemCarrier = 9;
constexpr std::size_t kItemInUse = 10;
constexpr std::uint8_t kNotCarried = 255;

constexpr int kRelocationTries = 15;

void Warn(const std::string& line) { vesk::log::Warning("save data: " + line); }

bool CoversFieldAreas(std::size_t size) { return size >= slot::kFieldItems + slot::kFieldItemCount * slot::kFieldItemSize; }

std::size_t CrewRecord(int index) { return slot::kCrew + static_cast<std::size_t>(index) * slot::kCrewRecordSize; }
std::size_t EnemyRecord(int index) { return slot::kEnemyRecords + static_cast<std::size_t>(index) * kEnemyRecordSize; }
std::size_t DropItemRecord(int index)
{
    return slot::kDropItemRecords + static_cast<std::size_t>(index) * kDropItemRecordSize;
}
std::size_t ItemRecord(int index) { return slot::kFieldItems + static_cast<std::size_t>(index) * slot::kFieldItemSize; }

// A room number as the record keeps it: one byte, 255 for none.
std::uint8_t RoomByte(const ActorRoomLink& link)
{
    return link.room != nullptr && link.roomNumber >= 0 && link.roomNumber < GAME_CShipGrid::kCellCount
               ? static_cast<std::uint8_t>(link.roomNumber)
               : kNoRoomByte;
}

bool IsFloorCell(const GAME_CShip& ship, std::int32_t x, std::int32_t y)
{
    const GAME_CShipGrid::Cell* cell = ship.grid.GetCell(x, y);
    return cell != nullptr && ship.grid.IsInside(x, y) && cell->usable != 0;
}

void BindRoom(GAME_CObjectActor& actor, std::uint8_t number)
{
    GAME_CShip* ship = ship_world::Ship();
    if (number == kNoRoomByte || ship == nullptr || number >= ship->CountRoomsOnGrid()) return;
    if (GAME_CRoomBase* room = ship->GetRoom(number)) room->AssignCrew(&actor);
}

// The home and work bits are the only ones a record's room-bits byte holds.
constexpr std::uint8_t kRoomBitsUsed = kHomePresent | kWorkPresent;

// A meter the status held to its range on reading: one line saying what was stored.
void ReportClampedMeter(int crewIndex, std::size_t offset, const char* meter, std::int32_t stored, std::int32_t kept)
{
    if (stored == kept) return;
    LogBadWorkingSlotField("crew record " + std::to_string(crewIndex), offset,
                           std::string(meter) + " " + std::to_string(stored) + " is outside 0 and its maximum; it is " +
                               std::to_string(kept));
}

// A time left of 0 is a save that did not keep it: the buff or debuff starts whole, unreported.
void ReportClampedTimer(int crewIndex, std::size_t offset, const char* slotKind, std::int32_t stored, std::int32_t kept)
{
    if (stored == 0 || stored == kept) return;
    LogBadWorkingSlotField("crew record " + std::to_string(crewIndex), offset,
                           std::string(slotKind) + " time " + std::to_string(stored) +
                               " is outside 0 and what it lasts, or its slot is empty; it is " + std::to_string(kept));
}

// A room number the record names for a home or work place: one the ship has, else none.
std::uint8_t CheckedRoomByte(std::span<const std::uint8_t> record, int crewIndex, std::size_t offset, const char* what)
{
    const std::uint8_t number = record[offset];
    const GAME_CShip* ship = ship_world::Ship();
    if (ship == nullptr || (number < ship->CountRoomsOnGrid() && ship->GetRoom(number) != nullptr)) return number;
    LogBadWorkingSlotField("crew record " + std::to_string(crewIndex), offset,
                           std::string(what) + " room " + std::to_string(number) + " is not on the ship; the member has none");
    return kNoRoomByte;
}

// A home the record names: quarters still being built are their builder's workplace, never a home.
std::uint8_t CheckedHomeByte(std::span<const std::uint8_t> record, int crewIndex, std::size_t offset)
{
    const std::uint8_t number = CheckedRoomByte(record, crewIndex, offset, "home");
    const GAME_CShip* ship = ship_world::Ship();
    const GAME_CRoomBase* room = ship != nullptr && number != kNoRoomByte ? ship->GetRoom(number) : nullptr;
    if (room == nullptr || room->kind != kRoomKindCrewHome || !room->underConstruction) return number;
    LogBadWorkingSlotField("crew record " + std::to_string(crewIndex), offset,
                           "home room " + std::to_string(number) + " is still being built; the member has none");
    return kNoRoomByte;
}

// A skill, buff or debuff id the database does not know would hold its slot with nothing in it for good.
template <typename Find>
std::uint32_t KnownCrewSlotId(std::span<const std::uint8_t> record, int crewIndex, std::size_t offset, const char* kind,
                              Find find)
{
    const std::uint32_t id = platform::ReadU32(record, offset);
    if (!IsSlotIdSet(id) || find(id) != nullptr) return id;
    LogBadWorkingSlotField("crew record " + std::to_string(crewIndex), offset,
                           std::string(kind) + " " + TagText(id) + " names no record; the slot is emptied");
    return kNoId;
}

}  // namespace

// --- writing

void GAME_CFieldObjectManager::SaveToSlot(std::span<std::uint8_t> record) const
{
    if (!CoversFieldAreas(record.size())) return;
    // Every record of the four areas is written anew, so nothing of an earlier save stays.
    std::fill_n(record.begin() + static_cast<std::ptrdiff_t>(slot::kCrew),
                slot::kCrewRecordCount * slot::kCrewRecordSize, std::uint8_t{0});
    std::vector<const GAME_CObjectActor*> saved;
    saved.reserve(kCrewPoolSize);
    for (const GAME_CObjectActor* actor : crew) {
        if (actor == nullptr || saved.size() >= static_cast<std::size_t>(slot::kCrewRecordCount)) continue;
        const std::size_t at = CrewRecord(static_cast<int>(saved.size()));
        saved.push_back(actor);
        const GAME_CActorStatus& status = actor->status;
        record[at + slot::kCrewInUse] = 1;
        record[at + kCrewColumn] = static_cast<std::uint8_t>(actor->cellX);
        record[at + kCrewRow] = static_cast<std::uint8_t>(actor->cellY);
        record[at + kCrewInRoom] = actor->assigned != 0 ? 1 : 0;
        platform::WriteU16(record, at + kCrewName, status.name.units[0]);
        platform::WriteU16(record, at + kCrewName + 2, status.name.units[1]);
        const ActorStatusSave entry = status.MakeSave();
        const std::uint32_t ids[6] = {entry.skillIds[0], entry.skillIds[1], entry.buffIds[0],
                                      entry.buffIds[1],  entry.debuffIds[0], entry.debuffIds[1]};
        for (std::size_t i = 0; i < 6; ++i) platform::WriteU32(record, at + kCrewSlotIds + 4 * i, ids[i]);
        platform::WriteI32(record, at + kCrewHp, entry.hp);
        platform::WriteI32(record, at + kCrewStamina, entry.stamina);
        platform::WriteI32(record, at + kCrewCalorie, entry.calorie);
        platform::WriteU32(record, at + kCrewFlags, entry.flags & kSavedConditionFlags);
        const std::uint8_t work = RoomByte(actor->workLink);
        const std::uint8_t home = RoomByte(actor->homeLink);
        record[at + kCrewWorkRoom] = work;
        record[at + kCrewHomeRoom] = home;
        record[at + kCrewRoomBits] =
            static_cast<std::uint8_t>((home != kNoRoomByte ? kHomePresent : 0) | (work != kNoRoomByte ? kWorkPresent : 0));
        platform::WriteI32(record, at + kCrewProgress, entry.progress);
        for (std::size_t k = 0; k < 2; ++k) {
            platform::WriteI32(record, at + kCrewBuffTimers + 4 * k, entry.buffTimers[k]);
            platform::WriteI32(record, at + kCrewDebuffTimers + 4 * k, entry.debuffTimers[k]);
        }
    }

    std::fill_n(record.begin() + static_cast<std::ptrdiff_t>(slot::kEnemyRecords), kEnemyRecordCount * kEnemyRecordSize,
                std::uint8_t{0});
    int enemyCount = 0;
    for (const GAME_CObjectEnemy* enemy : enemies) {
        if (enemy == nullptr || enemyCount >= kEnemyRecordCount) continue;
        const std::size_t at = EnemyRecord(enemyCount++);
        platform::WriteU32(record, at, enemy->GetEnemyId());
        platform::WriteI32(record, at + kEnemyHp, enemy->hpRecord.hp);
        platform::WriteI32(record, at + kEnemyRoutePosition, enemy->routePosition);
        platform::WriteI32(record, at + kEnemyHomePosition, enemy->homePosition);
    }

    for (int i = 0; i < kDropItemRecordCount; ++i) {
        const GAME_CObjectDropItem* drop = activeDropItems[static_cast<std::size_t>(i)];
        const std::size_t at = DropItemRecord(i);
        platform::WriteU32(record, at, drop != nullptr ? drop->itemId : kNoId);
        platform::WriteI32(record, at + kDropItemRoutePosition, drop != nullptr ? drop->routePosition : 0);
        platform::WriteI32(record, at + kDropItemCount, drop != nullptr ? drop->count : 0);
    }

    for (int i = 0; i < slot::kFieldItemCount; ++i) {
        const std::size_t at = ItemRecord(i);
        std::fill_n(record.begin() + static_cast<std::ptrdiff_t>(at), slot::kFieldItemSize, std::uint8_t{0});
        platform::WriteU32(record, at, kNoId);
    }
    int itemCount = 0;
    for (const GAME_CObjectItem* item : items) {
        if (itemCount >= slot::kFieldItemCount) break;
        if (item == nullptr || !item->HasValidEntry()) continue;
        const std::size_t at = ItemRecord(itemCount++);
        platform::WriteU32(record, at, item->itemId);
        platform::WriteI16(record, at + kItemX, static_cast<std::int16_t>(std::clamp(item->position.x, -32768.0f, 32767.0f)));
        platform::WriteI16(record, at + kItemY, static_cast<std::int16_t>(std::clamp(item->position.y, -32768.0f, 32767.0f)));
        // The record keeps the count in one byte.
        record[at + kItemCount] = static_cast<std::uint8_t>(std::clamp(item->count, 0, 255));
        std::uint8_t carrier = kNotCarried;
        if (item->carrier != nullptr) {
            const std::int32_t index = GetActorIndex(item->carrier);
            if (index >= 0 && index < kNotCarried) carrier = static_cast<std::uint8_t>(index);
        }
        record[at + kItemCarrier] = carrier;
        record[at + kItemInUse] = 1;
    }
}

// --- reading

void GAME_CFieldObjectManager::LoadFromSlot(std::span<const std::uint8_t> record)
{
    for (GAME_CObjectActor* actor : crew) {
        if (actor == nullptr) continue;
        actor->active = 0;
        freeCrew_.push_back(actor);
    }
    crew.clear();
    if (!CoversFieldAreas(record.size())) {
        ClearEnemies();
        ClearItems();
        ClearDropItems();
        ReleaseAllSandPillars();
        ClearDamageNumbers();
        return;
    }
    LoadCrew(record);
    RelocateCrewOutsideGrid();
    LoadEnemies(record);
    LoadItems(record);
    LoadDropItems(record);
    ReleaseAllSandPillars();
    ClearDamageNumbers();
}

void GAME_CFieldObjectManager::LoadCrew(std::span<const std::uint8_t> record)
{
    GAME_CShip* ship = ship_world::Ship();
    for (int i = 0; i < slot::kCrewRecordCount; ++i) {
        const std::size_t at = CrewRecord(i);
        if (record[at + slot::kCrewInUse] == 0) continue;
        // The writer marks a record with 1; any other byte is damage, not a crew member.
        if (record[at + slot::kCrewInUse] != 1) {
            LogBadWorkingSlotField("crew record " + std::to_string(i), at + slot::kCrewInUse,
                                   "present byte " + std::to_string(record[at + slot::kCrewInUse]) +
                                       " is neither 0 nor 1; the record is dropped");
            continue;
        }
        GAME_CObjectActor* actor = AcquireActorObject();
        if (actor == nullptr) break;
        ActorSetupRecord setup;
        setup.name.units = {platform::ReadU16(record, at + kCrewName), platform::ReadU16(record, at + kCrewName + 2)};
        const std::uint8_t column = record[at + kCrewColumn];
        const std::uint8_t row = record[at + kCrewRow];
        if (ship != nullptr && (column >= ship->grid.width || row >= ship->grid.height)) {
            // The member is placed on a floor cell once the crew is read.
            LogBadWorkingSlotField("crew record " + std::to_string(i), at + kCrewColumn,
                                   "cell (" + std::to_string(column) + ", " + std::to_string(row) + ") lies outside the " +
                                       std::to_string(ship->grid.width) + " x " + std::to_string(ship->grid.height) +
                                       " grid; the member goes to a floor cell");
        }
        if (record[at + kCrewInRoom] > 1) {
            LogBadWorkingSlotField("crew record " + std::to_string(i), at + kCrewInRoom,
                                   "in-room byte " + std::to_string(record[at + kCrewInRoom]) +
                                       " is neither 0 nor 1; it is taken from the rooms");
        }
        if (ship != nullptr) ship->GetCellFloorPoint(column, row, &setup.x, &setup.y, true);
        actor->Init(setup);
        ActorStatusSave entry;
        for (std::size_t k = 0; k < 2; ++k) {
            const std::size_t ids = at + kCrewSlotIds + 4 * k;
            entry.skillIds[k] = KnownCrewSlotId(record, i, ids, "skill", FindSkillData);
            entry.buffIds[k] = KnownCrewSlotId(record, i, ids + 8, "buff", FindBuffData);
            entry.debuffIds[k] = KnownCrewSlotId(record, i, ids + 16, "debuff", FindDebuffData);
        }
        entry.hp = platform::ReadI32(record, at + kCrewHp);
        entry.stamina = platform::ReadI32(record, at + kCrewStamina);
        entry.calorie = platform::ReadI32(record, at + kCrewCalorie);
        entry.flags = platform::ReadU32(record, at + kCrewFlags);
        entry.progress = platform::ReadI32(record, at + kCrewProgress);
        for (std::size_t k = 0; k < 2; ++k) {
            entry.buffTimers[k] = platform::ReadI32(record, at + kCrewBuffTimers + 4 * k);
            entry.debuffTimers[k] = platform::ReadI32(record, at + kCrewDebuffTimers + 4 * k);
        }
        actor->status.LoadFromSave(entry);
        for (std::size_t k = 0; k < 2; ++k) {
            ReportClampedTimer(i, at + kCrewBuffTimers + 4 * k, "buff", entry.buffTimers[k], actor->status.buffs[k].timer);
            ReportClampedTimer(i, at + kCrewDebuffTimers + 4 * k, "debuff", entry.debuffTimers[k], actor->status.debuffs[k].timer);
        }
        ReportClampedMeter(i, at + kCrewHp, "hp", entry.hp, actor->status.hp);
        ReportClampedMeter(i, at + kCrewStamina, "stamina", entry.stamina, actor->status.stamina);
        ReportClampedMeter(i, at + kCrewCalorie, "calorie", entry.calorie, actor->status.calorie);
        const std::uint8_t bits = record[at + kCrewRoomBits];
        if ((bits & ~kRoomBitsUsed) != 0) {
            LogBadWorkingSlotField("crew record " + std::to_string(i), at + kCrewRoomBits,
                                   "room bits " + std::to_string(bits) + " hold more than the home and work bits; the rest are dropped");
        }
        if ((bits & kHomePresent) != 0) BindRoom(*actor, CheckedHomeByte(record, i, at + kCrewHomeRoom));
        if ((bits & kWorkPresent) != 0) BindRoom(*actor, CheckedRoomByte(record, i, at + kCrewWorkRoom, "work"));
        // Saved while dying: the death goes on to its end; it was told when it began.
        if (actor->status.IsHPEmpty()) actor->ResumeDeath();
    }
}

void GAME_CFieldObjectManager::RelocateCrewOutsideGrid()
{
    const GAME_CShip* ship = ship_world::Ship();
    for (GAME_CObjectActor* actor : crew) {
        if (actor == nullptr) continue;
        actor->actionMode = GAME_CObjectActor::kActionNormal;
        actor->repairCountdown = 0;
        if (ship == nullptr) continue;
        const std::int32_t width = ship->grid.width;
        const std::int32_t height = ship->grid.height;
        if (actor->cellX < width && actor->cellY < height) continue;
        std::int32_t column = -1;
        std::int32_t row = -1;
        for (int attempt = 0; attempt < kRelocationTries && column < 0 && width > 0 && height > 0; ++attempt) {
            const std::int32_t x = vesk::math::RandInt(width);
            const std::int32_t y = vesk::math::RandInt(height);
            if (IsFloorCell(*ship, x, y)) {
                column = x;
                row = y;
            }
        }
        for (std::int32_t y = height - 1; y >= 0 && column < 0; --y) {
            for (std::int32_t x = 0; x < width && column < 0; ++x) {
                if (IsFloorCell(*ship, x, y)) {
                    column = x;
                    row = y;
                }
            }
        }
        if (column < 0) continue;
        const float cellWidth = ship->grid.cellWidth;
        actor->position.x = static_cast<float>(column) * cellWidth +
                            static_cast<float>(vesk::math::RandInt(std::max(static_cast<int>(cellWidth), 1)));
        actor->position.y = static_cast<float>(row + 1) * ship->grid.cellHeight - 1.0f;
        actor->UpdateGridCell();
    }
}

void GAME_CFieldObjectManager::LoadEnemies(std::span<const std::uint8_t> record)
{
    ClearEnemies();
    for (int i = 0; i < kEnemyRecordCount; ++i) {
        const std::size_t at = EnemyRecord(i);
        const std::uint32_t id = platform::ReadU32(record, at);
        const std::int32_t hp = platform::ReadI32(record, at + kEnemyHp);
        if (hp < 1 || id == 0 || id == 0xFFFFFFFE || id == kNoId) continue;
        if (FindEnemyData(id) == nullptr) {
            LogBadWorkingSlotField("enemy record " + std::to_string(i), at,
                                   "enemy " + TagText(id) + " names no record; the record is dropped");
            continue;
        }
        GAME_CObjectEnemy* enemy = AcquireEnemyObject();
        if (enemy == nullptr) break;
        EnemySetupRecord setup;
        setup.enemyId = id;
        setup.routePositions = {platform::ReadI32(record, at + kEnemyHomePosition),
                                platform::ReadI32(record, at + kEnemyRoutePosition)};
        enemy->Init(setup);
        // An enemy's HP never passes its kind's maximum; more is damage to the record.
        const std::int32_t maximum = enemy->hpRecord.maxHp;
        if (maximum >= 1 && hp > maximum) {
            LogBadWorkingSlotField("enemy record " + std::to_string(i), at + kEnemyHp,
                                   "hp " + std::to_string(hp) + " is past the maximum " + std::to_string(maximum) +
                                       " of " + TagText(id) + "; it is clamped");
        }
        enemy->hpRecord.hp = maximum >= 1 ? std::min(hp, maximum) : hp;
    }
}

void GAME_CFieldObjectManager::LoadItems(std::span<const std::uint8_t> record)
{
    ClearItems();
    const GAME_CShip* ship = ship_world::Ship();
    if (ship == nullptr) return;
    const float cellWidth = std::max(ship->grid.cellWidth, 1.0f);
    const float cellHeight = std::max(ship->grid.cellHeight, 1.0f);
    for (int i = 0; i < slot::kFieldItemCount; ++i) {
        const std::size_t at = ItemRecord(i);
        const std::uint32_t id = platform::ReadU32(record, at);
        const std::string area = "item record " + std::to_string(i);
        // The writer marks a record with 1; any other byte is damage, not a stack.
        if (record[at + kItemInUse] > 1) {
            LogBadWorkingSlotField(area, at + kItemInUse,
                                   "in-use byte " + std::to_string(record[at + kItemInUse]) +
                                       " is neither 0 nor 1; the record is dropped");
            continue;
        }
        if (record[at + kItemInUse] == 0 || id == 0 || id == kNoId) continue;
        const ItemData* data = FindItemData(id);
        if (data == nullptr) {
            LogBadWorkingSlotField(area, at, "item " + TagText(id) + " names no record; the record is dropped");
            continue;
        }
        const std::int32_t limit = std::max(data->stackLimit, 1);
        if (record[at + kItemCount] > limit) {
            LogBadWorkingSlotField(area, at + kItemCount,
                                   "count " + std::to_string(record[at + kItemCount]) + " is past the stack limit " +
                                       std::to_string(limit) + "; it is clamped");
        }
        const std::int32_t count = std::min<std::int32_t>(record[at + kItemCount], limit);
        if (count < 1) {
            LogBadWorkingSlotField(area, at + kItemCount, "count 0 holds no stack; the record is dropped");
            continue;
        }
        // A stack lies on a floor cell: one saved off the floor goes to the nearest free one.
        std::int32_t column = static_cast<std::int32_t>(platform::ReadI16(record, at + kItemX) / cellWidth);
        std::int32_t row = static_cast<std::int32_t>(platform::ReadI16(record, at + kItemY) / cellHeight);
        if (platform::ReadI16(record, at + kItemX) < 0 || platform::ReadI16(record, at + kItemY) < 0 ||
            !IsFloorCell(*ship, column, row)) {
            std::int32_t freeColumn = -1;
            std::int32_t freeRow = -1;
            const std::int32_t nearColumn = std::clamp(column, 0, std::max(ship->grid.width - 1, 0));
            const std::int32_t nearRow = std::clamp(row, 0, std::max(ship->grid.height - 1, 0));
            if (!FindFreeItemCell(nearColumn, nearRow, &freeColumn, &freeRow)) {
                Warn("item record " + std::to_string(i) + " lies off the floor and no free cell is left");
                continue;
            }
            column = freeColumn;
            row = freeRow;
        }
        GAME_CObjectItem* item = CreateItemObject();
        if (item == nullptr) continue;
        ItemObjectSetup setup;
        InitItemEntry(setup.entry, id, count);
        setup.noSound = true;
        ship->GetCellFloorPoint(column, row, &setup.x, &setup.y, false);
        item->Init(setup);
        item->SnapToGridCell();
        const std::uint8_t carrierIndex = record[at + kItemCarrier];
        if (carrierIndex == kNotCarried) continue;
        GAME_CObjectActor* carrier = GetActorAt(carrierIndex);
        // A carrier naming nobody, one already carrying another stack, or one dying (whose death
        // would give way to the pick-up) leaves the stack lying.
        if (carrier == nullptr || carrier->IsDying() || (carrier->carriedItem != nullptr && carrier->carriedItem != item)) {
            continue;
        }
        if (carrier->carriedItem != item) {
            carrier->carriedItem = item;
            carrier->PlayItemGet();
            carrier->StepScript();
        }
        item->SetCarrier(carrier);
    }
}

void GAME_CFieldObjectManager::LoadDropItems(std::span<const std::uint8_t> record)
{
    ClearDropItems();
    for (int i = 0; i < kDropItemRecordCount; ++i) {
        const std::size_t at = DropItemRecord(i);
        const std::uint32_t id = platform::ReadU32(record, at);
        const std::int32_t count = platform::ReadI32(record, at + kDropItemCount);
        if (count <= 0) continue;
        if (FindItemData(id) == nullptr) {
            LogBadWorkingSlotField("drop-item record " + std::to_string(i), at,
                                   "item " + TagText(id) + " with count " + std::to_string(count) +
                                       " names no record; the record is dropped");
            continue;
        }
        // What comes aboard is one stack: a count past the item's stack limit is damage.
        const std::int32_t limit = StackLimitOf(FindItemData(id));
        if (count > limit) {
            LogBadWorkingSlotField("drop-item record " + std::to_string(i), at + kDropItemCount,
                                   "count " + std::to_string(count) + " of " + TagText(id) + " is past the stack limit " +
                                       std::to_string(limit) + "; it is clamped");
        }
        GAME_CObjectDropItem* drop = AcquireDropItem();
        if (drop == nullptr) break;
        const std::int32_t routePosition = platform::ReadI32(record, at + kDropItemRoutePosition);
        drop->Init({id, std::min(count, limit), routePosition});
        // The saved place is where it lay; set-up's shift by the sprite's width was made once already.
        drop->routePosition = routePosition;
    }
}
