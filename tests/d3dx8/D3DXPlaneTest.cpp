#include "D3DXTestHelpers.h"

// The board's top plane, y = 0.5, from three of its corners.
static D3DXPLANE BoardPlane()
{
    D3DXVECTOR3 p1(-12, 0.5f, -12), p2(12, 0.5f, -12), p3(-12, 0.5f, 12);
    D3DXPLANE plane;
    D3DXPlaneFromPoints(&plane, &p1, &p2, &p3);
    return plane;
}

TEST(D3DXPlane, FromPointsGivesUnitNormalByWinding)
{
    D3DXPLANE plane = BoardPlane();
    EXPECT_NEAR(plane.a, 0.0f, kTolerance);
    EXPECT_NEAR(plane.b, -1.0f, kTolerance);
    EXPECT_NEAR(plane.c, 0.0f, kTolerance);
    EXPECT_NEAR(plane.d, 0.5f, kTolerance);

    D3DXVECTOR3 above(3, 2.5f, 7), on(100, 0.5f, -40);
    EXPECT_NEAR(D3DXPlaneDotCoord(&plane, &above), -2.0f, kTolerance);
    EXPECT_NEAR(D3DXPlaneDotCoord(&plane, &on), 0.0f, kTolerance);
}

TEST(D3DXPlane, IntersectLineTreatsTheLineAsInfinite)
{
    D3DXPLANE plane = BoardPlane();
    D3DXVECTOR3 hit;
    D3DXVECTOR3 eye(3.2f, 24, -27), far(3.2f, -24, 21);
    ASSERT_EQ(D3DXPlaneIntersectLine(&hit, &plane, &eye, &far), &hit);
    ExpectVector(hit, 3.2f, 0.5f, -3.5f);

    // Both points above the plane: the hit lies beyond the second one.
    D3DXVECTOR3 high(1, 5, 1), low(1, 3, 1);
    ASSERT_NE(D3DXPlaneIntersectLine(&hit, &plane, &high, &low), nullptr);
    ExpectVector(hit, 1, 0.5f, 1);
}
