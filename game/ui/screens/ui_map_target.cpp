// The world map's target: whether the selected point can be the ship's next target, the question about it, and the road started on yes.
#include <algorithm>

#include "framework/text/format_text.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/travel/travel_controller.h"
#include "game/model/world/game_world.h"
#include "game/services/data/static_database.h"
#include "game/services/save/working_slot.h"
#include "game/services/text/message_text.h"
#include "game/ui/dialog_flow.h"
#include "game/ui/screen_context.h"
#include "game/ui/screens/ui_map.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_text.h"

namespace {

constexpr std::uint16_t kEngineRoomKind = 23;
constexpr std::size_t kQuestionLength = 240;
// The departure horn.
constexpr std::int32_t kSeDeparture = 48;

// A connected engine among the rooms placed on the grid.
bool HasRunningEngine(const GAME_CShip& ship)
{
    const std::size_t placed = static_cast<std::size_t>(std::max(0, ship.CountRoomsOnGrid()));
    const auto end = ship.rooms.begin() + static_cast<std::ptrdiff_t>(std::min(placed, ship.rooms.size()));
    return std::any_of(ship.rooms.begin(), end, [](const GAME_CRoomBase* room) {
        return room != nullptr && static_cast<std::uint16_t>(room->kind) == kEngineRoomKind && room->engineMode != 0;
    });
}

}  // namespace

// Only a road from where the ship is, to a discovered point it is not at already; under way only
// back to the road's origin or on to its destination.
void GAME_CUIMap::RequestTarget()
{
    GAME_CGameWorld& world = Context().world;
    const GAME_CStaticDatabase* database = Context().Database();
    if (candidate_.route == nullptr || database == nullptr || !world.travel || !world.travel->routeManager) return;
    GAME_CTravelController& travel = *world.travel;
    const GAME_CRouteManager& route = *travel.routeManager;
    // A route script that holds the road lets no target be chosen.
    if (route.IsHolding()) return;
    const std::int32_t p = route.GetPosition();
    const std::int32_t length = route.GetLength();
    const std::uint32_t from = route.GetDeparture();
    const std::uint32_t to = route.GetDestination();
    std::uint32_t selected = kNoId;
    const HideoutData* point = database->GetHideoutDataAt(cursorPoint_, &selected);
    if (point == nullptr) return;
    const bool alreadyThere = (p < 1 && from == selected) || (p >= length && to == selected);
    if (atStop != 0) {
        if (travel.GetLocation() == nullptr) {
            const std::uint32_t here = p == 0 ? from : to;
            travel.SetCurrentLocation(&here);
        }
        if (point->discoveryBit < 0 || !working_slot::StoryFlag(static_cast<std::uint32_t>(point->discoveryBit)) || alreadyThere) return;
        const LocationRecord* location = travel.GetLocation();
        std::int32_t position = -1;
        if (location != nullptr && database->FindRouteBetween(location->hideoutId, selected, &position) != nullptr) {
            targetId_ = selected;
            PlayUISE(kSeUIDecide);
            pages_.Go(Mode::kConfirm);
        } else {
            PlayUISE(kSeUIError);
        }
        return;
    }
    if (alreadyThere || (selected != to && selected != from)) return;
    targetId_ = selected;
    pages_.Go(Mode::kConfirm);
    PlayUISE(kSeUIDecide);
}

// The fuel decides the question first; the engine only chooses between the two others. Every
// question starts the road on yes.
void GAME_CUIMap::OpenTargetDialog()
{
    const GAME_CShip* ship = Context().world.ship.get();
    const std::int64_t length = candidate_.route != nullptr ? candidate_.route->length : 0;
    const std::int64_t need = ship != nullptr ? length / std::max(1, ship->fuelRate) : length;
    const bool enoughFuel = ship != nullptr && need < ship->fuel;
    const char* key = !enoughFuel                                   ? "ADD_TEXT_UI_MAP_DIALOG"
                      : ship != nullptr && HasRunningEngine(*ship) ? "MAPUI_SETTARGET_YESNODISP"
                                                                    : "MAPUI_SETTARGET_NOENGINE_YESNODISP";
    std::u16string question = vesk::text::FormatText(GetMessageTextExpanded(key),
                                                     {GetMessageTextExpanded("AJITO_UNIT_TEXT"), UITagName(targetId_)});
    question.resize(std::min(question.size(), kQuestionLength));
    AskInDialog(kSlotMap, {.text = question});
}

// A yes starts the road and closes the dialog; the page goes back to browsing once the dialog has gone.
void GAME_CUIMap::UpdateTargetDialog()
{
    if (FollowDialogAnswer(pages_, Mode::kConfirm, Mode::kBrowse)) {
        StartTargetRoute();
        CloseDialog();
    }
}

// At a stop the road from the location to the target from its start; under way the same road
// again, turned round at the mirrored distance when the target is the origin.
void GAME_CUIMap::StartTargetRoute()
{
    GAME_CGameWorld& world = Context().world;
    const GAME_CStaticDatabase* database = Context().Database();
    if (database == nullptr || !world.travel || !world.travel->routeManager || !world.ship) return;
    GAME_CTravelController& travel = *world.travel;
    const GAME_CRouteManager& before = *travel.routeManager;
    const std::int64_t p = before.GetPosition();
    const std::int64_t length = before.GetLength();
    const std::uint32_t wasHeadingTo = before.GetDestination();
    std::uint32_t routeId = before.GetRouteId();
    const RouteData* road = before.GetRouteRecord();
    if (atStop != 0) {
        std::uint32_t here = kNoId;
        database->GetHideoutDataAt(currentPoint_, &here);
        // Without a road between them the ship keeps to its road, bound for its end.
        std::int32_t position = -1;
        bool towardEnd = true;
        if (database->FindRouteBetween(here, targetId_, &position) != nullptr) {
            road = database->GetRouteDataAt(position, &routeId);
            towardEnd = road != nullptr && road->endLocation == targetId_;
        }
        StartRoute(travel, &routeId, towardEnd, {}, {});
    } else {
        if (road == nullptr) return;
        const bool towardEnd = road->endLocation == targetId_;
        const bool wasTowardEnd = wasHeadingTo == road->endLocation;
        StartRoute(travel, &routeId, towardEnd, {}, {});
        const std::int64_t distance = towardEnd != wasTowardEnd ? length - p : p;
        world.ship->SetRoutePosition(static_cast<std::int32_t>(std::clamp<std::int64_t>(distance, 0, length)));
        if (travel.routeManager) travel.routeManager->SetPosition(distance);
    }
    ShowNextHideoutNotice(world);
    PlayUISE(kSeDeparture);
}
