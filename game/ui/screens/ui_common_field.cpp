// The in-game HUD on the ship view: crew and item picks, the current cell and the room screen it opens.
#include "game/services/input/input_actions.h"
#include "game/model/world/game_world.h"
#include "game/ui/screens/ui_actor_status.h"
#include "game/ui/screens/ui_common.h"
#include "game/ui/screens/ui_common_access.h"
#include "game/ui/screen_context.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_manager.h"

namespace {

// The pad decide searches a box a little smaller than the grid cursor.
constexpr float kSearchShrinkX = 4.0f;
constexpr float kSearchShrinkY = 5.0f;

bool IsCameraFree(const GAME_CGameWorld& world) { return !world.camera || world.camera->mode == GAME_CCamera2D::kFree; }

// The grid cell of a cell index under the current ship's width; false outside the 19 x 13 grid.
bool CellOf(const GAME_CShip& ship, std::int32_t cell, std::int32_t* column, std::int32_t* row)
{
    if (cell < 0 || ship.grid.width < 1) return false;
    *column = cell % ship.grid.width;
    *row = cell / ship.grid.width;
    return *column < GAME_CShipGrid::kMaxWidth && *row < GAME_CShipGrid::kMaxHeight;
}

}  // namespace

void GAME_CUICommon::ShowCrew(GAME_CObjectActor* actor)
{
    // An item asked for earlier in the same frame gives way: the window shows the member.
    if (auto* status = Context().ui.Get<GAME_CUIActorStatus>()) status->OpenOnCrewMember(actor);
}

void GAME_CUICommon::ShowItem(GAME_CObjectItem* item)
{
    if (auto* status = Context().ui.Get<GAME_CUIActorStatus>()) {
        status->SetOpen(true);
        status->targetItem = item;
    }
}

void GAME_CUICommon::OpenRoomOnCell(std::int32_t column, std::int32_t row)
{
    const GAME_CShip* ship = Context().world.ship.get();
    if (ship == nullptr) return;
    std::int32_t number = -1;
    if (GAME_CRoomBase* room = ship->GetRoomAtCell(column, row, &number)) Context().ui.OpenRoomScreen(room, number);
}

bool GAME_CUICommon::PointerSection(bool input)
{
    const GAME_CGameWorld& world = Context().world;
    GAME_CShip* ship = HudShip(world);
    GAME_CFieldObjectManager* objects = world.fieldObjects.get();
    if (ship == nullptr || objects == nullptr) return input;
    if (ship->body->IsZoomedOut() || ship->body->IsZoomChanging()) return input;
    // A pointer held down on the canvas drags the view: nothing is picked or selected.
    if (IsUIHeldInRect({0.0f, 0.0f}, {kCanvasWidth, kCanvasHeight})) {
        SetPadCursorOn(world, false);
        return input;
    }
    // A click ends the pad cursor too, as it does while a crew member is carried, and counts where it
    // lands: with the pad cursor left up, the cell walk meets the pad cursor's cell before a cell
    // clicked below or right of it and takes the click there, and a quick click is never held.
    if (IsUIClickInRect({0.0f, 0.0f}, {kCanvasWidth, kCanvasHeight})) SetPadCursorOn(world, false);
    if (crewPickFlag != 0) {
        GAME_CObjectActor* actor = objects->PickActorAtPointer();
        if (actor != nullptr && actor->assigned == 0) {
            ShowCrew(actor);
            return input;
        }
    }
    if (itemPickFlag != 0) {
        if (GAME_CObjectItem* item = objects->PickItemAtPointer()) {
            ShowItem(item);
            return input;
        }
    }
    if (IsPadCursorOn(world) && IsUIActionTriggered(kActionDecide)) {
        const vesk::math::Vec2 size{ship->cursorBoxWidth - kSearchShrinkX, ship->cursorBoxHeight - kSearchShrinkY};
        const vesk::math::Vec2 centre = PadCursorPoint(world);
        const vesk::math::Vec2 topLeft{centre.x - size.x * 0.5f, centre.y - size.y * 0.5f};
        if (crewPickFlag != 0) {
            if (GAME_CObjectActor* actor = objects->FindActorInRect(topLeft, size)) {
                ShowCrew(actor);
                return input;
            }
        }
        if (itemPickFlag != 0) {
            if (GAME_CObjectItem* item = objects->FindItemInRect(topLeft, size)) {
                ShowItem(item);
                return input;
            }
        }
        std::int32_t column = 0;
        std::int32_t row = 0;
        if (CellOf(*ship, currentCell_, &column, &row)) {
            const GAME_CShipGrid::Cell* cell = ship->grid.GetCell(column, row);
            if (cell != nullptr && cell->usable != 0 && cell->room < static_cast<std::uint32_t>(GAME_CShipGrid::kCellCount) &&
                cell->room < ship->rooms.size()) {
                Context().ui.OpenRoomScreen(ship->rooms[cell->room], static_cast<std::int32_t>(cell->room));
            }
        }
        // The decide is used up whether or not a room opened.
        return false;
    }
    float column = 0.0f;
    float row = 0.0f;
    bool clicked = false;
    if (!ship->GetCellUnderCursor(&column, &row, !IsPadCursorOn(world), true, &clicked)) return input;
    const std::int32_t cell = static_cast<std::int32_t>(row) * ship->grid.width + static_cast<std::int32_t>(column);
    if (cell < 0 || cell >= GAME_CShipGrid::kCellCount) return input;
    if (cell == currentCell_ && clicked) {
        OpenRoomOnCell(static_cast<std::int32_t>(column), static_cast<std::int32_t>(row));
    } else if (IsCameraFree(world)) {
        currentCell_ = cell;
    }
    return input;
}

void GAME_CUICommon::TrackFreeCell()
{
    const GAME_CShip* ship = HudShip(Context().world);
    if (ship == nullptr) return;
    float column = 0.0f;
    float row = 0.0f;
    if (!ship->GetCellUnderCursor(&column, &row, !IsPadCursorOn(Context().world), true, nullptr)) {
        currentCell_ = kNoCell;
        return;
    }
    const std::int32_t cell = static_cast<std::int32_t>(row) * ship->grid.width + static_cast<std::int32_t>(column);
    if (cell < 0 || cell >= GAME_CShipGrid::kCellCount) return;
    // The tracking asks for no click test, so no click is reported and the cell under the cursor
    // becomes current; the cell select of the idle step opens its room on a click.
    currentCell_ = cell;
}
