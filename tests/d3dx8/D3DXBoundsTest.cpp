#include "D3DXTestHelpers.h"
#include "TestGeometry.h"

#include <cstdint>
#include <vector>

namespace {

// Position, colour and one texture coordinate set: FVF 0x142.
struct ColourVertex {
    float x, y, z;
    uint32_t colour;
    float u, v;
};

LitVertex Lit(float x, float y, float z)
{
    // Normals and texture coordinates far outside the positions, so that
    // reading them as positions shows up.
    return LitVertex{ x, y, z, 500, -500, 500, 0xFFFFFFFF, 77, -77 };
}

}

TEST(D3DXBounds, BoxOverStridedVertices)
{
    static_assert(sizeof(ColourVertex) == 24, "colour vertex layout");

    std::vector<LitVertex> lit = { Lit(1, 2, 3), Lit(-4, 0.5f, 9), Lit(2, -6, -1) };
    D3DXVECTOR3 min, max;
    ASSERT_EQ(D3DXComputeBoundingBox(lit.data(), (DWORD)lit.size(), FVF_LIT, &min, &max), D3D_OK);
    ExpectVector(min, -4, -6, -1);
    ExpectVector(max, 2, 2, 9);

    std::vector<ColourVertex> coloured = { { 0, 0, 0, 0xFF000000, 50, 50 }, { 1, -1, 2, 0xFF000000, -50, -50 } };
    ASSERT_EQ(D3DXComputeBoundingBox(coloured.data(), 2, 0x142, &min, &max), D3D_OK);
    ExpectVector(min, 0, -1, 0);
    ExpectVector(max, 1, 0, 2);

    EXPECT_NE(D3DXComputeBoundingBox(nullptr, 2, 0x142, &min, &max), D3D_OK);
    EXPECT_NE(D3DXComputeBoundingBox(coloured.data(), 0, 0x142, &min, &max), D3D_OK);
    // Vertices without a position have nothing to bound.
    EXPECT_NE(D3DXComputeBoundingBox(coloured.data(), 2, D3DFVF_DIFFUSE, &min, &max), D3D_OK);
}

TEST(D3DXBounds, SphereCentredOnTheMeanOfThePositions)
{
    std::vector<LitVertex> lit = { Lit(11, 0, 0), Lit(9, 0, 0), Lit(10, 1, 0),
                                   Lit(10, -1, 0), Lit(10, 0, 1), Lit(10, 0, -1) };
    D3DXVECTOR3 centre;
    float radius = 0.0f;
    ASSERT_EQ(D3DXComputeBoundingSphere(lit.data(), 6, FVF_LIT, &centre, &radius), D3D_OK);
    ExpectVector(centre, 10, 0, 0);
    EXPECT_NEAR(radius, 1.0f, kTolerance);

    // Uneven points: the centre is the mean, the radius reaches the farthest.
    std::vector<LitVertex> uneven = { Lit(0, 0, 0), Lit(0, 0, 0), Lit(0, 0, 0), Lit(4, 0, 0) };
    ASSERT_EQ(D3DXComputeBoundingSphere(uneven.data(), 4, FVF_LIT, &centre, &radius), D3D_OK);
    ExpectVector(centre, 1, 0, 0);
    EXPECT_NEAR(radius, 3.0f, kTolerance);

    EXPECT_NE(D3DXComputeBoundingSphere(lit.data(), 0, FVF_LIT, &centre, &radius), D3D_OK);
}

TEST(D3DXBounds, BoxProbeHitsMissesAndIgnoresWhatLiesBehind)
{
    D3DXVECTOR3 min(-1, -1, -1), max(1, 1, 1);
    D3DXVECTOR3 start(0, 0, -5), forward(0, 0, 1), back(0, 0, -1);
    EXPECT_TRUE(D3DXBoxBoundProbe(&min, &max, &start, &forward));
    EXPECT_FALSE(D3DXBoxBoundProbe(&min, &max, &start, &back));

    // Parallel to an axis but beside the box.
    D3DXVECTOR3 beside(0, 2, -5);
    EXPECT_FALSE(D3DXBoxBoundProbe(&min, &max, &beside, &forward));

    // A diagonal ray crossing the x slab and the z slab at different times misses...
    D3DXVECTOR3 diagonal(1, 0, 1), early(-5, 0, -2), late(-5, 0, -3.5f);
    EXPECT_FALSE(D3DXBoxBoundProbe(&min, &max, &early, &diagonal));
    // ...and hits when the two crossings overlap.
    EXPECT_TRUE(D3DXBoxBoundProbe(&min, &max, &late, &diagonal));

    // A start inside the box always hits.
    D3DXVECTOR3 inside(0.5f, 0.5f, 0.5f);
    EXPECT_TRUE(D3DXBoxBoundProbe(&min, &max, &inside, &back));

    // A far point used as the direction, as picking does.
    D3DXVECTOR3 nearPoint(0.01f, 0.02f, -4.0f), farPoint(2.0f, 4.0f, 995.0f);
    EXPECT_TRUE(D3DXBoxBoundProbe(&min, &max, &nearPoint, &farPoint));
    D3DXVECTOR3 wide(1000.0f, 0.0f, 995.0f);
    EXPECT_FALSE(D3DXBoxBoundProbe(&min, &max, &nearPoint, &wide));
}
