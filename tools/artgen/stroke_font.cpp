// The letters of the stroke font as lines and arcs, and texts set from them.
#include "tools/artgen/stroke_font.h"

#include <algorithm>
#include <vector>

namespace artgen {
namespace {

// A stroke in letter units: the cap height is 1, y grows downwards.
struct Line {
    Point from;
    Point to;
};
struct Arc {
    Point centre;
    float radius;
    float startDegrees;
    float sweepDegrees;
};
struct Letter {
    char character;
    float width;
    std::vector<std::vector<Point>> polylines;
    std::vector<Arc> arcs;
};

const std::vector<Letter>& Letters()
{
    static const std::vector<Letter> letters = {
        {'A', 0.72f, {{{0.0f, 1.0f}, {0.36f, 0.0f}, {0.72f, 1.0f}}, {{0.13f, 0.64f}, {0.59f, 0.64f}}}, {}},
        {'C', 0.8f, {}, {{{0.5f, 0.5f}, 0.5f, -45.0f, -270.0f}}},
        {'D', 0.7f, {{{0.2f, 0.0f}, {0.0f, 0.0f}, {0.0f, 1.0f}, {0.2f, 1.0f}}}, {{{0.2f, 0.5f}, 0.5f, -90.0f, 180.0f}}},
        {'E', 0.58f, {{{0.58f, 0.0f}, {0.0f, 0.0f}, {0.0f, 1.0f}, {0.58f, 1.0f}}, {{0.0f, 0.5f}, {0.48f, 0.5f}}}, {}},
        {'G', 0.92f, {{{0.52f, 0.5f}, {0.92f, 0.5f}}}, {{{0.46f, 0.5f}, 0.46f, -40.0f, -320.0f}}},
        {'H', 0.66f, {{{0.0f, 0.0f}, {0.0f, 1.0f}}, {{0.66f, 0.0f}, {0.66f, 1.0f}}, {{0.0f, 0.5f}, {0.66f, 0.5f}}}, {}},
        {'I', 0.0f, {{{0.0f, 0.0f}, {0.0f, 1.0f}}}, {}},
        {'K', 0.66f, {{{0.0f, 0.0f}, {0.0f, 1.0f}}, {{0.66f, 0.0f}, {0.0f, 0.6f}}, {{0.25f, 0.38f}, {0.68f, 1.0f}}}, {}},
        {'M', 0.82f, {{{0.0f, 1.0f}, {0.0f, 0.0f}, {0.41f, 0.68f}, {0.82f, 0.0f}, {0.82f, 1.0f}}}, {}},
        {'N', 0.7f, {{{0.0f, 1.0f}, {0.0f, 0.0f}, {0.7f, 1.0f}, {0.7f, 0.0f}}}, {}},
        {'O', 1.0f, {}, {{{0.5f, 0.5f}, 0.5f, 0.0f, 360.0f}}},
        {'R', 0.64f,
         {{{0.0f, 1.0f}, {0.0f, 0.0f}, {0.36f, 0.0f}}, {{0.36f, 0.56f}, {0.0f, 0.56f}}, {{0.3f, 0.56f}, {0.64f, 1.0f}}},
         {{{0.36f, 0.28f}, 0.28f, -90.0f, 180.0f}}},
        {'S', 0.5f, {}, {{{0.25f, 0.25f}, 0.25f, -15.0f, -255.0f}, {{0.25f, 0.75f}, 0.25f, -90.0f, 255.0f}}},
        {'U', 0.66f, {{{0.0f, 0.0f}, {0.0f, 0.67f}}, {{0.66f, 0.0f}, {0.66f, 0.67f}}}, {{{0.33f, 0.67f}, 0.33f, 0.0f, 180.0f}}},
        {'V', 0.7f, {{{0.0f, 0.0f}, {0.35f, 1.0f}, {0.7f, 0.0f}}}, {}},
        {'X', 0.7f, {{{0.0f, 0.0f}, {0.7f, 1.0f}}, {{0.7f, 0.0f}, {0.0f, 1.0f}}}, {}},
    };
    return letters;
}

const Letter* FindLetter(char character)
{
    for (const Letter& letter : Letters()) {
        if (letter.character == character) {
            return &letter;
        }
    }
    return nullptr;
}

float LetterWidth(char character)
{
    const Letter* letter = FindLetter(character);
    return letter ? letter->width : 0.5f;  // unknown letters and spaces
}

}  // namespace

float TextWidth(std::string_view text, const TextStyle& style)
{
    if (text.empty()) {
        return 0.0f;
    }
    const float scale = style.capHeight - style.strokeWidth;
    float width = 0.0f;
    for (char character : text) {
        width += LetterWidth(character) * scale + style.strokeWidth;
    }
    width += static_cast<float>(text.size() - 1) * style.tracking * style.capHeight;
    return width;
}

Shape Text(std::string_view text, Point topLeft, const TextStyle& style)
{
    std::vector<Shape> strokes;
    const float half = style.strokeWidth * 0.5f;
    // Strokes run through the middle of the lines, so the inner box is inset by half a stroke.
    const float scale = style.capHeight - style.strokeWidth;
    float penX = topLeft.x + half;
    const float top = topLeft.y + half;
    for (char character : text) {
        const Letter* letter = FindLetter(character);
        if (letter) {
            const auto place = [&](Point p) { return Point{penX + p.x * scale, top + p.y * scale}; };
            for (const auto& polyline : letter->polylines) {
                for (size_t i = 0; i + 1 < polyline.size(); ++i) {
                    strokes.push_back(Stroke(place(polyline[i]), place(polyline[i + 1]), style.strokeWidth));
                }
            }
            for (const Arc& arc : letter->arcs) {
                strokes.push_back(ArcStroke(place(arc.centre), arc.radius * scale, arc.startDegrees * kPi / 180.0f,
                                            arc.sweepDegrees * kPi / 180.0f, style.strokeWidth));
            }
        }
        penX += LetterWidth(character) * scale + style.strokeWidth + style.tracking * style.capHeight;
    }
    return [strokes = std::move(strokes)](float x, float y) {
        float distance = 1e30f;
        for (const Shape& stroke : strokes) {
            distance = std::min(distance, stroke(x, y));
        }
        return distance;
    };
}

Shape CentredText(std::string_view text, float x, float y, const TextStyle& style)
{
    return Text(text, {x - TextWidth(text, style) * 0.5f, y}, style);
}

}  // namespace artgen
