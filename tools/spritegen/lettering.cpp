// Words set in the fonts for the generated sprites: one row of glyph cells and its crisp ink.
#include "tools/spritegen/lettering.h"

#include <iostream>
#include <optional>

namespace spritegen {

TextRun SetText(tools::GlyphRasterizer& rasterizer, std::u16string_view text)
{
    TextRun run;
    for (char16_t code : text) {
        std::optional<tools::GlyphCell> cell = rasterizer.Render(code);
        if (!cell) {
            std::cerr << "warning: no font has code unit " << std::hex << static_cast<unsigned>(code) << std::dec
                      << "\n";
            continue;
        }
        run.width += cell->advance;
        run.cells.push_back(std::move(*cell));
    }
    return run;
}

void DrawText(PixelArt& art, const TextRun& run, int x, int y, Rgba ink)
{
    int penX = x;
    for (const tools::GlyphCell& cell : run.cells) {
        for (std::uint32_t row = 0; row < cell.height; ++row) {
            for (std::uint32_t column = 0; column < cell.width; ++column) {
                if (cell.coverage[row * cell.width + column] >= 85) {
                    art.Dot(penX + static_cast<int>(column), y + static_cast<int>(row), ink);
                }
            }
        }
        penX += cell.advance;
    }
}

}  // namespace spritegen
