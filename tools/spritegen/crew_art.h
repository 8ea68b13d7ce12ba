// The crew's sprites in the room package: the rat's frames, the grab cursor and the sand pillar's frames.
#pragma once

#include <vector>

#include "tools/common/sprite_package_writer.h"

namespace spritegen {

// The rat's frames (16 x 16, facing left, feet on the bottom row): standing,
// walking, holding up a find, hammering and lying down; the grab cursor shown
// over a crew member being moved; the six frames of a sand pillar rising and
// falling apart. Each picture is named as its PNG file.
std::vector<tools::NamedImage> DrawCrewSprites();
// The arcade game's rat: standing, walking, in the air, hurt and knocked flat.
std::vector<tools::NamedImage> DrawArcadeRatSprites();
// The rat at work in a room, as the crew window shows a member busy there: "dot_rat1_0".
tools::NamedImage DrawWorkingRatSprite();

}  // namespace spritegen
