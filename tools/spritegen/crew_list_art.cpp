// The crew screens' sprites: the body of a meter's bar.
#include "tools/spritegen/crew_list_art.h"

#include "tools/spritegen/pixel_art.h"
#include "tools/spritegen/ui_palette.h"

namespace spritegen {
namespace {

using namespace ui_style;

// Lit along its top, a shade darker below the middle.
PixelArt BarBody()
{
    PixelArt art(16, 8);
    art.Fill(0, 0, 16, 8, Hex(0xC9F2B4));
    art.Fill(0, 2, 16, 2, Hex(0xE9FBDF));
    art.Fill(0, 5, 16, 3, Hex(0xA7DB8E));
    return art;
}

}  // namespace

std::vector<tools::NamedImage> DrawCrewListSprites() { return {Named("ui_room_hpbar_body", BarBody())}; }

}  // namespace spritegen
