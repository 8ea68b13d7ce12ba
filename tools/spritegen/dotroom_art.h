// The room sprites of the ship: floor tiles, the grid cursor, markers, rooms, turrets and room icons.
#pragma once

#include <vector>

#include "tools/common/sprite_package_writer.h"

namespace spritegen {

// The room sprites of the ship: floor tiles (24 x 24, the size of a grid
// cell), the grid cursor, damage markers, the task gauge base, rooms one or
// two cells large, turrets and 16 x 16 room icons. Each picture is named as
// its PNG file.
std::vector<tools::NamedImage> DrawDotRoomSprites();

}  // namespace spritegen
