// Words set in the fonts for the generated sprites: the fonts made ready, one row of glyph cells and its crisp ink.
#pragma once

#include <array>
#include <functional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tools/common/font_atlas.h"
#include "tools/common/wording.h"
#include "tools/fontbuild/glyph_rasterizer.h"
#include "tools/spritegen/pixel_art.h"

namespace spritegen {

// A text's glyphs in one row and the pen width they take.
struct TextRun {
    int width = 0;
    int height = 0;  // the cells' height
    std::vector<tools::GlyphCell> cells;
};

// Adds the fonts at a pixel size and fits the cell height to the characters that will be set. False
// when there is no font or one cannot be used.
bool PrepareRasterizer(tools::GlyphRasterizer& rasterizer, const std::vector<std::string>& fonts, int pixels,
                       int cell, const std::set<char16_t>& codes);

// Adds the characters of the text, or of the wording in all its scripts, to the set.
void AddCodes(std::set<char16_t>& codes, std::u16string_view text);
void AddCodes(std::set<char16_t>& codes, const tools::Wording& wording);

// Characters no font has are left out, with a warning on stderr.
TextRun SetText(tools::GlyphRasterizer& rasterizer, std::u16string_view text);

// Draws the run with its top-left at (x, y): ink where a glyph covers at least a third of a pixel,
// so the letters stay sharp at whole-step scales.
void DrawText(PixelArt& art, const TextRun& run, int x, int y, Rgba ink);
// The lowest row of the cells that DrawText inks; -1 when it inks none.
int LowestInkedRow(const TextRun& run);

// The run on a picture of its own, two pixels in from every edge: in `face`, over a copy one pixel
// lower in `shadow`, inside a one-pixel rim all round.
PixelArt RimmedLettering(const TextRun& run, int lineHeight, Rgba rim, Rgba shadow, Rgba face);

// One rasterizer per script, each at its own pixel size and cell height: Hangul and kanji need more
// pixels than Latin letters and kana before their strokes stand apart.
class ScriptLettering {
public:
    using Sizes = std::array<int, tools::kScripts>;
    // Fits each script's cell to the characters its wordings use; false when there is no font or
    // one cannot be used.
    bool Prepare(const std::vector<std::string>& fonts, const Sizes& pixels, const Sizes& cells,
                 std::span<const tools::Wording> wordings);
    TextRun Set(const tools::Wording& wording, int script);
    // True when some letter set so far reached past its cell and was cut.
    bool Clipped() const;

private:
    std::array<tools::GlyphRasterizer, tools::kScripts> rasterizers_;
};

// A lettered button in every script, plain and pressed: "<base><suffix>" and "<base>_touch<suffix>".
using DrawButton = std::function<PixelArt(const TextRun& word, bool pressed)>;
void AddLetteredButtons(std::vector<tools::NamedImage>& sprites, const std::string& base, ScriptLettering& lettering,
                        const tools::Wording& wording, const DrawButton& draw);

}  // namespace spritegen
