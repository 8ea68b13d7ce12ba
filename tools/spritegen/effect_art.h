// The effect sprites, as frames of short animations: a star burst, a smoke puff and a sparkle.
#pragma once

#include <vector>

#include "tools/common/sprite_package_writer.h"

namespace spritegen {

// The effect sprites, as frames of short animations: a star burst that
// opens and fades (burst_01 to burst_04, 32 x 32), a smoke puff that swells
// and thins (smoke_01 to smoke_04, 32 x 32) and a four-pointed sparkle that
// twinkles (sparkle_01 to sparkle_03, 16 x 16). Soft, anti-aliased shapes:
// effects are scaled and blended, so hard pixel edges would shimmer.
std::vector<tools::NamedImage> DrawEffectSprites();

}  // namespace spritegen
