// The sprites of the options and binding windows: row separators, the row highlight, the wide buttons and the binding marks.
#pragma once

#include <vector>

#include "tools/common/sprite_package_writer.h"

namespace spritegen {

// Sized for the nine 18-unit rows those windows show between x 107 and 519: a separator under each
// row, a highlight over the selected one, a frame round each binding's name, a mark on a changed row,
// and the 116-wide buttons that stand 126 apart.
std::vector<tools::NamedImage> DrawSettingsSprites();

}  // namespace spritegen
