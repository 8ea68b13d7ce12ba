// The HUD's and the message log's sprites: the button bar, its lettered buttons, speed plates and log window parts.
#pragma once

#include <string>
#include <vector>

#include "tools/common/sprite_package_writer.h"

namespace spritegen {

// "ui_common_frame" (320 x 52, the left half of the bar), "ui_common_ajito_block", the six bar
// buttons "ui_common_<word>" with "_touch" and the "_eng" / "_kr" letterings, the speed plates
// "ui_common_speedx<n>_base", "_base_touch" and "_on", and the log's title, date plate, separators
// and scan lines. The words are set with the first of the fonts that has each character; empty,
// with a line on stderr, when no font can be opened.
std::vector<tools::NamedImage> DrawHudSprites(const std::vector<std::string>& fontFiles);

}  // namespace spritegen
