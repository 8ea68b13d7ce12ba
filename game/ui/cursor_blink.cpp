// The blinking cursor arrow of a list: it stands still for 8 frames, a unit aside for the next 8.
#include "game/ui/cursor_blink.h"

#include "game/ui/widgets/ui_null_object.h"

void UICursorBlink::Place(vesk::math::Vec2 at, float nudge) const
{
    const vesk::math::Vec2 place{at.x + Bob() * nudge, at.y};
    arrow->SetPosition(&place);
}
