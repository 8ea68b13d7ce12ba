// The generated backdrops: the desert's distant views, the ending pictures and the mini-game's screens.
#pragma once

#include "tools/common/rgba_image.h"

namespace artgen {

// The desert far away, 640 by 360: 0 by day, 1 at dusk, 2 at night.
tools::RgbaImage DrawDistantView(int timeOfDay);
// The ending: a dawn sky with the ship's silhouette far off, and a front layer of dunes
// over a transparent sky, both 640 by 360.
tools::RgbaImage DrawEndingBackground();
tools::RgbaImage DrawEndingFront();
// The mini-game's title logo (320 by 120), its screen frame (640 by 360, clear inside), its
// game-over banner (320 by 80) and its licence line (320 by 40).
tools::RgbaImage DrawMiniGameTitleLogo();
tools::RgbaImage DrawMiniGameFrame();
tools::RgbaImage DrawMiniGameGameOver();
tools::RgbaImage DrawMiniGameLicence();

}  // namespace artgen
