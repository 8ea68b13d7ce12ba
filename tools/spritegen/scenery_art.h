// The background objects the start-up loads beside the rooms.
#pragma once

#include <vector>

#include "tools/common/sprite_package_writer.h"

namespace spritegen {

// "bg/object/object.pac": rocks, a dry bush, a cactus, a signpost and a half-buried wreck along the route.
std::vector<tools::NamedImage> DrawBackgroundObjectSprites();

}  // namespace spritegen
