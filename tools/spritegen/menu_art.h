// The sprites of the title, the save-slot screen and the pause menu in the room package.
#pragma once

#include <string>
#include <vector>

#include "tools/common/sprite_package_writer.h"

namespace spritegen {

// The title's cursor "ui_cursor_common"; the big words "ui_bigtext_save", "_load" and "_pause"; the
// save-slot screen's rows, edges, separator and scroll markers ("ui_saveload_*"); the pause menu's
// sound-room button, row frames and their highlights, and the entries of its rows in Japanese, with
// "_eng" and "_kr" variants. The words are set with the first of the fonts that has each character.
// Empty, with a line on stderr, when no font can be opened.
std::vector<tools::NamedImage> DrawMenuSprites(const std::vector<std::string>& fontFiles);

}  // namespace spritegen
