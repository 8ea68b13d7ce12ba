// The world map's picture: a desert with rocks, ruins and an oasis, and a landmark under each hideout, without roads or names.
#include "tools/artgen/artgen_map.h"

#include <cmath>
#include <cstdint>

#include "tools/artgen/canvas.h"

namespace artgen {
namespace {

// A small fixed generator, so that every build draws the same desert.
class Scatter {
public:
    explicit Scatter(std::uint32_t seed) : state_(seed) {}
    float Next(float low, float high)
    {
        state_ = state_ * 1664525u + 1013904223u;
        return low + (high - low) * static_cast<float>(state_ >> 8) / static_cast<float>(1u << 24);
    }

private:
    std::uint32_t state_;
};

// Whether a point lies clear of every landmark (scenery keeps off the hideouts).
bool ClearOfLandmarks(Point point, float margin)
{
    for (const Point& landmark : kHideoutLandmarks) {
        const float dx = point.x - landmark.x;
        const float dy = point.y - landmark.y;
        if (dx * dx + dy * dy < margin * margin) return false;
    }
    return true;
}

Shape Ellipse(Point centre, float radiusX, float radiusY)
{
    return [centre, radiusX, radiusY](float x, float y) {
        const float dx = (x - centre.x) / radiusX;
        const float dy = (y - centre.y) / radiusY;
        return (std::sqrt(dx * dx + dy * dy) - 1.0f) * std::min(radiusX, radiusY);
    };
}

void DrawDuneRipples(Canvas& canvas)
{
    Scatter scatter(11);
    for (int i = 0; i < 38; ++i) {
        const Point centre{scatter.Next(0.0f, kWorldMapWidth), scatter.Next(0.0f, kWorldMapHeight)};
        const float radius = scatter.Next(30.0f, 70.0f);
        canvas.Fill(ArcStroke(centre, radius, kPi * 1.15f, kPi * 0.55f, 2.0f), Solid(Hex(0xC49A5E, 0.55f)));
        canvas.Fill(ArcStroke({centre.x, centre.y + 3.0f}, radius, kPi * 1.2f, kPi * 0.45f, 1.5f), Solid(Hex(0xF3DDA8, 0.5f)));
    }
}

void DrawRocks(Canvas& canvas)
{
    Scatter scatter(29);
    for (int cluster = 0; cluster < 14; ++cluster) {
        const Point centre{scatter.Next(20.0f, kWorldMapWidth - 20.0f), scatter.Next(20.0f, kWorldMapHeight - 20.0f)};
        if (!ClearOfLandmarks(centre, 34.0f)) continue;
        for (int rock = 0; rock < 4; ++rock) {
            const Point at{centre.x + scatter.Next(-14.0f, 14.0f), centre.y + scatter.Next(-9.0f, 9.0f)};
            const float radius = scatter.Next(3.0f, 8.0f);
            canvas.Fill(Ellipse({at.x + 2.0f, at.y + 2.0f}, radius * 1.2f, radius * 0.7f), Solid(Hex(0x6B4E2E, 0.45f)));
            canvas.Fill(Circle(at, radius), Solid(Hex(0x8D7357)));
            canvas.Fill(Circle({at.x - radius * 0.3f, at.y - radius * 0.35f}, radius * 0.45f), Solid(Hex(0xB29A7C)));
        }
    }
}

// Broken walls of an old town: short blocks on a square plan, some missing.
void DrawRuins(Canvas& canvas, Point corner, float size)
{
    const Colour stone = Hex(0x9C8B74);
    const Colour shade = Hex(0x5F5142, 0.6f);
    const float wall = 4.0f;
    const float third = size / 3.0f;
    for (int piece = 0; piece < 3; ++piece) {
        const float start = static_cast<float>(piece) * third;
        if (piece != 1) {
            canvas.Fill(Rect(corner.x + start + 2.0f, corner.y + 2.0f, corner.x + start + third + 2.0f, corner.y + wall + 2.0f), Solid(shade));
            canvas.Fill(Rect(corner.x + start, corner.y, corner.x + start + third - 3.0f, corner.y + wall), Solid(stone));
        }
        if (piece != 2) {
            canvas.Fill(Rect(corner.x, corner.y + start, corner.x + wall, corner.y + start + third - 3.0f), Solid(stone));
            canvas.Fill(Rect(corner.x + size - wall, corner.y + start + 4.0f, corner.x + size, corner.y + start + third), Solid(stone));
        }
    }
    canvas.Fill(Circle({corner.x + size * 0.5f, corner.y + size * 0.6f}, 3.0f), Solid(stone));
}

void DrawOasis(Canvas& canvas, Point centre)
{
    canvas.Fill(Ellipse(centre, 34.0f, 20.0f), Solid(Hex(0x7FA05A)));
    canvas.Fill(Ellipse({centre.x + 2.0f, centre.y + 1.0f}, 24.0f, 13.0f), Solid(Hex(0x3E86B5)));
    canvas.Fill(Ellipse({centre.x - 4.0f, centre.y - 3.0f}, 10.0f, 4.0f), Solid(Hex(0x8CC8EA, 0.8f)));
    for (const Point palm : {Point{centre.x - 30.0f, centre.y - 12.0f}, Point{centre.x + 28.0f, centre.y - 14.0f}, Point{centre.x + 12.0f, centre.y + 18.0f}}) {
        canvas.Fill(Circle(palm, 5.0f), Solid(Hex(0x2F6B33)));
        canvas.Fill(Circle({palm.x - 1.5f, palm.y - 1.5f}, 2.5f), Solid(Hex(0x58A057)));
    }
}

// A landmark: a ring of standing stones round a paved circle, the paving's colour right under the
// hideout's point.
void DrawLandmark(Canvas& canvas, Point centre)
{
    canvas.Fill(Circle({centre.x + 2.0f, centre.y + 3.0f}, 15.0f), Solid(Hex(0x6B4E2E, 0.35f)));
    canvas.Fill(Circle(centre, 14.0f), Solid(Hex(0x7A6A55)));
    canvas.Fill(Circle(centre, 11.0f), Solid(Hex(kLandmarkPaving)));
    for (int stone = 0; stone < 8; ++stone) {
        const float angle = static_cast<float>(stone) * kPi / 4.0f;
        canvas.Fill(Circle({centre.x + 12.5f * std::cos(angle), centre.y + 12.5f * std::sin(angle)}, 2.2f), Solid(Hex(0x4F4538)));
    }
}

}  // namespace

tools::RgbaImage DrawWorldMap()
{
    Canvas canvas(static_cast<std::uint32_t>(kWorldMapWidth), static_cast<std::uint32_t>(kWorldMapHeight));
    canvas.Fill(Rect(0.0f, 0.0f, kWorldMapWidth, kWorldMapHeight),
                LinearGradient(0.0f, 0.0f, Hex(0xE6C68A), kWorldMapWidth, kWorldMapHeight, Hex(0xD3A765)));
    // A darker stony plain in the east and a salt pan in the north-west.
    canvas.Fill(Ellipse({600.0f, 330.0f}, 150.0f, 90.0f), Solid(Hex(0xC08E52, 0.45f)));
    canvas.Fill(Ellipse({120.0f, 90.0f}, 90.0f, 45.0f), Solid(Hex(0xF1E6CF, 0.6f)));
    DrawDuneRipples(canvas);
    DrawRocks(canvas);
    DrawRuins(canvas, {455.0f, 35.0f}, 48.0f);
    DrawRuins(canvas, {180.0f, 360.0f}, 40.0f);
    DrawOasis(canvas, {600.0f, 60.0f});
    for (const Point& landmark : kHideoutLandmarks) DrawLandmark(canvas, landmark);
    return canvas.ToImage();
}

}  // namespace artgen
