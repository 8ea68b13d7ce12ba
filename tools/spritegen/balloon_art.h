// The crew's speech balloons: one picture per line, with its English and Korean variants.
#pragma once

#include <string>
#include <vector>

#include "tools/common/sprite_package_writer.h"

namespace spritegen {

// "mesballoon_NN" (Japanese), "mesballoon_NN_eng" and "mesballoon_NN_kr" for
// every line, NN from 01. The words are set with the first of the fonts that
// has each character; the balloon's tail points down at its bottom centre.
// Empty, with a line on stderr, when no font can be opened.
std::vector<tools::NamedImage> DrawBalloonSprites(const std::vector<std::string>& fontFiles);

}  // namespace spritegen
