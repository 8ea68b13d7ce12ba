// The 3 x 5 pixel letters, digits and marks of the small labels drawn into generated sprites.
#include "tools/spritegen/tiny_font.h"

#include <array>
#include <cstddef>

namespace spritegen {
namespace {

// One string per row, top to bottom; '#' sets a pixel.
struct TinyGlyph {
    char name;
    std::array<const char*, 5> rows;
};
constexpr TinyGlyph kTinyGlyphs[] = {
    {'0', {"###", "#.#", "#.#", "#.#", "###"}}, {'1', {".#.", "##.", ".#.", ".#.", "###"}},
    {'2', {"###", "..#", "###", "#..", "###"}}, {'3', {"###", "..#", ".##", "..#", "###"}},
    {'4', {"#.#", "#.#", "###", "..#", "..#"}}, {'5', {"###", "#..", "###", "..#", "###"}},
    {'6', {"###", "#..", "###", "#.#", "###"}}, {'7', {"###", "..#", ".#.", ".#.", ".#."}},
    {'8', {"###", "#.#", "###", "#.#", "###"}}, {'9', {"###", "#.#", "###", "..#", "###"}},
    {'A', {".#.", "#.#", "###", "#.#", "#.#"}}, {'B', {"##.", "#.#", "##.", "#.#", "##."}},
    {'C', {"###", "#..", "#..", "#..", "###"}}, {'E', {"###", "#..", "##.", "#..", "###"}},
    {'F', {"###", "#..", "##.", "#..", "#.."}}, {'H', {"#.#", "#.#", "###", "#.#", "#.#"}},
    {'L', {"#..", "#..", "#..", "#..", "###"}}, {'N', {"#.#", "###", "###", "#.#", "#.#"}},
    {'O', {"###", "#.#", "#.#", "#.#", "###"}}, {'P', {"###", "#.#", "###", "#..", "#.."}},
    {'R', {"##.", "#.#", "##.", "#.#", "#.#"}}, {'S', {"###", "#..", "###", "..#", "###"}},
    {'T', {"###", ".#.", ".#.", ".#.", ".#."}}, {'U', {"#.#", "#.#", "#.#", "#.#", "###"}},
    {'X', {"#.#", "#.#", ".#.", "#.#", "#.#"}}, {'Y', {"#.#", "#.#", ".#.", ".#.", ".#."}},
    {'/', {"..#", "..#", ".#.", "#..", "#.."}}, {'<', {"..#", ".#.", "#..", ".#.", "..#"}},
};

}  // namespace

void DrawTinyGlyph(PixelArt& art, char name, int x, int y, Rgba ink)
{
    for (const TinyGlyph& glyph : kTinyGlyphs) {
        if (glyph.name != name) continue;
        for (int row = 0; row < 5; ++row) {
            for (int column = 0; column < 3; ++column) {
                if (glyph.rows[static_cast<std::size_t>(row)][column] == '#') art.Dot(x + column, y + row, ink);
            }
        }
    }
}

}  // namespace spritegen
