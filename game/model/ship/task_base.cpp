// The crew task base: crew and materials, finishing, the base progress check, the shared carry requests and the save record.
#include "game/model/ship/task_base.h"

#include <algorithm>
#include <string>

#include "game/services/data/item_data.h"
#include "game/services/data/static_lookups.h"
#include "game/services/data/tag.h"
#include "game/services/save/save_field_log.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/services/save/working_slot.h"
#include "game/model/world/game_world_ready.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/ship_world.h"
#include "game/model/ship/task_crew.h"
#include "game/model/ship/task_manager.h"
#include "platform/little_endian.h"

namespace {

std::uint32_t ClampSound(std::int32_t id)
{
    const auto sound = static_cast<std::uint32_t>(id);
    return std::min(sound, GAME_CTaskBase::kNoSound);
}

bool IsRoomKind(const GAME_CRoomBase& room, std::uint16_t kind) { return room.kind == kind; }

}  // namespace

GAME_CTaskBase::GAME_CTaskBase(const GAME_CTaskRequest& request) : id(request.taskId), roomIndex(request.roomIndex)
{
    const GAME_CStaticDatabase* database = GetStaticDatabase();
    const GAME_CStaticDatabase::TaskSoundPair sounds =
        database != nullptr ? database->GetTaskSounds(request.kind) : GAME_CStaticDatabase::TaskSoundPair{};
    startSound = ClampSound(sounds.start);
    completionSound = ClampSound(sounds.completion);
}

GAME_CTaskBase::~GAME_CTaskBase() = default;

std::int32_t GAME_CTaskBase::SetRoomIndex(std::int32_t index)
{
    roomIndex = index;
    return roomIndex;
}

void GAME_CTaskBase::SetTargetIndex(std::unique_ptr<GAME_CItemDataImpl>) {}

const TaskData* GAME_CTaskBase::GetTaskData() const { return FindTaskData(id); }

void GAME_CTaskBase::TakeSounds(const TaskData* record)
{
    const GAME_CStaticDatabase* database = GetStaticDatabase();
    const GAME_CStaticDatabase::TaskSoundPair kindSounds =
        database != nullptr ? database->GetTaskSounds(GetKind()) : GAME_CStaticDatabase::TaskSoundPair{};
    const auto pick = [](std::int32_t own, std::int32_t fallback) {
        return own >= 0 && own < static_cast<std::int32_t>(kNoSound) ? own : fallback;
    };
    startSound = ClampSound(pick(record != nullptr ? record->startSound : -1, kindSounds.start));
    completionSound = ClampSound(pick(record != nullptr ? record->completionSound : -1, kindSounds.completion));
}

GAME_CRoomBase* GAME_CTaskBase::GetRoom() const
{
    const GAME_CShip* ship = ship_world::Ship();
    return ship != nullptr ? ship->GetRoom(GetRoomIndex()) : nullptr;
}

std::int32_t GAME_CTaskBase::RoomCount() const
{
    const GAME_CShip* ship = ship_world::Ship();
    return ship != nullptr ? ship->CountRoomsOnGrid() : 0;
}

// --- crew and materials

void GAME_CTaskBase::AddCrew(GAME_CObjectActor* actor)
{
    if (actor == nullptr) return;
    actor->SetTask(this, false);
    if (std::find(crew.begin(), crew.end(), actor) == crew.end()) crew.push_back(actor);
}

void GAME_CTaskBase::RemoveCrew(GAME_CObjectActor* actor)
{
    std::erase(crew, actor);
    // A crew member already on another task keeps that one.
    if (actor != nullptr && actor->task == this) actor->SetTask(nullptr, false);
}

std::int32_t GAME_CTaskBase::CountMaterial(std::uint32_t itemId) const
{
    return static_cast<std::int32_t>(std::count(materials.begin(), materials.end(), itemId));
}

std::int32_t GAME_CTaskBase::RemoveMaterial(std::uint32_t itemId, std::int32_t n)
{
    for (auto it = materials.begin(); it != materials.end() && n > 0;) {
        if (*it == itemId) {
            it = materials.erase(it);
            --n;
        } else {
            ++it;
        }
    }
    return CountMaterial(itemId);
}

std::vector<ItemCount> GAME_CTaskBase::CollectMaterialPairs() const
{
    std::vector<ItemCount> pairs;
    for (const std::uint32_t itemId : materials) {
        const auto found =
            std::find_if(pairs.begin(), pairs.end(), [&](const ItemCount& pair) { return pair.itemId == itemId; });
        if (found != pairs.end()) {
            ++found->count;
        } else {
            pairs.push_back(ItemCount{itemId, 1});
        }
    }
    return pairs;
}

void GAME_CTaskBase::Finish()
{
    finished = 1;
    if (!IsGameWorldReady() || !IsRoomTask()) return;
    if (GAME_CRoomBase* room = GetRoom()) room->DetachTask(this);
}

void GAME_CTaskBase::ReleaseCrewMember(GAME_CObjectActor* actor, bool thinkNow)
{
    if (actor == nullptr) return;
    if (actor->task != nullptr && actor->task->IsRoomTask()) {
        if (GAME_CRoomBase* room = actor->task->GetRoom()) room->RemoveCrew(actor);
    }
    actor->SetTask(nullptr, false);
    task_crew::ClearAITarget(*actor, thinkNow);
}

void GAME_CTaskBase::ReleaseAllCrew(bool thinkNow)
{
    while (!crew.empty()) {
        GAME_CObjectActor* actor = crew.back();
        crew.pop_back();
        ReleaseCrewMember(actor, thinkNow);
    }
}

void GAME_CTaskBase::StopRoom(GAME_CRoomBase* room) const
{
    if (room == nullptr) return;
    const std::int32_t kind = GetKind();
    if (kind == kTaskRoomBuild) {
        if (room->underConstruction && room->buildStarted) {
            room->buildStarted = false;
            room->GoBuildStay();
        }
        return;
    }
    if (kind == kTaskItemCarrier || kind == kTaskCarrierFromInventory) return;
    if (IsRoomKind(*room, kRoomKindEngine)) return;
    if (room->IsInLabel(room_label::kNoTask) || room->IsInLabel(room_label::kUpgradeStay)) return;
    if (kind == kTaskRoomUpgrade) {
        room->GoUpgradeStay();
    } else {
        room->GoNoTask();
    }
}

bool GAME_CTaskBase::CanProgress(std::int32_t crewLimit, std::int32_t /*duration*/)
{
    GAME_CRoomBase* room = GetRoom();
    const std::int32_t kind = GetKind();
    const bool everyoneFit = kind == kTaskMeal || kind == kTaskBreak || kind == kTaskMealOnGrid;
    if (!everyoneFit) {
        std::vector<GAME_CObjectActor*> unfit;
        for (GAME_CObjectActor* actor : crew) {
            if (actor != nullptr && !task_crew::IsFit(*actor)) unfit.push_back(actor);
        }
        for (GAME_CObjectActor* actor : unfit) {
            std::erase(crew, actor);
            if (IsRoomTask() && room != nullptr) room->RemoveCrew(actor);
            ReleaseCrewMember(actor, true);
        }
    }
    if (static_cast<std::int32_t>(crew.size()) < crewLimit) {
        StopRoom(room);
        if (GAME_CFieldObjectManager* objects = ship_world::FieldObjects()) objects->AssignCrewToTask(this, false, false);
        return false;
    }
    std::erase_if(crew, [this](const GAME_CObjectActor* actor) {
        return actor == nullptr || (actor->task != nullptr && actor->task != this);
    });
    for (GAME_CObjectActor* actor : crew) {
        if (actor->task == nullptr) actor->SetTask(this, false);
    }
    return static_cast<std::int32_t>(crew.size()) <= crewLimit;
}

// --- carry requests for materials

void GAME_CTaskBase::PostCarryRequests(std::span<const ItemCount> pairs, std::size_t limit)
{
    for (std::size_t i = 0; i < pairs.size() && i < limit; ++i) {
        if (IsUnusedItemCount(pairs[i])) break;
        CreateFromRequest(MakeCarryFromStoreRequest(this, GetRoomIndex(), pairs[i].itemId, pairs[i].count));
    }
}

void GAME_CTaskBase::TopUpMaterials(std::span<const ItemCount> pairs)
{
    const bool allDelivered = std::all_of(pairs.begin(), pairs.end(), [this](const ItemCount& pair) {
        return IsUnusedItemCount(pair) || CountMaterial(pair.itemId) >= pair.count;
    });
    if (allDelivered) return;
    GAME_CTaskManager* tasks = ship_world::Tasks();
    if (tasks == nullptr) return;
    std::vector<GAME_CTaskBase*> children;
    tasks->GetChildTasks(this, children);
    std::vector<std::uint32_t> covered;
    for (GAME_CTaskBase* child : children) {
        if (child->GetKind() == kTaskCarrierFromInventory) {
            covered.push_back(child->GetReservedItemId());
        } else {
            child->Finish();
        }
    }
    for (const ItemCount& pair : pairs) {
        if (IsUnusedItemCount(pair)) break;
        if (std::find(covered.begin(), covered.end(), pair.itemId) != covered.end()) continue;
        const std::int32_t missing = pair.count - CountMaterial(pair.itemId);
        if (missing > 0) CreateFromRequest(MakeCarryFromStoreRequest(this, GetRoomIndex(), pair.itemId, missing));
    }
}

// --- repeat

bool GAME_CTaskBase::IsRepeatDue()
{
    if (repeat == 0) return false;
    progress = 0;
    return GetRoomIndex() < kNoRoomIndex;
}

bool GAME_CTaskBase::RepeatTask()
{
    if (!IsRepeatDue()) return false;
    ResetTimers();
    return true;
}

bool GAME_CTaskBase::PostRepeat(const GAME_CTaskRequest& request)
{
    GAME_CTaskBase* next = CreateFromRequest(request);
    if (next == nullptr) return false;
    next->repeat = repeat;
    return true;
}

// --- save record

void GAME_CTaskBase::SaveRecord(std::span<std::uint8_t> area, std::size_t index) const
{
    using namespace task_record;
    const std::span<std::uint8_t> record = area.subspan(index * kSize, kSize);
    std::fill(record.begin(), record.end(), std::uint8_t{0});
    platform::WriteU32(record, kId, id);
    platform::WriteU32(record, kKindWord, kNoId);
    const std::vector<ItemCount> pairs = SavedMaterialPairs();
    for (std::size_t i = 0; i < kSlots; ++i) {
        const bool used = i < pairs.size();
        platform::WriteU32(record, kMaterialIds + 4 * i, used ? pairs[i].itemId : kNoId);
        // A count beyond the byte is kept at its largest value rather than wrapped round.
        record[kMaterialCounts + i] = used ? static_cast<std::uint8_t>(std::min(pairs[i].count, 255)) : 0;
    }
    const GAME_CFieldObjectManager* objects = ship_world::FieldObjects();
    std::size_t slot = 0;
    for (std::size_t i = 0; i < kSlots; ++i) record[kCrew + i] = kNone;
    for (const GAME_CObjectActor* actor : crew) {
        if (slot == kSlots) break;
        const std::int32_t actorIndex = objects != nullptr && actor != nullptr ? objects->GetActorIndex(actor) : -1;
        if (actorIndex < 0 || actorIndex >= kNone) continue;
        record[kCrew + slot++] = static_cast<std::uint8_t>(actorIndex);
    }
    platform::WriteU16(record, kProgress, static_cast<std::uint16_t>(std::clamp(progress, -32768, 32767)));
    record[kKind] = static_cast<std::uint8_t>(GetKind());
    const std::int32_t room = GetRoomIndex();
    record[kRoom] = room >= 0 && room < kNoRoomIndex ? static_cast<std::uint8_t>(room) : kNone;
}

void GAME_CTaskBase::LoadRecord(std::span<const std::uint8_t> area, std::size_t index)
{
    using namespace task_record;
    const std::span<const std::uint8_t> record = area.subspan(index * kSize, kSize);
    const std::string recordArea = "task record " + std::to_string(index);
    const std::size_t at = save_layout::slot::kTasks + index * kSize;
    id = platform::ReadU32(record, kId);
    const std::int32_t storedProgress = static_cast<std::int16_t>(platform::ReadU16(record, kProgress));
    if (storedProgress < 0) {
        LogBadWorkingSlotField(recordArea, at + kProgress, "progress " + std::to_string(storedProgress) + " is below 0; it is 0");
    }
    progress = std::max<std::int32_t>(0, storedProgress);
    progressFraction = 0;
    const std::uint8_t room = record[kRoom];
    if (room >= kNoRoomIndex) {
        if (HasRoom()) Finish();
    } else if (IsRoomTask()) {
        SetRoomIndex(room);
    }
    materials.clear();
    for (std::size_t i = 0; i < kSlots; ++i) {
        const std::uint32_t itemId = platform::ReadU32(record, kMaterialIds + 4 * i);
        const std::uint8_t count = record[kMaterialCounts + i];
        if (count == 0) continue;
        if (itemId == kNoId || itemId == 0) {
            LogBadWorkingSlotField(recordArea, at + kMaterialCounts + i,
                                   "material count " + std::to_string(count) + " without an id; it holds nothing");
            continue;
        }
        if (FindItemData(itemId) == nullptr) {
            LogBadWorkingSlotField(recordArea, at + kMaterialIds + 4 * i,
                                   "task " + DescribeId(id) + " names the unknown material " + DescribeId(itemId) +
                                       "; its units are dropped");
            continue;
        }
        materials.insert(materials.end(), count, itemId);
        working_slot::MarkItemDiscovered(itemId);
    }
    crew.clear();
    const GAME_CFieldObjectManager* objects = ship_world::FieldObjects();
    for (std::size_t i = 0; i < kSlots; ++i) {
        const std::uint8_t actorIndex = record[kCrew + i];
        if (actorIndex == kNone) continue;
        GAME_CObjectActor* actor = objects != nullptr ? objects->GetActorAt(actorIndex) : nullptr;
        if (actor == nullptr) {
            LogBadWorkingSlotField(recordArea, at + kCrew + i,
                                   "task " + DescribeId(id) + " names crew member " + std::to_string(actorIndex) +
                                       ", who is not aboard; the entry is dropped");
            continue;
        }
        if (IsFinished()) continue;
        // Saved in the frame its HP ran out: the member is playing its death and works no more.
        if (!task_crew::IsAliveInField(*actor)) continue;
        if (actor->task != nullptr && actor->task != this) {
            LogBadWorkingSlotField(recordArea, at + kCrew + i,
                                   "task " + DescribeId(id) + " names crew member " + std::to_string(actorIndex) +
                                       ", who already works at another task; the entry is dropped");
            continue;
        }
        AddCrew(actor);
        task_crew::ClearAITarget(*actor, true);
    }
}

// --- free helpers

bool HasCompletionResults(const TaskData& record)
{
    if (record.productItem != kNoId && record.productCount > 0) return true;
    if (record.amount >= 1 || record.treatedDebuff != kNoId) return true;
    const TaskBonus& first = record.bonuses[0];
    if (record.noBonusWeight != 0 && first.type < kBonusUnused && first.id != kNoId && first.weight != 0) return true;
    for (const TaskEffect* effect : {&record.effectA, &record.effectB}) {
        if (effect->id != kNoId && effect->value > 0 && effect->count > 0) return true;
    }
    return false;
}

std::int32_t CountFilledSlots(std::span<GAME_CTaskBase* const> slots)
{
    return static_cast<std::int32_t>(std::count_if(slots.begin(), slots.end(), [](const GAME_CTaskBase* task) {
        return task != nullptr;
    }));
}

bool IsPeriodOver(std::int32_t& timer, std::int32_t period)
{
    if (--timer > 0) return false;
    timer = period;
    return true;
}
