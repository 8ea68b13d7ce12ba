// The blinking cursor arrow of a list: it stands still for 8 frames, a unit aside for the next 8.
#include "game/ui/cursor_blink.h"

#include "game/ui/widgets/ui_null_object.h"

void UICursorBlink::Step(vesk::math::Vec2 at, float nudge)
{
    frame = (frame + 1) % kPeriod;
    const vesk::math::Vec2 place{at.x + (frame >= kPeriod / 2 ? nudge : 0.0f), at.y};
    arrow->SetPosition(&place);
}
