// Touch points found by rectangle and by radius.
#include <gtest/gtest.h>

#include "framework/input/touch_search.h"

namespace vesk::input {
namespace {

TEST(TouchSearch, FirstPointInsideTheRectOrCircleWins)
{
    TouchPoint a;
    a.x = 10;
    a.y = 20;
    TouchPoint b;
    b.x = 30;
    b.y = 40;
    const TouchList points{nullptr, &a, &b};

    EXPECT_EQ(FindObjectInRect(points, {10, 20}, {30, 40}), &a);  // edges count
    EXPECT_EQ(FindObjectInRect(points, {11, 20}, {30, 40}), &b);
    EXPECT_EQ(FindObjectInRect(points, {31, 0}, {100, 100}), nullptr);
    EXPECT_EQ(FindObjectInRect({}, {0, 0}, {100, 100}), nullptr);

    EXPECT_EQ(FindObjectInRadius(points, {33, 44}, 5.0f), &b);  // exactly on the circle
    EXPECT_EQ(FindObjectInRadius(points, {33, 44}, 4.9f), nullptr);
    EXPECT_EQ(FindObjectInRadius(points, {20, 30}, 15.0f), &a);
}

}  // namespace
}  // namespace vesk::input
