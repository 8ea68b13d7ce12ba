// The game-over screen (slot 36): clears the screens away, sinks the ship, runs the route's game-over label and hands back.
#include "game/ui/screens/ui_game_over.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string_view>

#include "game/services/player/player_data.h"
#include "game/services/data/static_database.h"
#include "game/services/clock/game_clock.h"
#include "game/model/world/game_world.h"
#include "game/ui/ui_draw.h"
#include "game/ui/screen_context.h"
#include "game/ui/screens/ui_common.h"
#include "game/ui/sinking_hull.h"
#include "game/ui/ui_manager.h"

namespace {

constexpr int kPillarsPerBurst = 3;
constexpr std::int32_t kRevealFrames = 10;
constexpr std::int32_t kTaskKindDriver = 15;
constexpr std::int32_t kTaskKindAttack = 9;
constexpr std::u16string_view kCauseLabels[] = {u"ゲームオーバー[舟損傷]", u"ゲームオーバー[全滅]", u"ゲームオーバー[停滞]"};
constexpr std::u16string_view kFallbackLabel = u"ゲームオーバー";

// A meter at its maximum in thousandths; one whose maximum is negative stays while the clock stands.
void RefillMeter(std::int32_t& meter, std::int32_t maximum, bool clockStopped)
{
    if (maximum < 0 && clockStopped) return;
    meter = static_cast<std::int32_t>(std::clamp<std::int64_t>(std::int64_t{maximum} * 1000, INT32_MIN, INT32_MAX));
}

}  // namespace

GAME_CUIGameOver::GAME_CUIGameOver(const UIScreenContext& context)
    : GAME_CUIScreen({.mover = {.kind = UIMover::Kind::kImmediate}}, &context)
{
}

GAME_CRouteManager* GAME_CUIGameOver::CurrentRoute() const { return Context().world.travel->routeManager.get(); }

GAME_CShipBodyRender* GAME_CUIGameOver::HullRenderer() const { return Context().world.ship->body.get(); }

void GAME_CUIGameOver::BeginFrame(bool)
{
    // The destroyed ship keeps sinking for the whole sequence.
    if (cause == kCauseHull) {
        if (GAME_CShipBodyRender* body = HullRenderer(); body != nullptr && body->sinking == 0) body->sinking = 1;
    }
}

bool GAME_CUIGameOver::StepTransition(UIScreenState state)
{
    return state != kOpening || StandAlone(retryCounter_);
}

void GAME_CUIGameOver::OnEnterState(UIScreenState state)
{
    GAME_CGameWorld& world = Context().world;
    switch (state) {
    case kClosed:
        if (GAME_CShipBodyRender* body = HullRenderer()) body->sinking = 0;
        if (GAME_CRouteManager* route = CurrentRoute()) {
            const LocationRecord* location = world.travel->GetLocation();
            world.ship->ApplyRouteEndpoint(route->GetRouteId(), location != nullptr ? location->hideoutId : kNoId);
        }
        break;
    case kOpening:
        pages_.Reset(cause == kCauseHull ? kSinking : kPause);
        if (const GAME_CPlayerData* player = Context().Player()) world.timeScale->speed = player->speeds[0];
        retryCounter_ = 0;
        // The HUD stays up under the sequence but takes no input: a crew member in the player's hand
        // would follow the pointer over the sinking ship and still be carried after it, and a button
        // cursor left up would hold the camera.
        if (auto* hud = Context().ui.Get<GAME_CUICommon>()) hud->LetGoAsPlayEnds();
        break;
    case kMain: EnterSubState(pages_.Current()); break;
    default: break;
    }
}

void GAME_CUIGameOver::UpdateMain(bool)
{
    pages_.Advance([this](SubState page) { EnterSubState(page); });
    switch (pages_.Current()) {
    case kSinking: StepSinking(); break;
    case kAfterSinking:
        stepCounter_ = 0;
        pages_.Go(kPause);
        break;
    case kPause:
        if (++stepCounter_ >= kPauseFrames) pages_.Go(kRouteLabel);
        break;
    case kRouteLabel: {
        const GAME_CRouteManager* route = CurrentRoute();
        if (route != nullptr && route->IsRouteEventRunning()) break;
        if (++revealFrames_ % kRevealFrames == 0) {
            revealed_ = std::min(revealed_ + 1, static_cast<std::int32_t>(losses.size()));
        }
        RestoreCrewAndShip();
        PlayUISE(kSeUIDecide);
        pages_.Go(kHandBack);
        break;
    }
    case kHandBack: break;
    }
}

void GAME_CUIGameOver::EnterSubState(SubState subState)
{
    switch (subState) {
    case kSinking:
        if (GAME_CShipBodyRender* body = HullRenderer()) {
            body->animationTimer = 0;
            body->sinking = 1;
        }
        stepCounter_ = 0;
        break;
    case kRouteLabel: StartRouteLabel(); break;
    case kHandBack: HandBack(); break;
    default: break;
    }
}

void GAME_CUIGameOver::StepSinking()
{
    StepSinkingHull(HullRenderer(), stepCounter_, [this] { RaiseSandPillars(Context().world, Context().Database(), kPillarsPerBurst); });
    if (stepCounter_ >= kSinkFrames) {
        pages_.Go(kAfterSinking);
        stepCounter_ = 0;
    }
}

void GAME_CUIGameOver::StartRouteLabel()
{
    if (GAME_CShipBodyRender* body = HullRenderer()) body->sinking = 0;
    GAME_CTaskManager& tasks = *Context().world.tasks;
    tasks.FinishTasksOfKind(kTaskKindDriver);
    tasks.FinishTasksOfKind(kTaskKindAttack);
    tasks.Update();
    losses.clear();
    revealed_ = 0;
    revealFrames_ = 0;
    GAME_CRouteManager* route = CurrentRoute();
    if (route == nullptr || cause >= kCauseOther) return;
    GAME_CScriptRoute& script = route->Script();
    auto label = script.FindLabel(kCauseLabels[cause]);
    if (!label) label = script.FindLabel(kFallbackLabel);
    if (!label) return;
    // The restart ends the events under way: a question one of them still asked goes with it.
    script.DropQuestions();
    script.Restart(label->commandIndex);
    script.Update();
}

void GAME_CUIGameOver::RestoreCrewAndShip()
{
    GAME_CGameWorld& world = Context().world;
    const GAME_CGameClock* clock = GetGameClock();
    const bool clockStopped = clock != nullptr && clock->timeStopped != 0;
    for (GAME_CObjectActor* actor : world.fieldObjects->crew) {
        if (actor == nullptr || actor->status.GetHP() <= 0) continue;
        GAME_CActorStatus& status = actor->status;
        RefillMeter(status.hp, status.computed.maxHp, clockStopped);
        RefillMeter(status.stamina, status.computed.maxStamina, clockStopped);
        RefillMeter(status.calorie, status.computed.maxCalorie, clockStopped);
        status.UpdateConditionFlags();
        status.buffs = {};
        status.Recalc();
    }
    world.ship->ClearDamage();
}

void GAME_CUIGameOver::HandBack()
{
    GAME_CShip& ship = *Context().world.ship;
    const GAME_CStaticDatabase* database = Context().Database();
    if (const ShipData* record = database != nullptr ? database->FindShipData(ship.shipTag) : nullptr) {
        ship.hullMax = record->baseHull;
        ship.speed = static_cast<float>(record->baseSpeed) / 1000.0f;
        ship.fuelCapacity = record->baseFuelCapacity;
        ship.fuel = record->baseFuelCapacity;
        ship.fuelRate = record->baseFuelRate;
        ship.fuelCountdown = record->baseFuelRate;
        ship.shipData = record;
    }
    ship.RecalcStats();
    ship.ClearDamage();
    if (GAME_CShipBodyRender* body = HullRenderer()) {
        body->sinking = 0;
        body->animationTimer = 1;
        body->shakeX = 0.0f;
        body->shakeY = 0.0f;
        body->UpdateVariant();
    }
    stepCounter_ = 0;
    SetOpen(false);
    Context().ui.SetOpen(kSlotCommon, true);
}
