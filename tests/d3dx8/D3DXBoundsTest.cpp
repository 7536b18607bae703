#include "D3DXTestHelpers.h"

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
