// The event window's sprites: its panel, the two side pieces, the line separator and the picture mark.
#pragma once

#include <vector>

#include "tools/common/sprite_package_writer.h"

namespace spritegen {

// "ui_eventwindow_bg" (352 x 186, the text panel), "ui_eventwindow_left" and "_right" (the rolled
// edges standing 5 units proud of the panel), "ui_eventwindow_separator" (the rule under each
// line, 318 wide) and "ui_eventwindow_icon" (the small mark shown while a picture is up).
std::vector<tools::NamedImage> DrawEventWindowSprites();

}  // namespace spritegen
