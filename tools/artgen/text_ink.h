// Text set with FreeType as a coverage mask that the canvas fills like a shape.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "tools/artgen/shapes.h"

namespace artgen {

// Coverage 0 to 1 per pixel, rows top to bottom.
struct Ink {
    int width = 0;
    int height = 0;
    std::vector<float> coverage;

    float At(int x, int y) const;
};

// One line of text in the given faces (each character from the first face that has it), at a pixel
// size, in a cell of the given height with the ink centred in it, and a margin of empty pixels all
// round. An empty ink (with a line on stderr) when a face cannot be opened.
Ink SetText(const std::vector<std::string>& fonts, std::u16string_view text, int pixelSize, int cellHeight, int margin);
// The largest size from maxSize down whose line, margin included, is at most maxWidth wide.
Ink SetTextToFit(const std::vector<std::string>& fonts, std::u16string_view text, int maxSize, int maxWidth,
                 int cellHeight, int margin);
// Every pixel takes the highest coverage within the radius: the ink grown into an outline.
Ink Grow(const Ink& ink, float radius);
// The ink as a shape, its top-left corner at the point.
Shape InkShape(std::shared_ptr<const Ink> ink, Point topLeft);

}  // namespace artgen
