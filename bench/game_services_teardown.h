// The game services a benchmark rig started, torn down in one order: a benchmark runs its function more than once.
#pragma once

#include "game/model/object/enemy_sprite_pool.h"
#include "game/model/script/script_package.h"
#include "game/model/stores/ammo_storage.h"
#include "game/model/stores/food_storage.h"
#include "game/model/world/game_world.h"
#include "game/services/achievement/achievements.h"
#include "game/services/clock/game_clock.h"
#include "game/services/player/player_data.h"
#include "game/services/save/save_manager.h"
#include "game/services/sound/sound_player.h"

inline void DestroyBenchGameServices()
{
    DestroySoundPlayer();
    ClearAmmoStorageList();
    ClearFoodStorageList();
    DestroyGameClock();
    DestroyPlayerData();
    DestroyScriptPackageHolder();
    DestroyGameWorld();
    DestroySaveManager();
    DestroyAchievementManager();
    DestroyEnemySpritePartPool();
}
