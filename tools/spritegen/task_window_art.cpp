// The task windows' sprites: the progress bar's frame and the symbol of an item without a picture of its own.
#include "tools/spritegen/task_window_art.h"

#include "tools/spritegen/pixel_art.h"
#include "tools/spritegen/ui_palette.h"

namespace spritegen {
namespace {

using namespace ui_style;

PixelArt BarFrame()
{
    PixelArt art(210, 19);
    art.Frame(0, 0, 210, 19, kFrameDim);
    art.Frame(1, 2, 208, 15, kOutline);
    // Quarter ticks under the bar.
    for (int x = 2; x < 208; x += 51) art.Fill(x, 17, 1, 2, kFrame);
    return art;
}

// A plain crate: any item.
PixelArt AnyItem()
{
    PixelArt art(14, 14);
    art.OutlinedFill(1, 3, 12, 10, kOutline, Hex(0xB98A52));
    art.Fill(2, 6, 10, 1, Hex(0x7A5530));
    art.Fill(6, 4, 2, 8, Hex(0x7A5530));
    art.Fill(2, 1, 10, 2, Hex(0xD9B07A));
    return art;
}

}  // namespace

std::vector<tools::NamedImage> DrawTaskWindowSprites()
{
    return {Named("ui_progressbar_flame", BarFrame()), Named("dot_itemsymbol_13", AnyItem())};
}

}  // namespace spritegen
