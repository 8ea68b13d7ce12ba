// Quaternion and transform helpers of the model pose.
#include "framework/graphics/model_math.h"

#include "framework/math/scalar.h"

namespace vesk::resource {

using math::Mat4;
using math::Vec3;
using math::Vec4;

namespace {

float Dot4(const Vec4& a, const Vec4& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w;
}

Vec4 Negate(const Vec4& q)
{
    return {-q.x, -q.y, -q.z, -q.w};
}

Vec4 WeightedSum(const Vec4& a, float wa, const Vec4& b, float wb)
{
    return {a.x * wa + b.x * wb, a.y * wa + b.y * wb, a.z * wa + b.z * wb, a.w * wa + b.w * wb};
}

}  // namespace

Mat4 MatrixFromQuaternion(const Vec4& q)
{
    const float x = q.x, y = q.y, z = q.z, w = q.w;
    Mat4 m = math::GetIdentityMatrix();
    m(0, 0) = 1.0f - 2.0f * (y * y + z * z);
    m(0, 1) = 2.0f * (x * y + z * w);
    m(0, 2) = 2.0f * (x * z - y * w);
    m(1, 0) = 2.0f * (x * y - z * w);
    m(1, 1) = 1.0f - 2.0f * (x * x + z * z);
    m(1, 2) = 2.0f * (y * z + x * w);
    m(2, 0) = 2.0f * (x * z + y * w);
    m(2, 1) = 2.0f * (y * z - x * w);
    m(2, 2) = 1.0f - 2.0f * (x * x + y * y);
    return m;
}

Mat4 MatrixFromRotationTranslation(const Vec4& q, const Vec3& translation)
{
    Mat4 m = MatrixFromQuaternion(q);
    m(3, 0) = translation.x;
    m(3, 1) = translation.y;
    m(3, 2) = translation.z;
    return m;
}

Mat4 ComposeLocalMatrix(const Vec3& scale, const Vec4& rotation, const Vec3& translation)
{
    Mat4 scaleMatrix = math::GetIdentityMatrix();
    scaleMatrix(0, 0) = scale.x;
    scaleMatrix(1, 1) = scale.y;
    scaleMatrix(2, 2) = scale.z;
    Mat4 local = math::MultiplyMatrix(scaleMatrix, MatrixFromQuaternion(rotation));
    local(3, 0) = translation.x;
    local(3, 1) = translation.y;
    local(3, 2) = translation.z;
    local(3, 3) = 1.0f;
    return local;
}

Vec4 InterpolateKeyRotation(const Vec4& a, const Vec4& b, float factor)
{
    Vec4 to = b;
    float d = Dot4(a, b);
    if (d < 0.0f) {
        to = Negate(b);
        d = -d;
    }
    if (d > 0.999999f || factor == 0.0f || factor == 1.0f) {
        return WeightedSum(a, 1.0f - factor, to, factor);
    }
    const float theta = math::MathAcos(d);
    const float sinTheta = math::MathSin(theta);
    return WeightedSum(a, math::MathSin((1.0f - factor) * theta) / sinTheta, to, math::MathSin(factor * theta) / sinTheta);
}

Vec4 BlendFadeRotation(const Vec4& q1, const Vec4& q2, float t)
{
    Vec4 from = q1;
    float d = Dot4(q1, q2);
    if (d < 0.0f) {
        from = Negate(q1);
        d = -d;
    }
    if (1.0f - d < 0.05f) {
        const Vec4 blended = WeightedSum(from, 1.0f - t, q2, t);
        const float length = math::MathSqrt(Dot4(blended, blended));
        if (length == 0.0f) return blended;
        return {blended.x / length, blended.y / length, blended.z / length, blended.w / length};
    }
    const float theta = math::MathAcos(d);
    const float sinTheta = math::MathSin(theta);
    return WeightedSum(from, math::MathSin((1.0f - t) * theta) / sinTheta, q2, math::MathSin(t * theta) / sinTheta);
}

Vec3 LerpVec3(const Vec3& a, const Vec3& b, float factor)
{
    return {a.x + (b.x - a.x) * factor, a.y + (b.y - a.y) * factor, a.z + (b.z - a.z) * factor};
}

Vec3 TransformPoint(const Vec3& point, const Mat4& matrix)
{
    const Vec4 result = math::TransformVec4({point.x, point.y, point.z, 1.0f}, matrix);
    return {result.x, result.y, result.z};
}

}  // namespace vesk::resource
