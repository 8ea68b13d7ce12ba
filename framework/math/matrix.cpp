// The identity, transposed and inverse matrices.
#include "framework/math/matrix.h"

namespace vesk::math {

const Mat4& GetIdentityMatrix()
{
    static constexpr Mat4 kIdentity{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};
    return kIdentity;
}

Mat4 TransposeMatrix(const Mat4& matrix)
{
    Mat4 result;
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col) result(row, col) = matrix(col, row);
    }
    return result;
}

Mat4 InverseMatrix(const Mat4& matrix)
{
    // The cofactors are built on the transpose, so they land in place.
    const Mat4 transposed = TransposeMatrix(matrix);
    const float* s = transposed.m;
    Mat4 result;
    float* d = result.m;
    float p[12];

    // Products of pairs from the lower half, for the cofactors of the upper half.
    p[0] = s[10] * s[15];
    p[1] = s[11] * s[14];
    p[2] = s[9] * s[15];
    p[3] = s[11] * s[13];
    p[4] = s[9] * s[14];
    p[5] = s[10] * s[13];
    p[6] = s[8] * s[15];
    p[7] = s[11] * s[12];
    p[8] = s[8] * s[14];
    p[9] = s[10] * s[12];
    p[10] = s[8] * s[13];
    p[11] = s[9] * s[12];

    d[0] = (p[0] * s[5] + p[3] * s[6] + p[4] * s[7]) - (p[1] * s[5] + p[2] * s[6] + p[5] * s[7]);
    d[1] = (p[1] * s[4] + p[6] * s[6] + p[9] * s[7]) - (p[0] * s[4] + p[7] * s[6] + p[8] * s[7]);
    d[2] = (p[2] * s[4] + p[7] * s[5] + p[10] * s[7]) - (p[3] * s[4] + p[6] * s[5] + p[11] * s[7]);
    d[3] = (p[5] * s[4] + p[8] * s[5] + p[11] * s[6]) - (p[4] * s[4] + p[9] * s[5] + p[10] * s[6]);
    d[4] = (p[1] * s[1] + p[2] * s[2] + p[5] * s[3]) - (p[0] * s[1] + p[3] * s[2] + p[4] * s[3]);
    d[5] = (p[0] * s[0] + p[7] * s[2] + p[8] * s[3]) - (p[1] * s[0] + p[6] * s[2] + p[9] * s[3]);
    d[6] = (p[3] * s[0] + p[6] * s[1] + p[11] * s[3]) - (p[2] * s[0] + p[7] * s[1] + p[10] * s[3]);
    d[7] = (p[4] * s[0] + p[9] * s[1] + p[10] * s[2]) - (p[5] * s[0] + p[8] * s[1] + p[11] * s[2]);

    // Products of pairs from the upper half, for the cofactors of the lower half.
    p[0] = s[2] * s[7];
    p[1] = s[3] * s[6];
    p[2] = s[1] * s[7];
    p[3] = s[3] * s[5];
    p[4] = s[1] * s[6];
    p[5] = s[2] * s[5];
    p[6] = s[0] * s[7];
    p[7] = s[3] * s[4];
    p[8] = s[0] * s[6];
    p[9] = s[2] * s[4];
    p[10] = s[0] * s[5];
    p[11] = s[1] * s[4];

    d[8] = (p[0] * s[13] + p[3] * s[14] + p[4] * s[15]) - (p[1] * s[13] + p[2] * s[14] + p[5] * s[15]);
    d[9] = (p[1] * s[12] + p[6] * s[14] + p[9] * s[15]) - (p[0] * s[12] + p[7] * s[14] + p[8] * s[15]);
    d[10] = (p[2] * s[12] + p[7] * s[13] + p[10] * s[15]) - (p[3] * s[12] + p[6] * s[13] + p[11] * s[15]);
    d[11] = (p[5] * s[12] + p[8] * s[13] + p[11] * s[14]) - (p[4] * s[12] + p[9] * s[13] + p[10] * s[14]);
    d[12] = (p[2] * s[10] + p[5] * s[11] + p[1] * s[9]) - (p[4] * s[11] + p[0] * s[9] + p[3] * s[10]);
    d[13] = (p[8] * s[11] + p[0] * s[8] + p[7] * s[10]) - (p[6] * s[10] + p[9] * s[11] + p[1] * s[8]);
    d[14] = (p[6] * s[9] + p[11] * s[11] + p[3] * s[8]) - (p[10] * s[11] + p[2] * s[8] + p[7] * s[9]);
    d[15] = (p[10] * s[10] + p[4] * s[8] + p[9] * s[9]) - (p[8] * s[9] + p[11] * s[10] + p[5] * s[8]);

    const float determinant = s[0] * d[0] + s[1] * d[1] + s[2] * d[2] + s[3] * d[3];
    const float scale = 1.0f / determinant;
    for (float& value : result.m) value *= scale;
    return result;
}

}  // namespace vesk::math
