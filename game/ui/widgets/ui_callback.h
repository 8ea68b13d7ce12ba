// Binding an owner's member as a widget's callback, so that no widget carries an untyped argument.
#pragma once

#include "game/ui/widgets/ui_icon_object.h"

// A member that needs nothing of the caller: serves any callback of widgets (icons, callback nodes, lists).
template <class Owner>
auto UIBind(Owner* owner, void (Owner::*member)())
{
    return [owner, member](auto&&...) { (owner->*member)(); };
}

// A member that is told which icon calls.
template <class Owner>
UIIconCallback UIBind(Owner* owner, void (Owner::*member)(GAME_CUIIconObject*))
{
    return [owner, member](GAME_CUIIconObject* icon) { (owner->*member)(icon); };
}
