// Debris: when pieces move, draw and flash, when the debris goes, and how pieces
// bounce on the board's slab.
#include "CDebris.h"

#include <gtest/gtest.h>

#include "CGridView.h"
#include "CObjQueue.h"
#include "CResourceManager.h"
#include "CStoneInfo.h"
#include "CStoneTypes.h"
#include "EffectsTestSupport.h"

namespace {

class Debris : public EffectsDeviceTest {
};

TEST_F(Debris, EachPieceFlashesOnceAsItsLifeRunsOutAndTheDebrisGoesAFrameLater)
{
    srand(7);
    CStoneInfo info(0, 0, 0, STONE_RED, "red");
    CDebris debris(device, D3DXVECTOR3(0.0f, 3.0f, 0.0f), 1.0f, &info);
    // Piece i runs out in frame i + 1 of 0.1 s; piece 3 has no life at all.
    for (int i = 0; i < CDebris::PIECE_COUNT; i++)
        debris.pieces[i].life = 0.1f * (i + 1) - 0.05f;
    debris.pieces[3].life = 0.0f;
    const CDebris::Piece still = debris.pieces[3];

    CObjQueue* queue = CResourceManager::GetObjectQueue();
    int flashesBefore = queue->GetObjectCount();
    for (int frame = 1; frame <= CDebris::PIECE_COUNT; frame++) {
        SCOPED_TRACE(frame);
        debris.Move(0.1f);
        int expected = frame >= 4 ? frame - 1 : frame;
        EXPECT_EQ(expected, queue->GetObjectCount() - flashesBefore);
        EXPECT_EQ(0, debris.IsMarkedForDeletion());
        EXPECT_EQ(still.position, debris.pieces[3].position);
        EXPECT_EQ(still.velocity, debris.pieces[3].velocity);
    }
    debris.Move(0.1f);
    EXPECT_EQ(1, debris.IsMarkedForDeletion());
    EXPECT_EQ(CDebris::PIECE_COUNT - 1, queue->GetObjectCount() - flashesBefore);
}

TEST_F(Debris, PiecesFallUnderGravityAndOnlyLivingOnesAreDrawn)
{
    srand(11);
    CStoneInfo info(0, 0, 0, STONE_YELLOW, "yellow");
    CDebris debris(device, D3DXVECTOR3(0.0f, 0.0f, 0.0f), 3.0f, &info);
    for (int i = 0; i < CDebris::PIECE_COUNT; i++)
        debris.pieces[i].life = 0.0f;
    EXPECT_EQ(0, LitPixels([&] { debris.Render(); }));

    CDebris::Piece& p = debris.pieces[3];
    p.life = 1.0f;
    p.velocity = D3DXVECTOR3(2.0f, 0.0f, 0.0f);
    EXPECT_GT(LitPixels([&] { debris.Render(); }), 0);

    // 10 * 25 downwards, then the damping of a thousandth a frame.
    debris.Move(0.1f);
    EXPECT_NEAR(-25.0f * 0.999f, p.velocity.y, 1e-3f);
    EXPECT_NEAR(2.0f * 0.999f, p.velocity.x, 1e-5f);
    EXPECT_NEAR(-2.5f, p.position.y, 1e-4f);
    EXPECT_NEAR(0.2f, p.position.x, 1e-5f);
    EXPECT_NEAR(0.9f, p.life, 1e-6f);
}

// A piece a little inside the slab's top, given in board coordinates and turned
// with the board into the world.
struct BounceCase {
    const char* what;
    float yaw;
    D3DXVECTOR3 boardPoint;
    D3DXVECTOR3 velocity;
    bool bounces;
};

TEST_F(Debris, PiecesBounceOnTheTurnedSlabOnlyWithinItsSquare)
{
    const BounceCase cases[] = {
        { "centre, unturned", 0.0f, D3DXVECTOR3(0.0f, 0.2f, 0.0f), D3DXVECTOR3(3.0f, -5.0f, 4.0f), true },
        { "beside the slab", 0.0f, D3DXVECTOR3(13.0f, 0.2f, 0.0f), D3DXVECTOR3(3.0f, -5.0f, 4.0f), false },
        { "above the slab", 0.0f, D3DXVECTOR3(0.0f, 1.0f, 0.0f), D3DXVECTOR3(3.0f, -5.0f, 4.0f), false },
        // Corners reach out of the square when the turn is applied the wrong way round.
        { "near corner, turned", 0.3f, D3DXVECTOR3(11.5f, 0.2f, 11.5f), D3DXVECTOR3(3.0f, -5.0f, 4.0f), true },
        { "other corner, turned", 2.0f, D3DXVECTOR3(-11.5f, 0.2f, 11.0f), D3DXVECTOR3(3.0f, -5.0f, 4.0f), true },
        { "beside the turned slab", 0.3f, D3DXVECTOR3(12.5f, 0.2f, 0.0f), D3DXVECTOR3(3.0f, -5.0f, 4.0f), false },
        // Already on its way up (bounced last frame, still sunk in): not sent back down.
        { "rising out of the slab", 0.0f, D3DXVECTOR3(0.0f, 0.2f, 0.0f), D3DXVECTOR3(3.0f, 5.0f, 4.0f), false },
    };

    srand(17);
    CStoneInfo info(0, 0, 0, STONE_BLUE, "blue");
    CDebris debris(device, D3DXVECTOR3(0.0f, 0.0f, 0.0f), 1.0f, &info);
    CGridView board(nullptr, nullptr, 6);
    for (const BounceCase& c : cases) {
        SCOPED_TRACE(c.what);
        board.yaw = c.yaw;
        D3DXMATRIX turn;
        D3DXMatrixRotationY(&turn, c.yaw);
        for (int i = 0; i < CDebris::PIECE_COUNT; i++) {
            CDebris::Piece& p = debris.pieces[i];
            p.life = i == 0 ? 1.0f : 0.0f;
            p.center = D3DXVECTOR3(0.0f, 0.0f, 0.0f);
            p.radius = 0.5f;
            D3DXVec3TransformCoord(&p.position, &c.boardPoint, &turn);
            p.velocity = c.velocity;
        }
        EXPECT_EQ(0, debris.CustomCollisionCheck(&board));
        const CDebris::Piece& p = debris.pieces[0];
        EXPECT_EQ(c.velocity.x, p.velocity.x);
        EXPECT_EQ(c.velocity.z, p.velocity.z);
        EXPECT_EQ(c.bounces ? -c.velocity.y : c.velocity.y, p.velocity.y);
        // A piece without life stands anywhere and never bounces.
        EXPECT_EQ(c.velocity, debris.pieces[1].velocity);
    }
}

}
