// The achievement icons of the room package: twenty medals and the locked icon.
#pragma once

#include <vector>

#include "tools/common/sprite_package_writer.h"

namespace spritegen {

// "achievement_01" to "achievement_20" and "achievement_icon_lock", 32 x 32.
std::vector<tools::NamedImage> DrawAchievementIcons();

}  // namespace spritegen
