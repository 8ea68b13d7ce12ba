// The progress screens' sprites: the sound room's and the achievement list's rows, bars and separators, the instruction screen's pad.
#pragma once

#include <vector>

#include "tools/common/sprite_package_writer.h"

namespace spritegen {

// In the UI's flat style: "ui_separator_big" and "ui_select_highlight_big" (a list row 408 wide), the
// achievement list's separators "ui_achivement_separator_*" and "ui_achivement_bar_frame" (round a
// 248 x 13 bar), and the instruction screen's "ui_controller_steam" pad with its leader lines
// "ui_instruction_line_steam_0" to "_5", its title frame and a round icon per pad button
// ("ui_instruction_icon_<button>").
std::vector<tools::NamedImage> DrawProgressScreenSprites();

}  // namespace spritegen
