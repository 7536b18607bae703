#include "D3DXTestHelpers.h"

TEST(D3DXMatrix, InverseGivesTheDeterminantAndMayWorkInPlace)
{
    D3DXMATRIX m(2, 0, 0, 0,
                 0, 4, 0, 0,
                 0, 0, 8, 0,
                 1, 2, 3, 1);
    D3DXMATRIX inverse;
    float determinant = 0.0f;
    ASSERT_EQ(D3DXMatrixInverse(&inverse, &determinant, &m), &inverse);
    EXPECT_FLOAT_EQ(determinant, 64.0f);
    D3DXMATRIX expected(0.5f, 0, 0, 0,
                        0, 0.25f, 0, 0,
                        0, 0, 0.125f, 0,
                        -0.5f, -0.5f, -0.375f, 1);
    ExpectMatrix(inverse, expected);

    D3DXMATRIX general(3, 1, 4, 1,
                       5, 9, 2, 6,
                       5, 3, 5, 8,
                       9, 7, 9, 3);
    inverse = general;
    ASSERT_NE(D3DXMatrixInverse(&inverse, nullptr, &inverse), nullptr);
    D3DXMATRIX identity;
    ExpectMatrix(general * inverse, identity);
    ExpectMatrix(inverse * general, identity);
}

TEST(D3DXCamera, LookAtLHMovesEyeToOriginAndLooksDownPlusZ)
{
    D3DXVECTOR3 eye(0, 0, -5), at(0, 0, 0), up(0, 1, 0);
    D3DXMATRIX view;
    D3DXMatrixLookAtLH(&view, &eye, &at, &up);
    D3DXMATRIX expected(1, 0, 0, 0,
                        0, 1, 0, 0,
                        0, 0, 1, 0,
                        0, 0, 5, 1);
    ExpectMatrix(view, expected);

    // Looking along -x with y up, +z lies to the right.
    D3DXVECTOR3 side(1, 0, 0), origin(0, 0, 0);
    D3DXMatrixLookAtLH(&view, &side, &origin, &up);
    ExpectVector(Transform(D3DXVECTOR3(0, 0, 1), view), 1, 0, 1);
    ExpectVector(Transform(D3DXVECTOR3(0, 2, 0), view), 0, 2, 1);

    // A cube face whose up is not (0, 1, 0): looking up +y with up (0, 0, -1).
    D3DXVECTOR3 top(0, 1, 0), faceUp(0, 0, -1);
    D3DXMatrixLookAtLH(&view, &origin, &top, &faceUp);
    ExpectVector(Transform(D3DXVECTOR3(0, 3, 0), view), 0, 0, 3);
    ExpectVector(Transform(D3DXVECTOR3(0, 1, -1), view), 0, 1, 1);
    ExpectVector(Transform(D3DXVECTOR3(1, 1, 0), view), 1, 0, 1);
}

TEST(D3DXCamera, PerspectiveFovLHMapsDepthToZeroOneAndFovToTheEdges)
{
    D3DXMATRIX proj;
    const float fov = 0.3f * D3DX_PI;
    D3DXMatrixPerspectiveFovLH(&proj, fov, 4.0f / 3.0f, 1.0f, 1000.0f);
    // w takes the view depth: no constant part.
    EXPECT_EQ(proj._34, 1.0f);
    EXPECT_EQ(proj._44, 0.0f);
    ExpectVector(Transform(D3DXVECTOR3(0, 0, 1), proj), 0, 0, 0);
    ExpectVector(Transform(D3DXVECTOR3(0, 0, 1000), proj), 0, 0, 1);
    // A point on the top edge of the view at depth 10, and one on the right edge.
    const float half = tanf(fov / 2) * 10.0f;
    EXPECT_NEAR(Transform(D3DXVECTOR3(0, half, 10), proj).y, 1.0f, kTolerance);
    EXPECT_NEAR(Transform(D3DXVECTOR3(half * 4.0f / 3.0f, 0, 10), proj).x, 1.0f, kTolerance);
}
