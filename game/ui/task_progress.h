// The time left and the progress bar of the windows that show one task: the bar's frame and fill, and the "time to finish" text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/math/vector.h"
#include "game/ui/widget_builders.h"

// A node at `at` holding the bar's frame and its fill, 206 by 13 units when full; the fill starts empty.
UIGaugeFill BuildUITaskBar(std::vector<GAME_CUIObjectBase*>& list, GAME_CUIObjectBase* parent, vesk::math::Vec2 at);

// The text of "BUILD_TEXT_TOFINISH" for a task of `total` frames at `progress`: whole seconds left,
// counting a started second as one, and never more than the task's whole length. Empty for a task of
// one frame or none.
std::u16string UITimeLeftText(std::int32_t total, std::int32_t progress);
// The share done, 0..1 (1 for a task of one frame or none).
float UITaskShareDone(std::int32_t total, std::int32_t progress);
