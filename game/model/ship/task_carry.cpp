// The carrying tasks: an item lying on the grid taken to storage, and units of an item fetched from the stores into a parent task.
#include "game/model/ship/task_carry.h"

#include <algorithm>

#include "game/services/data/static_lookups.h"
#include "game/model/stores/stored_items.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/object/object_item.h"
#include "game/model/ship/item_drops.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/ship_world.h"
#include "game/model/ship/task_crew.h"
#include "game/model/ship/task_manager.h"
#include "platform/little_endian.h"

namespace {

// A load is empty when it holds no item, no units or no record.
bool IsEmptyLoad(const GAME_CItemDataImpl* load)
{
    return load == nullptr || load->itemId == kNoId || load->count <= 0 || load->record == nullptr;
}

}  // namespace

void WriteLoadRecord(std::span<std::uint8_t> area, std::size_t index, const GAME_CItemDataImpl* load)
{
    const std::span<std::uint8_t> record = area.subspan(index * task_record::kSize, task_record::kSize);
    const bool held = !IsEmptyLoad(load);
    platform::WriteU32(record, task_record::kMaterialIds, held ? load->itemId : kNoId);
    record[task_record::kMaterialCounts] = held ? static_cast<std::uint8_t>(std::min(load->count, 255)) : 0;
}

std::unique_ptr<GAME_CItemDataImpl> ReadLoadRecord(std::span<const std::uint8_t> area, std::size_t index)
{
    const std::span<const std::uint8_t> record = area.subspan(index * task_record::kSize, task_record::kSize);
    const std::uint32_t itemId = platform::ReadU32(record, task_record::kMaterialIds);
    const std::int32_t count = record[task_record::kMaterialCounts];
    if (itemId == kNoId || count == 0 || FindItemData(itemId) == nullptr) return nullptr;
    return CreateItemData(itemId, count);
}

// --- an item lying on the grid

GAME_CTaskItemCarrier::GAME_CTaskItemCarrier(const GAME_CTaskRequest& request)
    : GAME_CTaskBase(request), item_(request.item)
{
    roomIndex = -1;
}

void GAME_CTaskItemCarrier::Update()
{
    if (--unclaimedTimer_ <= 0 && crew.empty()) Finish();
}

void GAME_CTaskItemCarrier::ApplyCompletionEffect()
{
    for (GAME_CObjectActor* actor : crew) {
        if (actor == nullptr || actor->carriedItem == nullptr) continue;
        GAME_CObjectItem* carried = actor->carriedItem;
        if (carried->HasValidEntry()) continue;
        carried->SetCarrier(nullptr);
        actor->carriedItem = nullptr;
        carried->dead = 1;
    }
}

// --- units fetched from the stores

GAME_CTaskCarrierFromInventory::GAME_CTaskCarrierFromInventory(const GAME_CTaskRequest& request)
    : GAME_CTaskBase(request), parent_(request.parent)
{
    roomIndex = request.SignedWord(20);
    itemId_ = request.Word(24);
    count_ = request.SignedWord(28);
    startSound = kNoSound;
    completionSound = kCompletionSound;
}

std::int32_t GAME_CTaskCarrierFromInventory::GetRoomIndex() const
{
    return parent_ != nullptr ? parent_->GetRoomIndex() : roomIndex;
}

bool GAME_CTaskCarrierFromInventory::CanProgress(std::int32_t limit, std::int32_t)
{
    if (!IsPeriodOver(availabilityTimer_, kAvailabilityPeriod)) return static_cast<std::int32_t>(crew.size()) >= limit;
    const std::int64_t available =
        CountStoredItem(itemId_) + CountFieldItem(itemId_) + (load_ != nullptr ? load_->count : 0);
    if (available < count_) return false;
    GAME_CTaskManager* tasks = ship_world::Tasks();
    GAME_CFieldObjectManager* objects = ship_world::FieldObjects();
    if (tasks == nullptr || objects == nullptr || !tasks->AreDriveAndAttackTasksManned()) {
        return static_cast<std::int32_t>(crew.size()) >= limit;
    }
    // The carries of the tasks ahead of the parent in its room are manned first.
    if (const GAME_CRoomBase* room = GetRoom(); room != nullptr && parent_ != nullptr) {
        std::vector<GAME_CTaskBase*> children;
        for (const GAME_CTaskBase* bound : room->boundTasks) {
            if (bound == parent_) break;
            if (bound == nullptr) continue;
            tasks->GetChildTasks(bound, children);
            const bool manned = std::all_of(children.begin(), children.end(), [](const GAME_CTaskBase* child) {
                return child->GetKind() != kTaskCarrierFromInventory || !child->crew.empty();
            });
            if (!manned) return false;
        }
    }
    if (static_cast<std::int32_t>(crew.size()) < limit) {
        objects->AssignCrewToTask(this, false, false);
        return false;
    }
    const GAME_CShip* ship = ship_world::Ship();
    const GAME_CRoomBase* room = GetRoom();
    for (GAME_CObjectActor* actor : std::vector<GAME_CObjectActor*>(crew)) {
        if (actor == nullptr || ship == nullptr || room == nullptr) continue;
        if (!ship->IsRoomReachable(actor->cellX, actor->cellY, *room)) {
            // What it holds stays where it stands, for crew who can get there to fetch, rather
            // than going on with the task to whoever is sent next.
            PutLoadDown(actor->cellX, actor->cellY);
            std::erase(crew, actor);
            ReleaseCrewMember(actor, true);
        } else if (actor->task == nullptr) {
            actor->SetTask(this, true);
        }
    }
    return static_cast<std::int32_t>(crew.size()) >= limit;
}

bool GAME_CTaskCarrierFromInventory::IsLeaderAtRoom() const
{
    const GAME_CObjectActor* leader = LeadingCrew();
    const GAME_CRoomBase* room = GetRoom();
    const GAME_CShip* ship = ship_world::Ship();
    return leader != nullptr && room != nullptr && ship != nullptr &&
           ship->GetRoomAtCell(leader->cellX, leader->cellY) == room;
}

void GAME_CTaskCarrierFromInventory::Update()
{
    progress = 0;
    progressFraction = 0;
    if (parent_ == nullptr || parent_->GetKind() == kTaskItemCarrier || parent_->GetKind() == kTaskCarrierFromInventory) {
        // Handed over while the carrier still holds the load: once the task is released nobody does.
        HandOverLoad();
        Finish();
        return;
    }
    if (load_ == nullptr) return;
    if (crew.empty() && parent_->crew.empty()) {
        // Nothing moves a crew member over from the parent: the timer only restarts.
        if (--handOverTimer_ <= 0) handOverTimer_ = kHandOverPeriod;
    }
    if (load_->count >= count_ && IsLeaderAtRoom()) {
        HandOverLoad();
        Finish();
    }
}

void GAME_CTaskCarrierFromInventory::UpdateCarryProgress(std::int32_t limit, std::int32_t taskValue)
{
    if (IsFinished()) {
        progress = taskValue + 1;
        return;
    }
    if (GetRoom() == nullptr) {
        Finish();
        return;
    }
    const bool arrived = load_ != nullptr && load_->count >= limit && IsLeaderAtRoom();
    progress = arrived ? taskValue + 1 : 0;
}

void GAME_CTaskCarrierFromInventory::HandOverLoad()
{
    if (IsEmptyLoad(load_.get())) {
        load_.reset();
        return;
    }
    if (parent_ != nullptr && !parent_->IsFinished()) {
        while (load_->count > 0) {
            parent_->materials.push_back(load_->itemId);
            --load_->count;
        }
    } else {
        const GAME_CObjectActor* leader = LeadingCrew();
        const GAME_CShip* ship = ship_world::Ship();
        const std::int32_t x = leader != nullptr ? leader->cellX : 0;
        const std::int32_t y = leader != nullptr ? leader->cellY : (ship != nullptr ? ship->grid.height - 1 : 0);
        // The load is let go of here, so what finds no floor cell goes back into a storeroom.
        DropOrStoreItemStacks(load_->itemId, load_->count, x, y);
    }
    load_.reset();
}

void GAME_CTaskCarrierFromInventory::PutLoadDown(std::int32_t x, std::int32_t y)
{
    if (IsEmptyLoad(load_.get())) return;
    load_->count = DropItemStacks(load_->itemId, load_->count, x, y);
    if (load_->count <= 0) load_.reset();
}

void GAME_CTaskCarrierFromInventory::OnRemoved() { HandOverLoad(); }

void GAME_CTaskCarrierFromInventory::OnLinkedTaskRemoved(const GAME_CTaskBase* removed)
{
    if (removed != parent_) return;
    roomIndex = parent_->GetRoomIndex();
    parent_ = nullptr;
    HandOverLoad();
    Finish();
}

void GAME_CTaskCarrierFromInventory::SaveRecord(std::span<std::uint8_t> area, std::size_t index) const
{
    GAME_CTaskBase::SaveRecord(area, index);
    platform::WriteU32(area.subspan(index * task_record::kSize, task_record::kSize), task_record::kKindWord, itemId_);
    WriteLoadRecord(area, index, load_.get());
}

void GAME_CTaskCarrierFromInventory::LoadRecord(std::span<const std::uint8_t> area, std::size_t index)
{
    // The load is back before the carriers are: they think again with it in hand, and one that
    // thought itself empty-handed with nothing to fetch would let go of the carry.
    load_ = ReadLoadRecord(area, index);
    GAME_CTaskBase::LoadRecord(area, index);
    materials.clear();
}
