// The rest of the ship's room sprites: one for every room kind, the turret levels with their weapons, and the effect-field overlays.
#pragma once

#include <vector>

#include "tools/common/sprite_package_writer.h"

namespace spritegen {

// Room sprites ("dotroom_<kind>_01", footprint-sized), the turrets "dotroom_machinegun_0n",
// "dotroom_cannon_0n", "dotroom_laser_0n" (n = 1..5) with their weapons "weapon_0k_0n", and the
// overlays "bufffield_minusion_01"/"_02", "bufffield_music_..." and "bufffield_smoke_...".
std::vector<tools::NamedImage> DrawShipRoomSprites();

}  // namespace spritegen
