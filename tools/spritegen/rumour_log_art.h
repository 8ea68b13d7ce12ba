// The rumour log's sprites: the heading over its hideout column.
#pragma once

#include <string>
#include <vector>

#include "tools/common/sprite_package_writer.h"

namespace spritegen {

// The lettered heading "ui_text_ajito" with its "_eng" and "_kr" forms; empty, with a line on stderr,
// when no font can be opened.
std::vector<tools::NamedImage> DrawRumourLogSprites(const std::vector<std::string>& fontFiles);

}  // namespace spritegen
