// Signed-distance shapes: circles, strokes, arcs, polygons, gears, their combinations and outlines.
#include "tools/artgen/shapes.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace artgen {
namespace {

float DistanceToSegment(Point p, Point a, Point b)
{
    const float abx = b.x - a.x;
    const float aby = b.y - a.y;
    const float lengthSquared = abx * abx + aby * aby;
    float t = 0.0f;
    if (lengthSquared > 0.0f) {
        t = std::clamp(((p.x - a.x) * abx + (p.y - a.y) * aby) / lengthSquared, 0.0f, 1.0f);
    }
    return std::hypot(p.x - (a.x + abx * t), p.y - (a.y + aby * t));
}

}  // namespace

Shape Circle(Point centre, float radius)
{
    return [=](float x, float y) { return std::hypot(x - centre.x, y - centre.y) - radius; };
}

Shape Stroke(Point from, Point to, float width)
{
    return [=](float x, float y) { return DistanceToSegment({x, y}, from, to) - width * 0.5f; };
}

Shape ArcStroke(Point centre, float radius, float startAngle, float sweep, float width)
{
    const Point start{centre.x + radius * std::cos(startAngle), centre.y + radius * std::sin(startAngle)};
    const float endAngle = startAngle + sweep;
    const Point end{centre.x + radius * std::cos(endAngle), centre.y + radius * std::sin(endAngle)};
    return [=](float x, float y) {
        const float dx = x - centre.x;
        const float dy = y - centre.y;
        // How far round from the start, in the sweep's direction.
        float along = std::atan2(dy, dx) - startAngle;
        if (sweep < 0.0f) {
            along = -along;
        }
        along = std::fmod(along, 2.0f * kPi);
        if (along < 0.0f) {
            along += 2.0f * kPi;
        }
        float distance;
        if (along <= std::fabs(sweep)) {
            distance = std::fabs(std::hypot(dx, dy) - radius);
        } else {
            distance = std::min(std::hypot(x - start.x, y - start.y), std::hypot(x - end.x, y - end.y));
        }
        return distance - width * 0.5f;
    };
}

Shape Polygon(std::vector<Point> points)
{
    return [points = std::move(points)](float x, float y) {
        float distance = 1e30f;
        bool inside = false;
        for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
            const Point& a = points[i];
            const Point& b = points[j];
            distance = std::min(distance, DistanceToSegment({x, y}, a, b));
            if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) {
                inside = !inside;
            }
        }
        return inside ? -distance : distance;
    };
}

Shape Rect(float left, float top, float right, float bottom)
{
    return Polygon({{left, top}, {right, top}, {right, bottom}, {left, bottom}});
}

Shape Gear(Point centre, float radius, int teeth, float toothDepth, float toothWidth, float holeRadius)
{
    const float step = 2.0f * kPi / static_cast<float>(teeth);
    return [=](float x, float y) {
        const float dx = x - centre.x;
        const float dy = y - centre.y;
        // Turn the point onto the nearest tooth, which then lies on the +x axis.
        const float angle = std::atan2(dy, dx);
        const float turn = -std::round(angle / step) * step;
        const float lx = dx * std::cos(turn) - dy * std::sin(turn);
        const float ly = dx * std::sin(turn) + dy * std::cos(turn);
        const float corner = 2.0f;
        const float qx = std::fabs(lx - radius) - (toothDepth - corner);
        const float qy = std::fabs(ly) - (toothWidth * 0.5f - corner);
        const float tooth = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f)) + std::min(std::max(qx, qy), 0.0f) -
                            corner;
        const float body = std::hypot(dx, dy) - radius;
        const float wheel = std::min(body, tooth);
        return std::max(wheel, holeRadius - std::hypot(dx, dy));
    };
}

Shape Union(Shape a, Shape b)
{
    return [a = std::move(a), b = std::move(b)](float x, float y) { return std::min(a(x, y), b(x, y)); };
}

Shape Intersect(Shape a, Shape b)
{
    return [a = std::move(a), b = std::move(b)](float x, float y) { return std::max(a(x, y), b(x, y)); };
}

Shape Subtract(Shape from, Shape cut)
{
    return [from = std::move(from), cut = std::move(cut)](float x, float y) {
        return std::max(from(x, y), -cut(x, y));
    };
}

Shape Outline(Shape shape, float width)
{
    return [shape = std::move(shape), width](float x, float y) { return std::fabs(shape(x, y)) - width * 0.5f; };
}

}  // namespace artgen
