// The crew birth window's sprites: the speed lines behind the newborn and the scan lines over the dialog frame.
#pragma once

#include <vector>

#include "tools/common/sprite_package_writer.h"

namespace spritegen {

// "ui_birth_intensiveline_0" to "_2" (138 x 66: rays bursting out from behind the picture, three
// frames that turn a little each) and "ui_dialogbase_scan" (280 x 160, faint scan lines laid over
// "ui_dialogbase").
std::vector<tools::NamedImage> DrawBirthSprites();

}  // namespace spritegen
