// The world's task list: the step, removal and deletion of tasks, and the queries of the crew AI, the rooms and the screens.
#include "game/model/ship/task_manager.h"

#include <algorithm>

#include "game/model/world/game_world.h"
#include "game/model/world/game_world_ready.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/ship/item_drops.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/ship_world.h"

namespace {

bool IsRouteHolding()
{
    const GAME_CGameWorld* world = PeekGameWorld();
    return world != nullptr && world->travel && world->travel->routeManager && world->travel->routeManager->IsHolding();
}

void ReleaseCrewOf(GAME_CTaskBase* task)
{
    if (!IsGameWorldReady()) return;
    if (GAME_CFieldObjectManager* objects = ship_world::FieldObjects()) objects->AssignCrewToTask(task, true, false);
}

bool IsUnfinishedKind(const GAME_CTaskBase* task, std::int32_t kind)
{
    return task != nullptr && !task->IsFinished() && task->GetKind() == kind;
}

// Meals, breaks, carries and patients never keep the tasks behind them from working.
bool BlocksTasksBehind(std::int32_t kind)
{
    return kind != kTaskMeal && kind != kTaskBreak && kind != kTaskItemCarrier && kind != kTaskCarrierFromInventory &&
           kind != kTaskPatient;
}

// Every task has gone: no room of the ship may keep one bound, for its screens and the ship's
// drawing read the tasks a room holds.
void UnbindEveryRoomTask()
{
    GAME_CShip* ship = ship_world::Ship();
    if (ship == nullptr) return;
    for (GAME_CRoomBase* room : ship->rooms) {
        if (room != nullptr) room->boundTasks.clear();
    }
}

}  // namespace

GAME_CTaskManager::~GAME_CTaskManager() { Clear(); }

void GAME_CTaskManager::Update()
{
    if (IsRouteHolding()) return;
    const std::size_t count = tasks.size();
    for (std::size_t i = 0; i < count && i < tasks.size(); ++i) {
        GAME_CTaskBase* task = tasks[i];
        if (task == nullptr) continue;
        if (!task->IsFinished()) {
            const std::size_t before = tasks.size();
            task->Tick();
            if (tasks.size() != before) break;
        }
        if (!task->IsFinished()) continue;
        tasks[i] = nullptr;
        NoteListChanged();
        ReleaseCrewOf(task);
        RemoveTask(task);
        delete task;
    }
    std::erase(tasks, nullptr);
}

void GAME_CTaskManager::ForgetCrewLinks() const
{
    GAME_CFieldObjectManager* objects = ship_world::FieldObjects();
    if (objects == nullptr) return;
    for (GAME_CObjectActor* actor : objects->crew) {
        if (actor == nullptr || actor->task == nullptr) continue;
        if (std::find(tasks.begin(), tasks.end(), actor->task) != tasks.end()) actor->task = nullptr;
    }
}

void GAME_CTaskManager::Clear()
{
    ForgetCrewLinks();
    for (std::size_t i = 0; i < tasks.size(); ++i) {
        GAME_CTaskBase* task = tasks[i];
        tasks[i] = nullptr;
        NoteListChanged();
        if (task == nullptr) continue;
        RemoveTask(task);
        delete task;
    }
    tasks.clear();
    UnbindEveryRoomTask();
    NoteListChanged();
}

std::size_t GAME_CTaskManager::AddTask(GAME_CTaskBase* task)
{
    if (task == nullptr || std::find(tasks.begin(), tasks.end(), task) != tasks.end()) return tasks.size();
    if (IsGameWorldReady() && task->IsRoomTask()) {
        if (GAME_CRoomBase* room = task->GetRoom()) room->AttachTask(task);
    }
    tasks.push_back(task);
    NoteListChanged();
    return tasks.size();
}

void GAME_CTaskManager::DropDeliveredMaterials(GAME_CTaskBase& task) const
{
    const GAME_CRoomBase* room = task.GetRoom();
    const GAME_CShip* ship = ship_world::Ship();
    const std::int32_t x = room != nullptr ? room->gridX : 0;
    const std::int32_t y = room != nullptr ? room->gridY : (ship != nullptr ? ship->grid.height - 1 : 0);
    // A task given up on a full deck (one waiting for room for its product, say) keeps its units
    // aboard in the storeroom.
    for (const ItemCount& pair : task.CollectMaterialPairs()) DropOrStoreItemStacks(pair.itemId, pair.count, x, y);
    task.materials.clear();
}

void GAME_CTaskManager::RemoveTask(GAME_CTaskBase* task)
{
    if (task == nullptr) return;
    for (GAME_CTaskBase* other : tasks) {
        if (other == nullptr || other == task) continue;
        if (other->GetParentTask() == task) other->Finish();
        other->OnLinkedTaskRemoved(task);
    }
    task->OnRemoved();
    if (!IsGameWorldReady()) return;
    ReleaseCrewOf(task);
    DropDeliveredMaterials(*task);
}

void GAME_CTaskManager::ForgetCrewMember(GAME_CObjectActor* member)
{
    if (member == nullptr) return;
    for (GAME_CTaskBase* task : tasks) {
        if (task == nullptr) continue;
        task->RemoveCrew(member);
        task->OnCrewMemberGone(member);
    }
}

void GAME_CTaskManager::PurgeFinishedTasks()
{
    bool found = true;
    while (found) {
        found = false;
        for (std::size_t i = 0; i < tasks.size(); ++i) {
            GAME_CTaskBase* task = tasks[i];
            if (task == nullptr || !task->IsFinished()) continue;
            found = true;
            tasks[i] = nullptr;
            NoteListChanged();
            RemoveTask(task);
            ReleaseCrewOf(task);
            delete task;
        }
        std::erase(tasks, nullptr);
    }
}

void GAME_CTaskManager::RemoveRoomTasks(GAME_CRoomBase* room)
{
    if (room != nullptr) {
        // By index: crew released here think at once, and a meal or a break they order grows the list.
        for (std::size_t i = 0; i < tasks.size(); ++i) {
            GAME_CTaskBase* task = tasks[i];
            if (task == nullptr || task->GetRoom() != room) continue;
            task->Finish();
            RemoveTask(task);
        }
        room->RemoveCrew(nullptr);
        PurgeFinishedTasks();
        return;
    }
    if (IsGameWorldReady()) {
        if (GAME_CFieldObjectManager* objects = ship_world::FieldObjects()) {
            for (GAME_CObjectActor* actor : objects->crew) {
                if (actor == nullptr) continue;
                actor->task = nullptr;
                actor->assigned = 0;
            }
        }
    }
    while (!tasks.empty()) {
        GAME_CTaskBase* task = tasks.back();
        tasks.pop_back();
        NoteListChanged();
        if (task == nullptr) continue;
        task->crew.clear();
        RemoveTask(task);
        delete task;
    }
    UnbindEveryRoomTask();
}

void GAME_CTaskManager::ShiftRoomIndices(std::int32_t removedIndex)
{
    if (removedIndex < 0 || removedIndex >= GAME_CTaskBase::kNoRoomIndex) return;
    for (GAME_CTaskBase* task : tasks) {
        if (task != nullptr && task->GetRoomIndex() > removedIndex) task->SetRoomIndex(task->GetRoomIndex() - 1);
    }
}

void GAME_CTaskManager::FinishTasksOfKind(std::int32_t kind)
{
    for (GAME_CTaskBase* task : tasks) {
        if (IsUnfinishedKind(task, kind)) task->Finish();
    }
}

// --- queries

std::array<GAME_CTaskBase*, kMaxRoomTasks> GAME_CTaskManager::GetRoomTasks(const GAME_CRoomBase& room) const
{
    std::array<GAME_CTaskBase*, kMaxRoomTasks> slots{};
    std::size_t next = 0;
    for (GAME_CTaskBase* task : room.boundTasks) {
        if (next == slots.size()) break;
        slots[next++] = task;
    }
    return slots;
}

void GAME_CTaskManager::FinishReloadTasksOfRoom(std::int32_t roomIndex)
{
    if (roomIndex == -1) return;
    for (GAME_CTaskBase* task : tasks) {
        if (IsUnfinishedKind(task, kTaskReload) && task->GetRoomIndex() == roomIndex) task->Finish();
    }
}

std::int32_t GAME_CTaskManager::CountReloadTasksOfRoom(std::int32_t roomIndex) const
{
    if (roomIndex == -1) return 0;
    return static_cast<std::int32_t>(std::count_if(tasks.begin(), tasks.end(), [&](const GAME_CTaskBase* task) {
        return IsUnfinishedKind(task, kTaskReload) && task->GetRoomIndex() == roomIndex;
    }));
}

void GAME_CTaskManager::GetReloadTasksOfRoom(std::int32_t roomIndex, std::vector<GAME_CTaskBase*>& out) const
{
    out.clear();
    if (roomIndex == -1) return;
    for (GAME_CTaskBase* task : tasks) {
        if (IsUnfinishedKind(task, kTaskReload) && task->GetRoomIndex() == roomIndex) out.push_back(task);
    }
}

void GAME_CTaskManager::GetTasksOfKind(std::int32_t kind, std::vector<GAME_CTaskBase*>& out) const
{
    out.clear();
    for (GAME_CTaskBase* task : tasks) {
        if (IsUnfinishedKind(task, kind)) out.push_back(task);
    }
}

bool GAME_CTaskManager::HasBridgeDriverTask() const
{
    return std::any_of(tasks.begin(), tasks.end(),
                       [](const GAME_CTaskBase* task) { return IsUnfinishedKind(task, kTaskBridgeDriver); });
}

std::int64_t GAME_CTaskManager::CountReservedItem(std::uint32_t itemId) const
{
    std::int64_t total = 0;
    for (const GAME_CTaskBase* task : tasks) {
        if (task != nullptr && !task->IsFinished() && task->GetReservedItemId() == itemId) {
            total += task->GetReservedItemCount();
        }
    }
    return total;
}

bool GAME_CTaskManager::RebindMealTask(GAME_CObjectActor* actor) const
{
    if (actor == nullptr) return false;
    for (GAME_CTaskBase* task : tasks) {
        if (task == nullptr || task->IsFinished()) continue;
        if (task->GetKind() != kTaskMeal && task->GetKind() != kTaskMealOnGrid) continue;
        if (task->LeadingCrew() != actor) continue;
        actor->SetTask(task, false);
        return true;
    }
    return false;
}

void GAME_CTaskManager::GetChildTasks(const GAME_CTaskBase* parent, std::vector<GAME_CTaskBase*>& out) const
{
    out.clear();
    if (parent == nullptr) return;
    for (const CarryOfParent& entry : Index().storeCarries) {
        // A carry whose parent went is its own since.
        if (entry.parent == parent && !entry.carry->IsFinished() && entry.carry->GetParentTask() == parent) {
            out.push_back(entry.carry);
        }
    }
}

GAME_CTaskBase* GAME_CTaskManager::FindNextRoomTask(const GAME_CTaskBase& task) const
{
    if (task.GetKind() == kTaskAttackToEnemy) {
        const auto self = std::find(tasks.begin(), tasks.end(), &task);
        if (self == tasks.end()) return nullptr;
        for (auto it = self + 1; it != tasks.end(); ++it) {
            GAME_CTaskBase* other = *it;
            if (other != nullptr && !other->IsFinished() && other->GetRoomIndex() == task.GetRoomIndex() &&
                other->GetParentTask() == nullptr) {
                return other;
            }
        }
        return nullptr;
    }
    const GAME_CRoomBase* room = task.GetRoom();
    if (room == nullptr) return nullptr;
    const auto self = std::find(room->boundTasks.begin(), room->boundTasks.end(), &task);
    if (self == room->boundTasks.end()) return nullptr;
    for (auto it = self + 1; it != room->boundTasks.end(); ++it) {
        if (*it != nullptr && !(*it)->IsFinished()) return *it;
    }
    return nullptr;
}

bool GAME_CTaskManager::IsRoomWorking(const GAME_CRoomBase* room) const
{
    if (room == nullptr) return !tasks.empty();
    for (const GAME_CTaskBase* task : room->boundTasks) {
        if (task == nullptr) continue;
        if (task->GetKind() == kTaskItemCarrier || task->GetKind() == kTaskCarrierFromInventory) continue;
        return task->progress > 0;
    }
    return false;
}

bool GAME_CTaskManager::IsRoomUpgradeRunning(const GAME_CRoomBase* room) const
{
    if (room == nullptr) return !tasks.empty();
    for (const GAME_CTaskBase* task : room->boundTasks) {
        if (task != nullptr && task->GetKind() == kTaskRoomUpgrade) return task->progress > 0;
    }
    return false;
}

bool GAME_CTaskManager::IsActiveInRoom(const GAME_CTaskBase& task, const GAME_CRoomBase* room) const
{
    const std::int32_t kind = task.GetKind();
    if (kind == kTaskItemCarrier || kind == kTaskCarrierFromInventory) return true;
    if (room == nullptr) return false;
    for (const GAME_CTaskBase* bound : room->boundTasks) {
        if (bound == &task) return true;
        if (bound != nullptr && BlocksTasksBehind(bound->GetKind())) return false;
    }
    return false;
}

bool GAME_CTaskManager::IsAttackActiveInRoom(const GAME_CTaskBase& task) const
{
    const GAME_CRoomBase* room = task.GetRoom();
    if (room == nullptr) return false;
    for (const GAME_CTaskBase* bound : room->boundTasks) {
        if (bound == &task) return true;
        if (bound != nullptr && bound->GetKind() == kTaskRoomUpgrade) return false;
    }
    return false;
}

bool GAME_CTaskManager::AreDriveAndAttackTasksManned() const
{
    for (const GAME_CTaskBase* task : Index().driveAndAttack) {
        if (!task->crew.empty()) continue;
        if (task->GetKind() == kTaskBridgeDriver) return false;
        if (task->GetKind() == kTaskAttackToEnemy && IsAttackActiveInRoom(*task)) return false;
    }
    return true;
}

const GAME_CTaskManager::KindIndex& GAME_CTaskManager::Index() const
{
    if (!indexStale_ && indexedSize_ == tasks.size()) return index_;
    index_.driveAndAttack.clear();
    index_.storeCarries.clear();
    for (GAME_CTaskBase* task : tasks) {
        if (task == nullptr) continue;
        const std::int32_t kind = task->GetKind();
        if (kind == kTaskBridgeDriver || kind == kTaskAttackToEnemy) index_.driveAndAttack.push_back(task);
        if (kind == kTaskCarrierFromInventory) index_.storeCarries.push_back({task->GetParentTask(), task});
    }
    indexStale_ = false;
    indexedSize_ = tasks.size();
    return index_;
}
