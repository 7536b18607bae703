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

TEST(D3DXPlane, ParallelLineOrDegeneratePlaneHasNoIntersection)
{
    D3DXPLANE plane = BoardPlane();
    D3DXVECTOR3 hit(9, 9, 9);
    D3DXVECTOR3 a(0, 1, 0), b(5, 1, -3);
    EXPECT_EQ(D3DXPlaneIntersectLine(&hit, &plane, &a, &b), nullptr);
    ExpectVector(hit, 9, 9, 9);
    // A line lying in the plane is parallel as well.
    D3DXVECTOR3 c(0, 0.5f, 0), d(4, 0.5f, 4);
    EXPECT_EQ(D3DXPlaneIntersectLine(&hit, &plane, &c, &d), nullptr);

    // Three points on one line make no plane any line can meet.
    D3DXVECTOR3 p1(0, 0, 0), p2(1, 1, 1), p3(2, 2, 2);
    D3DXPLANE degenerate;
    D3DXPlaneFromPoints(&degenerate, &p1, &p2, &p3);
    D3DXVECTOR3 up(0, -1, 0), down(0, 1, 0.3f);
    EXPECT_EQ(D3DXPlaneIntersectLine(&hit, &degenerate, &up, &down), nullptr);
}
