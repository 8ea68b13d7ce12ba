// Glyphs rasterised with FreeType from a list of faces, on one shared baseline.
#include "tools/fontbuild/glyph_rasterizer.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <vector>

#include <ft2build.h>
#include FT_FREETYPE_H

namespace tools {

struct GlyphRasterizer::Library {
    FT_Library library = nullptr;
    std::vector<FT_Face> faces;

    ~Library()
    {
        for (FT_Face face : faces) FT_Done_Face(face);
        if (library) FT_Done_FreeType(library);
    }
};

namespace {

// 26.6 fixed point to whole pixels.
int RoundPixels(FT_Pos value)
{
    return static_cast<int>((value + 32) >> 6);
}

// Coverage of one bitmap pixel, 0..255, for the grey and the 1-bit modes.
uint8_t BitmapCoverage(const FT_Bitmap& bitmap, unsigned x, unsigned y)
{
    const unsigned char* row = bitmap.pitch >= 0 ? bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch
                                                 : bitmap.buffer + static_cast<ptrdiff_t>(bitmap.rows - 1 - y) *
                                                                       -bitmap.pitch;
    if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) return (row[x / 8] & (0x80 >> (x % 8))) ? 255 : 0;
    return row[x];
}

}  // namespace

GlyphRasterizer::GlyphRasterizer() : library_(std::make_unique<Library>())
{
    if (FT_Init_FreeType(&library_->library) != 0) {
        std::cerr << "error: FreeType cannot start\n";
        library_->library = nullptr;
    }
}

GlyphRasterizer::~GlyphRasterizer() = default;

bool GlyphRasterizer::AddFace(const std::string& path, int faceIndex, int pixelSize)
{
    if (!library_->library) return false;
    FT_Face face = nullptr;
    if (FT_New_Face(library_->library, path.c_str(), faceIndex, &face) != 0) {
        std::cerr << "error: cannot open face " << faceIndex << " of " << path << "\n";
        return false;
    }
    if (pixelSize <= 0 || FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize)) != 0) {
        std::cerr << "error: " << path << " cannot be sized to " << pixelSize << " pixels\n";
        FT_Done_Face(face);
        return false;
    }
    library_->faces.push_back(face);
    return true;
}

FT_GlyphSlot GlyphRasterizer::LoadGlyph(char16_t code)
{
    for (FT_Face face : library_->faces) {
        if (FT_Get_Char_Index(face, code) == 0) continue;
        // Light hinting fits the stems to the pixel rows without bending shapes.
        if (FT_Load_Char(face, code, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) != 0) {
            std::cerr << "error: cannot render code unit " << std::hex << static_cast<unsigned>(code) << std::dec
                      << "\n";
            return nullptr;
        }
        return face->glyph;
    }
    return nullptr;
}

bool GlyphRasterizer::SetCellHeight(int cellHeight, const std::set<char16_t>& codes)
{
    if (library_->faces.empty() || cellHeight <= 0) {
        std::cerr << "error: a cell height needs a face and a positive height\n";
        return false;
    }
    int above = 0;  // rows of ink above the baseline
    int below = 0;  // rows of ink below it
    for (char16_t code : codes) {
        const FT_GlyphSlot slot = LoadGlyph(code);
        if (!slot || slot->bitmap.rows == 0) continue;
        above = std::max(above, slot->bitmap_top);
        below = std::max(below, static_cast<int>(slot->bitmap.rows) - slot->bitmap_top);
    }
    cellHeight_ = cellHeight;
    baseline_ = std::clamp(above + (cellHeight - above - below) / 2, 1, cellHeight);
    return true;
}

std::optional<GlyphCell> GlyphRasterizer::Render(char16_t code)
{
    if (cellHeight_ <= 0) return std::nullopt;
    const FT_GlyphSlot slot = LoadGlyph(code);
    if (!slot) return std::nullopt;
    const FT_Bitmap& bitmap = slot->bitmap;
    const int advance = std::max(0, RoundPixels(slot->advance.x));
    // A glyph reaching left of the pen is moved right: the cell starts at the pen.
    const int left = std::max(0, slot->bitmap_left);
    const int top = baseline_ - slot->bitmap_top;

    GlyphCell cell;
    cell.code = code;
    cell.width = static_cast<uint32_t>(std::max({1, advance, left + static_cast<int>(bitmap.width)}));
    cell.height = static_cast<uint32_t>(cellHeight_);
    cell.coverage.assign(size_t{cell.width} * cell.height, 0);
    cell.advance = static_cast<int16_t>(advance + extraAdvance_);
    bool clipped = false;
    for (unsigned y = 0; y < bitmap.rows; ++y) {
        const int cellY = top + static_cast<int>(y);
        for (unsigned x = 0; x < bitmap.width; ++x) {
            const uint8_t coverage = BitmapCoverage(bitmap, x, y);
            if (coverage == 0) continue;
            if (cellY < 0 || cellY >= cellHeight_) {
                clipped = clipped || coverage >= visibleCoverage_;
                continue;
            }
            cell.coverage[static_cast<size_t>(cellY) * cell.width + left + x] = coverage;
        }
    }
    if (clipped) clipped_.push_back(code);
    return cell;
}

}  // namespace tools
