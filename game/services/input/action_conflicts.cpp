// Which of the bindable actions may never share a key or pad button: the basic ones are used everywhere, the menu ones only in menus, the gameplay ones only in play.
#include "game/services/input/action_conflicts.h"

namespace {

enum class ActionGroup { kBasic, kMenu, kGameplay };

ActionGroup GroupOf(int action)
{
    if (action <= kLastBasicAction) return ActionGroup::kBasic;
    return action <= kLastMenuAction ? ActionGroup::kMenu : ActionGroup::kGameplay;
}

}  // namespace

bool InputActionsConflict(int a, int b)
{
    const ActionGroup first = GroupOf(a);
    const ActionGroup second = GroupOf(b);
    return first == ActionGroup::kBasic || second == ActionGroup::kBasic || first == second;
}
