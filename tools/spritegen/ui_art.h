// The user interface's sprites: panels, buttons, cursors, bars, toggles, small icons and digits.
#pragma once

#include <vector>

#include "tools/common/sprite_package_writer.h"
#include "tools/spritegen/pixel_art.h"

namespace spritegen {

// One flat style: dark slate panels with a light one-pixel frame, teal for what can be pressed and
// a darker "_touch" twin of every button. Sizes are canvas units (the game draws them 1:1): the
// dialog box is 280 wide, the digits advance 6, the slash 7 and the infinity sign 8.
std::vector<tools::NamedImage> DrawUISprites();

// The style's flat panel and its teal button, for the sprites of other drawers.
PixelArt UIPanel(int w, int h);
PixelArt UIButton(int w, int h, bool touched);

}  // namespace spritegen
