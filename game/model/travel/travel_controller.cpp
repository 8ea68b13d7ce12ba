// The travel controller: starting routes, the drive along them, departures, arrivals and route requests.
#include "game/model/travel/travel_controller.h"

#include <algorithm>
#include <string>

#include "framework/log/log.h"
#include "framework/text/format_text.h"
#include "game/services/player/player_data.h"
#include "game/services/data/static_database.h"
#include "game/services/save/save_field_log.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/services/save/save_manager.h"
#include "game/services/text/message_text.h"
#include "game/services/text/tag_text.h"
#include "game/model/travel/route_save_block.h"
#include "game/services/clock/game_clock.h"
#include "game/model/world/game_world.h"
#include "game/model/world/game_world_ready.h"
#include "platform/little_endian.h"

namespace {

constexpr std::size_t kArrivalLineLength = 128;
constexpr std::int32_t kArrivalNoticeFrames = 500;
constexpr std::uint32_t kArrivalLineKind = 0;

// Sets the bit of a hideout's position in the working slot's visited-hideout bits.
void MarkHideoutVisited(std::int32_t index)
{
    if (index >= 0) working_slot::MarkHideoutVisited(static_cast<std::uint32_t>(index));
}

GAME_CUIPort* UI()
{
    GAME_CGameWorld* world = PeekGameWorld();
    return world != nullptr ? world->ui.get() : nullptr;
}

bool IsOpen(int slot)
{
    const GAME_CUIPort* ui = UI();
    return ui != nullptr && ui->IsOpen(slot);
}

}  // namespace

GAME_CTravelController::~GAME_CTravelController() = default;

bool GAME_CTravelController::SetCurrentLocation(const std::uint32_t* hideoutId)
{
    auto record = std::make_unique<LocationRecord>();
    record->hideoutId = hideoutId != nullptr ? *hideoutId : kNoId;
    const GAME_CStaticDatabase* database = GetStaticDatabase();
    if (database == nullptr || database->FindHideoutDataIndexed(record->hideoutId, &record->hideoutIndex) == nullptr) {
        record->hideoutIndex = -1;
    }
    MarkHideoutVisited(record->hideoutIndex);
    location = std::move(record);
    return true;
}

bool StartRoute(GAME_CTravelController& controller, const std::uint32_t* routeId, bool forward,
                RouteSaveBlock savedBlock, BackgroundSaveList savedObjects)
{
    const GAME_CStaticDatabase* database = GetStaticDatabase();
    const RouteData* record = database != nullptr && routeId != nullptr ? database->FindRouteData(*routeId) : nullptr;
    if (record == nullptr) {
        vesk::log::Warning("route " + (routeId != nullptr ? std::to_string(*routeId) : std::string("(none)")) +
                           " has no route record; the ship stays on its route");
        return false;
    }
    const std::uint32_t newId = *routeId;
    GAME_CGameWorld* world = PeekGameWorld();

    // Take over from the old route.
    GAME_CRouteManager* old = controller.routeManager.get();
    const std::uint32_t oldId = old != nullptr ? old->GetRouteId() : kNoId;
    const bool oldUnderWay = old != nullptr && old->IsUnderWay();
    const bool oldForward = old != nullptr && old->IsForward();
    const std::int32_t oldLength = old != nullptr ? old->GetLength() : 0;
    std::array<RouteVariable, GAME_CScriptRoute::kVariableCount> oldVariables{};
    RouteEventList oldEvents;
    if (old != nullptr) {
        // The old script's events end with it: a question one of them asked goes too.
        old->Script().DropQuestions();
        oldVariables = old->Script().Variables();
        if (RouteEventList* events = old->Events()) {
            MoveFixedRouteEvents(oldEvents, *events);
            MoveRandomRouteEvents(oldEvents, *events);
        }
    }
    const bool sameRoute = oldId != kNoId && oldId == newId;
    const bool fromOpening = old != nullptr && old->IsStartRoute();

    if (world != nullptr) {
        if (newId != oldId && world->background) world->background->ReleaseObjects();
        if (world->fieldObjects) {
            if (!sameRoute) {
                world->fieldObjects->ClearDropItems();
                world->fieldObjects->ClearEnemies();
            } else if (oldForward != forward) {
                for (GAME_CObjectSandPillar* pillar : world->fieldObjects->activeSandPillars) {
                    if (pillar != nullptr) pillar->routePosition = oldLength - pillar->routePosition;
                }
                world->fieldObjects->MirrorEnemyPositions(oldLength);
                if (world->background) world->background->MirrorObjects(oldLength);
            }
        }
        if (world->ship) world->ship->ClearScriptWait();
    }

    controller.routeManager.reset();
    controller.routeManager = std::make_unique<GAME_CRouteManager>();
    GAME_CRouteManager& route = *controller.routeManager;
    if (sameRoute) route.Script().Variables() = oldVariables;
    route.SetLength(record->length);
    controller.heading = forward ? 1 : 0;
    if (forward) {
        route.SetEnds(record->startLocation, record->endLocation);
    } else {
        route.SetEnds(record->endLocation, record->startLocation);
    }
    route.BuildRoute(&newId, savedBlock, savedObjects, sameRoute);

    if (RouteEventList* events = route.Events(); events != nullptr && sameRoute) {
        MoveFixedRouteEvents(*events, oldEvents);
        if (oldUnderWay) MoveRandomRouteEvents(*events, oldEvents);
        // A new game's opening runs on its first road's id but holds none of that road's events:
        // the road is met afresh.
        if (fromOpening && savedBlock.empty()) FillRouteEventsFromRecord(*events, *record);
    }
    if (!sameRoute) controller.ResetMusicState();
    if (savedBlock.empty()) {
        if (GAME_CGameClock* clock = PeekGameClock()) clock->flag = 0;
    }
    controller.location.reset();
    return false;
}

void GAME_CTravelController::ResetMusicState()
{
    const std::int32_t current = music.currentId;
    music = GAME_CTravelMusicState{};
    music.currentId = current;
}

void GAME_CTravelController::LoadFromSlot(std::span<std::uint8_t> slot)
{
    using namespace save_layout;
    if (slot.size() < slot::kSize) return;
    RouteSaveBlock block = slot.subspan(slot::kTravel, route_block::kSize);
    BackgroundSaveList objects = slot.subspan(slot::kBackgroundSaveList, slot::kBackgroundSaveListSize);
    const std::uint32_t savedId = platform::ReadU32(block, route_block::kRouteId);
    const std::uint32_t reversed = ReadWorkingSlotFlag(slot, slot::kRouteReversed, "route reversed flag");
    const std::uint32_t secondDirection = ReadWorkingSlotFlag(slot, slot::kRouteDirection, "route direction flag");
    const GAME_CStaticDatabase* database = GetStaticDatabase();
    if (database != nullptr && database->FindRouteData(savedId) != nullptr) {
        StartRoute(*this, &savedId, reversed == 0, block, objects);
    } else {
        if (savedId != kNoId) {
            LogBadWorkingSlotField("route id", slot::kRouteId,
                                   "route " + std::to_string(savedId) + " does not exist; the first route of the map is taken");
        }
        std::uint32_t firstId = kNoId;
        if (database != nullptr && database->GetRouteDataAt(0, &firstId) != nullptr) {
            StartRoute(*this, &firstId, true, {}, {});
        }
    }
    GAME_CGameWorld* world = PeekGameWorld();
    if (world != nullptr && world->background) {
        world->background->ReadSaveRecord(slot.subspan(slot::kBackground, slot::kBackgroundSize), block, objects);
    }
    if (routeManager != nullptr) {
        const std::int64_t position = routeManager->GetPosition();
        const std::int64_t travelled = secondDirection != 0 ? routeManager->GetLength() - position : position;
        music.currentId = RouteMusicAt(travelled);
        const std::uint32_t flags = platform::ReadU32(slot, slot::kTravelFlags);
        if ((flags & ~1u) != 0) {
            LogBadWorkingSlotField("travel flags", slot::kTravelFlags,
                                   std::to_string(flags) + " holds bits past the keep-events bit; they are dropped");
        }
        routeManager->SetKeepEvents((flags & 1u) != 0);
    }
}

void GAME_CTravelController::Step()
{
    GAME_CGameWorld* world = PeekGameWorld();
    if (world != nullptr && world->ship && world->ship->IsTurning()) return;
    const bool stoodAtRouteEnd = location != nullptr;
    TravelStep();
    const GAME_CPlayerData* player = GetPlayerData();
    const bool departed = stoodAtRouteEnd && location == nullptr && player != nullptr && player->option48 != 0 &&
                          world != nullptr && world->ship && world->ship->driveFlag != 0;
    const bool scriptRuns = ProcessRouteRequests();
    // The departure's autosave follows the road's script frame: an event met as the ship sets out
    // has already left the road's list, and what it places is in the game only once its script has
    // run. While an event still runs no autosave is made, as for the timed one.
    if (departed && !scriptRuns) RequestDepartureSave();
    if (!scriptRuns) return;
    StepScanCountdowns();
}

void GAME_CTravelController::StepScanCountdowns()
{
    const RouteSaveBlock slot = route_block::Working();
    if (slot.empty()) return;
    for (int i = 0; i < route_block::kRouteRecordCount; ++i) {
        const std::size_t record = route_block::RouteRecord(static_cast<std::size_t>(i));
        const auto countdown =
            static_cast<std::uint16_t>(platform::ReadU16(slot, record + route_block::kScanCountdown) - 1);
        // The countdown is a u16: below 1 once it wraps from 0, or at 0.
        if (countdown == 0 || countdown == 0xFFFF) {
            platform::WriteU16(slot, record + route_block::kScanCountdown, 0);
            platform::WriteU16(slot, record + route_block::kScanLevel, 0);
        } else {
            platform::WriteU16(slot, record + route_block::kScanCountdown, countdown);
        }
    }
}

void GAME_CTravelController::TravelStep()
{
    GAME_CGameWorld* world = PeekGameWorld();
    if (routeManager == nullptr || world == nullptr || IsOpen(kSlotGameOver)) return;
    GAME_CRouteManager& route = *routeManager;
    GAME_CShip* ship = world->ship.get();
    if (ship != nullptr && ship->driveFlag != 0) {
        Advance(ship->fuel > 0 ? std::max(ship->speed, 0.0f) : 0.0f);
    } else if (route.IsUnderWay()) {
        route.CountStall();
    }

    if (route.IsUnderWay()) {
        // Under way the ship stands at no hideout, whether or not it knew where it stood.
        if (IsOpen(kSlotAjitoRoot)) world->ui->SetOpen(kSlotAjitoRoot, false);
        location.reset();
        return;
    }

    // A road taken while the root stands open (the first road after a new game's opening) forgets
    // the location; the ship still stands at the road's end, which the root fixes again.
    if (IsOpen(kSlotAjitoRoot)) EnsureLocationAtRouteEnd();
    if (!IsOpen(kSlotAjitoRoot) && IsOpen(kSlotCommon)) {
        EnsureLocationAtRouteEnd();
        if (!IsOpen(kSlotAjitoRoot) && !IsOpen(kSlotAjitoMenu)) world->ui->SetOpen(kSlotAjitoRoot, true);
    }
    PostArrivalNotice();
}

void GAME_CTravelController::RequestDepartureSave()
{
    GAME_CSaveManager* saves = GetSaveManager();
    if (saves == nullptr) return;
    WriteLastSaveTime(GetWorkingSlot());
    if (saves->RequestAutoSave()) PostSavingNotice();
}

void GAME_CTravelController::EnsureLocationAtRouteEnd()
{
    if (location != nullptr || routeManager == nullptr) return;
    const std::uint32_t id = routeManager->GetPosition() < 1 ? routeManager->GetDeparture() : routeManager->GetDestination();
    SetCurrentLocation(&id);
}

void GAME_CTravelController::PostArrivalNotice()
{
    GAME_CGameWorld* world = PeekGameWorld();
    if (routeManager == nullptr || routeManager->IsStartRoute() || location == nullptr || location->arrivalAnnounced != 0 ||
        world == nullptr || world->ui == nullptr || world->ui->IsNoticeActive() ||
        (world->tasks && world->tasks->HasBridgeDriverTask())) {
        return;
    }
    location->arrivalAnnounced = 1;
    UINoticeRecord notice;
    notice.key.Assign("OLIF_AJITO_REACH");
    notice.argumentKey.Assign(TagToStaticString(location->hideoutId));
    notice.frames = kArrivalNoticeFrames;
    notice.flag = 0xFFFFFFFF;
    notice.count = 1;
    world->ui->ShowNotice(notice);
    char hideoutKey[5];
    TagToString(location->hideoutId, hideoutKey);
    std::u16string line = vesk::text::FormatText(GetMessageTextExpanded("OLIF_AJITO_REACH"),
                                                 {GetMessageTextExpanded(hideoutKey)});
    line.resize(std::min(line.size(), kArrivalLineLength));
    world->ui->AddLogLine(line, kArrivalLineKind);
}

std::int32_t GAME_CTravelController::Advance(float speed)
{
    if (routeManager == nullptr) return 0;
    GAME_CRouteManager& route = *routeManager;
    if (route.IsHolding() || IsOpen(kSlotStaffRoll) || IsOpen(kSlotEnding) || IsOpen(kSlotTitle)) {
        return route.GetPosition();
    }
    if (pushBackFrames > 0) {
        --pushBackFrames;
        return route.Move(-pushBackSpeed);
    }
    pushBackSpeed = 0.0f;
    pushBackFrames = 0;
    return route.Move(speed);
}

bool GAME_CTravelController::ProcessRouteRequests()
{
    if (routeManager == nullptr) return false;
    if (routeManager->HasRequest()) {
        const GAME_CRouteManager::RouteRequest request = routeManager->Request();
        routeManager->Request() = GAME_CRouteManager::RouteRequest{};
        const GAME_CStaticDatabase* database = GetStaticDatabase();
        if (database == nullptr || database->FindRouteData(request.routeId) == nullptr) {
            vesk::log::Warning("route script asks for route " + std::to_string(request.routeId) +
                               ", which has no route record; the request is ignored");
            return ProcessRouteRequests();
        }
        StartRoute(*this, &request.routeId, !request.reverse, {}, {});
        GAME_CRouteManager& route = *routeManager;
        if (!request.label.empty()) {
            if (const auto label = route.Script().FindLabel(request.label)) route.Script().Call(label->commandIndex);
        }
        if (request.usePosition) route.SetPosition(request.entryPosition);
        GAME_CGameWorld* world = PeekGameWorld();
        if (IsGameWorldReady() && world != nullptr) {
            if (world->ship) world->ship->routePosition = route.GetPosition();
            if (world->background) world->background->SetRoute(route);
        }
    }
    if (IsOpen(kSlotTitle)) return true;
    routeManager->RunScript();
    if (routeManager->Script().IsRunning()) return true;
    // The script stopped or was bound anew: no event waits for its window or its question any more.
    if (IsOpen(kSlotEvent)) UI()->SetOpen(kSlotEvent, false);
    routeManager->Script().DropQuestions();
    return false;
}

bool GAME_CTravelController::CanSpawnOnRoute() const
{
    if (routeManager == nullptr || !routeManager->IsInCreationLabel()) return true;
    if (location == nullptr) return false;
    const GAME_CGameWorld* world = PeekGameWorld();
    return world == nullptr || world->tasks == nullptr || !world->tasks->HasBridgeDriverTask();
}
