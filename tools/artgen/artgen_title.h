// The title screen's pictures: the framing band, the rights notice, and the logo and menu entries in three scripts.
#pragma once

#include <string>
#include <vector>

#include "tools/common/sprite_package_writer.h"

namespace artgen {

// The 23 pictures the title loads, named as its files without the extension: "ui_title_bg", the
// rights notice "ui_title_copyright", then the logo and the six menu entries, each as a Japanese
// picture and an "_eng" and a "_kr" one. The entries are as wide as the title's cursor expects.
// The fonts set the lettering; each character comes from the first font that has it. Empty when
// no font can be used.
std::vector<tools::NamedImage> DrawTitleImages(const std::vector<std::string>& fonts);

}  // namespace artgen
