// The gas station's and the market's sprites: the fuel gauge with its frame and buttons, the price frame, the small count buttons and their headings.
#pragma once

#include <string>
#include <vector>

#include "tools/common/sprite_package_writer.h"

namespace spritegen {

// "ui_enterbutton8" (+"_touch"), "ui_fuel_frame", "ui_fuel_gauge_frame" (278 x 42),
// "ui_payprice_frame", "ui_plusbutton" and "ui_minusbutton" (+"_on"), "ui_button_increase" and
// "ui_button_decrease" (13 x 12), and the headings "ui_text_" fuel, pay, havemoney, price,
// sellprice and total_price in their three forms. Empty when no font can be opened.
std::vector<tools::NamedImage> DrawTradeSprites(const std::vector<std::string>& fontFiles);

}  // namespace spritegen
