// The crew status window's crew page: meters and traits, the arrows, moving a member and dismissing it.
#include <algorithm>

#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/ship/task_crew.h"
#include "game/model/travel/route_manager.h"
#include "game/model/travel/travel_controller.h"
#include "game/model/world/game_world.h"
#include "game/services/achievement/achievements.h"
#include "game/services/player/player_data.h"
#include "game/services/text/actor_names.h"
#include "game/ui/dialog_flow.h"
#include "game/ui/screen_context.h"
#include "game/ui/screens/ui_actor_status.h"
#include "game/ui/screens/ui_common.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_manager.h"
#include "game/ui/ui_text.h"

using vesk::math::Vec2;

namespace {

constexpr Vec2 kPrevArrowHitFrom{41.0f, 156.0f};
constexpr Vec2 kPrevArrowHitTo{85.0f, 203.0f};
constexpr Vec2 kNextArrowHitFrom{555.0f, 156.0f};
constexpr Vec2 kNextArrowHitTo{599.0f, 203.0f};
constexpr std::int32_t kLeaveLineKind = 2;
constexpr std::size_t kFarewellLimit = 255;
constexpr std::size_t kLeaveLineLimit = 63;

float Ratio(std::int32_t whole, std::int32_t maximum)
{
    return maximum > 0 ? std::clamp(static_cast<float>(whole) / static_cast<float>(maximum), 0.0f, 1.0f) : 0.0f;
}

}  // namespace

void GAME_CUIActorStatus::RefreshCrewPage(bool input)
{
    if (!input || targetActor == nullptr) return;
    StepCursor(crew_.cursor);
    RefreshButtons();
    crewRow_.Show(targetActor);
    ShowMeters();
    ShowTraits();
}

void GAME_CUIActorStatus::UpdateCrewPage(bool input)
{
    if (!input || targetActor == nullptr) return;
    if (IsUIClickInRect(kPrevArrowHitFrom, kPrevArrowHitTo)) {
        prevArrow_->Press();
    } else if (IsUIClickInRect(kNextArrowHitFrom, kNextArrowHitTo)) {
        nextArrow_->Press();
    } else if (CloseOrPress(crew_)) {
        return;
    } else if (IsUIMenuPressed(kUIMenuLeft)) {
        prevArrow_->Press();
    } else if (IsUIMenuPressed(kUIMenuRight)) {
        nextArrow_->Press();
    } else {
        ToggleRowOnRepeat();
    }
}

void GAME_CUIActorStatus::RefreshButtons()
{
    const bool atWork = targetActor->task != nullptr && targetActor->assigned != 0;
    const bool lastOne = CountCrew() == 1;
    for (std::size_t row = 0; row < crew_.buttons.size(); ++row) {
        const bool grey = row == kRowFirst ? atWork : lastOne;
        crew_.buttons[row]->SetDisabled(grey);
        crew_.buttons[row]->SetColor(GetUIColor(grey ? kUIColorGreyed : kUIColorUsable));
        crew_.captions[row]->SetColor(GetUIColor(grey ? kUIColorDimText : kUIColorText));
    }
}

void GAME_CUIActorStatus::ShowMeters()
{
    const GAME_CActorStatus& status = targetActor->status;
    gauges_[0].Show(Ratio(WholeUnits(status.hp), status.computed.maxHp));
    gauges_[1].Show(Ratio(WholeUnits(status.stamina), status.computed.maxStamina));
    gauges_[2].Show(Ratio(WholeUnits(status.calorie), status.computed.maxCalorie));
}

void GAME_CUIActorStatus::ShowTraits()
{
    const GAME_CActorStatus& status = targetActor->status;
    const std::array<std::array<std::uint32_t, 2>, 3> ids{{{status.skills[0].id, status.skills[1].id},
                                                           {status.buffs[0].id, status.buffs[1].id},
                                                           {status.debuffs[0].id, status.debuffs[1].id}}};
    for (std::size_t kind = 0; kind < ids.size(); ++kind) {
        bool any = false;
        for (std::size_t slot = 0; slot < 2; ++slot) {
            const bool filled = IsSlotIdSet(ids[kind][slot]);
            traitIcons_[kind][slot]->SetColor(filled ? kUIWhite : kUIHidden);
            any = any || filled;
        }
        groupLines_[kind]->SetColor(any ? kUIWhite : kUIHidden);
    }
}

void GAME_CUIActorStatus::OnPrevCrew() { StepCrew(true); }

void GAME_CUIActorStatus::OnNextCrew() { StepCrew(false); }

void GAME_CUIActorStatus::StepCrew(bool backwards)
{
    const GAME_CFieldObjectManager* objects = Context().world.fieldObjects.get();
    if (pages_.Is(Page::kItem) || objects == nullptr || CountCrew() == 1) return;
    // Members whose death has begun are passed over: the window would close on them at once.
    GAME_CObjectActor* found = targetActor;
    for (std::size_t tries = objects->crew.size(); tries > 0; --tries) {
        found = objects->GetNextActor(found, backwards);
        if (found == nullptr || found == targetActor || task_crew::IsAliveInField(*found)) break;
    }
    if (found != nullptr) {
        targetActor = found;
        FollowWithCamera(found);
    }
}

void GAME_CUIActorStatus::OnMove()
{
    if (auto* hud = Context().ui.Get<GAME_CUICommon>()) hud->BeginMoveActor(targetActor);
    SetOpen(false);
}

void GAME_CUIActorStatus::OnDismiss()
{
    if (!Context().ui.IsOpen(kSlotActorBirth)) pages_.Go(Page::kDismissQuestion);
}

void GAME_CUIActorStatus::OpenDismissQuestion()
{
    if (Context().ui.IsOpen(kSlotActorBirth)) {
        pages_.Go(Page::kCrew);
        return;
    }
    // The game stands still until the question goes, answered or not.
    AskInDialog(kSlotActorStatus, {.text = FormatUIMessage("ADD_TEXT_UI_ACTOR_STATUS_01"), .centred = true, .holdsGame = &Context().world});
}

void GAME_CUIActorStatus::DismissCrewMember()
{
    const std::u16string name = RomanizeKanaPair(std::u16string_view(targetActor->status.name));
    PlayUISE(kDismissSE);
    NoticeInDialog(kSlotActorStatus, {.text = UILimitedText(FormatUIMessage("ADD_TEXT_UI_ACTOR_STATUS_02", {name}), kFarewellLimit),
                                      .centred = true,
                                      .noticeButton = "ADD_TEXT_UI_ACTOR_STATUS_03"});
    targetActor->LeaveTaskAndRooms();
    targetActor->dead = 1;
    const GAME_CTravelController* travel = Context().world.travel.get();
    const GAME_CRouteManager* route = travel != nullptr ? travel->routeManager.get() : nullptr;
    if (route != nullptr && route->GetPosition() > 0 && route->GetPosition() < route->GetLength()) {
        UnlockAchievement(kDismissAchievement);
    }
    Context().ui.PostLine(UILimitedText(FormatUIMessage("OLIF_ACTOR_LEAVE", {name}), kLeaveLineLimit), kLeaveLineKind);
}

void GAME_CUIActorStatus::UpdateDismissResult()
{
    if (IsDialogShown()) return;
    SetOpen(false);
}
