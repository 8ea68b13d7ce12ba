// Text set with FreeType as a coverage mask that the canvas fills like a shape.
#include "tools/artgen/text_ink.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <optional>
#include <set>

#include "tools/fontbuild/glyph_rasterizer.h"

namespace artgen {

float Ink::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height) return 0.0f;
    return coverage[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
}

Ink SetText(const std::vector<std::string>& fonts, std::u16string_view text, int pixelSize, int cellHeight, int margin)
{
    tools::GlyphRasterizer rasterizer;
    for (const std::string& font : fonts) {
        if (!rasterizer.AddFace(font, 0, pixelSize)) return {};
    }
    const std::set<char16_t> codes(text.begin(), text.end());
    if (fonts.empty() || !rasterizer.SetCellHeight(cellHeight, codes)) {
        std::cerr << "error: the title's lettering needs a font\n";
        return {};
    }
    std::vector<tools::GlyphCell> cells;
    int advance = 0;
    for (char16_t code : text) {
        std::optional<tools::GlyphCell> cell = rasterizer.Render(code);
        if (!cell) {
            std::cerr << "warning: no font has code unit " << std::hex << static_cast<unsigned>(code) << std::dec << "\n";
            continue;
        }
        advance += cell->advance;
        cells.push_back(std::move(*cell));
    }
    Ink ink;
    ink.width = advance + 2 * margin;
    ink.height = cellHeight + 2 * margin;
    ink.coverage.assign(static_cast<std::size_t>(ink.width) * static_cast<std::size_t>(ink.height), 0.0f);
    int pen = margin;
    for (const tools::GlyphCell& cell : cells) {
        for (std::uint32_t y = 0; y < cell.height; ++y) {
            for (std::uint32_t x = 0; x < cell.width; ++x) {
                const int px = pen + static_cast<int>(x);
                const int py = margin + static_cast<int>(y);
                if (px < 0 || px >= ink.width || py >= ink.height) continue;
                float& target = ink.coverage[static_cast<std::size_t>(py) * static_cast<std::size_t>(ink.width) +
                                             static_cast<std::size_t>(px)];
                target = std::max(target, static_cast<float>(cell.coverage[y * cell.width + x]) / 255.0f);
            }
        }
        pen += cell.advance;
    }
    return ink;
}

Ink SetTextToFit(const std::vector<std::string>& fonts, std::u16string_view text, int maxSize, int maxWidth,
                 int cellHeight, int margin)
{
    Ink ink;
    for (int size = maxSize; size >= 6; --size) {
        ink = SetText(fonts, text, size, cellHeight, margin);
        if (ink.width == 0 || ink.width <= maxWidth) break;
    }
    return ink;
}

Ink Grow(const Ink& ink, float radius)
{
    Ink grown = ink;
    const int reach = static_cast<int>(std::ceil(radius));
    for (int y = 0; y < ink.height; ++y) {
        for (int x = 0; x < ink.width; ++x) {
            float best = 0.0f;
            for (int dy = -reach; dy <= reach; ++dy) {
                for (int dx = -reach; dx <= reach; ++dx) {
                    const float distance = std::sqrt(static_cast<float>(dx * dx + dy * dy));
                    // Soft edge: full within the radius, fading over the last pixel.
                    const float weight = std::clamp(radius + 0.5f - distance, 0.0f, 1.0f);
                    best = std::max(best, ink.At(x + dx, y + dy) * weight);
                }
            }
            grown.coverage[static_cast<std::size_t>(y) * static_cast<std::size_t>(ink.width) + static_cast<std::size_t>(x)] = best;
        }
    }
    return grown;
}

Shape InkShape(std::shared_ptr<const Ink> ink, Point topLeft)
{
    return [ink = std::move(ink), topLeft](float x, float y) {
        const int px = static_cast<int>(std::floor(x - topLeft.x));
        const int py = static_cast<int>(std::floor(y - topLeft.y));
        return 0.5f - ink->At(px, py);
    };
}

}  // namespace artgen
