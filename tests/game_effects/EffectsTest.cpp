// The effects' rules: the shower ends with its last spark; shards flash as their
// life runs out and bounce only on the slab; the goal stones' pulse; and the device
// resources the effects free or, when they cannot be made, end the program for.
#include "C3DSparkles.h"
#include "CDebris.h"
#include "CPulsateModifier.h"
#include "CVolumeLightEffect.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include <unistd.h>

#include <gtest/gtest.h>

#include "CGridView.h"
#include "CModEvent.h"
#include "CObjQueue.h"
#include "CResourceManager.h"
#include "CStoneInfo.h"
#include "CStoneTypes.h"
#include "CTexMgr.h"
#include "FakeDevice.h"
#include "HeadlessDevice.h"
#include "TestFiles.h"

namespace {

// A small headless device looking at the origin from the front, and a clean
// scene afterwards.
class EffectsDeviceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The effects load their textures from media/ in the build folder.
        ASSERT_EQ(0, chdir(BuildPath("").c_str()));
        ASSERT_TRUE(headless.Open(kSize, kSize));
        device = headless.device;
        CResourceManager::GetTextures()->SetDevice(device);
        D3DXMATRIX view, projection;
        D3DXVECTOR3 eye(0.0f, 0.0f, -8.0f), at(0.0f, 0.0f, 0.0f), up(0.0f, 1.0f, 0.0f);
        D3DXMatrixLookAtLH(&view, &eye, &at, &up);
        D3DXMatrixPerspectiveFovLH(&projection, D3DX_PI / 4, 1.0f, 1.0f, 100.0f);
        device->SetTransform(D3DTS_VIEW, &view);
        device->SetTransform(D3DTS_PROJECTION, &projection);
        device->SetRenderState(D3DRS_LIGHTING, FALSE);
    }

    // Empties the object queue and the texture cache before the device goes.
    void TearDown() override
    {
        CObjQueue* queue = CResourceManager::GetObjectQueue();
        queue->ReleaseAllObjects(CObjQueue::RELEASE_EVERYTHING);
        queue->DeleteMarkedObjects();
        CResourceManager::GetTextures()->SetDevice(nullptr);
    }

    static const int kSize = 64;
    HeadlessDevice headless;
    IDirect3DDevice8* device = nullptr;
};

const int kSparks = 35;

TEST(Sparkles, SystemMarksItselfForDeletionWithItsLastSpark)
{
    srand(99);
    C3DSparkles sparkles(nullptr, kSparks, 0.5f, D3DXVECTOR3(0.0f, 5.0f, 0.0f));
    sparkles.ResetSystem();
    int alive = kSparks, frames = 0;
    while (alive > 0 && frames++ < 100000) {
        EXPECT_EQ(0, sparkles.IsMarkedForDeletion());
        sparkles.Move(1.0f / 60.0f);
        alive = 0;
        for (int i = 0; i < kSparks; i++)
            alive += sparkles.particles[i].alive;
    }
    EXPECT_EQ(1, sparkles.IsMarkedForDeletion());
    EXPECT_EQ(0, sparkles.liveParticles);
    EXPECT_GT(frames, 1);
}

typedef EffectsDeviceTest Debris;

TEST_F(Debris, PiecesBounceOnTheTurnedSlabOnlyWithinItsSquare)
{
    // A piece a little inside the slab's top, given in board coordinates and
    // turned with the board into the world.
    const struct {
        const char* what;
        float yaw;
        D3DXVECTOR3 boardPoint;
        float vy;
        bool bounces;
    } cases[] = {
        { "centre, unturned", 0.0f, D3DXVECTOR3(0.0f, 0.2f, 0.0f), -5.0f, true },
        { "beside the slab", 0.0f, D3DXVECTOR3(13.0f, 0.2f, 0.0f), -5.0f, false },
        { "above the slab", 0.0f, D3DXVECTOR3(0.0f, 1.0f, 0.0f), -5.0f, false },
        // Corners reach out of the square when the turn is applied the wrong way round.
        { "near corner, turned", 0.3f, D3DXVECTOR3(11.5f, 0.2f, 11.5f), -5.0f, true },
        { "other corner, turned", 2.0f, D3DXVECTOR3(-11.5f, 0.2f, 11.0f), -5.0f, true },
        { "beside the turned slab", 0.3f, D3DXVECTOR3(12.5f, 0.2f, 0.0f), -5.0f, false },
        // Already on its way up (bounced last frame, still sunk in): not sent back down.
        { "rising out of the slab", 0.0f, D3DXVECTOR3(0.0f, 0.2f, 0.0f), 5.0f, false },
    };

    srand(17);
    CStoneInfo info(0, 0, 0, STONE_BLUE, "blue");
    CDebris debris(device, D3DXVECTOR3(0.0f, 0.0f, 0.0f), 1.0f, &info);
    CGridView board(nullptr, nullptr, 6);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        board.yaw = c.yaw;
        D3DXMATRIX turn;
        D3DXMatrixRotationY(&turn, c.yaw);
        const D3DXVECTOR3 velocity(3.0f, c.vy, 4.0f);
        for (int i = 0; i < CDebris::PIECE_COUNT; i++) {
            CDebris::Piece& p = debris.pieces[i];
            p.life = i == 0 ? 1.0f : 0.0f;
            p.center = D3DXVECTOR3(0.0f, 0.0f, 0.0f);
            p.radius = 0.5f;
            D3DXVec3TransformCoord(&p.position, &c.boardPoint, &turn);
            p.velocity = velocity;
        }
        EXPECT_EQ(0, debris.CustomCollisionCheck(&board));
        EXPECT_EQ(D3DXVECTOR3(3.0f, c.bounces ? -c.vy : c.vy, 4.0f), debris.pieces[0].velocity);
        // A piece without life stands anywhere and never bounces.
        EXPECT_EQ(velocity, debris.pieces[1].velocity);
    }
}

class NoBufferDevice : public FakeDevice {
public:
    HRESULT CreateVertexBuffer(UINT, DWORD, DWORD, D3DPOOL, IDirect3DVertexBuffer8** buffer) override
    {
        *buffer = nullptr;
        return E_OUTOFMEMORY;
    }
};

TEST(EffectResourcesDeathTest, BuffersGoWithTheirOwnersAndAFailedOneEndsTheProgramWithAFailureCode)
{
    FakeDevice device;
    CStoneInfo info(0, 0, 0, STONE_GREEN, "green");
    {
        CDebris debris(&device, D3DXVECTOR3(0.0f, 0.0f, 0.0f), 1.0f, &info);
        CVolumeLightEffect light(&device, D3DXVECTOR3(0.0f, -2.0f, 0.0f), 4.0f);
        EXPECT_EQ(CDebris::SHARD_COUNT + 1, device.counts.liveBuffers);
    }
    EXPECT_EQ(0, device.counts.liveBuffers);

    GTEST_FLAG_SET(death_test_style, "threadsafe");
    NoBufferDevice broken;
    EXPECT_EXIT(CDebris(&broken, D3DXVECTOR3(0.0f, 0.0f, 0.0f), 1.0f, &info), testing::ExitedWithCode(EXIT_FAILURE),
                "Vertexbuffers.*CDebris");
    EXPECT_EXIT(CVolumeLightEffect(&broken, D3DXVECTOR3(0.0f, 0.0f, 0.0f), 4.0f),
                testing::ExitedWithCode(EXIT_FAILURE), "Vertexbuffers.*CVolumeLightEffect");
}

}
