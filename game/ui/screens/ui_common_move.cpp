// The in-game HUD's crew move: the player carries a crew member over the ship and drops it into a room.
#include <cmath>
#include <cstdlib>

#include "game/services/data/room_records.h"
#include "game/services/input/input_actions.h"
#include "game/services/input/input_map.h"
#include "game/model/world/game_world.h"
#include "game/model/object/actor_ai_base.h"
#include "game/model/object/field_draw.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/task_crew.h"
#include "game/ui/screen_context.h"
#include "game/ui/screens/ui_common.h"
#include "game/ui/screens/ui_common_access.h"
#include "game/ui/ui_draw.h"

namespace {

// Room data flag: the room binds a crew member dropped on it as its worker.
constexpr std::uint32_t kRoomFlagWorkLink = 0x20;
constexpr float kStickDeadZone = 0.00001f;
constexpr vesk::math::Vec2 kNoPoint{-100.0f, -100.0f};

// The pointer's place on the canvas: the first of the input map's position list.
vesk::math::Vec2 PointerPoint()
{
    if (!IsInputMapActive()) return kNoPoint;
    for (const vesk::input::TouchPoint* point : GetInputMap()->GetIdlePointers()) {
        if (point != nullptr) return {static_cast<float>(point->x), static_cast<float>(point->y)};
    }
    return kNoPoint;
}

bool IsStickDeflected()
{
    if (!IsInputMapActive()) return false;
    const vesk::math::Vec2& stick = GetInputMap()->GetSteeringStickPosition();
    return stick.x * stick.x + stick.y * stick.y >= kStickDeadZone;
}

// The cell of a field coordinate along one axis: -1 before the grid, the cell count beyond it.
std::int32_t CellAlong(float coordinate, std::int32_t cellSize, std::int32_t cells)
{
    const std::int64_t at = static_cast<std::int64_t>(coordinate);
    if (at < 0) return -1;
    if (cellSize < 1 || at >= std::int64_t{cells} * cellSize) return cells;
    return static_cast<std::int32_t>(at / cellSize);
}

// Whether the drop point lies in the middle of the room: within half a cell of its centre line.
bool IsOnRoomCentre(const GAME_CRoomBase& room, const vesk::math::Vec2& point, std::int32_t cw, std::int32_t ch)
{
    const std::int32_t column = room.gridX;
    const std::int32_t row = room.gridY;
    const std::int32_t width = room.width;
    const std::int32_t height = room.height;
    const std::int32_t cx = ((column + width - 1) * cw + cw / 2 + column * cw + cw / 2) / 2;
    const std::int32_t cy = ((row + 1) * ch + (row + height) * ch - 2) / 2;
    return std::fabs(point.x - static_cast<float>(cx)) <= static_cast<float>(cw / 2) &&
           std::fabs(point.y - static_cast<float>(cy)) <= static_cast<float>(ch / 2);
}

}  // namespace

void GAME_CUICommon::BeginMoveActor(GAME_CObjectActor* actor)
{
    if (actor != nullptr) {
        movedActor_ = actor;
        steps_.Go(kCrewMove);
        if (actor->held == 0) actor->PlayAction();
        actor->held = 1;
        return;
    }
    if (movedActor_ != nullptr && movedActor_->held != 0) {
        movedActor_->PlayNoAction();
        movedActor_->held = 0;
    }
    movedActor_ = nullptr;
    steps_.Go(kIdle);
}

// The HUD closes as play ends (the return to the title), and the next game, loaded or new, opens it
// again: a crew member still carried, or the button cursor still up, must not come back with it.
void GAME_CUICommon::LetGoAsPlayEnds()
{
    if (steps_.Current() == kButtonCursor || steps_.Asked() == kButtonCursor) LeaveButtonCursor();
    if (GAME_CObjectActor* actor = movedActor_; actor != nullptr && actor->IsActive() && actor->held != 0) {
        // One whose death has begun keeps its death label.
        if (task_crew::IsAliveInField(*actor)) actor->PlayNoAction();
        actor->held = 0;
    }
    movedActor_ = nullptr;
    steps_.Reset(kIdle);
}

void GAME_CUICommon::CrewMoveStep(bool input)
{
    GAME_CObjectActor* actor = movedActor_;
    const GAME_CGameWorld& world = Context().world;
    GAME_CShip* ship = HudShip(world);
    // A crew member that died while carried has gone back to its pool: the move ends untouched.
    if (actor == nullptr || ship == nullptr || !actor->IsActive()) {
        movedActor_ = nullptr;
        steps_.Go(kIdle);
        return;
    }
    // One whose death has begun is let go where it is: it can be bound to no room, and its pooled
    // object, handed to a newborn once the death has played, must not stay in the player's hand.
    // Its death label plays on untouched.
    if (!task_crew::IsAliveInField(*actor)) {
        actor->held = 0;
        movedActor_ = nullptr;
        steps_.Go(kIdle);
        return;
    }
    if (actor->held == 0) actor->PlayAction();
    actor->held = 1;

    vesk::math::Vec2 point = PointerPoint();
    bool touched = false;
    if (IsUIClickInRect({0.0f, 0.0f}, {kCanvasWidth, kCanvasHeight})) {
        touched = true;
        SetPadCursorOn(world, false);
    } else if (IsStickDeflected()) {
        SetPadCursorOn(world, true);
    }
    if (IsPadCursorOn(world)) {
        const vesk::math::Vec2 cursor = PadCursorPoint(world);
        const vesk::math::Vec2 size = UISpriteSize(sprites_[0].index);
        point = {cursor.x - static_cast<float>(static_cast<int>(size.x) / 2),
                 cursor.y - static_cast<float>(static_cast<int>(size.y) / 2)};
    }

    // From the canvas into field pixels, through the frame the crew is drawn in, so that the member
    // stays under the cursor also on a mirrored or rescaled hull.
    const vesk::math::Vec2 old = actor->position;
    const FieldFrame frame = CurrentFieldFrame();
    if (frame.scaleX == 0.0f || frame.scaleY == 0.0f) return;
    const vesk::math::Vec2 moved{(point.x - frame.originX) / frame.scaleX, (point.y - frame.originY) / frame.scaleY};
    actor->position = moved;
    const std::int32_t cw = static_cast<std::int32_t>(ship->grid.cellWidth);
    const std::int32_t ch = static_cast<std::int32_t>(ship->grid.cellHeight);
    const std::int32_t column = CellAlong(moved.x, cw, GAME_CShipGrid::kMaxWidth);
    const std::int32_t row = CellAlong(moved.y, ch, GAME_CShipGrid::kMaxHeight);
    const GAME_CShipGrid::Cell* cell = ship->grid.GetCell(column, row);
    if (cell == nullptr || cell->usable == 0) actor->position = old;

    if (!input || (!IsUIActionTriggered(kActionDecide) && !touched)) return;

    // The drop: a room that takes workers binds the member when it lands in the room's middle.
    actor->UpdateGridCell();
    GAME_CRoomBase* room = ship->GetRoomAtCell(actor->GetGridColumn(), actor->GetGridRow());
    if (room != nullptr && room->roomData != nullptr && (room->roomData->flags & kRoomFlagWorkLink) != 0 &&
        IsOnRoomCentre(*room, actor->position, cw, ch)) {
        room->AssignCrew(actor);
        PlayUISE(kSeHudPress);
    }
    if (actor->held != 0) actor->PlayNoAction();
    actor->held = 0;
    if (actor->ai != nullptr) actor->ai->Think();
    movedActor_ = nullptr;
    steps_.Go(kIdle);
}
