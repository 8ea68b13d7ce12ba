// Sprites of the packages the start-up loads beside the rooms.
// Background objects, near-view scenery and the arcade mini-game.
#pragma once

#include <vector>

#include "tools/common/sprite_package_writer.h"

namespace spritegen {

// "bg/object/object.pac": rocks, a dry bush and a half-buried wreck along the route.
std::vector<tools::NamedImage> DrawBackgroundObjectSprites();
// "bg/nearview/nearview.pac": two dune strips that tile sideways.
std::vector<tools::NamedImage> DrawNearViewSprites();
// "minigame/minigame.pac": the runner in two frames, a block and a coin.
std::vector<tools::NamedImage> DrawMiniGameSprites();

}  // namespace spritegen
