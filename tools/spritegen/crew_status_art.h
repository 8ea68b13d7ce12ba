// The crew status window's sprites: pointing lines, the name plate, gauge frames, arrows, buttons, meter words and the rat at work.
#pragma once

#include <string>
#include <vector>

#include "tools/common/sprite_package_writer.h"

namespace spritegen {

// In the UI's flat style, 1:1 in canvas units: "ui_pointingline" (from a corner group to the crew
// member in the middle; the window mirrors it for the other corners), "ui_text_actorname",
// "ui_actorstatus_gauge_frame", "ui_actorstatus_left" / "_right", "ui_enterbutton10" and its
// "_touch" twin, the meter words "ui_text_hp", "ui_text_stamina_jp" / "_en", "ui_text_calorie_jp" /
// "_en", and the rat at work ("dot_rat1_0"). Empty, with a line on stderr, when no font can be opened.
std::vector<tools::NamedImage> DrawCrewStatusSprites(const std::vector<std::string>& fontFiles);

}  // namespace spritegen
