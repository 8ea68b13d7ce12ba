// The auto-repeat step of one button and the update of a set of 32 buttons.
#include "framework/input/button_state.h"

namespace vesk::input {

bool StepAutoRepeat(uint8_t& counter, bool held, bool released)
{
    if (released) {
        counter = 0;
    }
    if (!held) {
        return false;
    }
    if (counter < 255) {
        ++counter;
    }
    if (counter == 1) {
        return true;
    }
    if (counter >= kRepeatDelay && (counter - kRepeatDelay) % kRepeatInterval == 0) {
        counter = kRepeatDelay;
        return true;
    }
    return false;
}

void ButtonSet32::Update(uint32_t current, uint32_t previous)
{
    held = current;
    pressed = current & ~previous;
    released = previous & ~current;
    repeat = 0;
    for (int bit = 0; bit < 32; ++bit) {
        const uint32_t mask = 1u << bit;
        if (StepAutoRepeat(holdFrames[bit], (held & mask) != 0, (released & mask) != 0)) {
            repeat |= mask;
        }
    }
}

uint32_t ButtonSet32::ForMode(int mode) const
{
    switch (mode) {
    case 0: return held;
    case 1: return released;
    case 2: return pressed;
    case 3: return repeat;
    default: return 0;
    }
}

void ButtonSet32::ClearEdges()
{
    released = 0;
    pressed = 0;
    repeat = 0;
}

}  // namespace vesk::input
