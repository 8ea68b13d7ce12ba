// 2D, 3D and 4D float vectors and their arithmetic.
#pragma once

namespace vesk::math {

struct Vec2 {
    float x = 0.0f;
    float y = 0.0f;
};

struct Vec3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

// A 4D vector, a homogeneous point (w = 1) or a plane (normal xyz, distance w).
struct Vec4 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float w = 0.0f;
};

inline constexpr bool operator==(const Vec2& a, const Vec2& b) { return a.x == b.x && a.y == b.y; }
inline constexpr bool operator==(const Vec3& a, const Vec3& b) { return a.x == b.x && a.y == b.y && a.z == b.z; }
inline constexpr bool operator==(const Vec4& a, const Vec4& b)
{
    return a.x == b.x && a.y == b.y && a.z == b.z && a.w == b.w;
}

// The shared (0, 0) vector.
inline const Vec2& GetZeroVec2()
{
    static constexpr Vec2 kZero{};
    return kZero;
}

inline constexpr Vec2 Vec2Add(const Vec2& a, const Vec2& b) { return {a.x + b.x, a.y + b.y}; }

// Moves the point by (dx, dy) in place.
inline constexpr void AddVector2(Vec2& v, float dx, float dy)
{
    v.x += dx;
    v.y += dy;
}

inline constexpr void Vec2Scale(Vec2& v, float s)
{
    v.x *= s;
    v.y *= s;
}

inline constexpr Vec3 Vec3Sub(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }

inline constexpr float Vec3Dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

inline constexpr Vec3 Vec3Cross(const Vec3& a, const Vec3& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// Unit vector along v; the zero vector stays zero rather than turning into NaNs.
Vec3 Vec3Normalize(const Vec3& v);

}  // namespace vesk::math
