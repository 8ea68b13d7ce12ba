// Words set in the fonts for the generated sprites: the fonts made ready, one row of glyph cells and its crisp ink.
#include "tools/spritegen/lettering.h"

#include <algorithm>
#include <iostream>
#include <optional>

namespace spritegen {
namespace {

// A glyph's pixel is inked where it covers at least a third of the pixel.
constexpr int kInkCoverage = 85;

}  // namespace

bool PrepareRasterizer(tools::GlyphRasterizer& rasterizer, const std::vector<std::string>& fonts, int pixels,
                       int cell, const std::set<char16_t>& codes)
{
    for (const std::string& file : fonts) {
        if (!rasterizer.AddFace(file, 0, pixels)) return false;
    }
    rasterizer.SetVisibleCoverage(kInkCoverage);
    return !fonts.empty() && rasterizer.SetCellHeight(cell, codes);
}

void AddCodes(std::set<char16_t>& codes, std::u16string_view text) { codes.insert(text.begin(), text.end()); }

void AddCodes(std::set<char16_t>& codes, const tools::Wording& wording)
{
    for (int script = 0; script < tools::kScripts; ++script) AddCodes(codes, tools::InScript(wording, script));
}

TextRun SetText(tools::GlyphRasterizer& rasterizer, std::u16string_view text)
{
    TextRun run;
    run.height = rasterizer.CellHeight();
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
                if (cell.coverage[row * cell.width + column] >= kInkCoverage) {
                    art.Dot(penX + static_cast<int>(column), y + static_cast<int>(row), ink);
                }
            }
        }
        penX += cell.advance;
    }
}

int LowestInkedRow(const TextRun& run)
{
    int lowest = -1;
    for (const tools::GlyphCell& cell : run.cells) {
        for (std::uint32_t row = 0; row < cell.height; ++row) {
            for (std::uint32_t column = 0; column < cell.width; ++column) {
                if (cell.coverage[row * cell.width + column] >= kInkCoverage) lowest = std::max(lowest, static_cast<int>(row));
            }
        }
    }
    return lowest;
}

PixelArt RimmedLettering(const TextRun& run, int lineHeight, Rgba rim, Rgba shadow, Rgba face)
{
    PixelArt art(run.width + 4, lineHeight + 4);
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            if (dx != 0 || dy != 0) DrawText(art, run, 2 + dx, 2 + dy, rim);
        }
    }
    DrawText(art, run, 2, 3, shadow);
    DrawText(art, run, 2, 2, face);
    return art;
}

bool ScriptLettering::Prepare(const std::vector<std::string>& fonts, const Sizes& pixels, const Sizes& cells,
                              std::span<const tools::Wording> wordings)
{
    for (int script = 0; script < tools::kScripts; ++script) {
        std::set<char16_t> codes;
        for (const tools::Wording& wording : wordings) AddCodes(codes, tools::InScript(wording, script));
        const auto slot = static_cast<std::size_t>(script);
        if (!PrepareRasterizer(rasterizers_[slot], fonts, pixels[slot], cells[slot], codes)) return false;
    }
    return true;
}

TextRun ScriptLettering::Set(const tools::Wording& wording, int script)
{
    return SetText(rasterizers_[static_cast<std::size_t>(script)], tools::InScript(wording, script));
}

bool ScriptLettering::Clipped() const
{
    for (const tools::GlyphRasterizer& rasterizer : rasterizers_) {
        if (!rasterizer.ClippedCodes().empty()) return true;
    }
    return false;
}

void AddLetteredButtons(std::vector<tools::NamedImage>& sprites, const std::string& base, ScriptLettering& lettering,
                        const tools::Wording& wording, const DrawButton& draw)
{
    for (int script = 0; script < tools::kScripts; ++script) {
        const TextRun word = lettering.Set(wording, script);
        sprites.push_back(Named(base + tools::kScriptSuffixes[script], draw(word, false)));
        sprites.push_back(Named(base + "_touch" + tools::kScriptSuffixes[script], draw(word, true)));
    }
}

}  // namespace spritegen
