// The quest screens' sprites of the room package: the quest heading, row marks, detail symbols, lines and the notice strips.
#pragma once

#include <string>
#include <vector>

#include "tools/common/sprite_package_writer.h"

namespace spritegen {

// "ui_text_quest" in its three forms, "ui_separator_left_strong3", "ui_accept_highlight",
// "ui_window_scan_title" and "ui_window_scan_main", the detail symbols "dot_itemsymbol_132" (a time
// limit), "_138" (a town) and "_144" (money), and the wide lists' "ui_separator_big2" and "ui_icon_check".
// Empty when no font can be opened.
std::vector<tools::NamedImage> DrawQuestSprites(const std::vector<std::string>& fontFiles);

}  // namespace spritegen
