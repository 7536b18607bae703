// Camera, sky box, billboard and particle system on a stand-in device:
// what each puts on the device, and that each puts back the states it changed.

#include "C3DBillboard.h"
#include "C3DParticleSystem.h"
#include "C3DSkyBox.h"
#include "CCamera.h"
#include "CGlobForceModifier.h"
#include "CResourceManager.h"
#include "CTexMgr.h"
#include "CXObjectLoader.h"
#include "FakeDevice.h"
#include "SpriteQuads.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <unistd.h>

namespace {

void ExpectMatrixEq(const D3DMATRIX& expected, const D3DMATRIX& actual)
{
    for (int i = 0; i < 4; i++)
        for (int j = 0; j < 4; j++)
            EXPECT_NEAR(expected.m[i][j], actual.m[i][j], 1e-5) << "element " << i << j;
}

D3DXMATRIX LookAt(D3DXVECTOR3 eye, D3DXVECTOR3 at, D3DXVECTOR3 up)
{
    D3DXMATRIX m;
    D3DXMatrixLookAtLH(&m, &eye, &at, &up);
    return m;
}

std::vector<SpriteVertex> SpriteVertices(const FakeDevice::Draw& draw)
{
    std::vector<SpriteVertex> v(draw.userVertices.size() / sizeof(SpriteVertex));
    memcpy(v.data(), draw.userVertices.data(), v.size() * sizeof(SpriteVertex));
    return v;
}

// Render states a drawing pass may change; all must be back afterwards.
void ExpectStatesBack(FakeDevice& device, const std::map<DWORD, DWORD>& before)
{
    for (const auto& s : before)
        EXPECT_EQ(s.second, device.renderStates[s.first]) << "render state " << s.first;
}

// Uses the service loaders with the stand-in device for one test.
class SceneObjects : public ::testing::Test {
protected:
    void SetUp() override
    {
        CResourceManager::GetTextures()->SetDevice(&device);
        CResourceManager::GetXObjLoader()->SetDevice(&device);
    }
    void TearDown() override
    {
        CResourceManager::GetXObjLoader()->SetDevice(nullptr);
        CResourceManager::GetTextures()->SetDevice(nullptr);
    }

    FakeDevice device;
};

}

TEST_F(SceneObjects, CameraAppliesViewAtOnce)
{
    CCamera camera(D3DXVECTOR3(0, 0, -35), D3DXVECTOR3(0, 0, 1), &device, D3DXVECTOR3(0, 1, 0));
    camera.Move(0.0f);
    ExpectMatrixEq(LookAt(D3DXVECTOR3(0, 0, -35), D3DXVECTOR3(0, 0, -34), D3DXVECTOR3(0, 1, 0)),
                   device.transforms[D3DTS_VIEW]);

    // As the game start does it: new eye, target mode, applied by Move(0).
    camera.lookAtTarget = 1;
    camera.target = D3DXVECTOR3(3.2f, 0.0f, -2.0f);
    camera.SetPosition(D3DXVECTOR3(3.2f, 24.0f, -27.0f));
    camera.Move(0.0f);
    D3DXMATRIX expected = LookAt(D3DXVECTOR3(3.2f, 24, -27), D3DXVECTOR3(3.2f, 0, -2), D3DXVECTOR3(0, 1, 0));
    ExpectMatrixEq(expected, device.transforms[D3DTS_VIEW]);
    ExpectMatrixEq(expected, camera.view);

    // An eye on the target, or looking straight along up, keeps the last view.
    camera.target = camera.position;
    camera.DoDuties();
    ExpectMatrixEq(expected, device.transforms[D3DTS_VIEW]);
    camera.target = camera.position + D3DXVECTOR3(0, -5, 0);
    camera.DoDuties();
    ExpectMatrixEq(expected, device.transforms[D3DTS_VIEW]);
}

TEST_F(SceneObjects, SkyBoxFollowsTheEyeUnlitWithoutDepthWrites)
{
    std::string mesh = BuildPath("assets_test_sky_" + std::to_string((long)getpid()) + ".x");
    const char text[] = "xof 0302txt 0032\nMesh { 3; 0;0;50;, 0;1;50;, 1;0;50;; 1; 3; 0,1,2;; }\n";
    ASSERT_TRUE(WriteFile(mesh, text, sizeof(text) - 1));

    D3DXMATRIX view = LookAt(D3DXVECTOR3(5, 6, 7), D3DXVECTOR3(5, 6, 8), D3DXVECTOR3(0, 1, 0));
    device.SetTransform(D3DTS_VIEW, &view);
    std::map<DWORD, DWORD> before = device.renderStates;

    C3DSkyBox sky(&device, mesh.c_str());
    sky.Render();
    ASSERT_EQ(1u, device.draws.size());
    const FakeDevice::Draw& draw = device.draws[0];
    EXPECT_EQ((DWORD)FALSE, draw.renderStates.at(D3DRS_LIGHTING));
    EXPECT_EQ((DWORD)FALSE, draw.renderStates.at(D3DRS_ZWRITEENABLE));
    EXPECT_NEAR(5.0f, draw.world._41, 1e-4);
    EXPECT_NEAR(6.0f, draw.world._42, 1e-4);
    EXPECT_NEAR(7.0f, draw.world._43, 1e-4);
    ExpectStatesBack(device, before);
    remove(mesh.c_str());
}

TEST_F(SceneObjects, BillboardPlaysSheetOnceThenEnds)
{
    // 36 frames of 256 x 256 pixels in a 6 x 6 grid, 64 frames a second.
    C3DBillboard boom(&device, 1.0f, 1.0f, D3DXVECTOR3(1, 2, 3), 36, 256, 256, 6, 6, 64);
    boom.SetTexture("DEFAULT_MATERIAL");
    EXPECT_EQ(0, boom.GetCurrentFrame());

    boom.Move(7.5f / 64.0f);   // frame 7: second row, second column
    EXPECT_EQ(7, boom.GetCurrentFrame());
    std::map<DWORD, DWORD> before = device.renderStates;
    boom.Render();
    ASSERT_EQ(1u, device.draws.size());
    std::vector<SpriteVertex> v = SpriteVertices(device.draws[0]);
    ASSERT_EQ(6u, v.size());
    EXPECT_NEAR(256.5f / 1536.0f, v[0].u, 1e-6);
    EXPECT_NEAR(256.5f / 1536.0f, v[0].v, 1e-6);
    EXPECT_NEAR(511.5f / 1536.0f, v[2].u, 1e-6);
    EXPECT_NEAR(511.5f / 1536.0f, v[2].v, 1e-6);
    // Facing the default camera (looking along +z): a unit square about the position.
    EXPECT_NEAR(0.5f, v[0].x, 1e-5);
    EXPECT_NEAR(2.5f, v[0].y, 1e-5);
    EXPECT_NEAR(1.5f, v[2].x, 1e-5);
    EXPECT_NEAR(1.5f, v[2].y, 1e-5);
    for (const SpriteVertex& s : v)
        EXPECT_NEAR(3.0f, s.z, 1e-5);
    EXPECT_EQ(CResourceManager::GetTextures()->GetTexture("DEFAULT_MATERIAL"), device.draws[0].texture);
    EXPECT_EQ((DWORD)TRUE, device.draws[0].renderStates.at(D3DRS_ALPHABLENDENABLE));
    ExpectStatesBack(device, before);

    // Still playing just before the last frame ends; ended after it.
    boom.Move(35.9f / 64.0f - 7.5f / 64.0f);
    EXPECT_EQ(35, boom.GetCurrentFrame());
    EXPECT_EQ(0, boom.markedForDeletion);
    boom.Move(0.2f / 64.0f);
    EXPECT_EQ(1, boom.markedForDeletion);
    EXPECT_EQ(35, boom.GetCurrentFrame());

    // Nonsense sheet sizes never divide by zero.
    C3DBillboard odd(&device, 1.0f, 1.0f, D3DXVECTOR3(0, 0, 0), 0, 0, 0, 0, 0, 0);
    odd.Move(1.5f);
    odd.Render();
    EXPECT_EQ(1, odd.markedForDeletion);
}

namespace {

// A system whose particles start moving along +x at 1 + index units a second and
// where particle 0 dies on its second update.
class TestSystem : public C3DParticleSystem {
public:
    TestSystem(IDirect3DDevice8* device, int count) : C3DParticleSystem(device, count, 0.5f, D3DXVECTOR3(10, 0, 0)) {}

    void InitParticle(int i) override
    {
        C3DParticleSystem::InitParticle(i);
        particles[i].velocity = D3DXVECTOR3(1.0f + i, 0, 0);
        initOrder.push_back(i);
    }
    void UpdateParticle(int i, float seconds) override
    {
        particles[i].age += seconds;
        updates++;
        if (i == 0 && particles[i].age > 1.5f)
            particles[i].alive = 0;
        particles[i].color = D3DXCOLOR(1.0f, 0.5f, 0.0f, 0.5f);
    }

    std::vector<int> initOrder;
    int updates = 0;
};

}

TEST_F(SceneObjects, ParticleSystemUpdatesMovesAndDrawsLiveParticles)
{
    TestSystem system(&device, 3);
    CGlobForceModifier gravity(D3DXVECTOR3(0, -10, 0), 1.0f);
    gravity.apply(CModEvent(nullptr, 0.5f));   // no target: nothing
    system.ResetSystem();
    EXPECT_EQ(std::vector<int>({ 0, 1, 2 }), system.initOrder);
    for (int i = 0; i < 3; i++) {
        EXPECT_EQ(1, system.particles[i].alive);
        system.particles[i].AddModifier(&gravity);
    }

    system.Move(1.0f);
    EXPECT_EQ(3, system.updates);
    // The modifier acts first, then the velocity moves the particle.
    EXPECT_NEAR(1.0f, system.particles[0].position.x, 1e-5);
    EXPECT_NEAR(-10.0f, system.particles[0].position.y, 1e-5);
    EXPECT_NEAR(3.0f, system.particles[2].position.x, 1e-5);

    system.Move(1.0f);   // particle 0 dies in its update and does not move
    EXPECT_EQ(0, system.particles[0].alive);
    EXPECT_NEAR(1.0f, system.particles[0].position.x, 1e-5);
    system.Move(1.0f);
    EXPECT_EQ(3 + 3 + 2, system.updates);

    std::map<DWORD, DWORD> before = device.renderStates;
    system.Render();
    ASSERT_EQ(1u, device.draws.size());
    EXPECT_EQ(4u, device.draws[0].primitives);   // two live particles, two triangles each
    std::vector<SpriteVertex> v = SpriteVertices(device.draws[0]);
    EXPECT_EQ((DWORD)D3DXCOLOR(1.0f, 0.5f, 0.0f, 0.5f), v[0].color);
    // Particle 1 at the system's origin + (6, -30, 0): its quad is 0.5 wide.
    float minX = 1e9f, maxX = -1e9f;
    for (int i = 0; i < 6; i++) {
        minX = std::min(minX, v[i].x);
        maxX = std::max(maxX, v[i].x);
    }
    EXPECT_NEAR(16.0f - 0.25f, minX, 1e-4);
    EXPECT_NEAR(16.0f + 0.25f, maxX, 1e-4);
    ExpectStatesBack(device, before);

    // The default system has no particles and does nothing harmful.
    C3DParticleSystem empty;
    empty.ResetSystem();
    empty.Move(1.0f);
    empty.Render();
}
