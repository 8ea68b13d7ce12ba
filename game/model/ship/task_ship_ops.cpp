// The tasks that keep the land ship running: engine maintenance, refuelling, reloading turrets, route scans and driving.
#include "game/model/ship/task_ship_ops.h"

#include <algorithm>
#include <vector>

#include "game/model/stores/ammo_storage.h"
#include "game/services/data/static_lookups.h"
#include "game/model/stores/stored_items.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/model/world/game_world.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/ship/item_drops.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/ship_world.h"
#include "game/model/ship/task_carry.h"
#include "game/model/ship/task_crew.h"
#include "game/model/travel/route_save_block.h"
#include "platform/little_endian.h"

namespace {

// Marks the routes that lead on from both ends of the current route as scanned, for `frames`.
void RevealRoutesAroundCurrentRoute(std::int32_t frames)
{
    const GAME_CGameWorld* world = PeekGameWorld();
    const GAME_CStaticDatabase* database = GetStaticDatabase();
    const RouteSaveBlock slot = route_block::Working();
    if (world == nullptr || !world->travel || !world->travel->routeManager || database == nullptr || slot.empty()) {
        return;
    }
    const RouteData* route = database->FindRouteData(world->travel->routeManager->GetRouteId());
    if (route == nullptr) return;
    const auto countdown = static_cast<std::uint16_t>(std::clamp(frames, 1, 0xFFFF));
    std::vector<std::int32_t> positions;
    for (const std::uint32_t location : {route->startLocation, route->endLocation}) {
        database->CollectRoutesFrom(location, positions);
        for (const std::int32_t position : positions) {
            if (position < 0 || position >= route_block::kRouteRecordCount) continue;
            const std::size_t record = route_block::RouteRecord(static_cast<std::size_t>(position));
            platform::WriteU16(slot, record + route_block::kScanLevel, 1);
            platform::WriteU16(slot, record + route_block::kScanCountdown, countdown);
        }
    }
}

}  // namespace

// --- engine maintenance

GAME_CTaskEngineMaintenance::GAME_CTaskEngineMaintenance(const GAME_CTaskRequest& request)
    : GAME_CTaskWithRecord(request, FindTaskData(request.taskId))
{
    TakeRecordTerms(kDefaultFrames);
    repeat = 1;
}

void GAME_CTaskEngineMaintenance::Update()
{
    if (progress <= 0 || (progress != 1 && progress % kStatsPeriod != 0)) return;
    if (GAME_CShip* ship = ship_world::Ship()) ship->RecalcStats();
}

bool GAME_CTaskEngineMaintenance::RepeatTask()
{
    if (!IsRepeatDue()) return false;
    // The room takes one maintenance task at a time: this one leaves before the next comes.
    Finish();
    PostRepeat(MakeEngineMaintenanceRequest(GetRoomIndex(), 0));
    return false;
}

// --- refuel

GAME_CTaskRefuel::GAME_CTaskRefuel(const GAME_CTaskRequest& request)
    : GAME_CTaskWithRecord(request, FindTaskData(request.taskId))
{
    TakeRecordTerms(0);
    if (request.restored == 0 && request.Word(20) == 0) PostRecordCarryRequests();
}

void GAME_CTaskRefuel::Update()
{
    if (--materialTimer_ >= 0) return;
    materialTimer_ = kMaterialPeriod;
    TopUpRecordMaterials();
}

bool GAME_CTaskRefuel::RepeatTask()
{
    if (!IsRepeatDue()) return false;
    PostRepeat(MakeRefuelRequest(id, GetRoomIndex(), 0));
    return false;
}

// --- reload

GAME_CTaskReload::GAME_CTaskReload(const GAME_CTaskRequest& request)
    : GAME_CTaskBase(request), ammoId_(request.Word(20))
{
    repeat = 1;
    Initialise();
}

void GAME_CTaskReload::Initialise()
{
    const GAME_CRoomBase* room = GetRoom();
    if (room == nullptr) {
        Finish();
        return;
    }
    const GAME_CAmmo* store = FindAmmoStorage(GetRoomIndex());
    if (room->roomData == nullptr || (room->roomData->flags & kRoomTurret) == 0 || store == nullptr) {
        Finish();
        return;
    }
    const std::int64_t held = load_ != nullptr ? load_->count : 0;
    wanted_ = static_cast<std::int32_t>(
        std::clamp<std::int64_t>(std::int64_t{store->GetCapacity()} - store->GetCount() - held, 0, INT32_MAX));
    progress = 0;
    progressFraction = 0;
}

bool GAME_CTaskReload::CanProgress(std::int32_t, std::int32_t)
{
    GAME_CFieldObjectManager* objects = ship_world::FieldObjects();
    if (--crewTimer_ <= 0 && objects != nullptr) {
        crewTimer_ = kCrewPeriod;
        // A crew member already bringing rounds is not sent away because they fill the want.
        const bool nothingToFetch = CountStoredItem(ammoId_) + CountFieldItem(ammoId_) <= 0 || wanted_ == 0;
        objects->AssignCrewToTask(this, nothingToFetch && load_ == nullptr, false);
    }
    for (GAME_CObjectActor* actor : std::vector<GAME_CObjectActor*>(crew)) {
        if (actor == nullptr) continue;
        if ((actor->task != nullptr && actor->task != this) || actor->carriedItem != nullptr) {
            std::erase(crew, actor);
            if (actor->task == this) actor->SetTask(nullptr, false);
        }
    }
    return !crew.empty();
}

void GAME_CTaskReload::DropLoad(std::int32_t x, std::int32_t y)
{
    if (load_ != nullptr && load_->count > 0) load_->count = DropItemStacks(load_->itemId, load_->count, x, y);
    if (load_ != nullptr && load_->count <= 0) load_.reset();
}

void GAME_CTaskReload::Update()
{
    if (crew.empty() && load_ != nullptr) {
        const GAME_CShip* ship = ship_world::Ship();
        DropLoad(0, ship != nullptr ? ship->grid.height - 1 : 0);
    }
    Initialise();
}

void GAME_CTaskReload::OnRemoved()
{
    const GAME_CObjectActor* leader = LeadingCrew();
    const GAME_CShip* ship = ship_world::Ship();
    const std::int32_t x = leader != nullptr ? leader->cellX : 0;
    const std::int32_t y = leader != nullptr ? leader->cellY : (ship != nullptr ? ship->grid.height - 1 : 0);
    // The load goes with the task, so what finds no floor cell goes back into a storeroom.
    if (load_ != nullptr && load_->count > 0) DropOrStoreItemStacks(load_->itemId, load_->count, x, y);
    load_.reset();
}

void GAME_CTaskReload::SaveRecord(std::span<std::uint8_t> area, std::size_t index) const
{
    GAME_CTaskBase::SaveRecord(area, index);
    platform::WriteU32(area.subspan(index * task_record::kSize, task_record::kSize), task_record::kKindWord, ammoId_);
    WriteLoadRecord(area, index, load_.get());
}

void GAME_CTaskReload::LoadRecord(std::span<const std::uint8_t> area, std::size_t index)
{
    // The rounds in hand first: the crew the base gives back think at once, and go by them.
    load_ = ReadLoadRecord(area, index);
    GAME_CTaskBase::LoadRecord(area, index);
    materials.clear();
}

// --- route scan

GAME_CTaskRouteScan::GAME_CTaskRouteScan(const GAME_CTaskRequest& request)
    : GAME_CTaskWithRecord(request, FindTaskData(request.taskId))
{
    TakeRecordTerms(kDefaultFrames);
    repeat = 1;
    if (request.restored == 0 && request.Word(20) == 0) PostRecordCarryRequests();
}

void GAME_CTaskRouteScan::ApplyCompletionEffect()
{
    RevealRoutesAroundCurrentRoute(record_ != nullptr ? record_->amount : kDefaultFrames);
}

bool GAME_CTaskRouteScan::RepeatTask()
{
    if (!IsRepeatDue()) return false;
    Finish();
    PostRepeat(MakeRouteScanRequest(GetRoomIndex(), 0));
    return false;
}

void GAME_CTaskRouteScan::SaveRecord(std::span<std::uint8_t> area, std::size_t index) const
{
    GAME_CTaskBase::SaveRecord(area, index);
    // A scan keeps no materials and no crew in its record.
    const std::span<std::uint8_t> record = area.subspan(index * task_record::kSize, task_record::kSize);
    for (std::size_t i = 0; i < task_record::kSlots; ++i) {
        platform::WriteU32(record, task_record::kMaterialIds + 4 * i, kNoId);
        record[task_record::kMaterialCounts + i] = 0;
        record[task_record::kCrew + i] = task_record::kNone;
    }
}

// --- bridge driver

GAME_CTaskBridgeDriver::GAME_CTaskBridgeDriver(const GAME_CTaskRequest& request) : GAME_CTaskBase(request)
{
    crewLimit = 1;
    SetRoomIndex(request.roomIndex);
}

std::int32_t GAME_CTaskBridgeDriver::SetRoomIndex(std::int32_t index)
{
    const GAME_CShip* ship = ship_world::Ship();
    const std::int32_t count = ship != nullptr ? ship->CountRoomsOnGrid() : 0;
    for (std::int32_t number = std::max(0, index); number < count; ++number) {
        GAME_CRoomBase* room = ship->GetRoom(number);
        if (room != nullptr && room->kind == kBridgeKind) {
            roomIndex = number;
            bridge_ = room;
            return roomIndex;
        }
    }
    // The search ends with the room list: with no bridge after the index there is nobody to drive.
    roomIndex = index;
    bridge_ = nullptr;
    Finish();
    return roomIndex;
}

std::int32_t GAME_CTaskBridgeDriver::GetTaskValue() const { return std::max(0, ship_world::RouteLength()); }

void GAME_CTaskBridgeDriver::Update()
{
    progress = std::max(0, ship_world::TravelDistance());
    GAME_CShip* ship = ship_world::Ship();
    GAME_CRoomBase* room = GetRoom();
    bool drives = false;
    if (ship != nullptr && room != nullptr && !room->underConstruction && ship->grid.IsInside(room->gridX, room->gridY)) {
        GAME_CObjectActor* leader = LeadingCrew();
        if (leader != nullptr) {
            if (!task_crew::IsAliveInField(*leader)) {
                std::erase(crew, leader);
                ReleaseCrewMember(leader, false);
            } else if (task_crew::IsInsideRoom(*leader) && ship->GetRoomAtCell(leader->cellX, leader->cellY) == room &&
                       ship->speed > 0.0f && ship->fuel > 0) {
                ship->driveFlag = 1;
                drives = true;
            }
        }
    }
    if (!drives && room != nullptr && room->IsInWorkLabel()) room->GoNoTask();
}
