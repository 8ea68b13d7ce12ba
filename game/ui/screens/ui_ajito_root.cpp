// The hideout root (slot 6): open exactly while the ship stands at a hideout; its opening fixes where the ship stands.
#include "game/ui/screens/ui_ajito_root.h"

#include "game/model/travel/travel_controller.h"
#include "game/model/world/game_world.h"
#include "game/ui/screen_context.h"
#include "game/ui/ui_draw.h"

GAME_CUIAjitoRoot::GAME_CUIAjitoRoot(const UIScreenContext& context)
    : GAME_CUIScreen({.input = UIInputRule::kAlwaysPasses, .fieldControl = true, .mover = {.kind = UIMover::Kind::kImmediate}},
                     &context)
{
}

void GAME_CUIAjitoRoot::OnEnterState(UIScreenState state)
{
    if (state == kOpening) {
        if (GAME_CTravelController* travel = Context().world.travel.get()) travel->EnsureLocationAtRouteEnd();
    }
    if (state == kOpening || state == kClosing) {
        for (GAME_CUIObjectBase* widget : widgets_) widget->SetVisible(state == kOpening);
    }
}

void GAME_CUIAjitoRoot::UpdateMain(bool input)
{
    // A decided widget keeps the input from the others.
    Root()->UpdateTree(input && !AnyWidgetBusyOrDecided());
}
