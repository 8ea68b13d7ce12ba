// The quitting flag, set when the window is closed and read by the frame and the loaders.
#pragma once

namespace vesk::process {

// The quitting flag: set once, when the window is closed. The game frame returns it to
// end the main loop, and loaders on worker threads poll it to stop early, so it may be
// read from any thread.
bool IsQuitting();
void SetQuitting();

// Quits as SetQuitting does, and the process ends with status 1: the run could not go on.
void QuitWithFailure();
// The status the process ends with: 0, or 1 after QuitWithFailure.
int ExitStatus();

// Clears the flag (and the exit status) at the start of a run of the application.
void ClearQuitting();

}  // namespace vesk::process
