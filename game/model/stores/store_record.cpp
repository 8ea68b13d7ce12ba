// The store record of a save slot: item stacks, food stores and ammunition stores in one table of 3,952 entries.
#include "game/model/stores/store_record.h"

#include <algorithm>
#include <string>

#include "framework/log/log.h"
#include "game/model/stores/ammo_storage.h"
#include "game/model/stores/food_storage.h"
#include "game/services/player/inventory.h"
#include "game/services/player/player_data.h"
#include "game/services/data/static_lookups.h"
#include "game/model/stores/stored_items.h"
#include "game/services/data/tag.h"
#include "game/services/save/save_field_log.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/services/save/working_slot.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/ship_world.h"
#include "platform/little_endian.h"

namespace {

using save_layout::slot::kStore;
using save_layout::slot::kStoreCounters;
using save_layout::slot::kStoreEntrySize;

constexpr std::uint16_t kNoOwner = 0xFFFF;
constexpr std::uint32_t kAmmoUnset = 0xFFFFFFFE;

struct StoreEntry {
    std::uint32_t id = kNoId;
    std::uint16_t count = 0;
    std::uint16_t owner = kNoOwner;
};

std::size_t EntryOffset(std::int32_t index) { return kStore + static_cast<std::size_t>(index) * kStoreEntrySize; }

void WriteEntry(std::span<std::uint8_t> slot, std::int32_t index, const StoreEntry& entry)
{
    platform::WriteU32(slot, EntryOffset(index), entry.id);
    platform::WriteU16(slot, EntryOffset(index) + 4, entry.count);
    platform::WriteU16(slot, EntryOffset(index) + 6, entry.owner);
}

StoreEntry ReadEntry(std::span<const std::uint8_t> slot, std::int32_t index)
{
    return StoreEntry{platform::ReadU32(slot, EntryOffset(index)), platform::ReadU16(slot, EntryOffset(index) + 4),
                      platform::ReadU16(slot, EntryOffset(index) + 6)};
}

std::uint16_t ClampCount(std::int64_t count) { return static_cast<std::uint16_t>(std::clamp<std::int64_t>(count, 0, 0xFFFF)); }

std::uint16_t OwnerOf(std::int64_t index)
{
    return index >= 0 && index < kNoOwner ? static_cast<std::uint16_t>(index) : kNoOwner;
}

// The counters as stored, each clamped to the table; an empty table marks them 0xFFFF.
std::int32_t ReadCounter(std::span<const std::uint8_t> slot, std::size_t offset, const char* what)
{
    const std::int32_t value = platform::ReadU16(slot, offset);
    if (value <= kStoreEntryLimit || value == kNoOwner) return std::min(value, kStoreEntryLimit);
    LogBadWorkingSlotField("store record", offset,
                           std::string(what) + " counter " + std::to_string(value) + " lies past its " + std::to_string(kStoreEntryLimit) +
                               " entries; it is taken as " + std::to_string(kStoreEntryLimit));
    return kStoreEntryLimit;
}

std::int32_t FirstCounter(std::span<const std::uint8_t> slot) { return ReadCounter(slot, kStoreCounters, "item"); }
std::int32_t SecondCounter(std::span<const std::uint8_t> slot) { return ReadCounter(slot, kStoreCounters + 2, "food"); }

void WarnEntry(std::int32_t index, const std::string& why)
{
    LogBadWorkingSlotField("store entry " + std::to_string(index), EntryOffset(index), why + "; it is passed over");
}

bool IsEmptyId(std::uint32_t id) { return id == kNoId || id == kAmmoUnset || id == 0; }

// An entry without an id holds nothing, so its count must be 0; the readers pass such entries
// over, and the log says that the record is damaged (once, with how many entries are).
void ReportEmptyEntriesWithCounts(std::span<const std::uint8_t> slot)
{
    std::int32_t first = -1;
    std::int32_t damaged = 0;
    for (std::int32_t i = 0; i < kStoreEntryLimit; ++i) {
        const StoreEntry entry = ReadEntry(slot, i);
        if (!IsEmptyId(entry.id) || entry.count == 0) continue;
        if (first < 0) first = i;
        ++damaged;
    }
    if (first < 0) return;
    LogBadWorkingSlotField("store entry " + std::to_string(first), EntryOffset(first) + 4,
                           "count " + std::to_string(ReadEntry(slot, first).count) + " without an id (" +
                               std::to_string(damaged) + " such entries); they hold nothing");
}

// A store is named by its place in the list, and a load makes the turrets' stores again in the
// order of their rooms: the place it will take then, whichever turret was finished first.
std::int32_t PlaceAfterLoad(const GAME_CAmmoImpl& store)
{
    std::int32_t place = 0;
    for (std::int32_t i = 0; i < GetAmmoStorageCount(); ++i) {
        const GAME_CAmmoImpl* other = GetAmmoStorageAt(i);
        if (other != nullptr && other->GetRoomIndex() >= 0 && other->GetRoomIndex() < store.GetRoomIndex()) ++place;
    }
    return place;
}

}  // namespace

void WriteItemStacksToRecord(std::span<std::uint8_t> slot)
{
    const GAME_CPlayerData* player = GetPlayerData();
    const GAME_CShip* ship = ship_world::Ship();
    std::int32_t next = 0;
    for (std::size_t i = 0; player != nullptr && i < player->InventoryCount(); ++i) {
        const GAME_CInventory* inventory = player->GetInventoryAt(static_cast<std::int64_t>(i));
        if (inventory == nullptr) continue;
        const std::int32_t roomNumber = ship != nullptr ? ship->GetRoomIndex(inventory->room) : -1;
        for (const InventoryStack& stack : inventory->stacks) {
            if (next >= kStoreEntryLimit) break;
            WriteEntry(slot, next++, StoreEntry{stack.ItemId(), ClampCount(stack.Count()), OwnerOf(roomNumber)});
        }
    }
    platform::WriteU16(slot, kStoreCounters, static_cast<std::uint16_t>(next));
}

void WriteFoodStoresToRecord(std::span<std::uint8_t> slot)
{
    std::int32_t next = std::min<std::int32_t>(platform::ReadU16(slot, kStoreCounters), kStoreEntryLimit);
    for (std::int32_t i = 0; i < GetFoodStorageCount() && next < kStoreEntryLimit; ++i) {
        const GAME_CFoodStorage* store = GetFoodStorageAt(i);
        if (store == nullptr) continue;
        WriteEntry(slot, next++, StoreEntry{*store->GetFoodId(), ClampCount(store->GetCount()), OwnerOf(store->GetRoomIndex())});
    }
    platform::WriteU16(slot, kStoreCounters + 2, static_cast<std::uint16_t>(next));
}

void WriteAmmoStoresToRecord(std::span<std::uint8_t> slot)
{
    std::int32_t next = std::min<std::int32_t>(platform::ReadU16(slot, kStoreCounters + 2), kStoreEntryLimit);
    for (std::int32_t i = 0; i < GetAmmoStorageCount() && next < kStoreEntryLimit; ++i) {
        const GAME_CAmmoImpl* store = GetAmmoStorageAt(i);
        if (store == nullptr) continue;
        WriteEntry(slot, next++, StoreEntry{*store->GetAmmoId(), ClampCount(store->GetCount()), OwnerOf(PlaceAfterLoad(*store))});
    }
}

void WriteStoreRecord(std::span<std::uint8_t> slot)
{
    WriteItemStacksToRecord(slot);
    WriteFoodStoresToRecord(slot);
    WriteAmmoStoresToRecord(slot);
}

void ReadItemStacksFromRecord(std::span<const std::uint8_t> slot)
{
    const GAME_CShip* ship = ship_world::Ship();
    GAME_CPlayerData* player = GetPlayerData();
    if (ship == nullptr || player == nullptr) return;
    const std::int32_t end = FirstCounter(slot);
    for (std::int32_t i = 0; i < end; ++i) {
        const StoreEntry entry = ReadEntry(slot, i);
        if (entry.id == kNoId || entry.id == 0 || entry.count == 0) break;
        // The writer marks the stacks of an inventory without a room with no owner: they have
        // nowhere to go, but the inventories written after them still do.
        if (entry.owner == kNoOwner) continue;
        if (entry.owner >= ship->CountRoomsOnGrid()) {
            LogBadWorkingSlotField("store entry " + std::to_string(i), EntryOffset(i) + 6,
                                   "owner " + std::to_string(entry.owner) + " is not a room of the ship; the item stacks end here");
            break;
        }
        const ItemData* record = FindItemData(entry.id);
        if (record == nullptr) {
            WarnEntry(i, "names the unknown item " + TagText(entry.id));
            continue;
        }
        GAME_CRoomBase* room = ship->GetRoom(entry.owner);
        GAME_CInventory* inventory = FindRoomInventory(room);
        if (inventory == nullptr) {
            WarnEntry(i, "names room " + std::to_string(entry.owner) + ", which has no inventory");
            continue;
        }
        const std::int32_t units = std::min<std::int32_t>(entry.count, StackLimitOf(record));
        if (units != entry.count) {
            LogBadWorkingSlotField("store entry " + std::to_string(i), EntryOffset(i) + 4,
                                   "count " + std::to_string(entry.count) + " of " + TagText(entry.id) +
                                       " is past its stack limit; it is " + std::to_string(units));
        }
        for (std::int32_t unit = 0; unit < units; ++unit) {
            if (room->kind == kRoomKindOpenStorage) {
                inventory->ForceAddItem(entry.id);
            } else if (!inventory->AddItem(entry.id)) {
                break;
            }
        }
    }
}

void ReadFoodStoresFromRecord(std::span<const std::uint8_t> slot)
{
    const std::int32_t begin = FirstCounter(slot);
    const std::int32_t end = SecondCounter(slot);
    for (std::int32_t i = begin; i < end; ++i) {
        const StoreEntry entry = ReadEntry(slot, i);
        if (entry.id == kNoId || entry.id == 0) break;
        GAME_CFoodStorageImpl* store = FindFoodStorage(entry.owner == kNoOwner ? -1 : entry.owner);
        if (store == nullptr) continue;
        // A store holds one of the dishes the kitchen cooks; any other id would hold its count for good.
        if (FindCookingRecipe(entry.id) == nullptr) {
            WarnEntry(i, "names " + TagText(entry.id) + ", which is no dish");
            continue;
        }
        store->SetFoodId(&entry.id);
        const std::int32_t capacity = std::max(0, store->GetCapacity());
        // A room under construction holds no food for now; its stock is not damage.
        if (entry.count > capacity && capacity > 0) {
            LogBadWorkingSlotField("store entry " + std::to_string(i), EntryOffset(i) + 4,
                                   "food count " + std::to_string(entry.count) + " is past the store's capacity; it is " +
                                       std::to_string(capacity));
        }
        store->SetCount(std::clamp<std::int32_t>(entry.count, 0, capacity));
    }
}

void ReadAmmoStoresFromRecord(std::span<const std::uint8_t> slot)
{
    const std::int32_t first = FirstCounter(slot);
    const std::int32_t second = SecondCounter(slot);
    if (second < first) return;
    for (std::int32_t i = second; i < kStoreEntryLimit; ++i) {
        const StoreEntry entry = ReadEntry(slot, i);
        if (entry.id == kNoId || entry.id == kAmmoUnset || entry.id == 0) continue;
        GAME_CAmmoImpl* store = GetAmmoStorageAt(entry.owner);
        if (store == nullptr) continue;
        const ItemData* record = FindItemData(entry.id);
        if (record == nullptr || !record->IsAmmunition()) {
            WarnEntry(i, "names " + TagText(entry.id) + ", which is no ammunition");
            continue;
        }
        store->SetAmmoId(&entry.id);
        if (entry.count > store->GetCapacity() && store->GetCapacity() > 0) {
            LogBadWorkingSlotField("store entry " + std::to_string(i), EntryOffset(i) + 4,
                                   "ammunition count " + std::to_string(entry.count) + " is past the store's capacity; it is " +
                                       std::to_string(store->GetCapacity()));
        }
        while (store->GetCount() > 0) store->RemoveOne();
        while (store->GetCount() < entry.count && store->GetCount() < store->GetCapacity()) store->AddOne();
        working_slot::MarkItemDiscovered(entry.id);
    }
}

void ReadStoreRecord(std::span<const std::uint8_t> slot)
{
    ReportEmptyEntriesWithCounts(slot);
    ReadItemStacksFromRecord(slot);
    ReadFoodStoresFromRecord(slot);
    ReadAmmoStoresFromRecord(slot);
}
