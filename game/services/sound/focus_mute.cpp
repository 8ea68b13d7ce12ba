// The option that silences the game while its window is not focused.
#include "game/services/sound/focus_mute.h"

#include "framework/window/window_proc.h"
#include "game/services/player/player_data.h"
#include "game/services/sound/sound_player.h"

void ApplyFocusMute(GAME_CSoundPlayer& sound)
{
    if (vesk::window::GetWindowInputState().active) {
        sound.ResumeTrackedSE();
        if (!sound.IsBGMHeld()) sound.ResumeBGM();
        sound.readyToPlay = 1;
        return;
    }
    const GAME_CPlayerData* player = GetPlayerData();
    if (player != nullptr && player->muteWhenInactive == 0) return;
    sound.PauseTrackedSE();
    sound.PauseBGM();
    sound.readyToPlay = 0;
}
