// A small capital font of round-ended strokes for the generated logos.
#pragma once

#include <string_view>

#include "tools/artgen/shapes.h"

namespace artgen {

// A small geometric capital font made of round-ended strokes, enough for the
// generated logos. Letters it does not know are left as blank space.
struct TextStyle {
    float capHeight = 40.0f;    // pixels from the top of a capital to the base line
    float strokeWidth = 6.0f;   // pixels
    float tracking = 0.25f;     // extra space between letters, in cap heights
};

// Width in pixels from the left edge of the first stroke to the right edge of the last.
float TextWidth(std::string_view text, const TextStyle& style);

// The text as one shape; (left, top) is the outer top-left corner of the first stroke.
Shape Text(std::string_view text, Point topLeft, const TextStyle& style);
// The text centred horizontally on x with its capitals' top at y.
Shape CentredText(std::string_view text, float x, float y, const TextStyle& style);

}  // namespace artgen
