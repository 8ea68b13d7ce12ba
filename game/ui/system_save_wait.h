// A screen's own system-record save: asked for, owed while the machine is busy, and told only once it is on disk or has failed.
#pragma once

// What became of the save a screen asked for.
enum class UISystemSaveResult { kWaiting, kSaved, kFailed };

// A refused request stays owed in the save machine, which writes it as soon as it is idle; the screen
// waits for that write rather than taking the busy machine's end for its own. The save has failed
// when the machine is idle with nothing owed and the record is still not on disk.
void StartSystemSave();
UISystemSaveResult PollSystemSave();
