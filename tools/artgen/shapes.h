// Signed-distance shapes for the generated art.
#pragma once

#include <vector>

#include "tools/artgen/canvas.h"

namespace artgen {

struct Point {
    float x = 0.0f;
    float y = 0.0f;
};

inline constexpr float kPi = 3.14159265f;

Shape Circle(Point centre, float radius);
// A line of the given width with round ends.
Shape Stroke(Point from, Point to, float width);
// A round-ended stroke along a circle from an angle (radians, y pointing down,
// 0 to the right) through a signed sweep.
Shape ArcStroke(Point centre, float radius, float startAngle, float sweep, float width);
// A filled convex or concave polygon without self-crossings.
Shape Polygon(std::vector<Point> points);
// The rectangle as a polygon, clockwise from its top-left corner.
Shape Rect(float left, float top, float right, float bottom);
// A toothed wheel with a round hole.
Shape Gear(Point centre, float radius, int teeth, float toothDepth, float toothWidth, float holeRadius);

Shape Union(Shape a, Shape b);
Shape Intersect(Shape a, Shape b);
Shape Subtract(Shape from, Shape cut);
// The band of the given width around a shape's outline.
Shape Outline(Shape shape, float width);

}  // namespace artgen
