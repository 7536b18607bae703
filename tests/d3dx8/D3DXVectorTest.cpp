#include "D3DXTestHelpers.h"

TEST(D3DXVector, ArithmeticAndProducts)
{
    D3DXVECTOR3 a(1, 2, 3), b(-2, 0.5f, 4);
    ExpectVector(a - 0.5f * b, 2, 1.75f, 1);
    EXPECT_FLOAT_EQ(D3DXVec3Dot(&a, &b), 11.0f);

    D3DXVECTOR3 x(1, 0, 0), y(0, 1, 0), cross;
    ExpectVector(*D3DXVec3Cross(&cross, &x, &y), 0, 0, 1);
    // The out vector may be an operand.
    D3DXVec3Cross(&a, &a, &b);
    ExpectVector(a, 6.5f, -10, 4.5f);
}

TEST(D3DXVector, LengthAndNormalize)
{
    D3DXVECTOR3 v(3, 4, 12);
    EXPECT_FLOAT_EQ(D3DXVec3Length(&v), 13.0f);
    D3DXVec3Normalize(&v, &v);
    ExpectVector(v, 3.0f / 13, 4.0f / 13, 12.0f / 13);

    // A zero vector stays zero rather than becoming NaN.
    D3DXVECTOR3 zero(0, 0, 0), n;
    D3DXVec3Normalize(&n, &zero);
    EXPECT_EQ(n, zero);
}

TEST(D3DXVector, TransformCoordDividesByWAndTransformNormalIgnoresTranslation)
{
    D3DXMATRIX m(1, 0, 0, 0,
                 0, 1, 0, 0,
                 0, 0, 1, 0.5f,
                 10, 20, 30, 1);
    D3DXVECTOR3 v(2, 4, 2), out;
    // w = 2 * 0.5 + 1 = 2.
    ExpectVector(*D3DXVec3TransformCoord(&out, &v, &m), 6, 12, 16);
    ExpectVector(*D3DXVec3TransformNormal(&out, &v, &m), 2, 4, 2);
    D3DXVec3TransformCoord(&v, &v, &m);
    ExpectVector(v, 6, 12, 16);
}
