// The crew screens' sprites: the body of a meter's bar.
#pragma once

#include <vector>

#include "tools/common/sprite_package_writer.h"

namespace spritegen {

// "ui_room_hpbar_body": 16 by 8; the screens stretch its centre half to a 110 by 6 bar that sits in the
// 114 by 12 meter frame. Pale so that a tinted bar still reads in its tint.
std::vector<tools::NamedImage> DrawCrewListSprites();

}  // namespace spritegen
