// A room's crew (assigned and present members), births in crew homes, bound tasks and the nearest-room predicates.
#include <algorithm>

#include "framework/math/random.h"
#include "game/model/stores/food_storage.h"
#include "game/services/player/inventory.h"
#include "game/services/data/room_records.h"
#include "game/services/data/static_database.h"
#include "game/model/stores/stored_items.h"
#include "game/services/text/actor_names.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/ship_world.h"
#include "game/model/ship/task_base.h"
#include "game/model/world/game_world.h"
#include "game/model/world/game_world_ready.h"

namespace {

constexpr std::uint32_t kBalloonBound = 106;
constexpr std::uint32_t kBalloonReleased = 107;
constexpr std::uint32_t kBalloonNewborn = 4;

bool Contains(const std::vector<GAME_CObjectActor*>& list, const GAME_CObjectActor* member)
{
    return member != nullptr && std::find(list.begin(), list.end(), member) != list.end();
}

// The upgrade bonus of births: installed types 4 and 5, the scan ending after an entry of type 5.
std::int64_t BirthBonus(const GAME_CRoomBase& room)
{
    std::int64_t bonus = 1000;
    if (room.roomData == nullptr) return bonus;
    for (const RoomUpgradeEntry& entry : room.roomData->upgrades) {
        if (entry.type == -1) break;
        const bool installed = entry.type >= 0 && entry.type < GAME_CRoomBase::kUpgradeTypeCount &&
                               (room.installedUpgrades & (1u << entry.type)) != 0;
        if (installed && (entry.type == 4 || entry.type == 5)) bonus += entry.value;
        if (entry.type == 5) break;
    }
    return bonus;
}

std::uint32_t DrawBirthValue()
{
    const std::uint32_t r1 = static_cast<std::uint32_t>(vesk::math::Rand());
    const std::uint32_t r2 = static_cast<std::uint32_t>(vesk::math::Rand());
    const std::uint32_t r3 = static_cast<std::uint32_t>(vesk::math::Rand());
    return ((r1 & 0xFFFFF800u) << 20) | (r2 << 16) | r3;
}

}  // namespace

// --- crew

std::int32_t GAME_CRoomBase::CountCrew() const
{
    std::int32_t both = 0;
    for (const GAME_CObjectActor* member : assignedCrew) both += Contains(presentCrew, member) ? 1 : 0;
    return static_cast<std::int32_t>(assignedCrew.size() + presentCrew.size()) - both;
}

bool GAME_CRoomBase::IsAssigned(const GAME_CObjectActor* member) const { return Contains(assignedCrew, member); }

bool GAME_CRoomBase::IsPresent(const GAME_CObjectActor* member) const { return Contains(presentCrew, member); }

bool GAME_CRoomBase::TryAddCrew(GAME_CObjectActor* member)
{
    if (member == nullptr || member->workLink.room != nullptr) return false;
    const bool home = kind == kRoomKindCrewHome;
    // Quarters still being built are their builders' workplace, not their home: the builder keeps
    // the home it has (a save would otherwise lodge it in the new quarters, out of its own).
    const bool links = !home || !underConstruction;
    if (IsAssigned(member)) {
        if (links) member->SetRoomLink(GetRoomNumber(), home);
        return false;
    }
    if (!HasPlaceFor(member)) return false;
    assignedCrew.push_back(member);
    member->assigned = 1;
    if (links) member->SetRoomLink(GetRoomNumber(), home);
    return true;
}

void GAME_CRoomBase::AssignCrew(GAME_CObjectActor* member)
{
    const bool takesCrew = roomData != nullptr && (roomData->flags & kRoomTakesCrew) != 0;
    if (kind == kRoomKindStorage || kind == kRoomKindOpenStorage || !takesCrew) {
        UnassignCrew(nullptr);
        return;
    }
    if (member == nullptr) return;
    if (CountCrew() >= capacity && !IsAssigned(member) && !IsPresent(member)) {
        assignedCrew.push_back(member);
        presentCrew.push_back(member);
        const auto victim = std::find_if(assignedCrew.begin(), assignedCrew.end(),
                                         [&](const GAME_CObjectActor* other) { return other != nullptr && other != member; });
        if (victim != assignedCrew.end()) {
            GAME_CObjectActor* evicted = *victim;
            UnassignCrew(evicted);
            evicted->SetTask(nullptr, false);
            RemoveCrew(evicted);
        }
    }
    const bool home = kind == kRoomKindCrewHome;
    GAME_CRoomBase* previous = home ? member->homeLink.room : member->workLink.room;
    if (previous != nullptr && previous != this) previous->UnassignCrew(member);
    member->SetRoomLink(GetRoomNumber(), home);
    member->roomLinkFlag = 1;
    if (!IsPresent(member)) presentCrew.push_back(member);
    member->ShowBalloon(kBalloonBound, false);
}

void GAME_CRoomBase::UnassignCrew(GAME_CObjectActor* member)
{
    const bool home = kind == kRoomKindCrewHome;
    const auto release = [&](GAME_CObjectActor* who) {
        if (!IsGameWorldReady()) {
            who->SetRoomLink(-1, true);
            who->SetRoomLink(-1, false);
        } else {
            who->SetRoomLink(-1, home);
        }
        who->roomLinkFlag = 0;
    };
    if (member == nullptr) {
        for (GAME_CObjectActor* present : presentCrew) {
            if (present != nullptr) release(present);
        }
        presentCrew.clear();
        return;
    }
    release(member);
    std::erase(presentCrew, member);
    member->ShowBalloon(kBalloonReleased, false);
}

void GAME_CRoomBase::RemoveCrew(GAME_CObjectActor* member)
{
    std::erase(assignedCrew, nullptr);
    if (member == nullptr) return;
    std::erase(assignedCrew, member);
    member->assigned = 0;
    if (member->workLink.room == this) member->SetRoomLink(-1, false);
}

bool GAME_CRoomBase::IsHomeOf(const GAME_CObjectActor* member) const
{
    return kind == kRoomKindCrewHome && IsBuiltOnGrid() && IsPresent(member);
}

bool GAME_CRoomBase::HasPlaceFor(const GAME_CObjectActor* member) const
{
    return IsPresent(member) || IsAssigned(member) || CountCrew() < capacity;
}

bool GAME_CRoomBase::CanBeHomeOf(const GAME_CObjectActor* member) const
{
    return kind == kRoomKindCrewHome && IsBuiltOnGrid() && HasPlaceFor(member);
}

// --- births

void GAME_CRoomBase::UpdateBirths()
{
    if (roomData == nullptr || (roomData->flags & kRoomCrewHome) == 0 || !IsBuiltOnGrid()) return;
    if (ship_world::AreBirthsHeld() || assignedCrew.size() < 2) return;
    GAME_CShip* ship = ship_world::Ship();
    GAME_CFieldObjectManager* objects = ship_world::FieldObjects();
    const GAME_CStaticDatabase* database = GetStaticDatabase();
    if (ship == nullptr || objects == nullptr || database == nullptr) return;
    if (static_cast<std::int64_t>(objects->crew.size()) >= ship->GetCrewCapacity()) return;
    const DatabaseLimits& limits = database->Limits();
    const std::int64_t due = std::int64_t{limits.first} * 1000 / std::max<std::int64_t>(1, BirthBonus(*this));
    for (std::size_t i = 0; i < assignedCrew.size(); ++i) {
        for (std::size_t j = i + 1; j < assignedCrew.size(); ++j) {
            GAME_CObjectActor* first = assignedCrew[i];
            GAME_CObjectActor* second = assignedCrew[j];
            if (first == nullptr || second == nullptr) continue;
            first->parentToBe = 1;
            second->parentToBe = 1;
            if (++birthCounter < due) continue;
            birthCounter = 0;
            const std::uint32_t value = DrawBirthValue();
            if (value % static_cast<std::uint32_t>(std::max(1, limits.third)) >=
                static_cast<std::uint32_t>(std::max(0, limits.second))) {
                continue;
            }
            GAME_CObjectActor* child = objects->AcquireActorObject();
            if (child == nullptr) return;
            ActorSetupRecord setup;
            ship->GetCellFloorPoint(gridX, gridY, &setup.x, &setup.y, false);
            child->Init(setup);
            child->status.name = MakeChildActorName(first->status.name, second->status.name);
            child->ShowBalloon(kBalloonNewborn, false);
            GAME_CGameWorld* world = PeekGameWorld();
            if (world != nullptr && world->ui) world->ui->ShowActorBirth(first, second, child);
            return;
        }
    }
}

// --- tasks

void GAME_CRoomBase::AttachTask(GAME_CTaskBase* task)
{
    if (task == nullptr || task->IsFinished() || !task->IsRoomTask()) return;
    switch (task->GetKind()) {
    case kTaskRoomBuild:
    case kTaskItemCraft:
    case kTaskRoomUpgrade:
    case kTaskCooking:
    case kTaskAttackToEnemy:
    case kTaskPatient:
    case kTaskRouteScan:
    case kTaskEngineMaintenance:
    case kTaskMindControl:
    case kTaskRefuel:
        break;
    default:
        return;
    }
    if (std::find(boundTasks.begin(), boundTasks.end(), task) == boundTasks.end()) boundTasks.push_back(task);
}

void GAME_CRoomBase::DetachTask(GAME_CTaskBase* task) { std::erase(boundTasks, task); }

void GAME_CRoomBase::RenumberTasks(std::int32_t roomNumber)
{
    std::erase_if(boundTasks, [](const GAME_CTaskBase* task) { return task == nullptr || task->IsFinished(); });
    for (GAME_CTaskBase* task : boundTasks) task->SetRoomIndex(roomNumber);
}

bool GAME_CRoomBase::IsTaskSlotArrayEmpty() const { return boundTasks.empty(); }

const GAME_CTaskBase* GAME_CRoomBase::FindWorkingTask() const
{
    for (const GAME_CTaskBase* task : boundTasks) {
        if (task == nullptr) continue;
        if (task->GetKind() == kTaskItemCarrier || task->GetKind() == kTaskCarrierFromInventory) continue;
        return task->progress > 0 ? task : nullptr;
    }
    return nullptr;
}

const GAME_CTaskBase* GAME_CRoomBase::FindRunningUpgradeTask() const
{
    for (const GAME_CTaskBase* task : boundTasks) {
        if (task != nullptr && task->GetKind() == kTaskRoomUpgrade) return task->progress > 0 ? task : nullptr;
    }
    return nullptr;
}

// --- predicates of the nearest-room search

bool IsCrewStoreroom(const GAME_CRoomBase& room)
{
    // A room on its way out takes nothing in: what went in would come down with its own goods.
    if (room.roomData == nullptr || room.removeRequested) return false;
    const std::uint32_t flags = room.roomData->flags;
    return (flags & kRoomInventory) != 0 && (flags & kRoomInventoryWithoutCapacity) == 0;
}

bool RoomCanTakeItem(const GAME_CRoomBase& room, std::uint32_t itemId)
{
    if (!IsCrewStoreroom(room)) return false;
    const GAME_CInventory* inventory = FindRoomInventory(&room);
    return inventory != nullptr && inventory->CanAddItem(itemId);
}

bool RoomHoldsItem(const GAME_CRoomBase& room, std::uint32_t itemId)
{
    if (room.roomData == nullptr || (room.roomData->flags & kRoomInventory) == 0) return false;
    const GAME_CInventory* inventory = FindRoomInventory(&room);
    return inventory != nullptr && std::any_of(inventory->stacks.begin(), inventory->stacks.end(),
                                               [&](const InventoryStack& stack) { return stack.ItemId() == itemId; });
}

bool RoomHoldsAndCanTakeItem(const GAME_CRoomBase& room, std::uint32_t itemId)
{
    return RoomHoldsItem(room, itemId) && RoomCanTakeItem(room, itemId);
}

bool RoomHasStock(const GAME_CRoomBase& room, std::uint32_t)
{
    if (room.roomData == nullptr || (room.roomData->flags & kRoomInventory) == 0) return false;
    const GAME_CInventory* inventory = FindRoomInventory(&room);
    return inventory != nullptr && std::any_of(inventory->stacks.begin(), inventory->stacks.end(),
                                               [](const InventoryStack& stack) { return stack.Count() >= 1; });
}

bool RoomHasFoodStorageContent(const GAME_CRoomBase& room, std::uint32_t)
{
    if (room.roomData == nullptr || (room.roomData->flags & kRoomFoodStorage) == 0 || !room.IsBuiltOnGrid()) {
        return false;
    }
    const GAME_CFoodStorage* store = FindFoodStorage(room.GetRoomNumber());
    return store != nullptr && store->GetCount() > 0;
}
