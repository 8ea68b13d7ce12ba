// The process-wide flag that tells whether the game world's members are all in place.
#pragma once

// False while the world's members are being made, remade or destroyed; work
// that reaches into the world (binding tasks to rooms, crew hand-over, the
// input map's device tracking) tests it first.
bool IsGameWorldReady();
void SetGameWorldReady(bool ready);
