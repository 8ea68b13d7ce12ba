// The attack task: one shooting cycle of a turret room against the nearest enemy.
#include "game/model/ship/task_attack.h"

#include <algorithm>

#include "game/services/achievement/achievements.h"
#include "game/model/stores/ammo_storage.h"
#include "game/services/data/static_lookups.h"
#include "game/services/data/tag.h"
#include "game/model/object/actor_status.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/object/object_enemy.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/ship_world.h"
#include "game/model/ship/task_crew.h"
#include "game/services/ui_port/ui_slots.h"

namespace {

constexpr std::uint32_t kCheeseBomb = MakeTag("I096");

std::int32_t MillisecondsToFrames(std::int32_t milliseconds)
{
    return static_cast<std::int32_t>(std::int64_t{milliseconds} * 60 / 1000);
}

}  // namespace

bool IsEnemyFighting(const GAME_CObjectEnemy* enemy)
{
    return enemy != nullptr && !enemy->IsDead() && enemy->hpRecord.hp > 0;
}

GAME_CTaskAttackToEnemy::GAME_CTaskAttackToEnemy(const GAME_CTaskRequest& request) : GAME_CTaskBase(request)
{
    crewLimit = request.SignedWord(20);
    duration = request.SignedWord(24);
    const GAME_CAmmo* store = FindAmmoStorage(GetRoomIndex());
    if (store == nullptr) {
        Finish();
        return;
    }
    const ItemData* ammunition = FindItemData(*store->GetAmmoId());
    if (ammunition == nullptr) {
        Finish();
        return;
    }
    crewLimit = 1;
    duration = std::max(1, ammunition->period);
    repeat = 1;
}

std::int32_t GAME_CTaskAttackToEnemy::GetExtraValue1() const { return MillisecondsToFrames(timingMilliseconds1); }

std::int32_t GAME_CTaskAttackToEnemy::GetExtraValue2() const { return MillisecondsToFrames(timingMilliseconds2); }

void GAME_CTaskAttackToEnemy::ResetTimers()
{
    progress = 0;
    fired_ = false;
}

void GAME_CTaskAttackToEnemy::CleanCrew()
{
    GAME_CRoomBase* room = GetRoom();
    for (GAME_CObjectActor* actor : std::vector<GAME_CObjectActor*>(crew)) {
        if (actor == nullptr || actor->dead != 0 || !actor->IsActive()) {
            std::erase(crew, actor);
            if (actor != nullptr) ReleaseCrewMember(actor, false);
            continue;
        }
        if (actor->task != nullptr && actor->task != this) {
            std::erase(crew, actor);
            continue;
        }
        const GAME_CActorStatus& status = actor->status;
        if (status.IsStarving() || status.IsExhausted() || status.IsCritical() || status.IsHPEmpty()) {
            std::erase(crew, actor);
            if (room != nullptr) room->RemoveCrew(actor);
            actor->SetTask(nullptr, true);
        }
    }
}

bool GAME_CTaskAttackToEnemy::Fire()
{
    GAME_CRoomBase* room = GetRoom();
    GAME_CAmmo* store = FindAmmoStorage(GetRoomIndex());
    const bool turret = room != nullptr && room->roomData != nullptr && (room->roomData->flags & kRoomTurret) != 0;
    if (!turret || !IsEnemyFighting(room->target) || store == nullptr || store->GetCount() < 1) return false;
    const std::uint32_t round = *store->GetAmmoId();
    store->RemoveOne();
    // Entered afresh for every round: the work label's script shoots once on entry.
    room->GoTask();
    if (round == kCheeseBomb && !IsAchievementUnlocked(kAchievementOfFirstCheeseBomb)) {
        UnlockAchievement(kAchievementOfFirstCheeseBomb);
    }
    return true;
}

void GAME_CTaskAttackToEnemy::StandDownRoom()
{
    GAME_CRoomBase* room = GetRoom();
    if (room == nullptr) return;
    const auto carriesOn = [this](const GAME_CTaskBase* task) {
        return task != nullptr && task != this && !task->IsFinished() && task->GetKind() == kTaskAttackToEnemy;
    };
    if (std::any_of(room->boundTasks.begin(), room->boundTasks.end(), carriesOn)) return;
    if (room->IsInTaskLabel() || room->IsInCrewTaskLabel()) room->GoNoTask();
}

void GAME_CTaskAttackToEnemy::EndCycle()
{
    Finish();
    StandDownRoom();
}

void GAME_CTaskAttackToEnemy::Update()
{
    const GAME_CFieldObjectManager* objects = ship_world::FieldObjects();
    if (objects == nullptr || objects->enemies.empty()) {
        EndCycle();
        return;
    }
    if (ship_world::IsScreenOpen(kSlotGameOver) || objects->AreAllEnemiesIdle()) {
        EndCycle();
        return;
    }
    if (crew.empty()) {
        progress = 0;
        progressFraction = 0;
    } else {
        CleanCrew();
    }
    if (progress > 0 && !fired_) {
        fired_ = true;
        if (!Fire()) EndCycle();
    }
}

bool GAME_CTaskAttackToEnemy::RepeatTask()
{
    if (!PostNextCycle()) StandDownRoom();
    return false;
}

bool GAME_CTaskAttackToEnemy::PostNextCycle()
{
    if (!IsRepeatDue()) return false;
    GAME_CRoomBase* room = GetRoom();
    GAME_CFieldObjectManager* objects = ship_world::FieldObjects();
    const GAME_CShip* ship = ship_world::Ship();
    if (room == nullptr || objects == nullptr || ship == nullptr) return false;
    room->target = objects->FindNearestEnemy(ship->routePosition);
    // Another cycle only against an enemy that is not already dying.
    if (!IsEnemyFighting(room->target) || room->target->IsInDeathLabel() || room->boundTasks.size() >= 2 ||
        crew.empty()) {
        return false;
    }
    GAME_CTaskRequest request = MakeAttackRequest(GetRoomIndex(), 0);
    GAME_CTaskBase* next = CreateFromRequest(request);
    if (next == nullptr) return false;
    next->repeat = repeat;
    GAME_CObjectActor* leader = LeadingCrew();
    std::erase(crew, leader);
    next->AddCrew(leader);
    room->TryAddCrew(leader);
    return true;
}
