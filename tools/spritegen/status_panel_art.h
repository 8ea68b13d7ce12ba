// The ship status strip's sprites: the gauge plates, the clock and money plate, the distance meter's parts and the small marks beside the figures.
#pragma once

#include <vector>

#include "tools/common/sprite_package_writer.h"

namespace spritegen {

// In the UI's flat style, 1:1 in canvas units, shaped to the strip's fixed layout of 6-unit digits:
// "ui_main_hpfuel_base" (hull and fuel rows) and "ui_main_hpfuelcal_base" (with the calorie row),
// 168 wide; "ui_main_distance_base", 142 wide, with the meter's trough at (6, 5); the meter's
// "ui_distancemater_background", "_direction" and "_positionicon"; "ui_meter_scanline";
// "ui_text_kosuu", "ui_text_dollar", "ui_text_colon" and "ui_icon_actor_faceonly".
std::vector<tools::NamedImage> DrawStatusPanelSprites();

}  // namespace spritegen
