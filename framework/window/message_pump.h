// The message pump of the main loop.
#pragma once

namespace vesk::window {

// One pass of the message pump, once per pass of the main loop. Handles at most one
// waiting message and returns 1 then: no frame runs in that pass. With no message
// waiting it returns 1 while the window is minimised or hidden (after a short wait for
// the next message, so that a minimised game does not spin) and 0 when a frame may
// run. On the quit message it sets *quit to 1 and *exitCode to the posted code.
int PumpMessages(int* quit, int* exitCode);

}  // namespace vesk::window
