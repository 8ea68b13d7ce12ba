// The crew panel's sprites: its frame, its separator and the skill, buff and debuff icons.
#pragma once

#include <vector>

#include "tools/common/sprite_package_writer.h"

namespace spritegen {

// The frame holds one crew member's name, meters and three trait lines (182 by 56); the icons are
// 14 units square so that a line's text starts 17 units right of its icon.
std::vector<tools::NamedImage> DrawCrewPanelSprites();

}  // namespace spritegen
