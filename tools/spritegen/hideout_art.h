// The hideout menu's sprites: the four facility cards with their names, the column's separators and the hideout headings.
#pragma once

#include <string>
#include <vector>

#include "tools/common/sprite_package_writer.h"

namespace spritegen {

// "ui_ajito_button_" + fuel, market, quest, pub, each with "_eng" and "_kr" (128 x 78 cards: a
// lettered strip on top, the facility's picture below, so that a card half hidden under the next
// still shows its name); "ui_separator_vertical_l" and "_r"; the headings "ui_text_" + ajito,
// distance, quest, gas, shop in their three forms. Empty, with a line on stderr, when no font can
// be opened.
std::vector<tools::NamedImage> DrawHideoutSprites(const std::vector<std::string>& fontFiles);

}  // namespace spritegen
