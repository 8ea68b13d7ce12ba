// The glyph rasteriser of the font builder: characters from the first face that has them, on one baseline.
#pragma once

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "tools/common/font_atlas.h"

struct FT_GlyphSlotRec_;

namespace tools {

// Rasterises characters with FreeType from a list of faces: each character
// comes from the first face that has it. All glyphs share one baseline, set
// so that the ink of the font's characters sits centred in the line.
class GlyphRasterizer {
public:
    GlyphRasterizer();
    ~GlyphRasterizer();
    GlyphRasterizer(const GlyphRasterizer&) = delete;
    GlyphRasterizer& operator=(const GlyphRasterizer&) = delete;

    // False, with a line on stderr, when the face cannot be opened or sized.
    bool AddFace(const std::string& path, int faceIndex, int pixelSize);

    // Fixes the cell height and puts the baseline where the ink of the given
    // characters, from its highest to its lowest pixel, is centred in it.
    bool SetCellHeight(int cellHeight, const std::set<char16_t>& codes);
    int CellHeight() const { return cellHeight_; }
    int Baseline() const { return baseline_; }

    // Pixels added to every advance (the fonts are drawn with a letter
    // spacing that takes them off again).
    void SetExtraAdvance(int pixels) { extraAdvance_ = pixels; }

    // Ink fainter than this that falls outside the cell is dropped without
    // counting as cut: for pictures drawn only where the ink is this strong.
    void SetVisibleCoverage(int coverage) { visibleCoverage_ = coverage; }

    // Nullopt when no face has the character. Ink that falls outside the
    // cell is cut off, and the character is listed in ClippedCodes.
    std::optional<GlyphCell> Render(char16_t code);
    const std::vector<char16_t>& ClippedCodes() const { return clipped_; }

private:
    struct Library;
    // Loads and renders the character from the first face that has it; the
    // face's glyph slot then holds it. Null when no face has it.
    FT_GlyphSlotRec_* LoadGlyph(char16_t code);

    std::unique_ptr<Library> library_;
    int cellHeight_ = 0;
    int baseline_ = 0;
    int extraAdvance_ = 0;
    int visibleCoverage_ = 1;
    std::vector<char16_t> clipped_;
};

}  // namespace tools
