// The near-view scenery of "bg/nearview/nearview.pac": dunes, rocks and ruins, each a near layer and a front layer.
#pragma once

#include <vector>

#include "tools/common/sprite_package_writer.h"

namespace spritegen {

// Six sprites a view, in this order (their names sort so): the near tile, the near layer's start
// and end pieces, the front tile, the front layer's start and end pieces. Tiles repeat with an
// overlap of one pixel, so their first and last columns match.
std::vector<tools::NamedImage> DrawNearViewSprites();

}  // namespace spritegen
