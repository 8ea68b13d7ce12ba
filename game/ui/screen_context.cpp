// What a screen reaches of the running game, handed to it at construction by the screen factory.
#include "game/ui/screen_context.h"

#include "game/services/data/static_database.h"
#include "game/services/player/player_data.h"
#include "game/services/sound/sound_player.h"

GAME_CPlayerData* UIScreenContext::Player() const { return GetPlayerData(); }

const GAME_CStaticDatabase* UIScreenContext::Database() const { return GetStaticDatabase(); }

GAME_CSoundPlayer& UIScreenContext::Sound() const { return *GetSoundPlayer(); }
