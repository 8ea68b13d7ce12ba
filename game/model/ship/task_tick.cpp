// The step every task shares: room, material and crew checks, progress at the crew's speed, meter costs in parts, completion, repeat and hand-over.
#include <algorithm>
#include <array>
#include <cstdint>

#include "framework/math/random.h"
#include "game/services/data/id_tags.h"
#include "game/services/data/static_lookups.h"
#include "game/services/data/tag.h"
#include "game/model/world/game_world_ready.h"
#include "game/model/object/actor_status.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/ship/effect_field.h"
#include "game/model/ship/item_drops.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/ship_world.h"
#include "game/model/ship/task_base.h"
#include "game/model/ship/task_crew.h"
#include "game/model/ship/task_manager.h"
#include "game/model/ship/task_results.h"

namespace {

constexpr std::int32_t kFullSpeed = 1000;
constexpr std::uint16_t kBalloonStarving = 0;
constexpr std::uint16_t kBalloonExhausted = 1;
constexpr std::uint16_t kBalloonCritical = 2;
constexpr std::uint16_t kBalloonFed = 5;
constexpr std::uint16_t kBalloonBreak = 103;
constexpr std::uint16_t kBalloonBuilding = 105;
constexpr std::int32_t kWorkSpeedFactor = 6;  // the seventh modifier of a skill, buff or debuff

bool PassesWithoutRoomCheck(std::int32_t kind)
{
    switch (kind) {
    case kTaskMeal:
    case kTaskBreak:
    case kTaskItemCarrier:
    case kTaskCarrierFromInventory:
    case kTaskReload:
    case kTaskPatient:
    case kTaskBridgeDriver:
        return true;
    default:
        return false;
    }
}

bool MustBeActiveForMaterials(std::int32_t kind)
{
    switch (kind) {
    case kTaskItemCraft:
    case kTaskRoomUpgrade:
    case kTaskPatient:
    case kTaskRouteScan:
    case kTaskEngineMaintenance:
    case kTaskMindControl:
    case kTaskRefuel:
        return true;
    default:
        return false;
    }
}

bool IsMarkedRoomId(std::uint32_t roomId)
{
    const GAME_CStaticDatabase* database = GetStaticDatabase();
    if (database == nullptr) return false;
    const std::vector<std::uint32_t>& marked = database->MarkedIds();
    return std::find(marked.begin(), marked.end(), roomId) != marked.end();
}

// Skills and buffs speed work in their own room, in any room when they name none or an unknown one.
bool AppliesAsSkillOrBuff(const StatModifier& modifier, const GAME_CRoomBase& room)
{
    return modifier.roomKind == kNoId || modifier.roomKind == room.roomId || FindRoomIdIndex(modifier.roomKind) == 0;
}

// Debuffs slow work everywhere but in the other marked rooms they name.
bool AppliesAsDebuff(const StatModifier& modifier, const GAME_CRoomBase& room)
{
    const bool namesOtherRoom = modifier.roomKind != kNoId && modifier.roomKind != room.roomId;
    return !(namesOtherRoom && IsMarkedRoomId(modifier.roomKind));
}

std::int64_t ScaleSpeed(std::int64_t speed, const StatModifier& modifier)
{
    return speed * modifier.factors[kWorkSpeedFactor] / 1000;
}

// The work speed of one crew member, in thousandths: each applying slot's work factor in turn.
std::int64_t CrewSpeed(std::int64_t speed, const GAME_CObjectActor& actor, const GAME_CRoomBase& room)
{
    const GAME_CActorStatus& status = actor.status;
    for (const auto& slot : status.skills) {
        if (slot.record != nullptr && AppliesAsSkillOrBuff(*slot.record, room)) speed = ScaleSpeed(speed, *slot.record);
    }
    for (const auto& slot : status.buffs) {
        if (slot.record != nullptr && AppliesAsSkillOrBuff(*slot.record, room)) speed = ScaleSpeed(speed, *slot.record);
    }
    for (const auto& slot : status.debuffs) {
        if (slot.record != nullptr && AppliesAsDebuff(*slot.record, room)) speed = ScaleSpeed(speed, *slot.record);
    }
    return speed;
}

bool CostApplies(const StatModifier& modifier, const GAME_CRoomBase* room)
{
    return room == nullptr || modifier.roomKind == kNoId || modifier.roomKind == room->roomId;
}

struct CostFactors {
    std::int64_t stamina = 1000;
    std::int64_t calorie = 1000;
};

// The cost factors of one crew member: each applying skill, and with `withBuffs` each applying
// buff of the task's kind, moves them by its factors' distance from 1000.
CostFactors CrewCostFactors(const GAME_CObjectActor& actor, const GAME_CRoomBase* room, std::int32_t kind,
                            bool withBuffs)
{
    CostFactors factors;
    for (const auto& slot : actor.status.skills) {
        if (slot.record == nullptr || !CostApplies(*slot.record, room)) continue;
        factors.stamina += slot.record->pairFactors[0] - 1000;
        factors.calorie += slot.record->pairFactors[1] - 1000;
    }
    if (!withBuffs) return factors;
    for (const auto& slot : actor.status.buffs) {
        if (slot.record == nullptr || !CostApplies(*slot.record, room)) continue;
        if (slot.record->taskKind != -1 && slot.record->taskKind != kind) continue;
        factors.stamina += slot.record->pairFactors[0] - 1000;
        factors.calorie += slot.record->pairFactors[1] - 1000;
    }
    return factors;
}

// One call's share of a total split in `parts`; the final call also takes the remainder.
std::int32_t ShareOf(std::int64_t total, std::int32_t parts, bool final)
{
    const std::int64_t share = total / parts;
    const std::int64_t amount = final ? share + (total - share * parts) : share;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(amount, INT32_MIN, INT32_MAX));
}

bool IsEngineRoom(const GAME_CRoomBase& room) { return room.kind == kRoomKindEngine; }

// A finished room goes idle when at most one task is bound to it.
void IdleRoomAfterWork(GAME_CRoomBase& room)
{
    if (room.underConstruction) {
        room.GoBuildStay();
    } else if (!IsEngineRoom(room) && room.boundTasks.size() < 2) {
        room.GoNoTask();
    }
}

}  // namespace

void GAME_CTaskBase::Tick()
{
    if (cancel != 0) {
        Finish();
        return;
    }
    Update();
    if (IsFinished()) return;
    GAME_CRoomBase* room = GetRoom();
    const std::int32_t kind = GetKind();
    // Most tasks of a busy ship wait behind another in their room: they are turned away before anything else is asked.
    // The check changes nothing when it passes, so the limit and the length read after it are the same.
    if (!PassesRoomCheck(room, kind)) return;
    const std::int32_t crewLimit = GetCrewLimit();
    const std::int32_t taskValue = GetTaskValue();
    if (!CheckMaterials(room, kind)) return;
    if (!CanProgress(crewLimit, taskValue)) return;
    if (!CheckCrewPresence(room, kind, crewLimit)) return;

    const bool idleBefore = progress == 0 && progressFraction == 0;
    const std::int32_t speed = AdvanceProgress(room, kind);
    if (idleBefore && (progress > 0 || progressFraction > 0)) OnFirstProgress(kind);
    if (!IsFinished()) AnimateRoom(room, kind, crewLimit, taskValue);

    // The meter costs are split in one part per second of work at full speed, at least one.
    const std::int64_t seconds = std::max(1, taskValue / 60);
    const auto parts = static_cast<std::int32_t>(
        std::clamp<std::int64_t>(std::int64_t{std::max(1, speed)} * seconds / kFullSpeed, 1, INT32_MAX));
    if (progress < taskValue) {
        const std::int32_t interval = std::max(1, GetRewardInterval());
        if (progress > 0 && progress % interval == 0) {
            const TaskData* record = GetTaskData();
            ApplyWorkCost(record != nullptr ? record : FindTaskData(id), room, parts, false);
        }
        return;
    }
    if (HasSurplusMaterials() || !HasRoomForResults()) {
        progress = taskValue;
        progressFraction = 0;
        return;
    }
    Complete(room, kind, parts);
}

bool GAME_CTaskBase::PassesRoomCheck(GAME_CRoomBase* room, std::int32_t kind)
{
    if (PassesWithoutRoomCheck(kind)) return true;
    GAME_CTaskManager* tasks = ship_world::Tasks();
    if (tasks == nullptr || !tasks->IsActiveInRoom(*this, room)) return false;
    if (GetRoomIndex() >= RoomCount() || room == nullptr) {
        Finish();
        return false;
    }
    return true;
}

bool GAME_CTaskBase::CheckMaterials(GAME_CRoomBase* room, std::int32_t kind)
{
    bool passes = true;
    if ((kind == kTaskRoomBuild || kind == kTaskCooking) && room == nullptr) {
        Finish();
        passes = false;
    }
    if (passes) {
        for (const ItemCount& pair : GetRequiredMaterials()) {
            if (IsUnusedItemCount(pair)) break;
            const std::int32_t delivered = CountMaterial(pair.itemId);
            if (delivered < pair.count) {
                passes = false;
            } else if (delivered > pair.count) {
                // Units beyond what the work takes go on the floor as far as there is room; the
                // rest stay delivered until there is.
                const std::int32_t excess = delivered - pair.count;
                const std::int32_t unplaced =
                    DropItemStacks(pair.itemId, excess, room != nullptr ? room->gridX : 0, room != nullptr ? room->gridY : 0);
                RemoveMaterial(pair.itemId, excess - unplaced);
            }
        }
    }
    if (passes && MustBeActiveForMaterials(kind)) {
        GAME_CTaskManager* tasks = ship_world::Tasks();
        passes = tasks != nullptr && tasks->IsActiveInRoom(*this, room);
    }
    if (passes) return true;
    if (IsRoomTask()) {
        while (!crew.empty()) {
            GAME_CObjectActor* actor = crew.back();
            crew.pop_back();
            ReleaseCrewMember(actor, false);
            if (actor != nullptr && room != nullptr) room->RemoveCrew(actor);
        }
    }
    return false;
}

bool GAME_CTaskBase::HasSurplusMaterials() const
{
    for (const ItemCount& pair : GetRequiredMaterials()) {
        if (IsUnusedItemCount(pair)) break;
        if (CountMaterial(pair.itemId) > pair.count) return true;
    }
    return false;
}

bool GAME_CTaskBase::CheckCrewPresence(GAME_CRoomBase* room, std::int32_t kind, std::int32_t crewLimit)
{
    for (auto it = crew.begin(); it != crew.end();) {
        GAME_CObjectActor* actor = *it;
        if (actor != nullptr && task_crew::IsAliveInField(*actor)) {
            ++it;
            continue;
        }
        if (actor != nullptr && room != nullptr) room->RemoveCrew(actor);
        it = crew.erase(it);
    }
    if (kind == kTaskItemCarrier || kind == kTaskCarrierFromInventory || room == nullptr) return true;
    const auto assignedCount = static_cast<std::int32_t>(room->assignedCrew.size());
    if (assignedCount >= static_cast<std::int32_t>(crew.size()) && assignedCount >= crewLimit) return true;
    StopRoom(room);
    for (GAME_CObjectActor* actor : crew) {
        if (task_crew::IsInsideRoom(*actor)) {
            room->TryAddCrew(actor);
        } else {
            room->RemoveCrew(actor);
        }
    }
    return false;
}

std::int32_t GAME_CTaskBase::AdvanceProgress(GAME_CRoomBase* room, std::int32_t kind)
{
    std::int64_t speed = kFullSpeed;
    switch (kind) {
    case kTaskBridgeDriver:
        break;
    case kTaskBreak:
        progressFraction += kFullSpeed;
        break;
    case kTaskCarrierFromInventory:
    case kTaskReload:
        speed = 0;
        break;
    case kTaskMeal: {
        const GAME_CShip* ship = ship_world::Ship();
        const bool seated = room != nullptr && ship != nullptr &&
                            std::all_of(crew.begin(), crew.end(), [&](const GAME_CObjectActor* actor) {
                                return task_crew::IsInsideRoom(*actor) &&
                                       ship->GetRoomAtCell(actor->cellX, actor->cellY) == room;
                            });
        if (seated) progressFraction += kFullSpeed;
        break;
    }
    default:
        if (kind == kTaskPatient && id == MakeTag("THHP")) {
            progressFraction += kFullSpeed;
            break;
        }
        if (room != nullptr) {
            for (const GAME_CObjectActor* actor : crew) speed = CrewSpeed(speed, *actor, *room);
        }
        speed = std::clamp<std::int64_t>(speed, 0, INT32_MAX);
        progressFraction = static_cast<std::int32_t>(std::min<std::int64_t>(progressFraction + speed, INT32_MAX));
        break;
    }
    progress = static_cast<std::int32_t>(std::min<std::int64_t>(std::int64_t{progress} + progressFraction / 1000, INT32_MAX));
    progressFraction %= 1000;
    return static_cast<std::int32_t>(speed);
}

void GAME_CTaskBase::OnFirstProgress(std::int32_t kind)
{
    if (startSound < kNoSound) ship_world::PlaySoundEffect(startSound, startVolume);
    if (kind != kTaskBreak && kind != kTaskRoomBuild) return;
    for (GAME_CObjectActor* actor : crew) {
        if (actor == nullptr || actor->dead != 0 || actor->status.IsHPEmpty()) continue;
        if (kind == kTaskBreak) {
            task_crew::DropBalloonGroups(*actor, {kBalloonCritical, kBalloonExhausted, kBalloonBreak});
            actor->ShowBalloon(kBalloonBreak, true);
        } else {
            task_crew::DropBalloonGroups(*actor, {kBalloonBuilding});
            actor->ShowBalloon(kBalloonBuilding, true);
        }
    }
}

void GAME_CTaskBase::AnimateRoom(GAME_CRoomBase* room, std::int32_t kind, std::int32_t crewLimit,
                                 std::int32_t taskValue)
{
    if (kind == kTaskItemCarrier) {
        progress = 0;
        return;
    }
    if (kind == kTaskCarrierFromInventory) {
        UpdateCarryProgress(crewLimit, taskValue);
        return;
    }
    if (kind == kTaskAttackToEnemy || kind == kTaskReload || room == nullptr) return;
    if (kind == kTaskRoomBuild) {
        if (!(room->underConstruction && room->buildStarted)) {
            room->buildStarted = room->underConstruction;
            room->GoBuildRunning();
        }
        return;
    }
    if (kind == kTaskRoomUpgrade) {
        if (!room->IsInUpgradeRunningLabel()) room->GoUpgradeRunning();
        return;
    }
    if (!room->IsInLabel(room->WorkLabel())) room->GoTask();
}

void GAME_CTaskBase::Complete(GAME_CRoomBase* room, std::int32_t kind, std::int32_t parts)
{
    if (completionSound < kNoSound) ship_world::PlaySoundEffect(completionSound, completionVolume);
    ApplyWorkCost(FindTaskData(id), room, parts, true);
    if (kind == kTaskMeal || kind == kTaskMealOnGrid || kind == kTaskRoomBuild) {
        for (GAME_CObjectActor* actor : crew) {
            if (actor == nullptr) continue;
            if (kind == kTaskRoomBuild) {
                task_crew::DropBalloonGroups(*actor, {kBalloonBuilding});
            } else {
                task_crew::DropBalloonGroups(*actor, {kBalloonStarving, kBalloonBreak});
                actor->ShowBalloon(kBalloonFed, true);
            }
        }
    }
    ApplyCompletionEffect();
    room = GetRoom();
    const TaskData* record = GetTaskData();
    if (room != nullptr && record != nullptr && HasCompletionResults(*record)) ApplyTaskDataResults(*record, room);
    materials.clear();
    if (RepeatTask()) {
        if (room != nullptr) {
            IdleRoomAfterWork(*room);
            room->OnTaskCompleted(*this);
        }
        return;
    }
    room = GetRoom();
    if (room != nullptr && kind != kTaskCarrierFromInventory && kind != kTaskAttackToEnemy && kind != kTaskPatient) {
        room->OnTaskCompleted(*this);
        IdleRoomAfterWork(*room);
    }
    Finish();
    HandOverCrew(room);
}

void GAME_CTaskBase::ApplyWorkCost(const TaskData* record, const GAME_CRoomBase* room, std::int32_t parts, bool final)
{
    const std::int32_t kind = GetKind();
    if (kind == kTaskItemCarrier || kind == kTaskCarrierFromInventory || kind == kTaskReload) return;
    parts = std::max(1, parts);
    for (GAME_CObjectActor* actor : crew) {
        if (actor == nullptr) continue;
        std::int64_t stamina = 0;
        std::int64_t calorie = 0;
        if (record != nullptr && IsUpkeepTaskKind(*record)) {
            stamina = record->staminaChange;
            calorie = record->calorieChange;
            if (kind == kTaskBreak && room != nullptr) {
                stamina *= 10;
                calorie *= 10;
            }
        } else {
            const bool withRecord = record != nullptr;
            const CostFactors factors = CrewCostFactors(*actor, room, kind, withRecord);
            stamina = -(withRecord ? std::int64_t{record->staminaChange} : GetExtraValue1()) * factors.stamina / 1000;
            calorie = -(withRecord ? std::int64_t{record->calorieChange} : GetExtraValue2()) * factors.calorie / 1000;
        }
        actor->status.AddStamina(ShareOf(stamina, parts, final));
        actor->status.AddCalorie(ShareOf(calorie, parts, final));
    }
}

void GAME_CTaskBase::ApplyTaskDataResults(const TaskData& record, GAME_CRoomBase* room)
{
    // Units delivered beyond what the work takes go back on the floor.
    for (const ItemCount& pair : CollectMaterialPairs()) {
        std::int32_t needed = 0;
        for (const ItemCount& required : GetRequiredMaterials()) {
            if (IsUnusedItemCount(required)) break;
            if (required.itemId == pair.itemId) needed = required.count;
        }
        if (pair.count <= needed) continue;
        RemoveMaterial(pair.itemId, pair.count - needed);
        DropItemStacks(pair.itemId, pair.count - needed, room->gridX, room->gridY);
    }
    if (record.kind == kTaskItemCraft) ProduceCraftedItems(*this, record, *room);
    if (record.kind == kTaskRefuel) {
        if (GAME_CShip* ship = ship_world::Ship()) ship->AddFuel(record.amount);
    }
    DrawCompletionBonus(*this, record);
    if (record.kind == kTaskMindControl || record.kind == kTaskPatient) ClearControlledSkills(*this, record);
    const std::array<std::pair<const TaskEffect*, std::int32_t>, 2> effects{
        std::pair{&record.effectA, record.effectAWord}, std::pair{&record.effectB, record.effectBWord}};
    for (std::size_t type = 0; type < effects.size(); ++type) {
        const TaskEffect& effect = *effects[type].first;
        if (effect.id == kNoId || effect.value <= 0 || effect.count <= 0) continue;
        CreateEffectField(static_cast<std::int32_t>(type), effects[type].second, effect.id, effect.value, effect.count,
                          room);
    }
}

void GAME_CTaskBase::HandOverCrew(GAME_CRoomBase* room)
{
    GAME_CTaskManager* tasks = ship_world::Tasks();
    GAME_CFieldObjectManager* objects = ship_world::FieldObjects();
    if (tasks == nullptr || objects == nullptr) return;
    GAME_CTaskBase* next = tasks->FindNextRoomTask(*this);
    if (next == nullptr) {
        if (room != nullptr && !IsEngineRoom(*room) && !room->broken && !room->underConstruction) room->GoNoTask();
        return;
    }
    if (objects->CountIdleCrew() <= 1) return;
    crew.clear();
    StaffTask(*next);
}
