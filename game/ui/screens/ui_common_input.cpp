// The in-game HUD (slot 3): its button callbacks, the play shortcuts and the button cursor.
#include <algorithm>

#include "game/services/player/player_data.h"
#include "game/services/input/input_actions.h"
#include "game/services/input/input_map.h"
#include "game/model/world/game_world.h"
#include "game/ui/message_log.h"
#include "game/ui/screen_context.h"
#include "game/ui/screens/ui_common.h"
#include "game/ui/screens/ui_common_access.h"
#include "game/ui/screens/ui_current_quest.h"
#include "game/ui/ui_draw.h"
#include "game/ui/widgets/ui_icon_object.h"
#include "game/ui/ui_manager.h"

namespace {

constexpr float kStickDeadZone = 0.00001f;

// The pad's stick the player moves the cursor with, or a cursor action held on the pad.
bool IsPadSteering()
{
    if (!IsInputMapActive()) return false;
    const GAME_CInputMap* map = GetInputMap();
    const vesk::math::Vec2& stick = map->GetSteeringStickPosition();
    if (stick.x * stick.x + stick.y * stick.y >= kStickDeadZone) return true;
    for (int action = kActionCursorUp; action <= kActionCursorRight; ++action) {
        if (map->IsActionHeldOnPad(action)) return true;
    }
    return false;
}

void SetCameraFollowsInput(const GAME_CGameWorld& world, bool follows)
{
    if (world.camera) world.camera->followsInput = follows ? 1 : 0;
}

}  // namespace

void GAME_CUICommon::OnButton(int button)
{
    GAME_CGameWorld& world = Context().world;
    if (world.inputBlocked != 0) return;
    const bool speed = button >= kSpeed1 && button <= kSpeed3;
    if (!speed && IsHudLocked(world)) return;
    GAME_CUIManager& ui = Context().ui;
    switch (button) {
    case kAllCrew: ui.SetOpen(kSlotAllActorInfo, true); break;
    case kQuestList:
        world.held = 1;
        ui.SetOpen(kSlotCurrentQuest, true);
        if (auto* quests = ui.Get<GAME_CUICurrentQuest>()) quests->openedFromHud = 1;
        break;
    case kItemDictionary:
        world.held = 1;
        ui.SetOpen(kSlotItemDictionary, true);
        break;
    case kPause: ui.SetOpen(kSlotPause, true); break;
    case kSpeed1:
    case kSpeed2:
    case kSpeed3:
        if (const GAME_CPlayerData* player = Context().Player(); player != nullptr && world.timeScale) {
            world.timeScale->speed = player->speeds[static_cast<std::size_t>(button - kSpeed1)];
        }
        world.paused = 0;
        break;
    case kBuild:
        ui.SetOpen(kSlotBuild, true);
        world.held = 1;
        break;
    case kHideout:
        if (ui.IsOpen(kSlotAjitoRoot)) ui.SetOpen(kSlotAjitoMenu, true);
        break;
    default: break;
    }
}

void GAME_CUICommon::IdleStep(bool input)
{
    input = UpdateWidgetTrees(input);
    const GAME_CRouteManager* route = HudRoute(Context().world);
    if (route != nullptr && route->IsStartRoute()) TrackFreeCell();
    if (!input) return;
    if (!PointerSection(input)) return;
    Shortcuts();
}

void GAME_CUICommon::Shortcuts()
{
    const GAME_CGameWorld& world = Context().world;
    GAME_CShip* ship = HudShip(world);
    if (ship == nullptr || IsHudLocked(world)) return;
    const bool decide = IsUIActionTriggered(kActionDecide);
    const bool cancel = IsUIActionTriggered(kActionCancel);
    const bool outer = IsUIActionTriggered(kActionGameplayOuter);
    if (decide || IsPadSteering()) SetPadCursorOn(world, true);
    if (ship->body->IsZoomedOut()) {
        if (decide || cancel || outer || IsUIClickInRect({0.0f, 0.0f}, {kCanvasWidth, kCanvasHeight - frameHeight_})) {
            ship->SetZoomedOut(false);
            return;
        }
    }
    if (IsUIActionTriggered(kActionGameplayMenu)) {
        PlayUISE(kSeUIDecide);
        cursorIndex_ = kBuild;
        SetCameraFollowsInput(world, false);
        steps_.Go(kButtonCursor);
        return;
    }
    if (cancel || outer) {
        ship->ToggleZoom();
        return;
    }
    if (IsUIActionTriggered(kActionShortcutLog)) {
        if (GAME_CUIMessageLog* log = Context().ui.MessageLog()) {
            log->SetOpen(true);
            log->openedByShortcut = 1;
        }
        return;
    }
    PressSpeedShortcuts();
    if (IsUIActionTriggered(kActionSelectCrew) && crewPickFlag != 0) {
        if (GAME_CObjectActor* actor = world.fieldObjects->FindNearestActorToPoint(PadCursorPoint(world))) ShowCrew(actor);
    }
    if (IsUIActionTriggered(kActionSelectItem) && itemPickFlag != 0) {
        if (GAME_CObjectItem* item = world.fieldObjects->FindNearestItemToPoint(PadCursorPoint(world))) ShowItem(item);
    }
}

void GAME_CUICommon::PressSpeedShortcuts()
{
    const GAME_CGameWorld& world = Context().world;
    const GAME_CPlayerData* player = Context().Player();
    if (player == nullptr || !world.timeScale) return;
    // Exact comparisons: a speed set elsewhere to another value matches no button.
    const float speed = world.timeScale->speed;
    const auto is = [&](int button) { return speed == player->speeds[static_cast<std::size_t>(button - kSpeed1)]; };
    const auto press = [this](int button) {
        if (GAME_CUIIconObject* icon = Icon(button)) icon->Press();
    };
    if (IsUIActionTriggered(kActionSpeedUp)) {
        if (is(kSpeed1)) {
            press(kSpeed2);
        } else if (is(kSpeed2)) {
            press(kSpeed3);
        }
    }
    if (IsUIActionTriggered(kActionSpeedDown)) {
        if (is(kSpeed3)) {
            press(kSpeed2);
        } else if (is(kSpeed2)) {
            press(kSpeed1);
        }
    }
    if (IsUIActionTriggered(kActionSpeedNext)) {
        if (is(kSpeed1)) {
            press(kSpeed2);
        } else if (is(kSpeed2)) {
            press(kSpeed3);
        } else if (is(kSpeed3)) {
            press(kSpeed1);
        }
    }
}

// The camera follows the player's input again once the button cursor is gone.
void GAME_CUICommon::LeaveButtonCursor()
{
    SetCameraFollowsInput(Context().world, true);
    steps_.Go(kIdle);
}

void GAME_CUICommon::ButtonCursorStep(bool input)
{
    // A click on one of the buttons is taken by the button's own press; it leaves the cursor all the
    // same, as any click does, or the camera would stay held behind the screen the button opens.
    const bool clicked = input && IsUIClickInRect({0.0f, 0.0f}, {kCanvasWidth, kCanvasHeight});
    if (!UpdateWidgetTrees(input) || IsHudLocked(Context().world)) {
        if (clicked && !IsHudLocked(Context().world)) LeaveButtonCursor();
        return;
    }
    if (IsUIActionTriggered(kActionGameplayMenu) || IsUIActionTriggered(kActionCancel) ||
        IsUIClickInRect({0.0f, 0.0f}, {kCanvasWidth, kCanvasHeight})) {
        PlayUISE(kSeUICancel);
        LeaveButtonCursor();
        return;
    }
    if (IsUIActionTriggered(kActionDecide)) {
        GAME_CUIIconObject* icon = Icon(cursorIndex_);
        if (icon == nullptr || icon->IsDisabled()) return;
        PlayUISE(kSeUIDecide);
        icon->Press();
        LeaveButtonCursor();
        return;
    }
    if (IsUIMenuSlot(GAME_CInputMap::kModeRepeat, kUIMenuLeft)) {
        PlayUISE(kSeUICursor);
        cursorIndex_ = cursorIndex_ == 0 ? kButtonCount - 1 : cursorIndex_ - 1;
    } else if (IsUIMenuSlot(GAME_CInputMap::kModeRepeat, kUIMenuRight)) {
        PlayUISE(kSeUICursor);
        cursorIndex_ = cursorIndex_ == kButtonCount - 1 ? 0 : cursorIndex_ + 1;
    }
}
