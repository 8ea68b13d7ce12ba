// The world map's picture: a desert with rocks, ruins and an oasis, and a landmark under each hideout, without roads or names.
#pragma once

#include <array>

#include "tools/artgen/shapes.h"
#include "tools/common/rgba_image.h"

namespace artgen {

// The picture is 700 by 430; one map unit is one pixel.
inline constexpr float kWorldMapWidth = 700.0f;
inline constexpr float kWorldMapHeight = 430.0f;
// Where the hideouts stand on the map (the static database places them at the same points), and the
// colour of the paving every landmark is centred on.
inline constexpr std::array<Point, 6> kHideoutLandmarks{{{120, 300}, {250, 180}, {400, 120}, {330, 330}, {520, 260}, {640, 150}}};
inline constexpr std::uint32_t kLandmarkPaving = 0xD9C7A1;

tools::RgbaImage DrawWorldMap();

}  // namespace artgen
