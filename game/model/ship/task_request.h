// The task request every task is made from, and the builders that fill it for each kind.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "game/services/data/record_entries.h"

class GAME_CObjectActor;
class GAME_CObjectItem;
class GAME_CTaskBase;
struct TaskData;

// A small record that a screen, a room, the crew AI or another task fills and hands to the task
// factory. The words after the room index are kind-specific; they are kept by their offset in the
// record (20, 24, ... 44) so that every builder and every task reads the same word. The objects a
// few kinds name (the item to carry, the parent of a carry task, the crew member of a mind-control
// order) are held as pointers of their own.
struct GAME_CTaskRequest {
    static constexpr std::size_t kFirstWordOffset = 20;
    static constexpr std::size_t kWordCount = 7;

    std::uint32_t taskId = kNoId;
    std::int32_t kind = -1;
    std::uint32_t size = 20;
    // 1 when the task is made again from a save record: no carry requests are posted then.
    std::uint32_t restored = 0;
    std::int32_t roomIndex = -1;
    GAME_CObjectItem* item = nullptr;     // item carrier: the item object to carry
    GAME_CTaskBase* parent = nullptr;     // carry from the stores: the task the units go into
    GAME_CObjectActor* actor = nullptr;   // mind control and patient care: the crew member
    std::array<std::uint32_t, kWordCount> words{};

    // The kind-specific word at that offset of the record (20 .. 44).
    std::uint32_t& Word(std::size_t offset) { return words[(offset - kFirstWordOffset) / 4]; }
    std::uint32_t Word(std::size_t offset) const { return words[(offset - kFirstWordOffset) / 4]; }
    std::int32_t SignedWord(std::size_t offset) const { return static_cast<std::int32_t>(Word(offset)); }
};

// Crafting of a recipe in a room: the record's crew limit, duration and meter totals, its product
// and count, and `extra` (1: post no carry requests).
GAME_CTaskRequest MakeItemCraftRequest(const TaskData& record, std::int32_t roomIndex, std::uint32_t extra);
// Carrying an item object lying on the grid at (x, y) to storage.
GAME_CTaskRequest MakeItemCarrierRequest(GAME_CObjectItem* item, std::uint16_t x, std::uint16_t y);
// An upgrade of a room: the record's crew limit, duration and meter totals and its upgrade bit.
GAME_CTaskRequest MakeRoomUpgradeRequest(const TaskData& record, std::int32_t roomIndex);
// A meal at the dining room's table.
GAME_CTaskRequest MakeMealRequest(std::int32_t roomIndex);
// Cooking the kitchen's dish; `value` 1 posts no carry requests. The words between the room and
// the value are cleared, whatever the caller's record held.
GAME_CTaskRequest MakeCookingRequest(std::int32_t roomIndex, std::uint32_t value = 0);
// A shooting cycle of a turret room; `flag` 0 for a new attack, 1 on restore.
GAME_CTaskRequest MakeAttackRequest(std::int32_t roomIndex, std::uint32_t flag);
// Care in an infirmary: treatment 0 heals HP ("THHP"), else the debuff id the treatment treats.
GAME_CTaskRequest MakePatientRequest(std::int32_t roomIndex, std::uint32_t a, std::uint32_t treatment,
                                     std::uint32_t c);
// `a` 1 posts no carry requests.
GAME_CTaskRequest MakeRouteScanRequest(std::int32_t roomIndex, std::uint32_t a);
GAME_CTaskRequest MakeEngineMaintenanceRequest(std::int32_t roomIndex, std::uint32_t a);
// Taking the skill of a skill slot (0 or 1) from a crew member; `flag` 1 posts no carry requests.
GAME_CTaskRequest MakeMindControlRequest(std::int32_t roomIndex, std::uint32_t slot, GAME_CObjectActor* actor,
                                         std::uint32_t flag);
// Fuel from the materials of a fuel recipe; `a` 1 posts no carry requests.
GAME_CTaskRequest MakeRefuelRequest(std::uint32_t taskId, std::int32_t roomIndex, std::uint32_t a);
// Bringing the ammunition into a turret room.
GAME_CTaskRequest MakeReloadRequest(std::int32_t roomIndex, std::uint32_t ammoId);
// Fetching count units of an item from the stores into the parent task.
GAME_CTaskRequest MakeCarryFromStoreRequest(GAME_CTaskBase* parent, std::int32_t roomIndex, std::uint32_t itemId,
                                            std::int32_t count);
// A meal away from any dining room, on a food item lying on the grid.
GAME_CTaskRequest MakeMealOnGridRequest();
// Building a room placed on the grid; a new build requests its materials.
GAME_CTaskRequest MakeRoomBuildRequest(std::int32_t roomIndex);
// A rest in a room (a crew home).
GAME_CTaskRequest MakeBreakRequest(std::int32_t roomIndex);
// A crew member at the bridge.
GAME_CTaskRequest MakeBridgeDriverRequest(std::int32_t roomIndex);
// The doctor beside a patient task of the room.
GAME_CTaskRequest MakeDoctorRequest(std::int32_t roomIndex);
