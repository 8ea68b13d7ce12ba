// Matrix identity, products, translation, transpose and inverse.
#include <gtest/gtest.h>

#include "framework/math/matrix.h"

using vesk::math::GetIdentityMatrix;
using vesk::math::InverseMatrix;
using vesk::math::Mat4;
using vesk::math::MultiplyMatrix;
using vesk::math::MultiplyMatrixInPlace;
using vesk::math::TransformVec4;
using vesk::math::TransposeMatrix;
using vesk::math::Vec4;

namespace {

// A dense, well-conditioned matrix with no special structure.
const Mat4 kDense{{2, 1, 0, 3, -1, 4, 2, 0, 0.5f, -2, 5, 1, 1, 0, -3, 2}};

Mat4 Translation(float x, float y, float z)
{
    Mat4 m = GetIdentityMatrix();
    m(3, 0) = x;
    m(3, 1) = y;
    m(3, 2) = z;
    return m;
}

Mat4 Scale(float s)
{
    Mat4 m;
    m(0, 0) = s;
    m(1, 1) = s;
    m(2, 2) = s;
    m(3, 3) = 1;
    return m;
}

void ExpectNear(const Mat4& actual, const Mat4& expected, float tolerance)
{
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(actual.m[i], expected.m[i], tolerance) << "element " << i;
}

}  // namespace

TEST(Matrix, IdentityLeavesAMatrixUnchangedOnEitherSide)
{
    EXPECT_EQ(MultiplyMatrix(GetIdentityMatrix(), kDense), kDense);
    EXPECT_EQ(MultiplyMatrix(kDense, GetIdentityMatrix()), kDense);
}

TEST(Matrix, ProductAppliesTheLeftMatrixFirstToRowVectors)
{
    const Vec4 point{1, 2, 3, 1};
    // Translate then scale: (p + t) * s.
    const Vec4 moved = TransformVec4(point, MultiplyMatrix(Translation(10, 20, 30), Scale(2)));
    EXPECT_EQ(moved, (Vec4{22, 44, 66, 1}));
    // Scale then translate: p * s + t.
    const Vec4 scaled = TransformVec4(point, MultiplyMatrix(Scale(2), Translation(10, 20, 30)));
    EXPECT_EQ(scaled, (Vec4{12, 24, 36, 1}));
}

TEST(Matrix, TranslationRowMovesAPoint)
{
    EXPECT_EQ(TransformVec4({1, 2, 3, 1}, Translation(5, -6, 7)), (Vec4{6, -4, 10, 1}));
    // A direction (w = 0) is not moved.
    EXPECT_EQ(TransformVec4({1, 2, 3, 0}, Translation(5, -6, 7)), (Vec4{1, 2, 3, 0}));
}

TEST(Matrix, InPlaceProductIsCorrectWhenBothOperandsAreTheSameMatrix)
{
    const Mat4 expected = MultiplyMatrix(kDense, kDense);
    Mat4 a = kDense;
    Mat4& result = MultiplyMatrixInPlace(a, a);
    EXPECT_EQ(&result, &a);
    EXPECT_EQ(a, expected);

    Mat4 b = kDense;
    MultiplyMatrixInPlace(b, Translation(1, 2, 3));
    EXPECT_EQ(b, MultiplyMatrix(kDense, Translation(1, 2, 3)));
}

TEST(Matrix, TransposeSwapsRowsAndColumns)
{
    const Mat4 t = TransposeMatrix(kDense);
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) EXPECT_EQ(t(r, c), kDense(c, r));
    }
}

TEST(Matrix, InverseUndoesTheMatrix)
{
    ExpectNear(MultiplyMatrix(kDense, InverseMatrix(kDense)), GetIdentityMatrix(), 1e-5f);
    ExpectNear(MultiplyMatrix(InverseMatrix(kDense), kDense), GetIdentityMatrix(), 1e-5f);

    const Mat4 transform = MultiplyMatrix(Scale(4), Translation(-3, 8, 0.25f));
    ExpectNear(InverseMatrix(transform), MultiplyMatrix(Translation(3, -8, -0.25f), Scale(0.25f)), 1e-6f);
    EXPECT_EQ(InverseMatrix(GetIdentityMatrix()), GetIdentityMatrix());
}
