// The tasks that turn delivered materials into something lasting: building a room, upgrading it, crafting items.
#include "game/model/ship/task_build.h"

#include <algorithm>
#include <string>

#include "framework/text/format_text.h"
#include "game/services/data/item_data.h"
#include "game/services/data/static_lookups.h"
#include "game/services/data/tag.h"
#include "game/services/text/message_text.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship_world.h"
#include "game/model/ship/task_manager.h"

namespace {

constexpr std::size_t kMaxBuildMaterials = 8;
constexpr std::size_t kBuildNoticeLength = 128;
constexpr std::uint32_t kBuildNoticeKind = 3;
constexpr std::int32_t kDefaultUpgradeFrames = 600;

}  // namespace

// --- building a room

GAME_CTaskRoomBuild::GAME_CTaskRoomBuild(const GAME_CTaskRequest& request) : GAME_CTaskBase(request)
{
    completionVolume = 1.5f;
    const GAME_CRoomBase* room = GetRoom();
    const RoomData* data = room != nullptr ? FindRoomData(room->roomId) : nullptr;
    if (data == nullptr) {
        Finish();
        return;
    }
    crewLimit = std::max(1, data->buildCrewLimit);
    duration = SecondsToTaskFrames(data->buildSeconds);
    std::copy(data->materials.begin(), data->materials.end(), buildMaterials_.begin());
    if (request.restored == 0 && request.Word(20) == 0) PostCarryRequests(buildMaterials_, kMaxBuildMaterials);
}

void GAME_CTaskRoomBuild::Update()
{
    if (++materialCounter_ <= kMaterialCheckSteps - 1) return;
    materialCounter_ = 0;
    std::erase_if(crew, [this](const GAME_CObjectActor* actor) {
        return actor == nullptr || (actor->task != nullptr && actor->task != this);
    });
    const GAME_CRoomBase* room = GetRoom();
    if (room == nullptr || !room->underConstruction) {
        Finish();
        return;
    }
    GAME_CTaskManager* tasks = ship_world::Tasks();
    if (tasks == nullptr) return;
    std::vector<GAME_CTaskBase*> children;
    tasks->GetChildTasks(this, children);
    for (const ItemCount& pair : buildMaterials_) {
        if (IsUnusedItemCount(pair)) break;
        const std::int32_t missing = pair.count - CountMaterial(pair.itemId);
        if (missing <= 0) continue;
        const bool wanted = std::any_of(children.begin(), children.end(), [&](const GAME_CTaskBase* child) {
            return child->GetKind() == kTaskCarrierFromInventory && child->GetReservedItemId() == pair.itemId &&
                   child->GetReservedItemCount() >= missing;
        });
        if (!wanted) CreateFromRequest(MakeCarryFromStoreRequest(this, GetRoomIndex(), pair.itemId, missing));
    }
}

void GAME_CTaskRoomBuild::ApplyCompletionEffect()
{
    GAME_CRoomBase* room = GetRoom();
    if (room == nullptr) return;
    for (GAME_CObjectActor* actor : std::vector<GAME_CObjectActor*>(room->assignedCrew)) room->RemoveCrew(actor);
    ReleaseAllCrew(true);
    room->Finish(false);
    std::u16string line = vesk::text::FormatText(GetMessageTextExpanded("OLIF_ROOM_BUILD_FINISHED"),
                                                 {GetMessageTextExpanded(TagText(room->roomId))});
    line.resize(std::min(line.size(), kBuildNoticeLength - 1));
    ship_world::PostMessage(line, kBuildNoticeKind);
}

// --- upgrading a room

GAME_CTaskRoomUpgrade::GAME_CTaskRoomUpgrade(const GAME_CTaskRequest& request)
    : GAME_CTaskWithRecord(request, FindTaskData(request.taskId))
{
    crewLimit = std::max(1, request.SignedWord(20));
    duration = request.SignedWord(24) > 0 ? SecondsToTaskFrames(request.SignedWord(24)) : kDefaultUpgradeFrames;
    TakeSounds(record_);
    if (request.restored == 0) PostRecordCarryRequests();
}

void GAME_CTaskRoomUpgrade::Update()
{
    repeat = 0;
    if (--materialTimer_ >= 0) return;
    materialTimer_ = kMaterialPeriod;
    TopUpRecordMaterials();
}

// --- crafting

GAME_CTaskItemCraft::GAME_CTaskItemCraft(const GAME_CTaskRequest& request)
    : GAME_CTaskWithRecord(request, FindTaskData(request.taskId))
{
    crewLimit = std::max(1, request.SignedWord(20));
    duration = SecondsToTaskFrames(request.SignedWord(24));
    staminaChange_ = request.SignedWord(28);
    calorieChange_ = request.SignedWord(32);
    productItem_ = request.Word(36);
    productCount_ = request.SignedWord(40);
    TakeSounds(record_);
    if (request.restored == 0 && request.Word(44) == 0) PostRecordCarryRequests();
}

void GAME_CTaskItemCraft::Update()
{
    if (--materialTimer_ >= 0) return;
    materialTimer_ = kMaterialPeriod;
    TopUpRecordMaterials();
}

bool GAME_CTaskItemCraft::HasRoomForResults() const
{
    const TaskData* record = GetTaskData();
    if (record == nullptr || record->productItem == kNoId || record->productCount <= 0) return true;
    const GAME_CFieldObjectManager* objects = ship_world::FieldObjects();
    if (objects == nullptr) return true;
    return CountStacksOf(FindItemData(record->productItem), record->productCount) <= objects->CountFreeItemPlaces();
}

bool GAME_CTaskItemCraft::RepeatTask()
{
    if (!IsRepeatDue() || record_ == nullptr) return false;
    PostRepeat(MakeItemCraftRequest(*record_, GetRoomIndex(), 0));
    return false;
}
