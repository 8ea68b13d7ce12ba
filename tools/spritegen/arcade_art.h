// The arcade mini-game's sprites: its package, its enemies, its pick-ups and its scenery.
#pragma once

#include <vector>

#include "tools/common/sprite_package_writer.h"
#include "tools/spritegen/pixel_art.h"

namespace spritegen {

// "minigame/minigame.pac": the field, bullets, HUD words and icons, and the cabinet's bezel, panel,
// stick and buttons; the title, game-over, copyright and bezel take the art of the stand-alone
// arcade pictures.
std::vector<tools::NamedImage> DrawArcadeSprites();
// The enemy package's arcade enemies: a hopper, a walker with a swipe and a heavy with a mortar.
std::vector<tools::NamedImage> DrawArcadeEnemySprites();
// An item symbol's 16 x 16 badge in the rim's colour, for a picture on it.
PixelArt ItemSymbolBadge(Rgba rim);
// The room package's pick-up symbols and the shield orb.
std::vector<tools::NamedImage> DrawArcadeItemSymbols();
// The near-view strip under the arcade field.
tools::NamedImage DrawArcadeNearView();

}  // namespace spritegen
