// Scalar maths, vectors, colours and fills.
#include <cmath>
#include <cstring>

#include <gtest/gtest.h>

#include "framework/math/color.h"
#include "framework/math/fill.h"
#include "framework/math/scalar.h"
#include "framework/math/vector.h"

using namespace vesk::math;

TEST(Scalar, DegreeTrigHitsExactValuesAtRightAngles)
{
    EXPECT_EQ(MathSinDeg(90.0f), 1.0f);
    EXPECT_EQ(MathCosDeg(180.0f), -1.0f);
    EXPECT_EQ(MathCosDeg(0.0f), 1.0f);
    EXPECT_NEAR(MathSinDeg(180.0f), 0.0f, 1e-6f);
    EXPECT_NEAR(MathSinDeg(-30.0f), -0.5f, 1e-6f);
}

TEST(Scalar, ResultsAreDoublePrecisionRoundedToFloat)
{
    EXPECT_EQ(MathSqrt(2.0f), static_cast<float>(std::sqrt(2.0)));
    EXPECT_EQ(MathSin(1.0f), static_cast<float>(std::sin(1.0)));
    EXPECT_EQ(MathCos(1.0f), static_cast<float>(std::cos(1.0)));
    EXPECT_EQ(MathAcos(-1.0f), static_cast<float>(std::acos(-1.0)));
    EXPECT_EQ(MathAbs(-2.5f), 2.5f);
}

TEST(Vector, AddScaleAndNormalize)
{
    EXPECT_EQ(Vec2Add({1, 2}, {3, -5}), (Vec2{4, -3}));
    Vec2 v{3, -4};
    Vec2Scale(v, 0.5f);
    EXPECT_EQ(v, (Vec2{1.5f, -2}));
    AddVector2(v, -1.5f, 7);
    EXPECT_EQ(v, (Vec2{0, 5}));
    EXPECT_EQ(GetZeroVec2(), (Vec2{0, 0}));

    EXPECT_EQ(Vec3Normalize({0, 3, 4}), (Vec3{0, 0.6f, 0.8f}));
    // A zero vector has no direction; it must not turn into NaNs.
    EXPECT_EQ(Vec3Normalize({0, 0, 0}), (Vec3{0, 0, 0}));
}

TEST(Color, BytesAreRedGreenBlueAlphaInMemoryAndInTheWord)
{
    const Color color = MakeColorRGBA(0x11, 0x22, 0x33, 0x44);
    unsigned char bytes[4];
    static_assert(sizeof(Color) == 4);
    std::memcpy(bytes, &color, sizeof bytes);
    EXPECT_EQ(bytes[0], 0x11);
    EXPECT_EQ(bytes[1], 0x22);
    EXPECT_EQ(bytes[2], 0x33);
    EXPECT_EQ(bytes[3], 0x44);
    EXPECT_EQ(ColorToWord(color), 0x44332211u);
    EXPECT_EQ(ColorFromWord(0x44332211u), color);

    Color set;
    SetColorRGBA(set, 1, 2, 3, 4);
    EXPECT_EQ(set, (Color{1, 2, 3, 4}));

    EXPECT_EQ(ColorToWord(GetColorWhite()), 0xFFFFFFFFu);
    EXPECT_EQ(ColorToWord(GetColorBlack()), 0xFF000000u);
    EXPECT_EQ(GetColorBlack(), MakeColorRGBA(0, 0, 0, 255));
}

TEST(Fill, WritesExactlyTheCountIncludingAnOddTail)
{
    std::uint16_t buffer[7] = {9, 9, 9, 9, 9, 9, 9};
    FillU16(buffer + 1, 0xABCD, 5);
    const std::uint16_t expected[7] = {9, 0xABCD, 0xABCD, 0xABCD, 0xABCD, 0xABCD, 9};
    EXPECT_EQ(std::memcmp(buffer, expected, sizeof buffer), 0);
    FillU16(buffer, 1, 0);
    EXPECT_EQ(buffer[0], 9);
}
