// The quitting flag, set when the window is closed and read by the frame and the loaders.
#pragma once

namespace vesk::process {

// The quitting flag: set once, when the window is closed. The game frame returns it to
// end the main loop, and loaders on worker threads poll it to stop early, so it may be
// read from any thread.
bool IsQuitting();
void SetQuitting();

// Clears the flag at the start of a run of the application.
void ClearQuitting();

}  // namespace vesk::process
