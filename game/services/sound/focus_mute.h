// The option that silences the game while its window is not focused, for every scene that makes sound.
#pragma once

class GAME_CSoundPlayer;

// Once a frame, by whichever scene runs. Unfocused with the player's mute option on (or before any
// player data exists), the looping effect and the music pause and no sound effect starts. Focused,
// they go on and sound effects may start again; music held paused on purpose stays paused.
void ApplyFocusMute(GAME_CSoundPlayer& sound);
