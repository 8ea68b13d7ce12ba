// How the input manager meets the window procedure.
// The window's key, button and device messages reach it through hooks, and
// each frame's update reads the mouse state the window keeps.
#pragma once

#include <cstdint>

namespace vesk::input {

void ConnectToWindow();
void DisconnectFromWindow();

// Canvas units of a client coordinate: truncated, not clamped; 0 while the
// client size is unknown.
int32_t ClientToCanvas(int32_t client, float clientSize, float canvasSize);

}  // namespace vesk::input
