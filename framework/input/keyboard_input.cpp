// The keyboard's command bits and logical keys updated from the key table once a frame.
#include "framework/input/keyboard_input.h"

namespace vesk::input {

void KeyboardInput::UpdateCommands(const platform::input::KeyboardState& state)
{
    keys = state;
    commandPrevious = commandCurrent;
    commandCurrent = 0;
    for (const KeyBit& entry : CommandKeyTable()) {
        if (IsKeyDown(entry.keyCode)) {
            commandCurrent |= entry.bit;
        }
    }
    commands.Update(commandCurrent, commandPrevious);
}

void KeyboardInput::UpdateLogicalKeys()
{
    logicalPrevious = logicalCurrent;
    logicalCurrent.reset();
    for (const KeyLogical& entry : LogicalKeyTable()) {
        if (IsKeyDown(entry.keyCode)) {
            logicalCurrent.set(entry.logicalKey);
        }
    }
    logicalHeld = logicalCurrent;
    logicalPressed = logicalCurrent & ~logicalPrevious;
    logicalReleased = logicalPrevious & ~logicalCurrent;
    for (int keyIndex = 0; keyIndex < kLogicalKeyCount; ++keyIndex) {
        const bool pulse = StepAutoRepeat(logicalHoldFrames[keyIndex], logicalHeld.test(keyIndex),
                                          logicalReleased.test(keyIndex));
        logicalRepeat[keyIndex] = pulse ? 1 : 0;
    }
}

int KeyboardInput::Query(int mode, int logicalKey) const
{
    if (logicalKey < 0 || logicalKey >= kLogicalKeyCount) {
        return 0;
    }
    switch (mode) {
    case 0: return logicalHeld.test(logicalKey) ? 1 : 0;
    case 1: return logicalReleased.test(logicalKey) ? 1 : 0;
    case 2: return logicalPressed.test(logicalKey) ? 1 : 0;
    case 3: return logicalRepeat[logicalKey];
    default: return 0;
    }
}

}  // namespace vesk::input
