// The world map screen's sprites: the hideout mark and its "new" badge, the view's frame, the destination markers, the route marker's plates and lines, the zoom buttons and the goods' empty symbol.
#pragma once

#include <vector>

#include "tools/common/sprite_package_writer.h"

namespace spritegen {

// "ui_map_ajito" (a hideout), "ui_map_new" (not yet visited), "ui_map_frame" (284 x 136, open in
// the middle), "ui_map_next_marker" (the bobbing arrow) and "_marker2" (its ring), "ui_map_text_item"
// and "_enemy" (the scan lines' pictures), "ui_separator1" (a leader plate, 64 wide),
// "ui_slider_minus" / "_plus" and "dot_itemsymbol_01".
std::vector<tools::NamedImage> DrawWorldMapSprites();

}  // namespace spritegen
