// A font's glyph cells packed into its image and described in its glyph table.
#include "tools/common/font_atlas.h"

#include <iostream>
#include <set>

#include "framework/graphics/glyph_table.h"
#include "tools/common/atlas_packer.h"
#include "tools/common/glyph_table_writer.h"

namespace tools {
namespace {

bool CheckCells(const std::vector<GlyphCell>& cells)
{
    std::set<char16_t> seen;
    for (const GlyphCell& cell : cells) {
        const unsigned code = cell.code;
        if (cell.code == 0 || !seen.insert(cell.code).second) {
            std::cerr << "error: glyph for code unit " << std::hex << code << std::dec
                      << (cell.code == 0 ? " cannot be mapped\n" : " given twice\n");
            return false;
        }
        if (cell.width == 0 || cell.height == 0 ||
            cell.coverage.size() != static_cast<size_t>(cell.width) * cell.height) {
            std::cerr << "error: glyph for code unit " << std::hex << code << std::dec << " has no proper pixels\n";
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<FontAtlas> BuildFontAtlas(const std::vector<GlyphCell>& cells, float cellHeight)
{
    if (!CheckCells(cells)) return std::nullopt;
    std::vector<AtlasSize> sizes;
    sizes.reserve(cells.size());
    for (const GlyphCell& cell : cells) sizes.push_back({cell.width, cell.height});
    const std::optional<AtlasLayout> layout = PackAtlas(sizes);
    if (!layout) {
        std::cerr << "error: " << cells.size() << " glyphs do not fit one image\n";
        return std::nullopt;
    }

    FontAtlas atlas;
    // The packer's borders stay transparent: a glyph's neighbour never shows.
    atlas.image = RgbaImage(layout->size.width, layout->size.height);
    GlyphTableWriter table;
    table.SetCellHeight(cellHeight);
    const float imageWidth = static_cast<float>(layout->size.width);
    const float imageHeight = static_cast<float>(layout->size.height);
    for (size_t i = 0; i < cells.size(); ++i) {
        const GlyphCell& cell = cells[i];
        const AtlasPlace place = layout->places[i];
        for (uint32_t y = 0; y < cell.height; ++y) {
            for (uint32_t x = 0; x < cell.width; ++x) {
                uint8_t* pixel = &atlas.image.rgba[((size_t{place.y} + y) * atlas.image.width + place.x + x) * 4];
                pixel[0] = pixel[1] = pixel[2] = 255;
                pixel[3] = cell.coverage[size_t{y} * cell.width + x];
            }
        }
        vesk::resource::Glyph glyph;
        glyph.left = static_cast<float>(place.x) / imageWidth;
        glyph.top = static_cast<float>(place.y) / imageHeight;
        glyph.right = static_cast<float>(place.x + cell.width) / imageWidth;
        glyph.bottom = static_cast<float>(place.y + cell.height) / imageHeight;
        glyph.advance = cell.advance;
        const int index = table.AddGlyph(glyph);
        if (index < 0 || !table.MapCode(cell.code, index)) {
            std::cerr << "error: the glyph table cannot hold " << cells.size() << " glyphs\n";
            return std::nullopt;
        }
    }
    atlas.glyphTable = table.Write();
    return atlas;
}

}  // namespace tools
