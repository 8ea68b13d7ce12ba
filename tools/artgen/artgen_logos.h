// The two start-up logos, 512 by 256 on a transparent background.
#pragma once

#include "tools/common/rgba_image.h"

namespace artgen {

// The two start-up logos, 512 by 256 on a transparent background; the game
// shows them centred on its 640 by 360 canvas.
tools::RgbaImage DrawCompanyLogo();
tools::RgbaImage DrawEngineLogo();

}  // namespace artgen
