// The engine room screen's sprites: the mode plate with its lever and cap, the option rows, the speed and fuel symbols and the page's headings.
#pragma once

#include <string>
#include <vector>

#include "tools/common/sprite_package_writer.h"

namespace spritegen {

// "ui_engineroom_mode_base", "_frame_1" (the lever, pivoting well left of its own picture) and
// "_cap"; "ui_separator_engine" and its "_selected" highlight; "dot_itemsymbol_54" (speed) and
// "_20" (fuel); the headings "ui_text_speed", "ui_text_fuel_rate" and "ui_text_mode_change" in
// their three forms. Empty when no font can be opened.
std::vector<tools::NamedImage> DrawEngineRoomSprites(const std::vector<std::string>& fontFiles);

}  // namespace spritegen
