// The tasks that treat crew members: a patient healed or cured in an infirmary, the doctor beside it, and mind control.
#include "game/model/ship/task_care.h"

#include <algorithm>
#include <cstdlib>

#include "game/services/data/static_lookups.h"
#include "game/services/data/tag.h"
#include "game/model/object/actor_status.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship_world.h"
#include "game/model/ship/task_crew.h"
#include "game/model/ship/task_manager.h"
#include "platform/little_endian.h"

namespace {

constexpr std::uint32_t kHealTask = MakeTag("THHP");
// The record of the treatment a patient request names; "THHP" for none.
const TaskData* TreatmentRecord(const GAME_CTaskRequest& request)
{
    const std::uint32_t treatment = request.Word(24);
    return treatment == 0 ? FindTaskData(kHealTask) : FindTreatmentData(treatment);
}

// The mind-control record: the saved id of a restored task, else the record of the skill in the
// request's slot of its crew member.
const TaskData* MindControlRecord(const GAME_CTaskRequest& request)
{
    if (request.restored != 0) return FindTaskData(request.taskId);
    if (request.actor == nullptr) return nullptr;
    return FindMindControlData(request.actor->status.skills[request.Word(20) & 1].id);
}

std::uint32_t TreatedDebuffOf(const TaskData* record) { return record != nullptr ? record->treatedDebuff : kNoId; }

// Whether another care task holds the member for its own treatment.
bool IsTreatedElsewhere(const GAME_CTaskBase& task, const GAME_CObjectActor& treated)
{
    const GAME_CTaskBase* other = treated.task;
    if (other == nullptr || other == &task || other->IsFinished()) return false;
    return (other->GetKind() == kTaskPatient || other->GetKind() == kTaskMindControl) &&
           other->GetTargetIndex().actor == &treated;
}

// A treated crew member who died or left the ship is let go; one still there is kept as the task's
// only crew, once no other treatment holds it: two treatments of one member take turns rather than
// pull it between them each step. True while the task has its crew member.
bool HoldTreatedCrew(GAME_CTaskBase& task, GAME_CObjectActor*& treated)
{
    if (treated != nullptr && !task_crew::IsAliveInField(*treated)) treated = nullptr;
    if (treated == nullptr) return false;
    // Waiting, the task keeps no crew: a member handed to it meanwhile would be treated instead.
    KeepAsOnlyCrew(task, IsTreatedElsewhere(task, *treated) ? nullptr : treated);
    return !task.crew.empty();
}

bool HoldsDebuff(const GAME_CObjectActor& actor, std::uint32_t debuffId)
{
    return std::any_of(actor.status.debuffs.begin(), actor.status.debuffs.end(),
                       [&](const auto& slot) { return slot.id == debuffId; });
}

}  // namespace

void KeepAsOnlyCrew(GAME_CTaskBase& task, GAME_CObjectActor* actor)
{
    for (GAME_CObjectActor* other : task.crew) {
        if (other != nullptr && other != actor && other->task == &task) other->SetTask(nullptr, false);
    }
    task.crew.clear();
    if (actor == nullptr) return;
    if (actor->task != &task) {
        // Its previous task lets it go too: a task still counting it would hand it work, show it in
        // its room's crew and save it as its own.
        if (actor->task != nullptr) actor->task->RemoveCrew(actor);
        actor->SetTask(&task, false);
    }
    task.crew.push_back(actor);
}

// --- patient

GAME_CTaskPatient::GAME_CTaskPatient(const GAME_CTaskRequest& request)
    : GAME_CTaskWithRecord(request, TreatmentRecord(request))
{
    duration = kDefaultFrames;
    crewLimit = 1;
    if (request.Word(24) == 0) {
        id = kHealTask;
    } else {
        if (record_ == nullptr) {
            Finish();
            return;
        }
        id = record_->id;
        crewLimit = std::max(1, record_->crewLimit);
        duration = SecondsToTaskFrames(record_->durationSeconds);
    }
    TakeSounds(record_);
    // An order from the infirmary names its patient; others look for one.
    if (request.restored == 0 && request.actor != nullptr) {
        patient_ = request.actor;
        if (IsHeal()) TimeHealFor(*patient_);
    }
}

void GAME_CTaskPatient::TimeHealFor(const GAME_CObjectActor& actor)
{
    const std::int64_t deficit = std::max<std::int64_t>(std::int64_t{actor.status.computed.maxHp} - actor.status.GetHP(), 0);
    const std::int64_t interval = std::max(1, GetRewardInterval());
    duration = static_cast<std::int32_t>(std::min<std::int64_t>(interval + 1 + interval * (deficit * 1000 / HealAmount()), INT32_MAX));
}

bool GAME_CTaskPatient::IsHeal() const { return id == kHealTask; }

std::int64_t GAME_CTaskPatient::HealAmount() const
{
    return std::max<std::int64_t>(1, std::abs(std::int64_t{record_ != nullptr ? record_->amount : 0}));
}

GAME_CObjectActor* GAME_CTaskPatient::FindPatient()
{
    const GAME_CFieldObjectManager* objects = ship_world::FieldObjects();
    const GAME_CRoomBase* room = GetRoom();
    if (objects == nullptr) return nullptr;
    for (GAME_CObjectActor* actor : objects->crew) {
        // A member playing its death is beyond treatment.
        if (actor == nullptr || !task_crew::IsAliveInField(*actor)) continue;
        if (!CanTargetActorInRoom(kTaskPatient, id, room, actor)) continue;
        if (IsHeal()) {
            if (std::int64_t{actor->status.computed.maxHp} - actor->status.GetHP() <= 0) continue;
            TimeHealFor(*actor);
            return actor;
        }
        if (HoldsDebuff(*actor, TreatedDebuffOf(record_))) return actor;
    }
    return nullptr;
}

void GAME_CTaskPatient::OnCrewMemberGone(const GAME_CObjectActor* member)
{
    if (patient_ == member) patient_ = nullptr;
}

bool GAME_CTaskPatient::CanProgress(std::int32_t, std::int32_t)
{
    // A patient who died or left the ship is looked for anew; one in another treatment is waited for.
    if (HoldTreatedCrew(*this, patient_)) return true;
    if (patient_ != nullptr) return false;
    if (!IsPeriodOver(searchTimer_, kSearchPeriod)) return false;
    patient_ = FindPatient();
    if (patient_ == nullptr) Finish();
    return false;
}

void GAME_CTaskPatient::Update()
{
    if (IsPeriodOver(materialTimer_, kMaterialPeriod)) TopUpRecordMaterials();
    GAME_CObjectActor* leader = LeadingCrew();
    if (leader == nullptr) return;
    if (leader->task == nullptr) leader->SetTask(this, false);
    if (!task_crew::IsInsideRoom(*leader)) {
        progress = 0;
        progressFraction = 0;
        return;
    }
    if (!IsHeal()) return;
    if (leader->status.GetHP() < leader->status.computed.maxHp) {
        const std::int32_t interval = std::max(1, GetRewardInterval());
        if (progress > 0 && progress % interval == 0) {
            leader->status.AddHP(static_cast<std::int32_t>(std::min<std::int64_t>(HealAmount(), INT32_MAX)));
        }
    }
    if (leader->status.GetHP() >= leader->status.computed.maxHp) progress = std::max(progress, GetTaskValue());
}

void GAME_CTaskPatient::ApplyCompletionEffect()
{
    GAME_CRoomBase* room = GetRoom();
    if (room == nullptr || room->broken || room->underConstruction) return;
    const bool alone = std::all_of(room->boundTasks.begin(), room->boundTasks.end(), [this](const GAME_CTaskBase* task) {
        return task == nullptr || task == this || task->GetParentTask() == this;
    });
    if (alone) room->GoNoTask();
}

bool GAME_CTaskPatient::RepeatTask()
{
    if (!IsRepeatDue()) return false;
    PostRepeat(MakePatientRequest(GetRoomIndex(), 0, IsHeal() ? 0 : TreatedDebuffOf(record_), 0));
    return false;
}

void GAME_CTaskPatient::LoadRecord(std::span<const std::uint8_t> area, std::size_t index)
{
    GAME_CTaskBase::LoadRecord(area, index);
    patient_ = LeadingCrew();
}

// --- doctor

GAME_CTaskDoctor::GAME_CTaskDoctor(const GAME_CTaskRequest& request) : GAME_CTaskBase(request)
{
    crewLimit = 1;
    duration = 3;
    // The doctor stands beside the patient task ordered last in its room.
    if (const GAME_CRoomBase* room = GetRoom()) {
        for (GAME_CTaskBase* task : room->boundTasks) {
            if (task != nullptr && !task->IsFinished() && task->GetKind() == kTaskPatient) linked_ = task;
        }
    }
}

void GAME_CTaskDoctor::Update()
{
    if (linked_ == nullptr || linked_->IsFinished()) {
        Finish();
        return;
    }
    progress = 0;
    progressFraction = 0;
}

void GAME_CTaskDoctor::ApplyCompletionEffect()
{
    GAME_CRoomBase* room = GetRoom();
    if (room != nullptr && room->boundTasks.empty()) room->GoNoTask();
}

// Slot by slot as its task data lists the materials, each with the units delivered of it.
std::vector<ItemCount> GAME_CTaskDoctor::SavedMaterialPairs() const
{
    std::vector<ItemCount> pairs;
    for (const ItemCount& pair : RecordMaterials(GetTaskData())) {
        const bool listed = pair.itemId != kNoId && pair.itemId != 0;
        pairs.push_back(listed ? ItemCount{pair.itemId, CountMaterial(pair.itemId)} : ItemCount{});
    }
    return pairs;
}

void GAME_CTaskDoctor::OnLinkedTaskRemoved(const GAME_CTaskBase* removed)
{
    if (removed == linked_) linked_ = nullptr;
}

void GAME_CTaskDoctor::LoadRecord(std::span<const std::uint8_t> area, std::size_t index)
{
    GAME_CTaskBase::LoadRecord(area, index);
    savedLinkIndex_ = platform::ReadU32(area.subspan(index * task_record::kSize, task_record::kSize), task_record::kKindWord);
    linked_ = nullptr;
}

// --- mind control

GAME_CTaskMindControl::GAME_CTaskMindControl(const GAME_CTaskRequest& request)
    : GAME_CTaskWithRecord(request, MindControlRecord(request))
{
    crewLimit = 1;
    duration = RecordFramesOr(kDefaultFrames);
    slot_ = request.Word(20) & 1;
    if (record_ == nullptr) return;
    id = record_->id;
    // A new order is aimed at the member it names; a restored task finds its subject in its crew.
    if (request.restored == 0) subject_ = request.actor;
    if (request.restored == 0 && request.Word(28) == 0) PostRecordCarryRequests();
}

void GAME_CTaskMindControl::OnCrewMemberGone(const GAME_CObjectActor* member)
{
    if (subject_ == member) subject_ = nullptr;
}

bool GAME_CTaskMindControl::CanProgress(std::int32_t, std::int32_t)
{
    if (HoldTreatedCrew(*this, subject_)) return true;
    if (subject_ != nullptr) return false;
    if (!IsPeriodOver(searchTimer_, kSearchPeriod)) return false;
    const GAME_CRoomBase* room = GetRoom();
    const GAME_CFieldObjectManager* objects = ship_world::FieldObjects();
    if (room == nullptr || room->kind != kMindControlRoomKind || objects == nullptr || record_ == nullptr) return false;
    const std::uint32_t skillId = record_->bonuses[0].id;
    for (GAME_CObjectActor* actor : objects->crew) {
        if (actor == nullptr || !task_crew::IsAliveInField(*actor)) continue;
        const bool holds = std::any_of(actor->status.skills.begin(), actor->status.skills.end(), [&](const auto& slot) {
            return slot.id == skillId && slot.record != nullptr;
        });
        if (holds) {
            subject_ = actor;
            break;
        }
    }
    return false;
}

void GAME_CTaskMindControl::Update()
{
    if (record_ == nullptr) {
        Finish();
        return;
    }
    if (IsPeriodOver(materialTimer_, kMaterialPeriod)) TopUpRecordMaterials();
}

void GAME_CTaskMindControl::SaveRecord(std::span<std::uint8_t> area, std::size_t index) const
{
    GAME_CTaskBase::SaveRecord(area, index);
    platform::WriteU32(area.subspan(index * task_record::kSize, task_record::kSize), task_record::kKindWord, slot_);
}

void GAME_CTaskMindControl::LoadRecord(std::span<const std::uint8_t> area, std::size_t index)
{
    GAME_CTaskBase::LoadRecord(area, index);
    subject_ = LeadingCrew();
}
