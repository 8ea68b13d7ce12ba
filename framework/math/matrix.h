// The 4x4 float matrix for row vectors, its products and transforms.
#pragma once

#include "framework/math/vector.h"

namespace vesk::math {

// 4x4 float matrix stored row by row: element (row, col) at index 4 * row + col.
// Points are row vectors multiplied on the left (p' = p * M), so a translation
// lives in the fourth row (indices 12, 13, 14).
struct Mat4 {
    float m[16] = {};

    constexpr float& operator()(int row, int col) { return m[4 * row + col]; }
    constexpr float operator()(int row, int col) const { return m[4 * row + col]; }
};

inline constexpr bool operator==(const Mat4& a, const Mat4& b)
{
    for (int i = 0; i < 16; ++i) {
        if (a.m[i] != b.m[i]) return false;
    }
    return true;
}

// The shared identity matrix.
const Mat4& GetIdentityMatrix();

inline void CopyMatrix(Mat4& destination, const Mat4& source) { destination = source; }

// a * b. Inline because sprite transforms multiply on every draw.
inline Mat4 MultiplyMatrix(const Mat4& a, const Mat4& b)
{
    Mat4 product;
    for (int row = 0; row < 4; ++row) {
        const float a0 = a.m[4 * row + 0];
        const float a1 = a.m[4 * row + 1];
        const float a2 = a.m[4 * row + 2];
        const float a3 = a.m[4 * row + 3];
        for (int col = 0; col < 4; ++col) {
            product.m[4 * row + col] = a0 * b.m[col] + a1 * b.m[4 + col] + a2 * b.m[8 + col] + a3 * b.m[12 + col];
        }
    }
    return product;
}

// a = a * b; safe when a and b are the same matrix. Returns a.
inline Mat4& MultiplyMatrixInPlace(Mat4& a, const Mat4& b)
{
    a = MultiplyMatrix(a, b);
    return a;
}

Mat4 TransposeMatrix(const Mat4& matrix);

// General inverse by cofactors. A singular matrix gives non-finite values;
// only view-projection matrices, which are always invertible, are inverted.
Mat4 InverseMatrix(const Mat4& matrix);

// The row vector v times the matrix.
inline Vec4 TransformVec4(const Vec4& v, const Mat4& matrix)
{
    const float* m = matrix.m;
    return {v.x * m[0] + v.y * m[4] + v.z * m[8] + v.w * m[12],
            v.x * m[1] + v.y * m[5] + v.z * m[9] + v.w * m[13],
            v.x * m[2] + v.y * m[6] + v.z * m[10] + v.w * m[14],
            v.x * m[3] + v.y * m[7] + v.z * m[11] + v.w * m[15]};
}

}  // namespace vesk::math
