#include "D3DXTestHelpers.h"

TEST(D3DXMatrix, FreshMatrixIsIdentityAndIndexesByRowThenColumn)
{
    D3DXMATRIX fresh;
    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    EXPECT_EQ(fresh, identity);

    D3DXMATRIX t;
    D3DXMatrixTranslation(&t, 1.0f, 2.0f, 3.0f);
    EXPECT_EQ(t(3, 0), 1.0f);
    EXPECT_EQ(t._42, 2.0f);
    EXPECT_EQ(((const float *)t)[14], 3.0f);
}

TEST(D3DXMatrix, MultiplyAppliesLeftOperandFirst)
{
    // Rotate (1,0,0) a quarter turn about z to (0,1,0), then move by (5,0,0).
    D3DXMATRIX rotation, translation, m;
    D3DXMatrixRotationZ(&rotation, D3DX_PI / 2);
    D3DXMatrixTranslation(&translation, 5.0f, 0.0f, 0.0f);
    D3DXMatrixMultiply(&m, &rotation, &translation);
    ExpectVector(Transform(D3DXVECTOR3(1, 0, 0), m), 5.0f, 1.0f, 0.0f);
    ExpectMatrix(rotation * translation, m);

    // The out matrix may be either operand.
    D3DXMATRIX a = rotation;
    D3DXMatrixMultiply(&a, &a, &translation);
    ExpectMatrix(a, m);
    D3DXMATRIX b = translation;
    D3DXMatrixMultiply(&b, &rotation, &b);
    ExpectMatrix(b, m);
    D3DXMATRIX c = rotation;
    c *= translation;
    ExpectMatrix(c, m);

    D3DXMATRIX s;
    D3DXMatrixScaling(&s, 2.0f, 3.0f, 4.0f);
    ExpectVector(Transform(D3DXVECTOR3(1, 1, 1), s * translation), 7.0f, 3.0f, 4.0f);
    ExpectVector(Transform(D3DXVECTOR3(1, 1, 1), translation * s), 12.0f, 3.0f, 4.0f);
}

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

TEST(D3DXMatrix, InverseOfSingularMatrixFailsAndLeavesOutAlone)
{
    // The third row is the sum of the first two.
    D3DXMATRIX m(1, 2, 3, 0,
                 4, 5, 6, 0,
                 5, 7, 9, 0,
                 0, 0, 0, 1);
    D3DXMATRIX out(7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7);
    const D3DXMATRIX before = out;
    float determinant = 99.0f;
    EXPECT_EQ(D3DXMatrixInverse(&out, &determinant, &m), nullptr);
    EXPECT_EQ(determinant, 0.0f);
    EXPECT_EQ(out, before);

    D3DXMATRIX flat;
    D3DXMatrixScaling(&flat, 1.0f, 0.0f, 1.0f);
    EXPECT_EQ(D3DXMatrixInverse(&out, nullptr, &flat), nullptr);
}

TEST(D3DXRotation, AxisRotationsTurnLeftHanded)
{
    D3DXMATRIX m;
    // About x: +y turns towards +z.
    D3DXMatrixRotationX(&m, D3DX_PI / 2);
    ExpectVector(Transform(D3DXVECTOR3(0, 1, 0), m), 0, 0, 1);
    ExpectVector(Transform(D3DXVECTOR3(0, 0, 1), m), 0, -1, 0);
    // About y: +z turns towards +x, and +x towards -z.
    D3DXMatrixRotationY(&m, D3DX_PI / 2);
    ExpectVector(Transform(D3DXVECTOR3(0, 0, 1), m), 1, 0, 0);
    ExpectVector(Transform(D3DXVECTOR3(1, 0, 0), m), 0, 0, -1);
    // About z: +x turns towards +y.
    D3DXMatrixRotationZ(&m, D3DX_PI / 2);
    ExpectVector(Transform(D3DXVECTOR3(1, 0, 0), m), 0, 1, 0);
}

TEST(D3DXRotation, AxisRotationMatchesAxisBuildersAndNormalisesTheAxis)
{
    D3DXMATRIX byAxis, expected;
    D3DXVECTOR3 x(1, 0, 0), longY(0, 3, 0);
    D3DXMatrixRotationAxis(&byAxis, &x, 0.7f);
    D3DXMatrixRotationX(&expected, 0.7f);
    ExpectMatrix(byAxis, expected);
    D3DXMatrixRotationAxis(&byAxis, &longY, 0.7f);
    D3DXMatrixRotationY(&expected, 0.7f);
    ExpectMatrix(byAxis, expected);

    // A tilted, non-unit axis stays fixed, and lengths are kept.
    D3DXVECTOR3 tilted(0, 1, -0.05f);
    D3DXMatrixRotationAxis(&byAxis, &tilted, 1.2566371f);
    ExpectVector(Transform(tilted, byAxis), 0, 1, -0.05f);
    D3DXVECTOR3 p(0, -0.75f, -14.98f);
    D3DXVECTOR3 turned = Transform(p, byAxis);
    EXPECT_NEAR(D3DXVec3Length(&turned), D3DXVec3Length(&p), 1e-3f);
    D3DXVECTOR3 moved = turned - p;
    EXPECT_GT(D3DXVec3Length(&moved), 1.0f);

    // Five fifths of a turn come back to the start.
    D3DXVECTOR3 q = p;
    for (int i = 0; i < 5; i++) {
        q = Transform(q, byAxis);
    }
    ExpectVector(q, p.x, p.y, p.z, 1e-3f);
}

TEST(D3DXRotation, YawPitchRollRollsFirstThenPitchesThenYaws)
{
    D3DXMATRIX m;
    // Pitch a quarter turn takes +z to -y; the yaw about y then leaves it.
    D3DXMatrixRotationYawPitchRoll(&m, D3DX_PI / 2, D3DX_PI / 2, 0.0f);
    ExpectVector(Transform(D3DXVECTOR3(0, 0, 1), m), 0, -1, 0);
    // Roll takes +x to +y; the yaw then leaves it.
    D3DXMatrixRotationYawPitchRoll(&m, D3DX_PI / 2, 0.0f, D3DX_PI / 2);
    ExpectVector(Transform(D3DXVECTOR3(1, 0, 0), m), 0, 1, 0);

    D3DXMATRIX roll, pitch, yaw;
    D3DXMatrixRotationZ(&roll, 0.3f);
    D3DXMatrixRotationX(&pitch, -1.1f);
    D3DXMatrixRotationY(&yaw, 2.0f);
    D3DXMatrixRotationYawPitchRoll(&m, 2.0f, -1.1f, 0.3f);
    ExpectMatrix(m, roll * pitch * yaw);
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

TEST(D3DXCamera, UnprojectWithInverseProjectionTimesInverseView)
{
    D3DXVECTOR3 eye(0, 0, -5), at(0, 0, 0), up(0, 1, 0);
    D3DXMATRIX view, proj, inverseView, inverseProj, m;
    D3DXMatrixLookAtLH(&view, &eye, &at, &up);
    D3DXMatrixPerspectiveFovLH(&proj, 0.3f * D3DX_PI, 800.0f / 600.0f, 1.0f, 1000.0f);
    ASSERT_NE(D3DXMatrixInverse(&inverseView, nullptr, &view), nullptr);
    ASSERT_NE(D3DXMatrixInverse(&inverseProj, nullptr, &proj), nullptr);
    D3DXMatrixMultiply(&m, &inverseProj, &inverseView);

    ExpectVector(Transform(D3DXVECTOR3(0, 0, 0), m), 0, 0, -4);
    ExpectVector(Transform(D3DXVECTOR3(0, 0, 1), m), 0, 0, 995, 0.05f);

    // A world point projected and taken back lands where it started.
    D3DXVECTOR3 world(1.5f, -2.0f, 7.0f);
    D3DXVECTOR3 screen = Transform(world, view * proj);
    ExpectVector(Transform(screen, m), world.x, world.y, world.z, 1e-3f);
}
