// Sprites of the packages the start-up loads beside the rooms.
// Background objects and the arcade mini-game.
#pragma once

#include <vector>

#include "tools/common/sprite_package_writer.h"

namespace spritegen {

// "bg/object/object.pac": rocks, a dry bush, a cactus, a signpost and a half-buried wreck along the route.
std::vector<tools::NamedImage> DrawBackgroundObjectSprites();
// "minigame/minigame.pac": the runner in two frames, a block and a coin.
std::vector<tools::NamedImage> DrawMiniGameSprites();

}  // namespace spritegen
