// The effects' rules with a seeded rand: how sparks start, fade and end the
// shower; when shards move, draw, flash and bounce; the goal stones' pulse; the
// volume light's rays and the device state it leaves; and the device resources
// the effects free or, when they cannot be made, end the program for.
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

    // Clears to black, draws, and answers how many pixels are not black.
    template <class Draw>
    int LitPixels(Draw draw)
    {
        device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
        device->BeginScene();
        draw();
        device->EndScene();
        int lit = 0;
        for (int y = 0; y < kSize; y++)
            for (int x = 0; x < kSize; x++)
                lit += (headless.Pixel(x, y) & 0xFFFFFF) != 0;
        return lit;
    }

    static const int kSize = 64;
    HeadlessDevice headless;
    IDirect3DDevice8* device = nullptr;
};

const int kSparks = 35;

TEST(Sparkles, EachSparkStartsFromItsThreeDrawsUnderGravityOnce)
{
    // Two resets: the second draws on, and must not attach gravity twice.
    srand(1234);
    std::vector<int> draws;
    for (int i = 0; i < 2 * 3 * kSparks; i++)
        draws.push_back(rand());
    srand(1234);
    C3DSparkles sparkles(nullptr, kSparks, 0.5f, D3DXVECTOR3(1.0f, 2.0f, 3.0f));
    sparkles.ResetSystem();
    sparkles.ResetSystem();

    const int* second = &draws[3 * kSparks];
    for (int i = 0; i < kSparks; i++) {
        C3DParticle& p = sparkles.particles[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(D3DXVECTOR3(0.0f, 0.0f, 0.0f), p.position);
        EXPECT_EQ(D3DXVECTOR3(second[3 * i] % 50 - 25, second[3 * i + 1] % 50, second[3 * i + 2] % 50 - 25), p.velocity);
        EXPECT_EQ(0xFFFFFFFFu, (DWORD)p.color);
        // 10 * 12 downwards for 0.1 s.
        float vy = p.velocity.y;
        p.Move(0.1f);
        EXPECT_NEAR(vy - 12.0f, p.velocity.y, 1e-3f);
    }
}

TEST(Sparkles, SparkAtAgeFourTenthsIsHalfWayToRed)
{
    C3DSparkles sparkles(nullptr, kSparks, 0.5f, D3DXVECTOR3(0.0f, 0.0f, 0.0f));
    sparkles.ResetSystem();
    C3DParticle& p = sparkles.particles[0];
    p.age = 0.4f;
    p.velocity = D3DXVECTOR3(10.0f, 20.0f, -10.0f);

    // A seed whose next death mark (0..2) is above the spark's 0.1, so it lives.
    unsigned seed = 0;
    do
        srand(++seed);
    while ((rand() % 1001) / 500.0 < 0.1);
    srand(seed);
    sparkles.UpdateParticle(0, 0.1f);

    EXPECT_EQ(1, p.alive);
    EXPECT_FLOAT_EQ(0.5f, p.age);
    EXPECT_EQ(D3DXCOLOR(1.0f, 0.5f, 0.5f, 0.5f), p.color);
    EXPECT_FLOAT_EQ(10.0f * 0.94f, p.velocity.x);
}

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
    for (int frame = 1; frame <= CDebris::PIECE_COUNT + 1; frame++) {
        SCOPED_TRACE(frame);
        debris.Move(0.1f);
        int flashes = std::min<int>(frame, CDebris::PIECE_COUNT) - (frame >= 4);
        EXPECT_EQ(flashes, queue->GetObjectCount() - flashesBefore);
        EXPECT_EQ((int)(frame > CDebris::PIECE_COUNT), debris.IsMarkedForDeletion());
        EXPECT_EQ(still.position, debris.pieces[3].position);
        EXPECT_EQ(still.velocity, debris.pieces[3].velocity);
    }
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

TEST(Pulse, SwingsFromHalfToOnePointOneEveryQuarterTurnOfPi)
{
    // Two periods of pi/2 s in frames of 10 ms: one grey for all four channels.
    CPulsateModifier pulse;
    float low = 10.0f, high = -10.0f;
    for (int frame = 0; frame < 315; frame++) {
        pulse.apply(CModEvent(nullptr, 0.01f));
        ASSERT_TRUE(pulse.r == pulse.g && pulse.r == pulse.b && pulse.r == pulse.a);
        low = std::min(low, pulse.r);
        high = std::max(high, pulse.r);
    }
    EXPECT_NEAR(0.5f, low, 1e-3f);
    EXPECT_NEAR(1.1f, high, 1e-3f);
}

struct RayVertex { float x, y, z; DWORD color; float u, v; };

std::vector<RayVertex> Rays(CVolumeLightEffect& light)
{
    std::vector<RayVertex> rays(CVolumeLightEffect::VERTEX_COUNT);
    BYTE* data = nullptr;
    EXPECT_EQ(D3D_OK, light.vertexBuffer->Lock(0, 0, &data, 0));
    memcpy(rays.data(), data, rays.size() * sizeof(RayVertex));
    light.vertexBuffer->Unlock();
    return rays;
}

typedef EffectsDeviceTest VolumeLight;

TEST_F(VolumeLight, RaysRiseFromTheFootprintAndStreamOnlyWhileTimePasses)
{
    srand(3);
    CVolumeLightEffect* light = new CVolumeLightEffect(device, D3DXVECTOR3(0.0f, -2.0f, 0.0f), 4.0f);
    // Each ray from the stone's 4 x 4 footprint up to the 10 x 10 area above.
    std::vector<RayVertex> start = Rays(*light);
    for (int i = 0; i < CVolumeLightEffect::VERTEX_COUNT; i++) {
        bool foot = i % 3 == 0;
        EXPECT_FLOAT_EQ(foot ? -2.0f : 25.0f, start[i].y);
        EXPECT_LE(std::fabs(start[i].x), foot ? 2.0f : 5.0f);
        EXPECT_EQ(foot ? 0x80FFFFFFu : 0x00FFFFFFu, start[i].color);
    }

    light->Move(0.0f);
    EXPECT_EQ(0, memcmp(start.data(), Rays(*light).data(), start.size() * sizeof(RayVertex)));

    light->Move(0.4f);
    std::vector<RayVertex> moved = Rays(*light);
    for (size_t i = 0; i < moved.size(); i++) {
        EXPECT_FLOAT_EQ(start[i].v + 0.1f, moved[i].v);
        EXPECT_EQ(start[i].x, moved[i].x);
    }

    // The light's state block goes with it.
    DWORD block = light->stateBlock;
    EXPECT_EQ(D3D_OK, device->ApplyStateBlock(block));
    delete light;
    EXPECT_EQ(D3DERR_INVALIDCALL, device->ApplyStateBlock(block));
}

// Every render state, the states of the first two texture stages, the stage-0
// texture, stream 0, the vertex shader and the world transform, as one list.
std::vector<uintptr_t> DeviceState(IDirect3DDevice8* device)
{
    std::vector<uintptr_t> state;
    DWORD value = 0;
    for (DWORD s = D3DRS_ZENABLE; s <= D3DRS_BLENDOP; s++) {
        device->GetRenderState((D3DRENDERSTATETYPE)s, &value);
        state.push_back(value);
    }
    for (DWORD stage = 0; stage < 2; stage++)
        for (DWORD t = D3DTSS_COLOROP; t <= D3DTSS_RESULTARG; t++) {
            device->GetTextureStageState(stage, (D3DTEXTURESTAGESTATETYPE)t, &value);
            state.push_back(value);
        }
    IDirect3DBaseTexture8* texture = nullptr;
    IDirect3DVertexBuffer8* stream = nullptr;
    UINT stride = 0;
    device->GetTexture(0, &texture);
    device->GetStreamSource(0, &stream, &stride);
    device->GetVertexShader(&value);
    D3DMATRIX world;
    device->GetTransform(D3DTS_WORLD, &world);
    state.insert(state.end(), { (uintptr_t)texture, (uintptr_t)stream, stride, value });
    for (int i = 0; i < 16; i++)
        state.push_back((uintptr_t)(int64_t)(world.m[i / 4][i % 4] * 1000.0f));
    // Only who they are matters, not a reference.
    if (texture)
        texture->Release();
    if (stream)
        stream->Release();
    return state;
}

TEST_F(VolumeLight, DrawsAdditiveRaysAndLeavesTheDeviceAsItFoundIt)
{
    srand(5);
    CVolumeLightEffect light(device, D3DXVECTOR3(0.0f, -4.0f, 0.0f), 4.0f);
    light.Move(0.1f);

    // A state another pass left behind: lit, opaque, culling, a texture and a stream.
    IDirect3DVertexBuffer8* other = nullptr;
    ASSERT_EQ(D3D_OK, device->CreateVertexBuffer(72, D3DUSAGE_WRITEONLY, D3DFVF_XYZ | D3DFVF_DIFFUSE,
                                                 D3DPOOL_MANAGED, &other));
    IDirect3DTexture8* texture = nullptr;
    ASSERT_EQ(D3D_OK, device->CreateTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture));
    device->SetStreamSource(0, other, 16);
    device->SetVertexShader(D3DFVF_XYZ | D3DFVF_DIFFUSE);
    device->SetTexture(0, texture);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ONE);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
    D3DXMATRIX shifted;
    D3DXMatrixTranslation(&shifted, 1.0f, 2.0f, 3.0f);
    device->SetTransform(D3DTS_WORLD, &shifted);

    std::vector<uintptr_t> before = DeviceState(device);
    EXPECT_GT(LitPixels([&] { light.Render(); }), 20);     // the rays show
    EXPECT_EQ(before, DeviceState(device));

    device->SetStreamSource(0, nullptr, 0);
    device->SetTexture(0, nullptr);
    other->Release();
    texture->Release();
}

}
