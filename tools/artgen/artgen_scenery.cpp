// The generated backdrops: the desert's distant views, the ending pictures and the mini-game's screens.
#include "tools/artgen/artgen_scenery.h"

#include <array>
#include <cmath>
#include <vector>

#include "tools/artgen/canvas.h"
#include "tools/artgen/shapes.h"
#include "tools/artgen/stroke_font.h"

namespace artgen {
namespace {

constexpr float kWidth = 640.0f;
constexpr float kHeight = 360.0f;

struct Palette {
    Colour skyTop;
    Colour skyBottom;
    Colour sun;
    Colour farDune;
    Colour nearDuneTop;
    Colour nearDuneBottom;
};

constexpr float kSunRadius[] = {26.0f, 34.0f, 18.0f};

Palette PaletteOf(int timeOfDay)
{
    switch (timeOfDay) {
    case 1:
        return {Hex(0x3A2E5C), Hex(0xF08A4B), Hex(0xFFC46B), Hex(0x8C5A4A), Hex(0xC9784A), Hex(0x7E4530)};
    case 2:
        return {Hex(0x0B1026), Hex(0x27305A), Hex(0xE8EEF5), Hex(0x2A2F4A), Hex(0x3D4466), Hex(0x1C2038)};
    default:
        return {Hex(0x5DA9E9), Hex(0xCFE8F5), Hex(0xFFF3C4), Hex(0xD8B27A), Hex(0xE9C27A), Hex(0xB98847)};
    }
}

// A band of dunes whose outline repeats every `period` pixels, so that the picture tiles sideways.
Shape DuneBand(float width, float bottom, float base, float period, float amplitude, float phase)
{
    std::vector<Point> points;
    constexpr float kTwoPi = 6.2831853f;
    for (float x = 0.0f; x <= width; x += 2.0f) {
        const float y = base + amplitude * std::sin(kTwoPi * x / period + phase) +
                        amplitude * 0.4f * std::sin(kTwoPi * 3.0f * x / period + phase * 2.0f);
        points.push_back({x, y});
    }
    points.push_back({width, bottom});
    points.push_back({0.0f, bottom});
    return Polygon(points);
}

}  // namespace

tools::RgbaImage DrawDistantView(int timeOfDay)
{
    // 400 by 270: the game draws it at the camera's zoom, repeating it sideways with one pixel
    // overlapping; the ground below the dunes reaches the near views' baseline even at zoom 1.
    constexpr float kViewWidth = 400.0f;
    constexpr float kViewHeight = 270.0f;
    constexpr float kPeriod = kViewWidth - 1.0f;
    const Palette palette = PaletteOf(timeOfDay);
    Canvas canvas(static_cast<uint32_t>(kViewWidth), static_cast<uint32_t>(kViewHeight));
    const float horizon = 110.0f;
    canvas.Fill(Rect(0.0f, 0.0f, kViewWidth, kViewHeight),
                LinearGradient(0.0f, 0.0f, palette.skyTop, 0.0f, horizon, palette.skyBottom));
    if (timeOfDay == 2) {
        constexpr std::array<Point, 10> kStars = {{{30, 20}, {80, 50}, {130, 14}, {175, 38}, {220, 10},
                                                   {260, 58}, {305, 26}, {340, 70}, {372, 16}, {60, 84}}};
        for (const Point& star : kStars) canvas.Fill(Circle(star, 1.0f), Solid(Hex(0xFFFFFF, 0.85f)));
    }
    const Point sun = timeOfDay == 1 ? Point{290.0f, horizon - 12.0f} : Point{timeOfDay == 2 ? 96.0f : 310.0f, 40.0f};
    canvas.Fill(Circle(sun, kSunRadius[timeOfDay == 1 ? 1 : timeOfDay == 2 ? 2 : 0] * 0.6f), Solid(palette.sun));
    canvas.Fill(DuneBand(kViewWidth, kViewHeight, horizon - 6.0f, kPeriod, 8.0f, 0.0f), Solid(palette.farDune));
    canvas.Fill(DuneBand(kViewWidth, kViewHeight, horizon + 22.0f, kPeriod / 2.0f, 6.0f, 1.7f),
                LinearGradient(0.0f, horizon + 10.0f, palette.nearDuneTop, 0.0f, kViewHeight, palette.nearDuneBottom));
    return canvas.ToImage();
}

// The ending's tiles repeat every 398 units: each dune's circle has its twin one tile to the side,
// so the left and right edges meet.
constexpr float kEndingTile = 398.0f;

tools::RgbaImage DrawEndingBackground()
{
    // Drawn under the top bar's edge down to the bottom bar: 240 units of evening sky and dunes.
    constexpr float kHigh = 240.0f;
    Canvas canvas(static_cast<uint32_t>(kEndingTile), static_cast<uint32_t>(kHigh));
    canvas.Fill(Rect(0.0f, 0.0f, kEndingTile, kHigh), LinearGradient(0.0f, 0.0f, Hex(0x2B3A67), 0.0f, 190.0f, Hex(0xF7B267)));
    canvas.Fill(Union(Union(Circle({0.0f, 420.0f}, 260.0f), Circle({kEndingTile, 420.0f}, 260.0f)), Circle({230.0f, 450.0f}, 270.0f)),
                LinearGradient(0.0f, 160.0f, Hex(0xC9893F), 0.0f, kHigh, Hex(0x7E4530)));
    return canvas.ToImage();
}

tools::RgbaImage DrawEndingFront()
{
    // A low ridge of sand whose bottom stands on the lower bar: it hides no more than the walkers' feet.
    constexpr float kHigh = 24.0f;
    Canvas canvas(static_cast<uint32_t>(kEndingTile), static_cast<uint32_t>(kHigh));
    canvas.Fill(Union(Union(Circle({0.0f, 330.0f}, 320.0f), Circle({kEndingTile, 330.0f}, 320.0f)), Circle({199.0f, 335.0f}, 322.0f)),
                LinearGradient(0.0f, 8.0f, Hex(0x9C5F2B), 0.0f, kHigh, Hex(0x4E2A17)));
    return canvas.ToImage();
}

tools::RgbaImage DrawMiniGameTitleLogo()
{
    Canvas canvas(320, 120);
    const TextStyle title{34.0f, 7.0f, 0.2f};
    const TextStyle subtitle{16.0f, 3.0f, 0.6f};
    canvas.Fill(CentredText("DUNE DASH", 162.0f, 22.0f, title), Solid(Hex(0x4E2A17)));
    canvas.Fill(CentredText("DUNE DASH", 160.0f, 18.0f, title),
                LinearGradient(0.0f, 18.0f, Hex(0xFFE29A), 0.0f, 62.0f, Hex(0xE8893A)));
    canvas.Fill(CentredText("ARCADE", 160.0f, 86.0f, subtitle), Solid(Hex(0x4FD1C5)));
    return canvas.ToImage();
}

tools::RgbaImage DrawMiniGameFrame()
{
    Canvas canvas(static_cast<uint32_t>(kWidth), static_cast<uint32_t>(kHeight));
    const Shape outer = Rect(0.0f, 0.0f, kWidth, kHeight);
    // Side posts only: a band along the top would cover the HUD's labels in the field's corners.
    const Shape inner = Rect(24.0f, -4.0f, kWidth - 24.0f, kHeight + 4.0f);
    canvas.Fill(Subtract(outer, inner), LinearGradient(0.0f, 0.0f, Hex(0x3A434A), 0.0f, kHeight, Hex(0x1F2428)));
    canvas.Fill(Outline(inner, 2.0f), Solid(Hex(0x4FD1C5)));
    return canvas.ToImage();
}

tools::RgbaImage DrawMiniGameGameOver()
{
    Canvas canvas(320, 80);
    // Set small enough that both words and their shadow keep inside the picture.
    const TextStyle style{32.0f, 6.5f, 0.22f};
    canvas.Fill(CentredText("GAME OVER", 162.0f, 22.0f, style), Solid(Hex(0x1F2428)));
    canvas.Fill(CentredText("GAME OVER", 160.0f, 18.0f, style), Solid(Hex(0xE04848)));
    return canvas.ToImage();
}

tools::RgbaImage DrawMiniGameLicence()
{
    Canvas canvas(320, 40);
    const TextStyle style{14.0f, 2.5f, 0.5f};
    canvas.Fill(CentredText("VESK ARCADE", 160.0f, 13.0f, style), Solid(Hex(0xEDE6D6)));
    return canvas.ToImage();
}

}  // namespace artgen
