// The task windows' sprites: the progress bar's frame and the symbol of an item without a picture of its own.
#pragma once

#include <vector>

#include "tools/common/sprite_package_writer.h"

namespace spritegen {

// The frame is 210 by 19, two units wider than the 206 by 13 bar on each side and three above and
// below it; the symbol is 14 units square like the item icons.
std::vector<tools::NamedImage> DrawTaskWindowSprites();

}  // namespace spritegen
