// The hull packages: a land ship's body, its cover for the zoomed-out view, and the wheel frames.
#pragma once

#include <string_view>
#include <vector>

#include "tools/common/sprite_package_writer.h"

namespace spritegen {

// The sprites of a hull package ("prot" or "shp3"), named so that their sorted order is the order
// the hull renderer numbers them in; empty for another name.
std::vector<tools::NamedImage> DrawHullSprites(std::string_view hull);

}  // namespace spritegen
