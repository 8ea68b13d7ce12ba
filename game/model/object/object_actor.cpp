// A crew member: its script, status, balloon, AI, task, carried item, room links and place on the grid.
#include "game/model/object/object_actor.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "framework/graphics/sprite_registry.h"
#include "framework/text/format_text.h"
#include "game/services/data/item_records.h"
#include "game/services/data/room_records.h"
#include "game/model/script/script_package.h"
#include "game/services/text/actor_names.h"
#include "game/services/text/message_text.h"
#include "game/model/world/game_world_ready.h"
#include "game/model/object/actor_ai_base.h"
#include "game/model/object/field_draw.h"
#include "game/model/object/object_item.h"
#include "game/model/object/object_mes_balloon.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/ship_world.h"
#include "game/model/ship/task_base.h"

namespace {

constexpr int kUiSpriteGroup = 2;
constexpr float kNoMove = 0.00001f;
constexpr float kGravity = 0.03f;
constexpr float kFallSpeed = 2.0f;
constexpr std::size_t kNoticeLength = 64;
constexpr std::uint32_t kNoticeBadNews = 2;

// Balloon groups the crew member chooses itself.
constexpr std::uint16_t kGroupStarving = 0;
constexpr std::uint16_t kGroupExhausted = 1;
constexpr std::uint16_t kGroupCritical = 2;
constexpr std::uint16_t kGroupHurt = 3;
constexpr std::uint16_t kGroupBreak = 103;
constexpr std::uint16_t kGroupRepair = 104;
constexpr std::uint16_t kGroupBuilding = 105;

// Column (row) of a coordinate: -1 before the grid, the count beyond it.
std::int32_t CellOf(float coordinate, float cellSize, std::int32_t count)
{
    const std::int64_t whole = static_cast<std::int64_t>(coordinate);
    if (whole < 0) return -1;
    const std::int64_t size = std::max<std::int64_t>(static_cast<std::int64_t>(cellSize), 1);
    if (whole >= size * count) return count;
    return static_cast<std::int32_t>(whole / size);
}

const vesk::utility::script_package::ProgramRecord* CrewProgram()
{
    const GAME_CScriptPackage* package = GetScriptPackages()->Get(kScriptPackageActor);
    if (package == nullptr || package->GetEntryCount() == 0) return nullptr;
    return &package->GetEntry(0).program;
}

template <typename Slots>
void ShowSlotGroups(GAME_CObjectMesBalloon& balloon, const Slots& slots)
{
    for (const auto& slot : slots) {
        if (IsSlotIdSet(slot.id) && slot.record != nullptr && slot.record->balloonGroup != kNoId) {
            balloon.ShowMessage(static_cast<std::uint16_t>(slot.record->balloonGroup), -1);
        }
    }
}

}  // namespace

GAME_CObjectActor::GAME_CObjectActor() : script(this)
{
    anchorX = 0.5f;
    anchorY = 1.0f;
    grabCursorSprite = vesk::resource::FindSpriteIndex(kUiSpriteGroup, "ui_cursor_grid_catch");
}

void GAME_CObjectActor::Init(const ActorSetupRecord& record)
{
    if (ai != nullptr) ai->Reset(this);
    dead = 0;
    dying_ = false;
    position = {record.x, record.y};
    scaleX = 1.0f;
    scaleY = 1.0f;
    velocity = {};
    workLink = ActorRoomLink{};
    homeLink = ActorRoomLink{};
    assigned = 0;
    roomLinkFlag = 0;
    parentToBe = 0;
    held = 0;
    moved = 0;
    movedCountdown = 0;
    repairCountdown = 0;
    task = nullptr;
    carriedItem = nullptr;
    balloonCountdown = 0;
    blinkPhase = 0;
    aiEnabled = 0;
    active = 1;
    status.Init(this);
    if (!record.name.IsEmpty()) status.name = record.name;
    UpdateGridCell();
    script.Attach(CrewProgram());
    PlayLabel(actor_label::kConstruct);
    StepScript();
    SetActionMode(record.actionMode);
    if (balloon != nullptr) balloon->ResetQueue();
}

// --- script labels

void GAME_CObjectActor::PlayLabel(std::u16string_view label)
{
    script.Period().Set(1);
    // The jump restarts the script at the label and runs the restart hook (visible, standard
    // offset); a missing label does nothing.
    script.JumpToLabel(label);
}

bool GAME_CObjectActor::IsScriptStopped() const
{
    const vesk::utility::script::ScriptThreadBlock* threads = script.GetThreads();
    return threads == nullptr || threads->Main().running == 0;
}

// --- the step

void GAME_CObjectActor::Update()
{
    ChooseBalloon();
    if (balloon != nullptr) balloon->Update();
    if (actionMode == kActionNormal) {
        if (!UpdateAction()) return;
    } else {
        velocity.y = std::min(velocity.y + kGravity, kFallSpeed);
        position.x += velocity.x;
        position.y += velocity.y;
    }
    StepScript();
    status.Tick();
}

void GAME_CObjectActor::ChooseBalloon()
{
    if (--balloonCountdown >= 0 || balloon == nullptr) return;
    balloonCountdown = kBalloonPeriod;
    if (task != nullptr && assigned != 0) {
        const std::int32_t kind = task->GetKind();
        if (kind == kTaskBreak && !balloon->IsGroupQueued(kGroupBreak)) {
            balloon->RemoveQueuedGroup(kGroupCritical);
            balloon->RemoveQueuedGroup(kGroupExhausted);
            balloon->RemoveQueuedGroup(kGroupBreak);
            balloon->ShowMessageNow(kGroupBreak);
            return;
        }
        if (kind == kTaskRoomBuild && !balloon->IsGroupQueued(kGroupBuilding)) {
            balloon->RemoveQueuedGroup(kGroupBuilding);
            balloon->ShowMessageNow(kGroupBuilding);
            return;
        }
    }
    const bool starving = status.GetCalorie() < 1 || (status.flags & GAME_CActorStatus::kFlagStarving) != 0;
    const bool exhausted = status.GetStamina() < 1 || (status.flags & GAME_CActorStatus::kFlagExhausted) != 0;
    if (starving && exhausted) {
        balloon->RemoveQueuedGroup(kGroupExhausted);
        balloon->RemoveQueuedGroup(kGroupStarving);
        balloon->ShowMessageNow(kGroupCritical);
    } else if (starving) {
        balloon->ShowMessage(kGroupStarving, -1);
    } else if (exhausted) {
        balloon->ShowMessage(kGroupExhausted, -1);
    } else {
        if (status.GetHP() < status.computed.maxHp) {
            balloon->ShowMessage(kGroupHurt, -1);
        } else {
            balloon->RemoveQueuedGroup(kGroupHurt);
        }
        ShowSlotGroups(*balloon, status.buffs);
        ShowSlotGroups(*balloon, status.debuffs);
    }
}

bool GAME_CObjectActor::UpdateAction()
{
    // 1. An empty HP meter kills; the death label plays to its end, then the crew member is gone.
    if (status.IsHPEmpty()) {
        if (!dying_ && !IsInDeathLabel()) Die();
        dying_ = true;
        StepScript();
        if (IsScriptStopped()) dead = 1;
        return false;
    }
    SyncRoomLinks();
    vesk::math::Vec2 move;
    if (repairCountdown <= 0 && aiEnabled != 0 && held == 0 && ai != nullptr) {
        if (!ai->HasPath()) {
            ai->Think();
        } else {
            ai->FollowPath(move);
        }
    }
    if (held == 0) {
        // Standing still on an axis keeps the crew member on its floor line and cell centre.
        const GAME_CShip* ship = ship_world::Ship();
        const std::int32_t height = ship != nullptr ? ship->grid.height : GAME_CShipGrid::kMaxHeight;
        const std::int32_t width = ship != nullptr ? ship->grid.width : GAME_CShipGrid::kMaxWidth;
        if (std::fabs(move.y) < kNoMove) {
            if (cellY < height) position.y = static_cast<float>(cellY + 1) * FieldCellHeight() - 1.0f;
        } else if (std::fabs(move.x) < kNoMove) {
            if (cellX < width) position.x = static_cast<float>(cellX) * FieldCellWidth() + FieldCellWidth() / 2.0f;
        }
    }
    if (assigned != 0) {
        position.x = std::trunc(position.x);
        position.y = std::trunc(position.y);
    }
    if (move.x < 0.0f) facingLeft = 1;
    if (move.x > 0.0f) facingLeft = 0;
    position.x += move.x;
    position.y += move.y;
    if (repairCountdown > 0 || (ai != nullptr && ai->repairRequested != 0)) {
        UpdateRepair();
    } else {
        repairCountdown = 0;
        if (held == 0 && aiEnabled != 0) {
            const bool moving = move.x != 0.0f || move.y != 0.0f || (ai != nullptr && ai->HasPath());
            if (!IsInItemGetLabel()) {
                if (moving && !IsInActionLabel()) PlayAction();
                if (!moving && !IsInNoActionLabel()) PlayNoAction();
            }
        }
    }
    if (moved != 0 && --movedCountdown < 0) moved = 0;
    UpdateGridCell();
    return true;
}

void GAME_CObjectActor::UpdateRepair()
{
    GAME_CShip* ship = ship_world::Ship();
    const std::int32_t column = GetGridColumn();
    const std::int32_t row = GetGridRow();
    if (repairCountdown <= 0) {
        // A repair starts: one piece of the carried material is used up.
        if (ai != nullptr) ai->repairRequested = 0;
        position = CellFloorMiddle(column, row);
        const std::int64_t interval =
            carriedItem != nullptr && carriedItem->record != nullptr ? carriedItem->record->valueE : 0;
        repairCountdown =
            static_cast<std::int32_t>(std::clamp<std::int64_t>(interval * status.computed.workInterval, 0, INT32_MAX));
        if (carriedItem != nullptr) {
            if (carriedItem->count != 0) --carriedItem->count;
            if (carriedItem->count == 0) {
                // The used-up stack is let go; the manager retires it.
                carriedItem->carrier = nullptr;
                carriedItem = nullptr;
            }
        }
        PlayRepair();
        if (balloon != nullptr) {
            balloon->RemoveQueuedGroup(kGroupRepair);
            balloon->ShowMessage(kGroupRepair, -1);
        }
        return;
    }
    --repairCountdown;
    if (repairCountdown % std::max(status.computed.workInterval, 1) != 0) return;
    if (ship == nullptr) return;
    ship->AddCellDamage(column, row, -1);
    if (ship->FindCellDamage(column, row) == nullptr) {
        if (balloon != nullptr) balloon->RemoveQueuedGroup(kGroupRepair);
        repairCountdown = 0;
    }
}

void GAME_CObjectActor::SyncRoomLinks()
{
    const GAME_CShip* ship = ship_world::Ship();
    if (!IsGameWorldReady() || ship == nullptr) return;
    workLink.roomNumber = workLink.room != nullptr ? ship->GetRoomIndex(workLink.room) : -1;
    homeLink.roomNumber = homeLink.room != nullptr ? ship->GetRoomIndex(homeLink.room) : -1;
}

void GAME_CObjectActor::Die()
{
    const std::u16string name = RomanizeKanaPair(status.name);
    std::u16string line = vesk::text::FormatText(GetMessageTextExpanded("OLIF_ACTOR_DIE"), {std::u16string_view(name)});
    line.resize(std::min(line.size(), kNoticeLength - 1));
    ship_world::PostMessage(line, kNoticeBadNews);
    PlayDeath();
}

void GAME_CObjectActor::ResumeDeath()
{
    dying_ = true;
    PlayDeath();
}

void GAME_CObjectActor::PlayDeath()
{
    LeaveTaskAndRooms();
    PlayLabel(actor_label::kDeath);
    if (!script.FindLabel(actor_label::kDeath).has_value()) dead = 1;
}

void GAME_CObjectActor::LeaveTaskAndRooms()
{
    if (GAME_CShip* ship = ship_world::Ship()) {
        const std::int32_t placed = std::min<std::int32_t>(ship->CountRoomsOnGrid(), static_cast<std::int32_t>(ship->rooms.size()));
        for (std::int32_t i = 0; i < placed; ++i) {
            GAME_CRoomBase* room = ship->rooms[static_cast<std::size_t>(i)];
            if (room == nullptr) continue;
            room->UnassignCrew(this);
            room->RemoveCrew(this);
        }
    }
    workLink = ActorRoomLink{};
    homeLink = ActorRoomLink{};
    if (task != nullptr) {
        GAME_CTaskBase* current = task;
        current->RemoveCrew(this);
        if (task != nullptr && task->IsRoomTask()) {
            if (GAME_CRoomBase* room = task->GetRoom()) room->RemoveCrew(this);
        }
        if (ai != nullptr) ai->thinkCountdown = 0;
        task = nullptr;
    }
}

void GAME_CObjectActor::Release()
{
    if (carriedItem != nullptr) {
        GAME_CObjectItem* item = carriedItem;
        item->SetCarrier(nullptr);
        // Put down on the crew member's own cell while that lies on the grid.
        if (cellX < GAME_CShipGrid::kMaxWidth && cellY < GAME_CShipGrid::kMaxHeight) {
            item->position = CellFloorMiddle(cellX, cellY);
        }
        item->SnapToGridCell();
        carriedItem = nullptr;
    }
    const GAME_CShip* ship = ship_world::Ship();
    if (!IsGameWorldReady() || ship == nullptr) return;
    for (const ActorRoomLink* link : {&homeLink, &workLink}) {
        if (GAME_CRoomBase* room = ship->GetRoom(link->roomNumber)) room->UnassignCrew(this);
    }
}

// --- task, load, rooms, balloon, mode

void GAME_CObjectActor::SetTask(GAME_CTaskBase* newTask, bool thinkNow)
{
    if (newTask == task) return;
    if (task != nullptr && task->IsRoomTask()) {
        if (GAME_CRoomBase* room = task->GetRoom()) room->RemoveCrew(this);
    }
    task = newTask;
    if (ai != nullptr) {
        ai->thinkCountdown = 0;
        if (thinkNow) ai->Think();
    }
}

void GAME_CObjectActor::SetCarriedItem(GAME_CObjectItem* item)
{
    if (item == carriedItem) return;
    carriedItem = item;
    if (item == nullptr) return;
    PlayItemGet();
    StepScript();
}

void GAME_CObjectActor::SetRoomLink(std::int32_t roomNumber, bool home)
{
    const GAME_CShip* ship = ship_world::Ship();
    if (!IsGameWorldReady() || ship == nullptr) {
        homeLink = ActorRoomLink{};
        workLink = ActorRoomLink{};
        return;
    }
    if (roomNumber == -1 || roomNumber == -2) {
        if (home) {
            homeLink = ActorRoomLink{roomNumber, nullptr};
        } else {
            workLink = ActorRoomLink{};
        }
        return;
    }
    GAME_CRoomBase* room = ship->GetRoom(roomNumber);
    if (room == nullptr) return;
    if (room->kind == kRoomKindCrewHome) {
        homeLink = ActorRoomLink{roomNumber, room};
    } else if (room->roomData != nullptr && (room->roomData->flags & kRoomTakesCrew) != 0) {
        workLink = ActorRoomLink{roomNumber, room};
    }
}

void GAME_CObjectActor::ShowBalloon(std::uint16_t group, bool now)
{
    if (balloon == nullptr) return;
    if (now) {
        balloon->ShowMessageNow(group);
    } else {
        balloon->ShowMessage(group, -1);
    }
}

void GAME_CObjectActor::SetActionMode(std::int32_t mode)
{
    actionMode = mode;
    if (mode != kActionThrownLeft && mode != kActionThrownRight) return;
    if (mode == kActionThrownLeft) {
        velocity = {-3.0f, -2.0f};
        facingLeft = 1;
    } else {
        velocity = {2.0f, -2.0f};
        facingLeft = 0;
    }
    PlayAction();
    // From the ship's coordinates into the canvas: the hull's place is added.
    if (const GAME_CShip* ship = ship_world::Ship(); ship != nullptr && ship->body) {
        position.x += std::trunc(ship->body->positionX);
        position.y += std::trunc(ship->body->positionY);
    }
}

GAME_CRoomBase* GAME_CObjectActor::GetRoomAtOwnCell() const
{
    const GAME_CShip* ship = ship_world::Ship();
    if (assigned == 0 || ship == nullptr) return nullptr;
    return ship->GetRoomAtCell(GetGridColumn(), GetGridRow());
}

// --- grid

std::int32_t GAME_CObjectActor::GetGridColumn() const
{
    return CellOf(position.x, FieldCellWidth(), GAME_CShipGrid::kMaxWidth);
}

std::int32_t GAME_CObjectActor::GetGridRow() const
{
    const std::int32_t row = CellOf(position.y, FieldCellHeight(), GAME_CShipGrid::kMaxHeight);
    return row < 0 ? 0xFFFF : row;
}

void GAME_CObjectActor::UpdateGridCell()
{
    cellX = static_cast<std::uint16_t>(GetGridColumn());
    cellY = static_cast<std::uint16_t>(GetGridRow());
}

std::int32_t GAME_CObjectActor::GetCellOffsetX() const
{
    const float centre = static_cast<float>(GetGridColumn()) * FieldCellWidth() + FieldCellWidth() / 2.0f;
    const float step = status.computed.walkSpeedX;
    const auto inBand = [&](float x) { return x >= centre - step && x <= centre + step; };
    if (inBand(position.x) || inBand(position.x + step)) return 0;
    return centre - step >= position.x ? 2 : 1;
}

std::int32_t GAME_CObjectActor::GetCellOffsetY() const
{
    const float floor = static_cast<float>(GetGridRow() + 1) * FieldCellHeight() - 1.0f;
    const float step = status.computed.walkSpeedY;
    const auto inBand = [&](float y) { return y >= floor && y <= floor + step; };
    if (inBand(position.y) || inBand(position.y + step)) return 0;
    return floor >= position.y ? 2 : 1;
}
