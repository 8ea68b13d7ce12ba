// The ship change (slot 24): a fade to black, the crew leaving, a sand storm, the hull swapped, the new hull driving in and the fade back.
#include "game/ui/screens/ui_ship_change.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "framework/log/log.h"
#include "game/model/world/game_world.h"
#include "game/services/data/tag.h"
#include "game/ui/screen_context.h"
#include "game/ui/sinking_hull.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_manager.h"

namespace {

// The screens that work on the old ship, closed as the fade-out starts. The hideout root (slot 6) is
// asked to close too, but the sequence does not wait for it.
constexpr std::array<int, 21> kClosedSlots{kSlotActorStatus, kSlotAddTask,    kSlotGasStation,   kSlotAjitoMenu,
                                           kSlotPub,         kSlotQuestBoard, kSlotAjitoRoot,    kSlotShop,
                                           kSlotBuild,       kSlotBuildSelectGrid, kSlotBullet, kSlotCurrentQuest,
                                           kSlotDiningHall,  kSlotEngineRoom, kSlotGameCenter,   kSlotHospital,
                                           kSlotInventory,   kSlotItemCreate, kSlotMap,          kSlotRoomBuilding,
                                           kSlotTaskCancel};

}  // namespace

GAME_CUIShipChange::GAME_CUIShipChange(const UIScreenContext& context)
    : GAME_CUIScreen({.input = UIInputRule::kBlocksWhileOpen,
                      .mover = {.kind = UIMover::Kind::kFade, .frames = kFadeFrames}},
                     &context)
{
}

GAME_CShipBodyRender* GAME_CUIShipChange::Hull() const
{
    const GAME_CGameWorld& world = Context().world;
    return world.ship ? world.ship->body.get() : nullptr;
}

// The world keeps stepping behind the black: the crew jump off and the pillars rise.
void GAME_CUIShipChange::LetWorldRun() const { Context().world.held = 0; }

void GAME_CUIShipChange::OnEnterState(UIScreenState state)
{
    switch (state) {
    case kOpening: StartSetUp(); break;
    case kMain:
        // The step's frames count from the sequence's first frame.
        counter_ = 0;
        LetWorldRun();
        break;
    case kClosed: LetWorldRun(); break;
    default: break;
    }
}

void GAME_CUIShipChange::StartSetUp()
{
    steps_.Reset(kCrewLeave);
    counter_ = 0;
    GAME_CGameWorld& world = Context().world;
    if (world.tasks) world.tasks->RemoveRoomTasks(nullptr);
    if (world.ship) world.ship->SetZoomedOut(false);
    for (const int slot : kClosedSlots) Context().ui.SetOpen(slot, false);
    LetWorldRun();
}

bool GAME_CUIShipChange::StepTransition(UIScreenState state)
{
    if (state != kOpening) return true;
    ++counter_;
    return ReadyForSequence();
}

bool GAME_CUIShipChange::ReadyForSequence()
{
    GAME_CGameWorld& world = Context().world;
    // A task made while the screen fades (a room's routine, a crew member's meal) would keep it
    // black for ever: it goes the way of the others.
    if (world.tasks && !world.tasks->tasks.empty()) world.tasks->RemoveRoomTasks(nullptr);
    if (world.tasks && !world.tasks->tasks.empty()) return false;
    if (const GAME_CShipBodyRender* body = Hull();
        body != nullptr && (body->IsZoomChanging() || body->currentState != GAME_CShipBodyRender::kClose)) {
        return false;
    }
    return std::none_of(kClosedSlots.begin(), kClosedSlots.end(),
                        [this](int slot) { return slot != kSlotAjitoRoot && Context().ui.IsOpen(slot); });
}

void GAME_CUIShipChange::UpdateMain(bool)
{
    if (steps_.Advance([this](Step step) { EnterStep(step); })) counter_ = 0;
    switch (steps_.Current()) {
    case kCrewLeave: StepCrewLeave(); break;
    case kSandStorm: StepSandStorm(); break;
    case kSwap: SwapShip(); break;
    case kDriveIn: StepDriveIn(); break;
    }
}

void GAME_CUIShipChange::EnterStep(Step step)
{
    GAME_CGameWorld& world = Context().world;
    switch (step) {
    case kCrewLeave:
        if (world.ship) world.ship->SetZoomedOut(false);
        break;
    case kSandStorm:
        if (GAME_CShipBodyRender* body = Hull()) {
            body->animationTimer = 0;
            body->sinking = 1;
        }
        break;
    default: break;
    }
}

void GAME_CUIShipChange::StepCrewLeave()
{
    counter_ = static_cast<std::int32_t>((static_cast<std::uint32_t>(counter_) + 1) & kLeavePeriodMask);
    if (counter_ != 1) return;
    for (GAME_CObjectActor* member : Context().world.fieldObjects->crew) {
        if (member != nullptr && member->actionMode != GAME_CObjectActor::kActionThrownLeft) {
            member->SetActionMode(GAME_CObjectActor::kActionThrownLeft);
            return;
        }
    }
    steps_.Go(kSandStorm);
}

void GAME_CUIShipChange::StepSandStorm()
{
    AdvanceHullSink(Hull());
    ++counter_;
    if (counter_ < kStormWaveFrames && counter_ % kStormWavePeriod == 0 &&
        RaiseSandPillars(Context().world, Context().Database(), kPillarsPerWave) > 0) {
        PlayUISE(kSandBurstSound);
    }
    if (counter_ >= kStormFrames) steps_.Go(kSwap);
}

void GAME_CUIShipChange::SwapShip()
{
    GAME_CGameWorld& world = Context().world;
    GAME_CShip& ship = *world.ship;
    // The old ship's stock is kept in the new ship's cargo hold, as a change without the sequence keeps it.
    if (!ship.ChangeShip(targetShipTag, true)) {
        vesk::log::Warning("ship change: there is no ship " + TagText(targetShipTag) + "; the old hull drives in again");
        if (GAME_CShipBodyRender* body = Hull()) body->sinking = 0;
        // The crew jumped off a hull that stays: they come back aboard as the new crew of a new hull would.
        world.fieldObjects->PlaceCrewOnBottomRow();
    }
    if (GAME_CShipBodyRender* body = Hull()) {
        body->drawOffsetX = kDriveInStartX;
        body->drawOffsetY = 0.0f;
    }
    for (GAME_CObjectActor* member : world.fieldObjects->crew) {
        if (member != nullptr) member->SetActionMode(GAME_CObjectActor::kActionNormal);
    }
    steps_.Go(kDriveIn);
}

void GAME_CUIShipChange::StepDriveIn()
{
    GAME_CShipBodyRender* body = Hull();
    AdvanceHullSink(body);
    if (body == nullptr) {
        SetOpen(false);
        return;
    }
    body->drawOffsetX += kDriveInSpeed;
    body->drawOffsetY = 0.0f;
    if (body->drawOffsetX >= 0.0f) {
        body->drawOffsetX = 0.0f;
        SetOpen(false);
    }
}

void GAME_CUIShipChange::Draw()
{
    if (State() == kClosed) return;
    const float alpha = std::trunc(std::clamp(MoverAlpha(), 0.0f, 1.0f) * 255.0f);
    DrawUIRect({0.0f, 0.0f}, {kCanvasWidth, kCanvasHeight}, static_cast<std::uint32_t>(alpha) << 24);
}
