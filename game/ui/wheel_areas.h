// The mouse wheel handed to the scroll bar of the part of a screen that the pointer stands over.
#pragma once

#include <initializer_list>

#include "framework/math/vector.h"

class GAME_CUIScrollBarObject;

// A part of a screen that scrolls by its bar, and the canvas rectangle in which the pointer wheels it.
struct UIWheelArea {
    GAME_CUIScrollBarObject* bar = nullptr;
    vesk::math::Vec2 from;
    vesk::math::Vec2 to;
};

// Every frame before the screen's widgets update: the bar of the first area the pointer stands over
// takes the wheel and every other bar gives it up; outside them all, or while the ship's travel
// refuses the pointer, no bar takes it.
void GiveWheelToHoveredArea(std::initializer_list<UIWheelArea> areas);
